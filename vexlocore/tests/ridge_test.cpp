// A ridge in front of the tower, with and without diffraction, and the diagnostic log.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "engine_call.h"

using namespace vexlo_test;

namespace {

// 60 ft above flat ground, a 150 ft ridge topping out at 1500 ft: its shadow boundary is
// at atan(90 / 1500) = 3.43 degrees.
Call ridge() {
    Call c;
    c.heights = {60.0f, 0.0f, 0.0f, 0.0f};
    c.profile = {{0.0, 0.0}, {1000.0, 0.0}, {1500.0, 150.0}, {2000.0, 0.0}, {6000.0, 0.0}};
    return c;
}
const double shadowBoundary = std::atan(90.0 / 1500.0) * 180.0 / pi;

// The log in `folder`, beside the running program when none is sent.
std::string logAt(Call c, float angle, const std::filesystem::path& folder = {}) {
    const auto path =
        (folder.empty() ? std::filesystem::read_symlink("/proc/self/exe").parent_path() : folder) /
        "TEST4.PRN";
    if (folder.empty())
        ::unsetenv(VEXLO_LOG_FOLDER);
    else
        ::setenv(VEXLO_LOG_FOLDER, folder.c_str(), 1);
    { std::ofstream(path) << "\"Filename: RIDGE.PRO\"\n"; }
    c.logFlag = 1;
    c.logAngle = angle;
    c.run();
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    std::filesystem::remove(path);
    ::unsetenv(VEXLO_LOG_FOLDER);
    return text.str();
}

TEST(Ridge, DiffractionKeepsTheFieldContinuousAcrossTheShadowBoundary) {
    for (int16_t type : {1, 4, 7}) {
        Call c = ridge();
        c.type = type;
        const auto gains = c.run();
        expectAllFinite(gains);
        for (int k = 0; k + 1 < 140; ++k) {
            if (std::fabs(degreesAt(k) - shadowBoundary) > 1.5) continue;
            EXPECT_LT(std::fabs(gains[k + 1] - gains[k]), 1.0)
                << "type " << type << " at " << degreesAt(k);
        }
    }
}

TEST(Ridge, DiffractionFillsTheShadowOfTheHill) {
    Call on = ridge(), off = ridge();
    off.diffractionOff = 1;
    const auto withDiffraction = on.run(), without = off.run();
    // Deep in the shadow at 1 degree there is no geometrical ray at all: without the march
    // only the ridge's edge brings the direct ray down, weaker than the full answer by no
    // more than the ground's share it leaves out.
    EXPECT_GT(withDiffraction[3], -20.0f);
    EXPECT_GT(without[3], -20.0f);
    EXPECT_NEAR(without[3], withDiffraction[3], 7.0);
    // Well above the ridge both agree closely.
    Call flat;
    flat.heights = on.heights;
    EXPECT_NEAR(without[60], withDiffraction[60], 2.0);
}

// One test for everything that writes the log file, so that parallel runs do not share it.
TEST(Ridge, LogShowsShadowedAnglesLoseTheirDirectRayWithDiffractionOff) {
    Call off = ridge();
    off.diffractionOff = 1;
    const std::string shadowed = logAt(off, 2.0f), lit = logAt(off, 5.0f);
    EXPECT_EQ(shadowed.find("\n1 D "), std::string::npos) << shadowed;
    EXPECT_NE(lit.find("\n1 D "), std::string::npos) << lit;
    EXPECT_EQ(shadowed.find(" F "), std::string::npos);

    // The rays of the nearest angle follow the caller's line.
    const std::string text = logAt(ridge(), 2.1f);
    std::istringstream lines(text);
    std::string first, title, header, line, last;
    std::getline(lines, first);
    std::getline(lines, title);
    std::getline(lines, header);
    EXPECT_EQ(first, "\"Filename: RIDGE.PRO\"");
    EXPECT_EQ(title.rfind("VexloCore1 rays at 2.00 deg, 14.2 MHz", 0), 0u) << title;
    EXPECT_EQ(header.rfind("ant kind facet wedge", 0), 0u);
    int rays = 0;
    while (std::getline(lines, line)) {
        if (line.rfind("Total field", 0) == 0)
            last = line;
        else
            ++rays;
    }
    EXPECT_GT(rays, 0);
    // In the shadow the hill's front face radiates what cancels the direct field there.
    EXPECT_NE(text.find("\n1 G 2 - "), std::string::npos) << text;
    EXPECT_NE(last.find(" dBi"), std::string::npos);

    // Input past the engine's range gives the floor and says why.
    Call absurd = ridge();
    absurd.frequency = 1e7f;
    EXPECT_NE(logAt(absurd, 5.0f).find("\nNote: refused: 1e+07 MHz is above 300 MHz\n"),
              std::string::npos);

    // A program whose folder is not its user's sends the log to a folder of its choosing.
    const auto user = std::filesystem::temp_directory_path() / "vexlo-log-folder";
    std::filesystem::create_directories(user);
    EXPECT_NE(logAt(off, 5.0f, user).find("\n1 D "), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(
        std::filesystem::read_symlink("/proc/self/exe").parent_path() / "TEST4.PRN"));
    std::filesystem::remove_all(user);
}

} // namespace
