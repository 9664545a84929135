#pragma once
// The field the line sources make above the plane of the first facet, on a line normal to
// it: the march's starting field. Direct part from the Hankel function, reflected part as
// the plane-wave spectrum of the image, each wave reflected by the ground condition the
// march imposes, so the march continues it without a seam.
#include <complex>
#include <vector>

#include "impedance_condition.h"
#include "line_sources.h"

namespace vexlo {

// The field of a unit line source in empty space at distance r, -(j/4) H0(2)(k r), of x = k r.
std::complex<double> lineSourceField(double x);

// Heights m dz for m = 0..count-1 above the point 'along' metres from 'base' along the
// plane of unit tangent 'tangent'. Every source must lie behind that line. The reflected
// waves' integral is taken finely enough for the cells below 'exactBelow'; above, where the
// march's absorber takes the field, it is only smooth.
std::vector<std::complex<double>> planeField(const std::vector<LineSource>& sources, Point base,
                                             Point tangent, double along, int count, int exactBelow,
                                             const ImpedanceCondition& ground);

} // namespace vexlo
