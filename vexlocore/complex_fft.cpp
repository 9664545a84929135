#include "complex_fft.h"

#include <cmath>
#include <numbers>

#include "vector_path.h"

namespace vexlo {

namespace {

// Two stages over one block of 4h: the quarters a, b, c, d, the first stage's twiddles w1,
// the second's w2. Parameters, so that the compiler takes the quarters as apart.
void stagePair(double* __restrict ar, double* __restrict ai, double* __restrict br,
               double* __restrict bi, double* __restrict cr, double* __restrict ci,
               double* __restrict dr, double* __restrict di, const double* __restrict w1r,
               const double* __restrict w1i, const double* __restrict w2r,
               const double* __restrict w2i, int h) {
    for (int i = 0; i < h; ++i) {
        // The first stage: (a, b) and (c, d), twiddle w1.
        const double t1r = w1r[i] * br[i] - w1i[i] * bi[i];
        const double t1i = w1r[i] * bi[i] + w1i[i] * br[i];
        const double t2r = w1r[i] * dr[i] - w1i[i] * di[i];
        const double t2i = w1r[i] * di[i] + w1i[i] * dr[i];
        const double a1r = ar[i] + t1r, a1i = ai[i] + t1i;
        const double b1r = ar[i] - t1r, b1i = ai[i] - t1i;
        const double c1r = cr[i] + t2r, c1i = ci[i] + t2i;
        const double d1r = cr[i] - t2r, d1i = ci[i] - t2i;
        // The second: (a, c) with w2, (b, d) with -j w2.
        const double ur = w2r[i] * c1r - w2i[i] * c1i;
        const double ui = w2r[i] * c1i + w2i[i] * c1r;
        const double xr = w2r[i] * d1r - w2i[i] * d1i;
        const double xi = w2r[i] * d1i + w2i[i] * d1r;
        // -j (xr + j xi) = xi - j xr.
        ar[i] = a1r + ur, ai[i] = a1i + ui;
        cr[i] = a1r - ur, ci[i] = a1i - ui;
        br[i] = b1r + xi, bi[i] = b1i - xr;
        dr[i] = b1r - xi, di[i] = b1i + xr;
    }
}

// One stage over a block of 2h, the halves a and b.
void stage(double* __restrict ar, double* __restrict ai, double* __restrict br,
           double* __restrict bi, const double* __restrict wr, const double* __restrict wi, int h) {
    for (int i = 0; i < h; ++i) {
        const double tr = wr[i] * br[i] - wi[i] * bi[i];
        const double ti = wr[i] * bi[i] + wi[i] * br[i];
        br[i] = ar[i] - tr;
        bi[i] = ai[i] - ti;
        ar[i] += tr;
        ai[i] += ti;
    }
}

} // namespace

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
    runVectorLoops([&] {
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
        // Two stages at a time, joining blocks of h into 4h: the second stage's twiddles for
        // the upper half are those of the lower half times -j, so three complex products do
        // for four points where the stages one by one take four, and the data is read once.
        int h = first;
        for (; 4 * h <= n; h *= 4) {
            const double* __restrict w1r = twiddleRe_.data() + h;
            const double* __restrict w1i = twiddleIm_.data() + h;
            const double* __restrict w2r = twiddleRe_.data() + 2 * h;
            const double* __restrict w2i = twiddleIm_.data() + 2 * h;
            for (int start = 0; start < n; start += 4 * h) {
                double* ar = re + start;
                double* ai = im + start;
                stagePair(ar, ai, ar + h, ai + h, ar + 2 * h, ai + 2 * h, ar + 3 * h, ai + 3 * h,
                          w1r, w1i, w2r, w2i, h);
            }
        }
        // A last single stage when the stages left are odd in number.
        for (; h < n; h *= 2) {
            const double* __restrict wr = twiddleRe_.data() + h;
            const double* __restrict wi = twiddleIm_.data() + h;
            for (int start = 0; start < n; start += 2 * h)
                stage(re + start, im + start, re + start + h, im + start + h, wr, wi, h);
        }
    });
}

} // namespace vexlo
