#include "site/file_names.h"

#include <gtest/gtest.h>

namespace arkona::site {
namespace {

std::string text(const EditedText& e) {
    return toUtf8(e.text);
}

TEST(FileNamesTest, NameFromTheTitleKeepsOnlyFileNameCharacters) {
    EXPECT_EQ(deriveFileName(7, "O nás"), "7Ons");
    EXPECT_EQ(deriveFileName(12, "Ceník služeb 2"), "12Cenkslueb2");
    EXPECT_EQ(deriveFileName(9, "A_b-c!d?e.f/g"), "9A_b-c!defg");
    EXPECT_EQ(deriveFileName(3, ""), "3");
    EXPECT_EQ(deriveFileName(3, "Čaj €"), "3aj");
}

TEST(FileNamesTest, FieldAlwaysBeginsWithThePageNumber) {
    // Typing x into the empty field of page 7.
    auto e = editFileName(7, U"x", 1);
    EXPECT_EQ(text(e), "7x");
    EXPECT_EQ(e.cursor, 2);
    EXPECT_EQ(e.removed, 0);
    // Deleting the prefix of 7x leaves x, which becomes 7x again.
    e = editFileName(7, U"x", 0);
    EXPECT_EQ(text(e), "7x");
    EXPECT_EQ(e.cursor, 1);
    // A text shorter than the number becomes the number.
    e = editFileName(12, U"x", 1);
    EXPECT_EQ(text(e), "12");
    EXPECT_EQ(e.cursor, 2);
    e = editFileName(12, U"", 0);
    EXPECT_EQ(text(e), "12");
    // The prefix stays as it is.
    e = editFileName(12, U"12abc", 3);
    EXPECT_EQ(text(e), "12abc");
    EXPECT_EQ(e.cursor, 3);
}

TEST(FileNamesTest, RefusedCharactersGoOneBeepEachAndTheCursorFollows) {
    // A blank typed after the prefix.
    auto e = editFileName(7, U"7 ", 2);
    EXPECT_EQ(text(e), "7");
    EXPECT_EQ(e.removed, 1);
    EXPECT_EQ(e.cursor, 1);
    // Two refused characters before the cursor, one after it.
    e = editFileName(7, U"7ač ř-é", 5);
    EXPECT_EQ(text(e), "7a-");
    EXPECT_EQ(e.removed, 4);
    EXPECT_EQ(e.cursor, 2);
}

TEST(FileNamesTest, NameOptionKeepsCzechLettersAndBlanks) {
    auto e = editName(U"Nová sekce: č. 2", 16);
    EXPECT_EQ(text(e), "Nová sekce č 2");
    EXPECT_EQ(e.removed, 2);
    EXPECT_EQ(e.cursor, 14);
    EXPECT_TRUE(isNameCharacter(U'ů'));
    EXPECT_TRUE(isNameCharacter(U'Ď'));
    EXPECT_FALSE(isNameCharacter(U'ä'));
    EXPECT_FALSE(isNameCharacter(U'ł'));
    EXPECT_FALSE(isFileNameCharacter(U' '));
    EXPECT_FALSE(isFileNameCharacter(U'š'));
}

TEST(FileNamesTest, Utf32RoundTrip) {
    const std::string sample = "Žluťoučký kůň € 𝄞";
    EXPECT_EQ(toUtf8(toUtf32(sample)), sample);
    EXPECT_EQ(toUtf32("kůň").size(), 3u);
}

} // namespace
} // namespace arkona::site
