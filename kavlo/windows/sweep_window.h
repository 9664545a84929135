#pragma once
// The band sweep window (frmSweep, "Kavlo, Band Sweep"): the calculator's line swept with
// the typed impedance over a band or with a file's loads, SWR at both ends and the total
// loss charted against frequency, saved as CSV, as a Touchstone .s1p of the line input
// and printed. Bound to the SweepModel, which follows the calculator's line.
#include "kavlo/core/sweep.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace common {
class Chart;
}

namespace kavlo {

class frmSweep : public QWidget {
    Q_OBJECT
public:
    frmSweep(const Calculator& calc, QWidget* parent = nullptr);

    const SweepModel& model() const { return model_; }
    // Sweeps the calculator's line as it stands; a refusal shows beside the chart.
    void refresh();
    // Takes the loads of the file from now on and sweeps; a file that cannot be read says
    // why and leaves the load as it was.
    void openFile(const QString& path);
    // The typed impedance's band 5 % either side of the calculator's frequency.
    void centreBand();

signals:
    void smithRequested();
    void swept(); // new points

private slots:
    void box_LostFocus();
    void optTyped_Click();
    void cmdOpen_Click();
    void cmdSaveData_Click();
    void cmdSaveS1p_Click();
    void cmdPrint_Click();

private:
    void layOut();
    void compute(bool showRefusal);
    void showModel();

    const Calculator& calc_;
    SweepModel model_;
    bool writing_ = false;

public:
    QRadioButton *optTyped, *optFile;
    QLineEdit *txtFrom, *txtTo, *txtPoints;
    QPushButton* cmdOpen;
    QLabel *lblSource, *lblLine, *lblBest, *lblLoss;
    common::Chart* TChart1;
    QPushButton *cmdSaveData, *cmdSaveS1p, *cmdSaveImage, *cmdSmith, *cmdPrint, *cmdBack;
};

} // namespace kavlo
