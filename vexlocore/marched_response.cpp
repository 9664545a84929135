#include "marched_response.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

#include "ground.h"
#include "near_terrain.h"
#include "plane_field.h"

namespace vexlo {
namespace {

using Complex = std::complex<double>;
constexpr double pi = std::numbers::pi;
Point midpoint(Point a, Point b) { return {0.5 * (a.x + b.x), 0.5 * (a.z + b.z)}; }
// The point of the segment from a to b (not vertical) at x.
Point atX(Point a, Point b, double x) { return {x, a.z + (x - a.x) / (b.x - a.x) * (b.z - a.z)}; }
Point along(Point from, Point direction, double distance) {
    return {from.x + distance * direction.x, from.z + distance * direction.z};
}

// The grid's useful height grows with the distance x from the tower as this many times
// sqrt(lambda x), so that it holds the Fresnel zone of the waves that still meet the ground
// and the absorber above takes even the shallowest of those without sending them back.
constexpr double fresnelZones = 2.5;
// The grid's cells: at least this many, at most maximumCells (coarser cells then).
constexpr int minimumCells = 128, maximumCells = 2048;
// Waves steeper than this against the ground are followed only in part, the filter tapering
// them off: no output angle needs them.
constexpr double steepestKept = 60.0 * pi / 180.0;
// A vertex this close to the tower's plane (in wavelengths) lies in it.
constexpr double inPlane = 1e-6;
// Where the terrain drops (or rises) abruptly and deep right past a fork near the elements,
// the plane's radiation over this many wavelengths past the fork is taken from the sources'
// exact field on the plane: the plane's ground there lies in the elements' near field, which
// the march of travelling waves lacks, and the terrain's march, far from the plane, shares
// none of that error. Deep: by 0.2 to 0.35 wavelengths (smoothly) within 0.3 wavelengths of
// the fork; near: a fork within 1 to 1.5 wavelengths of the elements. (A shallower drop
// keeps the terrain in the near field too, and its march lacks it as the plane's does: the
// 50 ft drop 60 ft out at 3.6 MHz went from 0.40 to 1.04 dB rms.)
constexpr double exactStretch = 3.0, departureWithin = 0.3, deepFrom = 0.2, deepTo = 0.35,
                 nearFrom = 1.0, nearTo = 1.5;
// The ground near the tower is solved whole (near_terrain.h) where a facet within
// nearReachFrom to nearReachTo wavelengths ahead of the elements is steeper than steepFrom
// to steepTo against the plane and taller across it than tallFrom to tallTo wavelengths (each
// smoothly): the solve reaches nearBehindTower wavelengths behind the tower and nearBeyond
// past the march's start, which lies nearStartPast past the last such facet (the answer of the
// 500 ft drop 60 ft out at 1.8 MHz: 0.21 dB rms off the full-wave one from 1.5 wavelengths,
// 0.03 from 4). Past mostUnknowns (both solves together) it gives way to the march.
constexpr double nearReachFrom = 4.0, nearReachTo = 6.0, steepFrom = 15.0 * pi / 180.0,
                 steepTo = 25.0 * pi / 180.0, tallFrom = 0.004, tallTo = 0.012,
                 nearBehindTower = 2.0, nearBeyond = 2.0, nearStartPast = 4.0,
                 mostUnknowns = 1200.0;
// A tower's plane steeper than steepPlaneFrom to steepPlaneTo (smoothly) has the near
// ground's reach counted from the fork.
constexpr double steepPlaneFrom = 25.0 * pi / 180.0, steepPlaneTo = 40.0 * pi / 180.0;
// How far (wavelengths) the plane's march past where the terrain's leaves it radiates in
// full, where the plane is tilted by divingFrom to divingTo or more (see followPlane()).
constexpr double planeReach = 10.0, divingFrom = 10.0 * pi / 180.0, divingTo = 20.0 * pi / 180.0;
// The plateau's surface field is radiated from this far (wavelengths) from the solve's back
// end, clear of its truncation.
constexpr double plateauFrom = 1.0;
// Where a growth of the grid takes cells twice as high that carry less than this share more
// than the steepest wave that matters, the answer is blended with the one that takes more
// cells there instead (see farField()).
constexpr double growthLeeway = 0.01;
double smoothStep(double t) {
    t = std::clamp(t, 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

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

void logTerm(LoggedAngle* log, int antenna, Contribution::Kind kind, int facet, Point at,
             double angle, Complex coefficient, double path, Complex field) {
    if (log && (kind == Contribution::Kind::Direct || std::abs(field) > 1e-4))
        log->terms.push_back({antenna, kind, facet, at, angle, coefficient, path, field});
}

} // namespace

MarchedResponse::MarchedResponse(const Terrain& terrain, const Installation& in)
    : terrain_(terrain), wavelength_(wavelengthMetres(in)), k_(2.0 * pi / wavelength_),
      permittivity_(Ground(in.dielectric, in.conductivity, wavelength_).permittivity()),
      sources_(lineSources(terrain, in, wavelength_)) {
    planMarch();
}

std::vector<Complex> MarchedResponse::farField(const std::vector<double>& angles, int antenna,
                                               LoggedAngle* log) const {
    std::vector<LineSource> sources;
    for (const LineSource& e : sources_)
        if (antenna < 0 || e.antenna == antenna) sources.push_back(e);
    std::vector<Complex> field = directField(sources, angles, antenna, log);
    // Ground that reflects nothing is empty space.
    if (permittivity_ == Complex(1.0)) return field;
    addPlaneReflection(sources, angles, antenna, log, field);
    // The terrain's correction on the grid as its rule grows it; where the rule took coarser
    // cells that only just carry what matters, blended with the correction on more cells
    // there, so that the answer moves smoothly as a height or frequency takes a growth of the
    // grid across the rule's edge.
    // (Each pass's terms in the log weighed as its field is, so that they add up to it.)
    double share = 1.0;
    // (The ground near the tower, where it is solved whole, solved once for both.)
    const std::optional<NearGround> near = solveNearGround(sources, angles);
    const auto addCorrection = [&](bool cautious) {
        growth_ = {cautious, 1.0};
        std::vector<Complex> part(angles.size(), 0.0);
        LoggedAngle terms;
        if (log) terms.index = log->index;
        addTerrainCorrection(sources, angles, antenna, log ? &terms : nullptr,
                             near ? &*near : nullptr, part);
        if (!cautious) share = growth_.share;
        const double weight = cautious ? 1.0 - share : share;
        for (std::size_t i = 0; i < angles.size(); ++i) field[i] += weight * part[i];
        for (Contribution& t : terms.terms) {
            t.field *= weight;
            log->terms.push_back(t);
        }
    };
    addCorrection(false);
    if (share < 1.0) addCorrection(true);
    return field;
}

std::vector<Complex> MarchedResponse::directField(const std::vector<LineSource>& sources,
                                                  const std::vector<double>& angles, int antenna,
                                                  LoggedAngle* log) const {
    std::vector<Complex> field(angles.size());
    for (std::size_t i = 0; i < angles.size(); ++i)
        field[i] = vexlo::farField(sources, k_, angles[i]);
    if (log) {
        // One line per element would say little: the antenna's direct field at its place.
        Point at{0.0, 0.0};
        for (const LineSource& e : sources)
            at = {at.x + e.at.x / sources.size(), at.z + e.at.z / sources.size()};
        logTerm(log, antenna, Contribution::Kind::Direct, -1, at, 0.0, 1.0, 0.0, field[log->index]);
    }
    return field;
}

void MarchedResponse::addPlaneReflection(const std::vector<LineSource>& sources,
                                         const std::vector<double>& angles, int antenna,
                                         LoggedAngle* log, std::vector<Complex>& field) const {
    const Ground ground(permittivity_);
    const Complex before = log ? field[log->index] : 0.0;
    vexlo::addPlaneReflection(sources, base_, tangent_, ground, k_, angles, field);
    if (!log) return;
    // Where the reflection from the element nearest the middle meets the plane.
    const double above = angles[log->index] - std::atan2(tangent_.z, tangent_.x);
    if (above <= 0.0) return;
    double height = 0.0, distance = 0.0;
    for (const LineSource& e : sources) {
        height += dot(minus(e.at, base_), normal_) / sources.size();
        distance += dot(minus(e.at, base_), tangent_) / sources.size();
    }
    distance += height / std::tan(above);
    logTerm(log, antenna, Contribution::Kind::Reflected, Terrain::base,
            along(base_, tangent_, distance), above, ground.reflection(std::sin(above)),
            2.0 * height * std::sin(above), field[log->index] - before);
}

void MarchedResponse::planMarch() {
    // The tower's plane is its first facet's as the earth's curvature lowers it: on the
    // level line the facet's end lay a millimetre or so below the plane, so the marches over
    // the terrain and over the plane parted at their start, and their radiation of the same
    // ground, sampled in different pieces, no longer cancelled (the 100 ft cliff 500 ft out
    // at 1.8 MHz went 0.4 dB rms further off). Level ground stands in where the first facet
    // is a vertical face.
    const Facet& first = terrain_.facets()[Terrain::base];
    const Facet& plane = first.tangent.x > 0.0 ? first : terrain_.towerPlane();
    const auto& vertices = terrain_.vertices();
    base_ = vertices[Terrain::base];
    tangent_ = plane.tangent;
    normal_ = plane.normal;
    condition_ = {k_, wavelength_ / 8.0, std::sqrt(permittivity_ - 1.0)};
    double ahead = 0.0, top = 0.0, lowest = base_.z, centreX = 0.0, centreZ = 0.0, total = 0.0;
    for (const LineSource& e : sources_) {
        ahead = std::max(ahead, dot(minus(e.at, base_), tangent_));
        top = std::max(top, e.at.z);
        const double w = std::abs(e.weight);
        centreX += w * e.at.x, centreZ += w * e.at.z, total += w;
    }
    centre_ = total > 0.0 ? Point{centreX / total, centreZ / total} : base_;
    for (int v = Terrain::base; v <= terrain_.lastProfileVertex(); ++v)
        lowest = std::min(lowest, vertices[v].z);
    // The grid must hold every element above the lowest ground of the profile and, as the
    // march goes on, the Fresnel zone of the waves that still meet the ground; its upper
    // half absorbs.
    sourcesHeight_ = (top - lowest) * 1.25 + wavelength_;
    // Cells of an eighth of a wavelength, or up to a sixth before their number doubles.
    grid_.cells =
        std::min(maximumCells,
                 powerOfTwoAtLeast(std::max(
                     minimumCells,
                     static_cast<int>(std::ceil(2.0 * sourcesHeight_ / (wavelength_ / 6.0))))));
    grid_.useful = grid_.cells / 2;
    condition_.dz = std::max(condition_.dz, sourcesHeight_ / grid_.useful);

    // The starting field is taken a little ahead of the elements. Where the terrain leaves
    // the plane sooner by a good part of a wavelength (an edge a few feet in front of the
    // tower), the field is carried back to the point where it leaves, and the march starts
    // there; ground that strays less from the plane is left to the plane's exact answer, as
    // the field carried back so near the elements lacks their near field. In between the
    // start moves smoothly from one to the other.
    fieldAlong_ = ahead + std::max(wavelength_ / 2.0, 4.0 * condition_.dz);
    startAlong_ = fieldAlong_;
    double leaves = fieldAlong_, strays = 0.0;
    bool left = false;
    for (int v = Terrain::base + 1; v <= terrain_.lastProfileVertex(); ++v) {
        const Point d = minus(vertices[v], base_);
        const double distance = std::fabs(dot(d, normal_));
        if (!left && distance >= inPlane * wavelength_) {
            left = true;
            leaves = std::max(0.0, dot(minus(vertices[v - 1], base_), tangent_));
        }
        if (left && leaves < fieldAlong_) strays = std::max(strays, distance);
        if (dot(d, tangent_) > fieldAlong_) break;
    }
    ahead_ = ahead;
    startAlong_ =
        fieldAlong_ - smoothStep((strays / wavelength_ - 0.025) / 0.075) * (fieldAlong_ - leaves);
    planPath();
}

void MarchedResponse::planPath() {
    const auto& vertices = terrain_.vertices();
    const Point start = along(base_, tangent_, startAlong_);
    // Within the profile the points beyond the start; the curved continuation keeps its own
    // pieces, whose corners are small enough not to radiate.
    std::vector<Point> all{start};
    std::vector<int> facets{-1};
    // Where the terrain under the starting line has left the plane, the march first moves
    // its ground there, as a face: the terrain beyond the start is then followed as it is,
    // not along a chord from the plane to the next vertex (a 50 ft drop 60 ft out, at
    // 1.8 MHz, was taken as a slope of 50 ft over 10,000 ft).
    for (int v = Terrain::base + 1; v <= terrain_.lastProfileVertex(); ++v) {
        const double before = dot(minus(vertices[v - 1], base_), tangent_) - startAlong_;
        const double after = dot(minus(vertices[v], base_), tangent_) - startAlong_;
        if (before >= 0.0) break;
        if (after < 0.0) continue;
        const double f = after > before ? -before / (after - before) : 1.0;
        const Point under{vertices[v - 1].x + f * (vertices[v].x - vertices[v - 1].x),
                          vertices[v - 1].z + f * (vertices[v].z - vertices[v - 1].z)};
        if (after > inPlane * wavelength_ &&
            std::fabs(dot(minus(under, start), normal_)) >= inPlane * wavelength_) {
            all.push_back(under);
            facets.push_back(v - 1);
        }
        break;
    }
    for (int v = Terrain::base + 1; v <= terrain_.lastProfileVertex(); ++v) {
        // Those ahead of the start, and a face rising or falling right at it.
        const double ahead = dot(minus(vertices[v], base_), tangent_) - startAlong_;
        if (ahead > inPlane * wavelength_ ||
            (ahead > -inPlane * wavelength_ &&
             std::fabs(dot(minus(vertices[v], base_), normal_)) >= inPlane * wavelength_)) {
            all.push_back(vertices[v]);
            facets.push_back(v - 1);
        }
    }
    // A wave meets the ground x from the tower at no more than about the angle the
    // elements' height subtends there.
    const auto tolerance = [&](Point p) {
        const double steepest = std::min(0.6, 2.0 * sourcesHeight_ / std::max(1.0, p.x - base_.x));
        return chordPhase / (2.0 * k_ * steepest);
    };
    path_.clear();
    facetOf_.clear();
    for (std::size_t i : simplified(all, tolerance)) {
        path_.push_back(all[i]);
        facetOf_.push_back(facets[i]);
    }
    for (std::size_t v = terrain_.lastProfileVertex() + 1; v < vertices.size(); ++v)
        if (vertices[v].x > path_.back().x) {
            path_.push_back(vertices[v]);
            facetOf_.push_back(static_cast<int>(v) - 1);
        }
    // Both marches agree as long as the terrain keeps to the plane.
    fork_ = 0;
    while (fork_ + 1 < path_.size() &&
           std::fabs(dot(minus(path_[fork_ + 1], base_), normal_)) < inPlane * wavelength_)
        ++fork_;
    // How deep the terrain departs from the plane right past the fork, and how near the
    // elements the fork lies.
    const double forkAlong = dot(minus(path_[fork_], base_), tangent_);
    double departs = 0.0;
    for (std::size_t i = fork_; i < path_.size(); ++i) {
        const Point d = minus(path_[i], base_);
        if (dot(d, tangent_) > forkAlong + departureWithin * wavelength_) break;
        departs = std::max(departs, std::fabs(dot(d, normal_)));
    }
    exactShare_ = smoothStep((departs / wavelength_ - deepFrom) / (deepTo - deepFrom)) *
                  smoothStep((nearTo - (forkAlong - ahead_) / wavelength_) / (nearTo - nearFrom));
    planNearGround();
}

void MarchedResponse::planNearGround() {
    // The fork: the last vertex in the plane before the terrain leaves it.
    nearShare_ = 0.0;
    const auto& vertices = terrain_.vertices();
    int fork = -1;
    for (int v = Terrain::base + 1; v <= terrain_.lastProfileVertex(); ++v)
        if (std::fabs(dot(minus(vertices[v], base_), normal_)) >= inPlane * wavelength_) {
            fork = v - 1;
            break;
        }
    if (fork < 0) return;
    nearFork_ = vertices[fork];
    // How abrupt the terrain is near the elements: a facet steep against the plane, tall in
    // wavelengths and near, each smoothly; the march starts past the last such facet.
    // How near a facet lies: along the plane from the elements, or on a steep tower's
    // plane along the ground from the fork. The march, set out along such a plane, cannot
    // turn to follow the ground below it (a 79-degree first facet 500 ft high at 14.2 MHz:
    // the level ground below, 7.4 wavelengths down the plane, was marched in a frame 79
    // degrees off it, 2.9 dB rms), so the solve must reach past the fork.
    const double steepPlane =
        smoothStep((std::fabs(std::atan2(tangent_.z, tangent_.x)) - steepPlaneFrom) /
                   (steepPlaneTo - steepPlaneFrom));
    double last = nearFork_.x, arc = 0.0, fromFork = 0.0;
    for (int v = fork + 1; v <= terrain_.lastProfileVertex(); ++v) {
        const Point d = minus(vertices[v], vertices[v - 1]);
        const double across = std::fabs(dot(d, normal_)), run = dot(d, tangent_);
        const double length = std::hypot(d.x, d.z);
        const double ahead =
            ((1.0 - steepPlane) * (dot(minus(vertices[v - 1], base_), tangent_) - ahead_) +
             steepPlane * fromFork) /
            wavelength_;
        const double rate = ((1.0 - steepPlane) * run + steepPlane * length) / wavelength_;
        fromFork += length;
        if (ahead > nearReachTo) break;
        const double share =
            smoothStep((std::atan2(across, run) - steepFrom) / (steepTo - steepFrom)) *
            smoothStep((across / wavelength_ - tallFrom) / (tallTo - tallFrom)) *
            smoothStep((nearReachTo - ahead) / (nearReachTo - nearReachFrom));
        // A steep facet counts only as far as the reach: one that runs on past it (the level
        // ground below a tower on a steep first facet, steep against that facet's plane)
        // would otherwise take the whole profile into the solve.
        const double within = rate > 0.0 ? std::min(1.0, (nearReachTo - ahead) / rate) : 1.0;
        if (share > 0.0) last = std::max(last, vertices[v - 1].x + within * d.x);
        nearShare_ = std::max(nearShare_, share);
    }
    nearStart_ = last + nearStartPast * wavelength_;
    // Not on a face or a steep piece: past its end.
    for (std::size_t v = fork + 1; v < vertices.size(); ++v) {
        const Point d = minus(vertices[v], vertices[v - 1]);
        if (vertices[v - 1].x <= nearStart_ && vertices[v].x > nearStart_ &&
            std::atan2(std::fabs(d.z), d.x) > steepFrom)
            nearStart_ = vertices[v].x + 0.25 * wavelength_;
    }
    nearEnd_ = nearStart_ + nearBeyond * wavelength_;
    // Behind the tower, on a steep plane as far behind the elements' feet, which lie well up
    // it: 100 ft up on 60 degrees at 21.2 MHz the foot lies 1.9 wavelengths up the plane, at
    // the solve's back end, and the facet's reflection there came out of its truncation
    // (0.49 dB rms, 1.88 at worst, low angles high; now 0.06 and 0.27).
    double rearmost = 0.0;
    for (const LineSource& e : sources_)
        rearmost = std::min(rearmost, dot(minus(e.at, base_), tangent_));
    nearBehind_ = nearBehindTower * wavelength_ - steepPlane * rearmost;
    // The terrain's unknowns and the plane's: the solve's work grows as their cube.
    for (std::size_t v = Terrain::base + 1; v < vertices.size() && vertices[v - 1].x < nearEnd_;
         ++v) {
        const Point d = minus(vertices[v], vertices[v - 1]);
        const double within = vertices[v].x > nearEnd_ ? (nearEnd_ - vertices[v - 1].x) / d.x : 1.0;
        arc += within * std::hypot(d.x, d.z);
    }
    const double unknowns = NearTerrain::piecesPerWavelength *
                            (2.0 * nearBehind_ + arc + (nearEnd_ - base_.x)) / wavelength_;
    nearShare_ *= smoothStep((mostUnknowns - unknowns) / (0.25 * mostUnknowns));
}

FieldMarch MarchedResponse::startingMarch(const std::vector<LineSource>& sources) const {
    // The starting field below the absorber; above, only steep waves the march drops.
    std::vector<Complex> starting =
        planeField(sources, base_, tangent_, fieldAlong_, grid_.cells, grid_.useful, condition_);
    starting.resize(grid_.cells, 0.0);
    FieldMarch march(grid_, condition_, std::move(starting), along(base_, tangent_, fieldAlong_),
                     tangent_);
    march.limitAngles(steepestKept);
    march.retreat(fieldAlong_ - startAlong_);
    return march;
}

std::vector<Complex> MarchedResponse::nearPlaneRadiation(const std::vector<LineSource>& sources,
                                                         FieldMarch& planeMarch, double to,
                                                         const std::vector<double>& angles) const {
    const double forkAlong = dot(minus(path_[fork_], base_), tangent_);
    GroundRadiation exactPart(k_, condition_.beta, angles),
        marchedPart(k_, condition_.beta, angles);
    radiateExactPlane(sources, forkAlong, to, exactPart);
    follow(planeMarch, path_[fork_], along(base_, tangent_, to), &marchedPart);
    std::vector<Complex> blended(angles.size());
    for (std::size_t i = 0; i < angles.size(); ++i)
        blended[i] =
            exactShare_ * exactPart.values()[i] + (1.0 - exactShare_) * marchedPart.values()[i];
    return blended;
}

void MarchedResponse::radiateExactPlane(const std::vector<LineSource>& sources, double from,
                                        double to, GroundRadiation& radiation) const {
    // Samples a third of a wavelength apart of the field on the plane itself (cells of no
    // height: the ground's exact condition).
    const int samples = std::max(1, static_cast<int>(std::ceil((to - from) / (wavelength_ / 3.0))));
    const double spacing = (to - from) / samples;
    const double gamma = phaseRateAlong(along(base_, tangent_, 0.5 * (from + to)), tangent_);
    ImpedanceCondition exact = condition_;
    exact.dz = 1e-9 * wavelength_;
    std::vector<Complex> envelope(samples + 1);
    for (int i = 0; i <= samples; ++i)
        envelope[i] = planeField(sources, base_, tangent_, from + i * spacing, 1, 1, exact)[0] *
                      std::polar(1.0, gamma * i * spacing);
    radiation.addGround(along(base_, tangent_, from), std::atan2(tangent_.z, tangent_.x), spacing,
                        gamma, envelope);
}

std::vector<Complex> MarchedResponse::followPlane(FieldMarch& march, double from, double to,
                                                  const std::vector<double>& angles,
                                                  GroundRadiation& radiation) const {
    // A tilted plane runs on ever deeper below the terrain, whose march shares none of the
    // plane's once it has left it: where the plane dives, its radiation past its reach is
    // only its march's error (over a first facet of 20 to 45 degrees it stepped the answer by
    // up to 1.4 dB from one half degree of tilt to the next), and it fades out as the plane
    // steepens. The march is split at the reach only where it fades, so that a plane near
    // level is followed as before.
    std::vector<Complex> far(angles.size(), 0.0);
    const double share =
        1.0 - smoothStep((std::fabs(std::atan2(tangent_.z, tangent_.x)) - divingFrom) /
                         (divingTo - divingFrom));
    const double reach = share < 1.0 ? std::min(to, from + planeReach * wavelength_) : to;
    if (reach > from)
        follow(march, along(base_, tangent_, from), along(base_, tangent_, reach), &radiation);
    if (to > reach && share > 0.0) {
        GroundRadiation beyond(k_, condition_.beta, angles);
        follow(march, along(base_, tangent_, reach), along(base_, tangent_, to), &beyond);
        for (std::size_t i = 0; i < angles.size(); ++i) far[i] = share * beyond.values()[i];
    }
    return far;
}

double MarchedResponse::stepLimitOf(const FieldMarch& march) const {
    return 0.5 * march.absorberHeight() / std::tan(march.steepestWave());
}

double MarchedResponse::spacingAt(const FieldMarch& march, double x) const {
    const double profileEnd = terrain_.vertices()[terrain_.lastProfileVertex()].x;
    if (x <= profileEnd + 10.0 * wavelength_) return wavelength_ / 3.0;
    const double waves = std::min(march.steepestWave(), steepestNeeded(x));
    return std::min(stepLimitOf(march),
                    std::max(wavelength_ / 4.0, 0.5 / (k_ * (1.0 - std::cos(waves)))));
}

double MarchedResponse::phaseRateAlong(Point middle, Point direction) const {
    const Point v = minus(middle, centre_);
    return k_ * dot(v, direction) / std::hypot(v.x, v.z);
}

double MarchedResponse::steepestNeeded(double x) const {
    // The waves that still meet the ground come down from no higher than the elements.
    return std::min(pi / 2.0, 3.0 * std::atan(sourcesHeight_ / std::max(x - base_.x, 1e-9)));
}

void MarchedResponse::grow(FieldMarch& march, double x) const {
    // Coarser cells while they still carry every wave that matters here, else more cells;
    // beyond the profile, over the smooth earth, fewer cells where those four times as high
    // carry them.
    const double needed = std::min(steepestKept, steepestNeeded(x));
    if (x > smoothEarthFrom() && march.cells() > minimumCells &&
        march.resolvedWave(4.0) >= needed) {
        march.shrink();
        return;
    }
    // By how much coarser cells carry more than what matters; the cautious rule takes more
    // cells where they carry less than growthLeeway more, and the rule's answer stands
    // alone only where they carry that much more at every growth.
    // (A grid of maximumCells coarsens either way.)
    const double margin = march.resolvedWave(2.0) / needed - 1.0;
    const bool most = march.cells() >= maximumCells;
    if (!most && margin >= 0.0 && margin < growthLeeway)
        growth_.share = std::min(growth_.share, smoothStep(margin / growthLeeway));
    if (margin >= (growth_.cautious ? growthLeeway : 0.0) || most)
        march.coarsen();
    else
        march.extend();
}

double MarchedResponse::smoothEarthFrom() const {
    return terrain_.vertices()[terrain_.lastProfileVertex()].x + 10.0 * wavelength_;
}

bool MarchedResponse::thins(const FieldMarch& march) const {
    // Over the smooth earth: cells twice as high while they still carry every wave that
    // matters where it starts (judged there, so that every march past it thins alike).
    return march.cells() > minimumCells &&
           march.resolvedWave(2.0) >= std::min(steepestKept, steepestNeeded(smoothEarthFrom()));
}

double MarchedResponse::outgrownAt(double usefulHeight) const {
    // The elements' height and the Fresnel zone sqrt(lambda x) fresnelZones times: the grid
    // grows there, at the same places in every march, so that marches over nearly the same
    // ground stay alike.
    const double zone = std::max(0.0, (usefulHeight - sourcesHeight_) / fresnelZones);
    return base_.x + zone * zone / wavelength_;
}

void MarchedResponse::follow(FieldMarch& march, Point a, Point b,
                             GroundRadiation* radiation) const {
    const double length = std::hypot(b.x - a.x, b.z - a.z);
    if (!(length > 0.0)) return;
    const Point direction{(b.x - a.x) / length, (b.z - a.z) / length};
    const double angle = std::atan2(direction.z, direction.x);
    // Parts shorter than this are merged with the part before them.
    const double least = 1e-6 * wavelength_;
    double done = 0.0;
    while (length - done >= least) {
        const Point from = along(a, direction, done);
        while (from.x >= outgrownAt(march.usefulHeight())) grow(march, from.x);
        // A march that thins at the smooth earth ends a part there.
        const double smooth = smoothEarthFrom();
        while (from.x >= smooth && thins(march)) march.thin();
        const double x = from.x - base_.x;
        double part = std::min(length - done, std::max(8.0 * wavelength_, 0.3 * x));
        double limit = outgrownAt(march.usefulHeight());
        if (from.x < smooth && thins(march)) limit = std::min(limit, smooth);
        if (direction.x > 0.0 && from.x + part * direction.x > limit)
            part = std::max(least, (limit - from.x) / direction.x);
        if (length - done - part < least) part = length - done;
        march.follow(from, angle, part, spacingAt(march, from.x), stepLimitOf(march),
                     radiation ? phaseRateAlong(along(from, direction, 0.5 * part), direction)
                               : 0.0,
                     radiation);
        done += part;
    }
}

std::optional<MarchedResponse::NearGround>
MarchedResponse::solveNearGround(const std::vector<LineSource>& sources,
                                 const std::vector<double>& angles) const {
    if (nearShare_ <= 0.0) return std::nullopt;
    // The surface: the plane from nearBehind_ behind the tower, the terrain's vertices on to
    // nearEnd_, with the fork and the march's start among its vertices.
    const auto& vertices = terrain_.vertices();
    std::vector<Point> line{along(base_, tangent_, -nearBehind_)};
    std::size_t forkIndex = 0, startIndex = 0;
    for (std::size_t v = Terrain::base; v < vertices.size(); ++v) {
        const Point p = vertices[v];
        if (startIndex == 0 && p.x > nearStart_) {
            line.push_back(atX(vertices[v - 1], p, nearStart_));
            startIndex = line.size() - 1;
        }
        if (p.x >= nearEnd_) {
            line.push_back(atX(vertices[v - 1], p, nearEnd_));
            break;
        }
        line.push_back(p);
        if (p.x == nearFork_.x && p.z == nearFork_.z) forkIndex = line.size() - 1;
    }
    NearGround out{NearTerrain(line, sources, k_, condition_.beta),
                   std::vector<Complex>(angles.size(), 0.0),
                   std::vector<Complex>(angles.size(), 0.0), line[startIndex], 0.0};
    out.seamAlong = dot(minus(out.start, base_), tangent_);
    out.terrain.radiate(out.terrain.arcTo(forkIndex), out.terrain.arcTo(startIndex), angles,
                        out.terrainPart);
    // The plane alone, solved alike: the plateau behind the fork, where the terrain's
    // surface field differs from the plane's by what the terrain beyond sends back, and the
    // plane's stretch from the fork to the start's place along it.
    std::vector<Point> plane(line.begin(), line.begin() + forkIndex + 1);
    plane.push_back(along(base_, tangent_, out.seamAlong));
    plane.push_back(along(base_, tangent_, dot(minus(line.back(), base_), tangent_)));
    const NearTerrain alone(plane, sources, k_, condition_.beta);
    out.terrain.radiate(plateauFrom * wavelength_, out.terrain.arcTo(forkIndex), angles,
                        out.terrainPart);
    alone.radiate(plateauFrom * wavelength_, alone.arcTo(forkIndex + 1), angles, out.planePart);
    return out;
}

void MarchedResponse::addTerrainCorrection(const std::vector<LineSource>& sources,
                                           const std::vector<double>& angles, int antenna,
                                           LoggedAngle* log, const NearGround* solved,
                                           std::vector<Complex>& field) const {
    if (!solved) return addMarchedCorrection(sources, angles, antenna, log, field);
    const NearTerrain& near = solved->terrain;
    const std::vector<Complex>&nearPart = solved->terrainPart, &nearPlane = solved->planePart;
    const double seamAlong = solved->seamAlong;

    // Where the near answer has only its share, the marches' answer has the rest: both
    // marches go from their common start to the near start as before (radiating only then),
    // where their field takes the near solve's in its share, and go on as one.
    const bool marched = nearShare_ < 1.0;
    FieldMarch terrainMarch = startingMarch(sources);
    for (std::size_t i = 0; i < fork_; ++i) follow(terrainMarch, path_[i], path_[i + 1], nullptr);
    FieldMarch planeMarch = terrainMarch;
    GroundRadiation marchedTerrain(k_, condition_.beta, angles),
        marchedPlane(k_, condition_.beta, angles), overTerrain(k_, condition_.beta, angles),
        overPlane(k_, condition_.beta, angles);
    // The terrain: to the near start, the field there blended, on to the end.
    bool blended = false;
    for (std::size_t i = fork_; i + 1 < path_.size(); ++i) {
        Point a = path_[i];
        const Point b = path_[i + 1];
        if (!blended && b.x > nearStart_) {
            if (a.x < nearStart_) {
                const Point s = atX(a, b, nearStart_);
                follow(terrainMarch, a, s, marched ? &marchedTerrain : nullptr);
                a = s;
            }
            std::vector<Complex> starting(terrainMarch.cells());
            for (int m = 0; m < terrainMarch.cells(); ++m)
                starting[m] = near.fieldAt(along(terrainMarch.position(), terrainMarch.normal(),
                                                 m * terrainMarch.cellHeight()));
            terrainMarch.blend(nearShare_, starting);
            blended = true;
        }
        follow(terrainMarch, a, b, blended ? &overTerrain : marched ? &marchedTerrain : nullptr);
    }
    // The plane: to the near start's place along it (its stretch past a deep drop near the
    // elements in part from its exact field, as the marches alone take it), its field there
    // blended with its exact field, on to as far as the terrain goes.
    const double forkAlong = dot(minus(path_[fork_], base_), tangent_);
    const double endAlong = dot(minus(path_.back(), base_), tangent_);
    const Point seam = along(base_, tangent_, seamAlong);
    std::vector<Complex> exactNear(angles.size(), 0.0);
    const double exactAlong = exactShare_ > 0.0 && marched
                                  ? std::min(seamAlong, forkAlong + exactStretch * wavelength_)
                                  : forkAlong;
    if (exactAlong > forkAlong)
        exactNear = nearPlaneRadiation(sources, planeMarch, exactAlong, angles);
    follow(planeMarch, along(base_, tangent_, exactAlong), seam, marched ? &marchedPlane : nullptr);
    ImpedanceCondition onGrid = condition_;
    onGrid.dz = planeMarch.cellHeight();
    std::vector<Complex> exact =
        planeField(sources, base_, tangent_, seamAlong, planeMarch.cells(),
                   static_cast<int>(std::lround(planeMarch.usefulHeight() / onGrid.dz)), onGrid);
    planeMarch.blend(nearShare_, exact);
    const std::vector<Complex> farPlane =
        followPlane(planeMarch, seamAlong, endAlong, angles, overPlane);
    std::vector<Complex> terrainSum(angles.size()), planeSum(angles.size());
    for (std::size_t i = 0; i < angles.size(); ++i) {
        terrainSum[i] = nearShare_ * nearPart[i] + (1.0 - nearShare_) * marchedTerrain.values()[i] +
                        overTerrain.values()[i];
        planeSum[i] = nearShare_ * nearPlane[i] +
                      (1.0 - nearShare_) * (marchedPlane.values()[i] + exactNear[i]) +
                      overPlane.values()[i] + farPlane[i];
        field[i] += terrainSum[i] - planeSum[i];
    }
    if (log) {
        logTerm(log, antenna, Contribution::Kind::Ground, -1, midpoint(nearFork_, solved->start),
                0.0, 0.0, 0.0, terrainSum[log->index]);
        logTerm(log, antenna, Contribution::Kind::Plane, -1, seam, 0.0, 0.0, 0.0,
                -planeSum[log->index]);
    }
}

void MarchedResponse::addMarchedCorrection(const std::vector<LineSource>& sources,
                                           const std::vector<double>& angles, int antenna,
                                           LoggedAngle* log, std::vector<Complex>& field) const {
    FieldMarch common = startingMarch(sources);
    for (std::size_t i = 0; i < fork_; ++i) follow(common, path_[i], path_[i + 1], nullptr);
    GroundRadiation overTerrain(k_, condition_.beta, angles),
        overPlane(k_, condition_.beta, angles);
    FieldMarch terrainMarch = common, planeMarch = common;
    for (std::size_t i = fork_; i + 1 < path_.size(); ++i) {
        const Point a = path_[i], b = path_[i + 1];
        const Complex before = log ? overTerrain.at(log->index) : 0.0;
        follow(terrainMarch, a, b, &overTerrain);
        if (log)
            logTerm(log, antenna, Contribution::Kind::Ground, facetOf_[i + 1], midpoint(a, b), 0.0,
                    0.0, 0.0, overTerrain.at(log->index) - before);
    }
    // The plane, straight on to as far as the terrain goes, in the longest steps it allows;
    // its stretch past a deep drop near the elements in part from its exact field.
    const double forkAlong = dot(minus(path_[fork_], base_), tangent_);
    const double endAlong = dot(minus(path_.back(), base_), tangent_);
    const Point end = along(base_, tangent_, endAlong);
    std::vector<Complex> nearPlane(angles.size(), 0.0), farPlane(angles.size(), 0.0);
    if (exactShare_ > 0.0 && endAlong > forkAlong) {
        const double seamAlong = std::min(endAlong, forkAlong + exactStretch * wavelength_);
        nearPlane = nearPlaneRadiation(sources, planeMarch, seamAlong, angles);
        farPlane = followPlane(planeMarch, seamAlong, endAlong, angles, overPlane);
    } else
        farPlane = followPlane(planeMarch, forkAlong, endAlong, angles, overPlane);
    if (log)
        logTerm(log, antenna, Contribution::Kind::Plane, -1, midpoint(path_[fork_], end), 0.0, 0.0,
                0.0, -overPlane.at(log->index) - nearPlane[log->index] - farPlane[log->index]);
    for (std::size_t i = 0; i < angles.size(); ++i)
        field[i] += overTerrain.values()[i] - overPlane.values()[i] - nearPlane[i] - farPlane[i];
}

} // namespace vexlo
