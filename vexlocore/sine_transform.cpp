#include "sine_transform.h"

#include <cmath>
#include <numbers>

#include "vector_path.h"

namespace vexlo {

using Complex = std::complex<double>;

SineTransform::SineTransform(int size)
    : size_(size), sines_(size), fft_(size), re_(size), im_(size) {
    for (int j = 0; j < size; ++j) sines_[j] = std::sin(std::numbers::pi * j / size);
}

void SineTransform::forward(std::vector<Complex>& values) { run(values, 1.0); }

void SineTransform::inverse(std::vector<Complex>& values) { run(values, 2.0 / size_); }

void SineTransform::run(std::vector<Complex>& values, double scale) {
    runVectorLoops([&] {
        const int n = size_;
        double* __restrict re = re_.data();
        double* __restrict im = im_.data();
        // The values as real and imaginary parts side by side.
        double* __restrict v = reinterpret_cast<double*>(values.data());
        const double* __restrict sines = sines_.data();
        // The folded input, placed in bit-reversed order.
        re[0] = im[0] = 0.0;
        for (int j = 1; j < n; ++j) {
            const int m = fft_.reversed(j);
            const double ar = v[2 * j], ai = v[2 * j + 1];
            const double br = v[2 * (n - j)], bi = v[2 * (n - j) + 1];
            re[m] = sines[j] * (ar + br) + 0.5 * (ar - br);
            im[m] = sines[j] * (ai + bi) + 0.5 * (ai - bi);
        }
        fft_.transform(re, im);
        // The scale is a power of two: taking it with the halves rounds nothing.
        const double half = 0.5 * scale;
        v[0] = v[1] = 0.0;
        double oddRe = half * re[0], oddIm = half * im[0];
        v[2] = oddRe, v[3] = oddIm;
        for (int k = 1; k < n / 2; ++k) {
            // X[2k] = j (C[k] - C[N-k]) / 2, X[2k+1] = X[2k-1] + (C[k] + C[N-k]) / 2.
            v[4 * k] = -half * (im[k] - im[n - k]);
            v[4 * k + 1] = half * (re[k] - re[n - k]);
            oddRe += half * (re[k] + re[n - k]);
            oddIm += half * (im[k] + im[n - k]);
            v[4 * k + 2] = oddRe;
            v[4 * k + 3] = oddIm;
        }
    });
}

} // namespace vexlo
