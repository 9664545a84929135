#include "elimination.h"
#include "engine.h"
#include "fast_trig.h"
#include "reactions.h"

#include "common/constants.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace yoruk {

namespace {

constexpr float WaveNumber = common::TwoPiSingle; // 2 pi per wavelength
constexpr float ReactionScale = 0.0166667f;       // j / 60: 30 ohm and the half-element symmetry

struct ElementTrig {
    float s1, c1, s2, c2; // of kh and kh/2
};

ElementTrig trigOf(float h) {
    return {std::sin(WaveNumber * h), std::cos(WaveNumber * h), std::sin(WaveNumber * h / 2),
            std::cos(WaveNumber * h / 2)};
}

// The fast sine of the fill counts quarter turns in an int, so its arguments
// (2 pi times distances in wavelengths) must stay finite and far below 2^31.
bool withinReach(int n, ConstGeometryTable geometry, ConstElementValues halfLengthWl) {
    constexpr float Reach = 1e6f;
    for (int i = 0; i < n; ++i) {
        if (!(std::fabs(halfLengthWl[i]) <= Reach)) return false;
        for (int j = 0; j < n; ++j)
            if (!(std::fabs(geometry[At(i, j)]) <= Reach)) return false;
    }
    return true;
}

template <int Intervals> SamplePoints pointsOf(const SimpsonSamples<Intervals>& s) {
    return {s.z.data(), s.w.data(), s.wCos.data(), s.wSin.data(), s.count};
}

} // namespace

template <int Intervals>
void SimpsonSamples<Intervals>::fill(float halfLength, int intervals, VectorPath path) {
    count = intervals + 1;
    const float step = halfLength / static_cast<float>(intervals);
    const float third = step / 3, twoThirds = 2 * third, fourThirds = 4 * third;
    Run(path, [points = count, intervals, step, third, twoThirds, fourThirds, z = z.data(),
               w = w.data(), wCos = wCos.data(), wSin = wSin.data()](auto) {
#pragma omp simd
        for (int p = 0; p < points; ++p) {
            z[p] = static_cast<float>(p) * step;
            const bool end = (p == 0) | (p == intervals);
            w[p] = end ? third : (p & 1) ? fourThirds : twoThirds;
            float s, c;
            SinCos(WaveNumber * z[p], s, c);
            wCos[p] = w[p] * c;
            wSin[p] = w[p] * s;
        }
    });
    for (int p = count; p < Padded(count); ++p) {
        z[p] = z[count - 1];
        w[p] = wCos[p] = wSin[p] = 0;
    }
}

void Engine::invalidateSolution() {
    solutionValid_ = false;
    currentRe_.fill(std::numeric_limits<float>::quiet_NaN());
    currentIm_.fill(std::numeric_limits<float>::quiet_NaN());
}

// The current on element j is a_j sin(k(h_j - |z|)) + b_j (cos(k(h_j - |z|)) - 1).
// This pair spans the same currents as sin(k(h - |z|)) and cos(kz) - cos(kh),
// but stays independent at a quarter-wave half-length, where those two coincide;
// likewise the half-length testing sinusoid replaces a testing function that
// coincides with the full one there.
void Engine::fillMatrix(int n, ConstGeometryTable geometry, ConstElementValues halfLengthWl,
                        VectorPath path) {
    std::array<ElementTrig, MaxElements> trig;
    for (int j = 0; j < n; ++j) {
        trig[j] = trigOf(halfLengthWl[j]);
        mutualSamples_[j].fill(halfLengthWl[j], MutualIntervals, path);
    }
    for (int i = 0; i < n; ++i) {
        const float h = halfLengthWl[i];
        const ElementTrig& t = trig[i];
        const std::complex<float> drive = std::complex<float>(0, ReactionScale) * excitation_[i];
        currentRe_[i] = t.s1 * drive.real();
        currentIm_[i] = t.s1 * drive.imag();
        currentRe_[n + i] = t.s2 * drive.real();
        currentIm_[n + i] = t.s2 * drive.imag();

        for (int j = 0; j < n; ++j) {
            if (i == j) selfSamples_.fill(halfLengthWl[j], selfIntervals_, path);
            const SamplePoints points =
                i == j ? pointsOf(selfSamples_) : pointsOf(mutualSamples_[j]);
            const Reactions r = React(path, points, geometry[At(i, j)], h, t.c1, t.c2);
            const ElementTrig& b = trig[j];
            // sin(k(h - z)) = s1 cos kz - c1 sin kz; cos(k(h - z)) - 1 = c1 cos kz + s1 sin kz - 1.
            const std::complex<float> zfa = b.s1 * r.fullCos - b.c1 * r.fullSin;
            const std::complex<float> zfb = b.c1 * r.fullCos + b.s1 * r.fullSin - r.full;
            const std::complex<float> zha = b.s1 * r.halfCos - b.c1 * r.halfSin;
            const std::complex<float> zhb = b.c1 * r.halfCos + b.s1 * r.halfSin - r.half;
            matrixRe_[i][j] = zfa.real(), matrixIm_[i][j] = zfa.imag();
            matrixRe_[i][n + j] = zfb.real(), matrixIm_[i][n + j] = zfb.imag();
            matrixRe_[n + i][j] = zha.real(), matrixIm_[n + i][j] = zha.imag();
            matrixRe_[n + i][n + j] = zhb.real(), matrixIm_[n + i][n + j] = zhb.imag();
        }
    }
    // The elimination's row operations run on past the last unknown, over zeros.
    for (int row = 0; row < 2 * n; ++row) {
        std::fill(matrixRe_[row].begin() + 2 * n, matrixRe_[row].end(), 0.0f);
        std::fill(matrixIm_[row].begin() + 2 * n, matrixIm_[row].end(), 0.0f);
    }
}

Status Engine::YAGI3(int elementCount, ConstGeometryTable geometry,
                     ConstElementValues halfLengthWl) {
    if (elementCount < 1 || elementCount > MaxElements) {
        invalidateSolution();
        return {StatusCode::InvalidArgument, 0, "element count out of range"};
    }
    if (!withinReach(elementCount, geometry, halfLengthWl)) {
        invalidateSolution();
        return Trouble("the geometry is not finite or spans more than a million wavelengths");
    }
    const VectorPath path = ChosenVectorPath();
    fillMatrix(elementCount, geometry, halfLengthWl, path);
    const int unknowns = 2 * elementCount;
    if (!Eliminate(path, unknowns, matrixRe_, matrixIm_, currentRe_, currentIm_)) {
        invalidateSolution();
        return Trouble("a zero pivot in the current solution");
    }
    for (int k = 0; k < unknowns; ++k) {
        if (!std::isfinite(currentRe_[k]) || !std::isfinite(currentIm_[k])) {
            invalidateSolution();
            return Trouble("the current solution is not finite");
        }
    }
    solutionValid_ = true;
    return {};
}

template struct SimpsonSamples<MutualIntervals>;
template struct SimpsonSamples<MaxSelfIntervals>;

} // namespace yoruk
