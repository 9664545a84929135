#include "calibrix/core/number_style.h"

#include <gtest/gtest.h>

using calibrix::FormatPower;
using calibrix::NumberStyle;
using calibrix::ReadNumber;

namespace {
const NumberStyle English{".", ",", true};
const NumberStyle German{",", ".", true};
const NumberStyle NoLeadingZero{".", "", false};
} // namespace

TEST(FormatPower, UnitsAndDecimals) {
    EXPECT_EQ(FormatPower(0.00004365, English), "43.65 uW");
    EXPECT_EQ(FormatPower(2.5, English), "2.500 W");
    EXPECT_EQ(FormatPower(734.5, English), "734.5 W");
    EXPECT_EQ(FormatPower(0.0125, English), "12.50 mW");
    EXPECT_EQ(FormatPower(4.325e-8, English), "43.25 nW");
    EXPECT_EQ(FormatPower(1e-12, English), "0.001 nW");
    EXPECT_EQ(FormatPower(0, English), "0.000 nW");
}

TEST(FormatPower, RegionalStyle) {
    EXPECT_EQ(FormatPower(12345.67, English), "12,345.7 W");
    EXPECT_EQ(FormatPower(12345.67, German), "12.345,7 W");
    EXPECT_EQ(FormatPower(12345.67, NumberStyle{}), "12345.7 W");
    EXPECT_EQ(FormatPower(5e-10, NoLeadingZero), ".500 nW");
}

TEST(ReadNumber, NumbersInTheStyle) {
    EXPECT_EQ(ReadNumber("0.1", English), 0.1);
    EXPECT_EQ(ReadNumber(" -43.64 ", English), -43.64);
    EXPECT_EQ(ReadNumber("+.5", English), 0.5);
    EXPECT_EQ(ReadNumber("2.", English), 2.0);
    EXPECT_EQ(ReadNumber("1e-3", English), 0.001);
    EXPECT_EQ(ReadNumber("1,234,567.5", English), 1234567.5);
    EXPECT_EQ(ReadNumber("0,1", German), 0.1);
    EXPECT_EQ(ReadNumber("1.000", German), 1000.0);
}

TEST(ReadNumber, NotNumbers) {
    for (const char* text : {"", " ", "-", ".", "abc", "0.1x", "1e", "1e+", "inf", "nan", "0x10",
                             "1,5", "12,34", "1234,567", ",123", "1e999"})
        EXPECT_FALSE(ReadNumber(text, English)) << text;
    // A point is German grouping, and "0.1" is not a grouped number.
    EXPECT_FALSE(ReadNumber("0.1", German));
    EXPECT_FALSE(ReadNumber("1,000", NumberStyle{}));
}
