#include "fresnel.h"

namespace vexlo::fresnel {
namespace {

using Complex = std::complex<double>;
constexpr double pi = std::numbers::pi;

Complex derivative(double t) { return std::polar(1.0, -pi / 2.0 * t * t); }

} // namespace

const std::array<Complex, entries> slopes = [] {
    std::array<Complex, entries> w{};
    for (int i = 0; i < entries; ++i) w[i] = derivative(static_cast<double>(i) / perUnit);
    return w;
}();

const std::array<Complex, entries> values = [] {
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

Complex far(double x) {
    // E = (1 - j)/2 - tail, tail ~ exp(-j pi x^2/2) / (j pi x) (1 + sum of terms).
    const Complex a = Complex(0.0, pi * x * x);
    Complex sum = 1.0, term = 1.0;
    for (int n = 1; n < 8; ++n) {
        term *= -(2.0 * n - 1.0) / a;
        sum += term;
    }
    return Complex(0.5, -0.5) - derivative(x) / Complex(0.0, pi * x) * sum;
}

} // namespace vexlo::fresnel
