#include "user_cable_dialog.h"

#include "window_parts.h"

#include "common/qt/form_support.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kavlo {
namespace {

QLineEdit* readOnly(QLineEdit* box) {
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

} // namespace

frmOtrCable::frmOtrCable(QWidget* parent)
    : QDialog(parent), txtR0(EntryBox("txtR0", "")), txtX0(EntryBox("txtX0", "")),
      txtVF(EntryBox("txtVF", "")), txtVMax(EntryBox("txtVMax", "")),
      txtAtten100(EntryBox("txtAtten100", "")), txtOldFreq(readOnly(EntryBox("txtOldFreq", ""))),
      txtNewFreq(readOnly(EntryBox("txtNewFreq", ""))), lblSX0(common::Named<QLabel>("lblSX0")),
      lblAtten(common::Named<QLabel>("lblAtten", "Enter Attenuation, dB/100 Feet: ")),
      cmdCompute(common::Named<QPushButton>("cmdCompute", "Compute X0")),
      cmdOK(common::Named<QPushButton>("cmdOK", "OK")) {
    setObjectName("frmOtrCable");
    setWindowTitle("User-Defined Transmission Line");
    setModal(true);
    const char* const fromFile = "This value is from TL.DEF. Override if you like.";
    txtR0->setToolTip(fromFile);
    txtX0->setToolTip("This value is what is stored in TL.DEF. See suggested value computed "
                      "for X0 below.");
    txtVF->setToolTip(fromFile);
    txtVMax->setToolTip(fromFile);
    txtAtten100->setToolTip(
        "This value is derived from TL.DEF and the frequency chosen. Override if you like.");
    cmdCompute->setToolTip("Compute the X0 of a line with this R0, velocity factor and loss");
    cmdOK->setToolTip("Keep this line in TL.DEF and use it");
    cmdOK->setDefault(true);
    lblSX0->setMinimumWidth(lblSX0->fontMetrics().horizontalAdvance("-9999.999") + 8);

    auto* grid = new QGridLayout;
    AddRow(grid, "Enter R0, resistive part of characteristic Z0:", txtR0, "ohms");
    AddRow(grid, "Enter X0, reactive part of characteristic Z0:", txtX0, "ohms");
    AddRow(grid, "Suggested value for X0:", InRow({lblSX0, cmdCompute}));
    AddRow(grid, "Enter Velocity Factor:", txtVF);
    AddRow(grid, "Enter Maximum Voltage:", txtVMax, "V");
    AddRow(grid, lblAtten, txtAtten100);
    AddRow(grid, "Original Frequency, MHz, from TL.DEF:", txtOldFreq);
    AddRow(grid, "New Frequency, MHz:", txtNewFreq);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    auto* page = new QVBoxLayout(this);
    page->addLayout(grid);
    page->addLayout(buttons);
    page->setSizeConstraint(QLayout::SetFixedSize);

    for (const auto& entry : UserCableTextTable) {
        auto* box = findChild<QLineEdit*>(entry.control);
        if (!box) continue;
        connect(box, &QLineEdit::textChanged, this, [this, field = entry.text](const QString& t) {
            if (!writing_) entry_.texts().*field = s(t);
        });
    }
    connect(cmdCompute, &QPushButton::clicked, this, &frmOtrCable::cmdCompute_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmOtrCable::cmdOK_Click);
}

void frmOtrCable::showModel() {
    writing_ = true;
    common::ShowControlTexts(this, UserCableTextTable, entry_.texts());
    SetTextColour(lblAtten, entry_.frequencyChanged());
    if (!entry_.frequencyChanged()) lblAtten->setPalette(QPalette());
    writing_ = false;
}

void frmOtrCable::cmdCompute_Click() {
    std::vector<Message> messages = entry_.computeX0();
    showModel();
    ShowMessages(this, messages);
}

void frmOtrCable::cmdOK_Click() {
    // A line no cable is stays in the dialog, to be mended.
    if (const std::string fault = UserLineFault(entry_.line()); !fault.empty()) {
        ShowMessages(this, {{fault + ".", ""}});
        return;
    }
    emit stored();
    accept();
}

} // namespace kavlo
