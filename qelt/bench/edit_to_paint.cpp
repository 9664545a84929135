// How much processor time an accepted edit of a 50-element Yagi costs, from the OK (or
// Undo) that accepts it to the main window painted: the sweep, the result lines, the chart
// and the paint the event loop then does. The figure is the process's processor time,
// so it holds on a busy machine too; the budget is one 60 Hz frame, 16 ms. Runs headless
// (QT_QPA_PLATFORM=offscreen by default):
//
//     build/bench/qelt_edit_bench
#include "qelt/windows/element_dialogs.h"
#include "qelt/windows/main_chart.h"
#include "qelt/windows/main_window.h"
#include "qelt/windows/sweep_dialogs.h"

#include "bench_support.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <ctime>
#include <fstream>

namespace {

double ProcessSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

// Everything the event loop has to do, timers due within 20 ms included.
void settle() {
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 20) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

// Counts the paints of the window and of everything in it.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return QObject::eventFilter(watched, event);
    }
};

// The main window with the 50-element antenna open, shown on the offscreen screen.
struct Window {
    QTemporaryDir folder;
    std::string antenna = FiftyElements(folder.path());
    std::unique_ptr<qelt::frmQelt> window;
    PaintCounter counter;

    Window() {
        std::ofstream(QDir(folder.path()).filePath("QELT.DEF").toStdString()) << "60;48\n";
        window = std::make_unique<qelt::frmQelt>(folder.path().toStdString(), SUITE_DIR);
        window->resize(1200, 800);
        window->show();
        window->OpenFile(QString::fromStdString(antenna));
        for (QWidget* w : window->findChildren<QWidget*>()) w->installEventFilter(&counter);
        window->installEventFilter(&counter);
        QCoreApplication::processEvents();
    }

    // `accept` is timed from its start to the window painted by the event loop.
    // `painted`: the edit changes the window, so it must have been painted.
    template <typename Prepare, typename Accept>
    void measure(benchmark::State& state, Prepare prepare, Accept accept, bool painted = true) {
        int paints = 0;
        for (auto _ : state) {
            prepare();
            settle(); // the dialog's own painting and layout are not the edit's
            const int before = counter.paints;
            const double start = ProcessSeconds();
            accept();
            QCoreApplication::processEvents(); // what the event loop does next: the paint
            state.SetIterationTime(ProcessSeconds() - start);
            paints += counter.paints - before;
        }
        if (painted && paints == 0) state.SkipWithError("the window was never painted");
        state.counters["paints"] = benchmark::Counter(paints, benchmark::Counter::kAvgIterations);
    }
};

Window& Shared() {
    static Window w;
    return w;
}

// A director's tip changed in the element editor, then its OK.
void ElementEditorOk(benchmark::State& state) {
    Window& w = Shared();
    qelt::frmElements* editor = w.window->ElementsDialog;
    bool longer = false;
    w.measure(
        state,
        [&] {
            w.window->cmdElements->click();
            emit editor->MSFlexGrid1->cellClicked(9, 1); // Dir 7's outer section
            editor->ChangeCell->txtNewDim->setText((longer = !longer) ? "466.0" : "464.0");
            editor->ChangeCell->cmdOK->click();
        },
        [&] { editor->cmdOK->click(); });
}
BENCHMARK(ElementEditorOk)->UseManualTime()->Unit(benchmark::kMillisecond);

// The editor's OK with nothing changed: no sweep, nothing to paint but the dialog gone.
void UnchangedElementEditorOk(benchmark::State& state) {
    Window& w = Shared();
    w.measure(
        state, [&] { w.window->cmdElements->click(); },
        [&] { w.window->ElementsDialog->cmdOK->click(); }, false);
}
BENCHMARK(UnchangedElementEditorOk)->UseManualTime()->Unit(benchmark::kMillisecond);

// The height dialog's OK, between two heights over ground.
void HeightOk(benchmark::State& state) {
    Window& w = Shared();
    bool higher = false;
    w.measure(
        state,
        [&] {
            w.window->cmdHeight->click();
            w.window->HeightDialog->txtHeight->setText((higher = !higher) ? "40" : "30");
        },
        [&] { w.window->HeightDialog->cmdOK->click(); });
}
BENCHMARK(HeightOk)->UseManualTime()->Unit(benchmark::kMillisecond);

// The frequency dialog's OK, between two bands.
void BandOk(benchmark::State& state) {
    Window& w = Shared();
    bool wide = false;
    w.measure(
        state,
        [&] {
            w.window->cmdFreq->click();
            w.window->FreqDialog->txtFreqLo->setText((wide = !wide) ? "144.0" : "144.1");
        },
        [&] { w.window->FreqDialog->cmdOK->click(); });
}
BENCHMARK(BandOk)->UseManualTime()->Unit(benchmark::kMillisecond);

// Undo, then Redo, of the last change.
void UndoOrRedo(benchmark::State& state) {
    Window& w = Shared();
    if (!w.window->analyser().history().canUndo() && !w.window->analyser().history().canRedo())
        w.window->SetHeight("35"); // run alone: a change to undo
    w.measure(
        state, [] {},
        [&] {
            if (w.window->cmdUndo->isEnabled())
                w.window->cmdUndo->click();
            else
                w.window->cmdRedo->click();
        });
}
BENCHMARK(UndoOrRedo)->UseManualTime()->Unit(benchmark::kMillisecond);

// For comparison: the whole window painted again with nothing changed, and the chart alone.
void WholeWindowPainted(benchmark::State& state) {
    Window& w = Shared();
    w.measure(
        state, [] {}, [&] { w.window->update(); });
}
BENCHMARK(WholeWindowPainted)->UseManualTime()->Unit(benchmark::kMillisecond);

void ChartPainted(benchmark::State& state) {
    Window& w = Shared();
    w.measure(
        state, [] {}, [&] { w.window->TChart1->viewport()->update(); });
}
BENCHMARK(ChartPainted)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) { return RunBenchmarks(argc, argv); }
