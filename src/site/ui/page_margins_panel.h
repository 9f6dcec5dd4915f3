#pragma once

#include "site/page_look.h"
#include "site/ui/page_panel.h"

#include <span>
#include <vector>

class QSpinBox;

namespace arkona::site::ui {

// "Vnější okraje", "Rámeček" or "Vnitřní mezera": one spin field per setting (-1 to 999; -1
// leaves the attribute out of the page), written on every change.
class PageMarginsPanel : public PagePanel {
    Q_OBJECT
public:
    PageMarginsPanel(PageLook& look, PagePanelHooks& hooks, const QString& name,
                     std::span<const MarginSetting> settings, QWidget* parent = nullptr);

protected:
    void showPage() override;
    void clear() override;

private:
    struct Field {
        const char* column;
        QSpinBox* spin;
    };
    std::vector<Field> fields_;
};

} // namespace arkona::site::ui
