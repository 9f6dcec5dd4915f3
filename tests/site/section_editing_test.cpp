#include "base/codepage.h"
#include "site/page_sections.h"
#include "site/section_editing.h"
#include "storage/schema.h"
#include "support/project_fixture.h"
#include "support/recorders.h"
#include "support/table_builder.h"
#include "support/temp_dir.h"

#include <chrono>
#include <gtest/gtest.h>

namespace arkona::site {
namespace {

using storage::kHtml;
using storage::kStruktur;
using test::TempDir;

TEST(HtmlPageBody, KeepsWhatLiesBetweenHeadAndBodyEndWhateverTheCase) {
    EXPECT_EQ(bodyOfHtmlPage("<HTML><Head><TITLE>x</TITLE></HEAD>\r\n<Body BGCOLOR=\"#FFFFFF\">"
                             "\r\n\r\n<P>Obsah</P>\r\n</bOdY></HTML>"),
              "<P>Obsah</P>\r\n");
    // Letters whose lower case is longer in UTF-8 (Ⱥ is 2 bytes, ⱥ 3) do not move the cut.
    EXPECT_EQ(bodyOfHtmlPage("<html><head><title>ȺȺȺȺ</title></head><body>ȺB</body></html>"), "ȺB");
    EXPECT_EQ(bodyOfHtmlPage("\r\n\r\njen text"), "jen text");
    EXPECT_EQ(bodyOfHtmlPage("<p>bez hlavy</p></BODY>"), "<p>bez hlavy</p>");
}

TEST(EditorResult, CutsBetweenTheMarksWithoutTheirLineBreaks) {
    const std::string doc = "<HTML>\r\n<!-- Konec navigace-->\r\n\r\nCo uživatel napsal\r\n"
                            "<!--__Zacatek paty sekce-->\r\n<BR>\r\n";
    EXPECT_EQ(cutEditorResult(doc), "Co uživatel napsal");
    EXPECT_EQ(cutEditorResult("<!-- Konec navigace-->\nA\nB\n<!--__Zacatek paty sekce-->"), "A\nB");
    EXPECT_EQ(cutEditorResult("bez značek"), std::nullopt);
    EXPECT_EQ(cutEditorResult("<!-- Konec navigace-->jen začátek"), std::nullopt);
    EXPECT_EQ(cutEditorResult("<!-- konec navigace-->A<!--__Zacatek paty sekce-->"),
              std::nullopt); // the mark is found as written
}

class EditorDocument : public ::testing::Test {
protected:
    TempDir dir;
    std::filesystem::path file = dir / "struktur.dbf";
    std::optional<dbf::Table> table;

    const dbf::Record page(const test::Row& values) {
        test::makeTable(file, storage::tableSchema(kStruktur).fields(), {values});
        table.emplace(dbf::Table::open(file, dbf::OpenMode::ReadOnly));
        record = table->read(0);
        return *record;
    }
    std::optional<dbf::Record> record;
};

TEST_F(EditorDocument, WholeDocumentOfATablePageWithItsLook) {
    std::filesystem::create_directories(dir / "WWW" / "_images");
    test::writeFile(dir / "WWW" / "_images" / "pozadi.gif", "GIF89a");
    page({{"HTMLID", "7_"},
          {"DISK", "\\caje\\zelene"},
          {"TXT_COLOR", "112233"},
          {"BGCOLOR", "FFFFEE"},
          {"BACKGROUND", "pozadi.gif"},
          {"MRG_HEIGHT", 0},
          {"MRG_WIDTH", -1},
          {"BOTTOM_BRD", 2},
          {"VLINK_C", "800080"},
          {"TXT_FONT", "<FONT FACE=\"Arial\" SIZE=3 COLOR=\"#000000\"><B>"},
          {"TAB", true},
          {"TAB_WIDTH", "20%"},
          {"TD1_C", "CCCCCC"},
          {"HD", "<H1>Čaje</H1>"},
          {"FT", "<P>Pata</P>"}});
    EditorPage p;
    p.projectName = "Čajovna \"U Draka\"";
    p.siteFolder = dir / "WWW";
    p.page = &*record;
    p.systemVariables = {{"refresh", "30"}};
    p.userVariables = {{"keywords", "čaj, káva"}};
    EXPECT_EQ(buildEditorDocument(p, "<P>Text sekce</P>"),
              "<HTML>\r\n"
              "<HEAD>\r\n"
              "  <TITLE> Čajovna \"U Draka\" </TITLE>\r\n"
              "  <META http-equiv=\"Content-Type\" CONTENT=\"text/html; CHARSET=windows-1250\">\r\n"
              "  <META http-equiv=\"refresh\" CONTENT=\"30\">\r\n"
              "  <META NAME=\"keywords\" CONTENT=\"čaj, káva\">\r\n"
              "</HEAD>\r\n"
              "<BODY TEXT=\"#112233\" BGCOLOR=\"#FFFFEE\" BACKGROUND=\"../../_images/pozadi.gif\""
              " MARGINHEIGHT=\"0\" BOTTOMBORDER=\"2\" VLINK=\"#800080\">\r\n"
              "<BASEFONT FACE=\"Arial\" SIZE=3 COLOR=\"#000000\"><B>\r\n"
              "<TABLE WIDTH=\"100%\" CELLPADING=0 CELLSPACING=0 BORDER=0>\r\n"
              "<TR><TD WIDTH=\"20%\" BGCOLOR=\"#CCCCCC\" VALIGN=\"TOP\">\r\n"
              "</TD><TD WIDTH=\"3%\" VALIGN=\"TOP\"></TD><TD VALIGN=\"TOP\">\r\n"
              "<H1>Čaje</H1>\r\n"
              "<!-- Konec navigace-->\r\n"
              "<P>Text sekce</P>\r\n"
              "<!--__Zacatek paty sekce-->\r\n"
              "</TD></TR></TABLE>\r\n"
              "<BR>\r\n"
              "<P>Pata</P>\r\n");
}

TEST_F(EditorDocument, APageWithoutFontTableOrPictureAndTheRoundTrip) {
    page({{"HTMLID", "2_"}, {"BACKGROUND", "chybi.gif"}, {"TXT_FONT", "<FON"}});
    EditorPage p;
    p.siteFolder = dir / "WWW";
    p.page = &*record;
    const std::string html = "<P>A</P>\r\n\r\n<P>B</P>";
    const std::string doc = buildEditorDocument(p, html);
    EXPECT_NE(doc.find("\r\n<BODY TEXT=\"#000000\">\r\n<!-- Konec navigace-->"),
              std::string::npos)
        << doc; // no BASEFONT line, no BACKGROUND of a missing picture
    EXPECT_EQ(doc.find("BASEFONT"), std::string::npos);
    EXPECT_EQ(cutEditorResult(doc), html); // nothing added by a round trip
}

TEST(ImportPictures, CopiesPicturesFromElsewhereAndNamesThemBare) {
    TempDir dir;
    const auto page = dir / "WWW" / "caje";
    std::filesystem::create_directories(page);
    std::filesystem::create_directories(dir / "WWW" / "_images");
    std::filesystem::create_directories(dir / "fotky");
    test::writeFile(dir / "fotky" / "čaj 1.jpg", "JPEG1");
    test::writeFile(dir / "WWW" / "_images" / "logo.gif", "GIF");
    test::writeFile(page / "mistni.gif", "LOCAL");
    test::ScriptedPrompter prompter;
    const std::string absolute = (dir / "fotky" / "čaj 1.jpg").string();
    const std::string text = "<IMG SRC=\"file://" + absolute +
                             "\"> <img src=\"../_images/logo.gif\">"
                             " <IMG SRC=\"mistni.gif\"> <IMG SRC=\"" +
                             (dir / "nikde.png").string() + "\"> <IMG SRC=\"bez konce";
    EXPECT_EQ(importPictures(text, page, prompter),
              "<IMG SRC=\"čaj 1.jpg\"> <img src=\"logo.gif\"> <IMG SRC=\"mistni.gif\">"
              " <IMG SRC=\"nikde.png\"> <IMG SRC=\"bez konce");
    EXPECT_EQ(test::readFile(page / "čaj 1.jpg"), "JPEG1");
    EXPECT_EQ(test::readFile(page / "logo.gif"), "GIF");
    EXPECT_EQ(test::readFile(page / "mistni.gif"), "LOCAL");
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0], "warning: Obrázek\r" + (dir / "nikde.png").string() +
                                        "\r se nepodařilo zkopírovat do \r\"" +
                                        (page / "nikde.png").string());
}

// The whole road through a stand-in editor program that the test writes.
class ExternalEdit : public ::testing::Test {
protected:
    TempDir dir;
    std::filesystem::path project = test::makeEmptyProject(dir.path());
    storage::ProjectContext context;
    storage::TData2 data;
    PageSections sections{data, context};
    test::ScriptedPrompter prompter;

    void SetUp() override {
        test::appendRows(project / "_dbf" / kStruktur,
                         {{{"HTMLID", "5_"}, {"PARENT", "0_"}, {"DISK", "\\kontakt"}}});
        test::appendRows(project / "_dbf" / storage::kPromUsr,
                         {{{"HTMLID", "5_"}, {"NAZEV", "author"}, {"HODNOTA", "Já"}}});
        context.setProjectFolder(project);
        storage::readArkonaTree(context);
        data.SetProjectPath(project);
        data.STRUKTUR_SetHtmlID("5_");
        sections.add('t', "Kontakt");
        sections.setHtml("<P>Původní</P>");
    }

    // Runs the script on the file as the window would, and says whether it came back at once.
    bool run(const std::string& script, const std::filesystem::path& file) {
        const auto program = dir / "editor.sh";
        test::writeFile(program, "#!/bin/sh\n" + script);
        std::filesystem::permissions(program, std::filesystem::perms::owner_all);
        const auto start = std::chrono::steady_clock::now();
        test::runCommand(test::shellQuote(program.string()) + " " +
                         test::shellQuote(file.string()));
        return std::chrono::steady_clock::now() - start < std::chrono::seconds(2);
    }

    std::string storedHtml() {
        data.CloseQuery();
        const auto html = dbf::Table::open(project / "_dbf" / kHtml, dbf::OpenMode::ReadOnly);
        data.STRUKTUR_SetHtmlID("5_");
        return html.read(0).memo("HTML");
    }
};

TEST_F(ExternalEdit, AnEditorThatEditsAndExits) {
    ExternalSectionEdit edit(data, context);
    edit.prepare();
    EXPECT_EQ(edit.file(), project / "WWW" / "kontakt" / "temp.htm");
    const std::string written = test::readFile(edit.file());
    EXPECT_NE(written.find("<META NAME=\"author\" CONTENT=\"J\xE1\">"), std::string::npos);
    // An editor that writes UTF-8 with LF line ends, as many on Linux do.
    run("sleep 2; iconv -f WINDOWS-1250 -t UTF-8 \"$1\" | "
        "sed 's|<P>Původní</P>|<P>Nový\\nřádek</P>|; s/\\r$//' > \"$1.new\"; "
        "mv \"$1.new\" \"$1\"\n",
        edit.file());
    data.previewCacheKey = "5_";
    EXPECT_TRUE(edit.finish(prompter, false));
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(data.previewCacheKey, "");
    EXPECT_EQ(storedHtml(), "<P>Nový\r\nřádek</P>");
    EXPECT_FALSE(std::filesystem::exists(edit.file()));
}

TEST_F(ExternalEdit, AnEditorThatReturnsAtOnceMakesTheProgramAsk) {
    ExternalSectionEdit edit(data, context);
    edit.prepare();
    ASSERT_TRUE(run("exit 0\n", edit.file()));
    prompter.answers = {Answer::Cancel};
    EXPECT_FALSE(edit.finish(prompter, true));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].rfind("question: Editor se ukončil hned po spuštění", 0), 0u);
    EXPECT_EQ(storedHtml(), "<P>Původní</P>");
    EXPECT_FALSE(std::filesystem::exists(edit.file()));

    // This time the user edits in the running editor and confirms when done.
    ExternalSectionEdit again(data, context);
    again.prepare();
    run("exit 0\n", again.file());
    std::string doc = test::readFile(again.file());
    doc.replace(doc.find("P\xF9vodn\xED"), 7, "Upraveno");
    test::writeFile(again.file(), doc);
    prompter.messages.clear();
    EXPECT_TRUE(again.finish(prompter, true)); // changed meanwhile: no question
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(storedHtml(), "<P>Upraveno</P>");
}

TEST_F(ExternalEdit, AResultWithoutTheMarksLeavesTheSectionAlone) {
    ExternalSectionEdit edit(data, context);
    edit.prepare();
    run("echo '<P>jen tohle</P>' > \"$1\"\n", edit.file());
    EXPECT_FALSE(edit.finish(prompter, false));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0],
              "warning: Text vrácený editorem neobsahuje značky <!-- Konec navigace--> a "
              "<!--__Zacatek paty sekce-->.\rObsah sekce zůstal beze změny.");
    EXPECT_EQ(storedHtml(), "<P>Původní</P>");
}

} // namespace
} // namespace arkona::site
