#pragma once
// The companions' command lines, read by QCommandLineParser from their tables of options
// (common/cli_options.h): "--name value" or "--name=value", plain "--flag"s and positional
// arguments in any order, "--help" describing every option and "--version" the suite's
// version. Unknown options and missing values are refused, so a typing slip never runs
// with a silently ignored setting.
#include "common/cli_options.h"

#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace common {

// Nothing when an option is unknown or lacks its value (`why` then says which).
std::optional<CliOptions> ParseCliOptions(const std::vector<std::string>& args,
                                          std::span<const CliOption> known,
                                          std::string* why = nullptr);

// The options to run with; or, when the companion ends at once, its exit status: 0 after
// "--help" (the usage and every option's description on `out`) or "--version", 2 for a bad
// option (the usage on `err`).
std::variant<CliOptions, int> ReadCommandLine(const std::vector<std::string>& args,
                                              std::span<const CliOption> known,
                                              std::string_view usage, std::ostream& out,
                                              std::ostream& err);

// "--help"'s text: the usage, then one line an option.
std::string HelpText(std::span<const CliOption> known, std::string_view usage);

} // namespace common
