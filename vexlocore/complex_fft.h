#pragma once
// A radix-2 complex FFT (its stages taken two at a time) on real and imaginary parts kept
// apart, so that the butterflies
// vectorise: X[q] = sum over m of x[m] exp(-2 pi j q m / N). The caller places its input in
// bit-reversed order (reversed()) and the transform runs in place.
#include <vector>

namespace vexlo {

class ComplexFft {
public:
    // size: N, a power of two.
    explicit ComplexFft(int size);

    int size() const { return size_; }
    // Where input index i goes.
    int reversed(int i) const { return reversed_[i]; }
    // In place on re[0..N-1], im[0..N-1] holding the input in bit-reversed order; the
    // output in natural order.
    void transform(double* re, double* im) const;

private:
    int size_;
    // For the stage joining blocks of length h, twiddle i (< h) at h + i: exp(-j pi i / h).
    std::vector<double> twiddleRe_, twiddleIm_;
    std::vector<int> reversed_;
};

} // namespace vexlo
