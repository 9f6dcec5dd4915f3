#pragma once

#include "base/progress.h"
#include "catalogue/code_set.h"
#include "catalogue/item.h"

namespace arkona::storage {
struct ProjectContext;
}

namespace arkona::catalogue {

// What a price update did: rows brought in line with their catalogue item (of those, rows
// whose stored values actually changed), and whether the user stopped it.
struct PriceUpdateCounts {
    int products = 0;
    int components = 0;
    int changedProducts = 0;
    int changedComponents = 0;
    bool cancelled = false;

    PriceUpdateCounts& operator+=(const PriceUpdateCounts& other);
};

// RecalcProd: the page products of type "K" and "E" and the set components of type "K" take the
// prices of the catalogue item with their code (letter case ignored): code, net and gross
// price and, for page products, ROUND (page products store the prices unrounded, components
// rounded by the item's ROUND; components also take the name). `codes` restricts the update to
// those codes; null updates all. Rows whose code has no item stay as they are. A page product
// whose stored price would publish differently from the catalogue's (the column's two decimals
// carrying it across a rounding tie) stores the rounded price instead. Each table is read once.
// A cancel stops at the current row; rows already stored stay updated.
PriceUpdateCounts RecalcProd(const storage::ProjectContext& project, const CodeSet* codes,
                             Progress& progress);

// RecalcProd for selected items, in batches of 100 codes in list order; a cancelled batch ends
// the run.
PriceUpdateCounts RecalcProdSelected(const storage::ProjectContext& project,
                                     const CodeSet& selected, Progress& progress);

// RecalcProdKod: the page products of any type and the set components of type "K" whose code is
// in `codes` take the prices of `item` (the current catalogue item).
PriceUpdateCounts RecalcProdKod(const storage::ProjectContext& project, const Item& item,
                                const CodeSet& codes, Progress& progress);

inline constexpr const char* kRecalcProdTitle = "Aktualizace cen v produktových sekcích";
inline constexpr const char* kRecalcProdText =
    "Čekejte prosím, probíhá aktualizace cen v produktových sekcích.\n"
    "Tato činnost může trvat delší dobu!";
inline constexpr const char* kRecalcProdKodTitle = "Aktualizace údajů v produktové sekci";
inline constexpr const char* kRecalcProdKodText =
    "Čekejte prosím, probíhá aktualizace údajů v produktové sekci.";

} // namespace arkona::catalogue
