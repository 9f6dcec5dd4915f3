#include "catalogue/product_row.h"

#include "base/dbf/table.h"
#include "base/textcase.h"

namespace arkona::catalogue {

namespace {

std::string trimmed(const dbf::Record& row, int col) {
    return std::string(text::trim(row.text(col)));
}

bool typeIn(std::string_view typ, std::string_view types) {
    const std::string folded = text::toUpper(text::trim(typ));
    return folded.size() == 1 && types.find(folded[0]) != std::string_view::npos;
}

} // namespace

std::string productTypeText(std::string_view typ) {
    const std::string t = text::toUpper(text::trim(typ));
    if (t == "R") {
        return "zboží - ručně";
    }
    if (t == "K") {
        return "zboží - katalog";
    }
    if (t == "S") {
        return "sestava - ručně";
    }
    if (t == "E") {
        return "sestava - katalog";
    }
    if (t == "N") {
        return "nadpis";
    }
    return "";
}

bool isSetType(std::string_view typ) {
    return typeIn(typ, "SE");
}
bool isCatalogueType(std::string_view typ) {
    return typeIn(typ, "KE");
}
bool isHeadingType(std::string_view typ) {
    return typeIn(typ, "N");
}
bool isHandPricedType(std::string_view typ) {
    return typeIn(typ, "RS");
}

ProductDerived ProductRow::derived() const {
    return deriveProduct(pCena, pCenaDph, sleva, round);
}

ProductRow readProductRow(const dbf::Record& row) {
    ProductRow p;
    p.htmlId = trimmed(row, row.column("HTMLID"));
    p.sekceId = static_cast<int>(row.integerOr("SEKCEID"));
    p.poradi = static_cast<int>(row.integerOr("PORADI"));
    p.kod = trimmed(row, row.column("KOD"));
    p.nazev = std::string(text::trimRight(row.text("NAZEV")));
    p.popis = row.memo("POPIS");
    p.pCena = row.numberOr("P_CENA");
    p.pCenaDph = row.numberOr("P_CENA_DPH");
    p.pIdph = trimmed(row, row.column("P_IDPH"));
    p.idxSleva = static_cast<int>(row.integerOr("IDX_SLEVA"));
    p.sleva = row.numberOr("SLEVA");
    p.typ = trimmed(row, row.column("TYP"));
    p.fontNaz = trimmed(row, row.column("FONT_NAZ"));
    p.fontPop = trimmed(row, row.column("FONT_POP"));
    p.obrazek = trimmed(row, row.column("OBRAZEK"));
    p.ksMax = row.numberOr("KS_MAX");
    p.ksKrok = row.numberOr("KS_KROK");
    p.mj = trimmed(row, row.column("MJ"));
    p.round = trimmed(row, row.column("ROUND"));
    // An older table has no ODKAZ until the upgrade adds it.
    try {
        p.odkaz = trimmed(row, row.column("ODKAZ"));
    } catch (...) {
        p.odkaz.clear();
    }
    return p;
}

void writeProductRow(const ProductRow& p, dbf::Record& row) {
    row.setText("HTMLID", p.htmlId);
    row.setNumber("SEKCEID", p.sekceId);
    row.setNumber("PORADI", p.poradi);
    row.setText("KOD", p.kod);
    row.setText("NAZEV", p.nazev);
    row.setMemo("POPIS", p.popis);
    row.setNumber("P_CENA", p.pCena);
    row.setNumber("P_CENA_DPH", p.pCenaDph);
    row.setText("P_IDPH", p.pIdph);
    row.setNumber("IDX_SLEVA", p.idxSleva);
    row.setNumber("SLEVA", p.sleva);
    row.setText("TYP", p.typ);
    row.setText("FONT_NAZ", p.fontNaz);
    row.setText("FONT_POP", p.fontPop);
    row.setText("OBRAZEK", p.obrazek);
    row.setNumber("KS_MAX", p.ksMax);
    row.setNumber("KS_KROK", p.ksKrok);
    row.setText("MJ", p.mj);
    row.setText("ROUND", p.round);
    row.setText("ODKAZ", p.odkaz);
}

ProductRow newProductRow(std::string_view typ, const SectionKey& section, int poradi) {
    ProductRow p;
    p.htmlId = section.htmlId;
    p.sekceId = section.sekceId;
    p.poradi = poradi;
    p.typ = text::toUpper(text::trim(typ));
    if (isHeadingType(p.typ)) {
        p.round = "0";
        return p;
    }
    p.ksMax = 30;
    p.ksKrok = 1;
    p.mj = "ks";
    if (p.typ == kTypeHandGoods) {
        p.pIdph = "0";
        p.round = "2";
    } else if (p.typ == kTypeHandSet) {
        p.round = "2";
    }
    return p;
}

ProductRef ProductRef::of(const ProductRow& row, std::uint32_t recno) {
    return {recno, row.htmlId, row.sekceId, row.kod, row.poradi};
}

} // namespace arkona::catalogue
