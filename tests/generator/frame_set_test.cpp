#include "generator/frame_set.h"
#include "generator_fixture.h"

namespace arkona::generator::test {
namespace {

TEST(FrameAddress, RelativeToTheFrameSetPagesFolder) {
    EXPECT_EQ(frameAddress("", "/navigace.htm"), "navigace.htm");
    EXPECT_EQ(frameAddress("/obchod", "/navigace.htm"), "../navigace.htm");
    EXPECT_EQ(frameAddress("", "/zbozi/caje/uvod.htm"), "./zbozi/caje/uvod.htm");
    EXPECT_EQ(frameAddress("/zbozi", "/zbozi/uvod.htm"), "uvod.htm");
}

class FrameSet : public GeneratorFixture {
protected:
    void SetUp() override { setProject("[Projekt]\r\nName=Obchod\r\n"); }
    void addMainSection(int id, const std::string& sabid) {
        arkona::test::appendRows(
            table(storage::kHtml),
            {{{"HTMLID", "1_"}, {"SEKCEID", id}, {"PORADI", id}, {"TYP", "h"}, {"SABID", sabid}}});
    }
    void writeSettings(const std::string& name, const std::string& qsh) {
        std::filesystem::create_directories(project / "_sablony");
        arkona::test::writeFile(project / "_sablony" / name, qsh);
    }
    // The frame-set page "1_" at the site root, generated alone.
    std::string generated() {
        addPages({page("1_", 1, "0_", "hlavni", "", "Hlavní"),
                  page("2_", 2, "0_", "uvod", "/zbozi", "Úvod")});
        loadTree();
        EXPECT_EQ(generate(GenerationScope::Page, "1_").written, 1);
        return text::toUtf8(written("hlavni.htm"));
    }
    std::string frameSetPage(const std::string& qsh) {
        writeSettings("obchod.qsh", qsh);
        addMainSection(1, "obchod.qsh");
        return generated();
    }
    static int count(const std::string& text, const std::string& what) {
        int n = 0;
        for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
            ++n;
        }
        return n;
    }
};

TEST_F(FrameSet, RightInPercentPutsTheWorkFrameFirst) {
    EXPECT_NE(frameSetPage("[Odskoky]\r\numisteni=vpravo\r\nvelikost=25\r\nbody=False\r\n"
                           "Navigace=/navigace.htm\r\nPracovni=/uvod.htm\r\n")
                  .find("w('<FRAMESET COLS=\"*,25%\" FRAMEBORDER=0 BORDER=0 FRAMESPACING=0 "
                        "FRAMEPADDING=0>');\r\nif(self.location.search"),
              std::string::npos); // the work frame first
}

TEST_F(FrameSet, LeftBottomAndAFallbackToTheTop) {
    std::string page = frameSetPage("[Odskoky]\r\numisteni=vlevo\r\nvelikost=200\r\n"
                                    "Navigace=/navigace.htm\r\n");
    EXPECT_NE(page.find("w('<FRAMESET COLS=\"200,*\" FRAMEBORDER=0 BORDER=0 FRAMESPACING=0 "
                        "FRAMEPADDING=0>');\r\nw('<FRAME NAME=\"nav\" SRC=\"navigace.htm\""),
              std::string::npos);
}

TEST_F(FrameSet, DangerousValuesStayInsideTheirStrings) {
    const std::string page = frameSetPage("[Odskoky]\r\numisteni=kdekoli\r\nvelikost=9');x('\r\n"
                                          "Navigace=/nav\"igace.htm\r\n");
    EXPECT_NE(page.find("w('<FRAMESET ROWS=\"9,*\""), std::string::npos); // digits only, the top
    EXPECT_NE(page.find("SRC=\"nav&quot;igace.htm\""), std::string::npos);
}

TEST_F(FrameSet, TwoMainSectionsWriteTheScriptOnceWithTheLastSettings) {
    writeSettings("a.qsh", "[Odskoky]\r\numisteni=dole\r\n");
    writeSettings("b.qsh", "[Odskoky]\r\numisteni=vlevo\r\n");
    addMainSection(1, "a.qsh");
    addMainSection(2, "b.qsh");
    const std::string page = generated();
    EXPECT_EQ(count(page, "<SCRIPT LANGUAGE"), 1);
    EXPECT_EQ(count(page, "<FRAMESET"), 1);
    EXPECT_NE(page.find("<FRAMESET COLS=\"80,*\""), std::string::npos);
}

TEST_F(FrameSet, ThePreviewShowsItsPageInTheWorkFrame) {
    addMainSection(1, "");
    addPages({page("1_", 1, "0_", "hlavni", "", "Hlavní"),
              page("2_", 2, "0_", "caje", "/zbozi/caje", "Čaje")});
    loadTree();
    SiteGeneration run(structure, context, prompter);
    run.setClock(fixedMoment);
    ASSERT_TRUE(run.preview("2_", GenerationOptions{}, display).written);
    const std::string page = text::toUtf8(written("tmpHlavni.htm"));
    EXPECT_NE(page.find("\r\nw('<FRAME NAME=\"wsp\" SRC=\"zbozi/caje/tempFile.htm\" "
                        "MARGINHEIGHT=\"0\" MARGINWIDTH=\"0\">');\r\n// --></SCRIPT>\r\n"),
              std::string::npos)
        << page;
    EXPECT_EQ(page.find("wspLoc"), std::string::npos);
}

} // namespace
} // namespace arkona::generator::test
