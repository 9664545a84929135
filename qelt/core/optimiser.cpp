#include "optimiser.h"

#include "antenna_check.h"

#include "common/cli_options.h"
#include "common/number_text.h"

#include <nlopt.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <memory>
#include <random>

namespace qelt {
namespace {

using Clock = std::chrono::steady_clock;

// What NLopt minimises for a design that fails: far worse than any score.
constexpr double FailureCost = 1e9;

int tipSection(const Antenna& a, int element) { return a.sectionCount[element - 1]; }

common::Result<Goal> refuseGoal(const std::string& text, const std::string& why) {
    return common::Result<Goal>::Failure("The goal \"" + text + "\" " + why);
}

std::vector<int> pointsOf(GoalPoints points) {
    if (points == GoalPoints::EdgesAndCentre) return {0, CentrePoint, SweepPoints - 1};
    std::vector<int> all(SweepPoints);
    for (int i = 0; i < SweepPoints; ++i) all[i] = i;
    return all;
}

Evaluation failed(std::string why) {
    Evaluation e;
    e.failure = std::move(why);
    return e;
}

} // namespace

std::vector<Variable> DefaultVariables(const Antenna& design) {
    std::vector<Variable> vars;
    for (int e = 1; e <= design.elementCount; ++e) {
        if (tipSection(design, e) < 1) continue;
        Variable v{VariableKind::TipLength, e};
        v.start = ValueIn(design, v);
        v.low = v.start * (1 - DefaultLengthRange);
        v.high = v.start * (1 + DefaultLengthRange);
        vars.push_back(v);
    }
    for (int i = 1; i < design.elementCount; ++i) {
        Variable v{VariableKind::Spacing, i};
        v.start = ValueIn(design, v);
        v.low = v.start * (1 - DefaultSpacingRange);
        v.high = v.start * (1 + DefaultSpacingRange);
        vars.push_back(v);
    }
    return vars;
}

double ValueIn(const Antenna& design, const Variable& v) {
    if (v.kind == VariableKind::Spacing) return design.spacing[v.index - 1];
    return design.length(v.index, tipSection(design, v.index));
}

void SetValue(Antenna& design, const Variable& v, double inches) {
    if (v.kind == VariableKind::Spacing)
        design.spacing[v.index - 1] = static_cast<float>(inches);
    else
        design.length(v.index, tipSection(design, v.index)) = static_cast<float>(inches);
}

std::string VariableName(const Variable& v) {
    if (v.kind == VariableKind::Spacing)
        return "Spacing " + std::to_string(v.index) + "-" + std::to_string(v.index + 1);
    return "Tip " + std::to_string(v.index);
}

std::optional<double> TargetOf(const Goal& goal) {
    if (goal.target) return goal.target;
    switch (goal.kind) {
    case GoalKind::Gain:
        return std::nullopt;
    case GoalKind::FrontToRear:
    case GoalKind::FrontToBack:
        return DefaultRatioTarget;
    case GoalKind::Swr:
        return DefaultSwrTarget;
    case GoalKind::Resistance:
        return DefaultResistanceTarget;
    }
    return std::nullopt;
}

const char* GoalName(GoalKind kind) {
    switch (kind) {
    case GoalKind::Gain:
        return "gain";
    case GoalKind::FrontToRear:
        return "fr";
    case GoalKind::FrontToBack:
        return "fb";
    case GoalKind::Swr:
        return "swr";
    case GoalKind::Resistance:
        return "r";
    }
    return "";
}

const char* GoalCaption(GoalKind kind) {
    switch (kind) {
    case GoalKind::Gain:
        return "Gain (dBi)";
    case GoalKind::FrontToRear:
        return "F/R (dB)";
    case GoalKind::FrontToBack:
        return "F/B (dB)";
    case GoalKind::Swr:
        return "SWR";
    case GoalKind::Resistance:
        return "R (ohms)";
    }
    return "";
}

common::Result<Goal> ParseGoal(const std::string& text) {
    std::size_t nameEnd = 0;
    while (nameEnd < text.size() && std::isalpha(static_cast<unsigned char>(text[nameEnd])))
        ++nameEnd;
    std::string name = text.substr(0, nameEnd);
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    Goal goal;
    const GoalKind kinds[] = {GoalKind::Gain, GoalKind::FrontToRear, GoalKind::FrontToBack,
                              GoalKind::Swr, GoalKind::Resistance};
    const GoalKind* kind = std::find_if(std::begin(kinds), std::end(kinds),
                                        [&](GoalKind k) { return name == GoalName(k); });
    if (kind == std::end(kinds)) return refuseGoal(text, "names no goal: gain, fr, fb, swr or r.");
    goal.kind = *kind;
    const std::string rest = text.substr(nameEnd);
    const std::string wanted = goal.kind == GoalKind::Swr          ? "<="
                               : goal.kind == GoalKind::Resistance ? "="
                                                                   : ">=";
    const std::size_t colon = rest.find(':');
    std::string targetText, weightText;
    if (colon != std::string::npos) {
        targetText = rest.substr(0, colon);
        weightText = rest.substr(colon + 1);
        if (!targetText.starts_with(wanted))
            return refuseGoal(text, "gives its target with \"" + wanted + "\": " + name + wanted +
                                        "TARGET:WEIGHT.");
        targetText.erase(0, wanted.size());
        if (targetText.empty()) return refuseGoal(text, "needs a target that is a number.");
    } else if (rest.starts_with(wanted)) {
        targetText = rest.substr(wanted.size()); // the target, weight 1
        weightText = "1";
    } else if (rest.starts_with("=")) {
        weightText = rest.substr(1); // the weight, the default target
    } else {
        return refuseGoal(text, "needs a weight or a target: " + name + "=WEIGHT or " + name +
                                    wanted + "TARGET:WEIGHT.");
    }
    const std::optional<double> weight = common::NumberValue(weightText);
    if (!weight || !(*weight > 0))
        return refuseGoal(text, "needs a weight that is a number above 0.");
    goal.weight = *weight;
    if (!targetText.empty()) {
        const std::optional<double> target = common::NumberValue(targetText);
        if (!target) return refuseGoal(text, "needs a target that is a number.");
        if (goal.kind == GoalKind::Swr && !(*target >= 1))
            return refuseGoal(text, "needs an SWR of at least 1 as its target.");
        if (goal.kind == GoalKind::Resistance && !(*target > 0))
            return refuseGoal(text, "needs a resistance above 0 ohms as its target.");
        goal.target = *target;
    }
    return goal;
}

Evaluation Judge(const Sweep& sweep, const std::vector<Goal>& goals, GoalPoints points) {
    Evaluation e;
    e.solved = true;
    e.sweep = sweep;
    const std::vector<int> at = pointsOf(points);
    for (const Goal& goal : goals) {
        GoalValue g{goal};
        const std::optional<double> target = TargetOf(goal);
        auto lowest = [&](auto figure) {
            double v = std::numeric_limits<double>::infinity();
            for (int i : at) v = std::min(v, static_cast<double>(figure(sweep[i])));
            return v;
        };
        switch (goal.kind) {
        case GoalKind::Gain:
        case GoalKind::FrontToRear:
        case GoalKind::FrontToBack:
            g.value = lowest([&](const SweepPoint& p) {
                return goal.kind == GoalKind::Gain          ? p.gain
                       : goal.kind == GoalKind::FrontToBack ? p.frontToBack
                                                            : p.frontToRear;
            });
            g.met = target && g.value >= *target;
            g.merit = target ? std::min(g.value, *target) : g.value;
            break;
        case GoalKind::Swr:
            g.value = -lowest([](const SweepPoint& p) { return -p.swr; });
            g.met = g.value <= *target;
            g.merit = -std::max(0.0, std::min(g.value, WorstSwrCounted) - *target);
            break;
        case GoalKind::Resistance: {
            g.value = sweep[CentrePoint].resistance;
            const double off = std::fabs(g.value - *target) - ResistanceTolerance * *target;
            g.met = off <= 0;
            g.merit = -std::max(0.0, off);
            break;
        }
        }
        if (!std::isfinite(g.merit)) return failed("A goal's value is not a number.");
        e.score += goal.weight * g.merit;
        e.values.push_back(g);
    }
    return e;
}

Evaluation Evaluate(const EngineRoutines& engine, const Problem& problem, const Antenna& design) {
    // Elements that have passed each other are crossed, however far apart they end up.
    for (int i = 1; i < design.elementCount; ++i)
        if (!(design.spacing[i - 1] > 0))
            return failed("Elements " + std::to_string(i) + " and " + std::to_string(i + 1) +
                          " cross: element " + std::to_string(i + 1) +
                          " is not in front of element " + std::to_string(i) + ".");
    if (common::Result<> sound = CheckAntenna(design); !sound) return failed(sound.message());
    Antenna swept = design;
    const Sweep sweep =
        SweepBand(engine, swept, design.tipLength(), problem.band, problem.heightFeet, problem.swr);
    for (const SweepPoint& p : sweep)
        if (!p.trouble.empty())
            return failed("The engine could not analyse the design at " +
                          common::Format(p.frequency, "###0.000 MHz") + ": " + p.trouble);
    if (common::Result<> possible = CheckSweep(sweep, design.elementCount, problem.heightFeet != 0);
        !possible)
        return failed(possible.message());
    return Judge(sweep, problem.goals, problem.points);
}

int BoomSpacing(const Problem& problem) {
    if (!problem.holdBoom) return -1;
    for (int i = static_cast<int>(problem.variables.size()) - 1; i >= 0; --i) {
        const Variable& v = problem.variables[i];
        if (v.kind == VariableKind::Spacing && !v.locked) return i;
    }
    return -1;
}

common::Result<> CheckVariables(const Problem& problem) {
    for (const Variable& v : problem.variables) {
        if (v.index < 1 ||
            v.index > problem.design.elementCount - (v.kind == VariableKind::Spacing ? 1 : 0) ||
            (v.kind == VariableKind::TipLength && tipSection(problem.design, v.index) < 1))
            return common::Result<>::Failure(VariableName(v) + " is not in this antenna.");
        if (v.locked) continue;
        if (!(v.low > 0) || !std::isfinite(v.high))
            return common::Result<>::Failure(VariableName(v) +
                                             ": the bounds must be lengths above 0.");
        if (v.low > v.high)
            return common::Result<>::Failure(VariableName(v) +
                                             ": the low bound is above the high bound.");
    }
    int moving = 0;
    const int boom = BoomSpacing(problem);
    for (std::size_t i = 0; i < problem.variables.size(); ++i) {
        const Variable& v = problem.variables[i];
        if (!v.locked && v.high > v.low && static_cast<int>(i) != boom) ++moving;
    }
    if (moving == 0)
        return common::Result<>::Failure(
            "Every length and spacing is locked (or held by the boom): there is nothing to "
            "change.");
    if (problem.goals.empty()) return common::Result<>::Failure("Give at least one goal.");
    return {};
}

Antenna RoundedDesign(const Antenna& design, double resolution) {
    Antenna a = design;
    auto round = [&](double v) { return std::round(v / resolution) * resolution; };
    for (int e = 1; e <= a.elementCount; ++e)
        if (tipSection(a, e) >= 1) {
            float& tip = a.length(e, tipSection(a, e));
            tip = static_cast<float>(round(tip));
        }
    double along = 0;
    float previous = 0;
    for (int i = 0; i + 1 < a.elementCount; ++i) {
        along += design.spacing[i];
        const float next = static_cast<float>(round(along));
        a.spacing[i] = next - previous;
        previous = next;
    }
    return a;
}

namespace {

// One search's bookkeeping: the evaluations counted against the limits, the best design,
// and what stops the NLopt run in hand.
struct SearchState {
    const EngineRoutines& engine;
    const Problem& problem;
    Limits limits;
    const OptimiserProgress& progress;
    const std::atomic<bool>* stop;
    std::vector<int> free{}; // the variables NLopt moves
    int boom = -1;
    Clock::time_point began = Clock::now();
    int evaluations = 0;
    Antenna best{};
    Evaluation bestEvaluation{};
    bool stopped = false, exhausted = false;
    nlopt_opt running = nullptr;

    double elapsed() const { return std::chrono::duration<double>(Clock::now() - began).count(); }

    bool mustEnd() {
        if (stop && stop->load()) stopped = true;
        if (evaluations >= limits.maxEvaluations || elapsed() >= limits.seconds) exhausted = true;
        return stopped || exhausted;
    }

    // The design at NLopt's point, the boom held; nothing when the held spacing leaves
    // its bounds.
    std::optional<Antenna> designAt(const double* x) const {
        Antenna a = problem.design;
        for (std::size_t k = 0; k < free.size(); ++k) SetValue(a, problem.variables[free[k]], x[k]);
        if (boom >= 0) {
            const Variable& held = problem.variables[boom];
            double others = 0;
            for (int i = 0; i + 1 < a.elementCount; ++i)
                if (i != held.index - 1) others += a.spacing[i];
            const double rest = problem.design.boomLength() - others;
            if (rest < held.low || rest > held.high) return std::nullopt;
            a.spacing[held.index - 1] = static_cast<float>(rest);
        }
        return a;
    }

    double cost(const double* x) {
        if (mustEnd()) {
            nlopt_force_stop(running);
            return FailureCost;
        }
        const std::optional<Antenna> design = designAt(x);
        ++evaluations;
        Evaluation e = design ? Evaluate(engine, problem, *design)
                              : failed("The boom held leaves a spacing outside its bounds.");
        if (e.solved && e.score > bestEvaluation.score) {
            best = *design;
            bestEvaluation = std::move(e);
        }
        if (progress) progress({evaluations, &best, &bestEvaluation});
        return e.solved ? -e.score : FailureCost;
    }
};

double objective(unsigned, const double* x, double*, void* data) {
    return static_cast<SearchState*>(data)->cost(x);
}

struct OptDeleter {
    void operator()(nlopt_opt o) const { nlopt_destroy(o); }
};

// One local search from `x` of at most `budget` evaluations.
void localSearch(SearchState& s, std::vector<double> x, const std::vector<double>& low,
                 const std::vector<double>& high, int budget) {
    const unsigned n = static_cast<unsigned>(x.size());
    std::unique_ptr<nlopt_opt_s, OptDeleter> opt(nlopt_create(NLOPT_LN_SBPLX, n));
    if (!opt) return;
    std::vector<double> step(n);
    for (unsigned k = 0; k < n; ++k) step[k] = (high[k] - low[k]) / 4;
    nlopt_set_lower_bounds(opt.get(), low.data());
    nlopt_set_upper_bounds(opt.get(), high.data());
    nlopt_set_initial_step(opt.get(), step.data());
    nlopt_set_min_objective(opt.get(), objective, &s);
    nlopt_set_maxeval(opt.get(), budget);
    nlopt_set_xtol_abs1(opt.get(), 1e-4); // a ten-thousandth of an inch
    nlopt_set_ftol_abs(opt.get(), 1e-7);
    s.running = opt.get();
    double value = 0;
    nlopt_optimize(opt.get(), x.data(), &value); // the best is kept as it is met
    s.running = nullptr;
}

} // namespace

common::Result<Outcome> Optimise(const EngineRoutines& engine, const Problem& problem,
                                 Search search, Limits limits, double resolution,
                                 const OptimiserProgress& progress, const std::atomic<bool>* stop) {
    if (common::Result<> sound = CheckVariables(problem); !sound)
        return common::Result<Outcome>::Failure(sound.message());
    if (!(limits.maxEvaluations >= 1) || !(limits.seconds > 0))
        return common::Result<Outcome>::Failure(
            "Give the search at least one evaluation and some time.");
    Outcome out;
    out.start = Evaluate(engine, problem, problem.design);
    if (!out.start.solved)
        return common::Result<Outcome>::Failure("The design to start from cannot be judged. " +
                                                out.start.failure);
    SearchState s{engine, problem, limits, progress, stop};
    s.boom = BoomSpacing(problem);
    std::vector<double> x, low, high;
    for (std::size_t i = 0; i < problem.variables.size(); ++i) {
        const Variable& v = problem.variables[i];
        if (v.locked || !(v.high > v.low) || static_cast<int>(i) == s.boom) continue;
        s.free.push_back(static_cast<int>(i));
        low.push_back(v.low);
        high.push_back(v.high);
        x.push_back(std::clamp(ValueIn(problem.design, v), v.low, v.high));
    }
    s.best = problem.design;
    s.bestEvaluation = out.start;
    s.evaluations = 1;

    if (search == Search::Local) {
        localSearch(s, x, low, high, limits.maxEvaluations);
    } else {
        // Several local searches: from the design, then from points spread over the
        // bounds (the same points every run), each with a share of the evaluations.
        const int share = std::max(50, limits.maxEvaluations / 4);
        std::mt19937 spread(1);
        for (int run = 0; !s.mustEnd(); ++run) {
            // A start whose held boom spacing leaves its bounds is drawn again: a search
            // among failures only goes nowhere.
            for (int draw = 0; run > 0 && draw < 20; ++draw) {
                for (std::size_t k = 0; k < x.size(); ++k)
                    x[k] = std::uniform_real_distribution<double>(low[k], high[k])(spread);
                if (s.designAt(x.data())) break;
            }
            localSearch(s, x, low, high, std::min(share, limits.maxEvaluations - s.evaluations));
        }
    }
    out.evaluations = s.evaluations;
    out.stopped = s.stopped;

    // What a saved file holds is what is reported.
    const Antenna rounded = RoundedDesign(s.best, resolution);
    Evaluation judged = Evaluate(engine, problem, rounded);
    if (judged.solved && judged.score > out.start.score + 1e-9) {
        out.best = rounded;
        out.bestEvaluation = std::move(judged);
        out.improved = true;
    } else {
        out.best = problem.design;
        out.bestEvaluation = out.start;
    }
    return out;
}

} // namespace qelt
