#pragma once
// Runs of the terrain engine and of the full-wave reference for the same case, and how
// their gains agree; shared by the tests and the comparison tool (no test framework here).
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <utility>
#include <vector>

#include "../elevation_response.h"
#include "../vexlocore_abi.h"
#include "accuracy_cases.h"
#include "reference/full_wave.h"

namespace vexlo_test {

constexpr double pi = std::numbers::pi;
using Gains = std::array<float, 140>;

inline double degreesAt(int k) { return (k + 1) / 4.0; }
inline double wavelengthFeet(double mhz) { return 983.57104 / mhz; }

struct EngineArguments {
    std::vector<std::pair<double, double>> profile{{0.0, 0.0}, {1000.0, 0.0}}; // feet
    std::array<float, 4> heights{100.0f, 0.0f, 0.0f, 0.0f};
    std::array<int16_t, 4> phases{1, 1, 1, 1};
    float frequency = 14.2f, dielectric = 13.0f, conductivity = 0.005f;
    int16_t type = 4, diffractionOff = 0, logFlag = 0;
    float logAngle = 5.0f;
};

// Gains at (k+1)/4 degrees, k = 0..139.
inline Gains runEngine(VexloCore1Function entry, const EngineArguments& a) {
    std::array<float, 151> distance{}, elevation{};
    for (std::size_t i = 0; i < a.profile.size() && i + 1 < distance.size(); ++i) {
        distance[i + 1] = static_cast<float>(a.profile[i].first);
        elevation[i + 1] = static_cast<float>(a.profile[i].second);
    }
    Gains gains;
    gains.fill(-30.0f);
    entry(distance.data(), elevation.data(), a.heights.data(), &a.frequency, &a.dielectric,
          &a.conductivity, &a.type, &a.diffractionOff, &a.logFlag, &a.logAngle, gains.data(),
          a.phases.data());
    return gains;
}

// A dipole at one height over the profile, average soil.
inline EngineArguments dipoleArguments(const Profile& profile, double mhz, double heightFeet) {
    EngineArguments a;
    a.type = 1;
    a.profile = profile;
    a.frequency = static_cast<float>(mhz);
    a.heights = {static_cast<float>(heightFeet), 0.0f, 0.0f, 0.0f};
    return a;
}

inline EngineArguments dipoleCall(const AccuracyCase& c) {
    EngineArguments a = dipoleArguments(c.profile, c.mhz, c.heightFeet);
    a.dielectric = static_cast<float>(c.ground.dielectric);
    a.conductivity = static_cast<float>(c.ground.conductivity);
    return a;
}

// The terrain program's ground rows.
inline const std::vector<GroundRow>& groundRows() {
    static const std::vector<GroundRow> rows{
        {"extremely poor", 3.0, 0.001}, {"very poor", 5.0, 0.001},    {"sandy, dry", 10.0, 0.002},
        {"poor", 13.0, 0.002},          {"average", 13.0, 0.005},     {"good", 14.0, 0.01},
        {"very good", 20.0, 0.03},      {"fresh water", 81.0, 0.001}, {"salt water", 80.0, 5000.0},
        {"sea water", 80.0, 5.0}};
    return rows;
}

// The most a stack can give over the call's ground: every antenna's quoted free-space gain,
// the stack's coherent sum, and what the ground can add, three rays in phase, four where a
// concave turn the elements light adds the doubly reflected ray (the engine's own measure of
// the ground, taken over the profile as the engine reads it: up to the first zero distance
// after the first point).
inline double gainBoundDbi(const EngineArguments& a) {
    constexpr std::array<double, 8> quoted{8.5, 2.15, 5.5, 7.0, 8.5, 9.5, 11.0, 12.0};
    constexpr double metresPerFoot = 0.3048;
    std::vector<vexlo::Point> profile;
    for (std::size_t i = 0; i < a.profile.size() && i < 150; ++i) {
        const double d = static_cast<float>(a.profile[i].first);
        if (i > 0 && d == 0.0) break;
        profile.push_back(
            {d * metresPerFoot, static_cast<float>(a.profile[i].second) * metresPerFoot});
    }
    std::vector<double> heights;
    for (float h : a.heights)
        if (h > 0.0f) heights.push_back(h * metresPerFoot);
    const double share =
        vexlo::fourthRayShare(profile, heights, 299.792458 / static_cast<double>(a.frequency));
    return quoted[a.type >= 1 && a.type <= 7 ? a.type : 0] +
           10.0 * std::log10(std::max<double>(1.0, static_cast<double>(heights.size()))) +
           vexlo::groundGainDb(share);
}

// The comparison starts at 1.5 degrees: below, the answer hangs on the earth far beyond
// any profile.
constexpr int firstComparedIndex = 5;

struct ReferenceGains {
    std::vector<double> angles, gains; // degrees, dBi
    int unknowns = 0;
    double residual = 0.0;
};

// The reference's dipole gains from the angle of index 'first' to 35 degrees.
inline ReferenceGains referenceGains(const AccuracyCase& c, int first) {
    vexlo_reference::Problem problem;
    for (const auto& [d, e] : c.profile) problem.profile.push_back({d, e});
    problem.sources = {{c.heightFeet, 1.0}};
    problem.frequencyMHz = c.mhz;
    problem.dielectric = c.ground.dielectric;
    problem.conductivity = c.ground.conductivity;
    ReferenceGains out;
    for (int k = first; k < 140; ++k) out.angles.push_back(degreesAt(k));
    const auto solution = vexlo_reference::solve(problem, out.angles);
    for (const auto& f : solution.factor) out.gains.push_back(vexlo_reference::dipoleGainDbi(f));
    out.unknowns = solution.unknowns;
    out.residual = solution.residual;
    return out;
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

} // namespace vexlo_test
