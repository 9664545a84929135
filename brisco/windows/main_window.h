#pragma once
// The terrain assessment's main window: four terrain slots, the frequency, the statistics
// file and the buttons that compute, plot, set options and leave. It binds its controls
// to the Assessment model, shows the model's messages through the desktop service, runs
// the engine through the model and keeps VEXLO.DEF.
#include "brisco/core/assessment.h"

#include "common/qt/shared_files.h"

#include <QWidget>

#include <array>
#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace brisco {

class ClickableBox;
class frmAzimuths;
class frmBands;
class frmGraph;
class frmTerrainCut;
class frmMove;
class frmNewHeights;
class frmOptions;
class frmPlot;

class frmBrisco : public QWidget {
    Q_OBJECT
public:
    // `folder` holds VEXLO.DEF and OUT.PRN (the program's folder unless a caller names
    // another); `engine` is the terrain engine, bound at the first Compute.
    explicit frmBrisco(std::string folder = {}, EngineSource engine = {},
                       QWidget* parent = nullptr);
    ~frmBrisco() override;

    const Assessment& assessment() const { return model_; }
    // The other windows, made on first use.
    frmGraph& graphWindow();
    frmPlot& plotWindow();
    frmNewHeights& heightsDialog();
    frmOptions& optionsWindow();
    frmMove& moveWindow();
    frmTerrainCut& terrainCutDialog();
    frmAzimuths& azimuthWindow();
    frmBands& bandsWindow();
    const EngineSource& engine() const { return engine_; }

    // What the other windows change in the model; the main window shows it again.
    Assessment& model() { return model_; }
    void showModel();
    void showMessages(const std::vector<Message>& messages, QWidget* over = nullptr);
    // "Clear VEXLO.DEF" has written the new file: every window goes, nothing is saved.
    void endWithoutSaving();

public slots:
    void cmdCompute_Click();
    void cmdPlotTerr_Click();
    void cmdOptions_Click();
    void cmdHelp_Click();
    void cmdExit_Click();
    void cmdTerrainCut_Click();
    void cmdBands_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void layOut();
    void connectControls();
    void SelectTerrainFile(int slot);
    void SelectElevationFile();
    void txtHeight_Click(int slot);
    void txtType_Click(int slot);
    void SaveDefaultsAndQuit();
    void closeOtherWindows();

    Assessment model_;
    common::SharedFiles sharedFiles_; // VEXLO.DEF and OUT.PRN are this copy's to write
    EngineSource engine_;
    bool saved_ = false; // the defaults are written once, whichever way the window goes
    bool showing_ = false;
    std::unique_ptr<frmGraph> graph_;
    std::unique_ptr<frmPlot> plot_;
    std::unique_ptr<frmNewHeights> heights_;
    std::unique_ptr<frmOptions> options_;
    std::unique_ptr<frmMove> move_;
    std::unique_ptr<frmTerrainCut> terrainCut_;
    std::unique_ptr<frmAzimuths> azimuths_;
    std::unique_ptr<frmBands> bands_;

public:
    // Controls, named as the form names them.
    QLabel* lblProgram;
    std::array<ClickableBox*, SlotCount> txtTerrain, txtHeight, txtType;
    std::array<QLineEdit*, SlotCount> txtSubDir;
    std::array<QLabel*, SlotCount> lblFeet;
    QLineEdit* txtFreq;
    ClickableBox* txtElevFile;
    QLineEdit* txtSubTerr;
    QRadioButton *optX20, *OptX25, *optX34;
    std::array<QCheckBox*, SlotCount> chkTerr;
    QCheckBox* chkShowHts;
    QLabel *lblDiffraction, *lblGround;
    QPushButton *cmdCompute, *cmdPlotTerr, *cmdOptions, *cmdHelp, *cmdExit;
    QPushButton *cmdTerrainCut, *cmdBands;
    QProgressBar* ProgressBar1;
};

} // namespace brisco
