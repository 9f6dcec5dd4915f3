#include "base/error.h"
#include "catalogue/group_deletion.h"
#include "catalogue/item_batches.h"
#include "catalogue_project.h"
#include "support/recorders.h"

#include <gtest/gtest.h>

namespace arkona::catalogue {
namespace {

using Strings = std::vector<std::string>;
using test::CatalogueProject;

struct Batches : ::testing::Test, CatalogueProject {
    Strings codes(const char* name) const { return rows(name, {"KOD"}); }
    Strings itemsWithGroups() const { return rows("katalog.dbf", {"SKUPID", "KOD"}); }
};

TEST_F(Batches, DeletingItemsTakesTheirPageProductsAndComponentsOfTypeK) {
    add("katalog.dbf", {item(1, "AB"), item(1, "ABC"), item(1, "A\"B'C"), item(2, "X")});
    add("zbozi.dbf", {product("ab", "K"), product("AB", "R", 2), product("ABC", "K", 3),
                      product("a\"b'c", "E", 4), product("", "N", 5), product("X", "K", 6)});
    add("kompot.dbf", {component("AB", "K"), component("ab", "R"), component("ABC", "K"),
                       component("A\"B'C", "k")});
    ItemSelection marked{1, CodeSet{"AB", "A\"B'C"}, {}};
    test::RecordingProgress progress;
    const BatchCounts done = deleteItems(project, marked, progress);
    EXPECT_EQ(done.items, 2);
    EXPECT_EQ(done.products, 3);
    EXPECT_EQ(done.components, 2);
    EXPECT_FALSE(done.cancelled);
    EXPECT_EQ(codes("katalog.dbf"), (Strings{"ABC", "X"}));
    EXPECT_EQ(rows("zbozi.dbf", {"TYP", "KOD"}), (Strings{"K ABC", "N", "K X"}));
    EXPECT_EQ(rows("kompot.dbf", {"TYP", "KOD"}), (Strings{"R ab", "K ABC"}));
    EXPECT_EQ(progress.events,
              (Strings{"start: Odstranění záznamů z katalogu | Čekejte prosím, odstraňuji vybrané "
                       "záznamy z katalogu ... | bars first 2/100 | copy | Storno",
                       "step 1", "finish"}));
}

TEST_F(Batches, TwoHundredFiftyItemsGoInThreeBatchesAndACancelStopsBetweenThem) {
    std::vector<test::Row> items;
    CodeSet marked;
    for (int i = 0; i < 250; ++i) {
        const std::string code = "K" + std::to_string(1000 + i);
        items.push_back(item(1, code));
        marked.add(code);
    }
    add("katalog.dbf", items);
    test::RecordingProgress progress;
    progress.cancelAfterSteps = true;
    progress.stepsBeforeCancel = 2;
    const BatchCounts done = deleteItems(project, {1, marked, {}}, progress);
    EXPECT_TRUE(done.cancelled);
    EXPECT_EQ(done.items, 200);
    const Strings left = codes("katalog.dbf");
    ASSERT_EQ(left.size(), 50u);
    EXPECT_EQ(left.front(), "K1200");
    EXPECT_EQ(left.back(), "K1249");
}

TEST_F(Batches, ItemsWithoutACodeGoByTheirPlaceOnly) {
    add("katalog.dbf", {item(9999, ""), item(9999, ""), item(9999, "Z"), item(1, "")});
    test::RecordingProgress progress;
    // Row 1 is a code-less item of the group; row 2 has a code; row 3 is in another group.
    const BatchCounts done = deleteItems(project, {9999, {}, {1, 2, 3}}, progress);
    EXPECT_EQ(done.items, 1);
    EXPECT_EQ(itemsWithGroups(), (Strings{"9999", "9999 Z", "1"}));
    NoProgress quiet;
    EXPECT_EQ(moveItems(project, {9999, {}, {0}}, 4, quiet).items, 1);
    EXPECT_EQ(itemsWithGroups(), (Strings{"4", "9999 Z", "1"}));
}

TEST_F(Batches, MovingItemsChangesOnlyTheirGroup) {
    add("katalog.dbf", {item(1, "AB"), item(1, "ABC"), item(1, "A\"B'C"), item(2, "X")});
    test::RecordingProgress progress;
    const BatchCounts moved =
        moveItems(project, {1, CodeSet{"ab", "A\"B'C", "X"}, {}}, 2, progress);
    EXPECT_EQ(moved.items, 2); // X is there already
    EXPECT_EQ(itemsWithGroups(), (Strings{"2 AB", "1 ABC", "2 A\"B'C", "2 X"}));
    EXPECT_EQ(progress.events.front(), "start: Přesun záznamů v katalogu | Čekejte prosím, "
                                       "přesunuji vybrané záznamy v katalogu ... | bars first "
                                       "2/100 | copy | Storno");
    EXPECT_EQ(itemCountsByGroup(project), (std::vector<std::pair<int, int>>{{1, 1}, {2, 3}}));
}

struct GroupDeletionTest : Batches {
    GroupTable groups{table("skupiny.dbf"), table("katalog.dbf")};
    GroupTree tree;
    test::ScriptedPrompter prompter;
    test::RecordingProgress progress;

    // Čaje (1) with Zelené (2, no items) and Černé (3, items); Káva (4) stays.
    GroupDeletionTest() {
        add("skupiny.dbf", {group(1, "Čaje", 0, 1), group(2, "Zelené", 1, 2),
                            group(3, "Černé", 1, 3), group(4, "Káva", 0, 4)});
        add("katalog.dbf", {item(3, "C1"), item(3, "C2"), item(4, "K1")});
        add("zbozi.dbf", {product("C1", "K"), product("K1", "K")});
        add("kompot.dbf", {component("C2", "K"), component("C2", "R")});
        tree = GroupTree::build(groups).tree;
    }
    GroupDeletion run(int id) { return deleteGroup(project, groups, tree, id, prompter, progress); }
};

TEST_F(GroupDeletionTest, ASecondSubgroupWithItemsIsAskedAboutOnce) {
    prompter.answers = {Answer::Yes};
    const GroupDeletion done = run(1);
    EXPECT_EQ(prompter.messages,
              (Strings{"question: Skupina Černé obsahuje zboží!\rChcete skupinu i zboží opravdu "
                       "odstranit?"}));
    EXPECT_EQ(done.deletedGroups, (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(done.deletedItems, 2);
    EXPECT_EQ(rows("skupiny.dbf", {"SKUPID"}), (Strings{"4"}));
    EXPECT_EQ(codes("katalog.dbf"), (Strings{"K1"}));
    EXPECT_EQ(codes("zbozi.dbf"), (Strings{"K1"}));
    EXPECT_EQ(rows("kompot.dbf", {"TYP", "KOD"}), (Strings{"R C2"}));
    EXPECT_FALSE(tree.contains(1));
    EXPECT_FALSE(tree.contains(3));
    EXPECT_EQ(progress.events,
              (Strings{"start: Odstranění skupin(y) z katalogu |  | bars none 100/100 | none | "
                       "Storno",
                       "message: Čekejte prosím, kontroluji skupinu Čaje ...",
                       "message: Čekejte prosím, kontroluji skupinu Zelené ...",
                       "message: Čekejte prosím, kontroluji skupinu Černé ...",
                       "message: Čekejte prosím, odstraňuji zboží ze skupiny Černé ...",
                       "message: Čekejte prosím, ostraňuji skupinu Černé ...",
                       "message: Čekejte prosím, ostraňuji skupinu Zelené ...",
                       "message: Čekejte prosím, ostraňuji skupinu Čaje ...", "finish"}));
}

TEST_F(GroupDeletionTest, ANoToAnyGroupDeletesNothingAtAll) {
    add("katalog.dbf", {item(1, "CAJ")}); // the first group holds items too
    prompter.answers = {Answer::Yes, Answer::No};
    const GroupDeletion done = run(1);
    EXPECT_TRUE(done.refused);
    EXPECT_EQ(prompter.messages.size(), 2u);
    EXPECT_TRUE(done.deletedGroups.empty());
    EXPECT_EQ(rows("skupiny.dbf", {"SKUPID"}), (Strings{"1", "2", "3", "4"}));
    EXPECT_EQ(codes("katalog.dbf"), (Strings{"C1", "C2", "K1", "CAJ"}));
    EXPECT_EQ(codes("zbozi.dbf"), (Strings{"C1", "K1"}));
    EXPECT_TRUE(tree.contains(3));
}

TEST_F(GroupDeletionTest, ACancelStopsBeforeTheNextGroupAndLeavesAWholeTree) {
    prompter.answers = {Answer::Yes};
    struct CancelAfterFirstGroup : test::RecordingProgress {
        int groups = 0;
        bool cancelRequested() override { return ++groups > 1; }
    } cancelling;
    const GroupDeletion done = deleteGroup(project, groups, tree, 1, prompter, cancelling);
    EXPECT_TRUE(done.cancelled);
    EXPECT_EQ(done.deletedGroups, (std::vector<int>{3}));
    EXPECT_EQ(rows("skupiny.dbf", {"SKUPID", "PARENT"}), (Strings{"1 0", "2 1", "4 0"}));
    EXPECT_EQ(codes("katalog.dbf"), (Strings{"K1"}));
    EXPECT_TRUE(tree.contains(2));
    EXPECT_FALSE(tree.contains(3));
}

TEST_F(GroupDeletionTest, ReservedGroupsCannotBeDeleted) {
    groups.ensureReservedGroups();
    tree = GroupTree::build(groups).tree;
    EXPECT_THROW(run(9998), Error);
    EXPECT_EQ(rows("skupiny.dbf", {"SKUPID"}).size(), 6u);
}

} // namespace
} // namespace arkona::catalogue
