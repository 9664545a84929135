// The ground's plane-wave reflection coefficient against the Fresnel formula written with the
// library's complex square root, over soils, sea water, empty space and permittivities below
// one (as a permittivity of its own can be), grazing to vertical.

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <vector>

#include "ground.h"

namespace {

using Complex = std::complex<double>;

Complex fresnel(Complex permittivity, double sine) {
    const double s = std::fabs(sine);
    const Complex root = std::sqrt(permittivity - Complex(1.0 - s * s));
    return (s - root) / (s + root);
}

TEST(Ground, ReflectionIsTheFresnelCoefficientOverEveryKindOfGround) {
    const std::vector<Complex> grounds = {
        {13.0, -60.0 * 0.005 * 21.1}, // average soil, 14.2 MHz
        {81.0, -60.0 * 5.0 * 160.0},  // sea water, 1.8 MHz
        {3.0, -60.0 * 0.001 * 5.5},   // poor ground, 54 MHz
        {1.0, 0.0},                   // empty space
        {1.0, -1e-9},                 // all but empty space
        {0.5, -2.0},                  // real part below one: the root's real part small
        {0.2, 0.0},                   // below one and lossless: a purely imaginary root
        {4.0, 3.0},                   // the other sign of the loss
        {10.0, -1e200},               // so lossy the root's squares overflow
    };
    for (const Complex& e : grounds) {
        const vexlo::Ground ground(e);
        for (double s : {0.0, 1e-8, 0.01, 0.1, 0.3, 0.5, 0.9, 1.0, -0.2}) {
            const Complex got = ground.reflection(s);
            ASSERT_TRUE(std::isfinite(got.real()) && std::isfinite(got.imag())) << e << " " << s;
            if (e == Complex(1.0) && s == 0.0) {
                // Empty space at exact grazing: 0/0, and it reflects nothing.
                EXPECT_EQ(got, Complex(0.0));
                continue;
            }
            const Complex want = fresnel(e, s);
            EXPECT_LT(std::abs(got - want), 1e-13 * (1.0 + std::abs(want))) << e << " " << s;
            // A passive ground never reflects more than it receives.
            if (e.imag() <= 0.0) {
                EXPECT_LE(std::abs(got), 1.0 + 1e-12) << e << " " << s;
            }
        }
    }
}

TEST(Ground, GrazingReflectionIsMinusOneAndEmptySpaceReflectsNothing) {
    const vexlo::Ground soil(13.0, 0.005, 21.1);
    EXPECT_NEAR(std::abs(soil.reflection(0.0) + 1.0), 0.0, 1e-15);
    const vexlo::Ground none(1.0, 0.0, 21.1);
    for (double s : {0.0, 0.1, 1.0}) EXPECT_LT(std::abs(none.reflection(s)), 1e-15) << s;
    // Nonsense constants are taken as empty space.
    const vexlo::Ground nonsense(std::nan(""), -3.0, 21.1);
    EXPECT_LT(std::abs(nonsense.reflection(0.4)), 1e-15);
}

} // namespace
