#pragma once
// The physical-optics integral of one straight facet, in closed form.
//
// The facet's current radiates towards the far direction u with the phase
// k phi(s) = k (|A - P(s)| - u.P(s)) along it, s the distance from its start. phi is convex on
// the facet's line with one stationary point s* (the specular point, or where the direct ray
// crosses the line), so the exact substitution k (phi(s) - phi(s*)) = (pi/2) tau^2 turns the
// integral of g(s) exp(-j k phi) ds into one of G(tau) exp(-j pi tau^2 / 2) dtau. G is smooth;
// taken as a parabola over a short piece of tau, the integral is Fresnel integrals and end
// terms, exact in the phase. Over a few Fresnel zones about s* (|tau| up to 4) the facet is
// integrated so, piece by piece; beyond them the end terms alone are exact to a fraction of
// a percent, and the end terms of a facet cut there telescope, so a facet's integral is its
// two end terms plus, where it overlaps the zone about s*, the zone's integral less the end
// terms at the zone's limits.
#include <complex>
#include <functional>
#include <utility>

namespace vexlo {

// What the integral needs at one point of the facet's line.
struct FacetPoint {
    double s = 0.0;            // distance from the facet's start
    double phi = 0.0;          // the phase path, metres
    double slope = 0.0;        // d phi / ds
    std::complex<double> g;    // the integrand's amplitude
    std::complex<double> wave; // exp(-j k phi), which neighbouring facets share
};

struct StationaryPoint {
    double phi = 0.0;       // phi(s*)
    double curvature = 0.0; // d2 phi / ds2 at s*
    double s = 0.0;
};

// The facet's line as one far direction sees it: the antenna at 'height' above it with its
// foot at 'along' (from the facet's start), the direction's components c along the line
// and un across it (un != 0).
struct FacetLine {
    double k, height, along, c, un;
    // The point of the line at tau, from the start.
    double at(double tau) const;
    // Where the zone of a few Fresnel zones about s* begins and ends.
    std::pair<double, double> zone() const;
};

// End term j g exp(-j k phi) / (k phi'): the integral's share from one end far from s*.
std::complex<double> endTerm(double k, const FacetPoint& p);

// Integral from a to b (a.s < b.s, within the zone) of g exp(-j k phi) ds: G as parabolas
// in tau over pieces a half Fresnel unit wide, each exact in closed form.
std::complex<double> zoneIntegral(const FacetLine& line, const FacetPoint& a, const FacetPoint& b,
                                  const StationaryPoint& stationary,
                                  const std::function<FacetPoint(double)>& pointAt);

} // namespace vexlo
