#pragma once
// The discrete sine transform of type I on complex values, through a radix-2 FFT of twice
// the length: X[n] = sum over m = 1..N-1 of x[m] sin(pi n m / N), and its inverse. Index 0
// of both arrays is unused (the transform's zero at the boundary).
#include <complex>
#include <vector>

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
    void fft(std::vector<std::complex<double>>& data) const;

    int size_;
    std::vector<std::complex<double>> twiddles_; // exp(-j 2 pi i / 2N), i < N
    std::vector<int> reversed_;                  // bit reversal of the 2N indices
    std::vector<std::complex<double>> work_;
};

} // namespace vexlo
