#pragma once

#include "base/progress.h"
#include "base/prompter.h"
#include "catalogue/group_tree.h"

#include <vector>

namespace arkona::storage {
struct ProjectContext;
}

namespace arkona::catalogue {

inline constexpr const char* kDeleteGroupQuestion = "Opravdu chcete tuto skupinu zrušit?";
inline constexpr const char* kDeleteGroupWarning =
    "Pokud chcete opravdu vymazat skupinu z katalogu, potvrďte tlačítko OK!\r\rToto je nevratná "
    "operace!";
inline constexpr const char* kDeleteGroupsTitle = "Odstranění skupin(y) z katalogu";

struct GroupDeletion {
    bool refused = false;   // a "no" to one of the groups with items: nothing was deleted
    bool cancelled = false; // stopped by the cancel button
    std::vector<int> deletedGroups;
    int deletedItems = 0;
};

// Deletes an ordinary group with its subgroups (after the caller's two questions). First every
// group of the subtree is checked and, when it holds items, the user is asked "Skupina …
// obsahuje zboží!"; a "no" stops before anything is deleted. Then, deepest groups first, each
// group's items go in batches of 100 codes with their page products and components, and the
// group follows; a cancel stops before the next group, and what was deleted stays deleted.
// Deleted groups leave the tree.
GroupDeletion deleteGroup(const storage::ProjectContext& project, GroupTable& table,
                          GroupTree& tree, int id, Prompter& prompter, Progress& progress);

} // namespace arkona::catalogue
