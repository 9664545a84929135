#pragma once
// A transform that diagonalises vertical propagation above a ground with a local impedance
// condition du/dz + alpha u = 0 (the discrete mixed Fourier transform). The field on the
// grid z = m dz, m = 0..N-1 (zero at m = N, where the absorbing top has emptied it), maps
// to w = du/dz + alpha u (centred differences), which vanishes at the ground and so has a
// sine series, plus the amplitude of the one grid mode r^m that w does not see. Both
// propagate along the ground by their own factor; the inverse rebuilds u by two stable
// recursions. Exact for the discrete problem, with no step-size limit over a flat ground.
#include <complex>
#include <vector>

#include "sine_transform.h"

namespace vexlo {

class MixedTransform {
public:
    MixedTransform(int size, double dz, std::complex<double> alpha);

    int size() const { return sine_.size(); }
    // Vertical wavenumber of sine mode n (1..N-1), radians per metre.
    double wavenumber(int n) const;
    // Eigenvalue of the vertical second difference for the boundary mode r^m.
    std::complex<double> boundaryEigenvalue() const { return boundaryEigenvalue_; }
    // r, the boundary mode's ratio from cell to cell.
    std::complex<double> boundaryRatio() const { return r_; }

    // u[0..N-1] to the sine spectrum (index 1..N-1) and the boundary mode's amplitude.
    void forward(const std::vector<std::complex<double>>& u,
                 std::vector<std::complex<double>>& spectrum, std::complex<double>& boundary);
    // The inverse; spectrum is overwritten.
    void inverse(std::vector<std::complex<double>>& spectrum, std::complex<double> boundary,
                 std::vector<std::complex<double>>& u);
    // The ground value u[0] = sum of surfaceWeights()[n] spectrum[n] + boundary.
    const std::vector<std::complex<double>>& surfaceWeights() const { return surface_; }

private:
    SineTransform sine_;
    double dz_;
    std::complex<double> alpha_, r_; // |r| < 1, r^2 + 2 alpha dz r - 1 = 0
    std::complex<double> boundaryEigenvalue_;
    std::vector<std::complex<double>> ell_;    // left eigenvector of the boundary mode
    std::vector<std::complex<double>> powers_; // r^m
    int reach_ = 0;                            // the cells where r^m has not died away
    std::complex<double> ellR_;                // its product with r^m
    std::complex<double> perEllR_;             // 1 / ellR_
    std::vector<std::complex<double>> surface_, work_;
};

} // namespace vexlo
