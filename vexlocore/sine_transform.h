#pragma once
// The discrete sine transform of type I on complex values: X[n] = sum over m = 1..N-1 of
// x[m] sin(pi n m / N), and its inverse. Index 0 of both arrays is unused (the transform's
// zero at the boundary). One complex FFT of length N: the input folded with sine weights
// y[j] = sin(pi j / N) (x[j] + x[N-j]) + (x[j] - x[N-j]) / 2, whose transform C gives
// X[2k] = j (C[k] - C[N-k]) / 2 and X[2k+1] = X[2k-1] + (C[k] + C[N-k]) / 2, X[1] = C[0] / 2.
#include <complex>
#include <memory>
#include <vector>

#include "complex_fft.h"

namespace vexlo {

class SineTransform {
public:
    // size: N, a power of two (the field has N - 1 interior values).
    explicit SineTransform(int size);

    int size() const { return size_; }
    // In place on values[1..N-1]; values[0] is left 0.
    void forward(std::vector<std::complex<double>>& values);
    void inverse(std::vector<std::complex<double>>& values);

private:
    // The forward transform times scale (a power of two).
    void run(std::vector<std::complex<double>>& values, double scale);
    int size_;
    std::shared_ptr<const std::vector<double>> sines_; // sin(pi j / N), shared by the size
    ComplexFft fft_;
    std::vector<double> re_, im_;
};

} // namespace vexlo
