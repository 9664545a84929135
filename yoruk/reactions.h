#pragma once
// The reaction integrals of the matrix fill: one testing element against the
// Simpson samples of one current-carrying element.

#include "vector_path.h"

#include <complex>

namespace yoruk {

// Each of the two testing kernels weighted by 1, cos(kz) and sin(kz).
struct Reactions {
    std::complex<float> full, fullCos, fullSin, half, halfCos, halfSin;
};

// The current-carrying element's points and weights, padded as SimpsonSamples are.
struct SamplePoints {
    const float *z, *w, *wCos, *wSin;
    int count;
};

// Testing with the sinusoid of half-length h (kernel c1 E0 - Ef) and with the one of
// half that length (kernel c2 E0 - Eh), at distance d from the samples' axis.
Reactions React(VectorPath path, const SamplePoints& samples, float d, float h, float c1, float c2);

} // namespace yoruk
