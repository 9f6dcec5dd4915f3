#include "generator/generation_run.h"

#include "base/error.h"
#include "base/paths.h"
#include "generator/progress_texts.h"

#include <chrono>

namespace arkona::generator {

namespace {

constexpr size_t kReportedFailures = 10;

void addPages(const site::PageTree& tree, const site::PageNode& root,
              std::vector<const site::PageNode*>& pages) {
    for (const site::PageNode* node : tree.subtree(root)) {
        if (!node->link) {
            pages.push_back(node);
        }
    }
}

// Finishes the data of a run however it ends.
class DataSetUp {
public:
    explicit DataSetUp(SiteGeneration& run) : run_(run) {}
    ~DataSetUp() { run_.CloseDBGen(); }
    DataSetUp(const DataSetUp&) = delete;
    DataSetUp& operator=(const DataSetUp&) = delete;

private:
    SiteGeneration& run_;
};

} // namespace

std::vector<const site::PageNode*> pagesInScope(const site::PageTree& tree, GenerationScope scope,
                                                const site::PageNode* selected) {
    std::vector<const site::PageNode*> pages;
    if (scope == GenerationScope::All) {
        for (const site::PageNode* node : tree.preorder()) {
            if (!node->link) {
                pages.push_back(node);
            }
        }
        return pages;
    }
    if (!selected) {
        throw Error("Není vybrána žádná stránka.");
    }
    switch (scope) {
    case GenerationScope::Section: {
        const site::PageNode* top = selected;
        while (top->parent) {
            top = top->parent;
        }
        addPages(tree, *top, pages);
        break;
    }
    case GenerationScope::Branch: {
        const site::PageNode* root = selected->link ? tree.linkTarget(*selected) : selected;
        if (root) {
            addPages(tree, *root, pages);
        }
        break;
    }
    case GenerationScope::Page:
        if (!selected->link) {
            pages.push_back(selected);
        }
        break;
    case GenerationScope::All:
        break;
    }
    return pages;
}

std::string failureReport(const RunReport& report) {
    std::string text = "Některé stránky se nepodařilo vytvořit (" +
                       std::to_string(report.failures.size()) + " z " +
                       std::to_string(report.total) + "):";
    for (size_t i = 0; i < report.failures.size() && i < kReportedFailures; ++i) {
        text += "\r" + report.failures[i].reason;
    }
    if (report.failures.size() > kReportedFailures) {
        text +=
            "\r... a " + std::to_string(report.failures.size() - kReportedFailures) + " dalších.";
    }
    return text;
}

SiteGeneration::SiteGeneration(site::SiteStructure& structure,
                               const storage::ProjectContext& context, Prompter& prompter)
    : structure_(structure), context_(context), prompter_(prompter) {}

SiteGeneration::~SiteGeneration() {
    CloseDBGen();
}

long long SiteGeneration::total() const {
    return generator_ ? generator_->total() : 0;
}

long long SiteGeneration::remaining() const {
    return generator_ ? generator_->remaining() : 0;
}

GeneratorSettings SiteGeneration::settingsFor(const GenerationOptions& options) const {
    GeneratorSettings s;
    s.projectFolder = context_.projectFolder;
    s.siteFolder = context_.siteFolder;
    s.projectName = context_.projectName;
    s.author = context_.author;
    s.company = context_.company;
    s.options = options;
    s.clock = clock_;
    return s;
}

void SiteGeneration::InitDBGen(const GeneratorSettings& settings, GenerationDisplay& display,
                               const SiteSnapshot::Options& read) {
    CloseDBGen();
    snapshot_ = SiteSnapshot::read(context_.projectFolder, structure_.tree(), read);
    generator_ = std::make_unique<PageGenerator>(*snapshot_, settings, display, prompter_);
}

void SiteGeneration::CloseDBGen() {
    generator_.reset();
    snapshot_.reset();
}

RunReport SiteGeneration::run(GenerationScope scope, const std::string& selectedId,
                              const GenerationOptions& options, GenerationDisplay& display,
                              Progress& treeProgress) {
    const auto started = std::chrono::steady_clock::now();
    stopRequested_ = false;
    if (structure_.changed() || !structure_.tree().numbered()) {
        structure_.optimise(site::OptimiseKind::BeforeGeneration, treeProgress);
    }
    const site::PageTree& tree = structure_.tree();
    const auto pages = pagesInScope(tree, scope, tree.find(selectedId));

    RunReport report;
    report.total = static_cast<long long>(pages.size());
    {
        DataSetUp data(*this);
        // A part of the site reads completely only the pages it writes.
        SiteSnapshot::Options read;
        if (scope != GenerationScope::All) {
            read.completePages.emplace();
            for (const site::PageNode* node : pages) {
                read.completePages->insert(node->id);
            }
        }
        InitDBGen(settingsFor(options), display, read);
        generator_->setCounts(report.total, report.total);
        for (const site::PageNode* node : pages) {
            display.idle();
            if (stopRequested_) {
                report.stopped = true;
                break;
            }
            const auto outcome = generator_->Generate(node->id);
            for (auto& w : generator_->takeWarnings()) {
                report.warnings.push_back(std::move(w));
            }
            switch (outcome) {
            case PageGenerator::Outcome::Written:
                ++report.written;
                break;
            case PageGenerator::Outcome::Failed:
                report.failures.push_back(*generator_->lastFailure());
                break;
            case PageGenerator::Outcome::NotAPage:
                report.failures.push_back(
                    {node->id, {}, "Stránka " + node->id + " v tabulce stránek chybí."});
                break;
            }
        }
    }
    report.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    writeBack(options, report);
    return report;
}

void SiteGeneration::writeBack(const GenerationOptions& options, const RunReport& report) {
    const auto ini = context_.iniPath();
    try {
        writeGenerationOptions(ini, options);
        if (report.complete() && report.written > 0) {
            const Moment now = clock_();
            writeLastGeneration(ini, Locale::current().formatDateTime(now.date, now.time));
        }
    } catch (const Error& e) {
        prompter_.error(e.what());
    }
}

SiteGeneration::PreviewFiles SiteGeneration::preview(const std::string& pageId,
                                                     const GenerationOptions& options,
                                                     GenerationDisplay& display) {
    PreviewFiles files;
    const site::PageTree& tree = structure_.tree();
    const site::PageNode* node = tree.find(pageId);
    if (node && node->link) {
        node = tree.linkTarget(*node);
    }
    if (!node) {
        throw Error("Stránka " + pageId + " v projektu není.");
    }
    GeneratorSettings settings = settingsFor(options);
    settings.preview = true;
    settings.previewFolder = node->path.empty() ? std::string() : node->path.substr(1) + "/";

    const std::string mainPage = SiteSnapshot::findMainSectionPage(context_.projectFolder);
    if (mainPage.empty()) {
        prompter_.warning(kNoMainSection);
        return files;
    }
    DataSetUp data(*this);
    SiteSnapshot::Options read;
    read.completePages = TextSet{node->id, mainPage};
    InitDBGen(settings, display, read);
    generator_->settings().mainFramePass = true;
    if (generator_->Generate(mainPage) != PageGenerator::Outcome::Written) {
        return files;
    }
    files.mainFile = generator_->lastFile();
    generator_->settings().mainFramePass = false;
    if (generator_->Generate(node->id) != PageGenerator::Outcome::Written) {
        return files;
    }
    files.pageFile = generator_->lastFile();
    files.written = true;
    return files;
}

} // namespace arkona::generator
