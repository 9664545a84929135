#pragma once
// The ground's electrical constants and its plane-wave reflection coefficient.
#include <algorithm>
#include <cmath>
#include <complex>

namespace vexlo {

class Ground {
public:
    // Relative dielectric constant, conductivity in S/m, free-space wavelength in metres.
    // Values that make no physical sense (below 1, negative, not finite) are taken as
    // those of empty space, so the ground then reflects nothing.
    Ground(double dielectric, double conductivity, double wavelength);
    explicit Ground(std::complex<double> permittivity) : permittivity_(permittivity) {}

    // Fresnel coefficient for horizontal polarisation (electric field parallel to the
    // ground and across the plane of incidence) at the given sine of the grazing angle.
    // Negative values are taken by magnitude. (Inline, with the root by real square roots
    // rather than the library's complex one, for the loops that take it for every facet and
    // direction.)
    std::complex<double> reflection(double sinGrazing) const {
        const double s = std::min(std::fabs(sinGrazing), 1.0);
        // root = sqrt(z), z = permittivity - cos^2 = a + j b, its real part not negative.
        const double a = permittivity_.real() - (1.0 - s * s), b = permittivity_.imag();
        const double size = std::sqrt(a * a + b * b);
        if (!(size <= 1e150)) return fromRoot(s, std::sqrt(std::complex<double>(a, b)));
        const double t = std::sqrt(0.5 * (size + std::fabs(a)));
        // Only empty space at exact grazing gives 0/0; it reflects nothing.
        if (t == 0.0) return s == 0.0 ? 0.0 : 1.0;
        const double other = 0.5 * b / t;
        return a >= 0.0 ? fromRoot(s, {t, other})
                        : fromRoot(s, {std::fabs(other), std::copysign(t, b)});
    }

    std::complex<double> permittivity() const { return permittivity_; }

private:
    // (s - root) / (s + root).
    static std::complex<double> fromRoot(double s, std::complex<double> root) {
        const double dr = s + root.real(), di = root.imag(), nr = s - root.real();
        const double inverse = 1.0 / (dr * dr + di * di);
        return {(nr * dr - di * di) * inverse, (-di * dr - nr * di) * inverse};
    }
    std::complex<double> permittivity_; // er - j 60 sigma lambda
};

} // namespace vexlo
