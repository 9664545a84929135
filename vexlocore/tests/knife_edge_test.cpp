// Knife edges on level ground against the Kirchhoff integral from aperture to aperture.
#include "screens.h"

using namespace vexlo_test;

namespace {

std::vector<double> anglesFrom(int first, int last) {
    std::vector<double> angles;
    for (int k = first; k <= last; ++k) angles.push_back(degreesAt(k) * pi / 180.0);
    return angles;
}

TEST(KnifeEdge, OneEdgeAgreesWithTheKirchhoffIntegralAcrossItsShadowBoundary) {
    // 100 ft up, an edge 1000 ft out rising 176.33 ft above the antenna: the shadow
    // boundary at 10 degrees. Alone the edge would halve the field there (-6 dB); the ground
    // before it and behind it adds its images, and the integral takes them in too.
    Call c;
    c.type = 1;
    c.profile = {{0.0, 0.0}, {1000.0, 0.0}, {1000.0, 276.33}, {1000.0, 0.0}, {8000.0, 0.0}};
    const auto gains = c.run();
    const auto angles = anglesFrom(27, 51); // 7 to 13 degrees
    const auto kirchhoff = screensGainDbi(100.0, {{1000.0, 276.33}}, angles, 14.2, 13.0, 0.005);
    for (std::size_t i = 0; i < angles.size(); ++i)
        EXPECT_NEAR(gains[27 + i], kirchhoff[i], 1.0) << "at " << degreesAt(27 + i);
}

TEST(KnifeEdge, TwoEdgesFadeInSmoothlyAndAgreeWithTheTwoEdgeIntegral) {
    // EDGES.PRO: 150 ft at 1000 ft and 250 ft at 3000 ft; 50 ft up the direct ray clears
    // both edges from 5.7 degrees.
    Call c;
    c.type = 1;
    c.heights = {50.0f, 0.0f, 0.0f, 0.0f};
    c.profile = sampleProfile("EDGES.PRO");
    ASSERT_EQ(c.profile.size(), 8u);
    const auto gains = c.run();
    const auto angles = anglesFrom(0, 21); // 0.25 to 5.5 degrees
    const auto kirchhoff =
        screensGainDbi(50.0, {{1000.0, 150.0}, {3000.0, 250.0}}, angles, 14.2, 13.0, 0.005);
    // Rising steadily out of the shadow, no step steeper than the integral's own.
    for (int k = 0; k + 1 < 14; ++k) {
        EXPECT_GT(gains[k + 1], gains[k]) << "at " << degreesAt(k);
        EXPECT_LT(gains[k + 1] - gains[k], kirchhoff[k + 1] - kirchhoff[k] + 1.0)
            << "at " << degreesAt(k);
    }
    // Below 0.75 degrees the curved earth beyond the edges, which the integral leaves out,
    // matters.
    for (int k = 2; k <= 21; ++k) EXPECT_NEAR(gains[k], kirchhoff[k], 3.0) << "at " << degreesAt(k);
}

} // namespace
