#include "smith_window.h"

#include "window_parts.h"

#include "common/cli_options.h"

#include "common/qt/chart_export.h"
#include "common/qt/form_support.h"
#include "common/qt/smith_chart.h"
#include "common/qt/window_printing.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kavlo {
namespace {

// The chart's curves, numbered as the model's.
const common::SmithCurveStyle Styles[SmithCurveCount] = {
    {QColor(0, 0, 255), 2, false},  // along the line
    {QColor(0, 150, 0), 2, false},  // through the tuner
    {QColor(200, 0, 200), 1, true}, // swept load
    {QColor(255, 0, 0), 3, true},   // load
};

QLabel* textLabel(const char* name) {
    auto* label = common::Named<QLabel>(name);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

frmSmith::frmSmith(const Calculator& calc, QWidget* parent)
    : QWidget(parent, Qt::Window), calc_(calc), txtRef(EntryBox("txtRef", "50")),
      lblLoad(textLabel("lblLoad")), lblInput(textLabel("lblInput")),
      lblTuner(textLabel("lblTuner")), Smith1(new common::SmithChart("Smith1")),
      cmdSaveData(common::Named<QPushButton>("cmdSaveData", "Save CSV...")),
      cmdSaveImage(common::Named<QPushButton>("cmdSaveImage", "Save PNG...")),
      cmdPrint(common::Named<QPushButton>("cmdPrint", "Print")),
      cmdBack(common::Named<QPushButton>("cmdBack", "Back")) {
    setObjectName("frmSmith");
    setWindowTitle("Kavlo, Smith Chart");
    txtRef->setToolTip("The resistance the chart is normalised to, ohm");
    cmdSaveData->setToolTip("Save every curve's points as comma-separated text");
    cmdSaveImage->setToolTip("Save the chart as a PNG picture");
    cmdPrint->setToolTip("Print this window.");
    cmdBack->setToolTip("Close and go back to main window.");
    Smith1->setToolTip("Move mouse cursor on curves to see values.");
    for (int c = 0; c < SmithCurveCount; ++c)
        Smith1->addCurve(SmithCurveName(static_cast<SmithCurve>(c)), Styles[c]);
    layOut();
    connect(txtRef, &QLineEdit::textChanged, this,
            [this](const QString& t) { model_.setRef(s(t)); });
    connect(txtRef, &QLineEdit::editingFinished, this, &frmSmith::txtRef_LostFocus);
    connect(cmdSaveData, &QPushButton::clicked, this, &frmSmith::cmdSaveData_Click);
    connect(cmdSaveImage, &QPushButton::clicked, this, &frmSmith::cmdSaveImage_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &frmSmith::cmdPrint_Click);
    connect(cmdBack, &QPushButton::clicked, this, &QWidget::hide);
}

void frmSmith::layOut() {
    auto* refRow = new QHBoxLayout;
    refRow->addWidget(new QLabel("Reference resistance:"));
    refRow->addWidget(txtRef);
    refRow->addWidget(new QLabel("ohm"));
    refRow->addStretch();

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {cmdSaveData, cmdSaveImage, cmdPrint}) buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(cmdBack);

    auto* page = new QVBoxLayout(this);
    page->addLayout(refRow);
    page->addWidget(Smith1, 1);
    for (QLabel* label : {lblLoad, lblInput, lblTuner}) page->addWidget(label);
    page->addLayout(buttons);
    resize(600, 760);
}

void frmSmith::showChart(const std::optional<TunerDesign>& tuner,
                         const std::vector<SweepPoint>& sweep) {
    tuner_ = tuner;
    sweep_ = sweep;
    model_.build(calc_, tuner_, sweep_);
    showModel();
}

void frmSmith::showModel() {
    common::ShowControlTexts(this, SmithBoxTexts, model_.boxes());
    common::ShowControlTexts(this, SmithDisplayTexts, model_.displays());
    Smith1->setTitle(q("Normalised to " + common::ShortestText(model_.ref()) + " ohm"));
    for (int c = 0; c < SmithCurveCount; ++c) {
        const SmithCurve which = static_cast<SmithCurve>(c);
        std::vector<common::SmithChartPoint> points;
        const std::vector<SmithPoint>& curve = model_.curve(which);
        for (std::size_t k = 0; k < curve.size(); ++k)
            points.push_back({curve[k].gamma, q(model_.tip(which, k))});
        Smith1->setPoints(c, std::move(points));
    }
    const double radius = model_.swrRadius();
    Smith1->setCircle(radius, q("SWR " + Shown(SwrOf({radius, 0}), "###0.00") + " circle"));
}

void frmSmith::txtRef_LostFocus() {
    ShowMessages(this, model_.leaveRef());
    showChart(tuner_, sweep_);
}

void frmSmith::cmdSaveData_Click() { common::SaveTextAsCsv(this, model_.csv(), "smith.csv"); }

void frmSmith::cmdSaveImage_Click() { common::SaveImageAsPng(this, Smith1->image(), "smith.png"); }

void frmSmith::cmdPrint_Click() {
    common::PrintWindow(this, {"Kavlo", {cmdSaveData, cmdSaveImage, cmdPrint, cmdBack}, {}, {}});
}

} // namespace kavlo
