#include "site/site_structure.h"

#include "base/codepage.h"
#include "base/error.h"
#include "base/textcase.h"
#include "site/page_rows.h"
#include "storage/schema.h"

namespace arkona::site {

SiteStructure::SiteStructure(storage::TData2& data, const storage::ProjectContext& context)
    : data_(data), context_(context) {}

void SiteStructure::setObserver(PageTreeObserver* observer) {
    tree_.setObserver(observer);
}

std::filesystem::path SiteStructure::strukturFile() const {
    return data_.tableFile(storage::kStruktur);
}

// ---------------------------------------------------------------- loading

LoadReport SiteStructure::load(const LoadDisplay& display, Progress& window) {
    LoadReport report;
    PageTree loaded;
    {
        storage::TData2::CascadeOff off(data_);
        loaded = loadPageTree(strukturFile(), report, display);
    }
    PageTreeObserver* observer = tree_.observer();
    tree_ = std::move(loaded);
    tree_.setObserver(observer);
    selected_.clear();
    link_ = {};
    changed_ = false;
    if (observer) {
        observer->treeReset();
    }
    if (report.anyRepair()) {
        optimise(OptimiseKind::AfterRepair, window);
        lastLoad_ = report;
    } else {
        lastLoad_ = report;
        // A table whose order is not the tree order (a link added without renumbering) would
        // make the generator find the wrong pages: the next renumbering is due.
        changed_ = !tree_.numbered();
    }
    return report;
}

void SiteStructure::clear() {
    lastLoad_ = {};
    tree_.clear();
    selected_.clear();
    link_ = {};
    changed_ = false;
}

// ---------------------------------------------------------------- selection

std::string SiteStructure::currentPageId() const {
    const auto& view = data_.qStruktur;
    if (!view.isOpen() || view.isEmpty() || !view.filterEnabled()) {
        return {};
    }
    return std::string(text::trim(view.text("HTMLID")));
}

void SiteStructure::makeCurrent(const std::string& id) {
    data_.STRUKTUR_SetHtmlID(id);
}

void SiteStructure::select(const std::string& id, bool force, Prompter& prompter) {
    const PageNode* node = tree_.find(id);
    if (!node) {
        return;
    }
    selected_ = id;
    link_ = {};
    const PageNode* target = node->link ? tree_.linkTarget(*node) : nullptr;
    const std::string& shown = target ? target->id : id;
    if (force || currentPageId() != shown) {
        makeCurrent(shown);
    }
    if (node->link) {
        link_.linkId = node->id;
        link_.linkTitle = node->title;
        if (target) {
            link_.active = true;
            link_.targetId = target->id;
        } else {
            prompter.warning(kTargetMissing);
        }
    }
}

const PageNode* SiteStructure::shownNode() const {
    return tree_.find(link_.active ? link_.targetId : selected_);
}

PageCommandState SiteStructure::commandState() const {
    PageCommandState state;
    const PageNode* selected = selectedNode();
    const PageNode* shown = shownNode();
    if (!selected || !shown) {
        return state;
    }
    state.canAddUnder = !selected->link;
    if (!shown->fixed() || link_.active) {
        state.canDelete = true;
        state.status = link_.active
                           ? "Zobrazena stránka \"" + link_.linkTitle +
                                 "\", která je odkazem na stránku \"" + shown->title + "\"."
                           : "Zobrazena stránka \"" + shown->title + "\".";
    } else {
        state.status = shown->parent
                           ? "Stránka \"" + shown->title + "\" je povinná a nelze ji odstranit."
                           : "Oddíl \"" + shown->title + "\" je povinný a nelze ho odstranit.";
    }
    return state;
}

std::string SiteStructure::pageCountText() const {
    const long long pages = static_cast<long long>(tree_.size()) - kLastFixedPage;
    return "Počet stran: " + std::to_string(std::max(0LL, pages));
}

// ---------------------------------------------------------------- renaming

void SiteStructure::rename(const std::string& id, const std::string& title) {
    PageNode* node = tree_.find(id);
    if (!node) {
        throw Error("Stránka " + id + " již ve stromu není.");
    }
    if (text::fromUtf8(title).size() > 50) {
        throw Error("Název stránky může mít nejvýše 50 znaků.");
    }
    if (!node->link && currentPageId() == id) {
        // The current page is written through the data module, which marks it updated.
        data_.qStruktur.setText("POPIS", title);
        data_.qStruktur.post();
    } else {
        PageRowWriter(strukturFile()).set(node->recno, id, {{"POPIS", title}, {"UPDATED", true}});
        data_.previewCacheKey.clear();
    }
    tree_.setTitle(*node, std::string(text::trim(title)));
    if (link_.active && link_.linkId == id) {
        link_.linkTitle = node->title;
        makeCurrent(link_.targetId);
    }
}

void SiteStructure::setExpanded(const std::string& id, bool expanded) {
    if (PageNode* node = tree_.find(id)) {
        tree_.setExpanded(*node, expanded);
    }
}

} // namespace arkona::site
