// Placing catalogue items into a product section from the catalogue window, and the window of
// the pages an item is placed on.
#include "catalogue/catalogue_settings.h"
#include "catalogue/goods_placing.h"
#include "catalogue/ui/catalogue_window.h"
#include "catalogue/ui/item_pages_dialog.h"
#include "katalog_fixture.h"
#include "support/ui_driver.h"

#include <QItemSelectionModel>
#include <QLabel>
#include <QListWidget>
#include <QTableView>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

using namespace arkona;
using namespace arkona::uitest;
using catalogue::ui::TfrmKat;
using catalogue::ui::TfrmZarazZbozi;
namespace fs = std::filesystem;

namespace {

QString u(const char* text) {
    return QString::fromUtf8(text);
}

std::string readFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Page 8_ "Nabídka čajů" (folder \caje) with product sections 1 and 2, page 9_ "Káva" with
// product section 2. Group "Čaje" holds A1 (with a picture), B2, C3, D4; "Prázdná" nothing.
// Section 8_/1 already holds "b2" (PORADI 4) and "ABC".
struct Placing : KatalogProject {
    std::unique_ptr<TfrmKat> window;
    fs::path pageFolder{folder / "WWW" / "caje"};
    QStringList statuses;
    int placed = 0;

    Placing() {
        add("skupiny.dbf", {group(1, "Čaje", 0, 1), group(2, "Prázdná", 0, 2)});
        Row a1 = item(1, "A1", "Abeceda čaje", 100);
        a1.emplace_back("OBRAZEK", "a1.gif");
        a1.emplace_back("SLEVA", 10.0);
        add("katalog.dbf", {a1, item(1, "B2", "Bylinky", 50), item(1, "C3", "Cejlon", 80),
                            item(1, "D4", "Darjeeling", 90)});
        add("struktur.dbf",
            {{{"HTMLID", "8_"}, {"N_HTMLID", 8}, {"POPIS", "Nabídka čajů"}, {"DISK", "\\caje"}},
             {{"HTMLID", "9_"}, {"N_HTMLID", 9}, {"POPIS", "Káva"}}});
        add("html.dbf", {{{"HTMLID", "8_"}, {"SEKCEID", 1}, {"TYP", "p"}},
                         {{"HTMLID", "8_"}, {"SEKCEID", 2}, {"TYP", "p"}},
                         {{"HTMLID", "9_"}, {"SEKCEID", 2}, {"TYP", "p"}}});
        add("zbozi.dbf",
            {goods("8_", 1, 4, "b2", "Bylinky dříve"), goods("8_", 1, 2, "ABC", "Abc")});
        std::ofstream(folder / "_obr" / "a1.gif", std::ios::binary) << "GIF89a-new";
        fs::create_directories(pageFolder);
        std::ofstream(pageFolder / "a1.gif", std::ios::binary) << "GIF89a-older";
    }
    static Row goods(const char* page, int section, int order, const char* code, const char* name) {
        return {{"HTMLID", page}, {"SEKCEID", section}, {"PORADI", order},
                {"TYP", "K"},     {"KOD", code},        {"NAZEV", name}};
    }
    TfrmKat& make() {
        window = std::make_unique<TfrmKat>(context, data, settings);
        QObject::connect(window.get(), &TfrmKat::statusShown,
                         [this](const QString& text) { statuses << text; });
        QObject::connect(window.get(), &TfrmKat::goodsPlaced, [this] { ++placed; });
        return *window;
    }
    TfrmKat& place(TfrmKat::Mode mode, int section = 1) {
        make();
        window->startPlacing(mode, catalogue::placingTarget(context, {"8_", section}));
        return *window;
    }
    QTreeWidget* tree() const { return control<QTreeWidget>(window.get(), "tvSkupiny"); }
    QTableView* list() const { return control<QTableView>(window.get(), "grdKatalog"); }
    void clickGroup(const char* name) const {
        const auto found = tree()->findItems(u(name), Qt::MatchExactly | Qt::MatchRecursive);
        QVERIFY2(!found.isEmpty(), name);
        QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {},
                          tree()->visualItemRect(found.front()).center());
    }
    void clickRow(int row, Qt::KeyboardModifiers modifiers = {}) const {
        const QRect r = list()->visualRect(list()->model()->index(row, 0));
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, modifiers, r.center());
    }
    QStringList marked() const {
        QStringList out;
        for (const QModelIndex& index : list()->selectionModel()->selectedRows()) {
            out << index.data().toString();
        }
        out.sort();
        return out;
    }
    // Clicks the toolbar button "Vložit vybrané zboží do sekce", with Ctrl held or not.
    void clickPlace(Qt::KeyboardModifiers modifiers = {}) const {
        QAction* a = action(window.get(), "tbVlozit");
        QVERIFY(a && a->isVisible() && a->isEnabled());
        QWidget* button =
            window->findChild<QToolBar*>(QStringLiteral("tbKatalog"))->widgetForAction(a);
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton, modifiers);
    }
    // The rows of zbozi.dbf from the record `from` on.
    Strings stored(std::size_t from = 0) const {
        Strings all = rows("zbozi.dbf", {"HTMLID", "SEKCEID", "PORADI", "TYP", "KOD", "NAZEV",
                                         "P_CENA", "P_CENA_DPH", "P_IDPH", "ROUND", "SLEVA",
                                         "KS_MAX", "KS_KROK", "MJ", "OBRAZEK"});
        return Strings(all.begin() + static_cast<std::ptrdiff_t>(std::min(from, all.size())),
                       all.end());
    }
};

} // namespace

class KatalogPlacingTest : public QObject {
    Q_OBJECT
private slots:
    void placingWithCtrlKeepsTheWindowOpenAndWithoutClosesIt();
    void modeSReportsTheFirstSetPlaced();
    void nothingMarkedAndTheModeClearedOnClose();
    void thePagesWindowFollowsTheCurrentItem();
    void thePagesWindowRemembersWhereItStood();
};

void KatalogPlacingTest::placingWithCtrlKeepsTheWindowOpenAndWithoutClosesIt() {
    Placing p;
    ScriptedPrompter prompter;
    prompter.answers({Answer::Ok, Answer::Ok});
    TfrmKat& w = p.place(TfrmKat::Mode::Z);
    QVERIFY(w.isVisible());
    QCOMPARE(w.mode(), TfrmKat::Mode::Z);
    QVERIFY(action(&w, "mnVlozitDoSekce")->isVisible());
    QVERIFY(action(&w, "mnVlozitDoSekce")->isEnabled());
    QVERIFY(!action(&w, "mnVlozitDoSestavy")->isVisible());
    p.clickGroup("Čaje");
    QCOMPARE(w.shownGroup(), 1);
    // A1, B2 and C3 marked; B2 is in the section already as "b2".
    p.clickRow(0);
    p.clickRow(2, Qt::ShiftModifier);
    QCOMPARE(p.marked(), (QStringList{"A1", "B2", "C3"}));
    saveScreenshot(&w, "katalog_vkladani");
    p.statuses.clear();
    p.clickPlace(Qt::ControlModifier);

    QVERIFY(w.isVisible());
    QCOMPARE(w.mode(), TfrmKat::Mode::Z);
    QCOMPARE(prompter.texts(), (Strings{"Zboží s kódem B2 již v produktové sekci existuje!",
                                        "Záznamy byly přidány do produktové sekce!"}));
    QCOMPARE(prompter.messages()[0].kind, MessageKind::Warning);
    QCOMPARE(prompter.messages()[1].kind, MessageKind::Information);
    QCOMPARE(prompter.unexpected(), 0);
    QCOMPARE(p.statuses.mid(0, 3),
             (QStringList{u("Vkládám zboží \"Abeceda čaje\" do stránky \"Nabídka čajů\" ..."),
                          u("Vkládám zboží \"Bylinky\" do stránky \"Nabídka čajů\" ..."),
                          u("Vkládám zboží \"Cejlon\" do stránky \"Nabídka čajů\" ...")}));
    QCOMPARE(control<QLabel>(&w, "lblSkupina")->text(), u("Zobrazena skupina \"Čaje\"."));
    QCOMPARE(p.placed, 1);
    // Two rows after the largest PORADI (4): the item's prices (A1 at 10 % off), its VAT code
    // and rounding, 30 pieces by 1, the picture copied over the older file of the page.
    QCOMPARE(p.stored(2),
             (Strings{"8_ 1 5 K A1 Abeceda čaje 100.00 122.00 H 0 10.0000 30.000 1.000 ks a1.gif",
                      "8_ 1 6 K C3 Cejlon 80.00 97.60 H 0 0.0000 30.000 1.000 ks"}));
    QCOMPARE(readFile(p.pageFolder / "a1.gif"), std::string("GIF89a-new"));
    // The marks are cleared, the current row stays.
    QVERIFY(p.marked().isEmpty());
    QCOMPARE(p.list()->currentIndex().row(), 2);

    // D4 without Ctrl: placed, then the window closes and forgets its mode.
    prompter.clear();
    prompter.answer(Answer::Ok);
    p.clickRow(3);
    p.clickPlace();
    QVERIFY(!w.isVisible());
    QCOMPARE(w.mode(), TfrmKat::Mode::None);
    QVERIFY(!w.target());
    QCOMPARE(prompter.texts(), (Strings{"Záznamy byly přidány do produktové sekce!"}));
    QCOMPARE(p.stored().back(), "8_ 1 7 K D4 Darjeeling 90.00 109.80 H 0 0.0000 30.000 1.000 ks");
    QCOMPARE(p.placed, 2);
    QCOMPARE(prompter.unexpected(), 0);
}

void KatalogPlacingTest::modeSReportsTheFirstSetPlaced() {
    Placing p;
    ScriptedPrompter prompter;
    prompter.answers({Answer::Ok, Answer::Ok});
    std::vector<catalogue::ProductRef> sets;
    bool closedFirst = false;
    TfrmKat& w = p.place(TfrmKat::Mode::S, 2);
    QObject::connect(&w, &TfrmKat::firstSetPlaced, [&](const catalogue::ProductRef& ref) {
        sets.push_back(ref);
        closedFirst = !w.isVisible() && p.placed == 1;
    });
    p.clickGroup("Čaje");
    // B2 then D4, and "C3" placed before into section 2 by hand (other letter case).
    p.add("zbozi.dbf", {Placing::goods("8_", 2, 1, "c3", "Cejlon ručně")});
    p.clickRow(1);
    p.clickRow(3, Qt::ControlModifier);
    p.clickRow(2, Qt::ControlModifier);
    QCOMPARE(p.marked(), (QStringList{"B2", "C3", "D4"}));
    p.clickPlace();
    QCOMPARE(prompter.texts(), (Strings{"Zboží s kódem C3 již v produktové sekci existuje!",
                                        "Záznamy byly přidány do produktové sekce!"}));
    QCOMPARE(p.stored().back(), "8_ 2 3 E D4 Darjeeling 90.00 109.80 H 0 0.0000 30.000 1.000 ks");
    QCOMPARE(p.stored().at(3), "8_ 2 2 E B2 Bylinky 50.00 61.00 H 0 0.0000 30.000 1.000 ks");
    QVERIFY(closedFirst);
    QCOMPARE(w.mode(), TfrmKat::Mode::None);
    QCOMPARE(sets.size(), std::size_t(1));
    QCOMPARE(sets[0].recno, 3u); // the fourth record: b2, ABC, c3, then B2
    QCOMPARE(sets[0].htmlId, std::string("8_"));
    QCOMPARE(sets[0].sekceId, 2);
    QCOMPARE(sets[0].kod, std::string("B2"));
    QCOMPARE(sets[0].poradi, 2);

    // Mode "Z" reports no set.
    prompter.clear();
    prompter.answer(Answer::Ok);
    w.startPlacing(TfrmKat::Mode::Z, catalogue::placingTarget(p.context, {"9_", 2}));
    p.clickGroup("Čaje");
    p.clickRow(0);
    p.clickPlace();
    QCOMPARE(p.stored().back(),
             "9_ 2 1 K A1 Abeceda čaje 100.00 122.00 H 0 10.0000 30.000 1.000 ks a1.gif");
    QCOMPARE(sets.size(), std::size_t(1));
    QCOMPARE(prompter.unexpected(), 0);
}

void KatalogPlacingTest::nothingMarkedAndTheModeClearedOnClose() {
    Placing p;
    ScriptedPrompter prompter;
    prompter.answer(Answer::Ok);
    TfrmKat& w = p.place(TfrmKat::Mode::Z);
    p.clickGroup("Čaje");
    p.list()->clearSelection();
    QVERIFY(p.marked().isEmpty());
    const Strings before = p.stored();
    action(&w, "mnVlozitDoSekce")->trigger();
    QCOMPARE(prompter.texts(), (Strings{"Není označeno žádné zboží!"}));
    QVERIFY(w.isVisible());
    QCOMPARE(w.mode(), TfrmKat::Mode::Z);
    QCOMPARE(p.stored(), before);
    QCOMPARE(p.placed, 0);

    // Closed by "&Konec": the mode goes, and opening the catalogue plainly shows no placing.
    action(&w, "mnKonec")->trigger();
    QVERIFY(!w.isVisible());
    QCOMPARE(w.mode(), TfrmKat::Mode::None);
    w.openCatalogue();
    QCOMPARE(w.mode(), TfrmKat::Mode::None);
    QVERIFY(!action(&w, "mnVlozitDoSekce")->isVisible());
    QVERIFY(!action(&w, "tbVlozit")->isVisible());
    QVERIFY(!action(&w, "tbVlozit")->isEnabled());
    // The command itself does nothing outside a placing mode.
    w.placeCommand();
    QCOMPARE(prompter.messages().size(), std::size_t(1));
    QCOMPARE(p.stored(), before);
}

void KatalogPlacingTest::thePagesWindowFollowsTheCurrentItem() {
    Placing p;
    // A1 on both sections of 8_ and on 9_ (one in lower case); "A1X" and "A" are other codes.
    p.add("zbozi.dbf",
          {Placing::goods("9_", 2, 1, "A1", "A1"), Placing::goods("8_", 2, 1, "a1", "a1"),
           Placing::goods("9_", 2, 2, "A1X", "A1X"), Placing::goods("8_", 1, 3, "A", "A"),
           Placing::goods("8_", 1, 1, "A1", "A1")});
    ScriptedPrompter prompter;
    TfrmKat& w = p.make();
    w.openCatalogue();
    p.clickGroup("Čaje");
    p.clickRow(0);
    QVERIFY(!w.pagesWindow());
    p.statuses.clear();
    action(&w, "mnStranky")->trigger();
    TfrmZarazZbozi* pages = w.pagesWindow();
    QVERIFY(pages && pages->isVisible());
    QVERIFY(action(&w, "tbStranky")->isChecked());
    QCOMPARE(pages->windowTitle(), u("Abeceda čaje"));
    QCOMPARE(pages->pages(), (QStringList{u("Káva"), u("Nabídka čajů"), u("Nabídka čajů")}));
    QCOMPARE(pages->statusText(), u("Počet stránek s tímto zbožím: 3"));
    QCOMPARE(p.statuses,
             (QStringList{u("Načítám seznam stránek obsahujících zboží \"Abeceda čaje\"."),
                          u("Zobrazena skupina \"Čaje\".")}));
    saveScreenshot(pages, "katalog_stranky_zbozi");

    // Another item: its own pages ("b2" in another letter case).
    p.clickRow(1);
    QCOMPARE(pages->windowTitle(), u("Bylinky"));
    QCOMPARE(pages->pages(), (QStringList{u("Nabídka čajů")}));
    QCOMPARE(pages->statusText(), u("Počet stránek s tímto zbožím: 1"));
    p.clickRow(3);
    QCOMPARE(pages->windowTitle(), u("Darjeeling"));
    QVERIFY(pages->pages().isEmpty());
    QCOMPARE(pages->statusText(), u("Počet stránek s tímto zbožím: 0"));
    // An empty group clears it.
    p.clickGroup("Prázdná");
    QCOMPARE(w.shownGroup(), 2);
    QVERIFY(pages->pages().isEmpty());
    QVERIFY(pages->statusText().isEmpty());
    QVERIFY(pages->windowTitle().isEmpty());
    // Back in the group the first item shows again.
    p.clickGroup("Čaje");
    QCOMPARE(pages->windowTitle(), u("Abeceda čaje"));
    QCOMPARE(pages->statusText(), u("Počet stránek s tímto zbožím: 3"));

    // Toggled off by the toolbar button, on by the menu.
    action(&w, "tbStranky")->trigger();
    QVERIFY(!pages->isVisible());
    QVERIFY(!action(&w, "mnStranky")->isChecked());
    p.clickRow(1); // not followed while hidden
    QCOMPARE(pages->windowTitle(), u("Abeceda čaje"));
    action(&w, "mnStranky")->trigger();
    QVERIFY(pages->isVisible());
    QCOMPARE(pages->windowTitle(), u("Bylinky"));

    // Placing refreshes it: B2 into 9_ section 2.
    prompter.answer(Answer::Ok);
    w.close();
    QVERIFY(!pages->isVisible());
    w.startPlacing(TfrmKat::Mode::Z, catalogue::placingTarget(p.context, {"9_", 2}));
    QVERIFY(pages->isVisible());
    p.clickGroup("Čaje");
    p.clickRow(1);
    p.clickPlace(Qt::ControlModifier);
    QCOMPARE(pages->pages(), (QStringList{u("Nabídka čajů"), u("Káva")}));
    QCOMPARE(prompter.texts(), (Strings{"Záznamy byly přidány do produktové sekce!"}));
    QCOMPARE(prompter.unexpected(), 0);
}

void KatalogPlacingTest::thePagesWindowRemembersWhereItStood() {
    Placing p;
    ScriptedPrompter prompter;
    const char* key = catalogue::PagesWindowPlace::kKey;
    {
        TfrmKat& w = p.make();
        w.openCatalogue();
        action(&w, "tbStranky")->trigger();
        TfrmZarazZbozi* pages = w.pagesWindow();
        QVERIFY(pages && pages->isVisible());
        // The first time beside the catalogue.
        QCOMPARE(pages->pos().x(), w.frameGeometry().right() + 1);
        pages->move(40, 60);
        pages->resize(310, 280);
        // Closed by the user: the toggle turns off and the place is stored.
        pages->close();
        QVERIFY(!pages->isVisible());
        QVERIFY(!action(&w, "mnStranky")->isChecked());
        QVERIFY(!action(&w, "tbStranky")->isChecked());
        QCOMPARE(profileValue(p.settingsFile, key, "Left"), std::string("40"));
        QCOMPARE(profileValue(p.settingsFile, key, "Top"), std::string("60"));
        QCOMPARE(profileValue(p.settingsFile, key, "Width"), std::string("310"));
        QCOMPARE(profileValue(p.settingsFile, key, "Height"), std::string("280"));
        // On again, then the catalogue closes with it on: the toggle is remembered.
        action(&w, "mnStranky")->trigger();
        QVERIFY(pages->isVisible());
        pages->move(50, 70);
        w.close();
        QVERIFY(!pages->isVisible());
        QVERIFY(action(&w, "mnStranky")->isChecked());
        QCOMPARE(profileValue(p.settingsFile, catalogue::KatalogSettings::kKey, "ZarazZbozi"),
                 std::string("1"));
        QCOMPARE(profileValue(p.settingsFile, key, "Left"), std::string("50"));
    }
    // A new catalogue window opens the pages window at the stored place.
    TfrmKat& w = p.make();
    w.openCatalogue();
    TfrmZarazZbozi* pages = w.pagesWindow();
    QVERIFY(pages && pages->isVisible());
    QCOMPARE(pages->pos(), QPoint(50, 70));
    QCOMPARE(pages->size(), QSize(310, 280));
    QCOMPARE(pages->windowTitle(), u("Abeceda čaje"));
    QVERIFY(prompter.messages().empty());
}

QTEST_MAIN(KatalogPlacingTest)
#include "katalog_placing_test.moc"
