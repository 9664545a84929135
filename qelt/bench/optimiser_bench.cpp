// How long the optimiser takes over a 6-element 20 m Yagi: 2000 evaluations of the
// eleven-point band sweep, alone and as a global search spends them. Run on demand:
// build/bench/qelt_optimiser_bench.
#include "common/qt/engine_binding.h"
#include "qelt/core/optimiser.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

using namespace qelt;

const char* const SixElements = "Six-element 20 m bench beam\n"
                                "14.000 14.175 14.350 MHz\n"
                                "6 elements, inches\n"
                                "     1.250   1.000   0.875\n"
                                "   0.000  48.000  48.000 120.000\n"
                                "  96.000  48.000  48.000 110.000\n"
                                " 180.000  48.000  48.000 104.000\n"
                                " 330.000  48.000  48.000 102.000\n"
                                " 500.000  48.000  48.000 100.000\n"
                                " 680.000  48.000  48.000  98.000\n";

struct Setting {
    EngineRoutines engine = common::BindEngine<EngineRoutines>(SUITE_DIR)().value();
    Problem problem;
    Setting() {
        const std::string path =
            (std::filesystem::temp_directory_path() / "qelt-optimiser-bench.QELT").string();
        std::ofstream(path) << SixElements;
        problem.design = ReadAntennaFile(engine, path).value();
        std::filesystem::remove(path);
        problem.band = {14.0f, 14.35f};
        problem.swr = [](float, float r, float x) { return SwrOnCable(r, x, 50); };
        problem.variables = DefaultVariables(problem.design);
        problem.goals = {
            {GoalKind::Gain, 1, {}}, {GoalKind::FrontToRear, 1, 25.0}, {GoalKind::Swr, 1, 2.0}};
    }
};

Setting& Shared() {
    static Setting setting;
    return setting;
}

// 2000 designs judged one after another, each by its own eleven-point sweep.
void TwoThousandEvaluations(benchmark::State& state) {
    const Setting& s = Shared();
    for (auto _ : state)
        for (int i = 0; i < 2000; ++i)
            benchmark::DoNotOptimize(Evaluate(s.engine, s.problem, s.problem.design).score);
}
BENCHMARK(TwoThousandEvaluations)->Unit(benchmark::kSecond)->Iterations(3);

// A global search over the eleven variables, limited to 2000 evaluations.
void GlobalSearchOfTwoThousand(benchmark::State& state) {
    const Setting& s = Shared();
    double score = 0;
    for (auto _ : state) {
        common::Result<Outcome> run =
            Optimise(s.engine, s.problem, Search::Global, {2000, 600}, 0.001);
        if (!run) {
            state.SkipWithError(run.message().c_str());
            return;
        }
        score = run.value().bestEvaluation.score - run.value().start.score;
    }
    state.counters["score_gain"] = score;
}
BENCHMARK(GlobalSearchOfTwoThousand)->Unit(benchmark::kSecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
