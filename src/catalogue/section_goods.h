#pragma once

#include "base/prompter.h"
#include "catalogue/derived_values.h"
#include "catalogue/product_row.h"

#include <optional>
#include <string>
#include <vector>

namespace arkona::storage {
class DataView;
class TData2;
struct ProjectContext;
} // namespace arkona::storage

namespace arkona::catalogue {

// One line of the section list "Seznam zboží zařazeného v produktové sekci".
struct GoodsListRow {
    ProductRef ref;
    std::string kod;
    std::string nazev;
    std::string typ;
    std::string typText; // "zboží - ručně", ...
    double sleva = 0;
    std::optional<ProductDerived> prices; // only when read with prices
};

// The section list from the data module's goods view of the current section (qZbozi with
// prices, qZboziL without: the short read of code, page, section, name, discount, type and
// position), in the view's PORADI order. Opens the view when it is closed.
void openSectionGoods(storage::TData2& data, bool withPrices);
std::vector<GoodsListRow> sectionGoodsList(const storage::DataView& goods, bool withPrices);

// The same straight from zbozi.dbf in one pass (the command line, batch work): the rows of the
// section ordered by PORADI (equal positions keep their order in the file).
std::vector<StoredProduct> readSectionRows(const storage::ProjectContext& project,
                                           const SectionKey& section);

// PORADI for a new row: the largest in the section + 1, so 1 in an empty section.
int nextPoradi(const storage::ProjectContext& project, const SectionKey& section);

// The row again at its place, for the editor: fails with kProductGone when it is no longer the
// row that was listed (deleted, or its key changed by someone else).
StoredProduct readProduct(const storage::ProjectContext& project, const ProductRef& ref);
// The same without failing: nothing when the row is no longer the one that was listed.
std::optional<StoredProduct> findProduct(const storage::ProjectContext& project,
                                         const ProductRef& ref);
inline constexpr const char* kProductGone =
    "Položka produktové sekce byla mezitím změněna nebo odstraněna!";

// Appends a new row (its section and PORADI as set in it); returns it as stored.
StoredProduct insertProduct(const storage::ProjectContext& project, const ProductRow& row);
// Stores an edited row into exactly the row it was read from (checked against its key);
// kProductGone otherwise. Returns the new reference (the key may have changed).
ProductRef updateProduct(const storage::ProjectContext& project, const ProductRef& original,
                         const ProductRow& edited);

inline constexpr const char* kDeleteOneProductQuestion =
    "Opravdu chcete tuto položku odstranit z produktové sekce?";
inline constexpr const char* kDeleteManyProductsQuestion =
    "Opravdu chcete všechny označené položky odstranit z produktové sekce?";
// The question for deleting `count` rows.
const char* deleteQuestion(std::size_t count);

// Deletes exactly the marked rows, each at its place and checked against its key; a row that
// is no longer there is skipped. PORADI of the others stays. Returns how many were deleted.
// The breakdown of a set row is left alone: it belongs to the set's code, which other
// placements of the set share.
int deleteProducts(const storage::ProjectContext& project, const std::vector<ProductRef>& marked);
// Asks the question (Yes/No) and deletes on yes; returns how many were deleted (0 on no).
int deleteProductsAsked(const storage::ProjectContext& project,
                        const std::vector<ProductRef>& marked, Prompter& prompter);

} // namespace arkona::catalogue
