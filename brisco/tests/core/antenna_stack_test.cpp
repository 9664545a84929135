#include "brisco/core/antenna_stack.h"

#include <gtest/gtest.h>

using namespace brisco;

namespace {
AntennaStack parsed(std::string_view text, Units units = Units::Feet) {
    common::Result<AntennaStack> r = ParseHeights(text, units);
    EXPECT_TRUE(r.ok()) << text;
    return r.ok() ? r.value() : AntennaStack{};
}
} // namespace

TEST(ParseHeights, SlashesSeparateAntennasAndStarsTurnPhase) {
    AntennaStack two = parsed("120/90*");
    EXPECT_EQ(two.AntennaHeight, (std::array<float, 4>{120, 90, 0, 0}));
    EXPECT_EQ(two.Phase, (std::array<std::int16_t, 4>{1, -1, 1, 1}));

    AntennaStack four = parsed("120*/90/60*/30");
    EXPECT_EQ(four.AntennaHeight, (std::array<float, 4>{120, 90, 60, 30}));
    EXPECT_EQ(four.Phase, (std::array<std::int16_t, 4>{-1, 1, -1, 1}));

    // A lone antenna has nothing to be out of phase with.
    EXPECT_EQ(parsed("90*").Phase, (std::array<std::int16_t, 4>{1, 1, 1, 1}));
    EXPECT_FLOAT_EQ(parsed("30,5").AntennaHeight[0], 30.5f);
    EXPECT_FLOAT_EQ(parsed("").AntennaHeight[0], 0);
}

TEST(ParseHeights, MetresAreHeldInFeet) {
    EXPECT_NEAR(parsed("30", Units::Meters).AntennaHeight[0], 98.425, 0.001);
    EXPECT_FLOAT_EQ(parsed("30", Units::Meters).AntennaHeight[0], 30.0f / 0.3048f);
}

TEST(ParseHeights, MoreThanFourAntennasAreRefused) {
    common::Result<AntennaStack> five = ParseHeights("1/2/3/4/5", Units::Feet);
    ASSERT_FALSE(five.ok());
    EXPECT_NE(five.message().find("1/2/3/4/5"), std::string::npos);
    EXPECT_FALSE(ParseHeights("1/2/3/4/5/6", Units::Feet).ok());
}

TEST(HeightsTexts, CellsAreCleanedAndJoinedUpToTheFirstGap) {
    EXPECT_EQ(RemoveBlank("90 ft*"), "90*");
    EXPECT_EQ(RemoveBlank(" 1-2/3,5 m"), "123,5")
        << "a decimal comma is kept, not read as 10 times";
    EXPECT_EQ(HeightsText({"120", "90", "0", "60"}), "120/90");
    EXPECT_EQ(HeightsText({"120", "90*", "60", "30"}), "120/90*/60/30");
    EXPECT_EQ(HeightsText({"0", "90", "60", "30"}), "");
    EXPECT_EQ(HeightsText({"", "", "", ""}), "");
}

TEST(HeightsTexts, DialogCellsInFeetOrMetres) {
    EXPECT_EQ(HeightCell(120, 1, Units::Feet), "120");
    EXPECT_EQ(HeightCell(90, -1, Units::Feet), "90*");
    EXPECT_EQ(HeightCell(0, 1, Units::Feet), "0");
    EXPECT_EQ(HeightCell(100, 1, Units::Meters), "30.5");
    EXPECT_EQ(HeightCell(0, 1, Units::Meters), "0.0");
}

TEST(HeightsTexts, UnitSwitchRewritesHeightsAndKeepsPhases) {
    EXPECT_EQ(ConvertedHeightsText(parsed("100/70"), Units::Meters), "30.5/21.3");
    EXPECT_EQ(ConvertedHeightsText(parsed("30.5/21.3", Units::Meters), Units::Feet), "100/70");
    EXPECT_EQ(ConvertedHeightsText(parsed("120/90*"), Units::Meters), "36.6/27.4*");
    EXPECT_EQ(ConvertedHeightsText(parsed(""), Units::Meters), "");
}

TEST(AntennaTypes, NamesAndCodes) {
    EXPECT_EQ(TypeName(1), "Dipole");
    EXPECT_EQ(TypeName(7), "8-Ele.");
    EXPECT_EQ(TypeName(0), "");
    EXPECT_EQ(TypeCode(" 4-Ele."), 4);
    EXPECT_EQ(TypeCode("8-Ele."), 7);
    EXPECT_FALSE(TypeCode("7-Ele.").has_value());
    EXPECT_EQ(EngineType(0), 4);
    EXPECT_EQ(EngineType(1), 1);
}
