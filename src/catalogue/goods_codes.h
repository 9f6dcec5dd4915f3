#pragma once

#include "base/prompter.h"
#include "catalogue/goods_placing.h"
#include "catalogue/item_store.h"
#include "catalogue/product_row.h"

#include <optional>
#include <string>
#include <string_view>

namespace arkona::storage {
struct ProjectContext;
}

namespace arkona::catalogue {

// Codes of goods compare as the code sets compare them: trimmed, letter case folded (Czech
// letters included), exact otherwise ("AB" never matches "ABC").
bool sameCode(std::string_view a, std::string_view b);
// A code as the editors take it: trimmed and in upper case.
std::string typedCode(std::string_view code);

inline constexpr const char* kCopyOfferQuestion = "Chcete zkopírovat nalezené zboží do této sekce?";
inline constexpr const char* kSetCodeTooLong =
    "Kód sestavy může mít nejvýše 50 znaků, delší kód nelze uložit do rozpisu sestavy!";

// The refusal of a set code ("S", "E") longer than the 50 bytes its breakdown keeps; nothing
// for other types and shorter codes. A code Windows-1250 cannot hold counts as too long.
std::optional<std::string> setCodeProblem(std::string_view typ, std::string_view code);

// What may be offered when a taken code is typed into a new row.
enum class CopyOffer {
    None,          // the code is free, empty, or taken without an offer: refuse it
    CatalogueItem, // a catalogue item has the code and no page product row has it
    OtherSection,  // a page product row in another section (other page or other section) has it
};

// The check of a code typed into a new row of `section` (type `typ`, not a heading).
struct NewCodeCheck {
    CodeStatus status = CodeStatus::Empty; // Free, Empty, InCatalogue, InProducts
    const char* takenMessage = nullptr;    // the reason shown when taken, else nullptr
    CopyOffer offer = CopyOffer::None;
    // The row that replaces the new row when the user accepts the offer: for a catalogue item
    // a "K" row filled as placing fills it (derived prices, ROUND, P_IDPH, SLEVA, IDX_SLEVA,
    // KS_MAX 30, KS_KROK 1, MJ "ks", name, description, picture name); for another section's
    // row a copy of its code, name, description, picture, prices, VAT code, discount, fonts,
    // rounding, order conditions and type. Both with the section and `poradi` given.
    std::optional<ProductRow> copy;
    // The picture of the copy where it lies now (the item's file in `_obr`, or the file in the
    // other row's page folder); empty when there is none. The copy's OBRAZEK names the file as
    // it will be in this page's folder once copied (copyPictureToPage, asking before replacing).
    std::filesystem::path pictureSource;
};
NewCodeCheck checkNewCode(const storage::ProjectContext& project, const SectionKey& section,
                          int poradi, std::string_view code);

// The dialogue of a code typed into a new row, for the editor: shows the reason when the code
// is taken, offers the copy (kCopyOfferQuestion) and returns the row to continue with when the
// user accepted it. `accepted` tells whether the code may stay (free or copied).
struct NewCodeOutcome {
    bool accepted = false;
    std::optional<ProductRow> copy;
};
NewCodeOutcome enterNewCode(const storage::ProjectContext& project, const SectionKey& section,
                            int poradi, std::string_view code, Prompter& prompter);
// The same, and an accepted copy's picture is copied into the target page's folder at once
// (asking before a file of that name is replaced); a failed copy leaves OBRAZEK empty.
NewCodeOutcome enterNewCode(const storage::ProjectContext& project, const PlacingTarget& target,
                            int poradi, std::string_view code, Prompter& prompter);

} // namespace arkona::catalogue
