#pragma once
// Diffraction at the terrain's edges for the geometrical-optics answer: a ray that a sharp
// edge of the profile hides (or only just clears) comes through multiplied by the
// knife-edge's Fresnel transition
//   T(v) = (1 + j)/2 * integral from v to infinity of exp(-j pi t^2 / 2) dt,
// v = h sqrt(2 / (lambda d)) for an edge h above the ray (negative below it) at d along it,
// the far observer at infinity. T is 1/2 on the shadow boundary, falls off as 1/(pi v sqrt 2)
// in the shadow and ripples about 1 on the lit side, so the field is continuous where the
// ray is cut off. Only vertices where the profile turns down by a real angle are edges:
// smooth ground and the curved earth's gentle bends diffract nothing. The rays the ground
// reflects before and after an edge pass it by the same transition, each for its own
// source and direction (geometric_response.cpp).
#include <complex>
#include <vector>

#include "terrain.h"

namespace vexlo {

// T(v) as above.
std::complex<double> knifeEdgeTransition(double v);

class EdgeDiffraction {
public:
    // The least turn (radians) a vertex must make downwards to count as an edge.
    static constexpr double minimumTurn = 0.1;

    EdgeDiffraction(const Terrain& terrain, double wavelength);
    // The transition for the ray from 'source' towards the far direction u at the edge that
    // hides it most (the largest v among the edges beyond it along the profile), 1 where no
    // edge stands near the ray. Well inside the lit side (v from -1 to -3) it is tapered to
    // 1, so that far edges add no ripple to open ground; 'share' is how much of the
    // transition is kept (1 up to v = -1, 0 from v = -3) and worstV the v of that edge.
    // 'which' is the index of that edge (-1 where none).
    std::complex<double> transition(Point source, Point u, double* worstV = nullptr,
                                    double* share = nullptr, int* which = nullptr) const;
    bool any() const { return !edges_.empty(); }

    // The ground on either side of an edge, as the nearest facets before and after it that
    // are not faces (less than 20 degrees steep), for the rays the ground reflects before
    // and after the edge diffracts them.
    struct Sides {
        bool before = false, after = false;
        int beforeIndex = -1, afterIndex = -1; // the facets next to the edge
    };
    const Sides& sides(int which) const { return sides_[which]; }
    Point at(int which) const { return edges_[which]; }
    double turn(int which) const { return turns_[which]; }

private:
    std::vector<Point> edges_;
    std::vector<double> turns_;
    std::vector<Sides> sides_;
    double wavelength_;
};

} // namespace vexlo
