#include "ground_radiation.h"

#include <cmath>

namespace vexlo {

using Complex = std::complex<double>;

GroundRadiation::GroundRadiation(double k, Complex beta, const std::vector<double>& angles)
    : k_(k), beta_(beta), values_(angles.size(), 0.0) {
    for (double a : angles) {
        cos_.push_back(std::cos(a));
        sin_.push_back(std::sin(a));
    }
}

void GroundRadiation::addGround(Point origin, double angle, double spacing, double gamma,
                                const std::vector<Complex>& envelope) {
    const int last = static_cast<int>(envelope.size()) - 1;
    if (last < 1) return;
    const double ca = std::cos(angle), sa = std::sin(angle);
    for (std::size_t i = 0; i < values_.size(); ++i) {
        const double along = cos_[i] * ca + sin_[i] * sa;  // cos(theta - angle)
        const double across = sin_[i] * ca - cos_[i] * sa; // sin(theta - angle)
        const double delta = (k_ * along - gamma) * spacing;
        const Complex step = std::polar(1.0, delta);
        // J0, J1: integrals over [0, 1] of exp(j delta t) and t exp(j delta t).
        Complex j0, j1;
        if (std::fabs(delta) < 1e-3) {
            j0 = Complex(1.0 - delta * delta / 6.0, delta / 2.0);
            j1 = Complex(0.5 - delta * delta / 8.0, delta / 3.0);
        } else {
            j0 = (step - 1.0) / Complex(0.0, delta);
            j1 = step / Complex(0.0, delta) + (step - 1.0) / (delta * delta);
        }
        const Complex first = j0 - j1, back = j1 / step;
        Complex sum = envelope[0] * first, power = 1.0;
        for (int n = 1; n < last; ++n) {
            power *= step;
            sum += envelope[n] * power * (first + back);
        }
        power *= step;
        sum += envelope[last] * power * back;
        const Complex kernel = Complex(0.0, k_) * (across - beta_);
        values_[i] += kernel * spacing * sum *
                      std::polar(1.0, k_ * (cos_[i] * origin.x + sin_[i] * origin.z));
    }
}

void GroundRadiation::addBlockedFace(Point origin, Point forward, Point up, double dz,
                                     const std::vector<Complex>& field) {
    if (field.empty()) return;
    for (std::size_t i = 0; i < values_.size(); ++i) {
        const double along = cos_[i] * forward.x + sin_[i] * forward.z;
        const Complex step = std::polar(1.0, k_ * dz * (cos_[i] * up.x + sin_[i] * up.z));
        Complex sum = 0.0, power = 1.0;
        for (const Complex& u : field) {
            sum += u * power;
            power *= step;
        }
        values_[i] += Complex(0.0, -k_) * (1.0 + along) * dz * sum *
                      std::polar(1.0, k_ * (cos_[i] * origin.x + sin_[i] * origin.z));
    }
}

} // namespace vexlo
