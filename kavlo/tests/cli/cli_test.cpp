#include "kavlo/cli/cli.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>

using kavlo::RunCli;

namespace {

struct CliRun {
    int code;
    std::string out, err;
    bool prints(const std::string& line) const {
        return out.find(line + "\n") != std::string::npos;
    }
};

CliRun run(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    int code = RunCli(args, out, err);
    return {code, out.str(), err.str()};
}

} // namespace

TEST(KavloCli, PrintsEveryControlTheWindowShows) {
    CliRun r = run({"--cable", "17", "--freq", "14", "--length", "100", "--r", "50", "--x", "0"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(r.prints("txtFreq=14.0"));
    EXPECT_TRUE(r.prints("txtZ0=50.0 - j 0.33"));
    EXPECT_TRUE(r.prints("txtMLPer=0.78"));
    EXPECT_TRUE(r.prints("lbldBPer=dB/100 Feet"));
    EXPECT_TRUE(r.prints("txtLoadSWR=1.01"));
    EXPECT_TRUE(r.prints("txtImpedIn=50.27 - j 0.43"));
    EXPECT_TRUE(r.prints("LblWarning="));
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 23); // 4 boxes, 19 displays

    CliRun metres = run(
        {"--cable", "17", "--freq", "14", "--meters", "--length", "0,25w", "--input", "--precise"});
    EXPECT_TRUE(metres.prints("txtLength=3.533"));
    EXPECT_TRUE(metres.prints("lblInputZ=Impedance at Load: "));
    EXPECT_TRUE(metres.prints("lblUnits=Meters"));
    EXPECT_NE(metres.out.find("\nTotalLoss=0.0907"), std::string::npos);
}

TEST(KavloCli, RefusedValuesAndBadOptions) {
    CliRun freq = run({"--freq", "6001"});
    EXPECT_EQ(freq.code, 1);
    EXPECT_EQ(freq.err, "Enter frequency more than 20 kHz, less than 6000 MHz\n");
    EXPECT_EQ(freq.out, "");
    EXPECT_EQ(run({"--freq", "0"}).code, 1);
    EXPECT_EQ(run({"--length", "10000"}).err, "Length should be < 9999\n");
    EXPECT_EQ(run({"--cable", "34"}).code, 1);
    EXPECT_EQ(run({"--cable", "x3"}).code, 1);

    EXPECT_EQ(run({"--colour", "red"}).code, 2);
    EXPECT_EQ(run({"--freq"}).code, 2);
    EXPECT_EQ(run({"stray"}).code, 2);
    CliRun help = run({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_EQ(help.out.rfind("usage: kavlo-cli", 0), 0u);
}

TEST(KavloCli, TunerPrintsTheResultPage) {
    CliRun lowPass = run({"--cable", "17", "--freq", "14", "--r", "200", "--length", "0.5w",
                          "--tuner", "lowpass-l", "--precise"});
    EXPECT_EQ(lowPass.code, 0) << lowPass.err;
    EXPECT_EQ(lowPass.err, "");
    EXPECT_TRUE(lowPass.prints("lblNetwork=Low-Pass L-Network"));
    EXPECT_TRUE(lowPass.prints("lblAtPower=At 1500 W:"));
    EXPECT_TRUE(lowPass.prints("lblPart1=L1"));
    EXPECT_TRUE(lowPass.prints("txtValue3=N/A"));
    EXPECT_TRUE(lowPass.prints("Part3=N/A"));
    EXPECT_NE(lowPass.out.find("\nPart1=L 0.9"), std::string::npos);
    EXPECT_NE(lowPass.out.find("\nPart2=C 100."), std::string::npos);
    EXPECT_NE(lowPass.out.find("\nQeff=1.6"), std::string::npos);
    EXPECT_NE(lowPass.out.find("\nPowerIntoLoad="), std::string::npos);
    EXPECT_EQ(std::count(lowPass.out.begin(), lowPass.out.end(), '\n'), 32 + 6);

    CliRun tee = run({"--freq", "7", "--r", "20", "--x", "-30", "--tuner", "tee", "--tee-cap",
                      "150", "--power", "100", "--coil-q", "10"});
    EXPECT_EQ(tee.code, 0);
    EXPECT_EQ(tee.err, "Minimum coil Q is 15 -- Changing back to default 200.\n");
    EXPECT_TRUE(tee.prints("lblNetwork=High-Pass Tee-Network"));
    EXPECT_TRUE(tee.prints("txtValue3=150.0 pF"));
    EXPECT_TRUE(tee.prints("txtQ2=200"));
}

TEST(KavloCli, TunerRefusalAndBadChoice) {
    CliRun pi = run({"--r", "0.05", "--input", "--tuner", "pi"});
    EXPECT_EQ(pi.code, 1);
    EXPECT_EQ(pi.err, "The pi-network will not match this impedance. \n");
    EXPECT_EQ(pi.out, "");
    EXPECT_EQ(run({"--tuner", "gamma"}).code, 2);
    EXPECT_EQ(run({"--tuner", "pi", "--graph", "volt"}).code, 2);
}

TEST(KavloCli, GraphPointsAsCsv) {
    CliRun volts = run({"--cable", "17", "--freq", "14", "--graph", "volt", "--csv", "--power",
                        "100", "--meters", "--length", "30.48"});
    EXPECT_EQ(volts.code, 0);
    EXPECT_EQ(std::count(volts.out.begin(), volts.out.end(), '\n'), 202);
    EXPECT_EQ(
        volts.out.rfind("\"Length, in Meters, from Transmitter\",Voltage (V),Current (A)\n0,", 0),
        0u);
    EXPECT_NE(volts.out.find("\n30.48,"), std::string::npos);

    CliRun texts = run({"--graph", "rx"});
    EXPECT_TRUE(texts.prints("txtPower=At 1500 W"));
    EXPECT_TRUE(texts.prints("txtCable= RG-8A (Belden 8237)"));
    EXPECT_EQ(run({"--graph", "smith"}).code, 2);
}

TEST(KavloCli, SweepsAFileOneLineAFrequency) {
    const std::string folder = ::testing::TempDir();
    const std::string file = folder + "kavlo_cli_sweep.csv", out = folder + "kavlo_cli_sweep.s1p";
    std::ofstream(file) << "MHz,R,X\n3.5,50,0\n3.6,60,-20\n7.2,25,30\n";
    CliRun plain = run({"--sweep", file, "--cable", "17"});
    EXPECT_EQ(plain.code, 0) << plain.err;
    EXPECT_EQ(std::count(plain.out.begin(), plain.out.end(), '\n'), 3);
    EXPECT_EQ(plain.out.substr(0, 29), "3.500 MHz: load 50.00 + j 0.0");

    CliRun csv = run({"--sweep", file, "--csv", "--input", "--s1p", out, "--ref", "75"});
    EXPECT_EQ(csv.code, 0) << csv.err;
    EXPECT_EQ(csv.out.substr(0, csv.out.find('\n')),
              "MHz,LoadR,LoadX,InputR,InputX,SWRLoad,SWRInput,TotalLossDB");
    // With --input the file holds the input end: those columns as typed.
    EXPECT_NE(csv.out.find("\n3.6,"), std::string::npos);
    EXPECT_NE(csv.out.find(",60,-20,"), std::string::npos);
    std::ifstream written(out);
    std::string s1p((std::istreambuf_iterator<char>(written)), {});
    EXPECT_NE(s1p.find("# MHz S RI R 75\n3.5 "), std::string::npos);

    CliRun unwritable = run({"--sweep", file, "--s1p", folder + "no such folder/x.s1p"});
    EXPECT_EQ(unwritable.code, 1);
    EXPECT_EQ(unwritable.err.substr(0, folder.size() + 22), folder + "no such folder/x.s1p: ");

    std::ofstream(file) << "MHz,R,X\n3.5,50,0\n3.6,sixty,-20\n";
    CliRun bad = run({"--sweep", file});
    EXPECT_EQ(bad.code, 1);
    EXPECT_EQ(bad.err, file + " line 3: \"sixty\" is not a number\n");
    EXPECT_EQ(run({"--sweep", file, "--graph", "volt"}).code, 2);
    EXPECT_EQ(run({"--s1p", out}).code, 2);
}

TEST(KavloCli, SmithLinePathAsCsv) {
    CliRun r = run({"--smith", "--csv", "--ref", "75", "--meters", "--r", "25", "--x", "-10"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "Position,R,X,GammaRe,GammaIm");
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 202);
    // (25 - j10 - 75) / (25 - j10 + 75) = (-4900 - j1500) / 10100
    EXPECT_NE(r.out.find("\n0,25,-10,-0.48514851485148514,-0.1485148514851485\n"),
              std::string::npos)
        << r.out.substr(0, 120);
    EXPECT_NE(r.out.find("\n30.48"), std::string::npos); // 100 ft in metres at the input
    EXPECT_EQ(run({"--smith", "--ref", "-5"}).err, "Enter a reference resistance above 0 ohm\n");
    EXPECT_TRUE(run({"--smith"}).prints("txtRef=50"));
}
