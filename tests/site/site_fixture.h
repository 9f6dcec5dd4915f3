#pragma once

#include "base/dbf/table.h"
#include "site/page_rows.h"
#include "site/site_structure.h"
#include "storage/data_module.h"
#include "storage/project_context.h"
#include "storage/schema.h"
#include "support/project_fixture.h"
#include "support/recorders.h"
#include "support/table_builder.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace arkona::site::test {

using arkona::test::Row;

// An empty project with helpers to fill its page table and read the rows back.
class SiteFixture : public ::testing::Test {
protected:
    arkona::test::TempDir dir;
    std::filesystem::path project = arkona::test::makeEmptyProject(dir.path());
    storage::ProjectContext context;
    storage::TData2 data;
    arkona::test::ScriptedPrompter prompter;
    arkona::test::RecordingProgress progress;

    SiteFixture() {
        context.setProjectFolder(project);
        context.projectName = "Zkouška";
        context.projectOpen = true;
        data.SetProjectPath(project);
    }

    std::filesystem::path table(const char* name) const { return project / "_dbf" / name; }
    std::filesystem::path struktur() const { return table(storage::kStruktur); }

    struct Page {
        std::string id;
        double poradi;
        std::string parent = "0_";
        std::string src = {};
        bool link = false;
        std::string path = {};
        std::string disk = {};
        std::string title = {};
        bool expand = false;
    };
    void addPages(const std::vector<Page>& pages) {
        std::vector<Row> rows;
        for (const auto& p : pages) {
            const long long n = pageNumberOf(p.id);
            rows.push_back({{"HTMLID", p.id},
                            {"N_HTMLID", static_cast<double>(n)},
                            {"PORADI", p.poradi},
                            {"PARENT", p.parent},
                            {"SRC", p.src.empty() ? "s" + std::to_string(n) : p.src},
                            {"POPIS", p.title.empty() ? "Stránka " + p.id : p.title},
                            {"PATH", p.path},
                            {"DISK", p.disk},
                            {"LINK", p.link},
                            {"EXPAND", p.expand}});
        }
        arkona::test::appendRows(struktur(), rows);
    }
    // Pages 1 to 6 at the top level, as every project has them.
    void addFixedPages() {
        addPages({{"1_", 1, "0_", "hlavni"},
                  {"2_", 2, "0_", "uvod"},
                  {"3_", 3, "0_", "navigace"},
                  {"4_", 4, "0_", "kosik"},
                  {"5_", 5, "0_", "objednavka"},
                  {"6_", 6, "0_", "odeslano"}});
    }

    // Live rows of a table: the given columns as shown by a dump, joined by "|".
    std::vector<std::string> rows(const char* name, std::vector<const char*> columns) const {
        std::vector<std::string> out;
        dbf::Table::open(table(name), dbf::OpenMode::ReadOnly).scan([&](const dbf::Record& r) {
            std::string line;
            for (const char* c : columns) {
                line += (line.empty() ? "" : "|") + r.display(r.column(c));
            }
            out.push_back(line);
            return true;
        });
        return out;
    }
    // HTMLID:PORADI of every live page row, in file order.
    std::vector<std::string> orders() const {
        std::vector<std::string> out;
        for (const auto& row : readPageRows(struktur())) {
            out.push_back(row.id + ":" + std::to_string(static_cast<long long>(*row.order)));
        }
        return out;
    }
    // The tree as "id" per node in walk order, indented by depth.
    static std::vector<std::string> shape(const PageTree& tree) {
        std::vector<std::string> out;
        for (const PageNode* n : tree.preorder()) {
            out.push_back(std::string(static_cast<size_t>(tree.depth(*n)) * 2, ' ') + n->id);
        }
        return out;
    }
    // True when every stored PORADI is the page's 1-based place in the walk of a fresh load.
    bool storedInWalkOrder() const {
        LoadReport report;
        const PageTree fresh = loadPageTree(struktur(), report);
        return report.repaired.empty() && fresh.numbered();
    }
};

} // namespace arkona::site::test
