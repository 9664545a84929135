#include "optimise.h"

#include "qelt/core/optimiser_model.h"

#include "common/number_text.h"

#include <algorithm>

namespace qelt {
namespace {

constexpr std::string_view OptimiseOptions[] = {"--optimise", "--goal",           "--lock",
                                                "--bound",    "--global",         "--edges",
                                                "--seconds",  "--max-evaluations"};

// "tip3", "spacing2": the variables of `problem` the word names; "tips", "spacings" all
// of a kind.
std::vector<Variable*> named(Problem& problem, const std::string& word) {
    std::vector<Variable*> found;
    for (auto [prefix, kind] :
         {std::pair{"tip", VariableKind::TipLength}, std::pair{"spacing", VariableKind::Spacing}}) {
        const std::string p = prefix;
        if (word == p + "s") {
            for (Variable& v : problem.variables)
                if (v.kind == kind) found.push_back(&v);
        } else if (word.starts_with(p)) {
            const std::optional<int> index =
                common::WholeNumberValue(word.substr(p.size()), 1, MaxElements);
            for (Variable& v : problem.variables)
                if (index && v.kind == kind && v.index == *index) found.push_back(&v);
        }
    }
    return found;
}

std::vector<std::string> words(const std::string& list) {
    std::vector<std::string> out;
    std::size_t from = 0;
    while (from <= list.size()) {
        const std::size_t comma = std::min(list.find(',', from), list.size());
        std::string w = list.substr(from, comma - from);
        for (char& c : w) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        out.push_back(w);
        from = comma + 1;
    }
    return out;
}

// --lock and --bound applied to the problem; the message when a word names nothing.
common::Result<> applyLocksAndBounds(const common::CliOptions& o, Problem& p, Units units) {
    for (const std::string& list : o.values("--lock"))
        for (const std::string& w : words(list)) {
            if (w == "boom") {
                p.holdBoom = true;
                continue;
            }
            const std::vector<Variable*> vars = named(p, w);
            if (vars.empty())
                return common::Result<>::Failure(
                    "--lock " + w +
                    " names no length or spacing of this antenna (tipN, "
                    "spacingN, tips, spacings or boom).");
            for (Variable* v : vars) v->locked = true;
        }
    for (const std::string& given : o.values("--bound")) {
        const std::size_t equals = given.find('='), colon = given.find(':');
        std::vector<Variable*> vars = equals == std::string::npos
                                          ? std::vector<Variable*>{}
                                          : named(p, words(given.substr(0, equals))[0]);
        const std::optional<double> low =
            colon == std::string::npos || colon < equals
                ? std::nullopt
                : common::NumberValue(given.substr(equals + 1, colon - equals - 1));
        const std::optional<double> high = colon == std::string::npos
                                               ? std::nullopt
                                               : common::NumberValue(given.substr(colon + 1));
        if (vars.empty() || !low || !high)
            return common::Result<>::Failure("--bound " + given +
                                             ": give NAME=LOW:HIGH, as tip3=100:112, in " +
                                             (units == Units::English ? "inches." : "mm."));
        for (Variable* v : vars) {
            v->low = DimensionInches(*low, units);
            v->high = DimensionInches(*high, units);
        }
    }
    return {};
}

void printGoals(std::ostream& out, const Outcome& o) {
    using common::Format;
    out << "score before=" << Format(o.start.score, "###0.00")
        << " after=" << Format(o.bestEvaluation.score, "###0.00") << '\n';
    for (std::size_t i = 0; i < o.start.values.size(); ++i) {
        const GoalValue& before = o.start.values[i];
        const GoalValue& after = o.bestEvaluation.values[i];
        out << GoalName(before.goal.kind) << " before=" << GoalValueText(before)
            << " after=" << GoalValueText(after);
        if (const std::optional<double> target = TargetOf(before.goal))
            out << " target=" << common::ShortestText(*target);
        out << " weight=" << common::ShortestText(before.goal.weight) << (after.met ? " met" : "")
            << '\n';
    }
}

} // namespace

bool IsOptimiseOption(std::string_view name) {
    return std::find(std::begin(OptimiseOptions), std::end(OptimiseOptions), name) !=
           std::end(OptimiseOptions);
}

int RunOptimise(const common::CliOptions& o, Analyser& analyser, const EngineRoutines& engine,
                std::ostream& out, std::ostream& err) {
    auto refuse = [&](const std::string& message) {
        err << message << '\n';
        return 1;
    };
    Problem problem = ProblemOf(analyser);
    for (const std::string& text : o.values("--goal")) {
        common::Result<Goal> goal = ParseGoal(text);
        if (!goal) return refuse(goal.message());
        for (const Goal& g : problem.goals)
            if (g.kind == goal.value().kind)
                return refuse("The goal " + std::string(GoalName(g.kind)) + " is given twice.");
        problem.goals.push_back(goal.value());
    }
    if (problem.goals.empty())
        problem.goals = {{GoalKind::Gain, 1, {}},
                         {analyser.view().ratio == Ratio::FrontToBack ? GoalKind::FrontToBack
                                                                      : GoalKind::FrontToRear,
                          1,
                          {}},
                         {GoalKind::Swr, DefaultSwrWeight, {}}};
    problem.points = o.has("--edges") ? GoalPoints::EdgesAndCentre : GoalPoints::Band;
    if (common::Result<> applied = applyLocksAndBounds(o, problem, analyser.units()); !applied)
        return refuse(applied.message());

    Limits limits;
    if (const std::optional<std::string> n = o.value("--max-evaluations")) {
        const std::optional<int> value = common::WholeNumberValue(*n, 1, 100'000'000);
        if (!value) return refuse("--max-evaluations takes a whole number from 1 to 100000000.");
        limits.maxEvaluations = *value;
    }
    if (const std::optional<std::string> s = o.value("--seconds")) {
        const std::optional<double> value = common::NumberValue(*s);
        if (!value || !(*value > 0) || *value > 86400)
            return refuse("--seconds takes a number of seconds above 0 and at most 86400.");
        limits.seconds = *value;
    }
    const Units layout = o.has("--mm") ? Units::Metric : analyser.units();
    common::Result<Outcome> run =
        Optimise(engine, problem, o.has("--global") ? Search::Global : Search::Local, limits,
                 SavedResolution(layout));
    if (!run) return refuse(run.message());
    const Outcome& outcome = run.value();
    printGoals(out, outcome);
    for (const std::string& line :
         ChangedLines(problem.variables, problem.design, outcome.best, analyser.units()))
        out << "changed " << line << '\n';
    out << "evaluations=" << outcome.evaluations << '\n';
    if (!outcome.improved)
        return refuse("The search found no design better than the one it started from; nothing "
                      "was saved.");
    analyser.applyElements(engine, AcceptedGrid(analyser, outcome.best));
    if (const std::optional<std::string> path = o.value("--save"))
        if (common::Result<> saved = analyser.saveAs(*path, layout); !saved)
            return refuse(saved.message());
    common::PrintControlTexts(out, ResultTexts, analyser.texts());
    return out.good() ? 0 : 1;
}

} // namespace qelt
