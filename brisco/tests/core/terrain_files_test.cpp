#include "brisco/core/terrain_files.h"

#include "test_folder.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace brisco;
using brisco::fixtures::TestFolder;

namespace {

ProfileRead parsed(const std::vector<std::string>& lines) {
    common::Result<ProfileRead> r = ParseTerrainProfile(lines);
    EXPECT_TRUE(r.ok());
    return r.ok() ? r.value() : ProfileRead{};
}

void expectPoint(const TerrainProfile& p, int i, float distance, float elevation) {
    EXPECT_FLOAT_EQ(p.Distance[i], distance) << "point " << i;
    EXPECT_FLOAT_EQ(p.Elevation[i], elevation) << "point " << i;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

} // namespace

TEST(TerrainProfile, UnitsLinesSelectFeetOrMetres) {
    TerrainProfile feet = parsed({"feet", "0 500", "100 510"}).profile;
    expectPoint(feet, 1, 0, 500);
    expectPoint(feet, 2, 100, 510);
    EXPECT_EQ(feet.pointCount(), 2);

    TerrainProfile metres = parsed({"meters", "30.48 100"}).profile;
    expectPoint(metres, 1, 100, static_cast<float>(100 / static_cast<double>(0.3048f)));
    EXPECT_NEAR(metres.Elevation[1], 328.084, 0.001);

    // Its first character is a blank and it holds no capital F: metres.
    EXPECT_NEAR(parsed({" feet", "30.48 0"}).profile.Distance[1], 100, 1e-4);
    // Once in metres the rest of the file is, a later feet line notwithstanding.
    TerrainProfile stays = parsed({"M", "0 0", "Feet", "30.48 30.48"}).profile;
    EXPECT_NEAR(stays.Distance[2], 100, 1e-4);
    // The line after a units line is data, even when it reads like units.
    TerrainProfile next = parsed({"Feet", "Meters 5", "10 20"}).profile;
    expectPoint(next, 2, 10, 20);

    EXPECT_FALSE(ParseTerrainProfile({"0 500", "feet"}).ok());
}

TEST(TerrainProfile, FieldsEndAtTheFirstSeparator) {
    for (const char* line : {"100 512.5", "100,512.5", "  100\t512.5", "100, 512,5"})
        expectPoint(parsed({line}).profile, 1, 100, 512.5f);
    // The comma ends the distance; the rest, blanks and all, is the elevation.
    expectPoint(parsed({"100,5 200"}).profile, 1, 100, 5200);
    expectPoint(parsed({"-10 -3"}).profile, 1, -10, -3);

    // A line with one field or none stores nothing but takes its index.
    ProfileRead gaps = parsed({"0 500", "", "250", "300 520"});
    expectPoint(gaps.profile, 2, 0, 0);
    expectPoint(gaps.profile, 3, 0, 0);
    expectPoint(gaps.profile, 4, 300, 520);
    EXPECT_EQ(gaps.stored, 2);
    EXPECT_EQ(gaps.profile.pointCount(), 1); // the engine's profile ends at the blank line
}

TEST(TerrainProfile, MoreThanOneHundredFiftyPointsAreCutOnce) {
    auto lines = [](int count) {
        std::vector<std::string> l{"Feet"};
        for (int i = 0; i < count; ++i) l.push_back(std::to_string(i * 10) + " 500");
        return l;
    };
    ProfileRead cut = parsed(lines(200));
    EXPECT_TRUE(cut.truncated);
    EXPECT_FLOAT_EQ(cut.profile.Distance[150], 1490);
    EXPECT_EQ(cut.profile.pointCount(), 150);
    // Exactly 150 points, or 150 followed by lines without a point, lose nothing.
    ProfileRead full = parsed(lines(150));
    EXPECT_FALSE(full.truncated);
    EXPECT_EQ(full.profile.pointCount(), 150);
    std::vector<std::string> trailing = lines(150);
    trailing.insert(trailing.end(), {"", "  ", "250"});
    EXPECT_FALSE(parsed(trailing).truncated);
    EXPECT_TRUE(parsed(lines(151)).truncated);
    EXPECT_FALSE(parsed(lines(149)).truncated);
}

TEST(TerrainProfile, FilesThatCannotBeUsedAreRefusedByName) {
    TestFolder folder;
    common::Result<ProfileRead> missing = ReadTerrainProfile(folder.file("GONE.PRO"));
    ASSERT_FALSE(missing.ok());
    EXPECT_NE(missing.message().find("GONE.PRO"), std::string::npos);

    for (const char* content : {"", "\n\n\n", "Feet\n", "Feet\n100"}) {
        std::string path = folder.write("BAD.PRO", content);
        common::Result<ProfileRead> bad = ReadTerrainProfile(path);
        ASSERT_FALSE(bad.ok()) << content;
        EXPECT_EQ(bad.message(), "The file " + path +
                                     " has an error -- It probably includes a height line. "
                                     "Examine it with a word processor.");
    }

    std::string garbage(4000, '\0');
    for (size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<char>(i * 37 % 256);
    EXPECT_FALSE(ReadTerrainProfile(folder.write("NOISE.PRO", garbage)).ok())
        << "binary data is not a profile";
}

TEST(TerrainProfile, WrittenProfilesReadBackInFeet) {
    std::vector<std::string> lines = WriteTerrainProfile({{0, 500}, {100.04f, 500}, {150, -2.25f}});
    EXPECT_EQ(lines, (std::vector<std::string>{".0  500.0", "100.0  500.0", "150.0  -2.3"}));
    TerrainProfile back = parsed(lines).profile;
    expectPoint(back, 2, 100, 500);
    EXPECT_EQ(back.pointCount(), 3);
}

TEST(ElevationStats, ColumnsAreReadFromTheirFixedPositions) {
    // Positions 9, 16, 23 ... whatever the heading's spacing.
    std::vector<std::string> lines{
        "\"Angles of arrival, made up\", 2024", "Elev   80m  40m    30m",
        fixtures::StatsRow(1, {0.5, 1.5, 2.5, 3.5, 4.5, 5.5, 6.5, 17.5})};
    for (int angle = 2; angle <= 35; ++angle) lines.push_back(std::to_string(angle));
    common::Result<ElevationStats> stats = ParseElevationStats(lines);
    ASSERT_TRUE(stats.ok());
    for (int column = 1; column <= 7; ++column)
        EXPECT_DOUBLE_EQ(stats.value().at(1, column), column - 0.5);
    EXPECT_DOUBLE_EQ(stats.value().at(1, 8), 17.5);
    EXPECT_DOUBLE_EQ(stats.value().at(35, 4), 0); // a short row reads 0

    std::vector<std::string> comma = lines;
    comma[2] = "   1    0,25";
    EXPECT_DOUBLE_EQ(ParseElevationStats(comma).value().at(1, 1), 0.25);
}

TEST(ElevationStats, RowsTheFixedColumnsMisreadAreNamed) {
    EXPECT_TRUE(
        ParseElevationStats(linesOf(fixtures::StatsFile(4, 5.0, 20))).value().misreads.empty());
    EXPECT_TRUE(ReadElevationStats(TEST_DATA_DIR "/samples/HOPS.PRN").value().misreads.empty());

    auto separated = [](const std::string& separator) {
        std::string text = "Elev" + separator + "20m\n";
        for (int angle = 1; angle <= 35; ++angle)
            text += std::to_string(angle) + separator + "3.0" + separator + "3.0\n";
        return ParseElevationStats(linesOf(text)).value().misreads;
    };
    std::vector<std::string> tabs = separated("\t");
    ASSERT_FALSE(tabs.empty());
    EXPECT_EQ(tabs[0].rfind("Line 2 holds a tab or text", 0), 0U) << tabs[0];
    EXPECT_EQ(separated(",").front().rfind("Line 2 holds a tab or text", 0), 0U);

    // A title beginning "Elev" is taken for the heading: the band names become row 1.
    std::vector<std::string> titled = ParseElevationStats(linesOf("Elevation angles of my path\n" +
                                                                  fixtures::StatsFile(4, 5.0, 20)))
                                          .value()
                                          .misreads;
    ASSERT_FALSE(titled.empty());
    EXPECT_EQ(titled[0].rfind("Line 2 holds a tab or text", 0), 0U) << titled[0]; // the real title
    // Shares that come to far more or less than the whole are named by band.
    EXPECT_EQ(ParseElevationStats(linesOf(fixtures::StatsFile(2, 5.0))).value().misreads,
              std::vector<std::string>{"The 40 m column sums to 175 %, not about 100 %."});
}

TEST(ElevationStats, TheSampleFileReads) {
    common::Result<ElevationStats> hops = ReadElevationStats(TEST_DATA_DIR "/samples/HOPS.PRN");
    ASSERT_TRUE(hops.ok()) << hops.message();
    double twenty = 0;
    for (int angle = 1; angle <= 35; ++angle) twenty += hops.value().at(angle, 4);
    EXPECT_NEAR(twenty, 100, 1.0); // each band's column is a share of the time
    EXPECT_DOUBLE_EQ(hops.value().at(1, 8), 12.4);
}

TEST(ElevationStats, DamagedFilesAreRefusedWithTheSystemsMessage) {
    TestFolder folder;
    std::string good = fixtures::StatsFile(4, 1.0);
    std::string cut = good.substr(0, good.size() / 2);
    for (const std::string& content :
         {std::string(), std::string("no heading at all\n1 2 3\n"), cut,
          std::string("Elev\n   1    9E999\n") + good, std::string("Elev\n   1    -5.0\n") + good,
          good + std::string("\0\x01\0", 3)}) {
        std::string path = folder.write("BAD.PRN", content);
        common::Result<ElevationStats> r = ReadElevationStats(path);
        ASSERT_FALSE(r.ok());
        EXPECT_EQ(r.message(),
                  "The file  '" + path + "'  has an error. Examine it with a word processor.");
    }
    EXPECT_FALSE(ReadElevationStats(folder.file("GONE.PRN")).ok());
    EXPECT_TRUE(ReadElevationStats(folder.write("GOOD.PRN", good)).ok());
}

TEST(BandColumn, StrictBandEdges) {
    EXPECT_EQ(BandColumn(14.2), 4);
    EXPECT_EQ(BandColumn(28.4), 8);
    EXPECT_EQ(BandColumn(8.0), 8);
    EXPECT_EQ(BandColumn(1.9), 8);
    EXPECT_EQ(BandColumn(3.6), 1);
    EXPECT_EQ(BandColumn(7.1), 2);
    EXPECT_EQ(BandColumn(10.1), 3);
    EXPECT_EQ(BandColumn(18.1), 5);
    EXPECT_EQ(BandColumn(21.2), 6);
    EXPECT_EQ(BandColumn(24.9), 7);
    EXPECT_EQ(BandColumn(4.0), 8);
}
