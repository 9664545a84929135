#include "kavlo/core/line_solution.h"

#include "kavlo/core/calculator.h"

#include <cmath>
#include <complex>
#include <gtest/gtest.h>

using namespace kavlo;

namespace {
LineDescription rg213At14() {
    LineDescription line;
    DescribeLine(line, 17, 14, {});
    return line;
}
} // namespace

TEST(CalcZ, Rg213At14MHzWithA50OhmLoad) {
    LineDescription line = rg213At14();
    double ml = line.atten * 100 / 100;
    LineSolution s = CalcZ(line, ml, 100, 0, 50, 0, KnownEnd::Load, 1500);
    EXPECT_NEAR(s.rhoNear, 0.0033, 0.0002);
    EXPECT_NEAR(s.swrNear, 1.01, 0.005);
    EXPECT_NEAR(s.totalLoss, 0.780, 0.0005);
}

TEST(CalcZ, MatchedLoadSeesZ0EverywhereAndNoExtraLoss) {
    LineDescription line = rg213At14();
    LineSolution s = CalcZ(line, 2.5, 300, 0, line.r0, line.x0, KnownEnd::Load, 100);
    EXPECT_NEAR(s.rFar, line.r0, 1e-4);
    EXPECT_NEAR(s.xFar, line.x0, 1e-4);
    EXPECT_NEAR(s.totalLoss, 2.5, 1e-6);
    // No power is reflected from the conjugate of Z0.
    LineSolution conjugate = CalcZ(line, 2.5, 300, 0, line.r0, -line.x0, KnownEnd::Load, 100);
    EXPECT_NEAR(conjugate.swrNear, 1, 1e-6);
}

TEST(CalcZ, InputImpedanceCarriedBackGivesTheLoad) {
    LineDescription line = rg213At14();
    LineSolution forward = CalcZ(line, 1.3, 170, 0, 25, -40, KnownEnd::Load, 100);
    LineSolution back = CalcZ(line, 1.3, 170, 0, forward.rFar, forward.xFar, KnownEnd::Input, 100);
    EXPECT_NEAR(back.rFar, 25, 1e-6);
    EXPECT_NEAR(back.xFar, -40, 1e-6);
    EXPECT_NEAR(back.totalLoss, forward.totalLoss, 1e-9);
}

TEST(CalcZ, HalfWavelengthOnANearlyLosslessLineReturnsTheLoad) {
    LineDescription line = rg213At14();
    LineSolution s = CalcZ(line, 1e-6, line.wavelength / 2, 0, 120, 35, KnownEnd::Load, 100);
    EXPECT_NEAR(s.rFar, 120, 0.02);
    EXPECT_NEAR(s.xFar, 35, 0.02);
}

TEST(CalcZ, ShortsAndZeroPowerStayFinite) {
    LineDescription line = rg213At14();
    LineSolution shorted = CalcZ(line, 0.78, 100, 0, 0, 0, KnownEnd::Load, 1500);
    EXPECT_GT(shorted.swrNear, 1e5);
    EXPECT_TRUE(std::isfinite(shorted.totalLoss));
    EXPECT_GT(shorted.totalLoss, 0.78);

    LineSolution noPower = CalcZ(line, 0.78, 100, 40, 50, 20, KnownEnd::Load, 0);
    EXPECT_EQ(noPower.vMag, 0);
    EXPECT_EQ(noPower.iMag, 0);

    LineSolution zeroLength = CalcZ(line, 0, 0, 0, 50, 0, KnownEnd::Load, 100);
    EXPECT_TRUE(std::isfinite(zeroLength.iMag));
}

TEST(CalcZ, VoltageAndCurrentAtTheInputFollowTheInputImpedance) {
    LineDescription line = rg213At14();
    LineSolution s = CalcZ(line, 0.78, 100, 0, 50, 0, KnownEnd::Load, 100);
    // At the input, V^2 / Rp is the power and V / I is |Zin|.
    EXPECT_NEAR(s.vMag, std::sqrt(100 * (s.rFar * s.rFar + s.xFar * s.xFar) / s.rFar), 1e-6);
    EXPECT_NEAR(s.vMag / s.iMag, std::hypot(s.rFar, s.xFar), 1e-6);
    // A matched line loses voltage along it as the matched loss says.
    LineSolution far = CalcZ(line, 0.78, 100, 100, line.r0, line.x0, KnownEnd::Load, 100);
    LineSolution near = CalcZ(line, 0.78, 100, 0, line.r0, line.x0, KnownEnd::Load, 100);
    EXPECT_NEAR(20 * std::log10(near.vMag / far.vMag), 0.78, 1e-4);
}

namespace {
// Power into the input over power into the load, from the line's own ABCD matrix.
double abcdLossDb(const LineDescription& line, double matchedLoss, double lengthFt,
                  std::complex<double> load) {
    const std::complex<double> z0(line.r0, line.x0);
    const std::complex<double> gammaL(matchedLoss * std::log(10.0) / 20,
                                      2 * 3.14159265358979323846 / line.wavelength * lengthFt);
    const std::complex<double> a = std::cosh(gammaL), b = z0 * std::sinh(gammaL),
                               c = std::sinh(gammaL) / z0;
    const std::complex<double> vIn = a * load + b, iIn = c * load + a; // 1 A into the load
    return 10 * std::log10((vIn * std::conj(iIn)).real() / load.real());
}
} // namespace

TEST(CalcZ, TotalLossIsThePowerRatioOnLossyLinesWithReactiveLoads) {
    struct Case {
        int cable;
        const char *r, *x, *shown;
    };
    // RG-174, RG-58A and 450-ohm window line, 100 ft at 1.8 MHz.
    for (const Case& c : {Case{16, "5.65", "43.27", "3.977"}, Case{11, "10", "50", "1.180"},
                          Case{30, "20", "-500", "2.829"}}) {
        Calculator calc;
        calc.setCable(c.cable);
        calc.setFrequency("1.8");
        calc.setLength("100");
        calc.setResistance(c.r);
        calc.setReactance(c.x);
        EXPECT_EQ(calc.displays().txtTotalLoss, c.shown) << c.cable;
        LineDescription line;
        DescribeLine(line, c.cable, 1.8, {});
        const LineSolution& s = calc.solution();
        const std::complex<double> load(std::stod(c.r), std::stod(c.x));
        EXPECT_NEAR(s.totalLoss, abcdLossDb(line, calc.matchedLoss(), 100, load), 1e-6);
        LineSolution back =
            CalcZ(line, calc.matchedLoss(), 100, 0, s.rFar, s.xFar, KnownEnd::Input, 100);
        EXPECT_NEAR(back.totalLoss, s.totalLoss, 1e-6) << c.cable;
    }
}

TEST(CalcZ, PassiveLoadsReflectLessThanAllAtBothEnds) {
    for (int cable : {11, 16, 30}) {
        LineDescription line;
        DescribeLine(line, cable, 1.8, {});
        for (double r : {0.5, 5.0, 50.0, 600.0})
            for (double x : {-2000.0, -500.0, -5.0, 0.0, 43.0, 900.0}) {
                LineSolution s = CalcZ(line, line.atten, 100, 0, r, x, KnownEnd::Load, 100);
                EXPECT_LT(s.rhoNear, 1) << cable << " " << r << " " << x;
                EXPECT_GE(s.swrNear, 1);
                EXPECT_GE(s.swrFar, 1);
                EXPECT_TRUE(std::isfinite(s.swrFar));
            }
    }
}
