#include "fresnel.h"

#include <array>
#include <cmath>
#include <numbers>

namespace vexlo {
namespace {

using Complex = std::complex<double>;
constexpr double pi = std::numbers::pi;
// E is tabulated up to tableEnd at steps of 1/perUnit and continued by Taylor terms of its
// known derivative exp(-j pi t^2 / 2); beyond, its asymptotic series.
constexpr int perUnit = 64;
constexpr double tableEnd = 6.0;
constexpr int entries = static_cast<int>(tableEnd * perUnit) + 1;

Complex derivative(double t) { return std::polar(1.0, -pi / 2.0 * t * t); }

// exp(-j pi t^2 / 2) at the table's points.
const std::array<Complex, entries>& slopes() {
    static const std::array<Complex, entries> values = [] {
        std::array<Complex, entries> w{};
        for (int i = 0; i < entries; ++i) w[i] = derivative(static_cast<double>(i) / perUnit);
        return w;
    }();
    return values;
}

const std::array<Complex, entries>& table() {
    static const std::array<Complex, entries> values = [] {
        std::array<Complex, entries> e{};
        constexpr int sub = 32; // Simpson's rule within each step, error far below 1e-10
        for (int i = 1; i < entries; ++i) {
            const double a = (i - 1.0) / perUnit, h = 1.0 / perUnit / sub;
            Complex sum = derivative(a) + derivative(a + sub * h);
            for (int m = 1; m < sub; ++m) sum += (m % 2 ? 4.0 : 2.0) * derivative(a + m * h);
            e[i] = e[i - 1] + sum * h / 3.0;
        }
        return e;
    }();
    return values;
}

} // namespace

Complex fresnelIntegral(double t) {
    const double x = std::fabs(t);
    Complex e;
    if (x < tableEnd) {
        const int i = static_cast<int>(x * perUnit + 0.5); // the nearest table point
        const double t0 = static_cast<double>(i) / perUnit, d = x - t0;
        // E(t0 + d) = E(t0) + integral of exp(-j pi (t0 + s)^2 / 2), its Taylor terms to d^3.
        const Complex w = slopes()[i], jp{0.0, -pi};
        e = table()[i] +
            w * (d + jp * t0 * d * d / 2.0 + (jp + jp * jp * t0 * t0) * d * d * d / 6.0);
    } else {
        // E = (1 - j)/2 - tail, tail ~ exp(-j pi x^2/2) / (j pi x) (1 + sum of terms).
        const Complex a = Complex(0.0, pi * x * x);
        Complex sum = 1.0, term = 1.0;
        for (int n = 1; n < 8; ++n) {
            term *= -(2.0 * n - 1.0) / a;
            sum += term;
        }
        e = Complex(0.5, -0.5) - derivative(x) / Complex(0.0, pi * x) * sum;
    }
    return t < 0.0 ? -e : e;
}

} // namespace vexlo
