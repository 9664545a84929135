#include "comparison.h"

namespace qelt {

void SweepComparison(const EngineRoutines& engine, Comparison& c, Band limits, double heightFeet) {
    Design& d = c.design;
    c.sweptHeight = c.heightFeet(heightFeet);
    c.sweptLimits = limits;
    c.sweep = SweepBand(engine, d.antenna, d.drivenTip, limits, static_cast<float>(c.sweptHeight),
                        d.match.swrRule(d.cableZ0));
    c.pattern.reset(); // of the sweep before
}

} // namespace qelt
