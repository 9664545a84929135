// The hairpin and gamma designs with their refusals, and the SWR through each network,
// checked against the worked figures and against each other: a design seen through its
// own network at its own frequency must give an SWR of 1.
#include "qelt/core/matching.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace qelt;

namespace {

constexpr double Pi = 3.14159265358979;

std::string Refusal(const common::Result<HairpinDesign>& r) { return r ? "" : r.message(); }
std::string Refusal(const common::Result<GammaLine>& r) { return r ? "" : r.message(); }
std::string Refusal(const common::Result<GammaDesign>& r) { return r ? "" : r.message(); }

} // namespace

TEST(Hairpin, WorkedExample) {
    const common::Result<HairpinDesign> h = DesignHairpin(25, 50, 14.175, 0.25, 6);
    ASSERT_TRUE(h) << h.message();
    EXPECT_NEAR(h.value().shuntReactance, 50, 1e-9);
    EXPECT_NEAR(h.value().inductance, 0.561, 0.0005);
    EXPECT_NEAR(h.value().lineImpedance, 276 * std::log10(48.0), 1e-9);
    // A shorted line of that length shows the reactance asked for.
    const double wavelength = 11802.85 / 14.175;
    EXPECT_NEAR(h.value().lineImpedance * std::tan(2 * Pi * h.value().length / wavelength), 50,
                0.001);
    EXPECT_EQ(HairpinTexts(h.value(), Units::English).reactance, "Hairpin inductance = 0.56 uH");
    EXPECT_EQ(HairpinTexts(h.value(), Units::English).length, "Hairpin length = 14.22 inches");
    EXPECT_EQ(HairpinTexts(h.value(), Units::Metric).length, "Hairpin length = 361.31 mm");
}

TEST(Hairpin, Refusals) {
    EXPECT_EQ(Refusal(DesignHairpin(60, 50, 14.175, 0.25, 6)), "Hairpin match won't work");
    EXPECT_EQ(Refusal(DesignHairpin(50, 50, 14.175, 0.25, 6)), "Hairpin match won't work")
        << "R equal to Z0 would divide by zero";
    EXPECT_EQ(Refusal(DesignHairpin(25, 50, 14.175, 0.25, 0.2)), "Choose wider spacing.");
    EXPECT_EQ(Refusal(DesignHairpin(25, 50, 14.175, 0.25, 0.25)), "") << "touching rods are a line";
}

TEST(Hairpin, MatchesAtItsDesignPointAndNotAwayFromIt) {
    // The hairpin expects the tip to leave the feed point at R - j sqrt(R (Z0 - R)).
    for (double r : {12.0, 25.0, 40.0}) {
        const HairpinDesign h = DesignHairpin(r, 50, 14.175, 0.25, 6).value();
        const double x = -std::sqrt(r * (50 - r));
        EXPECT_NEAR(HairpinSwr(14.175, r, x, 50, h), 1.0, 1e-5) << r;
        EXPECT_GT(HairpinSwr(14.175, r, x + 15, 50, h), 1.3) << r;
    }
    // A zero reactance is taken as a tiny one, not a division by zero.
    const HairpinDesign h = DesignHairpin(25, 50, 14.175, 0.25, 6).value();
    EXPECT_TRUE(std::isfinite(HairpinSwr(14.175, 25, 0, 50, h)));
}

TEST(Gamma, WorkedExampleStepsSevenToTen) {
    const GammaLine line{1, 4, 300};
    const common::Result<GammaDesign> g = GammaMatch(25, -10, 50, 14.175, line);
    ASSERT_TRUE(g) << g.message();
    EXPECT_NEAR(g.value().t, 18.72, 0.005);
    EXPECT_NEAR(g.value().degrees, 14.02, 0.005);
    EXPECT_NEAR(g.value().rodLength, 30.99, 0.005);
    EXPECT_NEAR(g.value().seriesReactance, 57.45, 0.005);
    EXPECT_NEAR(g.value().capacitance, 195.5, 0.05);
    EXPECT_EQ(GammaTexts(g.value(), Units::English).length, "Gamma rod length = 30.99 inches");
    EXPECT_EQ(GammaTexts(g.value(), Units::English).reactance, "Gamma capacitance = 195.5 pF");
    EXPECT_EQ(GammaTexts(g.value(), Units::Metric).length, "Gamma rod length = 787.20 mm");
}

TEST(Gamma, SwrOfOneAtTheWorkedDesignPoint) {
    GammaDesign worked;
    worked.line = {1, 4, 300};
    worked.rodLength = 30.99;
    worked.capacitance = 195.5;
    const GammaFeed f = GammaThrough(14.175, 25, -10, 50, worked);
    EXPECT_NEAR(f.resistance, 50.00, 0.01) << "from the rounded rod length and capacitance";
    EXPECT_NEAR(f.reactance, 57.45, 0.01);
    EXPECT_NEAR(f.capacitorReactance, 57.45, 0.03);
    EXPECT_NEAR(f.swr, 1.00, 0.005);
    EXPECT_GT(GammaThrough(14.175, 30, 5, 50, worked).swr, 1.2) << "another feed point";
}

TEST(Gamma, EveryDesignMatchesThroughItsOwnNetwork) {
    const GammaLine line = GammaRodLine(1.0, 0.875, 0.375, 5).value();
    for (double r : {15.0, 25.0, 35.0})
        for (double x : {-20.0, -5.0, 0.0, 10.0}) {
            const common::Result<GammaDesign> g = GammaMatch(r, x, 50, 14.175, line);
            if (!g) continue; // some want an inductor; those are refused below
            EXPECT_NEAR(GammaThrough(14.175, r, x, 50, g.value()).swr, 1.0, 0.002) << r << " " << x;
        }
}

TEST(Gamma, RodLine) {
    // Equal diameters: the rod and element share the current equally.
    const GammaLine equal = GammaRodLine(0.5, 0, 0.5, 4).value();
    EXPECT_DOUBLE_EQ(equal.stepUp, 4.0);
    EXPECT_NEAR(equal.lineImpedance, 60 * std::acosh((64 - 0.5) / 0.5), 1e-9);
    // A thin rod beside a fat element steps up more.
    EXPECT_GT(GammaRodLine(1.0, 0, 0.25, 4).value().stepUp, 4.0);
    // A second section less than half the first is the one beside the rod.
    EXPECT_EQ(GammaRodLine(2.0, 0.875, 0.25, 4).value().elementDiameter, 0.875);
    EXPECT_EQ(GammaRodLine(1.0, 0.875, 0.25, 4).value().elementDiameter, 1.0);
}

TEST(Gamma, Refusals) {
    EXPECT_EQ(Refusal(GammaRodLine(1.0, 0.875, 0.25, 0.6)), "Choose wider spacing");
    // A one-section element of 2 inches with the rod 0.3 inch from its centre: the rod
    // would be inside the tube. Tested on the second section's diameter (none here) the
    // check would let it through to a design of no number at all.
    EXPECT_EQ(Refusal(GammaRodLine(2.0, 0, 0.25, 0.3)), "Choose wider spacing");

    const GammaLine line{1, 4, 300};
    EXPECT_EQ(Refusal(GammaMatch(10, 0, 50, 14.175, line)),
              "Z0 too large. Start over with different parameters");
    EXPECT_EQ(Refusal(GammaMatch(10, -20, 50, 14.175, line)),
              "This requires an inductor, not a capacitor");
    EXPECT_EQ(Refusal(GammaMatch(12.5, -10, 50, 14.175, line)),
              "Start over with different parameters")
        << "a stepped-up resistance equal to Z0 divides by zero";
}
