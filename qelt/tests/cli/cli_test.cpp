// qelt-cli: what it prints, and how it says no.
#include "cli_for_tests.h"
#include "engine_for_tests.h"

#include "qelt/cli/cli.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sstream>

using qelt_test::Cli;
using qelt_test::CliRun;
using qelt_test::Sample;

namespace {

using qelt_test::Cli;
using qelt_test::CliRun;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) lines.push_back(l);
    return lines;
}

} // namespace

TEST(QeltCli, PrintsTheWindowsResultLines) {
    const CliRun r = Cli({Sample("2EL20M.QELT")});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::vector<std::string> lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], "lblFile=2EL20M.QELT");
    EXPECT_EQ(lines[1], "lblEleBoom=2 ele., boom = 9.8 feet");
    EXPECT_EQ(lines[2], "lblF1=Freq:     14.000 MHz       14.175 MHz       14.350 MHz");
    EXPECT_EQ(lines[3].rfind("lblF2=Gain:          6.74 dBi", 0), 0u);
    EXPECT_EQ(lines[6].rfind("lblF5=SWR:", 0), 0u);
}

TEST(QeltCli, HeightUnitsRatioAndPattern) {
    const CliRun r = Cli(
        {Sample("3EL15M.QELT"), "--meters", "--height", "9,144", "--fb", "--pattern", "21.225"});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::vector<std::string> lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 14u);
    EXPECT_EQ(lines[1], "lblEleBoom=3 ele., boom = 4.3 m");
    EXPECT_EQ(lines[4].rfind("lblF3=F/B:", 0), 0u);
    EXPECT_EQ(lines[7].rfind("lblTitle=Azim./Elev., 21.225 MHz, Peak = ", 0), 0u);
    EXPECT_EQ(lines[9].rfind("lblBeamwidth1=Az BW: ", 0), 0u);
    EXPECT_EQ(lines[10].rfind("lblBeamwidth2=El BW: ", 0), 0u);
    EXPECT_EQ(lines[11].rfind("lblRatio=F/B: ", 0), 0u);
    EXPECT_EQ(lines[12], "lblHeight=Height: 9.1 m");
    EXPECT_EQ(lines[13], "lblPeakAngle=Peak elev. angle: 22 deg.") << "9.144 m is 30 ft";
}

TEST(QeltCli, SweepAsCsv) {
    const CliRun r = Cli({Sample("5EL10M.QELT"), "--csv"});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::vector<std::string> lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[0], "MHz,Gain (dBi),F/B (dB),F/R (dB),R (ohms),X (ohms),SWR");
    EXPECT_EQ(lines[1].rfind("28,9.3", 0), 0u) << lines[1];
    EXPECT_EQ(lines[11].rfind("28.8,9.8", 0), 0u) << lines[11];
}

TEST(QeltCli, RefusalsSayWhyAndExitNonZero) {
    CliRun r = Cli({Sample("NONE.QELT")});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(Lines(r.err).front(), "The file  '" + Sample("NONE.QELT") +
                                        "'  has an error. Examine it with a word processor.");
    EXPECT_EQ(r.out, "");
    const std::string noDiameter = qelt_test::WriteAntenna(
        "NODIA.QELT", "t\n14 14.1 14.2\n2 elements\n1 1\n0 100 100 12\n100 100 100 10\n");
    r = Cli({noDiameter});
    EXPECT_EQ(r.code, 1) << "figures the engine could not compute are not printed";
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(Lines(r.err).back(), "An element has no length or no diameter.");
    r = Cli({Sample("2EL20M.QELT"), "--height", "tall"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "The height must be a number of feet, 0 for free space.\n");
    r = Cli({Sample("2EL20M.QELT"), "--pattern", "x"});
    EXPECT_EQ(r.code, 1);
    for (const std::vector<std::string>& usage : {std::vector<std::string>{},
                                                  {"a", "b"},
                                                  {"a", "--color"},
                                                  {"a", "--height"},
                                                  {"a", "--csv", "--pattern", "14"}}) {
        EXPECT_EQ(Cli(usage).code, 2);
        EXPECT_EQ(Cli(usage).err.rfind("usage: qelt-cli", 0), 0u);
    }
}

TEST(QeltCli, MatchSaveAndNecDeck) {
    const std::string saved = qelt_test::WriteAntenna("SAVED", "");
    const std::string deck = qelt_test::WriteAntenna("DECK.NEC", "");
    const CliRun r = Cli({Sample("4EL20M.YAG"), "--match", "gamma", "--freq", "14,2", "--rod-dia",
                          "0.375", "--save", saved, "--mm", "--nec", deck});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::vector<std::string> lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(lines[0], "lblFile=SAVED.QELT") << "the name it was saved under";
    EXPECT_EQ(lines[7], "lblMatch=Gamma");
    EXPECT_EQ(lines[8].rfind("lblDEZ=Feed-point Z:     ", 0), 0u);
    EXPECT_EQ(lines[9].rfind("lblNeed=Needs X = 0.0 ohms, a resonant element: the feed is ", 0),
              0u);
    EXPECT_EQ(lines[10].rfind("lblAssumes=Assumes step-up x R above Z0: ", 0), 0u);
    EXPECT_EQ(lines[11].rfind("lblLength=Gamma rod length = ", 0), 0u);
    EXPECT_EQ(lines[12].rfind("lblReac=Gamma capacitance = ", 0), 0u);

    // The saved file opens again, in millimetres, and with its own sweep.
    const CliRun back = Cli({saved + ".QELT"});
    ASSERT_EQ(back.code, 0) << back.err;
    EXPECT_EQ(Lines(back.out)[3], Lines(Cli({Sample("4EL20M.YAG")}).out)[3]) << "the gain";
    EXPECT_EQ(std::filesystem::file_size(deck) > 0, true);

    const CliRun hairpin = Cli({Sample("4EL20M.YAG"), "--match", "hairpin", "--z0", "20"});
    EXPECT_EQ(hairpin.code, 1);
    EXPECT_EQ(hairpin.err, "Hairpin match won't work\n");
    const CliRun low = Cli({Sample("2EL20M.QELT"), "--height", "13"});
    EXPECT_EQ(low.code, 1);
    EXPECT_EQ(low.err, "The height is too low. Specify height above 0.2 wavelength, please.\n");
    for (const std::vector<std::string>& usage : {std::vector<std::string>{"a", "--freq", "14"},
                                                  {"a", "--match", "delta"},
                                                  {"a", "--adjust-driven"},
                                                  {"a", "--mm"},
                                                  {"a", "--nec-tapered"}})
        EXPECT_EQ(Cli(usage).code, 2) << usage[1];
}

// 4EL20M.YAG: a hairpin on the feed as loaded gives 2.58:1 at its own design
// frequency; with the driven element adjusted first, at most 1.05:1.
TEST(QeltCli, MatchWithTheDrivenElementAdjusted) {
    const CliRun plain = Cli({Sample("4EL20M.YAG"), "--match", "hairpin"});
    ASSERT_EQ(plain.code, 0) << plain.err;
    EXPECT_EQ(Lines(plain.out)[6],
              "lblF5=SWR:          1.51:1               2.58:1               3.99:1");
    for (const char* network : {"hairpin", "gamma"}) {
        const CliRun r = Cli({Sample("4EL20M.YAG"), "--match", network, "--adjust-driven"});
        ASSERT_EQ(r.code, 0) << r.err;
        const std::vector<std::string> lines = Lines(r.out);
        ASSERT_EQ(lines.size(), 14u) << r.out;
        const std::string swr = lines[6];
        const double centre = std::stod(swr.substr(swr.find(":1") + 2));
        EXPECT_LE(centre, 1.05) << swr;
        EXPECT_EQ(lines[13].rfind("lblAdjusted=Driven element adjusted: tip 104.4 -> ", 0), 0u)
            << lines[13];
    }
    const CliRun refused =
        Cli({Sample("4EL20M.YAG"), "--match", "hairpin", "--z0", "20", "--adjust-driven"});
    EXPECT_EQ(refused.code, 1);
    EXPECT_EQ(refused.err.rfind("Hairpin match won't work", 0), 0u) << refused.err;
}

// A copy of the program in a folder without the engine: a message, not a crash.
TEST(QeltCli, MissingEngineLibrary) {
    const std::filesystem::path dir = std::filesystem::path(testing::TempDir()) / "qelt_no_engine";
    std::filesystem::create_directories(dir);
    std::filesystem::copy_file(SUITE_DIR "/qelt-cli", dir / "qelt-cli",
                               std::filesystem::copy_options::overwrite_existing);
    const std::string command =
        (dir / "qelt-cli").string() + " " + Sample("2EL20M.QELT") + " 2>&1; echo status=$?";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_TRUE(pipe);
    std::string output;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
    pclose(pipe);
    EXPECT_NE(
        output.find("The engine library libyoruk.so could not be loaded. It was looked for in " +
                    dir.string()),
        std::string::npos)
        << output;
    EXPECT_NE(output.find("status=1"), std::string::npos) << output;
}
