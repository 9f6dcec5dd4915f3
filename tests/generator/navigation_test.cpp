// The navigation column: the open-path entry list, the level slots, the lines.
#include "generator/navigation.h"
#include "generator_fixture.h"

namespace arkona::generator::test {
namespace {

// A tree of ids: top level A and H; A has B and G; B has C and F; C has D and E.
class EntryList : public ::testing::Test {
protected:
    site::PageTree tree;
    site::PageNode* add(const char* id, const char* parent) {
        site::PageNode node;
        node.id = id;
        return &tree.insert(std::move(node), parent ? tree.find(parent) : nullptr);
    }
    void SetUp() override {
        add("A", nullptr);
        add("H", nullptr);
        add("B", "A");
        add("G", "A");
        add("C", "B");
        add("F", "B");
        add("D", "C");
        add("E", "C");
    }
    std::string listed(const char* current) {
        std::string out;
        for (const auto& e : navigationEntries(tree, *tree.find(current))) {
            out += (out.empty() ? "" : " ") + e.node->id + std::to_string(e.level);
        }
        return out;
    }
};

TEST_F(EntryList, ThePathDownToThePageWithEveryLevelOpened) {
    EXPECT_EQ(listed("C"), "A1 B2 C3 D4 E4 F3 G2 H1");
    EXPECT_EQ(listed("E"), "A1 B2 C3 D4 E4 F3 G2 H1");
    EXPECT_EQ(listed("F"), "A1 B2 C3 F3 G2 H1");
    EXPECT_EQ(listed("A"), "A1 B2 G2 H1");
    // A top-level page without children: the top level alone.
    EXPECT_EQ(listed("H"), "A1 H1");
}

TEST(LinkFont, TheColourAfterTheFirstHashBecomesTheLinkColour) {
    EXPECT_EQ(linkFontOf(R"(<FONT FACE="Arial" SIZE=2 COLOR="#000000"><B>)", "0000FF"),
              R"(<FONT FACE="Arial" SIZE=2 COLOR="#0000FF"><B>)");
    EXPECT_EQ(linkFontOf("<FONT SIZE=2>", "0000FF"), "<FONT SIZE=2>");
    EXPECT_EQ(linkFontOf("", "0000FF"), "");
    EXPECT_EQ(linkFontOf("<FONT COLOR=\"#12", "0000FF"), "<FONT COLOR=\"#0000FF");
}

TEST(SlotStyles, TheSkipOptionMovesTheLevelsDownOneSlot) {
    PageRecord page;
    page.linkColour = "0000FF";
    for (int level = 0; level < kLevels; ++level) {
        const std::string n = std::to_string(level + 1);
        page.levels[static_cast<size_t>(level)] = {"n" + n + ".gif", "v" + n + ".gif",
                                                   "<FONT COLOR=\"#00000" + n + "\">"};
    }
    const auto plain = slotStyles(page, false);
    EXPECT_EQ(plain[0].offPath, "n1.gif");
    EXPECT_EQ(plain[5].onPath, "v6.gif");
    EXPECT_EQ(plain[2].font, "<FONT COLOR=\"#000003\">");
    EXPECT_EQ(plain[2].linkFont, "<FONT COLOR=\"#0000FF\">");

    const auto skip = slotStyles(page, true);
    std::vector<std::string> pictures;
    for (const auto& s : skip) {
        pictures.push_back(s.offPath + "/" + s.onPath);
    }
    EXPECT_EQ(pictures,
              (std::vector<std::string>{"n1.gif/v1.gif", "n1.gif/v1.gif", "n2.gif/v2.gif",
                                        "n3.gif/v3.gif", "n4.gif/v4.gif", "n5.gif/v5.gif"}));
    // Each slot's link font comes from its own font.
    EXPECT_EQ(skip[3].font, "<FONT COLOR=\"#000003\">");
    EXPECT_EQ(skip[3].linkFont, "<FONT COLOR=\"#0000FF\">");
}

// A chain of pages eight levels deep, each page the only child of the one before.
class DeepNavigation : public GeneratorFixture {
protected:
    void SetUp() override {
        setProject("[Projekt]\r\nName=Hloubka\r\n");
        std::vector<Row> rows;
        std::string parent = "0_", path;
        for (int n = 1; n <= 8; ++n) {
            const std::string id = std::to_string(n) + "_";
            rows.push_back(page(id, n, parent, "s" + std::to_string(n), path,
                                "Úroveň " + std::to_string(n),
                                {{"TYPTREE", 2}, {"TAB", n % 2 == 0}}));
            parent = id;
            path += "/u" + std::to_string(n);
        }
        addPages(rows);
        loadTree();
    }
    // The navigation lines of the deepest page.
    std::vector<std::string> navigationOf(const std::string& file) {
        const std::string text = text::toUtf8(written(file));
        std::vector<std::string> lines;
        size_t start = text.find("VALIGN=\"TOP\">\r\n") + 15;
        for (;;) {
            const size_t end = text.find("\r\n", start);
            const std::string line = text.substr(start, end - start);
            if (line.starts_with("</TD>")) {
                return lines;
            }
            lines.push_back(line);
            start = end + 2;
        }
    }
    static std::string prefixOf(const std::string& line) {
        return line.substr(0, line.find("<A HREF"));
    }
};

TEST_F(DeepNavigation, LevelsBelowTheSixthUseTheSixthSlot) {
    GenerationOptions o;
    o.skipSectionLevel = false;
    generate(GenerationScope::All, {}, o);
    const auto lines = navigationOf("u1/u2/u3/u4/u5/u6/u7/s8.htm");
    ASSERT_EQ(lines.size(), 8u);
    const auto nbsp = [](int n) {
        std::string out;
        for (int i = 0; i < n; ++i) {
            out += "&nbsp;";
        }
        return out;
    };
    // TYPTREE 2: four at level 3, fourteen at level 8.
    EXPECT_EQ(prefixOf(lines[2]), nbsp(4));
    // Level 7, an ancestor: the on-path picture and the link font of the sixth slot.
    EXPECT_EQ(lines[6], nbsp(12) + "<A HREF=\"../s7.htm\" TARGET=\"wsp\"><IMG "
                                   "SRC=\"../../../../../../../_images/v6.gif\" BORDER=\"0\" "
                                   "ALIGN=\"ABSMIDDLE\" ALT=\"+\"><FONT FACE=\"Arial\" SIZE=1 "
                                   "COLOR=\"#0000CC\">Úroveň 7</FONT></A><BR>");
    // Level 8, the page itself.
    EXPECT_EQ(lines[7], nbsp(14) + "<IMG SRC=\"../../../../../../../_images/v6.gif\" BORDER=\"0\" "
                                   "ALIGN=\"ABSMIDDLE\" ALT=\"+\"><FONT FACE=\"Arial\" SIZE=1 "
                                   "COLOR=\"#666666\">Úroveň 8</FONT><BR>");
}

TEST_F(DeepNavigation, WithTheSkipOptionTheTopLevelUsesTheSixthSlotUnindented) {
    generate(GenerationScope::All, {}, GenerationOptions{});
    const auto lines = navigationOf("u1/s2.htm");
    ASSERT_EQ(lines.size(), 3u); // the top page, the page, its child
    EXPECT_TRUE(lines[0].starts_with("<A HREF=\"../s1.htm\" TARGET=\"wsp\"><IMG "
                                     "SRC=\"../_images/v5.gif\""))
        << lines[0];
    EXPECT_TRUE(lines[1].starts_with("<IMG SRC=\"../_images/v1.gif\"")) << lines[1];
    EXPECT_TRUE(lines[2].starts_with("&nbsp;&nbsp;<A HREF=\"./u2/s3.htm\"")) << lines[2];
}

} // namespace
} // namespace arkona::generator::test
