#include "ground_radiation.h"

#include <cmath>

#include "unit_phasor.h"
#include "vector_path.h"

namespace vexlo {

using Complex = std::complex<double>;

namespace {

// sum[q] = the sum over n = 1..last-1 of E[n] step[q]^(n-1), by Horner's rule from the top,
// for Width angles held in registers throughout.
template <int Width>
inline void hornerSum(const Complex* envelope, int last, const double* __restrict stepRe,
                      const double* __restrict stepIm, double* __restrict sumRe,
                      double* __restrict sumIm) {
    double zr[Width], zi[Width], accR[Width], accI[Width];
    for (int q = 0; q < Width; ++q) zr[q] = stepRe[q], zi[q] = stepIm[q], accR[q] = accI[q] = 0.0;
    for (int n = last - 1; n >= 1; --n) {
        const double er = envelope[n].real(), ei = envelope[n].imag();
#pragma omp simd
        for (int q = 0; q < Width; ++q) {
            const double sr = accR[q] * zr[q] - accI[q] * zi[q] + er;
            const double si = accR[q] * zi[q] + accI[q] * zr[q] + ei;
            accR[q] = sr;
            accI[q] = si;
        }
    }
    for (int q = 0; q < Width; ++q) sumRe[q] = accR[q], sumIm[q] = accI[q];
}

} // namespace

GroundRadiation::GroundRadiation(double k, Complex beta, const std::vector<double>& angles)
    : k_(k), beta_(beta), values_(angles.size(), 0.0) {
    for (double a : angles) {
        cos_.push_back(std::cos(a));
        sin_.push_back(std::sin(a));
    }
    for (auto* v : {&phaseRe_, &phaseIm_, &stepRe_, &stepIm_, &sumRe_, &sumIm_})
        v->resize(angles.size());
}

void GroundRadiation::phasesAt(Point origin) {
    if (origin.x == phasesFor_.x && origin.z == phasesFor_.z) return;
    for (std::size_t i = 0; i < values_.size(); ++i) {
        const Complex p = unitPhasor(k_ * (cos_[i] * origin.x + sin_[i] * origin.z));
        phaseRe_[i] = p.real();
        phaseIm_[i] = p.imag();
    }
    phasesFor_ = origin;
}

void GroundRadiation::addGround(Point origin, double angle, double spacingGiven, double gammaGiven,
                                const std::vector<Complex>& envelope) {
    const int lastGiven = static_cast<int>(envelope.size()) - 1;
    if (lastGiven < 1) return;
    runVectorLoops([&] {
        // The loops over angles are marked "omp simd" and read copies of the scalars: their
        // arrays are apart, which the compiler cannot tell of pointers that are not parameters
        // (it left the loops scalar).
        const double spacing = spacingGiven, gamma = gammaGiven;
        const int last = lastGiven;
        const std::size_t angles = values_.size();
        const double ca = std::cos(angle), sa = std::sin(angle);
        phasesAt(origin);
        // Per angle the phase step between samples, exp(j delta), delta = (k cos(theta - angle)
        // - gamma) spacing. Everything per angle is in real arithmetic over separate arrays, so
        // that these loops vectorise.
        double* __restrict stepRe = stepRe_.data();
        double* __restrict stepIm = stepIm_.data();
        double* __restrict sumRe = sumRe_.data();
        double* __restrict sumIm = sumIm_.data();
        const double* __restrict cosines = cos_.data();
        const double* __restrict sines = sin_.data();
        const double k = k_;
#pragma omp simd
        for (std::size_t i = 0; i < angles; ++i) {
            unitPhasor((k * (cosines[i] * ca + sines[i] * sa) - gamma) * spacing, stepRe[i],
                       stepIm[i]);
            sumRe[i] = sumIm[i] = 0.0;
        }
        // The samples between the ends, sum of E[n] step^(n-1) by Horner's rule from the top,
        // eight angles at a time over all samples (their sums stay in registers), the rest
        // one by one.
        std::size_t i = 0;
        for (; i + 8 <= angles; i += 8)
            hornerSum<8>(envelope.data(), last, stepRe + i, stepIm + i, sumRe + i, sumIm + i);
        for (; i < angles; ++i)
            hornerSum<1>(envelope.data(), last, stepRe + i, stepIm + i, sumRe + i, sumIm + i);
        // The ends, the weights of the integral exact for an envelope linear between samples,
        // and the carry of the phase to the next piece.
        const double firstRe = envelope[0].real(), firstIm = envelope[0].imag();
        const double lastRe = envelope[last].real(), lastIm = envelope[last].imag();
        const Complex carry = unitPhasor(gamma * spacing * last);
        const double carryRe = carry.real(), carryIm = carry.imag();
        const double betaRe = beta_.real(), betaIm = beta_.imag();
        double* __restrict valueRe = reinterpret_cast<double*>(values_.data());
        double* __restrict phaseRe = phaseRe_.data();
        double* __restrict phaseIm = phaseIm_.data();
#pragma omp simd
        for (std::size_t i = 0; i < angles; ++i) {
            const double delta = (k * (cosines[i] * ca + sines[i] * sa) - gamma) * spacing;
            const double zr = stepRe[i], zi = stepIm[i];
            double pr, pi; // step^last
            unitPhasor(delta * last, pr, pi);
            // J0, J1: integrals over [0, 1] of exp(j delta t) and t exp(j delta t); the linear
            // envelope between samples n and n+1 contributes (J0 - J1) E[n] + J1 E[n+1].
            // Near delta = 0 the closed forms lose their digits: the series there.
            const bool small = std::fabs(delta) < 1e-3;
            const double inverse = 1.0 / (small ? 1.0 : delta), inverse2 = inverse * inverse;
            const double j0r = small ? 1.0 - delta * delta / 6.0 : zi * inverse;
            const double j0i = small ? delta / 2.0 : -(zr - 1.0) * inverse;
            const double j1r =
                small ? 0.5 - delta * delta / 8.0 : zi * inverse + (zr - 1.0) * inverse2;
            const double j1i = small ? delta / 3.0 : -zr * inverse + zi * inverse2;
            const double firstWr = j0r - j1r, firstWi = j0i - j1i;
            const double backR = j1r * zr + j1i * zi, backI = j1i * zr - j1r * zi; // J1 / step
            const double midR = firstWr + backR, midI = firstWi + backI;
            // The middle sum times step, times the interior weight.
            const double szr = sumRe[i] * zr - sumIm[i] * zi, szi = sumRe[i] * zi + sumIm[i] * zr;
            const double lpr = lastRe * pr - lastIm * pi, lpi = lastRe * pi + lastIm * pr;
            const double totalR = firstRe * firstWr - firstIm * firstWi + szr * midR - szi * midI +
                                  lpr * backR - lpi * backI;
            const double totalI = firstRe * firstWi + firstIm * firstWr + szr * midI + szi * midR +
                                  lpr * backI + lpi * backR;
            // jk (sin(theta - angle) - beta) spacing, then the phase of the piece's start.
            const double across = sines[i] * ca - cosines[i] * sa;
            const double kr = k * betaIm * spacing, ki = k * (across - betaRe) * spacing;
            const double tr = kr * totalR - ki * totalI, ti = kr * totalI + ki * totalR;
            const double phr = phaseRe[i], phi = phaseIm[i];
            valueRe[2 * i] += tr * phr - ti * phi;
            valueRe[2 * i + 1] += tr * phi + ti * phr;
            // The next piece starts at this one's end: exp(jk spacing last cos(theta - angle)).
            const double ar = phr * pr - phi * pi, ai = phr * pi + phi * pr;
            phaseRe[i] = ar * carryRe - ai * carryIm;
            phaseIm[i] = ar * carryIm + ai * carryRe;
        }
        const double length = spacing * last;
        phasesFor_ = {origin.x + length * ca, origin.z + length * sa};
    });
}

void GroundRadiation::addFace(Point origin, Point forward, Point up, double height,
                              const std::vector<double>& p, const std::vector<Complex>& upWaves,
                              const std::vector<Complex>& downWaves) {
    // The integral over 0..height of exp(j a z) is (exp(j a height) - 1) / (j a), and with
    // a = rate +- p[n], exp(j a height) = exp(j rate height) exp(+-j p[n] height): the waves'
    // phases across the face are worked out once for every angle. Near a = 0 the closed form
    // loses its digits: height + j a height^2 / 2 there.
    const std::size_t waves = p.size();
    faceUp_.assign(waves, 0.0);
    faceDown_.assign(waves, 0.0);
    for (std::size_t n = 1; n < waves; ++n) {
        const Complex across = unitPhasor(p[n] * height);
        faceUp_[n] = upWaves[n] * across;
        faceDown_[n] = downWaves[n] * std::conj(across);
    }
    const double small = 1e-6 / height;
    for (std::size_t i = 0; i < values_.size(); ++i) {
        const double along = cos_[i] * forward.x + sin_[i] * forward.z;
        const double rate = k_ * (cos_[i] * up.x + sin_[i] * up.z);
        // sum = (E sum of faceUp / a - sum of up / a) / j, and the same for the down waves,
        // E = exp(j rate height).
        Complex turned = 0.0, plain = 0.0, near = 0.0;
        for (std::size_t n = 1; n < waves; ++n) {
            const double a = rate + p[n], b = rate - p[n];
            if (std::fabs(a) < small) {
                near += upWaves[n] * Complex(height, 0.5 * a * height * height);
            } else {
                const double inverse = 1.0 / a;
                turned += faceUp_[n] * inverse;
                plain += upWaves[n] * inverse;
            }
            if (std::fabs(b) < small) {
                near += downWaves[n] * Complex(height, 0.5 * b * height * height);
            } else {
                const double inverse = 1.0 / b;
                turned += faceDown_[n] * inverse;
                plain += downWaves[n] * inverse;
            }
        }
        const Complex sum =
            Complex(0.0, -1.0) * (unitPhasor(rate * height) * turned - plain) + near;
        values_[i] += Complex(0.0, -k_) * (1.0 + along) * sum *
                      unitPhasor(k_ * (cos_[i] * origin.x + sin_[i] * origin.z));
    }
}

} // namespace vexlo
