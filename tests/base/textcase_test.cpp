#include "base/codepage.h"
#include "base/textcase.h"

#include <gtest/gtest.h>

namespace arkona::text {
namespace {

// Every lower/upper letter pair of Windows-1250, written as its bytes.
const std::string kLowerBytes = "abcdefghijklmnopqrstuvwxyz"
                                "\x9A\x9C\x9D\x9E\x9F\xB3\xB9\xBA\xBE\xBF"
                                "\xE0\xE1\xE2\xE3\xE4\xE5\xE6\xE7\xE8\xE9\xEA\xEB\xEC\xED\xEE\xEF"
                                "\xF0\xF1\xF2\xF3\xF4\xF5\xF6\xF8\xF9\xFA\xFB\xFC\xFD\xFE";
const std::string kUpperBytes = "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                "\x8A\x8C\x8D\x8E\x8F\xA3\xA5\xAA\xBC\xAF"
                                "\xC0\xC1\xC2\xC3\xC4\xC5\xC6\xC7\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF"
                                "\xD0\xD1\xD2\xD3\xD4\xD5\xD6\xD8\xD9\xDA\xDB\xDC\xDD\xDE";

std::string allBytesOfCp1250() {
    std::string bytes;
    for (int i = 1; i < 256; ++i) {
        bytes += static_cast<char>(i);
    }
    return bytes;
}

TEST(TextCase, EveryLetterPairOfCp1250) {
    const std::string lower = toUtf8(kLowerBytes);
    const std::string upper = toUtf8(kUpperBytes);
    EXPECT_EQ(toUpper(lower), upper);
    EXPECT_EQ(toLower(upper), lower);
    EXPECT_EQ(toUpper(upper), upper);
    EXPECT_EQ(toLower(lower), lower);
    EXPECT_TRUE(equalsNoCase(lower, upper));
    EXPECT_EQ(toUpper("Příliš žluťoučký kůň"), "PŘÍLIŠ ŽLUŤOUČKÝ KŮŇ");
}

TEST(TextCase, CharactersWithoutAStorablePartnerStay) {
    // "ß" and "µ" have no partner in Windows-1250; the text must stay storable.
    EXPECT_EQ(toUpper("ßµ"), "ßµ");
    EXPECT_TRUE(canEncode(toUpper(toUtf8(allBytesOfCp1250()))));
    EXPECT_EQ(toUpper("ˇ˘§°€ 12;"), "ˇ˘§°€ 12;");
    EXPECT_EQ(toLower("ˇ˘§°€ 12;"), "ˇ˘§°€ 12;");
    // Letters outside the code page still get their case.
    EXPECT_EQ(toUpper("αω"), "ΑΩ");
    // Broken bytes pass through untouched.
    EXPECT_EQ(toUpper(std::string("a\xC3z\xFF")), std::string("A\xC3Z\xFF"));
}

TEST(TextCase, EqualsNoCase) {
    EXPECT_TRUE(equalsNoCase("Currency", "currency"));
    EXPECT_TRUE(equalsNoCase("ŽLUŤ", "žluť"));
    EXPECT_TRUE(equalsNoCase("", ""));
    EXPECT_FALSE(equalsNoCase("ab", "abc"));
    EXPECT_FALSE(equalsNoCase("abc", "ab"));
    EXPECT_FALSE(equalsNoCase("á", "a"));
    EXPECT_FALSE(equalsNoCase("č", "c"));
    EXPECT_FALSE(equalsNoCase(std::string("\xFF"), std::string("\xFE")));
    EXPECT_TRUE(equalsNoCase(std::string("x\xFF"), std::string("X\xFF")));
}

TEST(TextCase, CodesCompareExactlyWithoutTrailingBlanks) {
    EXPECT_TRUE(codeEquals("AB", "AB   "));
    EXPECT_TRUE(codeEquals("AB  ", "AB"));
    EXPECT_FALSE(codeEquals("AB", "ABC"));
    EXPECT_FALSE(codeEquals("ABC", "AB"));
    EXPECT_FALSE(codeEquals(" AB", "AB"));
    EXPECT_FALSE(codeEquals("ab", "AB"));
    EXPECT_TRUE(codeEqualsNoCase("kód-1 ", "KÓD-1"));
    EXPECT_FALSE(codeEqualsNoCase("AB", "abc"));
    EXPECT_FALSE(codeEqualsNoCase("AB", ""));
}

TEST(TextCase, TrimRemovesBlanksAtTheEnds) {
    EXPECT_EQ(trim(" \t a b \r\n"), "a b");
    EXPECT_EQ(trimRight(" \t a b \r\n"), " \t a b");
    EXPECT_EQ(trim(" \t\r\n"), "");
    EXPECT_EQ(trim("\u00A0x"), "\u00A0x"); // a no-break space is content
}

} // namespace
} // namespace arkona::text
