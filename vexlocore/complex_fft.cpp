#include "complex_fft.h"

#include <cmath>
#include <numbers>

namespace vexlo {

ComplexFft::ComplexFft(int size)
    : size_(size), twiddleRe_(size), twiddleIm_(size), reversed_(size) {
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

void ComplexFft::transform(double* __restrict re, double* __restrict im) const {
    const int n = size_;
    int first = 1;
    if (n >= 4) {
        // The first two stages at once, their twiddles 1 and -j: adds only.
        for (int start = 0; start < n; start += 4) {
            double* __restrict r = re + start;
            double* __restrict i = im + start;
            const double r0 = r[0] + r[1], i0 = i[0] + i[1], r1 = r[0] - r[1], i1 = i[0] - i[1];
            const double r2 = r[2] + r[3], i2 = i[2] + i[3], r3 = r[2] - r[3], i3 = i[2] - i[3];
            r[0] = r0 + r2, i[0] = i0 + i2;
            r[2] = r0 - r2, i[2] = i0 - i2;
            // -j (r3 + j i3) = i3 - j r3.
            r[1] = r1 + i3, i[1] = i1 - r3;
            r[3] = r1 - i3, i[3] = i1 + r3;
        }
        first = 4;
    }
    for (int h = first; h < n; h *= 2) {
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
}

} // namespace vexlo
