#include "site/ui/page_panel.h"

#include "app/message_box.h"
#include "base/error.h"
#include "site/page_look.h"

namespace arkona::site::ui {

PagePanel::PagePanel(PageLook& look, PagePanelHooks& hooks, QWidget* parent)
    : QWidget(parent), look_(look), hooks_(hooks) {}

void PagePanel::reload() {
    ++loading_;
    try {
        if (look_.hasPage()) {
            setEnabled(true);
            showPage();
        } else {
            setEnabled(false);
            clear();
        }
    } catch (const Error& e) {
        --loading_;
        app::Messages::error(e.what());
        return;
    }
    --loading_;
}

bool PagePanel::write(const std::function<void()>& change, bool asWarning) {
    if (loading() || !look_.hasPage()) {
        return false;
    }
    bool done = false;
    try {
        change();
        done = true;
    } catch (const Error& e) {
        if (asWarning) {
            app::Messages::warning(e.what());
        } else {
            app::Messages::error(e.what());
        }
    }
    reload();
    if (done) {
        emit written();
    }
    return done;
}

} // namespace arkona::site::ui
