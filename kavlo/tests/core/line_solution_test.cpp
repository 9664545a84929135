#include "kavlo/core/line_solution.h"

#include <cmath>
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
    EXPECT_NEAR(s.swrFar, 1, 1e-6);
    EXPECT_NEAR(s.swrNear, 1, 1e-6);
    EXPECT_NEAR(s.totalLoss, 2.5, 1e-6);
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
