#include "site/ui/page_properties.h"

#include "base/error.h"
#include "site/ui/page_background_panel.h"
#include "site/ui/page_colours_panel.h"
#include "site/ui/page_header_panel.h"
#include "site/ui/page_margins_panel.h"
#include "site/ui/page_navigation_panel.h"
#include "storage/data_module.h"

#include <QScrollArea>
#include <algorithm>

namespace arkona::site::ui {

namespace {

// A panel in a scroll area, so that it never makes the main window larger than the user wants.
QWidget* scrolled(QWidget* panel) {
    auto* area = new QScrollArea;
    area->setObjectName(QStringLiteral("sa") + panel->objectName());
    area->setWidget(panel);
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    return area;
}

} // namespace

TPageProperties::TPageProperties(storage::TData2& data, const storage::ProjectContext& context,
                                 QWidget* parent)
    : QTabWidget(parent), data_(data), look_(data, context) {
    setObjectName(QStringLiteral("pcVlastnosti"));

    header_ = new PageHeaderPanel(look_, hooks_);
    auto* colours = new PageColoursPanel(look_, hooks_);
    auto* background = new PageBackgroundPanel(look_, hooks_);
    auto* navigation = new PageNavigationPanel(look_, hooks_);
    auto* margins = new PageMarginsPanel(look_, hooks_, QStringLiteral("tsOkraje"), outerMargins());
    auto* frame = new PageMarginsPanel(look_, hooks_, QStringLiteral("tsRamecek"), borders());
    auto* spacing = new PageMarginsPanel(look_, hooks_, QStringLiteral("tsMezera"), innerSpacing());
    panels_ = {header_, colours, background, navigation, margins, frame, spacing};

    addTab(scrolled(header_), QStringLiteral(" Hlavička "));
    addTab(scrolled(colours), QStringLiteral(" Barvy a písmo "));
    addTab(scrolled(background), QStringLiteral(" Pozadí "));
    addTab(scrolled(navigation), QStringLiteral(" Navigace "));
    auto* pcSpecialni = new QTabWidget;
    pcSpecialni->setObjectName(QStringLiteral("pcSpecialni"));
    pcSpecialni->addTab(scrolled(margins), QStringLiteral("Vnější okraje"));
    pcSpecialni->addTab(scrolled(frame), QStringLiteral("Rámeček"));
    pcSpecialni->addTab(scrolled(spacing), QStringLiteral("Vnitřní mezera"));
    addTab(pcSpecialni, QStringLiteral(" Speciální nastavení "));

    // A change on one tab may show on another (the link colour in the navigation previews, the
    // page colour behind the font sample).
    for (PagePanel* panel : panels_) {
        connect(panel, &PagePanel::written, this, [this, panel] {
            for (PagePanel* other : panels_) {
                if (other != panel) {
                    other->reload();
                }
            }
        });
    }
    setCurrentIndex(0);
    InitPageFrame();
}

void TPageProperties::InitPageFrame() {
    showCounts();
    for (PagePanel* panel : panels_) {
        panel->reload();
    }
}

void TPageProperties::chooseOwner() {
    header_->chooseOwner();
}

void TPageProperties::showCounts() {
    if (!hooks_.status || !look_.hasPage()) {
        return;
    }
    try {
        const int pages = std::max(0, data_.STRUKTUR_COUNT() - 6);
        hooks_.status(1, QStringLiteral("Počet stran: %1").arg(pages));
    } catch (const Error&) {
        // The count is only informative; the panels report a table that cannot be read.
    }
    const int sections = data_.qHtml.isOpen() ? data_.qHtml.rowCount() : 0;
    hooks_.status(2, QStringLiteral("Počet sekcí: %1").arg(sections));
}

} // namespace arkona::site::ui
