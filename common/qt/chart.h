#pragma once
// The suite's chart of curves against a numeric x: lines, markers and bars from arrays,
// on a left or a right value axis against the bottom axis.
//
//     auto* chart = new common::Chart("TChart1", this);   // object name, as tests find it
//     chart->setTitle("Gain, F/R, SWR");
//     chart->setLegendVisible(false);                      // the window labels the curves
//     auto& left = chart->axis(common::Axis::Left);
//     left.setTitle("Gain (dBi), SWR");
//     left.setRange(0, 8);
//     left.setInterval(1);
//     left.setMask("#,##0.0");                             // ticks read "1.0", "2.0" ...
//     int gain = chart->addLine("Gain", {Qt::red});
//     int ratio = chart->addLine("F/R", {QColor(0, 255, 0)}, common::Axis::Right);
//     chart->setPoints(gain, frequencies, gains);          // vector, array or span,
//     chart->setPoints(ratio, frequencies, ratios);        // of double or float
//     int stats = chart->addBars("Elevation statistics", {QColor(255, 0, 255)}, 0.5,
//                                "#0.0 %", common::Axis::Right);
//
// Series are numbered from 0 in the order they were added (ChartView has the calls that
// work on them: points, colours, pens, visibility, clearing, text labels, tip wording). Axes keep
// their title, range, interval and mask until changed; the right axis appears with the first series
// put on it and can be hidden again (`axis(Axis::Right).setVisible(false)`). Only the left and
// bottom axes draw grid lines.
//
// Every chart has a context menu: "Copy Image", "Save Image As PNG...", "Save Data As
// CSV..." (the actions are named mnuCopyImage, mnuSaveImage and mnuSaveData). Hovering
// over a curve tips its nearest point in the axes' masks. The chart is black on white,
// so common::PrintWindow puts it on paper as it is; set dotted pens in the request's
// `before` and solid ones in its `after` for a printout that tells curves apart without
// colour.
#include "chart_view.h"

namespace common {

enum class Axis { Left, Right, Bottom };

class Chart : public ChartView {
    Q_OBJECT
public:
    explicit Chart(const QString& objectName, QWidget* parent = nullptr);

    MaskedAxis& axis(Axis which);

    // A curve through the points in the order given.
    int addLine(const QString& name, const SeriesStyle& style = {}, Axis yAxis = Axis::Left);
    // A diamond at each point (the antennas on a terrain plot), 5 pen widths across. Qt
    // clips series at the plot's edge, so a marker on an axis limit shows only its half:
    // give that axis a little room (a bottom axis from -2 % of its span).
    int addMarkers(const QString& name, const SeriesStyle& style = {}, Axis yAxis = Axis::Left);
    // Bars standing on 0 at each point's own x, so they mix with curves on value axes.
    // `width` is in x units (0: 0.6 of the closest spacing of the bars); a `marksMask`
    // puts each bar's value over it ("#0.0 %").
    int addBars(const QString& name, const SeriesStyle& style = {}, double width = 0,
                const std::string& marksMask = {}, Axis yAxis = Axis::Left);
    // A text whose `anchor` point sits at `at` (x, y in the units of the bottom axis and
    // of `yAxis`) and stays there when the chart is resized.
    int addText(const QString& text, QPointF at, Axis yAxis = Axis::Left,
                Qt::Alignment anchor = Qt::AlignCenter);

    QSize sizeHint() const override { return {600, 400}; }

private:
    // The left axis for anything but Axis::Right (a y axis is asked for).
    MaskedAxis* valueAxis(Axis which);
    // The same, for a new series: the right axis shows once it carries one.
    MaskedAxis* seriesAxis(Axis which);

    MaskedAxis* bottom_;
    MaskedAxis* left_;
    MaskedAxis* right_;
};

} // namespace common
