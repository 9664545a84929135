// A uniform slope behaves as a flat plane seen at theta + alpha with height h cos alpha.
#include "engine_call.h"
#include "scans.h"

using namespace vexlo_test;

namespace {

// Slope angle in degrees, positive rising away from the tower.
void expectTiltedPlane(double slopeDegrees) {
    const double alpha = slopeDegrees * pi / 180.0;
    const double length = 60000.0;
    Call c;
    c.type = 1; // the same gain in every direction of the plane, so only the ground shows
    c.profile = {{0.0, 3000.0}, {length, 3000.0 + length * std::tan(alpha)}};
    const auto gains = c.run();
    // Stay clear of the slope's far end: the crest or the plain beyond it.
    const double end = std::atan(std::fabs(length * std::tan(alpha) - 100.0) / length);
    int compared = 0;
    for (int k = 0; k < 140; ++k) {
        const double theta = degreesAt(k) * pi / 180.0;
        const double seen = theta - alpha; // elevation over the sloping plane
        if (seen < 1.0 * pi / 180.0 || theta < end + 1.5 * pi / 180.0) continue;
        // Keep to angles whose specular point lies well inside the slope.
        const double along = 100.0 * std::cos(alpha) / std::tan(seen);
        if (along * std::cos(alpha) > 0.8 * length) continue;
        const double expected =
            2.15 + groundFactorDb(seen, 100.0 * std::cos(alpha), 13.0, 0.005, 14.2);
        if (expected < -20.0) continue;
        EXPECT_NEAR(gains[k], expected, 0.5) << "slope " << slopeDegrees << " at " << degreesAt(k);
        ++compared;
    }
    EXPECT_GT(compared, 100);
}

TEST(SlopedGround, UphillIsAFlatPlaneSeenLower) { expectTiltedPlane(3.0); }

TEST(SlopedGround, DownhillIsAFlatPlaneSeenHigher) { expectTiltedPlane(-3.0); }

TEST(SlopedGround, DownhillRaisesTheLowAngleGainOverFlatGround) {
    Call flat, down;
    down.profile = {
        {0.0, 1000.0}, {5000.0, 1000.0 - 5000.0 * std::tan(4.0 * pi / 180.0)}, {20000.0, 0.0}};
    const auto f = flat.run(), d = down.run();
    EXPECT_GT(d[7], f[7] + 3.0); // 2 degrees
}

TEST(SlopedGround, WithDiffractionOffTheSlopesOwnAngleShowsNoLoneDirectRay) {
    // UPHILL.PRO rises at 3 degrees for 10,000 ft. Just below that angle the direct ray still
    // clears the crest while its reflection has left the slope: alone it would give the
    // Yagi's free-space gain, 8.5 dBi, where the full answer is near -6 dBi. The grazing
    // ground cancels it as the reflection did just above.
    Call on, off;
    on.type = off.type = 4;
    on.heights = off.heights = {70.0f, 0.0f, 0.0f, 0.0f};
    on.profile = off.profile = sampleProfile("UPHILL.PRO");
    off.diffractionOff = 1;
    const auto with = on.run(), without = off.run();
    for (int k = 8; k <= 13; ++k) { // 2.25 to 3.5 degrees
        EXPECT_LT(without[k], 0.0f) << "at " << degreesAt(k);
        EXPECT_LT(without[k], with[k] + 6.0f) << "at " << degreesAt(k);
    }
}

TEST(SlopedGround, AFirstFacetTiltedHalfADegreeMoreGivesNoJump) {
    // The tower atop a first facet 300 ft high, tilted 22 to 45 degrees, level ground below,
    // at 7.1 MHz. The tower's plane runs on far below the level ground; its march there,
    // shared with nothing of the terrain's, once stepped the answer by 1.38 dB at 36.5
    // degrees of tilt and 10.25 degrees elevation, and by 0.3 dB or more at most tilts.
    for (const double height : {35.0, 70.0})
        for (const double conductivity : {0.005, 0.002}) {
            const auto at = [&](double tilt) {
                EngineArguments a = dipoleArguments(
                    {{0.0, 300.0}, {300.0 / std::tan(tilt * pi / 180.0), 0.0}, {10000.0, 0.0}}, 7.1,
                    height);
                a.conductivity = static_cast<float>(conductivity);
                return a;
            };
            const Irregularity r = scan(engine(), steps(22.0, 45.0, 0.5), at);
            EXPECT_EQ(r.above, 0) << height << " ft, " << conductivity << " S/m: " << r.largest
                                  << " dB at " << r.at << " degrees of tilt, " << r.angle
                                  << " degrees elevation";
        }
}

} // namespace
