#include "base/error.h"
#include "base/textcase.h"
#include "site/page_rows.h"
#include "site/site_structure.h"

#include <algorithm>
#include <functional>
#include <unordered_set>

namespace arkona::site {

namespace {

constexpr size_t kExpansionBatch = 100;
constexpr const char* kWaitText = "Čekejte prosím, probíhá optimalizace stromové struktury WWW";

// Finishes a progress window however the work ends.
class ProgressRun {
public:
    ProgressRun(Progress& progress, const ProgressSetup& setup) : progress_(progress) {
        progress_.start(setup);
    }
    ~ProgressRun() { progress_.finish(); }
    ProgressRun(const ProgressRun&) = delete;
    ProgressRun& operator=(const ProgressRun&) = delete;

    // Moves the bar to `done` of `total` in about a hundred steps, whatever the total.
    void advance(size_t done, size_t total) {
        const size_t every = std::max<size_t>(1, total / 100);
        if (done % every == 0 || done == total) {
            progress_.setPosition(1, static_cast<int>(done));
        }
    }
    Progress& operator*() { return progress_; }

private:
    Progress& progress_;
};

} // namespace

std::string optimisationText(OptimiseKind kind) {
    switch (kind) {
    case OptimiseKind::AfterRepair:
        return std::string("\r") + kWaitText +
               ", protože při otevírání stromu byly nalezeny chyby ve struktuře!";
    case OptimiseKind::AfterChanges:
        return std::string("\r") + kWaitText +
               ".\rTato optimalizace probíhá vždy, když ve stromu provádíte přesuny nebo odmazy!";
    case OptimiseKind::BeforeGeneration:
        return std::string("\r") + kWaitText +
               ".\rTato optimalizace probíhá v případě potřeby před generací HTML stránek!";
    case OptimiseKind::FromMenu:
        break;
    }
    return std::string("\r") + kWaitText + ".";
}

void SiteStructure::optimise(OptimiseKind kind, Progress& progress) {
    storage::TData2::CascadeOff off(data_);
    ProgressSetup setup;
    setup.title = kTreeOptimisationTitle;
    setup.message = optimisationText(kind);
    setup.bars = ProgressBars::First;
    setup.animation = ProgressAnimation::None;
    setup.maximum1 = static_cast<int>(tree_.size());
    ProgressRun run(progress, setup);

    if (kind == OptimiseKind::AfterChanges) {
        // Link pages whose target is gone: exactly their rows go, nothing else.
        std::vector<std::string> orphans;
        for (const PageNode* node : tree_.preorder()) {
            if (node->link && !tree_.linkTarget(*node)) {
                orphans.push_back(node->id);
            }
        }
        (*run).setMaximum(1, static_cast<int>(std::max<size_t>(orphans.size(), 1)));
        for (size_t i = 0; i < orphans.size(); ++i) {
            if (PageNode* link = tree_.find(orphans[i])) {
                removeLinkPage(*link);
            }
            run.advance(i + 1, orphans.size());
        }
        if (!tree_.find(selected_)) {
            selected_.clear();
            link_ = {};
        }
        (*run).setMaximum(1, static_cast<int>(tree_.size()));
        (*run).setPosition(1, 0);
    }

    PageRowWriter writer(strukturFile());
    const auto& walk = tree_.preorder();
    for (size_t i = 0; i < walk.size(); ++i) {
        PageNode& node = *walk[i];
        const double order = static_cast<double>(i + 1);
        if (node.order != order) {
            writer.set(node.recno, node.id, {{"PORADI", order}});
            node.order = order;
            data_.previewCacheKey.clear();
        }
        run.advance(i + 1, walk.size());
    }
    changed_ = false;
}

std::vector<std::vector<std::string>> expansionBatches(const PageTree& tree) {
    std::vector<std::vector<std::string>> batches;
    for (const PageNode* node : tree.preorder()) {
        if (!node->expanded) {
            continue;
        }
        if (batches.empty() || batches.back().size() == kExpansionBatch) {
            batches.emplace_back();
        }
        batches.back().push_back(node->id);
    }
    return batches;
}

void SiteStructure::saveExpansion(Progress& progress) {
    ProgressSetup setup;
    setup.title = "Zavření projektu";
    setup.message =
        "\rČekejte prosím, ukládám neuložená data projektu\r" + context_.projectName + ".";
    setup.bars = ProgressBars::First;
    setup.maximum1 = static_cast<int>(tree_.size());
    ProgressRun run(progress, setup);

    PageRowWriter writer(strukturFile());
    auto& table = writer.table();
    const int expandColumn = table.fieldIndex("EXPAND");
    const int idColumn = table.fieldIndex("HTMLID");
    table.field("EXPAND"); // reports a table without the column
    // One statement sets every row collapsed; each batch then expands up to a hundred pages.
    const auto write = [&](const std::function<bool(const dbf::Record&)>& expand) {
        std::vector<dbf::Record> changed;
        table.scan([&](const dbf::Record& r) {
            const bool wanted = expand(r);
            if (r.logical(expandColumn).value_or(false) != wanted || r.isBlank(expandColumn)) {
                changed.push_back(r);
                changed.back().setLogical(expandColumn, wanted);
            }
            return true;
        });
        for (auto& r : changed) {
            table.update(r);
        }
    };
    write([](const dbf::Record&) { return false; });
    size_t done = 0;
    for (const auto& batch : expansionBatches(tree_)) {
        const std::unordered_set<std::string> ids(batch.begin(), batch.end());
        write([&](const dbf::Record& r) {
            return ids.contains(std::string(text::trim(r.text(idColumn)))) ||
                   r.logical(expandColumn).value_or(false);
        });
        done += batch.size();
        run.advance(std::min(done, tree_.size()), tree_.size());
    }
    run.advance(tree_.size(), tree_.size());
}

} // namespace arkona::site
