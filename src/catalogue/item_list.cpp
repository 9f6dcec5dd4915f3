#include "catalogue/item_list.h"

#include "base/collation.h"
#include "base/dbf/table.h"
#include "base/textcase.h"
#include "storage/statements.h"

#include <algorithm>

namespace arkona::catalogue {

namespace {

const std::string& valueOf(const ListedItem& item, ItemField field) {
    return field == ItemField::Code ? item.kod : item.nazev;
}

} // namespace

bool startsWithNoCase(std::string_view value, std::string_view prefix) {
    return text::toUpper(value).starts_with(text::toUpper(prefix));
}

void ItemList::load(const std::filesystem::path& katalog, int group) {
    clear();
    group_ = group;
    const auto table = dbf::Table::open(katalog, dbf::OpenMode::ReadOnly);
    const storage::RowFilter ofGroup(table, {{"SKUPID", double(group)}});
    const int kod = table.fieldIndex("KOD");
    const int nazev = table.fieldIndex("NAZEV");
    table.field("KOD");
    table.field("NAZEV");
    table.scan([&](const dbf::Record& r) {
        if (ofGroup(r)) {
            items_.push_back({r.recno(), r.text(kod), r.text(nazev)});
        }
        return true;
    });
    sort();
}

void ItemList::clear() {
    items_.clear();
    folded_.clear();
    group_ = 0;
}

void ItemList::setOrder(ItemField field) {
    if (field == order_) {
        return;
    }
    order_ = field;
    sort();
}

void ItemList::sort() {
    folded_.clear();
    const auto& collator = text::CzechCollator::instance();
    std::vector<std::pair<std::string, size_t>> keys(items_.size());
    for (size_t i = 0; i < items_.size(); ++i) {
        std::string key = collator.sortKey(valueOf(items_[i], order_));
        if (order_ == ItemField::Name) {
            key += '\0';
            key += collator.sortKey(items_[i].kod);
        }
        keys[i] = {std::move(key), i};
    }
    std::stable_sort(keys.begin(), keys.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<ListedItem> sorted;
    sorted.reserve(items_.size());
    for (const auto& k : keys) {
        sorted.push_back(std::move(items_[k.second]));
    }
    items_ = std::move(sorted);
}

int ItemList::indexOfCode(std::string_view code) const {
    for (size_t i = 0; i < items_.size(); ++i) {
        if (text::codeEqualsNoCase(text::trim(items_[i].kod), text::trim(code))) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int ItemList::indexOfRecno(std::uint32_t recno) const {
    for (size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].recno == recno) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int ItemList::findPrefix(std::string_view prefix) const {
    if (prefix.empty()) {
        return -1;
    }
    if (folded_.size() != items_.size()) {
        folded_.clear();
        folded_.reserve(items_.size());
        for (const auto& item : items_) {
            folded_.push_back(text::toUpper(valueOf(item, order_)));
        }
    }
    const std::string wanted = text::toUpper(prefix);
    for (size_t i = 0; i < folded_.size(); ++i) {
        if (folded_[i].starts_with(wanted)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void CatalogueIndex::load(const std::filesystem::path& katalog) {
    entries_.clear();
    const auto table = dbf::Table::open(katalog, dbf::OpenMode::ReadOnly);
    const int kod = table.fieldIndex("KOD");
    const int nazev = table.fieldIndex("NAZEV");
    const int skupid = table.fieldIndex("SKUPID");
    entries_.reserve(table.recordCount());
    table.scan([&](const dbf::Record& r) {
        entries_.push_back(
            {r.text(kod), r.text(nazev), static_cast<int>(r.integer(skupid).value_or(0))});
        return true;
    });
    loaded_ = true;
}

void CatalogueIndex::clear() {
    entries_.clear();
    loaded_ = false;
}

std::optional<CatalogueEntry> CatalogueIndex::findFirst(ItemField field,
                                                        std::string_view prefix) const {
    if (prefix.empty()) {
        return std::nullopt;
    }
    const auto& collator = text::CzechCollator::instance();
    const std::string wanted = text::toUpper(prefix);
    const CatalogueEntry* best = nullptr;
    for (const auto& e : entries_) {
        const std::string& value = field == ItemField::Code ? e.kod : e.nazev;
        if (!text::toUpper(value).starts_with(wanted)) {
            continue;
        }
        if (!best) {
            best = &e;
            continue;
        }
        const std::string& bestValue = field == ItemField::Code ? best->kod : best->nazev;
        int c = collator.compare(value, bestValue);
        if (c == 0 && field == ItemField::Name) {
            c = collator.compare(e.kod, best->kod);
        }
        if (c < 0) {
            best = &e;
        }
    }
    if (!best) {
        return std::nullopt;
    }
    return *best;
}

} // namespace arkona::catalogue
