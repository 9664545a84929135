#include "reactions.h"

#include "engine.h"
#include "fast_trig.h"

#include "common/constants.h"

#include <array>
#include <cmath>
#include <cstring>

namespace yoruk {

namespace {

constexpr float WaveNumber = common::TwoPiSingle; // 2 pi per wavelength
constexpr int MaxPoints = Padded(MaxSelfIntervals + 1);

// The two testing kernels, complex, at every padded point.
struct Kernels {
    alignas(64) std::array<float, MaxPoints> fullRe, fullIm, halfRe, halfIm;
};

// The near fields of the testing sinusoids, whose closed forms are known on a
// parallel line. Point by point, so any vector width gives the same values.
void evaluate(const float* zs, int points, float d, float h, float c1, float c2, Kernels& k) {
    const float d2 = d * d;
    const float hh = h * 0.5f;
#pragma omp simd
    for (int p = 0; p < points; ++p) {
        const float z = zs[p];
        const float u[5] = {z, hh - z, hh + z, h - z, h + z};
        float er[5], ei[5];
        for (int m = 0; m < 5; ++m) {
            const float r = std::sqrt(u[m] * u[m] + d2);
            const float inv = 1.0f / r;
            float s, c;
            SinCosNonNegative(WaveNumber * r, s, c);
            er[m] = c * inv;
            ei[m] = -s * inv;
        }
        const float e0r = 2 * er[0], e0i = 2 * ei[0];
        k.fullRe[p] = c1 * e0r - (er[3] + er[4]);
        k.fullIm[p] = c1 * e0i - (ei[3] + ei[4]);
        k.halfRe[p] = c2 * e0r - (er[1] + er[2]);
        k.halfIm[p] = c2 * e0i - (ei[1] + ei[2]);
    }
}

using Lanes = float __attribute__((vector_size(16)));
using LaneIndex = int __attribute__((vector_size(16)));

Lanes load(const float* p) {
    Lanes v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// Four vectors of four as rows to columns.
void transpose(Lanes (&m)[4]) {
    const Lanes t0 = __builtin_shuffle(m[0], m[1], LaneIndex{0, 4, 1, 5});
    const Lanes t1 = __builtin_shuffle(m[0], m[1], LaneIndex{2, 6, 3, 7});
    const Lanes t2 = __builtin_shuffle(m[2], m[3], LaneIndex{0, 4, 1, 5});
    const Lanes t3 = __builtin_shuffle(m[2], m[3], LaneIndex{2, 6, 3, 7});
    m[0] = __builtin_shuffle(t0, t2, LaneIndex{0, 1, 4, 5});
    m[1] = __builtin_shuffle(t0, t2, LaneIndex{2, 3, 6, 7});
    m[2] = __builtin_shuffle(t1, t3, LaneIndex{0, 1, 4, 5});
    m[3] = __builtin_shuffle(t1, t3, LaneIndex{2, 3, 6, 7});
}

// A vector of the path's width: as many four-lane vectors side by side.
template <int Floats> struct WideVector {
    typedef float type __attribute__((vector_size(4 * Floats)));
};
template <int Floats> using Wide = typename WideVector<Floats>::type;

// Two vectors one after the other.
template <int Floats>
void concatenate(Wide<Floats / 2> low, Wide<Floats / 2> high, Wide<Floats>& out) {
    if constexpr (Floats == 8)
        out = __builtin_shufflevector(low, high, 0, 1, 2, 3, 4, 5, 6, 7);
    else
        out = __builtin_shufflevector(low, high, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14,
                                      15);
}

// Four lanes repeated across the width, and four-lane parts joined across it.
template <int Floats> void repeat(Lanes v, Wide<Floats>& out) {
    if constexpr (Floats == 4) {
        out = v;
    } else {
        Wide<Floats / 2> half;
        repeat<Floats / 2>(v, half);
        concatenate<Floats>(half, half, out);
    }
}
template <int Floats> void join(const Lanes* parts, Wide<Floats>& out) {
    if constexpr (Floats == 4) {
        out = parts[0];
    } else {
        Wide<Floats / 2> low, high;
        join<Floats / 2>(parts, low);
        join<Floats / 2>(parts + Floats / 8, high);
        concatenate<Floats>(low, high, out);
    }
}

// The twelve Simpson sums in the order the engine has always added them, whatever
// width the kernels ran at: four running lanes (point p in lane p mod 4), the points
// past the last whole four added to lane 0, then the lanes in turn. The running lanes
// of several kernels share a vector of the path's width. After them, each four-lane
// vector holds one lane of the four kernels' sums, so that the rest runs four sums at
// a time.
template <int Floats> Reactions sum(const SamplePoints& s, const Kernels& k) {
    constexpr int PerVector = Floats / 4, Blocks = 4 / PerVector;
    const float* weights[3] = {s.w, s.wCos, s.wSin};
    const float* kernels[4] = {k.fullRe.data(), k.fullIm.data(), k.halfRe.data(), k.halfIm.data()};
    Wide<Floats> running[3][Blocks] = {}; // by weight, then kernels side by side
    const int whole = s.count / 4 * 4;
    for (int p = 0; p < whole; p += 4) {
        Lanes kernel[4];
        for (int b = 0; b < 4; ++b) kernel[b] = load(kernels[b] + p);
        for (int a = 0; a < 3; ++a) {
            Wide<Floats> weight, joined;
            repeat<Floats>(load(weights[a] + p), weight);
            for (int block = 0; block < Blocks; ++block) {
                join<Floats>(kernel + block * PerVector, joined);
                running[a][block] += weight * joined;
            }
        }
    }
    Lanes lanes[3][4]; // by weight and kernel, then by weight and lane
    static_assert(sizeof lanes == sizeof running);
    std::memcpy(lanes, running, sizeof lanes);
    for (auto& l : lanes) transpose(l);
    for (int p = whole; p < s.count; ++p) {
        const Lanes kernel = {k.fullRe[p], k.fullIm[p], k.halfRe[p], k.halfIm[p]};
        for (int a = 0; a < 3; ++a) lanes[a][0] += weights[a][p] * kernel;
    }
    Lanes total[3];
    for (int a = 0; a < 3; ++a)
        total[a] = Lanes{} + lanes[a][0] + lanes[a][1] + lanes[a][2] + lanes[a][3];
    // Each total: full real, full imaginary, half real, half imaginary.
    return {{total[0][0], total[0][1]}, {total[1][0], total[1][1]}, {total[2][0], total[2][1]},
            {total[0][2], total[0][3]}, {total[1][2], total[1][3]}, {total[2][2], total[2][3]}};
}

} // namespace

Reactions React(VectorPath path, const SamplePoints& samples, float d, float h, float c1,
                float c2) {
    Kernels k;
    return Run(path, [&](auto floats) {
        evaluate(samples.z, Padded(samples.count, floats()), d, h, c1, c2, k);
        return sum<floats()>(samples, k);
    });
}

} // namespace yoruk
