#pragma once
// qelt-cli run in the test's process on the run-time folder's engine.
#include "qelt/cli/cli.h"

#include <sstream>
#include <string>
#include <vector>

namespace qelt_test {

struct CliRun {
    int code;
    std::string out, err;
};

inline CliRun Cli(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int code = qelt::RunCli(args, out, err, SUITE_DIR);
    return {code, out.str(), err.str()};
}

} // namespace qelt_test
