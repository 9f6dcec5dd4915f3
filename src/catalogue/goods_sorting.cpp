#include "catalogue/goods_sorting.h"

#include "base/collation.h"
#include "base/dbf/table.h"
#include "base/textcase.h"
#include "catalogue/derived_values.h"
#include "catalogue/tables.h"
#include "storage/project_context.h"
#include "storage/schema.h"
#include "storage/statements.h"

#include <algorithm>
#include <unordered_map>
#include <variant>

namespace arkona::catalogue {

namespace {

using SortKey = std::variant<double, std::string>;

struct Entry {
    std::uint32_t recno = 0;
    int poradi = 0;
    SortKey key;
};

// The key a row sorts by: names and codes by Czech collation (as the views order text), prices
// by the shown, rounded value (a row without a price counts as 0).
SortKey keyOf(const dbf::Record& r, GoodsSort sort) {
    switch (sort) {
    case GoodsSort::ByName:
        return text::CzechCollator::instance().sortKey(r.text("NAZEV"));
    case GoodsSort::ByCode:
        return text::CzechCollator::instance().sortKey(text::trim(r.text("KOD")));
    case GoodsSort::ByNetPrice:
    case GoodsSort::ByGrossPrice: {
        const ProductDerived d = deriveProduct(r.numberOr("P_CENA"), r.numberOr("P_CENA_DPH"),
                                               r.numberOr("SLEVA"), r.text("ROUND"));
        return sort == GoodsSort::ByNetPrice ? d.TMP_P_CENA : d.TMP_P_CENA_DPH;
    }
    case GoodsSort::None:
        break;
    }
    return 0.0;
}

} // namespace

GoodsSort goodsSortOf(std::string_view field) {
    const std::string f = text::toUpper(text::trim(field));
    if (f == "NAZEV") {
        return GoodsSort::ByName;
    }
    if (f == "KOD") {
        return GoodsSort::ByCode;
    }
    if (f == "TMP_P_CENA") {
        return GoodsSort::ByNetPrice;
    }
    if (f == "TMP_P_CENA_DPH") {
        return GoodsSort::ByGrossPrice;
    }
    return GoodsSort::None;
}

bool sortSection(const storage::ProjectContext& project, const SectionKey& section, GoodsSort sort,
                 StatusLine& status) {
    if (sort == GoodsSort::None) {
        return false;
    }
    status.show(kSortingStatus);
    const auto file = projectTable(project, storage::kZbozi);
    std::vector<Entry> entries;
    {
        const auto table = dbf::Table::open(file, dbf::OpenMode::ReadOnly);
        const storage::RowFilter inSection(
            table, {{"HTMLID", section.htmlId}, {"SEKCEID", static_cast<double>(section.sekceId)}});
        table.scan([&](const dbf::Record& r) {
            if (inSection(r)) {
                entries.push_back(
                    {r.recno(), static_cast<int>(r.integerOr("PORADI", 0)), keyOf(r, sort)});
            }
            return true;
        });
    }
    // The previous order first, so that rows with equal keys keep it.
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return a.poradi < b.poradi; });
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return a.key < b.key; });
    std::unordered_map<std::uint32_t, int> positions;
    positions.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        positions.emplace(entries[i].recno, static_cast<int>(i) + 1);
    }
    storage::updateWhere(file, [&](dbf::Record& r) {
        const auto it = positions.find(r.recno());
        if (it == positions.end() || r.integerOr("PORADI", 0) == it->second) {
            return false;
        }
        r.setNumber("PORADI", it->second);
        return true;
    });
    status.show("");
    return true;
}

} // namespace arkona::catalogue
