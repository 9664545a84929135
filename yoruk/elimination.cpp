#include "elimination.h"

#include <cmath>
#include <complex>
#include <utility>

namespace yoruk {

namespace {

// Every row operation works element by element, so any vector width gives the
// same values. A row operation of pivot p runs over whole vectors: from the one that
// holds column p, whose columns left of p are never read again, to the row's end
// past the last unknown, which the fill leaves at zero.
template <int Floats>
bool eliminate(int unknowns, MatrixPart& re, MatrixPart& im, UnknownValues& rhsRe,
               UnknownValues& rhsIm) {
    for (int p = 0; p < unknowns; ++p) {
        int best = p;
        float bestSize = -1;
        for (int q = p; q < unknowns; ++q) {
            const float size = std::fabs(re[q][p]) + std::fabs(im[q][p]);
            if (size > bestSize) best = q, bestSize = size;
        }
        if (!(bestSize > 0)) return false;
        if (best != p) {
            std::swap(re[p], re[best]);
            std::swap(im[p], im[best]);
            std::swap(rhsRe[p], rhsRe[best]);
            std::swap(rhsIm[p], rhsIm[best]);
        }
        const std::complex<float> inverse = 1.0f / std::complex<float>(re[p][p], im[p][p]);
        float* pr = re[p].data();
        float* pi = im[p].data();
        const int from = p / Floats * Floats, to = Padded(unknowns, Floats);
        for (int v = from; v < to; v += Floats) {
#pragma omp simd
            for (int m = v; m < v + Floats; ++m) {
                const float r = pr[m] * inverse.real() - pi[m] * inverse.imag();
                pi[m] = pr[m] * inverse.imag() + pi[m] * inverse.real();
                pr[m] = r;
            }
        }
        const std::complex<float> x = std::complex<float>(rhsRe[p], rhsIm[p]) * inverse;
        rhsRe[p] = x.real();
        rhsIm[p] = x.imag();
        for (int q = 0; q < unknowns; ++q) {
            if (q == p) continue;
            const float fr = re[q][p], fi = im[q][p];
            float* qr = re[q].data();
            float* qi = im[q].data();
            for (int v = from; v < to; v += Floats) {
#pragma omp simd
                for (int m = v; m < v + Floats; ++m) {
                    qr[m] -= fr * pr[m] - fi * pi[m];
                    qi[m] -= fr * pi[m] + fi * pr[m];
                }
            }
            rhsRe[q] -= fr * x.real() - fi * x.imag();
            rhsIm[q] -= fr * x.imag() + fi * x.real();
        }
    }
    return true;
}

} // namespace

bool Eliminate(VectorPath path, int unknowns, MatrixPart& re, MatrixPart& im, UnknownValues& rhsRe,
               UnknownValues& rhsIm) {
    return Run(path,
               [&](auto floats) { return eliminate<floats()>(unknowns, re, im, rhsRe, rhsIm); });
}

} // namespace yoruk
