#include "sine_transform.h"

#include <cmath>
#include <numbers>

namespace vexlo {

using Complex = std::complex<double>;

SineTransform::SineTransform(int size)
    : size_(size), sines_(size), re_(size), im_(size), twiddleRe_(size), twiddleIm_(size),
      reversed_(size) {
    for (int j = 0; j < size; ++j) sines_[j] = std::sin(std::numbers::pi * j / size);
    for (int h = 1; h < size; h *= 2)
        for (int i = 0; i < h; ++i) {
            twiddleRe_[h + i] = std::cos(std::numbers::pi * i / h);
            twiddleIm_[h + i] = -std::sin(std::numbers::pi * i / h);
        }
    int bits = 0;
    while ((1 << bits) < size) ++bits;
    for (int i = 0; i < size; ++i) {
        int r = 0;
        for (int b = 0; b < bits; ++b)
            if (i & (1 << b)) r |= 1 << (bits - 1 - b);
        reversed_[i] = r;
    }
}

void SineTransform::forward(std::vector<Complex>& values) {
    const int n = size_;
    double* __restrict re = re_.data();
    double* __restrict im = im_.data();
    // The folded input, placed in bit-reversed order.
    for (int m = 0; m < n; ++m) {
        const int j = reversed_[m];
        if (j == 0) {
            re[m] = im[m] = 0.0;
            continue;
        }
        const Complex a = values[j], b = values[n - j];
        const Complex y = sines_[j] * (a + b) + 0.5 * (a - b);
        re[m] = y.real();
        im[m] = y.imag();
    }
    for (int h = 1; h < n; h *= 2) {
        const double* __restrict wr = twiddleRe_.data() + h;
        const double* __restrict wi = twiddleIm_.data() + h;
        for (int start = 0; start < n; start += 2 * h) {
            double* __restrict ar = re + start;
            double* __restrict ai = im + start;
            double* __restrict br = re + start + h;
            double* __restrict bi = im + start + h;
            for (int i = 0; i < h; ++i) {
                const double tr = wr[i] * br[i] - wi[i] * bi[i];
                const double ti = wr[i] * bi[i] + wi[i] * br[i];
                br[i] = ar[i] - tr;
                bi[i] = ai[i] - ti;
                ar[i] += tr;
                ai[i] += ti;
            }
        }
    }
    values[0] = 0.0;
    Complex odd(0.5 * re[0], 0.5 * im[0]);
    values[1] = odd;
    for (int k = 1; k < n / 2; ++k) {
        const Complex c(re[k], im[k]), d(re[n - k], im[n - k]);
        values[2 * k] = Complex(0.0, 0.5) * (c - d);
        odd += 0.5 * (c + d);
        values[2 * k + 1] = odd;
    }
}

void SineTransform::inverse(std::vector<Complex>& values) {
    forward(values);
    const double scale = 2.0 / size_;
    for (int i = 1; i < size_; ++i) values[i] *= scale;
}

} // namespace vexlo
