#include "axis_ticks.h"

#include <algorithm>
#include <cmath>

namespace common {

double NiceInterval(double span, int parts) {
    span = std::fabs(span);
    if (!std::isfinite(span) || span == 0 || parts < 1) return 1;
    double raw = span / parts;
    double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double factor : {1.0, 2.0, 5.0})
        if (factor * power >= raw) return factor * power;
    return 10 * power;
}

namespace {
std::vector<double> multiples(double minimum, double maximum, double interval) {
    std::vector<double> ticks;
    const double slack = interval * 1e-6;
    // Multiples counted from zero, not added up, so no rounding creeps along the axis; the
    // count is bounded because far from zero k + 1 can round back to k.
    const double first = std::ceil((minimum - slack) / interval);
    for (int i = 0; i < MaxAxisTicks; ++i) {
        double tick = (first + i) * interval;
        if (tick > maximum + slack) break;
        if (std::fabs(tick) < slack) tick = 0;
        if (ticks.empty() || tick > ticks.back()) ticks.push_back(tick);
    }
    return ticks;
}
} // namespace

std::vector<double> AxisTicks(double minimum, double maximum, double interval) {
    if (!std::isfinite(minimum) || !std::isfinite(maximum) || !(minimum < maximum)) return {};
    const double span = maximum - minimum;
    if (interval > 0 && std::isfinite(interval) && span / interval <= MaxAxisTicks - 1) {
        std::vector<double> ticks = multiples(minimum, maximum, interval);
        if (ticks.size() >= 2) return ticks;
    }
    return multiples(minimum, maximum, NiceInterval(span));
}

std::string MaskForInterval(double interval) {
    std::string mask = "#,##0";
    if (!(interval > 0) || !std::isfinite(interval)) return mask;
    int decimals = 0;
    for (double step = interval; decimals < 6; ++decimals, step *= 10)
        if (std::fabs(step - std::round(step)) < 1e-9 * std::max(1.0, step)) break;
    if (decimals > 0) mask.append(".").append(static_cast<size_t>(decimals), '0');
    return mask;
}

} // namespace common
