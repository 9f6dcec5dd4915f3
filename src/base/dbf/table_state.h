#pragma once

#include "base/dbf/file_io.h"
#include "base/dbf/memo_file.h"
#include "base/dbf/table.h"

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace arkona::dbf {

// What an open table knows about its file.
struct TableState {
    std::filesystem::path path;
    OpenMode mode = OpenMode::Shared;
    FileHandle file;
    TableInfo info;
    std::vector<FieldDef> fields;
    std::vector<size_t> offsets; // of each field within a record (after the deletion flag)
    std::unordered_map<std::string, int> byName; // upper-case name -> index
    text::CodePage codePage = text::CodePage::Windows1250;
    bool binaryMemoPointers = false; // Visual FoxPro: 4-byte block numbers
    std::optional<MemoFile> memo;
    std::filesystem::path memoPath; // expected memo file when it is missing
    bool dirty = false;

    std::string name() const; // file name for messages
    [[noreturn]] void fail(const std::string& why) const;
    [[noreturn]] void failRow(std::uint32_t recno, int col, const std::string& why) const;
    std::uint64_t recordOffset(std::uint32_t recno) const {
        return info.headerLength + static_cast<std::uint64_t>(recno) * info.recordLength;
    }
    const MemoFile& memoFile() const;
    MemoFile& memoFile();
    void writeHeaderCountAndDate();
    void checkWritable() const;
    // Writes the record's changed memos to new blocks and points its memo columns at them.
    void storeMemos(Record& record);
};

// Bytes of a new table header for these columns.
std::string buildHeader(const std::vector<FieldDef>& fields, std::uint8_t version,
                        std::uint8_t languageDriver, std::uint32_t records, const Date& date);

// The memo file that belongs to a table file (any case of .dbt / .fpt), or empty.
std::filesystem::path findMemoFile(const std::filesystem::path& table, MemoKind* kind);

// The bytes of a memo column that point at `block` (0: no memo): right-aligned digits, or a
// 4-byte number in Visual FoxPro tables.
std::string memoPointer(std::uint32_t block, int width, bool binary);

// Version byte -> does the table say it has a memo file, and which kind.
bool versionHasMemo(std::uint8_t version);
MemoKind memoKindOf(std::uint8_t version);

} // namespace arkona::dbf
