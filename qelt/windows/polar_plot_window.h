#pragma once
// The two polar-plot windows: frmPolar, the pattern on a linear scale of dB, and
// frmMorwen, the pattern on the logarithmic polar grid. Each has the plot, the pattern's
// texts in a side frame, Close and Print; the chart takes 0.81659 of the window's height
// and 0.74189 of its width, and the side frame stands 1932 twips from the right edge.
#include "qelt/core/analyser.h"

#include "common/placement.h"
#include "common/qt/polar_chart.h"

#include <QWidget>

class QFrame;
class QLabel;
class QPushButton;

namespace qelt {

enum class PolarScale { Linear, Morwen };

class PolarPlotWindow : public QWidget {
    Q_OBJECT
public:
    explicit PolarPlotWindow(PolarScale scale);

    // Moves and sizes the window as the defaults file has it; a size larger than the
    // screen is brought within it.
    void place(const common::Placement& placement);
    // Left;Top:Height,Width in twips, or `fallback` when the window is wider than 95 %
    // of the screen.
    common::Placement placement(const common::Placement& fallback) const;

    // Draws the cuts chosen in the View dialog, with the pattern's texts, and shows the
    // window.
    void plot(const Pattern& pattern, const PatternTexts& texts, const ViewChoices& view);
    // After plot: a second antenna's cuts in blue, each pattern on its own peak, named
    // with its peak gain in the side frame; none takes them away (polar_plot_compare.cpp).
    void plotComparison(const Pattern* other, const std::string& name, const ViewChoices& view);

protected:
    void resizeEvent(QResizeEvent* event) override;

private slots:
    void cmdClose_Click();
    void cmdPrint_Click();

private:
    void drawGrid();

    PolarScale scale_;
    // The cuts by their names: E-plane and H-plane in free space, azimuth and elevation
    // over ground.
    int ePlane_ = 0, hPlane_ = 0, azimuth_ = 0, elevation_ = 0;
    QWidget *cut1_, *cut2_;               // a legend row each
    int compared1_ = -1, compared2_ = -1; // the second antenna's cuts, once compared
    QWidget* comparedRow_ = nullptr;

public:
    common::PolarChart* TChart1;
    QLabel* lblTitle;
    QFrame* frmFrame1;
    QLabel *lblMaxGain, *lblBeamwidth1, *lblBeamwidth2, *lblRatio, *lblHeight, *lblPeakAngle;
    QLabel *lblCut1, *lblCut2;     // the names of the cuts drawn, after their strokes
    QLabel* lblCompared = nullptr; // the second antenna, once compared
    QPushButton *cmdClose, *cmdPrint;
};

} // namespace qelt
