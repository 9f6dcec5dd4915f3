// Product sections: the grid writer, the listing of a product template with every keyword, the
// goods calls with their escapes and numbers, and product sections on a page.
#include "generator/product_listing.h"
#include "generator/product_section.h"
#include "generator/script_text.h"
#include "generator/template_cache.h"
#include "generator/template_grid.h"
#include "generator_fixture.h"
#include "templates/section_template.h"

namespace arkona::generator::test {
namespace {

using templates::CellGrid;
using templates::SectionTemplate;
using templates::TemplateCell;

// A cell that shows only what is given; no colour, no font, left, one column.
TemplateCell cell(const std::string& item, const std::string& text1 = {},
                  const std::string& text2 = {}) {
    TemplateCell c;
    c.bgcolor = "FFFFFF";
    c.item = item;
    c.text1 = text1;
    c.text2 = text2;
    c.colspan = "1";
    c.justify = "0";
    return c;
}

CellGrid emptyGrid() {
    CellGrid g;
    g.cells.fill(cell(""));
    return g;
}

std::vector<std::string> written(const CellGrid& grid) {
    std::vector<std::string> out;
    writeGrid(
        grid,
        [](const TemplateCell& c, int n) {
            return c.text1.empty() ? "" : c.text1 + std::to_string(n);
        },
        out);
    return out;
}

TEST(TemplateGrid, RowsSpansAndCoveredCells) {
    CellGrid g = emptyGrid();
    g[0] = cell("", "a");
    g[0].colspan = "3";
    g[0].justify = "2";
    g[3] = cell("", "b");
    g[3].bgcolor = "AABBCC";
    g[8] = cell("", "c");
    g[8].colspan = "5"; // clipped to the two cells left in its row
    g[8].justify = "1";
    std::vector<std::string> expected = {
        "w('<TR>');", "w('<TD VALIGN=\"TOP\" COLSPAN=3 ALIGN=\"RIGHT\">a0</TD>');",
        "w('<TD VALIGN=\"TOP\" BGCOLOR=\"#AABBCC\">b3</TD>');"};
    for (int n = 4; n < 8; ++n) {
        expected.push_back("w('<TD VALIGN=\"TOP\">&nbsp;</TD>');");
    }
    expected.push_back("w('<TD VALIGN=\"TOP\" COLSPAN=2 ALIGN=\"CENTER\">c8</TD>');");
    EXPECT_EQ(written(g), expected);
}

TEST(TemplateGrid, OnlyCellZeroStillWritesItsRowAndAnEmptyGridNothing) {
    CellGrid g = emptyGrid();
    EXPECT_EQ(gridEnd(g), -1);
    EXPECT_TRUE(written(g).empty());
    g[0] = cell("", "x");
    EXPECT_EQ(gridEnd(g), 9);
    const auto lines = written(g);
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[1], "w('<TD VALIGN=\"TOP\">x0</TD>');");
    // A used cell in the second row writes both rows.
    g[12] = cell("", "y");
    const auto two = written(g);
    EXPECT_EQ(two.size(), 23u);
    EXPECT_EQ(two[11], "w('</TR>');");
    EXPECT_EQ(two[12], "w('<TR>');");
    EXPECT_EQ(two[15], "w('<TD VALIGN=\"TOP\">y12</TD>');");
}

TEST(TemplateGrid, TemplateTextsStayInsideTheirString) {
    CellGrid g = emptyGrid();
    g[0] = cell("", "It's \\ </script>");
    g[0].bgcolor = "12\"34";
    const auto lines = written(g);
    EXPECT_EQ(lines[1], "w('<TD VALIGN=\"TOP\" BGCOLOR=\"#12&quot;34\">It's \\ </script>0</TD>');")
        << "the content function of the test writes raw text";
    EXPECT_EQ(cellText("It's \\ </script>"), "It\\'s \\\\ \\x3C/script>");
}

// The item grid shows every keyword of a goods line.
SectionTemplate everyItemKeyword() {
    SectionTemplate t;
    t.header = emptyGrid();
    t.totals = emptyGrid();
    t.items = emptyGrid();
    const char* row1[] = {"obj. kód",
                          "název",
                          "cena (bez DPH)",
                          "cena (s DPH)",
                          "sleva v %",
                          "sleva v Kč (bez DPH)",
                          "sleva v Kč (s DPH)",
                          "cena po slevě (bez DPH)",
                          "cena po slevě (s DPH)",
                          "mj (jednotky)"};
    for (int n = 0; n < 10; ++n) {
        t.items[n] = cell(row1[n]);
    }
    const char* row2[] = {"počet ks",
                          "CELKEM (bez DPH)",
                          "CELKEM (s DPH)",
                          "CELKEM po slevě (bez DPH)",
                          "CELKEM po slevě (s DPH)",
                          "popis",
                          "[tl. objednat]"};
    for (int n = 0; n < 7; ++n) {
        t.items[10 + n] = cell(row2[n]);
    }
    t.items[17] = cell("[tl. objednat]", "<B>", "</B>");
    t.items[17].picture = "koupit.gif";
    return t;
}

TEST(ProductListing, TheObjFunctionWithEveryItemKeyword) {
    const ProductListing listing = productListing(everyItemKeyword(), "<BASEFONT SIZE=2>");
    const auto& l = listing.lines;
    const auto obj = std::find(l.begin(), l.end(),
                               "function obj(kod,nazev,cena,sdph,sleva,popis,ks_max,ks_step,mj){");
    ASSERT_NE(obj, l.end());
    const std::vector<std::string> body(obj + 1, l.end());
    const std::string td = "w('<TD VALIGN=\"TOP\">";
    const std::string end = "</FONT></TD>');";
    const std::string i = "'+cis+'";
    const std::vector<std::string> expected = {
        "cis++;var dstr='p'+cis;dstr=new "
        "parent.pole(kod,nazev,cena,sdph,sleva,mj);seznam[cis]=dstr;",
        "w('<TR>');",
        td + "'+kod+'" + end,
        td + "'+nazev+'" + end,
        td + "'+parent.pr(cena)+'" + end,
        td + "'+parent.pr(sdph)+'" + end,
        td + "'+sleva+'%" + end,
        td + "'+parent.pr(cena*(sleva/100))+'" + end,
        td + "'+parent.pr(sdph*(sleva/100))+'" + end,
        td + "'+parent.pr(cena-(cena*(sleva/100)))+'" + end,
        td + "'+parent.pr(sdph-(sdph*(sleva/100)))+'" + end,
        td + "'+mj+'" + end,
        "w('</TR>');",
        "w('<TR>');",
        td + "<SELECT ONCHANGE=\"ksSel(zks" + i + ".options[selectedIndex].value," + i +
            "); document.FRM.zs" + i + ".value=parent.pr(seznam[" + i + "].ks*seznam[" + i +
            "].cena); document.FRM.zsD" + i + ".value=parent.pr(seznam[" + i + "].ks*seznam[" + i +
            "].sdph); document.FRM.zsC" + i + ".value=parent.pr(seznam[" + i + "].ks*(seznam[" + i +
            "].cena-(seznam[" + i + "].cena*(seznam[" + i + "].sleva/100)))); document.FRM.zsCD" +
            i + ".value=parent.pr(seznam[" + i + "].ks*(seznam[" + i + "].sdph-(seznam[" + i +
            "].sdph*(seznam[" + i + "].sleva/100))));\" NAME=\"zks" + i +
            "\">'+parent.Opt(ks_max,ks_step)+'</SELECT>" + end,
        td + "<INPUT TYPE=\"text\" NAME=\"zs" + i + "\" ONCHANGE=\"zs" + i +
            ".value=parent.pr(seznam[" + i + "].ks*seznam[" + i +
            "].cena);\"SIZE=10 VALUE=\"0,-\">" + end,
        td + "<INPUT TYPE=\"text\" NAME=\"zsD" + i + "\" ONCHANGE=\"zsD" + i +
            ".value=parent.pr(seznam[" + i + "].ks*seznam[" + i +
            "].sdph);\"SIZE=10 VALUE=\"0,-\">" + end,
        td + "<INPUT TYPE=\"text\" NAME=\"zsC" + i + "\" ONCHANGE=\"zsC" + i +
            ".value=parent.pr(seznam[" + i + "].ks*(seznam[" + i + "].cena-(seznam[" + i +
            "].cena*(seznam[" + i + "].sleva/100))));\"SIZE=10 VALUE=\"0,-\">" + end,
        td + "<INPUT TYPE=\"text\" NAME=\"zsCD" + i + "\" ONCHANGE=\"zsCD" + i +
            ".value=parent.pr(seznam[" + i + "].ks*(seznam[" + i + "].sdph-(seznam[" + i +
            "].sdph*(seznam[" + i + "].sleva/100))));\"SIZE=10 VALUE=\"0,-\">" + end,
        td + "'+popis+'" + end,
        td + "<INPUT TYPE=\"button\" VALUE=\"+\" onClick=\"self.parent.prid(" + i + ")\">" + end,
        td + "<B><A HREF=\"javascript:self.parent.prid(" + i + ")\"><IMG SRC=\"' + " +
            "self.parent.cestawsp + '_images/koupit.gif\" BORDER=0 ALT=\"Objednat\"></A></B>" + end,
        "w('<TD VALIGN=\"TOP\">&nbsp;</TD>');",
        "w('<TD VALIGN=\"TOP\">&nbsp;</TD>');",
        "w('</TR>');",
        "}",
    };
    EXPECT_EQ(body, expected);
}

TEST(ProductListing, TxtAndTheEmptyGrids) {
    SectionTemplate t = everyItemKeyword();
    const auto l = productListing(t, "<BASEFONT SIZE=2>").lines;
    EXPECT_EQ(l[0], "w('<TABLE WIDTH=\"100%\" BORDER=0 CELLSPACING=0 CELLPADING=4>');");
    EXPECT_EQ(l[1], "display();");     // no header
    EXPECT_EQ(l[2], "w('</TABLE>');"); // no totals
    const auto txt = std::find(l.begin(), l.end(), "function txt(nazev,popis){");
    ASSERT_NE(txt, l.end());
    EXPECT_EQ(*(txt + 3), "w('<TD VALIGN=\"TOP\">'+nazev+'</TD>');");
    EXPECT_EQ(*(txt + 2), "w('<TD VALIGN=\"TOP\">&nbsp;</TD>');"); // txt() does not show it
    EXPECT_EQ(*(txt + 19), "w('<TD VALIGN=\"TOP\">'+popis+'</TD>');");

    // An item grid with only cell 0 still writes its row in txt() and obj().
    t.items = emptyGrid();
    t.items[0] = cell("název");
    const auto one = productListing(t, "<BASEFONT SIZE=2>").lines;
    const auto txt1 = std::find(one.begin(), one.end(), "function txt(nazev,popis){");
    EXPECT_EQ(*(txt1 + 1), "w('<TR>');");
    EXPECT_EQ(*(txt1 + 12), "w('</TR>');}");
    EXPECT_EQ(one.back(), "}");
    EXPECT_EQ(*(one.end() - 2), "w('</TR>');");
    // Nothing used at all: the functions only register the lines.
    t.items = emptyGrid();
    const auto none = productListing(t, "").lines;
    const std::vector<std::string> tail(none.end() - 5, none.end());
    EXPECT_EQ(tail, (std::vector<std::string>{
                        "function txt(nazev,popis){", "}",
                        "function obj(kod,nazev,cena,sdph,sleva,popis,ks_max,ks_step,mj){",
                        "cis++;var dstr='p'+cis;dstr=new "
                        "parent.pole(kod,nazev,cena,sdph,sleva,mj);seznam[cis]=dstr;",
                        "}"}));
}

TEST(ProductListing, EveryTotalsKeywordWithItsStartAndUpdate) {
    SectionTemplate t;
    t.header = emptyGrid();
    t.items = emptyGrid();
    t.totals = emptyGrid();
    const char* keywords[] = {"vybrané (bez DPH)",
                              "vybrané (s DPH)",
                              "vybrané (DPH)",
                              "vybrané po slevě (bez DPH)",
                              "vybrané po slevě (s DPH)",
                              "vybrané po slevě (DPH)",
                              "celková sleva (bez DPH)",
                              "celková sleva (s DPH)",
                              "celková sleva (DPH)",
                              "košík (bez DPH)",
                              "košík (s DPH)",
                              "košík (DPH)",
                              "košík po slevě (bez DPH)",
                              "košík po slevě (s DPH)",
                              "košík po slevě (DPH)",
                              "vybrané + košík (bez DPH)",
                              "vybrané + košík (s DPH)",
                              "vybrané + košík (DPH)",
                              "vybrané + košík po slevě (bez DPH)",
                              "vybrané + košík po slevě (s DPH)",
                              "vybrané + košík po slevě (DPH)",
                              "[tl. objednat vybrané]",
                              "[tl. objednat vybrané]"};
    for (int n = 0; n < 23; ++n) {
        t.totals[n] = cell(keywords[n]);
    }
    t.totals[22].picture = "vse.gif";
    const auto l = productListing(t, "<BASEFONT SIZE=2>").lines;
    const auto field = [](const std::string& name, const std::string& start) {
        return "w('<TD VALIGN=\"TOP\"><INPUT TYPE=\"text\" NAME=\"" + name +
               "\" SIZE=10 ONCHANGE=\"sectiVysledek();\" VALUE=\"" + start + "\"></TD>');";
    };
    const auto text = [](const std::string& expression) {
        return "w('<TD VALIGN=\"TOP\">'+" + expression + "+'</TD>');";
    };
    const std::vector<std::string> cells = {
        field("celksum", "0,-"),
        field("celksumDPH", "0,-"),
        field("celksum_DPH", "0,-"),
        field("Scelksum", "'+parent.pr(parent.celkSum-parent.celkSleva)+'"),
        field("ScelksumDPH", "'+parent.pr(parent.celkSumDPH-parent.celkSlevaDPH)+'"),
        field("Scelksum_DPH", "'+parent.pr((parent.celkSumDPH-parent.celkSlevaDPH)-(parent.celkSum "
                              "- parent.celkSleva))+'"),
        field("celkSlevaF", "'+parent.pr(parent.celkSleva)+'"),
        field("celkSlevaFDPH", "'+parent.pr(parent.celkSlevaDPH)+'"),
        field("celkSlevaF_DPH", "'+parent.pr(parent.celkSlevaDPH - parent.celkSleva)+'"),
        text("parent.pr(parent.celkSum)"),
        "w('</TR>');",
        "w('<TR>');",
        text("parent.pr(parent.celkSumDPH)"),
        text("parent.pr(parent.celkSumDPH - parent.celkSum)"),
        text("parent.pr(parent.celkSum - parent.celkSleva)"),
        text("parent.pr(parent.celkSumDPH - parent.celkSlevaDPH)"),
        text("parent.pr((parent.celkSumDPH - parent.celkSum) - (parent.celkSlevaDPH - "
             "parent.celkSleva))"),
        field("Pcelksum", "'+parent.pr(parent.celkSum)+'"),
        field("PcelksumDPH", "'+parent.pr(parent.celkSumDPH)+'"),
        field("Pcelksum_DPH", "'+parent.pr(parent.celkSumDPH-parent.celkSum)+'"),
        field("PScelksum", "'+parent.pr(parent.celkSum-parent.celkSleva)+'"),
        field("PScelksumDPH", "'+parent.pr(parent.celkSumDPH-parent.celkSlevaDPH)+'"),
        "w('</TR>');",
        "w('<TR>');",
        field("PScelksum_DPH", "'+parent.pr((parent.celkSumDPH-parent.celkSlevaDPH)-(parent."
                               "celkSum-parent.celkSleva))+'"),
        "w('<TD VALIGN=\"TOP\"><INPUT TYPE=\"button\" VALUE=\"Do košíku\" "
        "onClick=\"self.parent.pridej()\"></TD>');",
        "w('<TD VALIGN=\"TOP\"><A HREF=\"javascript:self.parent.pridej()\"><IMG SRC=\"' + "
        "self.parent.cestawsp + '_images/vse.gif\" BORDER=0 ALT=\"Objednat\"></A></TD>');",
    };
    const auto first = std::find(l.begin(), l.end(), "display();") + 2;
    EXPECT_EQ(std::vector<std::string>(first, first + cells.size()), cells);
    EXPECT_EQ(*(first + cells.size() + 7), "w('</TR></TABLE>');");
    const auto update = std::find(l.begin(), l.end(), "parent.sectiVybrane();") + 1;
    EXPECT_EQ(*update,
              "nastav('celksum',parent.pr(total));"
              "nastav('celksumDPH',parent.pr(totalDPH));"
              "nastav('celksum_DPH',parent.pr(totalDPH-total));"
              "nastav('Scelksum',parent.pr(total-sleva));"
              "nastav('ScelksumDPH',parent.pr(totalDPH-slevaDPH));"
              "nastav('Scelksum_DPH',parent.pr((totalDPH-total)-(slevaDPH-sleva)));"
              "nastav('celkSlevaF',parent.pr(sleva));"
              "nastav('celkSlevaFDPH',parent.pr(slevaDPH));"
              "nastav('celkSlevaF_DPH',parent.pr(slevaDPH-sleva));"
              "nastav('Pcelksum',parent.pr(total+parent.celkSum));"
              "nastav('PcelksumDPH',parent.pr(totalDPH+parent.celkSumDPH));"
              "nastav('Pcelksum_DPH',parent.pr((totalDPH+parent.celkSumDPH)-(total+parent."
              "celkSum)));"
              "nastav('PScelksum',parent.pr(total+parent.celkSum-sleva-parent.celkSleva));"
              "nastav('PScelksumDPH',parent.pr(totalDPH+parent.celkSumDPH-slevaDPH-parent."
              "celkSlevaDPH));"
              "nastav('PScelksum_DPH',parent.pr((totalDPH+parent.celkSumDPH-slevaDPH-parent."
              "celkSlevaDPH)-(total+parent.celkSum-sleva-parent.celkSleva)));"
              "return this;}");
}

TEST(ProductListing, HeaderCellsAndTheFontOfThePage) {
    SectionTemplate t;
    t.header = emptyGrid();
    t.items = emptyGrid();
    t.totals = emptyGrid();
    t.header[0] = cell("", "Zboží");
    t.header[0].font = "<FONT SIZE=1>";
    t.header[3] = cell("", "Cena");
    t.header[3].font = "<BASEFONT SIZE=2>"; // what the page's base-font line says already
    t.header[5].bgcolor = "";               // coloured: used, but shows nothing
    const auto l = productListing(t, "<BASEFONT SIZE=2>").lines;
    EXPECT_EQ(l[2], "w('<TD VALIGN=\"TOP\"><FONT SIZE=1>Zboží</TD>');");
    EXPECT_EQ(l[5], "w('<TD VALIGN=\"TOP\">Cena</TD>');");
    EXPECT_EQ(l[7], "w('<TD VALIGN=\"TOP\">&nbsp;</TD>');");
    EXPECT_EQ(l[12], "w('</TR><BR>');");
    EXPECT_EQ(l[13], "display();");
}

TEST(GoodsCall, NumbersEscapesAndDefaults) {
    GoodsRecord g;
    g.type = "K";
    g.code = "A'1";
    g.name = "Čaj \"Sencha\"\r\nzelený";
    g.nameFont = "<FONT COLOR='red'>";
    g.descriptionFont = "<FONT SIZE=1>";
    g.description = "C:\\uvnitř\nřádek</script>";
    g.unit = "l'";
    g.price = 1234.5;
    g.priceWithVat = 1506.09;
    g.discount = 12.5;
    g.round = "0";
    EXPECT_EQ(goodsCall(g, "sub/ob rázek \".gif"),
              "obj('A&acute;1','<FONT COLOR=\\'red\\'>Čaj \"Sencha\"<BR>zelený',1234.50,1506.09,"
              "12.50,'<IMG SRC=\"sub/ob rázek &quot;.gif\" BORDER=\"0\" ALIGN=\"RIGHT\"><FONT "
              "SIZE=1>C:\\\\uvnitř<BR>řádek\\x3C/script>',30,1,'l\\'');");
    g.discount.reset();
    g.maxQuantity = 2.5;
    g.step = 0.5;
    g.round = "2";
    g.price = 0.35;
    g.priceWithVat = 0.43;
    g.nameFont.clear();
    g.descriptionFont.clear();
    g.code = "B";
    g.name = "B";
    g.description.clear();
    g.unit = "ks";
    EXPECT_EQ(goodsCall(g, ""), "obj('B','B',0.00,0.00,0,'',2.5,0.5,'ks');");
    g.round = "1";
    g.price = 12.35;
    g.priceWithVat = 12.35;
    g.maxQuantity = 10;
    g.step = 0.1;
    EXPECT_EQ(goodsCall(g, ""), "obj('B','B',12.30,12.30,0,'',10,0.1,'ks');");
}

TEST(GoodsCall, HeadingsPassTheirTextsThroughTheSameEscape) {
    GoodsRecord h;
    h.type = "N";
    h.name = "Čaje 'zelené'";
    h.nameFont = "<B>";
    h.description = "první\rdruhý";
    EXPECT_EQ(headingCall(h), "txt('<B>Čaje &acute;zelené&acute;','první<BR>druhý');");
}

// Two product sections with one template around a text section, goods with pictures.
class ProductPage : public GeneratorFixture {
protected:
    void SetUp() override {
        setProject("[Projekt]\r\nName=Obchod\r\n");
        addPages({page("2_", 1, "0_", "caje", "/zbozi", "Čaje")});
        arkona::test::appendRows(table(storage::kHtml), {{{"HTMLID", "2_"},
                                                          {"SEKCEID", 1},
                                                          {"PORADI", 1},
                                                          {"TYP", "p"},
                                                          {"SABID", "Nabidka.QSP"}},
                                                         {{"HTMLID", "2_"},
                                                          {"SEKCEID", 2},
                                                          {"PORADI", 2},
                                                          {"TYP", "t"},
                                                          {"HTML", "<P>mezi</P>"}},
                                                         {{"HTMLID", "2_"},
                                                          {"SEKCEID", 3},
                                                          {"PORADI", 3},
                                                          {"TYP", "p"},
                                                          {"SABID", "nabidka.qsp"}}});
        const auto goods = [](int section, int order, const std::string& code,
                              const std::string& picture, const std::string& type = "K") {
            return arkona::test::Row{{"HTMLID", "2_"},    {"SEKCEID", section}, {"PORADI", order},
                                     {"TYP", type},       {"KOD", code},        {"NAZEV", code},
                                     {"P_CENA", 10.0},    {"P_CENA_DPH", 12.1}, {"ROUND", "0"},
                                     {"OBRAZEK", picture}};
        };
        arkona::test::appendRows(table(storage::kZbozi),
                                 {goods(1, 2, "B", "v_obr.gif"), goods(1, 1, "A", "na_miste.gif"),
                                  goods(3, 1, "C", "sub\\v_podsložce.gif"),
                                  goods(3, 2, "D", "chybi.gif"), goods(1, 3, "H", "", "N")});
        std::filesystem::create_directories(project / "_sablony");
        templates::SectionTemplate t;
        t.header = emptyGrid();
        t.items = emptyGrid();
        t.totals = emptyGrid();
        t.items[0] = cell("název");
        templates::writeTemplate(project / "_sablony" / "nabidka.qsp", t);
        std::filesystem::create_directories(site / "zbozi" / "sub");
        arkona::test::writeFile(site / "zbozi" / "na_miste.gif", "GIF");
        arkona::test::writeFile(site / "zbozi" / "sub" / "v_podsložce.gif", "GIF");
        std::filesystem::create_directories(project / "_obr");
        arkona::test::writeFile(project / "_obr" / "v_obr.gif", "GIF-obr");
        loadTree();
    }
};

TEST_F(ProductPage, TwoSectionsOneTemplateReadOnceAndPicturesFoundOrCopied) {
    SiteGeneration run(structure, context, prompter);
    run.setClock(fixedMoment);
    const RunReport report = run.run(GenerationScope::All, {}, {}, display, treeProgress);
    EXPECT_EQ(report.written, 1);
    EXPECT_TRUE(report.warnings.empty());
    const std::string page = text::toUtf8(written("zbozi/caje.htm"));
    // One form, two scripts, the line numbers running on in the second display().
    EXPECT_EQ(page.find("<FORM"), page.rfind("<FORM"));
    EXPECT_NE(page.find("parent.cisKs=cis+1;}"), page.rfind("parent.cisKs=cis+1;}"));
    const size_t second = page.find("\r\n<P><FONT FACE=\"Arial CE, Arial, Helvetica\" "
                                    "COLOR=\"#FFFFFF\" SIZE=1>\r\n<SCRIPT LANGUAGE=\"JavaScript\">"
                                    "<!--\r\n<!-- Seznam zboží: skript vytvořil program "
                                    "ArkonaPro.\r\nfunction display() {\r\nobj('C'");
    ASSERT_NE(second, std::string::npos) << page;
    EXPECT_LT(page.find("<P>mezi</P>"), second);
    // Pictures: in the page folder, copied from _obr and shown at once, in a sub-folder.
    EXPECT_NE(page.find("obj('A','A',10.00,12.10,0,'<IMG SRC=\"na_miste.gif\""), std::string::npos);
    EXPECT_NE(page.find("obj('B','B',10.00,12.10,0,'<IMG SRC=\"v_obr.gif\""), std::string::npos);
    EXPECT_EQ(arkona::test::readFile(site / "zbozi" / "v_obr.gif"), "GIF-obr");
    EXPECT_NE(page.find("obj('C','C',10.00,12.10,0,'<IMG SRC=\"sub/v_podsložce.gif\""),
              std::string::npos);
    EXPECT_NE(page.find("obj('D','D',10.00,12.10,0,'',30,1,'');"), std::string::npos);
    // Goods in PORADI order, the heading last.
    EXPECT_LT(page.find("obj('A'"), page.find("obj('B'"));
    EXPECT_LT(page.find("obj('B'"), page.find("txt('H',"));
    // The same file under two spellings of its name, read once.
    TemplateCache cache(project);
    cache.productListing("Nabidka.QSP", "");
    cache.productListing("nabidka.qsp", "<BASEFONT SIZE=3>");
    EXPECT_EQ(cache.filesRead(), 1);
}

TEST_F(ProductPage, APictureThatCannotBeCopiedIsAWarningAndNoPicture) {
    // The picture's sub-folder cannot be made: a file stands in its place.
    arkona::test::writeFile(site / "zbozi" / "blok", "soubor");
    std::filesystem::create_directories(project / "_obr" / "blok");
    arkona::test::writeFile(project / "_obr" / "blok" / "x.gif", "GIF");
    arkona::test::appendRows(table(storage::kZbozi), {{{"HTMLID", "2_"},
                                                       {"SEKCEID", 3},
                                                       {"PORADI", 9},
                                                       {"TYP", "R"},
                                                       {"KOD", "X"},
                                                       {"OBRAZEK", "blok\\x.gif"}}});
    SiteGeneration run(structure, context, prompter);
    const RunReport report = run.run(GenerationScope::All, {}, {}, display, treeProgress);
    EXPECT_EQ(report.written, 1);
    ASSERT_EQ(report.warnings.size(), 1u);
    EXPECT_NE(report.warnings[0].find("BLOK"), std::string::npos) << report.warnings[0];
    EXPECT_NE(text::toUtf8(written("zbozi/caje.htm")).find("obj('X','',0.00,0.00,0,'',30,1,'');"),
              std::string::npos);
}

} // namespace
} // namespace arkona::generator::test
