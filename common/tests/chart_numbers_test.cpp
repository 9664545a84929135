#include "common/axis_ticks.h"
#include "common/series_csv.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace common;
using Ticks = std::vector<double>;

TEST(AxisTicks, MultiplesOfTheIntervalWithinTheRange) {
    EXPECT_EQ(AxisTicks(0, 34, 5), (Ticks{0, 5, 10, 15, 20, 25, 30}));
    EXPECT_EQ(AxisTicks(-12.66, 7.34, 5), (Ticks{-10, -5, 0, 5}));
    // Counted, not summed: the tenth step is 1, not 0.9999999999999999, and no -0.
    Ticks tenths = AxisTicks(-0.3, 1, 0.1);
    ASSERT_EQ(tenths.size(), 14u);
    EXPECT_EQ(tenths.back(), 1.0);
    EXPECT_FALSE(std::signbit(tenths[3]));
    // Ends a hair off a multiple still get their tick.
    EXPECT_EQ(AxisTicks(0, 0.3 - 1e-12, 0.1).size(), 4u);
}

TEST(AxisTicks, UnusableIntervalsFallBackToANiceStep) {
    EXPECT_EQ(AxisTicks(0, 100, 0), (Ticks{0, 20, 40, 60, 80, 100}));
    EXPECT_EQ(AxisTicks(0, 100, -5), AxisTicks(0, 100, 0));
    EXPECT_EQ(AxisTicks(0, 100, std::nan("")), AxisTicks(0, 100, 0));
    EXPECT_EQ(AxisTicks(0, 1e9, 1e-3).size(), 6u) << "a billion labels asked for";
    EXPECT_EQ(AxisTicks(7.3, 7.9, 5).size(), 7u) << "a step with no tick in the range";
    // Far from zero a step is below the spacing of doubles: still a bounded answer.
    EXPECT_LE(AxisTicks(1e20, 1e20 + 1e5, 0).size(), size_t(MaxAxisTicks));
    EXPECT_TRUE(AxisTicks(5, 5, 1).empty());
    EXPECT_TRUE(AxisTicks(0, std::numeric_limits<double>::infinity(), 1).empty());
}

TEST(AxisTicks, AutomaticMaskShowsTheDecimalsOfTheStep) {
    EXPECT_EQ(MaskForInterval(5), "#,##0");
    EXPECT_EQ(MaskForInterval(0.5), "#,##0.0");
    EXPECT_EQ(MaskForInterval(0.25), "#,##0.00");
    EXPECT_EQ(MaskForInterval(0.1 + 0.2), "#,##0.0");
    EXPECT_EQ(MaskForInterval(1e-9), "#,##0.000000");
}

TEST(SeriesCsv, SharedXColumnsGroupsOfTheirOwnAndQuotedNames) {
    std::vector<SeriesPoints> series = {
        {"Slot 1", {0, 0.25, 0.5}, {-30, 7.599999904632568, 8}, false, true},
        {"Slot \"B\"", {0, 0.25, 0.5}, {-30, 1.5, std::nan("")}},
        {"Stats", {1, 2}, {12.5, -0.0}},
    };
    EXPECT_EQ(SeriesCsv("Takeoff Angle, Degrees", series),
              "\"Takeoff Angle, Degrees\",Slot 1,\"Slot \"\"B\"\"\",\"Takeoff Angle, Degrees\","
              "Stats\n"
              "0,-30,-30,1,12.5\n"
              "0.25,7.6,1.5,2,0\n"
              "0.5,8,,,\n");
}

TEST(SeriesCsv, DoublesKeepEveryDigitAndNothingGivesAHeaderOnly) {
    EXPECT_EQ(SeriesCsv("MHz", {{"Gain", {14.0}, {0.1 + 0.2}}}),
              "MHz,Gain\n14,0.30000000000000004\n");
    EXPECT_EQ(SeriesCsv("x", {}), "\n");
}
