#include "site_fixture.h"
#include "support/temp_dir.h"

namespace arkona::site::test {
namespace {

using LoaderTest = SiteFixture;

TEST_F(LoaderTest, RowsInOrderLoadWithoutAnyWrite) {
    addPages({{"1_", 1},
              {"2_", 2, "0_", "", false, "", "", "", true},
              {"5_", 3, "2_"},
              {"3_", 4, "5_"},
              {"4_", 5, "2_"},
              {"6_", 6}});
    const std::string before = arkona::test::readFile(struktur());
    arkona::test::RecordingStatus status;
    LoadReport report;
    const PageTree tree = loadPageTree(struktur(), report, {&status, &progress});
    EXPECT_EQ(shape(tree), (std::vector<std::string>{"1_", "2_", "  5_", "    3_", "  4_", "6_"}));
    EXPECT_FALSE(report.anyRepair());
    EXPECT_TRUE(tree.numbered());
    EXPECT_TRUE(tree.find("2_")->expanded);
    EXPECT_FALSE(tree.find("5_")->expanded);
    EXPECT_EQ(tree.find("3_")->title, "Stránka 3_");
    EXPECT_EQ(arkona::test::readFile(struktur()), before);
    EXPECT_EQ(status.lines.front(), "Připravuji data pro zobrazení stromové struktury ...");
    EXPECT_EQ(status.lines[1], "Aktualizuji stromovou strukturu. Zbývá 5 položek ...");
    EXPECT_EQ(status.lines[status.lines.size() - 2], "Nastavuji vzhled stromu  ...");
    EXPECT_EQ(status.lines.back(), "");
    EXPECT_EQ(progress.events.front(), "start:  |  | bars first 6/100 | none");
    EXPECT_EQ(progress.events.back(), "finish");

    // Through the structure: no renumbering, no mark.
    SiteStructure structure(data, context);
    structure.load({}, progress);
    EXPECT_FALSE(structure.changed());
    EXPECT_EQ(arkona::test::readFile(struktur()), before);
}

TEST_F(LoaderTest, MissingParentGoesToTheTopAtTheEndAndTheTreeIsRenumbered) {
    addPages({{"1_", 1}, {"2_", 2, "9_"}, {"3_", 3}, {"4_", 4, "3_"}});
    arkona::test::RecordingStatus status;
    LoadReport report;
    const PageTree tree = loadPageTree(struktur(), report, {&status, nullptr});
    EXPECT_EQ(shape(tree), (std::vector<std::string>{"1_", "3_", "  4_", "2_"}));
    EXPECT_EQ(report.repaired, (std::vector<std::string>{"2_"}));
    // The row got the next free number and the top level.
    EXPECT_EQ(rows(storage::kStruktur, {"HTMLID", "PARENT", "PORADI"})[1], "2_|0_|5");
    const std::string broken =
        "Aktualizuji stromovou strukturu. Zbývá 3 položek ... BYLA DETEKOVÁNA CHYBA!";
    EXPECT_NE(std::find(status.lines.begin(), status.lines.end(), broken), status.lines.end());
    EXPECT_NE(std::find(status.lines.begin(), status.lines.end(), broken + "   OPRAVENO!"),
              status.lines.end());

    SiteStructure structure(data, context);
    const LoadReport again = structure.load({}, progress);
    EXPECT_FALSE(again.anyRepair()); // repaired rows stay repaired
    EXPECT_EQ(orders(), (std::vector<std::string>{"1_:1", "2_:5", "3_:3", "4_:4"}));
}

TEST_F(LoaderTest, RepairAtOpeningRenumbersWithItsOwnMessage) {
    addPages({{"1_", 1}, {"2_", 2, "2_"}, {"3_", 3}});
    SiteStructure structure(data, context);
    const LoadReport report = structure.load({}, progress);
    EXPECT_EQ(report.repaired, (std::vector<std::string>{"2_"}));
    EXPECT_EQ(shape(structure.tree()), (std::vector<std::string>{"1_", "3_", "2_"}));
    EXPECT_EQ(orders(), (std::vector<std::string>{"1_:1", "2_:3", "3_:2"}));
    EXPECT_FALSE(structure.changed());
    EXPECT_EQ(progress.events.front(),
              "start: Optimalizace stromové struktury WWW | \rČekejte prosím, probíhá "
              "optimalizace stromové struktury WWW, protože při otevírání stromu byly nalezeny "
              "chyby ve struktuře! | bars first 3/100 | none");
    EXPECT_EQ(rows(storage::kStruktur, {"HTMLID", "PARENT"})[1], "2_|0_");
}

TEST_F(LoaderTest, ChildReadBeforeItsParentMovesBehindIt) {
    addPages({{"1_", 1}, {"3_", 2, "2_"}, {"2_", 3}});
    LoadReport report;
    const PageTree tree = loadPageTree(struktur(), report);
    EXPECT_EQ(shape(tree), (std::vector<std::string>{"1_", "2_", "  3_"}));
    EXPECT_EQ(report.repaired, (std::vector<std::string>{"3_"}));
    // It keeps its parent, which exists.
    EXPECT_EQ(rows(storage::kStruktur, {"HTMLID", "PARENT", "PORADI"})[1], "3_|2_|4");
}

TEST_F(LoaderTest, ParentsInACycleLoadWithoutHangingAndMoveToTheTop) {
    // 2_ and 3_ name each other; 4_ hangs from the cycle; 5_ names itself.
    addPages({{"1_", 1}, {"2_", 2, "3_"}, {"3_", 3, "2_"}, {"4_", 4, "2_"}, {"5_", 5, "5_"}});
    LoadReport report;
    const PageTree tree = loadPageTree(struktur(), report);
    EXPECT_EQ(tree.size(), 5u);
    EXPECT_EQ(report.cycles.size(), 1u);
    const PageNode* freed = tree.find(report.cycles.front());
    ASSERT_NE(freed, nullptr);
    EXPECT_EQ(freed->parent, nullptr);
    // The other member of the cycle hangs under the freed one, 4_ under 2_.
    EXPECT_EQ(tree.find("4_")->parent, tree.find("2_"));
    EXPECT_EQ(tree.find("5_")->parent, nullptr);
    // The table says the same: no cycle is left for the next opening.
    LoadReport again;
    const PageTree reread = loadPageTree(struktur(), again);
    EXPECT_TRUE(again.cycles.empty());
    EXPECT_EQ(shape(reread).size(), 5u);
    EXPECT_EQ(cycleRepairedText(report.cycles),
              "Stromová struktura obsahovala zacyklené stránky (" + report.cycles.front() +
                  "); byly přesunuty na nejvyšší úroveň.");
}

TEST_F(LoaderTest, DuplicateAndBlankIdentifiersStayOutOfTheTree) {
    addPages({{"1_", 1}, {"2_", 2}});
    arkona::test::appendRows(struktur(), {{{"HTMLID", "2_"}, {"PORADI", 3.0}, {"PARENT", "0_"}},
                                          {{"PORADI", 4.0}, {"PARENT", "0_"}}});
    LoadReport report;
    const PageTree tree = loadPageTree(struktur(), report);
    EXPECT_EQ(shape(tree), (std::vector<std::string>{"1_", "2_"}));
    EXPECT_EQ(report.skipped, 2);
    EXPECT_EQ(tree.find("2_")->recno, 1u);
}

TEST_F(LoaderTest, ThePageViewOfTheDataModuleGivesTheSameRows) {
    addPages({{"2_", 2, "1_"}, {"1_", 1}});
    data.qTree.open();
    const auto fromView = readPageRows(data.qTree.rows());
    ASSERT_EQ(fromView.size(), 2u);
    EXPECT_EQ(fromView[0].id, "1_"); // the view reads in PORADI order
    EXPECT_EQ(fromView[1].parent, "1_");
    EXPECT_EQ(fromView[1].number, 2);
}

} // namespace
} // namespace arkona::site::test
