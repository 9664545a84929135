#pragma once
// frmOptimise, "Optimise": the tips and spacings with their bounds and locks, the goals
// with their weights and targets, the search and its limits, and the best design so far
// on a sweep chart of its own. Run searches in a worker thread, so the window stays
// responsive and Stop is heard; Stop keeps the best design so far; Accept hands it to
// the main window, Cancel leaves the antenna as it was. A window of its own (its controls
// share names with the main window's), modal while it is open, so nothing else calls
// the engine while the search does.
#include "qelt/core/optimiser_model.h"

#include <QWidget>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QThread;

namespace qelt {

class MainChart;

class frmOptimise : public QWidget {
    Q_OBJECT
public:
    // `accept` takes the best design into the main window's working copy.
    explicit frmOptimise(std::function<void(const Antenna&)> accept);
    ~frmOptimise() override;

    // Opens the window on the analyser's working copy and conditions.
    void ask(const Analyser& analyser, const EngineRoutines& engine);
    bool running() const { return worker_ != nullptr; }
    const OptimiserModel& model() const { return *model_; }
    // What the last search ended with, once it has.
    const std::optional<Outcome>& outcome() const { return outcome_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private slots:
    void cmdRun_Click();
    void cmdStop_Click();
    void cmdAccept_Click();
    void cmdCancel_Click();

private:
    void layOut();
    void showVariables();
    void showGoals();
    // The best design so far: the texts, the table's Best column and the chart.
    void showBest(int evaluations, const Antenna& best, const Evaluation& evaluation);
    void showButtons();
    void finished();
    // Reads the goal and limit boxes into the model.
    void readBoxes();
    void message(const std::string& text);
    // Ends a search that is running and waits for it.
    void endSearch();

    std::function<void(const Antenna&)> accept_;
    std::unique_ptr<OptimiserModel> model_;
    EngineRoutines engine_;
    Ratio ratio_ = Ratio::FrontToRear;
    QLabel* ratioLegend_ = nullptr; // F/R or F/B, as the main window shows
    Band band_;
    QThread* worker_ = nullptr;
    std::atomic<bool> stop_{false};
    std::optional<common::Result<Outcome>> result_; // written by the worker
    std::optional<Outcome> outcome_;
    bool showing_ = false;

public:
    // Controls, by the names the tests and the command-line script use.
    QTableWidget* grdVariables;
    QCheckBox* chkBoom;
    std::array<QCheckBox*, 4> chkGoal;
    std::array<QLineEdit*, 4> txtWeight, txtTarget;
    std::array<QLabel*, 4> lblValue;
    QRadioButton *optBand, *optEdges, *optLocal, *optGlobal;
    QLineEdit *txtEvaluations, *txtSeconds;
    QLabel *lblEvaluations, *lblScore, *lblStatus;
    QProgressBar* ProgressBar1;
    MainChart* TChart1;
    QPushButton *cmdRun, *cmdStop, *cmdAccept, *cmdCancel;
};

} // namespace qelt
