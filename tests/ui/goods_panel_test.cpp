// The goods of a product section in the main window: listing with and without prices, the add
// menu with the row editor, deleting marked rows, sorting by a column title, the toolbar.
#include "app/main_window.h"
#include "base/dbf/table.h"
#include "catalogue/goods_sorting.h"
#include "catalogue/section_goods.h"
#include "catalogue/ui/catalogue_window.h"
#include "catalogue/ui/goods_panel.h"
#include "site/ui/page_tree_widget.h"
#include "storage/data_module.h"
#include "support/ui_driver.h"

#include <QAction>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace arkona;
using namespace arkona::uitest;
using app::TArkona1;
using catalogue::ui::TGoodsPanel;
using site::ui::PageTreeWidget;

namespace {

QString u(const char* text) {
    return QString::fromUtf8(text);
}

// The main window on a copy of the sample shop, with the product section "Nabídka čajů" of page
// "Čaje" (8_) chosen.
struct Shop {
    QTemporaryDir dir;
    std::filesystem::path root{dir.path().toStdString()};
    storage::UserSettings settings{root / "settings.ini"};
    storage::ProjectContext context;
    storage::TData2 data;
    std::unique_ptr<TArkona1> window;
    std::filesystem::path project = root / "Ukazka";
    TGoodsPanel* panel = nullptr;
    QTableWidget* grid = nullptr;
    bool ready = false;

    Shop() {
        settings.write(storage::UserSettings::kEditor, "ExtEditorHTML", "");
        std::filesystem::copy(std::filesystem::path(ARKONA_SAMPLES_DIR) / "zakladni", project,
                              std::filesystem::copy_options::recursive);
        window = std::make_unique<TArkona1>(context, data, settings);
        window->setProjectChooser([] { return std::filesystem::path(); });
        window->setStartProject(project);
        window->resize(1000, 700);
        window->show();
        if (!QTest::qWaitFor([this] { return context.projectOpen; }, 30000)) {
            return;
        }
        auto* tree = control<PageTreeWidget>(window.get(), "tvTree");
        const QRect r = tree->visualItemRect(tree->itemOf("8_"));
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, r.topLeft() + QPoint(24, 4));
        auto* sections = control<QTableWidget>(window.get(), "grdSekce");
        QTest::mouseClick(sections->viewport(), Qt::LeftButton, {},
                          sections->visualRect(sections->model()->index(1, 1)).center());
        panel = window->goodsPanel();
        grid = panel->list();
        ready = panel->isVisible() && grid->rowCount() > 0;
    }
    QString cell(int row, int column) const {
        const QTableWidgetItem* item = grid->item(row, column);
        return item ? item->text() : QString();
    }
    QStringList codes() const {
        QStringList out;
        for (int r = 0; r < grid->rowCount(); ++r) {
            out << cell(r, 5);
        }
        return out;
    }
    // "PORADI KOD NAZEV" of the section's stored rows in file order, read after the window let go.
    QStringList stored() const {
        QStringList out;
        dbf::Table::open(project / "_dbf" / "zbozi.dbf", dbf::OpenMode::ReadOnly)
            .scan([&](const dbf::Record& r) {
                if (r.text("HTMLID") == "8_" && r.integerOr("SEKCEID") == 2 && !r.deleted()) {
                    out << QString::fromStdString(std::to_string(r.integerOr("PORADI")) + " " +
                                                  r.text("KOD") + " " + r.text("NAZEV"));
                }
                return true;
            });
        return out;
    }
    void clickRow(int row, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, modifiers,
                          grid->visualRect(grid->model()->index(row, 0)).center());
    }
};

} // namespace

class GoodsPanelTest : public QObject {
    Q_OBJECT
private slots:
    void theSectionsGoodsWithAndWithoutPrices();
    void insOpensTheAddMenuAndAHeadingIsStored();
    void delAsksAndDeletesOnlyOnYes();
    void aTitleClickSortsBySalePrice();
    void fromTheCatalogueOpensItsPlacingMode();
};

void GoodsPanelTest::theSectionsGoodsWithAndWithoutPrices() {
    Shop shop;
    ScriptedPrompter prompter;
    QVERIFY(shop.ready);
    QCOMPARE(shop.grid->rowCount(), 5);
    QCOMPARE(shop.grid->horizontalHeaderItem(0)->text(), u("Název zboží (sestavy) / Nadpis"));
    QCOMPARE(shop.grid->horizontalHeaderItem(4)->text(), u("Sleva Kč"));
    const QStringList second{shop.cell(1, 0), shop.cell(1, 1), shop.cell(1, 2), shop.cell(1, 3),
                             shop.cell(1, 4), shop.cell(1, 5), shop.cell(1, 6)};
    QCOMPARE(second, (QStringList{u("Darjeeling First Flush, 50 g"), "120,00", "125,90", "10,00",
                                  "12,00", "CAJ-002", u("zboží - katalog")}));
    saveScreenshot(shop.window.get(), "zbozi_v_sekci");

    // "$" off: the short read, the price columns hidden, the choice remembered in the menu.
    auto* prices = control<QToolButton>(shop.panel, "sbCeny");
    QVERIFY(prices->isChecked());
    prices->click();
    QVERIFY(!shop.data.goodsWithPrices());
    QVERIFY(!action(shop.window.get(), "mnZobrazitCeny")->isChecked());
    QVERIFY(shop.grid->isColumnHidden(1));
    QVERIFY(shop.grid->isColumnHidden(2));
    QVERIFY(shop.grid->isColumnHidden(4));
    QCOMPARE(shop.cell(1, 1), QString());
    QCOMPARE(shop.cell(1, 3), "10,00");
    QCOMPARE(shop.cell(1, 5), "CAJ-002");
    // The menu switches it back.
    action(shop.window.get(), "mnZobrazitCeny")->trigger();
    QVERIFY(prices->isChecked());
    QCOMPARE(shop.cell(1, 1), "120,00");
    QVERIFY(prompter.messages().empty());
}

void GoodsPanelTest::insOpensTheAddMenuAndAHeadingIsStored() {
    Shop shop;
    ScriptedPrompter prompter;
    QVERIFY(shop.ready);
    shop.clickRow(0);
    QVERIFY(shop.grid->hasFocus());
    // The toolbar acts on goods now.
    QVERIFY(action(shop.window.get(), "tbUpravit")->isEnabled());
    QVERIFY(action(shop.window.get(), "tbOdstranit")->isEnabled());
    QVERIFY(!action(shop.window.get(), "tbSeradit")->isEnabled());
    QTest::keyClick(shop.grid, Qt::Key_Insert);
    QMenu* menu = shop.panel->addMenu();
    QTRY_VERIFY(menu->isVisible());
    QStringList entries;
    for (QAction* a : menu->actions()) {
        entries << a->text();
    }
    QCOMPARE(entries, (QStringList{u("Nové zboží &ručně zadané"), u("Nové zboží z &katalogu"),
                                   u("Nová ses&tava ručně zadaná"), u("Nová &sestava z katalogu"),
                                   u("Nový &nadpis")}));
    menu->hide();
    whenModal("TfrmProd", [](QWidget* d) {
        QCOMPARE(d->windowTitle(), u("Nadpis v produktové sekci"));
        control<QLineEdit>(d, "txtNazev")->insert(u("Dárky")); // as typed: textEdited
        QTest::mouseClick(control<QPushButton>(d, "pbOK"), Qt::LeftButton);
    });
    action(shop.panel, "mnNadpis")->trigger();
    QCOMPARE(shop.grid->rowCount(), 6);
    QCOMPARE(shop.cell(5, 0), u("Dárky"));
    QCOMPARE(shop.cell(5, 6), u("nadpis"));
    QCOMPARE(shop.grid->currentRow(), 5);
    QVERIFY(prompter.messages().empty());
    shop.window->close(); // asks whether to end; the default answer ends
    QCOMPARE(shop.stored().back(), u("6  Dárky"));
}

void GoodsPanelTest::delAsksAndDeletesOnlyOnYes() {
    Shop shop;
    ScriptedPrompter prompter;
    QVERIFY(shop.ready);
    shop.clickRow(1);
    shop.clickRow(3, Qt::ControlModifier);
    prompter.answer(Answer::No);
    QTest::keyClick(shop.grid, Qt::Key_Delete);
    QCOMPARE(prompter.texts(), (std::vector<std::string>{catalogue::kDeleteManyProductsQuestion}));
    QCOMPARE(shop.grid->rowCount(), 5);
    QCOMPARE(shop.stored().size(), 5);
    prompter.answer(Answer::Yes);
    action(shop.window.get(), "tbOdstranit")->trigger();
    QCOMPARE(shop.codes(), (QStringList{"CAJ-001", "CAJ-003", "CAJ-005"}));
    // One row marked: the question for one.
    prompter.clear();
    shop.clickRow(0);
    prompter.answer(Answer::Yes);
    QTest::keyClick(shop.grid, Qt::Key_Delete);
    QCOMPARE(prompter.texts(), (std::vector<std::string>{catalogue::kDeleteOneProductQuestion}));
    shop.window->close();
    QCOMPARE(shop.stored(), (QStringList{u("3 CAJ-003 Skleněná konvice s sítkem, 1 l"),
                                         u("5 CAJ-005 Dárkový poukaz na 500 Kč")}));
}

void GoodsPanelTest::aTitleClickSortsBySalePrice() {
    Shop shop;
    ScriptedPrompter prompter;
    QVERIFY(shop.ready);
    // Net prices 156, 120, 350, 350, 500: the two at 350 keep their order.
    QTest::mouseClick(shop.grid->horizontalHeader()->viewport(), Qt::LeftButton, {},
                      QPoint(shop.grid->horizontalHeader()->sectionViewportPosition(1) + 10, 5));
    QCOMPARE(shop.codes(), (QStringList{"CAJ-002", "CAJ-001", "CAJ-003", "CAJ-004", "CAJ-005"}));
    // By name in Czech order: "Darjeeling" before "Dárkové" ('j' before 'k'), "é" before "ý".
    QTest::mouseClick(shop.grid->horizontalHeader()->viewport(), Qt::LeftButton, {},
                      QPoint(shop.grid->horizontalHeader()->sectionViewportPosition(0) + 10, 5));
    QCOMPARE(shop.codes(), (QStringList{"CAJ-002", "CAJ-004", "CAJ-005", "CAJ-001", "CAJ-003"}));
    QVERIFY(prompter.messages().empty());
    shop.window->close();
    QCOMPARE(shop.stored().first(), u("4 CAJ-001 Sencha Japan, 100 g"));
}

void GoodsPanelTest::fromTheCatalogueOpensItsPlacingMode() {
    Shop shop;
    ScriptedPrompter prompter;
    QVERIFY(shop.ready);
    action(shop.panel, "mnSestavaKatalog")->trigger();
    catalogue::ui::TfrmKat* katalog = shop.window->catalogueWindow();
    QVERIFY(katalog && katalog->isVisible());
    QVERIFY(katalog->mode() == catalogue::ui::TfrmKat::Mode::S);
    QVERIFY(katalog->target());
    QCOMPARE(katalog->target()->section, (catalogue::SectionKey{"8_", 2}));
    QCOMPARE(katalog->target()->pageTitle, std::string("Čaje"));
    QVERIFY(action(katalog, "mnVlozitDoSekce")->isVisible());
    katalog->close();
    QVERIFY(katalog->mode() == catalogue::ui::TfrmKat::Mode::None);
    QCOMPARE(shop.grid->rowCount(), 5);
    QVERIFY(prompter.messages().empty());
}

QTEST_MAIN(GoodsPanelTest)
#include "goods_panel_test.moc"
