#pragma once

#include "templates/font_tag.h"

#include <QLabel>

namespace arkona::templates::ui {

// Rich text of `text` in the face, size, colour and styles of a font tag; `colour` (six digits)
// replaces the tag's colour when given.
QString fontTagHtml(const FontTag& font, const QString& text, const QString& colour = {});

// A sample of a font tag on a background colour; a click on it reports `clicked`.
class FontTagPreview : public QLabel {
    Q_OBJECT
public:
    explicit FontTagPreview(const QString& name, QWidget* parent = nullptr);

    // `background`: six digits, or empty for the window's colour.
    void showFont(const FontTag& font, const QString& text, const QString& background = {});
    // Any rich text (a navigation entry with its picture) on a background colour.
    void showHtml(const QString& html, const QString& background = {});

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace arkona::templates::ui
