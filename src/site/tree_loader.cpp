#include "site/tree_loader.h"

#include "site/page_rows.h"

#include <algorithm>
#include <deque>
#include <limits>
#include <optional>
#include <unordered_map>
#include <unordered_set>

namespace arkona::site {

namespace {

double orderKey(const PageRow& row) {
    return row.order.value_or(-std::numeric_limits<double>::infinity());
}

PageNode nodeOf(const PageRow& row) {
    PageNode node;
    node.id = row.id;
    node.title = row.title;
    node.src = row.src;
    node.path = row.path;
    node.disk = row.disk;
    node.link = row.link;
    node.expanded = row.expand;
    node.number = row.number;
    node.order = row.order.value_or(0);
    node.recno = row.recno;
    return node;
}

// Shows what the loading does; the per-row text only every so many rows, so a large tree does
// not spend its time painting the status bar.
class LoadStatus {
public:
    LoadStatus(const LoadDisplay& display, long long rows)
        : display_(display), every_(std::max<long long>(1, rows / 100)) {}

    void show(const std::string& text) const {
        if (display_.status) {
            display_.status->show(text);
        }
    }
    void added(long long remaining) {
        if (display_.bar) {
            ++position_;
            if (remaining % every_ == 0 || remaining == 0) {
                display_.bar->setPosition(1, position_);
            }
        }
        if (remaining % every_ == 0) {
            show(updatingTreeText(remaining));
        }
    }

private:
    const LoadDisplay& display_;
    long long every_;
    int position_ = 0;
};

// A member of the cycle that `start` hangs from: follow parents among the waiting rows until a
// row comes round again.
size_t memberOfCycle(size_t start, const std::vector<PageRow>& rows,
                     const std::unordered_map<std::string, size_t>& waiting) {
    std::unordered_set<size_t> seen;
    size_t at = start;
    while (seen.insert(at).second) {
        const auto parent = waiting.find(rows[at].parent);
        if (parent == waiting.end()) {
            return start; // cannot happen while every waiting row waits for a waiting row
        }
        at = parent->second;
    }
    return at;
}

} // namespace

std::string updatingTreeText(long long remaining) {
    return "Aktualizuji stromovou strukturu. Zbývá " + std::to_string(remaining) + " položek ...";
}

std::string cycleRepairedText(const std::vector<std::string>& ids) {
    std::string list;
    for (const auto& id : ids) {
        list += (list.empty() ? "" : ", ") + id;
    }
    return "Stromová struktura obsahovala zacyklené stránky (" + list +
           "); byly přesunuty na nejvyšší úroveň.";
}

PageTree loadPageTree(const std::filesystem::path& strukturFile, LoadReport& report,
                      const LoadDisplay& display) {
    report = {};
    if (display.status) {
        display.status->show(kPreparingTree);
    }
    std::vector<PageRow> rows;
    {
        std::vector<PageRow> all = readPageRows(strukturFile);
        std::unordered_set<std::string> ids;
        for (auto& row : all) {
            if (row.id.empty() || !ids.insert(row.id).second) {
                ++report.skipped;
                continue;
            }
            rows.push_back(std::move(row));
        }
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const PageRow& a, const PageRow& b) { return orderKey(a) < orderKey(b); });
    std::unordered_set<std::string> ids;
    for (const auto& row : rows) {
        ids.insert(row.id);
    }
    double nextFree = rows.empty() ? 1 : rows.back().order.value_or(0) + 1;
    const long long total = static_cast<long long>(rows.size());
    if (display.bar) {
        ProgressSetup setup;
        setup.maximum1 = static_cast<int>(total);
        setup.bars = ProgressBars::First;
        setup.animation = ProgressAnimation::None;
        display.bar->start(setup);
    }
    LoadStatus status(display, total);

    PageTree tree;
    std::deque<size_t> queue(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        queue[i] = i;
    }
    std::optional<PageRowWriter> writer;
    std::unordered_map<std::string, size_t> waiting; // rows met without their parent
    size_t stalled = 0; // broken rows met in a row since a node was last added
    long long added = 0;
    while (!queue.empty()) {
        const size_t at = queue.front();
        queue.pop_front();
        PageRow& row = rows[at];
        PageNode* parent = row.parent == kTopLevel ? nullptr : tree.find(row.parent);
        if (row.parent == kTopLevel || parent) {
            tree.insert(nodeOf(row), parent);
            waiting.erase(row.id);
            stalled = 0;
            ++added;
            status.added(total - added);
            continue;
        }
        // The parent is not in the tree yet: move the row to the end and meet it again later.
        const std::string remaining = updatingTreeText(total - added) + kErrorDetected;
        status.show(remaining);
        waiting[row.id] = at;
        if (!ids.contains(row.parent) || row.parent == row.id) {
            row.parent = kTopLevel;
            stalled = 0;
        } else if (++stalled > queue.size()) {
            // Every waiting row waits for another waiting row: their parents form a cycle.
            PageRow& member = rows[memberOfCycle(at, rows, waiting)];
            member.parent = kTopLevel;
            report.cycles.push_back(member.id);
            if (&member != &row) {
                if (!writer) {
                    writer.emplace(strukturFile);
                }
                writer->set(member.recno, member.id, {{"PARENT", std::string(kTopLevel)}});
            }
            stalled = 0;
        }
        row.order = nextFree++;
        if (!writer) {
            writer.emplace(strukturFile);
        }
        writer->set(row.recno, row.id, {{"PORADI", *row.order}, {"PARENT", row.parent}});
        if (std::find(report.repaired.begin(), report.repaired.end(), row.id) ==
            report.repaired.end()) {
            report.repaired.push_back(row.id);
        }
        status.show(remaining + kRepaired);
        queue.push_back(at);
    }
    status.show(kShapingTree);
    if (display.bar) {
        display.bar->finish();
    }
    status.show("");
    return tree;
}

} // namespace arkona::site
