#pragma once
// The calculator's main window: binds its controls to the Calculator model, shows
// the model's messages through the desktop service, keeps TL.DEF, and opens the tuner
// pages, the graph along the line, the converters and the user-defined line's dialog.
#include "kavlo/core/calculator.h"
#include "kavlo/core/converters.h"
#include "kavlo/core/graphs.h"

#include "common/qt/shared_files.h"

#include <QWidget>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kavlo {

class frmAutek;
class frmNB;
class frmOtrCable;
class frmSmith;
class frmSweep;
class frmTuner;
class frmVolt;
class TunerResultWindow;
struct TunerResult;

class frmKavlo2 : public QWidget {
    Q_OBJECT
public:
    // Reads the defaults file at `defaultsPath` (TL.DEF beside the program unless a
    // caller names another); a missing or damaged file leaves the form defaults.
    explicit frmKavlo2(std::string defaultsPath = DefaultsPath(), QWidget* parent = nullptr);

    static std::string DefaultsPath();
    const Calculator& calculator() const { return calc_; }
    // Opens the sweep window with the loads of a Touchstone or CSV file.
    void openLoadFile(const QString& path);

public slots:
    void DoCompute();

protected:
    void closeEvent(QCloseEvent* event) override;

private slots:
    void txtFreq_Change();
    void txtFreq_LostFocus();
    void txtLength_Change();
    void txtLength_LostFocus();
    void txtResistance_Change();
    void txtResistance_LostFocus();
    void txtReactance_Change();
    void txtReactance_LostFocus();
    void optFeet_Click();
    void optMeters_Click();
    void optLoad_Click();
    void optInput_Click();
    void cboPickCable_Click();
    void optAutek_Click();
    void optNoiseBridge_Click();
    void cmdTuner_Click();
    void cmdGraph_Click();
    void cmdSweep_Click();
    void cmdSmith_Click();
    void cmdPrint_Click();
    void cmdHelp_Click();
    void cmdQuit_Click();

private:
    void layOut();
    void connectControls();
    void readDefaults();
    void SaveDefaultsAndQuit();
    void saveDefaults(); // once, whichever way the window closes
    // Puts the model's box texts and results on screen; the boxes' own change
    // handlers stay quiet while the program writes them.
    void showModel();
    void showMessages(const std::vector<Message>& messages);
    void settle(const std::vector<Message>& messages = {});

    // The other windows: each is put in its stored place the first time it shows.
    void makeWindows();
    void showWindow(QWidget* window, WindowSlot slot);
    std::array<common::Placement, SlotCount> currentPlacements() const;
    void showTunerResult(const TunerResult& result);
    void showGraph(GraphKind kind);
    // The Smith chart of the line as it stands, with the tuner once one was designed and
    // the sweep's load once the sweep window was opened.
    void showSmith();
    // The open graph and tuner pages follow every change of the line.
    void followLine();
    void enterAtInput(const ImpedanceEntry& entry);
    void entryClosed();
    // Fills the user-defined line's dialog from TL.DEF and shows it.
    void LoadUserCable();
    void storeUserCable();

    Calculator calc_;
    std::string defaultsPath_;
    common::SharedFiles sharedFiles_; // TL.DEF is this copy's to write
    std::array<common::Placement, SlotCount> placements_ = TlDefaults::DefaultPlacements();
    std::array<QWidget*, SlotCount> slotWindows_{};
    std::array<bool, SlotCount> placed_{};
    bool writingBoxes_ = false;
    bool tunerDesigned_ = false;
    bool sweepOpened_ = false; // the sweep's band is centred on the frequency the first time
    bool saved_ = false;

public:
    // Controls, named as the form names them.
    QLabel* lblProgram;
    QComboBox* cboPickCable;
    QLabel* LblWarning;
    QLineEdit *txtFreq, *txtLength, *txtResistance, *txtReactance;
    QLabel* lblUnits;
    QRadioButton *optFeet, *optMeters, *optLoad, *optInput;
    QRadioButton *optNormal, *optAutek, *optNoiseBridge;
    QLineEdit *txtZ0, *txtMLPer, *txtVF, *txtVoltage;
    QLabel* lbldBPer;
    QLineEdit *txtMLTot, *txtAddLoss, *txtTotalLoss;
    QLineEdit *txtLoadSWR, *txtInputSWR, *txtRho;
    QLabel* lblRho;
    QLineEdit *txtImpedIn, *txtPolarZ, *txtPolarDegree;
    QLabel* lblInputZ;
    QLineEdit* txtWavelen;
    QRadioButton *optVoltCurr, *optResisReac;
    QPushButton *cmdTuner, *cmdGraph, *cmdSweep, *cmdSmith, *cmdUserCable, *cmdPrint, *cmdHelp,
        *cmdQuit;

    // The windows the calculator opens.
    frmTuner* tunerSetup;
    TunerResultWindow *tunerFirst, *tunerSecond;
    frmVolt* graphWindow;
    frmSweep* sweepWindow;
    frmSmith* smithWindow;
    frmAutek* analyser;
    frmNB* noiseBridge;
    frmOtrCable* userCable;
};

} // namespace kavlo
