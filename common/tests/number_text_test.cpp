#include "common/number_text.h"

#include <cmath>

#include <gtest/gtest.h>

using namespace common;

TEST(Val, ReadsTheLeadingNumberAndStops) {
    EXPECT_DOUBLE_EQ(Val("3.5"), 3.5);
    EXPECT_DOUBLE_EQ(Val("  -12.25abc"), -12.25);
    EXPECT_DOUBLE_EQ(Val("1 2"), 12);
    EXPECT_DOUBLE_EQ(Val("\t1\n.5"), 1.5);
    EXPECT_DOUBLE_EQ(Val("1.2.3"), 1.2);
    EXPECT_DOUBLE_EQ(Val("+7"), 7);
    EXPECT_DOUBLE_EQ(Val("0.25w"), 0.25);
    EXPECT_DOUBLE_EQ(Val(".5"), 0.5);
}

TEST(Val, ExponentsInEAndD) {
    EXPECT_DOUBLE_EQ(Val("1E-05"), 1e-5);
    EXPECT_DOUBLE_EQ(Val("2.5d3"), 2500);
    EXPECT_DOUBLE_EQ(Val("4E"), 4);
    EXPECT_DOUBLE_EQ(Val("4Ex"), 4);
}

TEST(Val, HexAndOctalAreSixteenBitSigned) {
    EXPECT_DOUBLE_EQ(Val("&HFF"), 255);
    EXPECT_DOUBLE_EQ(Val("&hFFFF"), -1);
    EXPECT_DOUBLE_EQ(Val("&O17"), 15);
    EXPECT_DOUBLE_EQ(Val("&H1FFFF"), 131071);
}

TEST(Val, NothingNumericReadsZero) {
    EXPECT_EQ(Val(""), 0);
    EXPECT_EQ(Val("abc"), 0);
    EXPECT_EQ(Val("-"), 0);
    EXPECT_EQ(Val("."), 0);
}

TEST(ParseNumber, AcceptsACommaAsTheDecimalSeparator) {
    EXPECT_DOUBLE_EQ(ParseNumber("3,5"), 3.5);
    EXPECT_DOUBLE_EQ(ParseNumber("14"), 14);
    EXPECT_DOUBLE_EQ(ParseNumber(","), 0.000001);
    EXPECT_DOUBLE_EQ(ParseNumber("-,"), -0.000001);
    EXPECT_DOUBLE_EQ(ParseNumber("-,5"), -0.000001);
    EXPECT_DOUBLE_EQ(ParseNumber("-0,5"), -0.5);
    EXPECT_DOUBLE_EQ(ParseNumber("1,2,3"), 1.2);
}

TEST(Format, MasksOfTheSuite) {
    EXPECT_EQ(Format(0.78, "#0.0##"), "0.78");
    EXPECT_EQ(Format(50.0149, "##0.0"), "50.0");
    EXPECT_EQ(Format(1.01, "####.00"), "1.01");
    EXPECT_EQ(Format(0.5, "####.00"), ".50");
    EXPECT_EQ(Format(0.5, "###.0"), ".5");
    EXPECT_EQ(Format(-0.3, "###.0"), "-.3");
    EXPECT_EQ(Format(0.0, "####.0  "), ".0  ");
    EXPECT_EQ(Format(1500.0, "##### W:"), "1500 W:");
    EXPECT_EQ(Format(2.0, "##.00:1"), "2.00:1");
    EXPECT_EQ(Format(1234.5, "#,##0.0"), "1,234.5");
    EXPECT_EQ(Format(11.592, "###0.000"), "11.592");
    EXPECT_EQ(Format(0.0, "######"), "");
    EXPECT_EQ(Format(3.5, "###0.0##"), "3.5");
    EXPECT_EQ(Format(0.33, "##0.00"), "0.33");
    EXPECT_EQ(Format(0.004, "0.00000"), "0.00400");
}

TEST(Format, RoundsHalfAwayFromZeroOnTheDecimalText) {
    EXPECT_EQ(Format(0.125, "0.00"), "0.13");
    EXPECT_EQ(Format(-0.125, "0.00"), "-0.13");
    EXPECT_EQ(Format(2.675, "0.00"), "2.68"); // binary 2.67499999... reads 2.675
    EXPECT_EQ(Format(9.9996, "0.000"), "10.000");
    EXPECT_EQ(Format(0.0001f, "#0.000"), "0.000");
    EXPECT_EQ(Format(1.0049999f, "0.00"), "1.01"); // a single reads 1.005000 at 7 digits
    EXPECT_EQ(Format(1.0049999, "0.00"), "1.00");
    EXPECT_EQ(Format(-0.0001, "0.00"), "0.00");
}

TEST(Format, IntegerDigitsBeyondTheMaskAreKept) {
    EXPECT_EQ(Format(123456.0, "##0.0"), "123456.0");
    EXPECT_EQ(Format(1234567.0, "#,##0"), "1,234,567");
    EXPECT_EQ(Format(7.0, "000"), "007");
}

TEST(PlainNumber, TheRuntimesPrint) {
    EXPECT_EQ(PlainNumber(0.66f), " .66");
    EXPECT_EQ(PlainNumber(-0.33f), "-.33");
    EXPECT_EQ(PlainNumber(50.0f), " 50");
    EXPECT_EQ(PlainNumber(1e-7f), " 1E-07");
    EXPECT_EQ(PlainNumber(0.0f), " 0");
    EXPECT_EQ(PlainNumber(3700.0f), " 3700");
    EXPECT_EQ(PlainNumber(1.391f), " 1.391");
    EXPECT_EQ(PlainNumber(-1500.0), "-1500");
    EXPECT_EQ(PlainNumber(1e7f), " 1E+07");
    EXPECT_EQ(PlainNumber(0.1f), " .1");
}

TEST(PlainNumber, ReadsBackThroughVal) {
    for (float v : {0.66f, -0.33f, 50.01f, 1e-7f, 123456.7f, 0.0001234f, 3.2808399f})
        EXPECT_FLOAT_EQ(static_cast<float>(Val(PlainNumber(v))), v) << PlainNumber(v);
}

TEST(Val, AnUnderflowReadsZeroAnOverflowIsMarkedRefused) {
    EXPECT_EQ(Val("1e-400"), 0);
    EXPECT_EQ(Val("-2.5E-999"), 0);
    EXPECT_EQ(Val("0.0001e-320"), 0);
    EXPECT_EQ(ParseNumber("12,5e-400"), 0);
    EXPECT_EQ(Val("1e-99999999999999999999"), 0);
    EXPECT_DOUBLE_EQ(Val("1e300"), 1e300);
    EXPECT_DOUBLE_EQ(Val("1e-300"), 1e-300);
    EXPECT_EQ(Val("1e400"), HUGE_VAL);
    EXPECT_EQ(Val("-1e400"), -HUGE_VAL);
    EXPECT_EQ(Val("0.01e311"), HUGE_VAL);
    EXPECT_EQ(Val("1e99999999999999999999"), HUGE_VAL);
}
