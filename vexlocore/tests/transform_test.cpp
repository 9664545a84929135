// The FFT and the sine transform built on it, against their sums taken
// term by term, in both vector builds; and transforms of one size made at different times,
// which share their tables, agree.
#include <cmath>
#include <complex>
#include <numbers>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "complex_fft.h"
#include "sine_transform.h"
#include "vector_path.h"

namespace {

using Complex = std::complex<double>;
constexpr double pi = std::numbers::pi;

std::vector<Complex> randomValues(int n, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    std::vector<Complex> x(n);
    for (Complex& v : x) v = {value(random), value(random)};
    return x;
}

// X[q] = sum of x[m] exp(-2 pi j q m / N), term by term.
std::vector<Complex> directDft(const std::vector<Complex>& x) {
    const int n = static_cast<int>(x.size());
    std::vector<Complex> out(n, 0.0);
    for (int q = 0; q < n; ++q)
        for (int m = 0; m < n; ++m)
            out[q] += x[m] * std::polar(1.0, -2.0 * pi * double((q * m) % n) / n);
    return out;
}

// Both vector builds, whatever this processor has.
template <typename Check> void onEveryPath(Check check) {
    for (vexlo::VectorPath path : {vexlo::VectorPath::Plain, vexlo::VectorPath::Avx2}) {
        setenv("VEXLO_VECTORS", path == vexlo::VectorPath::Plain ? "plain" : "wide", 1);
        vexlo::chooseVectorPathForCall();
        check();
    }
    unsetenv("VEXLO_VECTORS");
    vexlo::chooseVectorPathForCall();
}

} // namespace

TEST(Transforms, FftIsTheDirectSum) {
    onEveryPath([] {
        for (int n = 1; n <= 1024; n *= 2) {
            const std::vector<Complex> x = randomValues(n, 7u + n);
            const std::vector<Complex> expected = directDft(x);
            const vexlo::ComplexFft fft(n);
            std::vector<double> re(n), im(n);
            for (int m = 0; m < n; ++m) re[m] = x[m].real(), im[m] = x[m].imag();
            fft.transformToReversed(re.data(), im.data());
            double worst = 0.0;
            for (int q = 0; q < n; ++q) {
                const int r = fft.reversed(q);
                worst = std::max(worst, std::abs(Complex(re[r], im[r]) - expected[q]));
            }
            EXPECT_LT(worst, 1e-12 * n) << n << " points";
        }
    });
}

TEST(Transforms, SineTransformIsTheDirectSumAndInvertsItself) {
    onEveryPath([] {
        for (int n : {2, 4, 8, 64, 256, 2048}) {
            std::vector<Complex> x = randomValues(n, 11u + n);
            x[0] = 0.0;
            std::vector<Complex> y = x;
            vexlo::SineTransform sine(n);
            sine.forward(y);
            double worst = 0.0;
            for (int k = 1; k < n; ++k) {
                Complex direct = 0.0;
                for (int m = 1; m < n; ++m)
                    direct += x[m] * std::sin(pi * double((k * m) % (2 * n)) / n);
                worst = std::max(worst, std::abs(y[k] - direct));
            }
            EXPECT_LT(worst, 1e-12 * n) << n << " points";
            EXPECT_EQ(y[0], Complex(0.0));
            // A second transform of the size, made now, shares the first's tables.
            vexlo::SineTransform again(n);
            again.inverse(y);
            double back = 0.0;
            for (int m = 1; m < n; ++m) back = std::max(back, std::abs(y[m] - x[m]));
            EXPECT_LT(back, 1e-13 * n) << n << " points";
        }
    });
}
