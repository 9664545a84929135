#include "physical_optics.h"

#include <cmath>
#include <numbers>

#include "fresnel.h"

namespace vexlo {
namespace {

using Complex = std::complex<double>;
constexpr double pi = std::numbers::pi;
constexpr Complex j{0.0, 1.0};
double tauOf(double k, const FacetPoint& p, const StationaryPoint& st) {
    const double t = std::sqrt(std::max(0.0, 2.0 * k * (p.phi - st.phi) / pi));
    return p.s < st.s ? -t : t;
}

} // namespace

constexpr double zoneTau = 4.0, pieceTau = 0.5;

double FacetLine::at(double tau) const {
    // sqrt(w^2 + d^2) - c w = d |un| + pi tau^2 / 2k with w = s - along, solved for w.
    const double e = height * std::fabs(un) + pi * tau * tau / (2.0 * k);
    const double root = std::sqrt(std::max(0.0, e * e - un * un * height * height));
    return along + (c * e + (tau < 0.0 ? -root : root)) / (un * un);
}

std::pair<double, double> FacetLine::zone() const { return {at(-zoneTau), at(zoneTau)}; }

Complex endTerm(double k, const FacetPoint& p) { return j * p.g * p.wave / (k * p.slope); }

Complex zoneIntegral(const FacetLine& line, const FacetPoint& a, const FacetPoint& b,
                     const StationaryPoint& st, const std::function<FacetPoint(double)>& pointAt) {
    const double k = line.k;
    const double ta = tauOf(k, a, st), tb = tauOf(k, b, st);
    // G(tau) = g ds/dtau, ds/dtau = pi tau / (k phi'), sqrt(pi / (k phi'')) at s*.
    const auto weight = [&](const FacetPoint& p, double tau) {
        return std::fabs(tau) < 1e-3 ? p.g * std::sqrt(pi / (k * st.curvature))
                                     : p.g * (pi * tau / (k * p.slope));
    };
    const int pieces = std::max(1, static_cast<int>(std::ceil((tb - ta) / pieceTau)));
    const double width = (tb - ta) / pieces;
    FacetPoint left = a;
    Complex leftG = weight(a, ta), sum = 0.0;
    const Complex stationaryPhase = std::polar(1.0, -k * st.phi);
    for (int i = 0; i < pieces; ++i) {
        const double t1 = ta + i * width, t2 = i + 1 == pieces ? tb : t1 + width;
        const double tm = 0.5 * (t1 + t2);
        const FacetPoint mid = pointAt(line.at(tm));
        const FacetPoint right = i + 1 == pieces ? b : pointAt(line.at(t2));
        const Complex gm = weight(mid, tm), g2 = weight(right, t2);
        // The parabola through (t1, leftG), (tm, gm), (t2, g2), in powers of tau.
        const double h = 0.5 * (t2 - t1);
        const Complex q1 = (g2 - leftG) / (2.0 * h), q2 = (g2 - 2.0 * gm + leftG) / (2.0 * h * h);
        const Complex p2 = q2, p1 = q1 - 2.0 * q2 * tm, p0 = gm - q1 * tm + q2 * tm * tm;
        // Integral of (p0 + p1 t + p2 t^2) exp(-j pi t^2 / 2) over [t1, t2].
        sum += stationaryPhase * (p0 - j * p2 / pi) * (fresnelIntegral(t2) - fresnelIntegral(t1)) +
               j / pi * ((p1 + p2 * t2) * right.wave - (p1 + p2 * t1) * left.wave);
        left = right;
        leftG = g2;
    }
    return sum;
}

} // namespace vexlo
