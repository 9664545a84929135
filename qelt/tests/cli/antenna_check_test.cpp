// What no real antenna gives is refused, with what in the antenna is wrong.
#include "engine_for_tests.h"

#include "qelt/cli/cli.h"
#include "qelt/core/antenna_check.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

using namespace qelt;
using qelt_test::Engine;
using qelt_test::Opened;
using qelt_test::Sample;
using qelt_test::WriteAntenna;

namespace {

std::string Refusal(const common::Result<>& r) { return r.ok() ? std::string() : r.message(); }

// The two-element sample with one line of the file changed.
std::string TwoElements(const std::string& name, const std::string& from, const std::string& to) {
    std::ifstream in(Sample("2EL20M.QELT"));
    std::stringstream all;
    all << in.rdbuf();
    std::string text = all.str();
    text.replace(text.find(from), from.size(), to);
    return WriteAntenna(name, text);
}

int CliCode(const std::string& path, std::string& err) {
    std::ostringstream out, errors;
    const int code = RunCli({path}, out, errors, SUITE_DIR);
    err = errors.str();
    return code;
}

} // namespace

TEST(AntennaCheck, ImpossibleAntennasAreRefusedWithWhatIsWrong) {
    struct Case {
        std::string path, message;
    };
    const Case cases[] = {
        {WriteAntenna("TOUCH.QELT",
                      "Overlap\n14.000 14.175 14.350 MHz\n2 elements, inches\nSP 0.5 0.5\n"
                      " 0 30\n 0.1 30\n"),
         "Elements 1 and 2 overlap: they are 0.1 inches apart, centre to centre, and their "
         "tubes 1.0 inches thick together. Space them further apart."},
        {TwoElements("BAND.QELT", "14.350 MHz", ".350 MHz"),
         "The band runs from 14.000 MHz down to 0.350 MHz: its high edge is below its low "
         "edge. Correct the band line of the file (low, centre, high)."},
        {TwoElements("HIGH.QELT", "14.000 14.175 14.350", "14000 14175 14350"),
         "The band reaches 14350 MHz, above any the analyser takes (9999.999 MHz). Correct "
         "the band line of the file (low, centre, high)."},
        {TwoElements("LONG.QELT", " 116.000", " 11600.000"),
         "At 14.000 MHz the analysis gives 17.50 dBi, more than 2 elements can give (at most "
         "11.2 dBi): an element is far longer or shorter than the band asks."},
    };
    Analyser a = Opened(Sample("3EL15M.QELT"));
    const MainTexts before = a.texts();
    for (const Case& c : cases) {
        EXPECT_EQ(Refusal(a.open(Engine(), c.path)), c.message) << c.path;
        EXPECT_EQ(a.texts().lblF2, before.lblF2) << "the antenna open stays";
        EXPECT_EQ(a.working().elementCount, 3);
        std::string err;
        EXPECT_EQ(CliCode(c.path, err), 1) << c.path;
        EXPECT_EQ(err, c.message + "\n");
    }
    EXPECT_EQ(Refusal(a.setBand(Engine(), "1e30", "2e30")),
              "The band reaches 2E+30 MHz, above any the analyser takes (9999.999 MHz).");
}

TEST(AntennaCheck, ResultsNoAntennaGivesAreRefused) {
    Sweep sweep;
    for (SweepPoint& p : sweep) {
        p.frequency = 14;
        p.gain = 6;
        p.resistance = 30;
        p.swr = 1.7f;
    }
    EXPECT_TRUE(CheckSweep(sweep, 2, false).ok());
    Sweep negative = sweep;
    negative[3].swr = -2283.62f;
    EXPECT_EQ(Refusal(CheckSweep(negative, 2, false)),
              "At 14.000 MHz the analysis gives an SWR of -2283.62:1, which no antenna has: "
              "look for elements that cross or are far too close, or a band far from the "
              "elements' lengths.");
    Sweep infinite = sweep;
    infinite[10].swr = INFINITY;
    EXPECT_FALSE(CheckSweep(infinite, 2, false).ok());
    Sweep resistance = sweep;
    resistance[0].resistance = -4;
    EXPECT_EQ(Refusal(CheckSweep(resistance, 2, false)).substr(0, 70),
              "At 14.000 MHz the analysis gives a feed-point resistance of -4.0 ohms,");
    resistance[0].resistance = NAN;
    EXPECT_FALSE(CheckSweep(resistance, 2, false).ok());
    // Ground may double the field: 6 dB more over ground than in free space.
    Sweep high = sweep;
    high[5].gain = 15;
    EXPECT_FALSE(CheckSweep(high, 2, false).ok());
    EXPECT_TRUE(CheckSweep(high, 2, true).ok());
    EXPECT_NEAR(MostGainDbi(2, false), 11.22, 0.01);
    EXPECT_NEAR(MostGainDbi(6, true), 26.78, 0.01);
    // A point the engine could not solve carries its own report.
    high[5].trouble = "An element has no length or no diameter.";
    high[5].gain = 99;
    EXPECT_TRUE(CheckSweep(high, 2, false).ok());
}
