#include "catalogue/product_prices.h"

#include "catalogue/exact.h"

namespace arkona::catalogue {

using exact::nearest;
using exact::of;

PriceField priceFieldOf(RowPriceField field) {
    switch (field) {
    case RowPriceField::P_CENA:
        return PriceField::P_CENA;
    case RowPriceField::P_CENA_DPH:
        return PriceField::P_CENA_DPH;
    case RowPriceField::SLEVA:
        return PriceField::SLEVA;
    case RowPriceField::SLEVA_KC:
        return PriceField::SLEVA_KC;
    }
    return PriceField::None;
}

Outcome RowPriceRules::enter(RowPrices& prices, RowPriceField field, double value) const {
    if (value < 0) {
        prompter_.warning(kNegativeValue);
        return {false, priceFieldOf(field)};
    }
    const exact::Number f = exact::factor(ratePercent(vatCode(prices.pIdph), rates_));
    switch (field) {
    case RowPriceField::P_CENA:
        prices.pCena = value;
        prices.pCenaDph = nearest(of(value) * f);
        break;
    case RowPriceField::SLEVA:
        prices.sleva = value;
        break;
    case RowPriceField::SLEVA_KC:
        prices.sleva = prices.pCena > 0 ? nearest(of(value) / of(prices.pCena) * 100) : 0;
        break;
    case RowPriceField::P_CENA_DPH:
        prices.pCenaDph = value;
        prices.pCena = nearest(of(value) / f);
        break;
    }
    return {};
}

void RowPriceRules::chooseVatCode(RowPrices& prices, int position) const {
    if (position < 0 || position > 2) {
        return;
    }
    const VatCode code = codeAtListPosition(position);
    prices.pIdph = codeText(code);
    prices.pCenaDph = nearest(of(prices.pCena) * exact::factor(ratePercent(code, rates_)));
}

ProductDerived RowPriceRules::derived(const RowPrices& prices) const {
    return deriveProduct(prices.pCena, prices.pCenaDph, prices.sleva, prices.round);
}

double RowPriceRules::shownValue(const RowPrices& prices, RowPriceField field) const {
    const ProductDerived d = derived(prices);
    switch (field) {
    case RowPriceField::P_CENA:
        return d.TMP_P_CENA;
    case RowPriceField::P_CENA_DPH:
        return d.TMP_P_CENA_DPH;
    case RowPriceField::SLEVA:
        return prices.sleva;
    case RowPriceField::SLEVA_KC:
        return d.TMP_SLEVA_KC;
    }
    return 0;
}

std::string RowPriceRules::shownText(const RowPrices& prices, RowPriceField field) const {
    return formatAmount(shownValue(prices, field));
}

} // namespace arkona::catalogue
