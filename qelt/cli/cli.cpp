#include "cli.h"

#include "optimise.h"

#include "qelt/core/analyser.h"

#include "common/cli_options.h"
#include "common/qt/command_line.h"
#include "common/qt/engine_binding.h"

#include <array>
#include <optional>
#include <ostream>
#include <variant>

namespace qelt {
namespace {

const char* const Usage =
    "usage: qelt-cli FILE [--height H] [--meters] [--fb] [--pattern MHZ | --csv]\n"
    "                [--match gamma|hairpin [--freq MHZ] [--z0 OHMS] [--rod-dia D]\n"
    "                 [--rod-spacing S] [--adjust-driven]] [--save FILE [--mm]]\n"
    "                [--nec FILE [--nec-tapered]] [--compare OTHER]\n"
    "       qelt-cli FILE --optimise [--goal GOAL]... [--lock NAMES]... [--bound NAME=LO:HI]...\n"
    "                [--global] [--edges] [--max-evaluations N] [--seconds S] [--save FILE]\n";

// clang-format off
constexpr common::CliOption Options[] = {
    {"--height", true, "H", "over flat ground at H feet (metres with --meters)"},
    {"--pattern", true, "MHZ", "add the pattern's texts at that frequency"},
    {"--meters", false, {}, "metric units"},
    {"--fb", false, {}, "F/B in place of F/R"},
    {"--csv", false, {}, "the eleven sweep points as CSV"},
    {"--compare", true, "OTHER",
     "sweep the antenna file OTHER over the same band beside it; with --csv each row "
     "holds MHz, the six figures of FILE, then the same six of OTHER headed by its file "
     "name (\"2EL20M.QELT Gain (dBi)\" ...)"},
    {"--match", true, "KIND", "design a gamma or hairpin match"},
    {"--freq", true, "MHZ", "the match's frequency (the band's centre)"},
    {"--z0", true, "OHMS", "the match's cable impedance (50)"},
    {"--rod-dia", true, "D", "the match rod's diameter (the dialog's)"},
    {"--rod-spacing", true, "S", "the match rod's spacing (the dialog's)"},
    {"--adjust-driven", false, {}, "first bring the driven element's tip to what the match needs"},
    {"--save", true, "FILE", "write the antenna as Save As does"},
    {"--mm", false, {}, "save in millimetres"},
    {"--nec", true, "FILE", "write the antenna as a NEC-2 deck"},
    {"--nec-tapered", false, {}, "the deck with the tubes as built"},
    {"--optimise", false, {}, "search the tips and spacings for the goals"},
    {"--goal", true, "GOAL", "gain=W, fr=W, fb=W, swr<=2.0:W, r=50:W (repeats)"},
    {"--lock", true, "NAMES", "tipN, spacingN, tips, spacings, boom (repeats)"},
    {"--bound", true, "NAME=LO:HI", "a tip's or spacing's bounds (repeats)"},
    {"--global", false, {}, "several starts over the bounds, not one"},
    {"--edges", false, {}, "the goals at the band's edges and centre only"},
    {"--max-evaluations", true, "N", "the most designs the search judges (2000)"},
    {"--seconds", true, "S", "the most time the search takes (60)"},
};
// clang-format on

// The match dialog's boxes each option fills.
constexpr std::pair<const char*, MatchBox> MatchOptions[] = {
    {"--freq", MatchBox::Freq},
    {"--z0", MatchBox::Z0},
    {"--rod-dia", MatchBox::Diameter},
    {"--rod-spacing", MatchBox::Spacing},
};

const std::array<common::ControlText<MainTexts>, 1> MatchLabel{
    {{"lblMatch", &MainTexts::lblMatch}}};
const std::array<common::ControlText<MainTexts>, 1> RestoredLabel{
    {{"lblRestored", &MainTexts::lblRestored}}};
const std::array<common::ControlText<MatchBoxes>, 5> DesignTexts{{
    {"lblDEZ", &MatchBoxes::lblDEZ},
    {"lblNeed", &MatchBoxes::lblNeed},
    {"lblAssumes", &MatchBoxes::lblAssumes},
    {"lblLength", &MatchBoxes::lblLength},
    {"lblReac", &MatchBoxes::lblReac},
}};

const std::array<common::ControlText<MatchBoxes>, 1> AdjustedText{
    {{"lblAdjusted", &MatchBoxes::lblAdjusted}}};

// The option's words that make sense only together with another.
bool consistent(const common::CliOptions& o) {
    if (o.has("--optimise") && (o.has("--csv") || o.has("--pattern") || o.has("--nec")))
        return false;
    for (const common::CliOption& option : Options)
        if (IsOptimiseOption(option.name) && o.has(option.name) && !o.has("--optimise"))
            return false;
    if (o.has("--csv") && o.has("--pattern")) return false;
    if (o.has("--mm") && !o.has("--save")) return false;
    if (o.has("--nec-tapered") && !o.has("--nec")) return false;
    if (o.has("--adjust-driven") && !o.has("--match")) return false;
    if (const std::optional<std::string> m = o.value("--match"))
        return *m == "gamma" || *m == "hairpin";
    for (const auto& [option, box] : MatchOptions)
        if (o.has(option)) return false;
    return true;
}

using common::ShortestText;

const char* const CsvFigures[] = {"Gain (dBi)", "F/B (dB)", "F/R (dB)",
                                  "R (ohms)",   "X (ohms)", "SWR"};

void printFigures(std::ostream& out, const SweepPoint& p) {
    out << ',' << ShortestText(p.gain) << ',' << ShortestText(p.frontToBack) << ','
        << ShortestText(p.frontToRear) << ',' << ShortestText(p.resistance) << ','
        << ShortestText(p.reactance) << ',' << ShortestText(p.swr);
}

// One row per frequency; with a comparison, its six figures follow under headings that
// begin with its name.
void printCsv(std::ostream& out, const Sweep& sweep, const Comparison* other) {
    out << "MHz";
    for (const char* figure : CsvFigures) out << ',' << figure;
    if (other)
        for (const char* figure : CsvFigures) out << ',' << other->name << ' ' << figure;
    out << '\n';
    for (int i = 0; i < SweepPoints; ++i) {
        out << ShortestText(sweep[i].frequency);
        printFigures(out, sweep[i]);
        if (other) printFigures(out, other->sweep[i]);
        out << '\n';
    }
}

// The comparison's result lines, named as the main window's compared lines.
void printComparison(std::ostream& out, const Analyser& analyser) {
    const ResultLines lines = analyser.comparisonLines();
    out << "lblCompare=" << analyser.comparison()->name << '\n'
        << "lblC1=" << lines.freq << '\n'
        << "lblC2=" << lines.gain << '\n'
        << "lblC3=" << lines.ratio << '\n'
        << "lblC4=" << lines.impedance << '\n'
        << "lblC5=" << lines.swr << '\n';
}

} // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const std::string& engineFolder) {
    auto read = common::ReadCommandLine(args, Options, Usage, out, err);
    if (const int* status = std::get_if<int>(&read)) return *status;
    const common::CliOptions* o = &std::get<common::CliOptions>(read);
    if (o->positional().size() != 1 || !consistent(*o)) {
        err << Usage;
        return 2;
    }
    const Units units = o->has("--meters") ? Units::Metric : Units::English;
    std::optional<double> height;
    if (auto text = o->value("--height")) {
        height = common::NumberValue(*text);
        if (!height || *height < 0) {
            err << "The height must be a number of "
                << (units == Units::English ? "feet" : "meters") << ", 0 for free space.\n";
            return 1;
        }
    }

    common::Result<EngineRoutines> engine =
        common::BindEngine<EngineRoutines>(QString::fromStdString(engineFolder))();
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
    if (common::Result<> opened = analyser.open(engine.value(), o->positional()[0]); !opened) {
        err << opened.message() << '\n';
        return 1;
    }
    if (height)
        if (common::Result<> set = analyser.setHeight(engine.value(), *o->value("--height"));
            !set) {
            err << set.message() << '\n';
            return 1;
        }
    if (troubled()) return 1;
    if (const std::optional<std::string> network = o->value("--match")) {
        for (const auto& [option, box] : MatchOptions)
            if (const std::optional<std::string> text = o->value(option))
                analyser.typeMatch(box, *text);
        analyser.chooseNetwork(*network == "gamma" ? Network::Gamma : Network::Hairpin);
        common::Result<> matched = o->has("--adjust-driven")
                                       ? analyser.adjustDriven(engine.value())
                                       : analyser.computeMatch(engine.value());
        if (matched) matched = analyser.acceptMatch(engine.value());
        if (!matched) {
            err << matched.message() << '\n';
            return 1;
        }
        if (troubled()) return 1;
    }
    ViewChoices view = analyser.view();
    view.ratio = o->has("--fb") ? Ratio::FrontToBack : Ratio::FrontToRear;
    if (o->has("--optimise")) {
        if (common::Result<> applied = analyser.applyView(engine.value(), view); !applied) {
            err << applied.message() << '\n';
            return 1;
        }
        return RunOptimise(*o, analyser, engine.value(), out, err);
    }
    if (auto frequency = o->value("--pattern")) {
        view.graph = Graph::LinearPolar;
        view.frequency = *frequency;
    }
    if (view.ratio != analyser.view().ratio || view.graph != Graph::Sweep)
        if (common::Result<> applied = analyser.applyView(engine.value(), view); !applied) {
            err << applied.message() << '\n';
            return 1;
        }

    if (troubled()) return 1;
    if (const std::optional<std::string> other = o->value("--compare"))
        if (common::Result<> compared = analyser.compareWithFile(engine.value(), *other);
            !compared) {
            err << compared.message() << '\n';
            return 1;
        }
    if (const std::optional<std::string> path = o->value("--save"))
        if (common::Result<> saved =
                analyser.saveAs(*path, o->has("--mm") ? Units::Metric : analyser.units());
            !saved) {
            err << saved.message() << '\n';
            return 1;
        }
    if (const std::optional<std::string> path = o->value("--nec"))
        if (common::Result<> written = analyser.exportNec(
                engine.value(), *path,
                o->has("--nec-tapered") ? NecElements::Tapered : NecElements::Equivalent);
            !written) {
            err << written.message() << '\n';
            return 1;
        }
    if (o->has("--csv")) {
        printCsv(out, analyser.lastSweep(),
                 analyser.comparison() ? &*analyser.comparison() : nullptr);
    } else {
        common::PrintControlTexts(out, ResultTexts, analyser.texts());
        if (!analyser.texts().lblRestored.empty())
            common::PrintControlTexts(out, RestoredLabel, analyser.texts());
        if (analyser.comparison()) printComparison(out, analyser);
        if (o->has("--match")) {
            common::PrintControlTexts(out, MatchLabel, analyser.texts());
            common::PrintControlTexts(out, DesignTexts, analyser.matchBoxes());
            if (o->has("--adjust-driven"))
                common::PrintControlTexts(out, AdjustedText, analyser.matchBoxes());
        }
        if (const std::optional<Pattern>& pattern = analyser.polarPattern())
            common::PrintControlTexts(out, PatternTextTable, analyser.patternTexts(*pattern));
    }
    return out.good() ? 0 : 1;
}

} // namespace qelt
