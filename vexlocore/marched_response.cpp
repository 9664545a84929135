#include "marched_response.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "field_march.h"
#include "ground.h"
#include "plane_field.h"

namespace vexlo {
namespace {

using Complex = std::complex<double>;
constexpr double pi = std::numbers::pi;
constexpr double speedOfLightMegametres = 299.792458; // metres x MHz

double dot(Point a, Point b) { return a.x * b.x + a.z * b.z; }
Point minus(Point a, Point b) { return {a.x - b.x, a.z - b.z}; }
Point midpoint(Point a, Point b) { return {0.5 * (a.x + b.x), 0.5 * (a.z + b.z)}; }

// The grid's useful height grows with the distance x from the tower as this many times
// sqrt(lambda x), so that it holds the Fresnel zone of the waves that still meet the ground
// and the absorber above takes even the shallowest of those without sending them back.
constexpr double fresnelZones = 2.5;
// The grid's cells: at least this many, at most maximumCells (coarser cells then).
constexpr int minimumCells = 128, maximumCells = 2048;
// Waves steeper than this against the ground are not followed: no output angle needs them.
constexpr double steepestKept = 60.0 * pi / 180.0;

int powerOfTwoAtLeast(int n) {
    int p = 16;
    while (p < n) p *= 2;
    return p;
}

} // namespace

MarchedResponse::MarchedResponse(const Terrain& terrain, const Installation& in)
    : terrain_(terrain), wavelength_(speedOfLightMegametres / in.frequencyMHz),
      k_(2.0 * pi / wavelength_),
      permittivity_(Ground(in.dielectric, in.conductivity, wavelength_).permittivity()),
      sources_(lineSources(terrain, in, wavelength_)) {}

std::vector<Complex> MarchedResponse::farField(const std::vector<double>& angles, int antenna,
                                               LoggedAngle* log) const {
    const double wavelength = wavelength_, k = k_;
    const Ground ground(permittivity_);
    std::vector<LineSource> sources;
    for (const LineSource& e : sources_)
        if (antenna < 0 || e.antenna == antenna) sources.push_back(e);
    const auto logTerm = [&](Contribution::Kind kind, int facet, Point at, double angle,
                             Complex coefficient, double path, Complex field) {
        if (log && (kind == Contribution::Kind::Direct || std::abs(field) > 1e-4))
            log->terms.push_back({antenna, kind, facet, at, angle, coefficient, path, field});
    };

    std::vector<Complex> field(angles.size());
    for (std::size_t i = 0; i < angles.size(); ++i)
        field[i] = vexlo::farField(sources, k, angles[i]);
    if (log) {
        // One line per element would say little: the antenna's direct field at its place.
        Point at{0.0, 0.0};
        for (const LineSource& e : sources)
            at = {at.x + e.at.x / sources.size(), at.z + e.at.z / sources.size()};
        logTerm(Contribution::Kind::Direct, -1, at, 0.0, 1.0, 0.0, field[log->index]);
    }
    // Ground that reflects nothing is empty space.
    if (permittivity_ == Complex(1.0)) return field;

    const auto& vertices = terrain_.vertices();
    const Point base = vertices[Terrain::base];
    const Point tangent = terrain_.facets()[Terrain::base].tangent;
    const Point normal{-tangent.z, tangent.x};
    const double slope = std::atan2(tangent.z, tangent.x);

    // The exact answer over the first facet's plane, nothing where it would block the view.
    const std::vector<LineSource> images = mirrored(sources, base, tangent);
    for (std::size_t i = 0; i < angles.size(); ++i) {
        const double above = angles[i] - slope;
        if (above <= 0.0) {
            field[i] = 0.0;
            continue;
        }
        const Complex gamma = ground.reflection(std::sin(above));
        const Complex reflected = gamma * vexlo::farField(images, k, angles[i]);
        field[i] += reflected;
        if (log && static_cast<int>(i) == log->index) {
            // Where the reflection from the element nearest the middle meets the plane.
            double height = 0.0, along = 0.0;
            for (const LineSource& e : sources) {
                height += dot(minus(e.at, base), normal) / sources.size();
                along += dot(minus(e.at, base), tangent) / sources.size();
            }
            along += height / std::tan(above);
            logTerm(Contribution::Kind::Reflected, Terrain::base,
                    {base.x + along * tangent.x, base.z + along * tangent.z}, above, gamma,
                    2.0 * height * std::sin(above), reflected);
        }
    }

    ImpedanceCondition condition{k, wavelength / 8.0, std::sqrt(permittivity_ - 1.0)};
    double ahead = 0.0, top = 0.0, lowest = base.z, centreX = 0.0, centreZ = 0.0, total = 0.0;
    for (const LineSource& e : sources_) {
        ahead = std::max(ahead, dot(minus(e.at, base), tangent));
        top = std::max(top, e.at.z);
        const double w = std::abs(e.weight);
        centreX += w * e.at.x, centreZ += w * e.at.z, total += w;
    }
    const Point centre{centreX / total, centreZ / total};
    for (int v = Terrain::base; v <= terrain_.lastProfileVertex(); ++v)
        lowest = std::min(lowest, vertices[v].z);
    // The grid must hold every element above the lowest ground of the profile and, as the
    // march goes on, the Fresnel zone of the waves that still meet the ground; its upper
    // half absorbs.
    const double sourcesHeight = (top - lowest) * 1.25 + wavelength;
    const auto neededAt = [&](double x) {
        return sourcesHeight + fresnelZones * std::sqrt(wavelength * std::max(0.0, x - base.x));
    };
    MarchGrid grid;
    grid.cells = std::min(
        maximumCells,
        powerOfTwoAtLeast(std::max(
            minimumCells, static_cast<int>(std::ceil(2.0 * sourcesHeight / condition.dz)))));
    grid.useful = grid.cells / 2;
    condition.dz = std::max(condition.dz, sourcesHeight / grid.useful);

    const double startAlong = ahead + std::max(wavelength / 2.0, 4.0 * condition.dz);
    const Point start{base.x + startAlong * tangent.x, base.z + startAlong * tangent.z};
    FieldMarch common(grid, condition,
                      planeField(sources, base, tangent, startAlong, grid.cells, condition), start,
                      tangent);
    common.limitAngles(steepestKept);

    // The terrain from the starting line on.
    std::vector<Point> path{start};
    std::vector<int> facetOf{-1};
    for (std::size_t v = Terrain::base + 1; v < vertices.size(); ++v)
        if (vertices[v].x > start.x) {
            path.push_back(vertices[v]);
            facetOf.push_back(static_cast<int>(v) - 1);
        }
    const double profileEnd = vertices[terrain_.lastProfileVertex()].x;
    const auto stepLimitOf = [&](const FieldMarch& march) {
        return 0.5 * march.absorberHeight() /
               std::tan(std::min(march.steepestWave(), steepestKept));
    };
    const auto spacingAt = [&](const FieldMarch& march, double x) {
        if (x <= profileEnd + 10.0 * wavelength) return wavelength / 4.0;
        const double waves =
            std::min(march.steepestWave(), 2.0 * std::atan(neededAt(x) / (x - base.x)));
        return std::min(stepLimitOf(march),
                        std::max(wavelength / 4.0, 0.5 / (k * (1.0 - std::cos(waves)))));
    };
    const auto gammaFor = [&](Point a, Point b) {
        const Point v = minus(midpoint(a, b), centre);
        const double length = std::hypot(b.x - a.x, b.z - a.z);
        return k * dot(v, {(b.x - a.x) / length, (b.z - a.z) / length}) / std::hypot(v.x, v.z);
    };
    // A long piece goes in parts, so that the grid can grow on the way.
    const auto follow = [&](FieldMarch& march, Point a, Point b, GroundRadiation* radiation,
                            double) {
        const double length = std::hypot(b.x - a.x, b.z - a.z);
        double done = 0.0;
        while (done < length) {
            const Point from{a.x + (b.x - a.x) * done / length, a.z + (b.z - a.z) * done / length};
            const double x = from.x - base.x;
            const double part = std::min(length - done, std::max(8.0 * wavelength, 0.3 * x));
            const double end = (length - done - part < 1e-9 * length) ? length : done + part;
            const Point to = end == length ? b
                                           : Point{a.x + (b.x - a.x) * end / length,
                                                   a.z + (b.z - a.z) * end / length};
            while (march.usefulHeight() < neededAt(from.x)) march.coarsen();
            march.follow(from, to, spacingAt(march, from.x), stepLimitOf(march),
                         radiation ? gammaFor(from, to) : 0.0, radiation);
            done = end;
        }
    };

    // Both marches agree as long as the terrain keeps to the plane.
    std::size_t fork = 0;
    while (fork + 1 < path.size() &&
           std::fabs(dot(minus(path[fork + 1], base), normal)) < 1e-6 * wavelength) {
        follow(common, path[fork], path[fork + 1], nullptr, path[fork].x);
        ++fork;
    }
    GroundRadiation overTerrain(k, condition.beta, angles), overPlane(k, condition.beta, angles);
    FieldMarch terrainMarch = common, planeMarch = common;
    Point planeAt = path[fork];
    for (std::size_t i = fork; i + 1 < path.size(); ++i) {
        const Point a = path[i], b = path[i + 1];
        const Complex terrainBefore = log ? overTerrain.at(log->index) : 0.0;
        const Complex planeBefore = log ? overPlane.at(log->index) : 0.0;
        follow(terrainMarch, a, b, &overTerrain, a.x);
        // The plane's march in pieces of the same length along it.
        const double along = dot(minus(b, base), tangent);
        const Point next{base.x + along * tangent.x, base.z + along * tangent.z};
        if (dot(minus(next, planeAt), tangent) > 0.0) {
            follow(planeMarch, planeAt, next, &overPlane, a.x);
            planeAt = next;
        }
        if (log) {
            logTerm(Contribution::Kind::Ground, facetOf[i + 1], midpoint(a, b), 0.0, 0.0, 0.0,
                    overTerrain.at(log->index) - terrainBefore);
            logTerm(Contribution::Kind::Plane, -1, midpoint(planeAt, next), 0.0, 0.0, 0.0,
                    planeBefore - overPlane.at(log->index));
        }
    }
    for (std::size_t i = 0; i < angles.size(); ++i)
        field[i] += overTerrain.values()[i] - overPlane.values()[i];
    return field;
}

} // namespace vexlo
