#pragma once
// "Output Graph, Brisco": the gain of every slot in use against the elevation angle, the
// band's elevation statistics as bars on the right axis, and beside the chart each slot's
// terrain, heights, antenna and figure of merit.
#include "brisco/core/assessment.h"

#include "placed_window.h"

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace common {
class Chart;
}

namespace brisco {

class frmGraph : public PlacedWindow {
    Q_OBJECT
public:
    explicit frmGraph(Assessment& model);

    // Empties the chart and the slot labels, as each computation starts.
    void clear();
    // Draws a computation's graph and shows the window at its remembered placement.
    void showGraph(const OutputGraph& graph);
    void setMaxAngle(MaxAngle angle);

public slots:
    void cmdOut_Click();
    void cmdPrint_Click();
    void cmdClose_Click();

private:
    void layOut();
    void showTexts(const GraphTexts& texts);

    Assessment& model_;
    GraphTexts texts_;

public:
    common::Chart* TChart1;
    QWidget* frmFrame1;
    QLabel* lblFreq;
    std::array<QLabel*, SlotCount> lblTerr, lblHt, lblAntType, lblFOM;
    QLineEdit* txtMaxGain;
    QLabel *lblforStatFile, *lblStatFile;
    QPushButton *cmdOut, *cmdPrint, *cmdClose;
};

// The colours of the four slots' curves and labels, on the graph and the terrain plot.
QColor SlotColour(int slot);
// The graph's series of a slot's gain curve; the statistics bars come first, behind them.
int GainSeries(int slot);
// Shows a name in a label `width` wide, elided in the middle when too long, the whole name
// then as the label's tip.
void ShowElided(QLabel* label, const std::string& name, int width);

} // namespace brisco
