#include "site/ui/colour_field.h"

#include "site/page_look_colour.h"

#include <QApplication>
#include <QColorDialog>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QToolButton>

namespace arkona::site::ui {

namespace {

QColor colourOf(const QString& value) {
    const auto rgb = colourRgb(value.toStdString());
    return rgb ? QColor(rgb->red, rgb->green, rgb->blue) : QColor();
}

QIcon colourIcon(const QString& value) {
    QPixmap pixmap(12, 12);
    pixmap.fill(colourOf(value));
    return QIcon(pixmap);
}

} // namespace

ColourField::ColourField(const QString& name, const QString& swatchHint, QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("cf") + name);
    txt_ = new QLineEdit(this);
    txt_->setObjectName(QStringLiteral("txt") + name);
    txt_->setMaxLength(kColourLength);
    txt_->setFixedWidth(txt_->fontMetrics().horizontalAdvance(QStringLiteral("WWWWWWW")) + 8);
    txt_->installEventFilter(this);

    swatch_ = new QToolButton(this);
    swatch_->setObjectName(QStringLiteral("shp") + name);
    swatch_->setToolTip(swatchHint);
    swatch_->setFixedSize(40, txt_->sizeHint().height());
    swatch_->setAutoRaise(false);

    palette_ = new QToolButton(this);
    palette_->setObjectName(QStringLiteral("sb") + name);
    palette_->setToolTip(QStringLiteral("Kliknutím můžete vybrat ze seznamu zálkadních barev"));
    palette_->setArrowType(Qt::DownArrow);
    palette_->setPopupMode(QToolButton::InstantPopup);
    menu_ = new QMenu(palette_);
    menu_->setObjectName(QStringLiteral("pm") + name);
    for (const auto& c : colourPalette()) {
        const QString value = QString::fromLatin1(c.value);
        QAction* a = menu_->addAction(colourIcon(value), QString::fromUtf8(c.caption));
        a->setToolTip(value);
        a->setStatusTip(value);
        a->setData(value);
        connect(a, &QAction::triggered, this, [this, value] {
            setValue(value);
            emit chosen(value);
        });
    }
    menu_->setToolTipsVisible(true);
    palette_->setMenu(menu_);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    row->addWidget(txt_);
    row->addWidget(swatch_);
    row->addWidget(palette_);
    row->addStretch(1);

    connect(txt_, &QLineEdit::textEdited, this, &ColourField::filterTyped);
    connect(swatch_, &QToolButton::clicked, this, [this] {
        if (runColourDialog()) {
            emit chosen(txt_->text());
        }
    });
    showSwatch(QString());
}

void ColourField::setValue(const QString& value) {
    txt_->setText(value);
    showSwatch(value);
}

QString ColourField::value() const {
    return txt_->text();
}

void ColourField::showSwatch(const QString& value) {
    shown_ = value;
    const QColor colour = colourOf(value);
    swatch_->setStyleSheet(
        colour.isValid()
            ? QStringLiteral("QToolButton { background-color: %1; border: 1px solid #808080; }")
                  .arg(colour.name())
            : QStringLiteral("QToolButton { background-color: palette(window); "
                             "border: 1px dashed #a0a0a0; }"));
}

bool ColourField::runColourDialog() {
    QColorDialog dialog(colourOf(shown_).isValid() ? colourOf(shown_) : QColor(Qt::black), this);
    dialog.setObjectName(QStringLiteral("dlgBarva"));
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    const QColor c = dialog.selectedColor();
    setValue(QString::fromStdString(colourText({c.red(), c.green(), c.blue()})));
    return true;
}

void ColourField::filterTyped(const QString& text) {
    std::string digits = text.toStdString();
    if (keepHexDigits(digits)) {
        QApplication::beep();
        txt_->setText(QString::fromStdString(digits));
        txt_->setCursorPosition(static_cast<int>(txt_->text().size()));
    }
    if (followTyping_ && txt_->text().size() == kColourLength) {
        showSwatch(txt_->text());
    }
}

bool ColourField::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txt_) {
        if (event->type() == QEvent::FocusOut) {
            emit left(txt_->text());
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                emit left(txt_->text());
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace arkona::site::ui
