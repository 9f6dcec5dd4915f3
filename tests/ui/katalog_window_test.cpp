// The catalogue window driven through its tree, list, menus, toolbar and keys.
#include "app/main_window.h"
#include "catalogue/catalogue_settings.h"
#include "catalogue/ui/catalogue_window.h"
#include "catalogue/ui/item_list_model.h"
#include "katalog_fixture.h"
#include "support/ui_driver.h"

#include <QComboBox>
#include <QDialog>
#include <QDropEvent>
#include <QFile>
#include <QImage>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>

using namespace arkona;
using namespace arkona::uitest;
using catalogue::GroupPlace;
using catalogue::ui::TfrmKat;
namespace fs = std::filesystem;

namespace {

// The sample catalogue of most tests: "Čaje" (1) with "Zelené" (3) and "Černé" (4), "Káva" (2),
// the reserved groups; items in "Čaje" and "Káva".
struct Katalog : KatalogProject {
    std::unique_ptr<TfrmKat> window;

    explicit Katalog(bool fill = true) {
        if (fill) {
            add("skupiny.dbf",
                {group(1, "Čaje", 0, 1), group(3, "Zelené", 1, 2), group(4, "Černé", 1, 3),
                 group(2, "Káva", 0, 4), group(9998, "_Import", 0, 9998),
                 group(9999, "_Import - chyby", 0, 9999)});
            add("katalog.dbf", {item(1, "A1", "Abeceda čaje", 100), item(1, "B2", "Bylinky", 50),
                                item(1, "C3", "Cejlon", 80), item(2, "K1", "Káva zrnková", 200),
                                item(4, "D4", "Darjeeling", 90)});
        }
    }
    TfrmKat& open() {
        window = std::make_unique<TfrmKat>(context, data, settings);
        window->openCatalogue();
        return *window;
    }
    QTreeWidget* tree() const { return control<QTreeWidget>(window.get(), "tvSkupiny"); }
    QTableView* list() const { return control<QTableView>(window.get(), "grdKatalog"); }
    QTreeWidgetItem* node(const QString& name) const {
        const auto found = tree()->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
        return found.isEmpty() ? nullptr : found.front();
    }
    // The tree as lines indented by two blanks per level.
    QStringList shape() const {
        QStringList out;
        std::function<void(QTreeWidgetItem*, int)> walk = [&](QTreeWidgetItem* item, int depth) {
            out << QString(depth * 2, QLatin1Char(' ')) + item->text(0);
            for (int i = 0; i < item->childCount(); ++i) {
                walk(item->child(i), depth + 1);
            }
        };
        for (int i = 0; i < tree()->topLevelItemCount(); ++i) {
            walk(tree()->topLevelItem(i), 0);
        }
        return out;
    }
    QStringList listed() const {
        QStringList out;
        for (int r = 0; r < list()->model()->rowCount(); ++r) {
            out << list()->model()->index(r, 0).data().toString();
        }
        return out;
    }
    void clickGroup(const QString& name) const {
        QTreeWidgetItem* item = node(name);
        QVERIFY2(item, qPrintable(name));
        tree()->scrollToItem(item);
        QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {},
                          tree()->visualItemRect(item).center());
    }
    void clickRow(int row, Qt::KeyboardModifiers modifiers = {}) const {
        const QRect r = list()->visualRect(list()->model()->index(row, 0));
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, modifiers, r.center());
    }
    QString status(const char* name) const { return control<QLabel>(window.get(), name)->text(); }
    void trigger(const char* name) const {
        QAction* a = action(window.get(), name);
        QVERIFY2(a, name);
        QVERIFY2(a->isEnabled(), name);
        a->trigger();
    }
    void drop(const char* mime, const QByteArray& payload, const QString& target) const {
        QTreeWidgetItem* item = node(target);
        QVERIFY2(item, qPrintable(target));
        QVERIFY2(!tree()->visualItemRect(item).isEmpty(), qPrintable(target));
        QMimeData data;
        data.setData(QString::fromLatin1(mime), payload);
        const QPointF at = tree()->visualItemRect(item).center();
        QDragEnterEvent enter(at.toPoint(), Qt::MoveAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(tree()->viewport(), &enter);
        QDropEvent dropped(at, Qt::MoveAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(tree()->viewport(), &dropped);
    }
};

QString u(const char* text) {
    return QString::fromUtf8(text);
}

} // namespace

class KatalogWindowTest : public QObject {
    Q_OBJECT
private slots:
    void aChildListedBeforeItsParentIsPlacedAndRenumbered();
    void aSelectedGroupShowsItsItemsAndTheStatus();
    void arrowKeysLoadTheGroupAfterAPause();
    void aMainGroupAddedOnImportLandsBeforeTheReservedGroups();
    void aSubgroupTakesItsParentsPresets();
    void aDragUnderADescendantIsRefused();
    void aDraggedGroupMovesAndStaysThereAfterReopening();
    void deletingAGroupAsksOnceForItsSecondSubgroup();
    void copyingA1ToA2StoresA2AndOpensTheEditor();
    void deletingTwoMarkedItemsAsksBothQuestions();
    void movingItemsByTheChooserAndByADrag();
    void searchingNamesAndTheWholeCatalogue();
    void selectedPricesUpdatePageProducts();
    void closingMaximizedWritesTheSettings();
    void thePriceListInThePreviewAndAsPdf();
    void theMainWindowOpensTheCatalogue();
    void commandsFollowTheGroupAndTheItem();
    void theDistributorListAndTheGroupEditorTakeOverAChoice();
    void anEditedItemUpdatesItsPageProductsWhenAutoCalcIsOn();
    void markingAllAndThePreviewWithItsPicture();
    void theExpansionOfTheTreeIsStoredOnClose();
    void theChoosersAddButtonOpensTheNewItemEditor();
    void theSampleProjectsCatalogue();
};

void KatalogWindowTest::aChildListedBeforeItsParentIsPlacedAndRenumbered() {
    Katalog k(false);
    k.add("skupiny.dbf",
          {KatalogProject::group(3, "Zelené", 1, 1), KatalogProject::group(1, "Čaje", 0, 2),
           KatalogProject::group(2, "Káva", 0, 3)});
    ScriptedPrompter prompter;
    k.open();
    QCOMPARE(k.shape(), (QStringList{u("Čaje"), u("  Zelené"), u("Káva")}));
    QCOMPARE(k.rows("skupiny.dbf", {"SKUPID", "PARENT", "PORADI"}),
             (Strings{"3 1 2", "1 0 1", "2 0 3"}));
    QCOMPARE(prompter.messages().size(), size_t(0));
}

void KatalogWindowTest::aSelectedGroupShowsItsItemsAndTheStatus() {
    Katalog k;
    ScriptedPrompter prompter;
    TfrmKat& w = k.open();
    k.clickGroup(u("Čaje"));
    QCOMPARE(w.shownGroup(), 1);
    QCOMPARE(k.listed(), (QStringList{"A1", "B2", "C3"}));
    QCOMPARE(k.status("lblPocetSkupin"), u("Počet skupin: 6"));
    QCOMPARE(k.status("lblPocetPolozek"), u("Počet položek zboží: 3/5"));
    QCOMPARE(k.status("lblSkupina"), u("Zobrazena skupina \"Čaje\"."));
    k.clickRow(1);
    QCOMPARE(control<QLabel>(&w, "lblPCena")->text(), u("50,00"));
    QCOMPARE(control<QLabel>(&w, "lblPCenaDPH")->text(), u("61,00"));
    saveScreenshot(&w, "katalog_okno");
    k.clickGroup(u("Černé"));
    QCOMPARE(k.listed(), (QStringList{"D4"}));
    QCOMPARE(k.status("lblPocetPolozek"), u("Počet položek zboží: 1/5"));
    QCOMPARE(k.status("lblSkupina"), u("Zobrazena skupina \"Černé\"."));
}

void KatalogWindowTest::arrowKeysLoadTheGroupAfterAPause() {
    Katalog k;
    ScriptedPrompter prompter;
    TfrmKat& w = k.open();
    k.clickGroup(u("Čaje"));
    k.tree()->expandAll();
    k.tree()->setFocus();
    QTest::keyClick(k.tree(), Qt::Key_Down);
    QTest::keyClick(k.tree(), Qt::Key_Down);
    QCOMPARE(k.tree()->currentItem()->text(0), u("Černé"));
    QCOMPARE(w.shownGroup(), 1); // still the group before the keys
    QTRY_COMPARE_WITH_TIMEOUT(w.shownGroup(), 4, 2000);
    QCOMPARE(k.listed(), (QStringList{"D4"}));
}

void KatalogWindowTest::aMainGroupAddedOnImportLandsBeforeTheReservedGroups() {
    Katalog k;
    ScriptedPrompter prompter;
    k.open();
    k.clickGroup(u("_Import"));
    QVERIFY(!action(k.window.get(), "mnPodskupinu")->isEnabled());
    whenModal("TfrmSkup", [](QWidget* d) {
        auto* ok = control<QPushButton>(d, "pbOK");
        QVERIFY(!ok->isEnabled());
        QTest::keyClicks(control<QLineEdit>(d, "txtNazev"), "Sirupy");
        QVERIFY(ok->isEnabled());
        saveScreenshot(d, "katalog_skupina");
        QTest::mouseClick(ok, Qt::LeftButton);
    });
    k.trigger("mnHlavniSkupinu");
    QCOMPARE(k.shape(), (QStringList{u("Čaje"), u("  Zelené"), u("  Černé"), u("Káva"), u("Sirupy"),
                                     u("_Import"), u("_Import - chyby")}));
    QCOMPARE(k.window->shownGroup(), 5);
    QCOMPARE(
        k.rows("skupiny.dbf", {"SKUPID", "NAZEV", "PARENT", "PORADI", "N_IDPH", "ROUND"}).back(),
        "5 Sirupy 0 5 H 2");
}

void KatalogWindowTest::aSubgroupTakesItsParentsPresets() {
    Katalog k;
    ScriptedPrompter prompter;
    k.open();
    k.clickGroup(u("Káva"));
    whenModal("TfrmSkup", [](QWidget* d) {
        QCOMPARE(control<QComboBox>(d, "cbDPH")->currentIndex(), 2);
        typeText(control<QLineEdit>(d, "txtNazev"), u("Mletá"));
        QTest::mouseClick(control<QPushButton>(d, "pbOK"), Qt::LeftButton);
    });
    k.trigger("puPridatPod");
    QCOMPARE(k.shape().mid(3, 2), (QStringList{u("Káva"), u("  Mletá")}));
    QCOMPARE(k.rows("skupiny.dbf", {"SKUPID", "PARENT", "ROUND", "REC_NC", "REC_DC"}).back(),
             "5 2 0 T F");
}

void KatalogWindowTest::aDragUnderADescendantIsRefused() {
    Katalog k;
    ScriptedPrompter prompter;
    TfrmKat& w = k.open();
    int asked = 0;
    w.setPlaceChooser([&](const QPoint&) {
        ++asked;
        return std::optional<GroupPlace>(GroupPlace::Under);
    });
    const Strings before = k.rows("skupiny.dbf", {"SKUPID", "PARENT", "PORADI"});
    k.tree()->expandAll();
    k.drop(catalogue::ui::kGroupMime, "1", u("Zelené"));
    QCOMPARE(asked, 1);
    QCOMPARE(prompter.texts(),
             (Strings{"Skupinu nelze přesunout do ní samotné ani do jejích podskupin!"}));
    QCOMPARE(prompter.messages()[0].kind, MessageKind::Warning);
    QCOMPARE(k.rows("skupiny.dbf", {"SKUPID", "PARENT", "PORADI"}), before);
    QCOMPARE(k.shape(), (QStringList{u("Čaje"), u("  Zelené"), u("  Černé"), u("Káva"),
                                     u("_Import"), u("_Import - chyby")}));
}

void KatalogWindowTest::aDraggedGroupMovesAndStaysThereAfterReopening() {
    Katalog k;
    ScriptedPrompter prompter;
    TfrmKat& w = k.open();
    w.setPlaceChooser([](const QPoint&) { return std::optional<GroupPlace>(GroupPlace::Under); });
    k.drop(catalogue::ui::kGroupMime, "4", u("Káva"));
    QCOMPARE(k.shape(), (QStringList{u("Čaje"), u("  Zelené"), u("Káva"), u("  Černé"),
                                     u("_Import"), u("_Import - chyby")}));
    QCOMPARE(w.shownGroup(), 4);
    w.setPlaceChooser([](const QPoint&) { return std::optional<GroupPlace>(GroupPlace::Before); });
    k.drop(catalogue::ui::kGroupMime, "2", u("Čaje"));
    w.close();
    k.open();
    QCOMPARE(k.shape(), (QStringList{u("Káva"), u("  Černé"), u("Čaje"), u("  Zelené"),
                                     u("_Import"), u("_Import - chyby")}));
    QVERIFY(prompter.messages().empty());
}

void KatalogWindowTest::deletingAGroupAsksOnceForItsSecondSubgroup() {
    Katalog k;
    k.add("zbozi.dbf", {KatalogProject::product("D4", "K")});
    ScriptedPrompter prompter;
    TfrmKat& w = k.open();
    k.clickGroup(u("Zelené"));
    k.tree()->setFocus();
    k.clickGroup(u("Čaje"));
    // "Čaje" holds items as well: asked for it and for "Černé"; the "no" deletes nothing.
    prompter.answers({Answer::Yes, Answer::Ok, Answer::Yes, Answer::No});
    QTest::keyClick(k.tree(), Qt::Key_Delete);
    QCOMPARE(prompter.texts(),
             (Strings{"Opravdu chcete tuto skupinu zrušit?",
                      "Pokud chcete opravdu vymazat skupinu z katalogu, potvrďte tlačítko OK!\r\r"
                      "Toto je nevratná operace!",
                      "Skupina Čaje obsahuje zboží!\rChcete skupinu i zboží opravdu odstranit?",
                      "Skupina Černé obsahuje zboží!\rChcete skupinu i zboží opravdu odstranit?"}));
    QCOMPARE(prompter.messages()[1].defaultAnswer, Answer::Cancel);
    QCOMPARE(k.rows("katalog.dbf", {"KOD"}).size(), size_t(5));
    QCOMPARE(k.rows("skupiny.dbf", {"SKUPID"}).size(), size_t(6));
    QCOMPARE(k.rows("zbozi.dbf", {"KOD"}), (Strings{"D4"}));
    // Without items in "Čaje" only the second subgroup is asked about; yes deletes all three
    // with the items and their page products.
    Katalog k2(false);
    k2.add("skupiny.dbf",
           {KatalogProject::group(1, "Čaje", 0, 1), KatalogProject::group(3, "Zelené", 1, 2),
            KatalogProject::group(4, "Černé", 1, 3), KatalogProject::group(2, "Káva", 0, 4)});
    k2.add("katalog.dbf",
           {KatalogProject::item(4, "D4", "Darjeeling"), KatalogProject::item(2, "K1", "Káva")});
    k2.add("zbozi.dbf", {KatalogProject::product("D4", "K"), KatalogProject::product("K1", "K")});
    k2.open();
    k2.clickGroup(u("Káva"));
    k2.clickGroup(u("Čaje"));
    prompter.clear();
    prompter.answers({Answer::Yes, Answer::Ok, Answer::Yes});
    k2.trigger("mnOdstranitSkupinu");
    QCOMPARE(prompter.texts().size(), size_t(3));
    QCOMPARE(prompter.texts().back(),
             "Skupina Černé obsahuje zboží!\rChcete skupinu i zboží opravdu odstranit?");
    QCOMPARE(k2.rows("skupiny.dbf", {"SKUPID"}), (Strings{"2"}));
    QCOMPARE(k2.rows("katalog.dbf", {"KOD"}), (Strings{"K1"}));
    QCOMPARE(k2.rows("zbozi.dbf", {"KOD"}), (Strings{"K1"}));
    QCOMPARE(k2.shape(), (QStringList{u("Káva")}));
    QCOMPARE(k2.window->shownGroup(), 2);
    QCOMPARE(k2.status("lblPocetSkupin"), u("Počet skupin: 1"));
    (void)w;
}

void KatalogWindowTest::copyingA1ToA2StoresA2AndOpensTheEditor() {
    Katalog k;
    ScriptedPrompter prompter;
    k.open();
    k.clickGroup(u("Čaje"));
    k.clickRow(0);
    QString editorTitle;
    QString editorCode;
    whenModal("TfrmInput", [&](QWidget* d) {
        QCOMPARE(d->windowTitle(), u("Nová kopie záznamu o zboží"));
        QCOMPARE(control<QLabel>(d, "lblPrompt")->text(), u("Nový kód zboží"));
        QTest::keyClicks(control<QLineEdit>(d, "txtInput"), "a2");
        QCOMPARE(control<QLineEdit>(d, "txtInput")->text(), u("A2"));
        saveScreenshot(d, "katalog_kopie");
        whenModal("TfrmZboz", [&](QWidget* z) {
            QVERIFY(activate(z));
            editorTitle = z->windowTitle();
            editorCode = control<QLineEdit>(z, "txtKod")->text();
            QTest::mouseClick(control<QPushButton>(z, "pbStorno"), Qt::LeftButton);
        });
        QTest::mouseClick(control<QPushButton>(d, "pbOK"), Qt::LeftButton);
    });
    k.trigger("mnKopirovat");
    QCOMPARE(editorTitle, u("Čaje, Abeceda čaje"));
    QCOMPARE(editorCode, u("A2"));
    QCOMPARE(k.listed(), (QStringList{"A1", "A2", "B2", "C3"}));
    const QModelIndexList marked = k.list()->selectionModel()->selectedRows();
    QCOMPARE(marked.size(), 1);
    QCOMPARE(marked.front().row(), 1);
    QCOMPARE(k.rows("katalog.dbf", {"SKUPID", "KOD", "NAZEV", "P_H"}).back(),
             "1 A2 Abeceda čaje 100.0000");
    QCOMPARE(k.status("lblPocetPolozek"), u("Počet položek zboží: 4/6"));
    QVERIFY(prompter.messages().empty());
}

void KatalogWindowTest::deletingTwoMarkedItemsAsksBothQuestions() {
    Katalog k;
    k.add("zbozi.dbf", {KatalogProject::product("A1", "K"), KatalogProject::product("c3", "R"),
                        KatalogProject::product("B2", "K")});
    k.add("kompot.dbf",
          {KatalogProject::component("A1", "K"), KatalogProject::component("C3", "R")});
    ScriptedPrompter prompter;
    k.open();
    k.clickGroup(u("Čaje"));
    k.clickRow(0);
    k.clickRow(2, Qt::ControlModifier);
    prompter.answers({Answer::Yes, Answer::Ok});
    QTest::keyClick(k.list(), Qt::Key_Delete);
    QCOMPARE(prompter.texts(),
             (Strings{"Opravdu chcete VŠECHNO OZNAČENÉ zboží z katalogu odstranit? \rToto zboží "
                      "bude odstraněno i ze stránek!",
                      "Pokud opravdu chcete vymazat označené zboží z katalogu, potvrďte tlačítko "
                      "OK!\r\rToto je nevratná operace!"}));
    QCOMPARE(prompter.messages()[1].caption, std::string("Odstranění prvku"));
    QCOMPARE(prompter.messages()[1].defaultAnswer, Answer::Cancel);
    QCOMPARE(k.listed(), (QStringList{"B2"}));
    QCOMPARE(k.rows("katalog.dbf", {"KOD"}), (Strings{"B2", "K1", "D4"}));
    QCOMPARE(k.rows("zbozi.dbf", {"KOD"}), (Strings{"B2"}));
    QCOMPARE(k.rows("kompot.dbf", {"TYP", "KOD"}), (Strings{"R C3"}));
    QCOMPARE(k.status("lblPocetPolozek"), u("Počet položek zboží: 1/3"));
    // One item: the question for one; "Storno" in the second box keeps it.
    prompter.clear();
    prompter.answers({Answer::Yes, Answer::Cancel});
    k.clickRow(0);
    k.trigger("mnOdstranitZbozi");
    QCOMPARE(prompter.texts().front(), "Opravdu chcete toto zboží z katalogu odstranit?\rToto "
                                       "zboží bude odstraněno i ze stránek!");
    QCOMPARE(k.listed(), (QStringList{"B2"}));
}

void KatalogWindowTest::movingItemsByTheChooserAndByADrag() {
    Katalog k;
    ScriptedPrompter prompter;
    TfrmKat& w = k.open();
    k.clickGroup(u("Čaje"));
    k.clickRow(0);
    k.clickRow(1, Qt::ShiftModifier);
    whenModal("TfrmZmSk", [](QWidget* d) {
        QCOMPARE(d->windowTitle(), u("Seznam skupin"));
        auto* list = control<QTreeWidget>(d, "grdSkupiny");
        QCOMPARE(list->currentItem()->text(0), u("Čaje"));
        typeText(control<QLineEdit>(d, "txtHledat"), u("kÁ"));
        QCOMPARE(list->currentItem()->text(0), u("Káva"));
        saveScreenshot(d, "katalog_seznam_skupin");
        QTest::mouseClick(control<QPushButton>(d, "pbOK"), Qt::LeftButton);
    });
    k.trigger("mnZmenitSkupinu");
    QCOMPARE(k.listed(), (QStringList{"C3"}));
    QCOMPARE(k.rows("katalog.dbf", {"SKUPID", "KOD"}),
             (Strings{"2 A1", "2 B2", "1 C3", "2 K1", "4 D4"}));
    // A drag of the current item onto "Zelené".
    k.clickRow(0);
    k.tree()->expandAll();
    k.drop(catalogue::ui::kItemsMime, "1", u("Zelené"));
    QVERIFY(k.listed().isEmpty());
    QCOMPARE(k.rows("katalog.dbf", {"SKUPID", "KOD"})[2], "3 C3");
    QCOMPARE(w.shownGroup(), 1);
    QVERIFY(prompter.messages().empty());
}

void KatalogWindowTest::searchingNamesAndTheWholeCatalogue() {
    Katalog k;
    ScriptedPrompter prompter;
    TfrmKat& w = k.open();
    k.clickGroup(u("Čaje"));
    control<QComboBox>(&w, "cbHledat")->setCurrentIndex(1);
    QCOMPARE(k.listed(), (QStringList{"A1", "B2", "C3"}));
    auto* field = control<QLineEdit>(&w, "txtHledat");
    QTest::keyClicks(field, "ab");
    QCOMPARE(w.currentRow(), 0);
    QCOMPARE(k.list()->currentIndex().siblingAtColumn(1).data().toString(), u("Abeceda čaje"));
    field->clear();
    QTest::keyClicks(field, "CE");
    QCOMPARE(w.currentRow(), 2);
    QCOMPARE(k.list()->selectionModel()->selectedRows().size(), 1);
    // The whole catalogue: a name in another group switches the group.
    action(&w, "tbCelyKatalog")->setChecked(true);
    QVERIFY(action(&w, "mnCelyKatalog")->isChecked());
    field->clear();
    QTest::keyClicks(field, "dar");
    QCOMPARE(w.shownGroup(), 4);
    QCOMPARE(k.tree()->currentItem()->text(0), u("Černé"));
    QCOMPARE(k.listed(), (QStringList{"D4"}));
    QCOMPARE(w.currentRow(), 0);
    // By code, sorted by code again.
    control<QComboBox>(&w, "cbHledat")->setCurrentIndex(0);
    field->clear();
    QTest::keyClicks(field, "k");
    QCOMPARE(w.shownGroup(), 2);
    // Hiding the window switches the whole-catalogue search off.
    w.close();
    QVERIFY(!action(&w, "mnCelyKatalog")->isChecked());
}

void KatalogWindowTest::selectedPricesUpdatePageProducts() {
    Katalog k;
    k.add("zbozi.dbf",
          {KatalogProject::product("A1", "K", 1), KatalogProject::product("b2", "K", 1),
           KatalogProject::product("C3", "K", 1)});
    ScriptedPrompter prompter;
    k.open();
    k.clickGroup(u("Čaje"));
    k.clickRow(0);
    k.clickRow(1, Qt::ControlModifier);
    k.trigger("mnAktVybrane");
    QCOMPARE(k.rows("zbozi.dbf", {"KOD", "P_CENA", "P_CENA_DPH"}),
             (Strings{"A1 100.00 122.00", "b2 50.00 61.00", "C3 1.00 1.00"}));
    k.trigger("mnAktVse");
    QCOMPARE(k.rows("zbozi.dbf", {"KOD", "P_CENA"})[2], "C3 80.00");
}

void KatalogWindowTest::closingMaximizedWritesTheSettings() {
    Katalog k;
    ScriptedPrompter prompter;
    TfrmKat& w = k.open();
    action(&w, "mnAutoCalc")->setChecked(false);
    w.showMaximized();
    QVERIFY(w.isMaximized());
    w.close();
    const char* key = catalogue::KatalogSettings::kKey;
    QCOMPARE(profileValue(k.settingsFile, key, "Top"), std::string("3"));
    QCOMPARE(profileValue(k.settingsFile, key, "Left"), std::string("8"));
    QCOMPARE(profileValue(k.settingsFile, key, "Width"), std::string("785"));
    QCOMPARE(profileValue(k.settingsFile, key, "Height"), std::string("570"));
    QCOMPARE(profileValue(k.settingsFile, key, "WindowState"), std::string("wsMaximized"));
    QCOMPARE(profileValue(k.settingsFile, key, "AutoCalc"), std::string("0"));
    // Opened again: maximized, without the option.
    k.open();
    QVERIFY(k.window->isMaximized());
    QVERIFY(!k.window->autoCalc());
}

void KatalogWindowTest::thePriceListInThePreviewAndAsPdf() {
    Katalog k;
    // Enough items for a second page; one with a discount and a rounding.
    std::vector<Row> more;
    for (int i = 10; i < 80; ++i) {
        more.push_back(KatalogProject::item(1, "Z" + std::to_string(i),
                                            "Položka " + std::to_string(i), i + 0.5));
    }
    Row discounted = KatalogProject::item(1, "S1", "Se slevou", 99.99);
    discounted.push_back({"SLEVA", 10.0});
    discounted[6] = {"ROUND", "2"};
    more.push_back(discounted);
    k.add("katalog.dbf", more);
    ScriptedPrompter prompter;
    k.open();
    k.clickGroup(u("Čaje"));
    const fs::path pdf = k.root / "cenik.pdf";
    bool shown = false;
    whenModal("dlgCenik", [&](QWidget* d) {
        shown = true;
        QCOMPARE(d->windowTitle(), u("Katalog - Ceník"));
        d->resize(900, 700);
        QTest::qWait(200);
        saveScreenshot(d, "katalog_cenik_nahled");
        whenModal("dlgUlozitCenik", [&](QWidget* chooser) {
            chooser->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
                ->setText(QString::fromStdString(pdf.string()));
            static_cast<QDialog*>(chooser)->accept();
        });
        action(d, "acUlozitPDF")->trigger();
        static_cast<QDialog*>(d)->reject();
    });
    k.trigger("mnTiskCeniku");
    QVERIFY(shown);
    QVERIFY(prompter.messages().empty());
    QVERIFY(fs::exists(pdf));
    // Kept beside the screenshots for a person to look at.
    QFile::remove(QStringLiteral(ARKONA_SCREENSHOT_DIR "/katalog_cenik.pdf"));
    QFile::copy(QString::fromStdString(pdf.string()),
                QStringLiteral(ARKONA_SCREENSHOT_DIR "/katalog_cenik.pdf"));
    // Read back by another program.
    const QString out = QString::fromStdString(pdf.string()) + QStringLiteral(".txt");
    QCOMPARE(
        QProcess::execute(QStringLiteral("pdftotext"),
                          {QStringLiteral("-layout"), QString::fromStdString(pdf.string()), out}),
        0);
    QFile file(out);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    const auto has = [&](const QString& pattern) {
        return QRegularExpression(pattern).match(text).hasMatch();
    };
    QVERIFY2(has(u("ArkonaPro\\s+List číslo 1\\n")), qPrintable(text));
    QVERIFY(has(u("Skupina: Čaje\\s+\\d{1,2}\\.\\d{1,2}\\.\\d{4} \\d\\d:\\d\\d:\\d\\d")));
    QVERIFY(has(u("Ceny prodejní")));
    QVERIFY(has(u("Kód\\s+Název zboží\\s+bez DPH\\s+s DPH\\s+Sleva")));
    QVERIFY(has(u("A1\\s+Abeceda čaje\\s+100,00\\s+122,00\\s+0,00 %")));
    QVERIFY(has(u("B2\\s+Bylinky\\s+50,00\\s+61,00\\s+0,00 %")));
    QVERIFY(has(u("S1\\s+Se slevou\\s+100,00\\s+122,00\\s+10,00 %")));
    QVERIFY(has(u("List číslo 2")));
    QVERIFY(!has(u("K1"))); // another group
    QVERIFY(!has(u("Darjeeling")));
}

void KatalogWindowTest::theMainWindowOpensTheCatalogue() {
    KatalogProject p;
    p.add("skupiny.dbf", {KatalogProject::group(1, "Čaje", 0, 1)});
    ScriptedPrompter prompter;
    p.settings.write(storage::UserSettings::kEditor, "ExtEditorHTML", "");
    app::TArkona1 main(p.context, p.data, p.settings);
    main.setProjectChooser([] { return fs::path(); });
    QVERIFY(main.openProjectFolder(p.folder));
    QAction* menu = action(&main, "mnKatalog");
    QVERIFY(menu->isEnabled());
    QVERIFY(action(&main, "tbKatalog")->isEnabled());
    menu->trigger();
    TfrmKat* katalog = main.catalogueWindow();
    QVERIFY(katalog);
    QVERIFY(katalog->isVisible());
    QVERIFY(menu->isChecked());
    QCOMPARE(katalog->shownGroup(), 1);
    katalog->close();
    QVERIFY(!menu->isChecked());
    action(&main, "tbKatalog")->trigger();
    QVERIFY(katalog->isVisible());
    QVERIFY(menu->isChecked());
}

void KatalogWindowTest::commandsFollowTheGroupAndTheItem() {
    Katalog k;
    k.add("katalog.dbf", {KatalogProject::item(9999, "", "Chybný řádek")});
    ScriptedPrompter prompter;
    TfrmKat& w = k.open();
    k.clickGroup(u("_Import - chyby"));
    for (const char* off :
         {"mnUpravitSkupinu", "mnOdstranitSkupinu", "mnPodskupinu", "mnPridatZbozi",
          "mnZmenitSkupinu", "tbZmenaSkupiny", "mnHromadnaZmena", "mnImport", "tbVlozit"}) {
        QVERIFY2(!action(&w, off)->isEnabled(), off);
    }
    QVERIFY(action(&w, "mnUpravitZbozi")->isEnabled());
    QVERIFY(!action(&w, "mnVlozitDoSekce")->isVisible());
    // The faulty row gets its code in the editor and is stored into its own row.
    k.clickRow(0);
    whenModal("TfrmZboz", [](QWidget* d) {
        QVERIFY(activate(d));
        auto* code = control<QLineEdit>(d, "txtKod");
        QVERIFY(!code->isReadOnly());
        QVERIFY(!control<QPushButton>(d, "pbOK")->isEnabled());
        code->setFocus();
        QTest::keyClicks(code, "new-1");
        // Leaving the code counts only in the active window. The catalogue window's own
        // activation may still be on its way (slow builds): wait until the dialog holds it.
        QTRY_VERIFY((d->activateWindow(), d->isActiveWindow()));
        QCOMPARE(QApplication::focusWidget(), code);
        control<QLineEdit>(d, "txtNazev")->setFocus();
        QTRY_VERIFY(control<QPushButton>(d, "pbOK")->isEnabled());
        QTest::mouseClick(control<QPushButton>(d, "pbOK"), Qt::LeftButton);
    });
    k.trigger("mnUpravitZbozi");
    QCOMPARE(k.rows("katalog.dbf", {"SKUPID", "KOD", "NAZEV"}).back(), "9999 NEW-1 Chybný řádek");
    QCOMPARE(k.listed(), (QStringList{"NEW-1"}));
    QVERIFY(action(&w, "mnZmenitSkupinu")->isEnabled());
    k.clickGroup(u("Káva"));
    QVERIFY(action(&w, "mnPridatZbozi")->isEnabled());
    w.setMode(TfrmKat::Mode::Z);
    QVERIFY(action(&w, "mnVlozitDoSekce")->isVisible());
    QVERIFY(!action(&w, "mnVlozitDoSestavy")->isVisible());
    QVERIFY(prompter.messages().empty());
}

void KatalogWindowTest::theDistributorListAndTheGroupEditorTakeOverAChoice() {
    Katalog k;
    ScriptedPrompter prompter;
    k.open();
    k.clickGroup(u("Káva"));
    whenModal("TfrmSkup", [](QWidget* skupina) {
        auto* distributor = control<QComboBox>(skupina, "cbDistributor");
        QCOMPARE(distributor->currentText(), QString());
        whenModal("TfrmDistr", [](QWidget* d) {
            QCOMPARE(d->windowTitle(), u("Seznam distributorů"));
            QVERIFY(!control<QPushButton>(d, "pbUpravit")->isEnabled());
            QVERIFY(!control<QPushButton>(d, "pbOdstranit")->isEnabled());
            for (const char* name : {"Čajovna Praha", "Alfa káva"}) {
                whenModal("TfrmInput", [name](QWidget* input) {
                    QCOMPARE(input->windowTitle(), u("Nový distributor"));
                    typeText(control<QLineEdit>(input, "txtInput"), u(name));
                    QTest::mouseClick(control<QPushButton>(input, "pbOK"), Qt::LeftButton);
                });
                QTest::mouseClick(control<QPushButton>(d, "pbPridat"), Qt::LeftButton);
            }
            auto* list = control<QTreeWidget>(d, "grdDistributori");
            QCOMPARE(list->topLevelItemCount(), 2);
            QCOMPARE(list->topLevelItem(0)->text(0), u("Alfa káva"));
            QCOMPARE(list->currentItem()->text(0), u("Alfa káva"));
            whenModal("TfrmInput", [](QWidget* input) {
                QCOMPARE(input->windowTitle(), u("Upravit název distributora"));
                auto* text = control<QLineEdit>(input, "txtInput");
                QCOMPARE(text->text(), u("Alfa káva"));
                text->selectAll();
                typeText(text, u("Zrnková káva"));
                QTest::mouseClick(control<QPushButton>(input, "pbOK"), Qt::LeftButton);
            });
            QTest::mouseClick(control<QPushButton>(d, "pbUpravit"), Qt::LeftButton);
            QCOMPARE(list->topLevelItem(1)->text(0), u("Zrnková káva"));
            QVERIFY(control<QPushButton>(d, "pbOdstranit")->isEnabled());
            saveScreenshot(d, "katalog_distributori");
            QTest::mouseClick(control<QPushButton>(d, "pbZavrit"), Qt::LeftButton);
        });
        QTest::mouseClick(control<QPushButton>(skupina, "pbDistrib"), Qt::LeftButton);
        QCOMPARE(distributor->currentText(), u("Zrnková káva"));
        QTest::mouseClick(control<QPushButton>(skupina, "pbOK"), Qt::LeftButton);
    });
    k.trigger("mnUpravitSkupinu");
    QCOMPARE(k.rows("distrib.dbf", {"DISTID", "NAZEV"}),
             (Strings{"1 Čajovna Praha", "2 Zrnková káva"}));
    QCOMPARE(k.rows("skupiny.dbf", {"SKUPID", "DISTID"})[3], "2 2");
    // Deleting: the question, and the group keeps the number.
    prompter.answer(Answer::Yes);
    whenModal("TfrmDistr", [](QWidget* d) {
        auto* list = control<QTreeWidget>(d, "grdDistributori");
        list->setCurrentItem(list->topLevelItem(1));
        QTest::mouseClick(control<QPushButton>(d, "pbOdstranit"), Qt::LeftButton);
        QCOMPARE(list->topLevelItemCount(), 1);
        QTest::mouseClick(control<QPushButton>(d, "pbZavrit"), Qt::LeftButton);
    });
    k.trigger("mnDistributori");
    QCOMPARE(prompter.texts(), (Strings{"Opravdu chcete tohoto distributora zrušit?"}));
    QCOMPARE(k.rows("distrib.dbf", {"DISTID"}), (Strings{"1"}));
    QCOMPARE(k.rows("skupiny.dbf", {"SKUPID", "DISTID"})[3], "2 2");
}

void KatalogWindowTest::anEditedItemUpdatesItsPageProductsWhenAutoCalcIsOn() {
    Katalog k;
    k.add("zbozi.dbf",
          {KatalogProject::product("B2", "K", 1), KatalogProject::product("C3", "K", 1)});
    ScriptedPrompter prompter;
    TfrmKat& w = k.open();
    QVERIFY(w.autoCalc());
    k.clickGroup(u("Čaje"));
    const auto editPrice = [&](int row, const char* price) {
        k.clickRow(row);
        whenModal("TfrmZboz", [price](QWidget* d) {
            QVERIFY(activate(d));
            auto* sale = control<QLineEdit>(d, "txtPCena");
            sale->setFocus();
            sale->selectAll();
            QTest::keyClicks(sale, price);
            QTest::mouseClick(control<QPushButton>(d, "pbOK"), Qt::LeftButton);
        });
        k.trigger("mnUpravitZbozi");
    };
    editPrice(1, "70");
    QCOMPARE(k.rows("zbozi.dbf", {"KOD", "P_CENA", "P_CENA_DPH"}),
             (Strings{"B2 70.00 85.40", "C3 1.00 1.00"}));
    QCOMPARE(k.rows("katalog.dbf", {"KOD", "P_H"})[1], "B2 70.0000");
    action(&w, "mnAutoCalc")->setChecked(false);
    editPrice(2, "90");
    QCOMPARE(k.rows("zbozi.dbf", {"KOD", "P_CENA"})[1], "C3 1.00");
    QCOMPARE(k.rows("katalog.dbf", {"KOD", "P_H"})[2], "C3 90.0000");
    QVERIFY(prompter.messages().empty());
}

void KatalogWindowTest::markingAllAndThePreviewWithItsPicture() {
    Katalog k;
    QImage picture(80, 60, QImage::Format_RGB32);
    picture.fill(QColor(0xB0, 0x30, 0x00));
    QVERIFY(picture.save(QString::fromStdString((k.folder / "_obr" / "cejlon.jpg").string())));
    {
        auto t = dbf::Table::open(k.table("katalog.dbf"));
        auto r = t.read(2);
        r.setText("OBRAZEK", "CEJLON.JPG");
        r.setMemo("POPIS", "Černý čaj z vysočin Srí Lanky.");
        t.update(r);
    }
    ScriptedPrompter prompter;
    TfrmKat& w = k.open();
    k.clickGroup(u("Čaje"));
    k.clickRow(2);
    QCOMPARE(control<QPlainTextEdit>(&w, "txtPopis")->toPlainText(),
             u("Černý čaj z vysočin Srí Lanky."));
    QVERIFY(control<QLabel>(&w, "imgObrazek")->isVisible());
    saveScreenshot(&w, "katalog_nahled");
    action(&w, "mnObrazek")->setChecked(false);
    QVERIFY(!control<QLabel>(&w, "imgObrazek")->isVisible());
    QVERIFY(!action(&w, "tbObrazek")->isChecked());
    action(&w, "tbNahled")->setChecked(false);
    QVERIFY(!control<QWidget>(&w, "pnNahled")->isVisible());
    k.list()->setFocus();
    QTest::keyClick(k.list(), Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(k.list()->selectionModel()->selectedRows().size(), 3);
    QCOMPARE(w.markedItems(false).codes.size(), size_t(3));
}

void KatalogWindowTest::theExpansionOfTheTreeIsStoredOnClose() {
    Katalog k;
    ScriptedPrompter prompter;
    TfrmKat& w = k.open();
    k.node(u("Čaje"))->setExpanded(true);
    w.close();
    QCOMPARE(k.rows("skupiny.dbf", {"SKUPID", "EXPAND"}),
             (Strings{"1 T", "3 F", "4 F", "2 F", "9998 F", "9999 F"}));
    k.open();
    QVERIFY(k.node(u("Čaje"))->isExpanded());
    QCOMPARE(k.window->shownGroup(), 1); // the group of the last close
}

void KatalogWindowTest::theChoosersAddButtonOpensTheNewItemEditor() {
    Katalog k;
    ScriptedPrompter prompter;
    k.open();
    k.clickGroup(u("Káva"));
    k.clickRow(0);
    whenModal("TfrmZmSk", [](QWidget* d) {
        auto* list = control<QTreeWidget>(d, "grdSkupiny");
        list->setCurrentItem(list->topLevelItem(0));
        whenModal("TfrmZboz", [](QWidget* z) {
            QVERIFY(activate(z));
            QCOMPARE(z->windowTitle(), u("Káva, Nové zboží"));
            auto* code = control<QLineEdit>(z, "txtKod");
            QVERIFY(code->hasFocus() || !code->isReadOnly());
            code->setFocus();
            QTest::keyClicks(code, "K2");
            auto* name = control<QLineEdit>(z, "txtNazev");
            name->setFocus();
            QTest::keyClicks(name, "Mleta kava");
            QTest::mouseClick(control<QPushButton>(z, "pbOK"), Qt::LeftButton);
        });
        QTest::mouseClick(control<QPushButton>(d, "pbPridat"), Qt::LeftButton);
        QCOMPARE(list->currentItem()->text(0), u("Káva"));
        static_cast<QDialog*>(d)->reject();
    });
    k.trigger("mnZmenitSkupinu");
    QCOMPARE(k.listed(), (QStringList{"K1", "K2"}));
    QCOMPARE(k.rows("katalog.dbf", {"SKUPID", "KOD", "NAZEV", "N_IDPH", "ROUND"}).back(),
             "2 K2 Mleta kava H 0");
}

void KatalogWindowTest::theSampleProjectsCatalogue() {
    QTemporaryDir dir;
    const fs::path folder = fs::path(dir.path().toStdString()) / "vzor";
    fs::copy(fs::path(ARKONA_SAMPLES_DIR) / "zakladni", folder, fs::copy_options::recursive);
    storage::UserSettings settings(fs::path(dir.path().toStdString()) / "settings.ini");
    storage::ProjectContext context;
    context.setProjectFolder(folder);
    storage::readArkonaTree(context);
    context.projectOpen = true;
    storage::TData2 data;
    data.SetProjectPath(folder);
    catalogue::installCalculatedColumns(data, context);
    ScriptedPrompter prompter;
    TfrmKat w(context, data, settings);
    w.openCatalogue();
    auto* tree = control<QTreeWidget>(&w, "tvSkupiny");
    QCOMPARE(tree->topLevelItemCount(), 4);
    QCOMPARE(tree->topLevelItem(0)->text(0), u("Čaje"));
    QCOMPARE(w.shownGroup(), 1);
    QCOMPARE(w.items().size(), 5);
    auto* list = control<QTableView>(&w, "grdKatalog");
    list->selectionModel()->setCurrentIndex(list->model()->index(3, 0),
                                            QItemSelectionModel::ClearAndSelect |
                                                QItemSelectionModel::Rows);
    // CAJ-004: 150 at 5 % and 200 at 22 %, rounded to tenths.
    QCOMPARE(control<QLabel>(&w, "lblPCena")->text(), u("350,00"));
    QCOMPARE(control<QLabel>(&w, "lblPCenaDPH")->text(), u("401,50"));
    QCOMPARE(control<QLabel>(&w, "lblPocetPolozek")->text(), u("Počet položek zboží: 5/6"));
    saveScreenshot(&w, "katalog_vzor");
    QVERIFY(prompter.messages().empty());
}

QTEST_MAIN(KatalogWindowTest)
#include "katalog_window_test.moc"
