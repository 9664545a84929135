#include "cli.h"

#include "lookup_tables.h"

#include "common/text_file.h"

#include <ostream>

namespace calibrix {
namespace {

const char* const Usage = "usage: calibrix-cli --slope S --intercept I [--reflected] [-o FILE]\n";

struct Options {
    Calibration calibration;
    std::string outputPath; // empty: standard output
};

// The options, or false when they do not make sense.
bool parse(const std::vector<std::string>& args, Options& options) {
    bool slope = false, intercept = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        bool takesValue = a == "--slope" || a == "--intercept" || a == "-o";
        if (a == "--reflected") {
            options.calibration.channel = Channel::Reflected;
            continue;
        }
        if (!takesValue || i + 1 == args.size()) return false;
        const std::string& value = args[++i];
        if (a == "--slope") {
            options.calibration.slope = value;
            slope = true;
        } else if (a == "--intercept") {
            options.calibration.intercept = value;
            intercept = true;
        } else
            options.outputPath = value;
    }
    return slope && intercept;
}

} // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Options options;
    if (!parse(args, options)) {
        err << Usage;
        return 2;
    }
    // The C locale's style, so that scripts read and get the same numbers everywhere.
    auto source = ConstructTables(options.calibration, NumberStyle{});
    if (!source) {
        err << source.message() << '\n';
        return 1;
    }
    std::string text = common::JoinLines(source.value());
    if (options.outputPath.empty()) {
        out << text;
        return out.good() ? 0 : 1;
    }
    common::Result<> written = common::WriteFileAtomically(options.outputPath, text);
    if (!written) {
        err << "I/O Error while writing file\n" << written.message() << '\n';
        return 1;
    }
    return 0;
}

} // namespace calibrix
