#include "templates/page_choices.h"

#include "base/dbf/table.h"
#include "base/paths.h"
#include "base/textcase.h"
#include "storage/schema.h"

#include <algorithm>
#include <map>

namespace arkona::templates {

std::string pageUrl(std::string_view path, std::string_view src) {
    return std::string(text::trim(path)) + "/" + std::string(text::trim(src)) + ".htm";
}

std::vector<PageChoice> pagesInTreeOrder(const std::filesystem::path& projectFolder) {
    struct Row {
        long long order;
        std::string parent;
        PageChoice page;
    };
    std::vector<Row> rows;
    const auto file = paths::resolve(projectFolder, std::string("_dbf\\") + storage::kStruktur);
    const dbf::Table table = dbf::Table::open(file, dbf::OpenMode::ReadOnly);
    table.scan([&](const dbf::Record& r) {
        if (!r.isTrue("LINK")) {
            rows.push_back({r.integerOr("PORADI"),
                            std::string(text::trim(r.text("PARENT"))),
                            {std::string(text::trim(r.text("HTMLID"))), r.text("POPIS"),
                             pageUrl(r.text("PATH"), r.text("SRC")), 0}});
        }
        return true;
    });
    std::stable_sort(rows.begin(), rows.end(),
                     [](const Row& a, const Row& b) { return a.order < b.order; });

    std::map<std::string, std::string> parentOf;
    for (const Row& row : rows) {
        parentOf[row.page.htmlId] = row.parent;
    }
    std::vector<PageChoice> pages;
    for (Row& row : rows) {
        // Walk up to the root; a damaged table with a cycle stops after as many steps as pages.
        std::string parent = row.parent;
        for (std::size_t steps = 0; steps < rows.size(); ++steps) {
            const auto up = parentOf.find(parent);
            if (up == parentOf.end()) {
                break;
            }
            ++row.page.depth;
            parent = up->second;
        }
        pages.push_back(std::move(row.page));
    }
    return pages;
}

} // namespace arkona::templates
