#pragma once

#include "site/page_look_width.h"
#include "site/ui/page_panel.h"

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSlider;
class QSpinBox;
class QToolButton;

namespace arkona::templates::ui {
class FontTagPreview;
}

namespace arkona::site::ui {

class ColourField;
class NavigationWidthPreview;

// " Navigace ": whether the page is listed in the navigation and shows the navigation column,
// the column's width, colour and indent, and the pictures and fonts of the six levels.
class PageNavigationPanel : public PagePanel {
    Q_OBJECT
public:
    PageNavigationPanel(PageLook& look, PagePanelHooks& hooks, QWidget* parent = nullptr);

    // The file dialog for a level picture (L1_OM ... L6_OV).
    void choosePicture(const QString& column);
    // The font chooser for a level (1 to 6).
    void chooseFont(int level);

protected:
    void showPage() override;
    void clear() override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showWidth(NavigationWidth width);
    void unitChosen(WidthUnit unit);
    void showNavigationEnabled(bool on);
    void showLevels();

    struct Level {
        QLineEdit* inactive;
        QLineEdit* active;
        templates::ui::FontTagPreview* inactivePreview;
        templates::ui::FontTagPreview* activePreview;
        QToolButton* font;
    };

    QCheckBox* chbZaradit_;
    QCheckBox* chbZobrazit_;
    QWidget* pnNavigace_;
    QSpinBox* seSirka_;
    QRadioButton* rbProcenta_;
    QRadioButton* rbBody_;
    QSlider* tbSirka_;
    QLabel* lbl0_;
    QLabel* lbl100_;
    NavigationWidthPreview* pbSirka_;
    ColourField* colour_;
    QSpinBox* seOdsazeni_;
    QWidget* pnDetail_;
    std::array<Level, 6> levels_{};
    WidthUnit shownUnit_ = WidthUnit::Percent;
    bool levelsStale_ = true;
};

} // namespace arkona::site::ui
