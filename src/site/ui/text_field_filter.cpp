#include "site/ui/text_field_filter.h"

#include <QApplication>

namespace arkona::site::ui {

void applyEdit(QLineEdit* field, const std::function<EditedText(std::u32string_view, int)>& rule) {
    const QString text = field->text();
    // The rules count characters; the field counts UTF-16 units.
    const int cursor = static_cast<int>(text.left(field->cursorPosition()).toUcs4().size());
    const QList<uint> ucs4 = text.toUcs4();
    const std::u32string before(ucs4.begin(), ucs4.end());
    const EditedText edit = rule(before, cursor);
    for (int i = 0; i < edit.removed; ++i) {
        QApplication::beep();
    }
    if (edit.text == before && edit.cursor == cursor) {
        return;
    }
    const QString after =
        QString::fromUcs4(edit.text.data(), static_cast<qsizetype>(edit.text.size()));
    field->setText(after);
    const QString head = QString::fromUcs4(edit.text.data(), edit.cursor);
    field->setCursorPosition(static_cast<int>(head.size()));
}

} // namespace arkona::site::ui
