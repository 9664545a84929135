#include "edge_diffraction.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "fresnel.h"

namespace vexlo {

namespace {
using Complex = std::complex<double>;
constexpr double pi = std::numbers::pi;
// The lit side's ripple is kept to v = taperStart and faded out by taperEnd.
constexpr double taperStart = -1.0, taperEnd = -3.0;
} // namespace

Complex knifeEdgeTransition(double v) {
    // integral from v to infinity = (1 - j)/2 - E(v), E(t) = C(t) - j S(t).
    return Complex(0.5, 0.5) * (Complex(0.5, -0.5) - fresnelIntegral(v));
}

EdgeDiffraction::EdgeDiffraction(const Terrain& terrain, double wavelength)
    : wavelength_(wavelength) {
    const auto& facets = terrain.facets();
    for (std::size_t i = Terrain::base + 1; i < facets.size(); ++i) {
        const Point a = facets[i - 1].tangent, b = facets[i].tangent;
        // Positive when the profile turns down at the vertex between them.
        const double turn = std::atan2(a.z * b.x - a.x * b.z, dot(a, b));
        if (turn > minimumTurn) {
            edges_.push_back(facets[i].start);
            turns_.push_back(turn);
            // Facets flatter than 20 degrees are ground, steeper ones faces.
            const auto ground = [](const Facet& f) { return f.tangent.x > std::cos(pi / 9.0); };
            Sides sides;
            for (std::size_t j = i; j-- > 0;)
                if (ground(facets[j])) {
                    sides.before = true;
                    sides.beforeIndex = static_cast<int>(j);
                    break;
                }
            for (std::size_t j = i; j < facets.size(); ++j)
                if (ground(facets[j])) {
                    sides.after = true;
                    sides.afterIndex = static_cast<int>(j);
                    break;
                }
            sides_.push_back(sides);
        }
    }
}

Complex EdgeDiffraction::transition(Point source, Point u, double* worstV, double* share,
                                    int* which) const {
    double v = -std::numeric_limits<double>::infinity();
    int worst = -1;
    for (std::size_t i = 0; i < edges_.size(); ++i) {
        const Point e = edges_[i];
        if (e.x <= source.x) continue;
        const Point d = minus(e, source);
        const double along = dot(d, u);
        if (along <= 0.0) continue;
        const double h = d.z * u.x - d.x * u.z; // height of the edge above the ray
        const double here = h * std::sqrt(2.0 / (wavelength_ * along));
        if (here > v) v = here, worst = static_cast<int>(i);
    }
    if (worstV) *worstV = v;
    if (which) *which = worst;
    double kept = 1.0;
    if (v <= taperEnd) {
        kept = 0.0;
    } else if (v < taperStart) {
        const double c = std::cos(pi / 2.0 * (v - taperStart) / (taperEnd - taperStart));
        kept = c * c;
    }
    if (share) *share = kept;
    if (kept == 0.0) return 1.0;
    return 1.0 + (knifeEdgeTransition(v) - 1.0) * kept;
}

} // namespace vexlo
