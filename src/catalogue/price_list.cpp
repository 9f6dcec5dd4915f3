#include "catalogue/price_list.h"

#include "base/collation.h"
#include "base/dbf/table.h"
#include "base/paths.h"
#include "storage/project_context.h"
#include "storage/schema.h"

#include <algorithm>
#include <limits>
#include <map>
#include <tuple>

namespace arkona::catalogue {

namespace {

std::filesystem::path tableFile(const storage::ProjectContext& project, const char* name) {
    return paths::resolve(project.projectFolder, std::string("\\_dbf\\") + name);
}

// Order of each group: PORADI, or the group number in projects from before the group tree.
std::map<int, double> groupOrder(const std::filesystem::path& file) {
    const auto table = dbf::Table::open(file, dbf::OpenMode::ReadOnly);
    const bool ordered = table.hasField("PORADI");
    std::map<int, double> order;
    table.scan([&](const dbf::Record& r) {
        const auto id = r.integer("SKUPID");
        if (id) {
            const double position = ordered ? r.number("PORADI").value_or(double(*id)) : *id;
            order.emplace(static_cast<int>(*id), position);
        }
        return true;
    });
    return order;
}

} // namespace

std::vector<PriceListLine> priceList(const storage::ProjectContext& project,
                                     std::optional<int> group) {
    const auto order = groupOrder(tableFile(project, storage::kSkupiny));
    const auto table =
        dbf::Table::open(tableFile(project, storage::kKatalog), dbf::OpenMode::ReadOnly);
    const auto& collator = text::CzechCollator::instance();
    using Key = std::tuple<double, int, std::string>;
    std::vector<std::pair<Key, Item>> items;
    table.scan([&](const dbf::Record& r) {
        Item item = readItem(r);
        if (group && item.skupId != *group) {
            return true;
        }
        const auto it = order.find(item.skupId);
        const double position =
            it == order.end() ? std::numeric_limits<double>::infinity() : it->second;
        Key key{position, item.skupId, collator.sortKey(item.kod)};
        items.emplace_back(std::move(key), std::move(item));
        return true;
    });
    std::stable_sort(items.begin(), items.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });

    const VatRates rates = VatRates::of(project);
    std::vector<PriceListLine> lines;
    lines.reserve(items.size());
    for (auto& [key, item] : items) {
        ItemDerived derived = deriveItem(item, rates);
        lines.push_back({std::move(item), derived});
    }
    return lines;
}

} // namespace arkona::catalogue
