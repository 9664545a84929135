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
#include "engine_runs.h"

namespace vexlo_test {

inline VexloCore1Function engine() {
    static const VexloCore1Function entry = [] {
        void* library = dlopen(SUITE_DIR "/libvexlocore.so", RTLD_NOW);
        return library ? reinterpret_cast<VexloCore1Function>(dlsym(library, "VexloCore1"))
                       : nullptr;
    }();
    return entry;
}

// The arguments of one call; run() calls the engine loaded from the run-time folder.
struct Call : EngineArguments {
    std::array<float, 140> run() const {
        const auto entry = engine();
        if (!entry) {
            ADD_FAILURE() << "libvexlocore.so or VexloCore1 not found in " SUITE_DIR;
            std::array<float, 140> gains;
            gains.fill(-30.0f);
            return gains;
        }
        return runEngine(entry, *this);
    }
};

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

inline void expectAllFinite(const std::array<float, 140>& gains) {
    for (float g : gains) {
        ASSERT_TRUE(std::isfinite(g));
        ASSERT_GE(g, -30.0f);
        ASSERT_LT(g, 40.0f);
    }
}

} // namespace vexlo_test
