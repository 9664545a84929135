#pragma once
// The Smith chart window (frmSmith, "Kavlo, Smith Chart"): the load, the path along the
// line to its input, the tuner's path to the transmitter and the swept load, normalised to
// the reference resistance in its box, with the load's constant-SWR circle; saved as PNG
// and CSV and printed. Bound to the SmithModel.
#include "kavlo/core/smith.h"

#include <QWidget>

#include <optional>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;

namespace common {
class SmithChart;
}

namespace kavlo {

class frmSmith : public QWidget {
    Q_OBJECT
public:
    frmSmith(const Calculator& calc, QWidget* parent = nullptr);

    const SmithModel& model() const { return model_; }
    // Draws the calculator's line with the tuner designed for it (none: no tuner path) and
    // the sweep's points (none: no swept load).
    void showChart(const std::optional<TunerDesign>& tuner, const std::vector<SweepPoint>& sweep);

private slots:
    void txtRef_LostFocus();
    void cmdSaveData_Click();
    void cmdSaveImage_Click();
    void cmdPrint_Click();

private:
    void layOut();
    void showModel();

    const Calculator& calc_;
    SmithModel model_;
    std::optional<TunerDesign> tuner_;
    std::vector<SweepPoint> sweep_;

public:
    QLineEdit* txtRef;
    QLabel *lblLoad, *lblInput, *lblTuner;
    common::SmithChart* Smith1;
    QPushButton *cmdSaveData, *cmdSaveImage, *cmdPrint, *cmdBack;
};

} // namespace kavlo
