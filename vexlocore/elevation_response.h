#pragma once
// The elevation response of an antenna stack over a terrain: the gain in dBi of the whole
// installation at every quarter degree from 0.25 to 35 degrees.
//
// With diffraction (marched_response.h) the field is marched over the terrain, facet by
// facet out to the curved earth far away, and the ground's field radiates by Green's
// theorem: reflection from the whole lit surface, shadows, and diffraction over every crest
// in turn come out of the one wave solution, which converges as the profile is sampled
// finer and is continuous in angle. Without (geometric_response.h) the answer is
// geometrical optics with its limits right: direct rays while they clear the terrain and
// the reflection of the ground both ends see.
#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <string>
#include <vector>

#include "terrain.h"

namespace vexlo {

constexpr int gainCount = 140;
constexpr double gainFloorDbi = -30.0;

struct StackedAntenna {
    int number;    // 1..4, as the caller numbers them
    double height; // metres above the tower base
    int phase;     // +1 or -1
};

struct Installation {
    double frequencyMHz = 14.2;
    double dielectric = 13.0;
    double conductivity = 0.005;
    int antennaType = 4;
    bool diffraction = true;
    std::vector<StackedAntenna> antennas; // only those present
};

// One term of the far field, kept for the diagnostic log.
struct Contribution {
    enum class Kind { Direct, Reflected, Forward, Ends, Ground, Plane, Diffracted };
    int antenna = 0; // index into Installation::antennas
    Kind kind = Kind::Direct;
    int facet = -1;                   // -1 for the direct field
    Point point;                      // stationary point, the antenna for the direct field
    double angle = 0.0;               // grazing angle at the stationary point, radians
    std::complex<double> coefficient; // reflection coefficient there (1 for the direct field)
    double pathDifference = 0.0;      // metres more than the antenna's direct ray
    std::complex<double> field;       // share of the far field, |total|^2 = gain over isotropic
};

struct LoggedAngle {
    int index = 0;    // gain index 0..139, the angle (index + 1) / 4 degrees
    std::string note; // why the answer is not the model's own (refused input, a fallback)
    std::vector<Contribution> terms;
    std::complex<double> total;
    double gainDbi = gainFloorDbi;
};

// Gains in dBi, floored at -30 and always finite, and never above what the installation
// could give (gainBoundDbi): an answer past it falls back to the
// geometrical rays, then to the tower's plane alone. When log is given, the terms of the
// angle at log->index are kept in it.
std::array<float, gainCount> elevationResponse(const Terrain& terrain,
                                               const Installation& installation,
                                               LoggedAngle* log = nullptr);

double elevationDegrees(int index);

// 0 up to 'from', 1 from 'to', a smooth step between.
inline double risingStep(double x, double from, double to) {
    const double t = std::clamp((x - from) / (to - from), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

// How far the ground can give the elements a fourth ray in phase, 0 to 1: a ray reflected
// off one facet and then off a later one tilted up against it (a concave turn, such as a
// hillside running down into level ground). A ray leaving the nearer facet at grazing angle
// g meets the later one, d degrees steeper, when g < d, and leaves it at d - g over it: the
// double reflections come out between the later facet's tilt b and b + d. The share grows
// smoothly with the part of that window inside 0 to 35 degrees elevation, from 5 to 20
// degrees of it, times how far each facet can reflect: at least a wavelength long (from half
// to one and a half), the highest element at least a tenth of a wavelength on its air side
// and seeing its start, middle or end over the ground between, and its near end within 50
// wavelengths of the tower (gone by 100). The profile is in metres
// as the caller gives it (before the effective-earth transform), the tower at its first
// point, beyond its last the ground level; heights are above the tower base, metres.
// Points that go back towards the tower or repeat are skipped, as the terrain skips them.
// The engine and its tests' copy of the bound both use this one function.
inline double fourthRayShare(const std::vector<Point>& profile, const std::vector<double>& heights,
                             double wavelength) {
    constexpr double degree = 3.14159265358979323846 / 180.0;
    std::vector<Point> p;
    for (const Point& q : profile)
        if (std::isfinite(q.x) && std::isfinite(q.z) &&
            (p.empty() || q.x > p.back().x || (q.x == p.back().x && q.z != p.back().z)))
            p.push_back(q);
    if (p.empty() || heights.empty() || !(wavelength > 0.0)) return 0.0;
    const Point tower{p.front().x, p.front().z + *std::max_element(heights.begin(), heights.end())};
    p.push_back({p.back().x + 1e6 * wavelength, p.back().z}); // the level ground beyond
    // How far the elements see a point: its height over the shadow line of the ground
    // nearer the tower (the steepest sight line to a point passed), from a twentieth of a
    // wavelength below to as much above.
    double steepest = -HUGE_VAL;
    const auto seen = [&](Point q) {
        if (!(q.x > tower.x) || steepest == -HUGE_VAL) return 1.0;
        return risingStep((q.z - tower.z - steepest * (q.x - tower.x)) / wavelength, -0.05, 0.05);
    };
    const auto pass = [&](Point v) {
        if (v.x > tower.x) steepest = std::max(steepest, (v.z - tower.z) / (v.x - tower.x));
    };
    std::vector<double> tilt, weight;
    for (std::size_t i = 0; i + 1 < p.size(); ++i) {
        const Point d = minus(p[i + 1], p[i]);
        const double length = std::hypot(d.x, d.z);
        const double above = (d.x * (tower.z - p[i].z) - d.z * (tower.x - p[i].x)) / length;
        const Point middle{p[i].x + d.x / 2.0, p[i].z + d.z / 2.0};
        const double start = seen(p[i]);
        pass(p[i]);
        tilt.push_back(std::atan2(d.z, d.x));
        weight.push_back(risingStep(length / wavelength, 0.5, 1.5) *
                         risingStep(above / wavelength, 0.0, 0.1) *
                         std::max({start, seen(middle), seen(p[i + 1])}) *
                         (1.0 - risingStep((p[i].x - tower.x) / wavelength, 50.0, 100.0)));
    }
    double share = 0.0;
    for (std::size_t j = 1; j < tilt.size(); ++j) {
        if (weight[j] == 0.0) continue;
        for (std::size_t i = 0; i < j; ++i) {
            const double turn = tilt[j] - tilt[i];
            if (turn <= 0.0 || weight[i] == 0.0) continue;
            const double window = std::min(35.0 * degree, tilt[j] + turn) - std::max(0.0, tilt[j]);
            share = std::max(share, risingStep(window, 5.0 * degree, 20.0 * degree) * weight[i] *
                                        weight[j]);
        }
    }
    return share;
}

// What the ground can add to the free-space gain, dB: a perfect mirror's two rays (6.02)
// and, as the terrain can light the sky by two reflections as well as the direct ray (the
// plane by the tower and a hill's slope beyond: the full-wave answer gives a dipole 8.6 dB
// over free space 11 wavelengths above HILLTOP.PRO), three rays in phase (9.54); where a
// concave turn adds the doubly reflected ray (fourthRayShare), up to four (12.04: the
// full-wave answer gives a dipole 10.45 dB over free space 70 ft above a 45-degree
// hillside running down into level ground at 7.1 MHz).
inline double groundGainDb(double fourthRayShare) {
    const double threeRays = 20.0 * std::log10(2.0) + 3.52, fourRays = 20.0 * std::log10(4.0);
    return threeRays + fourthRayShare * (fourRays - threeRays);
}

// The most the installation can give over this terrain: its antennas' quoted free-space
// gain, their coherent sum, and what the ground can add (groundGainDb).
double gainBoundDbi(const Terrain& terrain, const Installation& installation);
// Free-space wavelength in metres.
double wavelengthMetres(const Installation& installation);

} // namespace vexlo
