#include "common/qt/smith_chart.h"
#include "common/qt/testing/gui_test.h"

#include <QApplication>

using common::SmithChart;

namespace {

struct ShownChart {
    ShownChart() : chart("Smith1") {
        chart.resize(500, 560);
        chart.show();
        QApplication::processEvents();
    }
    SmithChart chart;
};

} // namespace

TEST(SmithChart, ReflectionsLandOnTheUnitCircleItsCentreAndRim) {
    ShownChart shown;
    SmithChart& c = shown.chart;
    const QPointF centre = c.pixelOf({0, 0});
    const QPointF open = c.pixelOf({1, 0}), shorted = c.pixelOf({-1, 0});
    EXPECT_DOUBLE_EQ(open.y(), centre.y());
    EXPECT_DOUBLE_EQ(open.x() - centre.x(), centre.x() - shorted.x());
    EXPECT_DOUBLE_EQ(centre.x(), 250);
    // Inductive reactance above the axis, as the chart is read.
    EXPECT_LT(c.pixelOf({0, 0.5}).y(), centre.y());
    // The circle fits the widget beside the legend.
    EXPECT_GT(shorted.x(), 0);
    EXPECT_LT(c.pixelOf({0, -1}).y(), 560 - 30);
}

TEST(SmithChart, TipsOfTheNearestVisiblePointOnly) {
    ShownChart shown;
    SmithChart& c = shown.chart;
    const int line = c.addCurve("Along the line", {Qt::blue});
    const int load = c.addCurve("Load", {Qt::red, 2, true});
    c.setPoints(line, {{{0, 0}, "R 50"}, {{0.5, 0.5}, "R 100, X 100"}});
    c.setPoints(load, {{{0.51, 0.5}, "the load"}});
    EXPECT_EQ(c.tipAt(c.pixelOf({0, 0}) + QPointF(3, 3)), "Along the line\nR 50");
    EXPECT_EQ(c.tipAt(c.pixelOf({0.51, 0.5})), "Load\nthe load");
    EXPECT_EQ(c.tipAt(c.pixelOf({-0.5, 0})), "");
    c.setCurveVisible(load, false);
    EXPECT_EQ(c.tipAt(c.pixelOf({0.51, 0.5})), "Along the line\nR 100, X 100");
    c.setCircle(-1, "SWR");
    EXPECT_EQ(c.circleRadius(), 0);
    c.setCircle(0.3, "SWR 1.86");
    EXPECT_EQ(c.circleRadius(), 0.3);
    const QImage image = c.image();
    EXPECT_EQ(image.size(), QSize(500, 560) * image.devicePixelRatio());
    // The blue path is drawn where its points are.
    const QPointF mid = (c.pixelOf({0, 0}) + c.pixelOf({0.5, 0.5})) / 2;
    bool blue = false;
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy) {
            const QColor colour = image.pixelColor(mid.toPoint() + QPoint(dx, dy));
            blue = blue || (colour.blue() > 200 && colour.red() < 80);
        }
    EXPECT_TRUE(blue);
}
