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
#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <utility>

#include "fresnel.h"
#include "unit_phasor.h"

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
// (Inline, as the end term below, so that the loops that call them are built with them for
// their processor.)
struct FacetLine {
    double k, height, along, c, un;
    // The point of the line at tau, from the start.
    double at(double tau) const {
        // sqrt(w^2 + d^2) - c w = d |un| + pi tau^2 / 2k with w = s - along, solved for w.
        const double e = height * std::fabs(un) + std::numbers::pi * tau * tau / (2.0 * k);
        const double root = std::sqrt(std::max(0.0, e * e - un * un * height * height));
        return along + (c * e + (tau < 0.0 ? -root : root)) / (un * un);
    }
    // Where the zone of a few Fresnel zones about s* begins and ends.
    std::pair<double, double> zone() const {
        constexpr double zoneTau = 4.0;
        return {at(-zoneTau), at(zoneTau)};
    }
};

// End term j g exp(-j k phi) / (k phi'): the integral's share from one end far from s*.
inline std::complex<double> endTerm(double k, const FacetPoint& p) {
    const std::complex<double> gw = p.g * p.wave;
    return std::complex<double>(-gw.imag(), gw.real()) * (1.0 / (k * p.slope));
}

// The signed tau of a point: k (phi - phi(s*)) = (pi/2) tau^2, negative before s*.
inline double tauOf(double k, const FacetPoint& p, const StationaryPoint& st) {
    const double t = std::sqrt(std::max(0.0, 2.0 * k * (p.phi - st.phi) / std::numbers::pi));
    return p.s < st.s ? -t : t;
}

// Integral from a to b (a.s < b.s, within the zone) of g exp(-j k phi) ds: G as parabolas
// in tau over pieces a half Fresnel unit wide, each exact in closed form. pointAt(s) gives
// the facet's point at s.
template <typename PointAt>
std::complex<double> zoneIntegral(const FacetLine& line, const FacetPoint& a, const FacetPoint& b,
                                  const StationaryPoint& st, const PointAt& pointAt) {
    using Complex = std::complex<double>;
    constexpr double pi = std::numbers::pi, pieceTau = 0.5;
    constexpr Complex j{0.0, 1.0};
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
    Complex leftG = weight(a, ta), leftE = fresnelIntegral(ta), sum = 0.0;
    const Complex stationaryPhase = unitPhasor(-k * st.phi);
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
        const Complex rightE = fresnelIntegral(t2);
        sum += stationaryPhase * (p0 - j * p2 / pi) * (rightE - leftE) +
               j / pi * ((p1 + p2 * t2) * right.wave - (p1 + p2 * t1) * left.wave);
        left = right;
        leftG = g2;
        leftE = rightE;
    }
    return sum;
}

// A facet far enough from the antenna that the antenna's distance r(s) departs from its
// chord between the facet's ends by a small phase (k |r - chord| up to smoothPhase): the
// integrand g exp(-j k phi) is then exp(-j k chord of phi) times h(s) = g exp(-j k (r - chord
// of r)), which does not depend on the far direction and is smooth, so a quartic through
// five samples of it, taken once per antenna and facet, gives the facet's integral for every
// direction in closed form from the phase at its ends alone.
struct SmoothFacet {
    static constexpr double smoothPhase = 0.1;
    // Below |t| = seriesBelow the integral is the moments' series, to 1e-11 in seriesTerms.
    static constexpr double seriesBelow = 0.1;
    static constexpr int seriesTerms = 7;
    std::complex<double> c[5]; // h at the fraction x of the facet is sum of c[n] x^n
    // The series' weights, sum over n of c[n] / (n + q + 1).
    std::complex<double> w[seriesTerms];
    // From h at x = 0, 1/4, 1/2, 3/4 and 1.
    static SmoothFacet fromSamples(const std::complex<double> (&h)[5]) {
        // The quartic through the five points, in powers of x.
        constexpr double m[5][5] = {{1, 0, 0, 0, 0},
                                    {-25.0 / 3, 16, -12, 16.0 / 3, -1},
                                    {70.0 / 3, -208.0 / 3, 76, -112.0 / 3, 22.0 / 3},
                                    {-80.0 / 3, 96, -128, 224.0 / 3, -16},
                                    {32.0 / 3, -128.0 / 3, 64, -128.0 / 3, 32.0 / 3}};
        std::complex<double> c[5];
        for (int n = 0; n < 5; ++n) {
            c[n] = 0.0;
            for (int i = 0; i < 5; ++i) c[n] += m[n][i] * h[i];
        }
        return fromCoefficients(c);
    }
    static SmoothFacet fromCoefficients(const std::complex<double> (&c)[5]) {
        SmoothFacet f;
        for (int n = 0; n < 5; ++n) f.c[n] = c[n];
        f.weigh();
        return f;
    }
    // The series' weights from the coefficients.
    void weigh() {
        for (int q = 0; q < seriesTerms; ++q) {
            w[q] = 0.0;
            for (int n = 0; n < 5; ++n) w[q] += c[n] * (1.0 / (n + q + 1.0));
        }
    }
};

// Integral over x from 0 to 1 of (sum of c[n] x^n) exp(-j t x), 'turned' = exp(-j t): by the
// moments' upward recurrence where |t| is large enough for it to keep its digits (from 0.1,
// where the fourth moment's rounding grows to 1e-9), else by their series.
inline std::complex<double> linearPhaseIntegral(const SmoothFacet& f, double t,
                                                std::complex<double> turned) {
    using Complex = std::complex<double>;
    if (std::fabs(t) >= SmoothFacet::seriesBelow) {
        // m0 = (1 - e) / (j t), m_n = (n m_{n-1} - e) / (j t).
        const double inverse = 1.0 / t;
        Complex m = Complex(-turned.imag(), turned.real() - 1.0) * inverse; // j (e - 1) / t
        Complex sum = f.c[0] * m;
        for (int n = 1; n < 5; ++n) {
            const Complex r = static_cast<double>(n) * m - turned;
            m = Complex(r.imag(), -r.real()) * inverse; // -j r / t
            sum += f.c[n] * m;
        }
        return sum;
    }
    // sum over q of w[q] (-j t)^q / q!, by Horner's rule.
    Complex sum = f.w[SmoothFacet::seriesTerms - 1];
    for (int q = SmoothFacet::seriesTerms - 2; q >= 0; --q)
        sum = f.w[q] + sum * Complex(0.0, -t / (q + 1));
    return sum;
}

// The same from x1 to x2 (0 <= x1 < x2 <= 1), for a facet seen only in part: the quartic
// taken about x1 and stretched to the part.
inline std::complex<double> linearPhaseIntegral(const SmoothFacet& f, double t, double x1,
                                                double x2) {
    using Complex = std::complex<double>;
    const double width = x2 - x1;
    Complex c[5];
    for (int n = 0; n < 5; ++n) c[n] = f.c[n];
    for (int i = 0; i < 4; ++i)
        for (int n = 3; n >= i; --n) c[n] += x1 * c[n + 1];
    SmoothFacet part;
    double scale = 1.0;
    for (int n = 0; n < 5; ++n, scale *= width) part.c[n] = c[n] * scale;
    // The series' weights only where the series is taken.
    if (std::fabs(t * width) < SmoothFacet::seriesBelow) part.weigh();
    return width * unitPhasor(-t * x1) *
           linearPhaseIntegral(part, t * width, unitPhasor(-t * width));
}

} // namespace vexlo
