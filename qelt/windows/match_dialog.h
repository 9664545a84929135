#pragma once
// frmMatch, "Matching ": the match frequency, the driven element's tip, the cable's
// impedance, the gamma or hairpin rods, the network chosen, the feed point at the match
// frequency with what the network needs of it, and the design; Adjust driven element
// brings the tip to what the network needs before designing. Every edit goes to the main window's
// model, which designs, accepts or cancels; the dialog shows the model again after each.
#include "qelt/core/analyser.h"

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace qelt {

// What the main window does for the dialog.
struct MatchHandlers {
    std::function<void(MatchBox, const std::string&)> type;
    std::function<void(Network)> choose;
    std::function<void()> compute;
    std::function<void()> adjust; // Adjust driven element, then Compute
    std::function<bool()> accept; // false keeps the dialog open
    std::function<void()> cancel;
};

class frmMatch : public QDialog {
    Q_OBJECT
public:
    frmMatch(QWidget* owner, MatchHandlers handlers);

    // Opens the dialog on the model's match.
    void ask(const Analyser& model);
    // The model's boxes, labels, choice and Accept button on screen.
    void showModel(const Analyser& model);

    // Closing by the frame or Escape is Cancel.
    void reject() override;

private slots:
    void cmdCompute_Click();
    void cmdAdjust_Click();
    void cmdOK_Click();
    void cmdEsc_Click();

private:
    void layOut();

    MatchHandlers handlers_;
    bool showing_ = false;

public:
    QLineEdit *txtFreq, *txtDELength, *txtZ0, *txtDia, *txtSpacing;
    QLabel *lblFreq, *lblMHz, *lblTipDE, *lblDEUnit, *lblOrigLen, *lblZ0, *lblOhms;
    QLabel *lblDia, *lblDiaUnits, *lblSpacing, *lblSpacingUnits, *lblDEZ, *lblLength, *lblReac;
    QLabel *lblNeed, *lblAssumes, *lblAdjusted;
    QRadioButton *optNone, *optGamma, *optHairpin;
    QPushButton *cmdCompute, *cmdAdjust, *cmdOK, *cmdEsc;
};

} // namespace qelt
