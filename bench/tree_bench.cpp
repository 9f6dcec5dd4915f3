// The page tree of a 10,000-page site: loading with repair and renumbering, against reading the
// page table alone. Each benchmark reports its time and, as "x_read", how many times a plain
// read of the same table that time is, measured in the same run.
#include "base/dbf/table.h"
#include "site/page_rows.h"
#include "site/site_structure.h"
#include "storage/data_module.h"
#include "storage/project_context.h"
#include "storage/schema.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <map>
#include <random>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace arkona;
using Clock = std::chrono::steady_clock;

constexpr int kPages = 10000;

fs::path benchFolder() {
    static const fs::path folder =
        fs::temp_directory_path() / ("arkona-tree-bench-" + std::to_string(getpid()));
    return folder;
}

// A site of `pages` pages, up to six levels deep, stored in walk order; `broken` of them are
// read before their parent (a damaged table), so loading has to repair them.
fs::path makeSite(const std::string& name, int pages, int broken) {
    const fs::path project = benchFolder() / name;
    fs::create_directories(project / "_dbf");
    const fs::path file = project / "_dbf" / storage::kStruktur;
    dbf::Table::create(file, storage::tableSchema(storage::kStruktur).fields());
    std::mt19937 random(42);
    std::vector<int> parent(static_cast<size_t>(pages) + 1, 0);
    std::vector<int> depth(static_cast<size_t>(pages) + 1, 0);
    std::vector<std::vector<int>> children(static_cast<size_t>(pages) + 1);
    std::vector<int> top;
    for (int n = 1; n <= pages; ++n) {
        int p = 0;
        if (n > 6 && random() % 5 != 0) {
            p = 7 + static_cast<int>(random() % static_cast<unsigned>(n - 7 + 1));
            if (p >= n || depth[static_cast<size_t>(p)] >= 5) {
                p = 0;
            }
        }
        parent[static_cast<size_t>(n)] = p;
        depth[static_cast<size_t>(n)] = p ? depth[static_cast<size_t>(p)] + 1 : 0;
        (p ? children[static_cast<size_t>(p)] : top).push_back(n);
    }
    std::vector<int> walk;
    std::vector<int> stack(top.rbegin(), top.rend());
    while (!stack.empty()) {
        const int n = stack.back();
        stack.pop_back();
        walk.push_back(n);
        const auto& c = children[static_cast<size_t>(n)];
        stack.insert(stack.end(), c.rbegin(), c.rend());
    }
    std::vector<double> order(static_cast<size_t>(pages) + 1);
    for (size_t i = 0; i < walk.size(); ++i) {
        order[static_cast<size_t>(walk[i])] = static_cast<double>(i + 1);
    }
    for (int b = 0, n = pages; b < broken && n > 7; --n) {
        if (const int p = parent[static_cast<size_t>(n)]) {
            std::swap(order[static_cast<size_t>(n)], order[static_cast<size_t>(p)]);
            ++b;
        }
    }
    auto table = dbf::Table::open(file);
    for (int n = 1; n <= pages; ++n) {
        auto r = table.blankRecord();
        const std::string id = site::pageIdentifier(n);
        const int p = parent[static_cast<size_t>(n)];
        r.setText("HTMLID", id);
        r.setNumber("N_HTMLID", n);
        r.setNumber("PORADI", order[static_cast<size_t>(n)]);
        r.setText("PARENT", p ? site::pageIdentifier(p) : "0_");
        r.setText("POPIS", "Stránka číslo " + std::to_string(n));
        r.setText("SRC", "s" + std::to_string(n));
        r.setText("PATH", p ? "/s" + std::to_string(p) : "");
        r.setText("DISK", p ? "\\s" + std::to_string(p) : "");
        r.setLogical("LINK", false);
        r.setLogical("EXPAND", n % 3 == 0);
        r.setText("TXT_FONT", "<FONT FACE=\"Verdana, Arial, Helvetica\" SIZE=2 COLOR=\"#202020\">");
        table.append(r);
    }
    return project;
}

double secondsOf(const std::function<void()>& work) {
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double readTableAlone(const fs::path& project) {
    return secondsOf([&] {
        const auto table =
            dbf::Table::open(project / "_dbf" / storage::kStruktur, dbf::OpenMode::ReadOnly);
        benchmark::DoNotOptimize(table.readAll().size());
    });
}

// Runs `work` on a fresh copy of `source` per iteration (the copy is not timed) and reports the
// ratio to a plain read of the same table.
void timedOnCopies(benchmark::State& state, const fs::path& source,
                   const std::function<void(const fs::path&)>& work) {
    const fs::path copy = benchFolder() / "kopie";
    double worked = 0;
    double read = 0;
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove_all(copy);
        fs::copy(source, copy, fs::copy_options::recursive);
        read += readTableAlone(copy);
        state.ResumeTiming();
        worked += secondsOf([&] { work(copy); });
    }
    state.counters["x_read"] = worked / read;
    state.SetItemsProcessed(state.iterations() * kPages);
}

void ReadPageTableAlone(benchmark::State& state) {
    static const fs::path site = makeSite("cteni", kPages, 0);
    for (auto _ : state) {
        benchmark::DoNotOptimize(readTableAlone(site));
    }
    state.SetItemsProcessed(state.iterations() * kPages);
}

void LoadInOrder(benchmark::State& state) {
    static const fs::path site = makeSite("poradek", kPages, 0);
    timedOnCopies(state, site, [](const fs::path& project) {
        storage::TData2 data;
        data.SetProjectPath(project);
        storage::ProjectContext context;
        context.setProjectFolder(project);
        site::SiteStructure structure(data, context);
        NoProgress progress;
        structure.load({}, progress);
        benchmark::DoNotOptimize(structure.tree().size());
    });
}

void LoadRepairAndRenumber(benchmark::State& state) {
    static std::map<int64_t, fs::path> sites;
    const int64_t broken = state.range(0);
    if (!sites.contains(broken)) {
        sites[broken] =
            makeSite("opravy" + std::to_string(broken), kPages, static_cast<int>(broken));
    }
    timedOnCopies(state, sites[broken], [](const fs::path& project) {
        storage::TData2 data;
        data.SetProjectPath(project);
        storage::ProjectContext context;
        context.setProjectFolder(project);
        site::SiteStructure structure(data, context);
        NoProgress progress;
        const auto report = structure.load({}, progress);
        if (report.repaired.empty()) {
            throw std::logic_error("nothing was repaired");
        }
        structure.optimise(site::OptimiseKind::FromMenu, progress);
    });
}

void MoveThenRenumber(benchmark::State& state) {
    static const fs::path site = makeSite("presun", kPages, 0);
    timedOnCopies(state, site, [](const fs::path& project) {
        storage::TData2 data;
        data.SetProjectPath(project);
        storage::ProjectContext context;
        context.setProjectFolder(project);
        site::SiteStructure structure(data, context);
        NoProgress progress;
        structure.load({}, progress);
        // The first big page goes to the end: the partial renumbering, then the full one.
        const auto& top = structure.tree().topLevel();
        structure.move(top[6]->id, top.back()->id, site::MoveKind::After);
        structure.optimise(site::OptimiseKind::AfterChanges, progress);
    });
}

BENCHMARK(ReadPageTableAlone)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadInOrder)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadRepairAndRenumber)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(MoveThenRenumber)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fs::remove_all(benchFolder());
    return 0;
}
