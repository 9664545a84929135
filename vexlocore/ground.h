#pragma once
// The ground's electrical constants and its plane-wave reflection coefficient.
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
    // Negative values are taken by magnitude.
    std::complex<double> reflection(double sinGrazing) const;

    std::complex<double> permittivity() const { return permittivity_; }

private:
    std::complex<double> permittivity_; // er - j 60 sigma lambda
};

} // namespace vexlo
