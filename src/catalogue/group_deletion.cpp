#include "catalogue/group_deletion.h"

#include "base/dbf/table.h"
#include "base/error.h"
#include "base/textcase.h"
#include "catalogue/item_batches.h"
#include "catalogue/tables.h"
#include "storage/project_context.h"
#include "storage/schema.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace arkona::catalogue {

namespace {

// The items of the groups: codes, and places of code-less rows.
std::unordered_map<int, ItemSelection> itemsOf(const storage::ProjectContext& project,
                                               const std::vector<int>& groups) {
    std::unordered_map<int, ItemSelection> items;
    for (int id : groups) {
        items[id].group = id;
    }
    const auto table =
        dbf::Table::open(projectTable(project, storage::kKatalog), dbf::OpenMode::ReadOnly);
    const int skupid = table.fieldIndex("SKUPID");
    const int kod = table.fieldIndex("KOD");
    table.scan([&](const dbf::Record& r) {
        const auto it = items.find(static_cast<int>(r.integer(skupid).value_or(0)));
        if (it == items.end()) {
            return true;
        }
        const std::string code = r.text(kod);
        if (text::trim(code).empty()) {
            it->second.codeless.push_back(r.recno());
        } else {
            it->second.codes.add(code);
        }
        return true;
    });
    return items;
}

} // namespace

GroupDeletion deleteGroup(const storage::ProjectContext& project, GroupTable& table,
                          GroupTree& tree, int id, Prompter& prompter, Progress& progress) {
    if (!isOrdinaryGroup(id) || !tree.contains(id)) {
        throw Error("Tuto skupinu nelze odstranit!");
    }
    GroupDeletion result;
    const std::vector<int> groups = tree.subtree(id);
    auto items = itemsOf(project, groups);

    ProgressSetup setup;
    setup.title = kDeleteGroupsTitle;
    setup.cancelButton = true;
    setup.bars = ProgressBars::None;
    setup.animation = ProgressAnimation::None;
    progress.start(setup);

    // Every question first: a "no" leaves everything as it was.
    for (int group : groups) {
        const std::string& name = tree.node(group).name;
        progress.setMessage("Čekejte prosím, kontroluji skupinu " + name + " ...");
        if (!items[group].empty() && !prompter.questionYesNo("Skupina " + name +
                                                             " obsahuje zboží!\rChcete skupinu i "
                                                             "zboží opravdu odstranit?")) {
            progress.finish();
            result.refused = true;
            return result;
        }
    }

    // Deepest first, so a cancel leaves every remaining group with its parent.
    NoProgress quiet;
    for (auto it = groups.rbegin(); it != groups.rend(); ++it) {
        if (progress.cancelRequested()) {
            result.cancelled = true;
            break;
        }
        const int group = *it;
        const std::string name = tree.node(group).name;
        if (!items[group].empty()) {
            progress.setMessage("Čekejte prosím, odstraňuji zboží ze skupiny " + name + " ...");
            result.deletedItems += deleteItems(project, items[group], quiet).items;
        }
        progress.setMessage("Čekejte prosím, ostraňuji skupinu " + name + " ...");
        table.remove({group});
        tree.remove(group);
        result.deletedGroups.push_back(group);
    }
    progress.finish();
    return result;
}

} // namespace arkona::catalogue
