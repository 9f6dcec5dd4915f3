// Parts of one page document: the base font, quotes in attributes, the footer, characters the
// code page lacks, frame-set pages, the date line.
#include "generator/page_generator.h"
#include "generator_fixture.h"

namespace arkona::generator::test {
namespace {

class PageDocument : public GeneratorFixture {
protected:
    void SetUp() override { setProject("[Projekt]\r\nName=Obchod\r\n"); }

    // One top-level page "2_" (file "p.htm") with the changes, generated alone.
    std::string generated(const Row& changes, const GenerationOptions& options = {}) {
        addPages({page("2_", 1, "0_", "p", "", "Stránka", changes)});
        loadTree();
        const RunReport report = generate(GenerationScope::All, {}, options);
        EXPECT_EQ(report.written, 1);
        return text::toUtf8(written("p.htm"));
    }

    static std::vector<std::string> linesOf(const std::string& text) {
        std::vector<std::string> lines;
        size_t start = 0;
        while (start < text.size()) {
            const size_t end = text.find("\r\n", start);
            lines.push_back(text.substr(start, end - start));
            start = end + 2;
        }
        return lines;
    }
    static bool hasLine(const std::string& text, const std::string& line) {
        const auto lines = linesOf(text);
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    static bool anyLineStarts(const std::string& text, const std::string& start) {
        for (const auto& line : linesOf(text)) {
            if (line.starts_with(start)) {
                return true;
            }
        }
        return false;
    }
};

TEST(BaseFontLine, TheStoredTagBecomesABaseFontTag) {
    EXPECT_EQ(baseFontLine(R"(<FONT FACE="Arial CE, ARIAL, Helvetica" SIZE=2 COLOR="#000000">)"),
              R"(<BASEFONT FACE="Arial CE, ARIAL, Helvetica" SIZE=2 COLOR="#000000">)");
    EXPECT_EQ(baseFontLine("<FONT SIZE=2><B>"), "<BASEFONT SIZE=2><B>");
    // Nothing left to close the tag: a bare "<BASEFONT" would swallow the next tag.
    EXPECT_EQ(baseFontLine(""), "");
    EXPECT_EQ(baseFontLine("<FONT"), "");
    EXPECT_EQ(baseFontLine("<FON"), "");
    EXPECT_EQ(baseFontLine(R"(<FONT FACE="Arial")"), "");
}

TEST_F(PageDocument, AnEmptyOrShortFontWritesNoBaseFontLine) {
    const std::string empty = generated({{"TXT_FONT", ""}});
    EXPECT_FALSE(anyLineStarts(empty, "<BASEFONT")) << empty;
    // The body tag is followed directly by the table.
    EXPECT_NE(empty.find("ALINK=\"#CC0000\">\r\n<TABLE WIDTH"), std::string::npos);
}

TEST_F(PageDocument, ACutFontTagWritesNoBaseFontLine) {
    const std::string cut = generated({{"TXT_FONT", "<FONT"}});
    EXPECT_FALSE(anyLineStarts(cut, "<BASEFONT")) << cut;
}

TEST_F(PageDocument, QuotesInsideAttributeValuesAreWrittenAsEntities) {
    setProject("[Projekt]\r\nName=Obchod \"U Lípy\"\r\nAutor=Jan \"Honza\" Novák\r\n"
               "Spolecnost=Firma \"A\"\r\n");
    addVariable(storage::kPromSys, "2_", "Refresh", "5; URL=\"x.htm\"");
    addVariable(storage::kPromUsr, "2_", "Desc\"ription", "Čaj \"zelený\" & káva");
    const std::string page = generated({{"POPIS", "Čaj \"Sencha\""}});
    // The title is text, not an attribute: it stays as it is.
    EXPECT_TRUE(hasLine(page, "  <TITLE> Obchod \"U Lípy\" </TITLE>"));
    EXPECT_TRUE(
        hasLine(page, "  <META http-equiv=\"Refresh\" CONTENT=\"5; URL=&quot;x.htm&quot;\">"));
    EXPECT_TRUE(hasLine(page, "  <META NAME=\"Title\" CONTENT=\"Obchod &quot;U Lípy&quot;\">"));
    EXPECT_TRUE(hasLine(page, "  <META NAME=\"Author\" CONTENT=\"Jan &quot;Honza&quot; Novák\">"));
    EXPECT_TRUE(hasLine(page, "  <META NAME=\"Company\" CONTENT=\"Firma &quot;A&quot;\">"));
    EXPECT_TRUE(hasLine(
        page, "  <META NAME=\"Desc&quot;ription\" CONTENT=\"Čaj &quot;zelený&quot; & káva\">"));
    // A page title in the navigation column is text as well.
    EXPECT_NE(page.find("<U>Čaj \"Sencha\"</U></FONT><BR>"), std::string::npos);
}

TEST(FooterText, EndsBeforeTheFirstClosingBodyThenHtmlTag) {
    EXPECT_EQ(footerText("<HR>Patička</BODY></HTML>za"), "<HR>Patička");
    EXPECT_EQ(footerText("a</html>b</body>c"), "a");
    EXPECT_EQ(footerText("a</Body>b</HTML>c"), "a");
    EXPECT_EQ(footerText("bez konce"), "bez konce");
    EXPECT_EQ(footerText(""), "");
    EXPECT_EQ(footerText("</BODY"), "</BODY");
}

TEST_F(PageDocument, WithoutTheDateOptionThereIsNoDateLine) {
    GenerationOptions o;
    o.dateLine = false; // the date and time options are on, but hidden
    const std::string page = generated({}, o);
    EXPECT_EQ(page.find("Datum poslední aktualizace"), std::string::npos);
    EXPECT_NE(page.find("</A>\r\n</P>\r\n</BODY></HTML>\r\n"), std::string::npos);
}

TEST_F(PageDocument, TheDateLineWithDateOrTimeAlone) {
    GenerationOptions o;
    o.time = false;
    EXPECT_TRUE(hasLine(generated({}, o), " <BR>Datum poslední aktualizace: 7.3.2026"));
}

// Text sections go into the head before the script, also when they follow the main section.
TEST_F(PageDocument, AFrameSetPageHasItsHeaderTextSectionsScriptAndFrameSet) {
    addSection("2_", 1, 1, "h");
    addSection("2_", 2, 2, "t", "<META NAME=\"x\" CONTENT=\"y\">");
    const std::string page = generated({{"HD", "<!-- hlava -->"}, {"FT", "<P>Pata</P>"}});
    const std::string head = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\">\r\n"
                             "<HTML>\r\n"
                             "<HEAD>\r\n"
                             "  <TITLE> Obchod </TITLE>\r\n"
                             "  <META http-equiv=\"Content-Type\" CONTENT=\"text/html; "
                             "CHARSET=windows-1250\">\r\n"
                             "  <META NAME=\"Generator\" CONTENT=\"Arkona; 0\">\r\n"
                             "  <META NAME=\"Title\" CONTENT=\"Obchod\">\r\n"
                             "<!-- hlava -->\r\n"
                             "<FONT FACE=\"Verdana CE, Arial\" SIZE=2 COLOR=\"#202020\">\r\n"
                             "<META NAME=\"x\" CONTENT=\"y\">\r\n"
                             "\r\n"
                             "<SCRIPT LANGUAGE=\"JavaScript\"><!--\r\n";
    EXPECT_EQ(page.substr(0, head.size()), head);
    // Without a shop settings file every key has its default: the frames at the top, 80 pixels.
    const std::string tail =
        "w('</HEAD>');\r\r\n"
        "w('<FRAMESET ROWS=\"80,*\" FRAMEBORDER=0 BORDER=0 FRAMESPACING=0 FRAMEPADDING=0>');\r\n"
        "w('<FRAME NAME=\"nav\" SRC=\"\" MARGINHEIGHT=\"0\" MARGINWIDTH=\"0\" SCROLLING=no>');\r\n";
    EXPECT_NE(page.find(tail), std::string::npos);
    EXPECT_TRUE(page.ends_with("// --></SCRIPT>\r\n"
                               "<NOFRAMES>\r\n"
                               "<BODY TEXT=\"#202020\" BGCOLOR=\"#FFFFEE\" LINK=\"#0000CC\" "
                               "VLINK=\"#660066\" ALINK=\"#CC0000\">\r\n"
                               "<P>Pata</P>\r\n"
                               "</BODY></NOFRAMES>\r\n"
                               "</FRAMESET>\r\n"
                               "</HTML>\r\n"))
        << page;
}

TEST_F(PageDocument, WithoutAProjectNameTheTitleLineStaysAndTheTitleMetaGoes) {
    setProject("[Jine]\r\nx=1\r\n");
    const std::string page = generated({});
    EXPECT_TRUE(hasLine(page, "  <TITLE>  </TITLE>"));
    EXPECT_EQ(page.find("NAME=\"Title\""), std::string::npos);
    EXPECT_EQ(page.find("NAME=\"Author\""), std::string::npos);
}

TEST_F(PageDocument, AnOwnerWithoutLeadingSlashAndTheDefaultOwner) {
    addPages({page("3_", 2, "0_", "x", "/a", "A", {{"VLASTNIK", "obchod.htm"}}),
              page("4_", 3, "0_", "y", "/a/b", "B")});
    loadTree();
    EXPECT_EQ(generate().written, 2);
    const std::string a = text::toUtf8(written("a/x.htm"));
    EXPECT_TRUE(hasLine(a, "if(top==self){self.location.href=\"../obchod.htm?./a/x.htm\";}"));
    const std::string b = text::toUtf8(written("a/b/y.htm"));
    EXPECT_TRUE(hasLine(b, "if(top==self){self.location.href=\"../../hlavni.htm?./a/b/y.htm\";}"));
    // Only the page in the work frame tells the frame set its way back to the root.
    EXPECT_TRUE(hasLine(b, "if(self.name==\"wsp\"){self.parent.cestawsp=\"../../\";}"));
}

} // namespace
} // namespace arkona::generator::test
