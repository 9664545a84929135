#pragma once
// Where the labelled ticks of a chart axis go.
#include <string>
#include <vector>

namespace common {

// A step of 1, 2 or 5 times a power of ten that cuts `span` into about `parts` pieces.
double NiceInterval(double span, int parts = 8);

// The multiples of `interval` from `minimum` to `maximum`, both included, in rising order
// (a tick within a millionth of a step of an end counts as on it). An interval that is not
// positive, not finite, would give more than `MaxAxisTicks` ticks (no input can ask for
// millions of labels) or fewer than two (an axis always reads) is replaced by
// NiceInterval. Nothing for a range that is empty or not finite.
constexpr int MaxAxisTicks = 200;
std::vector<double> AxisTicks(double minimum, double maximum, double interval);

// The picture mask for an axis given none: grouped whole numbers with as many decimals
// as the step needs ("#,##0", "#,##0.0", "#,##0.25" needs "#,##0.00"), at most six.
std::string MaskForInterval(double interval);

} // namespace common
