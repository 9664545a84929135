#include "complex_fft.h"

#include <cmath>
#include <numbers>

#include "shared_tables.h"
#include "vector_path.h"

namespace vexlo {

namespace {

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
