#include "cli.h"

#include "kavlo/core/calculator.h"
#include "kavlo/core/graphs.h"
#include "kavlo/core/smith.h"
#include "kavlo/core/sweep.h"
#include "kavlo/core/tuner.h"

#include "common/cli_options.h"
#include "common/qt/command_line.h"
#include "common/text_file.h"

#include <ostream>
#include <variant>

namespace kavlo {
namespace {

const char* const Usage =
    "usage: kavlo-cli [--cable INDEX] [--freq MHZ] [--length L] [--meters] [--input]\n"
    "                 [--r OHMS] [--x OHMS] [--precise]\n"
    "                 [--tuner lowpass-l|highpass-l|pi|tee] [--coil-q Q] [--cap-q Q]\n"
    "                 [--stray PF] [--power W] [--tuner-r OHMS] [--pi-cap PF] [--tee-cap PF]\n"
    "                 [--phase DEG]\n"
    "                 [--graph volt|rx] [--csv]\n"
    "                 [--sweep FILE [--csv] [--s1p OUT] [--ref OHMS]]\n"
    "                 [--smith [--csv] [--ref OHMS]]\n";

// clang-format off
constexpr common::CliOption Options[] = {
    {"--cable", true, "INDEX", "the cable, counted from 0 in the window's list (0: RG-8A)"},
    {"--freq", true, "MHZ", "the frequency (3.5)"},
    {"--length", true, "L", "the line's length in feet or metres, or wavelengths ending in w (100)"},
    {"--r", true, "OHMS", "the resistance of the impedance (50)"},
    {"--x", true, "OHMS", "the reactance of the impedance (0)"},
    {"--tuner", true, "NETWORK", "design the tuner: lowpass-l, highpass-l, pi or tee"},
    {"--coil-q", true, "Q", "the tuner's coil Q"},
    {"--cap-q", true, "Q", "the tuner's capacitor Q"},
    {"--stray", true, "PF", "the tuner's stray capacitance"},
    {"--power", true, "W", "the transmitter's power, for the tuner and the graph"},
    {"--tuner-r", true, "OHMS", "the input resistance the tuner presents to the transmitter (50)"},
    {"--pi-cap", true, "PF", "the pi network's output capacitor (500)"},
    {"--tee-cap", true, "PF", "the tee network's output capacitor (100)"},
    {"--phase", true, "DEG", "the phase at the network's output (0)"},
    {"--graph", true, "KIND", "the along-line graph: volt or rx"},
    {"--csv", false, {}, "the graph's 201 points, the sweep or the Smith chart's line path as CSV"},
    {"--sweep", true, "FILE", "sweep the line with the loads of a .s1p, .s2p or CSV file (frequency in MHz, R, X)"},
    {"--s1p", true, "OUT", "with --sweep: write the line input's impedances as a Touchstone .s1p file"},
    {"--smith", false, {}, "the Smith chart's texts, or with --csv the line path from the load to the input"},
    {"--ref", true, "OHMS", "the reference resistance of the Smith chart and the .s1p file (50)"},
    {"--meters", false, {}, "lengths in metres"},
    {"--input", false, {}, "the impedance is the one seen at the line's input"},
    {"--precise", false, {}, "add the unrounded figures"},
};
// clang-format on

using common::ShortestText;

std::optional<TunerChoice> tunerChoice(const std::string& name) {
    if (name == "lowpass-l") return TunerChoice::LowPassL;
    if (name == "highpass-l") return TunerChoice::HighPassL;
    if (name == "pi") return TunerChoice::Pi;
    if (name == "tee") return TunerChoice::Tee;
    return std::nullopt;
}

void printMessages(std::ostream& err, const std::vector<Message>& messages) {
    for (const Message& m : messages) err << m.text << '\n';
}

// The setup page's boxes typed in as the options give them.
TunerSetup tunerSetup(const common::CliOptions& o, TunerChoice choice) {
    TunerSetup setup;
    setup.choose(choice);
    const std::pair<const char*, void (TunerSetup::*)(const std::string&)> boxes[] = {
        {"--coil-q", &TunerSetup::setCoilQ},   {"--cap-q", &TunerSetup::setCapQ},
        {"--stray", &TunerSetup::setStrayC},   {"--power", &TunerSetup::setTxPwr},
        {"--tuner-r", &TunerSetup::setTunerR}, {"--pi-cap", &TunerSetup::setPiCap},
        {"--tee-cap", &TunerSetup::setTeeCap}, {"--phase", &TunerSetup::setPhase},
    };
    for (const auto& [option, set] : boxes)
        if (auto value = o.value(option)) (setup.*set)(*value);
    return setup;
}

std::string partText(const TunerPart& part, double freq) {
    return part.inductor ? "L " + ShortestText(InductanceUH(part.reactance, freq))
                         : "C " + ShortestText(CapacitancePF(part.reactance, freq));
}

int runTuner(const Calculator& calc, const common::CliOptions& o, TunerChoice choice,
             std::ostream& out, std::ostream& err) {
    TunerSetup setup = tunerSetup(o, choice);
    const TunerLoad load = TunerLoadOf(calc);
    const TunerOutcome outcome = setup.design(load);
    printMessages(err, outcome.messages);
    if (!outcome.result) return 1;
    const TunerResult& r = *outcome.result;
    common::PrintControlTexts(out, TunerPageTexts, r.page);
    if (o.has("--precise")) {
        for (size_t k = 0; k < 3; ++k)
            out << "Part" << k + 1 << '='
                << (k < r.design.parts.size() ? partText(r.design.parts[k], load.freq) : "N/A")
                << '\n';
        out << "Qeff=" << ShortestText(r.design.qeff) << '\n'
            << "PowerLost=" << ShortestText(r.operation.powerLost) << '\n'
            << "PowerIntoLoad=" << ShortestText(r.powerToAntenna) << '\n';
    }
    return out.good() ? 0 : 1;
}

int runGraph(const Calculator& calc, const common::CliOptions& o, GraphKind kind,
             std::ostream& out) {
    TunerSetup setup;
    if (auto power = o.value("--power")) setup.setTxPwr(*power);
    const AlongLineGraph graph = BuildAlongLineGraph(calc, setup.txPower(), kind);
    if (o.has("--csv"))
        out << AlongLineCsv(graph);
    else
        common::PrintControlTexts(out, GraphTextTable, graph.texts);
    return out.good() ? 0 : 1;
}

// The Smith chart's model with the reference of --ref, or nothing after saying why not.
std::optional<SmithModel> smithModel(const common::CliOptions& o, std::ostream& err) {
    SmithModel smith;
    if (auto ref = o.value("--ref")) smith.setRef(*ref);
    const std::vector<Message> messages = smith.leaveRef();
    printMessages(err, messages);
    if (!messages.empty()) return std::nullopt;
    return smith;
}

int runSweep(const Calculator& calc, const common::CliOptions& o, std::ostream& out,
             std::ostream& err) {
    const std::optional<SmithModel> smith = smithModel(o, err);
    if (!smith) return 1;
    SweepModel sweep;
    std::vector<Message> messages = sweep.openFile(*o.value("--sweep"));
    if (messages.empty()) messages = sweep.compute(calc);
    printMessages(err, messages);
    if (!messages.empty()) return 1;
    if (o.has("--csv"))
        out << sweep.csv();
    else
        for (const SweepPoint& p : sweep.points()) out << SweepLineText(p) << '\n';
    if (auto path = o.value("--s1p")) {
        common::Result<> written = common::WriteFileAtomically(*path, sweep.s1p(smith->ref()));
        if (!written) {
            err << *path << ": " << written.message() << '\n';
            return 1;
        }
    }
    return out.good() ? 0 : 1;
}

int runSmith(const Calculator& calc, const common::CliOptions& o, std::ostream& out,
             std::ostream& err) {
    std::optional<SmithModel> smith = smithModel(o, err);
    if (!smith) return 1;
    smith->build(calc, std::nullopt, {});
    if (o.has("--csv"))
        out << SmithCsv(smith->curve(SmithCurve::Line));
    else {
        common::PrintControlTexts(out, SmithBoxTexts, smith->boxes());
        common::PrintControlTexts(out, SmithDisplayTexts, smith->displays());
    }
    return out.good() ? 0 : 1;
}

} // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    auto read = common::ReadCommandLine(args, Options, Usage, out, err);
    if (const int* status = std::get_if<int>(&read)) return *status;
    const common::CliOptions* o = &std::get<common::CliOptions>(read);
    if (!o->positional().empty()) {
        err << Usage;
        return 2;
    }
    std::optional<TunerChoice> tuner;
    if (auto name = o->value("--tuner"); name && !(tuner = tunerChoice(*name))) {
        err << Usage;
        return 2;
    }
    std::optional<GraphKind> graph;
    if (auto name = o->value("--graph")) {
        if (*name == "volt")
            graph = GraphKind::VoltageCurrent;
        else if (*name == "rx")
            graph = GraphKind::ResistanceReactance;
        if (!graph || tuner) {
            err << Usage;
            return 2;
        }
    }
    const bool sweep = o->has("--sweep"), smith = o->has("--smith");
    if ((sweep || smith) && (tuner || graph || (sweep && smith))) {
        err << Usage;
        return 2;
    }
    if ((o->has("--s1p") && !sweep) || (o->has("--ref") && !sweep && !smith)) {
        err << Usage;
        return 2;
    }

    // The messages the window would show; any of them means the value was refused.
    bool refused = false;
    auto report = [&](const std::vector<Message>& messages) {
        printMessages(err, messages);
        refused = refused || !messages.empty();
    };

    Calculator calc;
    if (auto cable = o->value("--cable")) {
        std::optional<int> index = common::WholeNumberValue(*cable, 0, CatalogueSize - 1);
        if (!index) {
            err << "Cable index must be a whole number from 0 to " << CatalogueSize - 1 << '\n';
            return 1;
        }
        calc.setCable(*index);
    }
    if (o->has("--meters")) report(calc.setUnit('M'));
    if (o->has("--input")) calc.setEnd(KnownEnd::Input);
    if (auto freq = o->value("--freq")) {
        report(calc.setFrequency(*freq));
        if (!refused) report(calc.leaveFrequency());
    }
    if (auto length = o->value("--length")) {
        report(calc.setLength(*length));
        calc.leaveLength();
    }
    if (auto r = o->value("--r")) {
        calc.setResistance(*r);
        calc.leaveResistance();
    }
    if (auto x = o->value("--x")) {
        calc.setReactance(*x);
        calc.leaveReactance();
    }
    if (refused) return 1;

    if (tuner) return runTuner(calc, *o, *tuner, out, err);
    if (graph) return runGraph(calc, *o, *graph, out);
    if (sweep) return runSweep(calc, *o, out, err);
    if (smith) return runSmith(calc, *o, out, err);

    common::PrintControlTexts(out, BoxTexts, calc.boxes());
    common::PrintControlTexts(out, DisplayTexts, calc.displays());
    if (o->has("--precise")) {
        const LineSolution& s = calc.solution();
        const std::pair<const char*, double> numbers[] = {
            {"RFar", s.rFar},
            {"XFar", s.xFar},
            {"SWRFar", s.swrFar},
            {"SWRNear", s.swrNear},
            {"RhoNear", s.rhoNear},
            {"TotalLoss", s.totalLoss},
            {"MatchedLoss", calc.matchedLoss()},
        };
        for (const auto& [name, v] : numbers) out << name << '=' << ShortestText(v) << '\n';
    }
    return out.good() ? 0 : 1;
}

} // namespace kavlo
