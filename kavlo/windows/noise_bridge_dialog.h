#pragma once
// The noise-bridge converter (frmNB, "Input from Parallel-Form Noise Bridge"): shunt
// resistance and capacitance, less a series extender, become R + jX at the line input.
#include "converter_dialog.h"

class QLineEdit;

namespace kavlo {

class frmNB : public ConverterDialog {
    Q_OBJECT
public:
    explicit frmNB(QWidget* parent = nullptr);

    // Opens the dialog for the main window's frequency, MHz.
    void openAt(double freq);

private:
    void showTexts() override;
    std::optional<ImpedanceEntry> acceptEntry(std::vector<Message>& messages) override;

    NoiseBridgeEntry entry_;

public:
    QLineEdit *txtResist, *txtReact, *txtExtender, *txtCompZ;
};

} // namespace kavlo
