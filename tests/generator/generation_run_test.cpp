// A generator run: scopes, renumbering first, pages that cannot be written, the stop request,
// what it writes back to ArkonaTree.ini, the preview, tables held by another process.
#include "base/paths.h"
#include "base/profile.h"
#include "generator_fixture.h"
#include "site/site_structure.h"
#include "support/other_process.h"

#include <fstream>
#include <set>
#include <sstream>
#include <sys/stat.h>

namespace arkona::generator::test {
namespace {

namespace fs = std::filesystem;

// Top level: 1_ (frame set), 2_ with 3_ (folder /a) below it, 4_ with 5_ (/b) and 6_ (/b/c)
// below, and a link page 7_ under 2_ that shows 6_.
class Run : public GeneratorFixture {
protected:
    void SetUp() override {
        setProject("[Projekt]\r\nName=Běh\r\n[Generate]\r\nLastDate=\r\nGenAkt=True\r\n");
        addPages({page("1_", 1, "0_", "hlavni", "", "Hlavní"),
                  page("2_", 2, "0_", "dva", "", "Dva"), page("3_", 3, "2_", "tri", "/a", "Tři"),
                  page("7_", 4, "2_", "sest", "", "Odkaz", {{"LINK", true}}),
                  page("4_", 5, "0_", "ctyri", "", "Čtyři"),
                  page("5_", 6, "4_", "pet", "/b", "Pět"),
                  page("6_", 7, "5_", "sest", "/b/c", "Šest")});
        addSection("1_", 1, 1, "h");
        loadTree();
    }

    std::vector<std::string> idsOf(GenerationScope scope, const std::string& selected) {
        std::vector<std::string> ids;
        const auto& tree = structure.tree();
        for (const auto* node : pagesInScope(tree, scope, tree.find(selected))) {
            ids.push_back(node->id);
        }
        return ids;
    }

    std::set<std::string> pagesOnDisk() const {
        std::set<std::string> files;
        if (!fs::exists(site)) {
            return files;
        }
        for (const auto& e : fs::recursive_directory_iterator(site)) {
            if (e.is_regular_file()) {
                files.insert(e.path().lexically_relative(site).generic_string());
            }
        }
        return files;
    }

    std::string ini(const char* key) const {
        return ProfileFile::read(project / "ArkonaTree.ini", "Generate", key, "(chybí)");
    }
};

TEST_F(Run, ScopesSelectPagesInTreeOrderWithoutLinkPages) {
    using S = GenerationScope;
    EXPECT_EQ(idsOf(S::All, ""), (std::vector<std::string>{"1_", "2_", "3_", "4_", "5_", "6_"}));
    EXPECT_EQ(idsOf(S::Section, "6_"), (std::vector<std::string>{"4_", "5_", "6_"}));
    EXPECT_EQ(idsOf(S::Section, "2_"), (std::vector<std::string>{"2_", "3_"}));
    EXPECT_EQ(idsOf(S::Branch, "5_"), (std::vector<std::string>{"5_", "6_"}));
    EXPECT_EQ(idsOf(S::Page, "5_"), (std::vector<std::string>{"5_"}));
    // A selected link page: its place for the section, its target for the branch, never itself.
    EXPECT_EQ(idsOf(S::Section, "7_"), (std::vector<std::string>{"2_", "3_"}));
    EXPECT_EQ(idsOf(S::Branch, "7_"), (std::vector<std::string>{"6_"}));
    EXPECT_TRUE(idsOf(S::Page, "7_").empty());
    EXPECT_EQ(arkona::test::errorOf([&] { idsOf(S::Branch, "99_"); }),
              "Není vybrána žádná stránka.");
}

TEST_F(Run, ALinkPageWritesNoFileOfItsOwn) {
    const RunReport report = generate();
    EXPECT_EQ(report.written, 6);
    // The link page shares "sest" with 6_, but its folder is the root: a page written from
    // its row would appear as WWW/sest.htm.
    EXPECT_EQ(pagesOnDisk(), (std::set<std::string>{"a/tri.htm", "b/c/sest.htm", "b/pet.htm",
                                                    "ctyri.htm", "dva.htm", "hlavni.htm"}));
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(Run, ACompleteRunRecordsItsDateAndTheOptions) {
    GenerationOptions o;
    o.dateLineText = "Stav ke dni:";
    o.time = false;
    o.skipSectionLevel = false;
    EXPECT_TRUE(generate(GenerationScope::All, {}, o).complete());
    EXPECT_EQ(ini("LastDate"), "7.3.2026 08:05:09");
    EXPECT_EQ(ini("GenAkt"), "True");
    EXPECT_EQ(ini("GenPopis"), "Stav ke dni:");
    EXPECT_EQ(ini("GenDatum"), "True");
    EXPECT_EQ(ini("GenTime"), "False");
    EXPECT_EQ(ini("GenOddil"), "False");
    EXPECT_EQ(readGenerationOptions(project / "ArkonaTree.ini"), o);
    EXPECT_EQ(readLastGeneration(project / "ArkonaTree.ini"), "7.3.2026 08:05:09");
}

TEST_F(Run, ARunWithNothingToGenerateIsNoGeneration) {
    // The branch of a link page whose target is gone.
    addPages({page("8_", 8, "2_", "nikde", "", "Odkaz bez cíle", {{"LINK", true}})});
    structure.load({}, treeProgress);
    const RunReport report = generate(GenerationScope::Branch, "8_");
    EXPECT_EQ(report.total, 0);
    EXPECT_EQ(ini("LastDate"), "");
    EXPECT_EQ(ini("GenOddil"), "True");
}

TEST_F(Run, PagesThatCannotBeWrittenAreCountedAndTheRunGoesOn) {
    // A file where the folder /b should be: its two pages cannot be written.
    fs::create_directories(site);
    arkona::test::writeFile(site / "b", "soubor v cestě");
    const RunReport report = generate();
    EXPECT_EQ(report.total, 6);
    EXPECT_EQ(report.written, 4);
    ASSERT_EQ(report.failures.size(), 2u);
    EXPECT_EQ(report.failures[0].pageId, "5_");
    EXPECT_EQ(report.failures[1].pageId, "6_");
    EXPECT_FALSE(report.complete());
    // The pages after them were written all the same.
    EXPECT_EQ(pagesOnDisk(),
              (std::set<std::string>{"a/tri.htm", "b", "ctyri.htm", "dva.htm", "hlavni.htm"}));
    // Nothing asked the user page by page; the caller reports them together.
    EXPECT_TRUE(prompter.messages.empty());
    const std::string b = paths::forDisplay(site / "b");
    const std::string c = paths::forDisplay(site / "b" / "c");
    EXPECT_EQ(failureReport(report), "Některé stránky se nepodařilo vytvořit (2 z 6):\rSložku " +
                                         b + " nelze vytvořit: Not a directory\rSložku " + c +
                                         " nelze vytvořit: Not a directory");
    // Not a successful generation; the options are kept all the same.
    EXPECT_EQ(ini("LastDate"), "");
    EXPECT_EQ(ini("GenOddil"), "True");
}

TEST_F(Run, AReadOnlyPageStaysAsItWas) {
    fs::create_directories(site);
    arkona::test::writeFile(site / "dva.htm", "stará stránka");
    fs::permissions(site / "dva.htm", fs::perms::owner_read | fs::perms::group_read);
    const RunReport report = generate();
    ASSERT_EQ(report.failures.size(), 1u);
    EXPECT_EQ(report.failures[0].reason,
              "Soubor " + paths::forDisplay(site / "dva.htm") + " nelze zapsat: Permission denied");
    EXPECT_EQ(written("dva.htm"), "stará stránka");
    // No temporary file is left behind.
    for (const auto& file : pagesOnDisk()) {
        EXPECT_FALSE(file.find(".tmp") != std::string::npos) << file;
    }
}

TEST_F(Run, APageWhoseRowPointsOutsideTheSiteIsNotWritten) {
    addPages({page("8_", 8, "0_", "ven", "/../..", "Ven"),
              page("9_", 9, "0_", "../ven", "", "Ven 2"),
              page("10_", 10, "0_", "x", "/a/./b", "Tečka")});
    structure.load({}, treeProgress);
    const RunReport report = generate();
    EXPECT_EQ(report.written, 6);
    ASSERT_EQ(report.failures.size(), 3u);
    EXPECT_EQ(report.failures[0].reason,
              "Soubor stránky 8_ („\\..\\..\\ven.htm“) by ležel mimo složku webu.");
    EXPECT_EQ(report.failures[1].reason,
              "Soubor stránky 9_ („\\../ven.htm“) by ležel mimo složku webu.");
    EXPECT_FALSE(fs::exists(project.parent_path() / "ven.htm"));
    EXPECT_FALSE(fs::exists(dir.path().parent_path() / "ven.htm"));
}

TEST_F(Run, AnOpenReaderOfAPageKeepsWhatItOpened) {
    generate(GenerationScope::Page, "2_");
    const std::string first = written("dva.htm");
    std::ifstream reader(site / "dva.htm", std::ios::binary);
    addSection("2_", 1, 1, "t", "<P>nový text</P>");
    generate(GenerationScope::Page, "2_");
    // The page was replaced whole: the old handle still reads the old page to its end.
    std::ostringstream old;
    old << reader.rdbuf();
    EXPECT_EQ(old.str(), first);
    EXPECT_NE(text::toUtf8(written("dva.htm")).find("<P>nový text</P>\r\n"), std::string::npos);
}

TEST_F(Run, TheStopRequestIsTestedBetweenPages) {
    SiteGeneration run(structure, context, prompter);
    run.setClock(fixedMoment);
    int pages = 0;
    display.onIdle = [&] {
        if (++pages == 3) {
            run.requestStop();
        }
    };
    const RunReport report =
        run.run(GenerationScope::All, {}, GenerationOptions{}, display, treeProgress);
    EXPECT_TRUE(report.stopped);
    EXPECT_EQ(report.written, 2);
    EXPECT_EQ(pagesOnDisk(), (std::set<std::string>{"dva.htm", "hlavni.htm"}));
    EXPECT_EQ(ini("LastDate"), "");
    EXPECT_FALSE(run.running());
}

TEST_F(Run, AChangedTreeIsRenumberedBeforeTheRun) {
    // 6_ moved under 2_: its PORADI no longer matches its place in the tree.
    structure.move("6_", "3_", site::MoveKind::After);
    ASSERT_TRUE(structure.changed());
    generate(GenerationScope::Page, "3_");
    EXPECT_FALSE(structure.changed());
    EXPECT_TRUE(structure.tree().numbered());
    ASSERT_FALSE(treeProgress.events.empty());
    EXPECT_EQ(treeProgress.events[0],
              "start: Optimalizace stromové struktury WWW | " +
                  site::optimisationText(site::OptimiseKind::BeforeGeneration) +
                  " | bars first 7/100 | none");
    // The navigation of 3_ lists 6_ after it at its level.
    const std::string page = text::toUtf8(written("a/tri.htm"));
    ASSERT_NE(page.find(">Tři</B></FONT><BR>"), std::string::npos);
    EXPECT_LT(page.find(">Tři</B></FONT><BR>"), page.find(">Šest</B></FONT></A><BR>"));
}

TEST_F(Run, ATableHeldByAnotherProgramStopsTheRunWithItsMessage) {
    std::string error;
    arkona::test::whileAnotherProcessHolds(
        [&] {
            return std::make_shared<dbf::Table>(
                dbf::Table::open(table(storage::kHtml), dbf::OpenMode::Exclusive));
        },
        [&] { error = arkona::test::errorOf([&] { generate(); }); });
    EXPECT_EQ(error, "Tabulku „" + table(storage::kHtml).string() +
                         "“ nelze otevřít: soubor je otevřen ve výhradním režimu jiným programem.");
    EXPECT_TRUE(pagesOnDisk().empty());
    EXPECT_EQ(ini("LastDate"), "");
}

TEST_F(Run, TheTablesMayBeOpenElsewhereForReadingAndWriting) {
    arkona::test::whileAnotherProcessHolds(
        [&] {
            return std::make_shared<dbf::Table>(
                dbf::Table::open(table(storage::kStruktur), dbf::OpenMode::Shared));
        },
        [&] { EXPECT_EQ(generate().written, 6); });
}

TEST_F(Run, ThePreviewWritesTheMainPageAndThePageIntoTemporaryFiles) {
    SiteGeneration run(structure, context, prompter);
    run.setClock(fixedMoment);
    const auto files = run.preview("6_", GenerationOptions{}, display);
    EXPECT_TRUE(files.written);
    EXPECT_EQ(files.mainFile, site / "tmpHlavni.htm");
    EXPECT_EQ(files.pageFile, site / "b" / "c" / "tempFile.htm");
    EXPECT_EQ(pagesOnDisk(), (std::set<std::string>{"b/c/tempFile.htm", "tmpHlavni.htm"}));
    // The preview page is the page itself; no state line, no step captions.
    const std::string page = text::toUtf8(written("b/c/tempFile.htm"));
    EXPECT_NE(page.find("?./b/c/sest.htm\";}"), std::string::npos);
    EXPECT_EQ(display.events, std::vector<std::string>(10, "step|"));
    EXPECT_EQ(ini("LastDate"), "");
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(Run, APreviewWithoutAMainSectionWarns) {
    arkona::test::makeTable(table(storage::kHtml), storage::tableSchema(storage::kHtml).fields());
    SiteGeneration run(structure, context, prompter);
    EXPECT_FALSE(run.preview("2_", GenerationOptions{}, display).written);
    EXPECT_EQ(prompter.messages,
              (std::vector<std::string>{"warning: Nebyla nalezena hlavní sekce, náhled nemohl být "
                                        "vytvořen!"}));
    EXPECT_TRUE(pagesOnDisk().empty());
}

TEST_F(Run, APreviewThatCannotBeWrittenSaysSo) {
    fs::create_directories(site / "b" / "c" / "tempFile.htm"); // a folder in the way
    SiteGeneration run(structure, context, prompter);
    EXPECT_FALSE(run.preview("6_", GenerationOptions{}, display).written);
    EXPECT_EQ(prompter.messages,
              (std::vector<std::string>{"warning: Náhled se nepodařilo korektně vytvořit!"}));
}

} // namespace
} // namespace arkona::generator::test
