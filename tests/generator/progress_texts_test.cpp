#include "generator/progress_texts.h"

#include <gtest/gtest.h>

namespace arkona::generator {
namespace {

TEST(ProgressTexts, PercentRoundsHalvesToTheEvenNeighbour) {
    EXPECT_EQ(roundedPercent(1, 8), 12); // 12.5
    EXPECT_EQ(roundedPercent(3, 8), 38); // 37.5
    EXPECT_EQ(roundedPercent(5, 8), 62); // 62.5
    EXPECT_EQ(roundedPercent(1, 3), 33);
    EXPECT_EQ(roundedPercent(2, 3), 67);
    EXPECT_EQ(roundedPercent(7, 7), 100);
    EXPECT_EQ(roundedPercent(1, 200), 0); // 0.5
    EXPECT_EQ(roundedPercent(3, 200), 2); // 1.5
    EXPECT_EQ(roundedPercent(0, 0), 0);
}

TEST(ProgressTexts, StateLine) {
    EXPECT_EQ(stateLine(1, 8), " strana 1 z 8   ( 12 % )");
    EXPECT_EQ(stateLine(7, 7), " strana 7 z 7   ( 100 % )");
    EXPECT_EQ(stateLine(1, 3), " strana 1 z 3   ( 33 % )");
}

TEST(ProgressTexts, DurationsShowTheLargerUnitsOnlyWhenNeeded) {
    EXPECT_EQ(durationText(3725), " 1 hod. 2 min. 5 sek.");
    EXPECT_EQ(durationText(3600), " 1 hod. 0 min. 0 sek.");
    EXPECT_EQ(durationText(125), " 2 min. 5 sek.");
    EXPECT_EQ(durationText(60), " 1 min. 0 sek.");
    EXPECT_EQ(durationText(59), " 59 sek.");
    EXPECT_EQ(durationText(0), " 0 sek.");
}

TEST(ProgressTexts, Labels) {
    EXPECT_EQ(fileLabel("\\zbozi\\caje", "zelene"), " \\zbozi\\caje\\zelene.htm");
    EXPECT_EQ(fileLabel("", "uvod"), " \\uvod.htm");
    EXPECT_EQ(pageLabel("Čaje"), " Čaje");
}

TEST(RunClock, EstimatesTheRestFromThePagesDone) {
    RunClock clock;
    // Nothing done yet: no estimate.
    auto t = clock.tick(100, 100);
    EXPECT_EQ(t.remaining, " 0 sek.");
    EXPECT_EQ(t.elapsed, " 1 sek.");
    // One tick so far, 10 of 100 pages done: 1 × 90 / 10 = 9 seconds.
    t = clock.tick(100, 90);
    EXPECT_EQ(t.remaining, " 9 sek.");
    EXPECT_EQ(t.elapsed, " 2 sek.");
    // Two ticks, 1 of 3000 done: 2 × 2999 / 1 = 5998 seconds.
    t = clock.tick(3000, 2999);
    EXPECT_EQ(t.remaining, " 1 hod. 39 min. 58 sek.");
    EXPECT_EQ(clock.ticks(), 3);
}

TEST(RunClock, ElapsedTimeCarriesIntoMinutesAndHours) {
    RunClock clock;
    RunClock::Texts t;
    for (int i = 0; i < 3725; ++i) {
        t = clock.tick(10, 5);
    }
    EXPECT_EQ(t.elapsed, " 1 hod. 2 min. 5 sek.");
    // 3724 ticks before this one, 5 of 10 done: 3724 × 5 / 5.
    EXPECT_EQ(t.remaining, " 1 hod. 2 min. 4 sek.");
}

} // namespace
} // namespace arkona::generator
