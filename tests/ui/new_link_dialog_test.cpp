#include "site/ui/new_link_dialog.h"
#include "site/ui/page_tree_widget.h"
#include "support/ui_driver.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

using namespace arkona;
using namespace arkona::uitest;
using site::ui::TfrmNovyOdkaz;

namespace {

site::PageNode page(const char* id, const char* title, bool expanded = false, bool link = false) {
    site::PageNode n;
    n.id = id;
    n.title = title;
    n.src = id;
    n.number = std::stoll(id);
    n.expanded = expanded;
    n.link = link;
    return n;
}

// 1_, 7_ (8_ (10_), 9_ collapsed (13_)), 12_ link, 11_
site::PageTree shop() {
    site::PageTree tree;
    tree.insert(page("1_", "Hlavní strana"), nullptr);
    auto& zbozi = tree.insert(page("7_", "Naše zboží", true), nullptr);
    auto& caje = tree.insert(page("8_", "Čaje", true), &zbozi);
    tree.insert(page("10_", "Zelené čaje"), &caje);
    auto& kava = tree.insert(page("9_", "Káva"), &zbozi);
    tree.insert(page("13_", "Zrnková"), &kava);
    tree.insert(page("12_", "Kde nás najdete", false, true), &zbozi);
    tree.insert(page("11_", "Kontakt"), nullptr);
    return tree;
}

QTreeWidgetItem* itemOf(QTreeWidget* tree, const char* id) {
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        if (site::ui::pageIdOf(*it) == id) {
            return *it;
        }
    }
    return nullptr;
}

void type(QWidget* field, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(field, &press);
    }
}

} // namespace

class NewLinkDialogTest : public QObject {
    Q_OBJECT
private slots:
    void treeIsACopyWithTheSameExpansionAndSelection();
    void okOnlyWithATitleThatIsNotBlank();
    void doubleClickActsAsOk();
};

void NewLinkDialogTest::treeIsACopyWithTheSameExpansionAndSelection() {
    const auto tree = shop();
    TfrmNovyOdkaz dialog(tree, "10_");
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Vytvoření nového odkazu"));
    QCOMPARE(control<QGroupBox>(&dialog, "gbNazev")->title(), QStringLiteral(" Název odkazu "));
    auto* tv = control<QTreeWidget>(&dialog, "tvStrom");
    QCOMPARE(tv->topLevelItemCount(), 3);
    QCOMPARE(site::ui::pageIdOf(tv->currentItem()), std::string("10_"));
    QVERIFY(itemOf(tv, "7_")->isExpanded());
    QVERIFY(itemOf(tv, "8_")->isExpanded());
    QVERIFY(!itemOf(tv, "9_")->isExpanded());
    QCOMPARE(itemOf(tv, "12_")->text(0), QStringLiteral("Kde nás najdete"));
    dialog.show();
    type(control<QLineEdit>(&dialog, "txtNazev"), QStringLiteral("Zelené"));
    saveScreenshot(&dialog, QStringLiteral("new_link_dialog"));
}

void NewLinkDialogTest::okOnlyWithATitleThatIsNotBlank() {
    const auto tree = shop();
    TfrmNovyOdkaz dialog(tree, "9_");
    auto* ok = control<QPushButton>(&dialog, "pbOK");
    auto* title = control<QLineEdit>(&dialog, "txtNazev");
    QVERIFY(!ok->isEnabled());
    type(title, QStringLiteral("   "));
    QVERIFY(!ok->isEnabled());
    type(title, QStringLiteral("Káva "));
    QVERIFY(ok->isEnabled());
    // Any page can be the target, a link page too.
    control<QTreeWidget>(&dialog, "tvStrom")
        ->setCurrentItem(itemOf(control<QTreeWidget>(&dialog, "tvStrom"), "12_"));
    dialog.show();
    ok->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.targetId(), std::string("12_"));
    QCOMPARE(dialog.linkTitle(), std::string("   Káva ")); // as typed
}

void NewLinkDialogTest::doubleClickActsAsOk() {
    const auto tree = shop();
    TfrmNovyOdkaz dialog(tree, "1_");
    dialog.show();
    auto* tv = control<QTreeWidget>(&dialog, "tvStrom");
    const QPoint at = tv->visualItemRect(itemOf(tv, "11_")).center();
    QTest::mouseDClick(tv->viewport(), Qt::LeftButton, {}, at);
    QVERIFY(dialog.isVisible()); // no title yet: nothing happens
    type(control<QLineEdit>(&dialog, "txtNazev"), QStringLiteral("Napište nám"));
    QTest::mouseDClick(tv->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.targetId(), std::string("11_"));
}

QTEST_MAIN(NewLinkDialogTest)
#include "new_link_dialog_test.moc"
