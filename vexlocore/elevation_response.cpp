#include "elevation_response.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "geometric_response.h"
#include "marched_response.h"

namespace vexlo {
namespace {

using Complex = std::complex<double>;
constexpr double pi = std::numbers::pi;

double floorDbi(double power) {
    const double dbi = 10.0 * std::log10(power);
    return std::isfinite(dbi) ? std::max(dbi, gainFloorDbi) : gainFloorDbi;
}

} // namespace

double elevationDegrees(int index) { return (index + 1) / 4.0; }

double wavelengthMetres(const Installation& in) { return 299.792458 / in.frequencyMHz; }

std::array<float, gainCount> elevationResponse(const Terrain& terrain,
                                               const Installation& installation, LoggedAngle* log) {
    std::array<float, gainCount> gains;
    gains.fill(static_cast<float>(gainFloorDbi));
    const double f = installation.frequencyMHz;
    if (!std::isfinite(f) || f <= 0.0 || installation.antennas.empty()) return gains;
    std::vector<double> angles(gainCount);
    for (int i = 0; i < gainCount; ++i) angles[i] = elevationDegrees(i) * pi / 180.0;
    std::vector<Complex> field;
    if (installation.diffraction) {
        const MarchedResponse response(terrain, installation);
        field = response.farField(angles);
        // For the log, the terms of each antenna on its own; they add up to the total.
        for (std::size_t a = 0; log && a < installation.antennas.size(); ++a) {
            LoggedAngle one;
            response.farField({angles[log->index]}, static_cast<int>(a), &one);
            log->terms.insert(log->terms.end(), one.terms.begin(), one.terms.end());
        }
    } else {
        field = geometricFarField(terrain, installation, angles, log);
    }
    for (int i = 0; i < gainCount; ++i)
        gains[i] = static_cast<float>(floorDbi(std::norm(field[i])));
    if (log) {
        log->total = field[log->index];
        log->gainDbi = gains[log->index];
    }
    return gains;
}

} // namespace vexlo
