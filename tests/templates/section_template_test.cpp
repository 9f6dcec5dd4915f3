// Product, cart and order templates: defaults, the cell rules, reading and writing.
#include "base/error.h"
#include "support/other_process.h"
#include "support/temp_dir.h"
#include "templates/section_template.h"
#include "templates/template_keywords.h"

#include <gtest/gtest.h>

namespace arkona::templates {
namespace {

using test::readFile;
using test::TempDir;
using test::writeFile;

int sectionsIn(const std::string& bytes) {
    int n = 0;
    for (std::size_t at = bytes.find("\r\n["); at != std::string::npos;
         at = bytes.find("\r\n[", at + 1)) {
        ++n;
    }
    return n + (bytes.starts_with("[") ? 1 : 0);
}

TEST(TemplateDefaults, MissingFileGivesEachReadersDefaults) {
    TempDir dir;
    const auto g = readTemplate(dir / "chybi.qsp", TemplateKind::Product, Defaults::Generator);
    EXPECT_EQ(g.header[0].bgcolor, "");
    EXPECT_EQ(g.items[0].bgcolor, "FFFFFF");
    EXPECT_EQ(g.totals[39].bgcolor, "FFFFFF");
    EXPECT_EQ(g.items[5].justify, "0");
    EXPECT_EQ(g.items[5].colspan, "1");
    EXPECT_EQ(g.items[5].font, "");
    // The generator counts a header cell without a colour as used; the editor shows it white.
    EXPECT_EQ(g.header.lastUsedCell(), 39);
    EXPECT_EQ(g.header.lastWrittenCell(), 39);
    EXPECT_EQ(g.items.lastUsedCell(), -1);

    const auto e = readTemplate(dir / "chybi.qsp", TemplateKind::Product, Defaults::Editor);
    EXPECT_EQ(e.header[0].bgcolor, std::string(kEditorHeaderBgcolor));
    EXPECT_EQ(e.header.lastUsedCell(), -1);
    EXPECT_EQ(g, missingTemplate(TemplateKind::Product, Defaults::Generator));

    const auto cart = readTemplate(dir / "chybi.qsk", TemplateKind::Cart, Defaults::Generator);
    EXPECT_EQ(cart.smazatKosik, "Opravdu chcete vyprázdnit nákupní kartu ?");
    EXPECT_EQ(cart.neniCoObjednavat,
              "Není co objednávat, musíte nejdříve vložit do nákupní karty nějaké zboží !");
    EXPECT_EQ(cart.odebratZbozi, "Opravdu chcete vymazat z nákupního košíku položku:");
    EXPECT_EQ(cart.objednavka, "");
    EXPECT_TRUE(cart.orderRows.empty());

    const auto order = readTemplate(dir / "chybi.qso", TemplateKind::Order, Defaults::Generator);
    ASSERT_EQ(order.orderRows.size(), 101u);
    EXPECT_EQ(order.orderRows[100].colspan, "50");
    EXPECT_EQ(order.orderRows[0].bgcolor, "FFFFFF");
    EXPECT_TRUE(order.orderRows[62].exists());
    EXPECT_EQ(order.cislo, "");
}

TEST(TemplateDefaults, MissingSectionsAndKeysGiveDefaults) {
    TempDir dir;
    const auto file = dir / "moje.qso";
    writeFile(file, "[c3]\r\ntext1=Cena\r\n"
                    "[P5]\r\nBGCOLOR=FFCC00\r\n"
                    "[o62]\r\nexist=false\r\nitem=oPLATBA_zpusob3\r\n"
                    "[o63]\r\nexist=True\r\ncolspan=\r\n"
                    "[Karta]\r\ncislo='\x8Apatn\xE9 \xE8\xEDslo karty'\r\n");
    const auto t = readTemplate(file, TemplateKind::Order, Defaults::Generator);
    EXPECT_EQ(t.header[3].text1, "Cena");
    EXPECT_EQ(t.header[3].bgcolor, "");
    EXPECT_EQ(t.header[4].text1, "");
    EXPECT_EQ(t.items[5].bgcolor, "FFCC00"); // names without regard to case
    EXPECT_EQ(t.items[5].justify, "0");
    EXPECT_FALSE(t.orderRows[62].exists()); // only exactly "True" counts
    EXPECT_EQ(t.orderRows[62].item, "oPLATBA_zpusob3");
    EXPECT_EQ(t.orderRows[62].colspan, "50");
    EXPECT_TRUE(t.orderRows[63].exists());
    EXPECT_EQ(t.orderRows[63].colspan, ""); // present but empty stays empty
    EXPECT_TRUE(t.orderRows[64].exists());
    EXPECT_EQ(t.cislo, "Špatné číslo karty");
    EXPECT_EQ(t.platnost, "");
    // A file with a header cell but no bgcolor keys: every header cell counts as used.
    EXPECT_EQ(t.header.lastWrittenCell(), 39);
}

TEST(TemplateCells, UsedCellRuleAndWrittenRows) {
    CellGrid grid;
    grid.cells.fill(missingCell(GridKind::Items, Defaults::Generator));
    EXPECT_EQ(grid.lastUsedCell(), -1);
    EXPECT_EQ(grid.lastWrittenCell(), 0);
    grid[0].text1 = "Název";
    EXPECT_EQ(grid.lastUsedCell(), 0);
    EXPECT_EQ(grid.lastWrittenCell(), 0); // cell 0 alone writes nothing
    grid[3].item = "název";
    EXPECT_EQ(grid.lastWrittenCell(), 9);
    grid[10].text2 = " Kč";
    EXPECT_EQ(grid.lastWrittenCell(), 19);
    grid[35].bgcolor = "FFFFFE"; // any colour but "FFFFFF" is used
    EXPECT_EQ(grid.lastUsedCell(), 35);
    EXPECT_EQ(grid.lastWrittenCell(), 39);
    grid[35].bgcolor = "FFFFFF";
    grid[35].font = "<FONT SIZE=5>"; // a font alone does not make a cell used
    grid[35].justify = "2";
    grid[35].colspan = "4";
    grid[35].picture = "tl.gif";
    EXPECT_EQ(grid.lastUsedCell(), 10);
    EXPECT_TRUE(grid.uses("název"));
    EXPECT_FALSE(grid.uses("Název"));
}

TEST(TemplateCells, SpanIsClippedToTheRowEnd) {
    TemplateCell c;
    const auto spanOf = [&](const char* colspan, int cell) {
        c.colspan = colspan;
        return c.span(cell);
    };
    EXPECT_EQ(spanOf("5", 8), 2);
    EXPECT_EQ(spanOf("5", 35), 5);
    EXPECT_EQ(spanOf("5", 36), 4);
    EXPECT_EQ(spanOf("12", 0), 10);
    EXPECT_EQ(spanOf("1", 9), 1);
    EXPECT_EQ(spanOf("3", 19), 1);
    EXPECT_EQ(spanOf("", 4), 1);
    EXPECT_EQ(spanOf(" 3 ", 4), 3);
    // Not a whole number of at least 1: one column, never a negative or broken span.
    for (const char* bad : {"0", "-3", "abc", "2.5", "3x", "99999999999999999999"}) {
        EXPECT_EQ(spanOf(bad, 0), 1) << bad;
    }
}

TEST(TemplateCells, AlignmentAndColour) {
    TemplateCell c;
    const auto alignmentOf = [&](const char* justify) {
        c.justify = justify;
        return c.alignment();
    };
    EXPECT_EQ(alignmentOf("1"), Alignment::Centre);
    EXPECT_EQ(alignmentOf("2"), Alignment::Right);
    EXPECT_EQ(alignmentOf("3"), Alignment::Left);
    EXPECT_EQ(alignmentOf("0"), Alignment::Left);
    EXPECT_EQ(alignmentOf(""), Alignment::Left);
    c.bgcolor = "FFFFFF";
    EXPECT_EQ(c.colour(), "");
    c.bgcolor = "2F5F2F";
    EXPECT_EQ(c.colour(), "2F5F2F");
}

TEST(TemplateFiles, QuotedTextsKeepTheirBlanks) {
    TempDir dir;
    const auto file = dir / "a.qsp";
    writeFile(file, "[c0]\r\ntext1='  Cena  '\r\ntext2=  K\xE8  \r\nitem=\"n\xE1zev\"\r\n"
                    "[c1]\r\ntext1=\"'x'\"\r\ntext2='\r\n");
    const auto t = readTemplate(file, TemplateKind::Product, Defaults::Editor);
    EXPECT_EQ(t.header[0].text1, "  Cena  ");
    EXPECT_EQ(t.header[0].text2, "Kč");
    EXPECT_EQ(t.header[0].item, "název");
    EXPECT_EQ(t.header[1].text1, "'x'");
    EXPECT_EQ(t.header[1].text2, "'");
}

TEST(TemplateFiles, NewTemplateIsWrittenCellByCellInTheEditorsOrder) {
    TempDir dir;
    const auto file = dir / "akce.qsk";
    SectionTemplate t = newTemplate(TemplateKind::Cart);
    t.items[0].item = "název";
    t.items[0].text2 = " (kus)";
    t.objednavka = "/objednavka.htm";
    writeTemplate(file, t);
    const std::string bytes = readFile(file);
    const std::string start = "[Sablona]\r\nName=\r\nAutor=\r\nSpolecnost=\r\n"
                              "[c0]\r\nbgcolor=FFFFFF\r\n"
                              "font=<FONT FACE=\"Arial CE, ARIAL, Helvetica\" SIZE=2 "
                              "COLOR=\"#000000\">\r\nitem=\r\ntext1=''\r\ntext2=''\r\n"
                              "justify=1\r\ncolspan=1\r\npicture=\r\n[c1]\r\n";
    EXPECT_EQ(bytes.substr(0, start.size()), start);
    EXPECT_NE(bytes.find("[p0]\r\nbgcolor=FFFFFF\r\nfont=<FONT FACE=\"Arial CE, ARIAL, "
                         "Helvetica\" SIZE=2 COLOR=\"#000000\">\r\nitem=n\xE1zev\r\ntext1=''\r\n"
                         "text2=' (kus)'\r\n"),
              std::string::npos);
    const std::string end = "[z39]\r\nbgcolor=FFFFFF\r\nfont=<FONT FACE=\"Arial CE, ARIAL, "
                            "Helvetica\" SIZE=2 COLOR=\"#000000\">\r\nitem=\r\ntext1=''\r\n"
                            "text2=''\r\njustify=1\r\ncolspan=1\r\npicture=\r\n"
                            "[Karta]\r\nObjednavka='/objednavka.htm'\r\n"
                            "[Texty]\r\nSmazatKosik='Opravdu chcete vypr\xE1zdnit n\xE1kupn\xED "
                            "kartu ?'\r\nNeniCoObjednavat='Nen\xED co objedn\xE1vat, mus\xEDte "
                            "nejd\xF8\xEDve vlo\x9Eit do n\xE1kupn\xED karty n\xECjak\xE9 "
                            "zbo\x9E\xED !'\r\nOdebratZbozi='Opravdu chcete vymazat z "
                            "n\xE1kupn\xEDho ko\x9A\xEDku polo\x9Eku:'\r\n";
    ASSERT_GE(bytes.size(), end.size());
    EXPECT_EQ(bytes.substr(bytes.size() - end.size()), end);
    EXPECT_EQ(sectionsIn(bytes), 1 + 120 + 2);
    EXPECT_EQ(readTemplate(file, TemplateKind::Cart, Defaults::Editor), t);
    EXPECT_EQ(readTemplate(file, TemplateKind::Cart, Defaults::Generator), t);
}

TEST(TemplateFiles, OrderTemplateRoundTrip) {
    TempDir dir;
    const auto file = dir / "objednavka.qso";
    SectionTemplate t = newTemplate(TemplateKind::Order);
    t.orderRows[62].exist = "False";
    t.orderRows[0].text1 = "  <B>Objednávající</B>  ";
    t.orderRows[97].colspan = "40";
    t.cislo = "Číslo karty \"nesouhlasí\"";
    t.platnost = "'Prošlá karta'";
    t.header[0].text1 = "\"Zboží\"";
    t.header[0].colspan = "3";
    t.totals[38].item = "[tl. zpět do nákupní karty]";
    t.totals[38].picture = "zpet.gif";
    t.name = "  Objednávka  ";
    writeTemplate(file, t);
    const std::string bytes = readFile(file);
    EXPECT_EQ(sectionsIn(bytes), 1 + 120 + 101 + 1);
    EXPECT_NE(bytes.find("[o62]\r\nbgcolor=FFFFFF\r\nfont=<FONT FACE=\"Arial CE, ARIAL, "
                         "Helvetica\" SIZE=2 COLOR=\"#000000\">\r\nitem=oPLATBA_zpusob3\r\n"
                         "text1='platebn\xED kartou'\r\ntext2=''\r\njustify=0\r\ncolspan=50\r\n"
                         "picture=\r\nexist=False\r\n[o63]"),
              std::string::npos);
    EXPECT_NE(bytes.find("[Karta]\r\ncislo='\xC8\xEDslo karty \"nesouhlas\xED\"'\r\n"
                         "platnost=''Pro\x9Al\xE1 karta''\r\n"),
              std::string::npos);
    // A bare value with blanks at its ends is quoted so that it reads back the same.
    EXPECT_NE(bytes.find("Name=\"  Objedn\xE1vka  \"\r\n"), std::string::npos);
    EXPECT_EQ(readTemplate(file, TemplateKind::Order, Defaults::Editor), t);
}

TEST(TemplateFiles, ReadModifyWriteKeepsUnknownKeysAndEveryValue) {
    TempDir dir;
    const auto file = dir / "stara.qsp";
    const std::string original = "; sablona z jineho programu\r\n"
                                 "[Sablona]\r\nName=Star\xE1\r\nVerze=3\r\n"
                                 "[c0]\r\nbgcolor=FFFFFF\r\nitem=\r\ntext1=Cena\r\njustify=3\r\n"
                                 "colspan=abc\r\npoznamka=nech me byt\r\n"
                                 "[p0]\r\ntext1='  '\r\ncolspan=-2\r\n"
                                 "[Vlastni]\r\nklic=hodnota\r\n";
    writeFile(file, original);
    SectionTemplate t = readTemplate(file, TemplateKind::Product, Defaults::Editor);
    EXPECT_EQ(t.header[0].justify, "3");
    EXPECT_EQ(t.header[0].colspan, "abc");
    EXPECT_EQ(t.items[0].text1, "  ");
    t.items[1].text1 = "Nový";
    writeTemplate(file, t);
    const std::string bytes = readFile(file);
    // Lines the save did not change stay byte for byte, unknown keys and sections included.
    EXPECT_TRUE(bytes.starts_with("; sablona z jineho programu\r\n"
                                  "[Sablona]\r\nName=Star\xE1\r\nVerze=3\r\nAutor=\r\n"
                                  "Spolecnost=\r\n[c0]\r\nbgcolor=FFFFFF\r\nitem=\r\n"
                                  "text1='Cena'\r\njustify=3\r\ncolspan=abc\r\n"
                                  "poznamka=nech me byt\r\nfont=\r\ntext2=''\r\npicture=\r\n"
                                  "[p0]\r\ntext1='  '\r\ncolspan=-2\r\n"))
        << bytes.substr(0, 400);
    EXPECT_NE(bytes.find("[Vlastni]\r\nklic=hodnota\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("[p1]\r\nbgcolor=FFFFFF\r\nfont=\r\nitem=\r\ntext1='Nov\xFD'\r\n"),
              std::string::npos);
    const SectionTemplate again = readTemplate(file, TemplateKind::Product, Defaults::Editor);
    EXPECT_EQ(again, t);
    // A second save of the same template changes nothing at all.
    writeTemplate(file, again);
    EXPECT_EQ(readFile(file), bytes);
}

TEST(TemplateFiles, DamagedOrForeignFilesReadWithDefaults) {
    TempDir dir;
    const auto file = dir / "rozbita.qsp";
    std::string junk = "\xEF\xBB\xBF; ulozeno v UTF-8\r\n[c0]\r\ntext1=\x81\x83\x98 "
                       "ok\r\n[p1\r\nitem\r\n=bez klice\r\n";
    junk += std::string("[p2]\r\ntext1=a\0b\r\n", 17);
    junk += "[z3]\r\nbgcolor=12345\r\ncolspan=9999999999999\r\n[z4";
    for (int i = 0; i < 256; ++i) {
        junk += static_cast<char>(i);
    }
    writeFile(file, junk);
    const auto t = readTemplate(file, TemplateKind::Product, Defaults::Generator);
    EXPECT_EQ(t.header[0].text1, "\u0081\u0083\u0098 ok"); // undefined bytes survive
    EXPECT_EQ(t.items[1], missingCell(GridKind::Items, Defaults::Generator));
    EXPECT_EQ(t.items[2].text1, std::string("a\0b", 3));
    EXPECT_EQ(t.totals[3].bgcolor, "12345");
    EXPECT_EQ(t.totals[3].span(3), 7);
    EXPECT_EQ(t.totals[5], missingCell(GridKind::Totals, Defaults::Generator));
    // A folder in place of the file is an error with the program's message, not a crash.
    std::filesystem::create_directories(dir / "slozka.qsp");
    EXPECT_NE(test::errorOf([&] {
                  readTemplate(dir / "slozka.qsp", TemplateKind::Product, Defaults::Generator);
              }).find("nelze přečíst"),
              std::string::npos);
}

TEST(TemplateFiles, RefusedWritesLeaveTheFileAsItWas) {
    TempDir dir;
    const auto file = dir / "a.qsp";
    SectionTemplate t = newTemplate(TemplateKind::Product);
    writeTemplate(file, t);
    const std::string before = readFile(file);
    t.items[0].text1 = "Жук"; // not in Windows-1250
    EXPECT_EQ(test::errorOf([&] { writeTemplate(file, t); }),
              "Znak „Ж“ (U+0416) nelze uložit v kódové stránce Windows-1250.");
    t.items[0].text1 = "dva\r\nřádky";
    EXPECT_THROW(writeTemplate(file, t), Error);
    EXPECT_EQ(readFile(file), before);
    // A folder that cannot take the file: the message names it.
    t.items[0].text1 = "jeden řádek";
    writeFile(dir / "soubor", "x");
    EXPECT_NE(
        test::errorOf([&] { writeTemplate(dir / "soubor" / "b.qsp", t); }).find("nelze zapsat"),
        std::string::npos);
}

TEST(TemplateFiles, AReaderSeesTheOldOrTheNewFileNeverAHalfOne) {
    TempDir dir;
    const auto file = dir / "sdilena.qsp";
    SectionTemplate first = newTemplate(TemplateKind::Product);
    first.items[0].text1 = "první";
    writeTemplate(file, first);
    const SectionTemplate held = readTemplate(file, TemplateKind::Product, Defaults::Editor);
    SectionTemplate second = first;
    second.items[0].text1 = "druhý";
    writeTemplate(file, second);
    // What was read before stays; a new reader gets the whole new file.
    EXPECT_EQ(held.items[0].text1, "první");
    EXPECT_EQ(readTemplate(file, TemplateKind::Product, Defaults::Editor), second);
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        EXPECT_EQ(entry.path().filename(), "sdilena.qsp"); // no temporary file left
    }
}

TEST(TemplateKeywords, EachGridOffersTheKeywordsOfItsKind) {
    EXPECT_TRUE(itemKeywords(TemplateKind::Product, GridKind::Header).empty());
    EXPECT_EQ(itemKeywords(TemplateKind::Product, GridKind::Items).size(), 17u);
    EXPECT_EQ(itemKeywords(TemplateKind::Product, GridKind::Items).back(), "[tl. objednat]");
    EXPECT_EQ(itemKeywords(TemplateKind::Cart, GridKind::Items).back(), "[tl. smazat]");
    EXPECT_EQ(itemKeywords(TemplateKind::Order, GridKind::Items).size(), 16u);
    EXPECT_EQ(itemKeywords(TemplateKind::Product, GridKind::Totals).size(), 22u);
    EXPECT_EQ(itemKeywords(TemplateKind::Product, GridKind::Totals).back(),
              "[tl. objednat vybrané]");
    EXPECT_EQ(itemKeywords(TemplateKind::Cart, GridKind::Totals),
              (std::vector<std::string>{
                  "košík (bez DPH)", "košík (s DPH)", "košík (DPH)", "košík po slevě (bez DPH)",
                  "košík po slevě (s DPH)", "košík po slevě (DPH)", "celková sleva (bez DPH)",
                  "celková sleva (s DPH)", "celková sleva (DPH)", "[tl. objednat zbozi]",
                  "[tl. objednat eCITY]", "[tl. pokracovat ve vyberu]", "[tl. vyprázdnit košík]"}));
    EXPECT_EQ(itemKeywords(TemplateKind::Order, GridKind::Totals).size(), 10u);
    EXPECT_TRUE(isButtonKeyword("[tl. zpět do nákupní karty]"));
    EXPECT_FALSE(isButtonKeyword("název"));
}

TEST(OrderForm, StandardRowsFollowTheEditorsLayout) {
    const auto rows = standardOrderRows();
    ASSERT_EQ(rows.size(), 101u);
    const auto itemOf = [&](int n) { return rows[n].item; };
    EXPECT_EQ(itemOf(0), "oRad1");
    EXPECT_EQ(itemOf(5), "oPLATBA_cislo_obj");
    EXPECT_EQ(rows[5].text1, "Vaše číslo objednávky:");
    EXPECT_EQ(itemOf(12), "oADR_PSC");
    EXPECT_EQ(rows[12].text1, "PCŠ:");
    EXPECT_EQ(itemOf(15), "oADR_Telefon_kdy");
    EXPECT_EQ(itemOf(19), "lADR_Telefon_kdy");
    EXPECT_EQ(rows[19].text1, "odpoledne  [13:00 - 19:00]");
    EXPECT_EQ(itemOf(23), "oADR_Email");
    EXPECT_EQ(itemOf(26), "oDOD_zpusob1");
    EXPECT_EQ(itemOf(44), "oDOD_zpusob10");
    EXPECT_EQ(itemOf(27), "oRad8");
    EXPECT_EQ(rows[27].text1, "(Platí jen pro Prahu a okolí. Ostatní regiony na dotaz)");
    EXPECT_EQ(itemOf(45), "oRad17");
    EXPECT_EQ(itemOf(46), "oRad18");
    EXPECT_EQ(itemOf(47), "oRad19");
    EXPECT_EQ(itemOf(48), "oDOD_adresa_stejna");
    EXPECT_EQ(itemOf(55), "oDOD_Fax");
    EXPECT_EQ(itemOf(58), "oPLATBA_zpusob1");
    EXPECT_EQ(itemOf(60), "oPLATBA_zpusob2");
    EXPECT_EQ(itemOf(62), "oPLATBA_zpusob3");
    EXPECT_EQ(rows[62].text1, "platební kartou");
    EXPECT_EQ(itemOf(63), "oPLATBA_zpusob3_1");
    EXPECT_EQ(rows[68].text1, "Dinners");
    EXPECT_EQ(itemOf(70), "oPLATBA_zpusob4");
    EXPECT_EQ(itemOf(82), "oPLATBA_zpusob10");
    EXPECT_EQ(rows[82].text1, "na úvěr");
    EXPECT_EQ(itemOf(59), "oRad22");
    EXPECT_EQ(itemOf(83), "oRad31");
    EXPECT_EQ(itemOf(84), "oRad32");
    EXPECT_EQ(itemOf(85), "oRad33");
    EXPECT_EQ(itemOf(86), "oFAKTURA_adresa_stejna");
    EXPECT_EQ(itemOf(92), "oFAKTURA_PSC");
    EXPECT_EQ(rows[92].text1, "PSČ");
    EXPECT_EQ(itemOf(96), "oRad34");
    EXPECT_EQ(itemOf(97), "oPoznamka");
    EXPECT_EQ(itemOf(98), "oRad35");
    EXPECT_EQ(itemOf(99), "");
    EXPECT_EQ(itemOf(100), "");
    // Every heading row oRad1 ... oRad35 exactly once.
    for (int n = 1; n <= 35; ++n) {
        int count = 0;
        for (const auto& r : rows) {
            count += r.item == "oRad" + std::to_string(n) ? 1 : 0;
        }
        EXPECT_EQ(count, 1) << n;
    }
    for (const auto& r : rows) {
        EXPECT_TRUE(r.exists());
        EXPECT_EQ(r.colspan, "50");
    }
}

} // namespace
} // namespace arkona::templates
