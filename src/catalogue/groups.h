#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace arkona::dbf {
class Record;
}

namespace arkona::catalogue {

// The reserved groups of the import.
inline constexpr int kImportGroup = 9998;      // "_Import"
inline constexpr int kImportErrorGroup = 9999; // "_Import - chyby"
inline constexpr const char* kImportGroupName = "_Import";
inline constexpr const char* kImportErrorGroupName = "_Import - chyby";

bool isReservedGroup(int id);
// 1..9997: may be edited, deleted and have subgroups.
bool isOrdinaryGroup(int id);

// One group of the catalogue (a row of skupiny.dbf) with the presets of new items.
struct Group {
    int skupId = 0;
    std::string nazev;
    int distId = 0;
    std::string nIdph = "H"; // "0", "L", "H"
    std::string round = "2"; // "0", "1", "2"
    bool recNc = true;
    bool recDc = true;
    bool recM = true;
    double sleva = 0;
    int parent = 0;
    int poradi = 0;
    bool expand = false;
};

// "Hlavní skupinu": a sibling of the selected group with the standard presets.
Group mainGroupPresets(int parent);
// "Podskupinu": a child that takes the presets of its parent.
Group subgroupPresets(const Group& parent);

Group readGroup(const dbf::Record& row);

// The statements on skupiny.dbf (and what a new key must avoid in katalog.dbf).
class GroupTable {
public:
    GroupTable(std::filesystem::path skupiny, std::filesystem::path katalog);

    const std::filesystem::path& file() const { return skupiny_; }

    // Every group with a number, in file order.
    std::vector<Group> readAll() const;
    std::optional<Group> read(int id) const;

    // The number of a new ordinary group: one above the largest ordinary number that a group or
    // an item uses (so a new group never takes over items left with the number of a deleted
    // one); when that reaches the reserved numbers, the lowest number nobody uses. Throws when
    // all 9997 are taken.
    int nextId() const;
    // One above the largest PORADI of the ordinary groups.
    int nextOrder() const;

    void insert(const Group& group);
    // Stores name, presets and parent of the group with that number ("Update failed" unless
    // exactly one row has it).
    void update(const Group& group);
    // Stores PARENT and PORADI of every group the maps name, in one pass; rows that already hold
    // the values are not written. Returns the rows written.
    int storeOrder(const std::unordered_map<int, int>& parents,
                   const std::unordered_map<int, int>& orders);
    // Sets EXPAND of every group to whether it is in `expanded`, in one pass.
    int storeExpanded(const std::unordered_set<int>& expanded);
    // Deletes the rows of these groups, in one pass.
    int remove(const std::unordered_set<int>& ids);

    // Creates the reserved groups that are missing, top-level and with their names; true when
    // one was created.
    bool ensureReservedGroups();

private:
    std::filesystem::path skupiny_;
    std::filesystem::path katalog_;
};

} // namespace arkona::catalogue
