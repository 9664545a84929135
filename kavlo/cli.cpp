#include "cli.h"

#include "calculator.h"

#include "common/cli_options.h"

#include <charconv>
#include <ostream>

namespace kavlo {
namespace {

const char* const Usage =
    "usage: kavlo-cli [--cable INDEX] [--freq MHZ] [--length L] [--meters] [--input]\n"
    "                 [--r OHMS] [--x OHMS] [--precise]\n";

constexpr common::CliOption Options[] = {
    {"--cable", true}, {"--freq", true}, {"--length", true}, {"--r", true}, {"--x", true},
    {"--meters"},      {"--input"},      {"--precise"},      {"--help"},    {"-h"},
};

std::string fullPrecision(double v) {
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

std::optional<int> cableIndex(const std::string& text) {
    int index = -1;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), index);
    if (ec != std::errc() || end != text.data() + text.size() || index < 0 ||
        index >= CatalogueSize)
        return std::nullopt;
    return index;
}

} // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::optional<common::CliOptions> o = common::ParseCliOptions(args, Options);
    if (!o || !o->positional().empty()) {
        err << Usage;
        return 2;
    }
    if (o->has("--help") || o->has("-h")) {
        out << Usage;
        return 0;
    }
    // The messages the window would show; any of them means the value was refused.
    bool refused = false;
    auto report = [&](const std::vector<Message>& messages) {
        for (const Message& m : messages) err << m.text << '\n';
        refused = refused || !messages.empty();
    };

    Calculator calc;
    if (auto cable = o->value("--cable")) {
        std::optional<int> index = cableIndex(*cable);
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
        for (const auto& [name, v] : numbers) out << name << '=' << fullPrecision(v) << '\n';
    }
    return out.good() ? 0 : 1;
}

} // namespace kavlo
