#pragma once
// The elevation response of an antenna stack over a terrain: the gain in dBi of the whole
// installation at every quarter degree from 0.25 to 35 degrees.
#include <array>
#include <complex>
#include <vector>

#include "ray_tracer.h"
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

// The rays of one angle as they add up, kept for the diagnostic log.
struct LoggedAngle {
    int index = 0;         // gain index 0..139, the angle (index + 1) / 4 degrees
    std::vector<Ray> rays; // fields already weighted by phase and power share
    std::complex<double> total;
    double gainDbi = gainFloorDbi;
};

// Gains in dBi, floored at -30 and always finite. When log is given, the rays of the
// angle at log->index are kept in it.
std::array<float, gainCount> elevationResponse(const Terrain& terrain,
                                               const Installation& installation,
                                               LoggedAngle* log = nullptr);

double elevationDegrees(int index);

} // namespace vexlo
