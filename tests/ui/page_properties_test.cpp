#include "app/main_status_bar.h"
#include "app/main_window.h"
#include "base/dbf/table.h"
#include "base/paths.h"
#include "site/ui/page_properties.h"
#include "storage/data_module.h"
#include "storage/project_context.h"
#include "storage/statements.h"
#include "support/ui_driver.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QFocusEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <fstream>

using namespace arkona;
using namespace arkona::uitest;
using site::ui::TPageProperties;
namespace fs = std::filesystem;

namespace {

// A copy of the sample project opened in a data module, with the page panels on page "2_".
struct Fixture {
    QTemporaryDir dir;
    fs::path root{dir.path().toStdString()};
    fs::path project = root / "Ukazka";
    storage::ProjectContext context;
    storage::TData2 data;
    std::unique_ptr<TPageProperties> panels;
    std::vector<std::pair<int, QString>> status;

    Fixture() {
        fs::copy(fs::path(ARKONA_SAMPLES_DIR) / "zakladni", project, fs::copy_options::recursive);
        context.setProjectFolder(project);
        storage::readArkonaTree(context);
        data.SetProjectPath(project);
        context.projectOpen = true;
        panels = std::make_unique<TPageProperties>(data, context);
        panels->hooks().status = [this](int panel, const QString& text) {
            status.emplace_back(panel, text);
        };
        panels->resize(900, 620);
        panels->show();
        select("2_");
    }
    void select(const std::string& id) {
        data.STRUKTUR_SetHtmlID(id);
        panels->InitPageFrame();
    }
    // A column of a page as the table file holds it.
    std::string stored(const char* column, const std::string& id = "2_") const {
        const auto table =
            dbf::Table::open(project / "_dbf" / "struktur.dbf", dbf::OpenMode::ReadOnly);
        const auto rows = storage::findRows(table, {{"HTMLID", id}});
        if (rows.size() != 1) {
            return "<" + id + " missing>";
        }
        return table.read(rows.front()).display(table.read(rows.front()).column(column));
    }
    template <class T> T* find(const char* name) { return control<T>(panels.get(), name); }
    void showTab(int index, int special = -1) {
        panels->setCurrentIndex(index);
        if (special >= 0) {
            find<QTabWidget>("pcSpecialni")->setCurrentIndex(special);
        }
        QApplication::processEvents();
    }
    fs::path picture(const char* name, QColor colour) {
        const auto folder = root / "obrazky";
        fs::create_directories(folder);
        QImage image(16, 16, QImage::Format_RGB32);
        image.fill(colour);
        image.save(QString::fromStdString((folder / name).string()));
        return folder / name;
    }
};

void leave(QWidget* w) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(w, &out);
}

void retype(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

QAction* menuEntry(QWidget* root, const char* menu, const QString& caption) {
    for (QAction* a : control<QMenu>(root, menu)->actions()) {
        if (a->text() == caption) {
            return a;
        }
    }
    return nullptr;
}

// A click on the box of a check box or radio button, where a user clicks.
void tick(QAbstractButton* b) {
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
}

void pickFile(const fs::path& file) {
    whenModal("dlgObrazek", [file](QWidget* w) {
        auto* d = static_cast<QFileDialog*>(w);
        QCOMPARE(d->windowTitle(), QStringLiteral("Výběr obrázku"));
        QCOMPARE(d->nameFilters().first(), QStringLiteral("All (*.gif *.jpg *.jpeg *.png)"));
        // Typed as the user would: the dialog reads its folders in the background, so a file
        // selected in its list may not be known to it yet.
        const QString wanted = QString::fromStdString(file.string());
        auto* name = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QVERIFY(name);
        name->setText(wanted);
        static_cast<QDialog*>(d)->accept();
        if (d->isVisible()) {
            qWarning("the picture dialog did not take %s: %s", qPrintable(wanted),
                     qPrintable(d->selectedFiles().join(";")));
            d->reject();
        }
    });
}

} // namespace

class PagePropertiesTest : public QObject {
    Q_OBJECT
private slots:
    void showsTheCurrentPageOnEveryTab();
    void colourMarginAndWidthAreWrittenAtOnce();
    void theUnitSwitchIsWrittenAndSurvivesAnotherPage();
    void percentAndPixelWidthsAsShown();
    void colourFieldsFilterPadAndUseTheDialogs();
    void anEmptyNavigationColourShowsWhatIsStored();
    void pageFontAndLevelFontsUseTheChooser();
    void backgroundAndNavigationPicturesAreCopied();
    void aPictureThatCannotBeCopiedIsRefusedWithAWarning();
    void headerFooterAndOwner();
    void navigationSwitchesAndIndent();
    void withoutAPageEverythingIsDisabled();
    void theMainWindowReloadsOnTheDataModulesHook();
};

void PagePropertiesTest::showsTheCurrentPageOnEveryTab() {
    Fixture f;
    QCOMPARE(f.find<QLineEdit>("txtNazev")->text(), QStringLiteral("Úvod"));
    QCOMPARE(f.find<QLineEdit>("txtSoubor")->text(), QStringLiteral("/uvod.htm"));
    QVERIFY(f.find<QPlainTextEdit>("reHlavicka")->toPlainText().size() > 0);
    QVERIFY(!f.find<QPlainTextEdit>("reHlavicka")->toPlainText().contains('\r'));
    QCOMPARE(f.find<QLineEdit>("txtLINK_C")->text(), QStringLiteral("2F5F2F"));
    QCOMPARE(f.find<QLineEdit>("txtBGCOLOR")->text(), QStringLiteral("FFFFFF"));
    QCOMPARE(f.find<QLineEdit>("txtPismo")->text(),
             QStringLiteral("<FONT FACE=\"Verdana, Arial, Helvetica\" SIZE=2 COLOR=\"#202020\">"));
    QVERIFY(f.find<QCheckBox>("chbZobrazit")->isChecked());
    QVERIFY(f.find<QCheckBox>("chbZaradit")->isChecked());
    QCOMPARE(f.find<QSpinBox>("seSirka")->value(), 170);
    QVERIFY(f.find<QRadioButton>("rbBody")->isChecked());
    QCOMPARE(f.find<QSpinBox>("seSirka")->maximum(), 800);
    QCOMPARE(f.find<QLineEdit>("txtTD1_C")->text(), QStringLiteral("E8F0E0"));
    QCOMPARE(f.find<QSpinBox>("seOdsazeni")->value(), 2);
    QCOMPARE(f.find<QLineEdit>("txtL1_OM")->text(), QStringLiteral("nav.gif"));
    QCOMPARE(f.find<QLineEdit>("txtL6_OV")->text(), QStringLiteral("vyb.gif"));
    QCOMPARE(f.find<QSpinBox>("seTOP_MRG")->value(), 10);
    QCOMPARE(f.find<QSpinBox>("seLEFT_BRD")->value(), 0);
    QCOMPARE(f.find<QSpinBox>("seRIGHT_PAD")->value(), 4);
    QCOMPARE(f.status,
             (std::vector<std::pair<int, QString>>{{1, "Počet stran: 6"}, {2, "Počet sekcí: 1"}}));
    // The captions of the tabs as the user sees them.
    QCOMPARE(f.panels->tabText(0), QStringLiteral(" Hlavička "));
    QCOMPARE(f.panels->tabText(1), QStringLiteral(" Barvy a písmo "));
    QCOMPARE(f.panels->tabText(2), QStringLiteral(" Pozadí "));
    QCOMPARE(f.panels->tabText(3), QStringLiteral(" Navigace "));
    QCOMPARE(f.panels->tabText(4), QStringLiteral(" Speciální nastavení "));

    // A background so that the background tab shows something.
    pickFile(f.picture("pozadi.png", QColor(200, 220, 255)));
    QTest::mouseClick(f.find<QToolButton>("sbVybratPozadi"), Qt::LeftButton);
    const char* names[] = {"page_hlavicka", "page_barvy", "page_pozadi", "page_navigace"};
    for (int tab = 0; tab < 4; ++tab) {
        f.showTab(tab);
        saveScreenshot(f.panels.get(), QString::fromLatin1(names[tab]));
    }
    const char* special[] = {"page_okraje", "page_ramecek", "page_mezera"};
    for (int tab = 0; tab < 3; ++tab) {
        f.showTab(4, tab);
        saveScreenshot(f.panels.get(), QString::fromLatin1(special[tab]));
    }
    // The level previews carry their pictures once the navigation tab is shown.
    f.showTab(3);
    QVERIFY(f.find<QLabel>("lblNeaktivni1")->text().contains("nav.gif"));
    QVERIFY(f.find<QLabel>("lblAktivni2")->text().contains("vyb.gif"));
    QVERIFY(f.find<QLabel>("lblAktivni2")->text().contains("Podtitulek 1"));
}

void PagePropertiesTest::colourMarginAndWidthAreWrittenAtOnce() {
    Fixture f;
    ScriptedPrompter prompter;
    auto* link = f.find<QLineEdit>("txtLINK_C");
    retype(link, "f0");
    QCOMPARE(link->text(), QStringLiteral("f0"));
    leave(link);
    QCOMPARE(f.stored("LINK_C"), std::string("F00000"));
    QCOMPARE(link->text(), QStringLiteral("F00000"));

    f.find<QSpinBox>("seTOP_MRG")->setValue(-1);
    QCOMPARE(f.stored("TOP_MRG"), std::string("-1"));
    auto* bottom = f.find<QSpinBox>("seBOTTOM_BRD");
    bottom->selectAll();
    QTest::keyClicks(bottom, "12");
    QCOMPARE(f.stored("BOTTOM_BRD"), std::string("12"));

    f.showTab(3);
    tick(f.find<QRadioButton>("rbProcenta"));
    QCOMPARE(f.stored("TAB_WIDTH"), std::string("21%")); // 170 pixels / 8
    QVERIFY(f.find<QSlider>("tbSirka")->isVisible());
    f.find<QSlider>("tbSirka")->setValue(35);
    QCOMPARE(f.stored("TAB_WIDTH"), std::string("35%"));
    QCOMPARE(f.find<QSpinBox>("seSirka")->value(), 35);
    QCOMPARE(prompter.messages().size(), std::size_t(0));

    // What was written is there for the next program run, and only on this page.
    f.data.CloseQuery();
    storage::TData2 again;
    again.SetProjectPath(f.project);
    TPageProperties panels(again, f.context);
    again.STRUKTUR_SetHtmlID("2_");
    panels.InitPageFrame();
    QCOMPARE(control<QLineEdit>(&panels, "txtLINK_C")->text(), QStringLiteral("F00000"));
    QCOMPARE(control<QSpinBox>(&panels, "seTOP_MRG")->value(), -1);
    QCOMPARE(control<QSpinBox>(&panels, "seSirka")->value(), 35);
    QVERIFY(control<QRadioButton>(&panels, "rbProcenta")->isChecked());
    QCOMPARE(f.stored("LINK_C", "7_"), std::string("2F5F2F"));
}

void PagePropertiesTest::theUnitSwitchIsWrittenAndSurvivesAnotherPage() {
    Fixture f;
    f.showTab(3);
    tick(f.find<QRadioButton>("rbProcenta"));
    f.select("7_");
    QCOMPARE(f.find<QSpinBox>("seSirka")->value(), 170);
    QVERIFY(f.find<QRadioButton>("rbBody")->isChecked());
    f.select("2_");
    QVERIFY(f.find<QRadioButton>("rbProcenta")->isChecked());
    QCOMPARE(f.find<QSpinBox>("seSirka")->value(), 21);
    QCOMPARE(f.find<QSlider>("tbSirka")->value(), 21);
}

void PagePropertiesTest::percentAndPixelWidthsAsShown() {
    Fixture f;
    f.panels->look().writeText("TAB_WIDTH", "25%");
    f.panels->InitPageFrame();
    f.showTab(3);
    auto* width = f.find<QSpinBox>("seSirka");
    QCOMPARE(width->value(), 25);
    QCOMPARE(width->maximum(), 100);
    QCOMPARE(f.find<QSlider>("tbSirka")->value(), 25);
    QVERIFY(f.find<QLabel>("lbl100")->isVisible());
    saveScreenshot(f.panels.get(), QStringLiteral("page_navigace_procenta"));
    tick(f.find<QRadioButton>("rbBody"));
    QCOMPARE(width->value(), 200);
    QCOMPARE(width->maximum(), 800);
    QCOMPARE(f.stored("TAB_WIDTH"), std::string("200"));
    QVERIFY(!f.find<QSlider>("tbSirka")->isVisible());
    QVERIFY(!f.find<QLabel>("lbl0")->isVisible());
    width->setValue(201);
    QCOMPARE(f.stored("TAB_WIDTH"), std::string("201"));

    f.panels->look().writeText("TAB_WIDTH", "160");
    f.panels->InitPageFrame();
    QCOMPARE(width->value(), 160);
    QCOMPARE(f.find<QSlider>("tbSirka")->value(), 20);
    // Showing a page writes nothing, not even a value the controls had to bring into range.
    f.panels->look().writeText("TAB_WIDTH", "150%");
    f.panels->InitPageFrame();
    QCOMPARE(width->value(), 100);
    QCOMPARE(f.stored("TAB_WIDTH"), std::string("150%"));
}

void PagePropertiesTest::colourFieldsFilterPadAndUseTheDialogs() {
    Fixture f;
    auto* text = f.find<QLineEdit>("txtTXT_COLOR");
    retype(text, "1g2");
    QCOMPARE(text->text(), QStringLiteral("12"));
    QTest::keyClick(text, Qt::Key_Return);
    QCOMPARE(f.stored("TXT_COLOR"), std::string("120000"));
    retype(text, "");
    leave(text);
    QCOMPARE(f.stored("TXT_COLOR"), std::string("000000"));

    QAction* navy = menuEntry(f.panels.get(), "pmBGCOLOR", QStringLiteral("tmavě modrá"));
    QVERIFY(navy);
    QCOMPARE(navy->toolTip(), QStringLiteral("000080"));
    navy->trigger();
    QCOMPARE(f.stored("BGCOLOR"), std::string("000080"));
    QVERIFY(f.find<QLabel>("lblVzorek")->styleSheet().contains("#000080"));
    QCOMPARE(f.find<QToolButton>("shpBGCOLOR")->toolTip(),
             QStringLiteral("Kliknutím můžete upravit barvu"));
    QCOMPARE(f.find<QToolButton>("sbBGCOLOR")->toolTip(),
             QStringLiteral("Kliknutím můžete vybrat ze seznamu zálkadních barev"));

    whenModal("dlgBarva", [](QWidget* w) {
        auto* d = static_cast<QColorDialog*>(w);
        d->setCurrentColor(QColor(255, 0, 0));
        d->accept();
    });
    QTest::mouseClick(f.find<QToolButton>("shpALINK_C"), Qt::LeftButton);
    QCOMPARE(f.stored("ALINK_C"), std::string("FF0000"));
    QVERIFY(f.find<QToolButton>("shpALINK_C")->styleSheet().contains("#ff0000"));
    // A colour dialog left with Storno changes nothing.
    whenModal("dlgBarva", [](QWidget* w) { static_cast<QColorDialog*>(w)->reject(); });
    QTest::mouseClick(f.find<QToolButton>("shpVLINK_C"), Qt::LeftButton);
    QCOMPARE(f.stored("VLINK_C"), std::string("2F5F2F"));
}

void PagePropertiesTest::anEmptyNavigationColourShowsWhatIsStored() {
    Fixture f;
    f.showTab(3);
    QCOMPARE(f.find<QToolButton>("shpTD1_C")->toolTip(),
             QStringLiteral("Kliknutím můžete upravit barvu navigace"));
    auto* colour = f.find<QLineEdit>("txtTD1_C");
    retype(colour, "");
    leave(colour);
    QCOMPARE(f.stored("TD1_C"), std::string("E8F0E0"));
    QCOMPARE(colour->text(), QStringLiteral("E8F0E0"));
    retype(colour, "fffffe");
    leave(colour);
    QCOMPARE(f.stored("TD1_C"), std::string("FFFFFE"));
}

void PagePropertiesTest::pageFontAndLevelFontsUseTheChooser() {
    Fixture f;
    whenModal("TfrmFnt", [](QWidget* w) {
        QCOMPARE(control<QComboBox>(w, "cbPismo")->currentText(),
                 QStringLiteral("Verdana, Arial, Helvetica"));
        control<QComboBox>(w, "cbPismo")->setCurrentIndex(1);
        control<QComboBox>(w, "cbVelikost")->setCurrentIndex(3);
        QTest::mouseClick(control<QToolButton>(w, "sbTucne"), Qt::LeftButton);
        QTest::mouseClick(control<QPushButton>(w, "pbOK"), Qt::LeftButton);
    });
    QTest::mouseClick(f.find<QToolButton>("sbPismo"), Qt::LeftButton);
    const std::string courier = "<FONT FACE=\"Courier CE, Courier\" SIZE=4 COLOR=\"#202020\"><B>";
    QCOMPARE(f.stored("TXT_FONT"), courier);
    QCOMPARE(f.find<QLineEdit>("txtPismo")->text(), QString::fromStdString(courier));
    QVERIFY(f.find<QLabel>("lblVzorek")->text().contains("Courier"));

    f.showTab(3);
    const std::string level2 = f.stored("L2_TXT");
    whenModal("TfrmFnt", [](QWidget* w) {
        control<QComboBox>(w, "cbVelikost")->setCurrentIndex(6);
        QTest::mouseClick(control<QPushButton>(w, "pbStorno"), Qt::LeftButton);
    });
    QTest::mouseClick(f.find<QToolButton>("sbL2_TXT"), Qt::LeftButton);
    QCOMPARE(f.stored("L2_TXT"), level2);
    whenModal("TfrmFnt", [](QWidget* w) {
        QTest::mouseClick(control<QToolButton>(w, "sbPodtrzene"), Qt::LeftButton);
        QTest::mouseClick(control<QPushButton>(w, "pbOK"), Qt::LeftButton);
    });
    QTest::mouseClick(f.find<QLabel>("lblAktivni2"), Qt::LeftButton);
    QCOMPARE(f.stored("L2_TXT"), level2 + "<U>");
}

void PagePropertiesTest::backgroundAndNavigationPicturesAreCopied() {
    Fixture f;
    ScriptedPrompter prompter;
    const auto images = f.project / "WWW" / "_images";
    f.showTab(2);
    pickFile(f.picture("pozadi.png", Qt::yellow));
    QTest::mouseClick(f.find<QToolButton>("sbVybratPozadi"), Qt::LeftButton);
    QCOMPARE(f.stored("BACKGROUND"), std::string("pozadi.png"));
    QVERIFY(fs::is_regular_file(images / "pozadi.png"));
    QCOMPARE(f.find<QLineEdit>("txtPozadi")->text(), QStringLiteral("pozadi.png"));
    QVERIFY(f.find<QWidget>("imgPozadi")->property("hasPicture").toBool());
    auto* properties = f.find<QLineEdit>("txtVlastnosti");
    retype(properties, "  fixed ");
    leave(properties);
    QCOMPARE(f.stored("BGPROP"), std::string("fixed"));
    QTest::mouseClick(f.find<QToolButton>("sbOdstranitPozadi"), Qt::LeftButton);
    QCOMPARE(f.stored("BACKGROUND"), std::string(""));
    QVERIFY(!f.find<QWidget>("imgPozadi")->property("hasPicture").toBool());

    f.showTab(3);
    pickFile(f.picture("sipka.png", Qt::blue));
    QTest::mouseDClick(f.find<QLineEdit>("txtL3_OV"), Qt::LeftButton);
    QCOMPARE(f.stored("L3_OV"), std::string("sipka.png"));
    QVERIFY(fs::is_regular_file(images / "sipka.png"));
    QVERIFY(f.find<QLabel>("lblAktivni3")->text().contains("sipka.png"));
    // Choosing the picture already in _images keeps it whole.
    const auto size = fs::file_size(images / "nav.gif");
    pickFile(images / "nav.gif");
    QTest::mouseDClick(f.find<QLineEdit>("txtL4_OV"), Qt::LeftButton);
    QCOMPARE(f.stored("L4_OV"), std::string("nav.gif"));
    QCOMPARE(fs::file_size(images / "nav.gif"), size);
    QCOMPARE(prompter.messages().size(), std::size_t(0));
}

void PagePropertiesTest::aPictureThatCannotBeCopiedIsRefusedWithAWarning() {
    Fixture f;
    ScriptedPrompter prompter;
    const auto images = f.project / "WWW" / "_images";
    fs::create_directories(images / "blok.png");
    const auto file = f.picture("blok.png", Qt::red);
    f.showTab(2);
    pickFile(file);
    QTest::mouseClick(f.find<QToolButton>("sbVybratPozadi"), Qt::LeftButton);
    QCOMPARE(prompter.messages().size(), std::size_t(1));
    QCOMPARE(prompter.messages()[0].kind, MessageKind::Warning);
    QCOMPARE(prompter.messages()[0].caption, std::string("ArkonaPro"));
    QCOMPARE(prompter.texts()[0], "Obrázek „" + paths::forDisplay(file) +
                                      "“ se nepodařilo zkopírovat do složky „" +
                                      paths::forDisplay(images) + "“: jde o složku, ne o soubor.");
    QCOMPARE(f.stored("BACKGROUND"), std::string(""));
    QCOMPARE(f.find<QLineEdit>("txtPozadi")->text(), QString());
}

void PagePropertiesTest::headerFooterAndOwner() {
    Fixture f;
    // The plain editor until the program's source editor is handed over.
    whenModal("dlgZdroj", [](QWidget* w) {
        QCOMPARE(w->windowTitle(), QStringLiteral("Zdroj PATIČKY"));
        control<QPlainTextEdit>(w, "reZdroj")->setPlainText("<P>Patička</P>\n<P>2</P>");
        QTest::mouseClick(control<QPushButton>(w, "pbOK"), Qt::LeftButton);
    });
    action(f.panels.get(), "puUpravitPaticku")->trigger();
    QCOMPARE(f.stored("FT"), std::string("<P>Patička</P>\r\n<P>2</P>"));
    QCOMPARE(f.find<QPlainTextEdit>("rePaticka")->toPlainText(),
             QStringLiteral("<P>Patička</P>\n<P>2</P>"));

    std::string title;
    f.panels->hooks().editSource = [&](const std::string& t, const std::string& text) {
        title = t;
        return std::optional<std::string>("<H1>Nová</H1>" + text.substr(0, 0));
    };
    QCOMPARE(action(f.panels.get(), "puUpravitHlavicku")->text(),
             QStringLiteral("Úprava zdroje  \"Hlavičky\""));
    action(f.panels.get(), "puUpravitHlavicku")->trigger();
    QCOMPARE(title, std::string("Zdroj HLAVIČKY"));
    QCOMPARE(f.stored("HD"), std::string("<H1>Nová</H1>"));
    QCOMPARE(f.find<QPlainTextEdit>("reHlavicka")->toPlainText(), QStringLiteral("<H1>Nová</H1>"));

    // Without the page picker the owner cannot be looked for; with it, the chosen page's path.
    QVERIFY(!f.find<QToolButton>("sbNajitVlastnika")->isEnabled());
    f.panels->hooks().choosePageOwner = [] { return std::optional<std::string>("10_"); };
    f.panels->InitPageFrame();
    QVERIFY(f.find<QToolButton>("sbNajitVlastnika")->isEnabled());
    QTest::mouseClick(f.find<QToolButton>("sbNajitVlastnika"), Qt::LeftButton);
    QCOMPARE(f.stored("VLASTNIK"), std::string("/zbozi/caje/zelene.htm"));
    QCOMPARE(f.find<QLineEdit>("txtVlastnik")->text(), QStringLiteral("/zbozi/caje/zelene.htm"));
    f.panels->hooks().choosePageOwner = [] { return std::optional<std::string>(); };
    f.panels->chooseOwner();
    QCOMPARE(f.stored("VLASTNIK"), std::string("/zbozi/caje/zelene.htm"));
    QTest::mouseClick(f.find<QToolButton>("sbOdstranitVlastnika"), Qt::LeftButton);
    QCOMPARE(f.stored("VLASTNIK"), std::string(""));

    // The title field renames through the page tree; without it, it is read-only.
    QVERIFY(f.find<QLineEdit>("txtNazev")->isReadOnly());
    std::string renamed;
    f.panels->hooks().renamePage = [&](const std::string& t) { renamed = t; };
    f.panels->InitPageFrame();
    auto* name = f.find<QLineEdit>("txtNazev");
    QVERIFY(!name->isReadOnly());
    leave(name);
    QCOMPARE(renamed, std::string()); // unchanged: nothing to rename
    name->setText(QStringLiteral("Vítejte"));
    leave(name);
    QCOMPARE(renamed, std::string("Vítejte"));
}

void PagePropertiesTest::navigationSwitchesAndIndent() {
    Fixture f;
    f.showTab(3);
    tick(f.find<QCheckBox>("chbZobrazit"));
    QCOMPARE(f.stored("TAB"), std::string("F"));
    QVERIFY(!f.find<QWidget>("pnNavigace")->isEnabled());
    QVERIFY(!f.find<QSpinBox>("seSirka")->isEnabled());
    tick(f.find<QCheckBox>("chbZobrazit"));
    QCOMPARE(f.stored("TAB"), std::string("T"));
    QVERIFY(f.find<QSpinBox>("seSirka")->isEnabled());
    tick(f.find<QCheckBox>("chbZaradit"));
    QCOMPARE(f.stored("NAVIGACE"), std::string("F"));
    f.find<QSpinBox>("seOdsazeni")->setValue(3);
    QCOMPARE(f.stored("TYPTREE"), std::string("3"));
    QVERIFY(f.find<QLabel>("lblNeaktivni3")
                ->text()
                .contains(QString("&nbsp;").repeated(6))); // two steps of three at level 3
    QCOMPARE(f.find<QSpinBox>("seOdsazeni")->maximum(), 50);
}

void PagePropertiesTest::withoutAPageEverythingIsDisabled() {
    Fixture f;
    f.data.CloseQuery();
    f.context.projectOpen = false;
    f.panels->InitPageFrame();
    QVERIFY(!f.find<QWidget>("tsBarvy")->isEnabled());
    QVERIFY(!f.find<QWidget>("tsNavigace")->isEnabled());
    QCOMPARE(f.find<QLineEdit>("txtLINK_C")->text(), QString());
    QCOMPARE(f.find<QLineEdit>("txtNazev")->text(), QString());
}

void PagePropertiesTest::theMainWindowReloadsOnTheDataModulesHook() {
    QTemporaryDir dir;
    const fs::path root = dir.path().toStdString();
    storage::UserSettings settings(root / "settings.ini");
    settings.write(storage::UserSettings::kEditor, "ExtEditorHTML", "");
    storage::ProjectContext context;
    storage::TData2 data;
    ScriptedPrompter prompter;
    const auto project = root / "Ukazka";
    fs::copy(fs::path(ARKONA_SAMPLES_DIR) / "zakladni", project, fs::copy_options::recursive);
    {
        app::TArkona1 window(context, data, settings);
        QVERIFY(window.openProjectFolder(project));
        auto* panels = control<TPageProperties>(&window, "pcVlastnosti");
        QVERIFY(panels);
        // Opening shows the first page of the tree.
        QCOMPARE(control<QLineEdit>(panels, "txtNazev")->text(), QStringLiteral("Hlavní strana"));
        // Selecting a page by its identifier holds the panel refresh off; the caller reloads.
        data.STRUKTUR_SetHtmlID("7_");
        QCOMPARE(control<QLineEdit>(panels, "txtNazev")->text(), QStringLiteral("Hlavní strana"));
        window.InitPageFrame();
        QCOMPARE(control<QLineEdit>(panels, "txtNazev")->text(), QStringLiteral("Naše zboží"));
        QCOMPARE(window.mainStatusBar()->panel(1), QStringLiteral("Počet stran: 6"));
        // Moving the page view runs the data module's cascade, which reloads the panels.
        data.STRUKTUR_SetHtmlID("");
        QVERIFY(data.qStruktur.locate("HTMLID", std::string("11_")));
        QCOMPARE(control<QLineEdit>(panels, "txtNazev")->text(), QStringLiteral("Kontakt"));
        QCOMPARE(control<QLineEdit>(panels, "txtSoubor")->text(), QStringLiteral("/kontakt.htm"));
        window.show();
        control<QTabWidget>(&window, "pcPage")->setCurrentIndex(1);
        panels->setCurrentIndex(1);
        QApplication::processEvents();
        saveScreenshot(&window, QStringLiteral("main_window_vlastnosti"));
    }
    // The window is gone; the data module no longer calls it.
    QVERIFY(!data.hooks.reloadPagePanel);
    QCOMPARE(prompter.messages().size(), std::size_t(0));
}

QTEST_MAIN(PagePropertiesTest)
#include "page_properties_test.moc"
