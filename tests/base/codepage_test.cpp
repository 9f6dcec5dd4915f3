#include "base/codepage.h"
#include "base/error.h"

#include <gtest/gtest.h>
#include <set>
#include <string>

namespace arkona::text {
namespace {

const std::string kPangram = "Příliš žluťoučký kůň úpěl ďábelské ódy";

std::string allBytes() {
    std::string bytes;
    for (int i = 0; i < 256; ++i) {
        bytes += static_cast<char>(i);
    }
    return bytes;
}

std::string errorOf(std::string_view utf8, CodePage page) {
    try {
        fromUtf8(utf8, page);
    } catch (const Error& e) {
        return e.what();
    }
    return "no error";
}

class EveryCodePage : public ::testing::TestWithParam<CodePage> {};

TEST_P(EveryCodePage, EveryByteRoundTripsThroughItsOwnCharacter) {
    const CodePage page = GetParam();
    const std::string utf8 = toUtf8(allBytes(), page);
    EXPECT_EQ(fromUtf8(utf8, page), allBytes());
    EXPECT_TRUE(canEncode(utf8, page));

    std::set<char32_t> seen;
    for (int i = 0; i < 256; ++i) {
        const auto b = static_cast<unsigned char>(i);
        const char32_t c = decodeByte(b, page);
        seen.insert(c);
        const std::string one = toUtf8(std::string(1, static_cast<char>(b)), page);
        EXPECT_EQ(fromUtf8(one, page), std::string(1, static_cast<char>(b))) << "byte " << i;
        if (i < 0x80) {
            EXPECT_EQ(c, char32_t(i));
            EXPECT_EQ(one, std::string(1, static_cast<char>(i)));
        }
    }
    EXPECT_EQ(seen.size(), 256u);
}

INSTANTIATE_TEST_SUITE_P(CodePages, EveryCodePage,
                         ::testing::Values(CodePage::Windows1250, CodePage::Dos852,
                                           CodePage::Windows1252));

TEST(CodePage, CzechTextHasTheBytesOfEachCodePage) {
    EXPECT_EQ(fromUtf8(kPangram),
              "P\xF8\xEDli\x9A \x9Elu\x9Dou\xE8k\xFD k\xF9\xF2 \xFAp\xECl \xEF\xE1"
              "belsk\xE9 \xF3"
              "dy");
    EXPECT_EQ(fromUtf8(kPangram, CodePage::Dos852),
              "P\xFD\xA1li\xE7 \xA7lu\x9Cou\x9Fk\xEC k\x85\xE5 \xA3p\xD8l \xD4\xA0"
              "belsk\x82 \xA2"
              "dy");
    EXPECT_EQ(toUtf8(fromUtf8(kPangram, CodePage::Dos852), CodePage::Dos852), kPangram);
    EXPECT_EQ(toUtf8(fromUtf8(kPangram)), kPangram);
}

TEST(CodePage, BytesOutsideAsciiDecodeToTheirCharacters) {
    EXPECT_EQ(toUtf8("\x80\x8A\x9E\xA0\xB5"), "€Šž\u00A0µ");
    EXPECT_EQ(toUtf8("\x80\xE8\xFF", CodePage::Windows1252), "€èÿ");
    EXPECT_EQ(toUtf8("\xB0\xDB\xFD", CodePage::Dos852), "░█ř");
    // Undefined bytes become the C1 control of the same value.
    EXPECT_EQ(toUtf8("\x81\x83\x88\x90\x98"), "\u0081\u0083\u0088\u0090\u0098");
    EXPECT_EQ(toUtf8("\x81\x8D\x8F\x90\x9D", CodePage::Windows1252),
              "\u0081\u008D\u008F\u0090\u009D");
    EXPECT_EQ(decodeByte(0x9D), U'ť');
    EXPECT_EQ(decodeByte(0x9D, CodePage::Windows1252), char32_t(0x9D));
    EXPECT_EQ(decodeByte(0xA6, CodePage::Dos852), U'Ž');
}

TEST(CodePage, CharacterThePageCannotHoldIsNamedInTheError) {
    EXPECT_EQ(errorOf("Cena 5 €", CodePage::Dos852),
              "Znak „€“ (U+20AC) nelze uložit v kódové stránce DOS 852.");
    EXPECT_EQ(errorOf("řízek", CodePage::Windows1252),
              "Znak „ř“ (U+0159) nelze uložit v kódové stránce Windows-1252.");
    EXPECT_EQ(errorOf("αβ", CodePage::Windows1250),
              "Znak „α“ (U+03B1) nelze uložit v kódové stránce Windows-1250.");
    EXPECT_EQ(errorOf("ok 😀", CodePage::Windows1250),
              "Znak „😀“ (U+1F600) nelze uložit v kódové stránce Windows-1250.");
    // An invisible control character is named by its number only.
    EXPECT_EQ(errorOf("a\u0085", CodePage::Windows1250),
              "Znak U+0085 nelze uložit v kódové stránce Windows-1250.");
    EXPECT_FALSE(canEncode("αβ"));
    EXPECT_FALSE(canEncode("ř", CodePage::Windows1252));
    EXPECT_TRUE(canEncode(kPangram, CodePage::Dos852));
}

TEST(CodePage, MalformedUtf8IsRefused) {
    const std::string malformed[] = {
        "ab\xC3",           // cut off
        "\x80",             // continuation without a lead byte
        "\xC0\xAF",         // overlong "/"
        "\xE0\x80\xAF",     // overlong, three bytes
        "\xED\xA0\x80",     // surrogate
        "\xF4\x90\x80\x80", // beyond U+10FFFF
        "\xC5"
        "a", // lead byte followed by ASCII
        "\xFF",
    };
    for (const std::string& text : malformed) {
        EXPECT_EQ(errorOf(text, CodePage::Windows1250), "Text není platný v kódování UTF-8.");
        EXPECT_FALSE(canEncode(text));
        EXPECT_THROW(fromUtf8ForHtml(text), Error);
    }
}

TEST(CodePage, HtmlGetsReferencesForWhatCp1250CannotHold) {
    EXPECT_EQ(fromUtf8ForHtml("Čaj – 5 € α😀 & <b>"), "\xC8"
                                                     "aj \x96 5 \x80 &#945;&#128512; & <b>");
    EXPECT_EQ(fromUtf8ForHtml(""), "");
}

} // namespace
} // namespace arkona::text

namespace arkona::text {
namespace {

TEST(TextFiles, Utf8OnlyWhenTheBytesSaySoOtherwiseWindows1250) {
    EXPECT_EQ(textFileToUtf8("\xE8"
                             "aj"),
              "čaj");                        // Windows-1250
    EXPECT_EQ(textFileToUtf8("čaj"), "čaj"); // UTF-8 with a Czech letter
    EXPECT_EQ(textFileToUtf8("\xEF\xBB\xBF"
                             "abc"),
              "abc"); // UTF-8 mark dropped
    EXPECT_EQ(textFileToUtf8("plain"), "plain");
    EXPECT_EQ(textFileToUtf8("\xC3\x28"), "Ă("); // not UTF-8: read as Windows-1250
    EXPECT_EQ(textFileToUtf8("\xED\xA0\x80"), toUtf8("\xED\xA0\x80")); // a surrogate is no UTF-8
}

} // namespace
} // namespace arkona::text
