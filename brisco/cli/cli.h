#pragma once
// brisco-cli: the terrain assessment without a window, for scripts. The slots, options and
// statistics file go into the same model as the window's, the same engine computes them,
// and the results sections and the output graph's labels are printed as the window would
// write and show them.
#include "brisco/core/terrain_engine.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace brisco {

// Runs the companion on its arguments (without the program name); returns the exit
// code: 0 done, 1 a value or file the window would refuse, 2 a usage error.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const EngineSource& engine);

} // namespace brisco
