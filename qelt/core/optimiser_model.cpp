#include "optimiser_model.h"

#include "common/cli_options.h"
#include "common/number_text.h"

#include <cmath>

namespace qelt {
namespace {

using common::Format;
using common::ParseNumber;

std::string scoreText(double score) { return Format(score, "###0.00"); }

} // namespace

Problem ProblemOf(const Analyser& analyser) {
    Problem p;
    p.design = analyser.working();
    p.design.setTipLength(analyser.drivenTipLength());
    // The limits the main window's sweep takes, read from the frequency dialog's boxes.
    p.band = {static_cast<float>(ParseNumber(analyser.frequencyBoxes().txtFreqLo)),
              static_cast<float>(ParseNumber(analyser.frequencyBoxes().txtFreqHi))};
    p.heightFeet = static_cast<float>(analyser.heightFeet());
    p.swr = analyser.match().swrRule(analyser.cableZ0());
    p.variables = DefaultVariables(p.design);
    return p;
}

double SavedResolution(Units units) {
    return units == Units::English ? 0.001 : 0.1 / common::MillimetresPerInch;
}

ElementGrid AcceptedGrid(const Analyser& analyser, const Antenna& best) {
    return ElementGrid(best, best.tipLength(), analyser.antenna(), analyser.antenna().tipLength(),
                       analyser.units());
}

std::string GoalValueText(const GoalValue& v) {
    switch (v.goal.kind) {
    case GoalKind::Swr:
        return Format(v.value, "##0.00");
    case GoalKind::Resistance:
        return Format(v.value, "###0.0");
    default:
        return Format(v.value, "##0.00");
    }
}

std::vector<std::string> ChangedLines(const std::vector<Variable>& variables, const Antenna& before,
                                      const Antenna& after, Units units) {
    std::vector<std::string> lines;
    const char* mask = units == Units::English ? "###0.000" : "####0.0";
    const std::string unit = units == Units::English ? " inches" : " mm";
    for (const Variable& v : variables) {
        const double was = ValueIn(before, v), is = ValueIn(after, v);
        if (was == is) continue;
        lines.push_back(VariableName(v) + ": " + Format(ShownDimension(was, units), mask) + " -> " +
                        Format(ShownDimension(is, units), mask) + unit);
    }
    return lines;
}

OptimiserModel::OptimiserModel(const Analyser& analyser)
    : problem_(ProblemOf(analyser)), units_(analyser.units()) {
    const GoalKind ratio =
        analyser.view().ratio == Ratio::FrontToBack ? GoalKind::FrontToBack : GoalKind::FrontToRear;
    goals_ = {
        {GoalKind::Gain, true, "1", ""},
        {ratio, true, "1", Format(DefaultRatioTarget, "#0.0")},
        {GoalKind::Swr, true, Format(DefaultSwrWeight, "0"), Format(DefaultSwrTarget, "0.0")},
        {GoalKind::Resistance, false, "1", Format(DefaultResistanceTarget, "#0.0")},
    };
}

std::string OptimiserModel::shown(double inches) const {
    return Format(ShownDimension(inches, units_), units_ == Units::English ? "0.000" : "0.0");
}

common::Result<> OptimiserModel::typeBound(int row, bool high, const std::string& typed) {
    const std::optional<double> value = common::NumberValue(typed);
    if (!value || !(*value > 0))
        return common::Result<>::Failure(variableName(row) + ": enter the " +
                                         (high ? "high" : "low") + " bound in " + unitName() +
                                         ", a number above 0.");
    Variable& v = problem_.variables[row];
    (high ? v.high : v.low) = DimensionInches(*value, units_);
    return {};
}

common::Result<Problem> OptimiserModel::problem() const {
    Problem p = problem_;
    p.points = points;
    p.goals.clear();
    for (const GoalRow& row : goals_) {
        if (!row.used) continue;
        Goal g;
        g.kind = row.kind;
        const std::optional<double> weight = common::NumberValue(row.weight);
        if (!weight || !(*weight > 0))
            return common::Result<Problem>::Failure(std::string(GoalCaption(row.kind)) +
                                                    ": the weight must be a number above 0.");
        g.weight = *weight;
        if (!row.target.empty() || row.kind != GoalKind::Gain) {
            const std::optional<double> target = common::NumberValue(row.target);
            if (!target || (row.kind == GoalKind::Swr && !(*target >= 1)) ||
                (row.kind == GoalKind::Resistance && !(*target > 0)))
                return common::Result<Problem>::Failure(
                    std::string(GoalCaption(row.kind)) +
                    (row.kind == GoalKind::Swr ? ": the target must be an SWR of 1 or more."
                     : row.kind == GoalKind::Resistance
                         ? ": the target must be a resistance above 0 ohms."
                         : ": the target must be a number."));
            g.target = *target;
        }
        p.goals.push_back(g);
    }
    if (common::Result<> sound = CheckVariables(p); !sound)
        return common::Result<Problem>::Failure(sound.message());
    return p;
}

common::Result<Limits> OptimiserModel::limits() const {
    const std::optional<int> evaluations = common::WholeNumberValue(maxEvaluations, 1, 100'000'000);
    if (!evaluations)
        return common::Result<Limits>::Failure(
            "Enter the most evaluations as a whole number from 1 to 100000000.");
    const std::optional<double> time = common::NumberValue(seconds);
    if (!time || !(*time > 0) || *time > 86400)
        return common::Result<Limits>::Failure(
            "Enter the time the search may take in seconds, above 0 and at most 86400.");
    return Limits{*evaluations, *time};
}

void OptimiserModel::showStart(const Evaluation& start) {
    start_ = best_ = start;
    showProgress(1, start);
}

void OptimiserModel::showProgress(int evaluations, const Evaluation& best) {
    best_ = best;
    texts_.lblEvaluations = "Evaluations: " + std::to_string(evaluations);
    texts_.lblScore =
        "Score: " + scoreText(best.score) + " (start " + scoreText(start_.score) + ")";
}

std::string OptimiserModel::valueText(GoalKind kind) const {
    for (const GoalValue& v : best_.values)
        if (v.goal.kind == kind) {
            std::string text = GoalValueText(v);
            for (const GoalValue& s : start_.values)
                if (s.goal.kind == kind) text = GoalValueText(s) + " -> " + text;
            return text + (v.met ? " met" : "");
        }
    return {};
}

} // namespace qelt
