#include "site/ui/colour_field.h"
#include "support/ui_driver.h"
#include "templates/ui/font_tag_dialog.h"

#include <QColorDialog>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using namespace arkona;
using namespace arkona::uitest;
using templates::ui::TfrmFnt;

namespace {

constexpr const char* kArial2Bold =
    "<FONT FACE=\"Arial CE, ARIAL, Helvetica\" SIZE=2 COLOR=\"#000000\"><B>";

void leave(QWidget* w) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(w, &out);
}

QAction* paletteEntry(QWidget* root, const char* menu, const QString& caption) {
    for (QAction* a : control<QMenu>(root, menu)->actions()) {
        if (a->text() == caption) {
            return a;
        }
    }
    return nullptr;
}

} // namespace

class FontTagDialogTest : public QObject {
    Q_OBJECT
private slots:
    void opensOnTheTagAndGivesItBackUnchanged();
    void everyChoiceEndsUpInTheTag();
    void colourFieldTakesOnlyHexDigitsAndIsPaddedWhenLeft();
    void colourDialogWritesRedGreenBlue();
    void aFaceNotOfferedIsKeptUntilAnotherIsChosen();
    void emptyAndBrokenTagsOpenWithTheDefaults();
    void stornoGivesNothing();
};

void FontTagDialogTest::opensOnTheTagAndGivesItBackUnchanged() {
    TfrmFnt dialog(kArial2Bold);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Výběr fontu"));
    auto* face = control<QComboBox>(&dialog, "cbPismo");
    auto* size = control<QComboBox>(&dialog, "cbVelikost");
    QCOMPARE(face->count(), 3);
    QCOMPARE(face->currentText(), QStringLiteral("Arial CE, Arial"));
    QCOMPARE(face->itemText(2), QStringLiteral("Times New Roman CE, Times"));
    QCOMPARE(size->count(), 7);
    QCOMPARE(size->currentText(), QStringLiteral("2 (10 bodů)"));
    QCOMPARE(size->itemText(6), QStringLiteral("7 (36 bodů)"));
    QCOMPARE(control<QLineEdit>(&dialog, "txtBarva")->text(), QStringLiteral("000000"));
    QVERIFY(control<QToolButton>(&dialog, "sbTucne")->isChecked());
    QVERIFY(!control<QToolButton>(&dialog, "sbKurziva")->isChecked());
    QVERIFY(!control<QToolButton>(&dialog, "sbPodtrzene")->isChecked());
    QCOMPARE(control<QLineEdit>(&dialog, "txtZapis")->text(), QString::fromLatin1(kArial2Bold));
    dialog.show();
    saveScreenshot(&dialog, QStringLiteral("font_tag_dialog"));
    QTest::mouseClick(control<QPushButton>(&dialog, "pbOK"), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.tag(), std::string(kArial2Bold));
}

void FontTagDialogTest::everyChoiceEndsUpInTheTag() {
    TfrmFnt dialog(kArial2Bold);
    dialog.show();
    control<QComboBox>(&dialog, "cbPismo")->setCurrentIndex(2);
    control<QComboBox>(&dialog, "cbVelikost")->setCurrentIndex(4);
    QTest::mouseClick(control<QToolButton>(&dialog, "sbTucne"), Qt::LeftButton);
    QTest::mouseClick(control<QToolButton>(&dialog, "sbKurziva"), Qt::LeftButton);
    QTest::mouseClick(control<QToolButton>(&dialog, "sbPodtrzene"), Qt::LeftButton);
    QAction* red = paletteEntry(&dialog, "pmBarva", QStringLiteral("červená"));
    QVERIFY(red);
    QCOMPARE(red->toolTip(), QStringLiteral("FF0000"));
    red->trigger();
    QCOMPARE(control<QLineEdit>(&dialog, "txtBarva")->text(), QStringLiteral("FF0000"));
    const std::string expected =
        "<FONT FACE=\"Times New Roman CE, Times New Roman\" SIZE=5 COLOR=\"#FF0000\"><I><U>";
    QCOMPARE(control<QLineEdit>(&dialog, "txtZapis")->text(), QString::fromStdString(expected));
    saveScreenshot(&dialog, QStringLiteral("font_tag_dialog_times"));
    QTest::mouseClick(control<QPushButton>(&dialog, "pbOK"), Qt::LeftButton);
    QCOMPARE(dialog.tag(), expected);
}

void FontTagDialogTest::colourFieldTakesOnlyHexDigitsAndIsPaddedWhenLeft() {
    TfrmFnt dialog("");
    dialog.show();
    auto* colour = control<QLineEdit>(&dialog, "txtBarva");
    colour->clear();
    QTest::keyClicks(colour, QStringLiteral("1g2"));
    QCOMPARE(colour->text(), QStringLiteral("12"));
    QCOMPARE(colour->cursorPosition(), 2);
    leave(colour);
    QCOMPARE(colour->text(), QStringLiteral("120000"));
    // The sample follows six typed digits at once.
    colour->clear();
    QTest::keyClicks(colour, QStringLiteral("00ff00"));
    QVERIFY(control<QToolButton>(&dialog, "shpBarva")->styleSheet().contains("#00ff00"));
    // OK takes a typed colour padded, also when the field was not left first.
    colour->clear();
    QTest::keyClicks(colour, QStringLiteral("a"));
    QTest::mouseClick(control<QPushButton>(&dialog, "pbOK"), Qt::LeftButton);
    QCOMPARE(dialog.tag(), std::string("<FONT FACE=\"Arial CE, ARIAL, Helvetica\" SIZE=3 "
                                       "COLOR=\"#A00000\">"));
}

void FontTagDialogTest::colourDialogWritesRedGreenBlue() {
    TfrmFnt dialog(kArial2Bold);
    dialog.show();
    whenModal("dlgBarva", [](QWidget* w) {
        auto* d = static_cast<QColorDialog*>(w);
        d->setCurrentColor(QColor(255, 0, 0));
        d->accept();
    });
    QTest::mouseClick(control<QToolButton>(&dialog, "shpBarva"), Qt::LeftButton);
    QCOMPARE(control<QLineEdit>(&dialog, "txtBarva")->text(), QStringLiteral("FF0000"));
    QVERIFY(dialog.tag().find("COLOR=\"#FF0000\"") != std::string::npos);
}

void FontTagDialogTest::aFaceNotOfferedIsKeptUntilAnotherIsChosen() {
    const std::string verdana = "<FONT FACE=\"Verdana, Arial, Helvetica\" SIZE=1 "
                                "COLOR=\"#2F5F2F\">";
    TfrmFnt dialog(verdana);
    auto* face = control<QComboBox>(&dialog, "cbPismo");
    QCOMPARE(face->count(), 4);
    QCOMPARE(face->currentText(), QStringLiteral("Verdana, Arial, Helvetica"));
    QCOMPARE(dialog.tag(), verdana);
    face->setCurrentIndex(1);
    QCOMPARE(dialog.tag(),
             std::string("<FONT FACE=\"Courier CE, Courier\" SIZE=1 COLOR=\"#2F5F2F\">"));
    face->setCurrentIndex(3);
    QCOMPARE(dialog.tag(), verdana);
}

void FontTagDialogTest::emptyAndBrokenTagsOpenWithTheDefaults() {
    for (const char* tag : {"", "<FONT FACE=\"Times", "nesmysl", "<FONT SIZE=9 COLOR=\"#zz\">"}) {
        TfrmFnt dialog(tag);
        QCOMPARE(control<QComboBox>(&dialog, "cbVelikost")->currentText(),
                 QStringLiteral("3 (12 bodů)"));
        QCOMPARE(control<QLineEdit>(&dialog, "txtBarva")->text(), QStringLiteral("000000"));
    }
    TfrmFnt empty("");
    QCOMPARE(empty.tag(),
             std::string("<FONT FACE=\"Arial CE, ARIAL, Helvetica\" SIZE=3 COLOR=\"#000000\">"));
}

void FontTagDialogTest::stornoGivesNothing() {
    whenModal("TfrmFnt", [](QWidget* w) {
        control<QComboBox>(w, "cbVelikost")->setCurrentIndex(6);
        QTest::mouseClick(control<QPushButton>(w, "pbStorno"), Qt::LeftButton);
    });
    QVERIFY(!TfrmFnt::choose(nullptr, kArial2Bold).has_value());
    whenModal("TfrmFnt", [](QWidget* w) {
        control<QComboBox>(w, "cbVelikost")->setCurrentIndex(6);
        QTest::mouseClick(control<QPushButton>(w, "pbOK"), Qt::LeftButton);
    });
    QCOMPARE(TfrmFnt::choose(nullptr, kArial2Bold).value_or("nic"),
             std::string("<FONT FACE=\"Arial CE, ARIAL, Helvetica\" SIZE=7 COLOR=\"#000000\"><B>"));
}

QTEST_MAIN(FontTagDialogTest)
#include "font_tag_dialog_test.moc"
