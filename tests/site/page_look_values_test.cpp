#include "site/page_look_colour.h"
#include "site/page_look_width.h"

#include <gtest/gtest.h>

namespace arkona::site {
namespace {

TEST(ColourValue, TypedTextKeepsOnlyHexDigits) {
    std::string typed = "1g2";
    EXPECT_TRUE(keepHexDigits(typed));
    EXPECT_EQ(typed, "12");
    typed = "aB09fF";
    EXPECT_FALSE(keepHexDigits(typed));
    EXPECT_EQ(typed, "aB09fF");
    typed = "#ščř 0x";
    EXPECT_TRUE(keepHexDigits(typed));
    EXPECT_EQ(typed, "0");
}

TEST(ColourValue, ALeftFieldIsPaddedAndUpperCased) {
    EXPECT_EQ(normaliseColour("f0"), "F00000");
    EXPECT_EQ(normaliseColour(""), "000000");
    EXPECT_EQ(normaliseColour("   "), "000000");
    EXPECT_EQ(normaliseColour(" ab "), "AB0000");
    EXPECT_EQ(normaliseColour("12"), "120000");
    EXPECT_EQ(normaliseColour("fffffe"), "FFFFFE");
    // A hand-edited value never brings other characters or more digits into the column.
    EXPECT_EQ(normaliseColour("#12345678"), "123456");
    EXPECT_EQ(normaliseColour("zz"), "000000");
}

TEST(ColourValue, ScreenColoursAreWrittenRedGreenBlue) {
    EXPECT_EQ(colourText({255, 0, 0}), "FF0000");
    EXPECT_EQ(colourText({0, 0, 255}), "0000FF");
    EXPECT_EQ(colourText({18, 52, 171}), "1234AB");
    EXPECT_EQ(colourText({-3, 300, 16}), "00FF10");
    EXPECT_EQ(colourRgb("FF0000"), (Rgb{255, 0, 0}));
    EXPECT_EQ(colourRgb("1234ab"), (Rgb{18, 52, 171}));
    EXPECT_FALSE(colourRgb("12345").has_value());
    EXPECT_FALSE(colourRgb("").has_value());
    EXPECT_FALSE(colourRgb("GG0000").has_value());
}

TEST(ColourValue, ThePaletteInItsOrder) {
    const auto& palette = colourPalette();
    ASSERT_EQ(palette.size(), 16u);
    EXPECT_STREQ(palette[0].caption, "bílá");
    EXPECT_STREQ(palette[0].value, "FFFFFF");
    EXPECT_STREQ(palette[12].caption, "tmavě modrá");
    EXPECT_STREQ(palette[12].value, "000080");
    EXPECT_STREQ(palette[15].caption, "černá");
    EXPECT_STREQ(palette[15].value, "000000");
    for (const auto& c : palette) {
        EXPECT_TRUE(colourRgb(c.value).has_value()) << c.caption;
    }
}

TEST(NavigationWidth, PercentAndPixelsAsShown) {
    NavigationWidth w = parseNavigationWidth("25%");
    EXPECT_EQ(w, (NavigationWidth{WidthUnit::Percent, 25}));
    EXPECT_EQ(sliderPosition(w), 25);
    w = switchUnit(w, WidthUnit::Pixels);
    EXPECT_EQ(w, (NavigationWidth{WidthUnit::Pixels, 200}));
    EXPECT_EQ(formatNavigationWidth({WidthUnit::Pixels, 201}), "201");

    w = parseNavigationWidth("160");
    EXPECT_EQ(w, (NavigationWidth{WidthUnit::Pixels, 160}));
    EXPECT_EQ(sliderPosition(w), 20);
    EXPECT_EQ(switchUnit({WidthUnit::Pixels, 203}, WidthUnit::Percent),
              (NavigationWidth{WidthUnit::Percent, 25}));
    EXPECT_EQ(formatNavigationWidth({WidthUnit::Percent, 25}), "25%");
}

TEST(NavigationWidth, EmptyOddAndOutOfRangeValues) {
    EXPECT_EQ(parseNavigationWidth(""), (NavigationWidth{WidthUnit::Percent, 20}));
    EXPECT_EQ(parseNavigationWidth("   "), (NavigationWidth{WidthUnit::Percent, 20}));
    EXPECT_EQ(parseNavigationWidth("abc%"), (NavigationWidth{WidthUnit::Percent, 20}));
    EXPECT_EQ(parseNavigationWidth("12.5%"), (NavigationWidth{WidthUnit::Percent, 20}));
    EXPECT_EQ(parseNavigationWidth(" 30 %"), (NavigationWidth{WidthUnit::Percent, 30}));
    EXPECT_EQ(parseNavigationWidth("abc"), (NavigationWidth{WidthUnit::Pixels, 160}));
    EXPECT_EQ(parseNavigationWidth("150%"), (NavigationWidth{WidthUnit::Percent, 100}));
    EXPECT_EQ(parseNavigationWidth("900"), (NavigationWidth{WidthUnit::Pixels, 800}));
    EXPECT_EQ(parseNavigationWidth("-5"), (NavigationWidth{WidthUnit::Pixels, 0}));
    EXPECT_EQ(parseNavigationWidth("99999999999999"), (NavigationWidth{WidthUnit::Pixels, 160}));
    EXPECT_EQ(switchUnit({WidthUnit::Percent, 100}, WidthUnit::Pixels),
              (NavigationWidth{WidthUnit::Pixels, 800}));
    EXPECT_EQ(switchUnit({WidthUnit::Percent, 40}, WidthUnit::Percent),
              (NavigationWidth{WidthUnit::Percent, 40}));
    EXPECT_EQ(maximumOf(WidthUnit::Percent), 100);
    EXPECT_EQ(maximumOf(WidthUnit::Pixels), 800);
}

} // namespace
} // namespace arkona::site
