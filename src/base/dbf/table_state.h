#pragma once

#include "base/dbf/file_io.h"
#include "base/dbf/memo_file.h"
#include "base/dbf/table.h"

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace arkona::dbf {

// Lets the column map be searched with a string_view, without building a string per lookup.
struct NameHash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

// What an open table knows about its file.
struct TableState {
    std::filesystem::path path;
    OpenMode mode = OpenMode::Shared;
    FileHandle file;
    TableInfo info;
    std::vector<FieldDef> fields;
    std::vector<size_t> offsets; // of each field within a record (after the deletion flag)
    std::unordered_map<std::string, int, NameHash, std::equal_to<>> byName; // upper case -> index
    int columnIndex(std::string_view name) const; // -1 when missing; any letter case
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
    void writeHeaderDate();
    void checkWritable() const;
    // Reads the row count of the header again (under a shared header lock unless the caller
    // holds the header already).
    void refreshCount(bool locked = false);
    // The memo block a memo column's stored bytes point at (0: none).
    std::uint32_t blockAt(std::string_view rawField, int col, std::uint32_t recno) const;
    // Stores the record's memo edits and points its memo columns at them. `onDisk` is the row as
    // the file holds it now (null for a new row): unchanged text keeps its blocks, new text that
    // fits them is written over them, other text is appended. Call under the header write lock.
    void storeMemos(Record& record, const std::string* onDisk);
    // Turns memo pointers that are not the row's own on disk (copied from another row, or stale)
    // into edits of their text, so two rows never share memo blocks.
    void ownMemoPointers(Record& record, const std::string* onDisk) const;
    bool hasMemoColumns() const;
};

// Holds the header lock of a table file for a scope.
class HeaderLock {
public:
    HeaderLock(FileHandle& file, bool write) : file_(file) { file_.lockHeader(write); }
    ~HeaderLock() {
        try {
            file_.unlockHeader();
        } catch (...) {
            // Closing the file releases it all the same.
        }
    }
    HeaderLock(const HeaderLock&) = delete;
    HeaderLock& operator=(const HeaderLock&) = delete;

private:
    FileHandle& file_;
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
