#include "sweep.h"

#include "common/cli_options.h"
#include "common/constants.h"
#include "common/number_text.h"
#include "common/trimmed.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace kavlo {

using common::Format;
using common::ParseNumber;
using common::ShortestText;

namespace {

std::string where(const LoadList& loads, const LoadPoint& point) {
    return loads.name.empty() ? std::string()
                              : loads.name + " line " + std::to_string(point.line) + ": ";
}

} // namespace

LoadList TypedBand(double r, double x, double from, double to, int count) {
    LoadList list;
    list.description = "the typed impedance";
    for (int k = 0; k < count; ++k) {
        const double freq = k == count - 1 ? to : from + k * (to - from) / (count - 1);
        list.points.push_back({freq, r, x, 0});
    }
    return list;
}

common::Result<std::vector<SweepPoint>> SweepLine(const Calculator& calc, const LoadList& loads) {
    using Failure = common::Result<std::vector<SweepPoint>>;
    Calculator at = calc;
    const bool userLine = calc.cable() == UserDefinedIndex;
    std::vector<SweepPoint> points;
    for (const LoadPoint& load : loads.points) {
        if (!(load.freq >= LowestFreq && load.freq <= HighestFreq))
            return Failure::Failure(where(loads, load) + "the frequency " +
                                    ShortestText(load.freq) +
                                    " MHz is outside the calculator's 0.02 to 6000 MHz");
        if (userLine) {
            UserLine carried = calc.userLine();
            carried.atten = static_cast<float>(carried.atten * std::sqrt(load.freq / calc.freq()));
            at.setUserLine(carried);
        }
        const LineAtFrequency line = at.lineAt(load.freq);
        if (!line.fault.empty()) return Failure::Failure(line.fault);
        const LineSolution s =
            CalcZ(line.line, line.matchedLoss, line.lengthFt, 0, load.r, load.x, calc.end(), 1);
        const bool atLoad = calc.end() == KnownEnd::Load;
        // An impedance at the input that only a load giving power back would make: the
        // line described is not the one measured on.
        if (!atLoad && !(s.rFar >= 0))
            return Failure::Failure(where(loads, load) + "at " + Format(load.freq, "###0.000###") +
                                    " MHz no load gives " + ImpedanceText(load.r, load.x) +
                                    " ohm at the input of this line (the load would have a "
                                    "resistance of " +
                                    Shown(s.rFar, "###0.00") +
                                    " ohm); are the cable and the length right?");
        SweepPoint p;
        p.freq = load.freq;
        p.loadR = atLoad ? load.r : s.rFar;
        p.loadX = atLoad ? load.x : s.xFar;
        p.inputR = atLoad ? s.rFar : load.r;
        p.inputX = atLoad ? s.xFar : load.x;
        p.swrLoad = atLoad ? s.swrNear : s.swrFar;
        p.swrInput = atLoad ? s.swrFar : s.swrNear;
        p.totalLoss = s.totalLoss;
        points.push_back(p);
    }
    return points;
}

std::string SweepCsv(const std::vector<SweepPoint>& points) {
    std::string out = "MHz,LoadR,LoadX,InputR,InputX,SWRLoad,SWRInput,TotalLossDB\n";
    for (const SweepPoint& p : points) {
        bool first = true;
        for (double v :
             {p.freq, p.loadR, p.loadX, p.inputR, p.inputX, p.swrLoad, p.swrInput, p.totalLoss}) {
            if (!first) out += ',';
            out += ShortestText(v);
            first = false;
        }
        out += '\n';
    }
    return out;
}

std::string SweepS1p(const std::vector<SweepPoint>& points, double ref,
                     const std::vector<std::string>& comments) {
    std::vector<TouchstonePoint> input;
    for (const SweepPoint& p : points) input.push_back({p.freq, {p.inputR, p.inputX}});
    return TouchstoneS1p(input, ref, comments);
}

std::string SweepLineText(const SweepPoint& p) {
    return Format(p.freq, "###0.000###") + " MHz: load " + ImpedanceText(p.loadR, p.loadX) +
           ", input " + ImpedanceText(p.inputR, p.inputX) + ", SWR " + Shown(p.swrLoad, "###0.00") +
           " at the load, " + Shown(p.swrInput, "###0.00") + " at the input, total loss " +
           Shown(p.totalLoss, "##0.000") + " dB";
}

void SweepModel::centreOn(double freq) {
    boxes_.from = Format(std::max(freq * 0.95, LowestFreq), "###0.0##");
    boxes_.to = Format(std::min(freq * 1.05, HighestFreq), "###0.0##");
}

std::vector<Message> SweepModel::openFile(const std::string& path) {
    common::Result<LoadList> read = ReadLoadFile(path);
    if (!read) return {{read.message(), "Kavlo, Sweep"}};
    file_ = std::move(read).value();
    return {};
}

void SweepModel::clear(const std::string& why) {
    points_.clear();
    displays_.lblBest = why;
    displays_.lblLoss.clear();
}

std::vector<Message> SweepModel::compute(const Calculator& calc) {
    SweepDisplays& d = displays_;
    lineName_ = std::string(Catalogue[calc.cable()].listText);
    d.lblLine =
        common::Trimmed(lineName_) + ", " + calc.boxes().length + " " + calc.displays().lblUnits;
    LoadList loads;
    const bool atLoad = calc.end() == KnownEnd::Load;
    const char* endName = atLoad ? "at the load" : "at the line input";
    if (fromFile()) {
        loads = file_;
        d.lblSource = "Load " + std::string(endName) + ": " + file_.name + " (" +
                      file_.description + "), " + std::to_string(file_.points.size()) +
                      " frequencies";
    } else {
        const common::ImpedancePair z = calc.enteredImpedance();
        d.lblSource = "Load " + std::string(endName) + ": " + ImpedanceText(z.first, z.second) +
                      " ohm as typed";
        const double from = ParseNumber(boxes_.from), to = ParseNumber(boxes_.to);
        const std::optional<int> count =
            common::WholeNumberValue(common::Trimmed(boxes_.points), 2, MostSweepPoints);
        if (!(from >= LowestFreq && to <= HighestFreq && from < to)) {
            clear(BadBand.text);
            return {BadBand};
        }
        if (!count) {
            clear(BadPointCount.text);
            return {BadPointCount};
        }
        loads = TypedBand(z.first, z.second, from, to, *count);
    }
    common::Result<std::vector<SweepPoint>> swept = SweepLine(calc, loads);
    if (!swept) {
        clear(swept.message());
        return {{swept.message(), "Kavlo, Sweep"}};
    }
    points_ = std::move(swept).value();
    const auto best = std::min_element(points_.begin(), points_.end(),
                                       [](auto& a, auto& b) { return a.swrInput < b.swrInput; });
    d.lblBest = "Lowest SWR at the input: " + Shown(best->swrInput, "###0.00") + " at " +
                Format(best->freq, "###0.000") + " MHz";
    const auto [least, most] = std::minmax_element(
        points_.begin(), points_.end(), [](auto& a, auto& b) { return a.totalLoss < b.totalLoss; });
    d.lblLoss = "Total loss: " + Shown(least->totalLoss, "##0.000") + " to " +
                Shown(most->totalLoss, "##0.000") + " dB";
    return {};
}

std::string SweepModel::s1p(double ref) const {
    return SweepS1p(points_, ref,
                    {"Kavlo: the impedance at the line input, what the transmitter sees",
                     "Line: " + displays_.lblLine, displays_.lblSource});
}

} // namespace kavlo
