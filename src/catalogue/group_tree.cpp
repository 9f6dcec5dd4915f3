#include "catalogue/group_tree.h"

#include "base/error.h"

#include <algorithm>
#include <deque>
#include <functional>
#include <unordered_set>

namespace arkona::catalogue {

namespace {

// The groups of the table by PORADI, each number once (the first row of a number counts).
std::vector<Group> inOrder(std::vector<Group> rows) {
    std::stable_sort(rows.begin(), rows.end(),
                     [](const Group& a, const Group& b) { return a.poradi < b.poradi; });
    std::unordered_set<int> seen;
    std::vector<Group> out;
    for (auto& g : rows) {
        if (seen.insert(g.skupId).second) {
            out.push_back(std::move(g));
        }
    }
    return out;
}

// Members of cycles of parents among the groups still waiting.
std::unordered_set<int> cycleMembers(const std::deque<Group>& waiting) {
    std::unordered_map<int, int> parentOf;
    for (const auto& g : waiting) {
        parentOf.emplace(g.skupId, g.parent);
    }
    std::unordered_set<int> members;
    for (const auto& g : waiting) {
        int at = g.parent;
        for (size_t steps = 0; steps <= waiting.size(); ++steps) {
            if (at == g.skupId) {
                members.insert(g.skupId);
                break;
            }
            const auto it = parentOf.find(at);
            if (it == parentOf.end()) {
                break;
            }
            at = it->second;
        }
    }
    return members;
}

} // namespace

GroupTree::Built GroupTree::build(GroupTable& table) {
    const std::vector<Group> rows = inOrder(table.readAll());
    std::unordered_set<int> exists;
    for (const auto& g : rows) {
        exists.insert(g.skupId);
    }

    Built built;
    GroupTree& tree = built.tree;
    std::deque<Group> waiting;
    std::vector<Group> reserved;
    for (const auto& g : rows) {
        if (isReservedGroup(g.skupId)) {
            reserved.push_back(g);
        } else {
            waiting.push_back(g);
        }
    }
    std::unordered_map<int, int> parents;
    std::unordered_map<int, int> orders;
    const auto place = [&](const Group& g) {
        tree.nodes_.emplace(g.skupId, GroupNode{g.skupId, g.nazev, g.parent, g.expand, {}});
        tree.levelOf(g.parent).push_back(g.skupId);
    };
    size_t deferred = 0;
    while (!waiting.empty()) {
        Group g = std::move(waiting.front());
        waiting.pop_front();
        if (g.parent == 0 || tree.contains(g.parent)) {
            place(g);
            deferred = 0;
            continue;
        }
        if (!exists.contains(g.parent) || g.parent == g.skupId || !isOrdinaryGroup(g.parent)) {
            g.parent = 0;
            parents[g.skupId] = 0;
        }
        built.repaired = true;
        waiting.push_back(std::move(g));
        if (++deferred >= waiting.size()) {
            // A whole round without progress: the groups on a cycle of parents go to the top.
            const auto members = cycleMembers(waiting);
            for (auto& w : waiting) {
                if (members.contains(w.skupId)) {
                    w.parent = 0;
                    parents[w.skupId] = 0;
                }
            }
            deferred = 0;
        }
    }
    std::sort(reserved.begin(), reserved.end(),
              [](const Group& a, const Group& b) { return a.skupId < b.skupId; });
    for (Group g : reserved) {
        if (g.parent != 0) {
            parents[g.skupId] = 0;
            g.parent = 0;
        }
        place(g);
        orders[g.skupId] = g.skupId;
    }
    if (built.repaired) {
        tree.renumber(table);
    } else {
        table.storeOrder(parents, orders);
    }
    return built;
}

const GroupNode& GroupTree::node(int id) const {
    const auto it = nodes_.find(id);
    if (it == nodes_.end()) {
        throw Error("Skupina " + std::to_string(id) + " ve stromu není.");
    }
    return it->second;
}

std::vector<int>& GroupTree::levelOf(int parent) {
    return parent == 0 ? top_ : nodes_.at(parent).children;
}

const std::vector<int>& GroupTree::siblingsOf(int id) const {
    const int parent = node(id).parent;
    return parent == 0 ? top_ : node(parent).children;
}

std::vector<int> GroupTree::preorder() const {
    std::vector<int> out;
    out.reserve(nodes_.size());
    for (int id : top_) {
        const auto part = subtree(id);
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}

std::vector<int> GroupTree::subtree(int id) const {
    std::vector<int> out;
    std::vector<int> stack = {id};
    while (!stack.empty()) {
        const int at = stack.back();
        stack.pop_back();
        out.push_back(at);
        const auto& children = node(at).children;
        stack.insert(stack.end(), children.rbegin(), children.rend());
    }
    return out;
}

bool GroupTree::isInSubtree(int id, int root) const {
    for (int at = id; at != 0; at = node(at).parent) {
        if (at == root) {
            return true;
        }
    }
    return false;
}

std::unordered_map<int, int> GroupTree::numbering() const {
    std::unordered_map<int, int> out;
    int index = 0;
    for (int id : preorder()) {
        ++index;
        out[id] = isReservedGroup(id) ? id : index;
    }
    return out;
}

std::unordered_map<int, int> GroupTree::parents() const {
    std::unordered_map<int, int> out;
    for (const auto& [id, n] : nodes_) {
        out[id] = n.parent;
    }
    return out;
}

void GroupTree::renumber(GroupTable& table) const {
    table.storeOrder(parents(), numbering());
}

GroupTree::Slot GroupTree::mainGroupSlot(int selected) const {
    if (!contains(selected)) {
        return {};
    }
    if (isReservedGroup(selected)) {
        const auto first = std::find_if(top_.begin(), top_.end(), isReservedGroup);
        return {0, *first};
    }
    const GroupNode& n = node(selected);
    const auto& level = siblingsOf(selected);
    const auto at = std::find(level.begin(), level.end(), selected);
    return {n.parent, at + 1 == level.end() ? 0 : *(at + 1)};
}

void GroupTree::insertAt(int id, int parent, int before) {
    auto& level = levelOf(parent);
    auto at = before == 0 ? level.end() : std::find(level.begin(), level.end(), before);
    if (before == 0 && parent == 0 && !isReservedGroup(id)) {
        at = std::find_if(level.begin(), level.end(), isReservedGroup);
    }
    level.insert(at, id);
    nodes_.at(id).parent = parent;
}

void GroupTree::add(int id, std::string name, int parent, int before) {
    if (contains(id)) {
        throw Error("Skupina " + std::to_string(id) + " již ve stromu je.");
    }
    nodes_.emplace(id, GroupNode{id, std::move(name), parent, false, {}});
    insertAt(id, parent, before);
}

void GroupTree::rename(int id, std::string name) {
    nodes_.at(id).name = std::move(name);
}

void GroupTree::setExpanded(int id, bool expanded) {
    if (auto it = nodes_.find(id); it != nodes_.end()) {
        it->second.expand = expanded;
    }
}

void GroupTree::detach(int id) {
    auto& level = levelOf(node(id).parent);
    level.erase(std::remove(level.begin(), level.end(), id), level.end());
}

void GroupTree::remove(int id) {
    const auto doomed = subtree(id);
    detach(id);
    for (int d : doomed) {
        nodes_.erase(d);
    }
}

std::optional<std::string> GroupTree::refuseMove(int id, int target, GroupPlace place) const {
    if (isReservedGroup(id)) {
        return kReservedNotMoved;
    }
    if (isInSubtree(target, id)) {
        return kMoveIntoItself;
    }
    if (place == GroupPlace::Under && isReservedGroup(target)) {
        return kReservedNoSubgroups;
    }
    return std::nullopt;
}

void GroupTree::move(int id, int target, GroupPlace place) {
    if (const auto why = refuseMove(id, target, place)) {
        throw Error(*why);
    }
    detach(id);
    if (place == GroupPlace::Under) {
        auto& children = nodes_.at(target).children;
        children.insert(children.begin(), id);
        nodes_.at(id).parent = target;
        return;
    }
    const int parent = node(target).parent;
    if (isReservedGroup(target)) {
        // The reserved groups stay last: before the first of them.
        insertAt(id, 0, 0);
        return;
    }
    const auto& level = levelOf(parent);
    const auto at = std::find(level.begin(), level.end(), target);
    const int before =
        place == GroupPlace::Before ? target : (at + 1 == level.end() ? 0 : *(at + 1));
    insertAt(id, parent, before);
}

} // namespace arkona::catalogue
