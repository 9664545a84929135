#include "impedance.h"

#include "constants.h"
#include <cmath>

namespace common {

ImpedancePair SeriesToParallel(double r, double x) {
    double s = r * r + x * x;
    ImpedancePair p;
    p.first = s == 0 ? 0 : std::fabs(s / r);
    p.second = x == 0 ? 10000000.0 : s / x;
    return p;
}

ImpedancePair ParallelToSeries(double rp, double xp) {
    double s = rp * rp + xp * xp;
    return {rp * xp * xp / s, rp * rp * xp / s};
}

double PhaseAngle(double re, double im) {
    constexpr double halfPi = 1.5707963267948966;
    constexpr double pi = Pi;
    if (re == 0) return im == 0 ? 0 : (im > 0 ? halfPi : -halfPi);
    double t = std::atan(im / re);
    if (t < 0 && re < 0) return t + pi;
    if (t >= 0 && re + im < 0) return t - pi;
    return t;
}

} // namespace common
