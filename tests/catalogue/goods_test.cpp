#include "base/error.h"
#include "catalogue/goods_codes.h"
#include "catalogue/goods_placing.h"
#include "catalogue/goods_sorting.h"
#include "catalogue/item_pages.h"
#include "catalogue/section_goods.h"
#include "goods_project.h"
#include "storage/data_module.h"
#include "support/recorders.h"

#include <gtest/gtest.h>

namespace arkona::catalogue {
namespace {

using Strings = std::vector<std::string>;
using test::GoodsProject;
using test::Row;

const Strings kAll = {"HTMLID",    "SEKCEID", "PORADI",   "TYP",        "KOD",
                      "NAZEV",     "POPIS",   "P_CENA",   "P_CENA_DPH", "P_IDPH",
                      "IDX_SLEVA", "SLEVA",   "FONT_NAZ", "FONT_POP",   "OBRAZEK",
                      "KS_MAX",    "KS_KROK", "MJ",       "ROUND",      "ODKAZ"};

struct Goods : ::testing::Test, GoodsProject {
    test::ScriptedPrompter prompter;
    test::RecordingStatus status;
    const SectionKey teas{"8_", 2};

    // Each live row of zbozi.dbf with the columns joined by "|".
    Strings goodsRows(const Strings& columns = {"HTMLID", "SEKCEID", "PORADI", "TYP",
                                                "KOD"}) const {
        Strings out;
        for (const auto& line : rows("zbozi.dbf", columns)) {
            out.push_back(line);
        }
        return out;
    }
    std::vector<ProductRef> refsOf(const SectionKey& section) const {
        std::vector<ProductRef> refs;
        for (const auto& s : readSectionRows(project, section)) {
            refs.push_back(s.ref);
        }
        return refs;
    }
    Strings codesInOrder(const SectionKey& section) const {
        Strings out;
        for (const auto& s : readSectionRows(project, section)) {
            out.push_back(std::to_string(s.row.poradi) + " " +
                          (s.row.kod.empty() ? "-" : s.row.kod));
        }
        return out;
    }
};

// ---------------------------------------------------------------- rows and their defaults

TEST_F(Goods, EachTypeStartsWithItsDefaultsAndAnEmptySectionWithPosition1) {
    EXPECT_EQ(nextPoradi(project, teas), 1);
    for (const char* typ : {"R", "S", "N"}) {
        ProductRow row = newProductRow(typ, teas, nextPoradi(project, teas));
        row.kod = typ == std::string("N") ? "" : std::string("KOD-") + typ;
        row.nazev = std::string("Řádek ") + typ;
        insertProduct(project, row);
    }
    EXPECT_EQ(rows("zbozi.dbf", kAll),
              (Strings{"8_ 2 1 R KOD-R Řádek R  0.00 0.00 0 0 0.0000    30.000 1.000 ks 2",
                       "8_ 2 2 S KOD-S Řádek S  0.00 0.00  0 0.0000    30.000 1.000 ks 2",
                       "8_ 2 3 N  Řádek N  0.00 0.00  0 0.0000    0.000 0.000  0"}));
    EXPECT_EQ(nextPoradi(project, teas), 4);
    EXPECT_EQ(nextPoradi(project, {"8_", 1}), 1);

    EXPECT_EQ(productTypeText("R"), "zboží - ručně");
    EXPECT_EQ(productTypeText("K"), "zboží - katalog");
    EXPECT_EQ(productTypeText("S"), "sestava - ručně");
    EXPECT_EQ(productTypeText("E"), "sestava - katalog");
    EXPECT_EQ(productTypeText("N"), "nadpis");
    EXPECT_EQ(productTypeText("X"), "");
}

// ---------------------------------------------------------------- codes

TEST_F(Goods, TakenCodesTellWhyAndRefuseWithoutAnOffer) {
    add("katalog.dbf", {item(1, "KAT-1")});
    add("katalog.dbf", {item(1, "BOTH")});
    add("zbozi.dbf", {goods("8_", 2, 1, "R", "RUCNI-1"), goods("9_", 2, 1, "K", "both")});

    auto check = checkNewCode(project, teas, 2, "rucni-1 ");
    EXPECT_EQ(check.status, CodeStatus::InProducts);
    EXPECT_STREQ(check.takenMessage, "Tento kód zboží již existuje v produktové sekci!");
    EXPECT_EQ(check.offer, CopyOffer::None); // the same section holds it

    // In the catalogue and placed elsewhere: the catalogue's message, the other row is offered.
    check = checkNewCode(project, teas, 2, "Both");
    EXPECT_EQ(check.status, CodeStatus::InCatalogue);
    EXPECT_STREQ(check.takenMessage, "Tento kód zboží již existuje v katalogu!");
    EXPECT_EQ(check.offer, CopyOffer::OtherSection);

    prompter.answers = {Answer::No};
    auto outcome = enterNewCode(project, teas, 2, "RUCNI-1", prompter);
    EXPECT_FALSE(outcome.accepted);
    EXPECT_EQ(prompter.messages,
              (Strings{"warning: Tento kód zboží již existuje v produktové sekci!"}));

    // "AB" is free beside "ABC" in the catalogue and on pages; empty codes are refused quietly.
    add("katalog.dbf", {item(1, "ABC")});
    add("zbozi.dbf", {goods("9_", 2, 2, "R", "ABC")});
    prompter.messages.clear();
    EXPECT_TRUE(enterNewCode(project, teas, 2, "AB", prompter).accepted);
    EXPECT_FALSE(enterNewCode(project, teas, 2, "  ", prompter).accepted);
    EXPECT_EQ(prompter.messages, Strings{});
    EXPECT_EQ(checkNewCode(project, teas, 2, "AB").status, CodeStatus::Free);
}

TEST_F(Goods, ACatalogueCodeIsCopiedAsPlacingFillsIt) {
    // Base rate 22: net 100.04 and gross 122.0488 published to tenths as 100.0 and 122.0.
    add("katalog.dbf", {{{"SKUPID", 1},
                         {"KOD", "X1"},
                         {"NAZEV", "Čaj Pu-erh"},
                         {"POPIS", "<B>lisovaný</B>"},
                         {"P_IDPH", "H"},
                         {"P_H", 100.04},
                         {"ROUND", "1"},
                         {"SLEVA", 10},
                         {"IDX_SLEVA", 3},
                         {"OBRAZEK", "puerh.gif"}}});
    writeFile(project.projectFolder / "_obr" / "puerh.gif", "GIF89a-puerh");
    const PlacingTarget target = placingTarget(project, teas);
    EXPECT_EQ(target.pageTitle, "Čaje");

    prompter.answers = {Answer::Yes};
    const NewCodeOutcome outcome = enterNewCode(project, target, 1, "x1", prompter);
    ASSERT_TRUE(outcome.accepted);
    ASSERT_TRUE(outcome.copy);
    EXPECT_EQ(prompter.messages,
              (Strings{"warning: Tento kód zboží již existuje v katalogu!",
                       "question: Chcete zkopírovat nalezené zboží do této sekce?"}));
    insertProduct(project, *outcome.copy);
    EXPECT_EQ(rows("zbozi.dbf", kAll),
              Strings{"8_ 2 1 K X1 Čaj Pu-erh <B>lisovaný</B> 100.00 122.00 H 3 10.0000   "
                      "puerh.gif 30.000 1.000 ks 1"});
    EXPECT_EQ(readFile(pageFolder() / "puerh.gif"), "GIF89a-puerh");
    const ProductDerived published = outcome.copy->derived();
    EXPECT_DOUBLE_EQ(published.TMP_P_CENA, 100.0);
    EXPECT_DOUBLE_EQ(published.TMP_P_CENA_DPH, 122.0);
    EXPECT_DOUBLE_EQ(published.TMP_SLEVA_KC, 10.0);
}

TEST_F(Goods, ARowOfTheSameSectionNumberOnAnotherPageIsOffered) {
    add("zbozi.dbf", {{{"HTMLID", "9_"},
                       {"SEKCEID", 2},
                       {"PORADI", 4},
                       {"TYP", "S"},
                       {"KOD", "SADA-1"},
                       {"NAZEV", "Sada na kávu"},
                       {"POPIS", "mlýnek a konvice"},
                       {"P_CENA", 500},
                       {"P_CENA_DPH", 610},
                       {"P_IDPH", "H"},
                       {"IDX_SLEVA", 2},
                       {"SLEVA", 5},
                       {"FONT_NAZ", "<FONT FACE=\"Arial\" SIZE=2 COLOR=\"#000000\">"},
                       {"FONT_POP", "<FONT FACE=\"Arial\" SIZE=1 COLOR=\"#000000\">"},
                       {"OBRAZEK", "sada.gif"},
                       {"KS_MAX", 5},
                       {"KS_KROK", 1},
                       {"MJ", "sada"},
                       {"ROUND", "2"},
                       {"ODKAZ", "<A HREF=\"kava.htm\">"}}});
    writeFile(project.siteFolder / "sada.gif", "sada");
    // Section 2 of page 8 is another section than section 2 of page 9.
    const auto check = checkNewCode(project, teas, 3, "sada-1");
    EXPECT_EQ(check.status, CodeStatus::InProducts);
    ASSERT_EQ(check.offer, CopyOffer::OtherSection);
    EXPECT_EQ(check.pictureSource, project.siteFolder / "sada.gif");
    insertProduct(project, *check.copy);
    EXPECT_EQ(rows("zbozi.dbf", kAll)[1],
              "8_ 2 3 S SADA-1 Sada na kávu mlýnek a konvice 500.00 610.00 H 2 5.0000 <FONT "
              "FACE=\"Arial\" SIZE=2 COLOR=\"#000000\"> <FONT FACE=\"Arial\" SIZE=1 "
              "COLOR=\"#000000\"> sada.gif 5.000 1.000 sada 2 <A HREF=\"kava.htm\">");
    // Its own section is no other section.
    EXPECT_EQ(checkNewCode(project, {"9_", 2}, 5, "SADA-1").offer, CopyOffer::None);
}

TEST_F(Goods, SetCodesAreHeldTo50Bytes) {
    const std::string fifty(50, 'S');
    std::string czech;
    for (int i = 0; i < 50; ++i) {
        czech += "Č"; // one byte each in Windows-1250
    }
    EXPECT_EQ(setCodeProblem("S", fifty), std::nullopt);
    EXPECT_EQ(setCodeProblem("E", czech), std::nullopt);
    EXPECT_EQ(setCodeProblem("S", fifty + "1"), std::string(kSetCodeTooLong));
    EXPECT_EQ(setCodeProblem("S", czech + "Č"), std::string(kSetCodeTooLong));
    EXPECT_EQ(setCodeProblem("R", fifty + "1"), std::nullopt);

    ProductRow set = newProductRow("S", teas, 1);
    set.kod = fifty + "X";
    try {
        insertProduct(project, set);
        FAIL() << "a set code of 51 bytes was stored";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), kSetCodeTooLong);
    }
    ProductRow goodsRow = newProductRow("R", teas, 1);
    goodsRow.kod = std::string(81, 'R'); // longer than KOD: refused, never cut
    EXPECT_THROW(insertProduct(project, goodsRow), Error);
    EXPECT_EQ(goodsRows(), Strings{});
}

// ---------------------------------------------------------------- placing

TEST_F(Goods, PlacingSkipsACodeAlreadyThereInOtherLetterCaseAndCopiesPictures) {
    add("katalog.dbf",
        {{{"SKUPID", 1},
          {"KOD", "CAJ-1"},
          {"NAZEV", "Sencha"},
          {"POPIS", "zelený"},
          {"P_IDPH", "L"},
          {"P_L", 99.95},
          {"ROUND", "1"},
          {"SLEVA", 10},
          {"IDX_SLEVA", 1},
          {"OBRAZEK", "obr\\sencha.gif"}},
         {{"SKUPID", 1}, {"KOD", "CAJ-2"}, {"NAZEV", "Darjeeling"}, {"P_IDPH", "L"}, {"P_L", 50}},
         {{"SKUPID", 1},
          {"KOD", "AB"},
          {"NAZEV", "Konvice"},
          {"P_IDPH", "H"},
          {"P_H", 200},
          {"ROUND", "2"},
          {"OBRAZEK", "chybi.gif"}}});
    add("zbozi.dbf", {goods("8_", 2, 1, "K", "caj-2"), goods("8_", 2, 7, "R", "ABC")});
    writeFile(project.projectFolder / "_obr" / "obr" / "sencha.gif", "nový");
    writeFile(pageFolder() / "sencha.gif", "starý");

    const auto marked = itemsByCode(project, CodeSet{"CAJ-1", "CAJ-2", "AB"});
    ASSERT_EQ(marked.size(), 3u);
    const auto result = placeItems(project, placingTarget(project, teas), PlacingMode::Goods,
                                   marked, prompter, status);
    EXPECT_EQ(status.lines, (Strings{"Vkládám zboží \"Sencha\" do stránky \"Čaje\" ...",
                                     "Vkládám zboží \"Darjeeling\" do stránky \"Čaje\" ...",
                                     "Vkládám zboží \"Konvice\" do stránky \"Čaje\" ..."}));
    EXPECT_EQ(prompter.messages,
              (Strings{"warning: Zboží s kódem CAJ-2 již v produktové sekci existuje!",
                       "information: Záznamy byly přidány do produktové sekce!"}));
    EXPECT_EQ(result.added, 2);
    EXPECT_EQ(result.skipped, Strings{"CAJ-2"});
    EXPECT_FALSE(result.firstSet);
    // 99.95 × 1.05 = 104.9475: to tenths 104.9; the net 99.95 (stored slightly above) to 100.0.
    const auto stored = rows("zbozi.dbf", kAll);
    ASSERT_EQ(stored.size(), 4u);
    EXPECT_EQ(stored[2], "8_ 2 8 K CAJ-1 Sencha zelený 100.00 104.90 L 1 10.0000   sencha.gif "
                         "30.000 1.000 ks 1");
    EXPECT_EQ(stored[3], "8_ 2 9 K AB Konvice  200.00 244.00 H 0 0.0000    30.000 1.000 ks 2");
    EXPECT_EQ(readFile(pageFolder() / "sencha.gif"), "nový");
    EXPECT_FALSE(std::filesystem::exists(pageFolder() / "chybi.gif"));
}

TEST_F(Goods, PlacingSetsReportsTheFirstSetAndAFailedPictureCopyLeavesNoPicture) {
    add("katalog.dbf",
        {{{"SKUPID", 1},
          {"KOD", "SADA-1"},
          {"NAZEV", "Sada"},
          {"P_IDPH", "0"},
          {"P_0", 10},
          {"OBRAZEK", "sada.gif"}},
         {{"SKUPID", 1}, {"KOD", "SADA-2"}, {"NAZEV", "Sada 2"}, {"P_IDPH", "0"}, {"P_0", 20}}});
    writeFile(project.projectFolder / "_obr" / "sada.gif", "sada");
    // The page's folder cannot be made: a file stands where it should be.
    writeFile(project.siteFolder / "caje", "soubor");

    const auto result =
        placeItems(project, placingTarget(project, teas), PlacingMode::Sets,
                   itemsByCode(project, CodeSet{"SADA-1", "SADA-2"}), prompter, status);
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_TRUE(prompter.messages[0].starts_with("error: Obrázek „")) << prompter.messages[0];
    EXPECT_NE(prompter.messages[0].find("nelze zkopírovat do složky"), std::string::npos);
    EXPECT_EQ(prompter.messages[1], "information: Záznamy byly přidány do produktové sekce!");
    EXPECT_EQ(goodsRows({"PORADI", "TYP", "KOD", "OBRAZEK", "P_CENA", "KS_MAX"}),
              (Strings{"1 E SADA-1  10.00 30.000", "2 E SADA-2  20.00 30.000"}));
    ASSERT_TRUE(result.firstSet);
    EXPECT_EQ(result.firstSet->kod, "SADA-1");
    EXPECT_EQ(readProduct(project, *result.firstSet).row.nazev, "Sada");
}

TEST_F(Goods, PlacingNothingMarkedSaysSo) {
    const auto result =
        placeItems(project, placingTarget(project, teas), PlacingMode::Goods, {}, prompter, status);
    EXPECT_EQ(result.added, 0);
    EXPECT_EQ(prompter.messages, Strings{"warning: Není označeno žádné zboží!"});
    // Everything marked already there: no closing message.
    add("katalog.dbf", {item(1, "A")});
    add("zbozi.dbf", {goods("8_", 2, 1, "K", "a")});
    prompter.messages.clear();
    placeItems(project, placingTarget(project, teas), PlacingMode::Goods,
               itemsByCode(project, CodeSet{"A"}), prompter, status);
    EXPECT_EQ(prompter.messages,
              Strings{"warning: Zboží s kódem A již v produktové sekci existuje!"});
}

// ---------------------------------------------------------------- edit and delete by record

TEST_F(Goods, EditingTheSecondHeadingChangesThatHeadingOnly) {
    add("zbozi.dbf", {goods("8_", 2, 1, "N", "", "První nadpis"), goods("8_", 2, 2, "R", "G1"),
                      goods("8_", 2, 3, "N", "", "Druhý nadpis")});
    const auto refs = refsOf(teas);
    StoredProduct second = readProduct(project, refs[2]);
    EXPECT_EQ(second.row.nazev, "Druhý nadpis");
    second.row.nazev = "Změněný nadpis";
    second.row.popis = "nový popis";
    updateProduct(project, second.ref, second.row);
    EXPECT_EQ(goodsRows({"PORADI", "NAZEV", "POPIS"}),
              (Strings{"1 První nadpis", "2 na stránce G1", "3 Změněný nadpis nový popis"}));

    // A row that changed under the editor is not stored anywhere else.
    ProductRef stale = refs[0];
    stale.poradi = 9;
    EXPECT_THROW(readProduct(project, stale), Error);
    try {
        updateProduct(project, stale, second.row);
        FAIL();
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), kProductGone);
    }
    // Another row's code in the same section is refused.
    StoredProduct g1 = readProduct(project, refs[1]);
    g1.row.kod = "g1";
    const ProductRef renamed = updateProduct(project, g1.ref, g1.row); // its own code, other case
    add("zbozi.dbf", {goods("8_", 2, 4, "R", "G2")});
    g1.row.kod = "G2";
    EXPECT_THROW(updateProduct(project, renamed, g1.row), Error);
    EXPECT_EQ(goodsRows({"PORADI", "KOD"}), (Strings{"1", "2 g1", "3", "4 G2"}));
}

TEST_F(Goods, DeletingAHeadingLeavesAGoodsRowOfTheSamePositionAndSetBreakdowns) {
    add("zbozi.dbf", {goods("8_", 2, 1, "N", "", "Nadpis"), goods("8_", 2, 1, "R", "G1"),
                      goods("8_", 2, 2, "E", "SADA"), goods("9_", 2, 1, "E", "SADA")});
    add("kompot.dbf", {component("K1", "K")});
    add("sestsk.dbf", {{{"KOD", "SADA"}, {"SKUPID", 1}, {"NAZEV", "Skupina"}}});
    const auto refs = refsOf(teas);
    ASSERT_EQ(refs.size(), 3u);

    prompter.answers = {Answer::No};
    EXPECT_EQ(deleteProductsAsked(project, {refs[0]}, prompter), 0);
    EXPECT_EQ(prompter.messages,
              Strings{"question: Opravdu chcete tuto položku odstranit z produktové sekce?"});
    EXPECT_EQ(goodsRows().size(), 4u);

    prompter.messages.clear();
    prompter.answers = {Answer::Yes};
    EXPECT_EQ(deleteProductsAsked(project, {refs[0], refs[2]}, prompter), 2);
    EXPECT_EQ(prompter.messages,
              Strings{"question: Opravdu chcete všechny označené položky odstranit z produktové "
                      "sekce?"});
    EXPECT_EQ(goodsRows(), (Strings{"8_ 2 1 R G1", "9_ 2 1 E SADA"}));
    // The breakdown belongs to the code, which page 9 still places.
    EXPECT_EQ(rows("kompot.dbf", {"KOD_ZB", "KOD"}), Strings{"SADA K1"});
    EXPECT_EQ(rows("sestsk.dbf", {"KOD", "NAZEV"}), Strings{"SADA Skupina"});
    // Deleting again finds nothing at those places.
    EXPECT_EQ(deleteProducts(project, {refs[0]}), 0);
}

// ---------------------------------------------------------------- sorting

TEST_F(Goods, SortingByGrossPriceKeepsEqualPricesInTheirOrder) {
    auto priced = [](int order, const char* code, double gross) {
        Row r = goods("8_", 2, order, "R", code);
        r.push_back({"P_CENA", gross});
        r.push_back({"P_CENA_DPH", gross});
        return r;
    };
    add("zbozi.dbf",
        {priced(1, "A50", 50), priced(2, "B20", 20), priced(3, "C50", 50), priced(4, "D10", 10),
         goods("8_", 2, 5, "N", "", "Nadpis"), goods("9_", 2, 1, "R", "JINDE")});
    EXPECT_TRUE(sortSection(project, teas, goodsSortOf("TMP_P_CENA_DPH"), status));
    EXPECT_EQ(status.lines, (Strings{"Třídím produktovou sekci ...", ""}));
    // The heading has no price: it counts as 0.
    EXPECT_EQ(codesInOrder(teas), (Strings{"1 -", "2 D10", "3 B20", "4 A50", "5 C50"}));
    EXPECT_EQ(goodsRows({"KOD", "PORADI"})[5], "JINDE 1");

    EXPECT_FALSE(sortSection(project, teas, goodsSortOf("SLEVA"), status));
    EXPECT_EQ(codesInOrder(teas), (Strings{"1 -", "2 D10", "3 B20", "4 A50", "5 C50"}));
}

TEST_F(Goods, SortingByCodeAndNameUsesCzechOrder) {
    add("zbozi.dbf", {goods("8_", 2, 1, "R", "B", "Čaj"), goods("8_", 2, 2, "N", "", "Nadpis"),
                      goods("8_", 2, 3, "R", "A", "Cukr"), goods("8_", 2, 4, "R", "CH", "Chléb"),
                      goods("8_", 2, 5, "R", "D", "Hrnek")});
    sortSection(project, teas, GoodsSort::ByCode, status);
    EXPECT_EQ(codesInOrder(teas), (Strings{"1 -", "2 A", "3 B", "4 D", "5 CH"}));
    sortSection(project, teas, GoodsSort::ByName, status);
    Strings names;
    for (const auto& s : readSectionRows(project, teas)) {
        names.push_back(s.row.nazev);
    }
    EXPECT_EQ(names, (Strings{"Cukr", "Čaj", "Hrnek", "Chléb", "Nadpis"}));
}

// ---------------------------------------------------------------- the section list

TEST_F(Goods, TheSectionListWithAndWithoutPricesFollowsTheCurrentSection) {
    Row discounted = goods("8_", 2, 2, "R", "R1", "Ruční");
    for (const auto& cell :
         Row{{"P_CENA", 99.99}, {"P_CENA_DPH", 121.99}, {"SLEVA", 10}, {"ROUND", "2"}}) {
        discounted.push_back(cell);
    }
    add("zbozi.dbf",
        {discounted, goods("8_", 2, 1, "N", "", "Nadpis"), goods("8_", 1, 1, "K", "JINA")});
    storage::TData2 data;
    data.SetProjectPath(project.projectFolder);
    data.HTML_SetHtmlID("8_");
    data.qHtml.open();
    ASSERT_TRUE(data.qHtml.locate("SEKCEID", 2.0));

    openSectionGoods(data, false);
    EXPECT_EQ(&data.activeGoodsView(), &data.qZboziL);
    auto list = sectionGoodsList(data.activeGoodsView(), false);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].typText, "nadpis");
    EXPECT_EQ(list[1].kod, "R1");
    EXPECT_EQ(list[1].typText, "zboží - ručně");
    EXPECT_DOUBLE_EQ(list[1].sleva, 10);
    EXPECT_FALSE(list[1].prices);

    openSectionGoods(data, true);
    list = sectionGoodsList(data.activeGoodsView(), true);
    ASSERT_EQ(list.size(), 2u);
    ASSERT_TRUE(list[1].prices);
    // 99.99 and 121.99 to whole units; the discount 9.999 to 10.
    EXPECT_DOUBLE_EQ(list[1].prices->TMP_P_CENA, 100);
    EXPECT_DOUBLE_EQ(list[1].prices->TMP_P_CENA_DPH, 122);
    EXPECT_DOUBLE_EQ(list[1].prices->TMP_SLEVA_KC, 10);
    // The reference edits exactly the listed row.
    EXPECT_EQ(readProduct(project, list[1].ref).row.nazev, "Ruční");
}

// ---------------------------------------------------------------- pages with an item

TEST_F(Goods, PagesWithAnItemListEveryRowWithExactlyItsCode) {
    add("zbozi.dbf",
        {goods("8_", 1, 1, "K", "AB"), goods("8_", 2, 1, "K", "ab"), goods("9_", 2, 1, "K", "ABC"),
         goods("9_", 2, 2, "K", "AB"), goods("77_", 1, 1, "K", "AB")});
    EXPECT_EQ(pagesWithItem(project, "AB"), (Strings{"Čaje", "Čaje", "Káva", "77_"}));
    EXPECT_EQ(pagesWithItem(project, "XYZ"), Strings{});
    // Quotes are ordinary characters of a code.
    add("zbozi.dbf", {goods("9_", 2, 3, "R", "A\"B'C")});
    EXPECT_EQ(pagesWithItem(project, "a\"b'c"), Strings{"Káva"});
    EXPECT_EQ(checkNewCode(project, teas, 1, "A\"B'C").offer, CopyOffer::OtherSection);
    EXPECT_EQ(checkNewCode(project, teas, 1, "A\"B").status, CodeStatus::Free);
    EXPECT_EQ(pageCountText(4), "Počet stránek s tímto zbožím: 4");
    EXPECT_EQ(loadingPagesStatus("Sencha"),
              "Načítám seznam stránek obsahujících zboží \"Sencha\".");
    EXPECT_EQ(shownGroupStatus("Čaje"), "Zobrazena skupina \"Čaje\".");
}

} // namespace
} // namespace arkona::catalogue
