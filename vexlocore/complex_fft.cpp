#include "complex_fft.h"

#include <cmath>
#include <numbers>

#include "shared_tables.h"
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

// Two stages splitting one block of 4h (the input's natural order kept to its halves and
// quarters): the quarters a, b, c, d, the first stage's twiddles w1 = exp(-j pi i / 2h), the
// second's w2 = exp(-j pi i / h) and their product w3.
void splitPair(double* __restrict ar, double* __restrict ai, double* __restrict br,
               double* __restrict bi, double* __restrict cr, double* __restrict ci,
               double* __restrict dr, double* __restrict di, const double* __restrict w1r,
               const double* __restrict w1i, const double* __restrict w2r,
               const double* __restrict w2i, const double* __restrict w3r,
               const double* __restrict w3i, int h) {
    for (int i = 0; i < h; ++i) {
        const double t0r = ar[i] + cr[i], t0i = ai[i] + ci[i];
        const double t1r = ar[i] - cr[i], t1i = ai[i] - ci[i];
        const double t2r = br[i] + dr[i], t2i = bi[i] + di[i];
        const double t3r = br[i] - dr[i], t3i = bi[i] - di[i];
        // a + b + c + d; (a - b + c - d) w2; (a - c - j (b - d)) w1; (a - c + j (b - d)) w3.
        const double ur = t0r - t2r, ui = t0i - t2i;
        const double xr = t1r + t3i, xi = t1i - t3r;
        const double yr = t1r - t3i, yi = t1i + t3r;
        ar[i] = t0r + t2r, ai[i] = t0i + t2i;
        br[i] = ur * w2r[i] - ui * w2i[i], bi[i] = ur * w2i[i] + ui * w2r[i];
        cr[i] = xr * w1r[i] - xi * w1i[i], ci[i] = xr * w1i[i] + xi * w1r[i];
        dr[i] = yr * w3r[i] - yi * w3i[i], di[i] = yr * w3i[i] + yi * w3r[i];
    }
}

// One stage splitting a block of 2h, the halves a and b: a + b, (a - b) w.
void split(double* __restrict ar, double* __restrict ai, double* __restrict br,
           double* __restrict bi, const double* __restrict wr, const double* __restrict wi, int h) {
    for (int i = 0; i < h; ++i) {
        const double dr = ar[i] - br[i], di = ai[i] - bi[i];
        ar[i] += br[i];
        ai[i] += bi[i];
        br[i] = dr * wr[i] - di * wi[i];
        bi[i] = dr * wi[i] + di * wr[i];
    }
}

} // namespace

namespace {

ComplexFft::Tables makeTables(int size) {
    ComplexFft::Tables t;
    for (auto* v : {&t.twiddleRe, &t.twiddleIm, &t.thirdRe, &t.thirdIm}) v->resize(size);
    for (int h = 1; h < size; h *= 2)
        for (int i = 0; i < h; ++i) {
            t.twiddleRe[h + i] = std::cos(std::numbers::pi * i / h);
            t.twiddleIm[h + i] = -std::sin(std::numbers::pi * i / h);
            t.thirdRe[h + i] = std::cos(1.5 * std::numbers::pi * i / h);
            t.thirdIm[h + i] = -std::sin(1.5 * std::numbers::pi * i / h);
        }
    int bits = 0;
    while ((1 << bits) < size) ++bits;
    t.reversed.resize(size);
    for (int i = 0; i < size; ++i) {
        int r = 0;
        for (int b = 0; b < bits; ++b)
            if (i & (1 << b)) r |= 1 << (bits - 1 - b);
        t.reversed[i] = r;
    }
    return t;
}

} // namespace

ComplexFft::ComplexFft(int size) : size_(size), tables_(sharedTables<Tables>(size, makeTables)) {}

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
            const double* __restrict w1r = tables_->twiddleRe.data() + h;
            const double* __restrict w1i = tables_->twiddleIm.data() + h;
            const double* __restrict w2r = tables_->twiddleRe.data() + 2 * h;
            const double* __restrict w2i = tables_->twiddleIm.data() + 2 * h;
            for (int start = 0; start < n; start += 4 * h) {
                double* ar = re + start;
                double* ai = im + start;
                stagePair(ar, ai, ar + h, ai + h, ar + 2 * h, ai + 2 * h, ar + 3 * h, ai + 3 * h,
                          w1r, w1i, w2r, w2i, h);
            }
        }
        // A last single stage when the stages left are odd in number.
        for (; h < n; h *= 2) {
            const double* __restrict wr = tables_->twiddleRe.data() + h;
            const double* __restrict wi = tables_->twiddleIm.data() + h;
            for (int start = 0; start < n; start += 2 * h)
                stage(re + start, im + start, re + start + h, im + start + h, wr, wi, h);
        }
    });
}

void ComplexFft::transformToReversed(double* __restrict re, double* __restrict im) const {
    runVectorLoops([&] {
        const int n = size_;
        int stages = 0;
        while ((1 << stages) < n) ++stages;
        // An odd stage first, on the whole block; then two at a time, down to blocks of 4.
        int block = n;
        if (stages % 2 == 1) {
            const int h = n / 2;
            split(re, im, re + h, im + h, tables_->twiddleRe.data() + h,
                  tables_->twiddleIm.data() + h, h);
            block = h;
        }
        for (; block > 4; block /= 4) {
            const int h = block / 4;
            const double* __restrict w1r = tables_->twiddleRe.data() + 2 * h;
            const double* __restrict w1i = tables_->twiddleIm.data() + 2 * h;
            const double* __restrict w2r = tables_->twiddleRe.data() + h;
            const double* __restrict w2i = tables_->twiddleIm.data() + h;
            const double* __restrict w3r = tables_->thirdRe.data() + h;
            const double* __restrict w3i = tables_->thirdIm.data() + h;
            for (int start = 0; start < n; start += block) {
                double* ar = re + start;
                double* ai = im + start;
                splitPair(ar, ai, ar + h, ai + h, ar + 2 * h, ai + 2 * h, ar + 3 * h, ai + 3 * h,
                          w1r, w1i, w2r, w2i, w3r, w3i, h);
            }
        }
        if (block == 4) {
            // The last two stages at once, their twiddles 1 and -j: adds only.
            for (int start = 0; start < n; start += 4) {
                double* __restrict r = re + start;
                double* __restrict i = im + start;
                const double r0 = r[0] + r[2], i0 = i[0] + i[2], r1 = r[0] - r[2], i1 = i[0] - i[2];
                const double r2 = r[1] + r[3], i2 = i[1] + i[3], r3 = r[1] - r[3], i3 = i[1] - i[3];
                r[0] = r0 + r2, i[0] = i0 + i2;
                r[1] = r0 - r2, i[1] = i0 - i2;
                // (a - c) - j (b - d) and (a - c) + j (b - d).
                r[2] = r1 + i3, i[2] = i1 - r3;
                r[3] = r1 - i3, i[3] = i1 + r3;
            }
        }
    });
}

} // namespace vexlo
