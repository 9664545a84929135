// The chart point sets and texts: axis maxima, titles, the pattern cuts and the
// logarithmic polar grid.
#include "qelt/core/charts.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace qelt;

namespace {

Sweep Rising(float topGain, float topRatio) {
    Sweep s{};
    for (int i = 0; i < SweepPoints; ++i) {
        const float step = static_cast<float>(i) / 10;
        s[i].frequency = 14 + 0.035f * static_cast<float>(i);
        s[i].gain = topGain - 1 + step;
        s[i].frontToRear = topRatio - 5 + 5 * step;
        s[i].frontToBack = topRatio - 10;
        s[i].swr = 1.5f;
    }
    return s;
}

// A pattern falling 1 dB per degree on both cuts, peaking at index `peak` over ground.
Pattern Falling(bool overGround, int peak = 1) {
    Pattern p;
    p.overGround = overGround;
    for (int i = 0; i < PatternPoints; ++i) {
        p.field.azimuth[i] = static_cast<float>(i);
        p.field.elevation[i] = static_cast<float>(std::abs(i + 1 - peak));
    }
    p.field.frequency = 21.225f;
    p.field.gain = 7.634f;
    p.field.frontToBack = 36.33f;
    p.field.frontToRear = 25.82f;
    p.field.takeoffIndex = static_cast<int16_t>(peak);
    p.elementBeamwidth = 64;
    p.normalBeamwidth = overGround ? 24 : 118;
    return p;
}

} // namespace

TEST(FrequencyChart, AxesTitlesAndCurves) {
    FrequencyChart c = MakeFrequencyChart(Rising(7.6f, 25.82f), Ratio::FrontToRear, {14, 14.35f});
    EXPECT_EQ(c.leftMaximum, 8) << "7.6 dBi: the integer part of 8.6";
    EXPECT_EQ(c.rightMaximum, 26);
    EXPECT_EQ(c.leftMinimum, 0);
    EXPECT_EQ(c.title, "Gain, F/R, SWR");
    EXPECT_EQ(c.rightTitle, "F/R (dB)");
    EXPECT_EQ(c.leftTitle, "Gain (dBi), SWR");
    EXPECT_EQ(c.bottomTitle, "MHz");
    EXPECT_FLOAT_EQ(c.bottomMinimum, 14);
    EXPECT_FLOAT_EQ(c.bottomMaximum, 14.35f);
    ASSERT_EQ(c.gain.x.size(), 11u);
    EXPECT_FLOAT_EQ(c.ratio.y[10], 25.82f);
    for (float v : c.swrTwoToOne.y) EXPECT_EQ(v, 2.0f);

    c = MakeFrequencyChart(Rising(7.6f, 25.82f), Ratio::FrontToBack, {14, 14.35f});
    EXPECT_EQ(c.title, "Gain, F/B, SWR");
    EXPECT_EQ(c.rightTitle, "F/B (dB)");
    EXPECT_EQ(c.rightMaximum, 16);
}

TEST(PatternTexts, FreeSpaceAndOverGround) {
    PatternTexts t = MakePatternTexts(Falling(false), Ratio::FrontToRear, "Free Space");
    EXPECT_EQ(t.title, "E/H-Plane, 21.225 MHz, Peak = 7.6 dBi");
    EXPECT_EQ(t.maxGain, "Max. Gain: 7.6 dBi");
    EXPECT_EQ(t.beamwidth1, "E BW: 64 Deg.");
    EXPECT_EQ(t.beamwidth2, "H BW: 118 Deg.");
    EXPECT_EQ(t.ratio, "F/R: 25.8 dB");
    EXPECT_EQ(t.height, "Free Space");
    EXPECT_EQ(t.peakAngle, "");

    t = MakePatternTexts(Falling(true, 22), Ratio::FrontToBack, "30.0 feet");
    EXPECT_EQ(t.title, "Azim./Elev., 21.225 MHz, Peak = 7.6 dBi");
    EXPECT_EQ(t.beamwidth1, "Az BW: 64 Deg.");
    EXPECT_EQ(t.beamwidth2, "El BW: 24 Deg.");
    EXPECT_EQ(t.ratio, "F/B: 36.3 dB");
    EXPECT_EQ(t.height, "Height: 30.0 feet");
    EXPECT_EQ(t.peakAngle, "Peak elev. angle: 22 deg.");
}

TEST(RectangularPattern, AnglesAndLevelsBelowThePeak) {
    RectangularPattern r = MakeRectangularPattern(Falling(false), 60);
    ASSERT_EQ(r.first.x.size(), 61u);
    EXPECT_EQ(r.first.x.back(), 60);
    EXPECT_EQ(r.first.y[0], 0);
    EXPECT_EQ(r.first.y[30], -30);
    EXPECT_EQ(r.second.y[60], -60);
    EXPECT_EQ(r.bottom, -40) << "the scale stops at 40 dB down";

    r = MakeRectangularPattern(Falling(false), 180);
    EXPECT_EQ(r.first.x.size(), 180u) << "0 to 179 degrees";

    // Over ground the elevation cut starts one degree up and peaks at its takeoff angle.
    r = MakeRectangularPattern(Falling(true, 22), 60);
    EXPECT_EQ(r.second.x.front(), 1);
    EXPECT_EQ(r.second.x.back(), 60);
    EXPECT_EQ(r.second.y[21], 0);
    EXPECT_EQ(r.second.x[21], 22);
}

TEST(PolarPlots, LinearRadiusAndCutsAllRound) {
    const PolarCuts free = MakeLinearPolar(Falling(false));
    ASSERT_EQ(free.elementPlane.x.size(), 360u) << "0 to 179 and 181 to 360 degrees";
    EXPECT_EQ(free.elementPlane.y[0], 100) << "the peak on radius 100";
    EXPECT_EQ(free.elementPlane.y[10], 90);
    EXPECT_EQ(free.elementPlane.x.back(), 360);
    EXPECT_EQ(free.elementPlane.y.back(), 100) << "the cut closes on forward";
    // Mirrored about the boom: 10 degrees either side read the same.
    EXPECT_EQ(free.elementPlane.x[349], 350);
    EXPECT_EQ(free.elementPlane.y[349], free.elementPlane.y[10]);
    EXPECT_EQ(free.elementPlane.y[179], 0) << "more than 100 dB down sits at the centre";

    const PolarCuts ground = MakeLinearPolar(Falling(true, 22));
    EXPECT_EQ(ground.normalPlane.x.size(), 180u) << "the upper half, 1 to 180 degrees";
    EXPECT_EQ(ground.normalPlane.y[21], 100);
}

TEST(PolarPlots, MorwenScaleShrinksByPoint89Per2dB) {
    EXPECT_NEAR(MorwenRadius(100), std::pow(0.89, -50), 1e-9);
    EXPECT_NEAR(MorwenRadius(98) / MorwenRadius(100), 0.89, 1e-12);
    EXPECT_NEAR(MorwenRadius(-2), 0.89, 1e-12);
    const PolarCuts cuts = MakeMorwenPolar(Falling(false));
    EXPECT_FLOAT_EQ(cuts.elementPlane.y[0], static_cast<float>(MorwenRadius(100)));
    EXPECT_FLOAT_EQ(cuts.elementPlane.y[6], static_cast<float>(MorwenRadius(94)));

    const std::vector<GridCircle> grid = MorwenGrid();
    const double dB[] = {0, -3, -6, -9, -12, -18, -24, -30, -40};
    ASSERT_EQ(grid.size(), 10u);
    for (std::size_t i = 0; i < grid.size(); ++i) {
        ASSERT_EQ(grid[i].circle.x.size(), 361u);
        EXPECT_EQ(grid[i].circle.x.front(), 0);
        EXPECT_EQ(grid[i].circle.x.back(), 360);
        const double expected = i < 9 ? MorwenRadius(100 + dB[i]) : 0.89;
        for (float r : grid[i].circle.y) EXPECT_FLOAT_EQ(r, static_cast<float>(expected));
    }
}

// The left axis takes in the SWR as well as the gain; above 10:1 the curve leaves the
// chart at the top, marked there, and comes back where the SWR falls below it.
TEST(FrequencyChart, SwrKeptOnTheChartAndMarkedWhereItLeaves) {
    Sweep s = Rising(4.2f, 20);
    const float swr[] = {14, 12.8f, 8, 4, 2, 1.2f, 2, 4, 8, 9.5f, 11};
    for (int i = 0; i < SweepPoints; ++i) s[i].swr = swr[i];
    const FrequencyChart c = MakeFrequencyChart(s, Ratio::FrontToRear, {14, 14.35f});
    EXPECT_EQ(c.leftMaximum, 11) << "the top of the SWR drawn, 10, with room for its marks";
    for (float v : c.swr.y)
        if (!std::isnan(v)) {
            EXPECT_LE(v, SwrChartTop);
        }
    // Start above the top (a break), enter between points 1 and 2, leave between 9 and 10.
    ASSERT_TRUE(std::isnan(c.swr.y.front()));
    EXPECT_FLOAT_EQ(c.swr.y[1], 10);
    EXPECT_NEAR(c.swr.x[1], 14.035f + 0.035f * (12.8f - 10) / (12.8f - 8), 1e-5);
    EXPECT_TRUE(std::isnan(c.swr.y.back()));
    ASSERT_EQ(c.swrOffChart.x.size(), 4u) << "the band's ends above the top and both crossings";
    EXPECT_FLOAT_EQ(c.swrOffChart.x.front(), 14);
    EXPECT_NEAR(c.swrOffChart.x[2], 14.315f + 0.035f * (10 - 9.5f) / (11 - 9.5f), 1e-5);
    EXPECT_FLOAT_EQ(c.swrOffChart.x.back(), s[10].frequency);
    for (float y : c.swrOffChart.y) EXPECT_EQ(y, SwrChartTop);

    // A low gain still shows the whole SWR curve and the 2:1 line; no marks below the top.
    for (int i = 0; i < SweepPoints; ++i) {
        s[i].gain = -3;
        s[i].swr = 2.6f;
    }
    const FrequencyChart low = MakeFrequencyChart(s, Ratio::FrontToRear, {14, 14.35f});
    EXPECT_EQ(low.leftMaximum, 3);
    EXPECT_EQ(low.leftMinimum, -3);
    EXPECT_TRUE(low.swrOffChart.x.empty());
    EXPECT_EQ(low.swr.y.size(), 11u);
}

TEST(FrequencyChart, BottomAxisCoversTheFrequenciesSwept) {
    const FrequencyChart c = MakeFrequencyChart(Rising(7, 20), Ratio::FrontToRear, {14.1f, 14.2f});
    EXPECT_FLOAT_EQ(c.bottomMinimum, 14);
    EXPECT_FLOAT_EQ(c.bottomMaximum, 14.35f);
}
