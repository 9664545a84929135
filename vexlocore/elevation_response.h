#pragma once
// The elevation response of an antenna stack over a terrain: the gain in dBi of the whole
// installation at every quarter degree from 0.25 to 35 degrees.
//
// The model. Each antenna's far field towards elevation theta is its direct field plus the
// field of the currents the ground carries, in physical optics: every facet lit by the
// antenna carries the current of its tangent plane (Fresnel coefficient for horizontal
// polarisation at the local angle of incidence) and radiates it; each facet's integral is
// exact in closed form up to a smooth amplitude (physical_optics.h). On a smooth stretch the
// facets' end terms cancel and the stationary points give the reflection of the curved
// surface with its divergence, so the answer converges as the profile is sampled finer and
// is continuous in angle. Where the direct ray meets the ground, the same integral's
// forward part cancels it: shadows, and the knife-edge diffraction over crests and breaks,
// come out of the currents rather than from switching rays on and off. The currents are
// those of the antenna's own illumination (one bounce): ground that the antenna cannot see
// carries none, and a reflected wave is not blocked on its way out.
//
// With diffraction off the answer is geometrical optics with its limits right: the direct
// ray while it clears the terrain, and the reflection integral over the ground that both
// the antenna and the far observer see, without the forward part and without crest factors.
#include <array>
#include <complex>
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
    enum class Kind { Direct, Reflected, Forward, Ends, Ground, Plane };
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
    int index = 0; // gain index 0..139, the angle (index + 1) / 4 degrees
    std::vector<Contribution> terms;
    std::complex<double> total;
    double gainDbi = gainFloorDbi;
};

// Gains in dBi, floored at -30 and always finite. When log is given, the terms of the angle
// at log->index are kept in it.
std::array<float, gainCount> elevationResponse(const Terrain& terrain,
                                               const Installation& installation,
                                               LoggedAngle* log = nullptr);

double elevationDegrees(int index);

} // namespace vexlo
