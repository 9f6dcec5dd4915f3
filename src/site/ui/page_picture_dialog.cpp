#include "site/ui/page_picture_dialog.h"

#include <QFileDialog>

namespace arkona::site::ui {

namespace {

std::filesystem::path& lastFolder() {
    static std::filesystem::path folder;
    return folder;
}

} // namespace

std::filesystem::path choosePictureFile(QWidget* parent, const std::filesystem::path& startFolder) {
    QFileDialog dialog(parent, QStringLiteral("Výběr obrázku"));
    dialog.setObjectName(QStringLiteral("dlgObrazek"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(
        {QStringLiteral("All (*.gif *.jpg *.jpeg *.png)"), QStringLiteral("GIF Image (*.gif)"),
         QStringLiteral("JPEG Image File (*.jpg)"), QStringLiteral("JPEG Image File (*.jpeg)"),
         QStringLiteral("PNG Image File (*.png)")});
    std::error_code ec;
    const auto& start =
        std::filesystem::is_directory(lastFolder(), ec) ? lastFolder() : startFolder;
    dialog.setDirectory(QString::fromStdString(start.string()));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    const std::filesystem::path file = dialog.selectedFiles().first().toStdString();
    lastFolder() = file.parent_path();
    return file;
}

} // namespace arkona::site::ui
