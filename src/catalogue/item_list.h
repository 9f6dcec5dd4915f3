#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace arkona::catalogue {

// The column the catalogue window sorts and searches by: "Kód zboží" or "Název zboží".
enum class ItemField { Code, Name };

// One line of the item list: only what the list shows, and where the row lies.
struct ListedItem {
    std::uint32_t recno = 0;
    std::string kod;
    std::string nazev;
};

// Whether `value` starts with `prefix`, letter case ignored.
bool startsWithNoCase(std::string_view value, std::string_view prefix);

// The items of one group as the catalogue window lists them. Loading reads code and name of the
// group's rows in one pass and sorts once (Czech collation; names tie by code); prices and
// descriptions are read only for the current item.
class ItemList {
public:
    void load(const std::filesystem::path& katalog, int group);
    void clear();

    int group() const { return group_; }
    ItemField order() const { return order_; }
    // Sorts by the field (once; a list already in that order stays as it is).
    void setOrder(ItemField field);

    int size() const { return static_cast<int>(items_.size()); }
    bool empty() const { return items_.empty(); }
    const ListedItem& at(int index) const { return items_[static_cast<size_t>(index)]; }
    const std::vector<ListedItem>& items() const { return items_; }

    // The item with this code (exact, letter case ignored), or -1.
    int indexOfCode(std::string_view code) const;
    int indexOfRecno(std::uint32_t recno) const;
    // The first item in list order whose value of the sort field starts with `prefix`, letter
    // case ignored; -1 when none does or the prefix is empty.
    int findPrefix(std::string_view prefix) const;

private:
    void sort();

    int group_ = 0;
    ItemField order_ = ItemField::Code;
    std::vector<ListedItem> items_;
    mutable std::vector<std::string> folded_; // upper-case values of the sort field, on demand
};

// The whole catalogue as the search "Vyhledávat v celém katalogu" reads it, once.
struct CatalogueEntry {
    std::string kod;
    std::string nazev;
    int group = 0;
};

class CatalogueIndex {
public:
    void load(const std::filesystem::path& katalog);
    bool loaded() const { return loaded_; }
    void clear();
    int size() const { return static_cast<int>(entries_.size()); }
    // The first item, in the order of the field, whose value starts with `prefix` (letter case
    // ignored).
    std::optional<CatalogueEntry> findFirst(ItemField field, std::string_view prefix) const;

private:
    std::vector<CatalogueEntry> entries_;
    bool loaded_ = false;
};

} // namespace arkona::catalogue
