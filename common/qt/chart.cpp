#include "chart.h"

namespace common {

Chart::Chart(const QString& objectName, QWidget* parent)
    : ChartView(new QChart, objectName, parent), bottom_(new MaskedAxis("x", this)),
      left_(new MaskedAxis("y", this)), right_(new MaskedAxis("y", this)) {
    chart()->addAxis(bottom_, Qt::AlignBottom);
    chart()->addAxis(left_, Qt::AlignLeft);
    chart()->addAxis(right_, Qt::AlignRight);
    right_->setGridLineVisible(false);
    right_->setVisible(false);
}

MaskedAxis& Chart::axis(Axis which) {
    switch (which) {
    case Axis::Left:
        return *left_;
    case Axis::Right:
        return *right_;
    case Axis::Bottom:
        break;
    }
    return *bottom_;
}

MaskedAxis* Chart::valueAxis(Axis which) { return which == Axis::Right ? right_ : left_; }

MaskedAxis* Chart::seriesAxis(Axis which) {
    if (which == Axis::Right) right_->setVisible(true);
    return valueAxis(which);
}

int Chart::addLine(const QString& name, const SeriesStyle& style, Axis yAxis) {
    return addLineSeries(name, style, bottom_, seriesAxis(yAxis));
}

int Chart::addMarkers(const QString& name, const SeriesStyle& style, Axis yAxis) {
    return addMarkerSeries(name, style, bottom_, seriesAxis(yAxis));
}

int Chart::addBars(const QString& name, const SeriesStyle& style, double width,
                   const std::string& marksMask, Axis yAxis) {
    return addBarSeries(name, style, width, marksMask, bottom_, seriesAxis(yAxis));
}

int Chart::addText(const QString& text, QPointF at, Axis yAxis, Qt::Alignment anchor) {
    return addTextAt(text, at, anchor, bottom_, valueAxis(yAxis));
}

} // namespace common
