#include "sweep_window.h"

#include "window_parts.h"

#include "common/axis_ticks.h"
#include "common/qt/chart.h"
#include "common/qt/chart_export.h"
#include "common/qt/desktop.h"
#include "common/qt/form_support.h"
#include "common/qt/window_printing.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace kavlo {
namespace {

constexpr int SwrLoadCurve = 0, SwrInputCurve = 1, LossCurve = 2;
// SWR above this runs off the chart: the curves near a match are the ones read.
constexpr double HighestSwrShown = 10;

QLabel* textLabel(const char* name) {
    auto* label = common::Named<QLabel>(name);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

// From `low` to the whole step above the largest value (at most `most`), so no curve runs
// along the chart's edge.
std::pair<double, double> rangeOf(const std::vector<double>& values, double low, double most) {
    double high = low;
    for (double v : values)
        if (std::isfinite(v)) high = std::max(high, std::min(v, most));
    if (!(high > low)) return {low, low + 1};
    const double step = common::NiceInterval(high - low);
    const double room = high + 0.03 * (high - low);
    return {low, low + std::ceil((room - low) / step) * step};
}

} // namespace

frmSweep::frmSweep(const Calculator& calc, QWidget* parent)
    : QWidget(parent, Qt::Window), calc_(calc),
      optTyped(common::Named<QRadioButton>("optTyped", "Typed impedance, from")),
      optFile(common::Named<QRadioButton>("optFile", "Loads from a file")),
      txtFrom(EntryBox("txtFrom", "3.5")), txtTo(EntryBox("txtTo", "4")),
      txtPoints(EntryBox("txtPoints", "51")),
      cmdOpen(common::Named<QPushButton>("cmdOpen", "Open File...")),
      lblSource(textLabel("lblSource")), lblLine(textLabel("lblLine")),
      lblBest(textLabel("lblBest")), lblLoss(textLabel("lblLoss")),
      TChart1(new common::Chart("TChart1")),
      cmdSaveData(common::Named<QPushButton>("cmdSaveData", "Save CSV...")),
      cmdSaveS1p(common::Named<QPushButton>("cmdSaveS1p", "Save S1P...")),
      cmdSaveImage(common::Named<QPushButton>("cmdSaveImage", "Save PNG...")),
      cmdSmith(common::Named<QPushButton>("cmdSmith", "Smith Chart")),
      cmdPrint(common::Named<QPushButton>("cmdPrint", "Print")),
      cmdBack(common::Named<QPushButton>("cmdBack", "Back")) {
    setObjectName("frmSweep");
    setWindowTitle("Kavlo, Band Sweep");
    optTyped->setChecked(true);
    optTyped->setToolTip("Sweep the impedance typed in the main window over the band");
    optFile->setToolTip("Take the load at each frequency from a Touchstone or CSV file");
    cmdOpen->setToolTip("Open a .s1p or .s2p Touchstone file, or a CSV of MHz, R, X");
    txtPoints->setToolTip("The number of frequencies, 2 to 1001");
    cmdSaveData->setToolTip("Save every frequency's figures as comma-separated text");
    cmdSaveS1p->setToolTip("Save what the transmitter sees, the line input, as a Touchstone file");
    cmdSaveImage->setToolTip("Save the chart as a PNG picture");
    cmdSmith->setToolTip("Show the swept load on the Smith chart");
    cmdPrint->setToolTip("Print this window.");
    cmdBack->setToolTip("Close and go back to main window.");

    TChart1->setTitle("SWR and Total Loss");
    TChart1->addLine("SWR at Load", {QColor(255, 0, 0)});
    TChart1->addLine("SWR at Input", {QColor(0, 0, 255)});
    TChart1->addLine("Total Loss (dB)", {QColor(0, 160, 0)}, common::Axis::Right);
    TChart1->axis(common::Axis::Bottom).setTitle("Frequency, MHz");
    TChart1->axis(common::Axis::Left).setTitle("SWR");
    TChart1->axis(common::Axis::Right).setTitle("Total Loss, dB");
    TChart1->setToolTip("Move mouse cursor on curves to see values.");
    layOut();
    showModel();

    for (QLineEdit* box : {txtFrom, txtTo, txtPoints})
        connect(box, &QLineEdit::editingFinished, this, &frmSweep::box_LostFocus);
    connect(txtFrom, &QLineEdit::textChanged, this, [this](const QString& t) {
        if (!writing_) model_.setFrom(s(t));
    });
    connect(txtTo, &QLineEdit::textChanged, this, [this](const QString& t) {
        if (!writing_) model_.setTo(s(t));
    });
    connect(txtPoints, &QLineEdit::textChanged, this, [this](const QString& t) {
        if (!writing_) model_.setPoints(s(t));
    });
    connect(optTyped, &QRadioButton::toggled, this, [this](bool on) {
        if (on && !writing_) optTyped_Click();
    });
    connect(optFile, &QRadioButton::toggled, this, [this](bool on) {
        if (on && !writing_ && !model_.fromFile()) cmdOpen_Click();
    });
    connect(cmdOpen, &QPushButton::clicked, this, &frmSweep::cmdOpen_Click);
    connect(cmdSaveData, &QPushButton::clicked, this, &frmSweep::cmdSaveData_Click);
    connect(cmdSaveS1p, &QPushButton::clicked, this, &frmSweep::cmdSaveS1p_Click);
    connect(cmdSaveImage, &QPushButton::clicked, TChart1, &common::ChartView::saveImage);
    connect(cmdSmith, &QPushButton::clicked, this, &frmSweep::smithRequested);
    connect(cmdPrint, &QPushButton::clicked, this, &frmSweep::cmdPrint_Click);
    connect(cmdBack, &QPushButton::clicked, this, &QWidget::hide);
}

void frmSweep::layOut() {
    auto* loadBox = new QGroupBox("Load");
    auto* loadRow = new QHBoxLayout(loadBox);
    for (QWidget* w :
         std::initializer_list<QWidget*>{optTyped, txtFrom, new QLabel("to"), txtTo,
                                         new QLabel("MHz,"), txtPoints, new QLabel("frequencies")})
        loadRow->addWidget(w);
    loadRow->addSpacing(16);
    loadRow->addWidget(optFile);
    loadRow->addWidget(cmdOpen);
    loadRow->addStretch();
    common::Exclusive(loadBox, {optTyped, optFile});

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {cmdSaveData, cmdSaveS1p, cmdSaveImage, cmdSmith}) buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(cmdPrint);
    buttons->addWidget(cmdBack);
    auto* middle = new QHBoxLayout;
    middle->addWidget(TChart1, 1);
    middle->addLayout(buttons);

    auto* figures = new QHBoxLayout;
    figures->addWidget(lblBest);
    figures->addSpacing(24);
    figures->addWidget(lblLoss);
    figures->addStretch();

    auto* page = new QVBoxLayout(this);
    page->addWidget(loadBox);
    page->addWidget(lblSource);
    page->addWidget(lblLine);
    page->addLayout(middle, 1);
    page->addLayout(figures);
    resize(860, 600);
}

void frmSweep::refresh() { compute(false); }

void frmSweep::centreBand() {
    model_.centreOn(calc_.freq());
    compute(false);
}

void frmSweep::compute(bool showRefusal) {
    const std::vector<Message> messages = model_.compute(calc_);
    showModel();
    emit swept();
    if (showRefusal) ShowMessages(this, messages);
}

void frmSweep::showModel() {
    writing_ = true;
    common::ShowControlTexts(this, SweepBoxTexts, model_.boxes());
    common::ShowControlTexts(this, SweepDisplayTexts, model_.displays());
    (model_.fromFile() ? optFile : optTyped)->setChecked(true);
    writing_ = false;
    for (QLineEdit* box : {txtFrom, txtTo, txtPoints}) box->setEnabled(!model_.fromFile());

    std::vector<double> freq, swrLoad, swrInput, loss;
    for (const SweepPoint& p : model_.points()) {
        freq.push_back(p.freq);
        swrLoad.push_back(p.swrLoad);
        swrInput.push_back(p.swrInput);
        loss.push_back(p.totalLoss);
    }
    TChart1->clearPoints();
    TChart1->setPoints(SwrLoadCurve, freq, swrLoad);
    TChart1->setPoints(SwrInputCurve, freq, swrInput);
    TChart1->setPoints(LossCurve, freq, loss);
    if (!freq.empty()) TChart1->axis(common::Axis::Bottom).setRange(freq.front(), freq.back());
    std::vector<double> swr = swrLoad;
    swr.insert(swr.end(), swrInput.begin(), swrInput.end());
    const auto [swrLow, swrHigh] = rangeOf(swr, 1, HighestSwrShown);
    TChart1->axis(common::Axis::Left).setRange(swrLow, swrHigh);
    const auto [lossLow, lossHigh] = rangeOf(loss, 0, 1e6);
    TChart1->axis(common::Axis::Right).setRange(lossLow, lossHigh);
    for (QPushButton* b : {cmdSaveData, cmdSaveS1p, cmdSaveImage})
        b->setEnabled(!model_.points().empty());
}

void frmSweep::box_LostFocus() { compute(true); }

void frmSweep::optTyped_Click() {
    model_.useTyped();
    compute(true);
}

void frmSweep::cmdOpen_Click() {
    const common::FileChoice choice = common::desktop().openFile(
        this, {"Open Load File",
               {},
               {},
               "Touchstone and CSV files (*.s1p *.s2p *.S1P *.S2P *.csv *.CSV *.txt)|"
               "*.s1p *.s2p *.S1P *.S2P *.csv *.CSV *.txt|All files (*)|*"});
    if (choice.chosen())
        openFile(choice.path);
    else
        compute(false);
}

void frmSweep::openFile(const QString& path) {
    const std::vector<Message> refused = model_.openFile(s(path));
    if (!refused.empty()) {
        compute(false); // back to the load there was
        ShowMessages(this, refused);
        return;
    }
    compute(true);
}

void frmSweep::cmdSaveData_Click() { common::SaveTextAsCsv(this, model_.csv(), "sweep.csv"); }

void frmSweep::cmdSaveS1p_Click() {
    common::SaveTextAs(this, model_.s1p(50), "input.s1p", "Save Line Input As Touchstone",
                       "Touchstone files (*.s1p)|*.s1p|All files (*)|*");
}

void frmSweep::cmdPrint_Click() {
    // On paper the curves are told apart by their pens.
    auto pens = [this](Qt::PenStyle load, Qt::PenStyle loss) {
        TChart1->setPenStyle(SwrLoadCurve, load);
        TChart1->setPenStyle(LossCurve, loss);
    };
    common::PrintWindow(this, {"Kavlo",
                               {cmdSaveData, cmdSaveS1p, cmdSaveImage, cmdSmith, cmdPrint, cmdBack},
                               [pens] { pens(Qt::DotLine, Qt::DashLine); },
                               [pens] { pens(Qt::SolidLine, Qt::SolidLine); }});
}

} // namespace kavlo
