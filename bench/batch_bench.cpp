// A batch statement over the catalogue: new prices for 20,000 of 100,000 items by code, in one
// pass, beside reading the same table once. The ratio is what the pass costs over the read.
#include "catalogue_fixture.h"
#include "storage/statements.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

namespace {

using namespace arkona;

std::filesystem::path benchFile() {
    static const auto file = [] {
        auto f = std::filesystem::temp_directory_path() /
                 ("arkona-batch-" + std::to_string(getpid()) + ".dbf");
        bench::makeCatalogue(f, 100000);
        return f;
    }();
    return file;
}

// Every fifth code, folded as the catalogue compares codes.
const storage::ChangesByCode& changes() {
    static const auto c = [] {
        storage::ChangesByCode m;
        for (int i = 0; i < 100000; i += 5) {
            const double price = 100 + i % 997;
            m[storage::codeKey("zb-" + std::to_string(100000 + i), true)] =
                [price](dbf::Record& r) {
                    r.setNumber("P_H", price);
                    r.setNumber("N_CENA", price / 1.25);
                    return true;
                };
        }
        return m;
    }();
    return c;
}

void UpdateTwentyThousandByCode(benchmark::State& state) {
    const auto file = benchFile();
    for (auto _ : state) {
        const auto result = storage::updateByCode(file, "KOD", true, changes());
        if (result.written != 20000) {
            state.SkipWithError("not every item was met");
        }
    }
    state.SetItemsProcessed(state.iterations() * 20000);
}

void ReadTableOnce(benchmark::State& state) {
    const auto file = benchFile();
    for (auto _ : state) {
        const auto table = dbf::Table::open(file, dbf::OpenMode::ReadOnly);
        const int col = table.fieldIndex("KOD");
        size_t n = 0;
        table.scan([&](const dbf::Record& r) {
            n += r.text(col).size();
            return true;
        });
        benchmark::DoNotOptimize(n);
    }
}

// One single-row statement, for comparison: a scan per key would cost this 20,000 times.
void UpdateOneByCode(benchmark::State& state) {
    const auto file = benchFile();
    for (auto _ : state) {
        storage::updateOne(file, {{"KOD", std::string("zb-150000"), true}}, {{"P_H", 12.5}});
    }
}

BENCHMARK(ReadTableOnce)->Unit(benchmark::kMillisecond);
BENCHMARK(UpdateTwentyThousandByCode)->Unit(benchmark::kMillisecond);
BENCHMARK(UpdateOneByCode)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
