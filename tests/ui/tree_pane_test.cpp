#include "app/main_status_bar.h"
#include "app/main_window.h"
#include "base/dbf/table.h"
#include "site/page_rows.h"
#include "site/tree_loader.h"
#include "site/ui/new_page_dialog.h"
#include "site/ui/page_tree_widget.h"
#include "site/ui/tree_pane.h"
#include "storage/data_module.h"
#include "support/ui_driver.h"

#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidgetItemIterator>
#include <fstream>

using namespace arkona;
using namespace arkona::uitest;
using app::TArkona1;
using site::ui::PageTreeWidget;

namespace {

// The main window on a copy of the sample shop, opened the way the program opens it.
struct Fixture {
    QTemporaryDir dir;
    std::filesystem::path root{dir.path().toStdString()};
    storage::UserSettings settings{root / "settings.ini"};
    storage::ProjectContext context;
    storage::TData2 data;
    std::unique_ptr<TArkona1> window;
    std::filesystem::path project = root / "Ukazka";
    PageTreeWidget* tree = nullptr;

    Fixture() {
        settings.write(storage::UserSettings::kEditor, "ExtEditorHTML", "");
        std::filesystem::copy(std::filesystem::path(ARKONA_SAMPLES_DIR) / "zakladni", project,
                              std::filesystem::copy_options::recursive);
        window = std::make_unique<TArkona1>(context, data, settings);
        window->setProjectChooser([] { return std::filesystem::path(); });
        tree = control<PageTreeWidget>(window.get(), "tvTree");
    }
    bool open() { return window->openProjectFolder(project); }
    void show() {
        window->resize(900, 600);
        window->show();
        QTRY_VERIFY(!window->isHidden());
    }
    std::filesystem::path struktur() const { return project / "_dbf" / "struktur.dbf"; }
    // A column of a page row as a dump shows it.
    std::string cell(const char* id, const char* column) const {
        std::string found = "(none)";
        dbf::Table::open(struktur(), dbf::OpenMode::ReadOnly).scan([&](const dbf::Record& r) {
            if (r.text("HTMLID") == id) {
                found = r.display(r.column(column));
            }
            return true;
        });
        return found;
    }
    std::vector<std::string> ids() const {
        std::vector<std::string> out;
        for (const auto& r : site::readPageRows(struktur())) {
            out.push_back(r.id);
        }
        return out;
    }
    QTreeWidgetItem* item(const char* id) const { return tree->itemOf(id); }
    std::string currentPage() const {
        return data.qStruktur.isOpen() && !data.qStruktur.isEmpty() ? data.qStruktur.text("HTMLID")
                                                                    : "";
    }
    QString panel(int n) const { return window->mainStatusBar()->panel(n); }
    // A click on the item's text, as the user makes it.
    void click(const char* id) {
        const QRect r = tree->visualItemRect(item(id));
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, r.topLeft() + QPoint(24, 4));
    }
};

std::string fileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Answers the next popup menu with the entry of that name once it is shown.
void whenPopup(const char* entry, const QString& screenshot = {}) {
    auto* timer = new QTimer;
    auto tries = std::make_shared<int>(0);
    const QString name = QString::fromLatin1(entry);
    QObject::connect(timer, &QTimer::timeout, [timer, tries, name, screenshot] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu && menu->isVisible()) {
            timer->stop();
            timer->deleteLater();
            if (!screenshot.isEmpty()) {
                saveScreenshot(menu, screenshot);
            }
            for (QAction* a : menu->actions()) {
                if (a->objectName() == name) {
                    QVERIFY(a->isVisible());
                    menu->setActiveAction(a);
                    QTest::keyClick(menu, Qt::Key_Return);
                    return;
                }
            }
            menu->close();
        } else if (++*tries > 300) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start(10);
}

// The entries a popup shows, read while it is open, then closed without a choice.
void readPopup(QStringList& visible) {
    QTimer::singleShot(50, [&visible] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) {
            return;
        }
        for (QAction* a : menu->actions()) {
            if (a->isVisible() && !a->isSeparator()) {
                visible << a->objectName();
            }
        }
        menu->close();
    });
}

// Types text the way a keyboard does, letters with diacritics included.
void type(QWidget* field, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(field, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(field, &release);
    }
}

// Drags the page onto another one with the events a drag delivers to the tree.
void drag(PageTreeWidget* tree, const char* dragged, const char* target) {
    QMimeData mime;
    mime.setData(QString::fromLatin1(site::ui::kPageMimeType), QByteArray(dragged));
    const QPoint at = tree->visualItemRect(tree->itemOf(target)).center();
    QDragEnterEvent enter(at, Qt::MoveAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(tree->viewport(), &enter);
    QDragMoveEvent move(at, Qt::MoveAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(tree->viewport(), &move);
    QVERIFY(move.isAccepted());
    QDropEvent drop(QPointF(at), Qt::MoveAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(tree->viewport(), &drop);
    QVERIFY(drop.isAccepted());
}

} // namespace

class TreePaneTest : public QObject {
    Q_OBJECT
private slots:
    void openingShowsTheTreeAndTheFirstPage();
    void openingADamagedTreeRepairsAndRenumbersIt();
    void clickingALinkShowsItsTarget();
    void arrowKeysLoadThePageAfterAPause();
    void dragUnderAnotherPageWritesTheRows();
    void dropOnItsOwnSubPageIsRefused();
    void popupOffersOnlyWhatMayBeDone();
    void draggingOverAnExpandButtonToggles();
    void deleteKeyAsksTwiceAndDeletes();
    void fixedPagesCannotBeDeleted();
    void newPageFromTheMenu();
    void newLinkUnderTheSelection();
    void renameInPlace();
    void optimisationFromTheMenu();
    void closingRenumbersAndKeepsTheExpansion();
    void insertKeyOpensTheNewMenu();
};

void TreePaneTest::openingShowsTheTreeAndTheFirstPage() {
    Fixture f;
    ScriptedPrompter prompter;
    QVERIFY(f.open());
    QCOMPARE(f.tree->topLevelItemCount(), 8);
    QCOMPARE(f.item("7_")->childCount(), 3);
    QCOMPARE(f.item("10_")->parent(), f.item("8_"));
    QCOMPARE(f.item("12_")->text(0), QStringLiteral("Kde nás najdete"));
    QVERIFY(f.item("7_")->isExpanded()); // stored EXPAND
    QCOMPARE(f.tree->currentPageId(), std::string("1_"));
    QCOMPARE(f.currentPage(), std::string("1_"));
    QCOMPARE(f.panel(1), QStringLiteral("Počet stran: 6"));
    QCOMPARE(f.panel(3),
             QStringLiteral("Oddíl \"Hlavní strana\" je povinný a nelze ho odstranit."));
    QVERIFY(!action(f.window.get(), "mnOdstranitStranku")->isEnabled());
    QVERIFY(!action(f.window.get(), "tbOdstranit")->isEnabled());
    QVERIFY(action(f.window.get(), "mnNovaStranka")->isEnabled());
    QCOMPARE(prompter.messages().size(), std::size_t(0));
    // The sample's link sits inside the tree with the last number: renumbering is due.
    QVERIFY(f.window->siteStructure().changed());
    f.show();
    f.click("8_");
    QCOMPARE(f.currentPage(), std::string("8_"));
    QCOMPARE(f.panel(3), QStringLiteral("Zobrazena stránka \"Čaje\"."));
    saveScreenshot(f.window.get(), QStringLiteral("tree_pane"));
}

void TreePaneTest::openingADamagedTreeRepairsAndRenumbersIt() {
    Fixture f;
    ScriptedPrompter prompter;
    {
        // 8_ and 10_ name each other as parent.
        auto table = dbf::Table::open(f.struktur());
        table.scan([&](const dbf::Record& r) {
            if (r.text("HTMLID") == "8_") {
                auto row = r;
                row.setText("PARENT", "10_");
                table.update(row);
            }
            return true;
        });
    }
    QVERIFY(f.open());
    QCOMPARE(prompter.messages().size(), std::size_t(0));
    QVERIFY(f.window->mainStatusBar()->currentMessage().contains(
        QStringLiteral("obsahovala zacyklené stránky")));
    QCOMPARE(f.tree->topLevelItemCount(), 9);
    QVERIFY(f.item("8_") && f.item("10_"));
    QVERIFY(f.item("8_")->parent() == f.item("10_") || f.item("10_")->parent() == f.item("8_"));
    QVERIFY(!f.window->siteStructure().changed());
    QVERIFY(f.window->siteStructure().tree().numbered());
    // The rows say the same: the next opening finds nothing to repair.
    site::LoadReport report;
    site::loadPageTree(f.struktur(), report);
    QVERIFY(!report.anyRepair());
    auto* therm = f.window->findChild<QWidget*>(QStringLiteral("TfrmTherm"));
    QVERIFY(!therm || !therm->isVisible());
}

void TreePaneTest::clickingALinkShowsItsTarget() {
    Fixture f;
    ScriptedPrompter prompter;
    QVERIFY(f.open());
    f.show();
    f.click("12_");
    QCOMPARE(f.currentPage(), std::string("11_"));
    QCOMPARE(f.panel(3), QStringLiteral("Zobrazena stránka \"Kde nás najdete\", která je odkazem "
                                        "na stránku \"Kontakt\"."));
    // No pages under a link page; the link itself can be deleted.
    for (const char* name : {"mnNovaStranka", "mnNovaProduktovaStranka", "mnOdkazNaStranku",
                             "puNovaStranka", "puPridatStranku", "puPridatOdkaz"}) {
        QVERIFY2(!action(f.window.get(), name)->isEnabled(), name);
    }
    QVERIFY(action(f.window.get(), "mnNovyOddil")->isEnabled());
    QVERIFY(action(f.window.get(), "mnOdstranitStranku")->isEnabled());
    // The target shows the third picture, until another page is chosen.
    const QImage target = f.item("11_")->icon(0).pixmap(16).toImage();
    const QImage page = f.item("2_")->icon(0).pixmap(16).toImage();
    const QImage link = f.item("12_")->icon(0).pixmap(16).toImage();
    QVERIFY(target != page);
    QVERIFY(link != page && link != target);
    saveScreenshot(f.window.get(), QStringLiteral("tree_pane_link"));
    f.click("2_");
    QCOMPARE(f.item("11_")->icon(0).pixmap(16).toImage(), page);
    QVERIFY(action(f.window.get(), "mnNovaStranka")->isEnabled());
    QCOMPARE(prompter.messages().size(), std::size_t(0));
}

void TreePaneTest::arrowKeysLoadThePageAfterAPause() {
    Fixture f;
    ScriptedPrompter prompter;
    QVERIFY(f.open());
    f.show();
    f.tree->setFocus();
    QTest::keyClick(f.tree, Qt::Key_Down);
    QTest::keyClick(f.tree, Qt::Key_Down);
    QCOMPARE(f.tree->currentPageId(), std::string("3_"));
    QCOMPARE(f.currentPage(), std::string("1_")); // not yet
    QTest::keyClick(f.tree, Qt::Key_End);
    QCOMPARE(f.tree->currentPageId(), std::string("11_"));
    QTest::qWait(200);
    QCOMPARE(f.currentPage(), std::string("1_"));
    QTRY_COMPARE_WITH_TIMEOUT(f.currentPage(), std::string("11_"), 2000);
    QTest::keyClick(f.tree, Qt::Key_Home);
    QTRY_COMPARE_WITH_TIMEOUT(f.currentPage(), std::string("1_"), 2000);
}

void TreePaneTest::dragUnderAnotherPageWritesTheRows() {
    Fixture f;
    ScriptedPrompter prompter;
    QVERIFY(f.open());
    f.show();
    f.click("9_");
    whenPopup("puVlozitPod", QStringLiteral("tree_pane_drop_menu"));
    drag(f.tree, "9_", "11_");
    QTRY_COMPARE(f.item("9_")->parent(), f.item("11_"));
    QCOMPARE(f.cell("9_", "PARENT"), std::string("11_"));
    QCOMPARE(f.cell("9_", "PORADI"), std::string("13"));
    // Where its file lies does not change.
    QCOMPARE(f.cell("9_", "PATH"), std::string("/zbozi"));
    QCOMPARE(f.cell("9_", "DISK"), std::string("\\zbozi"));
    QCOMPARE(f.cell("9_", "SRC"), std::string("kava"));
    QVERIFY(f.window->siteStructure().changed());
    QCOMPARE(f.currentPage(), std::string("9_"));
    QCOMPARE(prompter.messages().size(), std::size_t(0));
    // Before a page: same parent as the page.
    whenPopup("puVlozitPred");
    drag(f.tree, "9_", "8_");
    QTRY_COMPARE(f.item("9_")->parent(), f.item("7_"));
    QCOMPARE(f.item("7_")->indexOfChild(f.item("9_")), 0);
    QCOMPARE(f.cell("9_", "PARENT"), std::string("7_"));
    saveScreenshot(f.window.get(), QStringLiteral("tree_pane_after_move"));
}

void TreePaneTest::dropOnItsOwnSubPageIsRefused() {
    Fixture f;
    ScriptedPrompter prompter;
    QVERIFY(f.open());
    f.show();
    const std::string before = fileBytes(f.struktur());
    // The drag shows it cannot go there.
    QMimeData mime;
    mime.setData(QString::fromLatin1(site::ui::kPageMimeType), QByteArray("7_"));
    const QPoint at = f.tree->visualItemRect(f.item("10_")).center();
    QDragEnterEvent enter(at, Qt::MoveAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(f.tree->viewport(), &enter);
    QVERIFY(enter.isAccepted());
    QDragMoveEvent move(at, Qt::MoveAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(f.tree->viewport(), &move);
    QVERIFY(!move.isAccepted());
    // A drop that arrives anyway is refused before any row is written.
    QDropEvent drop(QPointF(at), Qt::MoveAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(f.tree->viewport(), &drop);
    QTRY_COMPARE(prompter.messages().size(), std::size_t(1));
    QCOMPARE(prompter.messages()[0].kind, MessageKind::Warning);
    QCOMPARE(
        prompter.messages()[0].text,
        std::string("Stránku nelze přesunout na ni samotnou ani do žádné z jejích podstránek."));
    QCOMPARE(fileBytes(f.struktur()), before);
    QCOMPARE(f.item("10_")->parent(), f.item("8_"));
}

void TreePaneTest::popupOffersOnlyWhatMayBeDone() {
    Fixture f;
    ScriptedPrompter prompter;
    QVERIFY(f.open());
    f.show();
    // Dropping a link page: not under another page.
    QStringList visible;
    readPopup(visible);
    drag(f.tree, "12_", "9_");
    QTRY_VERIFY(!visible.isEmpty());
    QCOMPARE(visible, (QStringList{"puVlozitPred", "puVlozitZa"}));
    QTRY_VERIFY(!QApplication::activePopupWidget());
    QCOMPARE(f.cell("12_", "PARENT"), std::string("7_")); // no choice, no move
    // The ordinary popup has no drop entries.
    visible.clear();
    readPopup(visible);
    f.window->treePane()->popupMenu()->exec(f.tree->mapToGlobal(QPoint(10, 10)));
    QCOMPARE(visible, (QStringList{"puPridat", "puPrejmenovat", "puOdstranit"}));
}

void TreePaneTest::draggingOverAnExpandButtonToggles() {
    Fixture f;
    ScriptedPrompter prompter;
    QVERIFY(f.open());
    f.show();
    QMimeData mime;
    mime.setData(QString::fromLatin1(site::ui::kPageMimeType), QByteArray("2_"));
    const QRect row = f.tree->visualItemRect(f.item("7_"));
    const QPoint button(row.left() - f.tree->indentation() / 2, row.center().y());
    const QPoint text = row.center();
    QDragEnterEvent enter(text, Qt::MoveAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(f.tree->viewport(), &enter);
    const auto over = [&](const QPoint& at, int times) {
        for (int i = 0; i < times; ++i) {
            QDragMoveEvent move(at, Qt::MoveAction, &mime, Qt::LeftButton, {});
            QApplication::sendEvent(f.tree->viewport(), &move);
        }
    };
    QVERIFY(f.item("7_")->isExpanded());
    over(button, 10);
    QVERIFY(f.item("7_")->isExpanded());
    over(text, 5); // over the text nothing is counted
    QVERIFY(f.item("7_")->isExpanded());
    over(button, 1); // the eleventh over the button
    QVERIFY(!f.item("7_")->isExpanded());
    over(button, 10);
    QVERIFY(!f.item("7_")->isExpanded());
    over(button, 1);
    QVERIFY(f.item("7_")->isExpanded());
    QCOMPARE(f.cell("2_", "PARENT"), std::string("0_"));
}

void TreePaneTest::deleteKeyAsksTwiceAndDeletes() {
    Fixture f;
    ScriptedPrompter prompter;
    QVERIFY(f.open());
    f.show();
    f.click("8_");
    f.tree->setFocus();
    prompter.answers({Answer::Yes, Answer::Cancel});
    QTest::keyClick(f.tree, Qt::Key_Delete);
    QCOMPARE(prompter.messages().size(), std::size_t(2));
    QCOMPARE(prompter.messages()[1].kind, MessageKind::Warning);
    QCOMPARE(prompter.messages()[1].buttons, Buttons::OkCancel);
    QCOMPARE(prompter.messages()[1].defaultAnswer, Answer::Cancel);
    QVERIFY(f.item("8_"));
    prompter.answers({Answer::Yes, Answer::Ok});
    QTest::keyClick(f.tree, Qt::Key_Delete);
    QCOMPARE(f.item("8_"), nullptr);
    QCOMPARE(f.item("10_"), nullptr);
    QCOMPARE(f.ids(), (std::vector<std::string>{"1_", "2_", "3_", "4_", "5_", "6_", "7_", "9_",
                                                "11_", "12_"}));
    // Another page is selected and current.
    QVERIFY(!f.tree->currentPageId().empty());
    QCOMPARE(f.currentPage(), f.tree->currentPageId());
    QCOMPARE(f.panel(1), QStringLiteral("Počet stran: 4"));
}

void TreePaneTest::fixedPagesCannotBeDeleted() {
    Fixture f;
    ScriptedPrompter prompter;
    QVERIFY(f.open());
    f.show();
    f.click("2_");
    f.tree->setFocus();
    QTest::keyClick(f.tree, Qt::Key_Delete);
    QCOMPARE(prompter.messages().size(), std::size_t(0));
    QCOMPARE(f.ids().size(), std::size_t(12));
    QVERIFY(!action(f.window.get(), "mnOdstranitStranku")->isEnabled());
    QCOMPARE(f.panel(3), QStringLiteral("Oddíl \"Úvod\" je povinný a nelze ho odstranit."));
}

void TreePaneTest::newPageFromTheMenu() {
    Fixture f;
    ScriptedPrompter prompter;
    QVERIFY(f.open());
    f.show();
    f.click("9_");
    bool shown = false;
    whenModal("TfrmNovaStranka", [&](QWidget* dialog) {
        shown = true;
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Přidání nové stránky"));
        auto* title = control<QLineEdit>(dialog, "txtNazev");
        type(title, QStringLiteral("Ceník služeb 2"));
        saveScreenshot(dialog, QStringLiteral("new_page_dialog_in_window"));
        control<QPushButton>(dialog, "pbOK")->click();
    });
    action(f.window.get(), "mnNovaProduktovaStranka")->trigger();
    QVERIFY(shown);
    QCOMPARE(f.cell("13_", "POPIS"), std::string("Ceník služeb 2"));
    QCOMPARE(f.cell("13_", "SRC"), std::string("13Cenkslueb2"));
    QCOMPARE(f.cell("13_", "PATH"), std::string("/zbozi/kava"));
    QCOMPARE(f.cell("13_", "PARENT"), std::string("9_"));
    QVERIFY(std::filesystem::is_directory(f.project / "WWW" / "zbozi" / "kava"));
    QCOMPARE(f.item("13_")->parent(), f.item("9_"));
    QVERIFY(f.item("9_")->isExpanded());
    QCOMPARE(f.tree->currentPageId(), std::string("13_"));
    QCOMPARE(f.currentPage(), std::string("13_"));
    QCOMPARE(f.data.qHtml.rowCount(), 1);
    QCOMPARE(f.data.qHtml.text("TYP"), std::string("p"));
    QCOMPARE(f.panel(1), QStringLiteral("Počet stran: 7"));
}

void TreePaneTest::newLinkUnderTheSelection() {
    Fixture f;
    ScriptedPrompter prompter;
    QVERIFY(f.open());
    f.show();
    f.click("2_");
    whenModal("TfrmNovyOdkaz", [&](QWidget* dialog) {
        auto* tree = control<QTreeWidget>(dialog, "tvStrom");
        QCOMPARE(site::ui::pageIdOf(tree->currentItem()), std::string("2_"));
        for (QTreeWidgetItemIterator it(tree); *it; ++it) {
            if (site::ui::pageIdOf(*it) == "9_") {
                tree->setCurrentItem(*it);
            }
        }
        type(control<QLineEdit>(dialog, "txtNazev"), QStringLiteral("Naše káva"));
        control<QPushButton>(dialog, "pbOK")->click();
    });
    action(f.window.get(), "mnOdkazNaStranku")->trigger();
    QCOMPARE(f.cell("13_", "LINK"), std::string("T"));
    QCOMPARE(f.cell("13_", "SRC"), std::string("kava"));
    QCOMPARE(f.cell("13_", "PARENT"), std::string("2_"));
    QCOMPARE(f.item("13_")->parent(), f.item("2_"));
    QCOMPARE(f.tree->currentPageId(), std::string("13_"));
    QCOMPARE(f.currentPage(), std::string("9_")); // the link shows its target
    QVERIFY(f.window->siteStructure().changed());
}

void TreePaneTest::renameInPlace() {
    Fixture f;
    ScriptedPrompter prompter;
    QVERIFY(f.open());
    f.show();
    f.click("9_");
    action(f.window.get(), "mnPrejmenovat")->trigger();
    auto* editor = f.tree->findChild<QLineEdit*>();
    QVERIFY(editor);
    editor->selectAll();
    type(editor, QStringLiteral("Káva a čaj"));
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(f.cell("9_", "POPIS"), std::string("Káva a čaj"));
    QCOMPARE(f.item("9_")->text(0), QStringLiteral("Káva a čaj"));
    QCOMPARE(f.panel(3), QStringLiteral("Zobrazena stránka \"Káva a čaj\"."));
}

void TreePaneTest::optimisationFromTheMenu() {
    Fixture f;
    ScriptedPrompter prompter;
    QVERIFY(f.open());
    f.show();
    QCOMPARE(f.cell("11_", "PORADI"), std::string("11"));
    action(f.window.get(), "mnOptimalizace")->trigger();
    QCOMPARE(f.cell("12_", "PORADI"), std::string("11"));
    QCOMPARE(f.cell("11_", "PORADI"), std::string("12"));
    QVERIFY(!f.window->siteStructure().changed());
    auto* therm = f.window->findChild<QWidget*>(QStringLiteral("TfrmTherm"));
    QVERIFY(!therm || !therm->isVisible());
}

void TreePaneTest::closingRenumbersAndKeepsTheExpansion() {
    std::filesystem::path project;
    QTemporaryDir keep;
    {
        Fixture f;
        ScriptedPrompter prompter;
        QVERIFY(f.open());
        f.show();
        f.click("9_");
        whenPopup("puVlozitPod");
        drag(f.tree, "9_", "11_");
        QTRY_COMPARE(f.item("9_")->parent(), f.item("11_"));
        f.item("8_")->setExpanded(false);
        f.item("11_")->setExpanded(true);
        prompter.answer(Answer::Ok);
        QVERIFY(f.window->close());
        QCOMPARE(f.cell("11_", "PORADI"), std::string("11"));
        QCOMPARE(f.cell("9_", "PORADI"), std::string("12"));
        QCOMPARE(f.cell("8_", "EXPAND"), std::string("F"));
        QCOMPARE(f.cell("11_", "EXPAND"), std::string("T"));
        QCOMPARE(profileValue(f.project / "ArkonaTree.ini", "Projekt", "ZavrenoOK"),
                 std::string("1"));
        project = std::filesystem::path(keep.path().toStdString()) / "Ukazka";
        std::filesystem::copy(f.project, project, std::filesystem::copy_options::recursive);
    }
    Fixture again;
    ScriptedPrompter prompter;
    again.project = project;
    QVERIFY(again.open());
    QVERIFY(!again.item("8_")->isExpanded());
    QVERIFY(again.item("11_")->isExpanded());
    QVERIFY(!again.window->siteStructure().changed());
}

void TreePaneTest::insertKeyOpensTheNewMenu() {
    Fixture f;
    ScriptedPrompter prompter;
    QVERIFY(f.open());
    f.show();
    f.click("7_");
    f.tree->setFocus();
    QStringList visible;
    readPopup(visible);
    QTest::keyClick(f.tree, Qt::Key_Insert);
    QTRY_VERIFY(!visible.isEmpty());
    QCOMPARE(visible,
             (QStringList{"puNovyOddil", "puNovaStranka", "puNovaProduktova", "puNovyOdkaz"}));
}

QTEST_MAIN(TreePaneTest)
#include "tree_pane_test.moc"
