#pragma once
// A second antenna beside the design in force: another antenna file, or the design as it
// was before the last change. It is swept over the band in force, so that its curves
// share the chart's frequencies, and gives its own result lines, chart curves and, for the
// polar plots, its pattern.
#include "analysis.h"
#include "design_history.h"

#include <optional>
#include <string>

namespace qelt {

enum class CompareWith { File, Before };

struct Comparison {
    std::string name; // the legend's: "5EL10M.QELT", or "Before Elements"
    CompareWith with = CompareWith::File;
    // The other antenna and its conditions: a file's on a 50-ohm cable without a network,
    // at the height in force; the design before the last change with its own height,
    // cable and network.
    Design design;
    Sweep sweep{};
    Band sweptLimits;        // the band it was swept over
    double sweptHeight = -1; // and the height, feet
    std::optional<Pattern> pattern;

    double heightFeet(double inForce) const {
        return with == CompareWith::File ? inForce : design.heightFeet;
    }
};

// The comparison swept over `limits` with the height in force `heightFeet`.
void SweepComparison(const EngineRoutines& engine, Comparison& comparison, Band limits,
                     double heightFeet);

} // namespace qelt
