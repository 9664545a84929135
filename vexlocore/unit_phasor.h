#pragma once
// exp(j a) for the hot loops: the angle reduced to within an eighth of a turn and the sine
// and cosine from their series there; error below 1e-13 for |a| up to 1e7. Written without
// branches (the rounding done by the float format itself), so that loops of phasors run in
// vector lanes.
#include <bit>
#include <cmath>
#include <complex>
#include <cstdint>
#include <numbers>

namespace vexlo {

inline void unitPhasor(double a, double& re, double& im) {
    constexpr double perQuarter = 2.0 / std::numbers::pi;
    // Quarter turn in two parts, so the reduction stays exact for large angles.
    constexpr double quarterHigh = 1.5707963267341256, quarterLow = 6.077100506506192e-11;
    // Adding and taking away 1.5 * 2^52 rounds to the nearest whole number.
    constexpr double rounder = 6755399441055744.0;
    const double turns = (a * perQuarter + rounder) - rounder;
    const double r = (a - turns * quarterHigh) - turns * quarterLow;
    const double r2 = r * r;
    const double s =
        r * (1.0 + r2 * (-1.0 / 6 +
                         r2 * (1.0 / 120 +
                               r2 * (-1.0 / 5040 +
                                     r2 * (1.0 / 362880 +
                                           r2 * (-1.0 / 39916800 + r2 * (1.0 / 6227020800.0)))))));
    const double c =
        1.0 +
        r2 * (-0.5 + r2 * (1.0 / 24 +
                           r2 * (-1.0 / 720 +
                                 r2 * (1.0 / 40320 + r2 * (-1.0 / 3628800 +
                                                           r2 * (1.0 / 479001600 -
                                                                 r2 * (1.0 / 87178291200.0)))))));
    // Quarter q: (c, s), (-s, c), (-c, -s), (s, -c), taken as the whole number's rest
    // -2..2 from the nearest multiple of four, and the signs as products by 0 and +-1
    // (exact): no branch nor conversion to a whole number.
    const double rest = turns - 4.0 * ((turns * 0.25 + rounder) - rounder);
    const double size = std::fabs(rest);
    const double cosine = 1.0 - size, sine = rest * (2.0 - size); // 1 0 -1, 0 +-1 0
    re = c * cosine - s * sine;
    im = s * cosine + c * sine;
}

inline std::complex<double> unitPhasor(double a) {
    double re, im;
    unitPhasor(a, re, im);
    return {re, im};
}

// exp(x) for the hot loops, x from -700 to 700 (clamped there): the power of two split off,
// the rest's series to the twelfth power, the power of two set in the float's exponent from
// the bits of the rounded multiple (no conversion to a whole number); relative error near
// 1e-15 and no branch, so that loops of it run in vector lanes.
inline double realExp(double x) {
    constexpr double perLn2 = std::numbers::log2e, ln2High = 0.6931471803691238,
                     ln2Low = 1.9082149292705877e-10, rounder = 6755399441055744.0;
    x = x < -700.0 ? -700.0 : x > 700.0 ? 700.0 : x;
    const double shifted = x * perLn2 + rounder; // rounder + n, n in its low bits
    const double n = shifted - rounder;
    const double r = (x - n * ln2High) - n * ln2Low; // |r| <= ln 2 / 2
    double p = 1.0 / 479001600.0;
    for (double c : {1.0 / 39916800.0, 1.0 / 3628800.0, 1.0 / 362880.0, 1.0 / 40320.0, 1.0 / 5040.0,
                     1.0 / 720.0, 1.0 / 120.0, 1.0 / 24.0, 1.0 / 6.0, 0.5, 1.0, 1.0})
        p = p * r + c;
    // The low twelve bits of n + 1023 are the biased exponent of 2^n.
    const std::uint64_t power = (std::bit_cast<std::uint64_t>(shifted) + 1023) << 52;
    return p * std::bit_cast<double>(power);
}

} // namespace vexlo
