#include "app/busy_cursor.h"
#include "app/message_box.h"
#include "support/ui_driver.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTest>

using namespace arkona;
using namespace arkona::uitest;

class MessageBoxTest : public QObject {
    Q_OBJECT
private slots:
    void boxShowsCaptionIconTextAndDefault();
    void destructiveOperationsAskTwice();
    void busyCursorDoesNotNest();
};

void MessageBoxTest::boxShowsCaptionIconTextAndDefault() {
    app::BoxPrompter boxes;
    QString caption, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QAbstractButton* defaultButton = nullptr;
    QAbstractButton* yes = nullptr;
    whenModal("msgBox", [&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        caption = box->windowTitle();
        text = box->text();
        icon = box->icon();
        defaultButton = box->defaultButton();
        yes = box->button(QMessageBox::Yes);
        QCOMPARE(yes->text(), QStringLiteral("&Ano"));
        QCOMPARE(box->button(QMessageBox::No)->text(), QStringLiteral("&Ne"));
        saveScreenshot(box, QStringLiteral("message_box"));
        QTest::mouseClick(box->button(QMessageBox::No), Qt::LeftButton);
    });
    const Answer a = boxes.ask(MessageKind::Question, Buttons::YesNo,
                               "Vymazat sekci ze stránky?\r\rDruhý řádek", Answer::Yes);
    QCOMPARE(a, Answer::No);
    QCOMPARE(caption, QStringLiteral("ArkonaPro"));
    QCOMPARE(text, QStringLiteral("Vymazat sekci ze stránky?\n\nDruhý řádek"));
    QCOMPARE(icon, QMessageBox::Question);
    QCOMPARE(defaultButton, yes);

    // A warning with Cancel as default, under another caption; Esc gives Cancel.
    whenModal("msgBox", [&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        caption = box->windowTitle();
        icon = box->icon();
        QCOMPARE(box->defaultButton(), box->button(QMessageBox::Cancel));
        QCOMPARE(box->button(QMessageBox::Cancel)->text(), QStringLiteral("Storno"));
        QCOMPARE(box->button(QMessageBox::Ok)->text(), QStringLiteral("OK"));
        QTest::keyClick(box, Qt::Key_Escape);
    });
    app::Messages::setPrompter(&boxes);
    QCOMPARE(app::Messages::ask(MessageKind::Warning, Buttons::OkCancel, "Pozor", Answer::Cancel,
                                "Výběr složky"),
             Answer::Cancel);
    app::Messages::setPrompter(nullptr);
    QCOMPARE(caption, QStringLiteral("Výběr složky"));
    QCOMPARE(icon, QMessageBox::Warning);

    whenModal("msgBox", [&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        icon = box->icon();
        QTest::keyClick(box, Qt::Key_Return);
    });
    QCOMPARE(boxes.ask(MessageKind::Error, Buttons::Ok, "Chyba", Answer::Ok), Answer::Ok);
    QCOMPARE(icon, QMessageBox::Critical);
}

void MessageBoxTest::destructiveOperationsAskTwice() {
    ScriptedPrompter prompter;
    const std::string warning = "Pokud opravdu chcete vymazat sekci ze stránky, potvrďte "
                                "tlačítko OK!\r\rToto je nevratná operace!";
    prompter.answers({Answer::Yes, Answer::Ok});
    QVERIFY(app::Messages::confirmTwice("Vymazat sekci ze stránky?", warning));
    QCOMPARE(prompter.messages().size(), std::size_t(2));
    QCOMPARE(prompter.messages()[0].kind, MessageKind::Question);
    QCOMPARE(prompter.messages()[0].buttons, Buttons::YesNo);
    QCOMPARE(prompter.messages()[1].kind, MessageKind::Warning);
    QCOMPARE(prompter.messages()[1].buttons, Buttons::OkCancel);
    QCOMPARE(prompter.messages()[1].defaultAnswer, Answer::Cancel);
    QCOMPARE(prompter.messages()[1].text, warning);
    prompter.clear();
    prompter.answers({Answer::No});
    QVERIFY(!app::Messages::confirmTwice("Vymazat sekci ze stránky?", warning));
    QCOMPARE(prompter.messages().size(), std::size_t(1));
    prompter.clear();
    prompter.answers({Answer::Yes, Answer::Cancel});
    QVERIFY(!app::Messages::confirmTwice("Vymazat sekci ze stránky?", warning));
}

void MessageBoxTest::busyCursorDoesNotNest() {
    QVERIFY(!QApplication::overrideCursor());
    app::SetBusyCursor(true);
    app::SetBusyCursor(true);
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    app::SetBusyCursor(false);
    QVERIFY(!QApplication::overrideCursor());
    {
        app::BusyCursor busy;
        QVERIFY(app::busyCursorShown());
    }
    QVERIFY(!app::busyCursorShown());
    QVERIFY(!QApplication::overrideCursor());
}

QTEST_MAIN(MessageBoxTest)
#include "message_box_test.moc"
