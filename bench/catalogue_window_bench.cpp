// The catalogue window on a group of 100,000 items: opening the window with the group selected,
// scrolling the item list through 1,000 positions (each shows the current item's prices and
// description) and a name search, against opening the data module's qKatalog on the same group.
// The window's list reads code and name only; qKatalog reads whole rows.
#include "base/dbf/table.h"
#include "catalogue/calculated_columns.h"
#include "catalogue/ui/catalogue_window.h"
#include "storage/data_module.h"
#include "storage/project_context.h"
#include "storage/schema.h"
#include "storage/user_settings.h"

#include <QApplication>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QTableView>
#include <benchmark/benchmark.h>
#include <fstream>
#include <iostream>
#include <map>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace arkona;

constexpr int kItems = 100000;

// A project whose group 1 holds `items` items (a description in every fifth), with a few
// small groups beside it.
fs::path makeProject(int items) {
    const fs::path folder =
        fs::temp_directory_path() / ("arkona-bench-katalog-" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder / "_dbf");
    std::ofstream(folder / "ArkonaTree.ini") << "[Sazby_DPH]\r\niDPH_L=5\r\niDPH_H=22\r\n";
    for (const auto& schema : storage::projectTables()) {
        dbf::Table::create(folder / "_dbf" / schema.fileName, schema.fields());
    }
    {
        auto skupiny = dbf::Table::open(folder / "_dbf" / storage::kSkupiny);
        for (int g = 1; g <= 5; ++g) {
            auto r = skupiny.blankRecord();
            r.setNumber("SKUPID", g);
            r.setText("NAZEV", "Skupina " + std::to_string(g));
            r.setNumber("PARENT", 0);
            r.setNumber("PORADI", g);
            skupiny.append(r);
        }
    }
    auto katalog = dbf::Table::open(folder / "_dbf" / storage::kKatalog);
    std::vector<dbf::Record> rows;
    rows.reserve(10000);
    for (int i = 0; i < items + 400; ++i) {
        auto r = katalog.blankRecord();
        r.setNumber("SKUPID", i < items ? 1 : 2 + i % 4);
        // Codes and names in another order than the file's, so the sort has work to do.
        const int n = (i * 7919) % (items + 400);
        r.setText("KOD", "ZB-" + std::to_string(100000 + n));
        r.setText("NAZEV", "Čaj zelený „Sencha“ č. " + std::to_string(n) + ", balení 100 g");
        if (i % 5 == 0) {
            r.setMemo("POPIS", "Jemný japonský čaj se svěží chutí. Položka číslo " +
                                   std::to_string(n) + ".");
        }
        r.setText("N_IDPH", "H");
        r.setText("P_IDPH", "H");
        r.setNumber("P_H", 10 + (i % 1000) * 1.37);
        r.setText("ROUND", "1");
        rows.push_back(std::move(r));
        if (rows.size() == 10000) {
            katalog.append(rows);
            rows.clear();
        }
    }
    katalog.append(rows);
    return folder;
}

struct Fixture {
    fs::path folder = makeProject(kItems);
    storage::ProjectContext context;
    storage::TData2 data;
    storage::UserSettings settings{folder / "settings.ini"};

    Fixture() {
        context.setProjectFolder(folder);
        storage::readArkonaTree(context);
        context.projectOpen = true;
        data.SetProjectPath(folder);
        catalogue::installCalculatedColumns(data, context);
    }
    ~Fixture() { fs::remove_all(folder); }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void OpenQKatalog(benchmark::State& state) {
    auto& f = fixture();
    for (auto _ : state) {
        f.data.qKatalog.close();
        f.data.qKatalog.setParameter("SKUPID", 1.0);
        f.data.qKatalog.open();
        if (f.data.qKatalog.rowCount() != kItems) {
            state.SkipWithError("qKatalog does not hold the group");
        }
    }
    f.data.qKatalog.close();
}

void OpenWindow(benchmark::State& state) {
    auto& f = fixture();
    for (auto _ : state) {
        catalogue::ui::TfrmKat window(f.context, f.data, f.settings);
        window.openCatalogue();
        QApplication::processEvents();
        if (window.items().size() != kItems) {
            state.SkipWithError("the window does not list the group");
        }
        state.PauseTiming();
        window.close();
        state.ResumeTiming();
    }
}

void ScrollThousandPositions(benchmark::State& state) {
    auto& f = fixture();
    catalogue::ui::TfrmKat window(f.context, f.data, f.settings);
    window.openCatalogue();
    auto* list = window.findChild<QTableView*>(QStringLiteral("grdKatalog"));
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i) {
            const int row = (i * 97) % kItems;
            const QModelIndex index = list->model()->index(row, 0);
            list->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                               QItemSelectionModel::Rows);
            list->scrollTo(index);
        }
        QApplication::processEvents();
    }
    window.close();
}

void SearchName(benchmark::State& state) {
    auto& f = fixture();
    catalogue::ui::TfrmKat window(f.context, f.data, f.settings);
    window.openCatalogue();
    auto* field = window.findChild<QLineEdit*>(QStringLiteral("txtHledat"));
    window.findChild<QComboBox*>(QStringLiteral("cbHledat"))->setCurrentIndex(1);
    for (auto _ : state) {
        field->clear();
        field->setText(QStringLiteral("Čaj zelený „Sencha“ č. 99999"));
        if (window.currentRow() < 0) {
            state.SkipWithError("the name was not found");
        }
    }
    window.close();
}

BENCHMARK(OpenQKatalog)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(OpenWindow)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ScrollThousandPositions)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(SearchName)->Unit(benchmark::kMillisecond)->Iterations(3);

// Prints each measurement against opening qKatalog on the same group.
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
        const std::string base = "OpenQKatalog/iterations:3";
        if (!times_.contains(base)) {
            return;
        }
        for (const char* name : {"OpenWindow", "ScrollThousandPositions", "SearchName"}) {
            const std::string run = std::string(name) + "/iterations:3";
            if (times_.contains(run)) {
                std::cout << name << " / OpenQKatalog = " << times_[run] / times_[base] << "\n";
            }
        }
    }

private:
    std::map<std::string, double> times_;
};

} // namespace

// The offscreen platform's notes about what it cannot do would drown the table.
void quietPlatform(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtWarningMsg || !message.startsWith(QStringLiteral("This plugin does not"))) {
        std::cerr << message.toStdString() << "\n";
    }
}

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietPlatform);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
