#include "catalogue/item_pages.h"

#include "base/dbf/table.h"
#include "base/textcase.h"
#include "catalogue/code_set.h"
#include "catalogue/tables.h"
#include "storage/project_context.h"
#include "storage/schema.h"

#include <unordered_map>

namespace arkona::catalogue {

std::vector<std::string> pagesWithItem(const storage::ProjectContext& project,
                                       const std::string& code) {
    std::vector<std::string> pages; // HTMLID of each row first, titles afterwards
    const std::string key = CodeSet::key(code);
    if (key.empty()) {
        return pages;
    }
    {
        const auto goods =
            dbf::Table::open(projectTable(project, storage::kZbozi), dbf::OpenMode::ReadOnly);
        const int kod = goods.fieldIndex("KOD");
        const int htmlId = goods.fieldIndex("HTMLID");
        goods.field("KOD");
        goods.field("HTMLID");
        goods.scan([&](const dbf::Record& r) {
            if (CodeSet::key(r.text(kod)) == key) {
                pages.emplace_back(text::trim(r.text(htmlId)));
            }
            return true;
        });
    }
    if (pages.empty()) {
        return pages;
    }
    std::unordered_map<std::string, std::string> titles;
    for (const auto& id : pages) {
        titles.emplace(id, id);
    }
    const auto tree =
        dbf::Table::open(projectTable(project, storage::kStruktur), dbf::OpenMode::ReadOnly);
    const int htmlId = tree.fieldIndex("HTMLID");
    const int popis = tree.fieldIndex("POPIS");
    tree.field("HTMLID");
    tree.field("POPIS");
    std::unordered_map<std::string, bool> seen;
    tree.scan([&](const dbf::Record& r) {
        const std::string id(text::trim(r.text(htmlId)));
        const auto it = titles.find(id);
        if (it != titles.end() && !seen[id]) {
            seen[id] = true;
            it->second = std::string(text::trimRight(r.text(popis)));
        }
        return true;
    });
    for (auto& id : pages) {
        id = titles[id];
    }
    return pages;
}

std::string loadingPagesStatus(const std::string& itemName) {
    return "Načítám seznam stránek obsahujících zboží \"" + itemName + "\".";
}

std::string shownGroupStatus(const std::string& groupName) {
    return "Zobrazena skupina \"" + groupName + "\".";
}

std::string pageCountText(std::size_t count) {
    return "Počet stránek s tímto zbožím: " + std::to_string(count);
}

} // namespace arkona::catalogue
