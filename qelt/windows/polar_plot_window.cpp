#include "polar_plot_window.h"

#include "legend_stroke.h"
#include "qelt/core/defaults_file.h"

#include "common/number_text.h"
#include "common/qt/desktop.h"
#include "common/qt/form_support.h"
#include "common/qt/qt_text.h"
#include "common/qt/window_placement.h"
#include "common/qt/window_printing.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace qelt {
namespace {

using common::q;

constexpr double ChartHeightShare = 0.81659;
constexpr double ChartWidthShare = 0.74189;
constexpr int SideFrameTwips = 1932;

const QColor CutColour(255, 0, 0);

// The colours of the logarithmic grid's circles, from the peak inwards.
QColor circleColour(double decibels) {
    if (decibels == 0) return QColor(0, 0, 255);
    if (decibels >= -9) return QColor(128, 128, 128);
    if (decibels >= -24) return QColor(0, 160, 0);
    return QColor(200, 160, 0);
}

// A cut's stroke and name, side by side.
QWidget* legendRow(const QColor& colour, Qt::PenStyle pen, QLabel* name) {
    auto* row = new QWidget;
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    line->addWidget(LegendStroke(colour, pen));
    line->addWidget(name, 1);
    return row;
}

QLabel* frameLabel(const char* name, const char* text = "") {
    auto* label = common::Named<QLabel>(name, text);
    label->setWordWrap(true);
    return label;
}

} // namespace

PolarPlotWindow::PolarPlotWindow(PolarScale scale)
    : scale_(scale),
      TChart1(new common::PolarChart("TChart1", this, common::AngleConvention::Counterclockwise)),
      lblTitle(common::Named<QLabel>("lblTitle")), frmFrame1(common::Named<QFrame>("frmFrame1")),
      lblMaxGain(frameLabel("lblMaxGain")), lblBeamwidth1(frameLabel("lblBeamwidth1")),
      lblBeamwidth2(frameLabel("lblBeamwidth2")), lblRatio(frameLabel("lblRatio")),
      lblHeight(frameLabel("lblHeight", "Height: 100 feet")),
      lblPeakAngle(frameLabel("lblPeakAngle", "Peak elev. angle: 16 deg.")),
      lblCut1(common::Named<QLabel>("lblCut1")), lblCut2(common::Named<QLabel>("lblCut2")),
      cmdClose(common::Named<QPushButton>("cmdClose", "&Close")),
      cmdPrint(common::Named<QPushButton>("cmdPrint", "&Print")) {
    const bool morwen = scale == PolarScale::Morwen;
    setObjectName(morwen ? "frmMorwen" : "frmPolar");
    setWindowTitle(morwen ? "Qelt Morwen Polar Plot" : "Qelt Polar Plot");
    setMinimumSize(520, 400);
    lblTitle->setParent(this);
    lblTitle->setAlignment(Qt::AlignCenter);
    lblTitle->setWordWrap(true);
    QFont bold = lblTitle->font();
    bold.setBold(true);
    lblTitle->setFont(bold);
    TChart1->setParent(this);

    frmFrame1->setParent(this);
    frmFrame1->setFrameShape(QFrame::StyledPanel);
    // The frame keeps its narrow width as the window is sized; a slightly smaller face and
    // thin margins keep "Max. Gain: 13.2 dBi" on one line in it.
    QFont small = frmFrame1->font();
    small.setPointSizeF(small.pointSizeF() * 0.88);
    frmFrame1->setFont(small);
    auto* side = new QVBoxLayout(frmFrame1);
    side->setContentsMargins(6, 6, 6, 6);
    cut1_ = legendRow(CutColour, Qt::SolidLine, lblCut1);
    cut2_ = legendRow(CutColour, Qt::DashLine, lblCut2);
    side->addWidget(cut1_);
    side->addWidget(cut2_);
    side->addSpacing(8);
    for (QLabel* l : {lblMaxGain, lblBeamwidth1, lblBeamwidth2, lblRatio, lblHeight, lblPeakAngle})
        side->addWidget(l);
    side->addStretch();
    side->addWidget(cmdPrint);
    side->addWidget(cmdClose);
    cmdClose->setToolTip("Close this window");
    cmdPrint->setToolTip("Print this window");

    common::MaskedAxis& radial = TChart1->axis(common::PolarAxis::Radial);
    if (morwen) {
        // The grid is drawn as circles of its own; the chart's rings would not fit it.
        radial.setRange(0, MorwenRadius(100) * 1.03);
        radial.setLabelsVisible(false);
        radial.setGridLineVisible(false);
        drawGrid();
    } else {
        // Radius 100 is the peak: the rings read in dB below it.
        radial.setRange(0, 105);
        radial.setInterval(20);
        radial.setMask("##0");
        radial.setLabelValue([](double radius) { return radius - 100; });
    }
    ePlane_ = TChart1->addLine("E-Plane", {CutColour, 2});
    hPlane_ = TChart1->addLine("H-Plane", {CutColour, 2, Qt::DashLine});
    azimuth_ = TChart1->addLine("Azimuth", {CutColour, 2});
    elevation_ = TChart1->addLine("Elevation", {CutColour, 2, Qt::DashLine});
    TChart1->setLegendVisible(false); // the side frame names the cuts
    TChart1->setTipText([this](const common::ChartTip& tip) {
        const double level = scale_ == PolarScale::Morwen
                                 ? -2 * std::log(tip.y) / std::log(0.89) - 100
                                 : tip.y - 100;
        return tip.series + "\n" + q(common::Format(tip.x, "##0 Deg.")) + "\n" +
               q(common::Format(level, "##0.0 dB"));
    });

    connect(cmdClose, &QPushButton::clicked, this, &PolarPlotWindow::cmdClose_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &PolarPlotWindow::cmdPrint_Click);
    place(QeltDefaults().polar);
}

void PolarPlotWindow::place(const common::Placement& placement) {
    common::ApplyPlacement(this, placement, true);
    const QSize screen = common::desktop().screenSize();
    resize(std::min(width(), screen.width()), std::min(height(), screen.height()));
}

common::Placement PolarPlotWindow::placement(const common::Placement& fallback) const {
    if (width() > 0.95 * common::desktop().screenSize().width()) return fallback;
    return {common::LeftTwips(this), common::TopTwips(this), common::ToTwips(height()),
            common::ToTwips(width())};
}

void PolarPlotWindow::plot(const Pattern& pattern, const PatternTexts& texts,
                           const ViewChoices& view) {
    const PolarCuts cuts =
        scale_ == PolarScale::Morwen ? MakeMorwenPolar(pattern) : MakeLinearPolar(pattern);
    const bool ground = pattern.overGround;
    const std::pair<int, const Curve*> shown[] = {
        {ground ? azimuth_ : ePlane_, view.azimuth ? &cuts.elementPlane : nullptr},
        {ground ? elevation_ : hPlane_, view.elevation ? &cuts.normalPlane : nullptr},
    };
    for (int series : {ePlane_, hPlane_, azimuth_, elevation_}) {
        TChart1->clearPoints(series);
        TChart1->setSeriesVisible(series, false);
    }
    for (const auto& [series, cut] : shown)
        if (cut) {
            TChart1->setPoints(series, cut->x, cut->y);
            TChart1->setSeriesVisible(series, true);
        }
    const ViewCaptions names = CaptionsFor(!ground);
    lblCut1->setText(QString::fromStdString(names.chkAz));
    lblCut2->setText(QString::fromStdString(names.chkElev));
    cut1_->setVisible(view.azimuth);
    cut2_->setVisible(view.elevation);
    common::ShowControlTexts(this, PatternTextTable, texts);
    lblPeakAngle->setVisible(!texts.peakAngle.empty());
    if (isVisible())
        raise(); // a plot drawn again comes to the front
    else
        QWidget::show();
}

void PolarPlotWindow::drawGrid() {
    for (const GridCircle& g : MorwenGrid()) {
        const int circle = TChart1->addLine(q(common::Format(g.decibels, "##0 dB")),
                                            {circleColour(g.decibels), 1, Qt::SolidLine, false});
        TChart1->setPoints(circle, g.circle.x, g.circle.y);
    }
    // The scale's texts just above where the circles 3 to 12 dB down cross the bottom.
    for (double decibels : {-3.0, -6.0, -9.0, -12.0})
        TChart1->addText(q(common::Format(decibels, "##0")), {270, MorwenRadius(100 + decibels)},
                         Qt::AlignBottom | Qt::AlignLeft);
}

void PolarPlotWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int chartWidth = static_cast<int>(ChartWidthShare * width());
    const int chartHeight = static_cast<int>(ChartHeightShare * height());
    TChart1->setGeometry(0, 0, chartWidth, chartHeight);
    lblTitle->setGeometry(0, chartHeight, chartWidth, height() - chartHeight);
    const int frameLeft = width() - common::ToPixels(SideFrameTwips);
    frmFrame1->setGeometry(frameLeft, 0, width() - frameLeft, height());
}

void PolarPlotWindow::cmdClose_Click() { hide(); }

void PolarPlotWindow::cmdPrint_Click() {
    common::PrintWindow(this, {"Qelt", {cmdClose, cmdPrint}, {}, {}});
}

} // namespace qelt
