#include "base/error.h"
#include "storage/schema.h"
#include "storage/statements.h"
#include "support/other_process.h"
#include "support/table_builder.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace arkona::storage {
namespace {

using dbf::FieldDef;
using test::TempDir;

class Statements : public ::testing::Test {
protected:
    TempDir dir;
    std::filesystem::path file = dir / "katalog.dbf";

    void SetUp() override {
        test::makeTable(file,
                        {FieldDef::character("KOD", 20), FieldDef::numeric("P_H", 12, 2),
                         FieldDef::memo("POPIS")},
                        {{{"KOD", "AB"}, {"P_H", 10}},
                         {{"KOD", "ABC"}, {"P_H", 20}},
                         {{"KOD", "ab"}, {"P_H", 30}},
                         {{"KOD", "A\"B'C"}, {"P_H", 40}},
                         {{"KOD", "Čaj"}, {"P_H", 50}},
                         {{"KOD", "dead"}, {"P_H", 60}}});
        dbf::Table::open(file).setDeleted(5);
    }

    std::vector<std::string> prices() const {
        std::vector<std::string> out;
        dbf::Table::open(file, dbf::OpenMode::ReadOnly).scan([&](const dbf::Record& r) {
            out.push_back(r.text("KOD") + "=" + r.display(r.column("P_H")));
            return true;
        });
        return out;
    }

    static RowChange setPrice(double v) {
        return [v](dbf::Record& r) {
            r.setNumber("P_H", v);
            return true;
        };
    }
};

TEST_F(Statements, CodeKeysAreTrimmedWholeCodesFoldedWhenAsked) {
    EXPECT_EQ(codeKey("  ab ", true), "AB");
    EXPECT_EQ(codeKey("čaj", true), "ČAJ");
    EXPECT_EQ(codeKey(" ab ", false), "ab");
    EXPECT_NE(codeKey("AB", true), codeKey("ABC", true));
}

TEST_F(Statements, UpdateByCodeWithoutRegardToCaseTakesEveryRowOfThatWholeCode) {
    ChangesByCode changes;
    changes[codeKey("ab", true)] = setPrice(11);
    changes[codeKey("a\"b'c", true)] = setPrice(44);
    changes[codeKey("čaj", true)] = setPrice(55);
    changes[codeKey("DEAD", true)] = setPrice(66);
    changes[codeKey("nikde", true)] = setPrice(77);
    const auto result = updateByCode(file, "KOD", true, changes);
    EXPECT_EQ(result.written, 4);
    EXPECT_EQ(result.matched.at("AB"), 2); // "AB" and "ab", never "ABC"
    EXPECT_EQ(result.matched.at("A\"B'C"), 1);
    EXPECT_EQ(result.matched.count("DEAD"), 0u); // deleted rows are not met
    EXPECT_EQ(result.matched.count("NIKDE"), 0u);
    EXPECT_EQ(prices(), (std::vector<std::string>{"AB=11.00", "ABC=20.00", "ab=11.00",
                                                  "A\"B'C=44.00", "Čaj=55.00"}));
}

TEST_F(Statements, UpdateByExactCodeAndChangesThatDecline) {
    ChangesByCode changes;
    changes["ab"] = setPrice(31);
    changes["ABC"] = [](dbf::Record&) { return false; };
    const auto result = updateByCode(file, "KOD", false, changes);
    EXPECT_EQ(result.written, 1);
    EXPECT_EQ(result.matched.at("ABC"), 1);
    EXPECT_EQ(prices(), (std::vector<std::string>{"AB=10.00", "ABC=20.00", "ab=31.00",
                                                  "A\"B'C=40.00", "Čaj=50.00"}));
}

TEST_F(Statements, AFailedChangeStopsThePassWithTheTablesMessage) {
    ChangesByCode changes;
    changes["AB"] = setPrice(1e15); // does not fit N(12,2)
    EXPECT_NE(test::errorOf([&] {
                  updateByCode(file, "KOD", false, changes);
              }).find("se nevejde do šířky 12"),
              std::string::npos);
    EXPECT_EQ(prices().front(), "AB=10.00");
}

TEST_F(Statements, DeleteByCodeInsertRowsAndUpdateWhere) {
    EXPECT_EQ(deleteByCode(file, "KOD", true, {codeKey("AB", true), codeKey("čaj", true)}), 3);
    insertRows(file, {{{"KOD", std::string("N1")}, {"P_H", 1.0}, {"POPIS", std::string("p1")}},
                      {{"KOD", std::string("N2")}, {"P_H", 2.0}}});
    EXPECT_EQ(updateWhere(file,
                          [](dbf::Record& r) {
                              if (r.numberOr("P_H") >= 40) {
                                  return false;
                              }
                              r.setNumber("P_H", r.numberOr("P_H") * 2);
                              return true;
                          }),
              3);
    EXPECT_EQ(prices(),
              (std::vector<std::string>{"ABC=40.00", "A\"B'C=40.00", "N1=2.00", "N2=4.00"}));
    const auto table = dbf::Table::open(file, dbf::OpenMode::ReadOnly);
    EXPECT_EQ(table.recordCount(), 8u);
    EXPECT_EQ(table.read(6).memo("POPIS"), "p1");
}

TEST_F(Statements, SingleRowStatementsCompareStoredBytesLikeTheLongWay) {
    // A code the table's code page cannot hold matches nothing instead of failing.
    EXPECT_EQ(test::errorOf([&] {
                  updateOne(file, {{"KOD", std::string("日本")}}, {});
              }),
              kUpdateFailed);
    EXPECT_EQ(test::errorOf([&] {
                  updateOne(file, {{"KOD", std::string("ab"), true}}, {});
              }),
              kUpdateFailed); // two rows
    updateOne(file, {{"KOD", std::string("čAJ  "), true}}, {{"P_H", 51.0}});
    updateOne(file, {{"KOD", std::string("ABC")}}, {{"P_H", 21.0}});
    EXPECT_EQ(prices(), (std::vector<std::string>{"AB=10.00", "ABC=21.00", "ab=30.00",
                                                  "A\"B'C=40.00", "Čaj=51.00"}));
}

} // namespace
} // namespace arkona::storage
