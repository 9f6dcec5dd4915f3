#include "base/error.h"
#include "site/page_rows.h"
#include "site/site_structure.h"

#include <algorithm>

namespace arkona::site {

namespace {

std::string fixedPageRefusal(const PageNode& doomed, const PageNode& fixed) {
    if (&doomed == &fixed) {
        return fixed.parent ? "Stránka \"" + fixed.title + "\" je povinná a nelze ji odstranit."
                            : "Oddíl \"" + fixed.title + "\" je povinný a nelze ho odstranit.";
    }
    return "Stránku \"" + doomed.title +
           "\" nelze odstranit, protože pod ní leží povinná stránka \"" + fixed.title +
           "\", kterou nelze odstranit.";
}

} // namespace

void SiteStructure::removeLinkPage(PageNode& link) {
    PageRowWriter writer(strukturFile());
    // A link page has no pages of its own; should a damaged table give it some, they stay and
    // take its place.
    const std::vector<PageNode*> children = link.children;
    for (PageNode* child : children) {
        writer.set(child->recno, child->id, {{"PARENT", link.parentId()}});
        tree_.move(*child, link.parent, &link);
    }
    writer.remove(link.recno, link.id);
    tree_.remove(link);
}

void SiteStructure::deletePageRow(PageNode& node) {
    // Through the data module, whose delete rule takes the page's sections and goods first.
    data_.STRUKTUR_SetHtmlID(node.id);
    if (!data_.qStruktur.isEmpty()) {
        data_.qStruktur.remove();
    }
    tree_.remove(node);
}

bool SiteStructure::deleteSelected(Prompter& prompter) {
    PageNode* doomed = tree_.find(link_.active ? link_.linkId : selected_);
    if (!doomed) {
        return false;
    }
    const auto pages = tree_.subtree(*doomed);
    const auto fixed = std::find_if(pages.begin(), pages.end(),
                                    [](const PageNode* p) { return !p->link && p->fixed(); });
    if (fixed != pages.end()) {
        prompter.warning(fixedPageRefusal(*doomed, **fixed));
        return false;
    }
    if (!prompter.confirmTwice(kDeleteQuestion, kDeleteWarning)) {
        return false;
    }

    changed_ = true;
    data_.previewCacheKey.clear();
    storage::TData2::PagePanelRefreshOff refreshOff(data_);
    storage::TData2::CascadeOff off(data_);
    // Sub-pages before their parents.
    std::vector<std::string> ids;
    for (auto it = pages.rbegin(); it != pages.rend(); ++it) {
        ids.push_back((*it)->id);
    }
    for (const auto& id : ids) {
        PageNode* page = tree_.find(id);
        if (!page) {
            continue; // went as a link page of a page deleted before
        }
        // Every link page that shows this page; for a link page, every link with its target.
        const std::string src = page->src;
        for (PageNode* link : tree_.linksWithSrcNoCase(src)) {
            removeLinkPage(*link);
        }
        if (PageNode* left = tree_.find(id)) {
            deletePageRow(*left);
        }
    }
    link_ = {};
    if (!tree_.find(selected_)) {
        selected_.clear();
    }
    return true;
}

} // namespace arkona::site
