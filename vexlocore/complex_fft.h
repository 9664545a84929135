#pragma once
// A radix-2 complex FFT (its stages taken two at a time, each splitting the blocks of the
// one before) on real and imaginary parts kept apart, so that the butterflies vectorise:
// X[q] = sum over m of x[m] exp(-2 pi j q m / N), in place, the output in bit-reversed
// order (reversed()).
#include <memory>
#include <vector>

namespace vexlo {

class ComplexFft {
public:
    // size: N, a power of two.
    explicit ComplexFft(int size);

    int size() const { return size_; }
    // Where input index i goes.
    int reversed(int i) const { return tables_->reversed[i]; }
    // reversed() of every index.
    const int* reversedOrder() const { return tables_->reversed.data(); }
    // In place on re[0..N-1], im[0..N-1] holding the input in natural order; the output in
    // bit-reversed order: X[q] at reversed(q).
    void transformToReversed(double* re, double* im) const;

    struct Tables {
        // Twiddle i (< h) at h + i: exp(-j pi i / h), and in 'third' exp(-3 j pi i / (2h)).
        std::vector<double> twiddleRe, twiddleIm, thirdRe, thirdIm;
        std::vector<int> reversed;
    };

private:
    int size_;
    std::shared_ptr<const Tables> tables_; // shared by every FFT of the size
};

} // namespace vexlo
