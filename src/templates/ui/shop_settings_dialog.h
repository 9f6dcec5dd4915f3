#pragma once

#include "storage/project_context.h"
#include "templates/page_choices.h"
#include "templates/shop_settings.h"

#include <QDialog>
#include <array>
#include <filesystem>
#include <string>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace arkona::templates::ui {

// "Vlastnosti šablony [file]": the shop settings file (.qsh) of a main section. The section
// panel opens it with the section's SABID (empty: "default.qsh") and, when it closes with OK,
// stores fileName() as the section's SABID.
class TConfigHlavni1 : public QDialog {
    Q_OBJECT
public:
    // Loads the named file from the project's _sablony folder; when it is missing, default.qsh
    // (with a message), or the dialog's defaults when that is missing too.
    TConfigHlavni1(const storage::ProjectContext& project, const std::string& sabid,
                   QWidget* parent = nullptr);

    // The file name (without folder) the dialog last worked on.
    std::string fileName() const;
    std::filesystem::path file() const { return file_; }
    bool isChanged() const { return changed_; }

    // The settings as the fields show them.
    ShopSettings settings() const;

    // The commands of the buttons.
    void openCommand();
    bool saveCommand();
    void saveAsCommand();
    void standardCommand();

    // OK: saves when there are changes or the file does not exist yet.
    void accept() override;
    // Storno, Esc, closing: asks about unsaved changes; Cancel keeps the dialog open.
    void reject() override;

private:
    void buildFrames(QGroupBox* box);
    void buildPlacement(QGroupBox* box);
    void buildNumberFormat(QGroupBox* box);
    void buildConfirmation(QGroupBox* box);
    void buildMessages(QGroupBox* error, QGroupBox* status);
    void connectChanges();

    void loadNamed(const std::string& sabid);
    void load(const std::filesystem::path& file);
    void showSettings(const ShopSettings& s);
    void fillPageChoice(QComboBox* box, const std::string& url);
    void markChanged();
    void updateTitle();
    void updateSample();
    void updateConfirmationFields();
    void updatePreview();
    bool saveTo(const std::filesystem::path& file);

    std::filesystem::path projectFolder_;
    std::filesystem::path file_;
    ShopSettings loaded_; // what was read: keeps values the fields cannot show
    std::vector<PageChoice> pages_;
    bool changed_ = false;
    bool loading_ = false;

    QComboBox* cbNavigace_;
    QComboBox* cbPracovni_;
    QComboBox* cbKosik_;
    QCheckBox* chbKosikAno_;
    std::array<QRadioButton*, 4> rbUmisteni_{}; // nahore, vlevo, vpravo, dole
    QButtonGroup* umisteni_;
    QSpinBox* txtVelikost_;
    QRadioButton* rbBody_;
    QRadioButton* rbProcenta_;
    QPushButton* pbStandard_;

    std::array<QCheckBox*, kConfirmSwitches> chbC_{};
    std::array<QLineEdit*, kConfirmTexts + 1> txtTC_{}; // from index 1
    std::array<QLineEdit*, 4> txtTE_{};                 // from index 1
    std::array<QLineEdit*, 4> txtTS_{};                 // from index 1

    QComboBox* cbZaokr_;
    QComboBox* cbOddelovac_;
    QComboBox* cbDesetinne_;
    QComboBox* cbUkoncovac_;
    QLabel* lblUkazka_;
    QPlainTextEdit* txtNahled_;

    QPushButton* pbOtevrit_;
    QPushButton* pbUlozit_;
    QPushButton* pbUlozitJako_;
    QPushButton* pbOK_;
    QPushButton* pbStorno_;
};

} // namespace arkona::templates::ui
