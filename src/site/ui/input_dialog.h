#pragma once

#include <QDialog>
#include <optional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace arkona::site::ui {

// The two options of the input box, set by the caller.
struct InputOptions {
    bool nonBlank = false;       // OK only while the trimmed text is not empty
    bool nameCharacters = false; // letters (Czech ones too), digits, "_", "-", "!", blank
    int maxLength = 0;           // 0: the field's own limit
};

// The general input box: a title, a label, one text field, "OK" and "Storno".
class TfrmInput : public QDialog {
    Q_OBJECT
public:
    using Options = InputOptions;

    TfrmInput(const QString& title, const QString& label, const QString& text, Options options,
              QWidget* parent = nullptr);

    QString text() const;

    // Asks and returns the text, or nothing on "Storno".
    static std::optional<std::string> ask(QWidget* parent, const QString& title,
                                          const QString& label, const QString& text = {},
                                          InputOptions options = {});

private:
    void edited();
    void updateOk();

    Options options_;
    QLabel* lblPopis_;
    QLineEdit* txtVstup_;
    QPushButton* pbOK_;
    QPushButton* pbStorno_;
};

} // namespace arkona::site::ui
