#include "swr_magnitude_dialog.h"

#include "window_parts.h"

#include "common/qt/form_support.h"

#include <QLineEdit>
#include <QRadioButton>

namespace kavlo {

frmAutek::frmAutek(QWidget* parent)
    : ConverterDialog("frmAutek", "Calculation of Impedance from Autek", parent),
      txtAutekSWR(EntryBox("txtAutekSWR", "1.0")), txtAutekZ(EntryBox("txtAutekZ", "50")),
      txtMinSWR(ResultBox("txtMinSWR", "99999.9")),
      txtCalcZ(ResultBox("txtCalcZ", "99999.9 +/- j 99999.9")),
      OptPositive(common::Named<QRadioButton>("OptPositive", "+ (inductive)")),
      optNegative(common::Named<QRadioButton>("optNegative", "- (capacitive)")) {
    txtAutekSWR->setToolTip("Specify SWR from Autek");
    OptPositive->setChecked(true);
    AddRow(rows(), "Enter SWR from Autek:", txtAutekSWR, ": 1");
    AddRow(rows(), "Enter magnitude Z (ohms) from Autek:", txtAutekZ, "ohms");
    AddRow(rows(), "Minimum SWR for Z chosen:", txtMinSWR, ": 1");
    AddRow(rows(), "Choose sign of reactance:", InRow({OptPositive, optNegative}));
    AddRow(rows(), "Calculated Impedance:", txtCalcZ, "ohms");
    Exclusive(this, {OptPositive, optNegative});
    showModel();

    connect(txtAutekSWR, &QLineEdit::textChanged, this, [this](const QString& t) {
        if (!writing()) settle(entry_.setSwr(s(t)));
    });
    connect(txtAutekZ, &QLineEdit::textChanged, this, [this](const QString& t) {
        if (!writing()) settle(entry_.setMagnitude(s(t)));
    });
    connect(OptPositive, &QRadioButton::toggled, this, [this](bool on) { entry_.setPositive(on); });
}

void frmAutek::showTexts() {
    common::ShowControlTexts(this, SwrMagnitudeTextTable, entry_.texts());
}

std::optional<ImpedanceEntry> frmAutek::acceptEntry(std::vector<Message>& messages) {
    return entry_.accept(messages);
}

} // namespace kavlo
