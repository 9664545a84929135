// The terrain program's files as the user left them: VEXLO.DEF read whatever its line
// ends, never written over when unreadable or by a second copy, OUT.PRN added to whole
// or not at all, and no profile or statistics path that is no file waited on.
#include "brisco/core/assessment.h"
#include "brisco/core/terrain_files.h"

#include "common/testing/child_process.h"
#include "test_folder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace brisco;
using brisco::fixtures::TestFolder;

namespace {

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
        text.replace(at, from.size(), to);
    return text;
}

// VEXLO.DEF of a metric user with one slot at 30 m.
std::string MetricDefaults(const TestFolder& folder) {
    const std::string flat = folder.write("FLAT.PRO", "Feet\n0 500\n500 500\n1000 500\n");
    Assessment model(folder.path());
    Options metric;
    metric.units = Units::Meters;
    model.applyOptions(metric);
    model.chooseTerrain(0, flat);
    model.applyHeights({{{"4-Ele.", "30"}, {}, {}, {}}});
    model.setFrequency("21.2");
    EXPECT_TRUE(model.SaveDefaults({1500, 600, 7000, 9000}, 1920 * 15).ok());
    std::ifstream in(folder.file("VEXLO.DEF"), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string Content(const TestFolder& folder, const std::string& name) {
    std::ifstream in(folder.file(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

TEST(KeptFiles, LoneCrLineEndsAndAByteOrderMarkReadAsTheUserWroteThem) {
    TestFolder folder;
    const std::string plain = MetricDefaults(folder);
    for (const std::string& content : {Replaced(plain, "\n", "\r"), "\xEF\xBB\xBF" + plain}) {
        folder.write("VEXLO.DEF", content);
        Assessment model(folder.path());
        EXPECT_TRUE(model.StartUp().empty());
        EXPECT_EQ(model.options().units, Units::Meters) << "30 m heights are not 30 ft";
        EXPECT_EQ(model.heights(0), "30");
        EXPECT_EQ(model.terrain(0), "FLAT.PRO");
        EXPECT_EQ(model.texts().txtFreq, "21.2");
    }
}

TEST(KeptFiles, AnUnreadableDefaultsFileIsNeitherReplacedNorAnyOtherFileTouched) {
    TestFolder folder;
    folder.write("VEXLO.DEF", MetricDefaults(folder));
    std::filesystem::resize_file(folder.file("VEXLO.DEF"), common::LargestTextFile + 1);
    folder.write("OUT.PRN", "kept\n");
    Assessment model(folder.path());
    const common::TextFile unreadable = common::ReadTextFile(model.defaultsPath());
    ASSERT_EQ(unreadable.state, common::FileState::Unreadable);
    EXPECT_TRUE(model.StartUp(unreadable, true).empty()) << "its reader has said so";
    EXPECT_EQ(std::filesystem::file_size(folder.file("VEXLO.DEF")), common::LargestTextFile + 1);
    EXPECT_EQ(model.heights(0), "100") << "the start-up file's slots";

    // A second copy writes neither a fresh VEXLO.DEF nor an empty OUT.PRN.
    std::filesystem::remove(folder.file("VEXLO.DEF"));
    folder.write("OUT.PRN", "the first copy's results\n");
    Assessment second(folder.path());
    EXPECT_TRUE(second.StartUp(common::ReadTextFile(second.defaultsPath()), false).empty());
    EXPECT_FALSE(std::filesystem::exists(folder.file("VEXLO.DEF")));
    EXPECT_EQ(Content(folder, "OUT.PRN"), "the first copy's results\n");
}

TEST(KeptFiles, AResultsSectionGoesInWholeOrNotAtAll) {
    TestFolder folder;
    Assessment model(folder.path());
    folder.write("OUT.PRN", "31, -1.2\n32, -.9\n");
    ASSERT_TRUE(model.AppendResults({"33, -.5"}).ok());
    const std::string before = Content(folder, "OUT.PRN");
    auto outcome = common::testing::InChild([&] {
        if (!common::testing::LimitFileSize(before.size() + 100)) return std::string("no limit");
        return model.AppendResults(std::vector<std::string>(100, "34, -.1")).message();
    });
    if (outcome.text == "no limit") GTEST_SKIP() << "the system sets no file-size limit";
    EXPECT_EQ(outcome.text, "The results could not be added to " + folder.file("OUT.PRN") +
                                ": cannot add to " + folder.file("OUT.PRN") +
                                ": File too large. The file is as it was.");
    EXPECT_EQ(Content(folder, "OUT.PRN"), before) << "no half section";
}

TEST(KeptFiles, PathsThatAreNoFileAreRefusedAtOnceWithTheReason) {
    TestFolder folder;
    ASSERT_EQ(::mkfifo(folder.file("PIPE.PRO").c_str(), 0644), 0);
    for (const std::string& path : {folder.file("PIPE.PRO"), std::string("/dev/zero")}) {
        common::Result<ProfileRead> profile = ReadTerrainProfile(path);
        ASSERT_FALSE(profile.ok());
        EXPECT_EQ(profile.message(),
                  "The terrain file " + path + " cannot be read: it is not a regular file.");
        common::Result<ElevationStats> stats = ReadElevationStats(path);
        ASSERT_FALSE(stats.ok());
        EXPECT_EQ(stats.message(), "The elevation statistics file " + path +
                                       " cannot be read: it is not a regular file.");
    }
    folder.write("HUGE.PRO", "0 100\n");
    std::filesystem::resize_file(folder.file("HUGE.PRO"), common::LargestTextFile + 1);
    EXPECT_EQ(ReadTerrainProfile(folder.file("HUGE.PRO")).message(),
              "The terrain file " + folder.file("HUGE.PRO") +
                  " cannot be read: it is larger than 10 MB.");
}
