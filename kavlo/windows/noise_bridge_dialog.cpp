#include "noise_bridge_dialog.h"

#include "window_parts.h"

#include "common/qt/form_support.h"

#include <QLineEdit>

namespace kavlo {

frmNB::frmNB(QWidget* parent)
    : ConverterDialog("frmNB", "Input from Parallel-Form Noise Bridge", parent),
      txtResist(EntryBox("txtResist", "50")), txtReact(EntryBox("txtReact", "0")),
      txtExtender(EntryBox("txtExtender", "0")),
      txtCompZ(ResultBox("txtCompZ", "-99999.99 - j 99999.99")) {
    txtResist->setToolTip("Enter Shunt Resistance, in ohms from Noise Bridge");
    txtReact->setToolTip("Enter\"-pF\" (minus) for inductive reactance");
    txtExtender->setToolTip("If you use a series extender resistor, enter its value here");
    AddRow(rows(), "Enter Shunt R part of impedance, ohms:", txtResist);
    AddRow(rows(), "Enter Shunt Capacitive part of impedance, pF:", txtReact);
    AddRow(rows(), "Enter Series Extender Resistor, if used, ohms:", txtExtender);
    AddRow(rows(), "Computed Impedance:", txtCompZ, "ohms");
    showModel();

    const std::pair<QLineEdit*, std::vector<Message> (NoiseBridgeEntry::*)(const std::string&)>
        boxes[] = {
            {txtResist, &NoiseBridgeEntry::setResistance},
            {txtReact, &NoiseBridgeEntry::setCapacitance},
            {txtExtender, &NoiseBridgeEntry::setExtender},
        };
    for (const auto& [box, set] : boxes)
        connect(box, &QLineEdit::textChanged, this, [this, box, set] {
            if (!writing()) settle((entry_.*set)(s(box->text())));
        });
}

void frmNB::openAt(double freq) {
    settle(entry_.setFrequency(freq));
    open();
}

void frmNB::showTexts() { common::ShowControlTexts(this, NoiseBridgeTextTable, entry_.texts()); }

std::optional<ImpedanceEntry> frmNB::acceptEntry(std::vector<Message>& messages) {
    return entry_.accept(messages);
}

} // namespace kavlo
