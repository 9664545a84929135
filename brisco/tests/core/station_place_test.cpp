#include "brisco/core/station_place.h"

#include <gtest/gtest.h>

using namespace brisco;

namespace {

void expectPlace(const std::string& text, double latitude, double longitude) {
    common::Result<Place> p = ReadPlace(text);
    ASSERT_TRUE(p) << text << ": " << p.message();
    EXPECT_NEAR(p.value().latitude, latitude, 1e-9) << text;
    EXPECT_NEAR(p.value().longitude, longitude, 1e-9) << text;
}

} // namespace

TEST(StationPlace, LocatorsGiveTheCentreOfTheirSquare) {
    expectPlace("JO01", 51.5, 1.0);
    expectPlace("IO91wm", 51 + 12.5 / 24, -2 + 22 * 2.0 / 24 + 1.0 / 24);
    expectPlace("io91WM", 51 + 12.5 / 24, -2 + 22 * 2.0 / 24 + 1.0 / 24);
    // Each further pair divides the square before it: tenths, then twenty-fourths.
    const double lon8 = -2 + 22 * 2.0 / 24 + 4 * 2.0 / 240, lat8 = 51 + 12.0 / 24 + 2.0 / 240;
    expectPlace("IO91wm42", lat8 + 0.5 / 240, lon8 + 1.0 / 240);
    expectPlace("IO91wm42ab", lat8 + 1.5 / 5760, lon8 + 1.0 / 5760);
    // The far corners of the grid.
    expectPlace("AA00aa", -90 + 1.25 / 60, -180 + 2.5 / 60);
    expectPlace("RR99xx", 90 - 1.25 / 60, 180 - 2.5 / 60);
}

TEST(StationPlace, MalformedLocatorsAreRefusedSayingWhy) {
    for (const char* bad : {"JO0", "JO011", "J", "IO91wm42abc", "IO91wm42ab12"})
        EXPECT_NE(ReadPlace(bad).message().find("4, 6, 8 or 10 characters"), std::string::npos)
            << bad;
    EXPECT_NE(ReadPlace("SO01").message().find("\"S\" at character 1: that place takes A..R"),
              std::string::npos);
    EXPECT_NE(ReadPlace("JOA1").message().find("character 3: that place takes 0..9"),
              std::string::npos);
    EXPECT_NE(ReadPlace("IO91wz").message().find("character 6: that place takes A..X"),
              std::string::npos);
}

TEST(StationPlace, LatitudeAndLongitudeInDegrees) {
    expectPlace("51.5,-0.12", 51.5, -0.12);
    expectPlace(" -33.87 ; 151.21 ", -33.87, 151.21);
    expectPlace("40 -105", 40, -105);
    EXPECT_NE(ReadPlace("91,0").message().find("-90..90"), std::string::npos);
    EXPECT_NE(ReadPlace("10,181").message().find("-180..180"), std::string::npos);
    EXPECT_NE(ReadPlace("north,1").message().find("neither latitude,longitude"), std::string::npos);
}

TEST(StationPlace, AzimuthsOneOrARange) {
    using V = std::vector<double>;
    EXPECT_EQ(ReadAzimuths("45").value(), V{45});
    EXPECT_EQ(ReadAzimuths("-10").value(), V{350});
    EXPECT_EQ(ReadAzimuths("370").value(), V{10});
    EXPECT_EQ(ReadAzimuths("0:350:10").value().size(), 36u);
    EXPECT_EQ(ReadAzimuths("0:360:90").value(), (V{0, 90, 180, 270})); // north once
    EXPECT_EQ(ReadAzimuths("300:60:30").value(), (V{300, 330, 0, 30, 60}));
    EXPECT_EQ(ReadAzimuths("10:25:10").value(), (V{10, 20})); // stops short of the stop
    EXPECT_EQ(ReadAzimuths("0:1:0,25").value(), (V{0, 0.25, 0.5, 0.75, 1}));
    for (const char* bad : {"", "east", "1:2", "1:2:3:4", "0:90:x"})
        EXPECT_FALSE(ReadAzimuths(bad)) << bad;
    EXPECT_NE(ReadAzimuths("0:90:0").message().find("more than 0"), std::string::npos);
    EXPECT_NE(ReadAzimuths("0:359:0.01").message().find("3600"), std::string::npos);
}

TEST(StationPlace, ProfileFilesAreNamedByAzimuth) {
    EXPECT_EQ(ProfileFileName(45), "AZ045.PRO");
    EXPECT_EQ(ProfileFileName(0), "AZ000.PRO");
    EXPECT_EQ(ProfileFileName(359), "AZ359.PRO");
    EXPECT_EQ(ProfileFileName(22.5), "AZ022.5.PRO");
}

TEST(StationPlace, LengthAndSpacing) {
    auto s = ChooseSpacing({}, {}).value(); // 150 points every 100 ft
    EXPECT_EQ(s.points, 150);
    EXPECT_DOUBLE_EQ(s.lengthFeet, 14900);
    EXPECT_DOUBLE_EQ(s.spacingFeet, 100);
    s = ChooseSpacing(14900, {}).value();
    EXPECT_EQ(s.points, 150);
    EXPECT_DOUBLE_EQ(s.spacingFeet, 100);
    s = ChooseSpacing({}, 50).value();
    EXPECT_EQ(s.points, 150);
    EXPECT_DOUBLE_EQ(s.lengthFeet, 7450);
    s = ChooseSpacing({}, 400000).value(); // the reach caps the points
    EXPECT_EQ(s.points, 2);
    s = ChooseSpacing(1000, 30).value(); // the last whole spacing within the length
    EXPECT_EQ(s.points, 34);
    EXPECT_DOUBLE_EQ(s.lengthFeet, 990);
    EXPECT_NE(ChooseSpacing(10000, 10).message().find("at least 67.1 ft"), std::string::npos);
    EXPECT_NE(ChooseSpacing(600000, {}).message().find("500000 ft"), std::string::npos);
    EXPECT_FALSE(ChooseSpacing(-5, {}));
    EXPECT_FALSE(ChooseSpacing({}, 0));
    EXPECT_FALSE(ChooseSpacing(100, 200));
}
