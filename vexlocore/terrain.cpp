#include "terrain.h"

#include "common/constants.h"

#include <algorithm>
#include <cmath>

namespace vexlo {
namespace {

// The first facet continues this far (metres) behind the tower.
constexpr double behind = 1e6;
// The curved continuation: facets growing from 50 m by 40 % each up to 8 km (their sag
// stays below a metre) out to 150 km, past the horizon of any antenna up to 1000 ft.
constexpr double firstStep = 50.0, growth = 1.4, longestStep = 8000.0, farthest = 150000.0;
// Larger coordinates (feet) are not terrain.
constexpr double absurdFeet = 1e7;

Facet makeFacet(Point a, Point b) {
    Facet f{a, b, {}, {}, std::hypot(b.x - a.x, b.z - a.z)};
    f.tangent = {(b.x - a.x) / f.length, (b.z - a.z) / f.length};
    f.normal = {-f.tangent.z, f.tangent.x};
    return f;
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
    const double x0 = profile.front().x;
    const auto lowered = [x0](Point p) {
        return Point{p.x, p.z - (p.x - x0) * (p.x - x0) / (2.0 * effectiveEarthRadius)};
    };
    // Behind the tower the first facet continues, so the base is no break; behind a
    // vertical first facet the ground is level.
    Point back{-behind, 0.0};
    if (profile.size() > 1 && profile[1].x > profile[0].x) {
        const Facet first = makeFacet(profile[0], profile[1]);
        back = {-behind * first.tangent.x, -behind * first.tangent.z};
    }
    vertices_.push_back({profile[0].x + back.x, profile[0].z + back.z});
    for (const Point& p : profile) vertices_.push_back(lowered(p));
    lastProfile_ = static_cast<int>(vertices_.size()) - 1;
    const Point last = profile.back();
    for (double step = firstStep, x = last.x + step; x - last.x < farthest;
         step = std::min(step * growth, longestStep), x += step)
        vertices_.push_back(lowered({x, last.z}));

    for (std::size_t i = 0; i + 1 < vertices_.size(); ++i)
        facets_.push_back(makeFacet(vertices_[i], vertices_[i + 1]));
}

} // namespace vexlo
