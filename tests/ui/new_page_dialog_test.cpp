#include "site/ui/new_page_dialog.h"
#include "support/ui_driver.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace arkona;
using namespace arkona::uitest;
using site::NewPageKind;
using site::ui::TfrmNovaStranka;

namespace {

void type(QWidget* field, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(field, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(field, &release);
    }
}

QLineEdit* field(QWidget* dialog, const char* name) {
    return control<QLineEdit>(dialog, name);
}

// What OK handed over, and what the acceptor answers.
struct Acceptor {
    std::vector<std::pair<std::string, std::string>> calls;
    bool answer = true;
    TfrmNovaStranka::Acceptor function() {
        return [this](const std::string& title, const std::string& fileName) {
            calls.emplace_back(title, fileName);
            return answer;
        };
    }
};

} // namespace

class NewPageDialogTest : public QObject {
    Q_OBJECT
private slots:
    void captionsOfTheTwoKinds();
    void leavingTheTitleFillsAnEmptyFileName();
    void fileNameKeepsItsNumberAndItsCharacters();
    void okHandsTitleAndFileNameOver();
};

void NewPageDialogTest::captionsOfTheTwoKinds() {
    Acceptor acceptor;
    TfrmNovaStranka page(NewPageKind::SubPage, 7, acceptor.function());
    QCOMPARE(page.windowTitle(), QStringLiteral("Přidání nové stránky"));
    QCOMPARE(control<QGroupBox>(&page, "gbStranka")->title(), QStringLiteral(" Nová stránka  "));
    QCOMPARE(control<QLabel>(&page, "lblZdrojInfo")->text(),
             QStringLiteral("(udává jméno HTML souboru)"));
    QCOMPARE(field(&page, "txtZdroj")->maxLength(), 250);
    QCOMPARE(control<QPushButton>(&page, "pbOK")->text(), QStringLiteral("OK"));
    QCOMPARE(control<QPushButton>(&page, "pbStorno")->text(), QStringLiteral("Storno"));
    page.show();
    saveScreenshot(&page, QStringLiteral("new_page_dialog"));

    TfrmNovaStranka section(NewPageKind::Section, 13, acceptor.function());
    QCOMPARE(section.windowTitle(), QStringLiteral("Přidání nového oddílu"));
    QCOMPARE(control<QGroupBox>(&section, "gbStranka")->title(), QStringLiteral("Nový oddíl"));
    TfrmNovaStranka product(NewPageKind::ProductSubPage, 7, acceptor.function());
    QCOMPARE(product.windowTitle(), QStringLiteral("Přidání nové stránky"));
}

void NewPageDialogTest::leavingTheTitleFillsAnEmptyFileName() {
    Acceptor acceptor;
    TfrmNovaStranka dialog(NewPageKind::SubPage, 7, acceptor.function());
    dialog.show();
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    field(&dialog, "txtNazev")->setFocus();
    type(field(&dialog, "txtNazev"), QStringLiteral("O nás"));
    QCOMPARE(field(&dialog, "txtZdroj")->text(), QString());
    field(&dialog, "txtZdroj")->setFocus();
    QTRY_COMPARE(field(&dialog, "txtZdroj")->text(), QStringLiteral("7Ons"));
    saveScreenshot(&dialog, QStringLiteral("new_page_dialog_filled"));
    // A file name that is there already stays.
    field(&dialog, "txtNazev")->setFocus();
    type(field(&dialog, "txtNazev"), QStringLiteral(" a my"));
    field(&dialog, "txtZdroj")->setFocus();
    QCOMPARE(field(&dialog, "txtZdroj")->text(), QStringLiteral("7Ons"));
}

void NewPageDialogTest::fileNameKeepsItsNumberAndItsCharacters() {
    Acceptor acceptor;
    TfrmNovaStranka dialog(NewPageKind::SubPage, 7, acceptor.function());
    QLineEdit* zdroj = field(&dialog, "txtZdroj");
    type(zdroj, QStringLiteral("x"));
    QCOMPARE(zdroj->text(), QStringLiteral("7x"));
    QCOMPARE(zdroj->cursorPosition(), 2);
    // Deleting the prefix gives it back.
    zdroj->setCursorPosition(0);
    QTest::keyClick(zdroj, Qt::Key_Delete);
    QCOMPARE(zdroj->text(), QStringLiteral("7x"));
    // A blank, a letter with a diacritic and a dot are dropped, the rest is kept in place.
    zdroj->setCursorPosition(2);
    type(zdroj, QStringLiteral(" č.y-1!"));
    QCOMPARE(zdroj->text(), QStringLiteral("7xy-1!"));
    QCOMPARE(zdroj->cursorPosition(), 6);
    zdroj->setCursorPosition(1);
    type(zdroj, QStringLiteral("A"));
    QCOMPARE(zdroj->text(), QStringLiteral("7Axy-1!"));
    QCOMPARE(zdroj->cursorPosition(), 2);
}

void NewPageDialogTest::okHandsTitleAndFileNameOver() {
    Acceptor acceptor;
    {
        TfrmNovaStranka dialog(NewPageKind::SubPage, 12, acceptor.function());
        type(field(&dialog, "txtNazev"), QStringLiteral("Ceník služeb 2"));
        acceptor.answer = false; // the page could not be made: the dialog stays
        dialog.show();
        control<QPushButton>(&dialog, "pbOK")->click();
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        acceptor.answer = true;
        control<QPushButton>(&dialog, "pbOK")->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }
    QCOMPARE(acceptor.calls.size(), std::size_t(2));
    QCOMPARE(acceptor.calls[1].first, std::string("Ceník služeb 2"));
    QCOMPARE(acceptor.calls[1].second, std::string("12Cenkslueb2"));
    // Storno hands nothing over.
    TfrmNovaStranka dialog(NewPageKind::SubPage, 12, acceptor.function());
    dialog.show();
    control<QPushButton>(&dialog, "pbStorno")->click();
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(acceptor.calls.size(), std::size_t(2));
}

QTEST_MAIN(NewPageDialogTest)
#include "new_page_dialog_test.moc"
