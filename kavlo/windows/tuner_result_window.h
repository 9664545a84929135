#pragma once
// A tuner result window: the schematic of the designed network, its component table and
// the power summary. The L-networks and the pi are shown on frmTuner1, the tee on
// frmTuner2; both are this window under their form names.
#include "kavlo/core/tuner.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace kavlo {

class TunerResultWindow : public QWidget {
    Q_OBJECT
public:
    // `formName` is "frmTuner1" or "frmTuner2".
    explicit TunerResultWindow(const char* formName, QWidget* parent = nullptr);

    void showResult(const TunerResult& result);
    // The line has changed and the network can no longer match it: the page says why
    // and shows no figures of the old design.
    void showRefusal(const std::string& why);

signals:
    void back();
    void continueToGraph();

private slots:
    void cmdPrint_Click();

private:
    void layOut();
    // The network's picture from beside the program, or a plain frame with its title.
    void showSchematic(NetworkShape shape);

public:
    QLabel *lblNetwork, *picNetwork, *lblAtLoad, *lblFreq, *lblLength;
    QLineEdit* txtCStray;
    QLabel *lblBandwidth, *lblPowerLost, *lblLineLoss, *lblAtPower;
    QLineEdit *txtVin, *txtVout;
    QPushButton *cmdBack, *cmdContinue, *cmdPrint;
};

} // namespace kavlo
