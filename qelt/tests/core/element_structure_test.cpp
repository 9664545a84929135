// Elements and sections added and removed in the element editor: positions along the
// boom kept, the second element still fed, what an antenna file cannot hold refused,
// and the result saved, read back and undone like any other edit.
#include "engine_for_tests.h"

#include "qelt/core/analyser.h"
#include "qelt/core/engine_run.h"

#include <gtest/gtest.h>

using namespace qelt;
using qelt_test::Engine;
using qelt_test::Opened;
using qelt_test::Sample;
using qelt_test::WriteAntenna;

namespace {

std::vector<float> Positions(const Antenna& a) {
    std::vector<float> p{0};
    for (int i = 0; i + 1 < a.elementCount; ++i) p.push_back(p.back() + a.spacing[i]);
    return p;
}

float HalfLength(const Antenna& a, int element) {
    float sum = 0;
    for (int s = 1; s <= a.sectionCount[element - 1]; ++s) sum += a.length(element, s);
    return sum;
}

std::string Refusal(const common::Result<>& r) { return r.ok() ? "accepted" : r.message(); }

const char* const Dipole = "A dipole\n14.0 14.175 14.35 MHz\n1 elements, inches\n"
                           "1.0 0.75\n0 100 66\n";

} // namespace

TEST(ElementStructure, AddedElementsKeepTheOthersWhereTheyWere) {
    Analyser a = Opened(Sample("4EL20M.YAG")); // at 0, 108, 228 and 360 inches
    ElementGrid grid = a.elementGrid();
    ASSERT_EQ(grid.rowOf(3), 4);
    ASSERT_TRUE(grid.addElement(grid.rowOf(3)).ok()); // between the two directors
    const Antenna& added = grid.antenna();
    EXPECT_EQ(added.elementCount, 5);
    EXPECT_EQ(added.drivenElement, 2);
    EXPECT_EQ(Positions(added), (std::vector<float>{0, 108, 228, 294, 360}));
    EXPECT_FLOAT_EQ(HalfLength(added, 4), HalfLength(added, 3)) << "a copy of the one before";
    EXPECT_EQ(grid.text(grid.rowOf(4), 0), "Dir 2");
    EXPECT_EQ(grid.text(grid.rowOf(5), 0), "Dir 3");
    EXPECT_EQ(grid.boomText(), "360.0");
    EXPECT_EQ(grid.cellTexts(grid.rowOf(5), 2).original, "") << "not in the file";

    ASSERT_TRUE(grid.addElement(grid.rowOf(5)).ok()); // past the last
    EXPECT_EQ(Positions(grid.antenna()), (std::vector<float>{0, 108, 228, 294, 360, 426}));
    EXPECT_EQ(grid.boomText(), "426.0");

    ASSERT_TRUE(grid.removeElement(grid.rowOf(3)).ok()); // an inner director
    EXPECT_EQ(Positions(grid.antenna()), (std::vector<float>{0, 108, 294, 360, 426}));
    ASSERT_TRUE(grid.removeElement(grid.rowOf(5)).ok()); // the last
    EXPECT_EQ(Positions(grid.antenna()), (std::vector<float>{0, 108, 294, 360}));
    EXPECT_EQ(grid.text(grid.rowOf(4), 0), "Dir 2");
    EXPECT_FLOAT_EQ(grid.tipLength(), 104.4f) << "the driver untouched";
}

TEST(ElementStructure, TheFedElementStaysTheOneAFileFeeds) {
    Analyser a = Opened(Sample("4EL20M.YAG"));
    ElementGrid grid = a.elementGrid();
    EXPECT_EQ(Refusal(grid.removeElement(grid.rowOf(2))),
              "The driver cannot be removed: it is the element the feed line is connected to.");
    EXPECT_EQ(Refusal(grid.removeElement(grid.rowOf(1))),
              "The reflector cannot be removed while directors follow the driver: an antenna "
              "file feeds its second element.");
    EXPECT_EQ(Refusal(grid.addElement(grid.rowOf(1))),
              "A new element goes after the driver or a director: an antenna file feeds its "
              "second element, so none can go between the reflector and the driver.");
    EXPECT_EQ(Refusal(grid.addElement(1)),
              "Click on the row of an element first (Reflector, Driver or a director).")
        << "a diameter row";
    EXPECT_EQ(Refusal(grid.removeSection(0)),
              "Click on the row of an element first (Reflector, Driver or a director).");
    EXPECT_EQ(grid.antenna().elementCount, 4) << "refusals change nothing";

    // Down to a lone element, which is fed, and back up with a reflector in front of it.
    ASSERT_TRUE(grid.removeElement(grid.rowOf(4)).ok());
    ASSERT_TRUE(grid.removeElement(grid.rowOf(3)).ok());
    ASSERT_TRUE(grid.removeElement(grid.rowOf(1)).ok()) << "reflector and driver only";
    EXPECT_EQ(grid.antenna().elementCount, 1);
    EXPECT_EQ(grid.antenna().drivenElement, 1);
    EXPECT_EQ(grid.text(grid.rowOf(1), 0), "Driver");
    EXPECT_EQ(grid.boomText(), "0.0");
    EXPECT_EQ(Refusal(grid.removeElement(grid.rowOf(1))), "An antenna has at least one element.");
    ASSERT_TRUE(grid.addElement(grid.rowOf(1)).ok());
    EXPECT_EQ(grid.antenna().drivenElement, 2);
    EXPECT_EQ(grid.text(grid.rowOf(1), 0), "Reflector");
    EXPECT_GT(HalfLength(grid.antenna(), 1), HalfLength(grid.antenna(), 2));
    EXPECT_NEAR(grid.antenna().spacing[0], 0.15 * 11802.85 / 14.175, 0.5);
}

TEST(ElementStructure, FiftyElementsAndNineSectionsAtMost) {
    Analyser a = Opened(Sample("2EL20M.QELT"));
    ElementGrid grid = a.elementGrid();
    while (grid.antenna().elementCount < MaxElements)
        ASSERT_TRUE(grid.addElement(grid.rowOf(grid.antenna().elementCount)).ok());
    EXPECT_EQ(Refusal(grid.addElement(grid.rowOf(10))),
              "An antenna file holds at most 50 elements; this antenna has them all.");
    EXPECT_EQ(grid.text(grid.rowOf(50), 0), "Dir 48");

    const int driver = grid.rowOf(2);
    const float tip = grid.tipLength(), half = HalfLength(grid.antenna(), 2);
    ASSERT_TRUE(grid.addSection(driver).ok());
    EXPECT_FLOAT_EQ(grid.tipLength(), tip / 2) << "the tip split in two";
    EXPECT_FLOAT_EQ(HalfLength(grid.antenna(), 2), half);
    while (grid.antenna().sectionCount[1] < 9) ASSERT_TRUE(grid.addSection(grid.rowOf(2)).ok());
    EXPECT_EQ(Refusal(grid.addSection(grid.rowOf(2))),
              "An element of an antenna file has at most 9 sections: its line holds the position "
              "and nine lengths.");
    EXPECT_FLOAT_EQ(HalfLength(grid.antenna(), 2), half);
    EXPECT_EQ(grid.text(grid.rowOf(2) - 1, 0), "Diameter") << "a schedule of its own";
    while (grid.antenna().sectionCount[1] > 1) ASSERT_TRUE(grid.removeSection(grid.rowOf(2)).ok());
    EXPECT_EQ(Refusal(grid.removeSection(grid.rowOf(2))), "An element has at least one section.");
    EXPECT_FLOAT_EQ(HalfLength(grid.antenna(), 2), half);
    EXPECT_FLOAT_EQ(grid.tipLength(), half);
}

TEST(ElementStructure, ALongBoomThatNoFileHoldsIsRefused) {
    Analyser a = Opened(Sample("2EL20M.QELT"));
    ElementGrid grid = a.elementGrid();
    ASSERT_TRUE(grid.change(grid.rowOf(2), 1, "600000"));
    EXPECT_EQ(Refusal(grid.addElement(grid.rowOf(2))),
              "The boom would be 1200000.0 inches long, more than an antenna file's positions "
              "hold (999999.999 inches).");
    EXPECT_EQ(grid.antenna().elementCount, 2);
}

TEST(ElementStructure, TheNewDesignSweepsSavesReadsBackAndUndoes) {
    Analyser a = Opened(Sample("4EL20M.YAG"));
    const Sweep opened = a.lastSweep();
    ElementGrid grid = a.elementGrid();
    ASSERT_TRUE(grid.addElement(grid.rowOf(4)).ok());
    ASSERT_TRUE(grid.addSection(grid.rowOf(5)).ok());
    ASSERT_TRUE(a.applyElements(Engine(), grid));
    EXPECT_EQ(a.texts().lblEleBoom, "5 ele., boom = 41.0 feet");
    EXPECT_TRUE(a.engineTrouble().empty()) << a.engineTrouble();
    EXPECT_NE(a.lastSweep()[CentrePoint].gain, opened[CentrePoint].gain);

    const std::string path = WriteAntenna("FIVE.QELT", "");
    ASSERT_TRUE(a.saveAs(path, Units::English).ok());
    common::Result<Antenna> read = ReadAntennaFile(Engine(), path);
    ASSERT_TRUE(read.ok()) << read.message();
    EXPECT_EQ(read.value().elementCount, 5);
    EXPECT_EQ(read.value().sectionCount[4], 4);
    EXPECT_EQ(Positions(read.value()), Positions(a.working()));
    for (int e = 1; e <= 5; ++e)
        EXPECT_NEAR(HalfLength(read.value(), e), HalfLength(a.working(), e), 0.002);

    ASSERT_TRUE(a.undo(Engine()));
    EXPECT_EQ(a.working().elementCount, 4);
    EXPECT_EQ(a.lastSweep()[CentrePoint].gain, opened[CentrePoint].gain);
    EXPECT_EQ(a.texts().lblEleBoom, "4 ele., boom = 30.0 feet");
}

TEST(ElementStructure, ALoneElementFileIsFedAndGrowsAReflector) {
    Analyser a = Opened(WriteAntenna("DIPOLE.QELT", Dipole));
    ElementGrid grid = a.elementGrid();
    EXPECT_EQ(grid.text(grid.rowOf(1), 0), "Driver");
    ASSERT_TRUE(grid.addElement(grid.rowOf(1)).ok());
    ASSERT_TRUE(a.applyElements(Engine(), grid));
    EXPECT_EQ(a.working().drivenElement, 2);
    EXPECT_TRUE(a.engineTrouble().empty()) << a.engineTrouble();
    EXPECT_EQ(a.texts().lblEleBoom.rfind("2 ele., boom = ", 0), 0u);
}
