#include "templates/template_keywords.h"

namespace arkona::templates {

namespace {

std::vector<std::string> lineKeywords(const char* button) {
    std::vector<std::string> k{"obj. kód",
                               "název",
                               "cena (bez DPH)",
                               "cena (s DPH)",
                               "sleva v %",
                               "sleva v Kč (bez DPH)",
                               "sleva v Kč (s DPH)",
                               "cena po slevě (bez DPH)",
                               "cena po slevě (s DPH)",
                               "počet ks",
                               "mj (jednotky)",
                               "CELKEM (bez DPH)",
                               "CELKEM (s DPH)",
                               "CELKEM po slevě (bez DPH)",
                               "CELKEM po slevě (s DPH)",
                               "popis"};
    if (button) {
        k.emplace_back(button);
    }
    return k;
}

// The cart's own totals and its discount, shared by cart, order and product templates.
const std::vector<std::string> kCartTotals{
    "košík (bez DPH)",          "košík (s DPH)",          "košík (DPH)",
    "košík po slevě (bez DPH)", "košík po slevě (s DPH)", "košík po slevě (DPH)"};
const std::vector<std::string> kDiscountTotals{"celková sleva (bez DPH)", "celková sleva (s DPH)",
                                               "celková sleva (DPH)"};

std::vector<std::string> productTotals() {
    std::vector<std::string> k{
        "vybrané (bez DPH)",          "vybrané (s DPH)",          "vybrané (DPH)",
        "vybrané po slevě (bez DPH)", "vybrané po slevě (s DPH)", "vybrané po slevě (DPH)"};
    k.insert(k.end(), kDiscountTotals.begin(), kDiscountTotals.end());
    k.insert(k.end(), kCartTotals.begin(), kCartTotals.end());
    for (const char* s :
         {"vybrané + košík (bez DPH)", "vybrané + košík (s DPH)", "vybrané + košík (DPH)",
          "vybrané + košík po slevě (bez DPH)", "vybrané + košík po slevě (s DPH)",
          "vybrané + košík po slevě (DPH)", "[tl. objednat vybrané]"}) {
        k.emplace_back(s);
    }
    return k;
}

std::vector<std::string> cartTotals(std::vector<const char*> buttons) {
    std::vector<std::string> k = kCartTotals;
    k.insert(k.end(), kDiscountTotals.begin(), kDiscountTotals.end());
    k.insert(k.end(), buttons.begin(), buttons.end());
    return k;
}

} // namespace

const std::vector<std::string>& itemKeywords(TemplateKind kind, GridKind grid) {
    static const std::vector<std::string> none;
    static const std::vector<std::string> productLines = lineKeywords("[tl. objednat]");
    static const std::vector<std::string> cartLines = lineKeywords("[tl. smazat]");
    static const std::vector<std::string> orderLines = lineKeywords(nullptr);
    static const std::vector<std::string> productSums = productTotals();
    static const std::vector<std::string> cartSums =
        cartTotals({"[tl. objednat zbozi]", "[tl. objednat eCITY]", "[tl. pokracovat ve vyberu]",
                    "[tl. vyprázdnit košík]"});
    static const std::vector<std::string> orderSums = cartTotals({"[tl. zpět do nákupní karty]"});
    if (grid == GridKind::Header) {
        return none;
    }
    const bool items = grid == GridKind::Items;
    switch (kind) {
    case TemplateKind::Product:
        return items ? productLines : productSums;
    case TemplateKind::Cart:
        return items ? cartLines : cartSums;
    case TemplateKind::Order:
        return items ? orderLines : orderSums;
    case TemplateKind::Shop:
        break;
    }
    return none;
}

bool isButtonKeyword(std::string_view keyword) {
    return keyword.starts_with("[tl. ");
}

} // namespace arkona::templates
