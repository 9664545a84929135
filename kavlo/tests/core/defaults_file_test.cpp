#include "common/text_file.h"
#include "kavlo/core/calculator.h"
#include "kavlo/core/defaults_file.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace kavlo;
namespace fs = std::filesystem;

namespace {
std::vector<std::string> sampleLines() {
    return {"m",
            " 75",
            "-.5",
            " 1.5",
            " .8",
            " 2000",
            "  14.000",
            " 1200; 600:6456,8484",
            "6825;-15:6468,8484",
            " 300; 200:6444:8460",
            " 310; 210:6444,8460",
            " 320; 220:6456,8460",
            "328.084",
            " 17",
            "14.0",
            "50",
            "-25"};
}
} // namespace

TEST(TlDefaults, ReadsEveryLine) {
    TlDefaults d = ParseTlDefaults(sampleLines());
    EXPECT_EQ(d.unitWord, 'M');
    EXPECT_EQ(d.user.r0, 75);
    EXPECT_EQ(d.user.x0, -0.5f);
    EXPECT_EQ(d.user.atten, 1.5f);
    EXPECT_EQ(d.user.freq, 14);
    EXPECT_EQ(d.placements[MainSlot].left, 1200);
    EXPECT_EQ(d.placements[TunerSetupSlot].top, 200);
    EXPECT_EQ(*d.placements[GraphSlot].width, 8484);
    EXPECT_EQ(d.cableIndex, 17);
    EXPECT_EQ(d.lengthFeet, "328.084");
    EXPECT_EQ(d.reactance, "-25");
}

TEST(TlDefaults, WritesTheSeventeenLinesItReads) {
    std::vector<std::string> lines = sampleLines();
    lines[0] = "M";
    lines[6] = "14.000";
    EXPECT_EQ(FormatTlDefaults(ParseTlDefaults(lines)), lines);
}

TEST(TlDefaults, DamagedLinesKeepTheirDefaults) {
    TlDefaults defaults;
    for (auto lines : std::vector<std::vector<std::string>>{
             {},
             {""},
             {"F", " 75"},
             {"\x01\xff garbage", "abc", "1e999", "", "x;y", ";;;", ":,"},
             std::vector<std::string>(40, "###########")}) {
        TlDefaults d = ParseTlDefaults(lines);
        EXPECT_EQ(d.cableIndex, defaults.cableIndex);
        EXPECT_EQ(d.freq, defaults.freq);
        EXPECT_EQ(d.lengthFeet, defaults.lengthFeet);
        EXPECT_EQ(d.user.vf, lines.size() > 4 ? defaults.user.vf : d.user.vf);
        EXPECT_EQ(FormatTlDefaults(d).size(), 17u);
    }
    std::vector<std::string> outOfRange = sampleLines();
    outOfRange[13] = "34";
    outOfRange[14] = "7000";
    outOfRange[12] = "-5";
    TlDefaults d = ParseTlDefaults(outOfRange);
    EXPECT_EQ(d.cableIndex, 3);
    EXPECT_EQ(d.freq, "3.5");
    EXPECT_EQ(d.lengthFeet, "100.000");
    EXPECT_EQ(d.user.r0, 75); // the good lines still count
}

TEST(TlDefaults, StartsTheCalculatorInMetersFromLowerCaseM) {
    Calculator c;
    c.applyDefaults(ParseTlDefaults(sampleLines()));
    EXPECT_EQ(c.unitWord(), 'M');
    EXPECT_EQ(c.boxes().length, "100.000"); // 328.084 ft
    EXPECT_EQ(c.cable(), 17);
    EXPECT_EQ(c.displays().txtZ0, "50.0 - j 0.33");

    TlDefaults back = c.defaults(TlDefaults::DefaultPlacements());
    EXPECT_EQ(back.lengthFeet, "328.084");
    EXPECT_EQ(back.unitWord, 'M');
}

class TlFile : public ::testing::Test {
protected:
    fs::path dir = fs::temp_directory_path() / ("tl_def_" + std::to_string(::getpid()));
    std::string path = (dir / "TL.DEF").string();
    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override { fs::remove_all(dir); }
};

TEST_F(TlFile, SavingKeepsTheUserLineOfTheFileAndItsFrequency) {
    std::ofstream(path) << common::JoinLines(sampleLines());
    Calculator c;
    c.setFrequency("7");
    ASSERT_TRUE(SaveTlDefaults(path, c.defaults(TlDefaults::DefaultPlacements())).ok());
    auto lines = *common::ReadTextLines(path);
    ASSERT_EQ(lines.size(), 17u);
    EXPECT_EQ(lines[0], "F");
    EXPECT_EQ(lines[1], " 75");
    // The stored attenuation holds at 14 MHz: the line keeps saying so.
    EXPECT_EQ(lines[6], "14.000");
    EXPECT_EQ(lines[14], "7");
    EXPECT_EQ(lines[13], " 3");
}

TEST_F(TlFile, SavingOverAGarbageFileWritesAWholeGoodOne) {
    std::ofstream(path, std::ios::binary) << std::string("\0\0\xfe\n;;\n", 7);
    Calculator c;
    ASSERT_TRUE(SaveTlDefaults(path, c.defaults(TlDefaults::DefaultPlacements())).ok());
    TlDefaults d = ParseTlDefaults(*common::ReadTextLines(path));
    EXPECT_EQ(d.user.vf, UserLine{}.vf);
    EXPECT_EQ(common::ReadTextLines(path)->size(), 17u);
}
