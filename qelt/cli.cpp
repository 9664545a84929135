#include "cli.h"

#include "analyser.h"
#include "engine_binding.h"

#include "common/cli_options.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <ostream>

namespace qelt {
namespace {

const char* const Usage = "usage: qelt-cli FILE [--height H] [--meters] [--fb] [--pattern MHZ]\n"
                          "       qelt-cli FILE [--height H] [--meters] [--csv]\n";

constexpr common::CliOption Options[] = {
    {"--height", true}, {"--pattern", true}, {"--meters"}, {"--fb"}, {"--csv"}, {"--help"}, {"-h"},
};

// A value that is a number and nothing else; a comma may be the decimal point.
std::optional<double> number(std::string text) {
    std::replace(text.begin(), text.end(), ',', '.');
    double value = 0;
    const char* end = text.data() + text.size();
    auto [stop, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || stop != end || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::string shortest(float value) {
    char buffer[32];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return ec == std::errc() ? std::string(buffer, end) : std::string("NaN");
}

void printCsv(std::ostream& out, const Sweep& sweep) {
    out << "MHz,Gain (dBi),F/B (dB),F/R (dB),R (ohms),X (ohms),SWR\n";
    for (const SweepPoint& p : sweep)
        out << shortest(p.frequency) << ',' << shortest(p.gain) << ',' << shortest(p.frontToBack)
            << ',' << shortest(p.frontToRear) << ',' << shortest(p.resistance) << ','
            << shortest(p.reactance) << ',' << shortest(p.swr) << '\n';
}

} // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const std::string& engineFolder) {
    std::optional<common::CliOptions> o = common::ParseCliOptions(args, Options);
    if (o && (o->has("--help") || o->has("-h"))) {
        out << Usage;
        return 0;
    }
    if (!o || o->positional().size() != 1 || (o->has("--csv") && o->has("--pattern"))) {
        err << Usage;
        return 2;
    }
    const Units units = o->has("--meters") ? Units::Metric : Units::English;
    std::optional<double> height;
    if (auto text = o->value("--height")) {
        height = number(*text);
        if (!height || *height < 0) {
            err << "The height must be a number of "
                << (units == Units::English ? "feet" : "meters") << ", 0 for free space.\n";
            return 1;
        }
    }

    EngineBinding binding(QString::fromStdString(engineFolder));
    common::Result<const EngineRoutines*> engine = binding.routines();
    if (!engine) {
        err << engine.message() << '\n';
        return 1;
    }
    Analyser analyser(units);
    // Figures the engine could not compute are not printed as if it had.
    auto troubled = [&] {
        if (!analyser.engineTrouble().empty()) err << analyser.engineTrouble() << '\n';
        return !analyser.engineTrouble().empty();
    };
    if (common::Result<> opened = analyser.open(*engine.value(), o->positional()[0]); !opened) {
        err << opened.message() << '\n';
        return 1;
    }
    if (height) analyser.setHeight(*engine.value(), *o->value("--height"));
    if (troubled()) return 1;
    ViewChoices view = analyser.view();
    view.ratio = o->has("--fb") ? Ratio::FrontToBack : Ratio::FrontToRear;
    if (auto frequency = o->value("--pattern")) {
        view.graph = Graph::LinearPolar;
        view.frequency = *frequency;
    }
    if (view.ratio != analyser.view().ratio || view.graph != Graph::Sweep)
        if (common::Result<> applied = analyser.applyView(*engine.value(), view); !applied) {
            err << applied.message() << '\n';
            return 1;
        }

    if (troubled()) return 1;
    if (o->has("--csv")) {
        printCsv(out, analyser.lastSweep());
    } else {
        common::PrintControlTexts(out, ResultTexts, analyser.texts());
        if (const std::optional<Pattern>& pattern = analyser.polarPattern())
            common::PrintControlTexts(out, PatternTextTable, analyser.patternTexts(*pattern));
    }
    return out.good() ? 0 : 1;
}

} // namespace qelt
