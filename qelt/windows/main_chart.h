#pragma once
// TChart1, the main window's chart: gain (red), the ratio on the right axis (lime), SWR
// (black, with diamonds where it leaves the chart at 10:1) and the SWR 2:1 line
// (fuchsia) against frequency after a sweep, or a
// rectangular pattern, the element-plane cut red and the other lime, against the angle
// from forward.
#include "qelt/core/charts.h"

#include "common/qt/chart.h"

namespace qelt {

class MainChart : public common::Chart {
    Q_OBJECT
public:
    explicit MainChart(QWidget* parent = nullptr);

    void showSweep(const FrequencyChart& chart);
    void showPattern(const RectangularPattern& pattern, int lastDegree, const PatternTexts& texts,
                     bool overGround);
    // Before any antenna: no curves, the design-time title.
    void showNothing();
    // After showSweep: a second antenna's gain, ratio and SWR dashed in the same colours,
    // the axes widened to hold them too (main_chart_compare.cpp).
    void showComparison(const FrequencyChart& other);

    static const QColor Gain, Ratio, Swr, SwrTwoToOne;

private:
    void showOnly(std::initializer_list<int> series);

    int gain_, ratio_, swr_, swrTwoToOne_, swrOffChart_;
    // The pattern's cuts by their names in free space and over ground.
    int ePlane_, hPlane_, azimuth_, elevation_;
    int comparedGain_ = -1, comparedRatio_ = -1, comparedSwr_ = -1; // once compared
};

} // namespace qelt
