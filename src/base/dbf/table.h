#pragma once

#include "base/codepage.h"
#include "base/dbf/field.h"
#include "base/locale.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace arkona::dbf {

enum class OpenMode {
    ReadOnly,  // shared lock, no writes
    Shared,    // shared lock, reads and writes
    Exclusive, // nobody else may hold the table (pack, structure changes)
};

// Language-driver marks of byte 29.
inline constexpr std::uint8_t kDriverWindows1250 = 0xC8;
inline constexpr std::uint8_t kDriverDos852 = 0x64;
inline constexpr std::uint8_t kDriverWindows1252 = 0x57;

struct TableInfo {
    std::uint8_t version = 0;
    Date lastUpdate;
    std::uint32_t recordCount = 0;
    std::uint16_t headerLength = 0;
    std::uint16_t recordLength = 0;
    std::uint8_t flags = 0;
    std::uint8_t languageDriver = 0;
};

class Table;
struct TableState;

// One row of a table: a copy of its bytes plus pending memo texts. Reading by column name or
// index gives UTF-8 text, numbers, switches and dates; setters check widths and encoding.
// A record refers to its table and must not outlive it.
class Record {
public:
    std::uint32_t recno() const { return recno_; } // 0-based position in the file
    bool deleted() const { return !raw_.empty() && raw_[0] == '*'; }

    int column(std::string_view name) const; // index, throws naming the column when missing

    bool isBlank(int col) const;
    std::string text(int col) const;                 // right-trimmed text
    std::optional<double> number(int col) const;     // nullopt when blank
    std::optional<long long> integer(int col) const; // number rounded to a whole number
    std::optional<bool> logical(int col) const;      // nullopt when blank or '?'
    std::optional<Date> date(int col) const;         // nullopt when blank
    std::string memo(int col) const;                 // empty when no memo
    // Text of any column as a person would read it (dump, display): numbers as stored,
    // dates as YYYY-MM-DD, switches as T / F, memos with their text.
    std::string display(int col) const;

    bool isBlank(std::string_view c) const { return isBlank(column(c)); }
    std::string text(std::string_view c) const { return text(column(c)); }
    std::optional<double> number(std::string_view c) const { return number(column(c)); }
    double numberOr(std::string_view c, double d = 0) const {
        return number(column(c)).value_or(d);
    }
    std::optional<long long> integer(std::string_view c) const { return integer(column(c)); }
    long long integerOr(std::string_view c, long long d = 0) const {
        return integer(column(c)).value_or(d);
    }
    std::optional<bool> logical(std::string_view c) const { return logical(column(c)); }
    bool isTrue(std::string_view c) const { return logical(column(c)).value_or(false); }
    std::optional<Date> date(std::string_view c) const { return date(column(c)); }
    std::string memo(std::string_view c) const { return memo(column(c)); }

    // Text longer than the column is refused with an error, unless `cut` is true.
    void setText(int col, std::string_view utf8, bool cut = false);
    // A number that does not fit the width is refused with an error.
    void setNumber(int col, double value);
    void setLogical(int col, bool value);
    void setDate(int col, std::optional<Date> value);
    void setMemo(int col, std::string_view utf8);
    void setBlank(int col);

    void setText(std::string_view c, std::string_view v, bool cut = false) {
        setText(column(c), v, cut);
    }
    void setNumber(std::string_view c, double v) { setNumber(column(c), v); }
    void setLogical(std::string_view c, bool v) { setLogical(column(c), v); }
    void setDate(std::string_view c, std::optional<Date> v) { setDate(column(c), v); }
    void setMemo(std::string_view c, std::string_view v) { setMemo(column(c), v); }
    void setBlank(std::string_view c) { setBlank(column(c)); }

    // The raw bytes of one column as stored (code-page bytes, blank padded).
    std::string_view rawField(int col) const;
    // Copies one column's stored bytes (and a pending memo text) from a row of a table with
    // the same structure.
    void copyField(int col, const Record& from);
    // The whole stored row: deletion flag and every column.
    std::string_view rawBytes() const { return raw_; }

private:
    friend class Table;
    friend struct TableState;
    const TableState* state_ = nullptr;
    std::uint32_t recno_ = 0;
    std::string raw_;                      // deletion flag + fields
    std::map<int, std::string> memoEdits_; // column -> new memo text (UTF-8)
    // The memo pointers are those the file held when the row was read (none copied in).
    bool pointersAsRead_ = false;
};

// A dBase table file with its memo file. Reads dBase III, dBase IV and FoxPro tables; writes
// dBase III+ with dBase III memo files (and the memo kind a table already has).
//
// Sharing. Many handles, in this process or in others, may hold one table open (shared lock;
// pack and structure changes take it exclusively). What a handle caches and when:
// - the structure (version, header and record length, columns): read once at open; only an
//   exclusive rebuild changes it, and that cannot run while the handle is open;
// - the row count: read at open and again by recordCount(), scan(), readAll(), and by read(),
//   update() and setDeleted() of a row beyond it; an append re-reads it under the header lock.
//   A handle never writes a count it did not just read under that lock, so closing a handle
//   cannot take back another's appends (close writes only the date of the last change);
// - the memo file's size: read again before a block is called out of range, and before each
//   memo append.
// Appends and memo allocation hold a write lock on the header that belongs to the open file
// description, so two handles of one process are serialised exactly like two processes.
// Opening checks, once locked, that the path still names the file it locked, and finishes a
// pack that a crash interrupted (see file_swap.h).
class Table {
public:
    // Throws arkona::Error with a message naming the file when the table cannot be opened,
    // is damaged, or is held by another program.
    static Table open(const std::filesystem::path& file, OpenMode mode = OpenMode::Shared);

    struct CreateOptions {
        std::uint8_t languageDriver = kDriverWindows1250;
    };
    // Writes a new, empty table (and an empty dBase III memo file when a column is a memo).
    // Replaces an existing file.
    static void create(const std::filesystem::path& file, const std::vector<FieldDef>& fields,
                       CreateOptions options);
    static void create(const std::filesystem::path& file, const std::vector<FieldDef>& fields) {
        create(file, fields, CreateOptions{});
    }

    Table(Table&&) noexcept;
    Table& operator=(Table&&) noexcept;
    ~Table();

    const std::filesystem::path& path() const;
    std::string displayName() const; // file name in capitals, for messages
    const TableInfo& info() const;
    text::CodePage codePage() const;
    const std::vector<FieldDef>& fields() const;
    int fieldIndex(std::string_view name) const; // -1 when the table has no such column
    bool hasField(std::string_view name) const { return fieldIndex(name) >= 0; }
    const FieldDef& field(std::string_view name) const; // throws when missing
    bool hasMemoFile() const;

    std::uint32_t recordCount() const; // rows in the file, deleted ones included

    Record blankRecord() const;
    Record read(std::uint32_t recno) const;
    // Calls `visit` for every row in file order (deleted rows only when asked), reading the file
    // in large blocks. `visit` returns false to stop.
    void scan(const std::function<bool(const Record&)>& visit, bool includeDeleted = false) const;
    std::vector<Record> readAll(bool includeDeleted = false) const;

    // Writes the record back to its position. A memo whose text is unchanged keeps its blocks,
    // a changed one that fits its old blocks is written over them, a longer one is appended.
    void update(Record& record);
    // Appends the record and returns its position.
    std::uint32_t append(Record& record);
    // Appends the records in one write and returns the position of the first.
    std::uint32_t append(std::vector<Record>& records);
    void setDeleted(std::uint32_t recno, bool deleted = true);

    void close();

private:
    explicit Table(std::unique_ptr<TableState> state);
    std::uint32_t appendRecords(const std::vector<Record*>& records);
    std::unique_ptr<TableState> state_;
};

// Whole-file operations. Each opens the table exclusively, builds the new file beside the old
// one and renames it over it, so a failure leaves the table as it was.

// Removes the rows marked deleted and the memo blocks nobody refers to.
void pack(const std::filesystem::path& file);

// One column of the new structure and where its values come from: `from` names a column of the
// old structure (values are converted, a value that no longer fits is an error), empty for a new
// column (blank).
struct ColumnPlan {
    FieldDef field;
    std::string from;
};
void restructure(const std::filesystem::path& file, const std::vector<ColumnPlan>& plan);

void addColumns(const std::filesystem::path& file, const std::vector<FieldDef>& columns);
void dropColumns(const std::filesystem::path& file, const std::vector<std::string>& names);
// Changes width (and decimals) of a column keeping its values.
void resizeColumn(const std::filesystem::path& file, std::string_view name, int width,
                  int decimals = 0);

// Clears the production-index bit of byte 28 and deletes the table's .cdx and .mdx files.
// A missing table is no error.
void resetTableIndex(const std::filesystem::path& file);

} // namespace arkona::dbf
