#pragma once

#include <QDialog>
#include <optional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace arkona::catalogue::ui {

// The general input box: a title, a prompt, one text field, "OK" and "Storno". The catalogue's
// own until the page dialogs bring theirs; it also keeps the text within a table column.
class TfrmInput : public QDialog {
    Q_OBJECT
public:
    TfrmInput(const QString& title, const QString& prompt, const QString& text,
              QWidget* parent = nullptr);

    // At most `bytes` bytes of Windows-1250; upper case as typed.
    void setColumn(int bytes, bool upperCase);
    // "OK" only while the trimmed text is not empty.
    void setNonBlank(bool on);
    QString text() const;

    // Shows the box; the text on "OK", nothing on "Storno".
    static std::optional<std::string> ask(QWidget* parent, const QString& title,
                                          const QString& prompt, const QString& text, int bytes,
                                          bool upperCase = false);

private:
    void updateOk();

    QLabel* lblPrompt_;
    QLineEdit* txtInput_;
    QPushButton* pbOK_;
    bool nonBlank_ = false;
};

} // namespace arkona::catalogue::ui
