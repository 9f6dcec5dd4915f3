#include "support/table_builder.h"

namespace arkona::test {

void setCell(dbf::Record& record, const std::string& column, const CellValue& value) {
    const int col = record.column(column);
    std::visit(
        [&](const auto& v) {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, Blank>) {
                record.setBlank(col);
            } else if constexpr (std::is_same_v<T, std::string> || std::is_same_v<T, const char*>) {
                record.setText(col, v);
            } else if constexpr (std::is_same_v<T, double> || std::is_same_v<T, int>) {
                record.setNumber(col, static_cast<double>(v));
            } else if constexpr (std::is_same_v<T, bool>) {
                record.setLogical(col, v);
            } else {
                record.setDate(col, v);
            }
        },
        value);
}

void appendRows(const std::filesystem::path& file, const std::vector<Row>& rows) {
    auto table = dbf::Table::open(file);
    for (const auto& row : rows) {
        auto record = table.blankRecord();
        for (const auto& [column, value] : row) {
            setCell(record, column, value);
        }
        table.append(record);
    }
}

void makeTable(const std::filesystem::path& file, const std::vector<dbf::FieldDef>& fields,
               const std::vector<Row>& rows) {
    dbf::Table::create(file, fields);
    if (!rows.empty()) {
        appendRows(file, rows);
    }
}

} // namespace arkona::test
