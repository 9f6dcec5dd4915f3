#include "app/main_status_bar.h"
#include "app/main_window.h"
#include "base/paths.h"
#include "storage/data_module.h"
#include "support/ui_driver.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <fstream>

using namespace arkona;
using namespace arkona::uitest;
using app::TArkona1;

namespace {

constexpr const char* kCloseQuestion = "Opravdu chcete ukončit práci?";
constexpr const char* kEditorQuestion = "Nastavení prostředí aplikace není kompletní: není určen "
                                        "externí HTML editor.\rChcete problém opravit nyní?";

// One main window with its own settings file and data module, as the program makes them.
struct Fixture {
    QTemporaryDir dir;
    std::filesystem::path root{dir.path().toStdString()};
    std::filesystem::path settingsFile{root / "settings.ini"};
    storage::UserSettings settings{settingsFile};
    storage::ProjectContext context;
    storage::TData2 data;
    std::unique_ptr<TArkona1> window;
    int chooserCalls = 0;
    std::vector<std::filesystem::path> chooserAnswers;

    explicit Fixture(bool editorSet = true) {
        if (editorSet) {
            settings.write(storage::UserSettings::kEditor, "ExtEditorHTML", "");
        }
        window = std::make_unique<TArkona1>(context, data, settings);
        window->setProjectChooser([this] {
            ++chooserCalls;
            if (chooserAnswers.empty()) {
                return std::filesystem::path();
            }
            auto next = chooserAnswers.front();
            chooserAnswers.erase(chooserAnswers.begin());
            return next;
        });
    }
    std::string stored(const char* name) {
        return profileValue(settingsFile, storage::UserSettings::kRoot, name);
    }
};

QMenu* menu(QWidget* w, const char* name) {
    return control<QMenu>(w, name);
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void menusHoldEveryEntryWithItsCaption();
    void commandsOfPartsNotBuiltSayWhy();
    void projectCommandsWaitForAProject();
    void openingAProjectEnablesProjectCommandsAndSetsTitle();
    void openingTheSampleProject();
    void openThroughTheMenuUsesTheChooser();
    void folderWithoutSettingsFileIsRefused();
    void refusedFolderKeepsTheOpenProject();
    void titleOfABlankName();
    void closingAnsweredCancelKeepsEverything();
    void closingRecordsTheEndAndTheLayout();
    void maximisedWindowStoresTheFixedSize();
    void restoreIgnoresSmallAndNonNumericValues();
    void layoutRoundTripOfANormalWindow();
    void firstActivationAsksForTheMissingEditor();
    void editorQuestionYesOpensTheSettings();
    void cancelledChooserAtActivationClosesTheWindow();
    void cancelledClosingQuestionShowsTheChooserAgain();
    void activationDoesNotNest();
    void realActivationShowsTheChooser();
    void firstShowRunsTheActivationOnce();
    void commandLineProjectOpensAtFirstActivation();
    void orderProgramNeedsItsFileAndTheCatalogue();
    void statusBarPanelsAndProgress();
    void konecClosesTheWindow();
    void aboutShowsTheVersion();
};

void MainWindowTest::menusHoldEveryEntryWithItsCaption() {
    Fixture f;
    struct Entry {
        const char* name;
        const char* caption;
        QKeySequence shortcut;
    };
    const std::vector<Entry> entries = {
        {"mnNovyProjekt", "&Nový projekt", QKeySequence(Qt::CTRL | Qt::Key_N)},
        {"mnOtevritProjekt", "&Otevřít projekt", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"mnUlozitJako", "&Uložit projekt jako ...", {}},
        {"mnVlastnosti", "&Vlastnosti projektu", {}},
        {"mnObjednavky", "O&bjednávky zboží", {}},
        {"mnKonec", "&Konec", QKeySequence(Qt::Key_F10)},
        {"mnNovyOddil", "Nový &oddíl stránek", {}},
        {"mnNovaStranka", "Nová &stránka", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_T)},
        {"mnNovaProduktovaStranka", "Nová stránka s &produktovou sekcí",
         QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_P)},
        {"mnOdkazNaStranku", "O&dkaz na stránku", {}},
        {"mnPrejmenovat", "Př&ejmenovat", QKeySequence(Qt::Key_F2)},
        {"mnOdstranitStranku", "O&dstranit", {}},
        {"mnHromadnaZmena", "&Hromadná změna", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_H)},
        {"mnNahled", "Náhled / &Preview", QKeySequence(Qt::CTRL | Qt::Key_P)},
        {"mnSekceTextova", "&Textová", {}},
        {"mnSekceProduktova", "&Produktová", {}},
        {"mnSekceObjednavka", "&Objednávka", {}},
        {"mnSekceNakupniKarta", "Nákupní &karta", {}},
        {"mnSekceHlavniStrana", "Hlavní strana", {}},
        {"mnUpravitSekci", "&Upravit", {}},
        {"mnPopisSekce", "P&opis", {}},
        {"mnOdstranitSekci", "O&dstranit", {}},
        {"mnSeraditSekce", "&Seřadit", {}},
        {"mnUpravitZdroj", "Upravit zdroj &HTML", {}},
        {"mnUpravitExterne", "Upravit e&xterním editorem", {}},
        {"mnNacistZdroj", "&Načíst zdroj ze souboru...", {}},
        {"mnUpravitProdukty", "Upravit &produtky", {}},
        {"mnHromadnaSleva", "Hromadně změnit &slevu", {}},
        {"mnZobrazitCeny", "Zobrazovat &ceny v produktové sekci", {}},
        {"mnKatalog", "&Katalog zboží", {}},
        {"mnGenerovani", "&Generování HTML", {}},
        {"mnNahledStranek", "Ná&hled stránek HTML", {}},
        {"mnEditorSablon", "Editor ša&blon", {}},
        {"mnAktualizaceWWW", "&Aktualizace WWW", {}},
        {"mnKontrolaDat", "Kontrola &datových souborů", {}},
        {"mnOptimalizace", "&Optimalizace stromu WWW", {}},
        {"mnBarevne", "Zobrazovat zdroj HTML &barevně", {}},
        {"mnExterniEditor", "Jako výchozí použít e&xterní editor", {}},
        {"mnNahledNavrchu", "Ná&hled stránky vždy na vrchu", {}},
        {"mnNastaveni", "&Nastavení prostředí ...", {}},
        {"mnObsah", "&Obsah a rejstřík", {}},
    };
    for (const auto& e : entries) {
        QAction* a = action(f.window.get(), e.name);
        QVERIFY2(a, e.name);
        QCOMPARE(a->text(), QString::fromUtf8(e.caption));
        QCOMPARE(a->shortcut(), e.shortcut);
    }
    // The menu bar in its order, and the sub-menus where they belong.
    QStringList bar;
    for (QAction* a : f.window->menuBar()->actions()) {
        bar << a->text();
    }
    QCOMPARE(bar, (QStringList{"&Projekt", "S&tránka", "Sek&ce", "Nást&roje", "&Možnosti",
                               "Nápo&věda"}));
    QCOMPARE(menu(f.window.get(), "mnNovaSekce")->title(), QStringLiteral("&Nová"));
    QVERIFY(menu(f.window.get(), "mnSekce")
                ->actions()
                .contains(menu(f.window.get(), "mnNovaSekce")->menuAction()));
    QCOMPARE(menu(f.window.get(), "mnServis")->title(), QStringLiteral("&Servisní funkce"));
    QVERIFY(menu(f.window.get(), "mnServis")
                ->actions()
                .contains(action(f.window.get(), "mnKontrolaDat")));
    QVERIFY(menu(f.window.get(), "mnMoznosti")
                ->actions()
                .contains(action(f.window.get(), "mnNastaveni")));
    // Captions with "&" never mark two entries of one menu with the same letter by accident
    // of this window: the shortcuts of the whole window are distinct.
    QSet<QKeySequence> seen;
    for (QAction* a : f.window->findChildren<QAction*>()) {
        if (!a->shortcut().isEmpty()) {
            QVERIFY2(!seen.contains(a->shortcut()), qPrintable(a->objectName()));
            seen.insert(a->shortcut());
        }
    }
}

void MainWindowTest::commandsOfPartsNotBuiltSayWhy() {
    Fixture f;
    const QString notYet = QStringLiteral("Zatím není k dispozici.");
    const QStringList ready = {
        "mnOtevritProjekt", "mnKonec", "mnObjednavky", "mnKontrolaDat", "mnBarevne",
        "mnExterniEditor", "mnNahledNavrchu", "mnNastaveni", "mnOProgramu", "tbOtevrit",
        // The page tree.
        "mnNovyOddil", "mnNovaStranka", "mnNovaProduktovaStranka", "mnOdkazNaStranku",
        "mnPrejmenovat", "mnOdstranitStranku", "mnOptimalizace", "tbNova", "tbUpravit",
        "tbOdstranit",
        // The sections of a page.
        "tbSeradit", "mnSekceTextova", "mnSekceProduktova", "mnSekceObjednavka",
        "mnSekceNakupniKarta", "mnSekceHlavniStrana", "mnUpravitSekci", "mnPopisSekce",
        "mnOdstranitSekci", "mnSeraditSekce", "mnUpravitZdroj", "mnUpravitExterne", "mnNacistZdroj",
        // The catalogue and the goods of a product section.
        "mnKatalog", "tbKatalog", "mnZobrazitCeny", "mnZboziRucne", "mnZboziKatalog",
        "mnSestavaRucne", "mnSestavaKatalog", "mnNadpis",
        // The generator.
        "mnGenerovani", "tbGenerovani"};
    int notBuilt = 0;
    for (QAction* a : f.window->findChildren<QAction*>()) {
        const QString name = a->objectName();
        if (!(name.startsWith("mn") || name.startsWith("tb")) || a->menu()) {
            continue;
        }
        if (ready.contains(name)) {
            QVERIFY2(a->statusTip().isEmpty(), qPrintable(name));
        } else {
            ++notBuilt;
            QCOMPARE(a->statusTip(), notYet);
            QVERIFY2(!a->isEnabled(), qPrintable(name));
        }
    }
    QVERIFY(notBuilt >= 10);
    // Still so with a project open.
    ScriptedPrompter prompter;
    QVERIFY(f.window->openProjectFolder(makeProject(f.root / "p", "Obchod")));
    QVERIFY(!action(f.window.get(), "mnNahledStranek")->isEnabled());
    QCOMPARE(action(f.window.get(), "mnNahledStranek")->statusTip(), notYet);
}

void MainWindowTest::projectCommandsWaitForAProject() {
    Fixture f;
    TArkona1* w = f.window.get();
    QVERIFY(!menu(w, "mnStranka")->menuAction()->isEnabled());
    QVERIFY(!menu(w, "mnSekce")->menuAction()->isEnabled());
    QVERIFY(!menu(w, "mnServis")->menuAction()->isEnabled());
    QVERIFY(!action(w, "mnKontrolaDat")->isEnabled());
    QVERIFY(!control<QTreeWidget>(w, "tvTree")->isEnabled());
    QVERIFY(!control<QTabWidget>(w, "pcPage")->isEnabled());
    QVERIFY(action(w, "mnOtevritProjekt")->isEnabled());
    QVERIFY(action(w, "mnNastaveni")->isEnabled());
    QVERIFY(action(w, "mnKonec")->isEnabled());
    QCOMPARE(w->windowTitle(), QStringLiteral("ArkonaPro"));
}

void MainWindowTest::openingAProjectEnablesProjectCommandsAndSetsTitle() {
    Fixture f;
    ScriptedPrompter prompter;
    TArkona1* w = f.window.get();
    const auto project = makeProject(f.root / "Projekty" / "Lipa", "Obchod U Lípy");
    QVERIFY(w->openProjectFolder(project));
    QVERIFY(w->projectOpen());
    QCOMPARE(w->windowTitle(), QStringLiteral("ArkonaPro [Obchod U Lípy]"));
    QVERIFY(menu(w, "mnStranka")->menuAction()->isEnabled());
    QVERIFY(menu(w, "mnSekce")->menuAction()->isEnabled());
    QVERIFY(menu(w, "mnServis")->menuAction()->isEnabled());
    QVERIFY(action(w, "mnKontrolaDat")->isEnabled());
    QVERIFY(control<QTreeWidget>(w, "tvTree")->isEnabled());
    QVERIFY(control<QTabWidget>(w, "pcPage")->isEnabled());
    QCOMPARE(f.data.projectFolder(), project);
    QVERIFY(f.data.cascadeSwitch());
    QCOMPARE(f.context.projectName, std::string("Obchod U Lípy"));
    // Browsing starts next time in the folder holding the project.
    QCOMPARE(f.settings.lastOpenFolder(), f.root / "Projekty");
    QCOMPARE(prompter.messages().size(), std::size_t(0));

    w->show();
    w->resize(900, 600);
    const QString shot = saveScreenshot(w, QStringLiteral("main_window"));
    QVERIFY(QFile::exists(shot));
}

void MainWindowTest::openingTheSampleProject() {
    const std::filesystem::path sample = std::filesystem::path(ARKONA_SAMPLES_DIR) / "zakladni";
    if (!std::filesystem::exists(sample / "ArkonaTree.ini")) {
        QSKIP("the sample project is not in the build tree");
    }
    Fixture f;
    ScriptedPrompter prompter;
    QTemporaryDir copy;
    const auto target = std::filesystem::path(copy.path().toStdString()) / "Ukazka";
    std::filesystem::copy(sample, target, std::filesystem::copy_options::recursive);
    QVERIFY(f.window->openProjectFolder(target));
    QVERIFY(f.window->windowTitle().startsWith("ArkonaPro ["));
    QVERIFY(f.window->windowTitle() != QStringLiteral("ArkonaPro [bez názvu]"));
    QVERIFY(menu(f.window.get(), "mnStranka")->menuAction()->isEnabled());
    QVERIFY(action(f.window.get(), "mnKontrolaDat")->isEnabled());
    QCOMPARE(prompter.messages().size(), std::size_t(0));
    // The data check runs with its progress window and leaves the project open.
    f.window->show();
    action(f.window.get(), "mnKontrolaDat")->trigger();
    QCOMPARE(prompter.texts(), std::vector<std::string>{});
    QVERIFY(f.window->projectOpen());
    auto* therm = f.window->findChild<QWidget*>(QStringLiteral("TfrmTherm"));
    QVERIFY(!therm || !therm->isVisible());
}

void MainWindowTest::openThroughTheMenuUsesTheChooser() {
    Fixture f;
    ScriptedPrompter prompter;
    f.chooserAnswers = {makeProject(f.root / "a", "Prvni"), makeProject(f.root / "b", "Druhy")};
    action(f.window.get(), "mnOtevritProjekt")->trigger();
    QCOMPARE(f.chooserCalls, 1);
    QCOMPARE(f.window->windowTitle(), QStringLiteral("ArkonaPro [Prvni]"));
    // Opening another project first records the end of work in the first one.
    action(f.window.get(), "tbOtevrit")->trigger();
    QCOMPARE(f.chooserCalls, 2);
    QCOMPARE(f.window->windowTitle(), QStringLiteral("ArkonaPro [Druhy]"));
    QCOMPARE(profileValue(f.root / "a" / "ArkonaTree.ini", "Projekt", "ZavrenoOK"),
             std::string("1"));
    QCOMPARE(profileValue(f.root / "b" / "ArkonaTree.ini", "Projekt", "ZavrenoOK"),
             std::string("<none>"));
    // Cancel keeps the open project.
    action(f.window.get(), "mnOtevritProjekt")->trigger();
    QVERIFY(f.window->projectOpen());
    QCOMPARE(f.window->windowTitle(), QStringLiteral("ArkonaPro [Druhy]"));
}

void MainWindowTest::folderWithoutSettingsFileIsRefused() {
    Fixture f;
    ScriptedPrompter prompter;
    const auto plain = f.root / "jen_slozka";
    std::filesystem::create_directories(plain);
    QVERIFY(!f.window->openProjectFolder(plain));
    QVERIFY(!f.window->projectOpen());
    QCOMPARE(prompter.messages().size(), std::size_t(1));
    const auto& m = prompter.messages()[0];
    QCOMPARE(m.kind, MessageKind::Warning);
    QCOMPARE(m.caption, std::string("ArkonaPro"));
    QCOMPARE(QString::fromStdString(m.text),
             QString::fromStdString(paths::forDisplay(plain)) +
                 QStringLiteral("\rTato složka NENÍ projektem aplikace ArkonaPro!"));
    QVERIFY(QString::fromStdString(m.text).startsWith(
        QString::fromStdString(plain.string()).toUpper()));
    QCOMPARE(f.window->windowTitle(), QStringLiteral("ArkonaPro"));
    QVERIFY(!menu(f.window.get(), "mnStranka")->menuAction()->isEnabled());
    QCOMPARE(f.window->mainStatusBar()->panel(3),
             QStringLiteral("Není otevřen žádný projekt. Otevřete nebo vytvořte nový projekt!"));
    // Nothing was written into the refused folder.
    QVERIFY(std::filesystem::is_empty(plain));
}

void MainWindowTest::refusedFolderKeepsTheOpenProject() {
    Fixture f;
    ScriptedPrompter prompter;
    const auto project = makeProject(f.root / "p", "Obchod");
    QVERIFY(f.window->openProjectFolder(project));
    std::filesystem::create_directories(f.root / "prazdna");
    QVERIFY(!f.window->openProjectFolder(f.root / "prazdna"));
    QVERIFY(f.window->projectOpen());
    QCOMPARE(f.data.projectFolder(), project);
    QCOMPARE(f.window->windowTitle(), QStringLiteral("ArkonaPro [Obchod]"));
    QVERIFY(menu(f.window.get(), "mnStranka")->menuAction()->isEnabled());
}

void MainWindowTest::titleOfABlankName() {
    Fixture f;
    ScriptedPrompter prompter;
    QVERIFY(f.window->openProjectFolder(makeProject(f.root / "blank", "   ")));
    QCOMPARE(f.window->windowTitle(), QStringLiteral("ArkonaPro [bez názvu]"));
    QVERIFY(f.window->openProjectFolder(makeProject(f.root / "empty", "")));
    QCOMPARE(f.window->windowTitle(), QStringLiteral("ArkonaPro [bez názvu]"));
    QVERIFY(f.window->openProjectFolder(makeProject(f.root / "named", " Hračky ")));
    QCOMPARE(f.window->windowTitle(), QStringLiteral("ArkonaPro [ Hračky ]"));
}

void MainWindowTest::closingAnsweredCancelKeepsEverything() {
    Fixture f;
    ScriptedPrompter prompter;
    const auto project = makeProject(f.root / "p", "Obchod");
    QVERIFY(f.window->openProjectFolder(project));
    f.window->show();
    const std::string settingsBefore =
        profileValue(f.settingsFile, storage::UserSettings::kRoot, "WindowState");
    prompter.answer(Answer::Cancel);
    QVERIFY(!f.window->close());
    QCOMPARE(prompter.messages().size(), std::size_t(1));
    const auto& m = prompter.messages()[0];
    QCOMPARE(m.text, std::string(kCloseQuestion));
    QCOMPARE(m.kind, MessageKind::Question);
    QCOMPARE(m.buttons, Buttons::OkCancel);
    QCOMPARE(m.caption, std::string("ArkonaPro"));
    QVERIFY(f.window->isVisible());
    QVERIFY(f.window->projectOpen());
    QCOMPARE(f.window->windowTitle(), QStringLiteral("ArkonaPro [Obchod]"));
    QVERIFY(menu(f.window.get(), "mnStranka")->menuAction()->isEnabled());
    QCOMPARE(profileValue(project / "ArkonaTree.ini", "Projekt", "ZavrenoOK"),
             std::string("<none>"));
    QCOMPARE(f.stored("WindowState"), settingsBefore);
    QCOMPARE(f.stored("WindowState"), std::string("<none>"));
}

void MainWindowTest::closingRecordsTheEndAndTheLayout() {
    Fixture f;
    ScriptedPrompter prompter;
    const auto project = makeProject(f.root / "p", "Obchod");
    QVERIFY(f.window->openProjectFolder(project));
    f.window->show();
    prompter.answer(Answer::Ok);
    QVERIFY(f.window->close());
    QCOMPARE(profileValue(project / "ArkonaTree.ini", "Projekt", "ZavrenoOK"), std::string("1"));
    QVERIFY(profileValue(project / "ArkonaTree.ini", "Projekt", "Editace") != "<none>");
    QCOMPARE(f.stored("WindowState"), std::string("wsNormal"));
    QCOMPARE(f.stored("ProduktCeny"), std::string("1"));
    QCOMPARE(f.stored("ShowColor"), std::string("0"));
    QCOMPARE(f.stored("PreviewOnTop"), std::string("0"));
    QCOMPARE(profileValue(f.settingsFile, storage::UserSettings::kEditor, "ExtEdDefault"),
             std::string("0"));
    QCOMPARE(f.stored("MainTree_split"),
             std::to_string(control<QSplitter>(f.window.get(), "spHlavni")->sizes().first()));
}

void MainWindowTest::maximisedWindowStoresTheFixedSize() {
    Fixture f;
    ScriptedPrompter prompter;
    f.chooserAnswers = {makeProject(f.root / "p", "Obchod")};
    f.window->show();
    f.window->FormActivate();
    f.window->showMaximized();
    QTRY_VERIFY(f.window->isMaximized());
    action(f.window.get(), "mnBarevne")->setChecked(true);
    action(f.window.get(), "mnNahledNavrchu")->setChecked(true);
    prompter.answer(Answer::Ok);
    QVERIFY(f.window->close());
    QCOMPARE(f.stored("WindowState"), std::string("wsMaximized"));
    QCOMPARE(f.stored("Top"), std::string("3"));
    QCOMPARE(f.stored("Left"), std::string("12"));
    QCOMPARE(f.stored("Width"), std::string("782"));
    QCOMPARE(f.stored("Height"), std::string("568"));
    QCOMPARE(f.stored("ShowColor"), std::string("1"));
    QCOMPARE(f.stored("PreviewOnTop"), std::string("1"));

    // The next start comes up maximised with the check marks.
    Fixture again;
    std::filesystem::copy_file(f.settingsFile, again.settingsFile,
                               std::filesystem::copy_options::overwrite_existing);
    again.chooserAnswers = {makeProject(again.root / "p", "Obchod")};
    again.window->show();
    again.window->FormActivate();
    QTRY_VERIFY(again.window->isMaximized());
    QVERIFY(action(again.window.get(), "mnBarevne")->isChecked());
    QVERIFY(action(again.window.get(), "mnNahledNavrchu")->isChecked());
    QVERIFY(!action(again.window.get(), "mnExterniEditor")->isChecked());
}

void MainWindowTest::restoreIgnoresSmallAndNonNumericValues() {
    Fixture f;
    ScriptedPrompter prompter;
    const char* root = storage::UserSettings::kRoot;
    f.settings.write(root, "WindowState", "wsNormal");
    f.settings.write(root, "Top", "40");
    f.settings.write(root, "Left", "abc");
    f.settings.write(root, "Width", "40");
    f.settings.write(root, "Height", "480");
    f.settings.write(root, "MainTree_split", "x1");
    f.settings.write(root, "ProduktCeny", "0");
    f.chooserAnswers = {makeProject(f.root / "p", "Obchod")};
    f.window->show();
    const QPoint posBefore = f.window->pos();
    const int widthBefore = f.window->width();
    f.window->FormActivate();
    QCOMPARE(f.window->pos().y(), 40);
    QCOMPARE(f.window->pos().x(), posBefore.x());
    QCOMPARE(f.window->width(), widthBefore);
    QCOMPARE(f.window->height(), 480);
    QCOMPARE(f.window->layoutState().mainTreeSplit, 278);
    QVERIFY(!f.data.goodsWithPrices());
    QVERIFY(!action(f.window.get(), "mnZobrazitCeny")->isChecked());
    QCOMPARE(prompter.messages().size(), std::size_t(0));
}

void MainWindowTest::layoutRoundTripOfANormalWindow() {
    Fixture f;
    ScriptedPrompter prompter;
    const char* root = storage::UserSettings::kRoot;
    f.settings.write(root, "WindowState", "wsNormal");
    f.settings.write(root, "Top", "30");
    f.settings.write(root, "Left", "60");
    f.settings.write(root, "Width", "700");
    f.settings.write(root, "Height", "500");
    f.settings.write(root, "MainTree_split", "200");
    f.settings.write(root, "Nahled_split", "120");
    f.settings.write(storage::UserSettings::kEditor, "ExtEdDefault", "1");
    f.chooserAnswers = {makeProject(f.root / "p", "Obchod")};
    f.window->show();
    f.window->FormActivate();
    QCOMPARE(f.window->pos(), QPoint(60, 30));
    QCOMPARE(f.window->size(), QSize(700, 500));
    QCOMPARE(control<QSplitter>(f.window.get(), "spHlavni")->sizes().first(), 200);
    QVERIFY(action(f.window.get(), "mnExterniEditor")->isChecked());
    f.window->move(80, 50);
    f.window->resize(640, 420);
    prompter.answer(Answer::Ok);
    QVERIFY(f.window->close());
    QCOMPARE(f.stored("Top"), std::string("50"));
    QCOMPARE(f.stored("Left"), std::string("80"));
    QCOMPARE(f.stored("Width"), std::string("640"));
    QCOMPARE(f.stored("Height"), std::string("420"));
    QCOMPARE(f.stored("MainTree_split"), std::string("200"));
    QCOMPARE(f.stored("Nahled_split"), std::string("120"));
    QCOMPARE(profileValue(f.settingsFile, storage::UserSettings::kEditor, "ExtEdDefault"),
             std::string("1"));
}

void MainWindowTest::firstActivationAsksForTheMissingEditor() {
    Fixture f(false);
    ScriptedPrompter prompter;
    f.chooserAnswers = {makeProject(f.root / "p", "Obchod")};
    prompter.answer(Answer::No);
    f.window->show();
    f.window->FormActivate();
    QCOMPARE(prompter.messages().size(), std::size_t(1));
    QCOMPARE(prompter.messages()[0].text, std::string(kEditorQuestion));
    QCOMPARE(prompter.messages()[0].buttons, Buttons::YesNo);
    QCOMPARE(prompter.messages()[0].kind, MessageKind::Question);
    // The value now exists, empty: the next start does not ask again.
    QCOMPARE(profileValue(f.settingsFile, storage::UserSettings::kEditor, "ExtEditorHTML"),
             std::string(""));
    QVERIFY(f.window->projectOpen());
    QCOMPARE(f.chooserCalls, 1);
}

void MainWindowTest::editorQuestionYesOpensTheSettings() {
    Fixture f(false);
    ScriptedPrompter prompter;
    f.chooserAnswers = {makeProject(f.root / "p", "Obchod")};
    prompter.answer(Answer::Yes);
    bool dialogShown = false;
    whenModal("TConfig1", [&](QWidget* dialog) {
        dialogShown = true;
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Nastavení prostředí aplikace"));
        QTest::mouseClick(control<QPushButton>(dialog, "pbStorno"), Qt::LeftButton);
    });
    f.window->show();
    f.window->FormActivate();
    QVERIFY(dialogShown);
    QVERIFY(f.window->projectOpen());
}

void MainWindowTest::cancelledChooserAtActivationClosesTheWindow() {
    Fixture f;
    ScriptedPrompter prompter;
    prompter.answer(Answer::Ok);
    f.window->show();
    f.window->FormActivate();
    QCOMPARE(f.chooserCalls, 1);
    QCOMPARE(prompter.texts(), std::vector<std::string>{kCloseQuestion});
    QVERIFY(!f.window->isVisible());
    QCOMPARE(f.stored("WindowState"), std::string("wsNormal"));
}

void MainWindowTest::cancelledClosingQuestionShowsTheChooserAgain() {
    Fixture f;
    ScriptedPrompter prompter;
    prompter.answer(Answer::Cancel);
    f.window->show();
    f.window->FormActivate();
    QVERIFY(f.window->isVisible());
    QCOMPARE(f.chooserCalls, 1);
    QCOMPARE(f.window->mainStatusBar()->panel(3),
             QStringLiteral("Není otevřen žádný projekt. Otevřete nebo vytvořte nový projekt!"));
    // The next activation without a project offers the chooser again; now a project is chosen.
    f.chooserAnswers = {makeProject(f.root / "p", "Obchod")};
    f.window->FormActivate();
    QCOMPARE(f.chooserCalls, 2);
    QVERIFY(f.window->projectOpen());
    // With a project open an activation asks nothing.
    f.window->FormActivate();
    QCOMPARE(f.chooserCalls, 2);
    QCOMPARE(prompter.texts(), std::vector<std::string>{kCloseQuestion});
}

void MainWindowTest::activationDoesNotNest() {
    Fixture f;
    ScriptedPrompter prompter;
    const auto project = makeProject(f.root / "p", "Obchod");
    int calls = 0;
    f.window->setProjectChooser([&] {
        ++calls;
        // Every modal window activates the main window again when it closes.
        f.window->FormActivate();
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(f.window.get(), &activate);
        QApplication::processEvents();
        return project;
    });
    f.window->show();
    f.window->FormActivate();
    QApplication::processEvents();
    QTest::qWait(20);
    QCOMPARE(calls, 1);
    QVERIFY(f.window->projectOpen());
}

void MainWindowTest::realActivationShowsTheChooser() {
    Fixture f;
    ScriptedPrompter prompter;
    f.chooserAnswers = {makeProject(f.root / "p", "Obchod")};
    f.window->show();
    f.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
    QTRY_COMPARE(f.chooserCalls, 1);
    QTRY_VERIFY(f.window->projectOpen());
    QCOMPARE(f.window->windowTitle(), QStringLiteral("ArkonaPro [Obchod]"));
}

void MainWindowTest::firstShowRunsTheActivationOnce() {
    // Without a window manager no activation may ever come; showing the window is enough.
    Fixture f;
    ScriptedPrompter prompter;
    f.window->setStartProject(makeProject(f.root / "p", "Obchod"));
    f.window->show();
    QTRY_VERIFY(f.window->projectOpen());
    f.window->activateWindow();
    QTest::qWait(50);
    QCOMPARE(f.chooserCalls, 0);
    QCOMPARE(f.window->windowTitle(), QStringLiteral("ArkonaPro [Obchod]"));
    QCOMPARE(prompter.messages().size(), std::size_t(0));
}

void MainWindowTest::commandLineProjectOpensAtFirstActivation() {
    Fixture f;
    ScriptedPrompter prompter;
    f.window->setStartProject(makeProject(f.root / "cmd", "Z příkazové řádky"));
    f.window->show();
    f.window->FormActivate();
    QCOMPARE(f.chooserCalls, 0);
    QCOMPARE(f.window->windowTitle(), QStringLiteral("ArkonaPro [Z příkazové řádky]"));

    // A folder that is no project is refused and the chooser follows.
    Fixture g;
    std::filesystem::create_directories(g.root / "nic");
    g.window->setStartProject(g.root / "nic");
    g.chooserAnswers = {makeProject(g.root / "p", "Obchod")};
    prompter.clear();
    g.window->show();
    g.window->FormActivate();
    QCOMPARE(prompter.messages().size(), std::size_t(1));
    QVERIFY(prompter.messages()[0].text.find("Tato složka NENÍ projektem aplikace ArkonaPro!") !=
            std::string::npos);
    QCOMPARE(g.chooserCalls, 1);
    QCOMPARE(g.window->windowTitle(), QStringLiteral("ArkonaPro [Obchod]"));
}

void MainWindowTest::orderProgramNeedsItsFileAndTheCatalogue() {
    Fixture f;
    ScriptedPrompter prompter;
    QTemporaryDir program;
    const auto previous = storage::UserSettings::programFolder();
    storage::UserSettings::setProgramFolder(program.path().toStdString());
    QVERIFY(f.window->openProjectFolder(makeProject(f.root / "p", "Obchod")));
    QMenu* projekt = menu(f.window.get(), "mnProjekt");
    QMetaObject::invokeMethod(projekt, "aboutToShow");
    QVERIFY(!action(f.window.get(), "mnObjednavky")->isEnabled());
    // With the program file but without the catalogue command it stays off as well.
    std::filesystem::path exe =
        std::filesystem::path(program.path().toStdString()) / "objednavky.exe";
    { std::ofstream(exe) << "#!/bin/sh\n"; }
    f.window->commands().setReady(action(f.window.get(), "mnKatalog"), false);
    QMetaObject::invokeMethod(projekt, "aboutToShow");
    QVERIFY(!action(f.window.get(), "mnKatalog")->isEnabled());
    QVERIFY(!action(f.window.get(), "mnObjednavky")->isEnabled());
    // Once the catalogue is there the command follows the file.
    f.window->commands().setReady(action(f.window.get(), "mnKatalog"), true);
    QMetaObject::invokeMethod(projekt, "aboutToShow");
    QVERIFY(action(f.window.get(), "mnObjednavky")->isEnabled());
    storage::UserSettings::setProgramFolder(previous);
}

void MainWindowTest::statusBarPanelsAndProgress() {
    Fixture f;
    ScriptedPrompter prompter;
    f.chooserAnswers = {makeProject(f.root / "p", "Obchod")};
    app::MainStatusBar* bar = f.window->mainStatusBar();
    f.window->show();
    // The first activation opens the project and fills the panels; then this test writes them.
    QTRY_VERIFY(f.window->projectOpen());
    bar->setPanel(1, QStringLiteral("Počet stran: 3"));
    bar->setPanel(3, QStringLiteral("Zobrazena stránka \"Úvod\"."));
    QCOMPARE(control<QLabel>(bar, "lblPanel1")->text(), QStringLiteral("Počet stran: 3"));
    QCOMPARE(control<QLabel>(bar, "lblPanel3")->text(),
             QStringLiteral("Zobrazena stránka \"Úvod\"."));
    // Long work writes one line; the panels come back when it clears it.
    StatusLine& line = *bar;
    line.show("Optimalizuji datové soubory projektu (/P/_DBF/HTML.DBF) ...");
    QCOMPARE(bar->currentMessage(),
             QStringLiteral("Optimalizuji datové soubory projektu (/P/_DBF/HTML.DBF) ..."));
    QVERIFY(!control<QLabel>(bar, "lblPanel1")->isVisible());
    line.show("");
    QVERIFY(bar->currentMessage().isEmpty());
    QVERIFY(control<QLabel>(bar, "lblPanel1")->isVisible());
    QVERIFY(f.data.status == bar);
    // The progress bar sits at the right end of the bar.
    QVERIFY(!bar->progressBar()->isVisible());
    bar->startProgress(12);
    bar->stepProgress();
    QVERIFY(bar->progressBar()->isVisible());
    QCOMPARE(bar->progressBar()->value(), 1);
    QCOMPARE(bar->progressBar()->maximum(), 12);
    QApplication::processEvents();
    QVERIFY(bar->progressBar()->geometry().right() >
            control<QLabel>(bar, "lblPanel3")->geometry().right());
    bar->hideProgress();
    QVERIFY(!bar->progressBar()->isVisible());
}

void MainWindowTest::konecClosesTheWindow() {
    Fixture f;
    ScriptedPrompter prompter;
    QVERIFY(f.window->openProjectFolder(makeProject(f.root / "p", "Obchod")));
    f.window->show();
    f.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
    prompter.answer(Answer::Ok);
    QTest::keyClick(f.window.get(), Qt::Key_F10);
    QTRY_VERIFY(!f.window->isVisible());
    QCOMPARE(prompter.texts(), std::vector<std::string>{kCloseQuestion});
}

void MainWindowTest::aboutShowsTheVersion() {
    Fixture f;
    ScriptedPrompter prompter;
    action(f.window.get(), "mnOProgramu")->trigger();
    QCOMPARE(prompter.messages().size(), std::size_t(1));
    QCOMPARE(prompter.messages()[0].kind, MessageKind::Information);
    QCOMPARE(QString::fromStdString(prompter.messages()[0].text),
             QStringLiteral("%1.%2   sestavení %3")
                 .arg(ARKONA_VERSION_MAJOR)
                 .arg(ARKONA_VERSION_MINOR)
                 .arg(ARKONA_BUILD_NUMBER));
    QVERIFY(prompter.messages()[0].text.rfind("0.1   sestavení ", 0) == 0);
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
