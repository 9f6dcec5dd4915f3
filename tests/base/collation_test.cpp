#include "base/collation.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace arkona::text {
namespace {

const std::vector<std::string> kCzechOrder = {
    "Adam",  "bába", "cukr", "čaj",  "čep", "ďábel", "dům", "hrách", "hrušky", "chléb",
    "chudý", "ibis", "rum",  "řepa", "sýr", "šunka", "tuk", "zelí",  "žito",
};

TEST(Collation, CzechWordsSortInDictionaryOrder) {
    std::vector<std::string> words = kCzechOrder;
    std::reverse(words.begin(), words.end());
    std::rotate(words.begin(), words.begin() + 7, words.end());
    const CzechCollator& collator = CzechCollator::instance();
    std::sort(words.begin(), words.end(),
              [&](const std::string& a, const std::string& b) { return collator.less(a, b); });
    EXPECT_EQ(words, kCzechOrder);
}

TEST(Collation, SortKeysOrderLikeCompare) {
    const CzechCollator& collator = CzechCollator::instance();
    std::vector<std::string> words = kCzechOrder;
    std::reverse(words.begin(), words.end());
    std::sort(words.begin(), words.end(), [&](const std::string& a, const std::string& b) {
        return collator.sortKey(a) < collator.sortKey(b);
    });
    EXPECT_EQ(words, kCzechOrder);
    EXPECT_EQ(collator.sortKey("chléb"), collator.sortKey("chléb"));
    EXPECT_NE(collator.sortKey("Chléb"), collator.sortKey("chléb"));
    EXPECT_LT(collator.sortKey(""), collator.sortKey("a"));
}

TEST(Collation, CaseAndAccentOnlyBreakTies) {
    const CzechCollator& collator = CzechCollator::instance();
    EXPECT_EQ(collator.compare("chléb", "chléb"), 0);
    EXPECT_LT(collator.compare("chléb", "Chléb"), 0);
    EXPECT_GT(collator.compare("Chléb", "chléb"), 0);
    // Case does not outweigh the letters: "Cukr" still sorts before "čaj".
    EXPECT_LT(collator.compare("Cukr", "čaj"), 0);
    EXPECT_LT(collator.compare("Hrách", "chléb"), 0);
    // "é" vs "e" is only a tie-breaker; "lék" comes before "lepidlo".
    EXPECT_LT(collator.compare("lék", "lepidlo"), 0);
    EXPECT_LT(collator.compare("lek", "lék"), 0);
}

} // namespace
} // namespace arkona::text
