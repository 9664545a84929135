#include "brisco/cli/cli.h"
#include "common/qt/engine_binding.h"

#include "test_folder.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace brisco;
using brisco::fixtures::TestFolder;

namespace {

struct CliRun {
    int code;
    std::string out, err;
};

// A made-up engine: 3 dBi plus a tenth of a dB per foot of the first antenna.
EngineSource madeUp(std::vector<EngineCall>* calls = nullptr) {
    return [calls]() -> common::Result<TerrainEngine> {
        return TerrainEngine([calls](const EngineCall& c, SlotGains& gains) {
            if (calls) calls->push_back(c);
            for (int k = 1; k <= GainCount; ++k) gains[k] = 3 + c.stack.AntennaHeight[0] / 10;
        });
    };
}

CliRun run(std::vector<std::string> args, const EngineSource& engine = madeUp()) {
    std::ostringstream out, err;
    int code = RunCli(args, out, err, engine);
    return {code, out.str(), err.str()};
}

class CliTest : public ::testing::Test {
protected:
    TestFolder folder;
    std::string flat = folder.write("FLAT.PRO", "0 500\n1000 500\n");
    std::string stats = folder.write("STATS.PRN", fixtures::StatsFile(4, 5.0, 20));
};

} // namespace

TEST_F(CliTest, SectionsAndFiguresOfMerit) {
    std::vector<EngineCall> calls;
    CliRun r = run({"--freq", "14,2", "--slot", flat + ":100:Dipole", "--slot", flat + ":50/40*:7",
                    "--stats", stats, "--ground", "8", "--diffraction-off"},
                   madeUp(&calls));
    ASSERT_EQ(r.code, 0) << r.err;
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].AntennaType, 1);
    EXPECT_EQ(calls[1].AntennaType, 7);
    EXPECT_EQ(calls[1].stack.Phase[1], -1);
    EXPECT_FLOAT_EQ(calls[0].Conductivity, 5000);
    EXPECT_EQ(calls[0].DiffractionOff, 1);
    EXPECT_NE(
        r.out.find("\"14.2 MHz    Ants: 100 feet\"\n\"Brisco: FLAT.PRO\"\n\"Antenna: Dipole\""),
        std::string::npos);
    EXPECT_NE(r.out.find("\"For STATS.PRN: Figure of Merit = 13.0\""), std::string::npos);
    EXPECT_NE(r.out.find("lblFOM1=Fig. of Merit: 13.0\n"), std::string::npos);
    EXPECT_NE(r.out.find("lblFOM2=Fig. of Merit: 8.0\n"), std::string::npos);
    EXPECT_NE(r.out.find("lblHt2=50/40* ft\n"), std::string::npos);
}

TEST_F(CliTest, MetresGainsTableAndResultsFile) {
    std::vector<EngineCall> calls;
    CliRun r = run({"--freq", "7.1", "--meters", "--slot", flat + ":30", "--csv", "-o",
                    folder.file("RESULTS.PRN")},
                   madeUp(&calls));
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NEAR(calls[0].stack.AntennaHeight[0], 98.425, 0.001);
    EXPECT_EQ(calls[0].AntennaType, 4);
    std::vector<std::string> lines = folder.lines("RESULTS.PRN");
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "\"7.1 MHz    Ants: 30 m\"");
    std::istringstream table(r.out);
    std::string header, first;
    std::getline(table, header);
    std::getline(table, first);
    EXPECT_EQ(header, "\"Elevation angle, degrees\",\"FLAT.PRO\"");
    EXPECT_EQ(first.substr(0, 5), "0.25,");
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 141);
}

TEST_F(CliTest, RefusedFilesAndValues) {
    CliRun missing = run({"--freq", "14.2", "--slot", folder.file("GONE.PRO") + ":100"});
    EXPECT_EQ(missing.code, 1);
    EXPECT_NE(missing.err.find("GONE.PRO"), std::string::npos);

    CliRun badStats = run({"--freq", "14.2", "--slot", flat + ":100", "--stats",
                           folder.write("BAD.PRN", "nothing here")});
    EXPECT_EQ(badStats.code, 1);
    EXPECT_NE(badStats.err.find("has an error. Examine it with a word processor."),
              std::string::npos);

    CliRun results =
        run({"--freq", "14.2", "--slot", flat + ":100", "--stats", folder.write("OUT.PRN", "")});
    EXPECT_EQ(results.code, 1);
    EXPECT_EQ(results.err, "OUT.PRN is not valid for elevation statistics file. Choose another.\n");

    EXPECT_EQ(run({"--freq", "14.2", "--slot", flat + ":1/2/3/4/5"}).code, 1);
    EXPECT_EQ(run({"--freq", "14.2", "--slot", flat + ":100", "--ground", "9"}).code, 1);
    EXPECT_EQ(run({"--freq", "14.2", "--slot", flat + ":100:9-Ele."}).code, 2);
    EXPECT_EQ(run({"--slot", flat + ":100"}).code, 2);
    EXPECT_EQ(run({"--freq", "14.2"}).code, 2);
    EXPECT_EQ(run({"--freq", "14.2", "--slot", "a:1", "--slot", "b:1", "--slot", "c:1", "--slot",
                   "d:1", "--slot", "e:1"})
                  .code,
              2);
    EXPECT_EQ(run({"--help"}).code, 0);
}

TEST_F(CliTest, TheBuiltEngineComputesTheSampleSites) {
    CliRun r = run({"--freq", "14.2", "--slot", SUITE_DIR "/FLAT.PRO:100:4-Ele.", "--slot",
                    SUITE_DIR "/RIDGE.PRO:100:4-Ele.", "--stats", SUITE_DIR "/HOPS.PRN"},
                   EngineFrom(common::BindEngine<TerrainRoutines>(SUITE_DIR)));
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 2 * (4 + 35 + 2 + 1) + 19);
    EXPECT_NE(r.out.find("lblFOM2=Fig. of Merit: "), std::string::npos);
}

TEST_F(CliTest, EveryBandAtOnce) {
    std::vector<EngineCall> calls;
    CliRun r = run({"--bands", "--stats", stats, "--slot", flat + ":100", "--slot", flat + ":50"},
                   madeUp(&calls));
    ASSERT_EQ(r.code, 0) << r.err;
    // Every band at its centre, each slot in turn; only 20 m holds statistics here.
    ASSERT_EQ(calls.size(), 16u);
    EXPECT_FLOAT_EQ(calls[0].Frequency, 3.75f);
    EXPECT_FLOAT_EQ(calls[6].Frequency, 14.175f);
    EXPECT_FLOAT_EQ(calls[15].Frequency, 28.85f);
    EXPECT_EQ(r.out, "Slot,80 m,40 m,30 m,20 m,17 m,15 m,12 m,10 m,80 m from 1,40 m from 1,"
                     "30 m from 1,20 m from 1,17 m from 1,15 m from 1,12 m from 1,10 m from 1\n"
                     "\"FLAT.PRO\",,,,13.0,,,,,,,,0.0,,,,\n"
                     "\"FLAT.PRO\",,,,8.0,,,,,,,,-5.0,,,,\n");
    EXPECT_NE(r.err.find("holds no statistics for the band of 3.75 MHz"), std::string::npos);

    EXPECT_EQ(run({"--bands", "--slot", flat + ":100"}).code, 2); // rated by the statistics
}

TEST_F(CliTest, ProfilesCutFromElevationDataAreWrittenAndRated) {
    // An ASCII grid of level ground 100 m up around 45 N 7 E, with a void in its east.
    std::string grid = "ncols 100\nnrows 100\nxllcorner 7.0\nyllcorner 45.0\ncellsize 0.001\n"
                       "NODATA_value -9999\n";
    for (int r = 0; r < 100; ++r) {
        for (int c = 0; c < 100; ++c) grid += c >= 90 ? "-9999 " : "100 ";
        grid += "\n";
    }
    const std::string dem = folder.write("level.asc", grid);
    const std::string out = folder.file("cut");
    CliRun r = run({"--dem", dem, "--qth", "45.05,7.05", "--azimuth", "0:90:45", "--length", "1490",
                    "--profiles-out", out});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, out + "/AZ000.PRO\n" + out + "/AZ045.PRO\n" + out + "/AZ090.PRO\n");
    const std::vector<std::string> lines = folder.lines("cut/AZ045.PRO");
    ASSERT_EQ(lines.size(), 150u);
    EXPECT_EQ(lines[0], ".0  328.1");
    EXPECT_EQ(lines[149], "1490.0  328.1");

    std::vector<EngineCall> calls;
    r = run({"--dem", dem, "--qth", "JN35mb", "--azimuth", "90", "--slot-heights", "100",
             "--slot-heights", "50:Dipole", "--stats", stats, "--length", "2000", "--freq", "14.2"},
            madeUp(&calls));
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "Azimuth,FigureOfMerit,MaxGainDBi,PeakAngle,FigureOfMerit 2,MaxGainDBi 2,"
                     "PeakAngle 2\n90,13.00,13.00,0.25,8.00,8.00,0.25\n");
    EXPECT_EQ(calls.size(), 4u); // flat ground and the azimuth, two stacks each
    EXPECT_EQ(calls[1].AntennaType, 1);

    // The void east of 7.09 E: refused, saying where.
    r = run({"--dem", dem, "--qth", "45.05,7.05", "--azimuth", "90", "--length", "20000",
             "--profiles-out", out});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("hold no value at 45.0"), std::string::npos) << r.err;
    EXPECT_EQ(run({"--dem", dem, "--qth", "XX99", "--azimuth", "0", "--profiles-out", out}).code,
              1);
    // Nothing to do, a stack without statistics, or a slot with a profile: usage.
    EXPECT_EQ(run({"--dem", dem, "--qth", "JN35", "--azimuth", "0"}).code, 2);
    EXPECT_EQ(run({"--dem", dem, "--qth", "JN35", "--azimuth", "0", "--slot-heights", "100"}).code,
              2);
    EXPECT_EQ(run({"--qth", "JN35", "--freq", "14", "--slot", flat + ":100"}).code, 2);
}
