#include "along_line_graph_window.h"

#include "window_parts.h"

#include "kavlo/core/catalogue.h"

#include "common/qt/chart.h"
#include "common/qt/form_support.h"
#include "common/qt/window_placement.h"
#include "common/qt/window_printing.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QVBoxLayout>

#include <algorithm>

namespace kavlo {
namespace {

// The chart holds both pairs of curves and shows one pair: the voltage or resistance in
// red on the right axis, the current or reactance in lime on the left one.
constexpr int VoltageCurve = 0, CurrentCurve = 1, ResistanceCurve = 2, ReactanceCurve = 3;
const char* const AxisMask = "#,##0.0";

int rightCurveOf(GraphKind kind) {
    return kind == GraphKind::VoltageCurrent ? VoltageCurve : ResistanceCurve;
}

QLineEdit* figureBox(const char* name, const char* longest) {
    QLineEdit* box = ResultBox(name, longest);
    box->setAlignment(Qt::AlignLeft);
    return box;
}

// A box of the side frame: as wide as the frame.
QLineEdit* sideBox(const char* name) {
    QLineEdit* box = figureBox(name, "");
    box->setMinimumWidth(0);
    box->setMaximumWidth(QWIDGETSIZE_MAX);
    return box;
}

const char* LongestCableName() {
    std::string_view longest;
    for (const CableRow& row : Catalogue)
        if (row.listText.size() > longest.size()) longest = row.listText;
    return longest.data();
}

} // namespace

frmVolt::frmVolt(QWidget* parent)
    : QWidget(parent, Qt::Window), TChart1(new common::Chart("TChart1")),
      Frame1(common::Named<QFrame>("Frame1")), Frame2(common::Named<QFrame>("Frame2")),
      lblHint(common::Named<QLabel>("lblHint", "Move mouse cursor on curves to see values.")),
      txtPower(sideBox("txtPower")), txtMaxVolt(sideBox("txtMaxVolt")),
      txtMaxVoltAt(sideBox("txtMaxVoltAt")), txtMaxCurr(sideBox("txtMaxCurr")),
      txtMaxCurrAt(sideBox("txtMaxCurrAt")), txtCable(figureBox("txtCable", LongestCableName())),
      txtFreq(figureBox("txtFreq", "6000.0 MHz")),
      txtTotalLoss(figureBox("txtTotalLoss", "Total Loss: 999.999 dB")),
      txtLoad(figureBox("txtLoad", "Load: 9999.99 - j 9999.99   SWR = 999.99")),
      cmdPrint(common::Named<QPushButton>("cmdPrint", "Print")),
      cmdBack(common::Named<QPushButton>("cmdBack", "Back")),
      cmdSaveData(common::Named<QPushButton>("cmdSaveData", "Save CSV...")),
      cmdSaveImage(common::Named<QPushButton>("cmdSaveImage", "Save PNG...")) {
    setObjectName("frmVolt");
    setWindowTitle("Kavlo, Voltage/Current Graph Along Line");
    cmdPrint->setToolTip("Print this window.");
    cmdBack->setToolTip("Close and go back to main window.");
    cmdSaveData->setToolTip("Save the 201 points of both curves as comma-separated text");
    cmdSaveImage->setToolTip("Save the chart as a PNG picture");
    TChart1->setToolTip("Move mouse cursor on curves to see values.");
    TChart1->setLegendVisible(true);
    for (GraphKind kind : {GraphKind::VoltageCurrent, GraphKind::ResistanceReactance}) {
        AlongLineGraph names;
        names.kind = kind;
        TChart1->addLine(q(names.rightCurve().name), {QColor(255, 0, 0)}, common::Axis::Right);
        TChart1->addLine(q(names.leftCurve().name), {QColor(0, 255, 0)}, common::Axis::Left);
    }
    TChart1->axis(common::Axis::Left).setMask(AxisMask);
    TChart1->axis(common::Axis::Right).setMask(AxisMask);
    layOut();
    resize(common::ToPixels(8484), common::ToPixels(6468));
    connect(cmdPrint, &QPushButton::clicked, this, &frmVolt::cmdPrint_Click);
    connect(cmdBack, &QPushButton::clicked, this, &QWidget::hide);
    connect(cmdSaveData, &QPushButton::clicked, TChart1, &common::ChartView::saveData);
    connect(cmdSaveImage, &QPushButton::clicked, TChart1, &common::ChartView::saveImage);
}

void frmVolt::layOut() {
    // Placed by hand in proportion to the window (resizeEvent), so no layout owns them.
    for (QWidget* w : std::initializer_list<QWidget*>{TChart1, Frame1, Frame2, lblHint})
        w->setParent(this);

    auto* figures = new QVBoxLayout(Frame1);
    figures->setContentsMargins(4, 0, 4, 0);
    figures->addWidget(txtPower);
    figures->addSpacing(6);
    figures->addWidget(new QLabel("Max RMS Volt."));
    figures->addWidget(txtMaxVolt);
    figures->addWidget(txtMaxVoltAt);
    figures->addSpacing(6);
    figures->addWidget(new QLabel("Max RMS Curr."));
    figures->addWidget(txtMaxCurr);
    figures->addWidget(txtMaxCurrAt);
    figures->addStretch();
    for (QPushButton* b : {cmdSaveData, cmdSaveImage, cmdPrint, cmdBack}) figures->addWidget(b);

    auto* line = new QGridLayout(Frame2);
    line->setContentsMargins(0, 0, 0, 0);
    line->addWidget(txtCable, 0, 0);
    line->addWidget(txtFreq, 0, 1);
    line->addWidget(txtTotalLoss, 1, 0);
    line->addWidget(txtLoad, 1, 1);
    line->setColumnStretch(2, 1);

    // Wide enough for the longest cable name beside the frequency below the chart.
    setMinimumSize(std::max(Frame1->sizeHint().width() + 360,
                            Frame2->sizeHint().width() + common::ToPixels(240)),
                   Frame1->sizeHint().height() + 130);
}

void frmVolt::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    using common::ToPixels;
    const int w = width(), h = height();
    TChart1->setGeometry(ToPixels(120), ToPixels(600), static_cast<int>(0.75248 * w),
                         static_cast<int>(0.74397 * h));
    lblHint->setGeometry(ToPixels(120), 0, TChart1->width(), ToPixels(600));
    const int frame1Left = w - ToPixels(1900);
    const int frame2Top = h - ToPixels(960);
    Frame1->setGeometry(frame1Left, ToPixels(624), w - frame1Left - 4,
                        frame2Top - ToPixels(624) - 4);
    Frame2->setGeometry(ToPixels(120), frame2Top, w - ToPixels(240), ToPixels(960) - 4);
}

void frmVolt::showGraph(const AlongLineGraph& graph) {
    graph_ = graph;
    setWindowTitle(q(graph.caption));
    common::ShowControlTexts(this, GraphTextTable, graph.texts);
    TChart1->setTitle(q(graph.title));
    auto& bottom = TChart1->axis(common::Axis::Bottom);
    bottom.setTitle(q(graph.bottomTitle));
    bottom.setRange(0, graph.lengthShown);
    auto& left = TChart1->axis(common::Axis::Left);
    left.setTitle(q(graph.leftTitle));
    left.setRange(graph.leftRange.minimum, graph.leftRange.maximum);
    auto& rightAxis = TChart1->axis(common::Axis::Right);
    rightAxis.setTitle(q(graph.rightTitle));
    rightAxis.setRange(graph.rightRange.minimum, graph.rightRange.maximum);
    const int right = rightCurveOf(graph.kind);
    TChart1->clearPoints();
    TChart1->setPoints(right, graph.shownPosition, *graph.rightCurve().values);
    TChart1->setPoints(right + 1, graph.shownPosition, *graph.leftCurve().values);
    for (int curve : {VoltageCurve, CurrentCurve, ResistanceCurve, ReactanceCurve})
        TChart1->setSeriesVisible(curve, curve == right || curve == right + 1);
}

void frmVolt::cmdPrint_Click() {
    // On paper the red curve is dotted, so the two tell apart without colour.
    const int right = rightCurveOf(graph_.kind);
    auto pens = [this, right](Qt::PenStyle style) { TChart1->setPenStyle(right, style); };
    common::PrintWindow(this, {"Vexlo",
                               {cmdPrint, cmdBack, cmdSaveData, cmdSaveImage},
                               [pens] { pens(Qt::DotLine); },
                               [pens] { pens(Qt::SolidLine); }});
}

} // namespace kavlo
