#include "tuner.h"

#include "common/constants.h"
#include "common/number_text.h"

#include <algorithm>
#include <cmath>

namespace kavlo {

using common::Format;
using common::ParseNumber;

namespace {

// Limits of the setup values a design can use; the power box's tool tip says 5 MW.
constexpr double LargestPower = 5e6;
constexpr double MinimumQ = 15;

const char* const NotAvailable = "N/A";

std::string signedJ(double x, std::string_view mask) {
    return (x < 0 ? " - j " : " + j ") + Format(std::fabs(x), mask);
}

// A phase brought into -180 .. 180 degrees.
double wrapped(double degrees) {
    degrees = std::fmod(degrees, 360);
    if (degrees > 180) degrees -= 360;
    if (degrees <= -180) degrees += 360;
    return degrees;
}

std::string voltageText(Phasor v, double phase) {
    return Shown(std::abs(v), "###0.00 V") + " at " + Format(phase, "###0.00 deg.");
}

std::string valueText(const TunerPart& part, NetworkShape shape, double freq) {
    const bool pi = shape == NetworkShape::Pi;
    const double value =
        part.inductor ? InductanceUH(part.reactance, freq) : CapacitancePF(part.reactance, freq);
    // Small parts keep at least three significant figures, enough to build them from the page.
    int decimals = part.inductor ? 2 : 1;
    if (std::isfinite(value) && value != 0)
        decimals =
            std::clamp(2 - static_cast<int>(std::floor(std::log10(std::fabs(value)))), decimals, 9);
    const std::string whole = part.inductor == pi ? "###0." : "##0.";
    return Shown(value, whole + std::string(decimals, '0') + (part.inductor ? " uH" : " pF"));
}

struct RowTexts {
    std::string TunerPage::*label, TunerPage::*value, TunerPage::*q, TunerPage::*reactance,
        TunerPage::*peak, TunerPage::*rms, TunerPage::*dissipation;
};
constexpr RowTexts Rows[3] = {
    {&TunerPage::lblPart1, &TunerPage::txtValue1, &TunerPage::txtQ1, &TunerPage::txtReact1,
     &TunerPage::txtVpk1, &TunerPage::txtIrms1, &TunerPage::txtPdiss1},
    {&TunerPage::lblPart2, &TunerPage::txtValue2, &TunerPage::txtQ2, &TunerPage::txtReact2,
     &TunerPage::txtVpk2, &TunerPage::txtIrms2, &TunerPage::txtPdiss2},
    {&TunerPage::lblPart3, &TunerPage::txtValue3, &TunerPage::txtQ3, &TunerPage::txtReact3,
     &TunerPage::txtVpk3, &TunerPage::txtIrms3, &TunerPage::txtPdiss3},
};

void fillRows(TunerPage& page, const TunerResult& r, double freq) {
    for (size_t row = 0; row < 3; ++row) {
        const RowTexts& t = Rows[row];
        if (row >= r.design.parts.size()) {
            page.*t.label = "";
            for (auto cell : {t.value, t.q, t.reactance, t.peak, t.rms, t.dissipation})
                page.*cell = NotAvailable;
            continue;
        }
        const TunerPart& part = r.design.parts[row];
        const PartOperation& op = r.operation.parts[row];
        page.*t.label = part.label();
        page.*t.value = valueText(part, r.design.shape, freq);
        page.*t.q = Shown(part.q, "######");
        page.*t.reactance = Shown(part.reactance, "######.###");
        page.*t.peak = Shown(std::sqrt(2.0) * std::abs(op.voltage), "####### V");
        page.*t.rms = Shown(std::abs(op.current), "####0.0 A");
        page.*t.dissipation = Shown(op.dissipation, "######0 W");
    }
}

TunerPage pageOf(const TunerResult& r, const TunerLoad& load, const TunerBoxes& boxes,
                 double power) {
    TunerPage page;
    page.lblNetwork = InfoOf(r.design.shape).title;
    const double loadZ = std::hypot(load.loadR, load.loadX);
    page.lblAtLoad =
        "At load: " + Shown(load.loadR, "####.00") + (load.loadX < 0 ? " - j " : "+ j ") +
        Shown(std::fabs(load.loadX), "####.00") + " ohms" + " = " + Shown(loadZ, "###0.0") +
        " ohms, at " +
        Format(common::ToDegrees(common::PhaseAngle(load.loadR, load.loadX)), "####.0") +
        " degrees" + "    Load SWR = " + Shown(load.loadSwr, "##.00");
    page.lblFreq = Format(load.freq, "###0.0# MHz");
    page.lblLength = load.lengthText;
    page.txtCStray = boxes.strayC;
    page.lblBandwidth = CalcPBW(r.design.qeff, load.freq).text;

    const double lost = r.operation.lostFraction;
    const double lostDb = -10 * std::log10(1 - lost);
    page.lblPowerLost = "Estimated power lost in tuner for " + Format(power, "#######") +
                        " W input:   " + Shown(lost * power, "######", LargestPower * 2) + " W (" +
                        Shown(lostDb, "#0.0#") + " dB = " + Shown(100 * lost, "#0.0") + "% lost)";
    page.lblLineLoss =
        "Transmission-line loss = " + Shown(load.lineLoss, "##0.0#") +
        " dB.  Total loss = " + Shown(load.lineLoss + lostDb, "#0.0#") +
        " dB.  Power into load = " + Shown(r.powerToAntenna, "#######.0", LargestPower * 2) + " W";
    page.lblAtPower = "At " + Format(power, "##### W:");

    // The input is the phase reference; the output's phase is the network's shift plus
    // the phase typed on the setup page.
    const double shift = std::arg(r.operation.vout / r.operation.vin) * 180 / common::Pi;
    page.txtVin = voltageText(r.operation.vin, 0);
    page.txtVout = voltageText(r.operation.vout, wrapped(shift + ParseNumber(boxes.phase)));
    fillRows(page, r, load.freq);
    return page;
}

} // namespace

TunerLoad TunerLoadOf(const Calculator& calc) {
    TunerLoad t;
    const LineSolution& s = calc.solution();
    const common::ImpedancePair entered = calc.enteredImpedance();
    t.freq = calc.freq();
    if (calc.end() == KnownEnd::Input) {
        t.r = entered.first;
        t.x = entered.second;
        t.loadR = s.rFar;
        t.loadX = s.xFar;
        t.loadSwr = s.swrFar;
    } else {
        const common::ImpedancePair input = calc.farImpedanceShown();
        t.r = input.first;
        t.x = input.second;
        t.loadR = entered.first;
        t.loadX = entered.second;
        t.loadSwr = s.swrNear;
    }
    t.lineLoss = s.totalLoss;
    t.lengthText = calc.boxes().length + (calc.unitWord() == 'M' ? " meters" : " feet");
    return t;
}

std::string TunerLoadText(const TunerLoad& load) {
    return "Impedance at the line input: " + Shown(load.r, "####0.00") + signedJ(load.x, "##0.00") +
           " ohms at " + Format(load.freq, "###0.0# MHz");
}

void TunerSetup::leavePiCap() {
    if (!(ParseNumber(boxes_.piCap) > 0)) boxes_.piCap = "500";
}

void TunerSetup::leaveTeeCap() {
    if (!(ParseNumber(boxes_.teeCap) > 0)) boxes_.teeCap = "100";
}

std::vector<Message> TunerSetup::leaveCoilQ() {
    if (ParseNumber(boxes_.coilQ) >= MinimumQ) return {};
    boxes_.coilQ = "200";
    return {CoilQTooLow};
}

std::vector<Message> TunerSetup::leaveCapQ() {
    if (ParseNumber(boxes_.capQ) >= MinimumQ) return {};
    boxes_.capQ = "1000";
    return {CapQTooLow};
}

void TunerSetup::choose(TunerChoice choice) {
    choice_ = choice;
    if (choice == TunerChoice::Tee && boxes_.teeCap.empty()) boxes_.teeCap = "100";
}

double TunerSetup::txPower() const { return ParseNumber(boxes_.txPwr); }

TunerOutcome TunerSetup::design(const TunerLoad& load) {
    TunerOutcome out;
    out.messages = leaveCoilQ();
    for (const Message& m : leaveCapQ()) out.messages.push_back(m);
    leavePiCap();
    leaveTeeCap();

    const double power = txPower();
    const double tunerR = ParseNumber(boxes_.tunerR);
    const double stray = ParseNumber(boxes_.strayC);
    auto refuse = [&out](const char* text) {
        out.messages.push_back({text, TunerTitle});
        return out;
    };
    if (!(power >= 0 && power <= LargestPower))
        return refuse("Enter a transmitter power from 0 to 5000000 W.");
    if (!(tunerR > 0) || !std::isfinite(tunerR))
        return refuse("Enter a tuner input resistance of more than 0 ohms.");
    if (!(stray >= 0) || !std::isfinite(stray))
        return refuse("Enter a stray capacitance of 0 pF or more.");

    const TunerRequest request{choice_,
                               load.r,
                               load.x,
                               load.freq,
                               tunerR,
                               ParseNumber(boxes_.coilQ),
                               ParseNumber(boxes_.capQ),
                               stray,
                               ParseNumber(boxes_.piCap),
                               ParseNumber(boxes_.teeCap)};
    common::Result<TunerDesign> designed = DesignTuner(request);
    if (!designed) return refuse(designed.message().c_str());

    TunerResult r;
    r.design = std::move(designed).value();
    r.operation = SolveTuner(r.design, load.r, load.x, load.freq, power);
    r.powerToAntenna = (power - r.operation.powerLost) * std::pow(10.0, -load.lineLoss / 10);
    r.page = pageOf(r, load, boxes_, power);
    out.result = std::move(r);
    return out;
}

} // namespace kavlo
