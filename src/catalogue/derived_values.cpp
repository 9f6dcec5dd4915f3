#include "catalogue/derived_values.h"

#include "base/textcase.h"
#include "catalogue/exact.h"
#include "catalogue/rounding.h"

namespace arkona::catalogue {

using exact::nearest;
using exact::of;

ItemDerived deriveItem(const Item& item, const VatRates& rates) {
    const Rounding how = rounding(item.round);
    const exact::Number pL = of(item.pL);
    const exact::Number pH = of(item.pH);
    const exact::Number nCena = of(item.nCena);
    ItemDerived d;
    d.L = nearest(pL * exact::factor(rates.reduced));
    d.H = nearest(pH * exact::factor(rates.base));
    d.DPH_L = nearest(of(d.L) - pL);
    d.DPH_H = nearest(of(d.H) - pH);
    d.P_CENA = roundPrice(nearest(of(item.p0) + pL + pH), how);
    d.P_DPH = roundPrice(nearest(of(d.DPH_L) + of(d.DPH_H)), how);
    d.P_CENA_DPH = roundPrice(nearest(of(item.p0) + of(d.L) + of(d.H)), how);
    const exact::Number pCena = of(d.P_CENA);
    d.A_MARZE = item.nCena > 0 ? nearest((pCena / nCena - 1) * 100) : 0;
    d.A_MARZE_KC = nearest(pCena - nCena);
    d.MARZE_KC = nearest(nCena * (of(item.marze) / 100 + 1) - nCena);
    d.SLEVA_KC = nearest(of(item.sleva) * (pCena / 100));
    return d;
}

SalePrices salePrices(double p0, double pL, double pH, const VatRates& rates) {
    const double l = nearest(of(pL) * exact::factor(rates.reduced));
    const double h = nearest(of(pH) * exact::factor(rates.base));
    return {nearest(of(p0) + of(pL) + of(pH)), nearest(of(p0) + of(l) + of(h))};
}

ProductDerived deriveProduct(double pCena, double pCenaDph, double sleva,
                             std::string_view roundCode) {
    const Rounding how = rounding(roundCode);
    const exact::Number net = of(pCena);
    const exact::Number gross = of(pCenaDph);
    const exact::Number discount = of(sleva);
    ProductDerived d;
    d.TMP_P_CENA = roundPrice(pCena, how);
    d.TMP_P_CENA_DPH = roundPrice(pCenaDph, how);
    d.TMP_SLEVA_KC = roundPrice(nearest(discount * (net / 100)), how);
    d.TMP_P_CENA_SL = roundPrice(nearest(net - discount * (net / 100)), how);
    d.TMP_P_CENA_DPH_SL = roundPrice(nearest(gross - discount * (gross / 100)), how);
    return d;
}

std::optional<double> derivedColumn(const ItemDerived& v, std::string_view column) {
    const std::string c = text::toUpper(column);
    const std::pair<const char*, double> columns[] = {{"L", v.L},
                                                      {"H", v.H},
                                                      {"DPH_L", v.DPH_L},
                                                      {"DPH_H", v.DPH_H},
                                                      {"P_CENA", v.P_CENA},
                                                      {"P_DPH", v.P_DPH},
                                                      {"P_CENA_DPH", v.P_CENA_DPH},
                                                      {"A_MARZE", v.A_MARZE},
                                                      {"A_MARZE_KC", v.A_MARZE_KC},
                                                      {"MARZE_KC", v.MARZE_KC},
                                                      {"SLEVA_KC", v.SLEVA_KC}};
    for (const auto& [name, value] : columns) {
        if (c == name) {
            return value;
        }
    }
    return std::nullopt;
}

std::optional<double> derivedColumn(const ProductDerived& v, std::string_view column) {
    const std::string c = text::toUpper(column);
    const std::pair<const char*, double> columns[] = {{"TMP_P_CENA", v.TMP_P_CENA},
                                                      {"TMP_P_CENA_DPH", v.TMP_P_CENA_DPH},
                                                      {"TMP_SLEVA_KC", v.TMP_SLEVA_KC},
                                                      {"TMP_P_CENA_SL", v.TMP_P_CENA_SL},
                                                      {"TMP_P_CENA_DPH_SL", v.TMP_P_CENA_DPH_SL}};
    for (const auto& [name, value] : columns) {
        if (c == name) {
            return value;
        }
    }
    return std::nullopt;
}

std::string formatAmount(double value) {
    return Locale::current().formatNumber(value, 2);
}

std::string formatPercent(double value) {
    return formatAmount(value) + " %";
}

std::string formatPercentTight(double value) {
    return formatAmount(value) + "%";
}

} // namespace arkona::catalogue
