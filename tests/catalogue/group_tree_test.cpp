#include "base/error.h"
#include "catalogue/group_tree.h"
#include "catalogue_project.h"

#include <gtest/gtest.h>

namespace arkona::catalogue {
namespace {

using Strings = std::vector<std::string>;
using test::CatalogueProject;

struct Groups : ::testing::Test, CatalogueProject {
    GroupTable groups{table("skupiny.dbf"), table("katalog.dbf")};

    // "id parent poradi" of every stored group.
    Strings stored() const { return rows("skupiny.dbf", {"SKUPID", "PARENT", "PORADI"}); }
    // The tree as "name" lines indented by two blanks per level.
    static Strings shape(const GroupTree& tree) {
        Strings out;
        for (int id : tree.preorder()) {
            int depth = 0;
            for (int p = tree.node(id).parent; p != 0; p = tree.node(p).parent) {
                ++depth;
            }
            out.push_back(std::string(static_cast<size_t>(depth) * 2, ' ') + tree.node(id).name);
        }
        return out;
    }
};

TEST_F(Groups, AChildListedBeforeItsParentIsPlacedUnderItAndTheTreeRenumbered) {
    add("skupiny.dbf",
        {group(9999, "_Import - chyby", 0, 1), group(3, "Zelené", 1, 2), group(1, "Čaje", 0, 3),
         group(2, "Káva", 0, 4), group(9998, "_Import", 0, 5), group(4, "Černé", 1, 6)});
    const auto built = GroupTree::build(groups);
    EXPECT_TRUE(built.repaired);
    EXPECT_EQ(shape(built.tree),
              (Strings{"Čaje", "  Černé", "  Zelené", "Káva", "_Import", "_Import - chyby"}));
    EXPECT_EQ(stored(),
              (Strings{"9999 0 9999", "3 1 3", "1 0 1", "2 0 4", "9998 0 9998", "4 1 2"}));
    // A second build finds nothing to repair and keeps the order.
    const auto again = GroupTree::build(groups);
    EXPECT_FALSE(again.repaired);
    EXPECT_EQ(shape(again.tree), shape(built.tree));
}

TEST_F(Groups, MissingSelfAndReservedParentsAndCyclesGoToTheTopLevel) {
    add("skupiny.dbf", {group(1, "Sám sobě", 1, 1), group(2, "Sirotek", 77, 2), group(3, "A", 4, 3),
                        group(4, "B", 5, 4), group(5, "C", 3, 5), group(6, "Pod B", 4, 6),
                        group(7, "Pod importem", 9998, 7), group(9998, "_Import", 0, 9998)});
    const auto built = GroupTree::build(groups);
    EXPECT_TRUE(built.repaired);
    // The cycle A -> B -> C -> A is broken for all three; "Pod B" stays below B.
    EXPECT_EQ(shape(built.tree), (Strings{"Sám sobě", "Sirotek", "A", "B", "  Pod B", "C",
                                          "Pod importem", "_Import"}));
    EXPECT_EQ(stored(), (Strings{"1 0 1", "2 0 2", "3 0 3", "4 0 4", "5 0 6", "6 4 5", "7 0 7",
                                 "9998 0 9998"}));
}

TEST_F(Groups, ReservedGroupsStayLastWhateverTheirOrder) {
    add("skupiny.dbf", {group(9998, "_Import", 0, 1), group(1, "Čaje", 0, 12000),
                        group(9999, "_Import - chyby", 3, 2)});
    const auto built = GroupTree::build(groups);
    EXPECT_EQ(shape(built.tree), (Strings{"Čaje", "_Import", "_Import - chyby"}));
    EXPECT_EQ(stored(), (Strings{"9998 0 9998", "1 0 12000", "9999 0 9999"}));
}

TEST_F(Groups, AMainGroupGoesRightAfterTheSelectedOneOrBeforeTheReservedGroups) {
    add("skupiny.dbf", {group(1, "Čaje", 0, 1), group(2, "Zelené", 1, 2), group(3, "Černé", 1, 3),
                        group(4, "Káva", 0, 4), group(9998, "_Import", 0, 9998),
                        group(9999, "_Import - chyby", 0, 9999)});
    auto tree = GroupTree::build(groups).tree;
    auto slot = tree.mainGroupSlot(2);
    EXPECT_EQ(slot.parent, 1);
    EXPECT_EQ(slot.before, 3);
    slot = tree.mainGroupSlot(4);
    EXPECT_EQ(slot.parent, 0);
    EXPECT_EQ(slot.before, 9998);
    slot = tree.mainGroupSlot(9999);
    EXPECT_EQ(slot.parent, 0);
    EXPECT_EQ(slot.before, 9998);
    tree.add(5, "Nová", slot.parent, slot.before);
    tree.add(6, "Poslední", 0);
    EXPECT_EQ(shape(tree), (Strings{"Čaje", "  Zelené", "  Černé", "Káva", "Nová", "Poslední",
                                    "_Import", "_Import - chyby"}));
}

TEST_F(Groups, ADropOnTheGroupItselfOrADescendantIsRefusedBeforeAnythingIsWritten) {
    add("skupiny.dbf", {group(1, "Čaje", 0, 1), group(2, "Zelené", 1, 2), group(3, "Sencha", 2, 3),
                        group(4, "Káva", 0, 4), group(9998, "_Import", 0, 9998)});
    auto tree = GroupTree::build(groups).tree;
    const Strings before = stored();
    EXPECT_EQ(tree.refuseMove(1, 3, GroupPlace::Under), std::string(kMoveIntoItself));
    EXPECT_EQ(tree.refuseMove(1, 2, GroupPlace::Before), std::string(kMoveIntoItself));
    EXPECT_EQ(tree.refuseMove(1, 1, GroupPlace::After), std::string(kMoveIntoItself));
    EXPECT_EQ(tree.refuseMove(9998, 1, GroupPlace::Before), std::string(kReservedNotMoved));
    EXPECT_EQ(tree.refuseMove(4, 9998, GroupPlace::Under), std::string(kReservedNoSubgroups));
    EXPECT_THROW(tree.move(1, 3, GroupPlace::Under), Error);
    EXPECT_EQ(stored(), before);
    EXPECT_EQ(tree.refuseMove(3, 4, GroupPlace::Under), std::nullopt);
}

TEST_F(Groups, MovesPlaceTheGroupAndTheRenumberingStoresParentAndOrder) {
    add("skupiny.dbf",
        {group(1, "Čaje", 0, 1), group(2, "Zelené", 1, 2), group(3, "Sencha", 2, 3),
         group(4, "Káva", 0, 4), group(5, "Kakao", 0, 5), group(9998, "_Import", 0, 9998)});
    auto tree = GroupTree::build(groups).tree;
    tree.move(2, 4, GroupPlace::Under); // as the first child
    tree.move(5, 1, GroupPlace::Before);
    tree.move(1, 9998, GroupPlace::After); // stays before the reserved group
    EXPECT_EQ(shape(tree), (Strings{"Kakao", "Káva", "  Zelené", "    Sencha", "Čaje", "_Import"}));
    tree.renumber(groups);
    EXPECT_EQ(stored(), (Strings{"1 0 5", "2 4 3", "3 2 4", "4 0 2", "5 0 1", "9998 0 9998"}));
    EXPECT_EQ(shape(GroupTree::build(groups).tree), shape(tree));
}

TEST_F(Groups, ANewGroupNeverTakesTheNumberItemsStillCarry) {
    add("skupiny.dbf", {group(1, "Čaje", 0, 1), group(9998, "_Import", 0, 9998)});
    EXPECT_EQ(groups.nextId(), 2);
    // Group 5 was deleted, its items were left behind.
    add("katalog.dbf", {item(5, "A1"), item(9999, "CHYBA")});
    EXPECT_EQ(groups.nextId(), 6);
    EXPECT_EQ(groups.nextOrder(), 2);
    add("skupiny.dbf", {group(9997, "Poslední", 0, 40)});
    EXPECT_EQ(groups.nextId(), 2); // the lowest number nobody uses
    EXPECT_EQ(groups.nextOrder(), 41);
}

TEST_F(Groups, ReservedGroupsAreCreatedWhenMissingAndExpansionIsStoredInOnePass) {
    add("skupiny.dbf", {group(1, "Čaje", 0, 1), group(9999, "_Import - chyby", 0, 9999)});
    EXPECT_TRUE(groups.ensureReservedGroups());
    EXPECT_FALSE(groups.ensureReservedGroups());
    EXPECT_EQ(rows("skupiny.dbf", {"SKUPID", "NAZEV", "PARENT", "PORADI"}),
              (Strings{"1 Čaje 0 1", "9999 _Import - chyby 0 9999", "9998 _Import 0 9998"}));
    EXPECT_EQ(groups.storeExpanded({1, 9998}), 3);
    EXPECT_EQ(groups.storeExpanded({1, 9998}), 0);
    EXPECT_EQ(rows("skupiny.dbf", {"SKUPID", "EXPAND"}), (Strings{"1 T", "9999 F", "9998 T"}));
}

TEST_F(Groups, PresetsOfMainGroupsAndSubgroups) {
    const Group main = mainGroupPresets(4);
    EXPECT_EQ(main.parent, 4);
    EXPECT_EQ(main.distId, 0);
    EXPECT_EQ(main.nIdph, "H");
    EXPECT_EQ(main.round, "2");
    EXPECT_TRUE(main.recNc && main.recDc && main.recM);
    Group parent;
    parent.skupId = 7;
    parent.distId = 3;
    parent.nIdph = "L";
    parent.sleva = 5;
    parent.recDc = false;
    parent.round = "1";
    const Group sub = subgroupPresets(parent);
    EXPECT_EQ(sub.parent, 7);
    EXPECT_EQ(sub.distId, 3);
    EXPECT_EQ(sub.nIdph, "L");
    EXPECT_EQ(sub.sleva, 5);
    EXPECT_FALSE(sub.recDc);
    EXPECT_EQ(sub.round, "1");
}

} // namespace
} // namespace arkona::catalogue
