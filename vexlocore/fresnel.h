#pragma once
// The complex Fresnel integral the physical-optics facets use.
#include <array>
#include <cmath>
#include <complex>
#include <numbers>

namespace vexlo {

namespace fresnel {
// E is tabulated up to tableEnd at steps of 1/perUnit and continued by Taylor terms of its
// known derivative exp(-j pi t^2 / 2); beyond, its asymptotic series.
constexpr int perUnit = 64;
constexpr double tableEnd = 6.0;
constexpr int entries = static_cast<int>(tableEnd * perUnit) + 1;
// exp(-j pi t^2 / 2) and E at the table's points, built when the library is loaded.
extern const std::array<std::complex<double>, entries> slopes, values;
// The asymptotic series, for |t| from tableEnd.
std::complex<double> far(double x);
} // namespace fresnel

// E(t) = integral from 0 to t of exp(-j pi s^2 / 2) ds, = C(t) - j S(t); odd in t and
// tending to (1 - j)/2 for large t. From a table built once and Taylor terms of the known
// derivative (error below 1e-9), and the asymptotic series far out: one sine and cosine.
// Inline, so that the hot loops that call it are built with it for their processor.
inline std::complex<double> fresnelIntegral(double t) {
    using Complex = std::complex<double>;
    constexpr double pi = std::numbers::pi;
    const double x = std::fabs(t);
    Complex e;
    if (x < fresnel::tableEnd) {
        const int i = static_cast<int>(x * fresnel::perUnit + 0.5); // the nearest table point
        const double t0 = static_cast<double>(i) / fresnel::perUnit, d = x - t0;
        // E(t0 + d) = E(t0) + integral of exp(-j pi (t0 + s)^2 / 2), its Taylor terms to d^3.
        const Complex w = fresnel::slopes[i], jp{0.0, -pi};
        e = fresnel::values[i] +
            w * (d + jp * t0 * d * d * 0.5 + (jp + jp * jp * t0 * t0) * (d * d * d * (1.0 / 6.0)));
    } else {
        e = fresnel::far(x);
    }
    return t < 0.0 ? -e : e;
}

} // namespace vexlo
