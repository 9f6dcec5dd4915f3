#pragma once

#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace arkona::site {

// The parent identifier of every top-level page.
inline constexpr const char* kTopLevel = "0_";
// Pages numbered up to this one come with every project and cannot be deleted.
inline constexpr long long kLastFixedPage = 6;
inline constexpr std::uint32_t kNoRow = std::numeric_limits<std::uint32_t>::max();

// One page or link page of the site: what the tree needs of its row in struktur.dbf.
// Texts are trimmed; `order` is PORADI as stored, `recno` the row's place in the table file.
struct PageNode {
    std::string id;    // HTMLID, "12_"
    std::string title; // POPIS
    std::string src;   // SRC: base name of the page's file
    std::string path;  // PATH: "/a/b" or empty
    std::string disk;  // DISK: "\a\b" or empty
    bool link = false;
    bool expanded = false;
    long long number = 0; // N_HTMLID
    double order = 0;     // PORADI
    std::uint32_t recno = kNoRow;

    PageNode* parent = nullptr; // nullptr for a top-level page
    std::vector<PageNode*> children;

    std::string parentId() const { return parent ? parent->id : kTopLevel; }
    bool fixed() const { return number <= kLastFixedPage; }
    // The page's file as a URL from the site root: PATH + "/" + SRC + ".htm".
    std::string urlPath() const { return path + "/" + src + ".htm"; }

private:
    friend class PageTree;
    mutable size_t position_ = 0; // in the pre-order walk, while the walk is valid
};

// What a view of the tree hears about its changes. A move reports the node at its new place
// with its sub-tree; removing reports the node while it and its sub-tree are still there.
class PageTreeObserver {
public:
    virtual ~PageTreeObserver() = default;
    virtual void treeReset() {}
    virtual void nodeInserted(const PageNode&) {}
    virtual void nodeMoved(const PageNode&) {}
    virtual void nodeRemoving(const PageNode&) {}
    virtual void nodeChanged(const PageNode&) {}
};

// The page tree of a site in memory, without any window and without the table: nodes found by
// HTMLID in constant time and by order number through the pre-order walk, children in tree
// order, depth and parent chains. The generator, the preview, the command line and the main
// window all use it.
//
// The walk visits a page before its children, children in tree order, top-level pages in tree
// order; after renumbering, a page's PORADI is its 1-based position in this walk, so
// atPosition(PORADI) is the page. numbered() says whether that holds now.
//
// A tree comes from loadPageTree (tree_loader.h: the page table of a project, repaired) or from
// the SiteStructure of the open project (site_structure.h), which keeps it in step with every
// change; SiteStructure::optimise renumbers it, after which atPosition and PORADI agree.
class PageTree {
public:
    PageTree() = default;
    PageTree(PageTree&&) noexcept = default;
    PageTree& operator=(PageTree&&) noexcept = default;
    PageTree(const PageTree&) = delete;
    PageTree& operator=(const PageTree&) = delete;

    // ------------------------------------------------------------ reading
    size_t size() const { return nodes_.size(); }
    bool empty() const { return nodes_.empty(); }
    // The children of `parent` in tree order; nullptr for the top level.
    const std::vector<PageNode*>& children(const PageNode* parent) const;
    const std::vector<PageNode*>& topLevel() const { return top_; }
    PageNode* find(std::string_view id) const;
    // Every node in pre-order; valid until the next change of the tree's shape.
    const std::vector<PageNode*>& preorder() const;
    // Node number `poradi` - 1 of the walk; nullptr outside 1..size().
    PageNode* atPosition(long long poradi) const;
    // 0-based position of the node in the walk.
    size_t position(const PageNode& node) const;
    // 0 for a top-level page.
    int depth(const PageNode& node) const;
    // The parent, its parent, ... up to the top-level page.
    std::vector<PageNode*> ancestors(const PageNode& node) const;
    // True when `node` is `root` or lies below it.
    bool isWithin(const PageNode& node, const PageNode& root) const;
    size_t indexInParent(const PageNode& node) const;
    PageNode* nextSibling(const PageNode& node) const;
    // The node with its whole sub-tree, in pre-order.
    std::vector<PageNode*> subtree(const PageNode& root) const;
    // Every stored PORADI equals the page's position in the walk plus one.
    bool numbered() const;

    // The page a link page shows: the non-link page whose SRC equals the link's SRC exactly
    // (the first one in the table when several do). nullptr when there is none.
    PageNode* linkTarget(const PageNode& link) const;
    // Non-link pages with exactly this SRC, and link pages whose SRC equals `src` without regard
    // to letter case, each in table order.
    PageNode* pageWithSrc(std::string_view src) const;
    std::vector<PageNode*> linksWithSrcNoCase(std::string_view src) const;

    // ------------------------------------------------------------ changing
    // Places a new node as the child of `parent` (nullptr: top level) in front of `before`
    // (nullptr: at the end). The identifier must be new.
    PageNode& insert(PageNode node, PageNode* parent, PageNode* before = nullptr);
    // Moves a node with its sub-tree. Refuses (std::logic_error) a parent inside the node.
    void move(PageNode& node, PageNode* parent, PageNode* before);
    // Removes the node with its sub-tree.
    void remove(PageNode& node);
    void setTitle(PageNode& node, std::string title);
    void setExpanded(PageNode& node, bool expanded);
    void clear();

    // One view may listen; it survives clear() and is handed on by a move assignment's caller.
    void setObserver(PageTreeObserver* observer) { observer_ = observer; }
    PageTreeObserver* observer() const { return observer_; }

private:
    void shapeChanged() { preorderValid_ = false; }
    std::vector<PageNode*>& siblingsOf(PageNode* parent) {
        return parent ? parent->children : top_;
    }
    void index(PageNode& node);
    void unindex(const PageNode& node);

    std::unordered_map<std::string, std::unique_ptr<PageNode>> nodes_;
    std::vector<PageNode*> top_;
    // Upper-case SRC -> the pages with it, in table order.
    std::unordered_map<std::string, std::vector<PageNode*>> bySrc_;
    mutable std::vector<PageNode*> preorder_;
    mutable bool preorderValid_ = false;
    PageTreeObserver* observer_ = nullptr;
};

} // namespace arkona::site
