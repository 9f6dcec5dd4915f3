#pragma once

#include <QString>
#include <QValidator>
#include <filesystem>
#include <string>

class QLabel;
class QWidget;

namespace arkona::catalogue::ui {

inline QString q(const std::string& text) {
    return QString::fromStdString(text);
}
inline QString q(const char* text) {
    return QString::fromUtf8(text);
}
inline std::string s(const QString& text) {
    return text.toStdString();
}
QString toQt(const std::filesystem::path& path);
std::filesystem::path fromQt(const QString& path);

template <class W> W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// Text that must fit a table column: at most `bytes` bytes of Windows-1250 and only characters
// Windows-1250 has, optionally turned to upper case as it is typed (item codes).
class ColumnValidator : public QValidator {
public:
    ColumnValidator(int bytes, bool upperCase, QObject* parent)
        : QValidator(parent), bytes_(bytes), upperCase_(upperCase) {}
    State validate(QString& input, int& pos) const override;

private:
    int bytes_;
    bool upperCase_;
};

// Whether the text fits `bytes` bytes of Windows-1250.
bool fitsColumn(const QString& text, int bytes);

// A framed, right-aligned label for a computed amount.
QLabel* valueLabel(QWidget* parent, const char* name, int minimumWidth);
// Gives the focus to a field once the event at hand is done (a refused value is typed again),
// its text selected.
void focusLater(QWidget* target);

} // namespace arkona::catalogue::ui
