#pragma once
// The tuner pages without their windows: the setup page's boxes and the rules that
// correct them, the design from the calculator's current line, and every text of the
// result page. The windows and kavlo-cli both drive this one model.
#include "calculator.h"
#include "tuner_circuit.h"
#include "tuner_networks.h"

#include "common/control_text.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace kavlo {

const Message CoilQTooLow{"Minimum coil Q is 15 -- Changing back to default 200.", "Kavlo, Tuner"};
const Message CapQTooLow{"Minimum capacitor Q is 15 -- Changing back to default 1000.",
                         "Kavlo, Tuner"};
inline constexpr const char* TunerTitle = "Kavlo, Tuner";

// What the calculator hands the tuner: the impedance at the line input the network
// must match, and what the result page says about the line and its load.
struct TunerLoad {
    double r = 50, x = 0;                      // at the line input, ohm
    double freq = 3.5;                         // MHz
    double loadR = 50, loadX = 0, loadSwr = 1; // at the load end of the line
    double lineLoss = 0;                       // total line loss, dB
    std::string lengthText = "100.000 feet";
};
TunerLoad TunerLoadOf(const Calculator& calc);

// The setup page's boxes (frmTuner).
struct TunerBoxes {
    std::string coilQ = "200";
    std::string capQ = "1000";
    std::string phase = "0";
    std::string strayC = "10";
    std::string txPwr = "1500";
    std::string tunerR = "50";
    std::string piCap = "500";
    std::string teeCap = "100";
};
inline const std::array<common::ControlText<TunerBoxes>, 8> TunerBoxTexts{{
    {"txtCoilQ", &TunerBoxes::coilQ},
    {"txtCapQ", &TunerBoxes::capQ},
    {"txtPhase", &TunerBoxes::phase},
    {"txtStrayC", &TunerBoxes::strayC},
    {"txtTxPwr", &TunerBoxes::txPwr},
    {"txtTunerR", &TunerBoxes::tunerR},
    {"txtPiCap", &TunerBoxes::piCap},
    {"txtTeeCap", &TunerBoxes::teeCap},
}};

// Every text of a result page (frmTuner1 for the L-networks and the pi, frmTuner2 for the
// tee). The component table has a row per part, source side first: its label, value,
// unloaded Q, reactance, peak voltage, RMS current and dissipation.
struct TunerPage {
    std::string lblNetwork, lblAtLoad, lblFreq, lblLength, txtCStray;
    std::string lblBandwidth, lblPowerLost, lblLineLoss, lblAtPower, txtVin, txtVout;
    std::string lblPart1, txtValue1, txtQ1, txtReact1, txtVpk1, txtIrms1, txtPdiss1;
    std::string lblPart2, txtValue2, txtQ2, txtReact2, txtVpk2, txtIrms2, txtPdiss2;
    std::string lblPart3, txtValue3, txtQ3, txtReact3, txtVpk3, txtIrms3, txtPdiss3;
};
inline const std::array<common::ControlText<TunerPage>, 32> TunerPageTexts{{
    {"lblNetwork", &TunerPage::lblNetwork},
    {"lblAtLoad", &TunerPage::lblAtLoad},
    {"lblFreq", &TunerPage::lblFreq},
    {"lblLength", &TunerPage::lblLength},
    {"txtCStray", &TunerPage::txtCStray},
    {"lblBandwidth", &TunerPage::lblBandwidth},
    {"lblPowerLost", &TunerPage::lblPowerLost},
    {"lblLineLoss", &TunerPage::lblLineLoss},
    {"lblAtPower", &TunerPage::lblAtPower},
    {"txtVin", &TunerPage::txtVin},
    {"txtVout", &TunerPage::txtVout},
    {"lblPart1", &TunerPage::lblPart1},
    {"txtValue1", &TunerPage::txtValue1},
    {"txtQ1", &TunerPage::txtQ1},
    {"txtReact1", &TunerPage::txtReact1},
    {"txtVpk1", &TunerPage::txtVpk1},
    {"txtIrms1", &TunerPage::txtIrms1},
    {"txtPdiss1", &TunerPage::txtPdiss1},
    {"lblPart2", &TunerPage::lblPart2},
    {"txtValue2", &TunerPage::txtValue2},
    {"txtQ2", &TunerPage::txtQ2},
    {"txtReact2", &TunerPage::txtReact2},
    {"txtVpk2", &TunerPage::txtVpk2},
    {"txtIrms2", &TunerPage::txtIrms2},
    {"txtPdiss2", &TunerPage::txtPdiss2},
    {"lblPart3", &TunerPage::lblPart3},
    {"txtValue3", &TunerPage::txtValue3},
    {"txtQ3", &TunerPage::txtQ3},
    {"txtReact3", &TunerPage::txtReact3},
    {"txtVpk3", &TunerPage::txtVpk3},
    {"txtIrms3", &TunerPage::txtIrms3},
    {"txtPdiss3", &TunerPage::txtPdiss3},
}};

struct TunerResult {
    TunerDesign design;
    TunerOperation operation;  // at the transmitter power
    double powerToAntenna = 0; // watts reaching the load at the far end of the line
    TunerPage page;
};

// What pressing the design button gives: the messages to show first, then a result
// page, or none when the network was refused (its message is among the messages).
struct TunerOutcome {
    std::vector<Message> messages;
    std::optional<TunerResult> result;
};

class TunerSetup {
public:
    const TunerBoxes& boxes() const { return boxes_; }
    TunerChoice choice() const { return choice_; }
    bool piCapShown() const { return choice_ == TunerChoice::Pi; }
    bool teeCapShown() const { return choice_ == TunerChoice::Tee; }

    // Edits of the boxes as the user types them.
    void setCoilQ(const std::string& text) { boxes_.coilQ = text; }
    void setCapQ(const std::string& text) { boxes_.capQ = text; }
    void setPhase(const std::string& text) { boxes_.phase = text; }
    void setStrayC(const std::string& text) { boxes_.strayC = text; }
    void setTxPwr(const std::string& text) { boxes_.txPwr = text; }
    void setTunerR(const std::string& text) { boxes_.tunerR = text; }
    void setPiCap(const std::string& text) { boxes_.piCap = text; }
    void setTeeCap(const std::string& text) { boxes_.teeCap = text; }
    // Leaving an output capacitor box: a value that is not above 0 goes back to the
    // default. Judged on leaving, not at each key, so a box can be cleared and retyped.
    void leavePiCap();
    void leaveTeeCap();

    // Leaving the Q boxes: a Q below 15 goes back to its default, with the message.
    std::vector<Message> leaveCoilQ();
    std::vector<Message> leaveCapQ();

    void choose(TunerChoice choice);

    // The transmitter power the along-line graph uses, watts.
    double txPower() const;

    // Designs the chosen network for the calculator's line and solves it.
    TunerOutcome design(const TunerLoad& load);

private:
    TunerBoxes boxes_;
    TunerChoice choice_ = TunerChoice::LowPassL;
};

// The tuner's load as the setup page shows it.
std::string TunerLoadText(const TunerLoad& load);

} // namespace kavlo
