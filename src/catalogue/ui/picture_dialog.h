#pragma once

#include "catalogue/picture_tag.h"

#include <QDialog>
#include <filesystem>
#include <optional>
#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace arkona::catalogue::ui {

// "Formát obrázku": builds one picture tag from a picture file and its layout, for a new picture
// (insert) or the tag under the cursor (edit), and copies the picture into the folder of the
// current page so the tag can name it without a path.
class TfrmEditPic : public QDialog {
    Q_OBJECT
public:
    enum class Mode { Insert, Edit };
    // Whose picture chooser it uses: the page product editor's also offers PNG.
    enum class Caller { ProductEditor, SourceEditor };

    // `pageFolder`: where the picture is copied (the site folder and the page's DISK).
    TfrmEditPic(Mode mode, Caller caller, const std::string& tag, std::filesystem::path pageFolder,
                QWidget* parent = nullptr);

    // The tag after "OK"; nothing after "Storno".
    const std::optional<std::string>& tag() const { return tag_; }
    // The fields as shown.
    PictureTag fields() const;

    // "Vyhledat obrázek": the chooser, then takeFile with the chosen file.
    void chooseCommand();
    // A chosen file fills "Soubor:", the preview, the size and "ALT="; false (with the reason
    // shown, the fields as before) when the picture cannot be read.
    bool takeFile(const QString& file);
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showFields(const PictureTag& fields);
    void updateSizeInputs();

    Mode mode_;
    Caller caller_;
    std::filesystem::path pageFolder_;
    QString startFile_;
    bool chooserShown_ = false;
    std::optional<std::string> tag_;

    QLineEdit* txtSoubor_;
    QLabel* imgObrazek_;
    QComboBox* cbZarovnani_;
    QSpinBox* txtOkraj_;
    QSpinBox* txtHSpace_;
    QSpinBox* txtVSpace_;
    QCheckBox* chbUrcit_;
    QSpinBox* txtSirka_;
    QComboBox* cbSirka_;
    QSpinBox* txtVyska_;
    QComboBox* cbVyska_;
    QLineEdit* txtAlt_;
};

} // namespace arkona::catalogue::ui
