#include "line_sources.h"

#include <cmath>
#include <numbers>

#include "antenna_pattern.h"
#include "elevation_response.h"
#include "unit_phasor.h"

namespace vexlo {

std::vector<LineSource> lineSources(const Terrain& terrain, const Installation& in,
                                    double wavelength) {
    const AntennaPattern& pattern = AntennaPattern::forType(in.antennaType);
    const double share = 1.0 / std::sqrt(static_cast<double>(in.antennas.size()));
    // A long boom low over sloping ground can reach down to the plane of the first facet or
    // below it (a Yagi for 160 m a few feet up): such elements are lifted to half the mast
    // top's height above it (a twentieth of a wavelength at most), as if the boom were bent
    // up over the ground. The mast top's height above the plane is the antenna's height times
    // the cosine of the plane's tilt: on a steep facet the element at the mast stays where it
    // is (lifted by half the antenna's height, a dipole 60 ft up on a 79-degree facet at
    // 1.8 MHz stood 27 ft off it instead of 11, 4.4 dB high at every angle).
    const Facet& first = terrain.towerPlane();
    std::vector<LineSource> sources;
    for (std::size_t i = 0; i < in.antennas.size(); ++i) {
        const StackedAntenna& s = in.antennas[i];
        const Point base = terrain.antenna(s.height);
        const double lowest = std::min(0.5 * s.height * first.normal.z, wavelength / 20.0);
        for (int n = 0; n < pattern.elements(); ++n) {
            Point at{base.x + pattern.elementOffset(n) * wavelength, base.z};
            const double lift = lowest - dot(minus(at, first.end), first.normal);
            if (lift > 0.0) at = {at.x + lift * first.normal.x, at.z + lift * first.normal.z};
            sources.push_back({at, (s.phase < 0 ? -share : share) * pattern.elementWeight(n),
                               static_cast<int>(i)});
        }
    }
    return sources;
}

std::complex<double> farField(const std::vector<LineSource>& sources, double k, double theta) {
    const double c = std::cos(theta), s = std::sin(theta);
    std::complex<double> sum = 0.0;
    for (const LineSource& e : sources) sum += e.weight * unitPhasor(k * (e.at.x * c + e.at.z * s));
    return sum;
}

std::vector<LineSource> mirrored(const std::vector<LineSource>& sources, Point on, Point tangent) {
    const Point normal{-tangent.z, tangent.x};
    std::vector<LineSource> images = sources;
    for (LineSource& e : images) {
        const double d = (e.at.x - on.x) * normal.x + (e.at.z - on.z) * normal.z;
        e.at = {e.at.x - 2.0 * d * normal.x, e.at.z - 2.0 * d * normal.z};
    }
    return images;
}

void addPlaneReflection(const std::vector<LineSource>& sources, Point on, Point tangent,
                        const Ground& ground, double k, const std::vector<double>& angles,
                        std::vector<std::complex<double>>& field) {
    const double slope = std::atan2(tangent.z, tangent.x);
    const std::vector<LineSource> images = mirrored(sources, on, tangent);
    for (std::size_t i = 0; i < angles.size(); ++i) {
        const double above = angles[i] - slope;
        field[i] = above <= 0.0 ? 0.0
                                : field[i] + ground.reflection(std::sin(above)) *
                                                 farField(images, k, angles[i]);
    }
}

std::vector<std::complex<double>> planeFarField(const Terrain& terrain, const Installation& in,
                                                const std::vector<double>& angles) {
    const double wavelength = wavelengthMetres(in), k = 2.0 * std::numbers::pi / wavelength;
    const std::vector<LineSource> sources = lineSources(terrain, in, wavelength);
    std::vector<std::complex<double>> field;
    for (double a : angles) field.push_back(farField(sources, k, a));
    const Facet& plane = terrain.towerPlane();
    addPlaneReflection(sources, plane.end, plane.tangent,
                       Ground(in.dielectric, in.conductivity, wavelength), k, angles, field);
    return field;
}

} // namespace vexlo
