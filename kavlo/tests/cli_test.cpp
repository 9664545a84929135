#include "kavlo/cli.h"

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
    EXPECT_NE(metres.out.find("\nTotalLoss=0.0904"), std::string::npos);
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
