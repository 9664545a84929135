#include "sine_transform.h"

#include <cmath>
#include <numbers>
#include <utility>

namespace vexlo {

using Complex = std::complex<double>;

SineTransform::SineTransform(int size)
    : size_(size), twiddles_(size), reversed_(2 * size), work_(2 * size) {
    const int length = 2 * size;
    for (int i = 0; i < size; ++i)
        twiddles_[i] = std::polar(1.0, -2.0 * std::numbers::pi * i / length);
    int bits = 0;
    while ((1 << bits) < length) ++bits;
    for (int i = 0; i < length; ++i) {
        int r = 0;
        for (int b = 0; b < bits; ++b)
            if (i & (1 << b)) r |= 1 << (bits - 1 - b);
        reversed_[i] = r;
    }
}

void SineTransform::fft(std::vector<Complex>& data) const {
    const int length = 2 * size_;
    for (int i = 0; i < length; ++i)
        if (i < reversed_[i]) std::swap(data[i], data[reversed_[i]]);
    for (int half = 1; half < length; half *= 2) {
        const int stride = size_ / half;
        for (int start = 0; start < length; start += 2 * half) {
            for (int i = 0; i < half; ++i) {
                const Complex t = twiddles_[i * stride] * data[start + i + half];
                data[start + i + half] = data[start + i] - t;
                data[start + i] += t;
            }
        }
    }
}

void SineTransform::forward(std::vector<Complex>& values) {
    // The odd extension [0, x1..x(N-1), 0, -x(N-1)..-x1] transforms to -2j X.
    const int n = size_;
    work_[0] = work_[n] = 0.0;
    for (int m = 1; m < n; ++m) {
        work_[m] = values[m];
        work_[2 * n - m] = -values[m];
    }
    fft(work_);
    values[0] = 0.0;
    for (int i = 1; i < n; ++i) values[i] = Complex(0.0, 0.5) * work_[i];
}

void SineTransform::inverse(std::vector<Complex>& values) {
    forward(values);
    const double scale = 2.0 / size_;
    for (int i = 1; i < size_; ++i) values[i] *= scale;
}

} // namespace vexlo
