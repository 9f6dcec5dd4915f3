#include "site/relative_path.h"

#include <gtest/gtest.h>

namespace arkona::site {
namespace {

TEST(RelativePathTest, ExamplesBetweenFoldersOfTheSite) {
    EXPECT_EQ(RelativePath("/sekce", "/_images"), "../_images/");
    EXPECT_EQ(RelativePath("", "/_images"), "./_images/");
    EXPECT_EQ(RelativePath("/a/b", ""), "../../");
    EXPECT_EQ(RelativePath("/a/b", "/a/c"), "../c/");
    EXPECT_EQ(RelativePath("/a/b", "/a"), "../");
    EXPECT_EQ(RelativePath("/a", "/a/b/c"), "./b/c/");
}

TEST(RelativePathTest, RootAndEqualFoldersGiveNothing) {
    EXPECT_EQ(RelativePath("", ""), "");
    EXPECT_EQ(RelativePath("/", ""), "");
    EXPECT_EQ(RelativePath("/", "/"), "");
    EXPECT_EQ(RelativePath("/a/b", "/a/b"), "");
    // A trailing slash or a missing leading one names the same folder.
    EXPECT_EQ(RelativePath("a/b/", "/a/b"), "");
    EXPECT_EQ(RelativePath("/", "/x"), "./x/");
    EXPECT_EQ(RelativePath("/x/", "/"), "../");
}

TEST(RelativePathTest, ComponentsCompareExactly) {
    // Web servers tell "Zbozi" from "zbozi"; so does the rule.
    EXPECT_EQ(RelativePath("/Zbozi/caje", "/zbozi/kava"), "../../zbozi/kava/");
    // "ab" is not "a" followed by something.
    EXPECT_EQ(RelativePath("/ab", "/a"), "../a/");
}

} // namespace
} // namespace arkona::site
