#pragma once

#include "templates/font_tag.h"

#include <QDialog>
#include <optional>
#include <string>

class QComboBox;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace arkona::site::ui {
class ColourField;
}

namespace arkona::templates::ui {

class FontTagPreview;

// "Výběr fontu": edits one font tag (face, size, colour, bold, italic, underline) and gives
// back the new tag on OK.
class TfrmFnt : public QDialog {
    Q_OBJECT
public:
    explicit TfrmFnt(const std::string& tag, QWidget* parent = nullptr);

    // The tag the dialog would give back now.
    std::string tag() const;
    FontTag font() const;

    // Runs the dialog on `tag`; the new tag on OK, nothing on Storno.
    static std::optional<std::string> choose(QWidget* parent, const std::string& tag);

    void accept() override;

private:
    void leaveColour();
    void showPreview();

    FontTag initial_;
    int initialFace_ = 0;

    QComboBox* cbPismo_;
    QComboBox* cbVelikost_;
    site::ui::ColourField* colour_;
    QToolButton* sbTucne_;
    QToolButton* sbKurziva_;
    QToolButton* sbPodtrzene_;
    FontTagPreview* lblVzorek_;
    QLineEdit* txtZapis_;
    QPushButton* pbOK_;
    QPushButton* pbStorno_;
};

} // namespace arkona::templates::ui
