#include "base/error.h"
#include "site/page_rows.h"
#include "site/site_structure.h"

#include <algorithm>

namespace arkona::site {

namespace {

constexpr const char* kIntoItself =
    "Stránku nelze přesunout na ni samotnou ani do žádné z jejích podstránek.";
constexpr const char* kUnderLink = "Pod odkaz na stránku nelze vkládat další stránky.";

} // namespace

std::vector<MoveKind> SiteStructure::dropKinds(const std::string& draggedId,
                                               const std::string& targetId) const {
    const PageNode* dragged = tree_.find(draggedId);
    const PageNode* target = tree_.find(targetId);
    if (!dragged || !target || tree_.isWithin(*target, *dragged)) {
        return {};
    }
    std::vector<MoveKind> kinds = {MoveKind::Before, MoveKind::After};
    // A link page is never dragged under another page, and nothing goes under a link page.
    if (!dragged->link && !target->link) {
        kinds.push_back(MoveKind::Under);
    }
    return kinds;
}

void SiteStructure::move(const std::string& draggedId, const std::string& targetId, MoveKind kind) {
    PageNode* dragged = tree_.find(draggedId);
    PageNode* target = tree_.find(targetId);
    if (!dragged || !target) {
        throw Error("Přesouvaná stránka již ve stromu není.");
    }
    if (tree_.isWithin(*target, *dragged)) {
        throw Error(kIntoItself);
    }
    const auto kinds = dropKinds(draggedId, targetId);
    if (std::find(kinds.begin(), kinds.end(), kind) == kinds.end()) {
        throw Error(kUnderLink);
    }

    storage::TData2::CascadeOff off(data_);
    changed_ = true;
    data_.previewCacheKey.clear();
    double next = largestOrder(strukturFile()) + 1;
    PageNode* parent = kind == MoveKind::Under ? target : target->parent;
    PageRowWriter writer(strukturFile());
    writer.set(dragged->recno, dragged->id,
               {{"PARENT", parent ? parent->id : std::string(kTopLevel)}, {"PORADI", next}});
    dragged->order = next;

    PageNode* before = nullptr;
    switch (kind) {
    case MoveKind::Before:
        before = target;
        break;
    case MoveKind::After:
        before = tree_.nextSibling(*target);
        break;
    case MoveKind::Under:
        before = target->children.empty() ? nullptr : target->children.front();
        break;
    }
    tree_.move(*dragged, parent, before);

    // Only what must follow the moved page is renumbered: its own sub-tree, then the first page
    // after it that is not below it together with that page's following siblings. The full
    // renumbering waits for the next optimisation.
    std::vector<PageNode*> renumbered;
    const auto& walk = tree_.preorder();
    const int level = tree_.depth(*dragged);
    size_t at = tree_.position(*dragged) + 1;
    while (at < walk.size() && tree_.depth(*walk[at]) > level) {
        renumbered.push_back(walk[at++]);
    }
    if (at < walk.size()) {
        const auto& siblings = tree_.children(walk[at]->parent);
        const auto first =
            siblings.begin() + static_cast<std::ptrdiff_t>(tree_.indexInParent(*walk[at]));
        renumbered.insert(renumbered.end(), first, siblings.end());
    }
    for (PageNode* node : renumbered) {
        node->order = ++next;
        writer.set(node->recno, node->id, {{"PORADI", next}});
    }
}

} // namespace arkona::site
