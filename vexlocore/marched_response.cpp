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
Point midpoint(Point a, Point b) { return {0.5 * (a.x + b.x), 0.5 * (a.z + b.z)}; }

// The grid's useful height grows with the distance x from the tower as this many times
// sqrt(lambda x), so that it holds the Fresnel zone of the waves that still meet the ground
// and the absorber above takes even the shallowest of those without sending them back.
constexpr double fresnelZones = 2.5;
// The grid's cells: at least this many, at most maximumCells (coarser cells then).
constexpr int minimumCells = 128, maximumCells = 2048;
// Waves steeper than this against the ground are not followed: no output angle needs them.
constexpr double steepestKept = 60.0 * pi / 180.0;

// Consecutive facets are followed as one where every vertex between lies so close to their
// chord that a wave reflected there at the steepest angle it can still have changes its
// phase by less than this (radians).
constexpr double chordPhase = 0.02;

// Indices of the points kept when runs of points within tolerance(point) of the chord from
// the run's first to its last point are replaced by that chord.
template <typename Tolerance>
std::vector<std::size_t> simplified(const std::vector<Point>& points, Tolerance tolerance) {
    std::vector<std::size_t> kept{0};
    const auto within = [&](std::size_t from, std::size_t to) {
        const Point chord = minus(points[to], points[from]);
        const double length = std::hypot(chord.x, chord.z);
        if (length <= 0.0) return false;
        for (std::size_t m = from + 1; m < to; ++m) {
            const Point d = minus(points[m], points[from]);
            const double along = dot(d, chord) / length;
            if (along <= 0.0 || along >= length ||
                std::fabs(d.x * chord.z - d.z * chord.x) / length > tolerance(points[m]))
                return false;
        }
        return true;
    };
    for (std::size_t i = 0; i + 1 < points.size();) {
        std::size_t j = i + 1;
        while (j + 1 < points.size() && within(i, j + 1)) ++j;
        kept.push_back(j);
        i = j;
    }
    return kept;
}

int powerOfTwoAtLeast(int n) {
    int p = 16;
    while (p < n) p *= 2;
    return p;
}

} // namespace

MarchedResponse::MarchedResponse(const Terrain& terrain, const Installation& in)
    : terrain_(terrain), wavelength_(wavelengthMetres(in)), k_(2.0 * pi / wavelength_),
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
    MarchGrid grid;
    // Cells of an eighth of a wavelength, or up to a sixth before their number doubles.
    grid.cells = std::min(
        maximumCells,
        powerOfTwoAtLeast(std::max(
            minimumCells, static_cast<int>(std::ceil(2.0 * sourcesHeight / (wavelength / 6.0))))));
    grid.useful = grid.cells / 2;
    condition.dz = std::max(condition.dz, sourcesHeight / grid.useful);

    const double startAlong = ahead + std::max(wavelength / 2.0, 4.0 * condition.dz);
    const Point start{base.x + startAlong * tangent.x, base.z + startAlong * tangent.z};
    // The starting field below the absorber; above, only steep waves the march drops.
    std::vector<Complex> starting =
        planeField(sources, base, tangent, startAlong, grid.cells, grid.useful, condition);
    starting.resize(grid.cells, 0.0);
    FieldMarch common(grid, condition, std::move(starting), start, tangent);
    common.limitAngles(steepestKept);

    // The terrain from the starting line on, in pieces no finer than its shape needs.
    std::vector<Point> path;
    std::vector<int> facetOf;
    {
        // Within the profile; the curved continuation keeps its own pieces, whose corners
        // are small enough not to radiate.
        std::vector<Point> all{start};
        std::vector<int> facets{-1};
        for (int v = Terrain::base + 1; v <= terrain_.lastProfileVertex(); ++v)
            if (vertices[v].x > start.x) {
                all.push_back(vertices[v]);
                facets.push_back(v - 1);
            }
        // A wave meets the ground x from the tower at no more than about the angle the
        // elements' height subtends there.
        const auto tolerance = [&](Point p) {
            const double steepest =
                std::min(0.6, 2.0 * sourcesHeight / std::max(1.0, p.x - base.x));
            return chordPhase / (2.0 * k * steepest);
        };
        for (std::size_t i : simplified(all, tolerance)) {
            path.push_back(all[i]);
            facetOf.push_back(facets[i]);
        }
        for (std::size_t v = terrain_.lastProfileVertex() + 1; v < vertices.size(); ++v)
            if (vertices[v].x > start.x) {
                path.push_back(vertices[v]);
                facetOf.push_back(static_cast<int>(v) - 1);
            }
    }
    const double profileEnd = vertices[terrain_.lastProfileVertex()].x;
    const auto stepLimitOf = [&](const FieldMarch& march) {
        return 0.5 * march.absorberHeight() /
               std::tan(std::min(march.steepestWave(), steepestKept));
    };
    const auto spacingAt = [&](const FieldMarch& march, double x) {
        if (x <= profileEnd + 10.0 * wavelength) return wavelength / 3.0;
        // The waves that still meet the ground come down from no higher than the elements.
        const double waves =
            std::min(march.steepestWave(), 3.0 * std::atan(sourcesHeight / (x - base.x)));
        return std::min(stepLimitOf(march),
                        std::max(wavelength / 4.0, 0.5 / (k * (1.0 - std::cos(waves)))));
    };
    const auto gammaFor = [&](Point a, Point b) {
        const Point v = minus(midpoint(a, b), centre);
        const double length = std::hypot(b.x - a.x, b.z - a.z);
        return k * dot(v, {(b.x - a.x) / length, (b.z - a.z) / length}) / std::hypot(v.x, v.z);
    };
    // Where a grid of this useful height stops holding what it must, the elements' height
    // and the Fresnel zone sqrt(lambda x) fresnelZones times: the grid grows there, at the
    // same places in every march, so that marches over nearly the same ground stay alike.
    const auto outgrownAt = [&](double useful) {
        const double zone = std::max(0.0, (useful - sourcesHeight) / fresnelZones);
        return base.x + zone * zone / wavelength;
    };
    // A long piece goes in parts, so that the grid can grow on the way.
    const auto follow = [&](FieldMarch& march, Point a, Point b, GroundRadiation* radiation) {
        const double length = std::hypot(b.x - a.x, b.z - a.z);
        double done = 0.0;
        while (done < length) {
            const Point from{a.x + (b.x - a.x) * done / length, a.z + (b.z - a.z) * done / length};
            while (from.x >= outgrownAt(march.usefulHeight())) march.coarsen();
            const double x = from.x - base.x;
            double part = std::min(length - done, std::max(8.0 * wavelength, 0.3 * x));
            const double limit = outgrownAt(march.usefulHeight());
            if (b.x > a.x && from.x + part * (b.x - a.x) / length > limit)
                part = (limit - from.x) * length / (b.x - a.x);
            const double end = (length - done - part < 1e-9 * length) ? length : done + part;
            const Point to = end == length ? b
                                           : Point{a.x + (b.x - a.x) * end / length,
                                                   a.z + (b.z - a.z) * end / length};
            march.follow(from, to, spacingAt(march, from.x), stepLimitOf(march),
                         radiation ? gammaFor(from, to) : 0.0, radiation);
            done = end;
        }
    };

    // Both marches agree as long as the terrain keeps to the plane.
    std::size_t fork = 0;
    while (fork + 1 < path.size() &&
           std::fabs(dot(minus(path[fork + 1], base), normal)) < 1e-6 * wavelength) {
        follow(common, path[fork], path[fork + 1], nullptr);
        ++fork;
    }
    GroundRadiation overTerrain(k, condition.beta, angles), overPlane(k, condition.beta, angles);
    FieldMarch terrainMarch = common, planeMarch = common;
    for (std::size_t i = fork; i + 1 < path.size(); ++i) {
        const Point a = path[i], b = path[i + 1];
        const Complex before = log ? overTerrain.at(log->index) : 0.0;
        follow(terrainMarch, a, b, &overTerrain);
        if (log)
            logTerm(Contribution::Kind::Ground, facetOf[i + 1], midpoint(a, b), 0.0, 0.0, 0.0,
                    overTerrain.at(log->index) - before);
    }
    // The plane, straight on to as far as the terrain goes, in the longest steps it allows.
    const double along = dot(minus(path.back(), base), tangent);
    const Point end{base.x + along * tangent.x, base.z + along * tangent.z};
    if (dot(minus(end, path[fork]), tangent) > 0.0) follow(planeMarch, path[fork], end, &overPlane);
    if (log)
        logTerm(Contribution::Kind::Plane, -1, midpoint(path[fork], end), 0.0, 0.0, 0.0,
                -overPlane.at(log->index));
    for (std::size_t i = 0; i < angles.size(); ++i)
        field[i] += overTerrain.values()[i] - overPlane.values()[i];
    return field;
}

} // namespace vexlo
