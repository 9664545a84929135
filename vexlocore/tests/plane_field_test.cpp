// The sources' exact field over the plane (plane_field.h) against its integrals taken by
// brute force: the direct wave plus the image's plane waves over real angles and the
// evanescent ones, each reflected by the ground condition, on fine uniform grids. On the
// ground itself the direct and reflected waves nearly cancel at grazing, so what is left is
// a small difference of the integrals and shows any error of their quadrature many times.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdlib>
#include <numbers>
#include <string>

#include "impedance_condition.h"
#include "plane_field.h"
#include "vector_path.h"

namespace {

using Complex = std::complex<double>;
constexpr double pi = std::numbers::pi;

// Simpson's rule on `intervals` (even) of [0, end].
template <typename F> Complex simpsonSum(F f, double end, int intervals) {
    Complex sum = f(0.0) + f(end);
    for (int i = 1; i < intervals; ++i) sum += (i % 2 ? 4.0 : 2.0) * f(end * i / intervals);
    return sum * (end / (3.0 * intervals));
}

// The field at distance d along the plane and height z of a unit source h above it.
Complex bruteField(double k, double d, double z, double h, const vexlo::ImpedanceCondition& g) {
    const Complex j(0.0, 1.0);
    const Complex direct = vexlo::lineSourceField(k * std::hypot(d, z - h));
    const Complex waves = simpsonSum(
        [&](double phi) {
            return g.reflection(std::sin(phi)) *
                   std::exp(-j * k * (d * std::cos(phi) + (z + h) * std::sin(phi)));
        },
        pi, 40000);
    const Complex fading = simpsonSum(
        [&](double t) {
            return g.reflection(Complex(0.0, -std::sinh(t))) * 2.0 *
                   std::cos(k * d * std::cosh(t)) * std::exp(-k * (z + h) * std::sinh(t));
        },
        std::asinh(60.0 / (k * h)), 400000);
    return direct + waves * Complex(0.0, -0.25 / pi) + fading / (4.0 * pi);
}

TEST(PlaneField, MatchesItsIntegralsOnTheGroundAndAbove) {
    // Both vector builds (the AVX2 one where the processor has it).
    const char* held = std::getenv("VEXLO_VECTORS");
    const std::string old = held ? held : "";
    const double wavelength = 42.2, k = 2.0 * pi / wavelength;
    const Complex beta = std::sqrt(Complex(13.0, -60.0 * 0.005 * wavelength) - 1.0);
    // A source a tenth and three tenths of a wavelength up; the ground (cells of no height)
    // and a fifth of a wavelength up, near and many wavelengths out.
    for (double up : {0.1, 0.3})
        for (double height : {0.0, 0.2})
            for (double out : {0.5, 4.5, 7.5}) {
                const double dz = height > 0.0 ? wavelength / 256.0 : 1e-9 * wavelength;
                const vexlo::ImpedanceCondition ground{k, dz, beta};
                const std::vector<vexlo::LineSource> sources{{{0.0, up * wavelength}, 1.0, 0}};
                const std::size_t cell = std::lround(height * wavelength / dz);
                const Complex brute =
                    bruteField(k, out * wavelength, cell * dz, up * wavelength, ground);
                for (const char* width : {"plain", "widest"}) {
                    setenv("VEXLO_VECTORS", width, 1);
                    vexlo::chooseVectorPathForCall();
                    const auto field = vexlo::planeField(sources, {0.0, 0.0}, {1.0, 0.0},
                                                         out * wavelength, 1024, 1024, ground);
                    EXPECT_LT(std::abs(field[cell] - brute),
                              (height > 0.0 ? 1e-6 : 1e-3) * std::abs(brute))
                        << up << " wavelengths up, " << out << " out, " << height << " high, "
                        << width;
                }
            }
    if (held)
        setenv("VEXLO_VECTORS", old.c_str(), 1);
    else
        unsetenv("VEXLO_VECTORS");
    vexlo::chooseVectorPathForCall();
}

} // namespace
