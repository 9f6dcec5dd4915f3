#pragma once

#include "catalogue/derived_values.h"
#include "catalogue/item.h"

#include <optional>
#include <vector>

namespace arkona::storage {
struct ProjectContext;
}

namespace arkona::catalogue {

struct PriceListLine {
    Item item;
    ItemDerived derived;
};

// The catalogue's items with their derived values, groups in their tree order (PORADI), items by
// code as the catalogue window sorts them; items of a group that does not exist come last, by
// group number. `group` keeps the items of one group only.
std::vector<PriceListLine> priceList(const storage::ProjectContext& project,
                                     std::optional<int> group = std::nullopt);

} // namespace arkona::catalogue
