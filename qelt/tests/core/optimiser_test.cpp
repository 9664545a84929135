#include "qelt/core/antenna_check.h"
#include "qelt/core/optimiser.h"
#include "qelt/core/optimiser_model.h"

#include "engine_for_tests.h"
#include "test_antennas.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>

namespace {

using namespace qelt;
using qelt_test::Engine;

using qelt_test::ThreeElementBeam;

std::vector<Goal> usualGoals() {
    return {{GoalKind::Gain, 1, {}}, {GoalKind::FrontToRear, 1, 25.0}, {GoalKind::Swr, 2, 2.0}};
}

Problem threeElementProblem(Analyser& analyser) {
    analyser = qelt_test::Opened(qelt_test::WriteAntenna("3EL.QELT", ThreeElementBeam));
    Problem p = ProblemOf(analyser);
    p.goals = usualGoals();
    return p;
}

Variable& find(Problem& p, VariableKind kind, int index) {
    for (Variable& v : p.variables)
        if (v.kind == kind && v.index == index) return v;
    throw std::logic_error("no such variable");
}

TEST(OptimiserGoals, ReadAsTheCommandLineGivesThem) {
    struct Case {
        const char* text;
        GoalKind kind;
        double weight;
        std::optional<double> target;
    } cases[] = {
        {"gain=2", GoalKind::Gain, 2, {}},      {"gain>=7.5:3", GoalKind::Gain, 3, 7.5},
        {"fr=1", GoalKind::FrontToRear, 1, {}}, {"FB>=20:0,5", GoalKind::FrontToBack, 0.5, 20},
        {"swr<=1.5:4", GoalKind::Swr, 4, 1.5},  {"swr<=2", GoalKind::Swr, 1, 2},
        {"swr=3", GoalKind::Swr, 3, {}},        {"r=50:2", GoalKind::Resistance, 2, 50},
        {"r=25", GoalKind::Resistance, 1, 25},
    };
    for (const Case& c : cases) {
        common::Result<Goal> g = ParseGoal(c.text);
        ASSERT_TRUE(g.ok()) << c.text << ": " << g.message();
        EXPECT_EQ(g.value().kind, c.kind) << c.text;
        EXPECT_EQ(g.value().weight, c.weight) << c.text;
        EXPECT_EQ(g.value().target, c.target) << c.text;
    }
    for (const char* bad : {"", "loss=1", "gain", "gain=0", "gain=-1", "gain=x", "swr>=2:1",
                            "swr<=0.5:1", "r=0:1", "r=-5", "fr>=:1", "gain>=7:", "swr<=2:nan"})
        EXPECT_FALSE(ParseGoal(bad).ok()) << bad;
}

TEST(OptimiserGoals, MetGoalsCountAsMetAndThePointsChosenAreTheOnesJudged) {
    Sweep s{};
    for (int i = 0; i < SweepPoints; ++i) {
        s[i].gain = 7.0f + 0.1f * static_cast<float>(i);
        s[i].frontToRear = 1000; // no rear lobe: far above any target
        s[i].swr = 1.5f;
        s[i].resistance = 30;
    }
    s[3].swr = 4.0f;
    s[CentrePoint].resistance = 51;
    const std::vector<Goal> goals{{GoalKind::Gain, 2, {}},
                                  {GoalKind::FrontToRear, 1, {}},
                                  {GoalKind::Swr, 1, 2.0},
                                  {GoalKind::Resistance, 1, 50.0}};
    Evaluation band = Judge(s, goals, GoalPoints::Band);
    ASSERT_TRUE(band.solved);
    EXPECT_DOUBLE_EQ(band.values[0].value, 7.0f); // the lowest gain
    EXPECT_FALSE(band.values[0].met);             // no target: never met, always counted
    EXPECT_DOUBLE_EQ(band.values[1].merit, DefaultRatioTarget);
    EXPECT_TRUE(band.values[1].met);
    EXPECT_DOUBLE_EQ(band.values[2].value, 4.0);
    EXPECT_DOUBLE_EQ(band.values[2].merit, -2.0);
    EXPECT_TRUE(band.values[3].met); // 51 ohms is within 5 % of 50
    EXPECT_NEAR(band.score, 2 * 7.0 + 30 - 2, 1e-5);

    // Point 4 is neither an edge nor the centre.
    Evaluation edges = Judge(s, goals, GoalPoints::EdgesAndCentre);
    EXPECT_DOUBLE_EQ(edges.values[2].value, 1.5);
    EXPECT_TRUE(edges.values[2].met);
    EXPECT_NEAR(edges.score, 2 * 7.0 + 30, 1e-5);

    s[CentrePoint].resistance = 60; // 7.5 ohms beyond the 2.5 allowed
    EXPECT_NEAR(Judge(s, goals, GoalPoints::Band).values[3].merit, -7.5, 1e-6);
    s[0].swr = std::numeric_limits<float>::infinity();
    EXPECT_NEAR(Judge(s, goals, GoalPoints::Band).values[2].merit, -(WorstSwrCounted - 2), 1e-9);
}

TEST(Optimiser, ImprovesTheScoreAndTheSavedFileGivesWhatItReported) {
    Analyser analyser;
    Problem p = threeElementProblem(analyser);
    common::Result<Outcome> run =
        Optimise(Engine(), p, Search::Local, {400, 60}, SavedResolution(Units::English));
    ASSERT_TRUE(run.ok()) << run.message();
    const Outcome& o = run.value();
    ASSERT_TRUE(o.improved);
    EXPECT_GT(o.bestEvaluation.score, o.start.score + 0.1);
    EXPECT_LE(o.evaluations, 400);

    // Accepted into the working copy, saved, read again and swept as the main window does.
    analyser.applyElements(Engine(), AcceptedGrid(analyser, o.best));
    const std::string saved = qelt_test::WriteAntenna("OUT.QELT", "");
    ASSERT_TRUE(analyser.saveAs(saved, Units::English).ok());
    Analyser reread = qelt_test::Opened(saved);
    const Evaluation again = Judge(reread.lastSweep(), p.goals, p.points);
    ASSERT_EQ(again.values.size(), o.bestEvaluation.values.size());
    for (std::size_t i = 0; i < again.values.size(); ++i) {
        EXPECT_NEAR(again.values[i].value, o.bestEvaluation.values[i].value, 0.005) << i;
        EXPECT_EQ(GoalValueText(again.values[i]), GoalValueText(o.bestEvaluation.values[i]));
    }
    EXPECT_NEAR(again.score, o.bestEvaluation.score, 0.01);
    EXPECT_GT(again.score, o.start.score);
}

TEST(Optimiser, LockedVariablesStayAndBoundsHoldThroughAGlobalSearch) {
    Analyser analyser;
    Problem p = threeElementProblem(analyser);
    find(p, VariableKind::TipLength, 1).locked = true;
    find(p, VariableKind::Spacing, 2).locked = true;
    Variable& tip3 = find(p, VariableKind::TipLength, 3);
    tip3.low = 99;
    tip3.high = 101.5;
    const Antenna start = p.design;
    int outside = 0, seen = 0;
    auto check = [&](const Antenna& a) {
        EXPECT_EQ(ValueIn(a, find(p, VariableKind::TipLength, 1)), 118.0f);
        EXPECT_EQ(a.spacing[1], start.spacing[1]);
        for (const Variable& v : p.variables)
            if (!v.locked && (ValueIn(a, v) < v.low - 1e-3 || ValueIn(a, v) > v.high + 1e-3))
                ++outside;
        // Nothing but the tips and spacings changes.
        EXPECT_EQ(a.length(2, 1), start.length(2, 1));
        EXPECT_EQ(a.diameter(3, 3), start.diameter(3, 3));
    };
    common::Result<Outcome> run =
        Optimise(Engine(), p, Search::Global, {300, 60}, SavedResolution(Units::English),
                 [&](const Progress& progress) {
                     ++seen;
                     check(*progress.best);
                 });
    ASSERT_TRUE(run.ok()) << run.message();
    EXPECT_EQ(seen, run.value().evaluations - 1); // every evaluation but the start's
    EXPECT_EQ(run.value().evaluations, 300);      // a global search uses its evaluations
    check(run.value().best);
    EXPECT_EQ(outside, 0);
}

TEST(Optimiser, AHeldBoomKeepsItsLength) {
    Analyser analyser;
    Problem p = threeElementProblem(analyser);
    p.holdBoom = true;
    EXPECT_EQ(p.variables[BoomSpacing(p)].index, 2); // the last spacing takes up the rest
    common::Result<Outcome> run =
        Optimise(Engine(), p, Search::Local, {300, 60}, SavedResolution(Units::English));
    ASSERT_TRUE(run.ok()) << run.message();
    ASSERT_TRUE(run.value().improved);
    EXPECT_NE(run.value().best.spacing[0], p.design.spacing[0]);
    EXPECT_NEAR(run.value().best.boomLength(), p.design.boomLength(), 1e-3);
    // So through a global search, whose starts spread over the bounds.
    bool held = true;
    common::Result<Outcome> global = Optimise(
        Engine(), p, Search::Global, {300, 60}, SavedResolution(Units::English),
        [&](const Progress& progress) {
            held = held && std::fabs(progress.best->boomLength() - p.design.boomLength()) < 1e-3;
        });
    ASSERT_TRUE(global.ok()) << global.message();
    EXPECT_TRUE(held);
    EXPECT_GE(global.value().bestEvaluation.score, run.value().bestEvaluation.score - 0.5);

    // With every other spacing locked, nothing of the boom can move; nor with all locked.
    find(p, VariableKind::Spacing, 1).locked = true;
    for (Variable& v : p.variables)
        if (v.kind == VariableKind::TipLength) v.locked = true;
    EXPECT_FALSE(CheckVariables(p).ok());
}

TEST(Optimiser, DesignsThatFailAreNeverResults) {
    Analyser analyser;
    Problem p = threeElementProblem(analyser);
    // Spacing 1 may come down to half an inch: below 1.25 the reflector and the driven
    // element touch, and every such design fails.
    Variable& close = find(p, VariableKind::Spacing, 1);
    close.low = 0.5;
    close.high = 3;
    Antenna touching = p.design;
    touching.spacing[0] = 1.0f;
    const Evaluation e = Evaluate(Engine(), p, touching);
    EXPECT_FALSE(e.solved);
    EXPECT_NE(e.failure.find("overlap"), std::string::npos) << e.failure;
    Antenna crossed = p.design;
    crossed.spacing[1] = -60; // the director 60 inches behind the driven element
    EXPECT_NE(Evaluate(Engine(), p, crossed).failure.find("Elements 2 and 3 cross"),
              std::string::npos);

    auto sound = [](const Antenna& a) { return CheckAntenna(a).ok(); };
    bool allSound = true;
    common::Result<Outcome> run =
        Optimise(Engine(), p, Search::Global, {300, 60}, SavedResolution(Units::English),
                 [&](const Progress& progress) { allSound = allSound && sound(*progress.best); });
    ASSERT_TRUE(run.ok()) << run.message();
    EXPECT_TRUE(allSound);
    EXPECT_TRUE(sound(run.value().best));
    EXPECT_TRUE(run.value().bestEvaluation.solved);

    // A start that fails is refused, not searched from.
    p.design = touching;
    common::Result<Outcome> refused =
        Optimise(Engine(), p, Search::Local, {100, 60}, SavedResolution(Units::English));
    ASSERT_FALSE(refused.ok());
    EXPECT_NE(refused.message().find("cannot be judged"), std::string::npos);
}

TEST(Optimiser, StopKeepsTheBestSoFar) {
    Analyser analyser;
    Problem p = threeElementProblem(analyser);
    std::atomic<bool> stop{false};
    double bestSeen = -1e9;
    common::Result<Outcome> run = Optimise(
        Engine(), p, Search::Global, {100000, 600}, SavedResolution(Units::English),
        [&](const Progress& progress) {
            bestSeen = progress.bestEvaluation->score;
            if (progress.evaluations >= 60) stop = true;
        },
        &stop);
    ASSERT_TRUE(run.ok());
    EXPECT_TRUE(run.value().stopped);
    EXPECT_EQ(run.value().evaluations, 60);
    EXPECT_NEAR(run.value().bestEvaluation.score, bestSeen, 0.01);
}

TEST(OptimiserModel, RefusesWhatCannotBeSearched) {
    const Analyser analyser =
        qelt_test::Opened(qelt_test::WriteAntenna("3EL.QELT", ThreeElementBeam), Units::Metric);
    OptimiserModel m(analyser);
    ASSERT_EQ(m.variableCount(), 5); // three tips, two spacings
    EXPECT_EQ(m.variableName(0), "Tip 1");
    EXPECT_EQ(m.variableName(4), "Spacing 2-3");
    EXPECT_EQ(m.shown(m.variable(0).low), "2697.5"); // 118 inches less 10 %, in mm
    EXPECT_TRUE(m.problem().ok());
    EXPECT_EQ(m.problem().value().goals.size(), 3u); // gain, F/R and SWR to start with

    EXPECT_FALSE(m.typeBound(0, false, "-3").ok());
    EXPECT_FALSE(m.typeBound(0, false, "abc").ok());
    EXPECT_EQ(m.shown(m.variable(0).low), "2697.5"); // a refused bound leaves it
    ASSERT_TRUE(m.typeBound(0, true, "2000").ok());
    EXPECT_FALSE(m.problem().ok()); // high below low

    OptimiserModel weights(analyser);
    weights.goals()[2].target = "0.8";
    EXPECT_FALSE(weights.problem().ok());
    weights.goals()[2].target = "2";
    weights.goals()[0].weight = "0";
    EXPECT_FALSE(weights.problem().ok());
    for (GoalRow& g : weights.goals()) g.used = false;
    EXPECT_FALSE(weights.problem().ok());

    weights.maxEvaluations = "0";
    EXPECT_FALSE(weights.limits().ok());
    weights.maxEvaluations = "500";
    weights.seconds = "-1";
    EXPECT_FALSE(weights.limits().ok());
    weights.seconds = "2,5";
    ASSERT_TRUE(weights.limits().ok());
    EXPECT_EQ(weights.limits().value().seconds, 2.5);
}

} // namespace
