#include "catalogue/ui/picture_chooser.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>

namespace arkona::catalogue::ui {

namespace {

// A shown name followed by its patterns; the chooser hides the patterns (they are in both
// letter cases, which the names need not say).
QString entry(const char* shown, const char* patterns) {
    QString all;
    for (const QString& p : QString::fromLatin1(patterns).split(QLatin1Char(' '))) {
        all += p + QLatin1Char(' ') + p.toUpper() + QLatin1Char(' ');
    }
    return QString::fromLatin1(shown) + QStringLiteral(" (") + all.trimmed() + QLatin1Char(')');
}

} // namespace

QStringList itemPictureFilters() {
    return {entry("All (*.gif;*.jpg)", "*.gif *.jpg *.jpeg"), entry("Gif (*.gif)", "*.gif"),
            entry("JPG (*.jpg, *.jpeg)", "*.jpg *.jpeg")};
}

QStringList productPictureFilters() {
    return {entry("All (*.gif;*.jpg;*.jpeg;*.png)", "*.gif *.jpg *.jpeg *.png"),
            entry("Gif (*.gif)", "*.gif"), entry("JPG (*.jpg, *.jpeg)", "*.jpg *.jpeg")};
}

QString choosePictureFile(QWidget* parent, const QString& start, const QStringList& filters) {
    QFileDialog dialog(parent, QStringLiteral("Výběr obrázku"));
    dialog.setObjectName(QStringLiteral("dlgVyberObrazku"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(filters);
    const QFileInfo info(start);
    if (info.isDir()) {
        dialog.setDirectory(start);
    } else if (!start.isEmpty()) {
        dialog.setDirectory(info.absolutePath());
        if (info.exists()) {
            dialog.selectFile(start);
        }
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().front();
}

bool showPicture(QLabel* label, const QString& file, const QSize& box) {
    QImageReader reader(file);
    reader.setAutoTransform(true);
    const QImage image = file.isEmpty() ? QImage() : reader.read();
    if (image.isNull()) {
        label->clear();
        label->hide();
        return false;
    }
    QPixmap pixmap = QPixmap::fromImage(image);
    if (pixmap.width() > box.width() || pixmap.height() > box.height()) {
        pixmap = pixmap.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    label->setPixmap(pixmap);
    label->show();
    return true;
}

} // namespace arkona::catalogue::ui
