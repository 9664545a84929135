// Stacks: phases per antenna, equal power sharing, absent antennas.
#include "engine_call.h"

using namespace vexlo_test;

namespace {

// Two dipoles one wavelength apart, in empty space (ground that reflects nothing).
Call pairInFreeSpace(int16_t upperPhase) {
    Call c;
    c.type = 1;
    c.dielectric = 1.0f;
    c.conductivity = 0.0f;
    c.heights = {100.0f, static_cast<float>(100.0 + wavelengthFeet(14.2)), 0.0f, 0.0f};
    c.phases = {1, upperPhase, 1, 1};
    return c;
}

TEST(Stack, InPhaseNullBecomesAnOutOfPhaseLobe) {
    const auto inPhase = pairInFreeSpace(1).run(), outOfPhase = pairInFreeSpace(-1).run();
    const int at30 = 119, atHorizon = 0; // sin 30 = lambda / 2 s
    EXPECT_LT(inPhase[at30], -20.0f);
    EXPECT_NEAR(outOfPhase[at30], 2.15 + 3.01, 0.05);
    // Low down the out-of-phase pair cancels and the in-phase pair gains 3 dB.
    EXPECT_NEAR(inPhase[atHorizon], 2.15 + 3.01, 0.05);
    EXPECT_LT(outOfPhase[atHorizon], -10.0f);
}

TEST(Stack, PhaseAppliesToItsOwnAntenna) {
    Call a, b, c;
    a.heights = b.heights = c.heights = {120.0f, 90.0f, 60.0f, 0.0f};
    a.phases = {1, -1, 1, 1};
    b.phases = {-1, 1, -1, 1}; // the same drive, every sign flipped
    c.phases = {1, 1, -1, 1};
    EXPECT_EQ(a.run(), b.run());
    EXPECT_NE(a.run(), c.run());
    // A phase on an absent antenna changes nothing.
    Call d = a;
    d.phases[3] = -1;
    EXPECT_EQ(a.run(), d.run());
}

TEST(Stack, AbsentAntennasAreIgnored) {
    Call one, elsewhere, odd;
    one.heights = {100.0f, 0.0f, 0.0f, 0.0f};
    elsewhere.heights = {0.0f, 0.0f, 100.0f, 0.0f};
    odd.heights = {-50.0f, std::nanf(""), 100.0f, INFINITY};
    EXPECT_EQ(one.run(), elsewhere.run());
    EXPECT_EQ(one.run(), odd.run());
    Call none;
    none.heights = {0.0f, 0.0f, 0.0f, 0.0f};
    for (float g : none.run()) EXPECT_EQ(g, -30.0f);
}

} // namespace
