#include "base/locale.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace arkona {
namespace {

const std::string kNbsp = "\u00A0";

TEST(Locale, CzechDatesAndTimes) {
    const Locale cz = Locale::czech();
    EXPECT_EQ(cz.formatDate({2026, 12, 9}), "9.12.2026");
    EXPECT_EQ(cz.formatDate({2026, 1, 31}), "31.1.2026");
    EXPECT_EQ(cz.formatTime({10, 15, 23}), "10:15:23");
    EXPECT_EQ(cz.formatTime({7, 5, 3}), "07:05:03");
    EXPECT_EQ(cz.formatDateTime({2026, 12, 9}, {0, 0, 9}), "9.12.2026 00:00:09");

    Locale padded = cz;
    padded.shortDateFormat = "dd.mm.yyyy";
    padded.longTimeFormat = "h:nn";
    EXPECT_EQ(padded.formatDate({2026, 2, 3}), "03.02.2026");
    EXPECT_EQ(padded.formatTime({7, 5, 3}), "7:05");
}

TEST(Locale, ParseDateOfTheShortFormat) {
    const Locale cz = Locale::czech();
    EXPECT_EQ(cz.parseDate("9.12.2026"), (Date{2026, 12, 9}));
    EXPECT_EQ(cz.parseDate(" 09.02.2024 "), (Date{2024, 2, 9}));
    EXPECT_EQ(cz.parseDate("29.2.2024"), (Date{2024, 2, 29}));
    EXPECT_FALSE(cz.parseDate("29.2.2025"));
    EXPECT_FALSE(cz.parseDate("31.4.2026"));
    EXPECT_FALSE(cz.parseDate("9.12."));
    EXPECT_FALSE(cz.parseDate("9.12.2026 10:00"));
    EXPECT_FALSE(cz.parseDate("9/12/2026"));
    EXPECT_FALSE(cz.parseDate(""));
    EXPECT_FALSE(cz.parseDate("abc"));
}

TEST(Locale, DateValidity) {
    EXPECT_TRUE((Date{2000, 2, 29}).valid());
    EXPECT_FALSE((Date{1900, 2, 29}).valid());
    EXPECT_FALSE((Date{2026, 13, 1}).valid());
    EXPECT_FALSE((Date{2026, 0, 1}).valid());
    EXPECT_FALSE((Date{2026, 12, 0}).valid());
    EXPECT_FALSE(Date{}.valid());
    EXPECT_LT((Date{2026, 1, 31}), (Date{2026, 2, 1}));
}

TEST(Locale, TodayIsTheLocalCalendarDate) {
    const auto before = test::runCommand("date +%Y-%m-%d");
    const Date today = Date::today();
    const auto after = test::runCommand("date +%Y-%m-%d");
    ASSERT_EQ(before.exitCode, 0);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d\n", today.year, today.month, today.day);
    EXPECT_TRUE(before.out == text || after.out == text) << text;
    const TimeOfDay now = TimeOfDay::now();
    EXPECT_TRUE(now.hour >= 0 && now.hour < 24 && now.minute >= 0 && now.minute < 60 &&
                now.second >= 0 && now.second < 60);
}

TEST(Locale, FormatGeneralNumber) {
    const Locale cz = Locale::czech();
    EXPECT_EQ(cz.formatGeneral(-10.0 / 3), "-3,33333333333333");
    EXPECT_EQ(cz.formatGeneral(-20.0 / 3), "-6,66666666666667");
    EXPECT_EQ(cz.formatGeneral(0), "0");
    EXPECT_EQ(cz.formatGeneral(-0.0), "0");
    EXPECT_EQ(cz.formatGeneral(12.5), "12,5");
    EXPECT_EQ(cz.formatGeneral(120), "120");
    EXPECT_EQ(cz.formatGeneral(0.1 + 0.2), "0,3"); // 15 digits hide the binary tail
    EXPECT_EQ(cz.formatGeneral(46.875), "46,875");
    EXPECT_EQ(cz.formatGeneral(0.00001), "0,00001");
    EXPECT_EQ(cz.formatGeneral(0.0000015), "1,5E-6");
    EXPECT_EQ(cz.formatGeneral(123456789012345.0), "123456789012345");
    EXPECT_EQ(cz.formatGeneral(1234567890123456.0), "1,23456789012346E15");
    EXPECT_EQ(cz.formatGeneral(1e20), "1E20");
    EXPECT_EQ(cz.formatGeneral(999999999999999.9), "1E15"); // rounding carries into a new digit
    EXPECT_EQ(cz.formatGeneral(0.000123), "0,000123");
    Locale dot = cz;
    dot.decimalSeparator = '.';
    EXPECT_EQ(dot.formatGeneral(-2.25), "-2.25");
}

TEST(Locale, FormatNumber) {
    const Locale cz = Locale::czech();
    EXPECT_EQ(cz.formatNumber(1234.5, 2), "1234,50");
    EXPECT_EQ(cz.formatNumber(1234.5, 2, true), "1" + kNbsp + "234,50");
    EXPECT_EQ(cz.formatNumber(1234567.891, 2, true), "1" + kNbsp + "234" + kNbsp + "567,89");
    EXPECT_EQ(cz.formatNumber(123456, 0, true), "123" + kNbsp + "456");
    EXPECT_EQ(cz.formatNumber(999, 0, true), "999");
    EXPECT_EQ(cz.formatNumber(-1234.5, 0, true), "-1" + kNbsp + "235");
    EXPECT_EQ(cz.formatNumber(0, 2), "0,00");
    EXPECT_EQ(cz.formatNumber(7, 1), "7,0");
    // Halves of the written value round up, even where the binary value lies just below.
    EXPECT_EQ(cz.formatNumber(2.675, 2), "2,68");
    EXPECT_EQ(cz.formatNumber(1.005, 2), "1,01");
    EXPECT_EQ(cz.formatNumber(0.5, 0), "1");
    EXPECT_EQ(cz.formatNumber(999.995, 2, true), "1" + kNbsp + "000,00");
    EXPECT_EQ(cz.formatNumber(0.004, 2), "0,00");
    EXPECT_EQ(cz.formatNumber(-0.001, 2), "0,00"); // no "-0,00"
    EXPECT_EQ(cz.formatNumber(1e16, 0), "10000000000000000");
}

TEST(Locale, ParseNumber) {
    const Locale cz = Locale::czech();
    EXPECT_EQ(cz.parseNumber("12,5"), 12.5);
    EXPECT_EQ(cz.parseNumber("12.5"), 12.5);
    EXPECT_EQ(cz.parseNumber(" 1 234,5 "), 1234.5);
    EXPECT_EQ(cz.parseNumber("1" + kNbsp + "234" + kNbsp + "567"), 1234567.0);
    EXPECT_EQ(cz.parseNumber("-3"), -3.0);
    EXPECT_EQ(cz.parseNumber("+3"), 3.0);
    EXPECT_EQ(cz.parseNumber(",5"), 0.5);
    EXPECT_EQ(cz.parseNumber("0"), 0.0);
    for (const char* bad : {"", "   ", "abc", "1,2,3", "1.2,3", "12a", "-", "1e5", "--1", "12 5",
                            "1234 567", "1 23,5", "1 2345", "1, 5", "- 1"}) {
        EXPECT_FALSE(cz.parseNumber(bad)) << bad;
    }
}

TEST(Locale, CurrentCanBePinned) {
    Locale english = Locale::czech();
    english.decimalSeparator = '.';
    english.shortDateFormat = "yyyy-mm-dd";
    Locale::setCurrent(english);
    EXPECT_EQ(Locale::current().formatNumber(2.5, 1), "2.5");
    EXPECT_EQ(Locale::current().formatDate({2026, 12, 9}), "2026-12-09");
    EXPECT_EQ(Locale::current().parseDate("2026-12-09"), (Date{2026, 12, 9}));
    Locale::setCurrent(Locale::czech());
    EXPECT_EQ(Locale::current().formatNumber(2.5, 1), "2,5");
}

} // namespace
} // namespace arkona
