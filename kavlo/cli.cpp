// kavlo-cli: the calculator without a window. The options are typed into the same
// boxes through the same rules as the window, and every result box is printed.
#include "calculator.h"

#include <charconv>
#include <cstring>
#include <iostream>
#include <string>

namespace {

const char* Usage =
    "usage: kavlo-cli [--cable INDEX] [--freq MHZ] [--length L] [--meters] [--input]\n"
    "                 [--r OHMS] [--x OHMS] [--precise]\n";

std::string fullPrecision(double v) {
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

bool report(const std::vector<kavlo::Message>& messages) {
    for (const auto& m : messages) std::cerr << m.text << "\n";
    return messages.empty();
}

} // namespace

int main(int argc, char** argv) {
    struct Options {
        std::string cable, freq, length, r, x;
        bool meters = false, input = false, precise = false;
    } o;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= argc) return false;
            into = argv[++i];
            return true;
        };
        bool ok = true;
        if (a == "--cable")
            ok = value(o.cable);
        else if (a == "--freq")
            ok = value(o.freq);
        else if (a == "--length")
            ok = value(o.length);
        else if (a == "--r")
            ok = value(o.r);
        else if (a == "--x")
            ok = value(o.x);
        else if (a == "--meters")
            o.meters = true;
        else if (a == "--input")
            o.input = true;
        else if (a == "--precise")
            o.precise = true;
        else if (a == "--help" || a == "-h") {
            std::cout << Usage;
            return 0;
        } else
            ok = false;
        if (!ok) {
            std::cerr << Usage;
            return 2;
        }
    }

    kavlo::Calculator calc;
    if (!o.cable.empty()) {
        int index = -1;
        auto [end, ec] = std::from_chars(o.cable.data(), o.cable.data() + o.cable.size(), index);
        if (ec != std::errc() || end != o.cable.data() + o.cable.size() || index < 0 ||
            index >= kavlo::CatalogueSize) {
            std::cerr << "Cable index must be a whole number from 0 to " << kavlo::CatalogueSize - 1
                      << "\n";
            return 1;
        }
        calc.setCable(index);
    }
    if (o.meters && !report(calc.setUnit('M'))) return 1;
    if (o.input) calc.setEnd(kavlo::KnownEnd::Input);
    if (!o.freq.empty() && (!report(calc.setFrequency(o.freq)) || !report(calc.leaveFrequency())))
        return 1;
    if (!o.length.empty() && !report(calc.setLength(o.length))) return 1;
    if (!o.r.empty()) calc.setResistance(o.r);
    if (!o.x.empty()) calc.setReactance(o.x);

    const kavlo::Displays& d = calc.displays();
    const std::pair<const char*, const std::string*> boxes[] = {
        {"txtZ0", &d.txtZ0},
        {"txtMLPer", &d.txtMLPer},
        {"txtVF", &d.txtVF},
        {"txtVoltage", &d.txtVoltage},
        {"txtMLTot", &d.txtMLTot},
        {"txtWavelen", &d.txtWavelen},
        {"txtLoadSWR", &d.txtLoadSWR},
        {"txtInputSWR", &d.txtInputSWR},
        {"txtRho", &d.txtRho},
        {"txtAddLoss", &d.txtAddLoss},
        {"txtTotalLoss", &d.txtTotalLoss},
        {"txtImpedIn", &d.txtImpedIn},
        {"txtPolarZ", &d.txtPolarZ},
        {"txtPolarDegree", &d.txtPolarDegree},
        {"lblInputZ", &d.lblInputZ},
        {"txtLength", &calc.boxes().length},
    };
    for (const auto& [name, text] : boxes) std::cout << name << "=" << *text << "\n";
    if (!d.warning.empty()) std::cout << "LblWarning=" << d.warning << "\n";
    if (o.precise) {
        const kavlo::LineSolution& s = calc.solution();
        const std::pair<const char*, double> numbers[] = {
            {"RFar", s.rFar},
            {"XFar", s.xFar},
            {"SWRFar", s.swrFar},
            {"SWRNear", s.swrNear},
            {"RhoNear", s.rhoNear},
            {"TotalLoss", s.totalLoss},
            {"MatchedLoss", calc.matchedLoss()},
        };
        for (const auto& [name, v] : numbers) std::cout << name << "=" << fullPrecision(v) << "\n";
    }
    return 0;
}
