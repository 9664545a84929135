// The NEC-2 deck: its cards for the two element forms and for ground, and, where the
// nec2c program is installed, the deck run by it against the analyser's own figures.
#include "engine_for_tests.h"

#include "qelt/core/analyser.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

using namespace qelt;
using qelt_test::Engine;
using qelt_test::Opened;
using qelt_test::Sample;

namespace {

std::vector<std::string> Cards(const std::string& path, const std::string& kind) {
    std::ifstream in(path);
    std::vector<std::string> cards;
    for (std::string line; std::getline(in, line);)
        if (line.rfind(kind, 0) == 0) cards.push_back(line);
    return cards;
}

std::string Deck(Analyser& a, NecElements form) {
    const std::string path = qelt_test::WriteAntenna("DECK.NEC", "");
    EXPECT_TRUE(a.exportNec(Engine(), path, form).ok());
    return path;
}

// What nec2c found at each frequency: the feed impedance and the gains of the
// radiation-pattern rows, in dBi.
struct NecPoint {
    double r = 0, x = 0;
    std::vector<double> gains;
};

std::vector<NecPoint> RunNec(const std::string& deck) {
    const std::string out = deck + ".out";
    if (std::system(("nec2c -i '" + deck + "' -o '" + out + "' >/dev/null 2>&1").c_str()) != 0)
        return {};
    std::ifstream in(out);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    std::vector<NecPoint> points;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].find("ANTENNA INPUT PARAMETERS") != std::string::npos &&
            i + 3 < lines.size()) {
            std::istringstream row(lines[i + 3]);
            std::string word[8];
            for (std::string& w : word) row >> w;
            points.push_back({std::stod(word[6]), std::stod(word[7]), {}});
        }
        if (lines[i].find("RADIATION PATTERNS") != std::string::npos && !points.empty())
            for (std::size_t j = i + 5; j < lines.size(); ++j) {
                std::istringstream row(lines[j]);
                double theta, phi, vertical, horizontal, total;
                if (!(row >> theta >> phi >> vertical >> horizontal >> total)) break;
                points.back().gains.push_back(total);
            }
    }
    return points;
}

bool HaveNec() { return std::system("command -v nec2c >/dev/null 2>&1") == 0; }

} // namespace

TEST(NecDeck, CardsForEachForm) {
    Analyser a = Opened(Sample("2EL20M.QELT"));
    std::string deck = Deck(a, NecElements::Equivalent);
    EXPECT_EQ(Cards(deck, "CM").front(), "CM Two-element 20 m beam, telescoping tubes");
    ASSERT_EQ(Cards(deck, "GW").size(), 2u) << "one uniform tube per element";
    EXPECT_EQ(Cards(deck, "GW")[1].rfind("GW 2 ", 0), 0u);
    EXPECT_NE(Cards(deck, "GW")[1].find(" 117.0000 -"), std::string::npos) << "the boom";
    EXPECT_EQ(Cards(deck, "GS"), std::vector<std::string>{"GS 0 0 0.0254"});
    EXPECT_EQ(Cards(deck, "GE"), std::vector<std::string>{"GE 0"});
    EXPECT_EQ(Cards(deck, "FR"), std::vector<std::string>{"FR 0 11 0 0 14.0000 0.0350"});
    EXPECT_EQ(Cards(deck, "RP"), std::vector<std::string>{"RP 0 1 2 1000 90 0 0 180"});
    ASSERT_EQ(Cards(deck, "EX").size(), 1u);
    EXPECT_EQ(Cards(deck, "EX")[0].rfind("EX 0 2 ", 0), 0u) << "the second element's centre";
    EXPECT_EQ(Cards(deck, "EN").size(), 1u);

    // Three tubes each side: the centre one across the boom and two more on each side.
    deck = Deck(a, NecElements::Tapered);
    const std::vector<std::string> wires = Cards(deck, "GW");
    ASSERT_EQ(wires.size(), 10u);
    EXPECT_NE(wires[0].find(" -48.0000 0.0000 0.0000 48.0000 0.0000 0.6250"), std::string::npos)
        << wires[0];
    EXPECT_EQ(Cards(deck, "EX")[0].rfind("EX 0 6 ", 0), 0u);

    ASSERT_TRUE(a.setHeight(Engine(), "50").ok());
    deck = Deck(a, NecElements::Equivalent);
    EXPECT_EQ(Cards(deck, "GE"), std::vector<std::string>{"GE 1"});
    EXPECT_EQ(Cards(deck, "GN"), std::vector<std::string>{"GN 1"});
    EXPECT_NE(Cards(deck, "GW")[0].find(" 600.0000 "), std::string::npos) << "50 feet up";
}

TEST(NecDeck, Nec2AgreesWithTheAnalyser) {
    if (!HaveNec()) GTEST_SKIP() << "nec2c is not installed (scripts/install-deps installs it)";
    for (const char* name : {"2EL20M.QELT", "4EL20M.YAG", "5EL10M.QELT"}) {
        SCOPED_TRACE(name);
        Analyser a = Opened(Sample(name));
        const std::vector<NecPoint> nec = RunNec(Deck(a, NecElements::Equivalent));
        ASSERT_EQ(nec.size(), 11u);
        for (int i : {0, CentrePoint, 10}) {
            const SweepPoint& p = a.lastSweep()[i];
            ASSERT_EQ(nec[i].gains.size(), 2u);
            // Two moment methods with different currents and segments: a few ohms apart,
            // not a wrong element, spacing or feed point.
            EXPECT_NEAR(nec[i].r, p.resistance, 0.15 * p.resistance) << i;
            EXPECT_NEAR(nec[i].x, p.reactance, 10) << i;
            EXPECT_NEAR(nec[i].gains[0], p.gain, 0.3) << i;
            // A deep rear null is the figure that moves most between two methods.
            EXPECT_NEAR(nec[i].gains[0] - nec[i].gains[1], p.frontToBack, 0.15 * p.frontToBack)
                << i;
        }
    }
}
