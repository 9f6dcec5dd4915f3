// The generator in one process on the synthetic shops of size 1, 2 and 4 (about 5,000, 10,000
// and 20,000 pages): reading the snapshot of the tables, and the whole run (snapshot and every
// page written). items_per_second is pages per second; per size the time should grow with the
// pages. bench/generate_compare.sh sets the whole program beside Hugo.
#include "generator/generation_run.h"
#include "generator/site_snapshot.h"
#include "site/site_structure.h"
#include "site_fixture.h"
#include "storage/data_module.h"
#include "storage/project_context.h"

#include <benchmark/benchmark.h>
#include <map>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace arkona;

fs::path benchFolder() {
    const fs::path base =
        fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    return base / ("arkona-generate-bench-" + std::to_string(getpid()));
}

const fs::path& projectOfSize(int size) {
    static std::map<int, fs::path> made;
    auto it = made.find(size);
    if (it == made.end()) {
        const fs::path project = benchFolder() / ("projekt" + std::to_string(size));
        bench::makeProject(project, bench::syntheticTree(bench::shapeOfSize(size)));
        it = made.emplace(size, project).first;
    }
    return it->second;
}

// An open project: context, data module and the loaded tree.
struct OpenProject {
    storage::ProjectContext context;
    storage::TData2 data;
    site::SiteStructure structure{data, context};

    explicit OpenProject(const fs::path& folder) {
        context.setProjectFolder(folder);
        storage::readArkonaTree(context);
        context.projectOpen = true;
        data.SetProjectPath(folder);
        NoProgress quiet;
        structure.load({}, quiet);
    }
};

void ReadSnapshot(benchmark::State& state) {
    OpenProject p(projectOfSize(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        const auto snapshot =
            generator::SiteSnapshot::read(p.context.projectFolder, p.structure.tree());
        benchmark::DoNotOptimize(snapshot.pageCount());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long long>(p.structure.tree().size()));
}

void GenerateSite(benchmark::State& state) {
    OpenProject p(projectOfSize(static_cast<int>(state.range(0))));
    DefaultAnswers answers;
    generator::GenerationDisplay display;
    NoProgress quiet;
    long long pages = 0;
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove_all(p.context.siteFolder);
        state.ResumeTiming();
        generator::SiteGeneration run(p.structure, p.context, answers);
        const auto report = run.run(generator::GenerationScope::All, {}, {}, display, quiet);
        pages += report.written;
    }
    state.SetItemsProcessed(pages);
}

BENCHMARK(ReadSnapshot)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(GenerateSite)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond)->Iterations(3);

// Removes the sites when the program ends.
struct Cleanup {
    ~Cleanup() {
        std::error_code ec;
        fs::remove_all(benchFolder(), ec);
    }
} cleanup;

} // namespace

BENCHMARK_MAIN();
