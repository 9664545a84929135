#include "sine_transform.h"

#include <cmath>
#include <numbers>

namespace vexlo {

using Complex = std::complex<double>;

SineTransform::SineTransform(int size)
    : size_(size), sines_(size), fft_(size), re_(size), im_(size) {
    for (int j = 0; j < size; ++j) sines_[j] = std::sin(std::numbers::pi * j / size);
}

void SineTransform::forward(std::vector<Complex>& values) {
    const int n = size_;
    double* re = re_.data();
    double* im = im_.data();
    // The folded input, placed in bit-reversed order.
    for (int m = 0; m < n; ++m) {
        const int j = fft_.reversed(m);
        if (j == 0) {
            re[m] = im[m] = 0.0;
            continue;
        }
        const Complex a = values[j], b = values[n - j];
        const Complex y = sines_[j] * (a + b) + 0.5 * (a - b);
        re[m] = y.real();
        im[m] = y.imag();
    }
    fft_.transform(re, im);
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
