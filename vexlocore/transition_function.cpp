#include "transition_function.h"

#include <cmath>
#include <numbers>

namespace vexlo {
namespace {

using Complex = std::complex<double>;
constexpr double pi = std::numbers::pi;

// Integral from z to infinity of exp(-j pi t^2 / 2) dt, z >= 0.
Complex fresnelTail(double z) {
    const double halfPiZ2 = 0.5 * pi * z * z;
    if (z <= 1.5) {
        // Power series of the Fresnel integrals C(z) and S(z), well conditioned here.
        double c = 0.0, s = 0.0, term = z;
        for (int m = 0; m < 40; ++m) {
            // term = (pi z^2 / 2)^m z / m!, alternating between the C and S series.
            const double part = term / (2 * m + 1);
            const int sign = (m / 2) % 2 ? -1 : 1;
            (m % 2 ? s : c) += sign * part;
            term *= halfPiZ2 / (m + 1);
            if (term < 1e-17) break;
        }
        return Complex(0.5 - c, -(0.5 - s));
    }
    // Continued fraction (modified Lentz) for the complementary integral, which keeps its
    // accuracy for large z where 1/2 - C(z) would cancel.
    const double tiny = 1e-300;
    Complex b(1.0, -pi * z * z);
    Complex cc = 1.0 / tiny;
    Complex d = 1.0 / b;
    Complex h = d;
    for (int k = 1, n = 1; k < 200; ++k, n += 2) {
        const double a = -static_cast<double>(n) * (n + 1);
        b += 4.0;
        d = 1.0 / (a * d + b);
        cc = b + a / cc;
        const Complex del = cc * d;
        h *= del;
        if (std::abs(del - 1.0) < 1e-15) break;
    }
    h *= Complex(z, -z);
    // C + jS = (1+j)/2 (1 - exp(j pi z^2/2) h); the tail with exp(-j..) is the conjugate.
    return std::conj(Complex(0.5, 0.5) * std::polar(1.0, halfPiZ2) * h);
}

} // namespace

Complex transitionFunction(double x) {
    if (!(x > 0.0)) return 0.0;
    if (x > 1e4) return Complex(1.0 - 0.75 / (x * x), 0.5 / x); // asymptotic form
    const double z = std::sqrt(2.0 * x / pi);
    return Complex(0.0, 2.0) * std::sqrt(x) * std::polar(1.0, x) * std::sqrt(pi / 2.0) *
           fresnelTail(z);
}

} // namespace vexlo
