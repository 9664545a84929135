// The ground near the tower solved whole (near_terrain.h): over level ground its surface
// field, the field it makes above the ground and what it radiates must be the plane's own,
// which plane_field.h and the closed form give exactly; and the march takes the solve's field
// in its share as a march from it would. Beneath it, the Hankel functions of its kernel and its
// dense solve.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <numbers>
#include <random>

#include "field_march.h"
#include "ground.h"
#include "near_terrain.h"
#include "plane_field.h"
#include "vector_path.h"

namespace {

using Complex = std::complex<double>;
using vexlo::Point;
constexpr double pi = std::numbers::pi;

struct LevelGround {
    double wavelength = 42.2; // metres, 7.1 MHz
    double k = 2.0 * pi / wavelength;
    Complex beta = std::sqrt(Complex(13.0, -60.0 * 0.005 * wavelength) - 1.0);
    std::vector<vexlo::LineSource> sources{{{0.0, 0.3 * wavelength}, 1.0, 0}};
    // From four wavelengths behind the source to twelve ahead.
    vexlo::NearTerrain near{{{-4.0 * wavelength, 0.0}, {12.0 * wavelength, 0.0}}, sources, k, beta};

    // The plane's exact field: on the ground itself by a grid of no height, above it by one
    // fine enough that its ground condition is the ground's own.
    Complex exact(double x, double height) const {
        const double dz = height > 0.0 ? wavelength / 256.0 : 1e-9 * wavelength;
        const vexlo::ImpedanceCondition ground{k, dz, beta};
        const auto field =
            vexlo::planeField(sources, {0.0, 0.0}, {1.0, 0.0}, x, 1024, 1024, ground);
        return field[static_cast<std::size_t>(std::lround(height / dz))];
    }
};

TEST(NearTerrain, LevelGroundCarriesThePlanesOwnField) {
    // On the ground the pulses' collocation leaves the field some 4 % off (the terrain's solve
    // and the plane's share it); a fifth of a wavelength and two wavelengths up, within 0.5 %.
    // Among the points, the ends of pieces (between two pulses).
    const LevelGround g;
    for (double height : {0.0, 0.2, 2.0})
        for (double x = 0.5; x <= 8.0; x += 1.0) {
            const Complex e = g.exact(x * g.wavelength, height * g.wavelength);
            EXPECT_LT(std::abs(g.near.fieldAt({x * g.wavelength, height * g.wavelength}) - e),
                      (height > 0.0 ? 0.005 : 0.05) * std::abs(e))
                << x << " wavelengths out, " << height << " up";
        }
}

TEST(NearTerrain, WhatLevelGroundRadiatesIsThePlanesReflection) {
    // The ground within a few wavelengths of the source makes the reflection at steep angles
    // (the truncated ends aside): its far field plus the direct one is the closed form there.
    const LevelGround g;
    std::vector<double> angles;
    for (double degrees = 25.0; degrees <= 60.0; degrees += 5.0)
        angles.push_back(degrees * pi / 180);
    std::vector<Complex> radiated(angles.size(), 0.0), closed(angles.size(), 0.0);
    g.near.radiate(0.0, 16.0 * g.wavelength, angles, radiated);
    vexlo::addPlaneReflection(g.sources, {0.0, 0.0}, {1.0, 0.0},
                              vexlo::Ground(Complex(13.0, -60.0 * 0.005 * g.wavelength)), g.k,
                              angles, closed);
    for (std::size_t i = 0; i < angles.size(); ++i) {
        const Complex direct = vexlo::farField(g.sources, g.k, angles[i]);
        EXPECT_NEAR(20.0 * std::log10(std::abs(direct + radiated[i])),
                    20.0 * std::log10(std::abs(direct + closed[i])), 0.15)
            << angles[i] * 180 / pi << " degrees";
    }
}

TEST(NearTerrain, TheMarchTakesAFieldInItsShareAsAMarchFromItWould) {
    // Where the near solve has a share of the answer, the march's field at the near start
    // becomes that share of the solve's: what the march then radiates must be the same share
    // of what a march started from the solve's field radiates, the rest the march's own (a
    // field taken in whole in the absorbing layer, where a starting field is taken down,
    // once cost the 100 ft face 500 ft out at 3.6 MHz 0.1 dB rms).
    const LevelGround g;
    const vexlo::MarchGrid grid{128, 64};
    const vexlo::ImpedanceCondition ground{g.k, g.wavelength / 8.0, g.beta};
    const auto fieldOf = [&](double height) {
        const std::vector<vexlo::LineSource> one{{{0.0, height * g.wavelength}, 1.0, 0}};
        return vexlo::planeField(one, {0.0, 0.0}, {1.0, 0.0}, g.wavelength, 128, 64, ground);
    };
    std::vector<double> angles;
    for (double degrees = 1.0; degrees <= 35.0; degrees += 2.0)
        angles.push_back(degrees * pi / 180);
    const auto radiated = [&](vexlo::FieldMarch march) {
        vexlo::GroundRadiation radiation(g.k, g.beta, angles);
        march.limitAngles(pi / 3.0);
        march.follow({g.wavelength, 0.0}, 0.0, 12.0 * g.wavelength, g.wavelength / 3.0,
                     2.0 * g.wavelength, 0.0, &radiation);
        return radiation.values();
    };
    const vexlo::FieldMarch low(grid, ground, fieldOf(0.3), {g.wavelength, 0.0}, {1.0, 0.0});
    const vexlo::FieldMarch high(grid, ground, fieldOf(1.1), {g.wavelength, 0.0}, {1.0, 0.0});
    vexlo::FieldMarch blended = low;
    blended.blend(0.3, fieldOf(1.1));
    const auto a = radiated(low), b = radiated(high), c = radiated(blended);
    for (std::size_t i = 0; i < angles.size(); ++i)
        EXPECT_LT(std::abs(c[i] - (0.3 * b[i] + 0.7 * a[i])),
                  1e-9 * (std::abs(a[i]) + std::abs(b[i])))
            << angles[i] * 180 / pi << " degrees";
}

TEST(NearTerrain, HankelFunctionsAndLogarithmAreTheLibrarysAcrossTheirSwitches) {
    // H0 and H1 together, H0 over the line source's field too: within 3e-8 of the library's
    // Bessel functions below 8, from 8 (Hankel's expansion) within 1e-7 and 3e-7 there and a
    // thousandth of that by 20; most finely about the switch.
    std::vector<double> xs{1e-3, 0.05, 0.5, 1.0, 2.4048, 3.8317, 5.0, 7.0};
    for (double x = 7.9; x <= 8.1; x += 0.01) xs.push_back(x);
    for (double x : {8.0, 9.0, 12.5, 20.0, 47.3, 150.0, 1e3}) xs.push_back(x);
    for (double x : xs) {
        const Complex h0(std::cyl_bessel_j(0.0, x), -std::cyl_neumann(0.0, x));
        const Complex h1(std::cyl_bessel_j(1.0, x), -std::cyl_neumann(1.0, x));
        const vexlo::Hankels h = vexlo::hankels(x);
        const double fall = x < 8.0 ? 1.0 : std::pow(8.0 / x, 7.5);
        EXPECT_LT(std::abs(h.h0 - h0), x < 8.0 ? 3e-8 : std::max(1e-7 * fall, 1e-13)) << x;
        EXPECT_LT(std::abs(h.h1 - h1), x < 8.0 ? 3e-8 : std::max(3e-7 * fall, 1e-13)) << x;
        EXPECT_LT(std::abs(vexlo::lineSourceField(x) - Complex(0.0, -0.25) * h.h0),
                  1e-14 * std::abs(h0))
            << x;
        // The vector lanes' line source field, its own logarithm below 8, is the same.
        double re, im;
        vexlo::lineSourceField(x, re, im);
        EXPECT_LT(std::abs(Complex(re, im) - vexlo::lineSourceField(x)), 1e-14 * std::abs(h0)) << x;
    }
    // That logarithm: within a few parts in 1e16 of the library's across the doubles, about 1
    // and on both sides of each power of two and of its root 2, where its reduction turns.
    std::vector<double> ys{1e-300, 1e-12, 0.1, 0.5, 1.0, 2.0, 3.0, 1e12, 1e300};
    for (double y : {1.0, 2.0, std::numbers::sqrt2, 0.5 * std::numbers::sqrt2, 8.0})
        for (double f : {1.0 - 1e-15, 1.0 - 1e-9, 1.0 + 1e-9, 1.0 + 1e-15}) ys.push_back(y * f);
    for (double y : ys)
        EXPECT_LE(std::abs(vexlo::realLog(y) - std::log(y)),
                  4e-16 * std::max(1.0, std::abs(std::log(y))))
            << y;
}

TEST(NearTerrain, DenseSolveSolvesSystemsThatNeedPivoting) {
    // Random complex systems with small diagonals (every column pivots), of sizes in and out of
    // step with the elimination's four columns at a time, in both vector builds: the solve
    // gives back the x that made b.
    for (const char* width : {"plain", "wide"}) {
        setenv("VEXLO_VECTORS", width, 1);
        vexlo::chooseVectorPathForCall();
        std::mt19937 random(19);
        std::uniform_real_distribution<double> uniform(-1.0, 1.0);
        for (int n : {1, 2, 3, 4, 5, 7, 8, 13, 37, 64}) {
            std::vector<double> re(std::size_t(n) * n), im(std::size_t(n) * n);
            std::vector<Complex> x(n), b(n, 0.0);
            for (int r = 0; r < n; ++r) {
                x[r] = Complex(uniform(random), uniform(random));
                for (int c = 0; c < n; ++c) {
                    const double size = r == c ? 1e-3 : 1.0;
                    re[std::size_t(r) * n + c] = size * uniform(random);
                    im[std::size_t(r) * n + c] = size * uniform(random);
                }
            }
            for (int r = 0; r < n; ++r)
                for (int c = 0; c < n; ++c)
                    b[r] += Complex(re[std::size_t(r) * n + c], im[std::size_t(r) * n + c]) * x[c];
            vexlo::solveDense(re, im, n, b);
            for (int r = 0; r < n; ++r)
                EXPECT_LT(std::abs(b[r] - x[r]), 1e-9) << width << ", " << n << " row " << r;
        }
    }
    unsetenv("VEXLO_VECTORS");
    vexlo::chooseVectorPathForCall();
}

} // namespace
