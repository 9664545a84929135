// Matching that matches: what each network needs of the feed point, the tip search, and
// through the built engine the adjusted design, re-swept through the accepted network,
// and the feed point the match dialog shows each time it opens.
#include "engine_for_tests.h"

#include "qelt/core/analyser.h"
#include "qelt/core/engine_run.h"
#include "qelt/core/result_lines.h"
#include "qelt/core/tip_search.h"

#include "common/number_text.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace qelt;
using qelt_test::Engine;
using qelt_test::Opened;
using qelt_test::Sample;

namespace {

// The SWR on the cable at the match frequency through the network in force, from a
// feed point solved there for the antenna as it stands.
double SwrAtMatchFrequency(Analyser& a) {
    const float f = static_cast<float>(common::ParseNumber(a.matchBoxes().txtFreq));
    Antenna working = a.working();
    EngineRun run(Engine(), working, a.drivenTipLength());
    const FarField field = run.solve(f, static_cast<float>(a.heightFeet()));
    return a.match().swrRule(a.cableZ0())(f, field.resistance, field.reactance);
}

// Adjust driven element, then Accept, for `network` in the analyser's match dialog.
void AdjustAndAccept(Analyser& a, Network network) {
    a.openMatch(Engine());
    a.chooseNetwork(network);
    const common::Result<> adjusted = a.adjustDriven(Engine());
    ASSERT_TRUE(adjusted.ok()) << adjusted.message();
    ASSERT_TRUE(a.acceptMatch(Engine()).ok());
}

} // namespace

TEST(TipSearch, WhatEachNetworkNeeds) {
    EXPECT_DOUBLE_EQ(*NeededReactance(Network::Hairpin, 25, 50), -25);
    EXPECT_DOUBLE_EQ(*NeededReactance(Network::Hairpin, 10, 50), -20);
    EXPECT_FALSE(NeededReactance(Network::Hairpin, 50, 50)) << "R at Z0 needs no hairpin";
    EXPECT_FALSE(NeededReactance(Network::Hairpin, 60, 50));
    EXPECT_FALSE(NeededReactance(Network::Hairpin, 0, 50));
    EXPECT_DOUBLE_EQ(*NeededReactance(Network::Gamma, 23.8, 50), 0);
    EXPECT_FALSE(NeededReactance(Network::None, 23.8, 50));

    NeedTexts t = NeedTextsFor(Network::Hairpin, 25, -1.5, 50, 0);
    EXPECT_EQ(t.need, "Needs X = -25.0 ohms: the feed is 23.5 ohms above it");
    EXPECT_EQ(NeedTextsFor(Network::Hairpin, 25, -25.02, 50, 0).need,
              "Needs X = -25.0 ohms: the feed has it");
    EXPECT_EQ(NeedTextsFor(Network::Hairpin, 60, -1.5, 50, 0).need,
              "Needs R below Z0 = 50.0 ohms: the feed has R = 60.0 ohms");
    t = NeedTextsFor(Network::Gamma, 10, 3, 50, 4);
    EXPECT_EQ(t.need, "Needs X = 0.0 ohms, a resonant element: the feed is 3.0 ohms above it");
    EXPECT_EQ(t.assumes,
              "Assumes step-up x R above Z0: 4.00 x 10.0 = 40.0 ohms not above 50.0 ohms");
    EXPECT_EQ(NeedTextsFor(Network::None, 25, -1.5, 50, 0).need, "");
}

// A feed point of a made-up element, X rising 3 ohms an inch and R a little with it.
TEST(TipSearch, FindsTheTipAndSaysWhenNoneWillDo) {
    int calls = 0;
    const FeedForTip element = [&](double tip) {
        ++calls;
        return TipFeed{20 + 0.05 * (tip - 100), 3 * (tip - 100), {}};
    };
    common::Result<TipFound> found = SearchTip(element, Network::Hairpin, 50, 100, 1, 200);
    ASSERT_TRUE(found.ok()) << found.message();
    const TipFound& f = found.value();
    EXPECT_NEAR(f.reactance, -std::sqrt(f.resistance * (50 - f.resistance)), 0.01);
    EXPECT_LT(f.tip, 100) << "a hairpin wants the element short";
    EXPECT_EQ(f.solves, calls);
    EXPECT_LT(f.solves, 12);

    found = SearchTip(element, Network::Gamma, 50, 80, 1, 200);
    ASSERT_TRUE(found.ok()) << found.message();
    EXPECT_NEAR(found.value().tip, 100, 0.01 / 3);

    // The tip cannot go far enough: the search stops at the limit and says so.
    found = SearchTip(element, Network::Gamma, 50, 80, 1, 90);
    ASSERT_FALSE(found.ok());
    EXPECT_EQ(found.message().rfind("No driven-element tip the element can take", 0), 0u)
        << found.message();
    EXPECT_NE(found.message().find("30.0 ohms away"), std::string::npos) << found.message();

    // A feed resistance above the cable's, and an engine that cannot solve.
    const FeedForTip high = [](double tip) { return TipFeed{70, tip - 100, {}}; };
    found = SearchTip(high, Network::Hairpin, 50, 100, 1, 200);
    ASSERT_FALSE(found.ok());
    EXPECT_EQ(found.message(),
              "Hairpin match won't work: the feed resistance 70.0 ohms is not below the cable's "
              "50.0 ohms");
    const FeedForTip troubled = [](double) { return TipFeed{0, 0, "The matrix is singular."}; };
    found = SearchTip(troubled, Network::Gamma, 50, 100, 1, 200);
    ASSERT_FALSE(found.ok());
    EXPECT_EQ(found.message(), "The matrix is singular.");
}

// 4EL20M.YAG: a hairpin on the feed as loaded makes the centre SWR 2.58:1;
// with the tip adjusted first it is the match it was designed to be.
TEST(AdjustDriven, TheAdjustedDesignReSweptThroughTheNetworkMatches) {
    Analyser a = Opened(Sample("4EL20M.YAG"));
    AdjustAndAccept(a, Network::Hairpin);
    EXPECT_EQ(a.texts().lblMatch, "Hairpin");
    EXPECT_LE(a.lastSweep()[CentrePoint].swr, 1.05f) << a.texts().lblF5;
    EXPECT_LE(SwrAtMatchFrequency(a), 1.05);
    EXPECT_LT(a.drivenTipLength(), 104.4f) << "shortened for the hairpin's capacitive feed";
    EXPECT_EQ(a.matchBoxes().txtDELength, common::Format(a.drivenTipLength(), "##0.0##"));
    EXPECT_EQ(a.matchBoxes().lblAdjusted.rfind("Driven element adjusted: tip 104.4 -> " +
                                                   a.matchBoxes().txtDELength + " inches",
                                               0),
              0u)
        << a.matchBoxes().lblAdjusted;
    EXPECT_EQ(a.matchBoxes().lblNeed.substr(a.matchBoxes().lblNeed.find(':')), ": the feed has it");

    // The gamma, away from the band's centre, in millimetres and over ground.
    for (Units units : {Units::English, Units::Metric}) {
        Analyser g = Opened(Sample("5EL10M.QELT"), units);
        ASSERT_TRUE(g.setHeight(Engine(), units == Units::English ? "40" : "12").ok());
        g.openMatch(Engine());
        g.typeMatch(MatchBox::Freq, "28.2");
        AdjustAndAccept(g, Network::Gamma);
        EXPECT_LE(SwrAtMatchFrequency(g), 1.05);
        EXPECT_NE(g.matchBoxes().lblAssumes.find(" above "), std::string::npos)
            << g.matchBoxes().lblAssumes;
    }

    // Every sample, hairpin and gamma alike.
    for (const char* sample : qelt_test::Samples)
        for (Network network : {Network::Hairpin, Network::Gamma}) {
            Analyser s = Opened(Sample(sample));
            AdjustAndAccept(s, network);
            EXPECT_LE(SwrAtMatchFrequency(s), 1.05) << sample;
        }
}

TEST(AdjustDriven, CancelPutsTheTipBackAndSaveKeepsTheNewOne) {
    Analyser a = Opened(Sample("4EL20M.YAG"));
    a.openMatch(Engine());
    common::Result<> refused = a.adjustDriven(Engine());
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.message(),
              "Choose the gamma or hairpin match to adjust the driven element for.");
    a.chooseNetwork(Network::Hairpin);
    ASSERT_TRUE(a.adjustDriven(Engine()).ok());
    a.cancelMatch(Engine());
    EXPECT_FLOAT_EQ(a.drivenTipLength(), 104.4f);
    EXPECT_FLOAT_EQ(a.working().tipLength(), 104.4f);
    EXPECT_NEAR(a.lastSweep()[CentrePoint].swr, 2.11f, 0.005f);

    // A hairpin no tip can serve changes nothing.
    a.openMatch(Engine());
    a.chooseNetwork(Network::Hairpin);
    a.typeMatch(MatchBox::Z0, "20");
    refused = a.adjustDriven(Engine());
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.message().rfind("Hairpin match won't work", 0), 0u);
    EXPECT_EQ(a.matchBoxes().txtDELength, "104.4");
    EXPECT_FLOAT_EQ(a.working().tipLength(), 104.4f);
    a.cancelMatch(Engine());

    AdjustAndAccept(a, Network::Hairpin);
    const float tip = a.drivenTipLength();
    const std::string path = qelt_test::WriteAntenna("ADJUSTED.QELT", "");
    ASSERT_TRUE(a.saveAs(path, Units::English).ok());
    const Analyser back = Opened(path);
    EXPECT_NEAR(back.antenna().tipLength(), tip, 0.0005);
}

// The dialog shows the feed point of the antenna in force each time it opens: after an
// accepted match with another tip, and over ground.
TEST(MatchDialog, TheFeedPointIsNeverStale) {
    Analyser a = Opened(Sample("4EL20M.YAG"));
    auto shown = [&a] { return a.matchBoxes().lblDEZ; };
    auto centre = [&a] {
        const SweepPoint& p = a.lastSweep()[CentrePoint];
        return "Feed-point Z:     " + FeedPointText(p.resistance, p.reactance);
    };
    a.openMatch(Engine());
    EXPECT_EQ(shown(), "Feed-point Z:     23.8 - j 1.5 ohms");
    a.chooseNetwork(Network::Gamma);
    a.typeMatch(MatchBox::Tip, "100");
    ASSERT_TRUE(a.computeMatch(Engine()).ok());
    ASSERT_TRUE(a.acceptMatch(Engine()).ok());
    a.openMatch(Engine());
    EXPECT_EQ(shown(), centre());
    EXPECT_NE(shown(), "Feed-point Z:     23.8 - j 1.5 ohms");
    ASSERT_TRUE(a.setHeight(Engine(), "35").ok());
    a.openMatch(Engine());
    EXPECT_EQ(shown(), centre()) << "over ground";
    EXPECT_NE(a.matchBoxes().lblNeed.find("the feed is"), std::string::npos)
        << "the gamma still wants a resonant element: " << a.matchBoxes().lblNeed;
}
