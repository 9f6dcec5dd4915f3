#pragma once

#include "base/prompter.h"
#include "catalogue/code_set.h"
#include "catalogue/vat.h"

#include <filesystem>

namespace arkona::catalogue {

// A change of the VAT codes of stored items, as the bulk change and the import make it: None
// leaves that code as it is.
struct CodeChange {
    VatCode purchase = VatCode::None; // "0", "L" or "H"
    VatCode sale = VatCode::None;     // "0", "L", "H" or "R"
};

// Applies the change to every item of katalog.dbf whose code is in `codes`, in one pass, with
// the item's own operations: a new purchase code recomputes the gross purchase and recommended
// prices (nets kept); a new sale code moves the net sale price into the new code's part. Fixed
// flags that end on a zero part are cleared and the warning is shown once. Returns the number
// of items changed.
int changeCodes(const std::filesystem::path& katalogFile, const VatRates& rates,
                const CodeSet& codes, const CodeChange& change, Prompter& prompter);

} // namespace arkona::catalogue
