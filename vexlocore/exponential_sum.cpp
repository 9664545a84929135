#include "exponential_sum.h"

#include <cmath>
#include <cstring>
#include <numbers>

#include "shared_tables.h"
#include "unit_phasor.h"
#include "vector_path.h"

namespace vexlo {
namespace {

constexpr double pi = std::numbers::pi;
// Grid points each side of a term that take its Gaussian; with a grid twice as fine as the
// output's resolution the truncation and the aliasing both stay near exp(-2 pi spread / 3).
constexpr int spread = 8;
// Table points per grid spacing for the factors that hang on a term's offset; between them
// exp of the small rest from its series to the fourth power (error below 1e-10).
constexpr int bins = 256;

// Four doubles in one vector (two registers in the plain build).
using Four = double __attribute__((vector_size(32)));

double smallExp(double a) {
    return 1.0 + a * (1.0 + a * (0.5 + a * (1.0 / 6.0 + a * (1.0 / 24.0))));
}

} // namespace

ExponentialSum::ExponentialSum(int points)
    : points_(points), grid_(2 * points), fft_(2 * points), gridRe_(2 * points + 2 * spread),
      gridIm_(2 * points + 2 * spread) {
    // The Gaussian's width in rate: as wide as the grid allows for the truncation and the
    // aliasing to be equally small.
    tau_ = pi * spread / (3.0 * double(points) * double(points));
    spacing_ = 2.0 * pi / grid_;
    perSpacing_ = grid_ / (2.0 * pi);
    b_ = spacing_ * spacing_ / (4.0 * tau_);
    tables_ = sharedTables<Tables>(points, [this](int) {
        Tables t;
        // The Gaussian's factor that does not hang on the term's offset from its grid point,
        // for the points below - spread + 1 .. below + spread.
        t.tail.resize(2 * spread);
        for (int k = 0; k < 2 * spread; ++k) {
            const double d = (k - spread + 1) * spacing_;
            t.tail[k] = std::exp(-d * d / (4.0 * tau_));
        }
        const double b = spacing_ * spacing_ / (4.0 * tau_);
        t.rise.resize(bins + 1);
        t.first.resize(bins + 1);
        for (int i = 0; i <= bins; ++i) {
            const double x = static_cast<double>(i) / bins;
            t.rise[i] = std::exp(2.0 * b * x);
            t.first[i] = std::exp(-b * (x * x + 2.0 * (spread - 1) * x));
        }
        // The output points are taken as m - N/2, centred, where the Gaussian's transform is
        // largest.
        t.scale.resize(points_);
        for (int m = 0; m < points_; ++m) {
            const double c = m - 0.5 * points_;
            t.scale[m] = std::sqrt(pi / tau_) * std::exp(c * c * tau_) / grid_;
        }
        return t;
    });
    clear();
}

// A plain loop of stores, kept from becoming the library's fill: that runs a few kilobytes
// as a string store, one step per byte under an instruction count.
[[gnu::noinline, gnu::optimize("no-tree-loop-distribute-patterns")]] void ExponentialSum::clear() {
    double* __restrict re = gridRe_.data();
    double* __restrict im = gridIm_.data();
    const int size = static_cast<int>(gridRe_.size());
#pragma omp simd
    for (int g = 0; g < size; ++g) re[g] = im[g] = 0.0;
}

void ExponentialSum::add(double rate, std::complex<double> a) { add(&rate, &a, 1); }

void ExponentialSum::add(const double* rates, const std::complex<double>* amplitudes, int count) {
    runVectorLoops([&] {
        // The terms a batch at a time: first what each needs apart from the grid, term by
        // term in vector lanes, then each spread in turn (in the order given, so the sums on
        // the grid are those of one term at a time).
        constexpr int batch = 64;
        double termRe[batch], termIm[batch], termFirst[batch], termRise[batch];
        int termBelow[batch];
        const double* __restrict riseTable = tables_->rise.data();
        const double* __restrict firstTable = tables_->first.data();
        const double* __restrict a = reinterpret_cast<const double*>(amplitudes);
        const double half = 0.5 * points_, perSpacing = perSpacing_, spacing = spacing_, b = b_;
        const int lastBelow = grid_ - 1;
        for (int start = 0; start < count; start += batch) {
            const int terms = std::min(batch, count - start);
            for (int t = 0; t < terms; ++t) {
                const double rate = rates[start + t];
                // Centred points: a exp(j rate N/2) at m - N/2. The conjugate is spread, so
                // that the forward FFT gives the conjugate of the sum.
                // Products by reciprocals rather than quotients (a rate that lands a rounding
                // off a grid point or a turn is spread just as well from the neighbouring one).
                const double turns = std::floor(rate * (0.5 / pi));
                const double reduced = rate - 2.0 * pi * turns; // in [0, 2 pi)
                double pr, pi;
                unitPhasor(reduced * half, pr, pi);
                const double ar = a[2 * (start + t)], ai = a[2 * (start + t) + 1];
                termRe[t] = ar * pr - ai * pi;
                termIm[t] = -(ar * pi + ai * pr);
                const int below = std::min(lastBelow, static_cast<int>(reduced * perSpacing));
                const double offset = reduced - below * spacing; // in [0, spacing)
                // exp(-(offset - d)^2 / (4 tau)) at d = (k - spread + 1) spacing is
                // exp(-offset^2 / 4 tau) rise^(k - spread + 1) tail[k].
                // With x = offset / spacing and b = spacing^2 / (4 tau): rise = exp(2 b x),
                // the first point's factor exp(-b (x^2 + 2 (spread - 1) x)), each from the
                // table and the rest d.
                const double x = offset * perSpacing;
                const int i = std::min(bins - 1, static_cast<int>(x * bins));
                const double x0 = static_cast<double>(i) * (1.0 / bins), d = x - x0;
                termRise[t] = riseTable[i] * smallExp(2.0 * b * d);
                termFirst[t] =
                    firstTable[i] * smallExp(-b * d * (2.0 * x0 + d + 2.0 * (spread - 1)));
                termBelow[t] = below;
            }
            for (int t = 0; t < terms; ++t) {
                // first rise^k tail[k] for k = 0..15 in four vectors of four, each the one
                // before it times rise^4, so that no long chain of products waits on itself.
                static_assert(2 * spread == 16);
                const double rise = termRise[t], first = termFirst[t];
                const double rise2 = rise * rise;
                const Four rise4 = Four{1.0, 1.0, 1.0, 1.0} * (rise2 * rise2);
                Four weights = {first, first * rise, first * rise2, first * rise * rise2};
                // grid point below - spread + 1
                double* re = gridRe_.data() + termBelow[t] + 1;
                double* im = gridIm_.data() + termBelow[t] + 1;
                const double* tail = tables_->tail.data();
                const double ar = termRe[t], ai = termIm[t];
                for (int k = 0; k < 2 * spread; k += 4) {
                    Four w, gr, gi;
                    std::memcpy(&w, tail + k, sizeof w);
                    std::memcpy(&gr, re + k, sizeof gr);
                    std::memcpy(&gi, im + k, sizeof gi);
                    w *= weights;
                    gr += w * ar;
                    gi += w * ai;
                    std::memcpy(re + k, &gr, sizeof gr);
                    std::memcpy(im + k, &gi, sizeof gi);
                    weights *= rise4;
                }
            }
        }
    });
}

void ExponentialSum::evaluate(std::vector<std::complex<double>>& out) {
    runVectorLoops([&] {
        const double* __restrict scale = tables_->scale.data();
        // Grid point g is index g + spread of the padded grid; what was spread past either end
        // wraps round. The FFT runs on the padded grid in place and leaves point q at
        // reversed(q).
        const int pad = spread;
        double* re = gridRe_.data() + pad;
        double* im = gridIm_.data() + pad;
        for (int k = 0; k < pad; ++k) {
            re[grid_ - pad + k] += gridRe_[k], im[grid_ - pad + k] += gridIm_[k];
            re[k] += re[grid_ + k], im[k] += im[grid_ + k];
        }
        fft_.transformToReversed(re, im);
        out.resize(points_);
        const int mask = grid_ - 1;
        for (int m = 0; m < points_; ++m) {
            const int q = fft_.reversed((m - points_ / 2) & mask);
            out[m] = std::complex<double>(re[q], -im[q]) * scale[m];
        }
        clear();
    });
}

} // namespace vexlo
