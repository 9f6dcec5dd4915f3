#pragma once

#include "catalogue/item.h"
#include "catalogue/vat.h"

#include <optional>
#include <string>
#include <string_view>

namespace arkona::catalogue {

// The values of an item that are computed, never stored. Each is the double nearest the exact
// result of its formula over the values before it, in this order; P_CENA, P_DPH and P_CENA_DPH
// are then rounded by the item's ROUND, before the margins and the discount use P_CENA.
struct ItemDerived {
    double L = 0;          // P_L × f_L, the gross reduced part
    double H = 0;          // P_H × f_H
    double DPH_L = 0;      // L − P_L
    double DPH_H = 0;      // H − P_H
    double P_CENA = 0;     // P_0 + P_L + P_H, rounded
    double P_DPH = 0;      // DPH_L + DPH_H, rounded
    double P_CENA_DPH = 0; // P_0 + L + H, rounded
    double A_MARZE = 0;    // (P_CENA / N_CENA − 1) × 100, 0 without a purchase price
    double A_MARZE_KC = 0; // P_CENA − N_CENA
    double MARZE_KC = 0;   // N_CENA × (MARZE / 100 + 1) − N_CENA
    double SLEVA_KC = 0;   // SLEVA × (P_CENA / 100)
};

ItemDerived deriveItem(const Item& item, const VatRates& rates);

// The net and gross sale price of parts before rounding: P_0 + P_L + P_H and P_0 + L + H, with
// L and H as the item's derived values. What a price update copies to placed goods.
struct SalePrices {
    double net = 0;
    double gross = 0;
};
SalePrices salePrices(double p0, double pL, double pH, const VatRates& rates);

// A placed product's derived prices, each computed from the stored (unrounded) prices and then
// rounded by the row's ROUND.
struct ProductDerived {
    double TMP_P_CENA = 0;
    double TMP_P_CENA_DPH = 0;
    double TMP_SLEVA_KC = 0;      // SLEVA × (P_CENA / 100)
    double TMP_P_CENA_SL = 0;     // P_CENA − SLEVA × (P_CENA / 100)
    double TMP_P_CENA_DPH_SL = 0; // P_CENA_DPH − SLEVA × (P_CENA_DPH / 100)
};

ProductDerived deriveProduct(double pCena, double pCenaDph, double sleva,
                             std::string_view roundCode);

// A derived value by its column name ("P_CENA", "TMP_SLEVA_KC", ...); nullopt for other names.
std::optional<double> derivedColumn(const ItemDerived& values, std::string_view column);
std::optional<double> derivedColumn(const ProductDerived& values, std::string_view column);

// "#0.00": two decimals with the locale's separator.
std::string formatAmount(double value);
// "#0.00 %" of MARZE and SLEVA, "#0.00%" of A_MARZE.
std::string formatPercent(double value);
std::string formatPercentTight(double value);

} // namespace arkona::catalogue
