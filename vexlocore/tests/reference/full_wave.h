#pragma once
// An independent full-wave answer for the terrain engine's tests: the two-dimensional
// integral equation of the profile as an impedance surface, excited by line sources
// parallel to the ground and broadside to the profile's plane, solved by the method of
// moments with forward-backward iteration, and the far field radiated by the surface
// currents. A horizontal dipole broadside to the plane has this pattern in the plane, so
// 2.15 dBi plus the pattern factor in dB is the dipole's gain over the terrain.
#include <complex>
#include <vector>

namespace vexlo_reference {

struct ProfilePoint {
    double x, z; // feet; x along the profile, z elevation
};

struct LineSource {
    double height; // feet above the first point
    std::complex<double> weight;
};

struct Problem {
    std::vector<ProfilePoint> profile; // the terrain as the engine reads it, in feet
    std::vector<LineSource> sources;
    double frequencyMHz = 14.2;
    double dielectric = 13.0, conductivity = 0.005;
    bool curvedEarth = true; // 4/3-earth transform of the elevations
    // Ground modelled behind the tower and beyond the last point (level on the earth), at
    // least 8 and 16 wavelengths.
    double behindFeet = 1500.0;
    double beyondFeet = 4000.0;
    // Within 0.03 dB rms and 0.08 dB at worst of the flat closed form at 16 (0.06 and 0.17
    // at 10).
    double segmentsPerWavelength = 16.0;
};

struct Solution {
    std::vector<std::complex<double>> factor; // per angle, see solve()
    int sweeps = 0;                           // iterations taken
    double residual = 0.0;                    // relative, after the last sweep
    int unknowns = 0;
};

// Far field at the given elevation angles (degrees), in units of the far field of one
// source of weight 1 in empty space: a single source of weight 1 gives the terrain's pattern
// factor, and a stack weighted 1/sqrt(count) each the stack's factor over one dipole.
Solution solve(const Problem& problem, const std::vector<double>& anglesDegrees);

// Gain in dBi of a horizontal dipole over the terrain, from its pattern factor.
double dipoleGainDbi(std::complex<double> factor);

} // namespace vexlo_reference
