#include "ground_radiation.h"

#include <cmath>

#include "unit_phasor.h"

namespace vexlo {

using Complex = std::complex<double>;

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

void GroundRadiation::addGround(Point origin, double angle, double spacing, double gamma,
                                const std::vector<Complex>& envelope) {
    const int last = static_cast<int>(envelope.size()) - 1;
    if (last < 1) return;
    const std::size_t angles = values_.size();
    const double ca = std::cos(angle), sa = std::sin(angle);
    phasesAt(origin);
    for (std::size_t i = 0; i < angles; ++i) {
        const Complex step = unitPhasor((k_ * (cos_[i] * ca + sin_[i] * sa) - gamma) * spacing);
        stepRe_[i] = step.real();
        stepIm_[i] = step.imag();
        sumRe_[i] = sumIm_[i] = 0.0;
    }
    // The samples between the ends, sum of E[n] step^(n-1) by Horner's rule from the top.
    double* __restrict sumRe = sumRe_.data();
    double* __restrict sumIm = sumIm_.data();
    const double* __restrict stepRe = stepRe_.data();
    const double* __restrict stepIm = stepIm_.data();
    for (int n = last - 1; n >= 1; --n) {
        const double er = envelope[n].real(), ei = envelope[n].imag();
        for (std::size_t i = 0; i < angles; ++i) {
            const double sr = sumRe[i] * stepRe[i] - sumIm[i] * stepIm[i] + er;
            const double si = sumRe[i] * stepIm[i] + sumIm[i] * stepRe[i] + ei;
            sumRe[i] = sr;
            sumIm[i] = si;
        }
    }
    const Complex carry = unitPhasor(gamma * spacing * last);
    for (std::size_t i = 0; i < angles; ++i) {
        const Complex step(stepRe_[i], stepIm_[i]);
        const double delta = (k_ * (cos_[i] * ca + sin_[i] * sa) - gamma) * spacing;
        const Complex power = unitPhasor(delta * last); // step^last
        // J0, J1: integrals over [0, 1] of exp(j delta t) and t exp(j delta t); the linear
        // envelope between samples n and n+1 contributes (J0 - J1) E[n] + J1 E[n+1].
        Complex j0, j1;
        if (std::fabs(delta) < 1e-3) {
            j0 = Complex(1.0 - delta * delta / 6.0, delta / 2.0);
            j1 = Complex(0.5 - delta * delta / 8.0, delta / 3.0);
        } else {
            const double inverse = 1.0 / delta;
            const Complex change = step - 1.0;
            j0 = Complex(change.imag(), -change.real()) * inverse;
            j1 = Complex(step.imag(), -step.real()) * inverse + change * (inverse * inverse);
        }
        const Complex first = j0 - j1, back = j1 * std::conj(step);
        const Complex sum = envelope[0] * first +
                            Complex(sumRe_[i], sumIm_[i]) * step * (first + back) +
                            envelope[last] * power * back;
        const double across = sin_[i] * ca - cos_[i] * sa; // sin(theta - angle)
        const Complex phase(phaseRe_[i], phaseIm_[i]);
        values_[i] += Complex(0.0, k_) * (across - beta_) * spacing * sum * phase;
        // The next piece starts at this one's end: exp(jk spacing last cos(theta - angle)).
        const Complex next = phase * power * carry;
        phaseRe_[i] = next.real();
        phaseIm_[i] = next.imag();
    }
    const double length = spacing * last;
    phasesFor_ = {origin.x + length * ca, origin.z + length * sa};
}

void GroundRadiation::addBlockedFace(Point origin, Point forward, Point up, double dz,
                                     const std::vector<Complex>& field) {
    if (field.empty()) return;
    for (std::size_t i = 0; i < values_.size(); ++i) {
        const double along = cos_[i] * forward.x + sin_[i] * forward.z;
        const Complex step = unitPhasor(k_ * dz * (cos_[i] * up.x + sin_[i] * up.z));
        Complex sum = 0.0, power = 1.0;
        for (const Complex& u : field) {
            sum += u * power;
            power *= step;
        }
        values_[i] += Complex(0.0, -k_) * (1.0 + along) * dz * sum *
                      unitPhasor(k_ * (cos_[i] * origin.x + sin_[i] * origin.z));
    }
}

} // namespace vexlo
