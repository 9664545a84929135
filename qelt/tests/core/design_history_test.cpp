// The history of accepted changes: steps in order, undo back to the file as opened with
// exactly its sweep, redo, changes that change nothing adding no step, and a design
// handed over whole as the optimiser does.
#include "engine_for_tests.h"

#include "qelt/core/analyser.h"
#include "qelt/core/design_history.h"
#include "qelt/core/result_lines.h"

#include <gtest/gtest.h>

using namespace qelt;
using qelt_test::Engine;
using qelt_test::Opened;
using qelt_test::Sample;

namespace {

void ExpectSameSweep(const Sweep& a, const Sweep& b) {
    for (int i = 0; i < SweepPoints; ++i) {
        EXPECT_EQ(a[i].frequency, b[i].frequency) << i;
        EXPECT_EQ(a[i].gain, b[i].gain) << i;
        EXPECT_EQ(a[i].frontToBack, b[i].frontToBack) << i;
        EXPECT_EQ(a[i].frontToRear, b[i].frontToRear) << i;
        EXPECT_EQ(a[i].resistance, b[i].resistance) << i;
        EXPECT_EQ(a[i].reactance, b[i].reactance) << i;
        EXPECT_EQ(a[i].swr, b[i].swr) << i;
    }
}

// What the main window shows of the design: every result line and label.
std::vector<std::string> Shown(const Analyser& a) {
    const MainTexts& t = a.texts();
    return {t.lblEleBoom,
            t.lblHeight,
            t.lblMatch,
            t.lblPeakElev,
            t.lblF1,
            t.lblF2,
            t.lblF3,
            t.lblF4,
            t.lblF5,
            a.frequencyBoxes().txtFreqLo,
            a.frequencyBoxes().txtFreqHi,
            a.heightBoxes().txtHeight,
            a.matchBoxes().txtDELength};
}

Design Numbered(float spacing) {
    Design d;
    d.antenna.elementCount = 2;
    d.antenna.spacing[0] = spacing;
    return d;
}

} // namespace

TEST(DesignHistory, StepsUndoRedoAndANewChangeAfterUndo) {
    DesignHistory h;
    EXPECT_FALSE(h.started());
    h.start(Numbered(100));
    EXPECT_FALSE(h.canUndo());
    EXPECT_FALSE(h.canRedo());
    EXPECT_FALSE(h.commit(Numbered(100), "Elements")) << "the design in force";
    EXPECT_TRUE(h.commit(Numbered(110), "Elements"));
    EXPECT_TRUE(h.commit(Numbered(120), "Band"));
    EXPECT_EQ(h.size(), 3u);
    EXPECT_EQ(h.undoName(), "Band");
    EXPECT_EQ(h.undo().antenna.spacing[0], 110);
    EXPECT_EQ(h.previous()->antenna.spacing[0], 100);
    EXPECT_EQ(h.redoName(), "Band");
    EXPECT_EQ(h.undo().antenna.spacing[0], 100);
    EXPECT_EQ(h.previous(), nullptr);
    EXPECT_EQ(h.currentName(), "Open");
    EXPECT_EQ(h.undo().antenna.spacing[0], 100) << "nothing before the file as opened";
    EXPECT_EQ(h.redo().antenna.spacing[0], 110);
    // A change after an undo drops what was undone.
    EXPECT_TRUE(h.commit(Numbered(130), "Height"));
    EXPECT_FALSE(h.canRedo());
    EXPECT_EQ(h.size(), 3u);
    EXPECT_EQ(h.undo().antenna.spacing[0], 110);
}

TEST(DesignHistory, ALongHistoryKeepsTheFileAsOpened) {
    DesignHistory h;
    h.start(Numbered(1));
    for (int i = 0; i < static_cast<int>(DesignHistory::MostSteps) + 20; ++i)
        h.commit(Numbered(static_cast<float>(2 + i)), "Elements");
    EXPECT_EQ(h.size(), DesignHistory::MostSteps + 1);
    while (h.canUndo()) h.undo();
    EXPECT_EQ(h.current().antenna.spacing[0], 1);
    EXPECT_EQ(h.redo().antenna.spacing[0], 22) << "the oldest changes were let go";
}

TEST(DesignHistory, EveryChangeUndoesToTheFileAsOpenedAndRedoes) {
    Analyser a = Opened(Sample("4EL20M.YAG"));
    const Sweep opened = a.lastSweep();
    const std::vector<std::string> openedTexts = Shown(a);

    ElementGrid grid = a.elementGrid();
    ASSERT_TRUE(grid.change(4, 1, "100"));
    ASSERT_TRUE(a.applyElements(Engine(), grid));
    ASSERT_TRUE(a.setBand(Engine(), "14.0", "14.3").ok());
    ASSERT_TRUE(a.setHeight(Engine(), "40").ok());
    a.openMatch();
    a.chooseNetwork(Network::Gamma);
    ASSERT_TRUE(a.computeMatch(Engine()).ok());
    ASSERT_TRUE(a.acceptMatch(Engine()).ok());
    EXPECT_EQ(a.history().size(), 5u);
    EXPECT_EQ(a.history().undoName(), "Match");
    const Sweep last = a.lastSweep();
    const std::vector<std::string> lastTexts = Shown(a);

    const char* const steps[] = {"Match", "Height", "Band", "Elements"};
    for (const char* step : steps) {
        EXPECT_EQ(a.history().undoName(), step);
        ASSERT_TRUE(a.undo(Engine()));
    }
    EXPECT_FALSE(a.undo(Engine())) << "the file as opened is the first step";
    ExpectSameSweep(a.lastSweep(), opened);
    EXPECT_EQ(Shown(a), openedTexts);
    EXPECT_EQ(a.texts().lblMatch, "None");
    EXPECT_TRUE(a.freeSpace());

    while (a.redo(Engine())) {}
    ExpectSameSweep(a.lastSweep(), last);
    EXPECT_EQ(Shown(a), lastTexts);
    EXPECT_EQ(a.texts().lblMatch, "Gamma");
}

TEST(DesignHistory, AnOkThatChangesNothingAddsNoStepAndSweepsNothing) {
    Analyser a = Opened(Sample("3EL15M.QELT"));
    int swept = 0;
    const SweepProgress counting = [&](int point) { swept += point == 1; };
    EXPECT_FALSE(a.applyElements(Engine(), a.elementGrid(), counting));
    ElementGrid same = a.elementGrid();
    ASSERT_TRUE(same.change(3, 1, "50"));
    ASSERT_TRUE(same.change(3, 1, same.cellTexts(3, 1).original)) << "and back again";
    EXPECT_FALSE(a.applyElements(Engine(), same, counting));
    const FrequencyBoxes band = a.frequencyBoxes();
    ASSERT_TRUE(a.setBand(Engine(), band.txtFreqLo, band.txtFreqHi, counting).ok());
    ASSERT_TRUE(a.setBand(Engine(), band.txtFreqLo + "0", band.txtFreqHi, counting).ok())
        << "the same number typed otherwise";
    ASSERT_TRUE(a.setHeight(Engine(), a.heightBoxes().txtHeight, counting).ok());
    a.openMatch();
    ASSERT_TRUE(a.acceptMatch(Engine(), counting).ok()) << "no network, as there was none";
    EXPECT_EQ(swept, 0);
    EXPECT_EQ(a.history().size(), 1u);
    EXPECT_FALSE(a.history().canUndo());
}

TEST(DesignHistory, ADesignHandedOverIsOneStep) {
    Analyser a = Opened(Sample("5EL10M.QELT"));
    const Sweep opened = a.lastSweep();
    EXPECT_FALSE(a.applyDesign(Engine(), a.design(), "Optimiser")) << "the design in force";
    Design better = a.design();
    better.antenna.length(3, better.antenna.sectionCount[2]) *= 0.99f;
    ASSERT_TRUE(a.applyDesign(Engine(), better, "Optimiser"));
    EXPECT_EQ(a.history().undoName(), "Optimiser");
    EXPECT_TRUE(SameDesign(a.design(), better));
    EXPECT_NE(a.lastSweep()[CentrePoint].gain, opened[CentrePoint].gain);
    ASSERT_TRUE(a.undo(Engine()));
    ExpectSameSweep(a.lastSweep(), opened);
    // Opening a file starts the history again.
    ASSERT_TRUE(a.open(Engine(), Sample("5EL10M.QELT")).ok());
    EXPECT_FALSE(a.history().canRedo());
    EXPECT_EQ(a.history().size(), 1u);
}

TEST(Comparison, TheDesignBeforeTheLastChangeAndAnotherFile) {
    Analyser a = Opened(Sample("4EL20M.YAG"));
    const Sweep opened = a.lastSweep();
    EXPECT_FALSE(a.compareWithBefore(Engine()).ok()) << "nothing changed yet";
    ElementGrid grid = a.elementGrid();
    ASSERT_TRUE(grid.removeElement(grid.rowOf(4)).ok());
    ASSERT_TRUE(a.applyElements(Engine(), grid));
    ASSERT_TRUE(a.compareWithBefore(Engine()).ok());
    ASSERT_TRUE(a.comparison());
    EXPECT_EQ(a.comparison()->name, "Before Elements");
    ExpectSameSweep(a.comparison()->sweep, opened);
    EXPECT_EQ(a.comparisonLines().gain, FormatResultLines(opened, Ratio::FrontToRear).gain);
    EXPECT_EQ(a.comparisonChart().gain.y.size(), static_cast<std::size_t>(SweepPoints));

    // Another file follows the band and the height in force; a refusal keeps what there was.
    EXPECT_FALSE(a.compareWithFile(Engine(), "/nowhere/X.QELT").ok());
    EXPECT_EQ(a.comparison()->name, "Before Elements");
    ASSERT_TRUE(a.compareWithFile(Engine(), Sample("2EL20M.QELT")).ok());
    EXPECT_EQ(a.comparison()->name, "2EL20M.QELT");
    const float freeSpaceGain = a.comparison()->sweep[CentrePoint].gain;
    ASSERT_TRUE(a.setHeight(Engine(), "50").ok());
    EXPECT_GT(a.comparison()->sweep[CentrePoint].gain, freeSpaceGain + 3) << "over ground too";
    ASSERT_TRUE(a.setBand(Engine(), "14.1", "14.2").ok());
    EXPECT_FLOAT_EQ(a.comparison()->sweep[0].frequency, 14.1f);
    a.computePolarPattern(Engine());
    ASSERT_TRUE(a.comparison()->pattern);
    EXPECT_TRUE(a.comparison()->pattern->overGround);
    a.clearComparison();
    EXPECT_FALSE(a.comparison());
}
