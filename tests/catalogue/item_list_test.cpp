#include "catalogue/catalogue_settings.h"
#include "catalogue/distributors.h"
#include "catalogue/item_list.h"
#include "catalogue_project.h"
#include "storage/data_module.h"
#include "storage/user_settings.h"

#include <gtest/gtest.h>

namespace arkona::catalogue {
namespace {

using Strings = std::vector<std::string>;
using test::CatalogueProject;

struct Lists : ::testing::Test, CatalogueProject {
    Lists() {
        add("katalog.dbf",
            {item(1, "b2", "Čaj"), item(1, "CH1", "Abeceda"), item(2, "AB", "Cukr"),
             item(1, "C3", "Hrnek"), item(1, "A10", "abeceda"), item(1, "A9", "Chléb")});
    }
    static Strings codes(const ItemList& list) {
        Strings out;
        for (const auto& i : list.items()) {
            out.push_back(i.kod);
        }
        return out;
    }
};

TEST_F(Lists, AGroupIsListedByCodeOrByNameInCzechOrder) {
    ItemList list;
    list.load(table("katalog.dbf"), 1);
    EXPECT_EQ(list.size(), 5);
    EXPECT_EQ(codes(list), (Strings{"A10", "A9", "b2", "C3", "CH1"}));
    EXPECT_EQ(list.at(0).recno, 4u);
    EXPECT_EQ(list.at(0).nazev, "abeceda");
    list.setOrder(ItemField::Name);
    // Names tie-broken by code; "Ch" after "H", "Č" after "C".
    EXPECT_EQ(codes(list), (Strings{"A10", "CH1", "b2", "C3", "A9"}));
    EXPECT_EQ(list.indexOfCode("ch1"), 1);
    EXPECT_EQ(list.indexOfCode("CH"), -1);
    EXPECT_EQ(list.indexOfRecno(5), 4);
}

TEST_F(Lists, APrefixSearchIgnoresLetterCaseInTheSortedField) {
    ItemList list;
    list.load(table("katalog.dbf"), 1);
    list.setOrder(ItemField::Name);
    EXPECT_EQ(list.findPrefix("ab"), 0);
    EXPECT_EQ(list.at(list.findPrefix("ABECEDA")).kod, "A10");
    EXPECT_EQ(list.at(list.findPrefix("čA")).kod, "b2");
    EXPECT_EQ(list.findPrefix("x"), -1);
    EXPECT_EQ(list.findPrefix(""), -1);
    list.setOrder(ItemField::Code);
    EXPECT_EQ(list.at(list.findPrefix("c")).kod, "C3");
    EXPECT_EQ(list.at(list.findPrefix("ch")).kod, "CH1");
}

TEST_F(Lists, TheWholeCatalogueSearchFindsTheFirstMatchOfAnyGroup) {
    CatalogueIndex index;
    index.load(table("katalog.dbf"));
    EXPECT_EQ(index.size(), 6);
    const auto cukr = index.findFirst(ItemField::Name, "cu");
    ASSERT_TRUE(cukr);
    EXPECT_EQ(cukr->kod, "AB");
    EXPECT_EQ(cukr->group, 2);
    const auto a = index.findFirst(ItemField::Code, "a");
    ASSERT_TRUE(a);
    EXPECT_EQ(a->kod, "A10");
    EXPECT_EQ(index.findFirst(ItemField::Name, "ABE")->kod, "A10");
    EXPECT_FALSE(index.findFirst(ItemField::Code, "Z"));
}

TEST(KatalogSettingsTest, DefaultsAndWhatAMaximizedWindowWrites) {
    test::TempDir dir;
    storage::UserSettings settings(dir / "settings.ini");
    KatalogSettings s = readKatalogSettings(settings);
    EXPECT_EQ(s.treeSplit, 217);
    EXPECT_EQ(s.col0, 100);
    EXPECT_FALSE(s.width);
    EXPECT_TRUE(s.autoCalc);
    const char* key = KatalogSettings::kKey;
    settings.write(key, "col0", "9");
    settings.write(key, "Width", "50");
    settings.write(key, "Height", "51");
    settings.write(key, "tree_split", "x");
    settings.write(key, "AutoCalc", "0");
    s = readKatalogSettings(settings);
    EXPECT_EQ(s.col0, 100);
    EXPECT_FALSE(s.width);
    EXPECT_EQ(s.height, 51);
    EXPECT_EQ(s.treeSplit, 217);
    EXPECT_FALSE(s.autoCalc);
    s.maximized = true;
    s.top = 100;
    s.width = 1200;
    writeKatalogSettings(settings, s);
    for (const auto& [name, value] :
         std::vector<std::pair<const char*, const char*>>{{"Top", "3"},
                                                          {"Left", "8"},
                                                          {"Width", "785"},
                                                          {"Height", "570"},
                                                          {"AutoCalc", "0"},
                                                          {"WindowState", "wsMaximized"},
                                                          {"tree_split", "217"}}) {
        EXPECT_EQ(settings.read(key, name), value) << name;
    }
}

TEST(KatalogSettingsTest, ThePagesWindowPlaceHasItsOwnKey) {
    test::TempDir dir;
    storage::UserSettings settings(dir / "settings.ini");
    PagesWindowPlace place = readPagesWindowPlace(settings);
    EXPECT_FALSE(place.top || place.left || place.width || place.height);
    const char* key = PagesWindowPlace::kKey;
    EXPECT_STREQ(key, "Software\\Tarn\\Arkona\\Katalog\\ZarazZbozi");
    settings.write(key, "Top", "-20");
    settings.write(key, "Left", "x");
    settings.write(key, "Width", "50");
    settings.write(key, "Height", "51");
    // The catalogue's own values are not the pages window's.
    settings.write(KatalogSettings::kKey, "Left", "7");
    place = readPagesWindowPlace(settings);
    EXPECT_EQ(place.top, -20);
    EXPECT_FALSE(place.left);
    EXPECT_FALSE(place.width);
    EXPECT_EQ(place.height, 51);
    writePagesWindowPlace(settings, {10, 20, 300, 400});
    EXPECT_EQ(settings.read(key, "Top"), "10");
    EXPECT_EQ(settings.read(key, "Left"), "20");
    EXPECT_EQ(settings.read(key, "Width"), "300");
    EXPECT_EQ(settings.read(key, "Height"), "400");
    EXPECT_EQ(settings.read(KatalogSettings::kKey, "Left"), "7");
}

TEST_F(Lists, ANewDistributorNumbersAboveEveryNumberInUse) {
    add("distrib.dbf",
        {{{"DISTID", 1}, {"NAZEV", "Čajovna"}}, {{"DISTID", 2}, {"NAZEV", "Cukrárna"}}});
    EXPECT_EQ(nextDistributorId(project), 3);
    // Distributor 6 was deleted; an item and a group still carry its number.
    add("katalog.dbf", {{{"SKUPID", 1}, {"KOD", "D"}, {"DISTID", 6}}});
    EXPECT_EQ(nextDistributorId(project), 7);
    add("skupiny.dbf", {{{"SKUPID", 1}, {"DISTID", 9}}});
    EXPECT_EQ(nextDistributorId(project), 10);

    storage::TData2 data;
    data.SetProjectPath(project.projectFolder);
    DistributorList list(data, project);
    list.open();
    EXPECT_EQ(list.count(), 2);
    EXPECT_EQ(list.rows().front().name, "Cukrárna"); // "Č" after "C"
    EXPECT_EQ(list.add("Hora"), 10);
    EXPECT_EQ(list.currentId(), 10);
    list.select(1);
    list.rename("Alfa");
    EXPECT_EQ(list.currentId(), 1);
    list.select(2);
    list.remove();
    std::vector<std::string> names;
    for (const auto& d : readDistributors(project)) {
        names.push_back(std::to_string(d.id) + " " + d.name);
    }
    EXPECT_EQ(names, (Strings{"1 Alfa", "10 Hora"}));
    EXPECT_EQ(rows("katalog.dbf", {"KOD", "DISTID"}).back(), "D 6");
}

} // namespace
} // namespace arkona::catalogue
