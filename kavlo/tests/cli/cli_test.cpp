#include "kavlo/cli/cli.h"

#include <gtest/gtest.h>
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
