#include "app/environment_dialog.h"
#include "app/folder_chooser.h"
#include "support/ui_driver.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>

using namespace arkona;
using namespace arkona::uitest;
using app::TConfig1;
using storage::UserSettings;

namespace {

struct Fixture {
    QTemporaryDir dir;
    std::filesystem::path root{dir.path().toStdString()};
    std::filesystem::path settingsFile{root / "settings.ini"};
    UserSettings settings{settingsFile};
};

// Types into a field and leaves it with Tab, as a user moving to the next field.
void typeAndLeave(QWidget* dialog, const char* field, const std::string& text) {
    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    auto* edit = control<QLineEdit>(dialog, field);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, QString::fromStdString(text));
    QVERIFY(edit->hasFocus());
    QTest::keyClick(edit, Qt::Key_Tab);
    QVERIFY(!edit->hasFocus());
}

} // namespace

class EnvironmentDialogTest : public QObject {
    Q_OBJECT
private slots:
    void fieldsComeFromTheSettings();
    void missingEditorIsRefused();
    void missingSamplesFolderIsRefused();
    void okWritesTheSettings();
    void searchFillsTheEditor();
    void folderChooserStartsAtTheDeepestExistingFolder();
    void folderChooserOffersToCreateAMissingFolder();
};

void EnvironmentDialogTest::fieldsComeFromTheSettings() {
    Fixture f;
    f.settings.write(UserSettings::kEditor, "ExtEditorHTML", "/usr/bin/bluefish");
    f.settings.write(UserSettings::kEditor, "Parametr", "-n");
    f.settings.write(UserSettings::kRoot, "Vzory", "/opt/vzory");
    TConfig1 d(f.settings);
    d.show();
    QCOMPARE(d.windowTitle(), QStringLiteral("Nastavení prostředí aplikace"));
    QCOMPARE(control<QLineEdit>(&d, "txtEditor")->text(), QStringLiteral("/usr/bin/bluefish"));
    QCOMPARE(control<QLineEdit>(&d, "txtParametr")->text(), QStringLiteral("-n"));
    QCOMPARE(control<QLineEdit>(&d, "txtVzory")->text(), QStringLiteral("/opt/vzory"));
    QCOMPARE(control<QPushButton>(&d, "pbProhledat")->text(), QStringLiteral("Prohledat"));
    saveScreenshot(&d, QStringLiteral("environment_dialog"));
}

void EnvironmentDialogTest::missingEditorIsRefused() {
    Fixture f;
    ScriptedPrompter prompter;
    TConfig1 d(f.settings);
    d.show();
    typeAndLeave(&d, "txtEditor", (f.root / "nic").string());
    QCOMPARE(prompter.texts(),
             std::vector<std::string>{"Soubor externího editoru \"" + (f.root / "nic").string() +
                                      "\" neexistuje!"});
    QCOMPARE(prompter.messages()[0].kind, MessageKind::Warning);
    QVERIFY(!control<QPushButton>(&d, "pbOK")->isEnabled());
    const auto editor = f.root / "editor";
    { std::ofstream(editor) << "x"; }
    typeAndLeave(&d, "txtEditor", editor.string());
    QVERIFY(control<QPushButton>(&d, "pbOK")->isEnabled());
    QCOMPARE(prompter.messages().size(), std::size_t(1));
}

void EnvironmentDialogTest::missingSamplesFolderIsRefused() {
    Fixture f;
    ScriptedPrompter prompter;
    TConfig1 d(f.settings);
    d.show();
    typeAndLeave(&d, "txtVzory", (f.root / "Vzory").string());
    QCOMPARE(prompter.texts(),
             std::vector<std::string>{"Složka pro vzory projektů \"" + (f.root / "Vzory").string() +
                                      "\" neexistuje!"});
    QVERIFY(!control<QPushButton>(&d, "pbOK")->isEnabled());
    std::filesystem::create_directories(f.root / "Vzory");
    typeAndLeave(&d, "txtVzory", (f.root / "Vzory").string());
    QVERIFY(control<QPushButton>(&d, "pbOK")->isEnabled());
}

void EnvironmentDialogTest::okWritesTheSettings() {
    Fixture f;
    ScriptedPrompter prompter;
    const auto editor = f.root / "kompozer";
    { std::ofstream(editor) << "x"; }
    std::filesystem::create_directories(f.root / "Vzory");
    TConfig1 d(f.settings);
    d.show();
    typeAndLeave(&d, "txtEditor", editor.string());
    typeAndLeave(&d, "txtParametr", "--edit");
    typeAndLeave(&d, "txtVzory", (f.root / "Vzory").string());
    QTest::mouseClick(control<QPushButton>(&d, "pbOK"), Qt::LeftButton);
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QCOMPARE(profileValue(f.settingsFile, UserSettings::kEditor, "ExtEditorHTML"), editor.string());
    QCOMPARE(profileValue(f.settingsFile, UserSettings::kEditor, "Parametr"),
             std::string("--edit"));
    QCOMPARE(profileValue(f.settingsFile, UserSettings::kRoot, "Vzory"),
             (f.root / "Vzory").string());
    QCOMPARE(d.externalEditor().program, editor.string());
    QCOMPARE(d.externalEditor().parameter, std::string("--edit"));
    QCOMPARE(prompter.messages().size(), std::size_t(0));

    // Storno writes nothing.
    TConfig1 again(f.settings);
    again.show();
    typeAndLeave(&again, "txtParametr", "jiny");
    QTest::mouseClick(control<QPushButton>(&again, "pbStorno"), Qt::LeftButton);
    QCOMPARE(profileValue(f.settingsFile, UserSettings::kEditor, "Parametr"),
             std::string("--edit"));
}

void EnvironmentDialogTest::searchFillsTheEditor() {
    Fixture f;
    ScriptedPrompter prompter;
    const auto kate = f.root / "bin" / "kate";
    std::filesystem::create_directories(kate.parent_path());
    { std::ofstream(kate) << "#!/bin/sh\n"; }
    std::filesystem::permissions(kate, std::filesystem::perms::owner_all);
    TConfig1 d(f.settings);
    d.setSearchPath((f.root / "bin").string());
    d.show();
    prompter.answer(Answer::Yes);
    QTest::mouseClick(control<QPushButton>(&d, "pbProhledat"), Qt::LeftButton);
    QCOMPARE(control<QLineEdit>(&d, "txtEditor")->text(), QString::fromStdString(kate.string()));
    QCOMPARE(control<QLineEdit>(&d, "txtParametr")->text(), QStringLiteral("-b"));
    QCOMPARE(prompter.texts(),
             std::vector<std::string>{"Byl nalezen editor KATE.\rChcete ho použít jako externí "
                                      "editor HTML?\r(" +
                                      kate.string() + ")"});
    QVERIFY(control<QPushButton>(&d, "pbOK")->isEnabled());
}

void EnvironmentDialogTest::folderChooserStartsAtTheDeepestExistingFolder() {
    Fixture f;
    std::filesystem::create_directories(f.root / "a" / "b");
    QCOMPARE(app::deepestExistingFolder(f.root / "a" / "b" / "c" / "d"), f.root / "a" / "b");
    QCOMPARE(app::deepestExistingFolder(f.root / "a"), f.root / "a");
    app::TfrmBrowseFldr chooser;
    chooser.setCaption(QStringLiteral("Vyberte složku pro vzory projektů"));
    chooser.setFolder(f.root / "a" / "b" / "c");
    chooser.show();
    QCOMPARE(control<QLineEdit>(&chooser, "txtCesta")->text(),
             QString::fromStdString((f.root / "a" / "b").string()));
    QCOMPARE(control<QLabel>(&chooser, "lblNadpis")->text(),
             QStringLiteral("Vyberte složku pro vzory projektů"));
    saveScreenshot(&chooser, QStringLiteral("folder_chooser"));
}

void EnvironmentDialogTest::folderChooserOffersToCreateAMissingFolder() {
    Fixture f;
    ScriptedPrompter prompter;
    const auto missing = f.root / "nove" / "vzory";
    app::TfrmBrowseFldr chooser;
    chooser.setFolder(f.root);
    chooser.show();
    control<QLineEdit>(&chooser, "txtCesta")->setText(QString::fromStdString(missing.string()));
    prompter.answer(Answer::No);
    QTest::mouseClick(control<QPushButton>(&chooser, "pbOK"), Qt::LeftButton);
    QVERIFY(chooser.isVisible());
    QVERIFY(!std::filesystem::exists(missing));
    QCOMPARE(prompter.messages().size(), std::size_t(1));
    const auto& m = prompter.messages()[0];
    QCOMPARE(m.caption, std::string("Výběr složky"));
    QCOMPARE(m.kind, MessageKind::Question);
    QCOMPARE(m.buttons, Buttons::YesNo);
    QCOMPARE(m.text, "Složka \r\r" + missing.string() + "\r\rneexistuje! Chcete ji vytvořit?");
    prompter.answer(Answer::Yes);
    QTest::mouseClick(control<QPushButton>(&chooser, "pbOK"), Qt::LeftButton);
    QVERIFY(std::filesystem::is_directory(missing));
    QCOMPARE(chooser.result(), int(QDialog::Accepted));
    QCOMPARE(chooser.folder(), missing);
}

QTEST_MAIN(EnvironmentDialogTest)
#include "environment_dialog_test.moc"
