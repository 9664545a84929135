#pragma once
// The complex Fresnel integral the physical-optics facets use.
#include <complex>

namespace vexlo {

// E(t) = integral from 0 to t of exp(-j pi s^2 / 2) ds, = C(t) - j S(t); odd in t and
// tending to (1 - j)/2 for large t. From a table built once and Taylor terms of the known
// derivative (error below 1e-9), and the asymptotic series far out: one sine and cosine.
std::complex<double> fresnelIntegral(double t);

} // namespace vexlo
