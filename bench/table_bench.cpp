// Writing and reading the catalogue-shaped table; the baseline is a plain sequential read of the
// same file, so the ratio says what decoding the rows costs.
#include "catalogue_fixture.h"
#include "storage/data_view.h"

#include <benchmark/benchmark.h>
#include <fstream>
#include <unistd.h>

namespace {

std::filesystem::path benchFile() {
    static const auto file = [] {
        auto f = std::filesystem::temp_directory_path() / ("arkona-bench-" + std::to_string(getpid()) + ".dbf");
        arkona::bench::makeCatalogue(f, 100000);
        return f;
    }();
    return file;
}

void WriteCatalogue(benchmark::State& state) {
    const auto file = std::filesystem::temp_directory_path() / ("arkona-bench-w-" + std::to_string(getpid()) + ".dbf");
    for (auto _ : state) {
        arkona::bench::makeCatalogue(file, static_cast<int>(state.range(0)));
    }
    std::filesystem::remove(file);
    std::filesystem::remove(file.parent_path() / (file.stem().string() + ".dbt"));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void ReadCatalogueEveryColumn(benchmark::State& state) {
    const auto file = benchFile();
    for (auto _ : state) {
        const auto table = arkona::dbf::Table::open(file, arkona::dbf::OpenMode::ReadOnly);
        size_t bytes = 0;
        table.scan([&](const arkona::dbf::Record& r) {
            for (size_t c = 0; c < table.fields().size(); ++c) {
                bytes += r.display(static_cast<int>(c)).size();
            }
            return true;
        });
        benchmark::DoNotOptimize(bytes);
    }
    state.SetItemsProcessed(state.iterations() * 100000);
}

// The catalogue view over all 100,000 items ordered by code, as the catalogue window opens it.
void OpenCatalogueViewOrderedByCode(benchmark::State& state) {
    const auto file = benchFile();
    arkona::storage::DataView view({"qKatalog", "katalog.dbf", {}, {}, {"KOD"}, arkona::storage::ViewKind::Buffered});
    view.bind(file);
    for (auto _ : state) {
        view.open();
        benchmark::DoNotOptimize(view.rowCount());
        view.close();
    }
    state.SetItemsProcessed(state.iterations() * 100000);
}

void ReadFileBytesBaseline(benchmark::State& state) {
    const auto file = benchFile();
    std::vector<char> buffer(1 << 20);
    for (auto _ : state) {
        std::ifstream in(file, std::ios::binary);
        size_t total = 0;
        while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) || in.gcount() > 0) {
            total += static_cast<size_t>(in.gcount());
        }
        benchmark::DoNotOptimize(total);
    }
}

BENCHMARK(WriteCatalogue)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(ReadCatalogueEveryColumn)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenCatalogueViewOrderedByCode)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadFileBytesBaseline)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
