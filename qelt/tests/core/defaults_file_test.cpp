// QELT.DEF: the five defaults, damaged files, and the lines written back.
#include "qelt/core/defaults_file.h"

#include "common/text_file.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace qelt;

TEST(QeltDefaults, FreshFileIsExactlyTheFiveDefaults) {
    const QeltDefaults fresh = FreshQeltDefaults("/opt/suite");
    EXPECT_EQ(FormatQeltDefaults(fresh),
              (std::vector<std::string>{"60;48", "3768;2088:6456,8484", "84;2088:6456,8484",
                                        "feet, inches", "/opt/suite/QeltAnts"}));
}

TEST(QeltDefaults, ReadsEveryLineThatReadsWell) {
    const QeltDefaults fresh = FreshQeltDefaults("/opt/suite");
    QeltDefaults d = ParseQeltDefaults(
        {"120;96", "100;200:3000,4000", "7;8:900,1200", "meters, mm", "/home/ham/beams"}, fresh);
    EXPECT_EQ(d.main.left, 120);
    EXPECT_EQ(d.main.top, 96);
    EXPECT_EQ(*d.polar.height, 3000);
    EXPECT_EQ(*d.polar.width, 4000);
    EXPECT_EQ(d.morwen.left, 7);
    EXPECT_EQ(d.units, Units::Metric);
    EXPECT_EQ(d.antennaFolder, "/home/ham/beams");
    EXPECT_EQ(FormatQeltDefaults(d),
              (std::vector<std::string>{"120;96", "100;200:3000,4000", "7;8:900,1200", "meters, mm",
                                        "/home/ham/beams"}));
    EXPECT_EQ(ParseQeltDefaults({"", "", "", "anything else"}, fresh).units, Units::Metric);
}

TEST(QeltDefaults, DamagedLinesKeepTheirDefaults) {
    const QeltDefaults fresh = FreshQeltDefaults("/opt/suite");
    const std::vector<std::vector<std::string>> damaged = {
        {},
        {"garbage", "1;2", "3;4:0,100", "", "  "},
        {"1e400;5", "1;2:x,y", "1;2:-5,10", "\x01\xff", ""},
        {"60 48", "5;6:1e300,1", "9;9:nan,7"},
    };
    for (const std::vector<std::string>& lines : damaged) {
        const QeltDefaults d = ParseQeltDefaults(lines, fresh);
        EXPECT_EQ(FormatQeltDefaults(d)[1], "3768;2088:6456,8484");
        EXPECT_EQ(FormatQeltDefaults(d)[2], "84;2088:6456,8484");
        EXPECT_EQ(d.antennaFolder, "/opt/suite/QeltAnts");
        EXPECT_EQ(FormatQeltDefaults(d)[0], "60;48");
    }
    // A stray control character is not the English caption: it counts as other text.
    EXPECT_EQ(ParseQeltDefaults(damaged[2], fresh).units, Units::Metric);
    EXPECT_EQ(ParseQeltDefaults(damaged[1], fresh).units, Units::English) << "a blank line";
}

TEST(QeltDefaults, WrittenWholeOrNotAtAll) {
    const std::filesystem::path dir = std::filesystem::path(testing::TempDir()) / "qelt_def_write";
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "QELT.DEF").string();
    QeltDefaults d = FreshQeltDefaults(dir.string());
    d.main = {75.4, 30, {}, {}};
    ASSERT_TRUE(WriteQeltDefaults(path, d).ok());
    EXPECT_EQ(common::ReadTextLines(path)->front(), "75;30");
    EXPECT_EQ(common::ReadTextLines(path)->size(), 5u);
    EXPECT_FALSE(WriteQeltDefaults((dir / "no such folder" / "QELT.DEF").string(), d).ok());
}

TEST(QeltDefaults, TheAntennaFolderInUseIsOneThatIsThere) {
    const std::string program = std::filesystem::temp_directory_path().string();
    const std::string own = program + "/QeltAnts";
    EXPECT_EQ(UsableAntennaFolder(program, program), program) << "a folder that is there";
    EXPECT_EQ(UsableAntennaFolder(program, "."), program) << "relative: in the program folder";
    EXPECT_EQ(UsableAntennaFolder(program, "/build/tree/that/moved/QeltAnts"), own);
    EXPECT_EQ(UsableAntennaFolder(program, ""), own);
}
