#include "sine_transform.h"

#include <cmath>
#include <numbers>

#include "shared_tables.h"
#include "vector_path.h"

namespace vexlo {

using Complex = std::complex<double>;

namespace {

std::vector<double> sines(int n) {
    std::vector<double> s(n);
    for (int j = 0; j < n; ++j) s[j] = std::sin(std::numbers::pi * j / n);
    return s;
}

} // namespace

SineTransform::SineTransform(int size)
    : size_(size), sines_(sharedTables<std::vector<double>>(size, sines)), fft_(size), re_(size),
      im_(size) {}

void SineTransform::forward(std::vector<Complex>& values) { run(values, 1.0); }

void SineTransform::inverse(std::vector<Complex>& values) { run(values, 2.0 / size_); }

void SineTransform::run(std::vector<Complex>& values, double scale) {
    runVectorLoops([&] {
        const int n = size_;
        double* __restrict re = re_.data();
        double* __restrict im = im_.data();
        // The values as real and imaginary parts side by side.
        double* __restrict v = reinterpret_cast<double*>(values.data());
        const double* __restrict sines = sines_->data();
        // The folded input in natural order; the FFT leaves C[k] at reversed(k).
        re[0] = im[0] = 0.0;
        for (int j = 1; j < n; ++j) {
            const double ar = v[2 * j], ai = v[2 * j + 1];
            const double br = v[2 * (n - j)], bi = v[2 * (n - j) + 1];
            re[j] = sines[j] * (ar + br) + 0.5 * (ar - br);
            im[j] = sines[j] * (ai + bi) + 0.5 * (ai - bi);
        }
        fft_.transformToReversed(re, im);
        const int* __restrict reversed = fft_.reversedOrder();
        // The scale is a power of two: taking it with the halves rounds nothing.
        const double half = 0.5 * scale;
        v[0] = v[1] = 0.0;
        double oddRe = half * re[0], oddIm = half * im[0];
        v[2] = oddRe, v[3] = oddIm;
        for (int k = 1; k < n / 2; ++k) {
            // X[2k] = j (C[k] - C[N-k]) / 2, X[2k+1] = X[2k-1] + (C[k] + C[N-k]) / 2.
            const int a = reversed[k], b = reversed[n - k];
            v[4 * k] = -half * (im[a] - im[b]);
            v[4 * k + 1] = half * (re[a] - re[b]);
            oddRe += half * (re[a] + re[b]);
            oddIm += half * (im[a] + im[b]);
            v[4 * k + 2] = oddRe;
            v[4 * k + 3] = oddIm;
        }
    });
}

} // namespace vexlo
