#pragma once

#include "base/progress.h"
#include "site/page_tree.h"

#include <filesystem>
#include <string>
#include <vector>

namespace arkona::site {

// What loading the page tree had to repair.
struct LoadReport {
    // Rows whose parent was not in the tree when they were read: each got a new PORADI at the
    // end, and PARENT "0_" when its parent does not exist or is the row itself.
    std::vector<std::string> repaired;
    // Rows whose parents formed a cycle; each breaks one cycle by moving to the top level.
    std::vector<std::string> cycles;
    // Rows with an HTMLID met before or with none; they stay out of the tree.
    int skipped = 0;

    bool anyRepair() const { return !repaired.empty() || !cycles.empty(); }
};

// Where loading shows itself: a status text and a bar (both may be null).
struct LoadDisplay {
    StatusLine* status = nullptr;
    Progress* bar = nullptr;
};

inline constexpr const char* kPreparingTree =
    "Připravuji data pro zobrazení stromové struktury ...";
inline constexpr const char* kShapingTree = "Nastavuji vzhled stromu  ...";
inline constexpr const char* kErrorDetected = " BYLA DETEKOVÁNA CHYBA!";
inline constexpr const char* kRepaired = "   OPRAVENO!";
std::string
updatingTreeText(long long remaining); // "Aktualizuji stromovou strukturu. Zbývá N položek ..."
// The status after rows whose parents formed a cycle were moved to the top level.
std::string cycleRepairedText(const std::vector<std::string>& ids);

// Builds the page tree from struktur.dbf: rows in ascending PORADI, each under its parent.
// A row whose parent is not in the tree yet is repaired in the table (see LoadReport) and met
// again at the end; parents that form a cycle cannot stall the loading. A table whose rows all
// come after their parents is only read, never written. Nodes carry the stored EXPAND.
PageTree loadPageTree(const std::filesystem::path& strukturFile, LoadReport& report,
                      const LoadDisplay& display = {});

} // namespace arkona::site
