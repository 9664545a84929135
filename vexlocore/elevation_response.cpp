#include "elevation_response.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vexlo {
namespace {

constexpr double speedOfLightMegametres = 299.792458; // metres x MHz

double floorDbi(double power) {
    const double dbi = 10.0 * std::log10(power);
    return std::isfinite(dbi) ? std::max(dbi, gainFloorDbi) : gainFloorDbi;
}

} // namespace

double elevationDegrees(int index) { return (index + 1) / 4.0; }

std::array<float, gainCount> elevationResponse(const Terrain& terrain,
                                               const Installation& installation, LoggedAngle* log) {
    std::array<float, gainCount> gains;
    gains.fill(static_cast<float>(gainFloorDbi));
    const double f = installation.frequencyMHz;
    if (!std::isfinite(f) || f <= 0.0 || installation.antennas.empty()) return gains;

    const double wavelength = speedOfLightMegametres / f;
    const Ground ground(installation.dielectric, installation.conductivity, wavelength);
    std::vector<double> heights;
    std::vector<std::complex<double>> weights;
    // Equal shares of the input power: each antenna's field scales by 1/sqrt(count).
    const double share = 1.0 / std::sqrt(static_cast<double>(installation.antennas.size()));
    for (const StackedAntenna& a : installation.antennas) {
        heights.push_back(a.height);
        weights.push_back(a.phase < 0 ? -share : share);
    }
    const RayTracer tracer(terrain, ground, AntennaPattern::forType(installation.antennaType),
                           wavelength, installation.diffraction, heights);

    std::vector<Ray> rays;
    for (int i = 0; i < gainCount; ++i) {
        rays.clear();
        tracer.trace(elevationDegrees(i) * std::numbers::pi / 180.0, rays);
        std::complex<double> total = 0.0;
        for (Ray& r : rays) {
            r.field *= weights[r.antenna];
            total += r.field;
        }
        gains[i] = static_cast<float>(floorDbi(std::norm(total)));
        if (log && log->index == i) {
            log->rays = rays;
            log->total = total;
            log->gainDbi = gains[i];
        }
    }
    return gains;
}

} // namespace vexlo
