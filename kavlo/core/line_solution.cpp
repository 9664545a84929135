#include "line_solution.h"

#include "common/impedance.h"

#include <cmath>
#include <complex>

namespace kavlo {

double ReflectionMagnitude(const LineDescription& line, double r, double x) {
    double r0 = line.r0, x0 = line.x0;
    return std::sqrt(((r - r0) * (r - r0) + (x + x0) * (x + x0)) /
                     ((r + r0) * (r + r0) + (x + x0) * (x + x0)));
}

namespace {

using Complex = std::complex<double>;

struct Hyperbolic {
    Complex cosh, sinh; // of a + j b
};

Hyperbolic hyperbolic(double a, double b) {
    double sinhA = (std::exp(a) - std::exp(-a)) / 2;
    double coshA = (std::exp(a) + std::exp(-a)) / 2;
    return {{std::cos(b) * coshA, std::sin(b) * sinhA}, {std::cos(b) * sinhA, std::sin(b) * coshA}};
}

// a / b as a b* / |b|^2, the plain quotient the line's figures were first worked out with
// (std::complex's own division guards against overflow and rounds otherwise).
Complex quotient(Complex a, Complex b) { return a * std::conj(b) / std::norm(b); }

// z cosh + w sinh, with w sinh taken as Re(w) sinh + j Im(w) sinh: the order the line's
// figures were first worked out in, to their last digit.
Complex combined(Complex z, Complex w, const Hyperbolic& h) {
    return z * h.cosh + w.real() * h.sinh + Complex(0, w.imag()) * h.sinh;
}

double swr(double rho) { return (1 + rho) / (1 - rho); }

// Power at the other end over power at the known end, with 1 A flowing at the known end:
// the exact ratio of Re(V I*) at the two ends, which holds for any load and complex Z0.
double farToNearPower(Complex z, Complex z0, const Hyperbolic& h) {
    const Complex vFar = z * h.cosh + z0 * h.sinh;
    const Complex iFar = z / z0 * h.sinh + h.cosh;
    return (vFar * std::conj(iFar)).real() / z.real();
}

} // namespace

LineSolution CalcZ(const LineDescription& line, double matchedLoss, double length, double position,
                   double r, double x, KnownEnd end, double power) {
    LineSolution s;
    if (r == 0) r = 0.00001;
    const Complex z0(line.r0, line.x0), z(r, x);
    const double betaPerFoot = TwoPi / line.wavelength;

    double A = matchedLoss * std::log(10.0) / 20;
    double B = betaPerFoot * length;
    if (end == KnownEnd::Input) {
        A = -A;
        B = -B;
    }
    const Hyperbolic h = hyperbolic(A, B);
    const Complex zFar = z0 * quotient(combined(z, z0, h), combined(z0, z, h));
    s.rFar = zFar.real();
    s.xFar = zFar.imag();

    double rhoFar = ReflectionMagnitude(line, s.rFar, s.xFar);
    s.swrFar = swr(rhoFar);

    const double ratioDb = 10 * std::log10(farToNearPower(z, z0, h));
    s.totalLoss = end == KnownEnd::Load ? ratioDb : -ratioDb;

    s.rhoNear = ReflectionMagnitude(line, r, x);
    s.swrNear = swr(s.rhoNear);

    if (length == 0) length = 0.000001;
    double alpha = A / length;
    const Hyperbolic p = hyperbolic(alpha * position, betaPerFoot * position);

    common::ImpedancePair parallel = common::SeriesToParallel(s.rFar, s.xFar);
    double vin = std::sqrt(power * std::fabs(parallel.first));

    if (std::norm(zFar) == 0) return s; // a short at the input: no voltage, current undefined
    const Complex v = vin * combined(1.0, -quotient(z0, zFar), p);
    s.vMag = std::sqrt(std::norm(v));
    s.vPhase = common::ToDegrees(common::PhaseAngle(v.real(), v.imag()));
    const Complex i = vin * (quotient(p.cosh, zFar) - quotient(p.sinh, z0));
    s.iMag = std::sqrt(std::norm(i));
    s.iPhase = common::ToDegrees(common::PhaseAngle(i.real(), i.imag()));
    return s;
}

} // namespace kavlo
