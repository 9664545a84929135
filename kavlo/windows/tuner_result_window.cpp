#include "tuner_result_window.h"

#include "window_parts.h"

#include "common/qt/form_support.h"
#include "common/qt/window_printing.h"
#include "common/text_file.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace kavlo {
namespace {

// The component table: its columns, each with a heading and the longest text its
// mask gives.
struct Column {
    const char* prefix;
    const char* heading;
    const char* longest;
};
constexpr Column Columns[] = {
    {"txtValue", "Value", "99999.9 pF"},      {"txtQ", "Unloaded Q", "999999"},
    {"txtReact", "Reactance", "-999999.999"}, {"txtVpk", "Peak Voltage", "9999999 V"},
    {"txtIrms", "RMS Current", "99999.9 A"},  {"txtPdiss", "Est. Pwr Diss.", "9999999 W"},
};

QLabel* wideLabel(const char* name) {
    auto* label = common::Named<QLabel>(name);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

TunerResultWindow::TunerResultWindow(const char* formName, QWidget* parent)
    : QWidget(parent, Qt::Window), lblNetwork(common::Named<QLabel>("lblNetwork")),
      picNetwork(common::Named<QLabel>("picNetwork")), lblAtLoad(wideLabel("lblAtLoad")),
      lblFreq(common::Named<QLabel>("lblFreq")), lblLength(common::Named<QLabel>("lblLength")),
      txtCStray(ResultBox("txtCStray", "99999.99")), lblBandwidth(wideLabel("lblBandwidth")),
      lblPowerLost(wideLabel("lblPowerLost")), lblLineLoss(wideLabel("lblLineLoss")),
      lblAtPower(common::Named<QLabel>("lblAtPower")),
      txtVin(ResultBox("txtVin", "99999.99 V at -180.00 deg.")),
      txtVout(ResultBox("txtVout", "99999.99 V at -180.00 deg.")),
      cmdBack(common::Named<QPushButton>("cmdBack", "Back")),
      cmdContinue(common::Named<QPushButton>("cmdContinue", "Continue")),
      cmdPrint(common::Named<QPushButton>("cmdPrint", "Print")) {
    setObjectName(formName);
    setWindowTitle("Kavlo, Tuner");
    cmdBack->setToolTip("Go back to the tuner selection page");
    cmdContinue->setToolTip("Graph voltage/current or resistance/reactance along the line");
    cmdPrint->setToolTip("Print this page");
    layOut();
    connect(cmdBack, &QPushButton::clicked, this, [this] {
        hide();
        emit back();
    });
    connect(cmdContinue, &QPushButton::clicked, this, &TunerResultWindow::continueToGraph);
    connect(cmdPrint, &QPushButton::clicked, this, &TunerResultWindow::cmdPrint_Click);
}

void TunerResultWindow::layOut() {
    MakeHeading(lblNetwork, 1.3);
    picNetwork->setAlignment(Qt::AlignCenter);
    picNetwork->setMinimumSize(420, 170);

    auto* line = new QGridLayout;
    AddRow(line, "Frequency:", lblFreq);
    AddRow(line, "Line length:", lblLength);
    AddRow(line, "Output stray capacitance:", txtCStray, "pF");
    line->setRowStretch(line->rowCount(), 1);
    auto* top = new QHBoxLayout;
    top->addWidget(picNetwork);
    top->addLayout(line, 1);

    auto* table = new QGridLayout;
    table->setHorizontalSpacing(10);
    table->addWidget(lblAtPower, 0, 0);
    for (int c = 0; c < static_cast<int>(std::size(Columns)); ++c) {
        auto* heading = new QLabel(Columns[c].heading);
        heading->setAlignment(Qt::AlignRight | Qt::AlignBottom);
        table->addWidget(heading, 0, c + 1);
    }
    for (int row = 1; row <= 3; ++row) {
        auto* part = new QLabel;
        part->setObjectName(QString("lblPart%1").arg(row));
        MakeHeading(part, 1.0);
        table->addWidget(part, row, 0);
        for (int c = 0; c < static_cast<int>(std::size(Columns)); ++c) {
            QLineEdit* cell = ResultBox("", Columns[c].longest);
            cell->setObjectName(QString("%1%2").arg(Columns[c].prefix).arg(row));
            table->addWidget(cell, row, c + 1);
        }
    }

    auto* voltages = new QGridLayout;
    AddRow(voltages, "RMS Vin:", txtVin);
    AddRow(voltages, "RMS Vout:", txtVout);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdBack);
    buttons->addStretch();
    buttons->addWidget(cmdPrint);
    buttons->addWidget(cmdContinue);

    auto* page = new QVBoxLayout(this);
    page->addWidget(lblNetwork);
    page->addLayout(top);
    page->addWidget(lblAtLoad);
    page->addWidget(lblBandwidth);
    page->addLayout(table);
    page->addLayout(voltages);
    page->addWidget(lblPowerLost);
    page->addWidget(lblLineLoss);
    page->addLayout(buttons);
    page->setSizeConstraint(QLayout::SetFixedSize);
}

void TunerResultWindow::showSchematic(NetworkShape shape) {
    const ShapeInfo& info = InfoOf(shape);
    QPixmap picture(q(common::InFolder(common::ProgramFolder(), info.schematic)));
    if (picture.isNull()) {
        picNetwork->setPixmap({});
        picNetwork->setFrameStyle(QFrame::Box | QFrame::Plain);
        picNetwork->setText(info.title);
    } else {
        picNetwork->setFrameStyle(QFrame::NoFrame);
        picNetwork->setPixmap(picture);
    }
}

void TunerResultWindow::showResult(const TunerResult& result) {
    common::ShowControlTexts(this, TunerPageTexts, result.page);
    lblNetwork->setPalette(QPalette());
    showSchematic(result.design.shape);
}

void TunerResultWindow::showRefusal(const std::string& why) {
    TunerPage blank;
    blank.lblNetwork = why;
    common::ShowControlTexts(this, TunerPageTexts, blank);
    SetTextColour(lblNetwork, true);
    // No network, no schematic: the last design's must not stand beside the refusal.
    picNetwork->setPixmap({});
    picNetwork->setText({});
    picNetwork->setFrameStyle(QFrame::NoFrame);
}

void TunerResultWindow::cmdPrint_Click() {
    common::PrintWindow(this, {"Kavlo, Tuner", {cmdBack, cmdContinue, cmdPrint}, {}, {}});
}

} // namespace kavlo
