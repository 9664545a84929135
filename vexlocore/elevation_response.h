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
#include <array>
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
// The most the installation can give: its antennas' quoted free-space gain, their coherent
// sum, and three rays in phase (the direct one and two full reflections, 9.54 dB).
double gainBoundDbi(const Installation& installation);
// Free-space wavelength in metres.
double wavelengthMetres(const Installation& installation);

} // namespace vexlo
