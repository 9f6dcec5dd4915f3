#include "catalogue/code_set.h"

#include <gtest/gtest.h>

namespace arkona::catalogue {
namespace {

using Strings = std::vector<std::string>;

TEST(CodeSet, MembersAreTrimmedAndCompareWithoutLetterCase) {
    CodeSet codes{" AB ", "čaj-1", "A\"B'C", "", "ab"};
    EXPECT_EQ(codes.codes(), (Strings{"AB", "čaj-1", "A\"B'C"}));
    EXPECT_TRUE(codes.contains("ab"));
    EXPECT_TRUE(codes.contains("AB   "));
    EXPECT_TRUE(codes.contains("ČAJ-1"));
    EXPECT_TRUE(codes.contains("a\"b'c"));
    EXPECT_FALSE(codes.contains("ABC"));
    EXPECT_FALSE(codes.contains("A"));
    EXPECT_FALSE(codes.contains(""));
    EXPECT_FALSE(codes.add("Čaj-1"));
    EXPECT_EQ(codes.size(), 3u);
}

TEST(CodeSet, BatchesKeepTheListOrder) {
    CodeSet codes;
    for (int i = 250; i >= 1; --i) {
        codes.add("K" + std::to_string(i));
    }
    const auto batches = codes.batches();
    ASSERT_EQ(batches.size(), 3u);
    EXPECT_EQ(batches[0].size(), 100u);
    EXPECT_EQ(batches[1].size(), 100u);
    EXPECT_EQ(batches[2].size(), 50u);
    EXPECT_EQ(batches[0].codes().front(), "K250");
    EXPECT_EQ(batches[1].codes().front(), "K150");
    EXPECT_EQ(batches[2].codes().back(), "K1");
    EXPECT_TRUE(batches[2].contains("k1"));
    EXPECT_FALSE(batches[2].contains("K51"));
    EXPECT_TRUE(CodeSet().batches().empty());
}

TEST(CodeSet, DisplayTextQuotesEachCode) {
    EXPECT_EQ((CodeSet{"AB", "A\"B", "A\"B'C", "O'B"}).displayText(),
              "\"AB\", 'A\"B', 'A\"B''C', \"O'B\"");
}

} // namespace
} // namespace arkona::catalogue
