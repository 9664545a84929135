#include "output_graph_window.h"

#include "common/qt/chart.h"
#include "common/qt/desktop.h"
#include "common/qt/form_support.h"
#include "common/qt/window_placement.h"
#include "common/qt/window_printing.h"
#include "common/text_file.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace brisco {
namespace {

constexpr int StatsSeries = 0;

QLabel* panelLabel(const std::string& name, const QColor& colour = Qt::black, bool bold = false) {
    auto* label = common::Named<QLabel>(name.c_str());
    label->setStyleSheet(
        QString("color: %1;%2").arg(colour.name(), bold ? " font-weight: bold;" : ""));
    label->setWordWrap(true);
    return label;
}

std::string slotName(const char* stem, int slot) { return stem + std::to_string(slot + 1); }

double angleEnd(MaxAngle angle) {
    return angle == MaxAngle::Deg20 ? 20 : angle == MaxAngle::Deg25 ? 25 : 34;
}

} // namespace

QColor SlotColour(int slot) {
    static const QColor colours[SlotCount] = {QColor(0, 0, 255), QColor(255, 0, 0),
                                              QColor(0, 128, 0), QColor(0, 190, 190)};
    return colours[slot];
}

int GainSeries(int slot) { return StatsSeries + 1 + slot; }

void ShowElided(QLabel* label, const std::string& name, int width) {
    const QString whole = QString::fromStdString(name);
    const QString shown = label->fontMetrics().elidedText(whole, Qt::ElideMiddle, width);
    label->setText(shown);
    label->setToolTip(shown == whole ? QString() : whole);
}

frmGraph::frmGraph(Assessment& model)
    : PlacedWindow([&model](const common::Placement& p) { model.rememberGraphPlacement(p); }),
      model_(model), TChart1(new common::Chart("TChart1")),
      frmFrame1(common::Named<QWidget>("frmFrame1")),
      lblFreq(panelLabel("lblFreq", Qt::black, true)),
      txtMaxGain(common::Named<QLineEdit>("txtMaxGain")),
      lblforStatFile(common::Named<QLabel>("lblforStatFile", "Elev. Statistic File:")),
      lblStatFile(panelLabel("lblStatFile", QColor(160, 0, 160), true)),
      cmdOut(common::Named<QPushButton>("cmdOut", "Out File")),
      cmdPrint(common::Named<QPushButton>("cmdPrint", "&Print")),
      cmdClose(common::Named<QPushButton>("cmdClose", "&Close")) {
    setObjectName("frmGraph");
    setWindowTitle("Output Graph, Brisco");
    for (int n = 0; n < SlotCount; ++n) {
        lblTerr[n] = panelLabel(slotName("lblTerr", n), SlotColour(n), true);
        lblTerr[n]->setWordWrap(false); // elided instead
        lblHt[n] = panelLabel(slotName("lblHt", n), SlotColour(n));
        lblAntType[n] = panelLabel(slotName("lblAntType", n), SlotColour(n));
        lblFOM[n] = panelLabel(slotName("lblFOM", n), SlotColour(n), true);
    }
    lblStatFile->setWordWrap(false);
    txtMaxGain->setReadOnly(true);
    txtMaxGain->setFocusPolicy(Qt::NoFocus);
    cmdOut->setToolTip("Open OUT.PRN, the results of every computation since Brisco started");

    TChart1->setTitle("Elevation Response over Terrain");
    TChart1->setLegendVisible(false);
    common::MaskedAxis& bottom = TChart1->axis(common::Axis::Bottom);
    bottom.setTitle("Takeoff Angle, Degrees");
    bottom.setMask("#0");
    common::MaskedAxis& left = TChart1->axis(common::Axis::Left);
    left.setTitle("Gain, dBi");
    left.setMask("#,##0.#");
    // The bars first, so the curves are drawn over them. Thirty-four values over the bars
    // would run into one another; each bar tips its own.
    TChart1->addBars("Elevation statistics", {QColor(255, 0, 255)}, 0.5, {}, common::Axis::Right);
    for (int n = 0; n < SlotCount; ++n)
        TChart1->addLine(QString("Slot %1").arg(n + 1), {SlotColour(n)});
    common::MaskedAxis& right = TChart1->axis(common::Axis::Right);
    right.setTitle("Elevation Statistics, %");
    right.setMask("##0.0");
    right.setVisible(false);

    layOut();
    connect(cmdOut, &QPushButton::clicked, this, &frmGraph::cmdOut_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &frmGraph::cmdPrint_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmGraph::cmdClose_Click);
    clear();
}

void frmGraph::layOut() {
    auto* panel = new QVBoxLayout(frmFrame1);
    panel->setContentsMargins(0, 0, 0, 0);
    panel->addWidget(lblFreq);
    for (int n = 0; n < SlotCount; ++n) {
        panel->addSpacing(6);
        for (QLabel* l : {lblTerr[n], lblHt[n], lblAntType[n], lblFOM[n]}) panel->addWidget(l);
    }
    panel->addSpacing(10);
    panel->addWidget(new QLabel("Max. Gain:"));
    panel->addWidget(txtMaxGain);
    panel->addSpacing(6);
    panel->addWidget(lblforStatFile);
    panel->addWidget(lblStatFile);
    panel->addStretch();
    for (QPushButton* b : {cmdOut, cmdPrint, cmdClose}) panel->addWidget(b);
    frmFrame1->setFixedWidth(frmFrame1->fontMetrics().horizontalAdvance("Fig. of Merit: -99.9 ") +
                             24);
    txtMaxGain->setFixedWidth(txtMaxGain->fontMetrics().horizontalAdvance("-999.9 dBi") + 16);

    auto* page = new QHBoxLayout(this);
    page->addWidget(TChart1, 1);
    page->addWidget(frmFrame1);
    // The chart needs room to be read, whatever placement the defaults file remembers.
    setMinimumSize(780, 520);
    resize(900, 560);
}

void frmGraph::showTexts(const GraphTexts& texts) {
    texts_ = texts;
    common::ShowControlTexts(this, GraphWindowTexts, texts);
    for (const auto& entry : GraphWindowTexts)
        if (auto* label = findChild<QLabel*>(entry.control))
            label->setVisible(!(texts.*entry.text).empty());
    lblforStatFile->setVisible(!texts.lblStatFile.empty());
    for (int n = 0; n < SlotCount; ++n)
        ShowElided(lblTerr[n], texts.*GraphSlots[n].terrain, frmFrame1->width());
    ShowElided(lblStatFile, texts.lblStatFile, frmFrame1->width());
}

void frmGraph::clear() {
    TChart1->clearPoints();
    showTexts({});
}

void frmGraph::showGraph(const OutputGraph& g) {
    TChart1->clearPoints();
    const auto angles = std::span(g.AngleX);
    for (int n = 0; n < SlotCount; ++n)
        if (n == 0 || !(g.texts.*GraphSlots[n].terrain).empty()) {
            TChart1->setSeriesName(GainSeries(n), QString::fromStdString(g.curveNames[n]));
            TChart1->setPoints(GainSeries(n), angles, std::span(g.GraphGain[n]));
        }
    TChart1->axis(common::Axis::Bottom).setRange(0, g.angleMax);
    TChart1->axis(common::Axis::Left).setRange(g.gainMin, g.gainMax);

    common::MaskedAxis& right = TChart1->axis(common::Axis::Right);
    if (!g.statBars.empty()) {
        std::vector<double> x, y;
        double highest = 0;
        for (auto [angle, percent] : g.statBars) {
            x.push_back(angle);
            y.push_back(percent);
            highest = std::max(highest, percent);
        }
        TChart1->setPoints(StatsSeries, x, y);
        right.setRange(0, std::max(5.0, std::ceil(highest * 1.25 / 5) * 5));
    }
    right.setVisible(!g.statBars.empty());
    showTexts(g.texts);

    const common::Placement& placed = model_.graphPlacement();
    if (placed.left > 0) common::ApplyPlacement(this, placed, true);
    show();
    raise();
}

void frmGraph::setMaxAngle(MaxAngle angle) {
    TChart1->axis(common::Axis::Bottom).setRange(0, angleEnd(angle));
}

void frmGraph::cmdOut_Click() {
    common::OpenDocument(this, QString::fromStdString(model_.resultsPath()), true);
}

void frmGraph::cmdPrint_Click() {
    // On paper the curves of slots 2 and 4 are told apart by dots.
    const GraphTexts onScreen = texts_;
    auto dotted = [this](Qt::PenStyle pen, const char* suffix) {
        for (int n : {1, 3}) {
            TChart1->setPenStyle(GainSeries(n), pen);
            if (!(texts_.*GraphSlots[n].height).empty())
                lblHt[n]->setText(QString::fromStdString(texts_.*GraphSlots[n].height) + suffix);
        }
    };
    common::PrintWindow(this, {"Brisco",
                               {cmdOut, cmdPrint, cmdClose},
                               [&] { dotted(Qt::DotLine, " dots"); },
                               [&] {
                                   dotted(Qt::SolidLine, "");
                                   showTexts(onScreen);
                               }});
}

void frmGraph::cmdClose_Click() { closeByButton(); }

} // namespace brisco
