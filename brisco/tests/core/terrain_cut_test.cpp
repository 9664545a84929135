#include "brisco/core/terrain_cut.h"

#include "elevation_tiles.h"

#include <gtest/gtest.h>

using namespace brisco;

TEST(TerrainCut, RatingNeedsStatisticsAndEveryBox) {
    fixtures::TestFolder folder;
    fixtures::WriteHgt(folder, "N51W001.hgt", 51, -1, 1201, [](double, double) { return 10.0; });
    TerrainCut cut(folder.file("out"));
    EXPECT_EQ(cut.texts().lblPlace, "Enter latitude,longitude or a locator.");
    EXPECT_EQ(cut.texts().lblAzimuths, "36 azimuths");
    EXPECT_EQ(cut.Cut().message(), "Choose the elevation data: a file or a folder of tiles.");
    cut.setDem(folder.path());
    EXPECT_EQ(cut.Cut().message(), "Enter the station's place: latitude,longitude or a locator.");
    cut.setQth("51.5, -0.5");
    cut.setLength("ten");
    EXPECT_EQ(cut.texts().lblPoints, "The length \"ten\" is not a number of feet.");
    EXPECT_FALSE(cut.Cut());
    cut.setLength("");
    cut.setSpacing("200");
    EXPECT_EQ(cut.texts().lblPoints, "150 points, one every 200.0 ft, out to 29800 ft");
    cut.setAzimuth("45");
    common::Result<std::vector<CutProfile>> profiles = cut.Cut();
    ASSERT_TRUE(profiles) << profiles.message();
    EXPECT_FLOAT_EQ(profiles.value()[0].points.back().second, float(10 / 0.3048));

    Assessment a(folder.path());
    const EngineSource engine = []() -> common::Result<TerrainEngine> {
        return TerrainEngine([](const EngineCall&, SlotGains& g) { g.fill(5); });
    };
    AzimuthRating r = cut.RateAll(a, engine);
    EXPECT_FALSE(r.computed);
    EXPECT_NE(r.messages.at(0).text.find("Choose an elevation statistics file"), std::string::npos);
}
