#pragma once
// kavlo-cli: the calculator without a window, for scripts. The options are typed into
// the same boxes through the same rules as the window, and every text the window shows
// is printed as controlName=text.
#include <iosfwd>
#include <string>
#include <vector>

namespace kavlo {

// Runs the companion on its arguments (without the program name); returns the exit
// code: 0 done, 1 a value the window would refuse, 2 a usage error.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace kavlo
