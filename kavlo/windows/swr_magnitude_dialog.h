#pragma once
// The SWR and magnitude converter (frmAutek, "Calculation of Impedance from Autek"): SWR and
// impedance magnitude read on an antenna analyser become R + jX at the line input.
#include "converter_dialog.h"

class QLineEdit;
class QRadioButton;

namespace kavlo {

class frmAutek : public ConverterDialog {
    Q_OBJECT
public:
    explicit frmAutek(QWidget* parent = nullptr);

private:
    void showTexts() override;
    std::optional<ImpedanceEntry> acceptEntry(std::vector<Message>& messages) override;

    SwrMagnitudeEntry entry_;

public:
    QLineEdit *txtAutekSWR, *txtAutekZ, *txtMinSWR, *txtCalcZ;
    QRadioButton *OptPositive, *optNegative;
};

} // namespace kavlo
