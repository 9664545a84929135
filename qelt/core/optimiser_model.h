#pragma once
// The optimiser window without the window: the table of variables (each tip and spacing
// with its bounds and lock, in the unit shown), the goals with their weights and
// targets, the search and its limits as typed, and the texts of the search's progress
// and result. It starts from the analyser's working copy and conditions (band, height,
// cable and match in force), so what it judges is what the main window shows.
#include "analyser.h"
#include "optimiser.h"

#include "common/control_text.h"
#include "common/result.h"

#include <array>
#include <string>
#include <vector>

namespace qelt {

// The problem of the analyser's working copy: its design with the driven tip in force,
// the swept band, height and SWR rule, and the default variables. Goals are the caller's.
Problem ProblemOf(const Analyser& analyser);
// The resolution the analyser saves lengths with in `units`, inches.
double SavedResolution(Units units);
// `best` as the analyser's element editor hands it back, for Accept and qelt-cli.
ElementGrid AcceptedGrid(const Analyser& analyser, const Antenna& best);

// A goal's value as shown: "7.45", "1.83", "52.1"; "met" is added by the caller.
std::string GoalValueText(const GoalValue& value);
// Every variable that differs between `before` and `after`, one line each:
// "Tip 3: 110.000 -> 112.250 inches".
std::vector<std::string> ChangedLines(const std::vector<Variable>& variables, const Antenna& before,
                                      const Antenna& after, Units units);

// One row of the goals: used or not, its weight and target as typed.
struct GoalRow {
    GoalKind kind;
    bool used = false;
    std::string weight = "1";
    std::string target; // "" for gain: as high as it goes
};

struct OptimiserTexts {
    std::string lblEvaluations = "Evaluations: 0";
    std::string lblScore;  // "Score: 36.21 (start 33.80)"
    std::string lblStatus; // what the search is doing, or why it could not start
};
inline const std::array<common::ControlText<OptimiserTexts>, 3> OptimiserTextTable{{
    {"lblEvaluations", &OptimiserTexts::lblEvaluations},
    {"lblScore", &OptimiserTexts::lblScore},
    {"lblStatus", &OptimiserTexts::lblStatus},
}};

class OptimiserModel {
public:
    explicit OptimiserModel(const Analyser& analyser);

    // The variables' table: name, start, low and high bounds in the unit shown, lock.
    int variableCount() const { return static_cast<int>(problem_.variables.size()); }
    const Variable& variable(int row) const { return problem_.variables[row]; }
    std::string variableName(int row) const { return VariableName(variable(row)); }
    std::string shown(double inches) const;
    std::string unitName() const { return units_ == Units::English ? "inches" : "mm"; }
    // A bound typed: taken when it is a number above 0 (true); refused with the
    // message to show else, the bound left as it was.
    common::Result<> typeBound(int row, bool high, const std::string& typed);
    void lock(int row, bool locked) { problem_.variables[row].locked = locked; }
    void holdBoom(bool held) { problem_.holdBoom = held; }
    bool boomHeld() const { return problem_.holdBoom; }
    // The spacing row that takes up the boom when it is held (-1 when none).
    int boomRow() const { return BoomSpacing(problem_); }

    std::vector<GoalRow>& goals() { return goals_; }
    const std::vector<GoalRow>& goals() const { return goals_; }
    GoalPoints points = GoalPoints::Band;
    Search search = Search::Local;
    std::string maxEvaluations = "2000";
    std::string seconds = "60";

    // The problem as the boxes give it, or the message saying which box is wrong.
    common::Result<Problem> problem() const;
    common::Result<Limits> limits() const;
    double resolution() const { return SavedResolution(units_); }

    // The texts as the search goes and when it ends.
    const OptimiserTexts& texts() const { return texts_; }
    void showStart(const Evaluation& start);
    void showProgress(int evaluations, const Evaluation& best);
    void showStatus(std::string status) { texts_.lblStatus = std::move(status); }
    // A goal's value in the goals' table, "" before any search.
    std::string valueText(GoalKind kind) const;

private:
    Problem problem_;
    Units units_;
    std::vector<GoalRow> goals_;
    Evaluation start_, best_;
    OptimiserTexts texts_;
};

} // namespace qelt
