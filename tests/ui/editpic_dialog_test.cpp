// The picture tag dialog in both modes, with its chooser and the copy into the page folder.
#include "catalogue/ui/picture_dialog.h"
#include "support/ui_driver.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <sstream>

using namespace arkona;
using namespace arkona::uitest;
using catalogue::ui::TfrmEditPic;
namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

namespace {

QString u(const char* text) {
    return QString::fromUtf8(text);
}

QString qs(const fs::path& p) {
    return QString::fromStdString(p.string());
}

std::string bytesOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

struct Pictures {
    QTemporaryDir dir;
    fs::path root{dir.path().toStdString()};
    fs::path page{root / "WWW" / "caje"};
    fs::path photos{root / "fotky"};

    Pictures() {
        fs::create_directories(page);
        fs::create_directories(photos);
        picture(photos / "zeleny caj.jpg", 64, 40, Qt::darkGreen);
    }
    static void picture(const fs::path& file, int w, int h, QColor colour) {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(colour);
        image.save(qs(file), file.extension() == ".png" ? "PNG" : "JPG");
    }
    // Picks a file in the next chooser.
    static void pick(const fs::path& file, QStringList* offered = nullptr) {
        whenModal("dlgVyberObrazku", [file, offered](QWidget* w) {
            if (offered) {
                auto* types = w->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
                for (int i = 0; i < types->count(); ++i) {
                    *offered << types->itemText(i);
                }
            }
            w->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(qs(file));
            static_cast<QDialog*>(w)->accept();
        });
    }
    std::string edited(const std::string& tag) const {
        TfrmEditPic d(TfrmEditPic::Mode::Edit, TfrmEditPic::Caller::SourceEditor, tag, page);
        d.show();
        QTest::mouseClick(control<QPushButton>(&d, "pbOK"), Qt::LeftButton);
        return d.tag().value_or("<none>");
    }
};

} // namespace

class EditPicTest : public QObject {
    Q_OBJECT
private slots:
    void insertingChoosesAFileAtOnceAndCopiesIt();
    void editingThePartsTags();
    void editingReorderedDifferentlyQuotedTags();
    void aFileOfThePageFolderIsNeitherCopiedNorAsked();
    void anotherFileOfThatNameIsReplacedOnlyOnYes();
    void aFailedCopyKeepsTheDialogOpenWithoutATag();
    void anUnreadablePictureKeepsTheFields();
};

void EditPicTest::insertingChoosesAFileAtOnceAndCopiesIt() {
    Pictures p;
    ScriptedPrompter prompter;
    QStringList offered;
    Pictures::pick(p.photos / "zeleny caj.jpg", &offered);
    TfrmEditPic d(TfrmEditPic::Mode::Insert, TfrmEditPic::Caller::ProductEditor, "", p.page);
    d.show();
    QTRY_COMPARE(control<QLineEdit>(&d, "txtSoubor")->text(), qs(p.photos / "zeleny caj.jpg"));
    QCOMPARE(d.windowTitle(), u("Formát obrázku"));
    QCOMPARE(offered,
             (QStringList{"All (*.gif;*.jpg;*.jpeg;*.png)", "Gif (*.gif)", "JPG (*.jpg, *.jpeg)"}));
    QVERIFY(control<QCheckBox>(&d, "chbUrcit")->isChecked());
    QCOMPARE(control<QSpinBox>(&d, "txtSirka")->value(), 64);
    QCOMPARE(control<QSpinBox>(&d, "txtVyska")->value(), 40);
    QCOMPARE(control<QComboBox>(&d, "cbSirka")->currentText(), u("pixely"));
    const auto bytes = fs::file_size(p.photos / "zeleny caj.jpg");
    const QString alt = QStringLiteral("zeleny caj.jpg (%1 bytes)").arg(bytes);
    QCOMPARE(control<QLineEdit>(&d, "txtAlt")->text(), alt);
    QVERIFY(control<QLabel>(&d, "imgObrazek")->isVisible());
    saveScreenshot(&d, "obrazek_vlozit");
    QTest::mouseClick(control<QPushButton>(&d, "pbOK"), Qt::LeftButton);
    QVERIFY(d.tag());
    QCOMPARE(QString::fromStdString(*d.tag()),
             QStringLiteral("<IMG SRC=\"zeleny caj.jpg\" BORDER=\"0\" WIDTH=\"64\" HEIGHT=\"40\" "
                            "ALT=\"") +
                 alt + QStringLiteral("\"> "));
    QCOMPARE(bytesOf(p.page / "zeleny caj.jpg"), bytesOf(p.photos / "zeleny caj.jpg"));
    QVERIFY(prompter.messages().empty());
    // Inserting and pressing OK without a file: an empty SRC.
    whenModal("dlgVyberObrazku", [](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
    TfrmEditPic empty(TfrmEditPic::Mode::Insert, TfrmEditPic::Caller::SourceEditor, "", p.page);
    empty.show();
    QTest::qWait(300);
    QTest::mouseClick(control<QPushButton>(&empty, "pbOK"), Qt::LeftButton);
    QCOMPARE(empty.tag().value_or("<none>"), std::string("<IMG SRC=\"\" BORDER=\"0\"> "));
}

void EditPicTest::editingThePartsTags() {
    Pictures p;
    ScriptedPrompter prompter;
    const std::string tag = "<IMG SRC=\"caj.gif\" ALIGN=\"LEFT\" BORDER=\"1\" HSPACE=\"3\" "
                            "VSPACE=\"0\" WIDTH=\"50%\" HEIGHT=\"20\" ALT=\"Zelený čaj\">";
    {
        TfrmEditPic d(TfrmEditPic::Mode::Edit, TfrmEditPic::Caller::SourceEditor, tag, p.page);
        d.show();
        QCOMPARE(control<QLineEdit>(&d, "txtSoubor")->text(), u("caj.gif"));
        QCOMPARE(control<QComboBox>(&d, "cbZarovnani")->currentText(), u("doleva"));
        QCOMPARE(control<QSpinBox>(&d, "txtOkraj")->value(), 1);
        QCOMPARE(control<QSpinBox>(&d, "txtHSpace")->value(), 3);
        QVERIFY(control<QCheckBox>(&d, "chbUrcit")->isChecked());
        QCOMPARE(control<QSpinBox>(&d, "txtSirka")->value(), 50);
        QCOMPARE(control<QComboBox>(&d, "cbSirka")->currentText(), u("%"));
        QCOMPARE(control<QComboBox>(&d, "cbVyska")->currentText(), u("pixely"));
        QCOMPARE(control<QLineEdit>(&d, "txtAlt")->text(), u("Zelený čaj"));
        saveScreenshot(&d, "obrazek_upravit");
    }
    // Unchanged file: nothing copied (the file is not even there), blanks kept, VSPACE 0 left out.
    QCOMPARE(p.edited(tag), std::string("<IMG SRC=\"caj.gif\" ALIGN=\"LEFT\" BORDER=\"1\" "
                                        "HSPACE=\"3\" WIDTH=\"50%\" HEIGHT=\"20\" "
                                        "ALT=\"Zelený čaj\">"));
    QCOMPARE(p.edited("<IMG SRC=\"a.gif\">"), std::string("<IMG SRC=\"a.gif\" BORDER=\"0\">"));
    QVERIFY(prompter.messages().empty());
}

void EditPicTest::editingReorderedDifferentlyQuotedTags() {
    Pictures p;
    ScriptedPrompter prompter;
    QCOMPARE(p.edited("<img alt='můj obrázek' width=50% src='můj obrázek.jpg' Border = 2 "
                      "align=textTop>"),
             std::string("<IMG SRC=\"můj obrázek.jpg\" ALIGN=\"TEXTTOP\" BORDER=\"2\" "
                         "WIDTH=\"50%\" ALT=\"můj obrázek\">"));
    QCOMPARE(p.edited("<IMG\r\nSRC=x.gif\tHEIGHT='7%'>"),
             std::string("<IMG SRC=\"x.gif\" BORDER=\"0\" HEIGHT=\"7%\">"));
    QVERIFY(prompter.messages().empty());
}

void EditPicTest::aFileOfThePageFolderIsNeitherCopiedNorAsked() {
    Pictures p;
    Pictures::picture(p.page / "caj.jpg", 10, 10, Qt::red);
    const std::string before = bytesOf(p.page / "caj.jpg");
    ScriptedPrompter prompter;
    TfrmEditPic d(TfrmEditPic::Mode::Edit, TfrmEditPic::Caller::SourceEditor,
                  "<IMG SRC=\"jiny.jpg\">", p.page);
    d.show();
    Pictures::pick(p.page / "caj.jpg");
    QTest::mouseClick(control<QWidget>(&d, "sbVyhledat"), Qt::LeftButton);
    QTest::mouseClick(control<QPushButton>(&d, "pbOK"), Qt::LeftButton);
    QVERIFY(prompter.messages().empty());
    QCOMPARE(d.tag().value_or("").substr(0, 22), std::string("<IMG SRC=\"caj.jpg\" BOR"));
    QCOMPARE(bytesOf(p.page / "caj.jpg"), before);
}

void EditPicTest::anotherFileOfThatNameIsReplacedOnlyOnYes() {
    Pictures p;
    Pictures::picture(p.page / "zeleny caj.jpg", 10, 10, Qt::red);
    const std::string old = bytesOf(p.page / "zeleny caj.jpg");
    ScriptedPrompter prompter;
    for (const Answer answer : {Answer::No, Answer::Yes}) {
        prompter.clear();
        prompter.answer(answer);
        Pictures::pick(p.photos / "zeleny caj.jpg");
        TfrmEditPic d(TfrmEditPic::Mode::Insert, TfrmEditPic::Caller::SourceEditor, "", p.page);
        d.show();
        QTRY_VERIFY(!control<QLineEdit>(&d, "txtSoubor")->text().isEmpty());
        QTest::mouseClick(control<QPushButton>(&d, "pbOK"), Qt::LeftButton);
        QCOMPARE(prompter.texts(),
                 (Strings{"Obrázek uvedeného jména již existuje, chcete ho přepsat?"}));
        QCOMPARE(prompter.messages()[0].defaultAnswer, Answer::No);
        QVERIFY(d.tag());
        QCOMPARE(d.tag()->substr(0, 29), std::string("<IMG SRC=\"zeleny caj.jpg\" BOR"));
        QCOMPARE(bytesOf(p.page / "zeleny caj.jpg"),
                 answer == Answer::No ? old : bytesOf(p.photos / "zeleny caj.jpg"));
    }
}

void EditPicTest::aFailedCopyKeepsTheDialogOpenWithoutATag() {
    Pictures p;
    ScriptedPrompter prompter;
    // The page folder cannot be made: a file stands where it would be.
    std::ofstream(p.root / "WWW" / "blok") << "x";
    Pictures::pick(p.photos / "zeleny caj.jpg");
    TfrmEditPic d(TfrmEditPic::Mode::Insert, TfrmEditPic::Caller::SourceEditor, "",
                  p.root / "WWW" / "blok" / "caje");
    d.show();
    QTRY_VERIFY(!control<QLineEdit>(&d, "txtSoubor")->text().isEmpty());
    QTest::mouseClick(control<QPushButton>(&d, "pbOK"), Qt::LeftButton);
    QCOMPARE(prompter.messages().size(), size_t(1));
    QCOMPARE(prompter.messages()[0].kind, MessageKind::Error);
    QVERIFY(prompter.texts()[0].find("nelze zkopírovat do složky") != std::string::npos);
    QVERIFY(d.isVisible());
    QVERIFY(!d.tag());
    // A source that vanished after it was chosen: the same.
    prompter.clear();
    control<QLineEdit>(&d, "txtSoubor")->setText(qs(p.photos / "zmizel.jpg"));
    QTest::mouseClick(control<QPushButton>(&d, "pbOK"), Qt::LeftButton);
    QCOMPARE(prompter.texts().size(), size_t(1));
    QVERIFY(prompter.texts()[0].find("neexistuje") != std::string::npos);
    QVERIFY(!d.tag());
}

void EditPicTest::anUnreadablePictureKeepsTheFields() {
    Pictures p;
    std::ofstream(p.photos / "rozbity.jpg") << "není to obrázek";
    ScriptedPrompter prompter;
    TfrmEditPic d(TfrmEditPic::Mode::Edit, TfrmEditPic::Caller::SourceEditor,
                  "<IMG SRC=\"caj.gif\" WIDTH=\"5\" ALT=\"čaj\">", p.page);
    d.show();
    Pictures::pick(p.photos / "rozbity.jpg");
    QTest::mouseClick(control<QWidget>(&d, "sbVyhledat"), Qt::LeftButton);
    QCOMPARE(prompter.texts(),
             (Strings{"Obrázek „rozbity.jpg“ nelze načíst: není to obrázek GIF, JPEG ani PNG."}));
    QCOMPARE(control<QLineEdit>(&d, "txtSoubor")->text(), u("caj.gif"));
    QCOMPARE(control<QSpinBox>(&d, "txtSirka")->value(), 5);
    QCOMPARE(control<QLineEdit>(&d, "txtAlt")->text(), u("čaj"));
}

QTEST_MAIN(EditPicTest)
#include "editpic_dialog_test.moc"
