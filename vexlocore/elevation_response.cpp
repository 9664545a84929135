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
// An answer whose peak comes within kneeDb of the gain bound is scaled down smoothly so that
// it never passes it (the full-wave answer itself comes within 0.05 dB of the bound over
// HILLTOP.PRO 5.5 wavelengths up); one that passes it by more than trustedDb cannot be
// trusted, and from untrustedDb on it gives way entirely to the safer model.
constexpr double kneeDb = 0.25, trustedDb = 1.0, untrustedDb = 3.0;

double floorDbi(double power) {
    const double dbi = 10.0 * std::log10(power);
    return std::isfinite(dbi) ? std::max(dbi, gainFloorDbi) : gainFloorDbi;
}

} // namespace

double elevationDegrees(int index) { return (index + 1) / 4.0; }

double gainBoundDbi(const Terrain& terrain, const Installation& in) {
    // The profile as the caller gave it: the terrain's points raised back by the effective
    // earth's lowering.
    const auto& v = terrain.vertices();
    const double x0 = v[Terrain::base].x;
    std::vector<Point> profile;
    for (int i = Terrain::base; i <= terrain.lastProfileVertex(); ++i)
        profile.push_back(
            {v[i].x, v[i].z + (v[i].x - x0) * (v[i].x - x0) / (2.0 * effectiveEarthRadius)});
    std::vector<double> heights;
    for (const StackedAntenna& a : in.antennas) heights.push_back(a.height);
    const double antennas = std::max<std::size_t>(1, in.antennas.size());
    return AntennaPattern::quotedGainDbi(in.antennaType) + 10.0 * std::log10(antennas) +
           groundGainDb(fourthRayShare(profile, heights, wavelengthMetres(in)));
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
    // on all but the sharpest terrain, stand in. From either limit to a tenth past it the
    // answer moves from the march's to the rays' smoothly.
    const auto& v = terrain.vertices();
    double lowest = v[Terrain::base].z, highest = lowest;
    for (int i = Terrain::base; i <= terrain.lastProfileVertex(); ++i) {
        lowest = std::min(lowest, v[i].z);
        highest = std::max(highest, v[i].z);
    }
    for (const StackedAntenna& a : installation.antennas)
        highest = std::max(highest, v[Terrain::base].z + a.height);
    const double wavelength = wavelengthMetres(installation);
    const double lengthShare =
        (v[terrain.lastProfileVertex()].x - v[Terrain::base].x) / wavelength / longestMarch;
    const double heightShare = (highest - lowest) / wavelength / highestMarch;
    const double raysWeight =
        std::max(risingStep(lengthShare, 1.0, 1.1), risingStep(heightShare, 1.0, 1.1));
    const bool marchable = raysWeight < 1.0;
    if (installation.diffraction && !marchable && log)
        log->note = "too long or too high in wavelengths to march; the geometrical rays stand in";
    const double bound = std::pow(10.0, gainBoundDbi(terrain, installation) / 10.0);
    const auto peak = [](const std::vector<Complex>& f) {
        double most = 0.0;
        for (Complex v : f)
            most = std::isfinite(std::norm(v)) ? std::max(most, std::norm(v)) : HUGE_VAL;
        return most;
    };
    // b in place of a by the given weight, in power, angle by angle (the phase of the one
    // weighing more).
    const auto blend = [](std::vector<Complex>& a, const std::vector<Complex>& b, double weight) {
        for (std::size_t i = 0; i < a.size(); ++i) {
            const double power = weight >= 1.0
                                     ? std::norm(b[i])
                                     : (1.0 - weight) * std::norm(a[i]) + weight * std::norm(b[i]);
            const Complex towards = weight < 0.5 ? a[i] : b[i];
            const double size = std::abs(towards);
            a[i] =
                size > 0.0 ? towards * (std::sqrt(power) / size) : Complex(std::sqrt(power), 0.0);
        }
    };
    // How far an answer's peak passes the bound, dB (infinite when it is not finite).
    const auto excessDb = [&](const std::vector<Complex>& f) {
        const double ratio = peak(f) / bound;
        if (!(ratio <= 1e300)) return HUGE_VAL;
        return ratio > 0.0 ? 10.0 * std::log10(ratio) : -HUGE_VAL;
    };
    // The answer scaled down as a whole where its peak comes within the knee of the bound: a
    // peak e dB from the bound comes out at -knee exp(-(e + knee) / knee), which meets e
    // smoothly at the knee and stays below the bound however far e goes.
    const auto limit = [&](std::vector<Complex>& f, double excess) {
        if (!(excess > -kneeDb) || !std::isfinite(excess)) return;
        const double limited = -kneeDb * std::exp(-(excess + kneeDb) / kneeDb);
        const double scale = std::pow(10.0, (limited - excess) / 20.0);
        for (Complex& v : f) v *= scale;
    };
    // How far an answer is from being trusted: 0 up to trustedDb past the bound, 1 from
    // untrustedDb on.
    const auto distrust = [](double excess) {
        return std::isfinite(excess) || excess < 0.0 ? risingStep(excess, trustedDb, untrustedDb)
                                                     : 1.0;
    };
    // The geometrical rays, giving way in the same way to the tower's plane alone, which
    // cannot pass the bound.
    const auto rays = [&](LoggedAngle* into) {
        std::vector<Complex> f = geometricFarField(terrain, installation, angles, into);
        const double excess = excessDb(f), weight = distrust(excess);
        limit(f, excess);
        if (weight > 0.0) {
            if (log)
                log->note = weight >= 1.0
                                ? "the answer passed the bound; the tower's plane alone stands in"
                                : "the answer passed the bound; blended with the tower's "
                                  "plane alone";
            blend(f, planeFarField(terrain, installation, angles), weight);
        }
        return f;
    };
    if (installation.diffraction && marchable) {
        const MarchedResponse response(terrain, installation);
        field = response.farField(angles);
        // For the log, the terms of each antenna on its own; they add up to the total.
        for (std::size_t a = 0; log && a < installation.antennas.size(); ++a) {
            LoggedAngle one;
            response.farField({angles[log->index]}, static_cast<int>(a), &one);
            log->terms.insert(log->terms.end(), one.terms.begin(), one.terms.end());
        }
        // An answer past what physics allows is not returned: one near the bound is scaled
        // under it, and one past it by more than a decibel gives way to the rays', in power,
        // angle by angle, until from three decibels on the rays stand in; so the answer stays
        // continuous where a height or frequency takes the march towards the bound.
        const double excess = excessDb(field);
        const double weight = std::max(raysWeight, distrust(excess));
        limit(field, excess);
        if (weight > 0.0) {
            if (log)
                log->note = weight >= 1.0 ? "the marched answer passed the bound; the "
                                            "geometrical rays stand in"
                            : weight > raysWeight
                                ? "the marched answer passed the bound; blended with the "
                                  "geometrical rays"
                                : "near the limits of the march; blended with the geometrical "
                                  "rays";
            blend(field, rays(nullptr), weight);
        }
    } else {
        field = rays(log);
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
