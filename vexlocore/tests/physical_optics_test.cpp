// The closed-form integral of a facet far from the antenna against the integral taken
// numerically, on both sides of the switch from the moments' series to their recurrence,
// whole and in parts.

#include <gtest/gtest.h>

#include <cmath>
#include <complex>

#include "physical_optics.h"

namespace {

using Complex = std::complex<double>;

TEST(SmoothFacet, LinearPhaseIntegralAgreesWithSimpsonsRuleAtEveryPhase) {
    // Samples of a smooth integrand with some phase of its own.
    const Complex h[5] = {{1.0, 0.2}, {0.8, 0.35}, {0.7, 0.4}, {0.55, 0.5}, {0.5, 0.45}};
    const vexlo::SmoothFacet f = vexlo::SmoothFacet::fromSamples(h);
    // The quartic goes through its samples.
    for (int i = 0; i < 5; ++i) {
        const double x = 0.25 * i;
        Complex at = 0.0;
        for (int n = 4; n >= 0; --n) at = at * x + f.c[n];
        EXPECT_LT(std::abs(at - h[i]), 1e-12) << "sample " << i;
    }
    for (double t : {0.0, 1e-6, -0.03, 0.0999, 0.1001, -0.5, 1.49, 3.0, -20.0, 250.0}) {
        const int steps = 20000;
        Complex sum = 0.0;
        for (int i = 0; i <= steps; ++i) {
            const double x = static_cast<double>(i) / steps;
            Complex poly = 0.0;
            for (int n = 4; n >= 0; --n) poly = poly * x + f.c[n];
            const double weight = i == 0 || i == steps ? 1.0 : i % 2 ? 4.0 : 2.0;
            sum += weight * poly * std::polar(1.0, -t * x);
        }
        const Complex numeric = sum / (3.0 * steps);
        const Complex closed = vexlo::linearPhaseIntegral(f, t, std::polar(1.0, -t));
        EXPECT_LT(std::abs(closed - numeric), 1e-9 * std::max(1.0, std::abs(numeric)))
            << "at t = " << t;
        // A facet seen in two parts adds up to the whole.
        const Complex parts =
            vexlo::linearPhaseIntegral(f, t, 0.0, 0.3) + vexlo::linearPhaseIntegral(f, t, 0.3, 1.0);
        EXPECT_LT(std::abs(parts - numeric), 1e-9 * std::max(1.0, std::abs(numeric)))
            << "in parts at t = " << t;
    }
}

} // namespace
