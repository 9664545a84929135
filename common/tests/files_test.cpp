#include "common/placement.h"
#include "common/text_file.h"
#include "common/trimmed.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace common;
namespace fs = std::filesystem;

TEST(ParsePlacement, SplitsLeftTopHeightWidth) {
    Placement p = ParsePlacement(" 1200; 300:6456,8484");
    EXPECT_EQ(p.left, 1200);
    EXPECT_EQ(p.top, 300);
    ASSERT_TRUE(p.height && p.width);
    EXPECT_EQ(*p.height, 6456);
    EXPECT_EQ(*p.width, 8484);

    Placement noComma = ParsePlacement("6825;-15:6444:8460");
    EXPECT_EQ(noComma.left, 6825);
    EXPECT_EQ(noComma.top, -15);
    EXPECT_FALSE(noComma.height);

    Placement garbage = ParsePlacement("xyz");
    EXPECT_EQ(garbage.left, 0);
    EXPECT_EQ(garbage.top, 0);
    EXPECT_EQ(PlacementPrefix(1200, -15), " 1200;-15");
}

TEST(ReadPlacementLine, TakesWhatAScreenCanHoldAndASizeOnlyWhole) {
    std::optional<Placement> whole = ReadPlacementLine("1296;1296:5976,8472");
    ASSERT_TRUE(whole && whole->height && whole->width);
    EXPECT_EQ(*whole->width, 8472);
    std::optional<Placement> place = ReadPlacementLine("6825;-15");
    ASSERT_TRUE(place);
    EXPECT_EQ(place->top, -15);
    EXPECT_FALSE(place->height);

    EXPECT_FALSE(ReadPlacementLine("1296,1296")); // no ";"
    EXPECT_FALSE(ReadPlacementLine(""));
    EXPECT_FALSE(ReadPlacementLine("1E7;0:10,10")); // off any screen
    EXPECT_FALSE(ReadPlacementLine("0;-1E6"));
    for (const char* sizeless : {"1;2,3", "1;2:3", "1;2:0,100", "1;2:100,-5", "1;2:1E9,100"}) {
        std::optional<Placement> p = ReadPlacementLine(sizeless);
        ASSERT_TRUE(p) << sizeless;
        EXPECT_EQ(p->left, 1);
        EXPECT_FALSE(p->height || p->width) << sizeless;
    }
}

TEST(Trimmed, DropsBlanksAndTabsAtTheEndsOnly) {
    EXPECT_EQ(Trimmed(" \t 4-Ele. \t"), "4-Ele.");
    EXPECT_EQ(Trimmed("a b"), "a b");
    EXPECT_EQ(Trimmed(" \t "), "");
    EXPECT_EQ(Trimmed(""), "");
}

class TextFiles : public ::testing::Test {
protected:
    fs::path dir = fs::temp_directory_path() / ("text_files_" + std::to_string(::getpid()));
    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override { fs::remove_all(dir); }
    std::string file(const char* name) { return (dir / name).string(); }
};

TEST_F(TextFiles, ReadsCrLfLfAndAnUnendedLastLine) {
    std::ofstream(file("a"), std::ios::binary) << "one\r\ntwo\nthree";
    auto lines = ReadTextLines(file("a"));
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines, (std::vector<std::string>{"one", "two", "three"}));
    EXPECT_FALSE(ReadTextLines(file("missing")));
    std::ofstream(file("empty"));
    EXPECT_TRUE(ReadTextLines(file("empty"))->empty());
}

TEST_F(TextFiles, AtomicWriteReplacesWholeOrLeavesTheOldFile) {
    std::string target = file("TL.DEF");
    EXPECT_TRUE(WriteFileAtomically(target, JoinLines({"F", " 50"})).ok());
    EXPECT_EQ(*ReadTextLines(target), (std::vector<std::string>{"F", " 50"}));

    // A write into a folder that does not exist fails and says so.
    EXPECT_NE(WriteFileAtomically(file("no/such/dir"), "x").message(), "");

    // A read-only folder: the old file survives the failed write, no temp file is left.
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
    bool canStillWrite = std::ofstream(file("probe")).good(); // root ignores permissions
    if (!canStillWrite) {
        EXPECT_FALSE(WriteFileAtomically(target, "new").ok());
        EXPECT_EQ(*ReadTextLines(target), (std::vector<std::string>{"F", " 50"}));
    }
    fs::permissions(dir, fs::perms::owner_all);
    size_t count = std::distance(fs::directory_iterator(dir), fs::directory_iterator());
    EXPECT_EQ(count, canStillWrite ? 2u : 1u);
}
