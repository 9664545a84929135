#include "line_solution.h"

#include "common/impedance.h"

#include <cmath>

namespace kavlo {

double ReflectionMagnitude(const LineDescription& line, double r, double x) {
    double r0 = line.r0, x0 = line.x0;
    return std::sqrt(((r - r0) * (r - r0) + (x - x0) * (x - x0)) /
                     ((r + r0) * (r + r0) + (x + x0) * (x + x0)));
}

namespace {

struct Hyperbolic {
    double cr, ci, sr, si; // cosh = cr + j ci, sinh = sr + j si of (a + j b)
};

Hyperbolic hyperbolic(double a, double b) {
    double sinhA = (std::exp(a) - std::exp(-a)) / 2;
    double coshA = (std::exp(a) + std::exp(-a)) / 2;
    return {std::cos(b) * coshA, std::sin(b) * sinhA, std::cos(b) * sinhA, std::sin(b) * coshA};
}

double swr(double rho) { return (1 + rho) / (1 - rho); }

// Copies of a reflection magnitude used only in the loss formula stay below 1.
double clampedForLoss(double rho) { return rho >= 0.999999 ? 0.9999999 : rho; }

} // namespace

LineSolution CalcZ(const LineDescription& line, double matchedLoss, double length, double position,
                   double r, double x, KnownEnd end, double power) {
    LineSolution s;
    if (r == 0) r = 0.00001;
    const double r0 = line.r0, x0 = line.x0;
    const double betaPerFoot = TwoPi / line.wavelength;

    double A = matchedLoss * std::log(10.0) / 20;
    double B = betaPerFoot * length;
    if (end == KnownEnd::Input) {
        A = -A;
        B = -B;
    }
    Hyperbolic h = hyperbolic(A, B);

    double nr = r * h.cr - x * h.ci + r0 * h.sr - x0 * h.si;
    double ni = r * h.ci + x * h.cr + r0 * h.si + x0 * h.sr;
    double dr = r0 * h.cr - x0 * h.ci + r * h.sr - x * h.si;
    double di = r0 * h.ci + x0 * h.cr + r * h.si + x * h.sr;
    double d2 = dr * dr + di * di;
    double qr = (nr * dr + ni * di) / d2;
    double qi = (ni * dr - nr * di) / d2;
    s.rFar = r0 * qr - x0 * qi;
    s.xFar = x0 * qr + r0 * qi;

    double rhoFar = ReflectionMagnitude(line, s.rFar, s.xFar);
    s.swrFar = swr(rhoFar);

    double rF = clampedForLoss(rhoFar);
    double rN = clampedForLoss(ReflectionMagnitude(line, r, x));
    double mismatch = 10 * std::log10((1 - rF * rF) / (1 - rN * rN));
    if (end == KnownEnd::Input) mismatch = std::fabs(mismatch);
    s.totalLoss = matchedLoss + mismatch;

    s.rhoNear = ReflectionMagnitude(line, r, x);
    s.swrNear = swr(s.rhoNear);

    if (length == 0) length = 0.000001;
    double alpha = A / length;
    Hyperbolic p = hyperbolic(alpha * position, betaPerFoot * position);

    common::ImpedancePair parallel = common::SeriesToParallel(s.rFar, s.xFar);
    double vin = std::sqrt(power * std::fabs(parallel.first));

    double zFar2 = s.rFar * s.rFar + s.xFar * s.xFar;
    if (zFar2 == 0) return s; // a short at the input: no voltage, current undefined
    double g = (r0 * s.rFar + x0 * s.xFar) / zFar2;
    double hh = (x0 * s.rFar - r0 * s.xFar) / zFar2;
    double vr = vin * (p.cr - g * p.sr + hh * p.si);
    double vi = vin * (p.ci - g * p.si - hh * p.sr);
    s.vMag = std::sqrt(vr * vr + vi * vi);
    s.vPhase = common::ToDegrees(common::PhaseAngle(vr, vi));

    double z02 = r0 * r0 + x0 * x0;
    double coshOverZr = (p.cr * s.rFar + p.ci * s.xFar) / zFar2;
    double coshOverZi = (p.ci * s.rFar - p.cr * s.xFar) / zFar2;
    double sinhOverZ0r = (p.sr * r0 + p.si * x0) / z02;
    double sinhOverZ0i = (p.si * r0 - p.sr * x0) / z02;
    double ir = vin * (coshOverZr - sinhOverZ0r);
    double ii = vin * (coshOverZi - sinhOverZ0i);
    s.iMag = std::sqrt(ir * ir + ii * ii);
    s.iPhase = common::ToDegrees(common::PhaseAngle(ir, ii));
    return s;
}

} // namespace kavlo
