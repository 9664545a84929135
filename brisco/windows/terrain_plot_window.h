#pragma once
// "Terrain Plot, Brisco": the ticked slots' ground profiles and, with "Show Ants.", each
// slot's antennas as diamonds above its tower base.
#include "brisco/core/assessment.h"

#include "placed_window.h"

#include <array>

class QLabel;
class QPushButton;

namespace common {
class Chart;
}

namespace brisco {

class frmPlot : public PlacedWindow {
    Q_OBJECT
public:
    explicit frmPlot(Assessment& model);

    // Reads and draws the ticked profiles and shows the window.
    std::vector<Message> PlotTerrain();

public slots:
    void cmdPrint_Click();
    void cmdCancel_Click();

private:
    void layOut();
    int panelWidth() const; // of the side panel's labels

    Assessment& model_;

public:
    common::Chart* TChart2;
    std::array<QLabel*, SlotCount> lblTerr, lblHt;
    QPushButton *cmdPrint, *cmdCancel;
};

// The chart's series of a slot (0..3): its profile and its four antennas' markers.
int TerrainSeries(int slot);
int AntennaSeries(int slot, int antenna);

} // namespace brisco
