#include "common/impedance.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace common;

TEST(SeriesParallel, ConvertsBothWaysAndGuardsZeros) {
    ImpedancePair p = SeriesToParallel(50, 50);
    EXPECT_DOUBLE_EQ(p.first, 100);
    EXPECT_DOUBLE_EQ(p.second, 100);
    ImpedancePair s = ParallelToSeries(p.first, p.second);
    EXPECT_NEAR(s.first, 50, 1e-12);
    EXPECT_NEAR(s.second, 50, 1e-12);

    EXPECT_DOUBLE_EQ(SeriesToParallel(50, 0).second, 10000000);
    EXPECT_DOUBLE_EQ(SeriesToParallel(0, 0).first, 0);
    EXPECT_DOUBLE_EQ(SeriesToParallel(-50, 50).first, 100); // Rp is a magnitude
}

TEST(PhaseAngle, QuadrantsAndAxes) {
    const double pi = 3.141592653589793;
    EXPECT_DOUBLE_EQ(PhaseAngle(1, 1), pi / 4);
    EXPECT_DOUBLE_EQ(PhaseAngle(-1, 1), 3 * pi / 4);
    EXPECT_DOUBLE_EQ(PhaseAngle(-1, -1), -3 * pi / 4);
    EXPECT_DOUBLE_EQ(PhaseAngle(1, -1), -pi / 4);
    EXPECT_DOUBLE_EQ(PhaseAngle(0, 2), pi / 2);
    EXPECT_DOUBLE_EQ(PhaseAngle(0, -2), -pi / 2);
    EXPECT_DOUBLE_EQ(PhaseAngle(0, 0), 0);
    EXPECT_DOUBLE_EQ(PhaseAngle(-5, 0), -pi);
    EXPECT_NEAR(ToDegrees(PhaseAngle(0, 1)), 90, 1e-5);
}
