// The fast sum of exponentials at arbitrary rates against the sum taken term by term.
#include <cmath>
#include <complex>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "exponential_sum.h"

namespace {

using Complex = std::complex<double>;

struct Term {
    double rate;
    Complex a;
};

// The largest error of the fast sum at any point, relative to the sum of |a|.
double worstError(int points, const std::vector<Term>& terms) {
    vexlo::ExponentialSum sum(points);
    double scale = 0.0;
    for (const Term& t : terms) {
        sum.add(t.rate, t.a);
        scale += std::abs(t.a);
    }
    std::vector<Complex> fast;
    sum.evaluate(fast);
    EXPECT_EQ(fast.size(), static_cast<std::size_t>(points));
    double worst = 0.0;
    for (int m = 0; m < points; ++m) {
        Complex direct = 0.0;
        for (const Term& t : terms) direct += t.a * std::exp(Complex(0.0, t.rate * m));
        worst = std::max(worst, std::abs(fast[m] - direct));
    }
    return worst / scale;
}

TEST(ExponentialSum, AgreesWithTheDirectSumAtAnyRate) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> rate(-40.0, 40.0), part(-1.0, 1.0);
    for (int points : {16, 128, 1024}) {
        std::vector<Term> terms;
        for (int l = 0; l < 300; ++l) terms.push_back({rate(random), {part(random), part(random)}});
        EXPECT_LT(worstError(points, terms), 1e-6) << points << " points";
    }
}

TEST(ExponentialSum, RatesOnAndAroundTheGridAndItsEnds) {
    // Rates that fall on the grid's points, at zero and next to 2 pi (the spread wraps round),
    // a single term, and many terms of one rate that must add up exactly.
    const int points = 64;
    const double pi = 3.14159265358979323846;
    std::vector<Term> terms;
    for (int g = 0; g < 2 * points; g += 7) terms.push_back({pi * g / points, {1.0, -0.5}});
    terms.push_back({0.0, {0.25, 0.0}});
    terms.push_back({2.0 * pi - 1e-12, {0.0, 0.75}});
    terms.push_back({-1e-12, {0.5, 0.5}});
    EXPECT_LT(worstError(points, terms), 1e-6);
    EXPECT_LT(worstError(points, {{1.234, {2.0, 1.0}}}), 1e-6);
    std::vector<Term> same(50, Term{0.3, {0.02, 0.0}});
    EXPECT_LT(worstError(points, same), 1e-6);
    // The sum starts empty again after each evaluation.
    vexlo::ExponentialSum sum(points);
    sum.add(0.5, 1.0);
    std::vector<Complex> out;
    sum.evaluate(out);
    sum.evaluate(out);
    for (const Complex& v : out) EXPECT_LT(std::abs(v), 1e-15);
}

} // namespace
