#include "templates/ui/font_tag_preview.h"

#include <QMouseEvent>
#include <QRegularExpression>

namespace arkona::templates::ui {

namespace {

bool isColour(const QString& value) {
    static const QRegularExpression six(QStringLiteral("^[0-9A-Fa-f]{6}$"));
    return six.match(value).hasMatch();
}

} // namespace

QString fontTagHtml(const FontTag& font, const QString& text, const QString& colour) {
    const QString c = isColour(colour) ? colour : QString::fromStdString(font.colour);
    QString style = QStringLiteral("font-family:'%1'; font-size:%2pt; color:#%3;")
                        .arg(QString::fromStdString(previewFamily(font.face)).toHtmlEscaped())
                        .arg(previewPoints(font.size))
                        .arg(c);
    if (font.bold) {
        style += QStringLiteral(" font-weight:bold;");
    }
    if (font.italic) {
        style += QStringLiteral(" font-style:italic;");
    }
    if (font.underline) {
        style += QStringLiteral(" text-decoration:underline;");
    }
    return QStringLiteral("<span style=\"%1\">%2</span>").arg(style, text.toHtmlEscaped());
}

FontTagPreview::FontTagPreview(const QString& name, QWidget* parent) : QLabel(parent) {
    setObjectName(name);
    setTextFormat(Qt::RichText);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setMargin(4);
    setCursor(Qt::PointingHandCursor);
}

void FontTagPreview::showFont(const FontTag& font, const QString& text, const QString& background) {
    showHtml(fontTagHtml(font, text), background);
}

void FontTagPreview::showHtml(const QString& html, const QString& background) {
    setAutoFillBackground(true);
    setStyleSheet(isColour(background)
                      ? QStringLiteral("QLabel { background-color: #%1; }").arg(background)
                      : QString());
    setText(html);
}

void FontTagPreview::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}

} // namespace arkona::templates::ui
