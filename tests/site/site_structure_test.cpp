#include "base/error.h"
#include "site_fixture.h"
#include "support/other_process.h"

#include <algorithm>

namespace arkona::site::test {
namespace {

using arkona::test::errorOf;

// The pages of the sample shop: the six fixed pages, a goods section with two levels, a contact
// page and a link to it under the goods section.
class StructureTest : public SiteFixture {
protected:
    SiteStructure structure{data, context};

    void addShop() {
        addFixedPages();
        addPages({{"7_", 7, "0_", "zbozi"},
                  {"8_", 8, "7_", "caje", false, "/zbozi", "\\zbozi"},
                  {"10_", 9, "8_", "zelene", false, "/zbozi/caje", "\\zbozi\\caje"},
                  {"9_", 10, "7_", "kava", false, "/zbozi", "\\zbozi"},
                  {"11_", 11, "0_", "kontakt", false, "", "", "Kontakt"},
                  {"12_", 12, "7_", "kontakt", true, "", "", "Kde nás najdete"}});
    }
    void load() { structure.load({}, progress); }
    void select(const char* id) { structure.select(id, false, prompter); }
    std::vector<std::string> tree() const { return shape(structure.tree()); }
    // PATH, DISK and SRC of a page row.
    std::string files(const char* id) const {
        for (const auto& r : readPageRows(struktur())) {
            if (r.id == id) {
                return r.path + "|" + r.disk + "|" + r.src;
            }
        }
        return "(none)";
    }
    std::string column(const char* id, const char* col) const {
        std::string found = "(none)";
        dbf::Table::open(struktur(), dbf::OpenMode::ReadOnly).scan([&](const dbf::Record& r) {
            if (r.text("HTMLID") == id) {
                found = r.display(r.column(col));
            }
            return true;
        });
        return found;
    }
    void addSections(const std::vector<Row>& sections) {
        arkona::test::appendRows(table(storage::kHtml), sections);
    }
    void addGoods(const std::vector<Row>& goods) {
        arkona::test::appendRows(table(storage::kZbozi), goods);
    }
};

// ---------------------------------------------------------------- moving

TEST_F(StructureTest, EachMoveKindThenRenumberingGivesTheWalkOrderAndKeepsTheFiles) {
    addShop();
    load();
    const std::string before = files("8_") + files("10_");
    structure.move("8_", "11_", MoveKind::Under);
    EXPECT_EQ(tree(), (std::vector<std::string>{"1_", "2_", "3_", "4_", "5_", "6_", "7_", "  9_",
                                                "  12_", "11_", "  8_", "    10_"}));
    EXPECT_TRUE(structure.changed());
    EXPECT_EQ(column("8_", "PARENT"), "11_");
    structure.move("9_", "2_", MoveKind::Before);
    structure.move("12_", "11_", MoveKind::After);
    EXPECT_EQ(tree(), (std::vector<std::string>{"1_", "9_", "2_", "3_", "4_", "5_", "6_", "7_",
                                                "11_", "  8_", "    10_", "12_"}));
    EXPECT_EQ(column("9_", "PARENT"), "0_");
    EXPECT_EQ(column("12_", "PARENT"), "0_");
    structure.optimise(OptimiseKind::AfterChanges, progress);
    EXPECT_FALSE(structure.changed());
    EXPECT_TRUE(storedInWalkOrder());
    EXPECT_EQ(orders(),
              (std::vector<std::string>{"1_:1", "2_:3", "3_:4", "4_:5", "5_:6", "6_:7", "7_:8",
                                        "8_:10", "10_:11", "9_:2", "11_:9", "12_:12"}));
    // Moving never changes where a page's file lies.
    EXPECT_EQ(files("8_") + files("10_"), before);
    EXPECT_EQ(files("8_"), "/zbozi|\\zbozi|caje");
}

TEST_F(StructureTest, MoveRenumbersOnlyTheMovedSubTreeAndTheSiblingsAfterIt) {
    addShop();
    load();
    // 8_ (with 10_) goes before 11_: it takes 13, 10_ 14, then 11_ (the next page not below
    // it) 15; nothing else is written.
    structure.move("8_", "11_", MoveKind::Before);
    EXPECT_EQ(orders(),
              (std::vector<std::string>{"1_:1", "2_:2", "3_:3", "4_:4", "5_:5", "6_:6", "7_:7",
                                        "8_:13", "10_:14", "9_:10", "11_:15", "12_:12"}));
    // Under a page with children: before its first child, whose siblings follow.
    structure.move("11_", "7_", MoveKind::Under);
    EXPECT_EQ(tree(), (std::vector<std::string>{"1_", "2_", "3_", "4_", "5_", "6_", "7_", "  11_",
                                                "  9_", "  12_", "8_", "  10_"}));
    EXPECT_EQ(orders(),
              (std::vector<std::string>{"1_:1", "2_:2", "3_:3", "4_:4", "5_:5", "6_:6", "7_:7",
                                        "8_:13", "10_:14", "9_:17", "11_:16", "12_:18"}));
    // Every row still comes after its parent: a reload needs no repair.
    LoadReport report;
    loadPageTree(struktur(), report);
    EXPECT_FALSE(report.anyRepair());
}

TEST_F(StructureTest, AfterTheLastChildAndUnderAChildlessPage) {
    addShop();
    load();
    structure.move("2_", "12_", MoveKind::After); // 12_ is the last child of 7_
    EXPECT_EQ(structure.tree().find("7_")->children.back()->id, "2_");
    structure.move("3_", "9_", MoveKind::Under); // 9_ has no children
    EXPECT_EQ(structure.tree().find("9_")->children.size(), 1u);
    EXPECT_EQ(structure.tree().find("9_")->children.front()->id, "3_");
    // After itself as the next sibling: nothing moves, the rows are still consistent.
    structure.move("12_", "9_", MoveKind::After);
    EXPECT_EQ(tree(), (std::vector<std::string>{"1_", "4_", "5_", "6_", "7_", "  8_", "    10_",
                                                "  9_", "    3_", "  12_", "  2_", "11_"}));
    structure.optimise(OptimiseKind::FromMenu, progress);
    EXPECT_TRUE(storedInWalkOrder());
}

TEST_F(StructureTest, DropOntoItselfOrItsSubTreeIsRefusedBeforeAnyWrite) {
    addShop();
    load();
    structure.optimise(OptimiseKind::FromMenu, progress);
    const std::string before = arkona::test::readFile(struktur());
    EXPECT_TRUE(structure.dropKinds("7_", "10_").empty());
    EXPECT_TRUE(structure.dropKinds("7_", "7_").empty());
    for (MoveKind kind : {MoveKind::After, MoveKind::Before, MoveKind::Under}) {
        EXPECT_EQ(errorOf([&] { structure.move("7_", "10_", kind); }),
                  "Stránku nelze přesunout na ni samotnou ani do žádné z jejích podstránek.");
        EXPECT_EQ(errorOf([&] { structure.move("8_", "8_", kind); }),
                  "Stránku nelze přesunout na ni samotnou ani do žádné z jejích podstránek.");
    }
    EXPECT_EQ(arkona::test::readFile(struktur()), before);
    EXPECT_FALSE(structure.changed());
    EXPECT_EQ(tree().size(), 12u);
}

TEST_F(StructureTest, NothingGoesUnderALinkPageAndALinkIsNotDraggedUnder) {
    addShop();
    load();
    EXPECT_EQ(structure.dropKinds("12_", "9_"),
              (std::vector<MoveKind>{MoveKind::Before, MoveKind::After}));
    EXPECT_EQ(structure.dropKinds("9_", "12_"),
              (std::vector<MoveKind>{MoveKind::Before, MoveKind::After}));
    EXPECT_EQ(structure.dropKinds("9_", "8_"),
              (std::vector<MoveKind>{MoveKind::Before, MoveKind::After, MoveKind::Under}));
    const std::string before = arkona::test::readFile(struktur());
    EXPECT_EQ(errorOf([&] { structure.move("9_", "12_", MoveKind::Under); }),
              "Pod odkaz na stránku nelze vkládat další stránky.");
    EXPECT_EQ(arkona::test::readFile(struktur()), before);
}

// ---------------------------------------------------------------- deleting

TEST_F(StructureTest, DeletingTwoLevelsTakesSectionsGoodsAndLinksButNotVariables) {
    addShop();
    addPages({{"13_", 13, "0_", "caje", true, "/zbozi", "", "Čaje jinde"},
              {"14_", 14, "0_", "ZELENE", true, "", "", "Zelené jinde"}});
    addSections({{{"HTMLID", "8_"}, {"SEKCEID", 1}, {"PORADI", 1}, {"TYP", "p"}},
                 {{"HTMLID", "10_"}, {"SEKCEID", 1}, {"PORADI", 1}, {"TYP", "t"}},
                 {{"HTMLID", "10_"}, {"SEKCEID", 2}, {"PORADI", 2}, {"TYP", "p"}},
                 {{"HTMLID", "9_"}, {"SEKCEID", 1}, {"PORADI", 1}, {"TYP", "p"}}});
    addGoods({{{"HTMLID", "8_"}, {"SEKCEID", 1}, {"PORADI", 1}, {"KOD", "A"}, {"TYP", "K"}},
              {{"HTMLID", "10_"}, {"SEKCEID", 2}, {"PORADI", 1}, {"KOD", "B"}, {"TYP", "K"}},
              {{"HTMLID", "10_"}, {"SEKCEID", 2}, {"PORADI", 2}, {"KOD", ""}, {"TYP", "N"}},
              {{"HTMLID", "9_"}, {"SEKCEID", 1}, {"PORADI", 1}, {"KOD", "C"}, {"TYP", "K"}}});
    arkona::test::appendRows(table(storage::kPromSys), {{{"HTMLID", "10_"}, {"NAZEV", "refresh"}}});
    arkona::test::appendRows(table(storage::kPromUsr), {{{"HTMLID", "8_"}, {"NAZEV", "keywords"}}});
    load();
    select("8_");
    prompter.answers = {Answer::Yes, Answer::Ok};
    ASSERT_TRUE(structure.deleteSelected(prompter));
    EXPECT_EQ(prompter.messages,
              (std::vector<std::string>{
                  "question: Opravdu chcete vymazat stránku ze struktury?",
                  "warning: Pokud opravdu chcete vymazat stránku ze struktury, potvrďte tlačítko "
                  "OK!\rZároveň s vybranou stránkou se smažou i všechny podstránky!!!\r\rToto je "
                  "nevratná operace!"}));
    EXPECT_EQ(
        rows(storage::kStruktur, {"HTMLID"}),
        (std::vector<std::string>{"1_", "2_", "3_", "4_", "5_", "6_", "7_", "9_", "11_", "12_"}));
    EXPECT_EQ(rows(storage::kHtml, {"HTMLID", "SEKCEID"}), (std::vector<std::string>{"9_|1"}));
    EXPECT_EQ(rows(storage::kZbozi, {"HTMLID", "KOD"}), (std::vector<std::string>{"9_|C"}));
    EXPECT_EQ(rows(storage::kPromSys, {"HTMLID"}), (std::vector<std::string>{"10_"}));
    EXPECT_EQ(rows(storage::kPromUsr, {"HTMLID"}), (std::vector<std::string>{"8_"}));
    EXPECT_EQ(tree(), (std::vector<std::string>{"1_", "2_", "3_", "4_", "5_", "6_", "7_", "  9_",
                                                "  12_", "11_"}));
    EXPECT_TRUE(structure.changed());
    EXPECT_EQ(structure.selectedId(), "");
}

TEST_F(StructureTest, DeletingALinkPageTakesEveryLinkToItsTargetAndNothingElse) {
    addShop();
    addPages({{"13_", 13, "9_", "kontakt", true, "", "", "Kontakt podruhé"}});
    addSections({{{"HTMLID", "11_"}, {"SEKCEID", 1}, {"PORADI", 1}, {"TYP", "t"}}});
    load();
    select("12_");
    EXPECT_TRUE(structure.linkState().active);
    EXPECT_EQ(structure.shownNode()->id, "11_");
    prompter.answers = {Answer::Yes, Answer::Ok};
    ASSERT_TRUE(structure.deleteSelected(prompter));
    EXPECT_EQ(structure.tree().find("12_"), nullptr);
    EXPECT_EQ(structure.tree().find("13_"), nullptr);
    EXPECT_NE(structure.tree().find("11_"), nullptr);
    EXPECT_EQ(rows(storage::kStruktur, {"HTMLID"}).size(), 11u);
    EXPECT_EQ(rows(storage::kHtml, {"HTMLID"}), (std::vector<std::string>{"11_"}));
    EXPECT_FALSE(structure.linkState().active);
}

TEST_F(StructureTest, FixedPagesAreNeverDeletedNotEvenBelowAnotherPage) {
    addShop();
    load();
    for (const char* fixed : {"1_", "2_", "6_"}) {
        select(fixed);
        EXPECT_FALSE(structure.commandState().canDelete);
        EXPECT_FALSE(structure.deleteSelected(prompter));
    }
    EXPECT_EQ(prompter.messages.back(),
              "warning: Oddíl \"Stránka 6_\" je povinný a nelze ho odstranit.");
    // Page 2 moved under page 9 and page 9 deleted: refused, nothing asked, nothing deleted.
    structure.move("2_", "9_", MoveKind::Under);
    const std::string before = arkona::test::readFile(struktur());
    select("9_");
    EXPECT_TRUE(structure.commandState().canDelete);
    prompter.messages.clear();
    EXPECT_FALSE(structure.deleteSelected(prompter));
    EXPECT_EQ(prompter.messages,
              (std::vector<std::string>{"warning: Stránku \"Stránka 9_\" nelze odstranit, protože "
                                        "pod ní leží povinná stránka \"Stránka 2_\", kterou nelze "
                                        "odstranit."}));
    EXPECT_EQ(arkona::test::readFile(struktur()), before);
    select("2_");
    EXPECT_EQ(structure.commandState().status,
              "Stránka \"Stránka 2_\" je povinná a nelze ji odstranit.");
    // Page 7 can go once nothing fixed is below it.
    structure.move("2_", "3_", MoveKind::Before);
    select("7_");
    prompter.answers = {Answer::Yes, Answer::Ok};
    EXPECT_TRUE(structure.deleteSelected(prompter));
    EXPECT_EQ(rows(storage::kStruktur, {"HTMLID"}),
              (std::vector<std::string>{"1_", "2_", "3_", "4_", "5_", "6_", "11_"}));
}

TEST_F(StructureTest, DeclinedConfirmationDeletesNothing) {
    addShop();
    load();
    structure.optimise(OptimiseKind::FromMenu, progress);
    select("9_");
    const std::string before = arkona::test::readFile(struktur());
    prompter.answers = {Answer::No};
    EXPECT_FALSE(structure.deleteSelected(prompter));
    prompter.answers = {Answer::Yes, Answer::Cancel};
    EXPECT_FALSE(structure.deleteSelected(prompter));
    EXPECT_EQ(prompter.messages.size(), 3u);
    EXPECT_EQ(arkona::test::readFile(struktur()), before);
    EXPECT_FALSE(structure.changed());
}

// ---------------------------------------------------------------- renumbering and links

TEST_F(StructureTest, OrphanSweepRemovesExactlyTheLinkRowsWithoutTarget) {
    addShop();
    addPages({{"13_", 13, "0_", "zmizela", true, "", "", "Bez cíle"},
              {"14_", 14, "9_", "Kontakt", true, "", "", "Jiná velikost písmen"},
              {"15_", 15, "0_", "uvod", true, "", "", "Úvod znovu"}});
    addSections({{{"HTMLID", "11_"}, {"SEKCEID", 1}, {"PORADI", 1}, {"TYP", "t"}}});
    load();
    structure.optimise(OptimiseKind::FromMenu, progress); // kind 4 sweeps nothing
    EXPECT_EQ(rows(storage::kStruktur, {"HTMLID"}).size(), 15u);
    structure.optimise(OptimiseKind::AfterChanges, progress);
    EXPECT_EQ(rows(storage::kStruktur, {"HTMLID"}),
              (std::vector<std::string>{"1_", "2_", "3_", "4_", "5_", "6_", "7_", "8_", "10_", "9_",
                                        "11_", "12_", "15_"}));
    EXPECT_EQ(structure.tree().size(), 13u);
    EXPECT_EQ(rows(storage::kHtml, {"HTMLID"}), (std::vector<std::string>{"11_"}));
    EXPECT_TRUE(storedInWalkOrder());
}

TEST_F(StructureTest, ANewLinkIsMarkedForRenumberingAndShowsItsTarget) {
    addShop();
    load();
    structure.optimise(OptimiseKind::FromMenu, progress);
    select("8_");
    const PageNode& link = structure.createLink("9_", "Káva znovu ", prompter);
    EXPECT_EQ(link.id, "13_");
    EXPECT_TRUE(structure.changed());
    EXPECT_EQ(structure.linkState().targetId, "9_");
    EXPECT_EQ(structure.shownNode()->id, "9_");
    EXPECT_TRUE(structure.tree().find("8_")->expanded);
    EXPECT_EQ(rows(storage::kStruktur, {"HTMLID", "N_HTMLID", "PORADI", "PARENT", "SRC", "PATH",
                                        "DISK", "LINK", "POPIS", "NAVIGACE", "UPDATED", "TYPTREE"})
                  .back(),
              "13_|13|13|8_|kava|/zbozi||T|Káva znovu|T|T|");
    // The generator finds pages by PORADI: renumbered, 9_ is again where its number says.
    EXPECT_FALSE(structure.tree().numbered());
    structure.optimise(OptimiseKind::BeforeGeneration, progress);
    EXPECT_TRUE(structure.tree().numbered());
    EXPECT_EQ(structure.tree().atPosition(10)->id, "13_");
    EXPECT_EQ(structure.tree().atPosition(11)->id, "9_");
    EXPECT_EQ(column("9_", "PORADI"), "11");
}

TEST_F(StructureTest, LoadingATableOutOfWalkOrderMarksTheTreeChanged) {
    addShop(); // 12_ (PORADI 12) sits inside 7_, before 11_ (PORADI 11) in the walk
    load();
    EXPECT_TRUE(structure.changed());
    EXPECT_EQ(structure.tree().atPosition(11)->id, "12_");
}

TEST_F(StructureTest, LinkWithoutTargetWarnsAndStaysCurrent) {
    addShop();
    addPages({{"13_", 13, "7_", "zmizela", true}});
    load();
    select("13_");
    EXPECT_EQ(prompter.messages, (std::vector<std::string>{
                                     "warning: Zdrojová stránka, na kterou tato stránka odkazuje "
                                     "nebyla nalezena!"}));
    EXPECT_FALSE(structure.linkState().active);
    EXPECT_EQ(data.qStruktur.text("HTMLID"), "13_");
    EXPECT_TRUE(structure.commandState().canDelete);
    EXPECT_FALSE(structure.commandState().canAddUnder);
}

TEST_F(StructureTest, SelectionMakesThePageCurrentAndStatusTexts) {
    addShop();
    load();
    select("9_");
    EXPECT_EQ(data.qStruktur.text("HTMLID"), "9_");
    EXPECT_EQ(data.qHtml.parameter("HTMLID"), storage::Value(std::string("9_")));
    auto state = structure.commandState();
    EXPECT_TRUE(state.canDelete);
    EXPECT_TRUE(state.canAddUnder);
    EXPECT_EQ(state.status, "Zobrazena stránka \"Stránka 9_\".");
    select("12_");
    EXPECT_EQ(data.qStruktur.text("HTMLID"), "11_");
    state = structure.commandState();
    EXPECT_FALSE(state.canAddUnder);
    EXPECT_EQ(state.status,
              "Zobrazena stránka \"Kde nás najdete\", která je odkazem na stránku \"Kontakt\".");
    select("1_");
    EXPECT_FALSE(structure.linkState().active);
    EXPECT_EQ(structure.commandState().status,
              "Oddíl \"Stránka 1_\" je povinný a nelze ho odstranit.");
    EXPECT_EQ(structure.pageCountText(), "Počet stran: 6");
}

TEST_F(StructureTest, RenamingALinkKeepsItsTargetCurrent) {
    addShop();
    load();
    select("12_");
    structure.rename("12_", "Napište nám");
    EXPECT_EQ(column("12_", "POPIS"), "Napište nám");
    EXPECT_EQ(column("11_", "POPIS"), "Kontakt");
    EXPECT_EQ(data.qStruktur.text("HTMLID"), "11_");
    EXPECT_EQ(structure.linkState().linkTitle, "Napište nám");
    // The current page through the data module, which marks the row updated.
    select("9_");
    structure.rename("9_", "Káva a čokoláda");
    EXPECT_EQ(column("9_", "POPIS"), "Káva a čokoláda");
    EXPECT_EQ(column("9_", "UPDATED"), "T");
    EXPECT_EQ(structure.tree().find("9_")->title, "Káva a čokoláda");
    EXPECT_EQ(errorOf([&] { structure.rename("9_", std::string(51, 'x')); }),
              "Název stránky může mít nejvýše 50 znaků.");
    EXPECT_EQ(column("9_", "POPIS"), "Káva a čokoláda");
}

// ---------------------------------------------------------------- new pages

TEST_F(StructureTest, NewSubPageTakesItsParentsFolderAndLook) {
    addShop();
    arkona::test::appendRows(struktur(), {{{"HTMLID", "20_"},
                                           {"N_HTMLID", 20.0},
                                           {"PORADI", 13.0},
                                           {"PARENT", "8_"},
                                           {"SRC", "b"},
                                           {"PATH", "/a"},
                                           {"DISK", "\\a"},
                                           {"BGCOLOR", "  ABCDEF"},
                                           {"TXT_FONT", "<FONT SIZE=2>"},
                                           {"L3_TXT", "<B>"},
                                           {"TOP_PAD", -1},
                                           {"TAB", true},
                                           {"HD", "<P>Hlavička</P>"},
                                           {"NAVIGACE", false},
                                           {"VLASTNIK", "/x.htm"},
                                           {"BACKGROUND", "pozadi.gif"},
                                           {"TYPTREE", 3}}});
    load();
    select("20_");
    const NewPageDraft draft = structure.prepareNewPage(NewPageKind::ProductSubPage);
    EXPECT_EQ(draft.number, 21);
    EXPECT_EQ(draft.order, 14);
    EXPECT_EQ(draft.parentId, "20_");
    context.lastTemplate = "default";
    const PageNode& page = structure.createPage(draft, " Čajové konvice ", "", prompter);
    EXPECT_EQ(page.id, "21_");
    EXPECT_EQ(
        rows(storage::kStruktur,
             {"HTMLID",  "N_HTMLID", "PORADI", "PARENT",   "POPIS",      "SRC",      "PATH",
              "DISK",    "NAVIGACE", "LINK",   "UPDATED",  "BGCOLOR",    "TXT_FONT", "L3_TXT",
              "TOP_PAD", "TAB",      "HD",     "VLASTNIK", "BACKGROUND", "TYPTREE",  "EXPAND"})
            .back(),
        "21_|21|14|20_|Čajové konvice|21ajovkonvice|/a/b|\\a\\b|T|F|T|ABCDEF|<FONT "
        "SIZE=2>|<B>|-1|T|<P>Hlavička</P>|||1|");
    EXPECT_TRUE(std::filesystem::is_directory(project / "WWW" / "a" / "b"));
    EXPECT_EQ(structure.selectedId(), "21_");
    EXPECT_EQ(data.qStruktur.text("HTMLID"), "21_");
    EXPECT_TRUE(structure.tree().find("20_")->expanded);
    EXPECT_TRUE(structure.changed());
    // Its first section: an empty product section with the product template.
    EXPECT_EQ(rows(storage::kHtml, {"HTMLID", "SEKCEID", "PORADI", "TYP", "SABID", "POPIS"}),
              (std::vector<std::string>{"21_|1|1|p|default.qsp|"}));
    EXPECT_EQ(data.qHtml.rowCount(), 1);
}

TEST_F(StructureTest, NewSectionCopiesTheFramePageAndStaysOutOfTheNavigation) {
    addShop();
    load();
    const NewPageDraft draft = structure.prepareNewPage(NewPageKind::Section);
    EXPECT_EQ(draft.templateId, "1_");
    const PageNode& page = structure.createPage(draft, "O nás", "", prompter);
    EXPECT_EQ(page.src, "13Ons");
    EXPECT_EQ(page.parent, nullptr);
    EXPECT_EQ(structure.tree().topLevel().back(), &page);
    EXPECT_EQ(rows(storage::kStruktur, {"PARENT", "PATH", "DISK", "NAVIGACE", "SRC"}).back(),
              "0_|||F|13Ons");
    EXPECT_EQ(rows(storage::kHtml, {"HTMLID", "TYP", "SABID"}),
              (std::vector<std::string>{"13_|t|"}));
}

TEST_F(StructureTest, NewPageNumberIsAboveThoseLeftInTheVariableTables) {
    addShop();
    arkona::test::appendRows(table(storage::kPromUsr), {{{"HTMLID", "40_"}, {"NAZEV", "x"}}});
    arkona::test::appendRows(table(storage::kPromSys), {{{"HTMLID", "35_"}, {"NAZEV", "y"}}});
    load();
    select("7_");
    EXPECT_EQ(structure.prepareNewPage(NewPageKind::SubPage).number, 41);
    EXPECT_EQ(structure.createLink("11_", "Kontakt", prompter).id, "41_");
}

TEST_F(StructureTest, TooLongFileNameOrTooDeepNestingIsRefusedAndNothingWritten) {
    addShop();
    load();
    select("8_");
    const NewPageDraft draft = structure.prepareNewPage(NewPageKind::SubPage);
    const std::string before = arkona::test::readFile(struktur());
    const std::string name = "13" + std::string(248, 'a');
    EXPECT_EQ(errorOf([&] { structure.createPage(draft, "Dlouhá", name, prompter); }),
              "Jméno souboru „" + name + "“ je delší než 50 znaků. Zkraťte ho, prosím.");
    EXPECT_EQ(arkona::test::readFile(struktur()), before);

    // A chain of pages whose folders add up to more than 254 characters.
    std::string parent = "8_";
    for (int i = 0; i < 6; ++i) {
        select(parent.c_str());
        const auto d = structure.prepareNewPage(NewPageKind::SubPage);
        parent =
            structure
                .createPage(d, "Úroveň", std::to_string(d.number) + std::string(40, 'u'), prompter)
                .id;
    }
    select(parent.c_str());
    const auto deep = structure.prepareNewPage(NewPageKind::SubPage);
    const std::string full = arkona::test::readFile(struktur());
    const std::string error =
        errorOf([&] { structure.createPage(deep, "Moc hluboko", "", prompter); });
    EXPECT_TRUE(error.starts_with("Stránku nelze vnořit tak hluboko: cesta „/zbozi/caje/"));
    EXPECT_TRUE(error.ends_with("“ by byla delší než 254 znaků."));
    EXPECT_EQ(arkona::test::readFile(struktur()), full);
    EXPECT_EQ(structure.tree().find(pageIdentifier(deep.number)), nullptr);
}

TEST_F(StructureTest, NoSubPageOrLinkUnderALinkPage) {
    addShop();
    load();
    select("12_");
    EXPECT_EQ(errorOf([&] { structure.prepareNewPage(NewPageKind::SubPage); }),
              "Pod odkaz na stránku nelze přidávat další stránky.");
    EXPECT_EQ(errorOf([&] { structure.createLink("9_", "x", prompter); }),
              "Pod odkaz na stránku nelze přidávat další stránky.");
    select("7_");
    EXPECT_EQ(errorOf([&] { structure.createLink("9_", "   ", prompter); }),
              "Název odkazu nesmí být prázdný.");
}

TEST_F(StructureTest, AnAppendedPageSurvivesTheCurrentPageViewClosing) {
    addShop();
    load();
    select("9_");
    structure.rename("9_", "Káva"); // the page view has written through its own handle
    select("7_");
    structure.createPage(structure.prepareNewPage(NewPageKind::SubPage), "Nová", "", prompter);
    data.qStruktur.close();
    data.CloseQuery();
    EXPECT_EQ(rows(storage::kStruktur, {"HTMLID"}).size(), 13u);
}

// ---------------------------------------------------------------- expansion state

TEST_F(StructureTest, ExpansionOf250PagesIsSavedInThreeBatches) {
    std::vector<Page> pages;
    for (int i = 1; i <= 300; ++i) {
        pages.push_back({std::to_string(i) + "_", static_cast<double>(i), "0_", "", false, "", "",
                         "", i % 6 == 0});
    }
    addPages(pages);
    load();
    for (int i = 1; i <= 250; ++i) {
        structure.setExpanded(std::to_string(i) + "_", true);
    }
    for (int i = 251; i <= 300; ++i) {
        structure.setExpanded(std::to_string(i) + "_", false);
    }
    const auto batches = expansionBatches(structure.tree());
    ASSERT_EQ(batches.size(), 3u);
    EXPECT_EQ(batches[0].size(), 100u);
    EXPECT_EQ(batches[1].size(), 100u);
    EXPECT_EQ(batches[2].size(), 50u);
    EXPECT_EQ(batches[2].front(), "201_");
    progress.events.clear();
    structure.saveExpansion(progress);
    EXPECT_EQ(progress.events.front(),
              "start: Zavření projektu | \rČekejte prosím, ukládám "
              "neuložená data projektu\rZkouška. | bars first 300/100 | copy");
    EXPECT_EQ(progress.events.back(), "finish");
    const auto expand = rows(storage::kStruktur, {"EXPAND"});
    EXPECT_EQ(std::count(expand.begin(), expand.begin() + 250, "T"), 250);
    EXPECT_EQ(std::count(expand.begin() + 250, expand.end(), "F"), 50);
    // The next opening shows the same.
    SiteStructure again(data, context);
    again.load({}, progress);
    EXPECT_TRUE(again.tree().find("250_")->expanded);
    EXPECT_FALSE(again.tree().find("252_")->expanded);
}

TEST_F(StructureTest, ATableHeldByAnotherProgramFailsWithItsMessage) {
    addShop();
    load();
    select("9_");
    data.CloseQuery(); // the page view would keep its shared hold
    const std::string before = arkona::test::readFile(struktur());
    arkona::test::whileAnotherProcessHolds(
        [&] {
            return std::make_shared<dbf::Table>(
                dbf::Table::open(struktur(), dbf::OpenMode::Exclusive));
        },
        [&] {
            const std::string held = errorOf([&] { structure.saveExpansion(progress); });
            EXPECT_TRUE(held.ends_with("struktur.dbf“ nelze otevřít: soubor je otevřen ve "
                                       "výhradním režimu jiným programem."))
                << held;
            EXPECT_NE(errorOf([&] { structure.move("9_", "2_", MoveKind::Before); }), "(no error)");
        });
    EXPECT_EQ(progress.events.back(), "finish");
    EXPECT_EQ(arkona::test::readFile(struktur()), before);
    EXPECT_EQ(structure.tree().find("9_")->parent, structure.tree().find("7_"));
}

} // namespace
} // namespace arkona::site::test
