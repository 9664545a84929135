// The analysis drivers against the engine and against closed forms.
#include "engine_for_tests.h"

#include "qelt/core/analysis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>

using namespace qelt;
using qelt_test::Engine;

namespace {

Antenna Read(const std::string& path) {
    common::Result<Antenna> a = ReadAntennaFile(Engine(), path);
    EXPECT_TRUE(a.ok()) << a.message();
    return a ? a.value() : Antenna{};
}

float PlainSwr(float f, float r, float x) {
    (void)f;
    return SwrOnCable(r, x, 50);
}

} // namespace

TEST(SwrOnCable, AgainstTheReflectionCoefficient) {
    EXPECT_EQ(SwrOnCable(50, 0, 50), 1.0f) << "a matched load is exactly 1:1";
    EXPECT_EQ(SwrOnCable(200, 0, 200), 1.0f);
    for (auto [r, x] : {std::pair{25.0f, 0.0f},
                        {100.0f, 0.0f},
                        {36.3f, -1.5f},
                        {29.2f, -16.6f},
                        {50.0f, 50.0f}}) {
        const float rho =
            std::abs((std::complex<float>(r, x) - 50.0f) / (std::complex<float>(r, x) + 50.0f));
        EXPECT_NEAR(SwrOnCable(r, x, 50), (1 + rho) / (1 - rho), 1e-5f) << r << " " << x;
    }
    EXPECT_NEAR(SwrOnCable(25, 0, 50), 2.0f, 1e-6f);
}

TEST(SweptBand, OneFrequencyIsSweptThreePercentEachWay) {
    EXPECT_EQ(SweptBand({14.175f, 14.175f}), (Band{0.97f * 14.175f, 1.03f * 14.175f}));
    EXPECT_EQ(SweptBand({14.0f, 14.35f}), (Band{14.0f, 14.35f}));
}

TEST(Beamwidths, FirstIndexPastThreeDecibelsStrictly) {
    PatternValues p{};
    for (int i = 0; i < PatternPoints; ++i) p[i] = 0.1f * static_cast<float>(i);
    // 0.1 x 30 reads 3.0000002 in single precision: the 31st index (30 degrees) is
    // the first more than 3 dB down.
    EXPECT_EQ(
        HalfPowerBeamwidth(p),
        2 * (std::find_if(p.begin(), p.end(), [](float v) { return v > 3.0f; }) - p.begin() + 1));
    p.fill(0);
    p[29] = 3.0f;
    p[30] = 3.5f;
    EXPECT_EQ(HalfPowerBeamwidth(p), 62) << "exactly 3 dB is not more than 3 dB down";
    p.fill(1);
    EXPECT_EQ(HalfPowerBeamwidth(p), 360) << "a pattern that never falls 3 dB";
    p.fill(std::nanf(""));
    EXPECT_EQ(HalfPowerBeamwidth(p), 360);
}

TEST(Beamwidths, ElevationOverGround) {
    PatternValues e;
    e.fill(20);
    for (int i = 9; i < 40; ++i) e[i] = 2; // within 3 dB from index 10 to 40
    e[20] = 0;                             // the peak, index 21
    EXPECT_EQ(ElevationBeamwidth(e, 21), 41 - 10);
    e[60] = 1; // a second lobe beyond the first fall does not widen it
    EXPECT_EQ(ElevationBeamwidth(e, 21), 31);
    e.fill(0);
    EXPECT_EQ(ElevationBeamwidth(e, 1), 180) << "never down 3 dB: to the end of the pattern";
}

TEST(SweepBand, ElevenPointsInEngineOrderWithProgress) {
    Antenna a = Read(qelt_test::Sample("2EL20M.QELT"));
    std::vector<int> progress;
    const Sweep s = SweepBand(Engine(), a, a.tipLength(), {14.0f, 14.35f}, 0, PlainSwr,
                              [&progress](int point) { progress.push_back(point); });
    EXPECT_EQ(progress, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    EXPECT_FLOAT_EQ(s[0].frequency, 14.0f);
    EXPECT_FLOAT_EQ(s[CentrePoint].frequency, 14.175f);
    EXPECT_FLOAT_EQ(s[10].frequency, 14.35f);
    for (const SweepPoint& p : s) {
        EXPECT_EQ(p.takeoffIndex, 1) << "free space";
        EXPECT_FLOAT_EQ(p.swr, SwrOnCable(p.resistance, p.reactance, 50));
    }
    EXPECT_NEAR(s[0].gain, 6.74f, 0.01f);
    EXPECT_NEAR(s[0].resistance, 29.24f, 0.01f);
    EXPECT_NEAR(s[0].reactance, -16.62f, 0.01f);
}

TEST(SweepBand, TheDrivenTipChangesEveryLaterSweep) {
    Antenna a = Read(qelt_test::Sample("2EL20M.QELT"));
    const float loaded = a.tipLength();
    const Sweep before = SweepBand(Engine(), a, loaded, {14.175f, 14.175f}, 0, PlainSwr);
    const Sweep longer = SweepBand(Engine(), a, loaded + 2, {14.175f, 14.175f}, 0, PlainSwr);
    EXPECT_FLOAT_EQ(a.tipLength(), loaded + 2) << "the working copy's outermost section";
    EXPECT_GT(longer[0].reactance, before[0].reactance + 5) << "a longer element is more inductive";
}

TEST(ComputePattern, FreeSpaceAndOverGround) {
    Antenna a = Read(qelt_test::Sample("3EL15M.QELT"));
    const Pattern free = ComputePattern(Engine(), a, a.tipLength(), 21.225f, 0);
    EXPECT_FALSE(free.overGround);
    EXPECT_EQ(free.field.takeoffIndex, 1);
    EXPECT_EQ(free.field.azimuth[0], 0);
    EXPECT_EQ(free.elementBeamwidth, HalfPowerBeamwidth(free.field.azimuth));
    EXPECT_EQ(free.normalBeamwidth, HalfPowerBeamwidth(free.field.elevation));
    EXPECT_GT(free.normalBeamwidth, free.elementBeamwidth) << "a Yagi is broader in the H-plane";

    // A metric 10 m is 10 / 0.3048 feet by the time it reaches the engine.
    const float feet = static_cast<float>(10 / 0.3048);
    const Pattern ground = ComputePattern(Engine(), a, a.tipLength(), 21.225f, feet);
    EXPECT_TRUE(ground.overGround);
    EXPECT_EQ(ground.field.elevation[ground.field.takeoffIndex - 1], 0) << "0 dB at the peak";
    EXPECT_NEAR(ground.field.gain, free.field.gain + 6, 0.5) << "perfect ground adds about 6 dB";
    EXPECT_EQ(ground.normalBeamwidth,
              ElevationBeamwidth(ground.field.elevation, ground.field.takeoffIndex));
    // The first lobe of a horizontal antenna over ground: sin(angle) = wavelength / 4h.
    const double lobe = std::asin(11802.85 / 21.225 / 12 / (4 * feet)) * 180 / 3.14159265;
    EXPECT_NEAR(ground.field.takeoffIndex, lobe, 1.0);
}
