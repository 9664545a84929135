#include "chart_axis.h"

#include "common/axis_ticks.h"
#include "common/number_text.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace common {

MaskedAxis::MaskedAxis(const QString& role, QObject* parent) : QCategoryAxis(parent), role_(role) {
    setLabelsPosition(AxisLabelsPositionOnValue);
    connect(this, &QValueAxis::rangeChanged, this, [this] { relabel(); });
    QValueAxis::setRange(0, 1);
    relabel();
}

void MaskedAxis::setRange(double minimum, double maximum) {
    if (!std::isfinite(minimum) || !std::isfinite(maximum)) return;
    if (minimum > maximum) std::swap(minimum, maximum);
    if (minimum == maximum) {
        minimum -= 1;
        maximum += 1;
    }
    QValueAxis::setRange(minimum, maximum);
    relabel(); // also when the range was already this one and Qt saw no change
}

void MaskedAxis::setInterval(double interval) {
    interval_ = interval;
    relabel();
}

void MaskedAxis::setMask(const std::string& mask) {
    mask_ = mask;
    relabel();
}

void MaskedAxis::setWrapsAround(bool wraps) {
    wraps_ = wraps;
    relabel();
}

QString MaskedAxis::text(double value) const {
    return QString::fromStdString(Format(value, shownMask_));
}

QString MaskedAxis::name() const { return title().isEmpty() ? role_ : title(); }

void MaskedAxis::relabel() {
    if (relabelling_) return;
    relabelling_ = true;
    for (const QString& label : categoriesLabels()) remove(label);
    std::vector<double> ticks = AxisTicks(min(), max(), interval_);
    const double near = (max() - min()) * 1e-9;
    if (wraps_ && ticks.size() > 1 && std::fabs(ticks.front() - min()) <= near &&
        std::fabs(ticks.back() - max()) <= near)
        ticks.pop_back();
    // The automatic mask follows the step actually used.
    shownMask_ = !mask_.empty()     ? mask_
                 : ticks.size() > 1 ? MaskForInterval(ticks[1] - ticks[0])
                                    : MaskForInterval(interval_);
    setStartValue(min());
    labels_.clear();
    QStringList used;
    for (double tick : ticks) {
        labels_ << QString::fromStdString(Format(tick, shownMask_));
        // Categories need distinct names and a coarse mask can print two ticks alike: a
        // zero-width space tells them apart without showing.
        QString category = labels_.back();
        while (used.contains(category)) category += QChar(0x200B);
        used << category;
        append(category, std::clamp(tick, min(), max()));
    }
    relabelling_ = false;
}

} // namespace common
