#pragma once

#include "base/progress.h"
#include "base/prompter.h"
#include "generator/generation_options.h"
#include "generator/generator_settings.h"
#include "generator/page_generator.h"
#include "generator/site_snapshot.h"
#include "site/site_structure.h"
#include "storage/project_context.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace arkona::generator {

// Which pages a run generates.
enum class GenerationScope {
    All,     // "vše"
    Section, // "aktuální oddíl": the top-level page above the selection with all below it
    Branch,  // "aktuální větev": the selected page with all below it
    Page,    // "pouze vybranou stranu"
};

// The pages of a scope in tree order. Link pages are never among them: a link page shares its
// target's file. A selected link page stands for its place in the tree for a section, and for
// its target for a branch; on its own it is no page (the dialog does not offer that choice).
// Throws arkona::Error when the scope needs a selection and there is none.
std::vector<const site::PageNode*> pagesInScope(const site::PageTree& tree, GenerationScope scope,
                                                const site::PageNode* selected);

// How a run ended.
struct RunReport {
    long long total = 0;   // pages in the scope
    long long written = 0; // pages written
    std::vector<PageFailure> failures;
    std::vector<std::string> warnings; // what a page was written without (a picture, ...)
    bool stopped = false;
    double seconds = 0;

    // Every page of the scope was written.
    bool complete() const { return !stopped && failures.empty() && written == total; }
};

// The warning a run with failures ends with: how many pages failed and, for the first of them,
// the file and the reason, one per line.
std::string failureReport(const RunReport& report);

// A generator run over the open project (the logic of the generator dialog, also run by
// `arkona generate` and the page preview). `InitDBGen` reads the snapshot of the tables,
// `CloseDBGen` lets it go; between them pages are generated one at a time.
class SiteGeneration {
public:
    SiteGeneration(site::SiteStructure& structure, const storage::ProjectContext& context,
                   Prompter& prompter);
    ~SiteGeneration();

    void setClock(Clock clock) { clock_ = std::move(clock); }

    // A whole run: renumbers a changed tree first (its progress in `treeProgress`), generates
    // the pages of the scope, stops between pages when a stop was requested, and writes the
    // options back to [Generate]; LastDate only when every page was written (and there was one).
    // Pages that cannot be written are counted and reported by the caller (failureReport); the
    // run goes on.
    RunReport run(GenerationScope scope, const std::string& selectedId,
                  const GenerationOptions& options, GenerationDisplay& display,
                  Progress& treeProgress);

    // "Přerušit": the run stops before its next page.
    void requestStop() { stopRequested_ = true; }
    bool stopRequested() const { return stopRequested_; }
    bool running() const { return generator_ != nullptr; }
    // The pages of the running run and those not generated yet (the dialog's clock).
    long long total() const;
    long long remaining() const;

    // The page preview: the page of the site's main section into tmpHlavni.htm, then the page
    // `pageId` (a link page: its target) into tempFile.htm of its folder. The tree must be
    // renumbered already. Warns "Nebyla nalezena hlavní sekce, náhled nemohl být vytvořen!"
    // when the project has no main section.
    struct PreviewFiles {
        bool written = false;
        std::filesystem::path mainFile;
        std::filesystem::path pageFile;
    };
    PreviewFiles preview(const std::string& pageId, const GenerationOptions& options,
                         GenerationDisplay& display);

    // The data set-up of a run and its tear-down.
    void InitDBGen(const GeneratorSettings& settings, GenerationDisplay& display,
                   const SiteSnapshot::Options& read);
    void CloseDBGen();

private:
    GeneratorSettings settingsFor(const GenerationOptions& options) const;
    void writeBack(const GenerationOptions& options, const RunReport& report);

    site::SiteStructure& structure_;
    const storage::ProjectContext& context_;
    Prompter& prompter_;
    Clock clock_ = systemMoment;
    bool stopRequested_ = false;
    std::optional<SiteSnapshot> snapshot_;
    std::unique_ptr<PageGenerator> generator_;
};

} // namespace arkona::generator
