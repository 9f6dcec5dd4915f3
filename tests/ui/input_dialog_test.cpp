#include "site/ui/input_dialog.h"
#include "support/ui_driver.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace arkona;
using namespace arkona::uitest;
using site::ui::TfrmInput;

namespace {

void type(QWidget* field, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(field, &press);
    }
}

} // namespace

class InputDialogTest : public QObject {
    Q_OBJECT
private slots:
    void titleLabelAndText();
    void nonBlankOptionHoldsOkBack();
    void nameOptionDropsOtherCharacters();
    void askReturnsTheTextOrNothing();
};

void InputDialogTest::titleLabelAndText() {
    TfrmInput box(QStringLiteral("Nová produktová sekce"), QStringLiteral("Popis sekce"),
                  QStringLiteral("Čaje"), {});
    QCOMPARE(box.windowTitle(), QStringLiteral("Nová produktová sekce"));
    QCOMPARE(control<QLabel>(&box, "lblPopis")->text(), QStringLiteral("Popis sekce"));
    QCOMPARE(box.text(), QStringLiteral("Čaje"));
    QVERIFY(control<QPushButton>(&box, "pbOK")->isEnabled()); // without the option, always
    box.show();
    saveScreenshot(&box, QStringLiteral("input_dialog"));
}

void InputDialogTest::nonBlankOptionHoldsOkBack() {
    TfrmInput::Options options;
    options.nonBlank = true;
    TfrmInput box(QStringLiteral("Nová proměnná"), QStringLiteral("Jméno"), QStringLiteral("x"),
                  options);
    auto* ok = control<QPushButton>(&box, "pbOK");
    auto* text = control<QLineEdit>(&box, "txtVstup");
    QVERIFY(!ok->isEnabled()); // disabled when it opens
    text->clear();
    type(text, QStringLiteral("  "));
    QVERIFY(!ok->isEnabled());
    type(text, QStringLiteral("a"));
    QVERIFY(ok->isEnabled());
    QTest::keyClick(text, Qt::Key_Backspace);
    QVERIFY(!ok->isEnabled());
}

void InputDialogTest::nameOptionDropsOtherCharacters() {
    TfrmInput::Options options;
    options.nameCharacters = true;
    TfrmInput box(QStringLiteral("Nová složka"), QStringLiteral("Vyplňte jméno nové složky"), {},
                  options);
    auto* text = control<QLineEdit>(&box, "txtVstup");
    type(text, QStringLiteral("Ceník: 2026/č.1"));
    QCOMPARE(text->text(), QStringLiteral("Ceník 2026č1"));
    text->setCursorPosition(5);
    type(text, QStringLiteral("ä_"));
    QCOMPARE(text->text(), QStringLiteral("Ceník_ 2026č1"));
    QCOMPARE(text->cursorPosition(), 6);
}

void InputDialogTest::askReturnsTheTextOrNothing() {
    whenModal("TfrmInput", [](QWidget* box) {
        auto* text = control<QLineEdit>(box, "txtVstup");
        text->selectAll();
        type(text, QStringLiteral("Nový popis"));
        control<QPushButton>(box, "pbOK")->click();
    });
    QCOMPARE(TfrmInput::ask(nullptr, QStringLiteral("Úprava popisu sekce"),
                            QStringLiteral("Popis sekce"), QStringLiteral("Starý")),
             std::optional<std::string>("Nový popis"));
    whenModal("TfrmInput", [](QWidget* box) { control<QPushButton>(box, "pbStorno")->click(); });
    QCOMPARE(TfrmInput::ask(nullptr, QStringLiteral("Úprava popisu sekce"),
                            QStringLiteral("Popis sekce"), QStringLiteral("Starý")),
             std::optional<std::string>());
}

QTEST_MAIN(InputDialogTest)
#include "input_dialog_test.moc"
