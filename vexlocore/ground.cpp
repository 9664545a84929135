#include "ground.h"

#include <algorithm>
#include <cmath>

namespace vexlo {

Ground::Ground(double dielectric, double conductivity, double wavelength) {
    const double er = std::isfinite(dielectric) ? std::max(dielectric, 1.0) : 1.0;
    const double sigma = std::isfinite(conductivity) ? std::max(conductivity, 0.0) : 0.0;
    permittivity_ = {er, -60.0 * sigma * wavelength};
}

} // namespace vexlo
