#pragma once

#include "catalogue/groups.h"

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace arkona::catalogue {

struct GroupNode {
    int id = 0;
    std::string name;
    int parent = 0; // 0 at the top level
    bool expand = false;
    std::vector<int> children;
};

// Where a dragged group goes relative to the group it was dropped on.
enum class GroupPlace { Before, After, Under };

// The tree of groups as the catalogue window shows it: ordinary groups in their order, the
// reserved groups last at the top level.
class GroupTree {
public:
    // Builds the tree from the table. A group met before its parent waits until the parent is
    // in the tree; a group whose parent does not exist, is itself, is a reserved group or lies
    // on a cycle of parents goes to the top level. Repairs are stored, and the whole order is
    // then renumbered. The reserved groups always get PORADI 9998 and 9999.
    struct Built;
    static Built build(GroupTable& table);

    bool contains(int id) const { return nodes_.contains(id); }
    const GroupNode& node(int id) const;
    const std::vector<int>& topLevel() const { return top_; }
    const std::vector<int>& siblingsOf(int id) const;
    int size() const { return static_cast<int>(nodes_.size()); }

    // Every group in tree order (parents before children).
    std::vector<int> preorder() const;
    // The group and its descendants in tree order.
    std::vector<int> subtree(int id) const;
    bool isInSubtree(int id, int root) const;

    // PORADI of every group as the renumbering gives it: ordinary groups their 1-based place in
    // tree order, the reserved groups their number.
    std::unordered_map<int, int> numbering() const;
    std::unordered_map<int, int> parents() const;
    // Stores PARENT and PORADI of every group as the tree has them (one pass).
    void renumber(GroupTable& table) const;

    // Where "Hlavní skupinu" puts a new group when `selected` is selected: its parent, and the
    // sibling it goes before (0: at the end of that level). Right after the selected group;
    // before the reserved groups when one of them is selected.
    struct Slot {
        int parent = 0;
        int before = 0;
    };
    Slot mainGroupSlot(int selected) const;

    // Adds a group before the sibling `before` (0: as the last one of its level, but always
    // before the reserved groups).
    void add(int id, std::string name, int parent, int before = 0);
    void rename(int id, std::string name);
    void setExpanded(int id, bool expanded);
    // Removes the group with its subtree.
    void remove(int id);

    // Why moving `id` to `target` is refused, or nothing when it may move: a reserved group,
    // the group itself or one of its descendants as the target, under a reserved group.
    std::optional<std::string> refuseMove(int id, int target, GroupPlace place) const;
    // Moves the group (precondition: refuseMove gave nothing). Before or after the target: a
    // sibling of it (after a reserved group means before the reserved groups); under: its
    // first child.
    void move(int id, int target, GroupPlace place);

private:
    std::vector<int>& levelOf(int parent);
    void insertAt(int id, int parent, int before);
    void detach(int id);

    std::unordered_map<int, GroupNode> nodes_;
    std::vector<int> top_;
};

struct GroupTree::Built {
    GroupTree tree;
    bool repaired = false;
};

inline constexpr const char* kMoveIntoItself = "Skupinu nelze přesunout do ní samotné ani do "
                                               "jejích podskupin!";
inline constexpr const char* kReservedNotMoved = "Tuto skupinu nelze přesunout!";
inline constexpr const char* kReservedNoSubgroups = "Tato skupina nemůže mít podskupiny!";

} // namespace arkona::catalogue
