// The shop settings dialog driven through its controls.
#include "base/codepage.h"
#include "support/ui_driver.h"
#include "templates/shop_settings.h"
#include "templates/ui/shop_settings_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <sstream>

using namespace arkona;
using namespace arkona::uitest;
using templates::Defaults;
using templates::ShopSettings;
using templates::ui::TConfigHlavni1;
namespace fs = std::filesystem;

namespace {

struct Project {
    QTemporaryDir dir;
    fs::path root{dir.path().toStdString()};
    fs::path folder{root / "projekt"};
    fs::path sablony{folder / "_sablony"};
    storage::ProjectContext context;

    Project() {
        fs::copy(fs::path(ARKONA_SAMPLES_DIR) / "zakladni", folder, fs::copy_options::recursive);
        context.setProjectFolder(folder);
        context.projectOpen = true;
    }
};

std::string bytesOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeBytes(const fs::path& file, const std::string& bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

template <class T> T* c(QWidget* d, const char* name) {
    T* w = control<T>(d, name);
    if (!w) {
        qFatal("control %s is missing", name);
    }
    return w;
}

// Clicks a button; check boxes and radio buttons on their indicator, since a wide one only
// reacts where its indicator and text are.
void click(QWidget* d, const char* name) {
    QWidget* w = c<QWidget>(d, name);
    const bool indicator = qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w);
    QTest::mouseClick(w, Qt::LeftButton, {},
                      indicator ? QPoint(6, w->height() / 2) : w->rect().center());
}

// Types into a line edit as a user does: select all, type. Key events carry Latin-1 only, so
// Czech letters beyond it go in as a paste would.
void type(QWidget* d, const char* name, const QString& text) {
    auto* edit = c<QLineEdit>(d, name);
    edit->setFocus();
    edit->selectAll();
    for (const QChar ch : text) {
        if (ch.unicode() < 0x80) {
            QTest::keyClicks(edit, QString(ch));
        } else {
            edit->insert(QString(ch));
        }
    }
}

void chooseData(QWidget* d, const char* name, const QString& data) {
    auto* box = c<QComboBox>(d, name);
    const int i = box->findData(data);
    QVERIFY2(i >= 0, qPrintable(data));
    box->setCurrentIndex(i);
}

// Types a file's whole path into the name field of the next file dialog of that name and
// accepts it, as a user would.
void pickFile(const char* dialogName, const QString& file) {
    whenModal(dialogName, [file](QWidget* w) {
        auto* edit = w->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QVERIFY(edit);
        edit->setText(file);
        static_cast<QDialog*>(w)->accept(); // the file dialog's own accept checks the name
        QVERIFY(!w->isVisible());
    });
}

QString qs(const fs::path& p) {
    return QString::fromStdString(p.string());
}

} // namespace

class ConfigHlavniTest : public QObject {
    Q_OBJECT
private slots:
    void showsTheSampleSettings();
    void missingFileOpensTheDefaultWithAMessage();
    void withNeitherFileStartsWithDefaultsAndOkCreatesIt();
    void fieldsAreSavedAndReadBack();
    void okSavesOnlyWhenChanged();
    void closingWithChangesAsks();
    void openAsksToSaveAndBeforeReplacing();
    void saveAsAddsTheExtensionAndAsksBeforeReplacing();
    void standardAndConfirmationSwitches();
};

void ConfigHlavniTest::showsTheSampleSettings() {
    Project p;
    ScriptedPrompter prompter;
    TConfigHlavni1 d(p.context, "");
    d.show();
    QCOMPARE(d.windowTitle(), QStringLiteral("Vlastnosti šablony [default.qsh]"));
    QCOMPARE(d.fileName(), std::string("default.qsh"));
    auto* navigace = c<QComboBox>(&d, "cbNavigace");
    QCOMPARE(navigace->currentData().toString(), QStringLiteral("/navigace.htm"));
    QVERIFY(navigace->currentText().contains(QStringLiteral("Navigace")));
    QCOMPARE(navigace->count(), 11); // the pages of the sample, no extra entry
    QCOMPARE(navigace->itemText(8).trimmed(),
             QStringLiteral("Zelené čaje   /zbozi/caje/zelene.htm"));
    QVERIFY(navigace->itemText(8).startsWith(QStringLiteral("        ")));
    QCOMPARE(c<QComboBox>(&d, "cbPracovni")->currentData().toString(), QStringLiteral("/uvod.htm"));
    QCOMPARE(c<QComboBox>(&d, "cbKosik")->currentData().toString(), QStringLiteral("/kosik.htm"));
    QVERIFY(c<QCheckBox>(&d, "chbKosikAno")->isChecked());
    QVERIFY(c<QRadioButton>(&d, "rbNahore")->isChecked());
    QCOMPARE(c<QSpinBox>(&d, "txtVelikost")->value(), 56);
    QVERIFY(c<QRadioButton>(&d, "rbBody")->isChecked());
    QVERIFY(!c<QCheckBox>(&d, "chbC9")->isChecked());
    QVERIFY(!c<QLineEdit>(&d, "txtTC12")->isEnabled());
    QVERIFY(c<QLineEdit>(&d, "txtTC11")->isEnabled());
    QCOMPARE(c<QLineEdit>(&d, "txtTC5")->text(), QStringLiteral(" Kč bez DPH ("));
    QCOMPARE(c<QLineEdit>(&d, "txtTE1")->text(), QStringLiteral("Nebylo vybráno žádné zboží."));
    QCOMPARE(c<QComboBox>(&d, "cbOddelovac")->currentIndex(), 2);
    QCOMPARE(c<QLabel>(&d, "lblUkazka")->text(), QStringLiteral("123 456 789,-"));
    const QString preview = c<QPlainTextEdit>(&d, "txtNahled")->toPlainText();
    QVERIFY(preview.startsWith(QStringLiteral("Do nákupního košíku vkládáte toto zboží:\n- - ")));
    QVERIFY(preview.contains(QStringLiteral("\n2x - Zelený čaj Sencha (CAJ-01)\n- - ")));
    QVERIFY(preview.endsWith(
        QStringLiteral("\nVybrané zboží stojí 241,- Kč bez DPH (294,02 Kč s DPH).\n"
                       "Košík pak bude stát 1 241,- Kč bez DPH (1 514,02 Kč s DPH).\n\n"
                       "Chcete vybrané zboží vložit do košíku?")));
    QVERIFY(!d.isChanged());
    QVERIFY(prompter.messages().empty());
    saveScreenshot(&d, QStringLiteral("config_hlavni"));
}

void ConfigHlavniTest::missingFileOpensTheDefaultWithAMessage() {
    Project p;
    ScriptedPrompter prompter;
    TConfigHlavni1 d(p.context, "moje.qsh");
    QCOMPARE(prompter.texts(), std::vector<std::string>{"Tato šablona na disku neexistuje - "
                                                        "otevírám implicitní šablonu "
                                                        "\"default.qsh\""});
    QCOMPARE(prompter.messages()[0].kind, MessageKind::Information);
    QCOMPARE(prompter.messages()[0].caption, std::string("ArkonaPro"));
    QCOMPARE(d.windowTitle(), QStringLiteral("Vlastnosti šablony [default.qsh]"));
    QCOMPARE(c<QSpinBox>(&d, "txtVelikost")->value(), 56);
    // A name in another letter case is the same file, without a message.
    prompter.clear();
    TConfigHlavni1 upper(p.context, "DEFAULT.QSH");
    QVERIFY(prompter.messages().empty());
    QCOMPARE(upper.fileName(), std::string("default.qsh"));
}

void ConfigHlavniTest::withNeitherFileStartsWithDefaultsAndOkCreatesIt() {
    Project p;
    fs::remove(p.sablony / "default.qsh");
    ScriptedPrompter prompter;
    TConfigHlavni1 d(p.context, "nova.qsh");
    d.show();
    QVERIFY(prompter.messages().empty());
    QCOMPARE(d.windowTitle(), QStringLiteral("Vlastnosti šablony [nova.qsh]"));
    QVERIFY(c<QRadioButton>(&d, "rbNahore")->isChecked());
    QCOMPARE(c<QSpinBox>(&d, "txtVelikost")->value(), 80);
    QCOMPARE(c<QComboBox>(&d, "cbNavigace")->currentText(), QStringLiteral("(není vybrána)"));
    QCOMPARE(c<QComboBox>(&d, "cbNavigace")->count(), 12);
    for (int n = 0; n <= 10; ++n) {
        QVERIFY(c<QCheckBox>(&d, ("chbC" + std::to_string(n)).c_str())->isChecked());
    }
    QCOMPARE(c<QLineEdit>(&d, "txtTC3")->text().size(), 141);
    QCOMPARE(c<QLabel>(&d, "lblUkazka")->text(), QStringLiteral("123.456.789,-"));
    click(&d, "pbOK");
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QCOMPARE(d.fileName(), std::string("nova.qsh"));
    QCOMPARE(templates::readShopSettings(p.sablony / "nova.qsh", Defaults::Editor),
             templates::defaultShopSettings(Defaults::Editor));
}

void ConfigHlavniTest::fieldsAreSavedAndReadBack() {
    Project p;
    ScriptedPrompter prompter;
    const ShopSettings before =
        templates::readShopSettings(p.sablony / "default.qsh", Defaults::Editor);
    TConfigHlavni1 d(p.context, "");
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    chooseData(&d, "cbPracovni", QStringLiteral("/zbozi/caje.htm"));
    click(&d, "chbKosikAno");
    click(&d, "rbDole");
    auto* size = c<QSpinBox>(&d, "txtVelikost");
    size->setFocus();
    size->selectAll();
    QTest::keyClicks(size, QStringLiteral("25"));
    click(&d, "rbProcenta");
    click(&d, "chbC5");
    QVERIFY(!c<QLineEdit>(&d, "txtTC4")->isEnabled());
    type(&d, "txtTC11", QStringLiteral(" Opravdu vložit? "));
    type(&d, "txtTE2", QStringLiteral("Počet kusů je u každého zboží vpravo."));
    c<QComboBox>(&d, "cbOddelovac")->setCurrentIndex(3);
    c<QComboBox>(&d, "cbUkoncovac")->setCurrentIndex(1);
    c<QComboBox>(&d, "cbZaokr")->setCurrentIndex(2);
    QCOMPARE(c<QLabel>(&d, "lblUkazka")->text(), QStringLiteral("123456789,00"));
    QVERIFY(d.isChanged());
    saveScreenshot(&d, QStringLiteral("config_hlavni_changed"));
    click(&d, "pbUlozit");
    QVERIFY(!d.isChanged());
    QVERIFY(prompter.messages().empty());

    ShopSettings expected = before;
    expected.pracovni = "/zbozi/caje.htm";
    expected.kosikAno = false;
    expected.umisteni = "dole";
    expected.velikost = "25";
    expected.body = false;
    expected.c[5] = false;
    expected.tC[11] = " Opravdu vložit? ";
    expected.tE[2] = "Počet kusů je u každého zboží vpravo.";
    expected.oddelovac = "3";
    expected.ukoncovac = "1";
    expected.zaokr = "2";
    QCOMPARE(templates::readShopSettings(p.sablony / "default.qsh", Defaults::Editor), expected);
    const std::string bytes = bytesOf(p.sablony / "default.qsh");
    QVERIFY(bytes.starts_with("[Odskoky]\r\nNavigace=/navigace.htm\r\nPracovni=/zbozi/caje.htm\r\n"
                              "Kosik=/kosik.htm\r\nKosik_ano=False\r\numisteni=dole\r\n"
                              "velikost=25\r\nbody=False\r\n"));
    QVERIFY(bytes.find(text::fromUtf8("tC11=\" Opravdu vložit? \"\r\n")) != std::string::npos);

    // A second dialog reads what the first one saved.
    TConfigHlavni1 again(p.context, "default.qsh");
    QCOMPARE(again.settings(), expected);
    QVERIFY(c<QRadioButton>(&again, "rbDole")->isChecked());
    QVERIFY(c<QRadioButton>(&again, "rbProcenta")->isChecked());
}

void ConfigHlavniTest::okSavesOnlyWhenChanged() {
    Project p;
    ScriptedPrompter prompter;
    // Keys the dialog does not know and the file's own spelling survive an unchanged OK.
    writeBytes(p.sablony / "vlastni.qsh", "[Odskoky]\r\nvelikost = 150\r\nmoje=1\r\n");
    const auto time = fs::last_write_time(p.sablony / "vlastni.qsh");
    {
        TConfigHlavni1 d(p.context, "vlastni.qsh");
        d.show();
        click(&d, "pbOK");
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(bytesOf(p.sablony / "vlastni.qsh"),
                 std::string("[Odskoky]\r\nvelikost = 150\r\nmoje=1\r\n"));
        QCOMPARE(fs::last_write_time(p.sablony / "vlastni.qsh"), time);
    }
    TConfigHlavni1 d(p.context, "vlastni.qsh");
    d.show();
    type(&d, "txtTS1", QStringLiteral("Vybráno za "));
    click(&d, "pbOK");
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QCOMPARE(d.fileName(), std::string("vlastni.qsh"));
    const std::string bytes = bytesOf(p.sablony / "vlastni.qsh");
    QVERIFY(bytes.starts_with("[Odskoky]\r\nvelikost = 150\r\nmoje=1\r\nNavigace=\r\n"));
    QCOMPARE(templates::readShopSettings(p.sablony / "vlastni.qsh", Defaults::Generator).tS[1],
             std::string("Vybráno za "));
    QVERIFY(prompter.messages().empty());
}

void ConfigHlavniTest::closingWithChangesAsks() {
    Project p;
    ScriptedPrompter prompter;
    const std::string original = bytesOf(p.sablony / "default.qsh");
    TConfigHlavni1 d(p.context, "");
    d.show();
    click(&d, "rbVlevo");
    prompter.answer(Answer::Cancel);
    click(&d, "pbStorno");
    QVERIFY(d.isVisible());
    QCOMPARE(prompter.messages().size(), std::size_t(1));
    const ShownMessage& m = prompter.messages()[0];
    QCOMPARE(m.caption, std::string("Vlastnosti šablony"));
    QCOMPARE(m.text, std::string("Chcete uložit provedené změny v aktivní šabloně?"));
    QCOMPARE(m.buttons, Buttons::YesNoCancel);
    QCOMPARE(m.kind, MessageKind::Question);

    prompter.answer(Answer::No);
    QTest::keyClick(&d, Qt::Key_Escape);
    QVERIFY(!d.isVisible());
    QCOMPARE(d.result(), int(QDialog::Rejected));
    QCOMPARE(bytesOf(p.sablony / "default.qsh"), original);

    TConfigHlavni1 e(p.context, "");
    e.show();
    click(&e, "rbDole");
    prompter.answer(Answer::Yes);
    e.close();
    QVERIFY(!e.isVisible());
    QCOMPARE(templates::readShopSettings(p.sablony / "default.qsh", Defaults::Editor).umisteni,
             std::string("dole"));
    QCOMPARE(prompter.unexpected(), 0);
}

void ConfigHlavniTest::openAsksToSaveAndBeforeReplacing() {
    Project p;
    ScriptedPrompter prompter;
    writeBytes(p.sablony / "akce.qsh", "[Odskoky]\r\nvelikost=111\r\n");
    writeBytes(p.root / "jinde" / "akce.qsh", "[Odskoky]\r\nvelikost=333\r\numisteni=dole\r\n");
    TConfigHlavni1 d(p.context, "");
    d.show();
    click(&d, "rbVpravo");
    prompter.answers({Answer::No, Answer::Yes}); // do not save; replace the file in _sablony
    pickFile("dlgOtevrit", qs(p.root / "jinde" / "akce.qsh"));
    click(&d, "pbOtevrit");
    QCOMPARE(prompter.messages().size(), std::size_t(2));
    QCOMPARE(prompter.messages()[0].caption, std::string("Editor šablon"));
    QCOMPARE(prompter.messages()[0].text,
             std::string("Chcete uložit provedené změny v aktivní šabloně?"));
    QCOMPARE(prompter.messages()[1].text,
             std::string("Ve složce šablon projektu už je šablona „akce.qsh“.\rChcete ji "
                         "nahradit vybraným souborem?\r(Ne: otevře se šablona, která už ve "
                         "složce je.)"));
    QCOMPARE(d.windowTitle(), QStringLiteral("Vlastnosti šablony [akce.qsh]"));
    QCOMPARE(c<QSpinBox>(&d, "txtVelikost")->value(), 333);
    QVERIFY(c<QRadioButton>(&d, "rbDole")->isChecked());
    QVERIFY(!d.isChanged());
    QCOMPARE(bytesOf(p.sablony / "akce.qsh"),
             std::string("[Odskoky]\r\nvelikost=333\r\numisteni=dole\r\n"));
    // The unsaved change was dropped, as the user chose.
    QCOMPARE(templates::readShopSettings(p.sablony / "default.qsh", Defaults::Editor).umisteni,
             std::string("nahore"));

    // "No" keeps the file already there and opens it.
    writeBytes(p.root / "jinde" / "akce.qsh", "[Odskoky]\r\nvelikost=444\r\n");
    prompter.clear();
    prompter.answer(Answer::No);
    pickFile("dlgOtevrit", qs(p.root / "jinde" / "akce.qsh"));
    click(&d, "pbOtevrit");
    QCOMPARE(prompter.messages().size(), std::size_t(1)); // nothing changed: no save question
    QCOMPARE(c<QSpinBox>(&d, "txtVelikost")->value(), 333);
    QCOMPARE(prompter.unexpected(), 0);
}

void ConfigHlavniTest::saveAsAddsTheExtensionAndAsksBeforeReplacing() {
    Project p;
    ScriptedPrompter prompter;
    TConfigHlavni1 d(p.context, "");
    d.show();
    c<QSpinBox>(&d, "txtVelikost")->setValue(150);
    pickFile("dlgUlozitJako", qs(p.sablony / "vanoce"));
    click(&d, "pbUlozitJako");
    QCOMPARE(d.windowTitle(), QStringLiteral("Vlastnosti šablony [vanoce.qsh]"));
    QCOMPARE(d.fileName(), std::string("vanoce.qsh"));
    QVERIFY(!d.isChanged());
    QCOMPARE(templates::readShopSettings(p.sablony / "vanoce.qsh", Defaults::Editor).velikost,
             std::string("150"));
    QVERIFY(prompter.messages().empty());
    // The original file was not touched.
    QCOMPARE(templates::readShopSettings(p.sablony / "default.qsh", Defaults::Editor).velikost,
             std::string("56"));

    const std::string saved = bytesOf(p.sablony / "vanoce.qsh");
    c<QSpinBox>(&d, "txtVelikost")->setValue(160);
    prompter.answer(Answer::No);
    pickFile("dlgUlozitJako", qs(p.sablony / "VANOCE"));
    click(&d, "pbUlozitJako");
    QCOMPARE(prompter.texts(), std::vector<std::string>{"Šablona „vanoce.qsh“ už existuje.\r"
                                                        "Chcete ji přepsat?"});
    QCOMPARE(prompter.messages()[0].defaultAnswer, Answer::No);
    QCOMPARE(bytesOf(p.sablony / "vanoce.qsh"), saved);
    QVERIFY(d.isChanged());
}

void ConfigHlavniTest::standardAndConfirmationSwitches() {
    Project p;
    ScriptedPrompter prompter;
    TConfigHlavni1 d(p.context, "");
    d.show();
    click(&d, "rbProcenta");
    click(&d, "pbStandard");
    QVERIFY(c<QRadioButton>(&d, "rbNahore")->isChecked());
    QVERIFY(c<QRadioButton>(&d, "rbBody")->isChecked());
    QCOMPARE(c<QSpinBox>(&d, "txtVelikost")->value(), 80);
    QVERIFY(d.isChanged());

    click(&d, "chbC0");
    for (const char* name : {"chbC1", "chbC3", "chbC10"}) {
        QVERIFY(!c<QCheckBox>(&d, name)->isEnabled());
    }
    QVERIFY(!c<QLineEdit>(&d, "txtTC1")->isEnabled());
    QVERIFY(!c<QLineEdit>(&d, "txtTC9")->isEnabled());
    QCOMPARE(c<QPlainTextEdit>(&d, "txtNahled")->toPlainText(),
             QStringLiteral("(zboží se vloží bez potvrzení)"));
    saveScreenshot(&d, QStringLiteral("config_hlavni_no_confirmation"));
    click(&d, "chbC0");
    QVERIFY(c<QLineEdit>(&d, "txtTC1")->isEnabled());
    QVERIFY(!c<QLineEdit>(&d, "txtTC12")->isEnabled()); // its own switch is still off
    click(&d, "pbUlozit");
    const ShopSettings s =
        templates::readShopSettings(p.sablony / "default.qsh", Defaults::Generator);
    QCOMPARE(s.umisteni, std::string("nahore"));
    QCOMPARE(s.velikost, std::string("80"));
    QVERIFY(s.body);
    QVERIFY(s.c[0]);
}

QTEST_MAIN(ConfigHlavniTest)
#include "config_hlavni_test.moc"
