#pragma once

#include "base/dbf/table.h"
#include "storage/value.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
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

} // namespace arkona::storage
