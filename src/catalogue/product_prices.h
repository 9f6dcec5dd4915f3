#pragma once

#include "base/prompter.h"
#include "catalogue/derived_values.h"
#include "catalogue/price_operations.h"
#include "catalogue/vat.h"

#include <string>

namespace arkona::catalogue {

// The stored prices of a row of a product section: what the row editor changes for a goods or
// set row typed in by hand ("R", "S").
struct RowPrices {
    double pCena = 0;    // P_CENA, net, stored unrounded
    double pCenaDph = 0; // P_CENA_DPH, gross
    std::string pIdph;   // "0", "L", "H"; empty for a new set; "R" only when copied
    double sleva = 0;    // SLEVA, percent
    std::string round;   // ROUND

    bool operator==(const RowPrices&) const = default;
};

// The price and discount inputs of the row editor.
enum class RowPriceField { P_CENA, P_CENA_DPH, SLEVA, SLEVA_KC };

// The price rules of a hand-typed row. A net price gives the gross by the factor of the VAT
// code, a gross price gives the net; a discount amount gives the percent of the net (0 with no
// net price). Every amount is the double nearest the exact result; negative entries are refused.
class RowPriceRules {
public:
    RowPriceRules(VatRates rates, Prompter& prompter)
        : rates_(std::move(rates)), prompter_(prompter) {}

    // One input left after a change.
    Outcome enter(RowPrices& prices, RowPriceField field, double value) const;
    // A code chosen in the VAT list by position (0 "0 %", 1 reduced, 2 base): the gross follows
    // from the net. "rozepsaná daň" is never offered for a choice; other positions change nothing.
    void chooseVatCode(RowPrices& prices, int position) const;
    void chooseRounding(RowPrices& prices, const std::string& code) const { prices.round = code; }

    // What the editor shows: the derived, rounded values of the row.
    ProductDerived derived(const RowPrices& prices) const;
    double shownValue(const RowPrices& prices, RowPriceField field) const;
    std::string shownText(const RowPrices& prices, RowPriceField field) const;

    const VatRates& rates() const { return rates_; }

private:
    VatRates rates_;
    Prompter& prompter_;
};

// The field the focus returns to after a refused entry.
PriceField priceFieldOf(RowPriceField field);

} // namespace arkona::catalogue
