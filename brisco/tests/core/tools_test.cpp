#include "brisco/core/heights_editor.h"
#include "brisco/core/move_tower.h"
#include "brisco/core/terrain_plot.h"

#include "test_folder.h"

#include <gtest/gtest.h>

using namespace brisco;
using brisco::fixtures::TestFolder;

TEST(MoveTower, TheNewBaseStandsOnLevelGround) {
    TerrainProfile p = ParseTerrainProfile({"0 500", "50 505", "90 530"}).value().profile;
    EXPECT_EQ(MovedProfile(p, 100), (std::vector<std::string>{".0  500.0", "100.0  500.0",
                                                              "150.0  505.0", "190.0  530.0"}));
    // -50 m: turned round, and 164.04 ft behind the old base.
    MoveDistance m = ReadMoveDistance("-50");
    EXPECT_EQ(m.message, NegativeMove);
    EXPECT_EQ(m.boxText, "50");
    std::vector<std::string> metres = MovedProfile(p, m.distance / 0.3048);
    EXPECT_EQ(metres[1], "164.0  500.0");
    EXPECT_EQ(metres[2], "214.0  505.0");
}

TEST(MoveTower, DistancesAndNames) {
    MoveDistance zero = ReadMoveDistance("0");
    EXPECT_DOUBLE_EQ(zero.distance, 0.1);
    EXPECT_EQ(zero.boxText, "0.1");
    EXPECT_FALSE(zero.message.has_value());
    EXPECT_DOUBLE_EQ(ReadMoveDistance("12,5").distance, 12.5);
    EXPECT_FALSE(ReadMoveDistance("1E999").usable);
    EXPECT_EQ(SuggestedMoveName("/sites/RIDGE.PRO"), "/sites/RIDGE-1.PRO");
    EXPECT_EQ(SuggestedMoveName("A"), "-1.PRO");
}

TEST(MoveTower, TheMovedProfileGoesIntoSlotTwoWithSlotOnesAntennas) {
    TestFolder folder;
    Assessment a(folder.path());
    a.chooseTerrain(0, folder.write("RIDGE.PRO", "0 500\n"));
    a.applyHeights({{{"Dipole", "70/35*"}, {"5-Ele.", "20"}, {}, {}}});
    a.placeMovedProfile(folder.file("RIDGE-1.PRO"));
    EXPECT_EQ(a.terrain(1), "RIDGE-1.PRO");
    EXPECT_EQ(a.path(1), folder.file("RIDGE-1.PRO"));
    EXPECT_EQ(a.heights(1), "70/35*");
    EXPECT_EQ(a.type(1), "Dipole");
    EXPECT_EQ(a.slotLabel(1), "RIDGE-1.PRO");
}

namespace {
Assessment withTwoSlots(const TestFolder& folder) {
    Assessment a(folder.path());
    a.chooseTerrain(0, folder.write("FLAT.PRO", "0 500\n100 500\n"));
    a.chooseTerrain(2, folder.write("HILL.PRO", "0 100\n100 110\n"));
    a.applyHeights({{{"4-Ele.", "120/90*"}, {}, {"Dipole", "60"}, {}}});
    return a;
}
} // namespace

TEST(HeightsEditor, FilledFromTheSlots) {
    TestFolder folder;
    HeightsEditor e;
    e.fill(withTwoSlots(folder));
    EXPECT_EQ(e.texts().txtHt11, "120");
    EXPECT_EQ(e.texts().txtHt21, "90*");
    EXPECT_EQ(e.texts().txtHt31, "0");
    EXPECT_EQ(e.texts().txtHt13, "60");
    EXPECT_EQ(e.texts().lblTerrain3, "HILL.PRO");
    EXPECT_EQ(e.type(0), 3);
    EXPECT_EQ(e.type(1), -1);
    EXPECT_EQ(TypeListItem(0), " Dipole");
}

TEST(HeightsEditor, CopyFromOneColumnToAnother) {
    TestFolder folder;
    HeightsEditor e;
    e.fill(withTwoSlots(folder));
    e.copy(0);
    EXPECT_FALSE(e.copyEnabled(0));
    EXPECT_EQ(e.texts().cmdCopy3, "to");
    e.setCell(0, 0, "999"); // an edit after "from" does not change what is copied
    e.copy(2);
    EXPECT_EQ(e.texts().txtHt13, "120");
    EXPECT_EQ(e.texts().txtHt23, "90*");
    EXPECT_EQ(e.type(2), 3);
    for (int c = 0; c < 4; ++c) EXPECT_EQ(e.texts().*CopyButtonOf(c), "Copy");
    EXPECT_TRUE(e.copyEnabled(0));
}

TEST(HeightsEditor, OkBuildsEachHeightsText) {
    TestFolder folder;
    Assessment a = withTwoSlots(folder);
    HeightsEditor e;
    e.fill(a);
    e.setCell(0, 1, "120 ft");
    e.setCell(1, 1, "90 ft*");
    e.setCell(2, 1, "0");
    e.setCell(3, 1, "60");
    e.setType(1, 6);
    a.applyHeights(e.columns());
    EXPECT_EQ(a.heights(1), "120/90*");
    EXPECT_EQ(a.type(1), "8-Ele.");
    EXPECT_EQ(a.typeCode(1), 7);
    EXPECT_EQ(a.heights(0), "120/90*");
    EXPECT_EQ(a.type(3), ""); // no type chosen: the code stays
    EXPECT_EQ(a.typeCode(3), 0);
}

TEST(TerrainPlot, TickedProfilesWithTheirAntennas) {
    TestFolder folder;
    Assessment a = withTwoSlots(folder);
    a.setPlotted(2, true);
    a.setPlotted(3, true); // ticked, but no profile there
    a.setShowAntennas(true);
    TerrainPlot plot = PlotTerrain(a);
    EXPECT_TRUE(plot.messages.empty());
    EXPECT_EQ(plot.leftTitle, "Height, feet ASL");
    EXPECT_EQ(plot.bottomTitle, "Distance from Tower Base, Feet");
    ASSERT_TRUE(plot.curves[0].has_value());
    EXPECT_EQ(plot.curves[0]->x, (std::vector<double>{0, 0, 100}));
    EXPECT_EQ(plot.curves[0]->y, (std::vector<double>{500, 500, 500}));
    EXPECT_EQ(plot.curves[0]->antennas,
              (std::vector<std::pair<double, double>>{{0, 620}, {0, 590}}));
    EXPECT_FALSE(plot.curves[1].has_value());
    EXPECT_FALSE(plot.curves[3].has_value());
    EXPECT_EQ(plot.texts.lblHt1, "120/90* ft");
    EXPECT_EQ(plot.texts.lblTerr3, "HILL.PRO");

    Options metres;
    metres.units = Units::Meters;
    a.applyOptions(metres);
    a.setShowAntennas(false);
    plot = PlotTerrain(a);
    EXPECT_EQ(plot.leftTitle, "Height, meters ASL");
    EXPECT_NEAR(plot.curves[2]->y[2], 110 * 0.3048, 1e-9);
    EXPECT_TRUE(plot.curves[2]->antennas.empty());
    EXPECT_EQ(plot.texts.lblHt3, "18.3 m");
}
