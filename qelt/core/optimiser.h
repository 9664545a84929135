#pragma once
// The optimiser: a search over the tip length of each element and each spacing, within
// bounds, for the design that best meets a set of weighted goals over the band. Every
// design is judged by the band sweep the main window runs; a design the engine cannot
// solve, whose elements touch or cross, or whose figures no antenna gives is a failure
// and never a result. The search itself is NLopt's: a derivative-free local method from
// the design in hand, or several local searches from the design and from points spread
// over the bounds, within a number of evaluations and a time.
#include "analysis.h"
#include "antenna.h"
#include "engine_routines.h"

#include "common/result.h"

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qelt {

enum class VariableKind { TipLength, Spacing };

// One dimension of the design, in inches. `index` is the element (1-based) whose
// outermost section is the tip, or the spacing's first element (spacing 1 runs from
// element 1 to element 2).
struct Variable {
    VariableKind kind = VariableKind::TipLength;
    int index = 1;
    double start = 0;
    double low = 0, high = 0;
    bool locked = false;
};

constexpr double DefaultLengthRange = 0.10;  // a tip may move 10 % either way
constexpr double DefaultSpacingRange = 0.20; // a spacing 20 %

// Every tip and every spacing of `design` (whose driven element carries the driven tip in
// force), unlocked, within the default ranges.
std::vector<Variable> DefaultVariables(const Antenna& design);
// The variable's value in `design`.
double ValueIn(const Antenna& design, const Variable& v);
void SetValue(Antenna& design, const Variable& v, double inches);
// "Tip 3" or "Spacing 1-2".
std::string VariableName(const Variable& v);

enum class GoalKind { Gain, FrontToRear, FrontToBack, Swr, Resistance };
// Where the goals are taken: all eleven points of the sweep, or the band's edges and
// centre. The feed resistance is always taken at the centre.
enum class GoalPoints { Band, EdgesAndCentre };

// Gain, F/R and F/B count as high as their target (at least), the lowest over the points;
// SWR counts while it is above its target (at most), the highest over the points; the
// feed resistance counts while it is further than 5 % from its target.
struct Goal {
    GoalKind kind = GoalKind::Gain;
    double weight = 1;
    std::optional<double> target{}; // none: gain as high as it goes; the defaults below else
};
constexpr double DefaultRatioTarget = 30; // dB: a deeper null at one point is worth nothing
constexpr double DefaultSwrTarget = 2.0;
// The SWR's weight to start with: a step of SWR above the target costs as much as 5 dB.
constexpr double DefaultSwrWeight = 5;
constexpr double DefaultResistanceTarget = 50;
constexpr double ResistanceTolerance = 0.05;
constexpr double WorstSwrCounted = 100; // an SWR above it counts as 100

// The goal's target with its default.
std::optional<double> TargetOf(const Goal& goal);
// "gain", "fr", "fb", "swr", "r": the goal's name on the command line.
const char* GoalName(GoalKind kind);
// "Gain (dBi)", "F/R (dB)", "F/B (dB)", "SWR", "R (ohms)".
const char* GoalCaption(GoalKind kind);

// A goal as the command line gives it: "gain=W", "gain>=T:W", "fr=W", "fr>=T:W",
// "fb=W", "fb>=T:W", "swr<=T:W", "swr<=T", "swr=W", "r=T:W", "r=T". Weights are
// numbers above 0.
common::Result<Goal> ParseGoal(const std::string& text);

struct GoalValue {
    Goal goal;
    double value = 0; // dBi, dB, SWR or ohms
    bool met = false; // never for a goal without a target
    double merit = 0; // what it adds to the score before its weight
};

// A design judged: its sweep, each goal's value and the score (higher is better; every
// goal met adds nothing more). A failed design has no score.
struct Evaluation {
    bool solved = false;
    std::string failure; // why it failed
    double score = 0;
    std::vector<GoalValue> values;
    Sweep sweep{};
};

// What stays the same through a search.
struct Problem {
    Antenna design; // the start, the driven tip in force on the driven element
    Band band;      // the sweep's limits
    float heightFeet = 0;
    SwrRule swr;
    std::vector<Variable> variables;
    bool holdBoom = false; // the last unlocked spacing then takes up the rest of the boom
    std::vector<Goal> goals;
    GoalPoints points = GoalPoints::Band;
};

// The goals' values of a sweep, and the score they give.
Evaluation Judge(const Sweep& sweep, const std::vector<Goal>& goals, GoalPoints points);
// The design swept as the main window sweeps it, and judged.
Evaluation Evaluate(const EngineRoutines& engine, const Problem& problem, const Antenna& design);

// The variables that move, the boom held by the last of them that is unlocked, and the
// bounds checked: a low bound above the high one, or one not above 0, is refused.
common::Result<> CheckVariables(const Problem& problem);
// The spacing that takes up the boom when it is held (-1 when none does).
int BoomSpacing(const Problem& problem);

enum class Search { Local, Global };
struct Limits {
    int maxEvaluations = 2000;
    double seconds = 60;
};

// The search as it goes, after each evaluation.
struct Progress {
    int evaluations = 0;
    const Antenna* best = nullptr; // the best design so far
    const Evaluation* bestEvaluation = nullptr;
};
using OptimiserProgress = std::function<void(const Progress&)>;

struct Outcome {
    Antenna best; // the start when nothing better was found
    Evaluation start, bestEvaluation;
    int evaluations = 0;
    bool improved = false; // a higher score than the start's
    bool stopped = false;  // by the stop flag, before the limits
};

// The search. `resolution` (inches) is the finest step the design is saved with: the best
// design is rounded to it and judged again, so what is reported is what a saved file
// gives. Refused when the variables are not sound or the start itself fails.
common::Result<Outcome> Optimise(const EngineRoutines& engine, const Problem& problem,
                                 Search search, Limits limits, double resolution,
                                 const OptimiserProgress& progress = {},
                                 const std::atomic<bool>* stop = nullptr);

// `design` rounded as a saved file holds it: tips to `resolution`, element positions
// along the boom to `resolution`, the spacings their differences.
Antenna RoundedDesign(const Antenna& design, double resolution);

} // namespace qelt
