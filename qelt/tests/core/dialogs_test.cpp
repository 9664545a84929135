// The main window's model through the built engine, as the height, frequency and match
// dialogs drive it: the height check, the band, designs computed, accepted and
// cancelled, and the SWR of the sweep through the network in force.
#include "engine_for_tests.h"

#include "qelt/core/analyser.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

using namespace qelt;
using qelt_test::Engine;
using qelt_test::Opened;
using qelt_test::Sample;

namespace {

std::string Refusal(const common::Result<>& r) { return r ? "" : r.message(); }

float CentreSwr(const Analyser& a) { return a.lastSweep()[CentrePoint].swr; }

} // namespace

TEST(HeightDialog, NothingBelowAFifthOfAWavelength) {
    EXPECT_NEAR(LowestHeightFeet(14.175), 13.88, 0.005);
    Analyser a = Opened(Sample("2EL20M.QELT"));
    EXPECT_EQ(Refusal(a.setHeight(Engine(), "13")), HeightTooLow);
    EXPECT_TRUE(a.freeSpace()) << "the previous height stays";
    EXPECT_EQ(a.heightBoxes().txtHeight, "0");
    EXPECT_EQ(Refusal(a.setHeight(Engine(), "-20")), HeightTooLow);
    ASSERT_TRUE(a.setHeight(Engine(), "14").ok());
    EXPECT_EQ(a.texts().lblHeight, "14.0 feet");
    ASSERT_TRUE(a.setHeight(Engine(), "0").ok());
    EXPECT_EQ(a.texts().lblHeight, "Free Space");

    Analyser metric = Opened(Sample("2EL20M.QELT"), Units::Metric);
    EXPECT_EQ(Refusal(metric.setHeight(Engine(), "4,23")), HeightTooLow);
    ASSERT_TRUE(metric.setHeight(Engine(), "4,24").ok());
    EXPECT_NEAR(metric.heightFeet(), 4.24 / 0.3048, 1e-9);
    EXPECT_EQ(Refusal(metric.setHeight(Engine(), "1e999")),
              "Enter the height as a number, 0 for free space.");
}

TEST(FrequencyDialog, TheBandAndItsCentre) {
    EXPECT_EQ(CentreText("14.0", "14.35"), "14.175");
    Analyser a = Opened(Sample("3EL15M.QELT"));
    ASSERT_TRUE(a.setBand(Engine(), "14,0", "14.35").ok());
    EXPECT_EQ(a.frequencyBoxes().lblFreqCentre, "14.175");
    EXPECT_FLOAT_EQ(a.lastSweep()[0].frequency, 14.0f);
    EXPECT_FLOAT_EQ(a.lastSweep()[10].frequency, 14.35f);
    EXPECT_EQ(a.frequencyChart().bottomMaximum, 14.35f);

    for (auto [low, high] : {std::pair{"abc", "14.35"}, {"14", ""}, {"0", "14"}, {"-14", "14"}})
        EXPECT_EQ(Refusal(a.setBand(Engine(), low, high)),
                  "Enter the low and high frequencies in MHz, numbers above 0.")
            << low << " " << high;
    EXPECT_EQ(Refusal(a.setBand(Engine(), "14.35", "14")),
              "The low frequency is above the high frequency. Enter the band from low to high.");
    EXPECT_EQ(a.frequencyBoxes().txtFreqLo, "14,0") << "a refusal changes nothing";

    // One frequency is swept 3 % each way, as a one-frequency file is.
    ASSERT_TRUE(a.setBand(Engine(), "21.2", "21.2").ok());
    EXPECT_EQ(a.frequencyBoxes().txtFreqLo, "20.564");
    EXPECT_EQ(a.frequencyBoxes().txtFreqHi, "21.836");
}

TEST(MatchDialog, AnAcceptedGammaMatchesTheSweepAtItsFrequency) {
    Analyser a = Opened(Sample("4EL20M.YAG"));
    EXPECT_EQ(a.matchBoxes().txtFreq, "14.175") << "the band's centre";
    EXPECT_GT(CentreSwr(a), 2.0f);
    a.openMatch();
    a.chooseNetwork(Network::Gamma);
    EXPECT_EQ(a.matchBoxes().lblDia, "Gamma rod diameter: ");
    EXPECT_EQ(a.matchBoxes().lblSpacing, "Gamma rod spacing: ");
    EXPECT_FALSE(a.match().acceptEnabled()) << "nothing designed yet";
    ASSERT_TRUE(a.computeMatch(Engine()).ok());
    EXPECT_EQ(a.matchBoxes().lblDEZ, "Feed-point Z:     23.8 - j 1.5 ohms");
    EXPECT_EQ(a.matchBoxes().lblLength.rfind("Gamma rod length = ", 0), 0u);
    EXPECT_EQ(a.matchBoxes().lblReac.rfind("Gamma capacitance = ", 0), 0u);
    EXPECT_TRUE(a.match().acceptEnabled());
    EXPECT_EQ(a.texts().lblMatch, "None") << "not before Accept";
    ASSERT_TRUE(a.acceptMatch(Engine()).ok());
    EXPECT_EQ(a.texts().lblMatch, "Gamma");
    EXPECT_NEAR(CentreSwr(a), 1.0f, 0.005f);
    EXPECT_GT(a.lastSweep()[0].swr, 1.3f) << "a gamma is narrow";
    EXPECT_NE(a.texts().lblF5.find("1.00:1"), std::string::npos) << a.texts().lblF5;
}

TEST(MatchDialog, RefusalsChangeNothing) {
    Analyser a = Opened(Sample("4EL20M.YAG"));
    a.openMatch();
    a.chooseNetwork(Network::Hairpin);
    ASSERT_TRUE(a.computeMatch(Engine()).ok());
    const std::string length = a.matchBoxes().lblLength;
    ASSERT_TRUE(a.acceptMatch(Engine()).ok());
    const float swr = CentreSwr(a);

    a.openMatch();
    a.typeMatch(MatchBox::Z0, "20"); // below the feed resistance
    EXPECT_EQ(a.matchBoxes().lblLength, "") << "no design for these boxes";
    EXPECT_FALSE(a.match().acceptEnabled());
    EXPECT_EQ(Refusal(a.computeMatch(Engine())), "Hairpin match won't work");
    a.typeMatch(MatchBox::Z0, "50");
    a.typeMatch(MatchBox::Spacing, "0.2");
    EXPECT_EQ(Refusal(a.computeMatch(Engine())), "Choose wider spacing.");
    a.typeMatch(MatchBox::Spacing, "");
    EXPECT_EQ(Refusal(a.computeMatch(Engine())),
              "Enter the rod diameter and spacing, numbers above 0.");
    EXPECT_FALSE(a.match().acceptEnabled());
    a.cancelMatch(Engine());
    EXPECT_EQ(a.texts().lblMatch, "Hairpin");
    EXPECT_EQ(a.matchBoxes().lblLength, length) << "the design in force";
    EXPECT_EQ(a.matchBoxes().txtSpacing, "6") << "the boxes as they were";
    EXPECT_FLOAT_EQ(CentreSwr(a), swr);
}

TEST(MatchDialog, CancelComesBackToTheNetworkInForce) {
    Analyser a = Opened(Sample("4EL20M.YAG"));
    a.openMatch();
    a.chooseNetwork(Network::Gamma);
    ASSERT_TRUE(a.computeMatch(Engine()).ok());
    ASSERT_TRUE(a.acceptMatch(Engine()).ok());
    const float swr = CentreSwr(a);
    a.openMatch();
    EXPECT_EQ(a.match().choice(), Network::Gamma);
    EXPECT_TRUE(a.match().acceptEnabled());
    a.chooseNetwork(Network::Hairpin);
    EXPECT_EQ(a.matchBoxes().lblLength, "") << "the gamma's figures are not the hairpin's";
    ASSERT_TRUE(a.computeMatch(Engine()).ok());
    a.cancelMatch(Engine());
    EXPECT_EQ(a.match().choice(), Network::Gamma);
    EXPECT_EQ(a.match().network(), Network::Gamma);
    EXPECT_EQ(a.matchBoxes().lblLength.rfind("Gamma rod length = ", 0), 0u);
    EXPECT_FLOAT_EQ(CentreSwr(a), swr);

    // None accepted takes the network away.
    a.openMatch();
    a.chooseNetwork(Network::None);
    EXPECT_TRUE(a.match().acceptEnabled());
    ASSERT_TRUE(a.acceptMatch(Engine()).ok());
    EXPECT_EQ(a.texts().lblMatch, "None");
    EXPECT_NEAR(CentreSwr(a), 2.11f, 0.005f);
}

TEST(MatchDialog, TheTipChangesEveryLaterSweep) {
    Analyser a = Opened(Sample("4EL20M.YAG"));
    const float x = a.lastSweep()[CentrePoint].reactance;
    a.openMatch();
    EXPECT_EQ(a.matchBoxes().txtDELength, "104.4");
    EXPECT_EQ(a.matchBoxes().lblOrigLen, "(Original tip length = 104.4 inches)");
    a.typeMatch(MatchBox::Tip, "100");
    ASSERT_TRUE(a.computeMatch(Engine()).ok()) << "no network: the band is swept";
    EXPECT_LT(a.lastSweep()[CentrePoint].reactance, x - 10) << "a shorter element";
    a.cancelMatch(Engine());
    EXPECT_FLOAT_EQ(a.drivenTipLength(), 104.4f) << "Cancel comes back to the tip there was";
    EXPECT_FLOAT_EQ(a.lastSweep()[CentrePoint].reactance, x) << "and sweeps it again";
    a.openMatch();
    a.typeMatch(MatchBox::Tip, "100");
    ASSERT_TRUE(a.computeMatch(Engine()).ok());
    ASSERT_TRUE(a.acceptMatch(Engine()).ok());
    EXPECT_FLOAT_EQ(a.drivenTipLength(), 100);
    a.openMatch();
    EXPECT_EQ(a.matchBoxes().txtDELength, "100.0");
    EXPECT_EQ(a.matchBoxes().lblOrigLen, "(Original tip length = 104.4 inches)");
    ASSERT_TRUE(a.setHeight(Engine(), "40").ok());
    EXPECT_FLOAT_EQ(a.working().tipLength(), 100);

    // A new antenna starts again from its own tip, with no network and a 50-ohm cable.
    ASSERT_TRUE(a.open(Engine(), Sample("2EL20M.QELT")).ok());
    EXPECT_EQ(a.matchBoxes().txtDELength, "101.0");
    EXPECT_EQ(a.match().network(), Network::None);
}

TEST(MatchDialog, MillimetresAreUsedAsInches) {
    Analyser english = Opened(Sample("4EL20M.YAG"));
    Analyser metric = Opened(Sample("4EL20M.YAG"), Units::Metric);
    EXPECT_EQ(metric.matchBoxes().txtSpacing, "152.4");
    EXPECT_EQ(metric.matchBoxes().lblUnits, "mm");
    for (Analyser* a : {&english, &metric}) {
        a->openMatch();
        a->chooseNetwork(Network::Hairpin);
        ASSERT_TRUE(a->computeMatch(Engine()).ok());
    }
    EXPECT_EQ(metric.matchBoxes().lblReac, english.matchBoxes().lblReac);
    EXPECT_EQ(english.matchBoxes().lblLength, "Hairpin length = 13.54 inches");
    EXPECT_EQ(metric.matchBoxes().lblLength, "Hairpin length = 344.02 mm");
}

TEST(MatchDialog, SavedFileRecordsTheNetwork) {
    Analyser a = Opened(Sample("4EL20M.YAG"));
    a.openMatch();
    a.chooseNetwork(Network::Gamma);
    ASSERT_TRUE(a.computeMatch(Engine()).ok());
    ASSERT_TRUE(a.acceptMatch(Engine()).ok());
    const std::string path = qelt_test::WriteAntenna("G.QELT", "");
    ASSERT_TRUE(a.saveAs(path, Units::English).ok());
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    const std::string trailer = text.str().substr(text.str().find("\n \n") + 3);
    EXPECT_EQ(trailer.substr(0, trailer.find("Original file name")),
              "Match frequency: 14.175 MHz\nDriven-element tip: 104.4 inches\n"
              "Cable Z0: 50.0 ohms\nAntenna height: Free Space\nGamma rod diameter:  0.25 inches\n"
              "Gamma rod spacing:  6.0 inches\n" +
                  a.matchBoxes().lblLength + "\n" + a.matchBoxes().lblReac + "\n \n");
}
