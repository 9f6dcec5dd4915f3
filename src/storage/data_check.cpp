#include "base/dbf/table.h"
#include "base/error.h"
#include "base/paths.h"
#include "storage/data_module.h"
#include "storage/schema.h"
#include "storage/statements.h"

namespace arkona::storage {

namespace {

bool blank(const dbf::Record& r, const char* column) {
    return r.isBlank(column);
}

bool zeroOrBlank(const dbf::Record& r, const char* column) {
    const auto n = r.number(column);
    return !n || *n == 0;
}

struct CheckStep {
    const char* table;
    std::function<bool(const dbf::Record&)> doomed;
};

const std::vector<CheckStep>& checkSteps() {
    static const std::vector<CheckStep> steps = {
        {"STRUKTUR.DBF",
         [](const dbf::Record& r) { return blank(r, "HTMLID") || blank(r, "PARENT"); }},
        {"HTML.DBF",
         [](const dbf::Record& r) {
             return blank(r, "HTMLID") || zeroOrBlank(r, "SEKCEID") || blank(r, "TYP");
         }},
        {"ZBOZI.DBF",
         [](const dbf::Record& r) { return blank(r, "HTMLID") || zeroOrBlank(r, "SEKCEID"); }},
        {"SKUPINY.DBF", [](const dbf::Record& r) { return zeroOrBlank(r, "SKUPID"); }},
        {"KATALOG.DBF",
         [](const dbf::Record& r) {
             // Rows the import could not take keep their blank code in group 9999 for the user.
             return zeroOrBlank(r, "SKUPID") ||
                    (blank(r, "KOD") && r.integerOr("SKUPID", 0) != kImportErrorGroup);
         }},
        {"DISTRIB.DBF", [](const dbf::Record& r) { return zeroOrBlank(r, "DISTID"); }},
        {"SESTSK.DBF",
         [](const dbf::Record& r) { return zeroOrBlank(r, "SKUPID") || blank(r, "KOD"); }},
        {"KOMPOT.DBF",
         [](const dbf::Record& r) { return zeroOrBlank(r, "SKUPID") || blank(r, "KOD"); }},
        {"PROM_SYS.DBF", [](const dbf::Record& r) { return blank(r, "HTMLID"); }},
        {"PROM_USR.DBF", [](const dbf::Record& r) { return blank(r, "HTMLID"); }},
    };
    return steps;
}

constexpr const char* kCheckText = "Čekejte prosím, probíhá kontrola datových souborů.";

} // namespace

void TData2::CheckData(Progress* progress) {
    if (progress) {
        ProgressSetup setup;
        setup.title = "Kontrola datových souborů";
        setup.message = kCheckText;
        setup.bars = ProgressBars::First;
        setup.animation = ProgressAnimation::Search;
        setup.maximum1 = static_cast<int>(checkSteps().size());
        progress->start(setup);
    }
    try {
        for (const auto& step : checkSteps()) {
            if (progress) {
                progress->setMessage(std::string(kCheckText) + "\nKontroluji soubor " + step.table +
                                     ".");
                progress->step(1);
            }
            deleteWhere(tableFile(step.table), step.doomed);
        }
    } catch (...) {
        if (progress) {
            progress->finish();
        }
        throw;
    }
    if (progress) {
        progress->finish();
    }
}

std::vector<std::string> TData2::PACK() {
    // The module's own views hold their tables open; packing needs each table to itself.
    struct OpenView {
        DataView* view;
        std::string mark;
        int position;
    };
    std::vector<OpenView> wereOpen;
    for (DataView* v : views()) {
        if (v->isOpen()) {
            wereOpen.push_back({v, v->bookmark(), v->position()});
        }
    }
    for (const auto& o : wereOpen) {
        o.view->close();
    }
    std::vector<std::string> failures;
    for (const char* name :
         {"KATALOG.DBF", "IMPORT.DBF", "HTML.DBF", "ZBOZI.DBF", "SKUPINY.DBF", "DISTRIB.DBF",
          "SESTSK.DBF", "KOMPOT.DBF", "PROM_SYS.DBF", "PROM_USR.DBF", "STRUKTUR.DBF"}) {
        const auto file = tableFile(name);
        if (status) {
            status->show("Optimalizuji datové soubory projektu (" + paths::forDisplay(file) +
                         ") ...");
        }
        try {
            dbf::pack(file);
        } catch (const Error& e) {
            // A table another program holds stays as it was; the caller decides whether to say so.
            failures.push_back(e.what());
            if (status) {
                status->show("");
            }
        }
    }
    if (status) {
        status->show("");
    }
    // Each view comes back on its row; the cascades would move the dependent views elsewhere.
    CascadeOff off(*this);
    for (const auto& o : wereOpen) {
        try {
            o.view->open();
            if (!o.view->gotoBookmark(o.mark) && o.position >= 0) {
                o.view->moveTo(o.position);
            }
        } catch (const Error& e) {
            failures.push_back(e.what()); // the next command that needs the view says it again
        }
    }
    return failures;
}

} // namespace arkona::storage
