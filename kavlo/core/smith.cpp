#include "smith.h"

#include "tuner.h"
#include "tuner_circuit.h"

#include "common/cli_options.h"
#include "common/constants.h"
#include "common/number_text.h"

#include <cmath>
#include <limits>

namespace kavlo {

using Complex = std::complex<double>;
using common::ShortestText;

namespace {

// Each part's value grows from nothing to its own in this many steps.
constexpr int StepsPerPart = 40;

SmithPoint pointAt(double position, double freq, Complex z, double ref) {
    return {position, freq, z.real(), z.imag(), ReflectionOf(z.real(), z.imag(), ref)};
}

std::string describe(const char* what, double r, double x, double ref) {
    const Complex gamma = ReflectionOf(r, x, ref);
    return what + ImpedanceText(r, x) + " ohm, reflection " + Shown(std::abs(gamma), "0.000") +
           " at " + Shown(common::ToDegrees(std::arg(gamma)), "##0.0") + " degrees, SWR " +
           Shown(SwrOf(gamma), "###0.00");
}

} // namespace

Complex ReflectionOf(double r, double x, double ref) {
    const Complex z(r, x);
    return (z - ref) / (z + ref);
}

double SwrOf(Complex gamma) {
    const double rho = std::abs(gamma);
    return rho < 1 ? (1 + rho) / (1 - rho) : std::numeric_limits<double>::infinity();
}

const char* SmithCurveName(SmithCurve curve) {
    switch (curve) {
    case SmithCurve::Line:
        return "Along the line";
    case SmithCurve::Tuner:
        return "Through the tuner";
    case SmithCurve::Sweep:
        return "Swept load";
    default:
        return "Load";
    }
}

std::vector<SmithPoint> LinePath(const Calculator& calc, double ref) {
    const LineAtFrequency line = calc.lineAt(calc.freq());
    if (!line.fault.empty()) return {};
    const double unit = calc.unitWord() == 'M' ? common::FeetPerMetre : 1;
    const LineSolution& s = calc.solution();
    const common::ImpedancePair entered = calc.enteredImpedance();
    const bool atLoad = calc.end() == KnownEnd::Load;
    const double loadR = atLoad ? entered.first : s.rFar, loadX = atLoad ? entered.second : s.xFar;
    std::vector<SmithPoint> path;
    for (int k = 0; k < LinePathPoints; ++k) {
        const double fraction = static_cast<double>(k) / (LinePathPoints - 1);
        const double length = line.lengthFt * fraction;
        Complex z(loadR, loadX);
        if (k > 0) {
            const LineSolution at = CalcZ(line.line, line.matchedLoss * fraction, length, 0, loadR,
                                          loadX, KnownEnd::Load, 1);
            z = {at.rFar, at.xFar};
        }
        path.push_back(pointAt(length / unit, calc.freq(), z, ref));
    }
    return path;
}

std::vector<SmithPoint> TunerPath(const TunerDesign& design, double r, double x, double freq,
                                  double ref) {
    std::vector<SmithPoint> path;
    Complex z(r, x);
    path.push_back(pointAt(0, freq, z, ref));
    double passed = 0;
    auto grow = [&](auto impedanceAt) {
        const Complex from = z;
        for (int k = 1; k <= StepsPerPart; ++k) {
            const double t = static_cast<double>(k) / StepsPerPart;
            z = impedanceAt(from, t);
            path.push_back(pointAt(passed + t, freq, z, ref));
        }
        passed += 1;
    };
    auto shunt = [&grow](Complex part) {
        grow([part](Complex from, double t) { return 1.0 / (1.0 / from + t / part); });
    };
    if (design.strayAcrossLoad) shunt({0, -1 / (2 * common::Pi * design.strayFarads * freq * 1e6)});
    for (auto part = design.parts.rbegin(); part != design.parts.rend(); ++part) {
        const Complex zp = PartImpedance(*part);
        if (part->connection == Connection::Series)
            grow([zp](Complex from, double t) { return from + t * zp; });
        else
            shunt(zp);
    }
    return path;
}

std::vector<SmithPoint> SweptLoad(const std::vector<SweepPoint>& sweep, double ref) {
    std::vector<SmithPoint> points;
    for (const SweepPoint& p : sweep)
        points.push_back(pointAt(p.freq, p.freq, {p.loadR, p.loadX}, ref));
    return points;
}

std::string SmithCsv(const std::vector<SmithPoint>& points) {
    std::string out = "Position,R,X,GammaRe,GammaIm\n";
    for (const SmithPoint& p : points)
        out += ShortestText(p.position) + ',' + ShortestText(p.r) + ',' + ShortestText(p.x) + ',' +
               ShortestText(p.gamma.real()) + ',' + ShortestText(p.gamma.imag()) + '\n';
    return out;
}

std::vector<Message> SmithModel::leaveRef() {
    const double ref = common::ParseNumber(boxes_.ref);
    if (!(ref > 0) || !std::isfinite(ref)) {
        boxes_.ref = BoxNumber(ref_);
        return {BadReference};
    }
    ref_ = ref;
    return {};
}

void SmithModel::build(const Calculator& calc, const std::optional<TunerDesign>& tuner,
                       const std::vector<SweepPoint>& sweep) {
    for (auto& c : curves_) c.clear();
    unitName_ = calc.unitWord() == 'M' ? "m" : "ft";
    auto& line = curves_[static_cast<int>(SmithCurve::Line)];
    line = LinePath(calc, ref_);
    if (line.empty()) {
        displays_ = {calc.displays().warning, {}, {}};
        swrRadius_ = 0;
        return;
    }
    curves_[static_cast<int>(SmithCurve::Load)] = {line.front()};
    swrRadius_ = std::abs(line.front().gamma);
    displays_.lblLoad = describe("Load: ", line.front().r, line.front().x, ref_);
    displays_.lblInput = describe("Line input: ", line.back().r, line.back().x, ref_);
    if (tuner) {
        const TunerLoad load = TunerLoadOf(calc);
        auto& path = curves_[static_cast<int>(SmithCurve::Tuner)];
        path = TunerPath(*tuner, load.r, load.x, load.freq, ref_);
        tunerParts_.clear();
        if (tuner->strayAcrossLoad) tunerParts_.push_back("the stray capacitance");
        for (auto part = tuner->parts.rbegin(); part != tuner->parts.rend(); ++part)
            tunerParts_.push_back(part->label());
        displays_.lblTuner = describe("Tuner input: ", path.back().r, path.back().x, ref_);
    } else {
        displays_.lblTuner = "No tuner designed (Tuner page: Design Tuner)";
    }
    curves_[static_cast<int>(SmithCurve::Sweep)] = SweptLoad(sweep, ref_);
}

std::string SmithModel::tip(SmithCurve which, std::size_t point) const {
    const SmithPoint& p = curve(which).at(point);
    std::string where;
    switch (which) {
    case SmithCurve::Line:
        where = common::Format(p.position, "###0.0##") + " " + unitName_ + " from the load\n";
        break;
    case SmithCurve::Tuner:
        if (p.position == 0)
            where = "At the line input\n";
        else {
            const std::size_t part = static_cast<std::size_t>(std::ceil(p.position)) - 1;
            where = "Through " + tunerParts_.at(std::min(part, tunerParts_.size() - 1)) + "\n";
        }
        break;
    default:
        break;
    }
    return where + common::Format(p.freq, "###0.000") + " MHz\nR " + Shown(p.r, "###0.00") +
           ", X " + Shown(p.x, "###0.00") + " ohm\nSWR " + Shown(SwrOf(p.gamma), "###0.00") + " (" +
           ShortestText(ref_) + " ohm)";
}

std::string SmithModel::csv() const {
    std::string out;
    for (int c = 0; c < SmithCurveCount; ++c) {
        if (curves_[c].empty()) continue;
        out += std::string(out.empty() ? "" : "\n") + SmithCurveName(static_cast<SmithCurve>(c)) +
               '\n' + SmithCsv(curves_[c]);
    }
    return out;
}

} // namespace kavlo
