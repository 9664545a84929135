#pragma once
// calibrix-cli: the tables without a window, for scripts.
#include <iosfwd>
#include <string>
#include <vector>

namespace calibrix {

// Runs the companion on its arguments (without the program name); returns the exit code.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace calibrix
