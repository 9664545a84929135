#pragma once
// Calls the terrain engine through its exported C entry point, loaded by name from the
// run-time folder as the terrain program loads it.
#include <dlfcn.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <cstdint>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "../vexlocore_abi.h"
#include "profile_file.h"

namespace vexlo_test {

constexpr double pi = std::numbers::pi;

inline VexloCore1Function engine() {
    static const VexloCore1Function entry = [] {
        void* library = dlopen(SUITE_DIR "/libvexlocore.so", RTLD_NOW);
        return library ? reinterpret_cast<VexloCore1Function>(dlsym(library, "VexloCore1"))
                       : nullptr;
    }();
    return entry;
}

struct Call {
    std::vector<std::pair<double, double>> profile{{0.0, 0.0}, {1000.0, 0.0}}; // feet
    std::array<float, 4> heights{100.0f, 0.0f, 0.0f, 0.0f};
    std::array<int16_t, 4> phases{1, 1, 1, 1};
    float frequency = 14.2f, dielectric = 13.0f, conductivity = 0.005f;
    int16_t type = 4, diffractionOff = 0, logFlag = 0;
    float logAngle = 5.0f;

    // Gains at (k+1)/4 degrees, k = 0..139.
    std::array<float, 140> run() const {
        std::array<float, 151> distance{}, elevation{};
        for (std::size_t i = 0; i < profile.size() && i + 1 < distance.size(); ++i) {
            distance[i + 1] = static_cast<float>(profile[i].first);
            elevation[i + 1] = static_cast<float>(profile[i].second);
        }
        std::array<float, 140> gains;
        gains.fill(-30.0f);
        const auto entry = engine();
        if (!entry) {
            ADD_FAILURE() << "libvexlocore.so or VexloCore1 not found in " SUITE_DIR;
            return gains;
        }
        entry(distance.data(), elevation.data(), heights.data(), &frequency, &dielectric,
              &conductivity, &type, &diffractionOff, &logFlag, &logAngle, gains.data(),
              phases.data());
        return gains;
    }
};

inline double degreesAt(int k) { return (k + 1) / 4.0; }
inline double wavelengthFeet(double mhz) { return 983.57104 / mhz; }

// Fresnel coefficient for horizontal polarisation, written out independently of the engine.
inline std::complex<double> gammaH(double sinPsi, double er, double sigma, double mhz) {
    const std::complex<double> eps(er, -60.0 * sigma * 299.792458 / mhz);
    const std::complex<double> root = std::sqrt(eps - (1.0 - sinPsi * sinPsi));
    return (sinPsi - root) / (sinPsi + root);
}

// 20 log10 |1 + D Gamma exp(-j 2 k h sin theta)|: a flat plane when earthRadiusFeet is 0,
// else the smooth earth of that radius seen from the far field, whose reflection spreads by
// the divergence factor D = (1 + 2 d / (R sin theta))^-1/2, d the distance to the reflection.
inline double groundFactorDb(double theta, double heightFeet, double er, double sigma, double mhz,
                             double earthRadiusFeet = 0.0) {
    const double k = 2.0 * pi / wavelengthFeet(mhz);
    const auto g = gammaH(std::sin(theta), er, sigma, mhz);
    const double d = heightFeet / std::tan(theta);
    const double divergence =
        earthRadiusFeet > 0.0 ? 1.0 / std::sqrt(1.0 + 2.0 * d / (earthRadiusFeet * std::sin(theta)))
                              : 1.0;
    return 20.0 *
           std::log10(std::abs(1.0 + divergence * g *
                                         std::polar(1.0, -2.0 * k * heightFeet * std::sin(theta))));
}

// 4/3 of the earth's mean radius, in feet.
constexpr double effectiveEarthFeet = 4.0 / 3.0 * 6371000.0 / 0.3048;

// A sample profile of the terrain program, in feet.
inline std::vector<std::pair<double, double>> sampleProfile(const std::string& name) {
    return readProfileFile(TEST_DATA_DIR "/../brisco/samples/" + name);
}

// How two sets of gains (dB) agree at the angles where the second, the standard, is within
// 15 dB of its peak.
struct Agreement {
    double rms = 0.0, worst = 0.0, worstAngle = 0.0;
    int compared = 0;
};
inline Agreement agreement(const std::vector<double>& angles, const std::vector<double>& gains,
                           const std::vector<double>& standard) {
    const double peak = *std::max_element(standard.begin(), standard.end());
    Agreement a;
    double sum = 0.0;
    for (std::size_t i = 0; i < angles.size(); ++i) {
        if (standard[i] < peak - 15.0) continue;
        const double d = gains[i] - standard[i];
        sum += d * d;
        ++a.compared;
        if (std::fabs(d) > std::fabs(a.worst)) a.worst = d, a.worstAngle = angles[i];
    }
    a.rms = a.compared ? std::sqrt(sum / a.compared) : 0.0;
    return a;
}

inline void expectAllFinite(const std::array<float, 140>& gains) {
    for (float g : gains) {
        ASSERT_TRUE(std::isfinite(g));
        ASSERT_GE(g, -30.0f);
        ASSERT_LT(g, 40.0f);
    }
}

} // namespace vexlo_test
