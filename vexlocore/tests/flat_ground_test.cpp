// A flat profile against the closed form of a single antenna over a flat plane.
#include <algorithm>

#include "engine_call.h"

using namespace vexlo_test;

namespace {

struct GroundCase {
    const char* name;
    float dielectric, conductivity;
};

class FlatGround : public ::testing::TestWithParam<GroundCase> {};

// Free-space pattern: the same call over ground that reflects nothing (er 1, sigma 0).
std::array<float, 140> freeSpace(Call c) {
    c.dielectric = 1.0f;
    c.conductivity = 0.0f;
    return c.run();
}

TEST_P(FlatGround, EveryAngleMatchesTheClosedForm) {
    for (int16_t type : {1, 3, 7}) {
        Call c;
        c.type = type;
        c.dielectric = GetParam().dielectric;
        c.conductivity = GetParam().conductivity;
        c.profile = {{0.0, 250.0}, {500.0, 250.0}, {3000.0, 250.0}};
        const auto free = freeSpace(c);
        const auto gains = c.run();
        std::array<double, 140> expected;
        for (int k = 0; k < 140; ++k)
            expected[k] = free[k] + groundFactorDb(degreesAt(k) * pi / 180.0, 100.0, c.dielectric,
                                                   c.conductivity, 14.2);
        const double peak = *std::max_element(expected.begin(), expected.end());
        int compared = 0;
        for (int k = 0; k < 140; ++k) {
            // The ground is level on a 4/3 earth: the flat closed form holds where that
            // earth's divergence factor is within 1 % of one (the curved earth below is
            // checked against the full-wave reference).
            const double theta = degreesAt(k) * pi / 180.0;
            const double spread =
                2.0 * 100.0 / std::tan(theta) / (effectiveEarthFeet * std::sin(theta));
            if (1.0 / std::sqrt(1.0 + spread) < 0.99 || expected[k] < -25.0) continue;
            // Half a percent of the strongest field: 0.04 dB at the peak, more in the nulls
            // in proportion to how weak the field is there.
            const double tolerance =
                20.0 * std::log10(1.0 + 0.005 * std::pow(10.0, (peak - expected[k]) / 20.0));
            EXPECT_NEAR(gains[k], expected[k], tolerance)
                << "type " << type << " at " << degreesAt(k);
            ++compared;
        }
        EXPECT_GT(compared, 120);
    }
}

INSTANTIATE_TEST_SUITE_P(Grounds, FlatGround,
                         ::testing::Values(GroundCase{"AverageSoil", 13.0f, 0.005f},
                                           GroundCase{"VeryPoorSoil", 5.0f, 0.001f},
                                           GroundCase{"FreshWater", 81.0f, 0.001f},
                                           GroundCase{"SaltWater", 80.0f, 5000.0f}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FlatGround, WithDiffractionOffAntennasLowInWavelengthsStillShowTheClosedForm) {
    // 40 and 70 ft up at 3.6 MHz, a sixth and a quarter of a wavelength: the ground's
    // reflection by physical optics alone would miss by up to 14 dB near the tower; the
    // exact reflection in the first facet's plane stands in for it.
    for (float height : {40.0f, 70.0f}) {
        Call c;
        c.type = 1;
        c.frequency = 3.6f;
        c.heights = {height, 0.0f, 0.0f, 0.0f};
        c.profile = {{0.0, 250.0}, {500.0, 250.0}, {3000.0, 250.0}};
        c.diffractionOff = 1;
        const auto gains = c.run();
        std::array<double, 140> expected;
        for (int k = 0; k < 140; ++k)
            expected[k] =
                2.15 + groundFactorDb(degreesAt(k) * pi / 180.0, height, 13.0, 0.005, 3.6);
        const double peak = *std::max_element(expected.begin(), expected.end());
        for (int k = 0; k < 140; ++k) {
            if (expected[k] < peak - 15.0) continue;
            EXPECT_NEAR(gains[k], expected[k], 0.5) << height << " ft at " << degreesAt(k);
        }
    }
}

TEST(FlatGround, WithDiffractionOffTheLowAnglesKeepToTheClosedFormWhereTheEarthIsFlat) {
    // The earth's curvature beyond a short profile once rippled the low angles 0.4 dB low
    // (60 ft at 14.2 MHz, 1.25 degrees: -10.70 dBi against -10.30). Wherever the 4/3 earth's
    // divergence factor is within 1 % of one the answer is the flat closed form to 0.05 dB,
    // also for antennas low in wavelengths, whose direct and reflected rays nearly cancel
    // at those angles (-16 to -24 dBi), so that a thousandth of the reflection is a tenth of
    // a dB: 30 ft at 14.2 MHz was 0.65 dB off at 0.75 degrees, 60 ft at 3.6 MHz 0.58 dB at
    // 1.5 degrees (the ground behind the tower taken as leaving the first facet's plane, and
    // the earth's tangent line integrated less exactly than the plane beside it).
    struct Case {
        float heightFeet, mhz;
    };
    for (const Case& k :
         {Case{60.0f, 14.2f}, Case{100.0f, 14.2f}, Case{120.0f, 7.1f}, Case{60.0f, 28.4f},
          Case{30.0f, 14.2f}, Case{60.0f, 3.6f}, Case{20.0f, 7.1f}, Case{60.0f, 1.8f}}) {
        Call c;
        c.type = 1;
        c.frequency = k.mhz;
        c.heights = {k.heightFeet, 0.0f, 0.0f, 0.0f};
        c.diffractionOff = 1;
        const auto gains = c.run();
        int compared = 0;
        for (int i = 0; i < 140; ++i) {
            const double theta = degreesAt(i) * pi / 180.0;
            const double spread =
                2.0 * k.heightFeet / std::tan(theta) / (effectiveEarthFeet * std::sin(theta));
            const double expected = 2.15 + groundFactorDb(theta, k.heightFeet, 13.0, 0.005, k.mhz);
            if (1.0 / std::sqrt(1.0 + spread) < 0.99 || expected < -25.0) continue;
            EXPECT_NEAR(gains[i], expected, 0.05)
                << k.heightFeet << " ft, " << k.mhz << " MHz at " << degreesAt(i);
            ++compared;
        }
        EXPECT_GT(compared, 100);
    }
}

TEST(FlatGround, FreeSpaceForwardGainIsTheQuotedGain) {
    const std::array<double, 8> quoted{0.0, 2.15, 5.5, 7.0, 8.5, 9.5, 11.0, 12.0};
    for (int16_t type = 1; type <= 7; ++type) {
        Call c;
        c.type = type;
        EXPECT_NEAR(freeSpace(c)[0], quoted[type], 0.02) << "type " << type;
    }
}

TEST(FlatGround, SaltWaterPeaksSixDecibelsUpWhereSineIsLambdaOverFourH) {
    Call c;
    c.type = 1;
    c.dielectric = 80.0f;
    c.conductivity = 5000.0f;
    const auto gains = c.run();
    int peak = 0;
    for (int k = 0; k < 140; ++k)
        if (gains[k] > gains[peak]) peak = k;
    const double expectedAngle = std::asin(wavelengthFeet(14.2) / 400.0) * 180.0 / pi;
    EXPECT_NEAR(degreesAt(peak), expectedAngle, 0.25);
    EXPECT_NEAR(gains[peak] - 2.15, 6.0, 0.1);
}

TEST(FlatGround, TypeOutsideTheTableIsComputedAsFourElements) {
    Call four, odd;
    odd.type = 0;
    EXPECT_EQ(odd.run(), four.run());
    odd.type = 99;
    EXPECT_EQ(odd.run(), four.run());
}

} // namespace
