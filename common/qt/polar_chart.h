#pragma once
// The suite's polar chart for antenna patterns: curves of radius against angle in degrees.
//
//     auto* polar = new common::PolarChart("TChart1", this);
//     polar->axis(common::PolarAxis::Radial).setRange(0, 100);
//     polar->axis(common::PolarAxis::Radial).setLabelsVisible(false); // a grid of its own
//     int azimuth = polar->addLine("Azimuth", {Qt::red});
//     polar->setPoints(azimuth, angles, levels);
//     int circle = polar->addLine("-3 dB", {Qt::gray, 1, Qt::SolidLine, false}); // a guide
//     polar->addText("-3", {0, radiusOf3dB});
//
// Angles: 0 degrees, the antenna's forward direction, is at the top, and angles grow
// clockwise, as on a compass; any angle may be given (-180..180, 0..360, beyond) and is
// brought round into 0..360 for drawing, the curve staying unbroken across 0. A radius
// below the radial axis' minimum is drawn at the centre. The angular axis runs 0..360
// with a label every 30 degrees ("##0"); the radial axis' range, interval, mask, labels
// and grid are the window's to set (MaskedAxis and Qt's QAbstractAxis calls). Qt clips
// curves at the outer circle, so give the radial axis a little room beyond the largest
// radius drawn.
//
// Series calls, text labels, tips, the context menu and printing are those of every
// chart (chart_view.h, chart.h).
#include "chart_view.h"

namespace common {

enum class PolarAxis { Angular, Radial };

class PolarChart : public ChartView {
    Q_OBJECT
public:
    explicit PolarChart(const QString& objectName, QWidget* parent = nullptr);

    MaskedAxis& axis(PolarAxis which);

    int addLine(const QString& name, const SeriesStyle& style = {});
    // A text whose `anchor` point sits at `at` = (angle in degrees, radius).
    int addText(const QString& text, QPointF at, Qt::Alignment anchor = Qt::AlignCenter);

    QSize sizeHint() const override { return {500, 500}; }

protected:
    Pieces drawnPieces(const std::vector<QPointF>& points, const MaskedAxis& x,
                       const MaskedAxis& y) const override;

private:
    MaskedAxis* angular_;
    MaskedAxis* radial_;
};

} // namespace common
