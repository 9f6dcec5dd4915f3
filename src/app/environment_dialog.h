#pragma once

#include "app/environment_check.h"
#include "storage/user_settings.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace arkona::app {

// "Nastavení prostředí aplikace": the external HTML editor and the samples folder.
class TConfig1 : public QDialog {
    Q_OBJECT
public:
    explicit TConfig1(storage::UserSettings& settings, QWidget* parent = nullptr);

    // What the search for editors walks; the process's PATH unless a test sets another.
    void setSearchPath(std::string pathVariable) { searchPath_ = std::move(pathVariable); }

    // Valid after OK.
    ExternalEditor externalEditor() const;

private:
    void browseEditor();
    void searchEditors();
    void browseSamples();
    void checkFields();
    void okClicked();

    storage::UserSettings& settings_;
    std::string searchPath_;
    QLineEdit* txtEditor_;
    QLineEdit* txtParametr_;
    QLineEdit* txtVzory_;
    QPushButton* pbEditor_;
    QPushButton* pbProhledat_;
    QPushButton* pbVzory_;
    QPushButton* pbOK_;
    QPushButton* pbStorno_;
};

} // namespace arkona::app
