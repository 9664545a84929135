#include "mixed_transform.h"

#include <cmath>
#include <numbers>

#include "vector_path.h"

namespace vexlo {

using Complex = std::complex<double>;

MixedTransform::MixedTransform(int size, double dz, Complex alpha)
    : sine_(size), dz_(dz), alpha_(alpha), ell_(size), powers_(size), surface_(size), work_(size) {
    const Complex b = alpha * dz;
    const Complex root = std::sqrt(b * b + 1.0);
    r_ = -b + root;
    if (std::abs(r_) >= 1.0) r_ = -b - root;
    boundaryEigenvalue_ = (r_ + 1.0 / r_ - 2.0) / (dz * dz);
    // The second difference with the ground condition is symmetric under the weights
    // (1/2, 1, 1, ...), so the boundary mode's left eigenvector is those weights times r^m.
    Complex power = 1.0;
    ellR_ = 0.0;
    reach_ = size;
    for (int m = 0; m < size; ++m) {
        powers_[m] = power;
        ell_[m] = (m == 0 ? 0.5 : 1.0) * power;
        ellR_ += ell_[m] * power;
        power *= r_;
        // Where r^m has died away to a billionth of a billionth, the boundary mode ends.
        if (reach_ == size && std::norm(power) < 1e-36) reach_ = m + 1;
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
    runVectorLoops([&] {
        const int n = sine_.size();
        // Real and imaginary parts side by side.
        const double* __restrict x = reinterpret_cast<const double*>(u.data());
        double* __restrict w = reinterpret_cast<double*>(spectrum.data());
        const double* __restrict ell = reinterpret_cast<const double*>(ell_.data());
        double pr = 0.0, pi = 0.0;
        const int reach = reach_;
#pragma omp simd reduction(+ : pr, pi)
        for (int m = 0; m < reach; ++m) {
            pr += ell[2 * m] * x[2 * m] - ell[2 * m + 1] * x[2 * m + 1];
            pi += ell[2 * m] * x[2 * m + 1] + ell[2 * m + 1] * x[2 * m];
        }
        boundary = Complex(pr, pi) * perEllR_;
        const double perTwoDz = 0.5 / dz_, ar = alpha_.real(), ai = alpha_.imag();
        w[0] = w[1] = 0.0;
        for (int m = 1; m + 1 < n; ++m) {
            const double ur = x[2 * m], ui = x[2 * m + 1];
            w[2 * m] = (x[2 * m + 2] - x[2 * m - 2]) * perTwoDz + (ar * ur - ai * ui);
            w[2 * m + 1] = (x[2 * m + 3] - x[2 * m - 1]) * perTwoDz + (ar * ui + ai * ur);
        }
        if (n > 1) {
            const int m = n - 1;
            const double ur = x[2 * m], ui = x[2 * m + 1];
            w[2 * m] = (0.0 - x[2 * m - 2]) * perTwoDz + (ar * ur - ai * ui);
            w[2 * m + 1] = (0.0 - x[2 * m - 1]) * perTwoDz + (ar * ui + ai * ur);
        }
        sine_.forward(spectrum);
    });
}

void MixedTransform::inverse(std::vector<Complex>& spectrum, Complex boundary,
                             std::vector<Complex>& u) {
    runVectorLoops([&] {
        const int n = sine_.size();
        sine_.inverse(spectrum); // now w[1..N-1]
        // u[m+1] + 2 alpha dz u[m] - u[m-1] = 2 dz w[m] factors through y[m] = u[m] - r u[m-1]:
        // y[m] = r (2 dz w[m] - y[m+1]) backwards from y[N] = 0, then u[m] = y[m] + r u[m-1]
        // forwards, each stable as |r| < 1. u[0] follows from the boundary amplitude. Real and
        // imaginary parts side by side.
        const double* __restrict w = reinterpret_cast<const double*>(spectrum.data());
        double* __restrict y = reinterpret_cast<double*>(work_.data());
        double* __restrict x = reinterpret_cast<double*>(u.data());
        const double* __restrict ell = reinterpret_cast<const double*>(ell_.data());
        const double* __restrict power = reinterpret_cast<const double*>(powers_.data());
        const double rr = r_.real(), ri = r_.imag(), twoDz = 2.0 * dz_;
        double nr = 0.0, ni = 0.0;
        for (int m = n - 1; m >= 1; --m) {
            const double tr = twoDz * w[2 * m] - nr, ti = twoDz * w[2 * m + 1] - ni;
            nr = rr * tr - ri * ti;
            ni = rr * ti + ri * tr;
            y[2 * m] = nr;
            y[2 * m + 1] = ni;
        }
        // Particular solution with u[0] = 0, then add u[0] r^m to give the right projection.
        double vr = 0.0, vi = 0.0, pr = 0.0, pi = 0.0;
        x[0] = x[1] = 0.0;
        for (int m = 1; m < n; ++m) {
            const double qr = y[2 * m] + (rr * vr - ri * vi);
            const double qi = y[2 * m + 1] + (rr * vi + ri * vr);
            vr = qr, vi = qi;
            x[2 * m] = vr;
            x[2 * m + 1] = vi;
        }
        // The boundary mode's share, over the cells where it has not died away.
        const int reach = reach_;
#pragma omp simd reduction(+ : pr, pi)
        for (int m = 1; m < reach; ++m) {
            pr += ell[2 * m] * x[2 * m] - ell[2 * m + 1] * x[2 * m + 1];
            pi += ell[2 * m] * x[2 * m + 1] + ell[2 * m + 1] * x[2 * m];
        }
        const Complex u0 = boundary - Complex(pr, pi) * perEllR_;
        const double zr = u0.real(), zi = u0.imag();
        for (int m = 0; m < reach; ++m) {
            x[2 * m] += zr * power[2 * m] - zi * power[2 * m + 1];
            x[2 * m + 1] += zr * power[2 * m + 1] + zi * power[2 * m];
        }
    });
}

} // namespace vexlo
