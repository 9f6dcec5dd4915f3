#include "base/error.h"
#include "base/locale.h"
#include "cli/cli_support.h"
#include "cli/command.h"
#include "generator/generation_options.h"
#include "generator/generation_run.h"
#include "generator/progress_texts.h"
#include "site/site_structure.h"
#include "storage/data_module.h"
#include "storage/project_context.h"

#include <algorithm>
#include <csignal>
#include <optional>
#include <ostream>

namespace arkona::cli {

namespace {

using generator::GenerationScope;

const char* kGenerateHelp = R"(Použití:
  arkona generate PROJEKT [--scope all|section|branch|page] [--page HTMLID]
      Vygeneruje stránky webu projektu do jeho složky WWW stejně jako dialog
      „Generování HTML“, s volbami uloženými v ArkonaTree.ini ([Generate]).
      Změněný strom stránek nejprve přečísluje.
      --scope all      všechny stránky (výchozí)
      --scope section  aktuální oddíl: stránka nejvyšší úrovně nad --page se vším pod ní
      --scope branch   aktuální větev: stránka --page se vším pod ní
      --scope page     pouze stránka --page (také --page bez --scope)
      Průběh se vypisuje na standardní chybový výstup, souhrn na standardní výstup.
      Ctrl+C zastaví generování po dokončení rozpracované stránky.
      Návratový kód 1, když se některou stránku nepodařilo zapsat nebo bylo generování
      přerušeno.
)";

volatile std::sig_atomic_t interrupted = 0;

extern "C" void onInterrupt(int) {
    interrupted = 1;
}

// Ctrl+C asks the run to stop between two pages while the object lives.
class InterruptStops {
public:
    InterruptStops() {
        interrupted = 0;
        previous_ = std::signal(SIGINT, onInterrupt);
    }
    ~InterruptStops() { std::signal(SIGINT, previous_); }
    InterruptStops(const InterruptStops&) = delete;
    InterruptStops& operator=(const InterruptStops&) = delete;

private:
    void (*previous_)(int) = SIG_DFL;
};

// Messages of the run on stderr; questions take their default answer.
class StderrPrompter : public Prompter {
public:
    explicit StderrPrompter(std::ostream& err) : err_(err) {}
    Answer ask(MessageKind, Buttons, const std::string& text, Answer defaultAnswer) override {
        std::string lines = text;
        std::replace(lines.begin(), lines.end(), '\r', '\n');
        err_ << "arkona: " << lines << "\n";
        return defaultAnswer;
    }

private:
    std::ostream& err_;
};

// The state line whenever the percentage moves on, so that a large site gives about a hundred
// lines.
class StderrDisplay : public generator::GenerationDisplay {
public:
    StderrDisplay(std::ostream& err, generator::SiteGeneration& run) : err_(err), run_(run) {}
    void pageStarted(const std::string& file, const std::string&,
                     const std::string& state) override {
        const long long total = run_.total();
        const long long percent = generator::roundedPercent(total - run_.remaining(), total);
        if (percent != lastPercent_) {
            lastPercent_ = percent;
            err_ << state.substr(1) << "  " << file.substr(1) << "\n";
        }
    }
    void idle() override {
        if (interrupted) {
            run_.requestStop();
        }
    }

private:
    std::ostream& err_;
    generator::SiteGeneration& run_;
    long long lastPercent_ = -1;
};

std::optional<std::string> takeValue(Arguments& args, const std::string& option, bool& missing) {
    const auto it = std::find(args.words.begin(), args.words.end(), option);
    if (it == args.words.end()) {
        return std::nullopt;
    }
    if (it + 1 == args.words.end()) {
        missing = true;
        args.words.erase(it);
        return std::nullopt;
    }
    std::string value = *(it + 1);
    args.words.erase(it, it + 2);
    return value;
}

std::optional<GenerationScope> scopeNamed(const std::string& name) {
    if (name == "all") {
        return GenerationScope::All;
    }
    if (name == "section") {
        return GenerationScope::Section;
    }
    if (name == "branch") {
        return GenerationScope::Branch;
    }
    if (name == "page") {
        return GenerationScope::Page;
    }
    return std::nullopt;
}

void reportRepairs(const site::LoadReport& report, std::ostream& err) {
    for (const auto& id : report.repaired) {
        err << "arkona: opravený řádek stromu stránek: " << id << "\n";
    }
    if (!report.cycles.empty()) {
        err << "arkona: " << site::cycleRepairedText(report.cycles) << "\n";
    }
}

} // namespace

int runGenerate(Arguments args, Streams& io) {
    if (args.hasHelp()) {
        io.out << kGenerateHelp;
        return kOk;
    }
    bool missing = false;
    const auto scopeText = takeValue(args, "--scope", missing);
    const auto page = takeValue(args, "--page", missing);
    if (missing) {
        return badUsage(io, "za --scope a --page patří hodnota", "generate");
    }
    // A page named without a scope is that page alone.
    const auto scope = scopeNamed(scopeText.value_or(page ? "page" : "all"));
    if (!scope) {
        return badUsage(io, "neznámý rozsah „" + *scopeText + "“ (all, section, branch, page)",
                        "generate");
    }
    if (*scope != GenerationScope::All && !page) {
        return badUsage(io, "rozsah „" + *scopeText + "“ potřebuje --page HTMLID", "generate");
    }
    if (*scope == GenerationScope::All && page) {
        return badUsage(io, "rozsah „all“ žádnou stránku nepotřebuje", "generate");
    }
    if (args.words.size() != 1 || args.words[0].starts_with("--")) {
        return badUsage(io, "generate potřebuje právě jednu složku projektu", "generate");
    }
    const auto folder = projectArgument(args.words[0]);

    storage::ProjectContext context;
    context.setProjectFolder(folder);
    storage::readArkonaTree(context);
    context.projectOpen = true;
    storage::TData2 data;
    data.SetProjectPath(folder);
    site::SiteStructure structure(data, context);
    StderrProgress treeProgress(io.err);
    reportRepairs(structure.load({}, treeProgress), io.err);
    if (page) {
        const site::PageNode* node = structure.tree().find(*page);
        if (!node) {
            throw Error("Stránka " + *page + " v projektu není.");
        }
        if (*scope == GenerationScope::Page && node->link) {
            throw Error("Stránka " + *page +
                        " je odkaz na jinou stránku; vygenerujte stránku, na kterou ukazuje.");
        }
    }

    StderrPrompter prompter(io.err);
    generator::SiteGeneration run(structure, context, prompter);
    StderrDisplay display(io.err, run);
    const auto options = generator::readGenerationOptions(context.iniPath());
    generator::RunReport report;
    {
        InterruptStops stops;
        report = run.run(*scope, page.value_or(""), options, display, treeProgress);
    }
    for (const auto& failure : report.failures) {
        io.err << "arkona: " << failure.reason << "\n";
    }
    for (const auto& warning : report.warnings) {
        io.err << "arkona: upozornění: " << warning << "\n";
    }
    if (report.stopped) {
        io.err << "arkona: generování bylo přerušeno.\n";
    }
    io.out << "Vygenerováno stránek: " << report.written << " z " << report.total
           << ", chyb: " << report.failures.size()
           << ", čas: " << Locale::current().formatNumber(report.seconds, 2) << " s\n"
           << "Složka webu: " << context.siteFolder.string() << "\n";
    return report.complete() ? kOk : kFailed;
}

} // namespace arkona::cli
