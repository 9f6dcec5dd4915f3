#include "app/main_status_bar.h"
#include "site/ui/page_picker_dialog.h"
#include "site/ui/page_tree_widget.h"
#include "support/ui_driver.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

using namespace arkona;
using namespace arkona::uitest;
using site::ui::AnchorRequest;
using site::ui::TfrmStrom;

namespace {

site::PageNode page(const char* id, const char* title, const char* src, const char* path,
                    bool link = false) {
    site::PageNode n;
    n.id = id;
    n.title = title;
    n.src = src;
    n.path = path;
    n.number = std::stoll(id);
    n.recno = static_cast<std::uint32_t>(n.number);
    n.link = link;
    return n;
}

// 1_ uvod, 2_ a (5_ 5kontakt in /a, 6_ link to 5kontakt), 3_ b (4_ cenik in /b)
site::PageTree sampleSite() {
    site::PageTree tree;
    tree.insert(page("1_", "Úvod", "uvod", ""), nullptr);
    auto& a = tree.insert(page("2_", "Oddíl A", "a", ""), nullptr);
    tree.insert(page("6_", "Kontakt znovu", "5kontakt", "/a", true), &a);
    tree.insert(page("5_", "Kontakt", "5kontakt", "/a"), &a);
    auto& b = tree.insert(page("3_", "Oddíl B", "b", ""), nullptr);
    tree.insert(page("4_", "Ceník", "cenik", "/b"), &b);
    return tree;
}

QTreeWidgetItem* itemOf(QWidget* dialog, const char* id) {
    auto* tv = control<QTreeWidget>(dialog, "tvStrom");
    for (QTreeWidgetItemIterator it(tv); *it; ++it) {
        if (site::ui::pageIdOf(*it) == id) {
            return *it;
        }
    }
    return nullptr;
}

void clickPage(QWidget* dialog, const char* id) {
    auto* tv = control<QTreeWidget>(dialog, "tvStrom");
    QTreeWidgetItem* item = itemOf(dialog, id);
    for (QTreeWidgetItem* up = item->parent(); up; up = up->parent()) {
        up->setExpanded(true);
    }
    tv->scrollToItem(item);
    QTest::mouseClick(tv->viewport(), Qt::LeftButton, {}, tv->visualItemRect(item).center());
}

QString text(QWidget* dialog, const char* name) {
    return control<QLineEdit>(dialog, name)->text();
}

} // namespace

class PagePickerDialogTest : public QObject {
    Q_OBJECT
private slots:
    void ownerModeShowsOnlyTheTree();
    void editingAnAnchorSelectsItsPage();
    void attributesOfAnyLengthAreKept();
    void newAnchorWrapsTheSelectedText();
    void goodsLinkFieldGetsTheOpeningTagAlone();
};

void PagePickerDialogTest::ownerModeShowsOnlyTheTree() {
    const auto tree = sampleSite();
    app::MainStatusBar status;
    status.setPanel(3, QStringLiteral("Zobrazena stránka \"Ceník\"."));
    whenModal("TfrmStrom", [&](QWidget* dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Strom"));
        for (const char* group : {"gbHref", "gbTarget", "gbOnMouseOver"}) {
            QVERIFY2(!control<QGroupBox>(dialog, group)->isVisible(), group);
        }
        QCOMPARE(site::ui::pageIdOf(control<QTreeWidget>(dialog, "tvStrom")->currentItem()),
                 std::string("4_"));
        saveScreenshot(dialog, QStringLiteral("page_picker_owner"));
        clickPage(dialog, "5_");
        control<QPushButton>(dialog, "pbOK")->click();
    });
    QCOMPARE(TfrmStrom::chooseOwner(nullptr, tree, "4_", &status),
             std::optional<std::string>("5_"));
    QCOMPARE(status.panel(3), QStringLiteral("Zobrazena stránka \"Ceník\"."));
    whenModal("TfrmStrom",
              [](QWidget* dialog) { control<QPushButton>(dialog, "pbStorno")->click(); });
    QCOMPARE(TfrmStrom::chooseOwner(nullptr, tree, "4_", &status), std::optional<std::string>());
}

void PagePickerDialogTest::editingAnAnchorSelectsItsPage() {
    const auto tree = sampleSite();
    AnchorRequest request;
    request.currentId = "4_"; // in /b
    request.existingAnchor = R"(<A HREF="../a/5kontakt.htm" TARGET="wsp">Kontakt</A>)";
    whenModal("TfrmStrom", [&](QWidget* dialog) {
        for (const char* group : {"gbHref", "gbTarget", "gbOnMouseOver"}) {
            QVERIFY2(control<QGroupBox>(dialog, group)->isVisible(), group);
        }
        QCOMPARE(control<QGroupBox>(dialog, "gbHref")->title(),
                 QStringLiteral(" Cíl odkazu   HREF= "));
        QCOMPARE(control<QGroupBox>(dialog, "gbTarget")->title(),
                 QStringLiteral(" Cílový rám prohlížeče   TARGET= "));
        QCOMPARE(control<QGroupBox>(dialog, "gbOnMouseOver")->title(),
                 QStringLiteral(" Akce spouštěná při pohybu myši nad odkazem   ONMOUSEOVER= "));
        // The page itself, not the link that shares its file.
        QCOMPARE(site::ui::pageIdOf(control<QTreeWidget>(dialog, "tvStrom")->currentItem()),
                 std::string("5_"));
        QVERIFY(itemOf(dialog, "2_")->isExpanded());
        QCOMPARE(text(dialog, "txtHref"), QStringLiteral("../a/5kontakt.htm"));
        QCOMPARE(text(dialog, "txtTarget"), QStringLiteral("wsp"));
        QCOMPARE(text(dialog, "txtOnMouseOver"), QString());
        saveScreenshot(dialog, QStringLiteral("page_picker_anchor"));
        clickPage(dialog, "1_");
        QCOMPARE(text(dialog, "txtHref"), QStringLiteral("../uvod.htm"));
        clickPage(dialog, "4_");
        QCOMPARE(text(dialog, "txtHref"), QStringLiteral("cenik.htm"));
        control<QPushButton>(dialog, "pbOK")->click();
    });
    QCOMPARE(TfrmStrom::editAnchor(nullptr, tree, request),
             std::optional<std::string>(R"(<A HREF="cenik.htm" TARGET="wsp">Kontakt</A>)"));
}

void PagePickerDialogTest::attributesOfAnyLengthAreKept() {
    const auto tree = sampleSite();
    AnchorRequest request;
    request.currentId = "1_";
    request.existingAnchor = R"(<a href="http://example.org/x/obchod.html" )"
                             R"(onmouseover="window.status='Náš obchod'; return true" )"
                             R"(target="_blank">Obchod</a> a dál)";
    whenModal("TfrmStrom", [&](QWidget* dialog) {
        // Not a page of this site: HREF stays as written, the current page selected.
        QCOMPARE(site::ui::pageIdOf(control<QTreeWidget>(dialog, "tvStrom")->currentItem()),
                 std::string("1_"));
        QCOMPARE(text(dialog, "txtHref"), QStringLiteral("http://example.org/x/obchod.html"));
        QCOMPARE(text(dialog, "txtTarget"), QStringLiteral("_blank"));
        QCOMPARE(text(dialog, "txtOnMouseOver"),
                 QStringLiteral("window.status='Náš obchod'; return true"));
        control<QPushButton>(dialog, "pbOK")->click();
    });
    QCOMPARE(TfrmStrom::editAnchor(nullptr, tree, request),
             std::optional<std::string>(
                 R"(<A HREF="http://example.org/x/obchod.html" TARGET="_blank" )"
                 R"(ONMOUSEOVER="window.status='Náš obchod'; return true">Obchod</a> a dál)"));
}

void PagePickerDialogTest::newAnchorWrapsTheSelectedText() {
    const auto tree = sampleSite();
    AnchorRequest request;
    request.currentId = "5_";
    request.selectedText = "ceník";
    whenModal("TfrmStrom", [&](QWidget* dialog) {
        QCOMPARE(site::ui::pageIdOf(control<QTreeWidget>(dialog, "tvStrom")->currentItem()),
                 std::string("5_"));
        QCOMPARE(text(dialog, "txtHref"), QString());
        QCOMPARE(text(dialog, "txtTarget"), QStringLiteral("wsp"));
        clickPage(dialog, "4_");
        control<QLineEdit>(dialog, "txtTarget")->clear();
        control<QPushButton>(dialog, "pbOK")->click();
    });
    QCOMPARE(TfrmStrom::editAnchor(nullptr, tree, request),
             std::optional<std::string>(R"(<A HREF="../b/cenik.htm">ceník</A> )"));
}

void PagePickerDialogTest::goodsLinkFieldGetsTheOpeningTagAlone() {
    const auto tree = sampleSite();
    AnchorRequest request;
    request.currentId = "4_";
    request.existingAnchor = R"(<A HREF="../uvod.htm" TARGET="wsp">)";
    request.openingTagOnly = true;
    whenModal("TfrmStrom", [&](QWidget* dialog) {
        QCOMPARE(site::ui::pageIdOf(control<QTreeWidget>(dialog, "tvStrom")->currentItem()),
                 std::string("1_"));
        control<QLineEdit>(dialog, "txtOnMouseOver")->setText(QStringLiteral("x()"));
        control<QPushButton>(dialog, "pbOK")->click();
    });
    QCOMPARE(
        TfrmStrom::editAnchor(nullptr, tree, request),
        std::optional<std::string>(R"x(<A HREF="../uvod.htm" TARGET="wsp" ONMOUSEOVER="x()">)x"));
}

QTEST_MAIN(PagePickerDialogTest)
#include "page_picker_dialog_test.moc"
