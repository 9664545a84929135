#include "terrain_plot_window.h"

#include "brisco/core/terrain_plot.h"
#include "output_graph_window.h"

#include "common/qt/chart.h"
#include "common/qt/desktop.h"
#include "common/qt/form_support.h"
#include "common/qt/window_placement.h"
#include "common/qt/window_printing.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace brisco {
namespace {

std::string slotName(const char* stem, int slot) { return stem + std::to_string(slot + 1); }

// A range with a little room around the values, so nothing sits on the frame.
std::pair<double, double> padded(double low, double high, double room) {
    double span = high - low;
    if (span <= 0) span = std::max(1.0, std::fabs(high) * 0.1);
    return {low - room * span, high + room * span};
}

} // namespace

// Slot 1's profile is series 0 and its antennas 3..6; slot 2 has 1 and 7..10, slot 3 has
// 2 and 11..14, slot 4 came later: 15 and 16..19.
int TerrainSeries(int slot) { return slot < 3 ? slot : 15; }
int AntennaSeries(int slot, int antenna) { return (slot < 3 ? 3 + 4 * slot : 16) + antenna; }

frmPlot::frmPlot(Assessment& model)
    : PlacedWindow([&model](const common::Placement& p) { model.rememberPlotPlacement(p); }),
      model_(model), TChart2(new common::Chart("TChart2")),
      cmdPrint(common::Named<QPushButton>("cmdPrint", "&Print")),
      cmdCancel(common::Named<QPushButton>("cmdCancel", "Cancel")) {
    setObjectName("frmPlot");
    setWindowTitle("Terrain Plot, Brisco");
    TChart2->setTitle("Terrain Profiles");
    TChart2->setLegendVisible(false);
    TChart2->axis(common::Axis::Left).setMask("#,##0");
    TChart2->axis(common::Axis::Bottom).setMask("#,##0");
    // In the order of the series numbers above.
    for (int series = 0; series < 20; ++series) {
        for (int n = 0; n < SlotCount; ++n) {
            if (series == TerrainSeries(n))
                TChart2->addLine(QString("Slot %1").arg(n + 1), {SlotColour(n)});
            for (int k = 0; k < StackSize; ++k)
                if (series == AntennaSeries(n, k))
                    TChart2->addMarkers(QString("Slot %1 antenna %2").arg(n + 1).arg(k + 1),
                                        {SlotColour(n)});
        }
    }
    for (int n = 0; n < SlotCount; ++n) {
        lblTerr[n] = common::Named<QLabel>(slotName("lblTerr", n).c_str());
        lblHt[n] = common::Named<QLabel>(slotName("lblHt", n).c_str());
        lblTerr[n]->setStyleSheet(
            QString("color: %1; font-weight: bold;").arg(SlotColour(n).name()));
        lblHt[n]->setStyleSheet(QString("color: %1;").arg(SlotColour(n).name()));
    }
    layOut();
    connect(cmdPrint, &QPushButton::clicked, this, &frmPlot::cmdPrint_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmPlot::cmdCancel_Click);
}

void frmPlot::layOut() {
    auto* panelWidget = new QWidget;
    auto* panel = new QVBoxLayout(panelWidget);
    panel->setContentsMargins(0, 0, 0, 0);
    for (int n = 0; n < SlotCount; ++n) {
        panel->addWidget(lblTerr[n]);
        panel->addWidget(lblHt[n]);
        panel->addSpacing(6);
    }
    panel->addStretch();
    panel->addWidget(cmdPrint);
    panel->addWidget(cmdCancel);
    panelWidget->setFixedWidth(panelWidth() + 8);
    auto* page = new QHBoxLayout(this);
    page->addWidget(TChart2, 1);
    page->addWidget(panelWidget);
    setMinimumSize(760, 480); // room for the chart, whatever placement is remembered
    resize(860, 520);
}

int frmPlot::panelWidth() const {
    return lblTerr[0]->fontMetrics().horizontalAdvance("MMMMMMMMMMMM.PRO");
}

std::vector<Message> frmPlot::PlotTerrain() {
    setWindowTitle("Terrain Plot, Brisco");
    TChart2->clearPoints();
    TerrainPlot plot = brisco::PlotTerrain(model_);
    TChart2->axis(common::Axis::Left).setTitle(QString::fromStdString(plot.leftTitle));
    TChart2->axis(common::Axis::Bottom).setTitle(QString::fromStdString(plot.bottomTitle));
    common::ShowControlTexts(this, PlotWindowTexts, plot.texts);
    for (int n = 0; n < SlotCount; ++n) {
        ShowElided(lblTerr[n], plot.texts.*PlotWindowTexts[2 * n].text, panelWidth());
        const QString name = QString::fromStdString(plot.curveNames[n]);
        TChart2->setSeriesName(TerrainSeries(n), name);
        for (int k = 0; k < StackSize; ++k)
            TChart2->setSeriesName(AntennaSeries(n, k),
                                   QString("%1 antenna %2").arg(name).arg(k + 1));
    }

    double xLow = 0, xHigh = 0, yLow = 0, yHigh = 0;
    bool any = false;
    auto include = [&](double x, double y) {
        xLow = any ? std::min(xLow, x) : x;
        xHigh = any ? std::max(xHigh, x) : x;
        yLow = any ? std::min(yLow, y) : y;
        yHigh = any ? std::max(yHigh, y) : y;
        any = true;
    };
    for (int n = 0; n < SlotCount; ++n) {
        const std::optional<PlotCurve>& curve = plot.curves[n];
        if (!curve) continue;
        TChart2->setPoints(TerrainSeries(n), curve->x, curve->y);
        for (size_t i = 0; i < curve->x.size(); ++i) include(curve->x[i], curve->y[i]);
        for (size_t k = 0; k < curve->antennas.size(); ++k) {
            auto [x, y] = curve->antennas[k];
            TChart2->setPoints(AntennaSeries(n, static_cast<int>(k)), std::vector<double>{x},
                               std::vector<double>{y});
            include(x, y);
        }
    }
    if (any) {
        auto [left, right] = padded(xLow, xHigh, 0.02);
        auto [bottom, top] = padded(yLow, yHigh, 0.08);
        TChart2->axis(common::Axis::Bottom).setRange(left, right);
        TChart2->axis(common::Axis::Left).setRange(bottom, top);
    }
    common::ApplyPlacement(this, model_.plotPlacement(), true);
    show();
    raise();
    return plot.messages;
}

void frmPlot::cmdPrint_Click() {
    common::PrintWindow(this, {"Brisco", {cmdPrint, cmdCancel}, {}, {}});
}

void frmPlot::cmdCancel_Click() { closeByButton(); }

} // namespace brisco
