#pragma once
// The along-line graph window (frmVolt): the chart of voltage and current, or series
// resistance and reactance, from the transmitter to the load, with the line's figures
// beside and below it. Laid out in proportion to its size, as the window is resized.
#include "kavlo/core/graphs.h"

#include <QWidget>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace common {
class Chart;
}

namespace kavlo {

class frmVolt : public QWidget {
    Q_OBJECT
public:
    explicit frmVolt(QWidget* parent = nullptr);

    void showGraph(const AlongLineGraph& graph);
    const AlongLineGraph& graph() const { return graph_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private slots:
    void cmdPrint_Click();

private:
    void layOut();

    AlongLineGraph graph_;

public:
    common::Chart* TChart1;
    QFrame *Frame1, *Frame2;
    QLabel* lblHint;
    QLineEdit *txtPower, *txtMaxVolt, *txtMaxVoltAt, *txtMaxCurr, *txtMaxCurrAt;
    QLineEdit *txtCable, *txtFreq, *txtTotalLoss, *txtLoad;
    QPushButton *cmdPrint, *cmdBack, *cmdSaveData, *cmdSaveImage;
};

} // namespace kavlo
