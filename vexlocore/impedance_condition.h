#pragma once
// The ground as the marching field sees it: a surface impedance (the field's normal
// derivative is j k beta times the field, beta = sqrt(er - j 60 sigma lambda - 1), exact at
// grazing incidence), imposed on the vertical grid by a centred difference. A plane wave
// meeting it at grazing angle psi reflects with reflection(sin psi): the Fresnel coefficient
// with sin psi replaced by sin(k dz sin psi) / (k dz) and the root taken at grazing.
#include <complex>

namespace vexlo {

struct ImpedanceCondition {
    double k = 0.0, dz = 0.0;
    std::complex<double> beta;

    // The condition as du/dz + alpha u = 0.
    std::complex<double> alpha() const { return std::complex<double>(0.0, -k) * beta; }
    // sinGrazing may be imaginary (evanescent waves).
    std::complex<double> reflection(std::complex<double> sinGrazing) const {
        // A wave dying away fast enough makes the sine overflow; its coefficient is 1 by then.
        if (std::abs((k * dz * sinGrazing).imag()) > 40.0) return 1.0;
        const std::complex<double> s = std::sin(k * dz * sinGrazing) / (k * dz);
        return (s - beta) / (s + beta);
    }
};

} // namespace vexlo
