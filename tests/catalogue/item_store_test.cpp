#include "base/error.h"
#include "catalogue/item_store.h"
#include "catalogue_project.h"
#include "storage/statements.h"

#include <gtest/gtest.h>

namespace arkona::catalogue {
namespace {

using Strings = std::vector<std::string>;
using test::CatalogueProject;

struct ItemStore : ::testing::Test, CatalogueProject {};

TEST_F(ItemStore, ACodeIsFreeOnlyWhenNeitherTheCatalogueNorAPageHasIt) {
    add("katalog.dbf", {item(1, "ČAJ-1"), item(1, "AB")});
    add("zbozi.dbf", {product("kav-9", "R")});
    EXPECT_EQ(codeStatus(project, "čaj-1"), CodeStatus::InCatalogue);
    EXPECT_EQ(codeStatus(project, "KAV-9"), CodeStatus::InProducts);
    EXPECT_EQ(codeStatus(project, "A"), CodeStatus::Free);
    EXPECT_EQ(codeStatus(project, "ABC"), CodeStatus::Free);
    EXPECT_EQ(codeStatus(project, "  "), CodeStatus::Empty);
    EXPECT_STREQ(codeTakenMessage(CodeStatus::InCatalogue),
                 "Tento kód zboží již existuje v katalogu!");
    EXPECT_STREQ(codeTakenMessage(CodeStatus::InProducts),
                 "Tento kód zboží již existuje v produktové sekci!");
    EXPECT_EQ(codeTakenMessage(CodeStatus::Free), nullptr);
}

TEST_F(ItemStore, ACopyTakesEveryStoredColumnUnderTheNewCodeInUpperCase) {
    test::Row a1 = item(3, "A1", "Čaj „Zelený“");
    for (test::Row::value_type extra :
         std::initializer_list<test::Row::value_type>{{"DISTID", 4},
                                                      {"POPIS", "Dlouhý popis\r\ndruhý řádek"},
                                                      {"N_CENA", 80},
                                                      {"N_CENA_DPH", 97.6},
                                                      {"D_CENA", 120},
                                                      {"MARZE", 25},
                                                      {"P_L", 10},
                                                      {"P_IDPH", "R"},
                                                      {"DAT_N_UPD", Date{2026, 1, 15}},
                                                      {"DAT_P_UPD", Date{2026, 2, 1}},
                                                      {"DAT_Z_UPD", Date{2026, 3, 2}},
                                                      {"IDX_SLEVA", 2},
                                                      {"SLEVA", 5},
                                                      {"HOLD_H", true},
                                                      {"ROUND", "1"},
                                                      {"REC_NC", true},
                                                      {"REC_M", true},
                                                      {"OBRAZEK", "sub\\čaj.jpg"}}) {
        a1.push_back(extra);
    }
    add("katalog.dbf", {a1});
    const auto source = readItemAt(project, 0, "A1");
    ASSERT_TRUE(source);
    const StoredItem copy = copyItem(project, *source, " a2");
    EXPECT_EQ(copy.item.kod, "A2");
    EXPECT_EQ(copy.recno, 1u);
    const Strings columns = {"SKUPID",     "DISTID",    "NAZEV",  "POPIS",     "N_CENA",
                             "N_CENA_DPH", "N_IDPH",    "D_CENA", "MARZE",     "P_IDPH",
                             "P_0",        "P_L",       "P_H",    "DAT_N_UPD", "DAT_P_UPD",
                             "DAT_Z_UPD",  "IDX_SLEVA", "SLEVA",  "HOLD_0",    "HOLD_H",
                             "ROUND",      "REC_NC",    "REC_DC", "REC_M",     "OBRAZEK"};
    const Strings stored = rows("katalog.dbf", columns);
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[1], stored[0]);
    EXPECT_EQ(rows("katalog.dbf", {"KOD"}), (Strings{"A1", "A2"}));
    try {
        copyItem(project, *source, "a1");
        FAIL() << "a taken code was accepted";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Tento kód zboží již existuje v katalogu!");
    }
}

TEST_F(ItemStore, AnItemGivenItsFirstCodeIsStoredIntoItsOwnRow) {
    add("katalog.dbf", {item(9999, ""), item(9999, ""), item(9999, "")});
    auto faulty = readItemAt(project, 1, "");
    ASSERT_TRUE(faulty);
    faulty->item.kod = "NOVY";
    faulty->item.nazev = "Opravený řádek";
    updateItem(project, 1, "", faulty->item, "popis");
    EXPECT_EQ(rows("katalog.dbf", {"KOD", "NAZEV"}),
              (Strings{"Zboží", "NOVY Opravený řádek", "Zboží"}));
    // The row moved (another program packed the table): found by its original code.
    add("katalog.dbf", {item(1, "X"), item(1, "Y")});
    auto x = readItemAt(project, 3, "X");
    ASSERT_TRUE(x);
    x->item.nazev = "Iks";
    updateItem(project, 4, "X", x->item, "");
    EXPECT_EQ(rows("katalog.dbf", {"KOD", "NAZEV"})[3], "X Iks");
    EXPECT_EQ(rows("katalog.dbf", {"KOD", "NAZEV"})[4], "Y Zboží Y");
    // Several rows without a code and none at the place: refused, nothing written.
    try {
        updateItem(project, 40, "", x->item, "");
        FAIL();
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), storage::kUpdateFailed);
    }
    EXPECT_FALSE(readItemAt(project, 1, ""));
    EXPECT_FALSE(readItemAt(project, 99, "X"));
    // Found by code from a page product: exact, letter case ignored.
    const auto y = findItem(project, " y");
    ASSERT_TRUE(y);
    EXPECT_EQ(y->recno, 4u);
    EXPECT_EQ(y->item.nazev, "Zboží Y");
    EXPECT_FALSE(findItem(project, "XY"));
    EXPECT_FALSE(findItem(project, ""));
}

TEST_F(ItemStore, ANewItemTakesTheGroupPresets) {
    Group g;
    g.skupId = 5;
    g.distId = 2;
    g.nIdph = "L";
    g.sleva = 3;
    g.round = "1";
    g.recDc = false;
    const Item i = newItemOf(g);
    EXPECT_EQ(i.skupId, 5);
    EXPECT_EQ(i.distId, 2);
    EXPECT_EQ(i.nIdph, "L");
    EXPECT_EQ(i.pIdph, "L");
    EXPECT_EQ(i.sleva, 3);
    EXPECT_EQ(i.round, "1");
    EXPECT_TRUE(i.recNc);
    EXPECT_FALSE(i.recDc);
    EXPECT_EQ(i.p0 + i.pL + i.pH + i.nCena + i.marze, 0);
    EXPECT_FALSE(i.hold0 || i.holdL || i.holdH);
    const auto recno = insertItem(project, i, "");
    EXPECT_EQ(rows("katalog.dbf", {"SKUPID", "DISTID", "N_IDPH", "P_IDPH", "SLEVA", "ROUND"}),
              (Strings{"5 2 L L 3.0000 1"}));
    EXPECT_EQ(recno, 0u);
}

} // namespace
} // namespace arkona::catalogue
