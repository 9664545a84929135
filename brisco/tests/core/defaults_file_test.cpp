#include "brisco/core/defaults_file.h"

#include <gtest/gtest.h>

using namespace brisco;

TEST(VexloDefaults, StartUpAndClearedFiles) {
    std::vector<std::string> fallback = FallbackDefaultsLines();
    ASSERT_EQ(fallback.size(), 22u);
    EXPECT_EQ(std::vector<std::string>(fallback.begin(), fallback.begin() + 9),
              (std::vector<std::string>{"feet", "14.2", "1296;1296:5976,8472", "24;36:6672,8472",
                                        "3948;3060:5736,8316", "4,0,0,0", "", "", "100"}));
    for (size_t i = 9; i < fallback.size(); ++i) EXPECT_EQ(fallback[i], "");

    std::vector<std::string> cleared = ClearedDefaultsLines();
    ASSERT_EQ(cleared.size(), 20u);
    EXPECT_EQ(cleared[5], "4,0,0,0");
    for (size_t i = 6; i < cleared.size(); ++i) EXPECT_EQ(cleared[i], "");
}

TEST(VexloDefaults, WrittenAndReadBack) {
    VexloDefaults d;
    d.units = Units::Meters;
    d.frequency = 21.25f;
    d.main = {1500, 600, 7000, 9000};
    d.typeCodes = {1, 7, 0, 3};
    d.terrains[0] = {"/sites/FLAT.PRO", "FLAT.PRO", "30/20*"};
    d.terrains[1] = {"/sites/RIDGE.PRO", "RIDGE.PRO", "36.6"};
    d.terrains[3] = {"/sites/VALLEY.PRO", "VALLEY.PRO", "12"};
    d.statsPath = "/stats/HOPS.PRN";
    d.statsName = "HOPS.PRN";
    std::vector<std::string> lines = FormatVexloDefaults(d);
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines[0], "meters");
    EXPECT_EQ(lines[1], "21.3 MHz");
    EXPECT_EQ(lines[2], "1500;600:7000,9000");
    EXPECT_EQ(lines[5], "1,7,0,3");
    // Slot 3 is empty: three empty lines.
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 12, lines.begin() + 15),
              (std::vector<std::string>{"", "", ""}));

    VexloDefaults back = ParseVexloDefaults(lines);
    EXPECT_EQ(back.units, Units::Meters);
    EXPECT_NEAR(back.frequency, 21.3, 1e-5);
    EXPECT_EQ(back.main.left, 1500);
    EXPECT_EQ(back.typeCodes, d.typeCodes);
    EXPECT_EQ(back.terrains[0].heights, "30/20*");
    EXPECT_EQ(back.terrains[2].path, "");
    EXPECT_EQ(back.terrains[3].name, "VALLEY.PRO");
    EXPECT_EQ(back.statsName, "HOPS.PRN");
}

TEST(VexloDefaults, OnlyTheExactUnitWordsChangeTheUnits) {
    VexloDefaults metres;
    metres.units = Units::Meters;
    EXPECT_EQ(ParseVexloDefaults({"Meters"}).units, Units::Feet);
    EXPECT_EQ(ParseVexloDefaults({"Meters"}, metres).units, Units::Meters);
    EXPECT_EQ(ParseVexloDefaults({"meters"}).units, Units::Meters);
    EXPECT_EQ(ParseVexloDefaults({"feet"}, metres).units, Units::Feet);
}

TEST(VexloDefaults, DamagedOrMissingLinesKeepTheirDefaults) {
    VexloDefaults d = ParseVexloDefaults({"feet", "7,1 MHz", "garbage", "1;2", "5;6:7,8", "9,x"});
    EXPECT_NEAR(d.frequency, 7, 1e-6); // the leading number of the line, as Val reads it
    EXPECT_EQ(d.main.left, 1296);
    EXPECT_EQ(d.graph.left, 24);
    EXPECT_EQ(d.plot.left, 5);
    EXPECT_EQ(*d.plot.width, 8);
    EXPECT_EQ(d.typeCodes, (std::array<std::int16_t, 4>{0, 0, 0, 0}));
    EXPECT_EQ(d.terrains[0].heights, "100"); // not in the file: the start-up value

    // A comma without the ";" or ":" before it gives no size to take: the line is damaged.
    VexloDefaults sizeless = ParseVexloDefaults({"feet", "14.2", "1296,8472", "5;6,7", "5;6:0,0"});
    EXPECT_EQ(sizeless.main.left, 1296);
    EXPECT_EQ(*sizeless.main.height, 5976);
    EXPECT_EQ(sizeless.graph.left, 24);
    EXPECT_EQ(*sizeless.graph.height, 6672);
    EXPECT_EQ(sizeless.plot.left, 3948);

    EXPECT_NEAR(ParseVexloDefaults({"feet", "0"}).frequency, 14.2, 1e-6);
    EXPECT_NEAR(ParseVexloDefaults({"feet", "3.8 MHz"}).frequency, 3.8, 1e-6);
    std::vector<std::string> noise(30, std::string(300, '\x7f'));
    EXPECT_NO_FATAL_FAILURE(ParseVexloDefaults(noise));
}

TEST(VexloDefaults, WindowsOffTheScreenAreKeptAtTheirDefaults) {
    const common::Placement fallback{24, 36, 6672, 8472};
    EXPECT_EQ(KeptPlacement({300, 45, 6000, 9000}, fallback, 1920 * 15).left, 300);
    EXPECT_EQ(KeptPlacement({-150, 45, 6000, 9000}, fallback, 1920 * 15).left, 24);
    EXPECT_EQ(KeptPlacement({0, 45, 6000, 9000}, fallback, 1920 * 15).left, 24);
    EXPECT_EQ(KeptPlacement({300, 45, 6000, 30000}, fallback, 1920 * 15).left, 24);
    EXPECT_EQ(PlacementLine(fallback), "24;36:6672,8472");
}
