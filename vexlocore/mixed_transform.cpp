#include "mixed_transform.h"

#include <cmath>
#include <numbers>

namespace vexlo {

using Complex = std::complex<double>;

MixedTransform::MixedTransform(int size, double dz, Complex alpha)
    : sine_(size), dz_(dz), alpha_(alpha), ell_(size), surface_(size), work_(size) {
    const Complex b = alpha * dz;
    const Complex root = std::sqrt(b * b + 1.0);
    r_ = -b + root;
    if (std::abs(r_) >= 1.0) r_ = -b - root;
    boundaryEigenvalue_ = (r_ + 1.0 / r_ - 2.0) / (dz * dz);
    // The second difference with the ground condition is symmetric under the weights
    // (1/2, 1, 1, ...), so the boundary mode's left eigenvector is those weights times r^m.
    Complex power = 1.0;
    ellR_ = 0.0;
    for (int m = 0; m < size; ++m) {
        ell_[m] = (m == 0 ? 0.5 : 1.0) * power;
        ellR_ += ell_[m] * power;
        power *= r_;
    }
    // u[0] as a function of w: the recursions of inverse() run backwards through the
    // projection (see there), then the sine series of w.
    std::vector<Complex> g(size + 1, 0.0);
    for (int i = size - 1; i >= 1; --i) g[i] = ell_[i] + r_ * g[i + 1];
    Complex s = 0.0;
    surface_[0] = 0.0;
    for (int j = 1; j < size; ++j) {
        s = g[j] - r_ * s;
        surface_[j] = 2.0 * dz * r_ * s;
    }
    sine_.forward(surface_);
    perEllR_ = 1.0 / ellR_;
    for (int n = 1; n < size; ++n) surface_[n] *= -2.0 / size / ellR_;
}

double MixedTransform::wavenumber(int n) const {
    return std::numbers::pi * n / (sine_.size() * dz_);
}

void MixedTransform::forward(const std::vector<Complex>& u, std::vector<Complex>& spectrum,
                             Complex& boundary) {
    const int n = sine_.size();
    Complex projection = 0.0;
    for (int m = 0; m < n; ++m) projection += ell_[m] * u[m];
    boundary = projection * perEllR_;
    spectrum[0] = 0.0;
    const double perTwoDz = 0.5 / dz_;
    for (int m = 1; m < n; ++m) {
        const Complex above = m + 1 < n ? u[m + 1] : Complex(0.0);
        spectrum[m] = (above - u[m - 1]) * perTwoDz + alpha_ * u[m];
    }
    sine_.forward(spectrum);
}

void MixedTransform::inverse(std::vector<Complex>& spectrum, Complex boundary,
                             std::vector<Complex>& u) {
    const int n = sine_.size();
    sine_.inverse(spectrum); // now w[1..N-1]
    // u[m+1] + 2 alpha dz u[m] - u[m-1] = 2 dz w[m] factors through y[m] = u[m] - r u[m-1]:
    // y[m] = r (2 dz w[m] - y[m+1]) backwards from y[N] = 0, then u[m] = y[m] + r u[m-1]
    // forwards, each stable as |r| < 1. u[0] follows from the boundary amplitude.
    Complex next = 0.0;
    for (int m = n - 1; m >= 1; --m) {
        next = r_ * (2.0 * dz_ * spectrum[m] - next);
        work_[m] = next;
    }
    // Particular solution with u[0] = 0, then add u[0] r^m to give the right projection.
    Complex previous = 0.0, projection = 0.0;
    u[0] = 0.0;
    for (int m = 1; m < n; ++m) {
        previous = work_[m] + r_ * previous;
        u[m] = previous;
        projection += ell_[m] * previous;
    }
    const Complex u0 = boundary - projection * perEllR_;
    Complex power = 1.0;
    for (int m = 0; m < n; ++m) {
        u[m] += u0 * power;
        power *= r_;
    }
}

} // namespace vexlo
