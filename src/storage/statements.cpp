#include "storage/statements.h"

#include "base/error.h"
#include "base/textcase.h"

#include <cmath>

namespace arkona::storage {

bool matches(const dbf::Record& record, const Condition& condition) {
    const int col = record.column(condition.column);
    return std::visit(
        [&](const auto& v) -> bool {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::monostate>) {
                return record.isBlank(col);
            } else if constexpr (std::is_same_v<T, std::string>) {
                const std::string stored = record.text(col);
                return condition.ignoreCase ? text::codeEqualsNoCase(stored, v)
                                            : text::codeEquals(stored, v);
            } else if constexpr (std::is_same_v<T, double>) {
                const auto n = record.number(col);
                return n && std::fabs(*n - v) < 1e-9;
            } else if constexpr (std::is_same_v<T, bool>) {
                return record.logical(col).value_or(false) == v;
            } else {
                return record.date(col) == std::optional<Date>(v);
            }
        },
        condition.value);
}

bool matchesAll(const dbf::Record& record, const std::vector<Condition>& conditions) {
    for (const auto& c : conditions) {
        if (!matches(record, c)) {
            return false;
        }
    }
    return true;
}

void assign(dbf::Record& record, const Assignment& assignment) {
    const int col = record.column(assignment.column);
    std::visit(
        [&](const auto& v) {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::monostate>) {
                record.setBlank(col);
            } else if constexpr (std::is_same_v<T, std::string>) {
                record.setText(col, v);
            } else if constexpr (std::is_same_v<T, double>) {
                record.setNumber(col, v);
            } else if constexpr (std::is_same_v<T, bool>) {
                record.setLogical(col, v);
            } else {
                record.setDate(col, v);
            }
        },
        assignment.value);
}

std::vector<std::uint32_t> findRows(const dbf::Table& table, const std::vector<Condition>& where) {
    std::vector<std::uint32_t> found;
    table.scan([&](const dbf::Record& r) {
        if (matchesAll(r, where)) {
            found.push_back(r.recno());
        }
        return true;
    });
    return found;
}

namespace {

std::uint32_t theOnlyRow(const dbf::Table& table, const std::vector<Condition>& where) {
    const auto rows = findRows(table, where);
    if (rows.size() != 1) {
        throw Error(kUpdateFailed);
    }
    return rows.front();
}

} // namespace

void updateOne(const std::filesystem::path& file, const std::vector<Condition>& where,
               const std::vector<Assignment>& set) {
    auto table = dbf::Table::open(file);
    auto record = table.read(theOnlyRow(table, where));
    for (const auto& a : set) {
        assign(record, a);
    }
    table.update(record);
}

void deleteOne(const std::filesystem::path& file, const std::vector<Condition>& where) {
    auto table = dbf::Table::open(file);
    table.setDeleted(theOnlyRow(table, where));
}

void deleteAt(const std::filesystem::path& file, std::uint32_t recno,
              const std::vector<Condition>& where) {
    auto table = dbf::Table::open(file);
    if (recno < table.recordCount()) {
        const auto record = table.read(recno);
        if (!record.deleted() && matchesAll(record, where)) {
            table.setDeleted(recno);
            return;
        }
    }
    table.setDeleted(theOnlyRow(table, where));
}

void insertRow(const std::filesystem::path& file, const std::vector<Assignment>& values) {
    auto table = dbf::Table::open(file);
    auto record = table.blankRecord();
    for (const auto& a : values) {
        assign(record, a);
    }
    table.append(record);
}

int deleteWhere(const std::filesystem::path& file,
                const std::function<bool(const dbf::Record&)>& doomed) {
    auto table = dbf::Table::open(file);
    std::vector<std::uint32_t> rows;
    table.scan([&](const dbf::Record& r) {
        if (doomed(r)) {
            rows.push_back(r.recno());
        }
        return true;
    });
    for (auto recno : rows) {
        table.setDeleted(recno);
    }
    return static_cast<int>(rows.size());
}

} // namespace arkona::storage
