#include "terrain.h"

#include "common/constants.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vexlo {
namespace {

constexpr double pi = std::numbers::pi;
// The ground is continued this far (metres) behind the tower and beyond the last point.
constexpr double farAway = 1e9;
// Larger coordinates (feet) are not terrain.
constexpr double absurdFeet = 1e7;
// Clearance margin, metres: a ray grazing a vertex within it counts as clear.
constexpr double margin = 1e-7;

Facet makeFacet(Point a, Point b) {
    Facet f{a, b, {}, {}, std::hypot(b.x - a.x, b.z - a.z)};
    f.tangent = {(b.x - a.x) / f.length, (b.z - a.z) / f.length};
    f.normal = {-f.tangent.z, f.tangent.x};
    return f;
}

double wrapTurn(double angle) {
    angle = std::fmod(angle, 2.0 * pi);
    return angle < 0.0 ? angle + 2.0 * pi : angle;
}

} // namespace

Terrain Terrain::fromProfile(const float* distanceFeet, const float* elevationFeet) {
    std::vector<Point> profile;
    for (int i = 1; i < profileEntries; ++i) {
        const double d = distanceFeet[i], e = elevationFeet[i];
        if (i > 1 && d == 0.0) break;
        if (!std::isfinite(d) || !std::isfinite(e) || std::fabs(d) > absurdFeet ||
            std::fabs(e) > absurdFeet)
            continue;
        const Point p{d * common::MetresPerFoot, e * common::MetresPerFoot};
        if (!profile.empty() &&
            (p.x < profile.back().x || (p.x == profile.back().x && p.z == profile.back().z)))
            continue;
        profile.push_back(p);
    }
    return Terrain(std::move(profile));
}

Terrain::Terrain(std::vector<Point> profile) {
    if (profile.empty()) profile.push_back({0.0, 0.0});
    // The ground behind the tower continues the first facet, so the base is no wedge;
    // behind a vertical first facet it is level.
    Point back{-farAway, 0.0};
    if (profile.size() > 1 && profile[1].x > profile[0].x) {
        const Facet first = makeFacet(profile[0], profile[1]);
        back = {-farAway * first.tangent.x, -farAway * first.tangent.z};
    }
    vertices_.push_back({profile[0].x + back.x, profile[0].z + back.z});
    vertices_.insert(vertices_.end(), profile.begin(), profile.end());
    vertices_.push_back({profile.back().x + farAway, profile.back().z});

    for (std::size_t i = 0; i + 1 < vertices_.size(); ++i)
        facets_.push_back(makeFacet(vertices_[i], vertices_[i + 1]));

    for (int i = 1; i + 1 < static_cast<int>(vertices_.size()); ++i) {
        const Point v = vertices_[i], next = vertices_[i + 1], prev = vertices_[i - 1];
        const double face0 = std::atan2(next.z - v.z, next.x - v.x);
        double open = wrapTurn(std::atan2(prev.z - v.z, prev.x - v.x) - face0);
        if (open < 1e-12) open = 2.0 * pi; // both faces fall away vertically: a knife edge
        const double n = open / pi;
        // Straight-through vertices diffract nothing; very sharp notches are left out,
        // their field being dominated by reflections between their faces.
        if (std::fabs(n - 1.0) < 1e-6 || n < 0.25) continue;
        wedges_.push_back({i, face0, n});
    }
}

Place Terrain::antennaPlace(double height) const {
    const Point b = towerBase();
    return {{b.x, b.z + height}, base, base + 1};
}

bool Terrain::rayClear(const Place& q, double tanTheta) const {
    for (int j = q.after; j < static_cast<int>(vertices_.size()); ++j) {
        const Point v = vertices_[j];
        if (v.z - q.p.z > (v.x - q.p.x) * tanTheta + margin) return false;
    }
    return true;
}

bool Terrain::segmentClear(Place a, Place b) const {
    if (b.after < a.after || (b.after == a.after && b.p.x < a.p.x)) std::swap(a, b);
    const double run = b.p.x - a.p.x;
    for (int j = std::max(a.after, 0); j <= b.before && j < static_cast<int>(vertices_.size());
         ++j) {
        const Point v = vertices_[j];
        if (v.x < a.p.x || v.x > b.p.x) continue;
        const double line =
            run > 0.0 ? a.p.z + (b.p.z - a.p.z) * (v.x - a.p.x) / run : std::max(a.p.z, b.p.z);
        if (v.z > line + margin) return false;
    }
    return true;
}

} // namespace vexlo
