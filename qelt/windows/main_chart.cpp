#include "main_chart.h"

#include "common/number_text.h"
#include "common/qt/qt_text.h"

#include <algorithm>

namespace qelt {
namespace {

using common::q;

// The tip under the mouse, worded as the chart's own numbers are.
QString tipText(const common::ChartTip& tip) {
    using common::Format;
    if (tip.xName == "MHz") {
        const char* mask = tip.series == "Gain"  ? "##0.00 dBi"
                           : tip.series == "SWR" ? "##.00:1"
                                                 : "##0.00 dB";
        // The ratio's curve is named by its axis: "F/R (dB)" or "F/B (dB)".
        const QString name = tip.series == "Ratio" ? tip.yName : tip.series;
        return name + "\n" + q(Format(tip.x, "###0.000 MHz")) + "\n" + q(Format(tip.y, mask));
    }
    return tip.series + "\n" + q(Format(tip.x, "##0 Deg.")) + "\n" + q(Format(tip.y, "##0.0 dB"));
}

} // namespace

const QColor MainChart::Gain(255, 0, 0);
const QColor MainChart::Ratio(0, 255, 0);
const QColor MainChart::Swr(0, 0, 0);
const QColor MainChart::SwrTwoToOne(255, 0, 255);

MainChart::MainChart(QWidget* parent)
    : common::Chart("TChart1", parent), gain_(addLine("Gain", {Gain})),
      ratio_(addLine("Ratio", {Ratio}, common::Axis::Right)), swr_(addLine("SWR", {Swr})),
      swrTwoToOne_(addLine("SWR 2:1", {SwrTwoToOne, 1, Qt::SolidLine, false})),
      swrOffChart_(addMarkers("SWR off the chart", {Swr, 2, Qt::SolidLine, false})),
      ePlane_(addLine("E-Plane", {Gain})), hPlane_(addLine("H-Plane", {Ratio})),
      azimuth_(addLine("Azimuth", {Gain})), elevation_(addLine("Elevation", {Ratio})) {
    setLegendVisible(false); // the window's legend labels name the curves
    setTipText(tipText);
    showNothing();
}

void MainChart::showOnly(std::initializer_list<int> series) {
    for (int s = 0; s < seriesCount(); ++s) {
        setSeriesVisible(s, std::find(series.begin(), series.end(), s) != series.end());
        clearPoints(s);
    }
}

void MainChart::showNothing() {
    showOnly({});
    setTitle("Gain, F/R (or F/B), SWR");
    axis(common::Axis::Right).setVisible(false);
}

void MainChart::showSweep(const FrequencyChart& c) {
    showOnly({gain_, ratio_, swr_, swrTwoToOne_, swrOffChart_});
    setTitle(q(c.title));
    common::MaskedAxis& left = axis(common::Axis::Left);
    left.setTitle(q(c.leftTitle));
    left.setRange(c.leftMinimum, c.leftMaximum);
    left.setInterval(0);
    left.setMask("#,##0.0");
    common::MaskedAxis& right = axis(common::Axis::Right);
    right.setVisible(true);
    right.setTitle(q(c.rightTitle));
    right.setRange(c.rightMinimum, c.rightMaximum);
    right.setInterval(0);
    right.setMask("#0.0");
    common::MaskedAxis& bottom = axis(common::Axis::Bottom);
    bottom.setTitle(q(c.bottomTitle));
    bottom.setRange(c.bottomMinimum, c.bottomMaximum);
    bottom.setInterval(0);
    bottom.setMask({});
    setPoints(gain_, c.gain.x, c.gain.y);
    setPoints(ratio_, c.ratio.x, c.ratio.y);
    setPoints(swr_, c.swr.x, c.swr.y);
    setPoints(swrTwoToOne_, c.swrTwoToOne.x, c.swrTwoToOne.y);
    setPoints(swrOffChart_, c.swrOffChart.x, c.swrOffChart.y);
}

void MainChart::showPattern(const RectangularPattern& p, int lastDegree, const PatternTexts& texts,
                            bool overGround) {
    const int first = overGround ? azimuth_ : ePlane_;
    const int second = overGround ? elevation_ : hPlane_;
    showOnly({first, second});
    setTitle(q(texts.title));
    axis(common::Axis::Right).setVisible(false);
    common::MaskedAxis& left = axis(common::Axis::Left);
    left.setTitle("Gain (dB re Peak)");
    left.setRange(p.bottom, 0);
    left.setInterval(p.bottom < -20 ? 10 : 5);
    left.setMask("##0");
    common::MaskedAxis& bottom = axis(common::Axis::Bottom);
    bottom.setTitle("Deg.");
    bottom.setRange(0, lastDegree);
    bottom.setInterval(lastDegree > 60 ? 30 : 10);
    bottom.setMask("##0");
    setPoints(first, p.first.x, p.first.y);
    setPoints(second, p.second.x, p.second.y);
}

} // namespace qelt
