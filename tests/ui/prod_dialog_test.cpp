// The row editor of a product section driven through its fields, one row of each type.
#include "catalogue/product_editor.h"
#include "catalogue/ui/product_dialog.h"
#include "katalog_fixture.h"
#include "site/page_tree.h"
#include "support/ui_driver.h"

#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

using namespace arkona;
using namespace arkona::uitest;
using catalogue::ProductEditor;
using catalogue::ui::ProductDialogContext;
using catalogue::ui::TfrmProd;
namespace fs = std::filesystem;

namespace {

QString u(const char* text) {
    return QString::fromUtf8(text);
}

site::PageNode page(const char* id, const char* title, const char* src, const char* path,
                    const char* disk) {
    site::PageNode n;
    n.id = id;
    n.title = title;
    n.src = src;
    n.path = path;
    n.disk = disk;
    n.number = std::stoll(id);
    n.recno = static_cast<std::uint32_t>(n.number);
    return n;
}

// Page 8_ "Nabídka čajů" lies in the folder \caje of the site; 9_ "Kontakt" at the top.
struct Prod : KatalogProject {
    site::PageTree tree;
    fs::path pageFolder{folder / "WWW" / "caje"};
    std::unique_ptr<TfrmProd> dialog;

    Prod() {
        fs::create_directories(pageFolder);
        context.siteFolder = folder / "WWW";
        auto& caje = tree.insert(page("8_", "Nabídka čajů", "8caje", "/caje", "\\caje"), nullptr);
        (void)caje;
        tree.insert(page("9_", "Kontakt", "9kontakt", "", ""), nullptr);
        add("skupiny.dbf", {group(1, "Čaje", 0, 1)});
    }
    ProductDialogContext dialogContext() {
        return ProductDialogContext{context, data, tree, "8_", 1, nullptr, nullptr};
    }
    TfrmProd& show(ProductEditor editor) {
        dialog = std::make_unique<TfrmProd>(dialogContext(),
                                            std::make_unique<ProductEditor>(std::move(editor)));
        dialog->show();
        if (!activate(dialog.get())) {
            qWarning("the row editor did not become active");
        }
        return *dialog;
    }
    TfrmProd& showNew(char typ) {
        return show(
            ProductEditor::newRow(context, app::Messages::prompter(), "8_", 1, typ, pageFolder));
    }
    TfrmProd& showRow(std::uint32_t recno, const std::string& kod, int poradi = 1) {
        auto editor = ProductEditor::editRow(context, app::Messages::prompter(), "8_", 1, recno,
                                             kod, poradi, pageFolder);
        if (!editor) {
            qFatal("the row was not read");
        }
        return show(std::move(*editor));
    }
    template <class T = QWidget> T* c(const char* name) const {
        return control<T>(dialog.get(), name);
    }
    QString text(const char* name) const { return c<QLineEdit>(name)->text(); }
    // Types into a field and leaves it, as a user does.
    void enter(const char* name, const QString& value) const {
        QLineEdit* field = c<QLineEdit>(name);
        field->setFocus();
        field->selectAll();
        typeText(field, value);
        c<QLineEdit>("txtNazev")->setFocus();
    }
    void click(const char* name) const {
        QTest::mouseClick(c<QAbstractButton>(name), Qt::LeftButton);
    }
    // Whether the price panel takes entries.
    bool pricesEditable() const {
        return !c<QLineEdit>("txtPCena")->isReadOnly() &&
               !c<QLineEdit>("txtPCenaDPH")->isReadOnly() &&
               !c<QLineEdit>("txtSleva")->isReadOnly() &&
               !c<QLineEdit>("txtSlevaKc")->isReadOnly() && c("cbDPH")->isEnabled() &&
               c("rbKoruny")->isEnabled();
    }
    QStringList tabs() const {
        QStringList out;
        auto* t = c<QTabWidget>("pcProd");
        for (int i = 0; i < t->count(); ++i) {
            out << t->tabText(i);
        }
        return out;
    }

    static Row placed(const std::string& code, const char* type, int poradi, double net,
                      double gross, const char* vat = "H") {
        return {{"HTMLID", "8_"}, {"SEKCEID", 1},        {"PORADI", poradi},
                {"TYP", type},    {"KOD", code},         {"NAZEV", "Čaj " + code},
                {"P_CENA", net},  {"P_CENA_DPH", gross}, {"P_IDPH", vat},
                {"ROUND", "0"},   {"KS_MAX", 30.0},      {"KS_KROK", 1.0},
                {"MJ", "ks"},     {"SLEVA", 0.0}};
    }
};

const Strings kStored = {"PORADI", "TYP",   "KOD",   "NAZEV",  "P_CENA",  "P_CENA_DPH",
                         "P_IDPH", "SLEVA", "ROUND", "KS_MAX", "KS_KROK", "MJ"};

} // namespace

class ProdDialogTest : public QObject {
    Q_OBJECT
private slots:
    void aNewGoodsRowWaitsForAFreeCode();
    void aNewSetHasItsBreakdownPage();
    void aHeadingHasNameAndDescriptionOnly();
    void rowsFromTheCatalogueShowTheirPricesReadOnly();
    void handTypedPricesFollowTheFields();
    void cataloguePriceEditAsksFirst();
    void pictureLinkAndFonts();
};

void ProdDialogTest::aNewGoodsRowWaitsForAFreeCode() {
    Prod p;
    p.add("katalog.dbf", {KatalogProject::item(1, "SENCHA", "Sencha")});
    p.add("zbozi.dbf", {Prod::placed("A1", "R", 4, 10, 12.2)});
    ScriptedPrompter prompter;
    TfrmProd& d = p.showNew('R');
    QCOMPARE(d.windowTitle(), u("Zboží v produktové sekci - , "));
    QCOMPARE(p.tabs(), QStringList{u("Zboží")});
    QVERIFY(!p.c<QLineEdit>("txtKod")->isReadOnly());
    QVERIFY(p.c("txtKod")->isVisible());
    QVERIFY(p.pricesEditable());
    QVERIFY(!p.c("pbKatalog")->isVisible());
    QVERIFY(p.c("gbObjednavka")->isVisible());
    QVERIFY(!p.c("pnOdkaz")->isVisible());
    QCOMPARE(p.text("txtKsMax"), u("30"));
    QCOMPARE(p.text("txtKsKrok"), u("1"));
    QCOMPARE(p.text("txtMJ"), u("ks"));
    QVERIFY(p.c<QRadioButton>("rbKoruny")->isChecked());
    QCOMPARE(p.c<QComboBox>("cbDPH")->currentIndex(), 0);
    auto* ok = p.c<QPushButton>("pbOK");
    QVERIFY(!ok->isEnabled());
    saveScreenshot(&d, "prod_novy_R");

    // A code of the catalogue: the reason, then the copy offer, declined.
    prompter.answers({Answer::Ok, Answer::No});
    p.enter("txtKod", "sencha");
    QCOMPARE(p.text("txtKod"), u("SENCHA"));
    QCOMPARE(prompter.texts(), (Strings{"Tento kód zboží již existuje v katalogu!",
                                        "Chcete zkopírovat nalezené zboží do této sekce?"}));
    QVERIFY(!ok->isEnabled());
    // A code of this section: no offer.
    prompter.clear();
    prompter.answer(Answer::Ok);
    p.enter("txtKod", "a1");
    QCOMPARE(prompter.texts(), (Strings{"Tento kód zboží již existuje v produktové sekci!"}));
    QVERIFY(!ok->isEnabled());
    // Emptied: still disabled; a free code enables "OK".
    p.enter("txtKod", "");
    QVERIFY(!ok->isEnabled());
    p.enter("txtKod", u("zelený-1"));
    QVERIFY(ok->isEnabled());
    QCOMPARE(d.windowTitle(), u("Zboží v produktové sekci - ZELENÝ-1, "));
    p.enter("txtNazev", u("Zelený čaj"));
    p.enter("txtPCena", "50");
    QTest::mouseClick(ok, Qt::LeftButton);
    QCOMPARE(d.QDialog::result(), int(QDialog::Accepted));
    QVERIFY(d.result().stored);
    QCOMPARE(d.result().kod, std::string("ZELENÝ-1"));
    QCOMPARE(d.result().poradi, 5);
    QCOMPARE(p.rows("zbozi.dbf", kStored)[1],
             std::string("5 R ZELENÝ-1 Zelený čaj 50.00 50.00 0 0.0000 2 30.000 1.000 ks"));
    QCOMPARE(d.result().recno, 1u);
    QCOMPARE(prompter.unexpected(), 0);
}

void ProdDialogTest::aNewSetHasItsBreakdownPage() {
    Prod p;
    ScriptedPrompter prompter;
    TfrmProd& d = p.showNew('S');
    QCOMPARE(d.windowTitle(), u("Sestava v produktové sekci - , "));
    QCOMPARE(p.tabs(), (QStringList{u("Sestava"), u("Rozpis sestavy")}));
    QVERIFY(p.pricesEditable());
    QCOMPARE(p.c<QComboBox>("cbDPH")->currentIndex(), -1);
    QVERIFY(!p.c<QPushButton>("pbOK")->isEnabled());
    saveScreenshot(&d, "prod_novy_S");
    // A set code is keyed by 50 bytes in the breakdowns: a longer one is refused.
    p.enter("txtKod", QString(51, QLatin1Char('S')));
    QCOMPARE(prompter.texts().size(), std::size_t(1));
    QVERIFY(!p.c<QPushButton>("pbOK")->isEnabled());
    p.enter("txtKod", QString(50, QLatin1Char('S')));
    QVERIFY(p.c<QPushButton>("pbOK")->isEnabled());
}

void ProdDialogTest::aHeadingHasNameAndDescriptionOnly() {
    Prod p;
    ScriptedPrompter prompter;
    TfrmProd& d = p.showNew('N');
    QCOMPARE(d.windowTitle(), u("Nadpis v produktové sekci"));
    QCOMPARE(p.tabs(), QStringList{u("Nadpis")});
    QCOMPARE(p.c<QLabel>("lblNazev")->text(), u("Nadpis:"));
    for (const char* hidden : {"txtKod", "lblKod", "gbProdejni", "gbObjednavka", "pbKatalog"}) {
        QVERIFY2(!p.c(hidden)->isVisible(), hidden);
    }
    QVERIFY(p.c("txtPopis")->isVisible());
    QVERIFY(p.c<QPushButton>("pbOK")->isEnabled());
    saveScreenshot(&d, "prod_novy_N");
    p.enter("txtNazev", u("Zelené čaje"));
    p.c<QPlainTextEdit>("txtPopis")->setPlainText(u("<B>z Japonska</B>"));
    p.click("pbOK");
    QVERIFY(d.result().stored);
    QCOMPARE(p.rows("zbozi.dbf", {"PORADI", "TYP", "KOD", "NAZEV", "POPIS", "ROUND"}),
             Strings{"1 N  Zelené čaje <B>z Japonska</B> 0"}); // no code: two blanks
    QVERIFY(prompter.messages().empty());
}

void ProdDialogTest::rowsFromTheCatalogueShowTheirPricesReadOnly() {
    Prod p;
    p.add("zbozi.dbf",
          {Prod::placed("K1", "K", 1, 100, 122), Prod::placed("E1", "E", 2, 10, 10.5, "L")});
    ScriptedPrompter prompter;
    TfrmProd& k = p.showRow(0, "K1", 1);
    QCOMPARE(k.windowTitle(), u("Zboží v produktové sekci - K1, Čaj K1"));
    QVERIFY(p.c<QLineEdit>("txtKod")->isReadOnly());
    QVERIFY(!p.pricesEditable());
    QVERIFY(p.c("pbKatalog")->isVisible());
    QCOMPARE(p.text("txtPCena"), u("100,00"));
    QCOMPARE(p.text("txtPCenaDPH"), u("122,00"));
    QCOMPARE(p.c<QComboBox>("cbDPH")->currentText(), u("22 %"));
    QVERIFY(p.c<QPushButton>("pbOK")->isEnabled());
    saveScreenshot(&k, "prod_K");
    // "OK" without a change stores nothing.
    const Strings before = p.rows("zbozi.dbf", kStored);
    p.click("pbOK");
    QVERIFY(!k.result().stored);
    QCOMPARE(p.rows("zbozi.dbf", kStored), before);

    TfrmProd& e = p.showRow(1, "E1", 2);
    QCOMPARE(e.windowTitle(), u("Sestava v produktové sekci - E1, Čaj E1"));
    QCOMPARE(p.tabs(), (QStringList{u("Sestava"), u("Rozpis sestavy")}));
    QVERIFY(!p.pricesEditable());
    QVERIFY(p.c("pbKatalog")->isVisible());
    QCOMPARE(p.c<QComboBox>("cbDPH")->currentText(), u("5 %"));
    saveScreenshot(&e, "prod_E");
    QVERIFY(prompter.messages().empty());
}

void ProdDialogTest::handTypedPricesFollowTheFields() {
    Prod p;
    p.add("zbozi.dbf", {Prod::placed("R1", "R", 1, 0, 0, "0")});
    ScriptedPrompter prompter;
    TfrmProd& d = p.showRow(0, "R1", 1);
    QVERIFY(p.pricesEditable());
    auto* vat = p.c<QComboBox>("cbDPH");
    // The list shows four captions, but only three are offered for a choice.
    QCOMPARE(vat->count(), 4);
    vat->showPopup();
    QCOMPARE(vat->count(), 3);
    QCOMPARE(vat->itemText(2), u("22 %"));
    vat->hidePopup();
    QCOMPARE(vat->count(), 4);
    QCOMPARE(vat->currentIndex(), 0);
    // The popup took the activation; fields are left only in the active window.
    QVERIFY(activate(&d));

    p.enter("txtPCena", "100");
    QCOMPARE(p.text("txtPCenaDPH"), u("100,00"));
    vat->setCurrentIndex(2);
    emit vat->activated(2);
    QCOMPARE(p.text("txtPCena"), u("100,00"));
    QCOMPARE(p.text("txtPCenaDPH"), u("122,00"));
    p.enter("txtSlevaKc", "25");
    QCOMPARE(p.text("txtSleva"), u("25,00"));
    QCOMPARE(p.c<QLabel>("lblPCenaSl")->text(), u("75,00"));
    QCOMPARE(p.c<QLabel>("lblPCenaDPHSl")->text(), u("91,50"));
    p.enter("txtPCenaDPH", "61");
    QCOMPARE(p.text("txtPCena"), u("50,00"));
    QCOMPARE(p.text("txtSlevaKc"), u("12,50"));
    p.enter("txtSleva", "-3");
    QCOMPARE(prompter.texts(), Strings{"Hodnota nemůže být záporná!"});
    QTRY_VERIFY(p.c("txtSleva")->hasFocus());
    QCOMPARE(p.text("txtSleva"), u("25,00"));
    saveScreenshot(&d, "prod_R_ceny");
    p.click("pbOK");
    QVERIFY(d.result().stored);
    QCOMPARE(p.rows("zbozi.dbf", kStored),
             Strings{"1 R R1 Čaj R1 50.00 61.00 H 25.0000 0 30.000 1.000 ks"});
}

void ProdDialogTest::cataloguePriceEditAsksFirst() {
    Prod p;
    p.add("katalog.dbf", {KatalogProject::item(1, "K1", "Sencha", 100)});
    p.add("zbozi.dbf", {Prod::placed("K1", "K", 1, 100, 122)});
    ScriptedPrompter prompter;
    p.showRow(0, "K1", 1);
    p.enter("txtNazev", u("Sencha v akci"));
    // No: nothing is stored, the item editor does not open.
    prompter.answer(Answer::No);
    bool opened = false;
    p.click("pbKatalog");
    QCOMPARE(prompter.texts(), Strings{"Chcete uložit provedené změny?"});
    QCOMPARE(p.rows("zbozi.dbf", {"NAZEV"}), Strings{"Čaj K1"});
    // Yes: the row is stored, the item editor opens on the item, and its new price reaches the
    // row.
    prompter.clear();
    prompter.answer(Answer::Yes);
    whenModal("TfrmZboz", [&](QWidget* w) {
        opened = true;
        QVERIFY(activate(w));
        QCOMPARE(w->windowTitle(), u("Čaje, Sencha"));
        auto* net = control<QLineEdit>(w, "txtPCena");
        net->setFocus();
        net->selectAll();
        typeText(net, "200");
        QTest::mouseClick(control<QPushButton>(w, "pbOK"), Qt::LeftButton);
    });
    p.click("pbKatalog");
    QVERIFY(opened);
    QCOMPARE(prompter.texts(), Strings{"Chcete uložit provedené změny?"});
    QCOMPARE(p.text("txtPCena"), u("200,00"));
    QCOMPARE(p.text("txtPCenaDPH"), u("244,00"));
    QCOMPARE(p.text("txtNazev"), u("Sencha v akci"));
    QCOMPARE(p.rows("zbozi.dbf", {"NAZEV", "P_CENA", "P_CENA_DPH"}),
             Strings{"Sencha v akci 200.00 244.00"});
    QCOMPARE(p.rows("katalog.dbf", {"KOD", "P_H"}), Strings{"K1 200.0000"});
    saveScreenshot(p.dialog.get(), "prod_K_po_katalogu");
    // Still open in edit state: "OK" now has nothing more to store.
    p.click("pbOK");
    QVERIFY(!p.dialog->result().stored);
}

void ProdDialogTest::pictureLinkAndFonts() {
    Prod p;
    p.add("zbozi.dbf", {Prod::placed("R1", "R", 1, 10, 10, "0")});
    QImage picture(64, 40, QImage::Format_RGB32);
    picture.fill(QColor(0x2F, 0x5F, 0x2F));
    const fs::path outside = p.root / "caj.jpg";
    QVERIFY(picture.save(QString::fromStdString(outside.string()), "JPG"));
    QVERIFY(picture.save(QString::fromStdString((p.pageFolder / "caj.jpg").string()), "JPG"));
    ScriptedPrompter prompter;
    TfrmProd& d = p.showRow(0, "R1", 1);
    QVERIFY(!p.c("pnOdkaz")->isVisible());
    QStringList offered;
    whenModal("dlgVyberObrazku", [&](QWidget* w) {
        QCOMPARE(w->windowTitle(), u("Výběr obrázku"));
        auto* types = w->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        for (int i = 0; types && i < types->count(); ++i) {
            offered << types->itemText(i);
        }
        w->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
            ->setText(QString::fromStdString(outside.string()));
        static_cast<QDialog*>(w)->accept();
    });
    prompter.answer(Answer::No); // keep the file already in the page's folder
    p.click("sbObrazek");
    QVERIFY(offered.first().contains(QStringLiteral("*.png")));
    QCOMPARE(prompter.texts(), Strings{"Tento soubor již v projektu existuje! Chcete ho přepsat?"});
    QCOMPARE(p.text("txtObrazek"), u("caj.jpg"));
    QVERIFY(p.c("imgObrazek")->isVisible());
    QVERIFY(p.c("pnOdkaz")->isVisible());
    QVERIFY(!p.c("sbOdstranitOdkaz")->isEnabled());

    whenModal("TfrmStrom", [&](QWidget* w) {
        auto* tv = control<QTreeWidget>(w, "tvStrom");
        QTreeWidgetItem* target = nullptr;
        for (QTreeWidgetItemIterator it(tv); *it; ++it) {
            if ((*it)->text(0).contains(QStringLiteral("Kontakt"))) {
                target = *it;
            }
        }
        QVERIFY(target);
        QTest::mouseClick(tv->viewport(), Qt::LeftButton, {}, tv->visualItemRect(target).center());
        QTest::mouseClick(control<QPushButton>(w, "pbOK"), Qt::LeftButton);
    });
    p.click("sbOdkaz");
    QCOMPARE(p.text("txtOdkaz"), u("<A HREF=\"../9kontakt.htm\" TARGET=\"wsp\">"));
    QVERIFY(p.c("sbOdstranitOdkaz")->isEnabled());

    whenModal("TfrmFnt", [&](QWidget* w) {
        control<QComboBox>(w, "cbVelikost")->setCurrentIndex(1);
        QTest::mouseClick(control<QPushButton>(w, "pbOK"), Qt::LeftButton);
    });
    p.click("sbFontNaz");
    QCOMPARE(d.editor().fontNaz(), std::string("<FONT FACE=\"Arial CE, ARIAL, Helvetica\" SIZE=2 "
                                               "COLOR=\"#000000\">"));
    saveScreenshot(&d, "prod_R_obrazek");
    p.click("pbOK");
    QCOMPARE(p.rows("zbozi.dbf", {"OBRAZEK", "ODKAZ", "FONT_NAZ", "FONT_POP"}),
             Strings{"caj.jpg <A HREF=\"../9kontakt.htm\" TARGET=\"wsp\"> <FONT FACE=\"Arial CE, "
                     "ARIAL, Helvetica\" SIZE=2 COLOR=\"#000000\">"});
    // Deleting the picture hides the link panel; the link is kept with the row.
    p.showRow(0, "R1", 1);
    p.click("sbOdstranitObrazek");
    QVERIFY(!p.c("pnOdkaz")->isVisible());
    QVERIFY(!p.c("imgObrazek")->isVisible());
}

QTEST_MAIN(ProdDialogTest)
#include "prod_dialog_test.moc"
