#include "site/anchor.h"

#include <gtest/gtest.h>

namespace arkona::site {
namespace {

PageNode page(const char* id, const char* src, const char* path, bool link = false) {
    PageNode n;
    n.id = id;
    n.src = src;
    n.path = path;
    n.link = link;
    n.number = std::stoll(id);
    n.recno = static_cast<std::uint32_t>(n.number);
    return n;
}

TEST(AnchorTest, ExistingAnchorWithItsThreeAttributes) {
    const auto a = parseAnchor(R"(<A HREF="../a/5kontakt.htm" TARGET="wsp">Kontakt</A> a dál)");
    EXPECT_EQ(a.fields.href, "../a/5kontakt.htm");
    EXPECT_EQ(a.fields.target, "wsp");
    EXPECT_EQ(a.fields.onMouseOver, "");
    EXPECT_EQ(a.fileName, "5kontakt");
    EXPECT_EQ(a.rest, "Kontakt</A> a dál");
}

TEST(AnchorTest, ValuesOfAnyLengthAndQuotedAngleBrackets) {
    // Ten characters and more used to read as empty; a ">" inside a script ended the tag.
    const auto a =
        parseAnchor("<a href='x/y/zbozi.HTM' onMouseOver=\"if(a>b)window.status='Naše zboží'\" "
                    "target=\"hlavni_okno_1\">Zboží</a>");
    EXPECT_EQ(a.fields.href, "x/y/zbozi.HTM");
    EXPECT_EQ(a.fields.target, "hlavni_okno_1");
    EXPECT_EQ(a.fields.onMouseOver, "if(a>b)window.status='Naše zboží'");
    EXPECT_EQ(a.fileName, "zbozi");
    EXPECT_EQ(a.rest, "Zboží</a>");
}

TEST(AnchorTest, MissingTargetKeepsTheDefaultAndBareValuesRead) {
    const auto a = parseAnchor("<A HREF=uvod.htm>Úvod</A>");
    EXPECT_EQ(a.fields.href, "uvod.htm");
    EXPECT_EQ(a.fields.target, "wsp");
    EXPECT_EQ(a.fileName, "uvod");
    EXPECT_EQ(a.rest, "Úvod</A>");
    // An empty TARGET given in the anchor stays empty.
    EXPECT_EQ(parseAnchor(R"(<A HREF="a.htm" TARGET="">x</A>)").fields.target, "");
    // A broken anchor gives what can be read and never runs past its end.
    const auto broken = parseAnchor(R"(<A HREF="a/b.htm)");
    EXPECT_EQ(broken.fields.href, "a/b.htm");
    EXPECT_EQ(broken.rest, "");
    EXPECT_EQ(parseAnchor("bez značky").fields.href, "");
}

TEST(AnchorTest, OpeningTagAndWhatThePickerHandsBack) {
    AnchorFields f;
    f.href = "../kontakt.htm";
    EXPECT_EQ(anchorOpeningTag(f), R"(<A HREF="../kontakt.htm" TARGET="wsp">)");
    f.target = "";
    f.onMouseOver = "   ";
    EXPECT_EQ(anchorOpeningTag(f), R"(<A HREF="../kontakt.htm">)");
    f.onMouseOver = R"(window.status="Kontakt")";
    f.target = "_top";
    EXPECT_EQ(
        anchorOpeningTag(f),
        R"(<A HREF="../kontakt.htm" TARGET="_top" ONMOUSEOVER="window.status=&quot;Kontakt&quot;">)");
    // The escaped quote reads back as it was typed.
    EXPECT_EQ(parseAnchor(anchorOpeningTag(f)).fields.onMouseOver, f.onMouseOver);

    f = {};
    f.href = "uvod.htm";
    EXPECT_EQ(anchorResult(AnchorUse::OpeningTag, f, "ignored"),
              R"(<A HREF="uvod.htm" TARGET="wsp">)");
    EXPECT_EQ(anchorResult(AnchorUse::WrapSelection, f, "Úvod"),
              R"(<A HREF="uvod.htm" TARGET="wsp">Úvod</A> )");
    EXPECT_EQ(anchorResult(AnchorUse::EditExisting, f,
                           R"(<A HREF="../a/5kontakt.htm" TARGET="x">Kontakt</A>)"),
              R"(<A HREF="uvod.htm" TARGET="wsp">Kontakt</A>)");
}

TEST(AnchorTest, HrefAndThePageOfAFileName) {
    PageTree tree;
    PageNode& a = tree.insert(page("7_", "a", ""), nullptr);
    tree.insert(page("9_", "5kontakt", "/a"), &a);
    tree.insert(page("12_", "5kontakt", "", true), nullptr);
    tree.insert(page("13_", "odkaz", "/a", true), &a);
    const PageNode* contact = pageForFileName(tree, "5kontakt");
    ASSERT_NE(contact, nullptr);
    EXPECT_EQ(contact->id, "9_"); // the page, not the link that shows it
    EXPECT_EQ(anchorHref("/b/c", *contact), "../../a/5kontakt.htm");
    EXPECT_EQ(anchorHref("/a", *contact), "5kontakt.htm");
    EXPECT_EQ(anchorHref("", *contact), "./a/5kontakt.htm");
    EXPECT_EQ(pageForFileName(tree, "odkaz")->id, "13_"); // only a link has it
    EXPECT_EQ(pageForFileName(tree, "5KONTAKT"), nullptr);
    EXPECT_EQ(pageForFileName(tree, ""), nullptr);
}

} // namespace
} // namespace arkona::site
