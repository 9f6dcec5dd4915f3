#include "base/error.h"
#include "cli/cli_support.h"
#include "cli/command.h"
#include "site/section_types.h"
#include "storage/data_module.h"
#include "storage/schema.h"
#include "storage/statements.h"

#include <algorithm>
#include <ostream>

namespace arkona::cli {

namespace {

const char* kSectionsHelp = R"(Použití:
  arkona sections PROJEKT [--page HTMLID]
      Vypíše sekce stránky (bez --page sekce všech stránek v pořadí stromu):
      pořadí, číslo sekce, typ, popis a šablonu (u sekcí se šablonou).
)";

struct Page {
    std::string id;
    std::string title;
    double order = 0;
};

std::vector<Page> pagesOf(const storage::TData2& data) {
    std::vector<Page> pages;
    const auto table =
        dbf::Table::open(data.tableFile(storage::kStruktur), dbf::OpenMode::ReadOnly);
    table.scan([&](const dbf::Record& r) {
        if (!r.isTrue("LINK")) {
            pages.push_back({r.text("HTMLID"), r.text("POPIS"), r.numberOr("PORADI")});
        }
        return true;
    });
    std::stable_sort(pages.begin(), pages.end(),
                     [](const Page& a, const Page& b) { return a.order < b.order; });
    return pages;
}

void printSections(std::ostream& out, const Page& page, const std::vector<dbf::Record>& rows) {
    out << "Stránka " << page.id << " „" << page.title << "“\n";
    std::vector<const dbf::Record*> sections;
    for (const auto& r : rows) {
        if (r.text("HTMLID") == page.id) {
            sections.push_back(&r);
        }
    }
    std::stable_sort(sections.begin(), sections.end(), [](const auto* a, const auto* b) {
        return a->numberOr("PORADI") < b->numberOr("PORADI");
    });
    if (sections.empty()) {
        out << "  (žádné sekce)\n";
    }
    for (const auto* s : sections) {
        const std::string typ = s->text("TYP");
        std::string line =
            "  " + s->display(s->column("PORADI")) + ". sekce " + s->display(s->column("SEKCEID")) +
            ", " + (site::sectionTypeName(typ).empty() ? "bez typu" : site::sectionTypeName(typ));
        if (!s->text("POPIS").empty()) {
            line += ": " + s->text("POPIS");
        }
        if (!site::templateExtensionOf(typ).empty()) {
            const std::string sabid = s->text("SABID");
            line += " (šablona " +
                    (sabid.empty() ? site::defaultTemplateOf(typ) + ", výchozí" : sabid) + ")";
        }
        out << line << "\n";
    }
}

} // namespace

int runSections(Arguments args, Streams& io) {
    if (args.hasHelp()) {
        io.out << kSectionsHelp;
        return kOk;
    }
    std::string page;
    if (auto it = std::find(args.words.begin(), args.words.end(), "--page");
        it != args.words.end()) {
        if (it + 1 == args.words.end()) {
            return badUsage(io, "za --page chybí identifikátor stránky", "sections");
        }
        page = *(it + 1);
        args.words.erase(it, it + 2);
    }
    if (args.words.size() != 1 || args.words[0].starts_with("--")) {
        return badUsage(io, "sections potřebuje právě jednu složku projektu", "sections");
    }
    storage::TData2 data;
    data.SetProjectPath(projectArgument(args.words[0]));
    auto pages = pagesOf(data);
    if (!page.empty()) {
        const auto it =
            std::find_if(pages.begin(), pages.end(), [&](const Page& p) { return p.id == page; });
        if (it == pages.end()) {
            throw Error("Stránka „" + page + "“ v projektu není.");
        }
        pages = {*it};
    }
    const auto html = dbf::Table::open(data.tableFile(storage::kHtml), dbf::OpenMode::ReadOnly);
    const auto rows = html.readAll();
    for (const auto& p : pages) {
        printSections(io.out, p, rows);
    }
    return kOk;
}

} // namespace arkona::cli
