// The design kept with the antenna: a file saved again and again keeps one title and
// one trailer, and opening it brings back its match, cable and height.
#include "engine_for_tests.h"

#include "qelt/core/analyser.h"
#include "qelt/core/saved_design.h"

#include "common/text_file.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace qelt;
using qelt_test::Engine;
using qelt_test::Opened;
using qelt_test::Sample;

namespace {

std::vector<std::string> FileLines(const std::string& path) {
    return common::ReadTextLines(path).value_or(std::vector<std::string>{});
}

long Count(const std::vector<std::string>& lines, const std::string& start) {
    return std::count_if(lines.begin(), lines.end(),
                         [&](const std::string& l) { return l.rfind(start, 0) == 0; });
}

std::string Padded(std::string title) {
    title.resize(TitleWidth, ' ');
    return title;
}

// 4EL20M with its tip adjusted for a hairpin on a 37.5-ohm cable at 35 feet.
Analyser Designed(Units units = Units::English) {
    Analyser a = Opened(Sample("4EL20M.YAG"), units);
    EXPECT_TRUE(a.setHeight(Engine(), units == Units::English ? "35" : "10.668").ok());
    a.openMatch(Engine());
    a.typeMatch(MatchBox::Z0, "37.5");
    a.chooseNetwork(Network::Hairpin);
    EXPECT_TRUE(a.adjustDriven(Engine()).ok());
    EXPECT_TRUE(a.acceptMatch(Engine()).ok());
    return a;
}

} // namespace

TEST(SavedDesign, TheTitleWithoutTheNamesSavesPutInFront) {
    const std::string title = Padded("Four-element 20 m beam, old YAG file in feet");
    EXPECT_EQ(SavedTitle("GAM.QELT, " + title), title);
    EXPECT_EQ(SavedTitle("MY BEAM, V2.QELT, " + title), title) << "any name, as long as the title";
    // What older saves left: names stacked, the title cut at 50 characters.
    EXPECT_EQ(SavedTitle("THIRD.QELT, AGAIN.QELT, GAM.QELT, Four-element 20 m beam, old "),
              Padded("Four-element 20 m beam, old"));
    // Trailing blanks an editor took away.
    EXPECT_EQ(SavedTitle("GAM.QELT, Four-element 20 m beam, old"),
              Padded("Four-element 20 m beam, old"));
    EXPECT_EQ(SavedTitle("X.QELT, Beam, as built"), Padded("Beam, as built"));
}

TEST(SavedDesign, ReadsTheTrailerOfOlderSavesAndNothingFromOtherFiles) {
    EXPECT_FALSE(ReadSavedDesign(FileLines(Sample("2EL20M.QELT"))));
    EXPECT_FALSE(ReadSavedDesign({}));
    // A trailer as saves before the height wrote it, in millimetres.
    const std::vector<std::string> old = {
        "OLD.QELT, Beam",
        "14.0   14.175   14.35 MHz",
        " 2 elements, mm",
        "            31.8",
        "   0000.0   2565.4",
        "   2743.2   2565.4",
        " ",
        "Match frequency: 14.2 MHz",
        "Driven-element tip: 2565.4 mm",
        "Cable Z0: 75.0 ohms",
        "Gamma rod diameter:  9.525 mm",
        "Gamma rod spacing:  152.4 mm",
        "Gamma rod length = 900.00 mm",
        "Gamma capacitance = 100.0 pF",
        " ",
        "Original file name: /ants/BEAM.YAG",
        "14 14.35",
        "2 elements",
    };
    const std::optional<SavedDesign> d = ReadSavedDesign(old);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->title, Padded("Beam"));
    EXPECT_DOUBLE_EQ(d->matchFrequency, 14.2);
    EXPECT_DOUBLE_EQ(d->cableZ0, 75);
    EXPECT_EQ(d->network, Network::Gamma);
    EXPECT_NEAR(d->rodDiameter, 0.375, 1e-9);
    EXPECT_NEAR(d->rodSpacing, 6, 1e-9);
    EXPECT_FALSE(d->heightFeet) << "free space, as such a file always opened";
    EXPECT_EQ(d->sourcePath, "/ants/BEAM.YAG");
    EXPECT_EQ(d->sourceLines, (std::vector<std::string>{"14 14.35", "2 elements"}));
}

TEST(SavedDesign, SavedTwiceOneTitleAndOneTrailerAndReopenedAsSaved) {
    Analyser a = Designed();
    const std::string first = qelt_test::WriteAntenna("FIRST.QELT", "");
    ASSERT_TRUE(a.saveAs(first, Units::English).ok());
    Analyser b = Opened(first);
    const std::string second = qelt_test::WriteAntenna("SECOND.QELT", "");
    ASSERT_TRUE(b.saveAs(second, Units::English).ok());
    const std::string third = qelt_test::WriteAntenna("THIRD.QELT", "");
    ASSERT_TRUE(Opened(second).saveAs(third, Units::English).ok());

    const std::vector<std::string> once = FileLines(first), thrice = FileLines(third);
    EXPECT_EQ(thrice.size(), once.size()) << "the trailer does not grow";
    EXPECT_EQ(thrice[0], "THIRD.QELT, " + a.antenna().title) << "the title once";
    for (const char* line : {"Match frequency: ", "Original file name: ", "Antenna height: "})
        EXPECT_EQ(Count(thrice, line), 1) << line;
    EXPECT_EQ(Count(thrice, "Original file name: " + Sample("4EL20M.YAG")), 1)
        << "the file the antenna first came from";
    EXPECT_TRUE(std::equal(once.begin() + 1, once.end(), thrice.begin() + 1))
        << "the same design, saved again";

    // Reopened: the network, its parts, the cable and the height are in force again.
    const Analyser back = Opened(third);
    EXPECT_EQ(back.antenna().titleText(), "Four-element 20 m beam, old YAG file in feet");
    EXPECT_EQ(back.texts().lblMatch, "Hairpin");
    EXPECT_EQ(back.match().network(), Network::Hairpin);
    EXPECT_FLOAT_EQ(back.cableZ0(), 37.5f);
    EXPECT_NEAR(back.heightFeet(), 35, 1e-9);
    EXPECT_EQ(back.texts().lblHeight, "35.0 feet");
    EXPECT_EQ(back.matchBoxes().txtZ0, "37.5");
    EXPECT_EQ(back.matchBoxes().txtSpacing, "6");
    EXPECT_EQ(back.matchBoxes().lblLength, a.matchBoxes().lblLength);
    EXPECT_EQ(back.matchBoxes().lblReac, a.matchBoxes().lblReac);
    EXPECT_EQ(back.texts().lblRestored,
              "Restored from the file: hairpin match at 14.175 MHz, cable Z0 = 37.5 ohms, height "
              "35.0 feet.");
    EXPECT_NEAR(back.lastSweep()[CentrePoint].swr, a.lastSweep()[CentrePoint].swr, 0.005);
    EXPECT_LE(back.lastSweep()[CentrePoint].swr, 1.05f);
    EXPECT_NEAR(back.drivenTipLength(), a.drivenTipLength(), 0.0005);

    // Once the design changes, the line no longer says what is in force.
    Analyser changed = Opened(third);
    ASSERT_TRUE(changed.setHeight(Engine(), "40").ok());
    EXPECT_EQ(changed.texts().lblRestored, "");
}

TEST(SavedDesign, MillimetresAndAMatchThatNoLongerDesigns) {
    Analyser a = Designed(Units::Metric);
    const std::string path = qelt_test::WriteAntenna("METRIC.QELT", "");
    ASSERT_TRUE(a.saveAs(path, Units::Metric).ok());
    const Analyser inches = Opened(path);
    EXPECT_EQ(inches.matchBoxes().txtDia, "0.25") << "rods saved in mm, shown in inches";
    EXPECT_NEAR(inches.heightFeet(), 35, 0.001);
    EXPECT_EQ(inches.match().network(), Network::Hairpin);
    EXPECT_EQ(Opened(path, Units::Metric).matchBoxes().txtSpacing, "152.4");

    // The cable edited below the feed resistance: the rest is restored, and no network.
    std::vector<std::string> lines = FileLines(path);
    for (std::string& l : lines)
        if (l.rfind("Cable Z0: ", 0) == 0) l = "Cable Z0: 10.0 ohms";
    const std::string edited = qelt_test::WriteAntenna("EDITED.QELT", common::JoinLines(lines));
    const Analyser e = Opened(edited);
    EXPECT_EQ(e.match().network(), Network::None);
    EXPECT_EQ(e.texts().lblMatch, "None");
    EXPECT_FLOAT_EQ(e.cableZ0(), 10);
    EXPECT_EQ(e.texts().lblRestored,
              "Restored from the file: cable Z0 = 10 ohms, height 35.0 feet; its hairpin match "
              "could not be designed again: Hairpin match won't work.");

    // A file with no trailer opens as it always has.
    const Analyser plain = Opened(Sample("2EL20M.QELT"));
    EXPECT_EQ(plain.texts().lblRestored, "");
    EXPECT_EQ(plain.texts().lblMatch, "None");
}
