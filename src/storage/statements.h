#pragma once

#include "base/dbf/table.h"
#include "storage/value.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

namespace arkona::storage {

// Statements that the storage layer runs on a table file, in the manner of
// UPDATE ... WHERE key = value. A text key matches only the whole key ("AB" never "ABC").
struct Condition {
    std::string column;
    Value value;
    bool ignoreCase = false;
};

struct Assignment {
    std::string column;
    Value value; // text also for memo columns; monostate blanks the column
};

// The error of a write operation that would not affect exactly one row.
inline constexpr const char* kUpdateFailed = "Update failed";

bool matches(const dbf::Record& record, const Condition& condition);
bool matchesAll(const dbf::Record& record, const std::vector<Condition>& conditions);
void assign(dbf::Record& record, const Assignment& assignment);

// Conditions prepared once for the rows of one table: text values are compared as the stored
// bytes, so a scan does not decode every row it rejects.
class RowFilter {
public:
    RowFilter(const dbf::Table& table, const std::vector<Condition>& where);
    bool operator()(const dbf::Record& record) const;

private:
    struct Test {
        int column = -1;
        Condition condition;
        bool text = false;
        bool unmatchable = false; // the text cannot be stored in the table's code page
        std::string bytes;        // stored form, blanks at the end removed, folded when asked
    };
    std::vector<Test> tests_;
    const std::array<unsigned char, 256>* fold_ = nullptr;
};

// Positions of the live rows that meet every condition.
std::vector<std::uint32_t> findRows(const dbf::Table& table, const std::vector<Condition>& where);

// Each of these counts first and refuses with kUpdateFailed before writing anything when the
// conditions do not select exactly one row.
void updateOne(const std::filesystem::path& file, const std::vector<Condition>& where,
               const std::vector<Assignment>& set);
void deleteOne(const std::filesystem::path& file, const std::vector<Condition>& where);
// Deletes the row at `recno` when it is live and still meets the conditions; otherwise as
// deleteOne.
void deleteAt(const std::filesystem::path& file, std::uint32_t recno,
              const std::vector<Condition>& where);
void insertRow(const std::filesystem::path& file, const std::vector<Assignment>& values);

// Marks deleted every live row for which `doomed` is true; returns how many.
int deleteWhere(const std::filesystem::path& file,
                const std::function<bool(const dbf::Record&)>& doomed);

// ---------------------------------------------------------------- many rows in one pass
//
// The statements of the price updates, the import and the bulk changes touch thousands of rows.
// Each runs as one pass over the table, whatever the number of keys: never one scan per key.

// Changes a row in place; returns false to leave it as it was.
using RowChange = std::function<bool(dbf::Record&)>;

// Calls `change` on every live row (a copy) and writes back the rows it changed; returns how
// many were written.
int updateWhere(const std::filesystem::path& file, const RowChange& change);

// The form a code takes as a batch key: blanks around it removed and, when `ignoreCase`, letter
// case folded as the code comparisons of the program fold it. "ab " and "AB" are one key when
// case is ignored; "AB" and "ABC" never are.
std::string codeKey(std::string_view code, bool ignoreCase);

// Codes and what to do with the rows that carry them, keyed by codeKey.
using ChangesByCode = std::unordered_map<std::string, RowChange>;

struct BatchResult {
    int written = 0;                              // rows written back
    std::unordered_map<std::string, int> matched; // rows met per key (keys met by none absent)
};

// One pass over `file`: every live row whose `column` holds a code of `changes` gets that
// code's change.
BatchResult updateByCode(const std::filesystem::path& file, std::string_view column,
                         bool ignoreCase, const ChangesByCode& changes);

// One pass: marks deleted every live row whose `column` holds one of `codes` (codeKey form);
// returns how many.
int deleteByCode(const std::filesystem::path& file, std::string_view column, bool ignoreCase,
                 const std::vector<std::string>& codes);

// Appends every row in one write.
void insertRows(const std::filesystem::path& file,
                const std::vector<std::vector<Assignment>>& rows);

} // namespace arkona::storage
