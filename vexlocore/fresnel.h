#pragma once
// The complex Fresnel integral the physical-optics facets and the knife-edge factors use.
#include <complex>

namespace vexlo {

// E(t) = integral from 0 to t of exp(-j pi s^2 / 2) ds, = C(t) - j S(t); odd in t and
// tending to (1 - j)/2 for large t. From a table built once and Taylor terms of the known
// derivative (error below 1e-9), and the asymptotic series far out: one sine and cosine.
std::complex<double> fresnelIntegral(double t);

// Field behind a knife edge relative to the unobstructed field, for the clearance parameter
// nu (positive when the edge rises above the line of sight): 1/2 at nu = 0, tending to 1 for
// nu far below and to 0 far above, with the interference ripple in between.
std::complex<double> knifeEdge(double nu);

} // namespace vexlo
