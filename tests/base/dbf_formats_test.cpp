// Tables written by other programs: older and foreign variants, and damaged files.
#include "base/dbf/table.h"
#include "base/error.h"
#include "support/other_process.h"
#include "support/table_builder.h"
#include "support/temp_dir.h"

#include <cstring>
#include <functional>
#include <gtest/gtest.h>

namespace arkona {
namespace {

using dbf::FieldDef;
using dbf::Table;
using test::errorOf;
using test::TempDir;
using test::whileAnotherProcessHolds;

struct RawField {
    std::string name;
    char type;
    int width;
    int decimals = 0;
};

void putLe(std::string& b, size_t at, std::uint64_t v, int n) {
    for (int i = 0; i < n; ++i) {
        b[at + static_cast<size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
    }
}

// Hand-made table bytes, so that every header byte is under the test's control.
std::string rawTable(unsigned char version, const std::vector<RawField>& fields,
                     const std::vector<std::string>& records, unsigned char driver = 0xC8,
                     bool terminator = true, bool eofMark = true, size_t extraHeader = 0) {
    size_t recordLength = 1;
    for (const auto& f : fields) {
        recordLength += static_cast<size_t>(f.width);
    }
    const size_t headerLength = 32 + 32 * fields.size() + (terminator ? 1 : 0) + extraHeader;
    std::string h(headerLength, '\0');
    h[0] = static_cast<char>(version);
    h[1] = 126;
    h[2] = 12;
    h[3] = 9;
    putLe(h, 4, records.size(), 4);
    putLe(h, 8, headerLength, 2);
    putLe(h, 10, recordLength, 2);
    h[29] = static_cast<char>(driver);
    size_t at = 32;
    for (const auto& f : fields) {
        h.replace(at, f.name.size(), f.name);
        h[at + 11] = f.type;
        h[at + 16] = static_cast<char>(f.width);
        h[at + 17] = static_cast<char>(f.decimals);
        at += 32;
    }
    if (terminator) {
        h[at] = 0x0D;
    }
    for (const auto& r : records) {
        h += r;
    }
    if (eofMark) {
        h += '\x1A';
    }
    return h;
}

TEST(DbfFormats, ToleratesMissingTerminatorEndMarkAndCodePageByte) {
    TempDir dir;
    const auto file = dir / "t.dbf";
    test::writeFile(file,
                    rawTable(0x03, {{"NAZEV", 'C', 10}}, {" \x8Aipka     "}, 0, false, false));
    const auto t = Table::open(file, dbf::OpenMode::ReadOnly);
    EXPECT_EQ(t.codePage(), text::CodePage::Windows1250);
    EXPECT_EQ(t.read(0).text("NAZEV"), "Šipka");
}

TEST(DbfFormats, ReadsCzechDosTables) {
    TempDir dir;
    const auto file = dir / "t.dbf";
    // "Žluťoučký" in code page 852.
    test::writeFile(file,
                    rawTable(0x03, {{"NAZEV", 'C', 12}}, {" \xA6lu\x9Cou\x9Fk\xEC   "}, 0x64));
    EXPECT_EQ(Table::open(file, dbf::OpenMode::ReadOnly).read(0).text("NAZEV"), "Žluťoučký");
}

TEST(DbfFormats, ReadsDBase4Memos) {
    TempDir dir;
    test::writeFile(dir / "t.dbf", rawTable(0x8B, {{"POPIS", 'M', 10}}, {"          1"}));
    std::string memo(512, '\0');
    putLe(memo, 0, 2, 4);
    memo[20] = 0x00;
    memo[21] = 0x02; // block size 512
    std::string block = std::string("\xFF\xFF\x08\x00", 4) + std::string(4, '\0') + "Dobr\xFD den";
    putLe(block, 4, 8 + 9, 4);
    block.resize(512, '\0');
    test::writeFile(dir / "T.DBT",
                    memo + block); // memo file names are found without regard to case
    EXPECT_EQ(Table::open(dir / "t.dbf", dbf::OpenMode::ReadOnly).read(0).memo("POPIS"),
              "Dobrý den");
}

TEST(DbfFormats, ReadsFoxProMemosAndVisualFoxProColumns) {
    TempDir dir;
    // Visual FoxPro: 263-byte backlink after the field list, binary memo pointers, I/Y/B/T columns.
    std::string row = " ";
    row += "Mena      ";
    std::string i(4, '\0'), y(8, '\0'), b(8, '\0'), t(8, '\0'), m(4, '\0');
    putLe(i, 0, static_cast<std::uint32_t>(-42), 4);
    putLe(y, 0, 123456, 8); // 12.3456
    double d = 0.5;
    std::uint64_t bits;
    std::memcpy(&bits, &d, 8);
    putLe(b, 0, bits, 8);
    putLe(t, 0, 2461384, 4); // Julian day of 9.12.2026
    putLe(t, 4, (10 * 3600 + 15 * 60 + 23) * 1000, 4);
    putLe(m, 0, 8, 4);
    row += i + y + b + t + m;
    test::writeFile(dir / "v.dbf", rawTable(0x30,
                                            {{"MENA", 'C', 10},
                                             {"I", 'I', 4},
                                             {"Y", 'Y', 8},
                                             {"B", 'B', 8},
                                             {"T", 'T', 8},
                                             {"POPIS", 'M', 4}},
                                            {row}, 0x03, true, true, 263));
    std::string fpt(512, '\0');
    fpt[3] = 9;  // next free block (big-endian)
    fpt[7] = 64; // block size 64
    std::string block(8, '\0');
    block[3] = 1; // text
    block[7] = 5; // length, big-endian
    block += "memo!";
    fpt += block;
    test::writeFile(dir / "v.fpt", fpt);
    const auto table = Table::open(dir / "v.dbf", dbf::OpenMode::ReadOnly);
    EXPECT_EQ(table.codePage(), text::CodePage::Windows1252);
    const auto r = table.read(0);
    EXPECT_EQ(r.integer("I"), -42);
    EXPECT_DOUBLE_EQ(*r.number("Y"), 12.3456);
    EXPECT_DOUBLE_EQ(*r.number("B"), 0.5);
    EXPECT_EQ(r.display(r.column("T")), "2026-12-09 10:15:23");
    EXPECT_EQ(r.memo("POPIS"), "memo!");
}

TEST(DbfFormats, DamagedTablesGiveClearErrorsNamingTheFile) {
    TempDir dir;
    const auto file = dir / "poškozená.dbf";
    const std::string good =
        rawTable(0x03, {{"KOD", 'C', 4}, {"N", 'N', 3}}, {" ABCD  1", " EFGH  2"});
    const std::string name = "Tabulka „" + file.string() + "“ je poškozená: ";
    struct Case {
        std::string what;
        std::string bytes;
        std::string message;
    };
    std::string countBeyond = good;
    putLe(countBeyond, 4, 5, 4);
    std::string hugeCount = good;
    putLe(hugeCount, 4, 0xFFFFFFFFu, 4);
    std::string longHeader = good;
    putLe(longHeader, 8, 60000, 2);
    std::string wrongRecordLength = good;
    putLe(wrongRecordLength, 10, 7, 2);
    std::string noFields = good;
    noFields[32] = 0x0D;
    std::string badType = good;
    badType[32 + 11] = 'X';
    const std::vector<Case> cases = {
        {"empty file", "", "soubor je kratší než hlavička tabulky."},
        {"truncated header", good.substr(0, 20), "soubor je kratší než hlavička tabulky."},
        {"not a table", "Toto je obyčejný text, žádná tabulka.", "neznámá verze souboru 0x54."},
        {"count beyond the file", countBeyond,
         "hlavička uvádí 5 řádků, soubor jich obsahuje jen 2."},
        {"huge count", hugeCount, "hlavička uvádí 4294967295 řádků, soubor jich obsahuje jen 2."},
        {"header longer than the file", longHeader, "chybná délka hlavičky (60000 bajtů)."},
        {"wrong record length", wrongRecordLength,
         "délka záznamu v hlavičce (7) neodpovídá sloupcům (8)."},
        {"no columns", noFields, "hlavička neobsahuje žádný sloupec."},
        {"unknown column type", badType, "sloupec KOD má neznámý typ „X“."},
    };
    for (const auto& c : cases) {
        test::writeFile(file, c.bytes);
        EXPECT_EQ(errorOf([&] { Table::open(file, dbf::OpenMode::ReadOnly); }), name + c.message)
            << c.what;
    }
}

TEST(DbfFormats, DamagedValuesAndMemosAreReportedWhenRead) {
    TempDir dir;
    const auto file = dir / "t.dbf";
    test::writeFile(
        file, rawTable(0x83, {{"N", 'N', 3}, {"D", 'D', 8}, {"L", 'L', 1}, {"POPIS", 'M', 10}},
                       {" 1x220261399X        99", "   1        T         1"}));
    EXPECT_EQ(errorOf([&] { Table::open(file); }), "K tabulce „" + file.string() +
                                                       "“ chybí soubor poznámek „" +
                                                       (dir / "t.dbt").string() + "“.");
    std::string memo(512, '\0');
    putLe(memo, 0, 2, 4);
    test::writeFile(dir / "t.dbt", memo + "text\x1A\x1A");
    const auto table = Table::open(file, dbf::OpenMode::ReadOnly);
    const auto bad = table.read(0);
    const std::string where = "Tabulka „" + file.string() + "“, řádek 1, sloupec ";
    EXPECT_EQ(errorOf([&] { bad.number("N"); }), where + "N: hodnota „1x2“ není číslo.");
    EXPECT_EQ(errorOf([&] { bad.date("D"); }), where + "D: hodnota „20261399“ není datum.");
    EXPECT_EQ(errorOf([&] { bad.logical("L"); }), where + "L: hodnota „X“ není logická.");
    EXPECT_EQ(errorOf([&] { bad.memo("POPIS"); }),
              "Soubor poznámek „" + (dir / "t.dbt").string() +
                  "“ je poškozený: odkaz na blok 99 leží mimo soubor.");
    const auto good = table.read(1);
    EXPECT_EQ(good.integer("N"), 1);
    EXPECT_EQ(good.memo("POPIS"), "text");
}

TEST(DbfFormats, TruncatedDBase4MemoIsReportedWithoutAHugeAllocation) {
    TempDir dir;
    test::writeFile(dir / "t.dbf", rawTable(0x8B, {{"POPIS", 'M', 10}}, {"          1"}));
    std::string memo(512, '\0');
    memo[21] = 0x02;
    std::string block = std::string("\xFF\xFF\x08\x00", 4) + std::string(4, '\xFF');
    test::writeFile(dir / "t.dbt", memo + block);
    EXPECT_EQ(errorOf([&] { Table::open(dir / "t.dbf").read(0).memo("POPIS"); }),
              "Soubor poznámek „" + (dir / "t.dbt").string() +
                  "“ je poškozený: poznámka v bloku 1 sahá za konec souboru.");
}

TEST(DbfFormats, TableHeldByAnotherProcessIsReportedNotCorrupted) {
    TempDir dir;
    const auto file = dir / "html.dbf";
    test::makeTable(file, {FieldDef::character("HTMLID", 15)}, {{{"HTMLID", "1_"}}});
    const std::string before = test::readFile(file);
    whileAnotherProcessHolds(
        [&] { return std::make_shared<Table>(Table::open(file, dbf::OpenMode::Exclusive)); },
        [&] {
            EXPECT_EQ(
                errorOf([&] { Table::open(file); }),
                "Tabulku „" + file.string() +
                    "“ nelze otevřít: soubor je otevřen ve výhradním režimu jiným programem.");
        });
    whileAnotherProcessHolds(
        [&] { return std::make_shared<Table>(Table::open(file, dbf::OpenMode::ReadOnly)); },
        [&] {
            EXPECT_EQ(
                errorOf([&] { dbf::pack(file); }),
                "Tabulku „" + file.string() +
                    "“ nelze otevřít ve výhradním režimu: soubor právě používá jiný program.");
            EXPECT_THROW(dbf::addColumns(file, {FieldDef::logical("X")}), Error);
            EXPECT_NO_THROW(Table::open(file, dbf::OpenMode::ReadOnly)); // readers share
        });
    EXPECT_EQ(test::readFile(file), before);
    EXPECT_EQ(errorOf([&] { Table::open(dir / "chybi.dbf"); }),
              "Tabulku „" + (dir / "chybi.dbf").string() + "“ nelze otevřít: soubor neexistuje.");
}

} // namespace
} // namespace arkona
