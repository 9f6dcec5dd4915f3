#include "base/dbf/numeric.h"
#include "base/dbf/table.h"
#include "catalogue/derived_values.h"
#include "catalogue/price_update.h"
#include "example_items.h"
#include "storage/project_context.h"
#include "support/other_process.h"
#include "support/project_fixture.h"
#include "support/recorders.h"
#include "support/table_builder.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace arkona::catalogue {
namespace {

using Strings = std::vector<std::string>;
using test::Row;

// 81 characters (101 bytes of UTF-8).
const std::string kLongName = "Čajová souprava „Žluťoučký kůň“ z porcelánu, ručně malovaná, "
                              "šest šálků a konvice";

struct PriceUpdate : ::testing::Test {
    test::TempDir dir;
    storage::ProjectContext project;

    PriceUpdate() {
        project.setProjectFolder(test::makeEmptyProject(dir.path()));
        storage::readArkonaTree(project);
    }
    std::filesystem::path table(const char* name) const {
        return project.projectFolder / "_dbf" / name;
    }
    static Row item(const char* code, const char* vat, double p0, double pL, double pH,
                    const char* round, const std::string& name = "") {
        return {{"SKUPID", 1},   {"KOD", code},   {"NAZEV", name.empty() ? code : name},
                {"N_IDPH", "H"}, {"P_IDPH", vat}, {"P_0", p0},
                {"P_L", pL},     {"P_H", pH},     {"ROUND", round}};
    }
    static Row product(const char* type, const char* code, int order) {
        return {{"HTMLID", "8_"}, {"SEKCEID", 2},     {"PORADI", order}, {"TYP", type},
                {"KOD", code},    {"NAZEV", "staré"}, {"P_CENA", 1},     {"P_CENA_DPH", 1},
                {"P_IDPH", "0"},  {"ROUND", ""}};
    }
    static Row component(const char* type, const char* code, int order) {
        return {{"KOD_ZB", "SADA"}, {"SKUPID", 1}, {"PORADI", order}, {"TYP", type},  {"KOD", code},
                {"NAZEV", "staré"}, {"P_CENA", 1}, {"P_CENA_DPH", 1}, {"P_IDPH", "0"}};
    }
    // "KOD P_IDPH P_CENA P_CENA_DPH ROUND" of each live row, as stored.
    Strings rows(const char* name) const {
        const auto t = dbf::Table::open(table(name), dbf::OpenMode::ReadOnly);
        const bool products = t.hasField("ROUND");
        Strings out;
        t.scan([&](const dbf::Record& r) {
            std::string line = r.text("TYP") + " " + r.text("KOD") + " | " + r.text("P_IDPH") +
                               " " + r.display(r.column("P_CENA")) + " " +
                               r.display(r.column("P_CENA_DPH"));
            line += products ? " " + r.text("ROUND") : " " + r.text("NAZEV");
            out.push_back(line);
            return true;
        });
        return out;
    }

    void fill() {
        test::appendRows(table("katalog.dbf"),
                         {item("C11", "L", 0, 47.37, 0, "1"), item("AB", "H", 0, 0, 100, "0"),
                          item("ABC", "0", 50, 0, 0, "2"), item("A\"B'C", "L", 0, 10, 0, ""),
                          item("C9", "R", 10, 20, 30, "0", kLongName)});
        test::appendRows(table("zbozi.dbf"),
                         {product("K", "c11", 1), product("E", "AB", 2), product("K", "ABC", 3),
                          product("R", "AB", 4), product("N", "", 5), product("K", "a\"b'C", 6),
                          product("K", "BEZ", 7), product("E", " ab", 8), product("K", "AB", 9)});
        dbf::Table::open(table("zbozi.dbf")).setDeleted(8);
        test::appendRows(table("kompot.dbf"), {component("K", "C11", 1), component("R", "AB", 2),
                                               component("K", "ab", 3), component("K", "c9", 4),
                                               component("K", "ABCD", 5)});
    }
};

TEST_F(PriceUpdate, AllPlacedGoodsTakeTheirOwnItemsPrices) {
    fill();
    test::RecordingProgress progress;
    const PriceUpdateCounts counts = RecalcProd(project, nullptr, progress);
    EXPECT_EQ(rows("zbozi.dbf"), (Strings{"K c11 | L 47.37 49.74 1", "E AB | H 100.00 122.00 0",
                                          "K ABC | 0 50.00 50.00 2",
                                          "R AB | 0 1.00 1.00 ", // entered by hand
                                          "N  | 0 1.00 1.00 ",   // heading
                                          "K a\"b'C | L 10.00 10.50 0",
                                          "K BEZ | 0 1.00 1.00 ", // no such item
                                          "E  ab | H 100.00 122.00 0"}));
    EXPECT_EQ(rows("kompot.dbf"),
              (Strings{"K C11 | L 47.40 49.70 C11", "R AB | 0 1.00 1.00 staré",
                       "K ab | H 100.00 122.00 AB",
                       "K c9 | R 60.00 67.60 Čajová souprava „Žluťoučký kůň“ z porcelánu, ručně",
                       "K ABCD | 0 1.00 1.00 staré"}));
    EXPECT_EQ(counts.products, 5);
    EXPECT_EQ(counts.changedProducts, 5);
    EXPECT_EQ(counts.components, 3);
    EXPECT_FALSE(counts.cancelled);
    EXPECT_EQ(progress.events,
              (Strings{"start: Aktualizace cen v produktových sekcích | Čekejte prosím, probíhá "
                       "aktualizace cen v produktových sekcích.\nTato činnost může trvat delší "
                       "dobu! | bars first 100/100 | copy | Storno",
                       "maximum 1: 8", "step 1", "step 1", "step 1", "step 1", "step 1", "step 1",
                       "step 1", "step 1", "finish"}));

    // A second run finds everything in line and writes nothing.
    const auto before = test::readFile(table("zbozi.dbf"));
    const PriceUpdateCounts again = RecalcProd(project, nullptr, progress);
    EXPECT_EQ(again.products, 5);
    EXPECT_EQ(again.changedProducts + again.changedComponents, 0);
    EXPECT_EQ(test::readFile(table("zbozi.dbf")), before);
}

TEST_F(PriceUpdate, APageProductPublishesTheCataloguesPrice) {
    // 119.95 × 1.05 = 125.9475: the catalogue shows 125.9. Stored with two decimals it would
    // read 125.95 and publish 126.0, so the page product stores the rounded price.
    test::appendRows(table("katalog.dbf"),
                     {item("T1", "L", 0, 119.95, 0, "1"), item("T2", "H", 0, 0, 10.24, "2"),
                      item("T3", "L", 0, 119.95, 0, "0"), item("T4", "H", 0, 0, 10.2426, "2")});
    test::appendRows(table("zbozi.dbf"), {product("K", "T1", 1), product("K", "T2", 2),
                                          product("K", "T3", 3), product("K", "T4", 4)});
    NoProgress progress;
    RecalcProd(project, nullptr, progress);
    EXPECT_EQ(rows("zbozi.dbf"),
              (Strings{"K T1 | L 119.95 125.90 1", "K T2 | H 10.24 12.49 2",
                       "K T3 | L 119.95 125.95 0", "K T4 | H 10.24 12.00 2"})); // 12.495972
    const auto t = dbf::Table::open(table("zbozi.dbf"), dbf::OpenMode::ReadOnly);
    const auto published =
        deriveProduct(t.read(0).numberOr("P_CENA"), t.read(0).numberOr("P_CENA_DPH"), 0, "1");
    EXPECT_EQ(published.TMP_P_CENA_DPH, 125.9);
    EXPECT_EQ(published.TMP_P_CENA, 120);
}

TEST_F(PriceUpdate, TheComponentNameIsCutOnAWholeCharacter) {
    fill();
    NoProgress progress;
    RecalcProd(project, nullptr, progress);
    const auto t = dbf::Table::open(table("kompot.dbf"), dbf::OpenMode::ReadOnly);
    const std::string name = t.read(3).text("NAZEV");
    EXPECT_EQ(name, "Čajová souprava „Žluťoučký kůň“ z porcelánu, ručně");
    EXPECT_EQ(t.read(3).rawField(t.fieldIndex("NAZEV")).size(), 50u);
}

TEST_F(PriceUpdate, ACodeListRestrictsTheUpdate) {
    fill();
    NoProgress progress;
    const CodeSet codes{"ab", "A\"B'C"};
    const PriceUpdateCounts counts = RecalcProd(project, &codes, progress);
    EXPECT_EQ(counts.products, 3);
    EXPECT_EQ(counts.components, 1);
    const Strings zbozi = rows("zbozi.dbf");
    EXPECT_EQ(zbozi[0], "K c11 | 0 1.00 1.00 "); // not in the list
    EXPECT_EQ(zbozi[1], "E AB | H 100.00 122.00 0");
    EXPECT_EQ(zbozi[2], "K ABC | 0 1.00 1.00 "); // "AB" is not "ABC"
    EXPECT_EQ(zbozi[5], "K a\"b'C | L 10.00 10.50 0");
}

TEST_F(PriceUpdate, ACancelKeepsWhatWasStoredAndTheNextRunCompletes) {
    fill();
    test::RecordingProgress cancelling;
    cancelling.cancelAfterSteps = true;
    cancelling.stepsBeforeCancel = 2;
    const PriceUpdateCounts stopped = RecalcProd(project, nullptr, cancelling);
    EXPECT_TRUE(stopped.cancelled);
    EXPECT_EQ(stopped.products, 2);
    EXPECT_EQ(stopped.components, 0);
    EXPECT_EQ(cancelling.events.back(), "finish");
    Strings zbozi = rows("zbozi.dbf");
    EXPECT_EQ(zbozi[0], "K c11 | L 47.37 49.74 1");
    EXPECT_EQ(zbozi[1], "E AB | H 100.00 122.00 0");
    EXPECT_EQ(zbozi[2], "K ABC | 0 1.00 1.00 ");
    EXPECT_EQ(rows("kompot.dbf")[0], "K C11 | 0 1.00 1.00 staré");

    NoProgress progress;
    const PriceUpdateCounts completed = RecalcProd(project, nullptr, progress);
    EXPECT_EQ(completed.products, 5);
    EXPECT_EQ(completed.changedProducts, 3);
    EXPECT_EQ(rows("zbozi.dbf")[2], "K ABC | 0 50.00 50.00 2");
    EXPECT_EQ(rows("kompot.dbf")[0], "K C11 | L 47.40 49.70 C11");
}

TEST_F(PriceUpdate, SelectedItemsGoInBatchesOfAHundred) {
    std::vector<Row> items;
    std::vector<Row> products;
    CodeSet selected;
    for (int i = 1; i <= 250; ++i) {
        char buffer[8];
        std::snprintf(buffer, sizeof buffer, "Z%03d", i);
        const std::string code = buffer;
        items.push_back(item(code.c_str(), "H", 0, 0, i, "0"));
        items.back()[1].second = code; // the row keeps its own copy
        products.push_back(product("K", code.c_str(), 251 - i));
        products.back()[4].second = code;
        selected.add(code);
    }
    std::reverse(products.begin(), products.end()); // placed in another order than listed
    test::appendRows(table("katalog.dbf"), items);
    test::appendRows(table("zbozi.dbf"), products);

    test::RecordingProgress progress;
    const PriceUpdateCounts counts = RecalcProdSelected(project, selected, progress);
    EXPECT_EQ(counts.products, 250);
    Strings maxima;
    for (const auto& e : progress.events) {
        if (e.starts_with("maximum") || e.starts_with("start")) {
            maxima.push_back(e.substr(0, 10));
        }
    }
    EXPECT_EQ(maxima, (Strings{"start: Akt", "maximum 1:", "start: Akt", "maximum 1:", "start: Akt",
                               "maximum 1:"}));
    EXPECT_EQ(std::count(progress.events.begin(), progress.events.end(), "maximum 1: 100"), 2);
    EXPECT_EQ(std::count(progress.events.begin(), progress.events.end(), "maximum 1: 50"), 1);
    const auto t = dbf::Table::open(table("zbozi.dbf"), dbf::OpenMode::ReadOnly);
    t.scan([&](const dbf::Record& r) {
        const int n = std::stoi(r.text("KOD").substr(1));
        EXPECT_EQ(r.numberOr("P_CENA"), n) << r.text("KOD");
        EXPECT_EQ(r.display(r.column("P_CENA_DPH")), dbf::formatNumber(n * 1.22, 2));
        return true;
    });
    EXPECT_EQ(selected.batches().size(), 3u);
    EXPECT_EQ(selected.batches()[2].codes().front(), "Z201");
}

TEST_F(PriceUpdate, TheCurrentItemUpdatesEveryRowOfItsCode) {
    fill();
    Item current;
    current.kod = "AB";
    current.nazev = "Nový název";
    current.pIdph = "L";
    current.pL = 99.95 / 1.05;
    current.round = "1";
    test::RecordingProgress progress;
    const PriceUpdateCounts counts = RecalcProdKod(project, current, CodeSet{"AB"}, progress);
    EXPECT_EQ(counts.products, 3); // "E AB", "R AB" and "E ab"; not "ABC"
    EXPECT_EQ(counts.components, 1);
    const Strings zbozi = rows("zbozi.dbf");
    EXPECT_EQ(zbozi[1], "E AB | L 95.19 99.95 1");
    EXPECT_EQ(zbozi[2], "K ABC | 0 1.00 1.00 ");
    EXPECT_EQ(zbozi[3], "R AB | L 95.19 99.95 1");
    EXPECT_EQ(zbozi[7], "E  ab | L 95.19 99.95 1");
    const Strings kompot = rows("kompot.dbf");
    EXPECT_EQ(kompot[1], "R AB | 0 1.00 1.00 staré");
    EXPECT_EQ(kompot[2], "K ab | L 95.20 100.00 Nový název"); // rounded by the item's ROUND
    EXPECT_EQ(progress.events,
              (Strings{"start: Aktualizace údajů v produktové sekci | Čekejte prosím, probíhá "
                       "aktualizace údajů v produktové sekci. | bars none 100/100 | copy",
                       "finish"}));
}

TEST_F(PriceUpdate, ATableHeldByAnotherProgramStopsBeforeAnyWrite) {
    fill();
    const auto before = test::readFile(table("zbozi.dbf"));
    std::string message;
    test::RecordingProgress progress;
    test::whileAnotherProcessHolds(
        [&] {
            return std::make_shared<dbf::Table>(
                dbf::Table::open(table("kompot.dbf"), dbf::OpenMode::Exclusive));
        },
        [&] { message = test::errorOf([&] { RecalcProd(project, nullptr, progress); }); });
    EXPECT_EQ(message, "Tabulku „" + table("kompot.dbf").string() +
                           "“ nelze otevřít: soubor je otevřen ve výhradním režimu jiným "
                           "programem.");
    EXPECT_EQ(test::readFile(table("zbozi.dbf")), before);
    EXPECT_EQ(progress.events.back(), "finish");
}

TEST_F(PriceUpdate, TheSampleProjectsGoodsAreInLineWithItsCatalogue) {
    test::TempDir sampleDir;
    storage::ProjectContext sample;
    sample.setProjectFolder(test::copySampleProject(sampleDir.path()));
    storage::readArkonaTree(sample);
    NoProgress progress;
    const PriceUpdateCounts counts = RecalcProd(sample, nullptr, progress);
    EXPECT_GE(counts.products, 5);
    EXPECT_EQ(counts.changedProducts, 0);
}

} // namespace
} // namespace arkona::catalogue
