#include "app/main_status_bar.h"
#include "app/main_window.h"
#include "base/dbf/table.h"
#include "site/ui/input_dialog.h"
#include "site/ui/page_tree_widget.h"
#include "site/ui/section_panel.h"
#include "site/ui/sort_dialog.h"
#include "storage/data_module.h"
#include "support/ui_driver.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <fstream>

using namespace arkona;
using namespace arkona::uitest;
using app::TArkona1;
using site::ui::PageTreeWidget;
using site::ui::TSectionPanel;

namespace {

// The main window on a copy of the sample shop, with page "Čaje" (8_) chosen in the tree.
struct Fixture {
    QTemporaryDir dir;
    std::filesystem::path root{dir.path().toStdString()};
    storage::UserSettings settings{root / "settings.ini"};
    storage::ProjectContext context;
    storage::TData2 data;
    std::unique_ptr<TArkona1> window;
    std::filesystem::path project = root / "Ukazka";
    PageTreeWidget* tree = nullptr;
    TSectionPanel* panel = nullptr;
    QTableWidget* grid = nullptr;
    bool opened = false;

    explicit Fixture(const std::string& editor = {}) {
        settings.write(storage::UserSettings::kEditor, "ExtEditorHTML", editor);
        std::filesystem::copy(std::filesystem::path(ARKONA_SAMPLES_DIR) / "zakladni", project,
                              std::filesystem::copy_options::recursive);
        window = std::make_unique<TArkona1>(context, data, settings);
        window->setProjectChooser([] { return std::filesystem::path(); });
        window->setStartProject(project);
        window->resize(900, 600);
        // The first showing is the activation: it reads the editor setting, opens the project.
        window->show();
        opened = QTest::qWaitFor([this] { return context.projectOpen; }, 30000);
        tree = control<PageTreeWidget>(window.get(), "tvTree");
        panel = control<TSectionPanel>(window.get(), "tsSekce");
        grid = control<QTableWidget>(window.get(), "grdSekce");
    }
    void choosePage(const char* id) {
        const QRect r = tree->visualItemRect(tree->itemOf(id));
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, r.topLeft() + QPoint(24, 4));
    }
    QStringList listed() const {
        QStringList rows;
        for (int i = 0; i < grid->rowCount(); ++i) {
            rows << grid->item(i, 0)->text() + " | " + grid->item(i, 1)->text();
        }
        return rows;
    }
    // "SEKCEID:PORADI:POPIS" of the page's stored sections, in file order.
    QStringList stored(const char* page) const {
        QStringList rows;
        dbf::Table::open(project / "_dbf" / "html.dbf", dbf::OpenMode::ReadOnly)
            .scan([&](const dbf::Record& r) {
                if (r.text("HTMLID") == page) {
                    rows << QString::fromStdString(r.display(r.column("SEKCEID")) + ":" +
                                                   r.display(r.column("PORADI")) + ":" +
                                                   r.text("POPIS"));
                }
                return true;
            });
        return rows;
    }
    void clickRow(int row) {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(grid->model()->index(row, 1)).center());
    }
};

void typeIntoInputBox(const QString& text) {
    whenModal("TfrmInput", [text](QWidget* box) {
        auto* field = box->findChild<QLineEdit*>();
        field->setText(text);
        control<QPushButton>(box, "pbOK")->click();
    });
}

} // namespace

class SectionPanelTest : public QObject {
    Q_OBJECT
private slots:
    void listsTheChosenPagesSections();
    void addsDescribesSortsAndRemovesThroughTheWindow();
    void toolbarFollowsTheFocusArea();
    void aMainSectionsTemplateIsChosenFromTheProject();
    void anExternalEditorChangesATextSection();
};

void SectionPanelTest::listsTheChosenPagesSections() {
    ScriptedPrompter prompter;
    Fixture f;
    QVERIFY(f.opened);
    f.choosePage("8_");
    QCOMPARE(f.listed(), (QStringList{"textová | Úvod k čajům", "produktová | Nabídka čajů"}));
    QCOMPARE(f.window->mainStatusBar()->panel(2), QStringLiteral("Počet sekcí: 2"));
    // The text section shows its HTML, the product section its template.
    auto* text = control<QPlainTextEdit>(f.window.get(), "txtHTML");
    QVERIFY(text->isVisible());
    QVERIFY(!text->toPlainText().isEmpty());
    f.clickRow(1);
    QCOMPARE(f.data.qHtml.text("POPIS"), std::string("Nabídka čajů"));
    QVERIFY(!text->isVisible());
    QVERIFY(control<QLineEdit>(f.window.get(), "txtSablona")->isVisible());
    QVERIFY(!action(f.window.get(), "mnUpravitZdroj")->isEnabled());
    saveScreenshot(f.window.get(), "section_panel");
    f.clickRow(0);
    QVERIFY(action(f.window.get(), "mnUpravitZdroj")->isEnabled());
    QVERIFY(!action(f.window.get(), "mnUpravitExterne")->isEnabled()); // no editor set
    QCOMPARE(prompter.unexpected(), 0);
}

void SectionPanelTest::addsDescribesSortsAndRemovesThroughTheWindow() {
    ScriptedPrompter prompter;
    Fixture f;
    f.choosePage("8_");
    typeIntoInputBox(QStringLiteral("Doprava"));
    action(f.window.get(), "mnSekceTextova")->trigger();
    QCOMPARE(f.listed().size(), 3);
    QCOMPARE(f.listed().back(), QStringLiteral("textová | Doprava"));
    QCOMPARE(f.stored("8_"), (QStringList{"1:1:Úvod k čajům", "2:2:Nabídka čajů", "3:3:Doprava"}));

    // Describe by a double click.
    typeIntoInputBox(QStringLiteral("Doprava zdarma"));
    const QPoint third = f.grid->visualRect(f.grid->model()->index(2, 1)).center();
    QTest::mousePress(f.grid->viewport(), Qt::LeftButton, {}, third);
    QTest::mouseDClick(f.grid->viewport(), Qt::LeftButton, {}, third);
    QCOMPARE(f.listed().back(), QStringLiteral("textová | Doprava zdarma"));

    // The new section first: two places up in the sort dialog.
    whenModal("TfrmSort", [](QWidget* dialog) {
        auto* rows = control<QTreeWidget>(dialog, "grdSort");
        rows->setCurrentItem(rows->topLevelItem(2));
        control<QPushButton>(dialog, "pbNahoru")->click();
        control<QPushButton>(dialog, "pbNahoru")->click();
        saveScreenshot(dialog, "section_sort_dialog");
        control<QPushButton>(dialog, "pbOK")->click();
    });
    action(f.window.get(), "mnSeraditSekce")->trigger();
    QCOMPARE(f.listed(), (QStringList{"textová | Doprava zdarma", "textová | Úvod k čajům",
                                      "produktová | Nabídka čajů"}));
    QCOMPARE(f.stored("8_"),
             (QStringList{"1:2:Úvod k čajům", "2:3:Nabídka čajů", "3:1:Doprava zdarma"}));

    // Removing asks twice; a "no" keeps everything.
    f.clickRow(1);
    prompter.answers({Answer::No});
    action(f.window.get(), "mnOdstranitSekci")->trigger();
    QCOMPARE(f.stored("8_").size(), 3);
    prompter.answers({Answer::Yes, Answer::Ok});
    action(f.window.get(), "mnOdstranitSekci")->trigger();
    QCOMPARE(f.listed(), (QStringList{"textová | Doprava zdarma", "produktová | Nabídka čajů"}));
    QCOMPARE(f.stored("8_"), (QStringList{"2:2:Nabídka čajů", "3:1:Doprava zdarma"}));
    const auto shown = prompter.texts();
    QCOMPARE(shown.size(), 3u);
    QCOMPARE(shown[0], std::string("Vymazat sekci ze stránky?"));
    QCOMPARE(shown[2], std::string("Pokud opravdu chcete vymazat sekci ze stránky, potvrďte "
                                   "tlačítko OK!\r\rToto je nevratná operace!"));
    QCOMPARE(f.window->mainStatusBar()->panel(2), QStringLiteral("Počet sekcí: 2"));
}

void SectionPanelTest::toolbarFollowsTheFocusArea() {
    ScriptedPrompter prompter;
    Fixture f;
    f.choosePage("2_"); // one text section
    auto* sort = action(f.window.get(), "tbSeradit");
    auto* remove = action(f.window.get(), "tbOdstranit");
    QVERIFY(!sort->isEnabled());
    QVERIFY(!remove->isEnabled()); // in the tree: page 2 comes with every project
    f.grid->setFocus();
    QTRY_VERIFY(f.grid->hasFocus());
    QVERIFY(remove->isEnabled());
    QVERIFY(!sort->isEnabled()); // one section only
    // In the section list the toolbar's delete removes the section, not the page.
    prompter.answers({Answer::Yes, Answer::Ok});
    remove->trigger();
    QCOMPARE(f.stored("2_"), QStringList());
    QVERIFY(f.tree->itemOf("2_") != nullptr);
    QVERIFY(!remove->isEnabled()); // nothing left to remove
    // Back in the tree the buttons act on pages again.
    f.tree->setFocus();
    QTRY_VERIFY(f.tree->hasFocus());
    QVERIFY(!sort->isEnabled());
}

void SectionPanelTest::aMainSectionsTemplateIsChosenFromTheProject() {
    ScriptedPrompter prompter;
    Fixture f;
    f.choosePage("1_");
    const auto chosen = f.root / "jinde" / "obchod.qsh";
    std::filesystem::create_directories(chosen.parent_path());
    std::filesystem::copy_file(f.project / "_sablony" / "default.qsh", chosen);
    whenModal("dlgSablona", [chosen](QWidget* w) {
        auto* dialog = static_cast<QFileDialog*>(w);
        dialog->selectFile(QString::fromStdString(chosen.string()));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    control<QPushButton>(f.window.get(), "sbVybratSablonu")->click();
    QCOMPARE(control<QLineEdit>(f.window.get(), "txtSablona")->text(),
             QStringLiteral("obchod.qsh"));
    QVERIFY(std::filesystem::exists(f.project / "_sablony" / "obchod.qsh")); // copied in
    QCOMPARE(f.data.qHtml.text("SABID"), std::string("obchod.qsh"));
}

void SectionPanelTest::anExternalEditorChangesATextSection() {
    QTemporaryDir scripts;
    const std::string editor = scripts.path().toStdString() + "/editor.sh";
    {
        std::ofstream out(editor);
        out << "#!/bin/sh\nsleep 1\nsed -i 's/<!-- Konec navigace-->/&\\r\\n<P>Z editoru<\\/P>/' "
               "\"$1\"\n";
    }
    std::filesystem::permissions(editor, std::filesystem::perms::owner_all);
    ScriptedPrompter prompter;
    Fixture f(editor);
    f.choosePage("11_");
    QVERIFY(action(f.window.get(), "mnUpravitExterne")->isEnabled());
    const std::string before = f.data.qHtml.memo("HTML");
    action(f.window.get(), "mnUpravitExterne")->trigger();
    QCOMPARE(f.data.qHtml.memo("HTML"), "<P>Z editoru</P>\r\n" + before);
    QVERIFY(control<QPlainTextEdit>(f.window.get(), "txtHTML")
                ->toPlainText()
                .startsWith(QStringLiteral("<P>Z editoru</P>")));
    QVERIFY(!std::filesystem::exists(f.project / "WWW" / "temp.htm"));
    QCOMPARE(prompter.messages().size(), 0u);
}

QTEST_MAIN(SectionPanelTest)
#include "section_panel_test.moc"
