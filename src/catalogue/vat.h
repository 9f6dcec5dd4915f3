#pragma once

#include <string>
#include <string_view>

namespace arkona::storage {
struct ProjectContext;
}

namespace arkona::catalogue {

// The project's two VAT rates (whole percent) and their captions ("5 %", "22 %").
struct VatRates {
    int reduced = 5;
    int base = 22;
    std::string reducedCaption = "5 %";
    std::string baseCaption = "22 %";

    static VatRates of(const storage::ProjectContext& context);
};

// VAT codes as stored: "0" no VAT, "L" reduced, "H" base, "R" split over the three (sale
// prices only). Stored codes are read trimmed and without regard to letter case.
enum class VatCode { None, Zero, Reduced, Base, Split };

VatCode vatCode(std::string_view stored); // None for empty or unknown text
std::string codeText(VatCode code);       // "0", "L", "H", "R"; empty for None

// The rate of a code in whole percent: 0 for "0" (and for codes without a rate of their own).
int ratePercent(VatCode code, const VatRates& rates);

// What lists and component rows show: "0 %", the rate captions, "rozepsaná daň"; empty for None.
std::string vatCaption(VatCode code, const VatRates& rates);

// Lists that offer a code show the captions in the order 0 %, reduced, base and, for sale
// prices, "rozepsaná daň": list position 0..3 maps to "0", "L", "H", "R".
VatCode codeAtListPosition(int position);
int listPosition(VatCode code); // -1 for None

} // namespace arkona::catalogue
