#include "base/error.h"
#include "cli/command.h"
#include "site/site_structure.h"
#include "storage/data_module.h"
#include "storage/project_context.h"

#include <algorithm>
#include <iostream>

namespace arkona::cli {

namespace {

const char* kTreeHelp = R"(Použití:
  arkona tree PROJEKT [--optimise]
      Vypíše strom stránek projektu: pořadí (PORADI), identifikátor, název, cestu k souboru
      stránky a u odkazu identifikátor stránky, na kterou ukazuje; podstránky jsou odsazeny.
      Poškozené řádky stromu opraví stejně jako program při otevření projektu.
      --optimise  strom nejprve přečísluje (PORADI = 1..n v pořadí stromu)
)";

// Renumbering on the command line: its title once, nothing per row.
class TitleOnlyProgress : public NoProgress {
public:
    explicit TitleOnlyProgress(std::ostream& err) : err_(err) {}
    void start(const ProgressSetup& s) override { err_ << s.title << "\n"; }

private:
    std::ostream& err_;
};

void printTree(const site::PageTree& tree, std::ostream& out) {
    long long widest = 1;
    for (const site::PageNode* node : tree.preorder()) {
        widest = std::max(widest, static_cast<long long>(node->order));
    }
    const size_t width = std::to_string(widest).size();
    for (const site::PageNode* node : tree.preorder()) {
        std::string order = std::to_string(static_cast<long long>(node->order));
        out << std::string(width - std::min(width, order.size()), ' ') << order << ' '
            << std::string(static_cast<size_t>(tree.depth(*node)) * 2, ' ') << node->id << "  "
            << node->title << "  " << node->urlPath();
        if (node->link) {
            const site::PageNode* target = tree.linkTarget(*node);
            out << "  -> " << (target ? target->id : std::string("(cíl nenalezen)"));
        }
        out << "\n";
    }
}

void reportRepairs(const site::LoadReport& report, std::ostream& err) {
    if (!report.repaired.empty()) {
        std::string ids;
        for (const auto& id : report.repaired) {
            ids += (ids.empty() ? "" : ", ") + id;
        }
        err << "arkona: opravené řádky stromu stránek: " << ids << "\n";
    }
    if (!report.cycles.empty()) {
        err << "arkona: " << site::cycleRepairedText(report.cycles) << "\n";
    }
    if (report.skipped > 0) {
        err << "arkona: řádky bez identifikátoru nebo s opakovaným identifikátorem, které strom "
               "vynechal: "
            << report.skipped << "\n";
    }
}

} // namespace

int runTree(Arguments args, Streams& io) {
    if (args.hasHelp()) {
        io.out << kTreeHelp;
        return kOk;
    }
    const bool optimise = args.takeFlag("--optimise");
    if (args.words.size() != 1 || args.words[0].starts_with("--")) {
        return badUsage(io, "tree potřebuje právě jednu složku projektu", "tree");
    }
    const std::filesystem::path folder = args.words[0];
    if (!storage::isProjectFolder(folder)) {
        throw Error("Složka „" + folder.string() +
                    "“ není projekt ArkonaPro: chybí v ní soubor ArkonaTree.ini.");
    }
    storage::ProjectContext context;
    context.setProjectFolder(folder);
    storage::readArkonaTree(context);
    context.projectOpen = true;
    storage::TData2 data;
    data.SetProjectPath(folder);
    site::SiteStructure structure(data, context);
    TitleOnlyProgress progress(io.err);
    reportRepairs(structure.load({}, progress), io.err);
    if (optimise) {
        structure.optimise(site::OptimiseKind::FromMenu, progress);
    } else if (structure.changed()) {
        io.err << "arkona: pořadí stránek (PORADI) neodpovídá stromu; přečísluje ho "
                  "„arkona tree PROJEKT --optimise“.\n";
    }
    printTree(structure.tree(), io.out);
    return kOk;
}

} // namespace arkona::cli
