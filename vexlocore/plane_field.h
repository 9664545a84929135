#pragma once
// The field the line sources make above the plane of the first facet, on a line normal to
// it: the march's starting field. Direct part from the Hankel function, reflected part as
// the plane-wave spectrum of the image, each wave reflected by the ground condition the
// march imposes, so the march continues it without a seam.
#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

#include "impedance_condition.h"
#include "line_sources.h"
#include "unit_phasor.h"

namespace vexlo {

// The field of a unit line source in empty space at distance r, -(j/4) H0(2)(k r), of x = k r.
std::complex<double> lineSourceField(double x);

struct Hankels {
    std::complex<double> h0, h1; // H0(2)(x), H1(2)(x)
};
// H0(2) and H1(2) of x > 0 together, sharing the logarithm below 8 and the root and phasor
// above: rational approximations of J and Y below 8 (absolute error below 2e-8), Hankel's
// expansion from 8 (absolute error below 1e-7 for H0 and 3e-7 for H1 at 8, a thousandth of
// that by 20).
Hankels hankels(double x);

// The amplitude terms P and Q of Hankel's expansion of order 0 and 1 at r = 1/x:
// H(2)(x) = sqrt(2/(pi x)) (P - j Q) exp(-j (x - (2 order + 1) pi/4)).
inline void hankelTerms0(double r, double& p, double& q) {
    const double r2 = r * r;
    p = 1.0 - 0.0703125 * r2 + 0.112152099609375 * r2 * r2 - 0.5725014209747314 * r2 * r2 * r2;
    q = -0.125 * r + 0.0732421875 * r2 * r - 0.2271080017089844 * r2 * r2 * r +
        1.727727502584457 * r2 * r2 * r2 * r;
}
inline void hankelTerms1(double r, double& p, double& q) {
    const double r2 = r * r;
    p = 1.0 + 0.1171875 * r2 - 0.1441955566 * r2 * r2 + 0.6765925884 * r2 * r2 * r2;
    q = 0.375 * r - 0.1025390625 * r2 * r + 0.2775764465 * r2 * r2 * r;
}

// hankels() from x = 8 on, its parts apart and without a branch, so that loops of it run in
// vector lanes: one root, one reciprocal and one phasor serve both orders (H1's phasor is
// H0's turned a quarter).
inline void farHankels(double x, double& h0Re, double& h0Im, double& h1Re, double& h1Im) {
    const double r = 1.0 / x;
    double p0, q0, p1, q1, c, s;
    hankelTerms0(r, p0, q0);
    hankelTerms1(r, p1, q1);
    const double size = std::sqrt(2.0 / std::numbers::pi * r);
    unitPhasor(-(x - std::numbers::pi / 4.0), c, s);
    h0Re = size * (p0 * c + q0 * s);
    h0Im = size * (p0 * s - q0 * c);
    h1Re = size * (q1 * c - p1 * s);
    h1Im = size * (p1 * c + q1 * s);
}

// Heights m dz for m = 0..count-1 above the point 'along' metres from 'base' along the
// plane of unit tangent 'tangent'. Every source must lie behind that line. The reflected
// waves' integral is taken finely enough for the cells below 'exactBelow'; above, where the
// march's absorber takes the field, it is only smooth.
std::vector<std::complex<double>> planeField(const std::vector<LineSource>& sources, Point base,
                                             Point tangent, double along, int count, int exactBelow,
                                             const ImpedanceCondition& ground);

} // namespace vexlo
