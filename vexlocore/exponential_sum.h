#pragma once
// Sums of complex exponentials at arbitrary rates on a uniform grid,
//   out[m] = sum over l of a[l] exp(j rate[l] m),  m = 0..N-1,
// in N log N rather than N times the number of terms: each term is spread by a Gaussian
// onto an even grid of rates twice as fine as the output's resolution, one FFT takes the
// grid to the points, and the Gaussian's own transform is divided out there. Error near
// 1e-7 of the sum of |a|.
#include <complex>
#include <memory>
#include <vector>

#include "complex_fft.h"

namespace vexlo {

class ExponentialSum {
public:
    // points: N, a power of two.
    explicit ExponentialSum(int points);

    int points() const { return points_; }
    // Starts a sum with no terms.
    void clear();
    // Adds a exp(j rate m); rate in radians per point, any value.
    void add(double rate, std::complex<double> a);
    // Adds the terms a[l] exp(j rate[l] m), l = 0..count-1: the same as adding them one by
    // one, in less time.
    void add(const double* rates, const std::complex<double>* a, int count);
    // The sum at m = 0..N-1 into out (resized to N).
    void evaluate(std::vector<std::complex<double>>& out);

private:
    int points_, grid_;
    double tau_, spacing_, perSpacing_;
    double b_; // spacing^2 / (4 tau)
    ComplexFft fft_;
    // The spread terms on the grid, with room for a term's Gaussian past either end (folded
    // back in evaluate()).
    std::vector<double> gridRe_, gridIm_;
    // The Gaussian's factors, shared by every sum of the size: exp(-(k spacing)^2 / (4 tau)),
    // k = 0..spread ('tail'); per output point the Gaussian's transform divided out
    // ('scale'); and those that hang on a term's offset x from its grid point (in grid
    // spacings), tabulated over x in [0, 1]: exp(2 b x) ('rise') and
    // exp(-b (x^2 + 2 (spread - 1) x)) ('first'), b = spacing^2 / (4 tau).
    struct Tables {
        std::vector<double> tail, scale, rise, first;
    };
    std::shared_ptr<const Tables> tables_;
};

} // namespace vexlo
