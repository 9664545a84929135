#include "brisco/core/azimuth_rating.h"

#include "test_folder.h"

#include <gtest/gtest.h>

using namespace brisco;

namespace {

// A made-up engine: the first antenna's height over ten, less a dB for every 10 ft the
// last point of the profile rises over the first; strongest at 5 degrees.
EngineSource madeUp(std::vector<EngineCall>* calls = nullptr) {
    return [calls]() -> common::Result<TerrainEngine> {
        return TerrainEngine([calls](const EngineCall& c, SlotGains& gains) {
            if (calls) calls->push_back(c);
            const int n = c.profile.pointCount();
            const float rise = c.profile.Elevation[n] - c.profile.Elevation[1];
            for (int k = 1; k <= GainCount; ++k)
                gains[k] = c.stack.AntennaHeight[0] / 10 - rise / 10 - (k == 20 ? 0 : 1);
        });
    };
}

CutProfile rising(double azimuth, float rise) {
    CutProfile p;
    p.azimuth = azimuth;
    p.points = {{0, 300}, {500, 300 + rise / 2}, {1000, 300 + rise}};
    return p;
}

} // namespace

TEST(AzimuthRating, EveryStackAtEveryAzimuthAgainstFlatGround) {
    fixtures::TestFolder folder;
    Assessment a(folder.path());
    a.chooseTerrain(0, folder.write("KEPT.PRO", "0 0\n100 0\n"));
    std::array<HeightsColumn, SlotCount> columns{
        {{"4-Ele.", "100"}, {"", ""}, {"Dipole", "50/30*"}, {"", ""}}};
    a.applyHeights(columns);
    ASSERT_EQ(a.chooseStatistics(folder.write("S.PRN", fixtures::StatsFile(4, 100.0 / 35)))
                  .messages.size(),
              0u);

    std::vector<EngineCall> calls;
    AzimuthRating r =
        RateAzimuths(a, {rising(0, 0), rising(90, 20), rising(180, -30)}, madeUp(&calls));
    ASSERT_TRUE(r.computed);
    EXPECT_EQ(r.stack, (std::array<bool, SlotCount>{true, false, true, false}));
    // Flat ground first, then each azimuth; two stacks a computation; the main window's
    // own terrain is not read.
    ASSERT_EQ(calls.size(), 8u);
    EXPECT_EQ(calls[0].profile.pointCount(), 2);
    EXPECT_FLOAT_EQ(calls[0].profile.Distance[2], 1000);
    EXPECT_FLOAT_EQ(calls[0].profile.Elevation[2], 300);
    EXPECT_EQ(calls[3].AntennaType, 1);
    EXPECT_EQ(calls[3].stack.Phase[1], -1);
    EXPECT_FLOAT_EQ(calls[4].profile.Elevation[3], 320);

    ASSERT_EQ(r.rows.size(), 3u);
    EXPECT_DOUBLE_EQ(r.rows[1].azimuth, 90);
    EXPECT_FLOAT_EQ(r.flat[0].maxGain, 10);
    EXPECT_FLOAT_EQ(r.flat[0].peakAngle, 5);
    EXPECT_FLOAT_EQ(r.rows[1].stacks[0].maxGain, 8);
    EXPECT_FLOAT_EQ(r.rows[2].stacks[2].maxGain, 8);
    // One degree at the peak, 1 dB below it elsewhere, each degree 2.9 % of the arrivals.
    const double flat = 10 * std::log10(0.029 * (std::pow(10.0, 1.0) + 34 * std::pow(10.0, 0.9)));
    EXPECT_NEAR(*r.flat[0].merit, flat, 1e-6);
    EXPECT_NEAR(*r.rows[1].stacks[0].merit, flat - 2, 1e-6);

    std::vector<std::string> csv = AzimuthRatingCsv(r);
    ASSERT_EQ(csv.size(), 4u);
    EXPECT_EQ(csv[0], "Azimuth,FigureOfMerit,MaxGainDBi,PeakAngle,FigureOfMerit 3,MaxGainDBi 3,"
                      "PeakAngle 3");
    EXPECT_EQ(csv[2].substr(0, 3), "90,");
    EXPECT_NE(csv[2].find(",8.00,5,"), std::string::npos) << csv[2];
    EXPECT_EQ(StackName(a, 2), "3: 50/30* ft Dipole");
}

TEST(AzimuthRating, AStopOrABandWithoutStatisticsIsSaid) {
    fixtures::TestFolder folder;
    Assessment a(folder.path());
    std::array<HeightsColumn, SlotCount> columns{{{"4-Ele.", "100"}, {}, {}, {}}};
    a.applyHeights(columns);
    // No statistics: rated all the same, without a figure of merit.
    AzimuthRating r = RateAzimuths(a, {rising(45, 10)}, madeUp());
    ASSERT_TRUE(r.computed);
    EXPECT_FALSE(r.rows[0].stacks[0].merit);
    EXPECT_EQ(AzimuthRatingCsv(r)[1], "45,,9.00,5");
    // A frequency the engine does not compute stops it with the window's message.
    a.setFrequency("400");
    r = RateAzimuths(a, {rising(45, 10)}, madeUp());
    EXPECT_FALSE(r.computed);
    ASSERT_FALSE(r.messages.empty());
    EXPECT_NE(r.messages[0].text.find("above 300 MHz"), std::string::npos);
    EXPECT_FALSE(RateAzimuths(a, {}, madeUp()).computed);
}
