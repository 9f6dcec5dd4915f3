#include "generator/product_listing.h"

#include "generator/template_grid.h"

#include <array>

namespace arkona::generator {

namespace {

using templates::CellGrid;
using templates::TemplateCell;

constexpr const char* kLine = "'+cis+'"; // the generated script puts the line number here

std::string value(const std::string& expression) {
    return "'+" + expression + "+'";
}

// The button of a line or of the totals: a picture from _images when the cell names one.
std::string button(const TemplateCell& cell, const std::string& call, const char* caption) {
    if (!cell.picture.empty()) {
        return "<A HREF=\"javascript:self.parent." + call +
               "\"><IMG SRC=\"' + "
               "self.parent.cestawsp + '_images/" +
               cellText(cell.picture) + "\" BORDER=0 ALT=\"Objednat\"></A>";
    }
    return std::string("<INPUT TYPE=\"button\" VALUE=\"") + caption + "\" onClick=\"self.parent." +
           call + "\">";
}

// The four line totals of the item grid: keyword, field name, price column of the line.
struct LineTotal {
    const char* keyword;
    const char* name;
    bool withVat;
    bool afterDiscount;
};
constexpr std::array<LineTotal, 4> kLineTotals = {{
    {"CELKEM (bez DPH)", "zs", false, false},
    {"CELKEM (s DPH)", "zsD", true, false},
    {"CELKEM po slevě (bez DPH)", "zsC", false, true},
    {"CELKEM po slevě (s DPH)", "zsCD", true, true},
}};

// seznam[i].ks times the line's price (after its discount when asked).
std::string lineAmount(const LineTotal& t) {
    const std::string i = kLine;
    const std::string column = t.withVat ? "].sdph" : "].cena";
    if (!t.afterDiscount) {
        return "seznam[" + i + "].ks*seznam[" + i + column + ")";
    }
    return "seznam[" + i + "].ks*(seznam[" + i + column + "-(seznam[" + i + column + "*(seznam[" +
           i + "].sleva/100))))";
}

std::string lineTotalField(const LineTotal& t) {
    return std::string("<INPUT TYPE=\"text\" NAME=\"") + t.name + kLine + "\" ONCHANGE=\"" +
           t.name + kLine + ".value=parent.pr(" + lineAmount(t) + ";\"SIZE=10 VALUE=\"0,-\">";
}

std::string quantityList(const CellGrid& items) {
    std::string list = std::string("<SELECT ONCHANGE=\"ksSel(zks") + kLine +
                       ".options[selectedIndex].value," + kLine + ");";
    for (const LineTotal& t : kLineTotals) {
        if (gridShows(items, t.keyword)) {
            list += std::string(" document.FRM.") + t.name + kLine + ".value=parent.pr(" +
                    lineAmount(t) + ";";
        }
    }
    return list + "\" NAME=\"zks" + kLine + "\">" + value("parent.Opt(ks_max,ks_step)") +
           "</SELECT>";
}

std::string itemText(const TemplateCell& cell, const CellGrid& items) {
    const std::string& k = cell.item;
    if (k == "obj. kód")
        return value("kod");
    if (k == "název")
        return value("nazev");
    if (k == "cena (bez DPH)")
        return value("parent.pr(cena)");
    if (k == "cena (s DPH)")
        return value("parent.pr(sdph)");
    if (k == "sleva v %")
        return value("sleva") + "%";
    if (k == "sleva v Kč (bez DPH)")
        return value("parent.pr(cena*(sleva/100))");
    if (k == "sleva v Kč (s DPH)")
        return value("parent.pr(sdph*(sleva/100))");
    if (k == "cena po slevě (bez DPH)")
        return value("parent.pr(cena-(cena*(sleva/100)))");
    if (k == "cena po slevě (s DPH)")
        return value("parent.pr(sdph-(sdph*(sleva/100)))");
    if (k == "mj (jednotky)")
        return value("mj");
    if (k == "počet ks")
        return quantityList(items);
    if (k == "popis")
        return value("popis");
    if (k == "[tl. objednat]")
        return button(cell, std::string("prid(") + kLine + ")", "+");
    for (const LineTotal& t : kLineTotals) {
        if (k == t.keyword) {
            return lineTotalField(t);
        }
    }
    return {};
}

// The totals of a product template: keyword, field (empty for a plain text), start value, the
// value sectiVysledek puts into the field. The update goes through nastav(), which fills every
// field of the name: two product sections of one template on a page have two of each.
struct Total {
    const char* keyword;
    const char* field;
    const char* start;  // an expression, or "0,-" written as it is
    const char* update; // the new value of the field
};
const std::array<Total, 21> kTotals = {{
    {"vybrané (bez DPH)", "celksum", "0,-", "parent.pr(total)"},
    {"vybrané (s DPH)", "celksumDPH", "0,-", "parent.pr(totalDPH)"},
    {"vybrané (DPH)", "celksum_DPH", "0,-", "parent.pr(totalDPH-total)"},
    {"vybrané po slevě (bez DPH)", "Scelksum", "parent.pr(parent.celkSum-parent.celkSleva)",
     "parent.pr(total-sleva)"},
    {"vybrané po slevě (s DPH)", "ScelksumDPH", "parent.pr(parent.celkSumDPH-parent.celkSlevaDPH)",
     "parent.pr(totalDPH-slevaDPH)"},
    {"vybrané po slevě (DPH)", "Scelksum_DPH",
     "parent.pr((parent.celkSumDPH-parent.celkSlevaDPH)-(parent.celkSum - parent.celkSleva))",
     "parent.pr((totalDPH-total)-(slevaDPH-sleva))"},
    {"celková sleva (bez DPH)", "celkSlevaF", "parent.pr(parent.celkSleva)", "parent.pr(sleva)"},
    {"celková sleva (s DPH)", "celkSlevaFDPH", "parent.pr(parent.celkSlevaDPH)",
     "parent.pr(slevaDPH)"},
    {"celková sleva (DPH)", "celkSlevaF_DPH", "parent.pr(parent.celkSlevaDPH - parent.celkSleva)",
     "parent.pr(slevaDPH-sleva)"},
    {"košík (bez DPH)", "", "parent.pr(parent.celkSum)", ""},
    {"košík (s DPH)", "", "parent.pr(parent.celkSumDPH)", ""},
    {"košík (DPH)", "", "parent.pr(parent.celkSumDPH - parent.celkSum)", ""},
    {"košík po slevě (bez DPH)", "", "parent.pr(parent.celkSum - parent.celkSleva)", ""},
    {"košík po slevě (s DPH)", "", "parent.pr(parent.celkSumDPH - parent.celkSlevaDPH)", ""},
    {"košík po slevě (DPH)", "",
     "parent.pr((parent.celkSumDPH - parent.celkSum) - (parent.celkSlevaDPH - parent.celkSleva))",
     ""},
    {"vybrané + košík (bez DPH)", "Pcelksum", "parent.pr(parent.celkSum)",
     "parent.pr(total+parent.celkSum)"},
    {"vybrané + košík (s DPH)", "PcelksumDPH", "parent.pr(parent.celkSumDPH)",
     "parent.pr(totalDPH+parent.celkSumDPH)"},
    {"vybrané + košík (DPH)", "Pcelksum_DPH", "parent.pr(parent.celkSumDPH-parent.celkSum)",
     "parent.pr((totalDPH+parent.celkSumDPH)-(total+parent.celkSum))"},
    {"vybrané + košík po slevě (bez DPH)", "PScelksum",
     "parent.pr(parent.celkSum-parent.celkSleva)",
     "parent.pr(total+parent.celkSum-sleva-parent.celkSleva)"},
    {"vybrané + košík po slevě (s DPH)", "PScelksumDPH",
     "parent.pr(parent.celkSumDPH-parent.celkSlevaDPH)",
     "parent.pr(totalDPH+parent.celkSumDPH-slevaDPH-parent.celkSlevaDPH)"},
    {"vybrané + košík po slevě (DPH)", "PScelksum_DPH",
     "parent.pr((parent.celkSumDPH-parent.celkSlevaDPH)-(parent.celkSum-parent.celkSleva))",
     "parent.pr((totalDPH+parent.celkSumDPH-slevaDPH-parent.celkSlevaDPH)-(total+parent.celkSum-"
     "sleva-parent.celkSleva))"},
}};

std::string totalText(const TemplateCell& cell) {
    if (cell.item == "[tl. objednat vybrané]") {
        return button(cell, "pridej()", "Do košíku");
    }
    for (const Total& t : kTotals) {
        if (cell.item != t.keyword) {
            continue;
        }
        const std::string start = std::string(t.start) == "0,-" ? "0,-" : value(t.start);
        if (*t.field == '\0') {
            return start;
        }
        return std::string("<INPUT TYPE=\"text\" NAME=\"") + t.field +
               "\" SIZE=10 ONCHANGE=\"sectiVysledek();\" VALUE=\"" + start + "\">";
    }
    return {};
}

} // namespace

ProductListing productListing(const templates::SectionTemplate& t, std::string_view baseFont) {
    const auto fontPart = [&](const TemplateCell& cell) {
        return cell.font != baseFont ? cellText(cell.font) : std::string("&nbsp;");
    };
    ProductListing listing;
    auto& out = listing.lines;
    out.push_back("w('<TABLE WIDTH=\"100%\" BORDER=0 CELLSPACING=0 CELLPADING=4>');");
    const bool header = writeGrid(
        t.header,
        [&](const TemplateCell& cell, int) -> std::string {
            if (cell.text1.empty()) {
                return "&nbsp;";
            }
            return (cell.font != baseFont ? cellText(cell.font) : std::string()) +
                   cellText(cell.text1);
        },
        out);
    if (header) {
        out.push_back("w('</TR><BR>');");
    }
    out.push_back("display();");
    const bool totals = writeGrid(
        t.totals,
        [&](const TemplateCell& cell, int) -> std::string {
            if (cell.text1.empty() && cell.item.empty() && cell.text2.empty()) {
                return {};
            }
            return fontPart(cell) + cellText(cell.text1) + totalText(cell) + cellText(cell.text2);
        },
        out);
    out.push_back(totals ? "w('</TR></TABLE>');" : "w('</TABLE>');");

    out.push_back("function ksSel(xks,por){seznam[por].ks=xks;total=0;totalDPH=0;sleva=0;"
                  "slevaDPH=0;");
    out.push_back("for(var i=1;i<parent.cisKs;i++){");
    out.push_back("if(seznam[i].ks>0){total+=seznam[i].cena*seznam[i].ks;totalDPH+=seznam[i]."
                  "sdph*seznam[i].ks;sleva+=(seznam[i].cena*seznam[i].ks)*seznam[i].sleva/100;"
                  "slevaDPH+=(seznam[i].sdph*seznam[i].ks)*seznam[i].sleva/100;}}");
    out.push_back("sectiVysledek();}");

    out.push_back("function sectiVysledek(){");
    out.push_back("parent.sectiVybrane();");
    std::string updates;
    for (const Total& total : kTotals) {
        if (*total.update != '\0' && totals && gridShows(t.totals, total.keyword)) {
            updates += std::string("nastav('") + total.field + "'," + total.update + ");";
        }
    }
    out.push_back(updates + "return this;}");

    out.push_back("function txt(nazev,popis){");
    const bool txtRow = writeGrid(
        t.items,
        [&](const TemplateCell& cell, int) -> std::string {
            if (cell.item.empty()) {
                return {};
            }
            std::string shown = fontPart(cell);
            if (cell.item == "název") {
                shown += value("nazev");
            } else if (cell.item == "popis") {
                shown += value("popis");
            }
            return shown;
        },
        out);
    out.push_back(txtRow ? "w('</TR>');}" : "}");

    out.push_back("function obj(kod,nazev,cena,sdph,sleva,popis,ks_max,ks_step,mj){");
    out.push_back("cis++;var dstr='p'+cis;dstr=new parent.pole(kod,nazev,cena,sdph,sleva,mj);"
                  "seznam[cis]=dstr;");
    const bool objRow = writeGrid(
        t.items,
        [&](const TemplateCell& cell, int) -> std::string {
            if (cell.text1.empty() && cell.item.empty() && cell.text2.empty()) {
                return {};
            }
            return fontPart(cell) + cellText(cell.text1) + itemText(cell, t.items) +
                   cellText(cell.text2) + "</FONT>";
        },
        out);
    if (objRow) {
        out.push_back("w('</TR>');");
    }
    out.push_back("}");
    return listing;
}

} // namespace arkona::generator
