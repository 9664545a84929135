#include "brisco/core/output_graph.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace brisco;

namespace {

SlotGains everywhere(float dBi) {
    SlotGains g;
    g.fill(dBi);
    return g;
}

ElevationStats column(int band, double percent) {
    ElevationStats s;
    for (int angle = 1; angle <= 35; ++angle) s.percent[angle][band] = percent;
    return s;
}

} // namespace

TEST(FigureOfMerit, WeighsPowerByTheShareOfArrivals) {
    // 100 % of arrivals, each at 10 dBi: a power ratio of 10 throughout.
    EXPECT_NEAR(FigureOfMerit(everywhere(10), column(4, 100.0 / 35), 4), 10.0, 1e-9);
    EXPECT_EQ(FigureOfMerit(everywhere(10), column(4, 0), 4), 0);
    EXPECT_EQ(FigureOfMerit(everywhere(10), column(3, 100.0 / 35), 4), 0); // another band

    // Only the whole degrees count: one share at 5 degrees, at 6 dBi.
    ElevationStats one;
    one.percent[5][2] = 50;
    SlotGains g = everywhere(-30);
    g[20] = 6;
    EXPECT_NEAR(FigureOfMerit(g, one, 2), 10 * std::log10(std::pow(10, 0.6) * 0.5), 1e-9);
}

TEST(FigureOfMerit, OnlyBandsWithStatisticsAreRated) {
    const ElevationStats twenty = column(4, 2.5);
    EXPECT_EQ(RatingColumn(twenty, 14.2, "S.PRN").value(), 4);
    EXPECT_EQ(RatingColumn(twenty, 7.1, "S.PRN").message(),
              "S.PRN holds no statistics for the band of 7.1 MHz: its column 2 is all zero. "
              "No figure of merit is given.");
    EXPECT_EQ(RatingColumn(column(8, 1), 28.4, "S.PRN").value(), 8);
    for (float beyond : {1.9f, 2.0f, 30.0f, 50.1f}) {
        common::Result<int> none = RatingColumn(column(8, 1), beyond, "S.PRN");
        ASSERT_FALSE(none.ok()) << beyond;
        EXPECT_NE(none.message().find("no statistics for"), std::string::npos);
        EXPECT_NE(none.message().find("80 m to 10 m"), std::string::npos);
    }
}

TEST(ResultsSection, LinesAsTheResultsFileHoldsThem) {
    SlotReport r;
    r.frequency = 14.2f;
    r.terrain = "FLAT.PRO";
    r.heights = "120/90*";
    r.type = "4-Ele.";
    r.gains = everywhere(-30);
    r.gains[4] = 0.5f;
    r.gains[8] = -0.3f;
    r.gains[12] = 12.25f;
    r.merit.emplace("HOPS.PRN", 0.0);
    std::vector<std::string> lines = SlotSection(r);
    ASSERT_EQ(lines.size(), 4u + 35u + 2u);
    EXPECT_EQ(lines[0], "\"14.2 MHz    Ants: 120/90* feet\"");
    EXPECT_EQ(lines[1], "\"Brisco: FLAT.PRO\"");
    EXPECT_EQ(lines[2], "\"Antenna: 4-Ele.\"");
    EXPECT_EQ(lines[3], "\"  Elev.\",\" Gain \"");
    EXPECT_EQ(lines[4], "1, .5");
    EXPECT_EQ(lines[5], "2, -.3");
    EXPECT_EQ(lines[6], "3, 12.3");
    EXPECT_EQ(lines[38], "35, -30.0");
    EXPECT_EQ(lines[39], "\"For HOPS.PRN: Figure of Merit = .0\"");
    EXPECT_EQ(lines[40], "");

    r.units = Units::Meters;
    r.merit.reset();
    r.terrain = "My \"best\" site.PRO";
    lines = SlotSection(r);
    EXPECT_EQ(lines[0], "\"14.2 MHz    Ants: 120/90* m\"");
    EXPECT_EQ(lines[1], "\"Brisco: My \"\"best\"\" site.PRO\"");
    EXPECT_EQ(lines.size(), 4u + 35u + 1u);
}

namespace {
GraphInputs twoSlots() {
    GraphInputs in;
    in.frequency = 14.2f;
    in.terrains[0] = {"FLAT.PRO", "100", "4-Ele.", everywhere(7.5f), 6.04};
    in.terrains[2] = {"RIDGE.PRO", "120/90", "Dipole", everywhere(3.0f), 1.96};
    in.terrains[2].gains[40] = 9.25f;
    return in;
}
} // namespace

TEST(OutputGraph, CurvesOfTheSlotsInUseUpTo34Degrees) {
    OutputGraph g = ShowOutputGraph(twoSlots());
    EXPECT_FLOAT_EQ(g.AngleX[0], 0);
    EXPECT_FLOAT_EQ(g.AngleX[136], 34);
    EXPECT_FLOAT_EQ(g.GraphGain[0][0], -30);
    EXPECT_FLOAT_EQ(g.GraphGain[0][1], 7.5f);
    EXPECT_FLOAT_EQ(g.GraphGain[1][1], -30); // slot 2 not in use
    EXPECT_FLOAT_EQ(g.GraphGain[2][40], 9.25f);
    EXPECT_DOUBLE_EQ(g.MaxGain, 9.25);
    EXPECT_DOUBLE_EQ(g.gainMax, 9.25);
    EXPECT_DOUBLE_EQ(g.gainMin, -10.75);
    EXPECT_EQ(g.texts.txtMaxGain, "9.3 dBi");
    EXPECT_EQ(g.texts.lblFreq, "Freq. = 14.2 MHz");
    EXPECT_EQ(g.texts.lblTerr3, "RIDGE.PRO");
    EXPECT_EQ(g.texts.lblHt3, "120/90 ft");
    EXPECT_EQ(g.texts.lblAntType3, "Dipole");
    EXPECT_EQ(g.texts.lblTerr2, "");
    EXPECT_EQ(g.texts.lblHt2, "");
    EXPECT_TRUE(g.statBars.empty());
    EXPECT_EQ(g.texts.lblFOM1, ""); // no statistics, no rating
}

TEST(OutputGraph, AngleAxisEnds) {
    GraphInputs in = twoSlots();
    for (auto [angle, end] : {std::pair{MaxAngle::Deg20, 20.0}, std::pair{MaxAngle::Deg25, 25.0},
                              std::pair{MaxAngle::Deg34, 34.0}, std::pair{MaxAngle::None, 34.0}}) {
        in.maxAngle = angle;
        EXPECT_DOUBLE_EQ(ShowOutputGraph(in).angleMax, end);
    }
}

TEST(OutputGraph, MaxGainNeverFallsBelowZero) {
    GraphInputs in;
    in.terrains[0] = {"DEEP.PRO", "10", "Dipole", everywhere(-4), 0};
    OutputGraph g = ShowOutputGraph(in);
    EXPECT_DOUBLE_EQ(g.MaxGain, 0);
    EXPECT_DOUBLE_EQ(g.gainMin, -20);
    EXPECT_DOUBLE_EQ(g.gainMax, 0);
    EXPECT_EQ(g.texts.txtMaxGain, ".0 dBi");
}

TEST(OutputGraph, StatisticsBarsAndFiguresOfMerit) {
    GraphInputs in = twoSlots();
    in.statsName = "HOPS.PRN";
    in.stats = column(4, 2.5);
    in.stats.percent[35][4] = 99; // beyond the axis
    in.column = 4;
    in.terrains[1] = {"ZERO.PRO", "0", "Dipole", everywhere(1), 0}; // in use, no antenna
    OutputGraph g = ShowOutputGraph(in);
    ASSERT_EQ(g.statBars.size(), 34u);
    EXPECT_EQ(g.statBars.front(), (std::pair<double, double>{1, 2.5}));
    EXPECT_EQ(g.statBars.back(), (std::pair<double, double>{34, 2.5}));
    EXPECT_EQ(g.texts.lblStatFile, "HOPS.PRN");
    EXPECT_EQ(g.texts.lblFOM1, "Fig. of Merit: 6.0");
    EXPECT_EQ(g.texts.lblFOM2, "");
    EXPECT_EQ(g.texts.lblFOM3, "Fig. of Merit: 2.0");
    EXPECT_EQ(g.texts.lblFOM4, "");
}

TEST(OutputGraph, CurvesGoByTheirProfileFiles) {
    EXPECT_EQ(CurveNames({"FLAT.PRO", "", "RIDGE.PRO", "FLAT.PRO"}),
              (std::array<std::string, SlotCount>{"FLAT.PRO (Slot 1)", "Slot 2", "RIDGE.PRO",
                                                  "FLAT.PRO (Slot 4)"}));
}
