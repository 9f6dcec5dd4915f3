#pragma once

#include "base/dbf/table.h"

#include <filesystem>
#include <initializer_list>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace arkona::test {

// A value to put into one column of a fixture row: text (also for memos), a number, a switch,
// a date, or blank.
struct Blank {};
using CellValue = std::variant<Blank, std::string, const char*, double, int, bool, Date>;
using Row = std::vector<std::pair<std::string, CellValue>>;

// Creates a table with these columns and appends the rows.
void makeTable(const std::filesystem::path& file, const std::vector<dbf::FieldDef>& fields,
               const std::vector<Row>& rows = {});

// Appends rows to an existing table.
void appendRows(const std::filesystem::path& file, const std::vector<Row>& rows);

void setCell(dbf::Record& record, const std::string& column, const CellValue& value);

} // namespace arkona::test
