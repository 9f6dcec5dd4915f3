#pragma once

#include "base/progress.h"
#include "base/prompter.h"
#include "catalogue/code_set.h"
#include "catalogue/item_store.h"
#include "catalogue/product_row.h"
#include "catalogue/vat.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace arkona::storage {
struct ProjectContext;
}

namespace arkona::catalogue {

// Where marked catalogue items go: the section, the page's title (POPIS of struktur.dbf) for the
// status texts and the page's folder in the site folder for the pictures.
struct PlacingTarget {
    SectionKey section;
    std::string pageTitle;
    std::filesystem::path pageFolder;
};
// Reads the page row of the section; fails naming the page when it has no row.
PlacingTarget placingTarget(const storage::ProjectContext& project, const SectionKey& section);

// The placing modes of the catalogue window: "Z" goods (rows "K"), "S" sets (rows "E").
enum class PlacingMode { Goods, Sets };

inline constexpr const char* kNothingMarked = "Není označeno žádné zboží!";
inline constexpr const char* kPlacedMessage = "Záznamy byly přidány do produktové sekce!";
// `Vkládám zboží "` name `" do stránky "` page title `" ...`
std::string placingStatus(const std::string& itemName, const std::string& pageTitle);
// "Zboží s kódem " code " již v produktové sekci existuje!"
std::string alreadyInSectionMessage(const std::string& code);

struct PlacingResult {
    int added = 0;
    std::vector<StoredProduct> rows;    // the rows added, in order
    std::vector<std::string> skipped;   // codes already in the section
    std::optional<ProductRef> firstSet; // mode "S": the first set placed by this command
};

// Places the marked items (in the order given: the order of the group's list) into the section:
// the status text for each, the duplicate message for an item whose code the section already
// holds (one folded code set of the section, read once), a row "K" or "E" with the item's
// derived prices, ROUND, P_IDPH, SLEVA, IDX_SLEVA, KS_MAX 30, KS_KROK 1, MJ "ks" at the next
// PORADI; the picture copied from `_obr` into the page's folder (replacing a file of that name);
// a failed copy shows its reason and leaves OBRAZEK empty. All rows are appended in one write.
// Ends with kPlacedMessage when a row was added; kNothingMarked when `marked` is empty.
PlacingResult placeItems(const storage::ProjectContext& project, const PlacingTarget& target,
                         PlacingMode mode, const std::vector<StoredItem>& marked,
                         Prompter& prompter, StatusLine& status);

// The row an item becomes when placed: the section and `poradi`; KOD, NAZEV, POPIS of the item;
// KS_MAX 30, KS_KROK 1, MJ "ks"; ROUND (empty becomes "0"), SLEVA, IDX_SLEVA and P_IDPH of the
// item; P_CENA and P_CENA_DPH the item's derived, rounded net and gross sale prices; TYP "K" or
// "E" by `typ`. OBRAZEK is left empty: it names a file of the page only once the picture is
// copied there (copyItemPictureToPage).
ProductRow placedProduct(const StoredItem& item, const SectionKey& section, int poradi,
                         std::string_view typ, const VatRates& rates);

// The item's picture file in `_obr` when the item names one and the file exists there.
std::optional<std::filesystem::path> itemPictureFile(const storage::ProjectContext& project,
                                                     const std::string& obrazek);

// Copies a picture into the page's folder under its file name and returns that name for
// OBRAZEK. `overwrite`: placing replaces a file of that name; otherwise the user is asked
// ("Tento soubor již v projektu existuje! Chcete ho přepsat?") and on no the file is not copied
// (the name is still returned). A failed copy shows its reason and returns nothing.
std::optional<std::string> copyPictureToPage(const std::filesystem::path& source,
                                             const std::filesystem::path& pageFolder,
                                             bool overwrite, Prompter& prompter);

// The catalogue items with these codes (letter case ignored) in the order of the set, read in
// one pass; codes without an item are left out.
std::vector<StoredItem> itemsByCode(const storage::ProjectContext& project, const CodeSet& codes);

} // namespace arkona::catalogue
