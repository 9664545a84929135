#include "polar_chart.h"

#include <QPolarChart>

#include <algorithm>
#include <cmath>

namespace common {
namespace {

// The whole turns below an angle: 0 for 0..360, -1 for -360..0.
double turn(double angle) { return std::floor(angle / 360); }

// Ends the last piece where the segment from q to p reaches a whole turn and starts the
// next one there, on the other side of 0, once for each turn crossed.
void cutAtTurns(QPointF q, QPointF p, std::vector<QList<QPointF>>& pieces) {
    const double from = turn(q.x()), to = turn(p.x()), step = to > from ? 1 : -1;
    if (std::fabs(to - from) > 2) { // turns on end: no line to draw between them
        pieces.emplace_back();
        return;
    }
    for (double t = from; t != to; t += step) {
        const double edge = 360 * (step > 0 ? t + 1 : t);
        const double r = q.y() + (p.y() - q.y()) * (edge - q.x()) / (p.x() - q.x());
        pieces.back() << QPointF(edge - 360 * t, r);
        pieces.emplace_back();
        pieces.back() << QPointF(edge - 360 * (t + step), r);
    }
}

} // namespace

PolarChart::PolarChart(const QString& objectName, QWidget* parent)
    : ChartView(new QPolarChart, objectName, parent), angular_(new MaskedAxis("Angle", this)),
      radial_(new MaskedAxis("Radius", this)) {
    auto* polar = static_cast<QPolarChart*>(chart());
    angular_->setRange(0, 360);
    angular_->setInterval(30);
    angular_->setMask("##0");
    angular_->setWrapsAround(true);
    polar->addAxis(angular_, QPolarChart::PolarOrientationAngular);
    polar->addAxis(radial_, QPolarChart::PolarOrientationRadial);
}

MaskedAxis& PolarChart::axis(PolarAxis which) {
    return which == PolarAxis::Angular ? *angular_ : *radial_;
}

int PolarChart::addLine(const QString& name, const SeriesStyle& style) {
    return addLineSeries(name, style, angular_, radial_);
}

int PolarChart::addText(const QString& text, QPointF at, Qt::Alignment anchor) {
    return addTextAt(text, at, anchor, angular_, radial_);
}

ChartView::Pieces PolarChart::drawnPieces(const std::vector<QPointF>& points, const MaskedAxis& x,
                                          const MaskedAxis& y) const {
    // Qt draws a polar line only within 0..360 and joins 360 to 0 through the centre, so
    // a curve is cut where it crosses a whole turn, at the point of the segment on the
    // turn, and each piece is drawn within its own turn.
    auto onScale = [&](QPointF p) { return QPointF(p.x(), std::max(p.y(), y.minimum())); };
    Pieces pieces;
    for (const QList<QPointF>& run : ChartView::drawnPieces(points, x, y)) {
        pieces.emplace_back();
        for (qsizetype i = 0; i < run.size(); ++i) {
            const QPointF p = onScale(run[i]);
            if (i > 0) cutAtTurns(onScale(run[i - 1]), p, pieces);
            const QPointF drawn(p.x() - 360 * turn(p.x()), p.y());
            if (pieces.back().isEmpty() || pieces.back().back() != drawn) pieces.back() << drawn;
        }
    }
    return pieces;
}

} // namespace common
