#include "ground.h"

#include <algorithm>
#include <cmath>

namespace vexlo {

Ground::Ground(double dielectric, double conductivity, double wavelength) {
    const double er = std::isfinite(dielectric) ? std::max(dielectric, 1.0) : 1.0;
    const double sigma = std::isfinite(conductivity) ? std::max(conductivity, 0.0) : 0.0;
    permittivity_ = {er, -60.0 * sigma * wavelength};
}

std::complex<double> Ground::reflection(double sinGrazing) const {
    const double s = std::min(std::fabs(sinGrazing), 1.0);
    const std::complex<double> root = std::sqrt(permittivity_ - (1.0 - s * s));
    const std::complex<double> denominator = s + root;
    // Only empty space at exact grazing gives 0/0; it reflects nothing.
    if (denominator == 0.0) return 0.0;
    return (s - root) / denominator;
}

} // namespace vexlo
