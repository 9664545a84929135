#include "brisco/core/assessment.h"

#include "test_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace brisco;
using brisco::fixtures::TestFolder;

namespace {

// An engine that records its calls and answers a gain of its own choosing.
struct FakeEngine {
    std::vector<EngineCall> calls;
    float gain = 10;
    EngineSource source() {
        return [this]() -> common::Result<TerrainEngine> {
            return TerrainEngine([this](const EngineCall& call, SlotGains& gains) {
                calls.push_back(call);
                for (int k = 1; k <= GainCount; ++k) gains[k] = gain;
            });
        };
    }
};

EngineSource missingEngine() {
    return [] { return common::Result<TerrainEngine>::Failure("The engine library is missing."); };
}

class AssessmentTest : public ::testing::Test {
protected:
    AssessmentTest() {
        flat = folder.write("FLAT.PRO", "Feet\n0 500\n500 500\n1000 500\n");
        hill = folder.write("HILL.PRO", "0 100\n100 110\n");
        stats = folder.write("STATS.PRN", fixtures::StatsFile(4, 5.0, 20)); // 100 % of 20 m
    }
    ComputeResult compute() {
        return model.Compute(engine.source(), [this](int v) { progress.push_back(v); });
    }

    TestFolder folder;
    std::string flat, hill, stats;
    Assessment model{folder.path()};
    FakeEngine engine;
    std::vector<int> progress;
};

} // namespace

TEST_F(AssessmentTest, SlotsInUseAreComputedInTurn) {
    model.chooseTerrain(0, flat);
    model.chooseTerrain(2, hill);
    model.applyHeights({{{"4-Ele.", "100"}, {"", ""}, {"", "120/90*"}, {"", ""}}});
    ComputeResult r = compute();
    ASSERT_TRUE(r.computed);
    EXPECT_EQ(progress, (std::vector<int>{1, 2, 4}));
    ASSERT_EQ(engine.calls.size(), 2u);
    EXPECT_FLOAT_EQ(engine.calls[0].profile.Distance[3], 1000);
    EXPECT_EQ(engine.calls[0].AntennaType, 4);
    EXPECT_FLOAT_EQ(engine.calls[0].Frequency, 14.2f);
    EXPECT_FLOAT_EQ(engine.calls[0].Dielectric, 13);
    EXPECT_FLOAT_EQ(engine.calls[0].Conductivity, 0.005f);
    EXPECT_EQ(engine.calls[0].DiffractionOff, 0);
    // Slot 3 has no type: the engine computes a four-element Yagi.
    EXPECT_EQ(engine.calls[1].AntennaType, 4);
    EXPECT_EQ(engine.calls[1].stack.AntennaHeight, (std::array<float, 4>{120, 90, 0, 0}));
    EXPECT_EQ(engine.calls[1].stack.Phase, (std::array<std::int16_t, 4>{1, -1, 1, 1}));

    // Two sections, each followed by the driver's empty line.
    ASSERT_EQ(r.results.size(), 2u * (4 + 35 + 1 + 1));
    EXPECT_EQ(r.results[1], "\"Brisco: FLAT.PRO\"");
    EXPECT_EQ(r.results[41 + 1], "\"Brisco: HILL.PRO\"");
    EXPECT_EQ(r.graph.texts.lblTerr3, "HILL.PRO");
    EXPECT_EQ(r.graph.texts.lblTerr2, "");
}

TEST_F(AssessmentTest, OptionsReachTheEngine) {
    model.chooseTerrain(0, flat);
    model.applyHeights({{{"", "30"}, {}, {}, {}}});
    Options o;
    o.groundRow = 8;
    o.diffractionOff = true;
    o.units = Units::Meters;
    o.logAngle = "7,5";
    model.applyOptions(o);
    ComputeResult r = compute();
    ASSERT_EQ(engine.calls.size(), 1u);
    EXPECT_FLOAT_EQ(engine.calls[0].Conductivity, 5000.0f);
    EXPECT_FLOAT_EQ(engine.calls[0].Dielectric, 80);
    EXPECT_EQ(engine.calls[0].DiffractionOff, 1);
    EXPECT_FLOAT_EQ(engine.calls[0].LogAngle, 7.5f);
    EXPECT_EQ(engine.calls[0].LogFlag, 0);
    // The heights were rewritten in metres by the switch, and reach the engine in feet.
    EXPECT_EQ(model.heights(0), "9.1");
    EXPECT_NEAR(engine.calls[0].stack.AntennaHeight[0], 29.86, 0.01);
    EXPECT_EQ(model.texts().lblDiffraction, "OFF");
    EXPECT_EQ(model.texts().lblFeet3, "meters");
    EXPECT_EQ(r.results[0], "\"14.2 MHz    Ants: 9.1 m\"");
}

TEST_F(AssessmentTest, RatedWhenAStatisticsFileIsChosen) {
    model.chooseTerrain(0, flat);
    model.applyHeights({{{"", "100"}, {}, {}, {}}});
    EXPECT_TRUE(model.chooseStatistics(stats).messages.empty());
    ComputeResult r = compute();
    ASSERT_TRUE(r.merit[0].has_value());
    EXPECT_NEAR(*r.merit[0], 10.0, 1e-9);
    EXPECT_EQ(r.results[39], "\"For STATS.PRN: Figure of Merit = 10.0\"");
    EXPECT_EQ(r.graph.texts.lblFOM1, "Fig. of Merit: 10.0");
    EXPECT_EQ(r.graph.statBars.size(), 34u);

    // A band the file holds nothing for, and bands it has no column for, are not rated
    // (the table of columns would send 1.9 and 50.1 MHz to the 10 m column).
    for (const char* frequency : {"7,1", "1.9", "50.1"}) {
        model.setFrequency(frequency);
        r = compute();
        EXPECT_TRUE(r.computed) << frequency;
        EXPECT_FALSE(r.merit[0].has_value()) << frequency;
        EXPECT_EQ(r.results.size(), 41u) << frequency; // the section has no merit line
        EXPECT_EQ(r.graph.texts.lblFOM1, NoBandStatistics) << frequency;
        EXPECT_EQ(r.graph.texts.lblStatFile, "STATS.PRN");
        EXPECT_TRUE(r.graph.statBars.empty()) << frequency;
        ASSERT_EQ(r.messages.size(), 1u) << frequency;
        EXPECT_EQ(r.messages[0].title, "Brisco");
        EXPECT_NE(r.messages[0].text.find("No figure of merit"), std::string::npos);
    }
    EXPECT_NE(r.messages[0].text.find("no statistics for 50.1 MHz"), std::string::npos);
}

TEST_F(AssessmentTest, WhatStopsAComputation) {
    ComputeResult r = compute();
    EXPECT_FALSE(r.computed);
    EXPECT_EQ(r.messages, (std::vector<Message>{NoFirstTerrain}));

    model.chooseTerrain(0, flat);
    model.applyHeights({{{"", "100"}, {}, {}, {}}});
    r = model.Compute(missingEngine(), {});
    EXPECT_FALSE(r.computed);
    EXPECT_EQ(r.messages[0].text, "The engine library is missing.");
    for (float g : r.gains[0]) EXPECT_FLOAT_EQ(g, -30);

    model.chooseTerrain(1, folder.file("GONE.PRO"));
    r = compute();
    EXPECT_FALSE(r.computed);
    EXPECT_TRUE(r.results.empty());
    EXPECT_NE(r.messages[0].text.find("GONE.PRO"), std::string::npos);

    model.chooseTerrain(1, flat);
    model.applyHeights({{{"", "1/2/3/4/5"}, {}, {}, {}}});
    r = compute();
    EXPECT_FALSE(r.computed);
    EXPECT_NE(r.messages[0].text.find("1/2/3/4/5"), std::string::npos);
    EXPECT_EQ(r.messages[0].title, "File 1: FLAT.PRO");

    // Heights that give no antenna, or one under the ground or out of reach, would compute
    // the floor in silence.
    for (const char* unusable : {"", "abc", "0/0", "-50/100", "1e30"}) {
        model.applyHeights({{{"", "100"}, {"", unusable}, {}, {}}});
        r = compute();
        EXPECT_FALSE(r.computed) << unusable;
        EXPECT_TRUE(r.results.empty()) << unusable;
        ASSERT_EQ(r.messages.size(), 1u) << unusable;
        EXPECT_NE(r.messages[0].text.find("Enter one to four heights"), std::string::npos);
    }

    model.applyHeights({{{"", "100"}, {}, {}, {}}});
    model.setFrequency("0");
    EXPECT_FALSE(compute().computed);

    // What the engine would refuse with the floor, Brisco refuses first and says why.
    model.setFrequency("1000000");
    r = compute();
    EXPECT_FALSE(r.computed);
    EXPECT_EQ(r.messages[0].text.substr(0, 32), "1000000.0 MHz is above 300 MHz, ");
    model.setFrequency("14.2");
    const std::pair<const char*, const char*> absurd[] = {
        {"0 100\n500 100\n600000 100\n", "line 3 (600000 ft, 100 ft) lies farther"},
        {"Meters\n0 10\n100 -9500\n", "line 3 (328 ft, -31168 ft) lies higher or lower"}};
    for (const auto& [text, why] : absurd) {
        model.chooseTerrain(1, folder.write("FAR.PRO", text));
        r = compute();
        EXPECT_FALSE(r.computed) << text;
        EXPECT_TRUE(engine.calls.empty() || engine.calls.back().profile.Distance[2] != 600000);
        ASSERT_FALSE(r.messages.empty());
        EXPECT_NE(r.messages.back().text.find(why), std::string::npos) << r.messages.back().text;
        EXPECT_EQ(r.messages.back().title, "File 2: FAR.PRO");
    }
    // At the limits themselves the engine still computes.
    model.chooseTerrain(1, folder.write("FAR.PRO", "0 30000\n500000 -30000\n"));
    model.applyHeights({{{"", "100"}, {"", "100"}, {}, {}}});
    EXPECT_TRUE(compute().computed);
}

TEST_F(AssessmentTest, ResultsFileCollectsEveryComputation) {
    folder.write("VEXLO.DEF", "feet\n14.2 MHz\n");
    folder.write("OUT.PRN", "old results\n");
    ASSERT_TRUE(model.StartUp().empty());
    EXPECT_TRUE(folder.lines("OUT.PRN").empty()); // emptied at start-up

    model.chooseTerrain(0, flat);
    for (int run = 0; run < 2; ++run) ASSERT_TRUE(model.AppendResults(compute().results).ok());
    std::vector<std::string> out = folder.lines("OUT.PRN");
    EXPECT_EQ(out.size(), 2u * 41);
    EXPECT_EQ(out[41 + 1], "\"Brisco: FLAT.PRO\"");
}

TEST_F(AssessmentTest, AMissingDefaultsFileIsReplacedByTheStartUpFile) {
    folder.write("OUT.PRN", "kept\n");
    EXPECT_TRUE(model.StartUp().empty());
    EXPECT_EQ(folder.lines("VEXLO.DEF"), FallbackDefaultsLines());
    EXPECT_EQ(folder.lines("OUT.PRN"), (std::vector<std::string>{"kept"}));
    EXPECT_EQ(model.heights(0), "100");
    EXPECT_EQ(model.type(0), "4-Ele.");
    EXPECT_EQ(model.typeCode(0), 4);
    EXPECT_EQ(model.texts().txtFreq, "14.2");
    EXPECT_EQ(model.graphPlacement().left, 24);
}

TEST_F(AssessmentTest, DefaultsSurviveARestart) {
    model.chooseTerrain(0, flat);
    model.chooseTerrain(3, hill);
    model.applyHeights({{{"Dipole", "100/50*"}, {}, {}, {"6-Ele.", "40"}}});
    (void)model.chooseStatistics(stats);
    model.setFrequency("21,2");
    model.rememberGraphPlacement({-150, 10, 6000, 8000});
    ASSERT_TRUE(model.SaveDefaults({1500, 600, 7000, 9000}, 1920 * 15).ok());
    std::vector<std::string> saved = folder.lines("VEXLO.DEF");
    ASSERT_EQ(saved.size(), 20u);
    EXPECT_EQ(saved[3], "24;36:6672,8472"); // left edge off the screen: the default
    EXPECT_EQ(saved[5], "1,0,0,6");
    EXPECT_EQ(std::vector<std::string>(saved.begin() + 12, saved.begin() + 15),
              (std::vector<std::string>{"", "", ""}));

    Assessment next(folder.path());
    EXPECT_TRUE(next.StartUp().empty());
    EXPECT_EQ(next.terrain(0), "FLAT.PRO");
    EXPECT_EQ(next.path(0), flat);
    EXPECT_EQ(next.heights(0), "100/50*");
    EXPECT_EQ(next.type(0), "Dipole");
    EXPECT_EQ(next.terrain(2), "");
    EXPECT_EQ(next.terrain(3), "HILL.PRO");
    EXPECT_EQ(next.type(3), "6-Ele.");
    EXPECT_EQ(next.texts().txtFreq, "21.2");
    EXPECT_EQ(next.texts().txtElevFile, "STATS.PRN");
    EXPECT_EQ(next.mainPlacement().left, 1500);
}

TEST_F(AssessmentTest, ASlotWithoutPathOnlyNamesTheDialogsLabel) {
    std::vector<std::string> lines = FallbackDefaultsLines();
    lines[13] = "ORPHAN.PRO"; // slot 3's name line, its path line empty
    lines[14] = "55";
    folder.write("VEXLO.DEF", common::JoinLines(lines));
    (void)model.StartUp();
    EXPECT_EQ(model.terrain(2), "");
    EXPECT_EQ(model.heights(2), "");
    EXPECT_EQ(model.slotLabel(2), "ORPHAN.PRO");
}

TEST_F(AssessmentTest, ABadStatisticsFileCostsOnlyTheStatisticsSelection) {
    model.chooseTerrain(0, flat);
    model.chooseTerrain(1, hill);
    (void)model.chooseStatistics(stats);
    model.setFrequency("7.1");
    ASSERT_TRUE(model.SaveDefaults({1500, 600, 7000, 9000}, 1920 * 15).ok());
    std::vector<std::string> before = folder.lines("VEXLO.DEF");

    for (const char* damage : {"", "Elev\n1 2 3\n"}) {
        std::filesystem::remove(stats);
        if (*damage) folder.write("STATS.PRN", damage);
        Assessment next(folder.path());
        std::vector<Message> messages = next.StartUp();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_NE(messages[0].text.find(stats), std::string::npos);
        EXPECT_EQ(next.texts().txtElevFile, "");
        EXPECT_EQ(next.texts().txtSubTerr, "");
        EXPECT_EQ(next.terrain(1), "HILL.PRO");
        EXPECT_EQ(next.texts().txtFreq, "7.1");
        EXPECT_EQ(folder.lines("VEXLO.DEF"), before);
    }
}

TEST_F(AssessmentTest, DamagedDefaultsFilesNeverStopTheStart) {
    std::string noise(5000, '\0');
    for (size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<char>(i * 131 % 256);
    for (const std::string& content :
         {std::string("\n"), std::string("feet\n14.2"), noise, std::string(20, '\n')}) {
        folder.write("VEXLO.DEF", content);
        Assessment next(folder.path());
        (void)next.StartUp();
        next.chooseTerrain(0, flat);
        next.applyHeights({{{"", "100"}, {}, {}, {}}});
        next.setFrequency("14.2");
        ComputeResult r = next.Compute(engine.source(), {});
        EXPECT_TRUE(r.computed) << (r.messages.empty() ? "" : r.messages[0].text);
        // The file stays as it was until the program leaves.
        std::ifstream in(folder.file("VEXLO.DEF"), std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), content);
    }
}

TEST_F(AssessmentTest, ClearingASlotForgetsItsAntennas) {
    model.chooseTerrain(1, hill);
    model.applyHeights({{{}, {"3-Ele.", "60"}, {}, {}}});
    model.clearSlot(1);
    EXPECT_EQ(model.terrain(1), "");
    EXPECT_EQ(model.path(1), "");
    EXPECT_EQ(model.heights(1), "");
    EXPECT_EQ(model.type(1), "");
    EXPECT_EQ(model.typeCode(1), 0);
}

TEST_F(AssessmentTest, UnitSwitchRewritesTheSlotsInUse) {
    model.chooseTerrain(0, flat);
    model.chooseTerrain(1, hill);
    model.applyHeights({{{"", "100/70"}, {"", "120/90*"}, {"", "50"}, {}}});
    Options metres;
    metres.units = Units::Meters;
    model.applyOptions(metres);
    EXPECT_EQ(model.heights(0), "30.5/21.3");
    EXPECT_EQ(model.heights(1), "36.6/27.4*");
    EXPECT_EQ(model.heights(2), "50"); // no terrain in slot 3: left alone
    model.applyOptions(Options{});
    EXPECT_EQ(model.heights(0), "100/70");
    EXPECT_EQ(model.texts().lblFeet1, "feet");
}

TEST_F(AssessmentTest, TheEngineLogIsTitledWithEachSlotsTerrain) {
    model.chooseTerrain(0, flat);
    model.chooseTerrain(1, hill);
    model.applyHeights({{{"", "100"}, {"", "50"}, {}, {}}});
    model.setLogFlag(true);
    ComputeResult r = compute();
    EXPECT_EQ(engine.calls[0].LogFlag, 1);
    EXPECT_EQ(folder.lines("TEST4.PRN"),
              (std::vector<std::string>{"\"Filename: FLAT.PRO\"", "\"Filename: HILL.PRO\""}));
}

// An installed suite: samples beside the program, named there without a folder, and the
// defaults and results files in the user's folders.
TEST_F(AssessmentTest, NamesBesideTheProgramStayFolderLessAndFilesGoWhereTheyAreSent) {
    TestFolder user;
    std::vector<std::string> lines = FallbackDefaultsLines();
    lines[6] = lines[7] = "FLAT.PRO"; // slot 1's path and name, a bare name
    lines[18] = lines[19] = "STATS.PRN";
    user.write("VEXLO.DEF", common::JoinLines(lines));
    Assessment installed(folder.path(), user.file("VEXLO.DEF"), user.path());
    EXPECT_TRUE(installed.StartUp().empty());
    EXPECT_EQ(installed.path(0), flat) << "read from the program's folder";
    installed.applyHeights({{{"4-Ele.", "100"}, {}, {}, {}}});
    installed.setLogFlag(true);
    ComputeResult r = installed.Compute(engine.source(), {});
    ASSERT_TRUE(r.computed);
    ASSERT_TRUE(installed.AppendResults({"result"}).ok());
    ASSERT_TRUE(installed.SaveDefaults({1500, 600, 7000, 9000}, 1920 * 15).ok());
    const std::vector<std::string> saved = user.lines("VEXLO.DEF");
    ASSERT_EQ(saved.size(), 20u);
    EXPECT_EQ(saved[6], "FLAT.PRO");
    EXPECT_EQ(saved[18], "STATS.PRN");
    EXPECT_FALSE(user.lines("OUT.PRN").empty());
    EXPECT_FALSE(user.lines("TEST4.PRN").empty());
    EXPECT_STREQ(std::getenv(VEXLO_LOG_FOLDER), user.path().c_str()) << "the engine's lines too";
    for (const char* written : {"VEXLO.DEF", "OUT.PRN", "TEST4.PRN"})
        EXPECT_FALSE(std::filesystem::exists(folder.file(written))) << written;
}
