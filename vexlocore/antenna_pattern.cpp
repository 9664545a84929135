#include "antenna_pattern.h"

#include <array>
#include <cmath>
#include <memory>
#include <mutex>
#include <numbers>

namespace vexlo {
namespace {

constexpr double pi = std::numbers::pi;

double phaseLagPerElement(int elements, double spacing) {
    return 2.0 * pi * spacing + pi / (2.0 * elements);
}

// Integral over the sphere of the half-wave dipole's power pattern times the phase factor
// exp(j a cos(angle from the boom)), for two dipoles a/k apart along a line broadside to
// them. Taking the dipole axis as polar axis, the azimuth integral is 2 pi J0(a sin gamma).
double dipolePairIntegral(double a) {
    constexpr int steps = 128; // even, Simpson's rule; J0 turns at most a few times here
    double sum = 0.0;
    for (int i = 1; i < steps; ++i) {
        const double gamma = pi * i / steps;
        const double s = std::sin(gamma);
        const double f = std::cos(pi / 2.0 * std::cos(gamma)) / s;
        sum += (i % 2 ? 4.0 : 2.0) * f * f * std::cyl_bessel_j(0.0, std::fabs(a) * s) * s;
    }
    return 2.0 * pi * sum * (pi / steps) / 3.0;
}

// The quoted free-space gains, by type code.
constexpr std::array<double, 8> quotedGains{0.0, 2.15, 5.5, 7.0, 8.5, 9.5, 11.0, 12.0};
constexpr std::array<int, 8> elementCount{0, 1, 2, 3, 4, 5, 6, 8};

// Array factor straight ahead: element n adds the phase n (k d - lag) = -n pi/(2N).
double forwardArrayFactor(int elements, double spacing) {
    std::complex<double> sum = 0.0;
    for (int n = 0; n < elements; ++n)
        sum += std::polar(1.0, n * (2.0 * pi * spacing - phaseLagPerElement(elements, spacing)));
    return std::abs(sum);
}

// Three-dimensional directivity (linear) of the end-fire dipole array.
double endFireDirectivity(int elements, double spacing) {
    const double lag = phaseLagPerElement(elements, spacing);
    // Radiated power: a sum over element pairs, which depends only on their separation;
    // there are elements - sep pairs at each separation, in both orders.
    double power = elements * dipolePairIntegral(0.0);
    for (int sep = 1; sep < elements; ++sep)
        power += 2.0 * (elements - sep) * std::cos(sep * lag) *
                 dipolePairIntegral(2.0 * pi * sep * spacing);
    const double forward = forwardArrayFactor(elements, spacing);
    return 4.0 * pi * forward * forward / power;
}

} // namespace

AntennaPattern::AntennaPattern(int elements, double targetDbi) : elements_(elements) {
    const double target = std::pow(10.0, targetDbi / 10.0);
    if (elements == 1) {
        amplitude_ = std::sqrt(4.0 * pi / dipolePairIntegral(0.0));
        return;
    }
    // Directivity rises steadily with the spacing over this range for every element
    // count used here: a bracketing secant (regula falsi, Illinois) finds the one spacing
    // that gives the quoted gain in a handful of evaluations.
    double low = 0.02, high = 0.35;
    double fLow = endFireDirectivity(elements, low) - target;
    double fHigh = endFireDirectivity(elements, high) - target;
    int side = 0;
    spacing_ = low;
    for (int i = 0; i < 40 && high - low > 1e-9; ++i) {
        spacing_ = (low * fHigh - high * fLow) / (fHigh - fLow);
        const double f = endFireDirectivity(elements, spacing_) - target;
        if (std::fabs(f) < 1e-9 * target) break;
        if ((f < 0.0) == (fLow < 0.0)) {
            low = spacing_, fLow = f;
            if (side == -1) fHigh /= 2.0;
            side = -1;
        } else {
            high = spacing_, fHigh = f;
            if (side == 1) fLow /= 2.0;
            side = 1;
        }
    }
    // Scale so that the forward far field squared equals the directivity.
    amplitude_ =
        std::sqrt(endFireDirectivity(elements, spacing_)) / forwardArrayFactor(elements, spacing_);
}

const AntennaPattern& AntennaPattern::forType(int type) {
    // Each type is built when it is first asked for, and kept.
    static std::array<std::unique_ptr<AntennaPattern>, 8> patterns;
    static std::array<std::once_flag, 8> built;
    const int t = (type >= 1 && type <= 7) ? type : 4;
    std::call_once(built[t],
                   [t] { patterns[t].reset(new AntennaPattern(elementCount[t], quotedGains[t])); });
    return *patterns[t];
}

double AntennaPattern::quotedGainDbi(int type) {
    return quotedGains[(type >= 1 && type <= 7) ? type : 4];
}

std::complex<double> AntennaPattern::elementWeight(int n) const {
    if (elements_ == 1) return amplitude_;
    return amplitude_ * std::polar(1.0, -n * phaseLagPerElement(elements_, spacing_));
}

} // namespace vexlo
