#pragma once
// frmQelt, the analyser's main window: binds its controls to the Analyser model, binds
// the engine library at the first engine call, shows the model's messages through the
// desktop service, and keeps QELT.DEF. The View, match, frequency and height dialogs, the
// element editor and the two polar-plot windows belong to it; they, Save As and the NEC
// deck hang on buttons that are enabled once an antenna is loaded.
#include "match_dialog.h"
#include "qelt/core/analyser.h"
#include "qelt/core/defaults_file.h"

#include "common/qt/engine_binding.h"
#include "common/qt/shared_files.h"
#include "common/text_file.h"

#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace qelt {

// The file dialog's choice of antenna files to open, or to compare with.
inline constexpr const char* AntennaFilter =
    "Yagi Files (*.QELT)|*.QELT|All Yagi Files (*.QELT, *.YAG)|*.QELT;*.YAG";

class MainChart;
class PolarPlotWindow;
class frmOptimise;
class frmAntHt;
class frmElements;
class frmMatch;
class frmNewFreq;
class frmView;

class frmQelt : public QWidget {
    Q_OBJECT
public:
    // `folder` holds QELT.DEF (the program's folder unless a caller names another);
    // `engineFolder` is where libyoruk.so is looked for first (also the program's folder).
    explicit frmQelt(std::string folder = common::ProgramFolder(), QString engineFolder = {},
                     QWidget* parent = nullptr);
    ~frmQelt() override;

    const Analyser& analyser() const { return model_; }
    // True once the program has ended (at start-up, for a new QELT.DEF) or shut down.
    bool ended() const { return ended_; }

    // Opens an antenna as if it had been chosen in the Open dialog (qelt FILE).
    void OpenFile(const QString& path);
    // The height dialog's OK, the height as typed in the unit shown (0: free space):
    // the band is swept again and the open polar plots follow. A height too low is
    // said, and false keeps the dialog open.
    bool SetHeight(const QString& typed);

protected:
    void closeEvent(QCloseEvent* event) override;

private slots:
    void cmdFile_Click();
    void cmdElements_Click();
    void cmdSaveAs_Click();
    void cmdExportNec_Click();
    void cmdView_Click();
    void cmdMatch_Click();
    void cmdHeight_Click();
    void cmdFreq_Click();
    void cmdPrint_Click();
    void cmdQuit_Click();
    void cmdHelp_Click();
    void cmdOptimise_Click();
    void cmdUndo_Click();
    void cmdRedo_Click();
    void mnuCompareFile_Click();
    void mnuCompareBefore_Click();
    void mnuCompareNone_Click();

private:
    // Undo and Redo: their buttons and keys (main_window_history.cpp).
    void setUpHistory();
    void showHistory();
    // Compare: its button and menu, the compared result lines and legend
    // (main_window_compare.cpp).
    void setUpComparison();
    void showComparison();
    void layOut();
    void readDefaults();
    // The engine's routines; a library that cannot be bound is said once and leaves the
    // analysis buttons disabled.
    const EngineRoutines* engine();
    // Runs `work` with the progress bar following the sweep's points (on screen when
    // `shown`).
    void sweeping(bool shown, const std::function<void(const SweepProgress&)>& work);
    bool applyView(const ViewChoices& choices);
    // Runs `work` on the engine with the progress bar, then shows the model, says what
    // the engine could not solve, and has the open polar plots follow. False when there
    // is no engine or `work` refused (its message said).
    using Analysis = std::function<common::Result<>(const EngineRoutines&, const SweepProgress&)>;
    bool analyse(const Analysis& work);
    // The match dialog's buttons.
    MatchHandlers matchHandlers();
    // The model on screen: labels, buttons, chart, and the polar plots that are open.
    void showModel();
    // Every polar plot that is open shows the pattern in force; `chosen` is shown too,
    // with the pattern the View dialog has just computed.
    void showPolarPlots(const EngineRoutines& routines, PolarPlotWindow* chosen = nullptr);
    void message(const std::string& text);
    // Says so when the engine could not solve what was just computed.
    void reportTrouble();
    void Shutdown();
    void saveDefaults();
    // The Optimise button beside Freq, and its window.
    void addOptimiser();

    std::array<QLabel*, 4> swatches_{}; // before lblGain, lblFR, lblSWR and lblSWR2
    std::string programFolder_;         // its QeltAnts is the antenna folder kept at exit
    std::string defaultsPath_;
    common::SharedFiles sharedFiles_; // QELT.DEF is this copy's to write
    QeltDefaults defaults_;
    Analyser model_;
    common::BoundEngine<EngineRoutines> engine_;
    EngineRoutines routines_; // once bound
    bool engineMissing_ = false;
    bool ended_ = false;

public:
    // Controls, named as the form names them.
    QPushButton *cmdFile, *cmdElements, *cmdSaveAs, *cmdExportNec, *cmdView, *cmdMatch, *cmdHeight,
        *cmdFreq;
    QPushButton *cmdPrint, *cmdQuit, *cmdHelp;
    QPushButton *cmdUndo = nullptr, *cmdRedo = nullptr, *cmdCompare = nullptr;
    // The second antenna: its name and result lines beside the design's, and its legend.
    QGroupBox* fraCompared = nullptr;
    QLabel *lblCompare = nullptr, *lblC1 = nullptr, *lblC2 = nullptr, *lblC3 = nullptr,
           *lblC4 = nullptr, *lblC5 = nullptr, *lblCompareLegend = nullptr;
    QLabel* comparedSwatch_ = nullptr;
    QLabel *lblStart, *lblFile, *lblEleBoom, *lblHeight, *lblMatch, *lblPeakElev, *lblView;
    QLabel *lblF1, *lblF2, *lblF3, *lblF4, *lblF5;
    QLabel *lblGain, *lblFR, *lblSWR, *lblSWR1, *lblSWR2;
    QProgressBar* ProgressBar1;
    MainChart* TChart1;
    frmView* ViewDialog;
    frmMatch* MatchDialog;
    frmNewFreq* FreqDialog;
    frmAntHt* HeightDialog;
    frmElements* ElementsDialog;
    // Windows of their own, not children of this one: their controls share names with
    // the main window's (lblHeight, cmdPrint).
    std::unique_ptr<PolarPlotWindow> frmPolar, frmMorwen;
    // What an opened file's saved design brought back.
    QLabel* lblRestored = nullptr;
    // The optimiser, a window of its own for the same reason.
    QPushButton* cmdOptimise = nullptr;
    std::unique_ptr<frmOptimise> OptimiseWindow;
};

} // namespace qelt
