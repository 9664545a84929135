// Geometry and excitation, the current solution and the far field, on the
// worked antennas.

#include "engine_library.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>

using namespace yoruk_test;

namespace {

Uniform TwoElement() {
    Uniform u;
    u.elementCount = 2;
    u.drivenElement = 2;
    u.halfLength[0] = 0.255f * TestWavelength;
    u.halfLength[1] = 0.24f * TestWavelength;
    u.diameter[0] = u.diameter[1] = 0.001f * TestWavelength;
    u.spacing[0] = 0.15f * TestWavelength;
    return u;
}

} // namespace

TEST(Setmat, GeometryInWavelengths) {
    Uniform u = LongYagi(5);
    const Point p = Solve(u, TestFrequency);
    float boom = 0;
    for (int i = 0; i < 4; ++i) boom += u.spacing[i] / TestWavelength;
    EXPECT_NEAR(p.geometry[0 + 50 * 4], boom, 1e-5f);
    for (int i = 0; i < 5; ++i) {
        EXPECT_FLOAT_EQ(p.geometry[i + 50 * i], u.diameter[i] * 0.5f / TestWavelength);
        EXPECT_FLOAT_EQ(p.halfLengthWl[i], u.halfLength[i] / TestWavelength);
        for (int j = 0; j < 5; ++j) EXPECT_EQ(p.geometry[i + 50 * j], p.geometry[j + 50 * i]);
        for (int j = i + 1; j + 1 < 5; ++j)
            EXPECT_LT(p.geometry[i + 50 * j], p.geometry[i + 50 * (j + 1)]);
    }
}

TEST(Setmat, ScalingLengthsAndFrequencyTogetherChangesNothing) {
    Uniform u = LongYagi(4);
    Uniform scaled = u;
    for (int i = 0; i < 4; ++i) {
        scaled.halfLength[i] *= 4;
        scaled.diameter[i] *= 4;
        scaled.spacing[i] *= 4;
    }
    const Point a = Solve(u, TestFrequency);
    const Point b = Solve(scaled, TestFrequency / 4);
    EXPECT_NEAR(a.geometry[0 + 50 * 3], b.geometry[0 + 50 * 3], 1e-5f);
    EXPECT_NEAR(a.halfLengthWl[2], b.halfLengthWl[2], 1e-6f);
    EXPECT_NEAR(a.resistance, b.resistance, 0.01f);
    EXPECT_NEAR(a.reactance, b.reactance, 0.01f);
}

TEST(Setmat, SelfIntervalsFollowElementOneOnly) {
    // A wavelength of exactly 1024 inches, so that the thresholds are met exactly.
    const float frequency = 11802.85f / 1024;
    auto feed = [&](float diameter1, float diameter2) {
        Uniform u = TwoElement();
        u.halfLength[0] = 0.255f * 1024;
        u.halfLength[1] = 0.24f * 1024;
        u.spacing[0] = 0.15f * 1024;
        u.diameter[0] = diameter1;
        u.diameter[1] = diameter2;
        const Point p = Solve(u, frequency);
        return std::complex<float>(p.resistance, p.reactance);
    };
    const float thin = 0.001f * 1024;
    const float thinner = 0.0005f * 1024;
    const auto at = feed(thin, thin);
    const auto above = feed(std::nextafter(thin, 2.0f), thin);
    const auto below = feed(std::nextafter(thin, 0.0f), thin);
    EXPECT_LT(std::abs(at - above), 0.01f) << "0.001 wavelength still takes 100 intervals";
    EXPECT_GT(std::abs(at - below), 0.1f) << "just below takes 300";
    const auto atHalf = feed(thinner, thin);
    const auto belowHalf = feed(std::nextafter(thinner, 0.0f), thin);
    EXPECT_GT(std::abs(atHalf - belowHalf), 0.05f) << "300 against 500 intervals";
    // The thickness of element 2 does not choose the intervals.
    EXPECT_LT(
        std::abs(feed(thin, thin * 1.0001f) - feed(thin, std::nextafter(thin * 0.9999f, 0.0f))),
        0.05f);
}

TEST(Yagi3, DipoleIsContinuousThroughQuarterWave) {
    const Point low = Solve(Dipole(0.2499f), TestFrequency);
    const Point mid = Solve(Dipole(0.25f), TestFrequency);
    const Point high = Solve(Dipole(0.2501f), TestFrequency);
    EXPECT_EQ(mid.status, YORUK_OK);
    EXPECT_NEAR(mid.resistance, 81.7f, 0.1f);
    EXPECT_NEAR(mid.reactance, 41.7f, 0.15f);
    EXPECT_NEAR(mid.gain, 2.14f, 0.02f);
    // Smooth: the middle lies on the line through its neighbours.
    EXPECT_NEAR(mid.resistance, (low.resistance + high.resistance) / 2, 0.02f);
    EXPECT_NEAR(mid.reactance, (low.reactance + high.reactance) / 2, 0.02f);
    EXPECT_LT(low.reactance, mid.reactance);
    EXPECT_LT(mid.reactance, high.reactance);
    EXPECT_NEAR(high.reactance - low.reactance, 0.9f, 0.2f);
}

TEST(Yagi3, ShortDipole) {
    const Point p = Solve(Dipole(0.24f), TestFrequency);
    EXPECT_NEAR(p.resistance, 71.6f, 0.1f);
    EXPECT_NEAR(p.reactance, -2.3f, 0.1f);
}

TEST(Yagi3, CapacityOfFiftyAndOneElements) {
    const Point p = Solve(LongYagi(50), TestFrequency);
    EXPECT_EQ(p.status, YORUK_OK);
    EXPECT_TRUE(std::isfinite(p.resistance) && std::isfinite(p.reactance));
    EXPECT_GT(p.gain, Solve(LongYagi(10), TestFrequency).gain + 4);
    EXPECT_FLOAT_EQ(p.geometry[49 + 50 * 49], 0.002f);
    EXPECT_NEAR(p.geometry[0 + 50 * 49], 0.2f + 48 * 0.3f, 1e-3f);
    EXPECT_GT(p.halfLengthWl[49], 0.2f);
    Uniform tooMany = LongYagi(50);
    tooMany.elementCount = 51;
    const Point refused = Solve(tooMany, TestFrequency);
    EXPECT_EQ(refused.status, YORUK_INVALID_ARGUMENT);
    EXPECT_TRUE(std::isnan(refused.gain));
    // One element is a 2 x 2 system: the dipole.
    const Point dipole = Solve(Dipole(0.24f), TestFrequency);
    EXPECT_EQ(dipole.status, YORUK_OK);
    EXPECT_EQ(dipole.geometry[1], 0);
}

TEST(Yagi3, NumericalTroubleIsReported) {
    Uniform u = TwoElement();
    u.halfLength[0] = 0;
    Point p = Solve(u, TestFrequency);
    EXPECT_EQ(p.status, YORUK_NUMERICAL_TROUBLE);
    u = TwoElement();
    u.spacing[0] = 0;
    p = Solve(u, TestFrequency);
    EXPECT_EQ(p.status, YORUK_NUMERICAL_TROUBLE);
    EXPECT_FALSE(std::isfinite(p.resistance));
    u = TwoElement(); // a boom far beyond any phase a float can hold
    u.spacing[0] = 1e13f;
    EXPECT_EQ(Solve(u, TestFrequency).status, YORUK_NUMERICAL_TROUBLE);
    // The next sound solution is unaffected.
    EXPECT_EQ(Solve(TwoElement(), TestFrequency).status, YORUK_OK);
}

TEST(Fldfac2, TwoElementYagi) {
    const Point p = Solve(TwoElement(), TestFrequency);
    EXPECT_NEAR(p.resistance, 50.9f, 0.1f);
    EXPECT_NEAR(p.reactance, 30.9f, 0.1f);
    EXPECT_NEAR(p.gain, 5.94f, 0.02f);
    EXPECT_NEAR(p.frontToBack, 10.7f, 0.05f);
    EXPECT_EQ(p.azimuth[0], 0);
    EXPECT_EQ(p.elevation[0], 0);
    EXPECT_EQ(p.takeoffIndex, 1);
    EXPECT_GE(p.rearLobeIndex, 91);
    EXPECT_LE(p.rearLobeIndex, 178);
    EXPECT_EQ(p.frontToRear, p.azimuth[p.rearLobeIndex - 1]);
}

TEST(Fldfac2, RepeatsWithoutChangingTheSolution) {
    const Uniform u = TwoElement();
    Point first = Solve(u, TestFrequency);
    Point again = first;
    FarField(u, TestFrequency, 0, again);
    EXPECT_EQ(again.gain, first.gain);
    EXPECT_EQ(again.resistance, first.resistance);
    EXPECT_EQ(again.azimuth, first.azimuth);
    EXPECT_EQ(again.elevation, first.elevation);
    Point overGround = first;
    FarField(u, TestFrequency, 50, overGround);
    EXPECT_GT(overGround.gain, first.gain);
    FarField(u, TestFrequency, 0, again);
    EXPECT_EQ(again.gain, first.gain);
    EXPECT_EQ(again.frontToBack, first.frontToBack);
}

TEST(Fldfac2, DipoleIsSymmetric) {
    const Point p = Solve(Dipole(0.24f), TestFrequency);
    EXPECT_NEAR(p.frontToBack, 0, 0.01f);
    for (int i = 1; i < 90; ++i) EXPECT_NEAR(p.azimuth[90 - i], p.azimuth[90 + i], 0.01f) << i;
    EXPECT_GT(p.azimuth[90], 100.0f);
    for (float v : p.elevation) EXPECT_NEAR(v, 0, 1e-4f);
}

TEST(Fldfac2, HeightOfOneWavelengthPeaksAtTheSecondLobe) {
    // 70 ft at 14.04 MHz: height x frequency = 982.8, an electrical height of 360 degrees.
    const float frequency = 14.04f;
    Uniform dipole;
    dipole.halfLength[0] = 0.24f * 11802.85f / frequency;
    dipole.diameter[0] = 0.001f * 11802.85f / frequency;
    const Point free = Solve(dipole, frequency);
    const Point p = Solve(dipole, frequency, 70);
    EXPECT_EQ(p.takeoffIndex, 49);
    EXPECT_NEAR(p.gain - free.gain, 6.017f, 0.001f);
    EXPECT_EQ(p.elevation[48], 0);
    EXPECT_NEAR(p.elevation[13], 6.017f - 6.009f, 0.001f);
    EXPECT_NEAR(p.elevation[14], 6.017f - 6.007f, 0.001f);
    for (float v : p.elevation) EXPECT_FALSE(v < 0);
    // So low that every direction is below 0 dBi: the peak search keeps 0 and index 1.
    const Point flat = Solve(dipole, frequency, 0.01f);
    EXPECT_EQ(flat.gain, 0);
    EXPECT_EQ(flat.takeoffIndex, 1);
}
