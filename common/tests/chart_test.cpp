#include "common/qt/chart.h"
#include "common/qt/polar_chart.h"
#include "common/qt/testing/gui_test.h"
#include "common/qt/window_printing.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLineSeries>
#include <QMouseEvent>
#include <QScatterSeries>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>

#include <filesystem>
#include <fstream>
#include <sstream>

// Failures show the texts, not their bytes.
void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

using namespace common;
using common::testing::ChooseFile;
using common::testing::Control;
using common::testing::Scripted;
namespace fs = std::filesystem;

namespace {

const std::vector<double> angles{0, 0.25, 0.5, 0.75, 1};
const std::vector<float> gains{-30, 2.5f, 7.6f, 6, 3};

// A chart laid out on the screen the way a window shows it.
struct Shown {
    explicit Shown(ChartView* chart, QSize size = {600, 400}) : view(chart) {
        chart->resize(size);
        chart->show();
        QApplication::processEvents();
    }
    ~Shown() { delete view; }
    ChartView* view;
};

// The Qt lines that draw a series: a polar curve may be cut into several.
QList<QLineSeries*> drawnLines(ChartView& chart, const QString& name) {
    QList<QLineSeries*> lines;
    for (QAbstractSeries* s : chart.chart()->series())
        if (auto* line = qobject_cast<QLineSeries*>(s); line && line->name() == name) lines << line;
    return lines;
}

void hover(ChartView& chart, QPointF value, QAbstractSeries* series) {
    QPoint at =
        chart.mapFromScene(chart.chart()->mapToScene(chart.chart()->mapToPosition(value, series)));
    for (QPoint p : {at - QPoint(30, 30), at}) {
        QMouseEvent move(QEvent::MouseMove, p, chart.viewport()->mapToGlobal(p), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(chart.viewport(), &move);
    }
}

std::string slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

class ChartFiles : public ::testing::Test {
protected:
    fs::path dir = fs::temp_directory_path() / ("chart_files_" + std::to_string(::getpid()));
    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override { fs::remove_all(dir); }
    QString file(const std::string& name) { return QString::fromStdString((dir / name).string()); }
};

void run(ChartView& chart, const char* command) { Control<QAction>(&chart, command)->trigger(); }

} // namespace

TEST(Chart, KeepsItsPointsAndTheAxesAsSet) {
    Chart chart("TChart1");
    MaskedAxis& left = chart.axis(Axis::Left);
    left.setTitle("Gain, dBi");
    left.setRange(7.34 - 20, 7.34);
    int slot = chart.addLine("Slot 1", {Qt::blue});
    int stats = chart.addBars("Statistics", {Qt::magenta}, 0.5, "#0.0 %", Axis::Right);
    chart.setPoints(slot, angles, std::vector<double>{1, 2, 3}); // the shorter array counts
    chart.setPoints(slot, std::span(angles).first(5), std::span(gains).first(5));
    chart.setPoints(stats, std::vector<double>{1, 2}, std::vector<double>{12.5, 3});

    EXPECT_EQ(chart.points(slot).x, angles);
    EXPECT_FLOAT_EQ(chart.points(slot).y[2], 7.6f);
    EXPECT_FALSE(chart.points(slot).singleX);
    EXPECT_TRUE(chart.points(slot).singleY);
    EXPECT_DOUBLE_EQ(left.minimum(), -12.66) << "points do not rescale an axis";
    EXPECT_DOUBLE_EQ(left.maximum(), 7.34);
    EXPECT_TRUE(chart.axis(Axis::Right).isVisible()) << "the right axis shows with its series";
    Chart plain("plain");
    EXPECT_FALSE(plain.axis(Axis::Right).isVisible());

    left.setRange(5, 5); // an empty range would divide by zero
    EXPECT_LT(left.minimum(), left.maximum());
    left.setRange(10, -10);
    EXPECT_EQ(left.minimum(), -10);

    chart.clearPoints();
    EXPECT_TRUE(chart.points(slot).x.empty());
    EXPECT_TRUE(chart.points(stats).x.empty());
    EXPECT_EQ(chart.seriesCount(), 2);
    EXPECT_EQ(left.title(), "Gain, dBi");
}

TEST(Chart, MissingValuesLeaveAGapAndFarOnesAreDrawnTowardTheirSide) {
    Chart chart("TChart1");
    chart.axis(Axis::Bottom).setRange(0, 10);
    chart.axis(Axis::Left).setRange(0, 10);
    int curve = chart.addLine("Z", {Qt::blue});
    const double nan = std::nan("");
    chart.setPoints(curve, std::vector<double>{0, 1, 2, 3, 4},
                    std::vector<double>{1, 1e300, nan, 5, -1e300});
    EXPECT_EQ(chart.points(curve).y[1], 1e300) << "the data keep the value";
    QList<QLineSeries*> lines = drawnLines(chart, "Z");
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0]->points(), QList<QPointF>({{0, 1}, {1, 110}}));
    EXPECT_EQ(lines[1]->points(), QList<QPointF>({{3, 5}, {4, -100}}));
}

TEST(Chart, MarkersAreLoneDiamondsWithTips) {
    Chart chart("TChart2");
    chart.axis(Axis::Left).setTitle("Height, feet ASL");
    chart.axis(Axis::Left).setRange(0, 1000);
    int antenna = chart.addMarkers("Antenna 1", {Qt::blue});
    chart.setPoints(antenna, std::vector<double>{0}, std::vector<float>{600});
    QList<QScatterSeries*> drawn;
    for (QAbstractSeries* s : chart.chart()->series())
        if (auto* points = qobject_cast<QScatterSeries*>(s)) drawn << points;
    ASSERT_EQ(drawn.size(), 1);
    EXPECT_EQ(drawn[0]->points(), QList<QPointF>({{0, 600}}));
    EXPECT_EQ(drawn[0]->markerShape(), QScatterSeries::MarkerShapeRotatedRectangle);
    EXPECT_EQ(chart.tipFor(antenna, {0.1, 590}), "Antenna 1\nx: 0.0\nHeight, feet ASL: 600");
}

TEST(Chart, TickLabelsReadAsTheMaskPrintsThem) {
    Chart chart("TChart1");
    MaskedAxis& left = chart.axis(Axis::Left);
    left.setRange(-12.66, 7.34);
    left.setInterval(2);
    left.setMask("#,##0.#");
    EXPECT_EQ(left.tickLabels(),
              QStringList({"-12.", "-10.", "-8.", "-6.", "-4.", "-2.", "0.", "2.", "4.", "6."}));
    // What Qt draws are the same texts, each at its own value.
    EXPECT_EQ(left.count(), 10);
    EXPECT_EQ(left.endValue(left.categoriesLabels().first()), -12);

    MaskedAxis& bottom = chart.axis(Axis::Bottom);
    bottom.setRange(0, 2000);
    bottom.setInterval(500);
    bottom.setMask("#,##0.0");
    EXPECT_EQ(bottom.tickLabels(), QStringList({"0.0", "500.0", "1,000.0", "1,500.0", "2,000.0"}));
    // A coarse mask prints neighbours alike; every tick still gets its label.
    bottom.setRange(0, 2);
    bottom.setInterval(0.5);
    bottom.setMask("#0");
    EXPECT_EQ(bottom.tickLabels(), QStringList({"0", "1", "1", "2", "2"}));
    EXPECT_EQ(bottom.count(), 5);
    // No mask: as many decimals as the step needs.
    bottom.setMask("");
    bottom.setInterval(0.25);
    EXPECT_EQ(bottom.tickLabels().mid(0, 2), QStringList({"0.00", "0.25"}));
}

TEST(Chart, TipsNameTheSeriesAndTheNearestPointInTheAxesMasks) {
    auto* chart = new Chart("TChart1");
    Shown shown(chart);
    chart->axis(Axis::Bottom).setTitle("Takeoff Angle, Degrees");
    chart->axis(Axis::Bottom).setRange(0, 1);
    chart->axis(Axis::Bottom).setMask("#0.00");
    chart->axis(Axis::Left).setTitle("Gain, dBi");
    chart->axis(Axis::Left).setRange(-10, 10);
    chart->axis(Axis::Left).setMask("#,##0.#");
    int slot = chart->addLine("Slot 1", {Qt::blue});
    chart->setPoints(slot, angles, gains);
    QApplication::processEvents();

    hover(*chart, {0.5, 7.6}, chart->chart()->series().first());
    EXPECT_EQ(QToolTip::text(), "Slot 1\nTakeoff Angle, Degrees: 0.50\nGain, dBi: 7.6");
    EXPECT_EQ(chart->tipFor(slot, {0.7, 5}), "Slot 1\nTakeoff Angle, Degrees: 0.75\nGain, dBi: 6.");

    int stats = chart->addBars("Stats", {Qt::magenta}, 0.2, {}, Axis::Right);
    chart->axis(Axis::Right).setRange(0, 20);
    chart->axis(Axis::Right).setMask("##0.0");
    chart->setPoints(stats, std::vector<double>{0.25, 0.75}, std::vector<double>{12.5, 3});
    EXPECT_EQ(chart->tipFor(stats, {0.8, 1}), "Stats\nTakeoff Angle, Degrees: 0.75\ny: 3.0")
        << "a bar answers anywhere over its width";

    chart->setTipText([](const ChartTip& tip) { return tip.series + " at " + tip.xText; });
    EXPECT_EQ(chart->tipFor(slot, {0, -30}), "Slot 1 at 0.00");
    int guide = chart->addLine("2:1", {Qt::black, 1, Qt::SolidLine, false});
    chart->setPoints(guide, angles, angles);
    EXPECT_EQ(chart->tipFor(guide, {0.5, 0.5}), "") << "guides have no tips";
}

TEST(Chart, DottedPensReachThePrintedPageAndSolidOnesComeBack) {
    QWidget window;
    auto* chart = new Chart("TChart1");
    QVBoxLayout layout(&window);
    layout.addWidget(chart);
    window.resize(600, 400);
    window.show();
    chart->axis(Axis::Bottom).setRange(0, 10);
    chart->axis(Axis::Left).setRange(0, 10);
    int slot2 = chart->addLine("Slot 2", {Qt::red, 2});
    chart->setPoints(slot2, std::vector<double>{0, 10}, std::vector<double>{5, 5});
    QApplication::processEvents();

    // The number of separate red stretches along the curve's row of the page.
    auto redRuns = [&](const QImage& page) {
        QPointF middle = chart->chart()->mapToPosition({5, 5});
        QPoint at = chart->mapTo(&window, chart->mapFromScene(chart->chart()->mapToScene(middle)));
        int runs = 0;
        bool inRed = false;
        for (int x = at.x() - 100; x < at.x() + 100; ++x) {
            QColor c = page.pixelColor(x, at.y());
            bool red = c.red() > 200 && c.green() < 150;
            runs += red && !inRed;
            inRed = red;
        }
        return runs;
    };

    Scripted().answers = {true};
    ASSERT_TRUE(PrintWindow(&window, {"Brisco",
                                      {},
                                      [&] { chart->setPenStyle(slot2, Qt::DotLine); },
                                      [&] { chart->setPenStyle(slot2, Qt::SolidLine); }}));
    const QImage page = Scripted().printedPages.at(0);
    EXPECT_GT(redRuns(page), 10) << "dotted on paper";
    EXPECT_EQ(page.pixelColor(chart->mapTo(&window, QPoint(3, 3))), QColor(Qt::white));
    EXPECT_EQ(chart->penStyle(slot2), Qt::SolidLine);
    EXPECT_EQ(drawnLines(*chart, "Slot 2").first()->pen().style(), Qt::SolidLine);
    EXPECT_EQ(redRuns(window.grab().toImage()), 1) << "solid again on the screen";
}

TEST(Chart, SavedDataHoldsTheVisibleDataSeries) {
    Chart chart("TChart1");
    chart.axis(Axis::Bottom).setTitle("Takeoff Angle, Degrees");
    int slot1 = chart.addLine("Slot 1", {Qt::blue});
    int slot2 = chart.addLine("Slot 2", {Qt::red});
    int unused = chart.addLine("Slot 3", {Qt::green});
    int guide = chart.addLine("Reference", {Qt::black, 1, Qt::SolidLine, false});
    int stats = chart.addBars("Stats", {Qt::magenta}, 0.5, "#0.0 %", Axis::Right);
    chart.setPoints(slot1, std::span(angles).first(3), std::span(gains).first(3));
    chart.setPoints(slot2, std::span(angles).first(3), std::vector<double>{-30, 1, 2});
    chart.setPoints(unused, angles, angles);
    chart.setSeriesVisible(unused, false);
    chart.setPoints(guide, angles, angles);
    chart.setPoints(stats, std::vector<double>{1}, std::vector<double>{12.5});
    EXPECT_EQ(chart.csvText(), "\"Takeoff Angle, Degrees\",Slot 1,Slot 2,"
                               "\"Takeoff Angle, Degrees\",Stats\n"
                               "0,-30,-30,1,12.5\n"
                               "0.25,2.5,1,,\n"
                               "0.5,7.6,2,,\n");
}

TEST_F(ChartFiles, ImageAndDataGoWhereTheUserSaysAndCancelSavesNothing) {
    auto* chart = new Chart("TChart1");
    Shown shown(chart);
    chart->setTitle("Gain, F/R, SWR");
    int gain = chart->addLine("Gain", {Qt::red});
    chart->setPoints(gain, angles, gains);

    ChooseFile(file("chart.png"));
    run(*chart, "mnuSaveImage");
    QImage saved(file("chart.png"));
    EXPECT_EQ(saved.size(), chart->grab().size());
    EXPECT_EQ(Scripted().fileRequests.back().fileName, "Gain, F-R, SWR.png");

    ChooseFile(file("chart.csv"));
    run(*chart, "mnuSaveData");
    EXPECT_EQ(slurp(dir / "chart.csv"), chart->csvText());
    EXPECT_EQ(Scripted().fileRequests.back().folder, QString::fromStdString(dir.string()))
        << "the next dialog starts where the last save went";

    run(*chart, "mnuSaveImage"); // cancelled: no file chosen
    run(*chart, "mnuSaveData");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2);
    EXPECT_TRUE(Scripted().messages.isEmpty());

    run(*chart, "mnuCopyImage");
    EXPECT_EQ(QApplication::clipboard()->image().size(), chart->grab().size());
}

TEST(Chart, ARightClickOffersTheThreeCommands) {
    auto* chart = new Chart("TChart1");
    Shown shown(chart);
    QStringList offered;
    QTimer::singleShot(0, [&] {
        if (QWidget* menu = QApplication::activePopupWidget()) {
            for (QAction* action : menu->actions()) offered << action->text();
            menu->close();
        }
    });
    QPoint at(300, 200);
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, chart->viewport()->mapToGlobal(at));
    QApplication::sendEvent(chart->viewport(), &click);
    EXPECT_EQ(offered, QStringList({"Copy Image", "Save Image As PNG...", "Save Data As CSV..."}));
}

TEST_F(ChartFiles, AFailedSaveSaysWhatFailedAndKeepsTheOldFile) {
    Chart chart("TChart1");
    int gain = chart.addLine("Gain", {Qt::red});
    chart.setPoints(gain, angles, gains);
    // A name at the length limit: the file exists, but no temporary file beside it can.
    const std::string longName = std::string(251, 'g') + ".csv";
    std::ofstream(dir / longName) << "kept";
    ChooseFile(file(longName));
    run(chart, "mnuSaveData");
    EXPECT_EQ(slurp(dir / longName), "kept");
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_TRUE(Scripted().messages[0].startsWith("The data could not be saved: cannot "));

    ChooseFile(file("no/such/folder/x.png"));
    chart.resize(200, 100);
    run(chart, "mnuSaveImage");
    ASSERT_EQ(Scripted().messages.size(), 2);
    EXPECT_TRUE(Scripted().messages[1].contains("no/such/folder"));
}

TEST(PolarChart, CurvesAreDrawnWithinOneTurnAndStayJoinedAcrossZero) {
    auto* polar = new PolarChart("TChart1");
    Shown shown(polar, {500, 500});
    polar->axis(PolarAxis::Radial).setRange(0, 100);
    int azimuth = polar->addLine("Azimuth", {Qt::red});
    std::vector<double> a, r;
    for (int d = -175; d <= 185; d += 10) { // across 0 between points, and past 180
        a.push_back(d);
        r.push_back(100 - std::abs(d) / 5.0);
    }
    polar->setPoints(azimuth, a, r);
    EXPECT_EQ(polar->points(azimuth).x, a) << "the data stay as given";

    QList<QLineSeries*> lines = drawnLines(*polar, "Azimuth");
    ASSERT_GE(lines.size(), 2);
    for (QLineSeries* line : lines)
        for (QPointF p : line->points()) {
            EXPECT_GE(p.x(), 0);
            EXPECT_LE(p.x(), 360);
        }
    // One piece ends on 360 and the next starts on 0 at the same radius: no gap, no line
    // through the centre.
    EXPECT_EQ(lines[0]->points().last(), QPointF(360, 99));
    EXPECT_EQ(lines[1]->points().first(), QPointF(0, 99));
    EXPECT_EQ(lines[1]->points().last(), QPointF(185, 63));
    EXPECT_EQ(polar->axis(PolarAxis::Angular).tickLabels().size(), 12) << "no 360 over 0";

    polar->setPoints(azimuth, std::vector<double>{10, 20}, std::vector<double>{-5, 50});
    EXPECT_EQ(drawnLines(*polar, "Azimuth")[0]->points().first(), QPointF(10, 0))
        << "below the scale is the centre";
}

TEST(PolarChart, TextLabelsStayOnTheirPolarPoint) {
    auto* polar = new PolarChart("frmMorwen");
    Shown shown(polar, {400, 400});
    polar->axis(PolarAxis::Radial).setRange(0, 100);
    int label = polar->addText("-3", {90, 50});
    auto* item = [&] {
        for (QGraphicsItem* i : polar->chart()->childItems())
            if (auto* t = dynamic_cast<QGraphicsSimpleTextItem*>(i); t && t->text() == "-3")
                return t;
        return static_cast<QGraphicsSimpleTextItem*>(nullptr);
    }();
    ASSERT_TRUE(item);
    auto centreOfLabel = [&] { return item->pos() + item->boundingRect().center(); };
    const QRectF plot = polar->chart()->plotArea();
    EXPECT_NEAR(centreOfLabel().x(), plot.center().x() + plot.width() / 4, 1.5);
    EXPECT_NEAR(centreOfLabel().y(), plot.center().y(), 1.5);

    polar->resize(600, 600);
    QApplication::processEvents();
    const QRectF larger = polar->chart()->plotArea();
    EXPECT_NEAR(centreOfLabel().x(), larger.center().x() + larger.width() / 4, 1.5);
    polar->setText(label, "-6");
    EXPECT_EQ(polar->text(label), "-6");
}
