#include "engine.h"
#include "fast_trig.h"

#include "common/constants.h"

#include <cmath>
#include <limits>

namespace yoruk {

namespace {

constexpr float WaveNumber = common::TwoPiSingle; // 2 pi per wavelength
constexpr float ReactionScale = 0.0166667f;       // j / 60: 30 ohm and the half-element symmetry

// The six reaction integrals of one testing element with one current element:
// each of the two testing kernels weighted by 1, cos(kz) and sin(kz).
struct Reactions {
    std::complex<float> full, fullCos, fullSin, half, halfCos, halfSin;
};

// Testing with the sinusoid of the element's half-length h (kernel c1 E0 - Ef)
// and with the sinusoid of half that length (kernel c2 E0 - Eh), whose near
// fields on a parallel line at distance d are known in closed form.
Reactions react(const float* zs, const float* w, const float* wCos, const float* wSin, int count,
                float d, float h, float c1, float c2) {
    const float d2 = d * d;
    const float hh = h * 0.5f;
    float fr = 0, fi = 0, fcr = 0, fci = 0, fsr = 0, fsi = 0;
    float hr = 0, hi = 0, hcr = 0, hci = 0, hsr = 0, hsi = 0;
#pragma omp simd reduction(+ : fr, fi, fcr, fci, fsr, fsi, hr, hi, hcr, hci, hsr, hsi)
    for (int p = 0; p < count; ++p) {
        const float z = zs[p];
        const float u[5] = {z, hh - z, hh + z, h - z, h + z};
        float er[5], ei[5];
        for (int m = 0; m < 5; ++m) {
            const float r = std::sqrt(u[m] * u[m] + d2);
            const float inv = 1.0f / r;
            float s, c;
            SinCos(WaveNumber * r, s, c);
            er[m] = c * inv;
            ei[m] = -s * inv;
        }
        const float e0r = 2 * er[0], e0i = 2 * ei[0];
        const float kfr = c1 * e0r - (er[3] + er[4]);
        const float kfi = c1 * e0i - (ei[3] + ei[4]);
        const float khr = c2 * e0r - (er[1] + er[2]);
        const float khi = c2 * e0i - (ei[1] + ei[2]);
        fr += w[p] * kfr;
        fi += w[p] * kfi;
        fcr += wCos[p] * kfr;
        fci += wCos[p] * kfi;
        fsr += wSin[p] * kfr;
        fsi += wSin[p] * kfi;
        hr += w[p] * khr;
        hi += w[p] * khi;
        hcr += wCos[p] * khr;
        hci += wCos[p] * khi;
        hsr += wSin[p] * khr;
        hsi += wSin[p] * khi;
    }
    return {{fr, fi}, {fcr, fci}, {fsr, fsi}, {hr, hi}, {hcr, hci}, {hsr, hsi}};
}

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

} // namespace

template <int Intervals> void SimpsonSamples<Intervals>::fill(float halfLength, int intervals) {
    count = intervals + 1;
    const float step = halfLength / static_cast<float>(intervals);
    const float third = step / 3;
    for (int p = 0; p < count; ++p) {
        z[p] = static_cast<float>(p) * step;
        w[p] = (p == 0 || p == intervals) ? third : (p % 2 ? 4 * third : 2 * third);
        float s, c;
        SinCos(WaveNumber * z[p], s, c);
        wCos[p] = w[p] * c;
        wSin[p] = w[p] * s;
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
void Engine::fillMatrix(int n, ConstGeometryTable geometry, ConstElementValues halfLengthWl) {
    std::array<ElementTrig, MaxElements> trig;
    for (int j = 0; j < n; ++j) {
        trig[j] = trigOf(halfLengthWl[j]);
        mutualSamples_[j].fill(halfLengthWl[j], MutualIntervals);
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
            Reactions r;
            if (i == j) {
                selfSamples_.fill(halfLengthWl[j], selfIntervals_);
                const auto& s = selfSamples_;
                r = react(s.z.data(), s.w.data(), s.wCos.data(), s.wSin.data(), s.count,
                          geometry[At(i, j)], h, t.c1, t.c2);
            } else {
                const auto& s = mutualSamples_[j];
                r = react(s.z.data(), s.w.data(), s.wCos.data(), s.wSin.data(), s.count,
                          geometry[At(i, j)], h, t.c1, t.c2);
            }
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
}

// Gauss-Jordan elimination with row pivoting, in place; the right-hand side
// becomes the solution. False on a zero pivot.
bool Engine::solve(int unknowns) {
    for (int p = 0; p < unknowns; ++p) {
        int best = p;
        float bestSize = -1;
        for (int q = p; q < unknowns; ++q) {
            const float size = std::fabs(matrixRe_[q][p]) + std::fabs(matrixIm_[q][p]);
            if (size > bestSize) best = q, bestSize = size;
        }
        if (!(bestSize > 0)) return false;
        if (best != p) {
            std::swap(matrixRe_[p], matrixRe_[best]);
            std::swap(matrixIm_[p], matrixIm_[best]);
            std::swap(currentRe_[p], currentRe_[best]);
            std::swap(currentIm_[p], currentIm_[best]);
        }
        const std::complex<float> inverse =
            1.0f / std::complex<float>(matrixRe_[p][p], matrixIm_[p][p]);
        float* pr = matrixRe_[p].data();
        float* pi = matrixIm_[p].data();
        for (int m = p; m < unknowns; ++m) {
            const float re = pr[m] * inverse.real() - pi[m] * inverse.imag();
            pi[m] = pr[m] * inverse.imag() + pi[m] * inverse.real();
            pr[m] = re;
        }
        const std::complex<float> x = std::complex<float>(currentRe_[p], currentIm_[p]) * inverse;
        currentRe_[p] = x.real();
        currentIm_[p] = x.imag();
        for (int q = 0; q < unknowns; ++q) {
            if (q == p) continue;
            const float fr = matrixRe_[q][p], fi = matrixIm_[q][p];
            float* qr = matrixRe_[q].data();
            float* qi = matrixIm_[q].data();
            for (int m = p; m < unknowns; ++m) {
                qr[m] -= fr * pr[m] - fi * pi[m];
                qi[m] -= fr * pi[m] + fi * pr[m];
            }
            currentRe_[q] -= fr * x.real() - fi * x.imag();
            currentIm_[q] -= fr * x.imag() + fi * x.real();
        }
    }
    return true;
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
    fillMatrix(elementCount, geometry, halfLengthWl);
    const int unknowns = 2 * elementCount;
    if (!solve(unknowns)) {
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
