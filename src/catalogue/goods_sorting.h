#pragma once

#include "base/progress.h"
#include "catalogue/product_row.h"

#include <string_view>

namespace arkona::storage {
struct ProjectContext;
}

namespace arkona::catalogue {

// The columns of the section list a click on whose title sorts the section.
enum class GoodsSort {
    None,         // other columns: no change
    ByName,       // "Název zboží (sestavy) / Nadpis": NAZEV, Czech collation
    ByCode,       // "Kód": KOD, Czech collation (a heading, without code, first)
    ByNetPrice,   // "Cena bez DPH": TMP_P_CENA ascending, equal prices keep their order
    ByGrossPrice, // "Cena s DPH": TMP_P_CENA_DPH likewise
};

// The sort of a list column by its field name ("NAZEV", "KOD", "TMP_P_CENA", "TMP_P_CENA_DPH").
GoodsSort goodsSortOf(std::string_view field);

inline constexpr const char* kSortingStatus = "Třídím produktovou sekci ...";

// Reorders the section and numbers its rows PORADI 1, 2, ... in the new order, written in one
// pass over zbozi.dbf. Shows kSortingStatus (cleared afterwards). Rows without a price count as
// 0; rows with equal keys keep their previous order. Returns false when nothing was sorted.
bool sortSection(const storage::ProjectContext& project, const SectionKey& section, GoodsSort sort,
                 StatusLine& status);

} // namespace arkona::catalogue
