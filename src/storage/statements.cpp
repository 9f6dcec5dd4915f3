#include "storage/statements.h"

#include "base/codepage.h"
#include "base/error.h"
#include "base/textcase.h"

#include <cmath>
#include <map>
#include <mutex>
#include <optional>
#include <unordered_set>

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

// ---------------------------------------------------------------- RowFilter

namespace {

std::string_view trimStored(std::string_view s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) {
        s.remove_suffix(1);
    }
    return s;
}

// Upper case of every single byte of a code page, as the program's case folding has it.
const std::array<unsigned char, 256>& foldTable(text::CodePage page) {
    static std::mutex guard;
    static std::map<text::CodePage, std::array<unsigned char, 256>> tables;
    std::lock_guard lock(guard);
    auto it = tables.find(page);
    if (it == tables.end()) {
        std::array<unsigned char, 256> t{};
        for (int b = 0; b < 256; ++b) {
            t[static_cast<size_t>(b)] = static_cast<unsigned char>(b);
            try {
                const std::string upper = text::fromUtf8(
                    text::toUpper(text::toUtf8(std::string(1, char(b)), page)), page);
                if (upper.size() == 1) {
                    t[static_cast<size_t>(b)] = static_cast<unsigned char>(upper[0]);
                }
            } catch (const Error&) {
                // No single-byte partner: the byte stands for itself.
            }
        }
        it = tables.emplace(page, t).first;
    }
    return it->second;
}

std::string folded(std::string_view bytes, const std::array<unsigned char, 256>& fold) {
    std::string out(bytes);
    for (char& c : out) {
        c = static_cast<char>(fold[static_cast<unsigned char>(c)]);
    }
    return out;
}

} // namespace

RowFilter::RowFilter(const dbf::Table& table, const std::vector<Condition>& where) {
    for (const auto& c : where) {
        Test t;
        t.column = table.fieldIndex(c.column);
        if (t.column < 0) {
            table.field(c.column); // reports the missing column
        }
        t.condition = c;
        const auto& f = table.fields()[static_cast<size_t>(t.column)];
        if (const auto* s = std::get_if<std::string>(&c.value); s && f.isCharacter()) {
            t.text = true;
            try {
                t.bytes = std::string(trimStored(text::fromUtf8(*s, table.codePage())));
            } catch (const Error&) {
                t.unmatchable = true;
            }
            while (!t.bytes.empty() && t.bytes.back() == ' ') {
                t.bytes.pop_back();
            }
            if (c.ignoreCase) {
                fold_ = &foldTable(table.codePage());
                t.bytes = folded(t.bytes, *fold_);
            }
        }
        tests_.push_back(std::move(t));
    }
}

bool RowFilter::operator()(const dbf::Record& record) const {
    for (const auto& t : tests_) {
        if (!t.text) {
            if (!matches(record, t.condition)) {
                return false;
            }
            continue;
        }
        if (t.unmatchable) {
            return false;
        }
        const std::string_view stored = trimStored(record.rawField(t.column));
        if (stored.size() != t.bytes.size()) {
            return false;
        }
        if (!t.condition.ignoreCase) {
            if (stored != t.bytes) {
                return false;
            }
            continue;
        }
        for (size_t i = 0; i < stored.size(); ++i) {
            if ((*fold_)[static_cast<unsigned char>(stored[i])] !=
                static_cast<unsigned char>(t.bytes[i])) {
                return false;
            }
        }
    }
    return true;
}

// ---------------------------------------------------------------- single rows

std::vector<std::uint32_t> findRows(const dbf::Table& table, const std::vector<Condition>& where) {
    const RowFilter filter(table, where);
    std::vector<std::uint32_t> found;
    table.scan([&](const dbf::Record& r) {
        if (filter(r)) {
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
    insertRows(file, {values});
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

// ---------------------------------------------------------------- many rows in one pass

int updateWhere(const std::filesystem::path& file, const RowChange& change) {
    auto table = dbf::Table::open(file);
    int written = 0;
    // Rows are written as the pass goes: each lies in a block the scan has already read.
    table.scan([&](const dbf::Record& r) {
        dbf::Record copy = r;
        if (change(copy)) {
            table.update(copy);
            ++written;
        }
        return true;
    });
    return written;
}

std::string codeKey(std::string_view code, bool ignoreCase) {
    const std::string_view trimmed = text::trim(code);
    return ignoreCase ? text::toUpper(trimmed) : std::string(trimmed);
}

namespace {

// Codes as the table stores them, so a pass compares bytes without decoding every row.
class StoredCodes {
public:
    StoredCodes(const dbf::Table& table, bool ignoreCase) {
        if (ignoreCase) {
            fold_ = &foldTable(table.codePage());
        }
        page_ = table.codePage();
    }
    // The stored form of a key, or nothing when the code page cannot hold it.
    std::optional<std::string> encode(std::string_view key) const {
        try {
            return fold(text::fromUtf8(key, page_));
        } catch (const Error&) {
            return std::nullopt;
        }
    }
    // The key of a stored value into `key`: blanks around it removed, folded when asked.
    const std::string& keyOf(std::string_view raw, std::string& key) const {
        while (!raw.empty() && isBlank(raw.front())) {
            raw.remove_prefix(1);
        }
        while (!raw.empty() && isBlank(raw.back())) {
            raw.remove_suffix(1);
        }
        key.assign(raw);
        if (fold_) {
            for (char& c : key) {
                c = static_cast<char>((*fold_)[static_cast<unsigned char>(c)]);
            }
        }
        return key;
    }

private:
    static bool isBlank(char c) {
        return c == ' ' || c == '\0' || c == '\t' || c == '\r' || c == '\n';
    }
    std::string fold(std::string bytes) const {
        if (fold_) {
            for (char& c : bytes) {
                c = static_cast<char>((*fold_)[static_cast<unsigned char>(c)]);
            }
        }
        return bytes;
    }
    const std::array<unsigned char, 256>* fold_ = nullptr;
    text::CodePage page_ = text::CodePage::Windows1250;
};

} // namespace

BatchResult updateByCode(const std::filesystem::path& file, std::string_view column,
                         bool ignoreCase, const ChangesByCode& changes) {
    BatchResult result;
    if (changes.empty()) {
        return result;
    }
    auto table = dbf::Table::open(file);
    table.field(column); // reports a missing column
    const int col = table.fieldIndex(column);
    const StoredCodes codes(table, ignoreCase);
    struct Wanted {
        const std::string* key;
        const RowChange* change;
        int met = 0;
    };
    std::vector<Wanted> keys;
    keys.reserve(changes.size());
    std::unordered_map<std::string, size_t> byStored;
    for (const auto& [key, change] : changes) {
        if (auto stored = codes.encode(key)) {
            byStored.emplace(std::move(*stored), keys.size());
            keys.push_back({&key, &change});
        }
    }
    std::string key;
    table.scan([&](const dbf::Record& r) {
        const auto it = byStored.find(codes.keyOf(r.rawField(col), key));
        if (it == byStored.end()) {
            return true;
        }
        Wanted& w = keys[it->second];
        ++w.met;
        dbf::Record copy = r;
        if ((*w.change)(copy)) {
            table.update(copy);
            ++result.written;
        }
        return true;
    });
    for (const auto& w : keys) {
        if (w.met > 0) {
            result.matched.emplace(*w.key, w.met);
        }
    }
    return result;
}

int deleteByCode(const std::filesystem::path& file, std::string_view column, bool ignoreCase,
                 const std::vector<std::string>& codes) {
    if (codes.empty()) {
        return 0;
    }
    auto table = dbf::Table::open(file);
    table.field(column);
    const int col = table.fieldIndex(column);
    const StoredCodes stored(table, ignoreCase);
    std::unordered_set<std::string> doomed;
    for (const auto& code : codes) {
        if (auto bytes = stored.encode(code)) {
            doomed.insert(std::move(*bytes));
        }
    }
    std::vector<std::uint32_t> rows;
    std::string key;
    table.scan([&](const dbf::Record& r) {
        if (doomed.count(stored.keyOf(r.rawField(col), key))) {
            rows.push_back(r.recno());
        }
        return true;
    });
    for (auto recno : rows) {
        table.setDeleted(recno);
    }
    return static_cast<int>(rows.size());
}

void insertRows(const std::filesystem::path& file,
                const std::vector<std::vector<Assignment>>& rows) {
    if (rows.empty()) {
        return;
    }
    auto table = dbf::Table::open(file);
    std::vector<dbf::Record> records;
    records.reserve(rows.size());
    for (const auto& values : rows) {
        auto record = table.blankRecord();
        for (const auto& a : values) {
            assign(record, a);
        }
        records.push_back(std::move(record));
    }
    table.append(records);
}

} // namespace arkona::storage
