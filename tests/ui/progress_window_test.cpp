#include "app/editor_search.h"
#include "app/progress_animation.h"
#include "app/progress_window.h"
#include "support/ui_driver.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>

using namespace arkona;
using namespace arkona::uitest;
using app::TfrmTherm;

namespace {

ProgressSetup copySetup(bool button) {
    ProgressSetup s;
    s.title = "Kontrola datových souborů";
    s.message = "\rČekejte prosím, probíhá kontrola datových souborů.";
    s.cancelButton = button;
    s.maximum1 = 10;
    return s;
}

void makeExecutable(const std::filesystem::path& file) {
    std::filesystem::create_directories(file.parent_path());
    { std::ofstream(file) << "#!/bin/sh\n"; }
    std::filesystem::permissions(file, std::filesystem::perms::owner_all);
}

// Asks to stop after a given number of polls.
class CancelAfter : public NoProgress {
public:
    explicit CancelAfter(int polls) : polls_(polls) {}
    bool cancelRequested() override { return --polls_ < 0; }
    std::vector<std::string> messages;
    void setMessage(const std::string& t) override { messages.push_back(t); }

private:
    int polls_;
};

} // namespace

class ProgressWindowTest : public QObject {
    Q_OBJECT
private slots:
    void showsWhatTheCallerChose();
    void stornoOnlySetsTheFlag();
    void escapeSetsTheFlagOnlyWithTheButton();
    void barsAndAnimationCanBeHidden();
    void editorSearchAsksForEachFoundEditor();
    void editorSearchStopsWhenCancelled();
};

void ProgressWindowTest::showsWhatTheCallerChose() {
    TfrmTherm w;
    w.start(copySetup(true));
    QVERIFY(w.isVisible());
    QCOMPARE(w.windowTitle(), QStringLiteral("Kontrola datových souborů"));
    // The leading line break stays: the text starts on the second line.
    QCOMPARE(control<QLabel>(&w, "lblZprava")->text(),
             QStringLiteral("\nČekejte prosím, probíhá kontrola datových souborů."));
    auto* bar1 = control<QProgressBar>(&w, "prbPrubeh1");
    auto* bar2 = control<QProgressBar>(&w, "prbPrubeh2");
    QCOMPARE(bar1->maximum(), 10);
    QCOMPARE(bar2->maximum(), 100);
    QVERIFY(bar1->isVisible());
    QVERIFY(bar2->isVisible());
    QVERIFY(control<QPushButton>(&w, "pbStorno")->isVisible());
    QCOMPARE(control<QPushButton>(&w, "pbStorno")->text(), QStringLiteral("Storno"));
    w.setMessage(
        "Čekejte prosím, probíhá kontrola datových souborů.\rKontroluji soubor STRUKTUR.DBF.");
    w.step(1);
    w.step(1);
    w.setPosition(2, 40);
    QCOMPARE(bar1->value(), 2);
    QCOMPARE(bar2->value(), 40);
    QCOMPARE(
        control<QLabel>(&w, "lblZprava")->text(),
        QStringLiteral(
            "Čekejte prosím, probíhá kontrola datových souborů.\nKontroluji soubor STRUKTUR.DBF."));
    for (int i = 0; i < 20; ++i) {
        w.step(1);
    }
    QCOMPARE(bar1->value(), 10); // never past its maximum
    auto* animation = control<app::ProgressAnimation>(&w, "aniProgress");
    QVERIFY(animation->isVisible());
    QTRY_VERIFY(animation->frame() > 3);
    const int wide = w.width();
    saveScreenshot(&w, QStringLiteral("progress_window"));
    w.finish();
    QVERIFY(!w.isVisible());

    // Without the button the window is narrower.
    w.start(copySetup(false));
    QVERIFY(!control<QPushButton>(&w, "pbStorno")->isVisible());
    QVERIFY(w.width() < wide);
    saveScreenshot(&w, QStringLiteral("progress_window_without_button"));
    w.finish();
}

void ProgressWindowTest::stornoOnlySetsTheFlag() {
    TfrmTherm w;
    w.start(copySetup(true));
    QVERIFY(!w.cancelRequested());
    QTest::mouseClick(control<QPushButton>(&w, "pbStorno"), Qt::LeftButton);
    QVERIFY(w.cancelRequested());
    QVERIFY(w.isVisible()); // the caller decides what happens
    w.resetCancel();
    QVERIFY(!w.cancelRequested());
    // A new start forgets an old request.
    QTest::mouseClick(control<QPushButton>(&w, "pbStorno"), Qt::LeftButton);
    w.start(copySetup(true));
    QVERIFY(!w.cancelRequested());
    w.finish();
}

void ProgressWindowTest::escapeSetsTheFlagOnlyWithTheButton() {
    TfrmTherm w;
    w.start(copySetup(true));
    QTest::keyClick(&w, Qt::Key_Escape);
    QVERIFY(w.cancelRequested());
    QVERIFY(w.isVisible());
    w.close();
    QVERIFY(w.isVisible());
    w.finish();

    w.start(copySetup(false));
    QTest::keyClick(&w, Qt::Key_Escape);
    QVERIFY(!w.cancelRequested());
    QVERIFY(w.isVisible());
    w.finish();
}

void ProgressWindowTest::barsAndAnimationCanBeHidden() {
    TfrmTherm w;
    ProgressSetup s = copySetup(true);
    s.bars = ProgressBars::First;
    w.start(s);
    QVERIFY(control<QProgressBar>(&w, "prbPrubeh1")->isVisible());
    QVERIFY(!control<QProgressBar>(&w, "prbPrubeh2")->isVisible());
    s.bars = ProgressBars::None;
    w.start(s);
    QVERIFY(!control<QProgressBar>(&w, "prbPrubeh1")->isVisible());
    QVERIFY(!control<QProgressBar>(&w, "prbPrubeh2")->isVisible());
    QVERIFY(control<app::ProgressAnimation>(&w, "aniProgress")->isVisible());
    s.animation = arkona::ProgressAnimation::None;
    w.start(s);
    QVERIFY(!control<app::ProgressAnimation>(&w, "aniProgress")->isVisible());
    s.animation = arkona::ProgressAnimation::Search;
    s.bars = ProgressBars::First;
    w.start(s);
    QCOMPARE(control<app::ProgressAnimation>(&w, "aniProgress")->kind(),
             arkona::ProgressAnimation::Search);
    saveScreenshot(&w, QStringLiteral("progress_window_search"));
    w.finish();
}

void ProgressWindowTest::editorSearchAsksForEachFoundEditor() {
    QTemporaryDir dir;
    const std::filesystem::path root = dir.path().toStdString();
    makeExecutable(root / "a" / "bluefish");
    makeExecutable(root / "b" / "seamonkey");
    makeExecutable(root / "b" / "gedit");
    { std::ofstream(root / "a" / "kate") << "not executable"; }
    const std::string path = (root / "a").string() + ":" + (root / "missing").string() + ":" +
                             (root / "b").string() + ":" + (root / "a").string();
    ScriptedPrompter prompter;
    prompter.answers({Answer::No, Answer::No, Answer::Yes});
    TfrmTherm progress;
    const auto found = app::searchHtmlEditors(path, progress, app::Messages::prompter());
    QVERIFY(found);
    QCOMPARE(found->program, root / "b" / "gedit");
    QCOMPARE(found->parameter, std::string("--wait"));
    const std::vector<std::string> expected = {
        "Byl nalezen editor BLUEFISH.\rChcete ho použít jako externí editor HTML?\r(" +
            (root / "a" / "bluefish").string() + ")",
        "Byl nalezen prohlížeč SEAMONKEY.\rChcete ho použít jako externí editor HTML?\r(" +
            (root / "b" / "seamonkey").string() + ")",
        "Byl nalezen editor GEDIT.\rChcete ho použít jako externí editor HTML?\r(" +
            (root / "b" / "gedit").string() + ")",
    };
    QCOMPARE(prompter.texts(), expected);
    QCOMPARE(prompter.messages()[0].buttons, Buttons::YesNo);
    QCOMPARE(progress.windowTitle(), QStringLiteral("Prohledávání pevných disků"));
    QVERIFY(!progress.isVisible());

    // All answered No: nothing is chosen, the folder named twice is asked about once.
    prompter.clear();
    prompter.answers({Answer::No, Answer::No, Answer::No});
    QVERIFY(!app::searchHtmlEditors(path, progress, app::Messages::prompter()));
    QCOMPARE(prompter.messages().size(), std::size_t(3));
    QCOMPARE(prompter.unexpected(), 0);
}

void ProgressWindowTest::editorSearchStopsWhenCancelled() {
    QTemporaryDir dir;
    const std::filesystem::path root = dir.path().toStdString();
    makeExecutable(root / "b" / "gedit");
    ScriptedPrompter prompter;
    CancelAfter progress(1);
    const std::string path = (root / "a").string() + ":" + (root / "b").string();
    std::filesystem::create_directories(root / "a");
    QVERIFY(!app::searchHtmlEditors(path, progress, prompter));
    QCOMPARE(prompter.messages().size(), std::size_t(0));
    QCOMPARE(progress.messages, std::vector<std::string>{"Čekejte prosím, prohledávám složku:\r" +
                                                         (root / "a").string()});
}

QTEST_MAIN(ProgressWindowTest)
#include "progress_window_test.moc"
