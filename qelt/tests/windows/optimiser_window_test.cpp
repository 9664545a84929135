// The optimiser window on the main window, headless: Run in its worker thread, Stop,
// Accept into the working copy, Cancel leaving the antenna alone, and the table's bounds
// and locks.
#include "main_window_fixture.h"
#include "test_antennas.h"

#include "qelt/windows/main_chart.h"
#include "qelt/windows/optimiser_window.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QTableWidget>
#include <QThread>

#include <chrono>
#include <filesystem>
#include <string>

#include <unistd.h>

using common::testing::Type;

namespace {

// A file of each test's own: the tests run in parallel processes.
QString ThreeElements() {
    const std::filesystem::path dir =
        std::filesystem::path(testing::TempDir()) / ("qelt_optimise_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "3EL.QELT").string();
    std::ofstream(path) << qelt_test::ThreeElementBeam;
    return QString::fromStdString(path);
}

// The window thread turns while the search runs, as it does for the user.
bool EndsWithin(const frmOptimise& w, double seconds) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (w.running() && std::chrono::steady_clock::now() < until) {
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
    QCoreApplication::processEvents();
    return !w.running();
}

class OptimiserWindowTest : public MainWindowTest {
protected:
    frmOptimise& open() {
        startWith(ThreeElements());
        press("cmdOptimise");
        frmOptimise& w = *window->OptimiseWindow;
        EXPECT_TRUE(w.isVisible());
        return w;
    }
    bool isEnabled(const frmOptimise& w, const char* name) {
        return Control<QWidget>(&w, name)->isEnabled();
    }
};

TEST_F(OptimiserWindowTest, RunThenAcceptTakesTheBestIntoTheWorkingCopy) {
    frmOptimise& w = open();
    EXPECT_EQ(w.windowModality(), Qt::ApplicationModal) << "no other engine call meanwhile";
    EXPECT_TRUE(Control<QLabel>(&w, "lblScore")->text().startsWith("Score: "));
    EXPECT_FALSE(isEnabled(w, "cmdAccept"));
    const Antenna before = window->analyser().working();
    const QString gainLine = label("lblF2");

    Type(&w, "txtEvaluations", "200");
    Press(&w, "cmdRun");
    EXPECT_TRUE(w.running());
    EXPECT_FALSE(isEnabled(w, "cmdRun"));
    EXPECT_TRUE(isEnabled(w, "cmdStop"));
    ASSERT_TRUE(EndsWithin(w, 60));
    ASSERT_TRUE(w.outcome());
    ASSERT_TRUE(w.outcome()->improved);
    EXPECT_EQ(Control<QLabel>(&w, "lblEvaluations")->text(),
              QString("Evaluations: %1").arg(w.outcome()->evaluations));
    EXPECT_TRUE(Control<QLabel>(&w, "lblSwrValue")->text().contains("->"));
    // The chart draws the best design's sweep.
    const std::vector<double> swr = w.TChart1->points(2).y;
    ASSERT_EQ(swr.size(), 11u);
    for (int i = 0; i < 11; ++i)
        EXPECT_FLOAT_EQ(static_cast<float>(swr[i]), w.outcome()->bestEvaluation.sweep[i].swr) << i;
    EXPECT_EQ(window->analyser().working().length(3, 3), before.length(3, 3))
        << "nothing taken before Accept";

    Press(&w, "cmdAccept");
    EXPECT_FALSE(w.isVisible());
    const Antenna& after = window->analyser().working();
    for (int e = 1; e <= 3; ++e) EXPECT_EQ(after.length(e, 3), w.outcome()->best.length(e, 3));
    EXPECT_EQ(window->analyser().drivenTipLength(), w.outcome()->best.length(2, 3));
    EXPECT_NE(label("lblF2"), gainLine) << "swept again";
    // The main window's sweep is the one the optimiser judged.
    EXPECT_EQ(window->analyser().lastSweep()[0].swr, w.outcome()->bestEvaluation.sweep[0].swr);

    // Accept is one step of the history: Undo gives the antenna back as it was.
    press("cmdUndo");
    for (int e = 1; e <= 3; ++e)
        EXPECT_EQ(window->analyser().working().length(e, 3), before.length(e, 3));
    EXPECT_EQ(label("lblF2"), gainLine);
    press("cmdRedo");
    EXPECT_EQ(window->analyser().working().length(3, 3), w.outcome()->best.length(3, 3));
}

TEST_F(OptimiserWindowTest, CancelWhileRunningLeavesTheAntennaAsItWas) {
    frmOptimise& w = open();
    const Antenna before = window->analyser().working();
    const QString gainLine = label("lblF2");
    Type(&w, "txtEvaluations", "1000000");
    Type(&w, "txtSeconds", "600");
    Press(&w, "cmdRun");
    for (int i = 0; i < 20; ++i) {
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
    Press(&w, "cmdCancel");
    EXPECT_FALSE(w.running());
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(window->analyser().working().spacing, before.spacing);
    EXPECT_EQ(window->analyser().working().sectionLength, before.sectionLength);
    EXPECT_EQ(label("lblF2"), gainLine);
}

TEST_F(OptimiserWindowTest, StopKeepsTheBestSoFar) {
    frmOptimise& w = open();
    Type(&w, "txtEvaluations", "1000000");
    Type(&w, "txtSeconds", "600");
    Press(&w, "optGlobal");
    Press(&w, "cmdRun");
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(400);
    while (std::chrono::steady_clock::now() < until) {
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
    Press(&w, "cmdStop");
    ASSERT_TRUE(EndsWithin(w, 10));
    ASSERT_TRUE(w.outcome());
    EXPECT_TRUE(w.outcome()->stopped);
    EXPECT_LT(w.outcome()->evaluations, 1000000);
    EXPECT_EQ(isEnabled(w, "cmdAccept"), w.outcome()->improved);
    EXPECT_TRUE(Control<QLabel>(&w, "lblStatus")->text().startsWith("Stopped."));
}

TEST_F(OptimiserWindowTest, BoundsAndLocksFromTheTable) {
    frmOptimise& w = open();
    QTableWidget* grid = Control<QTableWidget>(&w, "grdVariables");
    ASSERT_EQ(grid->rowCount(), 5);
    EXPECT_EQ(grid->item(0, 0)->text(), "Tip 1");
    EXPECT_EQ(grid->item(0, 3)->text(), "106.200"); // 118 inches less 10 %
    grid->item(0, 3)->setText("abc");
    ASSERT_EQ(scripted.messages.size(), 1);
    EXPECT_EQ(scripted.messages[0], "Tip 1: enter the low bound in inches, a number above 0.");
    EXPECT_EQ(grid->item(0, 3)->text(), "106.200") << "the refused bound shows as it was";
    grid->item(0, 4)->setText("125");
    EXPECT_EQ(w.model().variable(0).high, 125);

    for (int row = 0; row < grid->rowCount(); ++row) grid->item(row, 5)->setCheckState(Qt::Checked);
    EXPECT_TRUE(w.model().variable(4).locked);
    Press(&w, "cmdRun");
    EXPECT_FALSE(w.running());
    ASSERT_EQ(scripted.messages.size(), 2);
    EXPECT_TRUE(scripted.messages[1].contains("nothing to change"));

    // The boom held: the last spacing takes up the rest and is no variable of its own.
    grid->item(3, 5)->setCheckState(Qt::Unchecked);
    grid->item(4, 5)->setCheckState(Qt::Unchecked);
    Press(&w, "chkBoom");
    EXPECT_EQ(grid->item(4, 5)->text(), "boom");
}

} // namespace
