#include "base/error.h"
#include "base/paths.h"
#include "storage/data_module.h"
#include "storage/schema.h"
#include "support/other_process.h"
#include "support/project_fixture.h"
#include "support/recorders.h"
#include "support/table_builder.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <map>

namespace arkona::storage {
namespace {

using test::errorOf;
using test::Row;
using test::TempDir;

class DataModuleTest : public ::testing::Test {
protected:
    TempDir dir;
    std::filesystem::path project = test::makeEmptyProject(dir.path());
    TData2 data;

    std::filesystem::path table(const char* name) const { return project / "_dbf" / name; }

    // Every live row of every table, as stored.
    std::map<std::string, std::vector<std::string>> snapshot() const {
        std::map<std::string, std::vector<std::string>> all;
        for (const auto& entry : std::filesystem::directory_iterator(project / "_dbf")) {
            if (entry.path().extension() != ".dbf") {
                continue;
            }
            auto& rows = all[entry.path().filename().string()];
            dbf::Table::open(entry.path(), dbf::OpenMode::ReadOnly).scan([&](const dbf::Record& r) {
                rows.emplace_back(r.rawBytes());
                return true;
            });
        }
        return all;
    }

    // What the tests saw while the views were open must still be there once the module has
    // closed them, qTree included.
    void TearDown() override {
        const auto whileOpen = snapshot();
        data.CloseQuery();
        data.qTree.close();
        EXPECT_EQ(snapshot(), whileOpen);
    }
    void add(const char* name, const std::vector<Row>& rows) {
        test::appendRows(table(name), rows);
    }
    void bind() { data.SetProjectPath(project); }

    // Live rows of a table, one column as text each.
    std::vector<std::string> column(const char* name, const char* col) const {
        std::vector<std::string> out;
        dbf::Table::open(table(name), dbf::OpenMode::ReadOnly).scan([&](const dbf::Record& r) {
            out.push_back(r.display(r.column(col)));
            return true;
        });
        return out;
    }

    void addPage(const std::string& id, int n, int poradi, const std::string& parent,
                 const std::string& src) {
        add(kStruktur, {{{"HTMLID", id},
                         {"N_HTMLID", n},
                         {"PORADI", poradi},
                         {"PARENT", parent},
                         {"SRC", src},
                         {"POPIS", "Stránka " + id},
                         {"LINK", false}}});
    }
};

TEST_F(DataModuleTest, KeysOverEmptyTablesAreZero) {
    bind();
    int n = -1, poradi = -1;
    data.STRUKTUR_MAX(n, poradi);
    EXPECT_EQ(n, 0); // so the first page becomes "1_" with PORADI 1
    EXPECT_EQ(poradi, 0);
    data.HTML_MAX(n, poradi);
    EXPECT_EQ(n + poradi, 0);
    data.SESTSK_MAX(n, poradi);
    EXPECT_EQ(n + poradi, 0);
    EXPECT_EQ(data.ZBOZI_MAX(), 0);
    EXPECT_EQ(data.DISTRIB_MAX(), 0);
    EXPECT_EQ(data.SKUPINY_MAX_SKUPID(), 0);
    EXPECT_EQ(data.SKUPINY_MAX_PORADI(), 0);
    EXPECT_EQ(data.STRUKTUR_COUNT(), 0);
    EXPECT_EQ(data.KATALOG_COUNT(), 0);
    EXPECT_EQ(data.ZBOZISKUP("X"), 0);
}

TEST_F(DataModuleTest, ReservedImportGroupsDoNotCountAndCodesMatchWhole) {
    add(kSkupiny, {{{"SKUPID", 9998}, {"PORADI", 9998}}, {{"SKUPID", 9999}, {"PORADI", 9999}}});
    bind();
    EXPECT_EQ(data.SKUPINY_MAX_SKUPID(), 0);
    EXPECT_EQ(data.SKUPINY_MAX_PORADI(), 0);
    add(kSkupiny, {{{"SKUPID", 12}, {"PORADI", 3}}, {{"SKUPID", 4}, {"PORADI", 7}}});
    EXPECT_EQ(data.SKUPINY_MAX_SKUPID(), 12);
    EXPECT_EQ(data.SKUPINY_MAX_PORADI(), 7);
    add(kKatalog,
        {{{"KOD", "ABC"}, {"SKUPID", 4}}, {{"KOD", "ab"}, {"SKUPID", 12}}, {{"SKUPID", 9999}}});
    EXPECT_EQ(data.ZBOZISKUP("AB"), 12); // without regard to case, but the whole code
    EXPECT_EQ(data.ZBOZISKUP("ABC"), 4);
    EXPECT_EQ(data.ZBOZISKUP("A"), 0);
    EXPECT_EQ(data.KATALOG_COUNT(), 2);
}

TEST_F(DataModuleTest, SelectingAPageRepositionsSectionsAndGoodsInOrder) {
    addPage("1_", 1, 1, "0_", "hlavni");
    addPage("2_", 2, 2, "0_", "caje");
    add(kStruktur, {{{"HTMLID", "3_"},
                     {"N_HTMLID", 3},
                     {"PORADI", 3},
                     {"PARENT", "0_"},
                     {"SRC", "caje"},
                     {"LINK", true}}});
    add(kHtml, {{{"HTMLID", "2_"}, {"SEKCEID", 2}, {"PORADI", 2}, {"TYP", "p"}, {"POPIS", "Zboží"}},
                {{"HTMLID", "2_"}, {"SEKCEID", 1}, {"PORADI", 1}, {"TYP", "t"}, {"POPIS", "Text"}},
                {{"HTMLID", "1_"}, {"SEKCEID", 1}, {"PORADI", 1}, {"TYP", "h"}}});
    add(kZbozi, {{{"HTMLID", "2_"}, {"SEKCEID", 2}, {"PORADI", 2}, {"KOD", "B"}},
                 {{"HTMLID", "2_"}, {"SEKCEID", 2}, {"PORADI", 1}, {"KOD", "A"}},
                 {{"HTMLID", "2_"}, {"SEKCEID", 1}, {"PORADI", 1}, {"KOD", "X"}}});
    bind();
    std::vector<std::string> calls;
    data.hooks.repaintMainWindow = [&] { calls.push_back("repaint"); };
    data.hooks.reloadPagePanel = [&] { calls.push_back("page panel"); };
    data.hooks.reloadSectionPanel = [&] {
        calls.push_back("section panel " + data.qHtml.text("POPIS"));
    };

    data.STRUKTUR_SetHtmlID("2_");
    ASSERT_EQ(data.qStruktur.rowCount(), 1);
    EXPECT_EQ(data.qLink.rowCount(), 1); // the non-link page with that file name
    EXPECT_EQ(data.qLink.text("HTMLID"), "2_");
    ASSERT_EQ(data.qHtml.rowCount(), 2);
    EXPECT_EQ(data.qHtml.text("POPIS"), "Text"); // ordered by PORADI
    // The setter turns the page-panel refresh off while it works.
    EXPECT_EQ(calls, (std::vector<std::string>{"repaint"}));

    calls.clear();
    data.qHtml.next();
    EXPECT_EQ(calls, (std::vector<std::string>{"section panel Zboží"}));
    ASSERT_TRUE(data.qZbozi.isOpen());
    EXPECT_FALSE(data.qZboziL.isOpen());
    std::vector<std::string> codes;
    for (const auto& r : data.qZbozi.rows()) {
        codes.push_back(r.text("KOD"));
    }
    EXPECT_EQ(codes, (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(std::get<std::string>(data.qZboziUpr.parameter("HTMLID")), "2_");
    EXPECT_EQ(std::get<double>(data.qZboziUpr.parameter("SEKCEID")), 2);

    data.setGoodsWithPrices(false);
    data.qHtml.first();
    data.qHtml.next();
    EXPECT_TRUE(data.qZboziL.isOpen());
    EXPECT_FALSE(data.qZbozi.isOpen()); // opened only while a preview is generated
}

TEST_F(DataModuleTest, CascadeSwitchAndGuardsNest) {
    addPage("1_", 1, 1, "0_", "a");
    bind();
    {
        TData2::CascadeOff outer(data);
        { TData2::CascadeOff inner(data); }
        EXPECT_FALSE(data.cascadeActive()); // the inner guard must not turn it on early
        data.STRUKTUR_SetHtmlID("1_");
        EXPECT_FALSE(data.qHtml.isOpen());
        TData2::PagePanelRefreshOff a(data);
        { TData2::PagePanelRefreshOff b(data); }
        EXPECT_FALSE(data.pagePanelRefresh());
    }
    EXPECT_TRUE(data.cascadeActive());
    EXPECT_TRUE(data.pagePanelRefresh());
    data.setCascadeSwitch(false);
    EXPECT_FALSE(data.cascadeActive());
}

TEST_F(DataModuleTest, EmptyIdTurnsThePageFilterOffAndAnIdRestoresIt) {
    addPage("1_", 1, 1, "0_", "a");
    addPage("2_", 2, 2, "0_", "b");
    addPage("12_", 12, 3, "0_", "c");
    bind();
    data.STRUKTUR_SetHtmlID("");
    EXPECT_EQ(data.qStruktur.rowCount(), 3);
    data.STRUKTUR_SetHtmlID("1_");
    ASSERT_EQ(data.qStruktur.rowCount(), 1); // "1_" is not the beginning of "12_"
    EXPECT_EQ(data.qStruktur.text("HTMLID"), "1_");
}

TEST_F(DataModuleTest, PostingAPageSetsUpdatedAndWritesOnlyTheChangedColumns) {
    addPage("1_", 1, 1, "0_", "a");
    bind();
    data.STRUKTUR_SetHtmlID("1_");
    data.qTree.open();
    data.previewCacheKey = "1_";
    data.qStruktur.setText("POPIS", "Nový název");
    data.qStruktur.post();
    EXPECT_EQ(data.previewCacheKey, "");
    // qTree still holds the old row; its change must not bring the old title back.
    data.qTree.setLogical("EXPAND", true);
    data.qTree.post();
    EXPECT_EQ(column(kStruktur, "POPIS"), (std::vector<std::string>{"Nový název"}));
    EXPECT_EQ(column(kStruktur, "UPDATED"), (std::vector<std::string>{"T"}));
    EXPECT_EQ(column(kStruktur, "EXPAND"), (std::vector<std::string>{"T"}));
}

TEST_F(DataModuleTest, DeletingAPageRemovesItsSectionsAndGoodsButNotItsVariables) {
    addPage("1_", 1, 1, "0_", "a");
    addPage("7_", 7, 2, "0_", "b");
    add(kHtml, {{{"HTMLID", "7_"}, {"SEKCEID", 1}, {"PORADI", 1}, {"TYP", "p"}},
                {{"HTMLID", "7_"}, {"SEKCEID", 2}, {"PORADI", 2}, {"TYP", "t"}},
                {{"HTMLID", "1_"}, {"SEKCEID", 1}, {"PORADI", 1}, {"TYP", "h"}}});
    // Two heading rows with the same empty code: each must go by its own row.
    add(kZbozi,
        {{{"HTMLID", "7_"}, {"SEKCEID", 1}, {"PORADI", 1}, {"TYP", "N"}, {"NAZEV", "Nadpis 1"}},
         {{"HTMLID", "7_"}, {"SEKCEID", 1}, {"PORADI", 2}, {"TYP", "K"}, {"KOD", "A"}},
         {{"HTMLID", "7_"}, {"SEKCEID", 1}, {"PORADI", 3}, {"TYP", "N"}, {"NAZEV", "Nadpis 2"}},
         {{"HTMLID", "1_"}, {"SEKCEID", 1}, {"PORADI", 1}, {"KOD", "JINDE"}}});
    add(kPromUsr, {{{"HTMLID", "7_"}, {"NAZEV", "keywords"}, {"HODNOTA", "čaj"}}});
    bind();
    data.setGoodsWithPrices(false);
    data.STRUKTUR_SetHtmlID("7_");
    data.qStruktur.remove();
    EXPECT_EQ(column(kStruktur, "HTMLID"), (std::vector<std::string>{"1_"}));
    EXPECT_EQ(column(kHtml, "HTMLID"), (std::vector<std::string>{"1_"}));
    EXPECT_EQ(column(kZbozi, "KOD"), (std::vector<std::string>{"JINDE"}));
    EXPECT_EQ(column(kPromUsr, "HTMLID"), (std::vector<std::string>{"7_"}));
}

TEST_F(DataModuleTest, DeletingAPageWithTheCascadeOffStillTakesItsOwnSections) {
    addPage("1_", 1, 1, "0_", "a");
    addPage("2_", 2, 2, "0_", "b");
    add(kHtml, {{{"HTMLID", "1_"}, {"SEKCEID", 1}, {"PORADI", 1}, {"TYP", "t"}},
                {{"HTMLID", "2_"}, {"SEKCEID", 1}, {"PORADI", 1}, {"TYP", "t"}}});
    bind();
    data.STRUKTUR_SetHtmlID("1_"); // qHtml shows page 1
    data.setCascadeSwitch(false);
    data.STRUKTUR_SetHtmlID("2_");
    data.qStruktur.remove();
    EXPECT_EQ(column(kHtml, "HTMLID"), (std::vector<std::string>{"1_"}));
}

TEST_F(DataModuleTest, WriteOperationsRefuseBeforeWritingUnlessExactlyOneRow) {
    addPage("1_", 1, 1, "0_", "a");
    add(kHtml,
        {{{"HTMLID", "1_"}, {"SEKCEID", 1}, {"PORADI", 1}, {"TYP", "t"}, {"POPIS", "první"}},
         {{"HTMLID", "1_"}, {"SEKCEID", 1}, {"PORADI", 2}, {"TYP", "t"}, {"POPIS", "dvojník"}}});
    bind();
    data.HTML_SetHtmlID("1_");
    data.qHtml.setText("POPIS", "změna");
    data.qHtml.post();
    EXPECT_EQ(errorOf([&] { data.HTML_UPDATE(1); }), "Update failed");
    EXPECT_EQ(column(kHtml, "POPIS"),
              (std::vector<std::string>{"první", "dvojník"})); // nothing written
    EXPECT_EQ(errorOf([&] { data.HTML_UPDATE(5); }), "Update failed");
    EXPECT_EQ(column(kHtml, "POPIS").size(), 2u);
    EXPECT_EQ(errorOf([&] { data.HTML_UPDATE(9); }), "HTML_UPDATE: neznámý druh 9");
}

TEST_F(DataModuleTest, SectionWriteOperations) {
    addPage("1_", 1, 1, "0_", "a");
    bind();
    data.STRUKTUR_SetHtmlID("1_");
    int sekce = 0, poradi = 0;
    data.HTML_MAX(sekce, poradi);
    data.qHtml.insert();
    data.qHtml.setText("HTMLID", "1_");
    data.qHtml.setNumber("SEKCEID", sekce + 1);
    data.qHtml.setNumber("PORADI", poradi + 1);
    data.qHtml.setText("TYP", "t");
    data.qHtml.setText("SABID", "default.qsp");
    data.qHtml.setText("POPIS", "Nová sekce");
    data.qHtml.post();
    EXPECT_TRUE(column(kHtml, "HTMLID").empty()); // buffered: nothing stored yet
    data.HTML_UPDATE(6);
    data.qHtml.setMemo("HTML", "<P>Text sekce</P>");
    data.qHtml.post();
    data.HTML_UPDATE(2);
    data.qHtml.setNumber("PORADI", 5);
    data.HTML_UPDATE(3);
    data.qHtml.setText("SABID", "jina.qsp");
    data.HTML_UPDATE(4);
    EXPECT_EQ(column(kHtml, "HTML"), (std::vector<std::string>{"<P>Text sekce</P>"}));
    EXPECT_EQ(column(kHtml, "PORADI"), (std::vector<std::string>{"5"}));
    EXPECT_EQ(column(kHtml, "SABID"), (std::vector<std::string>{"jina.qsp"}));
    data.HTML_MAX(sekce, poradi);
    EXPECT_EQ(sekce, 1);
    EXPECT_EQ(poradi, 5);

    // Storing the memo of a section whose row is gone fails loudly.
    dbf::Table::open(table(kHtml)).setDeleted(0);
    EXPECT_EQ(errorOf([&] { data.HTML_UPDATE(2); }), "Update failed");
}

TEST_F(DataModuleTest, ClearedCatalogueDescriptionIsStored) {
    add(kKatalog, {{{"KOD", "A1"},
                    {"SKUPID", 3},
                    {"NAZEV", "Čaj"},
                    {"POPIS", "starý popis"},
                    {"P_0", 81.9672}}});
    bind();
    data.SKUPINY_SetSkupID(3); // no group row: qKatalog keeps its parameter
    data.qKatalog.close();
    data.qKatalog.setParameter("SKUPID", 3.0);
    data.qKatalog.open();
    ASSERT_EQ(data.qKatalog.rowCount(), 1);
    data.qKatalog.setMemo("POPIS", "");
    data.qKatalog.setText("NAZEV", "Zelený čaj");
    data.qKatalog.post();
    data.KATALOG_UPDATE(1);
    EXPECT_EQ(column(kKatalog, "POPIS"), (std::vector<std::string>{""}));
    EXPECT_EQ(column(kKatalog, "NAZEV"), (std::vector<std::string>{"Zelený čaj"}));
    EXPECT_EQ(column(kKatalog, "P_0"),
              (std::vector<std::string>{"81.9672"})); // price parts survive
    data.qKatalog.setText("KOD", "B2");
    data.KATALOG_UPDATE(2);
    EXPECT_EQ(column(kKatalog, "KOD"), (std::vector<std::string>{"A1", "B2"}));
    data.KATALOG_UPDATE(3);
    EXPECT_EQ(column(kKatalog, "KOD"), (std::vector<std::string>{"A1"}));
}

TEST_F(DataModuleTest, GroupsNarrowTheCatalogueAndSetGroupsTheirComponents) {
    add(kSkupiny, {{{"SKUPID", 1}, {"NAZEV", "Čaje"}}, {{"SKUPID", 2}, {"NAZEV", "Káva"}}});
    add(kKatalog, {{{"KOD", "K2"}, {"SKUPID", 2}},
                   {{"KOD", "C1"}, {"SKUPID", 1}},
                   {{"KOD", "K1"}, {"SKUPID", 2}}});
    add(kSestSk, {{{"KOD", "SET"}, {"SKUPID", 1}, {"PORADI", 2}, {"NAZEV", "Barva"}},
                  {{"KOD", "SET"}, {"SKUPID", 2}, {"PORADI", 1}, {"NAZEV", "Velikost"}},
                  {{"KOD", "JINY"}, {"SKUPID", 1}, {"PORADI", 1}}});
    add(kKompot, {{{"KOD_ZB", "SET"}, {"SKUPID", 1}, {"KOD", "modra"}, {"PORADI", 1}},
                  {{"KOD_ZB", "SET"}, {"SKUPID", 2}, {"KOD", "XL"}, {"PORADI", 2}},
                  {{"KOD_ZB", "SET"}, {"SKUPID", 2}, {"KOD", "L"}, {"PORADI", 1}},
                  {{"KOD_ZB", "JINY"}, {"SKUPID", 2}, {"KOD", "cizi"}, {"PORADI", 1}}});
    bind();
    int groupChanges = 0;
    data.hooks.catalogueGroupChanged = [&] { ++groupChanges; };
    data.SKUPINY_SetSkupID(2);
    EXPECT_EQ(groupChanges, 1);
    std::vector<std::string> codes;
    for (const auto& r : data.qKatalog.rows()) {
        codes.push_back(r.text("KOD"));
    }
    EXPECT_EQ(codes, (std::vector<std::string>{"K1", "K2"}));

    data.qSestSk.setParameter("KOD", std::string("SET"));
    data.qSestSk.open();
    EXPECT_EQ(data.qSestSk.text("NAZEV"), "Velikost");
    codes.clear();
    for (const auto& r : data.qKompot.rows()) {
        codes.push_back(r.text("KOD"));
    }
    EXPECT_EQ(codes, (std::vector<std::string>{"L", "XL"}));
    data.qKompot.remove(); // deletes "L" from the table
    data.qSestSk.close();
    EXPECT_FALSE(data.qKompot.isOpen());
    EXPECT_EQ(column(kKompot, "KOD"), (std::vector<std::string>{"modra", "XL", "cizi"}));
}

TEST_F(DataModuleTest, CheckDataDeletesUnreachableRowsWithItsProgressTexts) {
    add(kStruktur, {{{"HTMLID", "1_"}, {"PARENT", "0_"}}, {{"HTMLID", "2_"}}, {{"PARENT", "1_"}}});
    add(kHtml, {{{"HTMLID", "1_"}, {"SEKCEID", 1}, {"TYP", "t"}},
                {{"HTMLID", "1_"}, {"SEKCEID", 0}, {"TYP", "t"}},
                {{"HTMLID", "1_"}, {"TYP", "t"}},
                {{"HTMLID", "1_"}, {"SEKCEID", 2}}});
    add(kKatalog, {{{"KOD", "A"}, {"SKUPID", 1}},
                   {{"KOD", "B"}, {"SKUPID", 0}},
                   {{"SKUPID", 1}},
                   {{"SKUPID", 9999}, {"NAZEV", "chybný řádek importu"}}});
    add(kPromSys, {{{"HTMLID", "1_"}, {"NAZEV", "a"}}, {{"NAZEV", "b"}}});
    bind();
    test::RecordingProgress progress;
    data.CheckData(&progress);
    EXPECT_EQ(column(kStruktur, "HTMLID"), (std::vector<std::string>{"1_"})); // top level survives
    EXPECT_EQ(column(kHtml, "SEKCEID"), (std::vector<std::string>{"1"}));
    EXPECT_EQ(column(kKatalog, "NAZEV"), (std::vector<std::string>{"", "chybný řádek importu"}));
    EXPECT_EQ(column(kPromSys, "NAZEV"), (std::vector<std::string>{"a"}));
    const std::string wait = "Čekejte prosím, probíhá kontrola datových souborů.";
    std::vector<std::string> expected = {"start: Kontrola datových souborů | " + wait +
                                         " | bars first 10/100 | search"};
    for (const char* t :
         {"STRUKTUR.DBF", "HTML.DBF", "ZBOZI.DBF", "SKUPINY.DBF", "KATALOG.DBF", "DISTRIB.DBF",
          "SESTSK.DBF", "KOMPOT.DBF", "PROM_SYS.DBF", "PROM_USR.DBF"}) {
        expected.push_back("message: " + wait + "\nKontroluji soubor " + t + ".");
        expected.push_back("step 1");
    }
    expected.push_back("finish");
    EXPECT_EQ(progress.events, expected);
}

TEST_F(DataModuleTest, CheckDataStopsAtAMissingTable) {
    add(kPromSys, {{{"NAZEV", "b"}}});
    std::filesystem::remove(table(kDistrib));
    bind();
    EXPECT_NE(errorOf([&] {
                  data.CheckData(nullptr);
              }).find("DISTRIB.DBF“ nelze otevřít: soubor neexistuje."),
              std::string::npos);
    EXPECT_EQ(column(kPromSys, "NAZEV").size(), 1u); // the tables after it are untouched
}

TEST_F(DataModuleTest, PackReportsItsTablesAndSkipsOneHeldElsewhere) {
    add(kHtml,
        {{{"HTMLID", "1_"}, {"SEKCEID", 1}, {"TYP", "t"}, {"HTML", "x"}}, {{"HTMLID", "2_"}}});
    dbf::Table::open(table(kHtml)).setDeleted(1);
    bind();
    test::RecordingStatus status;
    data.status = &status;
    std::vector<std::string> failures;
    test::whileAnotherProcessHolds(
        [&] {
            return std::make_shared<dbf::Table>(
                dbf::Table::open(table(kZbozi), dbf::OpenMode::ReadOnly));
        },
        [&] { failures = data.PACK(); });
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find("zbozi.dbf“ nelze otevřít ve výhradním režimu"), std::string::npos)
        << failures[0];
    EXPECT_EQ(dbf::Table::open(table(kHtml)).recordCount(), 1u);
    ASSERT_EQ(status.lines.size(), 13u); // eleven tables, one cleared after the failure, the end
    EXPECT_EQ(status.lines[0], "Optimalizuji datové soubory projektu (" +
                                   paths::forDisplay(table(kKatalog)) + ") ...");
    EXPECT_EQ(status.lines.back(), "");
}

TEST_F(DataModuleTest, TableHeldExclusivelyByAnotherProcessIsReportedWhenAViewOpens) {
    addPage("1_", 1, 1, "0_", "a");
    bind();
    std::string message;
    test::whileAnotherProcessHolds(
        [&] {
            return std::make_shared<dbf::Table>(
                dbf::Table::open(table(kStruktur), dbf::OpenMode::Exclusive));
        },
        [&] { message = errorOf([&] { data.STRUKTUR_SetHtmlID("1_"); }); });
    EXPECT_EQ(message,
              "Tabulku „" + table(kStruktur).string() +
                  "“ nelze otevřít: soubor je otevřen ve výhradním režimu jiným programem.");
    EXPECT_NO_THROW(data.STRUKTUR_SetHtmlID("1_"));
}

// Two views of struktur.dbf: the EXPAND change of qTree and the page added through qStruktur
// both stay, whichever view closes first.
TEST_F(DataModuleTest, TwoViewsOfOneTableKeepEachOthersRows) {
    addPage("1_", 1, 1, "0_", "a");
    addPage("2_", 2, 2, "0_", "b");
    bind();
    data.qTree.open();
    data.qTree.setLogical("EXPAND", true);
    data.qTree.post();
    data.STRUKTUR_SetHtmlID("");
    data.qStruktur.insert();
    data.qStruktur.setText("HTMLID", "3_");
    data.qStruktur.setText("PARENT", "0_");
    data.qStruktur.setNumber("N_HTMLID", 3);
    data.qStruktur.post();
    data.SetProjectPath(project); // closes every view, qTree last
    EXPECT_EQ(column(kStruktur, "HTMLID"), (std::vector<std::string>{"1_", "2_", "3_"}));
    EXPECT_EQ(column(kStruktur, "EXPAND"), (std::vector<std::string>{"T", "", ""}));
    test::appendRows(table(kStruktur), {{{"HTMLID", "4_"}, {"PARENT", "0_"}}});
    EXPECT_EQ(column(kStruktur, "HTMLID"), (std::vector<std::string>{"1_", "2_", "3_", "4_"}));
}

TEST_F(DataModuleTest, RefreshShowsRowsAndMemosAnotherHandleWrote) {
    addPage("1_", 1, 1, "0_", "a");
    add(kHtml, {{{"HTMLID", "1_"}, {"SEKCEID", 1}, {"PORADI", 1}, {"TYP", "t"}, {"HTML", "a"}}});
    bind();
    data.HTML_SetHtmlID("1_");
    ASSERT_EQ(data.qHtml.rowCount(), 1);
    add(kHtml, {{{"HTMLID", "1_"},
                 {"SEKCEID", 2},
                 {"PORADI", 2},
                 {"TYP", "t"},
                 {"HTML", std::string(3000, 'h')}}});
    data.qHtml.refresh();
    ASSERT_EQ(data.qHtml.rowCount(), 2);
    data.qHtml.last();
    EXPECT_EQ(data.qHtml.memo("HTML"), std::string(3000, 'h'));
}

TEST_F(DataModuleTest, PostingARowAnotherHandleDeletedFailsAndKeepsTheEdit) {
    addPage("1_", 1, 1, "0_", "a");
    bind();
    data.STRUKTUR_SetHtmlID("1_");
    dbf::Table::open(table(kStruktur)).setDeleted(0);
    data.qStruktur.setText("POPIS", "Nový název");
    EXPECT_EQ(errorOf([&] { data.qStruktur.post(); }), "Update failed");
    EXPECT_TRUE(data.qStruktur.editing());
    EXPECT_EQ(data.qStruktur.text("POPIS"), "Nový název");
    EXPECT_TRUE(column(kStruktur, "HTMLID").empty()); // the row stays deleted
    data.qStruktur.cancel();
}

TEST_F(DataModuleTest, UnchangedCatalogueSavesDoNotGrowTheMemoFile) {
    add(kKatalog, {{{"KOD", "A1"}, {"SKUPID", 3}, {"POPIS", std::string(800, 'p')}},
                   {{"KOD", "B1"}, {"SKUPID", 3}, {"POPIS", "druhý"}}});
    bind();
    data.qKatalog.setParameter("SKUPID", 3.0);
    data.qKatalog.open();
    const auto memo = project / "_dbf" / "katalog.dbt";
    const auto size = std::filesystem::file_size(memo);
    for (int i = 0; i < 10; ++i) {
        data.qKatalog.setNumber("MARZE", i);
        data.qKatalog.post();
        data.KATALOG_UPDATE(1);
    }
    EXPECT_EQ(std::filesystem::file_size(memo), size);
    EXPECT_EQ(column(kKatalog, "POPIS"),
              (std::vector<std::string>{std::string(800, 'p'), "druhý"}));
    EXPECT_EQ(column(kKatalog, "MARZE"), (std::vector<std::string>{"9.0000", ""}));
}

TEST_F(DataModuleTest, PackClosesTheModulesOwnViewsAndReopensThemOnTheirRows) {
    addPage("1_", 1, 1, "0_", "a");
    addPage("2_", 2, 2, "0_", "b");
    addPage("3_", 3, 3, "0_", "c");
    add(kHtml, {{{"HTMLID", "2_"}, {"SEKCEID", 1}, {"PORADI", 1}, {"TYP", "t"}, {"HTML", "x"}}});
    dbf::Table::open(table(kStruktur)).setDeleted(0);
    bind();
    data.qTree.open();
    data.qTree.last();
    data.STRUKTUR_SetHtmlID("2_");
    ASSERT_EQ(data.qHtml.rowCount(), 1);
    const auto failures = data.PACK();
    EXPECT_TRUE(failures.empty()) << failures.front();
    EXPECT_EQ(dbf::Table::open(table(kStruktur)).recordCount(), 2u); // the deleted page is gone
    ASSERT_TRUE(data.qTree.isOpen());
    EXPECT_EQ(data.qTree.text("HTMLID"), "3_");
    EXPECT_EQ(data.qStruktur.text("HTMLID"), "2_");
    EXPECT_EQ(data.qHtml.memo("HTML"), "x");
    data.qTree.setLogical("EXPAND", true); // the reopened views write to the packed files
    data.qTree.post();
    EXPECT_EQ(column(kStruktur, "EXPAND"), (std::vector<std::string>{"", "T"}));
}

TEST_F(DataModuleTest, LocateComparesTheWholeKey) {
    add(kDistrib, {{{"DISTID", 1}, {"NAZEV", "ABC"}},
                   {{"DISTID", 2}, {"NAZEV", "ab"}},
                   {{"DISTID", 3}, {"NAZEV", "Čedok"}}});
    bind();
    data.qDistrib.open();
    EXPECT_EQ(data.qDistrib.text("NAZEV"), "ab"); // ordered by name, Czech collation
    EXPECT_FALSE(data.qDistrib.locate("NAZEV", std::string("A")));
    EXPECT_TRUE(data.qDistrib.locate("NAZEV", std::string("abc")));
    EXPECT_EQ(data.qDistrib.integer("DISTID"), 1);
    EXPECT_TRUE(data.qDistrib.locate("NAZEV", std::string("če"), {true, true}));
    EXPECT_EQ(data.qDistrib.integer("DISTID"), 3);
    EXPECT_TRUE(data.qDistrib.locate("DISTID", 2.0));
    EXPECT_EQ(data.qDistrib.text("NAZEV"), "ab");
}

} // namespace
} // namespace arkona::storage
