#pragma once
// qelt-cli --optimise: the optimiser on the antenna opened (with the height, match and
// ratio the command line gave), its goals, locks and bounds from the command line; the
// goals' values before and after and the elements changed printed, the design saved.
#include "qelt/core/analyser.h"

#include "common/cli_options.h"

#include <ostream>

namespace qelt {

// The options --optimise adds to the companion's table.
bool IsOptimiseOption(std::string_view name);

// 0 when the score improved (and the design was saved when --save asked), 1 when the
// search could not start or found nothing better (nothing is saved then), with the
// message on `err`.
int RunOptimise(const common::CliOptions& options, Analyser& analyser, const EngineRoutines& engine,
                std::ostream& out, std::ostream& err);

} // namespace qelt
