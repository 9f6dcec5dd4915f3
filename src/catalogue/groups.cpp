#include "catalogue/groups.h"

#include "base/dbf/table.h"
#include "base/error.h"
#include "base/textcase.h"
#include "storage/statements.h"

#include <algorithm>
#include <vector>

namespace arkona::catalogue {

namespace {

using storage::Assignment;
using storage::Condition;

int whole(const dbf::Record& r, const char* column) {
    return static_cast<int>(r.integerOr(column, 0));
}

std::vector<Assignment> groupValues(const Group& g) {
    return {{"SKUPID", double(g.skupId)}, {"NAZEV", g.nazev},
            {"DISTID", double(g.distId)}, {"N_IDPH", g.nIdph},
            {"ROUND", g.round},           {"REC_NC", g.recNc},
            {"REC_DC", g.recDc},          {"REC_M", g.recM},
            {"SLEVA", g.sleva},           {"PARENT", double(g.parent)},
            {"PORADI", double(g.poradi)}, {"EXPAND", g.expand}};
}

} // namespace

bool isReservedGroup(int id) {
    return id == kImportGroup || id == kImportErrorGroup;
}

bool isOrdinaryGroup(int id) {
    return id >= 1 && id < kImportGroup;
}

Group mainGroupPresets(int parent) {
    Group g;
    g.parent = parent;
    return g;
}

Group subgroupPresets(const Group& parent) {
    Group g;
    g.parent = parent.skupId;
    g.distId = parent.distId;
    g.nIdph = parent.nIdph;
    g.sleva = parent.sleva;
    g.recNc = parent.recNc;
    g.recDc = parent.recDc;
    g.recM = parent.recM;
    g.round = parent.round;
    return g;
}

Group readGroup(const dbf::Record& r) {
    Group g;
    g.skupId = whole(r, "SKUPID");
    g.nazev = r.text("NAZEV");
    g.distId = whole(r, "DISTID");
    g.nIdph = std::string(text::trim(r.text("N_IDPH")));
    g.round = std::string(text::trim(r.text("ROUND")));
    g.recNc = r.isTrue("REC_NC");
    g.recDc = r.isTrue("REC_DC");
    g.recM = r.isTrue("REC_M");
    g.sleva = r.numberOr("SLEVA");
    g.parent = whole(r, "PARENT");
    g.poradi = whole(r, "PORADI");
    g.expand = r.isTrue("EXPAND");
    return g;
}

GroupTable::GroupTable(std::filesystem::path skupiny, std::filesystem::path katalog)
    : skupiny_(std::move(skupiny)), katalog_(std::move(katalog)) {}

std::vector<Group> GroupTable::readAll() const {
    const auto table = dbf::Table::open(skupiny_, dbf::OpenMode::ReadOnly);
    std::vector<Group> groups;
    table.scan([&](const dbf::Record& r) {
        if (!r.isBlank("SKUPID")) {
            groups.push_back(readGroup(r));
        }
        return true;
    });
    return groups;
}

std::optional<Group> GroupTable::read(int id) const {
    const auto table = dbf::Table::open(skupiny_, dbf::OpenMode::ReadOnly);
    const auto rows = storage::findRows(table, {{"SKUPID", double(id)}});
    if (rows.empty()) {
        return std::nullopt;
    }
    return readGroup(table.read(rows.front()));
}

int GroupTable::nextId() const {
    std::vector<bool> used(kImportGroup, false);
    int largest = 0;
    const auto note = [&](const dbf::Record& r) {
        const int id = whole(r, "SKUPID");
        if (isOrdinaryGroup(id)) {
            used[static_cast<size_t>(id)] = true;
            largest = std::max(largest, id);
        }
        return true;
    };
    dbf::Table::open(skupiny_, dbf::OpenMode::ReadOnly).scan(note);
    dbf::Table::open(katalog_, dbf::OpenMode::ReadOnly).scan(note);
    if (largest + 1 < kImportGroup) {
        return largest + 1;
    }
    for (int id = 1; id < kImportGroup; ++id) {
        if (!used[static_cast<size_t>(id)]) {
            return id;
        }
    }
    throw Error("Katalog již obsahuje největší možný počet skupin, novou skupinu nelze přidat!");
}

int GroupTable::nextOrder() const {
    int largest = 0;
    dbf::Table::open(skupiny_, dbf::OpenMode::ReadOnly).scan([&](const dbf::Record& r) {
        if (isOrdinaryGroup(whole(r, "SKUPID"))) {
            largest = std::max(largest, whole(r, "PORADI"));
        }
        return true;
    });
    return largest + 1;
}

void GroupTable::insert(const Group& group) {
    storage::insertRow(skupiny_, groupValues(group));
}

void GroupTable::update(const Group& group) {
    auto values = groupValues(group);
    // PORADI and EXPAND belong to the tree.
    values.erase(std::remove_if(values.begin(), values.end(),
                                [](const Assignment& a) {
                                    return a.column == "PORADI" || a.column == "EXPAND";
                                }),
                 values.end());
    storage::updateOne(skupiny_, {{"SKUPID", double(group.skupId)}}, values);
}

int GroupTable::storeOrder(const std::unordered_map<int, int>& parents,
                           const std::unordered_map<int, int>& orders) {
    return storage::updateWhere(skupiny_, [&](dbf::Record& r) {
        if (r.isBlank("SKUPID")) {
            return false;
        }
        const int id = whole(r, "SKUPID");
        bool changed = false;
        if (const auto p = parents.find(id);
            p != parents.end() && (r.isBlank("PARENT") || whole(r, "PARENT") != p->second)) {
            r.setNumber("PARENT", p->second);
            changed = true;
        }
        if (const auto o = orders.find(id);
            o != orders.end() && (r.isBlank("PORADI") || whole(r, "PORADI") != o->second)) {
            r.setNumber("PORADI", o->second);
            changed = true;
        }
        return changed;
    });
}

int GroupTable::storeExpanded(const std::unordered_set<int>& expanded) {
    return storage::updateWhere(skupiny_, [&](dbf::Record& r) {
        const bool on = !r.isBlank("SKUPID") && expanded.contains(whole(r, "SKUPID"));
        if (r.logical("EXPAND") == std::optional<bool>(on)) {
            return false;
        }
        r.setLogical("EXPAND", on);
        return true;
    });
}

int GroupTable::remove(const std::unordered_set<int>& ids) {
    return storage::deleteWhere(skupiny_, [&](const dbf::Record& r) {
        return !r.isBlank("SKUPID") && ids.contains(whole(r, "SKUPID"));
    });
}

bool GroupTable::ensureReservedGroups() {
    bool found[2] = {false, false};
    dbf::Table::open(skupiny_, dbf::OpenMode::ReadOnly).scan([&](const dbf::Record& r) {
        const int id = whole(r, "SKUPID");
        if (isReservedGroup(id)) {
            found[id - kImportGroup] = true;
        }
        return true;
    });
    std::vector<std::vector<Assignment>> rows;
    for (int id : {kImportGroup, kImportErrorGroup}) {
        if (found[id - kImportGroup]) {
            continue;
        }
        Group g = mainGroupPresets(0);
        g.skupId = id;
        g.nazev = id == kImportGroup ? kImportGroupName : kImportErrorGroupName;
        g.poradi = id;
        rows.push_back(groupValues(g));
    }
    storage::insertRows(skupiny_, rows);
    return !rows.empty();
}

} // namespace arkona::catalogue
