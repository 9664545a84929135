#pragma once
// "Profiles from Elevation Data, Brisco": the elevation data, the station's place, the
// azimuths, the length and spacing of the profiles and their folder; puts the profiles in
// the slots or rates every stack at every azimuth.
#include "brisco/core/terrain_cut.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace brisco {

class frmBrisco;

class frmTerrainCut : public QWidget {
    Q_OBJECT
public:
    explicit frmTerrainCut(frmBrisco& main);

    const TerrainCut& model() const { return model_; }

public slots:
    void cmdDemFile_Click();
    void cmdDemFolder_Click();
    void cmdProfilesOut_Click();
    void cmdSlots_Click();
    void cmdRate_Click();
    void cmdClose_Click() { hide(); }

private:
    void layOut();
    void showModel();
    // A file chosen in the dialog, or an empty text on Cancel.
    QString chooseFile(const QString& title, const QString& filter);

    frmBrisco& main_;
    TerrainCut model_;
    bool showing_ = false;

public:
    QLineEdit *txtDem, *txtQth, *txtAzimuth, *txtLength, *txtSpacing, *txtProfilesOut;
    QLabel *lblPlace, *lblPoints, *lblAzimuths;
    QPushButton *cmdDemFile, *cmdDemFolder, *cmdProfilesOut, *cmdSlots, *cmdRate, *cmdClose;
    QProgressBar* ProgressBar1;
};

} // namespace brisco
