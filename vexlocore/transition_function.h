#pragma once
// The transition function of the uniform theory of diffraction,
// F(X) = 2 j sqrt(X) exp(jX) * integral from sqrt(X) to infinity of exp(-j t^2) dt,
// which takes the diffracted field smoothly through shadow and reflection boundaries.
#include <complex>

namespace vexlo {

// X >= 0 (negative values are taken as 0). F(0) = 0 and F tends to 1 for large X.
std::complex<double> transitionFunction(double x);

} // namespace vexlo
