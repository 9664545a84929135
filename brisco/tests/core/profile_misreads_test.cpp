#include "brisco/core/profile_misreads.h"

#include "common/text_file.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace brisco;

namespace {

std::vector<std::string> misreads(const std::vector<std::string>& lines) {
    common::Result<ProfileRead> read = ParseTerrainProfile(lines);
    EXPECT_TRUE(read.ok());
    return read.ok() ? ProfileMisreads(read.value()) : std::vector<std::string>{};
}

} // namespace

TEST(ProfileMisreads, PlainProfilesAndTheSamplesWarnOfNothing) {
    EXPECT_TRUE(misreads({"Feet", "0 500", "1000 520", "2000 800"}).empty());
    // A decimal comma, a tab, a level stretch and a trailing blank line are meant.
    EXPECT_TRUE(misreads({"meters", "0\t150,5", "100, 150,5", "100 160", "200 170", ""}).empty());
    for (const auto& entry : std::filesystem::directory_iterator(TEST_DATA_DIR "/samples")) {
        if (entry.path().extension() != ".PRO") continue;
        common::Result<ProfileRead> read = ReadTerrainProfile(entry.path().string());
        ASSERT_TRUE(read.ok()) << entry.path();
        EXPECT_TRUE(ProfileMisreads(read.value()).empty()) << entry.path();
    }
}

TEST(ProfileMisreads, EachKindNamesTheLineWhereItFirstHappens) {
    // The hill at 2000 ft is left out after the blank line.
    EXPECT_EQ(misreads({"Feet", "0 500", "1000 520", "", "2000 800", "3000 500"}),
              std::vector<std::string>{"Line 4 holds no point, which ends the profile: the 2 "
                                       "points after it are left out."});
    // "comment" holds an m: metres, and the second comment is the tower base at 0.
    EXPECT_EQ(misreads({"# comment", "# two lines", "0 500", "1000 520"}),
              (std::vector<std::string>{
                  "Line 1 holds a letter F or M among other words, so it was read as a units "
                  "line (meters) and the line after it as a point.",
                  "Line 3 is a point at distance 0, which ends the profile: the 1 point after "
                  "it is left out."}));
    EXPECT_EQ(misreads({"Feet", "0 500", "1000 510", "800 520", "2000 530", "1500 500"}),
              std::vector<std::string>{"Line 4 steps back towards the tower: the computation "
                                       "leaves such points out, the terrain plot draws them."});
    EXPECT_EQ(misreads({"0 500", "100 500 20", "200 510\t7"}),
              std::vector<std::string>{"Line 2 holds more than one number after the distance; "
                                       "they were read together as one elevation."});
    // A units word on its own, in any case, is meant; one word among others is not.
    EXPECT_TRUE(misreads({"FT", "0 500"}).empty());
    EXPECT_EQ(misreads({"Units: feet", "0 500"}).size(), 1U);
}

TEST(ProfileMisreads, OneMessageTitledBySlotBesideTheTruncationWarning) {
    std::vector<std::string> lines{"# from a map", "0 152"};
    for (int i = 1; i <= 150; ++i) lines.push_back(std::to_string(i * 10) + " 152 3");
    common::Result<ProfileRead> read = ParseTerrainProfile(lines);
    ASSERT_TRUE(read.ok());
    std::vector<common::Message> messages = ProfileMessages(read.value(), 2, "MAP.PRO");
    ASSERT_EQ(messages.size(), 2U);
    EXPECT_EQ(messages[0], (common::Message{TruncationWarning, "File 2: MAP.PRO"}));
    EXPECT_EQ(messages[1].title, "File 2: MAP.PRO");
    EXPECT_NE(messages[1].text.find("Line 1 "), std::string::npos);
    EXPECT_NE(messages[1].text.find("Line 3 holds more than one number"), std::string::npos);

    EXPECT_TRUE(ProfileMessages(ParseTerrainProfile({"0 500"}).value(), 1, "A.PRO").empty());
}
