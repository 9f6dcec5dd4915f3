#include "storage/data_view.h"

#include "base/collation.h"
#include "base/error.h"
#include "base/textcase.h"
#include "storage/statements.h"

#include <algorithm>
#include <limits>
#include <variant>

namespace arkona::storage {

namespace {

constexpr std::uint32_t kNotStored = std::numeric_limits<std::uint32_t>::max();

std::string upper(std::string_view s) {
    return text::toUpper(s);
}

// Sort key of one column of one row: numbers numerically (blank first), text by Czech collation.
using SortKey = std::variant<double, std::string>;

SortKey sortKey(const dbf::Record& r, int col, bool numeric) {
    if (numeric) {
        return r.number(col).value_or(-std::numeric_limits<double>::infinity());
    }
    return text::CzechCollator::instance().sortKey(r.text(col));
}

} // namespace

DataView::DataView(ViewDefinition definition) : definition_(std::move(definition)) {}

void DataView::bind(const std::filesystem::path& tableFile) {
    close();
    tableFile_ = tableFile;
}

void DataView::setParameter(std::string_view column, Value value) {
    parameters_[upper(column)] = std::move(value);
}

const Value& DataView::parameter(std::string_view column) const {
    static const Value blank;
    auto it = parameters_.find(upper(column));
    return it == parameters_.end() ? blank : it->second;
}

void DataView::setRowFilter(std::function<bool(const dbf::Record&)> filter) {
    rowFilter_ = std::move(filter);
}

dbf::Table& DataView::table() {
    if (!table_) {
        throw Error("Pohled " + definition_.name + " není otevřen.");
    }
    return *table_;
}

void DataView::load() {
    if (tableFile_.empty()) {
        throw Error("Pohled " + definition_.name + " není připojen k žádnému projektu.");
    }
    if (!table_) {
        table_.emplace(dbf::Table::open(tableFile_, definition_.kind == ViewKind::ReadOnly
                                                        ? dbf::OpenMode::ReadOnly
                                                        : dbf::OpenMode::Shared));
    }
    std::vector<Condition> where;
    if (filterEnabled_) {
        for (const auto& column : definition_.parameters) {
            where.push_back({column, parameter(column)});
        }
    }
    rows_.clear();
    const RowFilter selected(*table_, where);
    table_->scan([&](const dbf::Record& r) {
        if (selected(r) && (!rowFilter_ || rowFilter_(r))) {
            rows_.push_back(r);
        }
        return true;
    });
    if (!definition_.order.empty() && rows_.size() > 1) {
        std::vector<int> cols;
        std::vector<bool> numeric;
        for (const auto& c : definition_.order) {
            table_->field(c); // reports a missing column
            cols.push_back(table_->fieldIndex(c));
            numeric.push_back(table_->field(c).isNumeric());
        }
        std::vector<std::pair<std::vector<SortKey>, size_t>> keys;
        keys.reserve(rows_.size());
        for (size_t i = 0; i < rows_.size(); ++i) {
            std::vector<SortKey> k;
            for (size_t c = 0; c < cols.size(); ++c) {
                k.push_back(sortKey(rows_[i], cols[c], numeric[c]));
            }
            keys.emplace_back(std::move(k), i);
        }
        std::stable_sort(keys.begin(), keys.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        std::vector<dbf::Record> sorted;
        sorted.reserve(rows_.size());
        for (const auto& k : keys) {
            sorted.push_back(std::move(rows_[k.second]));
        }
        rows_ = std::move(sorted);
    }
}

void DataView::open() {
    if (open_) {
        return;
    }
    load();
    open_ = true;
    editing_ = inserting_ = false;
    fire(opened_);
    setPosition(rows_.empty() ? -1 : 0, true);
}

void DataView::close() {
    const bool wasOpen = open_;
    open_ = false;
    editing_ = inserting_ = false;
    saved_.reset();
    rows_.clear();
    position_ = -1;
    table_.reset();
    if (wasOpen) {
        fire(closed_);
    }
}

void DataView::refresh() {
    if (!open_) {
        open();
        return;
    }
    const std::uint32_t recno =
        position_ >= 0 ? rows_[static_cast<size_t>(position_)].recno() : kNotStored;
    load();
    editing_ = inserting_ = false;
    int found = rows_.empty() ? -1 : 0;
    for (size_t i = 0; i < rows_.size(); ++i) {
        if (rows_[i].recno() == recno) {
            found = static_cast<int>(i);
            break;
        }
    }
    setPosition(found, true);
}

void DataView::setPosition(int position, bool notify) {
    if (editing_) {
        post();
    }
    const int clamped = rows_.empty() ? -1 : std::clamp(position, 0, rowCount() - 1);
    const bool changed = clamped != position_;
    position_ = clamped;
    if (notify || changed) {
        fire(rowChanged_);
    }
}

void DataView::first() {
    bof_ = true;
    eof_ = rows_.empty();
    setPosition(0, false);
}

void DataView::next() {
    bof_ = false;
    if (position_ + 1 >= rowCount()) {
        if (editing_) {
            post();
        }
        eof_ = true;
        return;
    }
    eof_ = false;
    setPosition(position_ + 1, false);
}

void DataView::prior() {
    eof_ = false;
    if (position_ <= 0) {
        bof_ = true;
        return;
    }
    bof_ = false;
    setPosition(position_ - 1, false);
}

void DataView::last() {
    eof_ = true;
    bof_ = rows_.empty();
    setPosition(rowCount() - 1, false);
}

void DataView::moveTo(int position) {
    eof_ = bof_ = false;
    setPosition(position, false);
}

bool DataView::locate(std::string_view column, const Value& value, LocateOptions options) {
    if (!open_ || rows_.empty()) {
        return false;
    }
    const int col = rows_.front().column(column);
    for (size_t i = 0; i < rows_.size(); ++i) {
        const auto& r = rows_[i];
        bool hit = false;
        if (const auto* s = std::get_if<std::string>(&value)) {
            const std::string stored{text::trimRight(r.text(col))};
            if (options.partialKey) {
                const std::string a = options.caseInsensitive ? text::toUpper(stored) : stored;
                const std::string b = options.caseInsensitive ? text::toUpper(*s) : *s;
                hit = a.starts_with(std::string(text::trimRight(b)));
            } else {
                hit = options.caseInsensitive ? text::codeEqualsNoCase(stored, *s)
                                              : text::codeEquals(stored, *s);
            }
        } else {
            hit = matches(r, {std::string(column), value});
        }
        if (hit) {
            eof_ = bof_ = false;
            setPosition(static_cast<int>(i), false);
            return true;
        }
    }
    return false;
}

std::string DataView::bookmark() const {
    if (!open_ || position_ < 0 || !table_) {
        return {};
    }
    const auto signature = [this](const dbf::Record& r) {
        std::string mark;
        const auto& fields = table_->fields();
        for (size_t c = 0; c < fields.size(); ++c) {
            if (!fields[c].isMemo()) {
                mark += r.rawField(static_cast<int>(c));
            }
        }
        return mark;
    };
    return signature(rows_[static_cast<size_t>(position_)]);
}

bool DataView::gotoBookmark(const std::string& mark) {
    if (!open_ || mark.empty()) {
        return false;
    }
    const auto& fields = table_->fields();
    for (size_t i = 0; i < rows_.size(); ++i) {
        std::string candidate;
        for (size_t c = 0; c < fields.size(); ++c) {
            if (!fields[c].isMemo()) {
                candidate += rows_[i].rawField(static_cast<int>(c));
            }
        }
        if (candidate == mark) {
            moveTo(static_cast<int>(i));
            return true;
        }
    }
    return false;
}

const dbf::Record& DataView::current() const {
    if (!open_) {
        throw Error("Pohled " + definition_.name + " není otevřen.");
    }
    if (position_ < 0) {
        throw Error("Pohled " + definition_.name + " neobsahuje žádný řádek.");
    }
    return rows_[static_cast<size_t>(position_)];
}

void DataView::addCalculatedColumns(CalculatedColumns provider) {
    calculatedColumns_.push_back(std::move(provider));
}

Value DataView::calculated(std::string_view column) const {
    return calculated(position(), column);
}

Value DataView::calculated(int position, std::string_view column) const {
    current(); // reports a closed or empty view
    if (position < 0 || position >= rowCount()) {
        throw Error("Pohled " + definition_.name + " nemá řádek " + std::to_string(position + 1) +
                    ".");
    }
    const auto& row = rows_[static_cast<size_t>(position)];
    for (const auto& provider : calculatedColumns_) {
        if (auto value = provider(row, column)) {
            return *value;
        }
    }
    throw Error("Pohled " + definition_.name + " nemá počítaný sloupec " + std::string(column) +
                ".");
}

dbf::Record& DataView::editRow(std::string_view column) {
    if (definition_.kind == ViewKind::ReadOnly) {
        throw Error("Pohled " + definition_.name + " je jen pro čtení.");
    }
    current();
    auto& row = rows_[static_cast<size_t>(position_)];
    if (!editing_) {
        editing_ = true;
        saved_ = row;
        changedColumns_.clear();
    }
    const int col = row.column(column);
    if (std::find(changedColumns_.begin(), changedColumns_.end(), col) == changedColumns_.end()) {
        changedColumns_.push_back(col);
    }
    return row;
}

void DataView::insert() {
    if (definition_.kind == ViewKind::ReadOnly) {
        throw Error("Pohled " + definition_.name + " je jen pro čtení.");
    }
    if (!open_) {
        throw Error("Pohled " + definition_.name + " není otevřen.");
    }
    if (editing_) {
        post();
    }
    rows_.push_back(table().blankRecord());
    position_ = rowCount() - 1;
    editing_ = inserting_ = true;
    saved_.reset();
    changedColumns_.clear();
    eof_ = bof_ = false;
    fire(rowChanged_);
}

void DataView::setText(std::string_view c, std::string_view v) {
    editRow(c).setText(c, v);
}
void DataView::setNumber(std::string_view c, double v) {
    editRow(c).setNumber(c, v);
}
void DataView::setLogical(std::string_view c, bool v) {
    editRow(c).setLogical(c, v);
}
void DataView::setDate(std::string_view c, std::optional<Date> v) {
    editRow(c).setDate(c, v);
}
void DataView::setMemo(std::string_view c, std::string_view v) {
    editRow(c).setMemo(c, v);
}
void DataView::setBlank(std::string_view c) {
    editRow(c).setBlank(c);
}
void DataView::setValue(std::string_view c, const Value& v) {
    assign(editRow(c), {std::string(c), v});
}

void DataView::post() {
    if (!editing_) {
        return;
    }
    fire(beforePost_);
    auto& row = rows_[static_cast<size_t>(position_)];
    if (definition_.kind == ViewKind::Direct) {
        auto& t = table();
        if (inserting_) {
            t.append(row);
        } else {
            // Only the columns this edit set: another view may have changed the others. A row
            // deleted meanwhile is not brought back; the edit stays for the user to see.
            if (row.recno() >= t.recordCount()) {
                throw Error(kUpdateFailed);
            }
            auto fresh = t.read(row.recno());
            if (fresh.deleted()) {
                throw Error(kUpdateFailed);
            }
            for (int col : changedColumns_) {
                fresh.copyField(col, row);
            }
            t.update(fresh);
            row = t.read(row.recno());
        }
    }
    editing_ = inserting_ = false;
    saved_.reset();
    changedColumns_.clear();
    fire(afterPost_);
}

void DataView::cancel() {
    if (!editing_) {
        return;
    }
    if (inserting_) {
        rows_.erase(rows_.begin() + position_);
        editing_ = inserting_ = false;
        setPosition(position_, true);
        return;
    }
    rows_[static_cast<size_t>(position_)] = *saved_;
    editing_ = false;
    saved_.reset();
    changedColumns_.clear();
}

void DataView::remove() {
    if (definition_.kind == ViewKind::ReadOnly) {
        throw Error("Pohled " + definition_.name + " je jen pro čtení.");
    }
    current();
    if (inserting_) {
        cancel();
        return;
    }
    if (editing_) {
        cancel();
    }
    fire(beforeDelete_);
    if (position_ < 0) {
        return; // a handler emptied the view
    }
    if (definition_.kind == ViewKind::Direct) {
        table().setDeleted(rows_[static_cast<size_t>(position_)].recno());
    }
    dropCurrent();
    fire(afterDelete_);
}

void DataView::dropCurrent() {
    current();
    editing_ = inserting_ = false;
    rows_.erase(rows_.begin() + position_);
    const int next = rows_.empty() ? -1 : std::min(position_, rowCount() - 1);
    position_ = -2; // force the change notification
    setPosition(next, true);
}

int DataView::connect(Handlers& handlers, Handler h) {
    const int id = nextHandler_++;
    handlers.emplace(id, std::move(h));
    return id;
}

void DataView::disconnect(int id) {
    for (auto* h : {&rowChanged_, &beforePost_, &afterPost_, &beforeDelete_, &afterDelete_,
                    &opened_, &closed_}) {
        h->erase(id);
    }
}

void DataView::fire(Handlers& handlers) {
    // A handler may connect or disconnect others; run over a copy.
    const auto copy = handlers;
    for (const auto& [id, h] : copy) {
        h(*this);
    }
}

} // namespace arkona::storage
