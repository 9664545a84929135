// How long the analyser keeps the window busy with a 50-element Yagi: the band sweep
// through the engine alone, and the sweep with the result lines, the chart redrawn and
// the window painted, as the View dialog's OK does it; then a pattern on the
// logarithmic polar grid. Runs headless (QT_QPA_PLATFORM=offscreen by default).
#include "common/qt/engine_binding.h"
#include "qelt/core/analyser.h"
#include "qelt/windows/main_window.h"
#include "qelt/windows/polar_plot_window.h"
#include "qelt/windows/view_dialog.h"

#include "bench_support.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>

namespace {

struct Setting {
    QTemporaryDir folder;
    std::string antenna = FiftyElements(folder.path());
    const qelt::EngineRoutines engine =
        common::BindEngine<qelt::EngineRoutines>(SUITE_DIR)().value();
};

Setting& Shared() {
    static Setting setting;
    return setting;
}

void SweepThroughTheEngine(benchmark::State& state) {
    qelt::Analyser analyser;
    if (!analyser.open(Shared().engine, Shared().antenna).ok()) state.SkipWithError("not read");
    for (auto _ : state) analyser.sweep(Shared().engine);
    benchmark::DoNotOptimize(analyser.lastSweep()[0].gain);
}
BENCHMARK(SweepThroughTheEngine)->Unit(benchmark::kMillisecond);

// The View dialog's OK with "Gain, Pattern, SWR": sweep, result lines, chart, painting.
void SweepAndRedrawTheWindow(benchmark::State& state) {
    std::ofstream(QDir(Shared().folder.path()).filePath("QELT.DEF").toStdString()) << "60;48\n";
    qelt::frmQelt window(Shared().folder.path().toStdString(), SUITE_DIR);
    window.resize(1000, 800);
    window.show();
    window.OpenFile(QString::fromStdString(Shared().antenna));
    for (auto _ : state) {
        window.cmdView->click();
        window.ViewDialog->cmdOK->click();
        QImage painted = window.grab().toImage();
        benchmark::DoNotOptimize(painted.constBits());
    }
}
BENCHMARK(SweepAndRedrawTheWindow)->Unit(benchmark::kMillisecond);

// A pattern on the logarithmic polar grid, computed and drawn.
void MorwenPlot(benchmark::State& state) {
    qelt::frmQelt window(Shared().folder.path().toStdString(), SUITE_DIR);
    window.OpenFile(QString::fromStdString(Shared().antenna));
    for (auto _ : state) {
        window.cmdView->click();
        window.ViewDialog->optMorwen->setChecked(true);
        window.ViewDialog->cmdOK->click();
        QImage painted = window.frmMorwen->grab().toImage();
        benchmark::DoNotOptimize(painted.constBits());
    }
}
BENCHMARK(MorwenPlot)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) { return RunBenchmarks(argc, argv); }
