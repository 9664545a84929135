#include "wedge_diffraction.h"

#include <cmath>
#include <numbers>

#include "transition_function.h"

namespace vexlo {
namespace {

using Complex = std::complex<double>;
constexpr double pi = std::numbers::pi;

// cot((pi + sign beta) / 2n) F(kL a(beta)), one of the four terms, where a(beta) =
// 2 cos^2((2 pi n N - beta) / 2) with the integer N nearest to (beta + sign pi)/(2 pi n).
// At its own boundary the cotangent is infinite and F zero; there the product takes
// its limit, n sqrt(2 pi kL) exp(j pi/4) times the side of the boundary.
Complex boundaryTerm(double n, double beta, int sign, double kL) {
    const double argument = (pi + sign * beta) / (2.0 * n);
    const double wholeTurns = std::round(argument / pi);
    const double epsilon = 2.0 * n * (argument - wholeTurns * pi); // distance from boundary
    if (std::fabs(epsilon) < 1e-9) {
        const double side = epsilon < 0.0 ? -1.0 : 1.0;
        return side * n * std::sqrt(2.0 * pi * kL) * std::polar(1.0, pi / 4.0);
    }
    const double turns = std::round((beta + sign * pi) / (2.0 * pi * n));
    const double c = std::cos((2.0 * pi * n * turns - beta) / 2.0);
    return Complex(1.0 / std::tan(argument)) * transitionFunction(kL * 2.0 * c * c);
}

} // namespace

Complex wedgeDiffraction(double n, double phi, const WedgeIllumination& source) {
    const double kL = source.kL;
    if (!(kL > 0.0) || !(n > 0.0)) return 0.0;
    const double difference = phi - source.phiIncident;
    const double sum = phi + source.phiIncident;
    Complex terms = boundaryTerm(n, difference, +1, kL) + boundaryTerm(n, difference, -1, kL);
    // Reflection terms: face 0's boundary at phi + phi' = pi, face n's at (2n - 1) pi.
    if (source.face0 != 0.0) terms += source.face0 * boundaryTerm(n, sum, -1, kL);
    if (source.faceN != 0.0) terms += source.faceN * boundaryTerm(n, sum, +1, kL);
    return -std::polar(1.0, -pi / 4.0) / (2.0 * n * std::sqrt(2.0 * pi * kL)) * terms;
}

} // namespace vexlo
