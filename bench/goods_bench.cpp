// Goods in product sections on the synthetic shop with product sections: 1× is about 10,000
// pages with ten goods each and one section of 10,000 goods (100,000 catalogue items), 2× about
// 20,000 pages, 20,000 goods in the large section and 200,000 items. Beside each measure the
// same run reads zbozi.dbf alone (every row), so the ratios are printed against that and 2×
// against 1×: opening the large section with and without prices, placing 1,000 items into it
// (duplicates found in one folded code set), sorting it by price, `arkona goods` on its page
// (the binary), and the pages of an item placed on 1,000 pages.
#include "base/dbf/table.h"
#include "catalogue/goods_placing.h"
#include "catalogue/goods_sorting.h"
#include "catalogue/item_pages.h"
#include "catalogue/section_goods.h"
#include "catalogue_fixture.h"
#include "goods_fixture.h"
#include "storage/data_module.h"
#include "storage/project_context.h"
#include "storage/statements.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <iostream>
#include <map>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace arkona;

constexpr int kPlaced = 1000;
const char* kEverywhere = "VSUDE-1";

struct Fixture {
    fs::path folder;
    std::string bigPage; // the page of the large section (SEKCEID 4)
};

fs::path benchFolder() {
    const fs::path base =
        fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    return base / ("arkona-goods-bench-" + std::to_string(getpid()));
}

// The shop of size 1 (1×) or 2 (2×), its catalogue, 1,000 new items with a picture in _obr to
// place, and one item placed on 1,000 pages.
Fixture makeFixture(int times) {
    Fixture f;
    f.folder = benchFolder() / ("projekt" + std::to_string(times));
    const auto pages = bench::syntheticTree(bench::shapeOfSize(times == 1 ? 2 : 4));
    bench::makeProject(f.folder, pages);
    bench::GoodsShape shape;
    shape.bigSection = 10000 * times;
    shape.catalogueSize = 100000 * times;
    bench::addProductSections(f.folder, pages, ARKONA_SAMPLE_TEMPLATES, shape);
    const fs::path katalog = f.folder / "_dbf" / storage::kKatalog;
    bench::makeCatalogue(katalog, shape.catalogueSize);
    {
        auto table = dbf::Table::open(katalog);
        std::vector<dbf::Record> rows;
        for (int i = 0; i < kPlaced; ++i) {
            auto r = table.blankRecord();
            r.setNumber("SKUPID", 1);
            r.setText("KOD", "NOVE-" + std::to_string(i));
            r.setText("NAZEV", "Nový čaj č. " + std::to_string(i));
            r.setText("P_IDPH", "L");
            r.setNumber("P_L", 100 + i * 0.37);
            r.setText("ROUND", "1");
            r.setText("OBRAZEK", "caj" + std::to_string(i % 3) + ".gif");
            rows.push_back(std::move(r));
        }
        table.append(rows);
    }
    for (const auto& p : pages) {
        if (p.number != 1) {
            f.bigPage = site::pageIdentifier(p.number);
            break;
        }
    }
    auto zbozi = dbf::Table::open(f.folder / "_dbf" / storage::kZbozi);
    std::vector<dbf::Record> rows;
    for (std::size_t i = 0; i < pages.size() && rows.size() < 1000; i += pages.size() / 1000) {
        if (pages[i].number == 1) {
            continue;
        }
        auto r = zbozi.blankRecord();
        r.setText("HTMLID", site::pageIdentifier(pages[i].number));
        r.setNumber("SEKCEID", 3);
        r.setNumber("PORADI", 11);
        r.setText("KOD", kEverywhere);
        r.setText("NAZEV", "Čaj všude");
        r.setText("TYP", "K");
        rows.push_back(std::move(r));
    }
    zbozi.append(rows);
    return f;
}

const Fixture& fixture(int times) {
    static std::map<int, Fixture> made;
    auto it = made.find(times);
    if (it == made.end()) {
        it = made.emplace(times, makeFixture(times)).first;
    }
    return it->second;
}

storage::ProjectContext context(const Fixture& f) {
    storage::ProjectContext c;
    c.setProjectFolder(f.folder);
    storage::readArkonaTree(c);
    return c;
}

catalogue::SectionKey bigSection(const Fixture& f) {
    return {f.bigPage, 4};
}

void ReadZbozi(benchmark::State& state) {
    const auto& f = fixture(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const auto table =
            dbf::Table::open(f.folder / "_dbf" / storage::kZbozi, dbf::OpenMode::ReadOnly);
        std::size_t bytes = 0;
        int rows = 0;
        table.scan([&](const dbf::Record& r) {
            bytes += r.rawBytes().size();
            ++rows;
            return true;
        });
        benchmark::DoNotOptimize(bytes);
        state.counters["rows"] = rows;
    }
}

void openSection(benchmark::State& state, bool withPrices) {
    const auto& f = fixture(static_cast<int>(state.range(0)));
    storage::TData2 data;
    data.SetProjectPath(f.folder);
    data.HTML_SetHtmlID(f.bigPage);
    data.qHtml.open();
    if (!data.qHtml.locate("SEKCEID", 4.0)) {
        state.SkipWithError("no large section");
        return;
    }
    for (auto _ : state) {
        data.activeGoodsView().close();
        catalogue::openSectionGoods(data, withPrices);
        const auto list = catalogue::sectionGoodsList(data.activeGoodsView(), withPrices);
        if (static_cast<int>(list.size()) != 10000 * state.range(0)) {
            state.SkipWithError("the large section is not complete");
        }
    }
}

void OpenSectionWithoutPrices(benchmark::State& state) {
    openSection(state, false);
}

void OpenSectionWithPrices(benchmark::State& state) {
    openSection(state, true);
}

void PlaceThousand(benchmark::State& state) {
    const auto& f = fixture(static_cast<int>(state.range(0)));
    const auto c = context(f);
    catalogue::CodeSet codes;
    for (int i = 0; i < kPlaced; ++i) {
        codes.add("NOVE-" + std::to_string(i));
    }
    DefaultAnswers answers;
    NoStatus status;
    const auto target = catalogue::placingTarget(c, bigSection(f));
    for (auto _ : state) {
        const auto items = catalogue::itemsByCode(c, codes);
        const auto result =
            catalogue::placeItems(c, target, catalogue::PlacingMode::Goods, items, answers, status);
        if (result.added != kPlaced) {
            state.SkipWithError("not every item was placed");
        }
        state.PauseTiming();
        storage::deleteWhere(f.folder / "_dbf" / storage::kZbozi, [](const dbf::Record& r) {
            return r.text("KOD").starts_with("NOVE-");
        });
        state.ResumeTiming();
    }
}

void SortByPrice(benchmark::State& state) {
    const auto& f = fixture(static_cast<int>(state.range(0)));
    const auto c = context(f);
    NoStatus status;
    for (auto _ : state) {
        state.PauseTiming();
        catalogue::sortSection(c, bigSection(f), catalogue::GoodsSort::ByCode, status);
        state.ResumeTiming();
        catalogue::sortSection(c, bigSection(f), catalogue::GoodsSort::ByGrossPrice, status);
    }
}

void GoodsCommand(benchmark::State& state) {
    const auto& f = fixture(static_cast<int>(state.range(0)));
    const std::string command = std::string(ARKONA_CLI) + " goods '" + f.folder.string() +
                                "' --page " + f.bigPage + " > /dev/null";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("arkona goods failed");
        }
    }
}

void PagesWithItem(benchmark::State& state) {
    const auto& f = fixture(static_cast<int>(state.range(0)));
    const auto c = context(f);
    for (auto _ : state) {
        const auto pages = catalogue::pagesWithItem(c, kEverywhere);
        if (pages.size() != 1000) {
            state.SkipWithError("the item is not on 1,000 pages");
        }
    }
}

#define GOODS_BENCHMARK(name)                                                                      \
    BENCHMARK(name)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(3)

GOODS_BENCHMARK(ReadZbozi);
GOODS_BENCHMARK(OpenSectionWithoutPrices);
GOODS_BENCHMARK(OpenSectionWithPrices);
GOODS_BENCHMARK(PlaceThousand);
GOODS_BENCHMARK(SortByPrice);
GOODS_BENCHMARK(GoodsCommand);
GOODS_BENCHMARK(PagesWithItem);

// Prints each measure against reading zbozi.dbf at the same size, and 2× against 1×.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const auto& run : runs) {
            times_[run.benchmark_name()] = run.GetAdjustedRealTime();
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        const auto time = [&](const std::string& name, int times) {
            const auto it = times_.find(name + "/" + std::to_string(times) + "/iterations:3");
            return it == times_.end() ? 0.0 : it->second;
        };
        for (const char* name : {"ReadZbozi", "OpenSectionWithoutPrices", "OpenSectionWithPrices",
                                 "PlaceThousand", "SortByPrice", "GoodsCommand", "PagesWithItem"}) {
            const double one = time(name, 1);
            const double two = time(name, 2);
            if (one <= 0 || two <= 0) {
                continue;
            }
            std::cout << name << ": against reading zbozi.dbf 1× " << one / time("ReadZbozi", 1)
                      << ", 2× " << two / time("ReadZbozi", 2) << "; 2× / 1× = " << two / one
                      << " (linear: 2)\n";
        }
    }

private:
    std::map<std::string, double> times_;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    fs::remove_all(benchFolder());
    benchmark::Shutdown();
    return 0;
}
