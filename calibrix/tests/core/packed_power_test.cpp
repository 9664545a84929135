#include "calibrix/core/packed_power.h"

#include <cmath>
#include <gtest/gtest.h>

using calibrix::RealToPacked16;

TEST(RealToPacked16, WholeAndHalfPowersOfTwo) {
    EXPECT_EQ(RealToPacked16(1.0f), "0x6C00"); // E = 27, M = 0
    EXPECT_EQ(RealToPacked16(0.5f), "0x6800");
    EXPECT_EQ(RealToPacked16(1.5f), "0x6E00");
    EXPECT_EQ(RealToPacked16(734.5f), "0x91BD");
    EXPECT_EQ(RealToPacked16(4.325e-8f), "0x09CE");
}

TEST(RealToPacked16, RoundingUpCarriesIntoTheExponent) {
    // Fraction rounds to 1024 steps in the 10-bit field.
    EXPECT_EQ(RealToPacked16(1.9999f), "0x7000");
    // Fraction rounds to 65536 in the first, 16-bit, rounding.
    EXPECT_EQ(RealToPacked16(std::nextafter(2.0f, 0.0f)), "0x7000");
    // Half a step is added before rounding to even: 30 steps stay, a part of a step
    // goes up to 31, and an odd 31 becomes 32, which is half a word step and goes up.
    EXPECT_EQ(RealToPacked16(1.0f + 30.0f / 65536), "0x6C00");
    EXPECT_EQ(RealToPacked16(1.0f + 30.25f / 65536), "0x6C00");
    EXPECT_EQ(RealToPacked16(1.0f + 31.0f / 65536), "0x6C01");
}

TEST(RealToPacked16, BelowTheFormatPacksAsZero) {
    EXPECT_EQ(RealToPacked16(1.4e-9f), "0x0000");
    EXPECT_EQ(RealToPacked16(0.0f), "0x0000");
    EXPECT_EQ(RealToPacked16(-1.0f), "0x0000");
    EXPECT_EQ(RealToPacked16(-INFINITY), "0x0000");
    // From 1.5e-9 W up to 2^-27 W the exponent field would be negative.
    EXPECT_EQ(RealToPacked16(1.5e-9f), "0x0000");
    EXPECT_EQ(RealToPacked16(7.4e-9f), "0x0000");
    EXPECT_EQ(RealToPacked16(std::ldexp(1.0f, -27)), "0x0000");
    EXPECT_EQ(RealToPacked16(std::ldexp(1.5f, -27)), "0x0200");
}

TEST(RealToPacked16, TooLargeOrNotANumberHasNoWord) {
    EXPECT_EQ(RealToPacked16(std::ldexp(2047.0f / 1024, 36)), "0xFFFF"); // the largest word
    EXPECT_FALSE(RealToPacked16(std::ldexp(1.0f, 37)));
    EXPECT_FALSE(RealToPacked16(std::nextafter(std::ldexp(1.0f, 37), 0.0f))); // rounds up to 2^37
    EXPECT_FALSE(RealToPacked16(3e38f));
    EXPECT_FALSE(RealToPacked16(INFINITY));
    EXPECT_FALSE(RealToPacked16(NAN));
}
