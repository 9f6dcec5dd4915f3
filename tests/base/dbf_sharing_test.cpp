// Several handles, threads and processes on one table, and crashes in the middle of a pack.
#include "base/dbf/file_io.h"
#include "base/dbf/file_swap.h"
#include "base/dbf/table.h"
#include "base/error.h"
#include "support/other_process.h"
#include "support/table_builder.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace arkona {
namespace {

using dbf::FieldDef;
using dbf::OpenMode;
using dbf::Table;
using test::TempDir;

std::vector<FieldDef> fields() {
    return {FieldDef::character("KOD", 12), FieldDef::numeric("N", 8), FieldDef::memo("POPIS")};
}

// Code and memo of every live row, in file order.
std::vector<std::pair<std::string, std::string>> rowsOf(const std::filesystem::path& file) {
    std::vector<std::pair<std::string, std::string>> rows;
    Table::open(file, OpenMode::ReadOnly).scan([&](const dbf::Record& r) {
        rows.emplace_back(r.text("KOD"), r.memo("POPIS"));
        return true;
    });
    return rows;
}

void appendRow(Table& table, const std::string& code, const std::string& memo) {
    auto r = table.blankRecord();
    r.setText("KOD", code);
    r.setMemo("POPIS", memo);
    table.append(r);
}

std::vector<std::string> leftovers(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder)) {
        const auto name = e.path().filename().string();
        if (name.find(".arkona-") != std::string::npos) {
            names.push_back(name);
        }
    }
    return names;
}

class TwoHandles : public ::testing::TestWithParam<bool> {};

// One handle edits a row, the other appends; whichever closes last, the new row stays and the
// next append comes after it.
TEST_P(TwoHandles, KeepEveryAppendWhicheverClosesLast) {
    TempDir dir;
    const auto file = dir / "t.dbf";
    test::makeTable(file, fields(),
                    {{{"KOD", "A"}, {"POPIS", "a"}},
                     {{"KOD", "B"}, {"POPIS", "b"}},
                     {{"KOD", "C"}, {"POPIS", "c"}}});
    {
        std::optional<Table> editor(Table::open(file));
        std::optional<Table> adder(Table::open(file));
        auto row = editor->read(1);
        row.setNumber("N", 7);
        editor->update(row);
        appendRow(*adder, "D", "d");
        if (GetParam()) {
            adder.reset();
            editor.reset();
        } else {
            editor.reset();
            adder.reset();
        }
    }
    {
        auto table = Table::open(file);
        EXPECT_EQ(table.recordCount(), 4u);
        appendRow(table, "E", "e");
    }
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"A", "a"}, {"B", "b"}, {"C", "c"}, {"D", "d"}, {"E", "e"}};
    EXPECT_EQ(rowsOf(file), expected);
    EXPECT_EQ(Table::open(file).read(1).integerOr("N"), 7);
}

INSTANTIATE_TEST_SUITE_P(CloseOrder, TwoHandles, ::testing::Bool());

TEST(DbfSharing, AnOpenHandleSeesRowsAndMemosAnotherHandleWrote) {
    TempDir dir;
    const auto file = dir / "t.dbf";
    test::makeTable(file, fields(), {{{"KOD", "A"}, {"POPIS", "krátký"}}});
    const auto reader = Table::open(file, OpenMode::ReadOnly);
    ASSERT_EQ(reader.readAll().size(), 1u);
    {
        auto writer = Table::open(file);
        for (int i = 0; i < 5; ++i) {
            appendRow(writer, "N" + std::to_string(i), std::string(900, 'a' + i));
        }
        auto first = writer.read(0);
        first.setMemo("POPIS", "dlouhý " + std::string(2000, 'z')); // moves to the end
        writer.update(first);
    }
    const auto rows = reader.readAll();
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(reader.recordCount(), 6u);
    EXPECT_EQ(rows[5].memo("POPIS"), std::string(900, 'e'));
    EXPECT_EQ(reader.read(0).memo("POPIS"), "dlouhý " + std::string(2000, 'z'));
}

// Each writer appends rows with memos; every row and every memo survives.
void appendMany(const std::filesystem::path& file, const std::string& prefix, int count) {
    auto table = Table::open(file);
    for (int i = 0; i < count; ++i) {
        const std::string code = prefix + std::to_string(i);
        appendRow(table, code, i % 7 == 0 ? "memo " + code : "");
    }
}

void expectAllRows(const std::filesystem::path& file, const std::vector<std::string>& prefixes,
                   int count) {
    const auto rows = rowsOf(file);
    ASSERT_EQ(rows.size(), prefixes.size() * static_cast<size_t>(count));
    std::map<std::string, std::string> byCode(rows.begin(), rows.end());
    ASSERT_EQ(byCode.size(), rows.size()); // no row written over another
    for (const auto& p : prefixes) {
        for (int i = 0; i < count; ++i) {
            const std::string code = p + std::to_string(i);
            ASSERT_TRUE(byCode.count(code)) << code;
            EXPECT_EQ(byCode[code], i % 7 == 0 ? "memo " + code : "") << code;
        }
    }
}

TEST(DbfSharing, TwoProcessesAppendingAtOnceKeepEveryRow) {
    TempDir dir;
    const auto file = dir / "t.dbf";
    Table::create(file, fields());
    std::vector<pid_t> children;
    for (const char* prefix : {"P", "Q"}) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            try {
                appendMany(file, prefix, 2000);
            } catch (const std::exception& e) {
                fprintf(stderr, "%s\n", e.what());
                _exit(1);
            }
            _exit(0);
        }
        children.push_back(child);
    }
    for (pid_t child : children) {
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    expectAllRows(file, {"P", "Q"}, 2000);
}

TEST(DbfSharing, TwoHandlesOfOneProcessAppendingFromTwoThreadsKeepEveryRow) {
    TempDir dir;
    const auto file = dir / "t.dbf";
    Table::create(file, fields());
    std::thread first([&] { appendMany(file, "S", 1000); });
    std::thread second([&] { appendMany(file, "T", 1000); });
    first.join();
    second.join();
    expectAllRows(file, {"S", "T"}, 1000);
}

TEST(DbfSharing, UnchangedSavesDoNotGrowTheMemoFile) {
    TempDir dir;
    const auto file = dir / "t.dbf";
    test::makeTable(
        file, fields(),
        {{{"KOD", "A"}, {"POPIS", std::string(1500, 'p')}}, {{"KOD", "B"}, {"POPIS", "druhý"}}});
    const auto memo = dir / "t.dbt";
    const auto size = std::filesystem::file_size(memo);
    for (int i = 0; i < 10; ++i) {
        auto table = Table::open(file);
        auto r = table.read(0);
        r.setNumber("N", i);
        r.setMemo("POPIS", std::string(1500, 'p'));
        table.update(r);
    }
    EXPECT_EQ(std::filesystem::file_size(memo), size);
    // A shorter text stays in the blocks of the old one.
    {
        auto table = Table::open(file);
        auto r = table.read(0);
        r.setMemo("POPIS", "kratší");
        table.update(r);
    }
    EXPECT_EQ(std::filesystem::file_size(memo), size);
    const std::vector<std::pair<std::string, std::string>> expected = {{"A", "kratší"},
                                                                       {"B", "druhý"}};
    EXPECT_EQ(rowsOf(file), expected);
}

// A row copied with its memo pointer gets blocks of its own, so writing one row's memo over its
// blocks never changes the other's.
TEST(DbfSharing, ACopiedRowNeverSharesMemoBlocks) {
    TempDir dir;
    const auto file = dir / "t.dbf";
    test::makeTable(file, fields(), {{{"KOD", "A"}, {"POPIS", "společný text"}}});
    {
        auto table = Table::open(file);
        auto copy = table.blankRecord();
        const auto original = table.read(0);
        for (int col = 0; col < 3; ++col) {
            copy.copyField(col, original);
        }
        copy.setText("KOD", "B");
        table.append(copy);
        auto b = table.read(1);
        b.setMemo("POPIS", "jen B");
        table.update(b);
    }
    const std::vector<std::pair<std::string, std::string>> expected = {{"A", "společný text"},
                                                                       {"B", "jen B"}};
    EXPECT_EQ(rowsOf(file), expected);
}

// A pack that dies at any step leaves a table that opens with all its live rows and memos.
class InterruptedPack : public ::testing::TestWithParam<int> {};

TEST_P(InterruptedPack, LeavesTheOldOrTheNewPairWhole) {
    const int step = GetParam();
    TempDir dir;
    const auto file = dir / "t.dbf";
    std::vector<test::Row> rows;
    for (int i = 0; i < 60; ++i) {
        rows.push_back({{"KOD", "K" + std::to_string(i)},
                        {"POPIS", i % 3 == 0 ? std::string(700, 'a' + i % 26) : ""}});
    }
    test::makeTable(file, fields(), rows);
    {
        auto table = Table::open(file);
        for (std::uint32_t i = 0; i < 60; i += 2) {
            table.setDeleted(i);
        }
    }
    const auto before = rowsOf(file);
    ASSERT_EQ(before.size(), 30u);

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        dbf::testing::setSwapStepHook([step](int reached) {
            if (reached == step) {
                _exit(0); // the crash: no clean-up of any kind
            }
        });
        try {
            dbf::pack(file);
        } catch (...) {
            _exit(2);
        }
        _exit(3); // the hook never fired
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0) << "the pack did not reach step " << step;

    std::vector<std::string> notices;
    dbf::setRepairNotice([&](const std::string& text) { notices.push_back(text); });
    const auto after = rowsOf(file);
    dbf::setRepairNotice({});
    EXPECT_EQ(after, before);
    EXPECT_TRUE(leftovers(dir.path()).empty()) << leftovers(dir.path()).front();
    ASSERT_EQ(notices.size(), 1u);
    const std::string name = dbf::oldFileOf(file).parent_path().string();
    if (step >= 2) {
        EXPECT_NE(notices[0].find("byla dokončena, data jsou v pořádku."), std::string::npos)
            << notices[0];
        // The finished pack dropped the deleted rows and their memo blocks.
        EXPECT_EQ(Table::open(file).recordCount(), 30u);
    } else {
        EXPECT_NE(notices[0].find("byla vrácena zpět, data zůstala beze změny."), std::string::npos)
            << notices[0];
        EXPECT_EQ(Table::open(file).recordCount(), 60u);
    }
    // Whatever happened, the table packs cleanly afterwards.
    dbf::pack(file);
    EXPECT_EQ(rowsOf(file), before);
}

INSTANTIATE_TEST_SUITE_P(AtEveryStep, InterruptedPack, ::testing::Range(0, 7));

TEST(DbfSharing, AnOpenerWaitsWhileAnotherProcessSwapsAndThenSeesTheNewTable) {
    TempDir dir;
    const auto file = dir / "t.dbf";
    test::makeTable(file, fields(),
                    {{{"KOD", "A"}, {"POPIS", "a"}}, {{"KOD", "B"}, {"POPIS", "b"}}});
    Table::open(file).setDeleted(0);
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(ready[0]);
        // Stop half way through the swap for a moment, as a slow disk would.
        dbf::testing::setSwapStepHook([&](int reached) {
            if (reached == 3) {
                char c = 1;
                (void)!write(ready[1], &c, 1);
                usleep(300 * 1000);
            }
        });
        dbf::pack(file);
        _exit(0);
    }
    close(ready[1]);
    char c = 0;
    ASSERT_EQ(read(ready[0], &c, 1), 1);
    // The table is renamed away right now; opening waits for the swap instead of failing.
    const auto rows = rowsOf(file);
    const std::vector<std::pair<std::string, std::string>> expected = {{"B", "b"}};
    EXPECT_EQ(rows, expected);
    EXPECT_EQ(Table::open(file).recordCount(), 1u);
    waitpid(child, nullptr, 0);
    close(ready[0]);
}

TEST(DbfSharing, NotANumberInANumericColumnIsDamage) {
    TempDir dir;
    const auto file = dir / "t.dbf";
    test::makeTable(file, fields(), {{{"KOD", "A"}, {"N", 5}}, {{"KOD", "B"}, {"N", 6}}});
    const auto table = Table::open(file, OpenMode::ReadOnly);
    const auto offsetOfN = table.info().headerLength + 1 + 12;
    {
        dbf::FileHandle raw;
        ASSERT_TRUE(raw.open(file, true));
        raw.writeAt(offsetOfN, "     nan");
        raw.writeAt(offsetOfN + table.info().recordLength, "    -inf");
    }
    EXPECT_EQ(test::errorOf([&] { table.read(0).number("N"); }),
              "Tabulka „" + file.string() + "“, řádek 1, sloupec N: hodnota „nan“ není číslo.");
    EXPECT_EQ(test::errorOf([&] { table.read(1).number("N"); }),
              "Tabulka „" + file.string() + "“, řádek 2, sloupec N: hodnota „-inf“ není číslo.");
}

} // namespace
} // namespace arkona
