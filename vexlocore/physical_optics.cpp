#include "physical_optics.h"

#include <cmath>
#include <numbers>

namespace vexlo {
namespace {

using Complex = std::complex<double>;
constexpr double pi = std::numbers::pi;
constexpr Complex j{0.0, 1.0};

} // namespace

constexpr double zoneTau = 4.0;

double FacetLine::at(double tau) const {
    // sqrt(w^2 + d^2) - c w = d |un| + pi tau^2 / 2k with w = s - along, solved for w.
    const double e = height * std::fabs(un) + pi * tau * tau / (2.0 * k);
    const double root = std::sqrt(std::max(0.0, e * e - un * un * height * height));
    return along + (c * e + (tau < 0.0 ? -root : root)) / (un * un);
}

std::pair<double, double> FacetLine::zone() const { return {at(-zoneTau), at(zoneTau)}; }

Complex endTerm(double k, const FacetPoint& p) {
    const Complex gw = p.g * p.wave;
    return Complex(-gw.imag(), gw.real()) * (1.0 / (k * p.slope)); // j g wave / (k phi')
}

} // namespace vexlo
