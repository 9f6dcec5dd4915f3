#include "base/dbf/table.h"
#include "base/error.h"
#include "support/table_builder.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace arkona {
namespace {

using dbf::FieldDef;
using dbf::Table;
using test::TempDir;

const char* kCzech = "Příliš žluťoučký kůň úpěl ďábelské ódy";

std::vector<FieldDef> catalogueFields() {
    return {FieldDef::numeric("SKUPID", 4),     FieldDef::character("KOD", 40),
            FieldDef::character("NAZEV", 100),  FieldDef::memo("POPIS"),
            FieldDef::numeric("P_CENA", 14, 4), FieldDef::logical("HOLD_0"),
            FieldDef::date("DAT_N_UPD")};
}

unsigned char byteAt(const std::string& s, size_t i) {
    return static_cast<unsigned char>(s[i]);
}

TEST(DbfTable, NewTableHeaderBytes) {
    TempDir dir;
    const auto file = dir / "katalog.dbf";
    Table::create(file, catalogueFields());
    const std::string bytes = test::readFile(file);
    const size_t headerLength = 32 + 7 * 32 + 1;
    ASSERT_EQ(bytes.size(), headerLength + 1);
    EXPECT_EQ(byteAt(bytes, 0), 0x83); // dBase III with memo
    EXPECT_EQ(byteAt(bytes, 8) | byteAt(bytes, 9) << 8, headerLength);
    EXPECT_EQ(byteAt(bytes, 10) | byteAt(bytes, 11) << 8, 1 + 4 + 40 + 100 + 10 + 14 + 1 + 8);
    EXPECT_EQ(byteAt(bytes, 29), 0xC8); // Windows-1250
    EXPECT_EQ(bytes.substr(32, 6), std::string("SKUPID", 6));
    EXPECT_EQ(bytes[32 + 11], 'N');
    EXPECT_EQ(byteAt(bytes, headerLength - 1), 0x0D);
    EXPECT_EQ(byteAt(bytes, headerLength), 0x1A);
    ASSERT_TRUE(std::filesystem::exists(dir / "katalog.dbt"));
    const std::string memo = test::readFile(dir / "katalog.dbt");
    ASSERT_EQ(memo.size(), 512u);
    EXPECT_EQ(byteAt(memo, 0), 1); // next free block
}

TEST(DbfTable, EveryColumnTypeRoundTrips) {
    TempDir dir;
    const auto file = dir / "katalog.dbf";
    test::makeTable(file, catalogueFields(),
                    {{{"SKUPID", 9999},
                      {"KOD", "AB-1"},
                      {"NAZEV", kCzech},
                      {"POPIS", "Krátký popis"},
                      {"P_CENA", 1234.5678},
                      {"HOLD_0", true},
                      {"DAT_N_UPD", Date{2026, 12, 9}}},
                     {{"SKUPID", -999}, {"KOD", "x"}, {"P_CENA", -0.25}, {"HOLD_0", false}},
                     {}});
    const auto table = Table::open(file, dbf::OpenMode::ReadOnly);
    ASSERT_EQ(table.recordCount(), 3u);
    const auto a = table.read(0);
    EXPECT_EQ(a.integer("SKUPID"), 9999);
    EXPECT_EQ(a.text("KOD"), "AB-1");
    EXPECT_EQ(a.text("nazev"), kCzech); // column names are found without regard to case
    EXPECT_EQ(a.memo("POPIS"), "Krátký popis");
    EXPECT_DOUBLE_EQ(*a.number("P_CENA"), 1234.5678);
    EXPECT_EQ(a.logical("HOLD_0"), true);
    EXPECT_EQ(a.date("DAT_N_UPD"), (Date{2026, 12, 9}));
    EXPECT_EQ(a.rawField(a.column("P_CENA")), "     1234.5678");
    EXPECT_EQ(a.rawField(a.column("DAT_N_UPD")), "20261209");

    const auto b = table.read(1);
    EXPECT_EQ(b.integer("SKUPID"), -999);
    EXPECT_DOUBLE_EQ(*b.number("P_CENA"), -0.25);
    EXPECT_EQ(b.logical("HOLD_0"), false);
    EXPECT_EQ(b.text("NAZEV"), "");
    EXPECT_EQ(b.memo("POPIS"), "");

    // A blank row: blank numbers are not zero, blank switches and dates are unknown.
    const auto c = table.read(2);
    EXPECT_TRUE(c.isBlank("SKUPID"));
    EXPECT_EQ(c.number("SKUPID"), std::nullopt);
    EXPECT_EQ(c.logical("HOLD_0"), std::nullopt);
    EXPECT_EQ(c.date("DAT_N_UPD"), std::nullopt);
    EXPECT_EQ(c.text("KOD"), "");
}

TEST(DbfTable, CzechTextIsStoredAsWindows1250) {
    TempDir dir;
    const auto file = dir / "t.dbf";
    test::makeTable(file, {FieldDef::character("NAZEV", 40)}, {{{"NAZEV", "žluťoučký kůň"}}});
    const std::string bytes = test::readFile(file);
    const size_t first = 32 + 32 + 1 + 1;
    EXPECT_EQ(bytes.substr(first, 13), "\x9Elu\x9Dou\xE8k\xFD k\xF9\xF2");
    EXPECT_EQ(bytes.substr(first + 13, 27), std::string(27, ' '));
}

TEST(DbfTable, TextWiderThanColumnIsRefusedOrCutOnRequest) {
    TempDir dir;
    const auto file = dir / "t.dbf";
    Table::create(file, {FieldDef::character("KOD", 5)});
    auto table = Table::open(file);
    auto r = table.blankRecord();
    r.setText("KOD", "ěščřž"); // five letters are five bytes in Windows-1250
    EXPECT_EQ(r.text("KOD"), "ěščřž");
    try {
        r.setText("KOD", "ABCDEF");
        FAIL() << "a text longer than its column was accepted";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("text „ABCDEF“ je delší než 5 znaků"),
                  std::string::npos)
            << e.what();
    }
    r.setText("KOD", "ABCDEF", true);
    EXPECT_EQ(r.text("KOD"), "ABCDE");
    EXPECT_THROW(r.setText("KOD", "€ü漢"), Error); // 漢 has no byte in Windows-1250
}

TEST(DbfTable, NumbersAreWrittenWithADecimalPointAndRefusedWhenTooWide) {
    TempDir dir;
    const auto file = dir / "t.dbf";
    Table::create(file, {FieldDef::numeric("KS", 4), FieldDef::numeric("CENA", 12, 2)});
    auto table = Table::open(file);
    auto r = table.blankRecord();
    r.setNumber("CENA", 2.345); // rounded as a person would: 2.35
    EXPECT_EQ(r.rawField(1), "        2.35");
    r.setNumber("CENA", 0.125);
    EXPECT_EQ(r.rawField(1), "        0.13");
    r.setNumber("CENA", -1e-9);
    EXPECT_EQ(r.rawField(1), "        0.00");
    r.setNumber("CENA", 123456789.99);
    EXPECT_EQ(r.rawField(1), "123456789.99");
    EXPECT_THROW(r.setNumber("CENA", 1234567890.0), Error);
    r.setNumber("KS", 9999);
    EXPECT_EQ(r.rawField(0), "9999");
    r.setNumber("KS", 2.5);
    EXPECT_EQ(r.rawField(0), "   3");
    try {
        r.setNumber("KS", 123456789);
        FAIL() << "a number too large for its column was accepted";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("číslo 123456789 se nevejde do šířky 4"),
                  std::string::npos)
            << e.what();
    }
    EXPECT_EQ(r.rawField(0), "   3"); // the refused value changed nothing
}

TEST(DbfTable, MemosShorterEqualAndLongerThanABlock) {
    TempDir dir;
    const auto file = dir / "t.dbf";
    Table::create(file, {FieldDef::character("KOD", 10), FieldDef::memo("POPIS")});
    // dBase III memos end with 0x1A 0x1A, so 510 bytes fill exactly one block.
    const std::vector<std::string> texts = {"a",
                                            std::string(510, 'x'),
                                            std::string(511, 'y'),
                                            std::string(512, 'z'),
                                            std::string(70000, 'q') + "konec",
                                            "řádek 1\r\nřádek 2"};
    {
        auto table = Table::open(file);
        for (const auto& t : texts) {
            auto r = table.blankRecord();
            r.setMemo("POPIS", t);
            table.append(r);
        }
    }
    const auto table = Table::open(file, dbf::OpenMode::ReadOnly);
    for (size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(table.read(static_cast<std::uint32_t>(i)).memo("POPIS"), texts[i])
            << "memo " << i;
    }
    // Blocks: 1 for "a", 1 for 510 bytes, 2 for 511, 2 for 512 ...
    EXPECT_EQ(table.read(0).rawField(1), "         1");
    EXPECT_EQ(table.read(1).rawField(1), "         2");
    EXPECT_EQ(table.read(2).rawField(1), "         3");
    EXPECT_EQ(table.read(3).rawField(1), "         5");
}

TEST(DbfTable, UpdateRewritesOnlyThatRowAndReusesMemoBlocksThatStillFit) {
    TempDir dir;
    const auto file = dir / "t.dbf";
    const auto memo = dir / "t.dbt";
    test::makeTable(file, {FieldDef::character("KOD", 10), FieldDef::memo("POPIS")},
                    {{{"KOD", "A"}, {"POPIS", "první"}}, {{"KOD", "B"}, {"POPIS", "druhý"}}});
    const auto memoSize = std::filesystem::file_size(memo);
    {
        auto table = Table::open(file);
        auto r = table.read(0);
        r.setText("KOD", "A2");
        r.setMemo("POPIS", "nový text");
        table.update(r);
    }
    {
        const auto table = Table::open(file, dbf::OpenMode::ReadOnly);
        EXPECT_EQ(table.recordCount(), 2u);
        EXPECT_EQ(table.read(0).text("KOD"), "A2");
        EXPECT_EQ(table.read(0).memo("POPIS"), "nový text");
        EXPECT_EQ(table.read(1).memo("POPIS"), "druhý");
        EXPECT_EQ(table.read(0).rawField(1), "         1"); // written over its own block
        EXPECT_EQ(std::filesystem::file_size(memo), memoSize);
    }
    // A text longer than the old blocks goes to the end; the old block is garbage until packed.
    {
        auto table = Table::open(file);
        auto r = table.read(0);
        r.setMemo("POPIS", std::string(700, 'x'));
        table.update(r);
    }
    const auto table = Table::open(file, dbf::OpenMode::ReadOnly);
    EXPECT_EQ(table.read(0).rawField(1), "         3");
    EXPECT_EQ(table.read(0).memo("POPIS"), std::string(700, 'x'));
    EXPECT_EQ(table.read(1).memo("POPIS"), "druhý");
    EXPECT_EQ(std::filesystem::file_size(memo), memoSize + 1024);
}

TEST(DbfTable, ClearedMemoReadsEmpty) {
    TempDir dir;
    const auto file = dir / "t.dbf";
    test::makeTable(file, {FieldDef::memo("POPIS")}, {{{"POPIS", "něco"}}});
    {
        auto table = Table::open(file);
        auto r = table.read(0);
        r.setMemo("POPIS", "");
        table.update(r);
    }
    EXPECT_EQ(Table::open(file).read(0).memo("POPIS"), "");
    EXPECT_EQ(Table::open(file).read(0).rawField(0), std::string(10, ' '));
}

TEST(DbfTable, DeletedRowsAreInvisibleUntilPackedAwayWithTheirMemos) {
    TempDir dir;
    const auto file = dir / "t.dbf";
    std::vector<test::Row> rows;
    for (int i = 0; i < 1000; ++i) {
        rows.push_back(
            {{"N", i}, {"POPIS", i % 5 == 0 ? std::string(600, 'm') + std::to_string(i) : ""}});
    }
    test::makeTable(file, {FieldDef::numeric("N", 6), FieldDef::memo("POPIS")}, rows);
    {
        auto table = Table::open(file);
        for (std::uint32_t i = 0; i < 1000; i += 2) {
            table.setDeleted(i);
        }
        table.setDeleted(2, false); // undelete works too
    }
    auto live = [&] {
        std::vector<long long> ids;
        Table::open(file, dbf::OpenMode::ReadOnly).scan([&](const dbf::Record& r) {
            ids.push_back(*r.integer("N"));
            return true;
        });
        return ids;
    };
    const auto before = live();
    ASSERT_EQ(before.size(), 501u);
    EXPECT_EQ(before[0], 1);
    EXPECT_EQ(before[1], 2);
    EXPECT_EQ(Table::open(file).recordCount(), 1000u);
    const auto memoBefore = std::filesystem::file_size(dir / "t.dbt");

    dbf::pack(file);
    EXPECT_EQ(live(), before);
    const auto table = Table::open(file, dbf::OpenMode::ReadOnly);
    EXPECT_EQ(table.recordCount(), 501u);
    EXPECT_EQ(std::filesystem::file_size(file),
              table.info().headerLength + 501u * table.info().recordLength + 1);
    EXPECT_LT(std::filesystem::file_size(dir / "t.dbt"), memoBefore * 2 / 3);
    table.scan([&](const dbf::Record& r) {
        const long long n = *r.integer("N");
        EXPECT_EQ(r.memo("POPIS"), n % 5 == 0 ? std::string(600, 'm') + std::to_string(n) : "")
            << n;
        return true;
    });
    EXPECT_FALSE(std::filesystem::exists(dir / "t.dbf.arkona-new"));
}

TEST(DbfTable, StructureChangesKeepValues) {
    TempDir dir;
    const auto file = dir / "zbozi.dbf";
    test::makeTable(file,
                    {FieldDef::character("KOD", 10), FieldDef::character("ODKAZ", 50),
                     FieldDef::memo("POPIS"), FieldDef::numeric("CENA", 8, 2)},
                    {{{"KOD", "A"}, {"ODKAZ", "abc"}, {"POPIS", "popis A"}, {"CENA", 10.5}},
                     {{"KOD", "B"}, {"ODKAZ", "ďábel"}, {"CENA", 7}}});
    Table::open(file).setDeleted(1);

    dbf::addColumns(file, {FieldDef::character("BGPROP", 50), FieldDef::logical("EXPAND")});
    dbf::resizeColumn(file, "ODKAZ", 254);
    dbf::resizeColumn(file, "CENA", 12, 4);
    dbf::dropColumns(file, {"KOD"});

    const auto table = Table::open(file, dbf::OpenMode::ReadOnly);
    std::vector<std::string> names;
    for (const auto& f : table.fields()) {
        names.push_back(f.notation() + " " + f.name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"C(254) ODKAZ", "M POPIS", "N(12,4) CENA",
                                               "C(50) BGPROP", "L EXPAND"}));
    ASSERT_EQ(table.recordCount(), 2u);
    const auto a = table.read(0);
    EXPECT_EQ(a.text("ODKAZ"), "abc");
    EXPECT_EQ(a.memo("POPIS"), "popis A");
    EXPECT_EQ(a.rawField(a.column("CENA")), "     10.5000");
    EXPECT_EQ(a.text("BGPROP"), "");
    EXPECT_EQ(a.logical("EXPAND"), std::nullopt);
    const auto b = table.read(1);
    EXPECT_TRUE(b.deleted()); // a structure change does not resurrect or lose rows
    EXPECT_EQ(b.text("ODKAZ"), "ďábel");
}

TEST(DbfTable, NarrowingThatWouldLoseTextFailsAndLeavesTheTable) {
    TempDir dir;
    const auto file = dir / "t.dbf";
    test::makeTable(file, {FieldDef::character("ODKAZ", 50)}, {{{"ODKAZ", "dlouhý odkaz"}}});
    const std::string before = test::readFile(file);
    EXPECT_THROW(dbf::resizeColumn(file, "ODKAZ", 5), Error);
    EXPECT_EQ(test::readFile(file), before);
    EXPECT_THROW(dbf::dropColumns(file, {"NENI"}), Error);
    EXPECT_EQ(test::readFile(file), before);
}

TEST(DbfTable, AddingTheFirstMemoColumnCreatesTheMemoFile) {
    TempDir dir;
    const auto file = dir / "t.dbf";
    test::makeTable(file, {FieldDef::character("KOD", 5)}, {{{"KOD", "A"}}});
    dbf::addColumns(file, {FieldDef::memo("POPIS")});
    auto table = Table::open(file);
    EXPECT_EQ(table.info().version, 0x83);
    auto r = table.read(0);
    r.setMemo("POPIS", "nový");
    table.update(r);
    EXPECT_EQ(Table::open(file).read(0).memo("POPIS"), "nový");
}

TEST(DbfTable, ResetTableIndexClearsOnlyTheIndexBitAndDeletesIndexFiles) {
    TempDir dir;
    const auto file = dir / "skupiny.dbf";
    Table::create(file, {FieldDef::numeric("SKUPID", 4)});
    std::string bytes = test::readFile(file);
    bytes[28] = 0x07;
    test::writeFile(file, bytes);
    test::writeFile(dir / "SKUPINY.CDX", "x");
    test::writeFile(dir / "skupiny.mdx", "x");
    test::writeFile(dir / "skupiny.dbt", "keep");
    dbf::resetTableIndex(file);
    EXPECT_EQ(test::readFile(file)[28], 0x06);
    EXPECT_FALSE(std::filesystem::exists(dir / "SKUPINY.CDX"));
    EXPECT_FALSE(std::filesystem::exists(dir / "skupiny.mdx"));
    EXPECT_TRUE(std::filesystem::exists(dir / "skupiny.dbt"));
    EXPECT_NO_THROW(dbf::resetTableIndex(dir / "missing.dbf"));
}

TEST(DbfTable, ManyRowsScanInFileOrder) {
    TempDir dir;
    const auto file = dir / "t.dbf";
    Table::create(file, {FieldDef::numeric("N", 8), FieldDef::character("T", 200)});
    {
        auto table = Table::open(file);
        for (int i = 0; i < 20000; ++i) {
            auto r = table.blankRecord();
            r.setNumber("N", i);
            r.setText("T", "řádek " + std::to_string(i));
            table.append(r);
        }
    }
    int expected = 0;
    Table::open(file, dbf::OpenMode::ReadOnly).scan([&](const dbf::Record& r) {
        EXPECT_EQ(r.integer("N"), expected);
        EXPECT_EQ(r.text("T"), "řádek " + std::to_string(expected));
        ++expected;
        return true;
    });
    EXPECT_EQ(expected, 20000);
}

TEST(DbfTable, ReadOnlyTableRefusesWrites) {
    TempDir dir;
    const auto file = dir / "t.dbf";
    test::makeTable(file, {FieldDef::character("KOD", 5)}, {{{"KOD", "A"}}});
    auto table = Table::open(file, dbf::OpenMode::ReadOnly);
    auto r = table.read(0);
    EXPECT_THROW(table.update(r), Error);
    EXPECT_THROW(table.setDeleted(0), Error);
}

} // namespace
} // namespace arkona
