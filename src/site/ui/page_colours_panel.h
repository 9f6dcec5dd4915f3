#pragma once

#include "site/ui/page_panel.h"

#include <array>

class QLineEdit;
class QToolButton;

namespace arkona::templates::ui {
class FontTagPreview;
}

namespace arkona::site::ui {

class ColourField;

// " Barvy a písmo ": the five colours of the page body and the page's font.
class PageColoursPanel : public PagePanel {
    Q_OBJECT
public:
    PageColoursPanel(PageLook& look, PagePanelHooks& hooks, QWidget* parent = nullptr);

    // The font chooser on the page font.
    void chooseFont();

protected:
    void showPage() override;
    void clear() override;

private:
    struct Colour {
        const char* column;
        ColourField* field;
    };
    std::array<Colour, 5> colours_{};
    templates::ui::FontTagPreview* lblVzorek_;
    QToolButton* sbPismo_;
    QLineEdit* txtPismo_;
};

} // namespace arkona::site::ui
