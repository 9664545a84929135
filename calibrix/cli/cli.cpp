#include "cli.h"

#include "calibrix/core/lookup_tables.h"

#include "common/cli_options.h"
#include "common/qt/command_line.h"
#include "common/text_file.h"

#include <ostream>
#include <variant>

namespace calibrix {
namespace {

const char* const Usage = "usage: calibrix-cli --slope S --intercept I [--reflected] [-o FILE]\n";

// clang-format off
constexpr common::CliOption KnownOptions[] = {
    {"--slope", true, "S", "the detector's slope"},
    {"--intercept", true, "I", "the detector's intercept"},
    {"--reflected", false, {}, "the reflected-power channel's tables"},
    {"-o", true, "FILE", "write the tables into FILE"},
};
// clang-format on

} // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    auto read = common::ReadCommandLine(args, KnownOptions, Usage, out, err);
    if (const int* status = std::get_if<int>(&read)) return *status;
    const common::CliOptions* options = &std::get<common::CliOptions>(read);
    if (!options->positional().empty() || !options->has("--slope") ||
        !options->has("--intercept")) {
        err << Usage;
        return 2;
    }
    const Calibration calibration{*options->value("--slope"), *options->value("--intercept"),
                                  options->has("--reflected") ? Channel::Reflected
                                                              : Channel::Forward};
    const std::string outputPath = options->value("-o").value_or(""); // empty: standard output

    // The C locale's style, so that scripts read and get the same numbers everywhere.
    auto source = ConstructTables(calibration, NumberStyle{});
    if (!source) {
        err << source.message() << '\n';
        return 1;
    }
    std::string text = common::JoinLines(source.value());
    if (outputPath.empty()) {
        out << text;
        return out.good() ? 0 : 1;
    }
    common::Result<> written = common::WriteFileAtomically(outputPath, text);
    if (!written) {
        err << "I/O Error while writing file\n" << written.message() << '\n';
        return 1;
    }
    return 0;
}

} // namespace calibrix
