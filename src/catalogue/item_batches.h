#pragma once

#include "base/progress.h"
#include "catalogue/code_set.h"

#include <cstdint>
#include <vector>

namespace arkona::storage {
struct ProjectContext;
}

namespace arkona::catalogue {

// Marked items of one group: their codes in list order, and the places in katalog.dbf of those
// that have no code (faulty imported rows), which no code can name.
struct ItemSelection {
    int group = 0;
    CodeSet codes;
    std::vector<std::uint32_t> codeless;

    bool empty() const { return codes.empty() && codeless.empty(); }
    std::size_t size() const { return codes.size() + codeless.size(); }
};

struct BatchCounts {
    int items = 0;
    int products = 0;
    int components = 0;
    bool cancelled = false;
};

inline constexpr const char* kDeleteOneQuestion =
    "Opravdu chcete toto zboží z katalogu odstranit?\rToto zboží bude odstraněno i ze stránek!";
inline constexpr const char* kDeleteManyQuestion =
    "Opravdu chcete VŠECHNO OZNAČENÉ zboží z katalogu odstranit? \rToto zboží bude odstraněno "
    "i ze stránek!";
inline constexpr const char* kDeleteItemsCaption = "Odstranění prvku";
inline constexpr const char* kDeleteItemsWarning =
    "Pokud opravdu chcete vymazat označené zboží z katalogu, potvrďte tlačítko OK!\r\rToto je "
    "nevratná operace!";
inline constexpr const char* kDeleteItemsTitle = "Odstranění záznamů z katalogu";
inline constexpr const char* kDeleteItemsText =
    "Čekejte prosím, odstraňuji vybrané záznamy z katalogu ...";
inline constexpr const char* kMoveItemsTitle = "Přesun záznamů v katalogu";
inline constexpr const char* kMoveItemsText =
    "Čekejte prosím, přesunuji vybrané záznamy v katalogu ...";

// One batch of at most 100 codes: the set components of type "K" with these codes, every page
// product with them (any type) and the catalogue items, each table in one pass.
BatchCounts deleteItemBatch(const storage::ProjectContext& project, const CodeSet& batch);

// The marked items batch by batch, with the progress window and its cancel button; a cancel
// stops before the next batch. Items without a code go by their place (only if the row there
// is still a code-less item of the group).
BatchCounts deleteItems(const storage::ProjectContext& project, const ItemSelection& selection,
                        Progress& progress);

// Moves one batch of items to the group `target` (one pass); returns the items moved.
int moveItemBatch(const storage::ProjectContext& project, const CodeSet& batch, int target);

// Moves the marked items batch by batch with the progress window; `progress` may be a
// NoProgress for a single item.
BatchCounts moveItems(const storage::ProjectContext& project, const ItemSelection& selection,
                      int target, Progress& progress);

// Number of items in each group (one pass over the catalogue).
std::vector<std::pair<int, int>> itemCountsByGroup(const storage::ProjectContext& project);

} // namespace arkona::catalogue
