// Our tables read by dBase readers nobody here wrote, and their tables read by us.
#include "base/dbf/table.h"
#include "support/table_builder.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace arkona {
namespace {

using dbf::FieldDef;
using test::TempDir;

const std::string kScripts = std::string(ARKONA_TEST_DATA_DIR) + "/interop/";
const std::string kCzech = "Příliš žluťoučký kůň úpěl ďábelské ódy";

std::string python(const std::string& script, const std::filesystem::path& file) {
    const auto r = test::runCommand("/usr/bin/python3 " + test::shellQuote(kScripts + script) +
                                    " " + test::shellQuote(file.string()));
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return r.out;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        out.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return out;
}

// A table of ours with every column type, Czech text, a long memo, a deleted and a blank row.
std::filesystem::path writeOurTable(const TempDir& dir, const std::string& longMemo) {
    const auto file = dir / "katalog.dbf";
    test::makeTable(file,
                    {FieldDef::character("KOD", 20), FieldDef::character("NAZEV", 100),
                     FieldDef::numeric("CENA", 12, 2), FieldDef::numeric("KS", 4),
                     FieldDef::logical("OK"), FieldDef::date("DATUM"), FieldDef::memo("POPIS")},
                    {{{"KOD", "A-1"},
                      {"NAZEV", kCzech},
                      {"CENA", 1234.5},
                      {"KS", 12},
                      {"OK", true},
                      {"DATUM", Date{2026, 12, 9}},
                      {"POPIS", "Krátký popis\r\nna dva řádky"}},
                     {{"KOD", "SMAZ"}, {"NAZEV", "smazaný"}, {"POPIS", "pryč"}},
                     {{"KOD", "B-2"},
                      {"NAZEV", "Šňůra"},
                      {"CENA", -0.5},
                      {"KS", -999},
                      {"OK", false},
                      {"POPIS", longMemo}},
                     {{"KOD", "C-3"}}});
    dbf::Table::open(file).setDeleted(1);
    return file;
}

std::string longMemo() {
    std::string m;
    while (m.size() < 70000) {
        m += "Dlouhý popis zboží – řádek " + std::to_string(m.size()) + "\r\n";
    }
    return m;
}

std::string jsonEscaped(const std::string& s) {
    std::string out;
    for (char c : s) {
        if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else {
            out += c;
        }
    }
    return out;
}

TEST(DbfInterop, DbfreadReadsOurTable) {
    TempDir dir;
    const std::string memo = longMemo();
    const auto out = lines(python("read_dbfread.py", writeOurTable(dir, memo)));
    ASSERT_EQ(out.size(), 4u);
    EXPECT_EQ(out[0], R"({"encoding": "cp1250"})");
    EXPECT_EQ(out[1],
              R"({"CENA": 1234.5, "DATUM": "2026-12-09", "KOD": "A-1", "KS": 12, "NAZEV": ")" +
                  kCzech + R"(", "OK": true, "POPIS": "Krátký popis\r\nna dva řádky"})");
    EXPECT_EQ(
        out[2],
        R"({"CENA": -0.5, "DATUM": null, "KOD": "B-2", "KS": -999, "NAZEV": "Šňůra", "OK": false, "POPIS": ")" +
            jsonEscaped(memo) + R"("})");
    EXPECT_EQ(
        out[3],
        R"({"CENA": null, "DATUM": null, "KOD": "C-3", "KS": null, "NAZEV": "", "OK": null, "POPIS": null})");
}

TEST(DbfInterop, PythonDbfReadsOurTableWithTheDeletedRow) {
    TempDir dir;
    const std::string memo = longMemo();
    const auto out = lines(python("read_dbf.py", writeOurTable(dir, memo)));
    ASSERT_EQ(out.size(), 5u);
    EXPECT_EQ(out[0], R"({"codepage": "cp1250"})");
    EXPECT_EQ(
        out[1],
        R"({"_deleted": false, "cena": 1234.5, "datum": "2026-12-09", "kod": "A-1", "ks": 12, "nazev": ")" +
            kCzech + R"(", "ok": true, "popis": "Krátký popis\r\nna dva řádky"})");
    EXPECT_EQ(
        out[2],
        R"({"_deleted": true, "cena": null, "datum": null, "kod": "SMAZ", "ks": null, "nazev": "smazaný", "ok": null, "popis": "pryč"})");
    EXPECT_EQ(
        out[3],
        R"({"_deleted": false, "cena": -0.5, "datum": null, "kod": "B-2", "ks": -999, "nazev": "Šňůra", "ok": false, "popis": ")" +
            jsonEscaped(memo) + R"("})");
    EXPECT_EQ(
        out[4],
        R"({"_deleted": false, "cena": null, "datum": null, "kod": "C-3", "ks": null, "nazev": "", "ok": null, "popis": ""})");
}

TEST(DbfInterop, PgdbfReadsOurTableAndMemos) {
    TempDir dir;
    const std::string memo = longMemo();
    const auto file = writeOurTable(dir, memo);
    const auto r =
        test::runCommand("pgdbf -s cp1250 -m " + test::shellQuote((dir / "katalog.dbt").string()) +
                         " " + test::shellQuote(file.string()));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto out = lines(r.out);
    std::vector<std::string> rows;
    bool inCopy = false;
    for (const auto& line : out) {
        if (line == "\\.") {
            inCopy = false;
        } else if (inCopy) {
            rows.push_back(line);
        } else if (line.starts_with("\\COPY") || line.starts_with("COPY")) {
            inCopy = true;
        }
    }
    ASSERT_EQ(rows.size(), 3u) << r.out.substr(0, 2000);
    // COPY text format: tab separated, \N for null, \r and \n escaped.
    EXPECT_EQ(rows[0],
              "A-1\t" + kCzech + "\t1234.50\t12\tt\t2026-12-09\tKrátký popis\\r\\nna dva řádky");
    std::string escapedMemo;
    for (char c : memo) {
        escapedMemo += c == '\r'   ? std::string("\\r")
                       : c == '\n' ? std::string("\\n")
                                   : std::string(1, c);
    }
    EXPECT_EQ(rows[1], "B-2\tŠňůra\t-0.50\t-999\tf\t\\N\t" + escapedMemo);
    EXPECT_TRUE(rows[2].starts_with("C-3\t\t")) << rows[2];
}

TEST(DbfInterop, WeReadATableWrittenByPythonDbf) {
    TempDir dir;
    const auto file = dir / "cizi.dbf";
    python("write_dbf.py", file);
    const auto table = dbf::Table::open(file, dbf::OpenMode::ReadOnly);
    EXPECT_EQ(table.info().version, 0x83);
    EXPECT_EQ(table.info().languageDriver, 0xC8);
    ASSERT_EQ(table.recordCount(), 4u);
    const auto a = table.read(0);
    EXPECT_EQ(a.text("KOD"), "A-1");
    EXPECT_EQ(a.text("NAZEV"), kCzech);
    EXPECT_DOUBLE_EQ(*a.number("CENA"), 1234.5);
    EXPECT_EQ(a.integer("KS"), 12);
    EXPECT_EQ(a.logical("SKLADEM"), true);
    EXPECT_EQ(a.date("DATUM"), (Date{2026, 12, 9}));
    EXPECT_EQ(a.memo("POPIS"), "Popis s diakritikou: ěščřžýáíé ĚŠČŘŽÝÁÍÉ ůú ďťň\r\ndruhý řádek");
    const auto b = table.read(1);
    EXPECT_EQ(b.text("NAZEV"), "Šňůra");
    EXPECT_DOUBLE_EQ(*b.number("CENA"), 0.99);
    EXPECT_EQ(b.integer("KS"), 0);
    EXPECT_EQ(b.logical("SKLADEM"), false);
    EXPECT_EQ(b.memo("POPIS"), std::string(70000, 'x'));
    const auto c = table.read(2);
    EXPECT_EQ(c.number("CENA"), std::nullopt);
    EXPECT_EQ(c.memo("POPIS"), "");
    EXPECT_TRUE(table.read(3).deleted());
    int live = 0;
    table.scan([&](const dbf::Record&) { return ++live, true; });
    EXPECT_EQ(live, 3);
}

TEST(DbfInterop, DumpCommandPrintsATableWrittenByPythonDbf) {
    TempDir dir;
    const auto file = dir / "cizi.dbf";
    python("write_dbf.py", file);
    const auto r = test::runCommand(std::string(ARKONA_CLI_PATH) + " table dump --csv " +
                                    test::shellQuote(file.string()));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto out = lines(r.out);
    ASSERT_EQ(out.size(), 5u); // header, three rows, the memo's second line
    EXPECT_EQ(out[0], "KOD,NAZEV,CENA,KS,SKLADEM,DATUM,POPIS");
    EXPECT_EQ(out[1],
              "A-1," + kCzech +
                  ",1234.50,12,T,2026-12-09,\"Popis s diakritikou: ěščřžýáíé ĚŠČŘŽÝÁÍÉ ůú ďťň\r");
    EXPECT_EQ(out[2], "druhý řádek\"");
    EXPECT_EQ(out[3], "B-2,Šňůra,0.99,0,F,," + std::string(70000, 'x'));
    EXPECT_EQ(out[4], "C-3,,,,,,");
}

} // namespace
} // namespace arkona
