// The generator dialog driven through its controls, on a copy of the sample shop.
#include "app/main_window.h"
#include "base/codepage.h"
#include "base/profile.h"
#include "generator/ui/generator_dialog.h"
#include "site/site_structure.h"
#include "storage/data_module.h"
#include "support/ui_driver.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <fstream>

using namespace arkona;
using namespace arkona::uitest;
using generator::ui::TfrmGen;
namespace fs = std::filesystem;

namespace {

struct Project {
    QTemporaryDir dir;
    fs::path root{dir.path().toStdString()};
    fs::path folder{root / "Ukazka"};
    storage::ProjectContext context;
    storage::TData2 data;
    site::SiteStructure structure{data, context};
    arkona::NoProgress quiet;

    explicit Project(const std::string& generate = {}) {
        fs::copy(fs::path(ARKONA_SAMPLES_DIR) / "zakladni", folder, fs::copy_options::recursive);
        if (!generate.empty()) {
            ProfileFile ini(folder / "ArkonaTree.ini");
            ini.eraseSection("Generate");
            ini.save();
            std::ofstream(folder / "ArkonaTree.ini", std::ios::binary | std::ios::app)
                << text::fromUtf8(generate);
        }
        context.setProjectFolder(folder);
        storage::readArkonaTree(context);
        context.projectOpen = true;
        data.SetProjectPath(folder);
        structure.load({}, quiet);
        // The sample's link page is numbered last: renumber now, so that a run starts at once.
        if (structure.changed()) {
            structure.optimise(site::OptimiseKind::AfterChanges, quiet);
        }
    }
    void select(const char* id) {
        ScriptedPrompter none;
        structure.select(id, true, none);
    }
    std::string ini(const char* key) const {
        return profileValue(folder / "ArkonaTree.ini", "Generate", key);
    }
    fs::path site() const { return folder / "WWW"; }
    int pagesOnDisk() const {
        int n = 0;
        if (fs::exists(site())) {
            for (const auto& e : fs::recursive_directory_iterator(site())) {
                n += e.path().extension() == ".htm";
            }
        }
        return n;
    }
};

template <class T> T* c(QWidget* d, const char* name) {
    T* w = control<T>(d, name);
    if (!w) {
        qFatal("control %s is missing", name);
    }
    return w;
}

void click(QWidget* d, const char* name) {
    QWidget* w = c<QWidget>(d, name);
    const bool indicator = qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w);
    QTest::mouseClick(w, Qt::LeftButton, {},
                      indicator ? QPoint(6, w->height() / 2) : w->rect().center());
}

QString labelText(QWidget* d, const char* name) {
    return c<QLabel>(d, name)->text();
}

} // namespace

class GeneratorDialogTest : public QObject {
    Q_OBJECT
private slots:
    void opensWithTheStoredOptions();
    void theDateOptionShowsAndHidesItsFields();
    void scopeChoicesFollowTheSelectedPage();
    void aRunWritesThePagesAndTheOptions();
    void theStopQuestionAnsweredBothWays();
    void closingDuringARunAsksToStop();
    void aPageThatCannotBeWrittenIsReportedAtTheEnd();
    void theMainWindowOpensTheDialog();
};

void GeneratorDialogTest::opensWithTheStoredOptions() {
    Project p("[Generate]\r\nLastDate=1.2.2026 10:00:00\r\nGenAkt=True\r\nGenPopis=Stav:\r\n"
              "GenDatum=False\r\nGenTime=True\r\nGenOddil=false\r\n");
    TfrmGen d(p.context, p.data, p.structure);
    d.show();
    QCOMPARE(d.windowTitle(), QStringLiteral("Generování WWW stánek projektu Ukázkový obchod"));
    auto* pages = c<QTabWidget>(&d, "pcGen");
    QCOMPARE(pages->currentIndex(), 0);
    QCOMPARE(pages->tabText(0), QStringLiteral("Parametry"));
    QCOMPARE(pages->tabText(1), QStringLiteral("Obecné"));
    QCOMPARE(pages->tabText(2), QStringLiteral("Cesty"));
    QVERIFY(c<QCheckBox>(&d, "chbDatum")->isChecked());
    QCOMPARE(c<QLineEdit>(&d, "txtDatLasAkt")->text(), QStringLiteral("Stav:"));
    QVERIFY(!c<QCheckBox>(&d, "chbDat")->isChecked());
    QVERIFY(c<QCheckBox>(&d, "chbTime")->isChecked());
    // Only exactly "True" is on.
    QVERIFY(!c<QCheckBox>(&d, "cbRoot")->isChecked());
    QVERIFY(c<QRadioButton>(&d, "rbGenAll")->isChecked());
    QVERIFY(!c<QPushButton>(&d, "pbStop")->isVisible());
    saveScreenshot(&d, QStringLiteral("generator_parametry"));

    pages->setCurrentIndex(1);
    QCOMPARE(labelText(&d, "lblPosledni"), QStringLiteral("1.2.2026 10:00:00"));
    QCOMPARE(labelText(&d, "lblPocet"), QStringLiteral("12"));
    saveScreenshot(&d, QStringLiteral("generator_obecne"));
    pages->setCurrentIndex(2);
    auto* disk = c<QLineEdit>(&d, "txtDisk");
    QVERIFY(disk->isReadOnly());
    QCOMPARE(disk->text(), QString::fromStdString((p.folder / "WWW").string()));
    saveScreenshot(&d, QStringLiteral("generator_cesty"));
}

void GeneratorDialogTest::theDateOptionShowsAndHidesItsFields() {
    Project p("[Generate]\r\nGenAkt=False\r\nGenPopis=\r\n");
    TfrmGen d(p.context, p.data, p.structure);
    d.show();
    QVERIFY(!c<QCheckBox>(&d, "chbDatum")->isChecked());
    for (const char* name : {"txtDatLasAkt", "lblDatLasAkt", "chbDat", "chbTime"}) {
        QVERIFY2(!c<QWidget>(&d, name)->isVisible(), name);
    }
    click(&d, "chbDatum");
    for (const char* name : {"txtDatLasAkt", "lblDatLasAkt", "chbDat", "chbTime"}) {
        QVERIFY2(c<QWidget>(&d, name)->isVisible(), name);
    }
    // An empty stored text gives the label a date line starts with.
    QCOMPARE(c<QLineEdit>(&d, "txtDatLasAkt")->text(),
             QStringLiteral("Datum poslední aktualizace:"));
    QCOMPARE(labelText(&d, "lblPosledni"), QStringLiteral("-"));
    click(&d, "chbDatum");
    QVERIFY(!c<QWidget>(&d, "chbTime")->isVisible());
}

void GeneratorDialogTest::scopeChoicesFollowTheSelectedPage() {
    Project p;
    {
        TfrmGen d(p.context, p.data, p.structure);
        QVERIFY(c<QRadioButton>(&d, "rbGenAll")->isEnabled());
        for (const char* name : {"rbGenAktOdd", "rbGenAktVetev", "rbGenAktStr"}) {
            QVERIFY2(!c<QRadioButton>(&d, name)->isEnabled(), name);
        }
    }
    p.select("12_"); // the link page "Kde nás najdete"
    {
        TfrmGen d(p.context, p.data, p.structure);
        QVERIFY(c<QRadioButton>(&d, "rbGenAktOdd")->isEnabled());
        QVERIFY(c<QRadioButton>(&d, "rbGenAktVetev")->isEnabled());
        QVERIFY(!c<QRadioButton>(&d, "rbGenAktStr")->isEnabled());
    }
    p.select("10_");
    TfrmGen d(p.context, p.data, p.structure);
    QVERIFY(c<QRadioButton>(&d, "rbGenAktStr")->isEnabled());
}

void GeneratorDialogTest::aRunWritesThePagesAndTheOptions() {
    Project p;
    p.select("8_");
    ScriptedPrompter prompter;
    TfrmGen d(p.context, p.data, p.structure);
    d.setClock([] { return generator::Moment{Date{2026, 3, 7}, TimeOfDay{8, 5, 9}}; });
    d.show();
    click(&d, "cbRoot");
    auto* label = c<QLineEdit>(&d, "txtDatLasAkt");
    label->setFocus();
    label->selectAll();
    QTest::keyClicks(label, QStringLiteral("Stav ke dni:"));
    click(&d, "chbTime");
    click(&d, "rbGenAktVetev");
    QVERIFY(c<QRadioButton>(&d, "rbGenAktVetev")->isChecked());
    click(&d, "pbGeneruj");

    QVERIFY(!d.running());
    QCOMPARE(d.lastReport().written, 2LL); // "Čaje" and "Zelené čaje"
    QCOMPARE(p.pagesOnDisk(), 2);
    std::ifstream in(p.site() / "zbozi" / "caje.htm", std::ios::binary);
    const std::string page = text::toUtf8(std::string(std::istreambuf_iterator<char>(in), {}));
    QVERIFY(page.find(" <BR>Stav ke dni: 7.3.2026\r\n") != std::string::npos);
    QCOMPARE(p.ini("GenOddil"), std::string("False"));
    QCOMPARE(p.ini("GenTime"), std::string("False"));
    QCOMPARE(p.ini("GenPopis"), std::string("Stav ke dni:"));
    QCOMPARE(p.ini("LastDate"), std::string("7.3.2026 08:05:09"));
    QCOMPARE(labelText(&d, "lblPosledni"), QStringLiteral("7.3.2026 08:05:09"));
    QCOMPARE(labelText(&d, "lblStatus"), QStringLiteral("Vygenerováno stránek: 2 z 2."));
    QCOMPARE(labelText(&d, "lblStav"), QStringLiteral(" strana 2 z 2   ( 100 % )"));
    QCOMPARE(labelText(&d, "lblSoubor"), QStringLiteral(" \\zbozi\\caje\\zelene.htm"));
    QCOMPARE(labelText(&d, "lblStranka"), QStringLiteral(" Zelené čaje"));
    QCOMPARE(c<QProgressBar>(&d, "prbCelkem")->value(), 2);
    QVERIFY(!c<QPushButton>(&d, "pbStop")->isVisible());
    QVERIFY(c<QPushButton>(&d, "pbGeneruj")->isEnabled());
    QVERIFY(prompter.messages().empty());
    saveScreenshot(&d, QStringLiteral("generator_hotovo"));
}

void GeneratorDialogTest::theStopQuestionAnsweredBothWays() {
    Project p;
    ScriptedPrompter prompter;
    prompter.answers({Answer::No, Answer::Yes});
    TfrmGen d(p.context, p.data, p.structure);
    d.setEventInterval(0);
    d.show();
    bool stillRunningAfterNo = false;
    bool buttonShownAfterNo = false;
    QString statusAfterYes;
    bool buttonShownAfterYes = true;
    // While the run goes on: "Přerušit", No; then "Přerušit", Yes.
    QTimer::singleShot(0, &d, [&] {
        QVERIFY(d.running());
        saveScreenshot(&d, QStringLiteral("generator_behem"));
        click(&d, "pbStop");
        stillRunningAfterNo = d.running();
        buttonShownAfterNo = c<QPushButton>(&d, "pbStop")->isVisible();
        QTimer::singleShot(0, &d, [&] {
            click(&d, "pbStop");
            statusAfterYes = labelText(&d, "lblStatus");
            buttonShownAfterYes = c<QPushButton>(&d, "pbStop")->isVisible();
        });
    });
    click(&d, "pbGeneruj");

    QVERIFY(stillRunningAfterNo);
    QVERIFY(buttonShownAfterNo);
    QCOMPARE(statusAfterYes, QStringLiteral("Čekejte prosím, přerušuji proces generování ..."));
    QVERIFY(!buttonShownAfterYes);
    QCOMPARE(prompter.texts(), (std::vector<std::string>{"Opravdu chcete přerušit generování?",
                                                         "Opravdu chcete přerušit generování?"}));
    QCOMPARE(prompter.messages()[0].kind, MessageKind::Question);
    QCOMPARE(prompter.messages()[0].buttons, Buttons::YesNo);
    QCOMPARE(prompter.messages()[0].caption, std::string("ArkonaPro"));
    const auto& report = d.lastReport();
    QVERIFY(report.stopped);
    QVERIFY(report.written >= 1);
    QVERIFY(report.written < report.total);
    QCOMPARE(p.pagesOnDisk(), static_cast<int>(report.written));
    QCOMPARE(labelText(&d, "lblStatus"),
             QStringLiteral("Vygenerováno stránek: %1 z 11. Generování bylo přerušeno.")
                 .arg(report.written));
    // Not a complete generation.
    QCOMPARE(p.ini("LastDate"), std::string(""));
    QVERIFY(!d.running());
}

void GeneratorDialogTest::closingDuringARunAsksToStop() {
    Project p;
    ScriptedPrompter prompter;
    prompter.answers({Answer::Yes});
    TfrmGen d(p.context, p.data, p.structure);
    d.setEventInterval(0);
    d.show();
    bool visibleAfterEsc = false;
    QTimer::singleShot(0, &d, [&] {
        QTest::keyClick(&d, Qt::Key_Escape);
        visibleAfterEsc = d.isVisible();
    });
    click(&d, "pbGeneruj");
    QVERIFY(visibleAfterEsc);
    QCOMPARE(prompter.texts(), (std::vector<std::string>{"Opravdu chcete přerušit generování?"}));
    QVERIFY(d.lastReport().stopped);
    // Once the run is over, Esc closes.
    QTest::keyClick(&d, Qt::Key_Escape);
    QVERIFY(!d.isVisible());
}

void GeneratorDialogTest::aPageThatCannotBeWrittenIsReportedAtTheEnd() {
    Project p;
    fs::create_directories(p.site() / "zbozi");
    std::ofstream(p.site() / "zbozi" / "caje") << "soubor";
    ScriptedPrompter prompter;
    TfrmGen d(p.context, p.data, p.structure);
    d.show();
    click(&d, "pbGeneruj");
    QCOMPARE(d.lastReport().written, 10LL);
    QCOMPARE(prompter.messages().size(), std::size_t(1));
    QCOMPARE(prompter.messages()[0].kind, MessageKind::Warning);
    QVERIFY(prompter.messages()[0].text.starts_with(
        "Některé stránky se nepodařilo vytvořit (1 z 11):\rSložku "));
    QCOMPARE(p.ini("LastDate"), std::string(""));
}

void GeneratorDialogTest::theMainWindowOpensTheDialog() {
    QTemporaryDir dir;
    const fs::path root = dir.path().toStdString();
    storage::UserSettings settings(root / "settings.ini");
    settings.write(storage::UserSettings::kEditor, "ExtEditorHTML", "");
    storage::ProjectContext context;
    storage::TData2 data;
    fs::copy(fs::path(ARKONA_SAMPLES_DIR) / "zakladni", root / "p", fs::copy_options::recursive);
    app::TArkona1 window(context, data, settings);
    ScriptedPrompter prompter;
    QVERIFY(window.openProjectFolder(root / "p"));
    for (const char* command : {"mnGenerovani", "tbGenerovani"}) {
        QAction* a = action(&window, command);
        QVERIFY2(a->isEnabled(), command);
        QString title;
        whenModal("TfrmGen", [&](QWidget* w) {
            title = w->windowTitle();
            static_cast<QDialog*>(w)->reject();
        });
        a->trigger();
        QCOMPARE(title, QStringLiteral("Generování WWW stánek projektu Ukázkový obchod"));
    }
}

QTEST_MAIN(GeneratorDialogTest)
#include "generator_dialog_test.moc"
