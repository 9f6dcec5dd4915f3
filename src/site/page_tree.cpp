#include "site/page_tree.h"

#include "base/textcase.h"

#include <algorithm>
#include <stdexcept>

namespace arkona::site {

namespace {

bool inTableOrder(const PageNode* a, const PageNode* b) {
    return a->recno < b->recno;
}

} // namespace

// ---------------------------------------------------------------- reading

const std::vector<PageNode*>& PageTree::children(const PageNode* parent) const {
    return parent ? parent->children : top_;
}

PageNode* PageTree::find(std::string_view id) const {
    const auto it = nodes_.find(std::string(id));
    return it == nodes_.end() ? nullptr : it->second.get();
}

const std::vector<PageNode*>& PageTree::preorder() const {
    if (preorderValid_) {
        return preorder_;
    }
    preorder_.clear();
    preorder_.reserve(nodes_.size());
    // An explicit stack: deep trees must not exhaust the call stack.
    std::vector<PageNode*> stack(top_.rbegin(), top_.rend());
    while (!stack.empty()) {
        PageNode* node = stack.back();
        stack.pop_back();
        node->position_ = preorder_.size();
        preorder_.push_back(node);
        stack.insert(stack.end(), node->children.rbegin(), node->children.rend());
    }
    preorderValid_ = true;
    return preorder_;
}

PageNode* PageTree::atPosition(long long poradi) const {
    const auto& walk = preorder();
    if (poradi < 1 || poradi > static_cast<long long>(walk.size())) {
        return nullptr;
    }
    return walk[static_cast<size_t>(poradi - 1)];
}

size_t PageTree::position(const PageNode& node) const {
    preorder();
    return node.position_;
}

int PageTree::depth(const PageNode& node) const {
    int d = 0;
    for (const PageNode* p = node.parent; p; p = p->parent) {
        ++d;
    }
    return d;
}

std::vector<PageNode*> PageTree::ancestors(const PageNode& node) const {
    std::vector<PageNode*> chain;
    for (PageNode* p = node.parent; p; p = p->parent) {
        chain.push_back(p);
    }
    return chain;
}

bool PageTree::isWithin(const PageNode& node, const PageNode& root) const {
    for (const PageNode* p = &node; p; p = p->parent) {
        if (p == &root) {
            return true;
        }
    }
    return false;
}

size_t PageTree::indexInParent(const PageNode& node) const {
    const auto& siblings = children(node.parent);
    return static_cast<size_t>(std::find(siblings.begin(), siblings.end(), &node) -
                               siblings.begin());
}

PageNode* PageTree::nextSibling(const PageNode& node) const {
    const auto& siblings = children(node.parent);
    const size_t i = indexInParent(node);
    return i + 1 < siblings.size() ? siblings[i + 1] : nullptr;
}

std::vector<PageNode*> PageTree::subtree(const PageNode& root) const {
    const auto& walk = preorder();
    const size_t first = root.position_;
    const int rootDepth = depth(root);
    size_t last = first + 1;
    while (last < walk.size() && depth(*walk[last]) > rootDepth) {
        ++last;
    }
    return {walk.begin() + static_cast<std::ptrdiff_t>(first),
            walk.begin() + static_cast<std::ptrdiff_t>(last)};
}

bool PageTree::numbered() const {
    const auto& walk = preorder();
    for (size_t i = 0; i < walk.size(); ++i) {
        if (walk[i]->order != static_cast<double>(i + 1)) {
            return false;
        }
    }
    return true;
}

PageNode* PageTree::pageWithSrc(std::string_view src) const {
    const auto it = bySrc_.find(text::toUpper(src));
    if (it == bySrc_.end()) {
        return nullptr;
    }
    for (PageNode* node : it->second) {
        if (!node->link && node->src == src) {
            return node;
        }
    }
    return nullptr;
}

PageNode* PageTree::linkTarget(const PageNode& link) const {
    return pageWithSrc(link.src);
}

std::vector<PageNode*> PageTree::linksWithSrcNoCase(std::string_view src) const {
    std::vector<PageNode*> links;
    const auto it = bySrc_.find(text::toUpper(src));
    if (it != bySrc_.end()) {
        for (PageNode* node : it->second) {
            if (node->link) {
                links.push_back(node);
            }
        }
    }
    return links;
}

// ---------------------------------------------------------------- changing

void PageTree::index(PageNode& node) {
    auto& list = bySrc_[text::toUpper(node.src)];
    list.insert(std::upper_bound(list.begin(), list.end(), &node, inTableOrder), &node);
}

void PageTree::unindex(const PageNode& node) {
    const auto it = bySrc_.find(text::toUpper(node.src));
    if (it == bySrc_.end()) {
        return;
    }
    std::erase(it->second, &node);
    if (it->second.empty()) {
        bySrc_.erase(it);
    }
}

PageNode& PageTree::insert(PageNode data, PageNode* parent, PageNode* before) {
    if (nodes_.contains(data.id)) {
        throw std::logic_error("page tree: the identifier " + data.id + " is already there");
    }
    auto owned = std::make_unique<PageNode>(std::move(data));
    PageNode& node = *owned;
    node.parent = parent;
    node.children.clear();
    auto& siblings = siblingsOf(parent);
    const auto at = before ? std::find(siblings.begin(), siblings.end(), before) : siblings.end();
    siblings.insert(at, &node);
    nodes_.emplace(node.id, std::move(owned));
    index(node);
    shapeChanged();
    if (observer_) {
        observer_->nodeInserted(node);
    }
    return node;
}

void PageTree::move(PageNode& node, PageNode* parent, PageNode* before) {
    if (parent && isWithin(*parent, node)) {
        throw std::logic_error("page tree: a page cannot move below itself");
    }
    if (before == &node) {
        before = nextSibling(node);
    }
    std::erase(siblingsOf(node.parent), &node);
    node.parent = parent;
    auto& siblings = siblingsOf(parent);
    const auto at = before ? std::find(siblings.begin(), siblings.end(), before) : siblings.end();
    siblings.insert(at, &node);
    shapeChanged();
    if (observer_) {
        observer_->nodeMoved(node);
    }
}

void PageTree::remove(PageNode& node) {
    if (observer_) {
        observer_->nodeRemoving(node);
    }
    std::erase(siblingsOf(node.parent), &node);
    // Children first, from a copy: each removal changes the list.
    std::vector<PageNode*> doomed = {&node};
    for (size_t i = 0; i < doomed.size(); ++i) {
        doomed.insert(doomed.end(), doomed[i]->children.begin(), doomed[i]->children.end());
    }
    for (PageNode* n : doomed) {
        unindex(*n);
    }
    for (PageNode* n : doomed) {
        nodes_.erase(n->id);
    }
    shapeChanged();
}

void PageTree::setTitle(PageNode& node, std::string title) {
    node.title = std::move(title);
    if (observer_) {
        observer_->nodeChanged(node);
    }
}

void PageTree::setExpanded(PageNode& node, bool expanded) {
    if (node.expanded == expanded) {
        return;
    }
    node.expanded = expanded;
    if (observer_) {
        observer_->nodeChanged(node);
    }
}

void PageTree::clear() {
    nodes_.clear();
    top_.clear();
    bySrc_.clear();
    preorder_.clear();
    shapeChanged();
    if (observer_) {
        observer_->treeReset();
    }
}

} // namespace arkona::site
