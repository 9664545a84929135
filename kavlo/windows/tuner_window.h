#pragma once
// The tuner's setup page (frmTuner, "Tuner Selection, Kavlo"): the network type and its
// parameters bound to the TunerSetup model; the design button designs for the
// calculator's line as it stands.
#include "kavlo/core/tuner.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kavlo {

class frmTuner : public QWidget {
    Q_OBJECT
public:
    frmTuner(const Calculator& calc, QWidget* parent = nullptr);

    const TunerSetup& setup() const { return setup_; }
    // The page as it opens, with the tuner's load as the calculator has it now.
    void showPage();
    // The calculator's line has changed: the load shown follows it.
    void showLoad();

signals:
    void designed(const kavlo::TunerResult& result);
    void changed(); // a box was edited

private slots:
    void txtCoilQ_LostFocus();
    void txtCapQ_LostFocus();
    void cmdDrawTuner_Click();
    void cmdBack_Click();

private:
    void layOut();
    void connectControls();
    void showModel();
    void choose(TunerChoice choice);

    const Calculator& calc_;
    TunerSetup setup_;
    bool writing_ = false;

public:
    QRadioButton *optLNet1, *optLNet2, *optPiNet, *optTeeNet;
    QLineEdit *txtCoilQ, *txtCapQ, *txtPhase, *txtStrayC, *txtTxPwr, *txtTunerR;
    QLineEdit *txtPiCap, *txtTeeCap;
    QLabel *lblPiCap, *lblTeeCap, *lblTunerLoad;
    QPushButton *cmdDrawTuner, *cmdBack;
};

} // namespace kavlo
