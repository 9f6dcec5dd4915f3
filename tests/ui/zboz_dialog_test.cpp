// The item editor driven through its fields: each price field runs its operation when left.
#include "catalogue/item_store.h"
#include "catalogue/ui/catalogue_window.h"
#include "catalogue/ui/item_dialog.h"
#include "katalog_fixture.h"
#include "support/ui_driver.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

using namespace arkona;
using namespace arkona::uitest;
using catalogue::ItemEditor;
using catalogue::StoredItem;
using catalogue::ui::TfrmZboz;
namespace fs = std::filesystem;

namespace {

QString u(const char* text) {
    return QString::fromUtf8(text);
}

struct Editor : KatalogProject {
    std::unique_ptr<TfrmZboz> dialog;

    TfrmZboz& open(const Row& row, ItemEditor::Options options = {}) {
        add("katalog.dbf", {row});
        const auto recno = static_cast<std::uint32_t>(rows("katalog.dbf", {"KOD"}).size() - 1);
        auto stored = catalogue::readItemAt(context, recno, std::get<const char*>(row[1].second));
        if (!stored) {
            qFatal("the item was not stored");
        }
        return show(*stored, options);
    }
    TfrmZboz& show(const StoredItem& stored, ItemEditor::Options options) {
        dialog = std::make_unique<TfrmZboz>(context, data, stored, options);
        dialog->show();
        dialog->activateWindow();
        if (!QTest::qWaitForWindowActive(dialog.get())) {
            qWarning("the editor did not become active");
        }
        return *dialog;
    }
    QLineEdit* edit(const char* name) const { return control<QLineEdit>(dialog.get(), name); }
    QString text(const char* name) const { return edit(name)->text(); }
    // Types into a field and leaves it, as a user does.
    void enter(const char* name, const QString& value) const {
        QLineEdit* field = edit(name);
        field->setFocus();
        field->selectAll();
        typeText(field, value);
        edit("txtNazev")->setFocus();
    }
    void clickOk() const {
        QTest::mouseClick(control<QPushButton>(dialog.get(), "pbOK"), Qt::LeftButton);
    }
};

Row pricedItem(const char* code) {
    return {{"SKUPID", 1},       {"KOD", code},
            {"NAZEV", "Sencha"}, {"N_IDPH", "H"},
            {"P_IDPH", "H"},     {"P_H", 0.0},
            {"MARZE", 25.0},     {"REC_NC", true},
            {"ROUND", "0"},      {"DAT_Z_UPD", "20200102"}};
}

} // namespace

class ZbozDialogTest : public QObject {
    Q_OBJECT
private slots:
    void okOnAnUnchangedItemIsStornoAndLeavesTheDate();
    void aNewItemWaitsForAFreeCode();
    void purchasePriceAndMarginGiveTheSalePrice();
    void aGrossPriceOnASplitItemSpreads();
    void aNegativeMarginAmountZeroesBoth();
    void aThirdFixedBoxIsRefused();
    void aPictureFromASubFolderOfObrIsNotCopied();
    void aTabSwitchRefillsTheInputs();
};

void ZbozDialogTest::okOnAnUnchangedItemIsStornoAndLeavesTheDate() {
    Editor e;
    e.add("skupiny.dbf", {KatalogProject::group(1, "Čaje", 0, 1)});
    e.add("katalog.dbf", {pricedItem("A1")});
    ScriptedPrompter prompter;
    const Strings before = e.rows("katalog.dbf", {"KOD", "NAZEV", "P_H", "DAT_P_UPD", "DAT_Z_UPD"});
    catalogue::ui::TfrmKat window(e.context, e.data, e.settings);
    window.openCatalogue();
    int result = -1;
    whenModal("TfrmZboz", [&](QWidget* d) {
        QVERIFY(activate(d));
        QCOMPARE(d->windowTitle(), u("Čaje, Sencha"));
        QVERIFY(control<QLineEdit>(d, "txtKod")->isReadOnly());
        saveScreenshot(d, "zbozi_editor");
        connect(static_cast<QDialog*>(d), &QDialog::finished, [&](int r) { result = r; });
        QTest::mouseClick(control<QPushButton>(d, "pbOK"), Qt::LeftButton);
    });
    action(&window, "mnUpravitZbozi")->trigger();
    QCOMPARE(result, int(QDialog::Rejected));
    QCOMPARE(e.rows("katalog.dbf", {"KOD", "NAZEV", "P_H", "DAT_P_UPD", "DAT_Z_UPD"}), before);
    QCOMPARE(before[0], std::string("A1 Sencha 0.0000  2020-01-02"));
    // A changed name is stored with today's date.
    whenModal("TfrmZboz", [&](QWidget* d) {
        QVERIFY(activate(d));
        auto* name = control<QLineEdit>(d, "txtNazev");
        name->setFocus();
        name->selectAll();
        typeText(name, u("Sencha Japan"));
        QTest::mouseClick(control<QPushButton>(d, "pbOK"), Qt::LeftButton);
    });
    action(&window, "mnUpravitZbozi")->trigger();
    const auto after = e.rows("katalog.dbf", {"NAZEV", "DAT_Z_UPD"});
    QCOMPARE(after[0].substr(0, 13), std::string("Sencha Japan "));
    QVERIFY(after[0] != "Sencha Japan 2020-01-02");
    QVERIFY(prompter.messages().empty());
}

void ZbozDialogTest::aNewItemWaitsForAFreeCode() {
    Editor e;
    e.add("katalog.dbf", {pricedItem("A1")});
    e.add("zbozi.dbf", {KatalogProject::product("K9", "R")});
    ScriptedPrompter prompter;
    catalogue::Group group;
    group.skupId = 1;
    group.nIdph = "L";
    TfrmZboz& d = e.show({catalogue::newItemOf(group), {}, 0}, {true, false});
    auto* ok = control<QPushButton>(&d, "pbOK");
    QVERIFY(!ok->isEnabled());
    QCOMPARE(control<QComboBox>(&d, "cbNDPH")->currentIndex(), 1);
    QCOMPARE(control<QComboBox>(&d, "cbPDPH")->currentIndex(), 1);
    e.enter("txtKod", "a1");
    QCOMPARE(e.text("txtKod"), u("A1"));
    QVERIFY(!ok->isEnabled());
    e.enter("txtKod", "k9");
    QVERIFY(!ok->isEnabled());
    e.enter("txtKod", "nový-1");
    QCOMPARE(e.text("txtKod"), u("NOVÝ-1"));
    QVERIFY(ok->isEnabled());
    QCOMPARE(prompter.texts(), (Strings{"Tento kód zboží již existuje v katalogu!",
                                        "Tento kód zboží již existuje v produktové sekci!"}));
    e.clickOk();
    QCOMPARE(prompter.texts().back(), std::string("Není vyplněn název zboží!"));
    QVERIFY(d.isVisible());
    e.enter("txtNazev", u("Nový čaj"));
    e.clickOk();
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QCOMPARE(d.item().kod, std::string("NOVÝ-1"));
    QCOMPARE(d.item().nazev, std::string("Nový čaj"));
    // A code longer than its column cannot be typed.
    e.show({catalogue::newItemOf(group), {}, 0}, {true, false});
    e.enter("txtKod", QString(45, QLatin1Char('x')));
    QCOMPARE(e.text("txtKod").size(), 40);
    // Widths are bytes of Windows-1250: 100 Czech letters fit the name, a character the code
    // page lacks does not go in at all.
    e.enter("txtNazev", QString(101, QChar(0x010D)));
    QCOMPARE(e.text("txtNazev").size(), 100);
    e.enter("txtNazev", u("čaj ✓"));
    QCOMPARE(e.text("txtNazev"), u("čaj "));
}

void ZbozDialogTest::purchasePriceAndMarginGiveTheSalePrice() {
    Editor e;
    ScriptedPrompter prompter;
    e.open(pricedItem("A1"));
    e.enter("txtNCena", "100");
    QCOMPARE(e.text("txtNCena"), u("100,00"));
    QCOMPARE(e.text("txtNCenaDPH"), u("122,00"));
    QCOMPARE(e.text("txtPCena"), u("125,00"));
    QCOMPARE(e.text("txtPCenaDPH"), u("152,50"));
    QCOMPARE(e.text("txtMarzeKc"), u("25,00"));
    QCOMPARE(control<QLabel>(e.dialog.get(), "lblAMarze")->text(), u("25,00"));
    QVERIFY(!e.edit("txtPCena")->isModified());
    QVERIFY(prompter.messages().empty());
}

void ZbozDialogTest::aGrossPriceOnASplitItemSpreads() {
    Editor e;
    ScriptedPrompter prompter;
    Row split = pricedItem("R1");
    split.push_back({"P_IDPH", "R"});
    split[4] = {"P_IDPH", "R"};
    split.push_back({"P_0", 50.0});
    split.push_back({"P_L", 50.0});
    TfrmZboz& d = e.open(split);
    QCOMPARE(control<QComboBox>(&d, "cbPDPH")->currentIndex(), 3);
    QCOMPARE(e.text("txtPCenaDPH"), u("102,50"));
    e.enter("txtPCenaDPH", "205");
    QCOMPARE(e.text("txtPCena"), u("200,00"));
    QCOMPARE(e.text("txtP0"), u("100,00"));
    QCOMPARE(e.text("txtPL"), u("100,00"));
    QCOMPARE(e.text("txtL"), u("105,00"));
    control<QTabWidget>(&d, "pcProdejni")->setCurrentIndex(2);
    saveScreenshot(&d, "zbozi_editor_rozpis");
    QVERIFY(prompter.messages().empty());
}

void ZbozDialogTest::aNegativeMarginAmountZeroesBoth() {
    Editor e;
    ScriptedPrompter prompter;
    Row row = pricedItem("M1");
    row.push_back({"N_CENA", 80.0});
    e.open(row);
    QCOMPARE(e.text("txtMarzeKc"), u("20,00"));
    e.enter("txtMarzeKc", "-5");
    QCOMPARE(prompter.texts(), (Strings{"Hodnota nemůže být záporná!"}));
    QCOMPARE(e.text("txtMarze"), u("0,00"));
    QCOMPARE(e.text("txtMarzeKc"), u("0,00"));
    QTRY_VERIFY(e.edit("txtMarzeKc")->hasFocus());
}

void ZbozDialogTest::aThirdFixedBoxIsRefused() {
    Editor e;
    ScriptedPrompter prompter;
    Row split = pricedItem("R2");
    split[4] = {"P_IDPH", "R"};
    split.push_back({"P_0", 10.0});
    split.push_back({"P_L", 20.0});
    split.push_back({"P_H", 30.0});
    TfrmZboz& d = e.open(split);
    control<QTabWidget>(&d, "pcProdejni")->setCurrentIndex(2);
    for (const char* box : {"chbHold0", "chbHoldL", "chbHoldH"}) {
        auto* b = control<QCheckBox>(&d, box);
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
    }
    QCOMPARE(prompter.texts(), (Strings{"Pevné ceny mohou být pouze dvě!"}));
    QCOMPARE(prompter.messages()[0].kind, MessageKind::Error);
    QVERIFY(control<QCheckBox>(&d, "chbHold0")->isChecked());
    QVERIFY(control<QCheckBox>(&d, "chbHoldL")->isChecked());
    QVERIFY(!control<QCheckBox>(&d, "chbHoldH")->isChecked());
    QVERIFY(!d.item().holdH);
}

void ZbozDialogTest::aPictureFromASubFolderOfObrIsNotCopied() {
    Editor e;
    ScriptedPrompter prompter;
    fs::create_directories(e.folder / "_obr" / "sub");
    QImage picture(64, 40, QImage::Format_RGB32);
    picture.fill(QColor(0x2F, 0x5F, 0x2F));
    QVERIFY(picture.save(
        QString::fromStdString((e.folder / "_obr" / "sub" / "zeleny.jpg").string()), "JPG"));
    TfrmZboz& d = e.open(pricedItem("P1"));
    QStringList offered;
    whenModal("dlgVyberObrazku", [&](QWidget* w) {
        QCOMPARE(w->windowTitle(), u("Výběr obrázku"));
        auto* types = w->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        QVERIFY(types);
        for (int i = 0; i < types->count(); ++i) {
            offered << types->itemText(i);
        }
        auto* name = w->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        name->setText(QString::fromStdString((e.folder / "_obr" / "sub" / "zeleny.jpg").string()));
        static_cast<QDialog*>(w)->accept();
    });
    QTest::mouseClick(control<QWidget>(&d, "sbVyhledat"), Qt::LeftButton);
    QCOMPARE(offered, (QStringList{"All (*.gif;*.jpg)", "Gif (*.gif)", "JPG (*.jpg, *.jpeg)"}));
    QCOMPARE(e.text("txtObrazek"), u("sub\\zeleny.jpg"));
    QCOMPARE(d.item().obrazek, std::string("sub\\zeleny.jpg"));
    QVERIFY(control<QLabel>(&d, "imgObrazek")->isVisible());
    QCOMPARE(std::distance(fs::recursive_directory_iterator(e.folder / "_obr"), {}), 2);
    saveScreenshot(&d, "zbozi_editor_obrazek");
    QTest::mouseClick(control<QWidget>(&d, "sbOdstranit"), Qt::LeftButton);
    QCOMPARE(e.text("txtObrazek"), QString());
    QVERIFY(!control<QLabel>(&d, "imgObrazek")->isVisible());
    QVERIFY(fs::exists(e.folder / "_obr" / "sub" / "zeleny.jpg"));
    QVERIFY(prompter.messages().empty());
}

void ZbozDialogTest::aTabSwitchRefillsTheInputs() {
    Editor e;
    ScriptedPrompter prompter;
    TfrmZboz& d = e.open(pricedItem("T1"));
    QLineEdit* sale = e.edit("txtPCena");
    sale->setText(QStringLiteral("999"));
    sale->setModified(true);
    control<QTabWidget>(&d, "pcProdejni")->setCurrentIndex(1);
    QCOMPARE(sale->text(), u("0,00"));
    QVERIFY(!sale->isModified());
}

QTEST_MAIN(ZbozDialogTest)
#include "zboz_dialog_test.moc"
