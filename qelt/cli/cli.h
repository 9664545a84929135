#pragma once
// qelt-cli: the analyser without a window, for scripts. It opens an antenna file through
// the same core as the window, sweeps it and prints what the window shows, one
// controlName=text a line, or the sweep as CSV.
#include <iosfwd>
#include <string>
#include <vector>

namespace qelt {

// Runs the companion on its arguments (without the program name); returns 0 when done,
// 1 when the engine, the file or a value was refused (the window's message on standard
// error), 2 for a usage error. `engineFolder`: where libyoruk.so lies, the program's
// folder unless named.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const std::string& engineFolder = {});

} // namespace qelt
