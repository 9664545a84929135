#include "main_chart.h"

#include <algorithm>

namespace qelt {

void MainChart::showComparison(const FrequencyChart& other) {
    if (comparedGain_ < 0) {
        comparedGain_ = addLine("Compared gain", {Gain, 2, Qt::DashLine});
        comparedRatio_ = addLine("Compared ratio", {Ratio, 2, Qt::DashLine}, common::Axis::Right);
        comparedSwr_ = addLine("Compared SWR", {Swr, 2, Qt::DashLine});
    }
    for (int s : {comparedGain_, comparedRatio_, comparedSwr_}) setSeriesVisible(s, true);
    setPoints(comparedGain_, other.gain.x, other.gain.y);
    setPoints(comparedRatio_, other.ratio.x, other.ratio.y);
    setPoints(comparedSwr_, other.swr.x, other.swr.y);
    for (const auto& [which, low, high] :
         {std::tuple{common::Axis::Left, other.leftMinimum, other.leftMaximum},
          std::tuple{common::Axis::Right, other.rightMinimum, other.rightMaximum}}) {
        common::MaskedAxis& a = axis(which);
        a.setRange(std::min(a.minimum(), low), std::max(a.maximum(), high));
    }
}

} // namespace qelt
