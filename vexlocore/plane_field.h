#pragma once
// The field the line sources make above the plane of the first facet, on a line normal to
// it: the march's starting field. Direct part from the Hankel function, reflected part as
// the plane-wave spectrum of the image, each wave reflected by the ground condition the
// march imposes, so the march continues it without a seam.
#include <algorithm>
#include <bit>
#include <cmath>
#include <complex>
#include <cstdint>
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

// log(x) for the hot loops, x a normal positive number: the power of two taken from the
// exponent's bits (as a whole number in a float's low bits, no conversion), the rest brought
// within sqrt(1/2) .. sqrt(2) and its logarithm from the series of atanh; relative error near
// 1e-16 and no branch, so that loops of it run in vector lanes.
inline double realLog(double x) {
    constexpr std::uint64_t mantissa = (std::uint64_t(1) << 52) - 1;
    constexpr double twoTo52 = 4503599627370496.0;
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(x);
    // 2^52 + the biased exponent, exactly.
    const double biased =
        std::bit_cast<double>((bits >> 52) | std::bit_cast<std::uint64_t>(twoTo52)) - twoTo52;
    double m = std::bit_cast<double>((bits & mantissa) | std::bit_cast<std::uint64_t>(1.0));
    const bool halve = m > std::numbers::sqrt2;
    m = halve ? 0.5 * m : m;
    const double power = biased - (halve ? 1022.0 : 1023.0);
    const double s = (m - 1.0) / (m + 1.0), s2 = s * s;
    double series = 1.0 / 21;
    for (double c : {1.0 / 19, 1.0 / 17, 1.0 / 15, 1.0 / 13, 1.0 / 11, 1.0 / 9, 1.0 / 7, 1.0 / 5,
                     1.0 / 3, 1.0})
        series = series * s2 + c;
    return power * std::numbers::ln2 + 2.0 * s * series;
}

// Below x = 8, of y = x^2: J0 and Y0 - (2/pi) J0 log x by rational approximations (absolute
// error below 2e-8); the caller adds the logarithm's part, after (the logarithm a call that
// would otherwise keep the rest waiting).
inline void smallOrder0(double y, double& j0, double& y0) {
    j0 = (57568490574.0 +
          y * (-13362590354.0 +
               y * (651619640.7 + y * (-11214424.18 + y * (77392.33017 + y * -184.9052456))))) /
         (57568490411.0 +
          y * (1029532985.0 + y * (9494680.718 + y * (59272.64853 + y * (267.8532712 + y)))));
    y0 = (-2957821389.0 +
          y * (7062834065.0 +
               y * (-512359803.6 + y * (10879881.29 + y * (-86327.92757 + y * 228.4622733))))) /
         (40076544269.0 +
          y * (745249964.8 + y * (7189466.438 + y * (47447.26470 + y * (226.1030244 + y)))));
}

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

// lineSourceField() with its parts apart and without a branch (both sides of 8 worked out and
// one taken), so that loops of it run in vector lanes.
inline void lineSourceField(double x, double& re, double& im) {
    const double small = std::min(x, 8.0), large = std::max(x, 8.0);
    double j0, y0, p, q, c, s;
    smallOrder0(small * small, j0, y0);
    y0 += 2.0 / std::numbers::pi * j0 * realLog(small);
    hankelTerms0(1.0 / large, p, q);
    const double size = std::sqrt(2.0 / std::numbers::pi / large);
    unitPhasor(-(large - std::numbers::pi / 4.0), c, s);
    // -(j/4) H0(2): H0 = J0 - j Y0 below 8, size (P - j Q)(c + j s) above.
    const double hRe = x < 8.0 ? j0 : size * (p * c + q * s);
    const double hIm = x < 8.0 ? -y0 : size * (p * s - q * c);
    re = 0.25 * hIm;
    im = -0.25 * hRe;
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
