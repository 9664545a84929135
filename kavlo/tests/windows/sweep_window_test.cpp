#include "window_test_fixture.h"

#include "kavlo/windows/smith_window.h"
#include "kavlo/windows/sweep_window.h"
#include "kavlo/windows/tuner_window.h"

#include "common/qt/chart.h"
#include "common/qt/smith_chart.h"

#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

using namespace kavlo;

namespace {

QString q(const std::string& text) { return QString::fromStdString(text); }

class SweepWindowTest : public kavlo::testing::KavloWindowTest {
protected:
    frmSweep* sweep() {
        press("cmdSweep");
        return window->sweepWindow;
    }
    frmSmith* smith() {
        press("cmdSmith");
        return window->smithWindow;
    }
    QString label(const char* name, const QWidget* in) { return control<QLabel>(name, in)->text(); }
    std::string file(const char* name, const std::string& content) {
        const std::string path = common::InFolder(folder.path().toStdString(), name);
        std::ofstream(path) << content;
        return path;
    }
    std::string saved(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string("missing");
    }
};

TEST_F(SweepWindowTest, TypedLoadOverTheBandFollowsTheCalculator) {
    open();
    frmSweep* w = sweep();
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->windowTitle(), "Kavlo, Band Sweep");
    common::Chart* chart = w->TChart1;
    ASSERT_EQ(chart->points(1).x.size(), 51u);
    EXPECT_EQ(chart->points(1).y[10], w->model().points()[10].swrInput);
    // The band starts 5 % either side of the working frequency.
    EXPECT_EQ(text("txtFrom", w), "3.325");
    EXPECT_EQ(chart->axis(common::Axis::Bottom).maximum(), 3.675);
    EXPECT_EQ(label("lblSource", w), "Load at the load: 50.00 + j 0.00 ohm as typed");

    type("txtReactance", "40");
    EXPECT_EQ(label("lblSource", w), "Load at the load: 50.00 + j 40.00 ohm as typed");
    EXPECT_GT(chart->points(0).y[0], 2); // the SWR at the load follows
    control<QComboBox>("cboPickCable")->setCurrentIndex(17);
    EXPECT_EQ(label("lblLine", w).left(6), "RG-213");

    type("txtFrom", "5", w);
    leave("txtFrom", w);
    EXPECT_EQ(scripted.messages.value(0), q(BadBand.text));
    EXPECT_EQ(chart->points(1).x.size(), 0u);
    EXPECT_FALSE(control<QPushButton>("cmdSaveData", w)->isEnabled());
    type("txtFrom", "3.8", w);
    type("txtTo", "4", w);
    type("txtPoints", "3", w);
    leave("txtPoints", w);
    EXPECT_EQ(chart->points(1).x, (std::vector<double>{3.8, 3.9, 4}));
    press("cmdBack", w);
    type("txtFreq", "14", window.get());
    EXPECT_EQ(sweep()->model().boxes().from, "3.8") << "the user's band stays";
}

TEST_F(SweepWindowTest, LoadsFromAFileAndABadFileSaysWhereItIsBad) {
    open();
    frmSweep* w = sweep();
    const std::string good = file("ant.csv", "MHz,R,X\n7.0,40,-20\n7.1,50,0\n7.2,60,25\n");
    common::testing::ChooseFile(q(good));
    press("cmdOpen", w);
    EXPECT_TRUE(control<QRadioButton>("optFile", w)->isChecked());
    EXPECT_FALSE(control<QLineEdit>("txtFrom", w)->isEnabled());
    EXPECT_TRUE(label("lblSource", w).contains("ant.csv (CSV of frequency, R and X"));
    ASSERT_EQ(w->model().points().size(), 3u);
    EXPECT_EQ(w->model().points()[2].loadR, 60);

    const std::string bad = file("bad.s1p", "# MHz S RI R 50\n7.0 0.1 0.1\n7.1 0.1\n");
    common::testing::ChooseFile(q(bad));
    press("cmdOpen", w);
    EXPECT_EQ(scripted.messages.value(0),
              q(bad + " line 3: the record is cut short: 3 numbers expected, 2 found"));
    EXPECT_EQ(w->model().points().size(), 3u) << "the good file's loads stay";

    press("optTyped", w);
    EXPECT_EQ(w->model().points().size(), 51u);
    EXPECT_TRUE(control<QLineEdit>("txtFrom", w)->isEnabled());
}

TEST_F(SweepWindowTest, SavesCsvAndTouchstoneAndPrints) {
    open();
    frmSweep* w = sweep();
    const QString csv = folder.filePath("sweep.csv"), s1p = folder.filePath("input.s1p");
    common::testing::ChooseFile(csv);
    press("cmdSaveData", w);
    EXPECT_EQ(saved(csv), w->model().csv());
    common::testing::ChooseFile(s1p);
    press("cmdSaveS1p", w);
    EXPECT_EQ(saved(s1p), w->model().s1p(50));
    EXPECT_EQ(scripted.fileRequests.back().filter,
              "Touchstone files (*.s1p)|*.s1p|All files (*)|*");
    scripted.answers = {true};
    press("cmdPrint", w);
    EXPECT_EQ(scripted.printedCount, 1);
    EXPECT_EQ(w->TChart1->penStyle(0), Qt::SolidLine) << "dotted only on paper";
}

TEST_F(SweepWindowTest, SmithChartOfTheLineTheTunerAndTheSweep) {
    open();
    type("txtReactance", "-60");
    frmSmith* w = smith();
    EXPECT_EQ(w->windowTitle(), "Kavlo, Smith Chart");
    common::SmithChart* chart = w->Smith1;
    const auto curve = [chart](SmithCurve c) { return chart->points(static_cast<int>(c)); };
    EXPECT_EQ(curve(SmithCurve::Line).size(), 201u);
    EXPECT_EQ(curve(SmithCurve::Load).size(), 1u);
    EXPECT_TRUE(curve(SmithCurve::Tuner).empty());
    EXPECT_TRUE(curve(SmithCurve::Sweep).empty());
    EXPECT_EQ(label("lblTuner", w), "No tuner designed (Tuner page: Design Tuner)");
    const std::complex<double> z(50, -60);
    EXPECT_NEAR(std::abs(curve(SmithCurve::Load)[0].gamma - (z - 50.0) / (z + 50.0)), 0, 1e-15);
    EXPECT_DOUBLE_EQ(chart->circleRadius(), std::abs((z - 50.0) / (z + 50.0)));
    EXPECT_TRUE(chart->tipAt(chart->pixelOf(curve(SmithCurve::Load)[0].gamma))
                    .startsWith("Load\n3.500 MHz\nR 50.00, X -60.00 ohm\nSWR "));

    press("cmdTuner");
    press("cmdDrawTuner", window->tunerSetup);
    EXPECT_EQ(curve(SmithCurve::Tuner).size(), 121u); // the stray and two parts, 40 steps each
    EXPECT_TRUE(label("lblTuner", w).startsWith("Tuner input: "));

    type("txtRef", "0", w);
    leave("txtRef", w);
    EXPECT_EQ(scripted.messages.value(0), q(BadReference.text));
    EXPECT_EQ(text("txtRef", w), "50");
    type("txtRef", "75", w);
    leave("txtRef", w);
    EXPECT_EQ(chart->title(), "Normalised to 75 ohm");
    EXPECT_NEAR(std::abs(curve(SmithCurve::Load)[0].gamma - (z - 75.0) / (z + 75.0)), 0, 1e-15);

    press("cmdSmith", sweep());
    EXPECT_EQ(curve(SmithCurve::Sweep).size(), 51u);

    const QString png = folder.filePath("smith.png"), csv = folder.filePath("smith.csv");
    common::testing::ChooseFile(png);
    press("cmdSaveImage", w);
    EXPECT_FALSE(QImage(png).isNull());
    common::testing::ChooseFile(csv);
    press("cmdSaveData", w);
    EXPECT_EQ(saved(csv), w->model().csv());
    scripted.answers = {true};
    press("cmdPrint", w);
    EXPECT_EQ(scripted.printedCount, 1);
}

} // namespace
