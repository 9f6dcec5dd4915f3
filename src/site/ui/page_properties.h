#pragma once

#include "site/page_look.h"
#include "site/ui/page_panel.h"

#include <QTabWidget>
#include <vector>

namespace arkona::storage {
class TData2;
struct ProjectContext;
} // namespace arkona::storage

namespace arkona::site::ui {

class PageColoursPanel;
class PageHeaderPanel;
class PageNavigationPanel;

// "Vlastnosti stránky": the tabs " Hlavička ", " Barvy a písmo ", " Pozadí ", " Navigace " and
// " Speciální nastavení " (with "Vnější okraje", "Rámeček" and "Vnitřní mezera") on the current
// page of the data module.
class TPageProperties : public QTabWidget {
    Q_OBJECT
public:
    TPageProperties(storage::TData2& data, const storage::ProjectContext& context,
                    QWidget* parent = nullptr);

    PagePanelHooks& hooks() { return hooks_; }
    PageLook& look() { return look_; }

    // Shows the current page on every tab, with the page and section counts in the status bar.
    void InitPageFrame();

    // "Najít logický parent stránky".
    void chooseOwner();

private:
    void showCounts();

    storage::TData2& data_;
    PageLook look_;
    PagePanelHooks hooks_;
    std::vector<PagePanel*> panels_;
    PageHeaderPanel* header_ = nullptr;
};

} // namespace arkona::site::ui
