#include "templates/font_tag.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <memory>

namespace arkona::templates {
namespace {

constexpr const char* kArial2Bold =
    "<FONT FACE=\"Arial CE, ARIAL, Helvetica\" SIZE=2 COLOR=\"#000000\"><B>";

TEST(FontTag, EmptyTagGivesTheDefaults) {
    const FontTag font = parseFontTag("");
    EXPECT_EQ(font.face, "Arial CE, ARIAL, Helvetica");
    EXPECT_EQ(faceIndex(font.face), 0);
    EXPECT_EQ(font.size, 3);
    EXPECT_EQ(font.colour, "000000");
    EXPECT_FALSE(font.bold || font.italic || font.underline);
    EXPECT_EQ(buildFontTag(font),
              "<FONT FACE=\"Arial CE, ARIAL, Helvetica\" SIZE=3 COLOR=\"#000000\">");
}

TEST(FontTag, ATagOfTheChooserReadsBackAndIsWrittenUnchanged) {
    const FontTag font = parseFontTag(kArial2Bold);
    EXPECT_EQ(font.face, "Arial CE, ARIAL, Helvetica");
    EXPECT_EQ(font.size, 2);
    EXPECT_EQ(font.colour, "000000");
    EXPECT_TRUE(font.bold);
    EXPECT_FALSE(font.italic);
    EXPECT_FALSE(font.underline);
    EXPECT_EQ(buildFontTag(font), kArial2Bold);
}

TEST(FontTag, EveryStyleCombinationIsWrittenInOrderAndReadBack) {
    const char* expected[] = {"", "<B>", "<I>", "<B><I>", "<U>", "<B><U>", "<I><U>", "<B><I><U>"};
    for (int bits = 0; bits < 8; ++bits) {
        FontTag font;
        font.face = "Courier CE, Courier";
        font.size = 7;
        font.colour = "0A0B0C";
        font.bold = bits & 1;
        font.italic = bits & 2;
        font.underline = bits & 4;
        const std::string tag = buildFontTag(font);
        EXPECT_EQ(tag, std::string("<FONT FACE=\"Courier CE, Courier\" SIZE=7 COLOR=\"#0A0B0C\">") +
                           expected[bits]);
        EXPECT_EQ(parseFontTag(tag), font) << tag;
    }
}

TEST(FontTag, TheOfferedFacesAndSizes) {
    const auto& faces = fontFaces();
    ASSERT_EQ(faces.size(), 3u);
    EXPECT_STREQ(faces[0].entry, "Arial CE, Arial");
    EXPECT_STREQ(faces[1].written, "Courier CE, Courier");
    EXPECT_STREQ(faces[2].written, "Times New Roman CE, Times New Roman");
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(faceIndex(faces[static_cast<std::size_t>(i)].written), i);
    }
    EXPECT_EQ(faceIndex("Times New Roman"), 2);
    EXPECT_EQ(faceIndex("arial"), 0);
    EXPECT_EQ(faceIndex("Verdana, Arial, Helvetica"), -1);
    EXPECT_EQ(faceIndex("Ari"), -1);
    EXPECT_STREQ(fontSizeEntries()[0], "1 (8 bodů)");
    EXPECT_STREQ(fontSizeEntries()[6], "7 (36 bodů)");
    EXPECT_EQ(previewPoints(1), 8);
    EXPECT_EQ(previewPoints(5), 18);
    EXPECT_EQ(previewPoints(7), 36);
    EXPECT_EQ(previewPoints(0), 12);
}

TEST(FontTag, AFaceTheChooserDoesNotOfferIsKept) {
    // The sample project's fonts: read at fixed positions they would give the size ",".
    const std::string tag = "<FONT FACE=\"Verdana, Arial, Helvetica\" SIZE=2 COLOR=\"#2F5F2F\"><B>";
    const FontTag font = parseFontTag(tag);
    EXPECT_EQ(font.face, "Verdana, Arial, Helvetica");
    EXPECT_EQ(font.size, 2);
    EXPECT_EQ(font.colour, "2F5F2F");
    EXPECT_TRUE(font.bold);
    EXPECT_EQ(buildFontTag(font), tag);
    EXPECT_EQ(previewFamily(font.face), "Verdana");
    EXPECT_EQ(previewFamily("Courier CE, Courier"), "Courier");
    EXPECT_EQ(previewFamily(""), "Arial");
}

TEST(FontTag, HandWrittenTagsGiveWhatTheySay) {
    FontTag font = parseFontTag("<font color=#ff00ff size='5' face='Times New Roman'><i><b>");
    EXPECT_EQ(font.face, "Times New Roman");
    EXPECT_EQ(font.size, 5);
    EXPECT_EQ(font.colour, "FF00FF");
    EXPECT_TRUE(font.bold);
    EXPECT_TRUE(font.italic);
    EXPECT_FALSE(font.underline);

    font = parseFontTag("<FONT   FACE = \"Courier\"   COLOR=\"#f0\">");
    EXPECT_EQ(font.face, "Courier");
    EXPECT_EQ(font.size, 3);
    EXPECT_EQ(font.colour, "F00000");

    // What cannot be understood keeps its default.
    font = parseFontTag("<FONT FACE=\"\" SIZE=+1 COLOR=\"red\">");
    EXPECT_EQ(font.face, "Arial CE, ARIAL, Helvetica");
    EXPECT_EQ(font.size, 3);
    EXPECT_EQ(font.colour, "000000");
    EXPECT_EQ(parseFontTag("<FONT SIZE=9 COLOR=\"#1234567\">").size, 3);
    EXPECT_EQ(parseFontTag("<FONT SIZE=9 COLOR=\"#1234567\">").colour, "000000");

    // A style tag inside the face text is not a style.
    font = parseFontTag("<FONT FACE=\"<B>\" SIZE=1>");
    EXPECT_EQ(font.face, "<B>");
    EXPECT_FALSE(font.bold);
    // Styles without a font tag.
    font = parseFontTag("<U>");
    EXPECT_TRUE(font.underline);
    EXPECT_EQ(font.size, 3);
}

TEST(FontTag, EveryCutOfATagIsReadWithoutReadingPastIt) {
    const std::string full = "<FONT FACE=\"Times New Roman CE, Times New Roman\" SIZE=6 "
                             "COLOR=\"#ABCDEF\"><B><I><U>";
    for (std::size_t n = 0; n <= full.size(); ++n) {
        // A copy of exactly n bytes, so that the sanitizer sees any read past the end.
        const std::unique_ptr<char[]> bytes(new char[n + 1]);
        std::copy(full.begin(), full.begin() + static_cast<long>(n), bytes.get());
        const FontTag font = parseFontTag(std::string_view(bytes.get(), n));
        EXPECT_GE(font.size, 1);
        EXPECT_LE(font.size, 7);
        EXPECT_EQ(font.colour.size(), 6u);
    }
    // Cut inside the face: the face runs to the end; the size has not come yet.
    FontTag cut = parseFontTag("<FONT FACE=\"Times New");
    EXPECT_EQ(cut.face, "Times New");
    EXPECT_EQ(cut.size, 3);
    cut = parseFontTag("<FONT FACE=\"Times New Roman CE, Times New Roman\" SIZE=6 COLOR=\"#AB");
    EXPECT_EQ(cut.size, 6);
    EXPECT_EQ(cut.colour, "AB0000");
    for (const char* odd : {"<", "<FONT", "<FONT=", "<FONT =\"", "<FONT FACE", "<FONT FACE=",
                            "<FONT FACE='", "<FONT SIZE=>", ">>>", "\"\"\"", "<FONT ==== >"}) {
        const FontTag font = parseFontTag(odd);
        EXPECT_EQ(font.size, 3) << odd;
        EXPECT_EQ(font.colour, "000000") << odd;
    }
}

TEST(FontTag, AFaceThatWouldBreakTheTagIsWrittenWithoutTheBreakingCharacters) {
    FontTag font = parseFontTag("<FONT FACE='Say \"Hi\" <x>' SIZE=2>");
    EXPECT_EQ(font.face, "Say \"Hi\" <x>");
    EXPECT_EQ(buildFontTag(font), "<FONT FACE=\"Say Hi x\" SIZE=2 COLOR=\"#000000\">");
    font.face = " \"<> ";
    font.colour = "#abc";
    EXPECT_EQ(buildFontTag(font),
              "<FONT FACE=\"Arial CE, ARIAL, Helvetica\" SIZE=2 COLOR=\"#ABC000\">");
}

TEST(FontTag, AnyTextReadsAsATagThatIsWrittenAgainUnchanged) {
    // Pieces of tags put together at random: whatever is read, the tag written from it reads
    // back to itself, and nothing is read past the end (the sanitizer build watches).
    const char* pieces[] = {
        "<FONT",          "<font",   " FACE=", "FACE", "=",   "\"",  "'",       "Arial", "Times",
        "Verdana, Arial", " SIZE=",  "SIZE=",  "2",    "9",   "+1",  " COLOR=", "#",     "f0",
        "ABCDEF",         "1234567", ">",      "<B>",  "<I>", "<U>", "<b>",     " ",     "\r\n",
        "\xC5\xBE"};
    std::uint32_t seed = 12345;
    const auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    for (int round = 0; round < 20000; ++round) {
        std::string input;
        const int count = static_cast<int>(next() % 12);
        for (int k = 0; k < count; ++k) {
            input += pieces[next() % std::size(pieces)];
        }
        if (!input.empty() && next() % 3 == 0) {
            input.resize(next() % input.size()); // cut anywhere
        }
        const std::unique_ptr<char[]> bytes(new char[input.size() + 1]);
        std::copy(input.begin(), input.end(), bytes.get());
        const FontTag font = parseFontTag(std::string_view(bytes.get(), input.size()));
        ASSERT_GE(font.size, 1) << input;
        ASSERT_LE(font.size, 7) << input;
        ASSERT_EQ(font.colour.size(), 6u) << input;
        const std::string tag = buildFontTag(font);
        ASSERT_EQ(buildFontTag(parseFontTag(tag)), tag) << input;
    }
}

} // namespace
} // namespace arkona::templates
