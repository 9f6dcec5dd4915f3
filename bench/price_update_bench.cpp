// The price update of placed goods over a whole catalogue: 100,000 items with 200,000 page
// products (1×) and twice that (2×). Linear means the 2× run takes twice as long; the ratio is
// printed at the end. "Changed" runs rewrite every placed row, "in line" runs find nothing to do.
#include "base/dbf/table.h"
#include "base/progress.h"
#include "catalogue/price_update.h"
#include "storage/project_context.h"
#include "storage/schema.h"

#include <benchmark/benchmark.h>
#include <fstream>
#include <iostream>
#include <map>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace arkona;

std::string code(int i) {
    return "ZB-" + std::to_string(100000 + i);
}

// A project with `items` catalogue items and two page products of each (one in lower case),
// and a component for every tenth item.
fs::path makeProject(int items) {
    const fs::path folder =
        fs::temp_directory_path() /
        ("arkona-bench-prices-" + std::to_string(getpid()) + "-" + std::to_string(items));
    fs::remove_all(folder);
    fs::create_directories(folder / "_dbf");
    std::ofstream(folder / "ArkonaTree.ini") << "[Sazby_DPH]\r\niDPH_L=5\r\niDPH_H=22\r\n";
    for (const auto& schema : storage::projectTables()) {
        dbf::Table::create(folder / "_dbf" / schema.fileName, schema.fields());
    }
    {
        auto katalog = dbf::Table::open(folder / "_dbf" / storage::kKatalog);
        const char* codes[] = {"L", "H", "R", "0"};
        for (int i = 0; i < items; ++i) {
            auto r = katalog.blankRecord();
            r.setNumber("SKUPID", 1 + i % 40);
            r.setText("KOD", code(i));
            r.setText("NAZEV", "Čaj zelený „Sencha“ č. " + std::to_string(i));
            r.setText("P_IDPH", codes[i % 4]);
            const double price = 10 + (i % 1000) * 1.37;
            r.setNumber(i % 4 == 3 ? "P_0" : "P_L", price);
            if (i % 4 >= 1 && i % 4 <= 2) {
                r.setNumber("P_H", price / 3);
            }
            r.setText("ROUND", std::to_string(i % 3));
            katalog.append(r);
        }
    }
    auto zbozi = dbf::Table::open(folder / "_dbf" / storage::kZbozi);
    auto kompot = dbf::Table::open(folder / "_dbf" / storage::kKompot);
    for (int copy = 0; copy < 2; ++copy) {
        for (int i = 0; i < items; ++i) {
            auto r = zbozi.blankRecord();
            r.setText("HTMLID", std::to_string(8 + i % 500) + "_");
            r.setNumber("SEKCEID", 1);
            r.setNumber("PORADI", i);
            r.setText("TYP", i % 7 == 0 ? "E" : "K");
            const std::string c = code((i * 7919 + copy) % items); // placed in another order
            r.setText("KOD", copy == 0 ? c : "zb-" + c.substr(3));
            r.setText("NAZEV", "Čaj zelený „Sencha“");
            zbozi.append(r);
        }
    }
    for (int i = 0; i < items; i += 10) {
        auto r = kompot.blankRecord();
        r.setNumber("SKUPID", 1);
        r.setText("KOD", code(i));
        r.setText("TYP", "K");
        r.setText("KOD_ZB", code(i + 1));
        kompot.append(r);
    }
    return folder;
}

// Makes every placed price stale, so that the next update rewrites each row.
void staleGoods(const fs::path& folder) {
    for (const char* name : {storage::kZbozi, storage::kKompot}) {
        auto table = dbf::Table::open(folder / "_dbf" / name);
        for (std::uint32_t i = 0; i < table.recordCount(); ++i) {
            auto r = table.read(i);
            r.setNumber("P_CENA", 0);
            table.update(r);
        }
    }
}

const fs::path& project(int items) {
    static std::map<int, fs::path> projects;
    auto it = projects.find(items);
    if (it == projects.end()) {
        it = projects.emplace(items, makeProject(items)).first;
    }
    return it->second;
}

storage::ProjectContext context(int items) {
    storage::ProjectContext c;
    c.setProjectFolder(project(items));
    storage::readArkonaTree(c);
    return c;
}

void RecalcProdChanged(benchmark::State& state) {
    const int items = static_cast<int>(state.range(0));
    const auto c = context(items);
    NoProgress progress;
    for (auto _ : state) {
        state.PauseTiming();
        staleGoods(c.projectFolder);
        state.ResumeTiming();
        const auto counts = catalogue::RecalcProd(c, nullptr, progress);
        if (counts.changedProducts != 2 * items) {
            state.SkipWithError("not every page product was updated");
        }
    }
    state.SetItemsProcessed(state.iterations() * 2 * items);
}

void RecalcProdInLine(benchmark::State& state) {
    const int items = static_cast<int>(state.range(0));
    const auto c = context(items);
    NoProgress progress;
    catalogue::RecalcProd(c, nullptr, progress);
    for (auto _ : state) {
        const auto counts = catalogue::RecalcProd(c, nullptr, progress);
        benchmark::DoNotOptimize(counts.products);
    }
    state.SetItemsProcessed(state.iterations() * 2 * items);
}

BENCHMARK(RecalcProdChanged)
    ->Arg(100000)
    ->Arg(200000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);
BENCHMARK(RecalcProdInLine)->Arg(100000)->Arg(200000)->Unit(benchmark::kMillisecond)->Iterations(2);

// Prints the time of each 2× run against its 1× run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const auto& run : runs) {
            times_[run.benchmark_name()] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        for (const char* name : {"RecalcProdChanged", "RecalcProdInLine"}) {
            const std::string one = std::string(name) + "/100000/iterations:2";
            const std::string two = std::string(name) + "/200000/iterations:2";
            if (times_.contains(one) && times_.contains(two)) {
                std::cout << name << ": 2× / 1× = " << times_[two].first / times_[one].first
                          << " real, " << times_[two].second / times_[one].second
                          << " CPU (linear: 2)\n";
            }
        }
    }

private:
    std::map<std::string, std::pair<double, double>> times_; // real, CPU
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (int items : {100000, 200000}) {
        fs::remove_all(project(items));
    }
    benchmark::Shutdown();
    return 0;
}
