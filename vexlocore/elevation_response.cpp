#include "elevation_response.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "antenna_pattern.h"
#include "geometric_response.h"
#include "marched_response.h"

namespace vexlo {
namespace {

using Complex = std::complex<double>;
constexpr double pi = std::numbers::pi;
// The longest profile and the greatest height, in wavelengths, that the march follows.
constexpr double longestMarch = 50000.0, highestMarch = 50.0;

double floorDbi(double power) {
    const double dbi = 10.0 * std::log10(power);
    return std::isfinite(dbi) ? std::max(dbi, gainFloorDbi) : gainFloorDbi;
}

} // namespace

double elevationDegrees(int index) { return (index + 1) / 4.0; }

double gainBoundDbi(const Installation& in) {
    // Terrain can light the sky by two reflections as well as the direct ray (the plane by
    // the tower and a hill's slope beyond: the full-wave answer gives a dipole 8.6 dB over
    // free space 11 wavelengths above HILLTOP.PRO): three rays in phase, 9.54 dB.
    constexpr double focusingMarginDb = 3.52;
    const double antennas = std::max<std::size_t>(1, in.antennas.size());
    return AntennaPattern::quotedGainDbi(in.antennaType) + 10.0 * std::log10(antennas) +
           20.0 * std::log10(2.0) + focusingMarginDb;
}

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
    // The march's work grows with the profile's length and the grid's height in
    // wavelengths: past these it would run for seconds, and the geometrical rays, right there
    // on all but the sharpest terrain, stand in.
    const auto& v = terrain.vertices();
    double lowest = v[Terrain::base].z, highest = lowest;
    for (int i = Terrain::base; i <= terrain.lastProfileVertex(); ++i) {
        lowest = std::min(lowest, v[i].z);
        highest = std::max(highest, v[i].z);
    }
    for (const StackedAntenna& a : installation.antennas)
        highest = std::max(highest, v[Terrain::base].z + a.height);
    const double wavelength = wavelengthMetres(installation);
    const bool marchable =
        (v[terrain.lastProfileVertex()].x - v[Terrain::base].x) / wavelength < longestMarch &&
        (highest - lowest) / wavelength < highestMarch;
    if (installation.diffraction && !marchable && log)
        log->note = "too long or too high in wavelengths to march; the geometrical rays stand in";
    if (installation.diffraction && marchable) {
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
    // An answer past what physics allows is not returned: the geometrical rays stand in
    // for it, or failing them the tower's plane alone, which cannot pass the bound.
    const double bound = std::pow(10.0, gainBoundDbi(installation) / 10.0);
    const auto beyond = [bound](const std::vector<Complex>& f) {
        return std::any_of(f.begin(), f.end(),
                           [bound](Complex v) { return !(std::norm(v) <= bound); });
    };
    if (beyond(field) && installation.diffraction) {
        if (log) log->note = "the marched answer passed the bound; the geometrical rays stand in";
        field = geometricFarField(terrain, installation, angles, nullptr);
    }
    if (beyond(field)) {
        if (log) log->note = "the answer passed the bound; the tower's plane alone stands in";
        field = planeFarField(terrain, installation, angles);
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
