#include "calculator.h"

#include "common/constants.h"
#include "common/impedance.h"
#include "common/number_text.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace kavlo {

using common::Format;
using common::ParseNumber;

// What an emptied length or impedance box is filled with on leaving it.
constexpr double EmptyBoxValue = 0.00001;

Calculator::Calculator() { DoCompute(); }

LineAtFrequency Calculator::lineAt(double freq) const {
    const bool meters = unitWord_ == 'M';
    LineAtFrequency at;
    at.line = line_;
    DescribeLine(at.line, cable_, freq, user_);
    const LineDescription& line = at.line;
    at.attenText = meters ? Format(line.atten * common::FeetPerMetreLoss, "#0.000")
                          : Format(line.atten, "#0.0##");
    at.fault = cable_ == UserDefinedIndex ? UserLineFault(user_) : std::string();
    if (at.fault.empty() && (!(line.wavelength > 0) || !std::isfinite(line.wavelength)))
        at.fault = "Velocity factor must be more than 0";
    at.lengthFt = ParseNumber(boxes_.length) * (meters ? common::FeetPerMetre : 1);
    const double attenPer100Ft = ParseNumber(at.attenText) / (meters ? common::FeetPerMetre : 1);
    at.matchedLoss = at.lengthFt * attenPer100Ft / 100;
    return at;
}

void Calculator::DoCompute() {
    ++computeCount_;
    Displays& d = displays_;

    freq_ = ParseNumber(boxes_.freq);
    const LineAtFrequency at = lineAt(freq_);
    line_ = at.line;
    d.txtMLPer = at.attenText;
    // A positive reactance (possible only for a line the user describes) reads "+ j".
    d.txtZ0 = Format(line_.r0, "##0.0") + (line_.x0 > 0 ? " + j " + Format(line_.x0, "##0.00")
                                                        : " - j " + Format(-line_.x0, "##0.00"));
    d.txtVF = common::PlainNumber(line_.vf);
    d.txtVoltage = common::PlainNumber(line_.vmax);
    d.warning = cable_ == UserDefinedIndex ? d.warning : std::string();

    if (!at.fault.empty()) {
        d.warning = at.fault;
        // No line, no results: none of the last line's may stay beside this one.
        for (std::string* result :
             {&d.txtMLTot, &d.txtWavelen, &d.txtLoadSWR, &d.txtInputSWR, &d.txtRho, &d.txtAddLoss,
              &d.txtTotalLoss, &d.txtImpedIn, &d.txtPolarZ, &d.txtPolarDegree})
            result->clear();
        return;
    }

    const double lengthFt = at.lengthFt;
    matchedLoss_ = at.matchedLoss;
    d.txtMLTot = Shown(matchedLoss_, "#0.000");
    d.txtWavelen = Shown(lengthFt / line_.wavelength, "0.000");

    double r = ParseNumber(boxes_.resistance), x = ParseNumber(boxes_.reactance);
    solution_ = CalcZ(line_, matchedLoss_, lengthFt, 0, r, x, end_, txPower_);
    const LineSolution& s = solution_;

    double inputSwr = end_ == KnownEnd::Load ? s.swrFar : s.swrNear;
    double loadSwr = end_ == KnownEnd::Load ? s.swrNear : s.swrFar;
    d.txtInputSWR = Shown(inputSwr, "####.00");
    d.txtLoadSWR = Shown(loadSwr, "####.00");
    d.inputSwrRed = inputSwr < 0;
    d.loadSwrRed = loadSwr < 0;
    d.lblRho = end_ == KnownEnd::Load ? "Rho at Load: " : "Rho at Input: ";
    d.txtRho = Shown(s.rhoNear, "0.00000");
    d.txtAddLoss = Shown(std::fabs(s.totalLoss - matchedLoss_), "#0.000");
    d.txtTotalLoss = Shown(s.totalLoss, "#0.000");

    // The window keeps the far impedance in singles.
    float rFar = static_cast<float>(s.rFar), xFar = static_cast<float>(s.xFar);
    const double polarZ =
        std::sqrt(static_cast<double>(rFar) * rFar + static_cast<double>(xFar) * xFar);
    d.txtImpedIn = std::isfinite(polarZ) && polarZ < LargestShown
                       ? Format(rFar, "####0.00") + (xFar < 0 ? " - j " + Format(-xFar, "##0.00")
                                                              : " + j " + Format(xFar, "##0.00"))
                       : Shown(polarZ, {});
    d.impedInRed = rFar < 0;
    d.txtPolarZ = Shown(polarZ, "####0.00");
    d.txtPolarDegree = Shown(common::ToDegrees(common::PhaseAngle(rFar, xFar)), "##0.00");
}

common::ImpedancePair Calculator::farImpedanceShown() const {
    const double z = ParseNumber(displays_.txtPolarZ);
    const double angle = ParseNumber(displays_.txtPolarDegree) * common::PiDegrees / 180;
    return {z * std::cos(angle), z * std::sin(angle)};
}

common::ImpedancePair Calculator::enteredImpedance() const {
    return {ParseNumber(boxes_.resistance), ParseNumber(boxes_.reactance)};
}

std::vector<Message> Calculator::setFrequency(const std::string& text) {
    boxes_.freq = text;
    // ".0" on the way to ".05": wait for more digits before judging the value.
    if (!text.empty() && (text[0] == ',' || text[0] == '.') &&
        common::Val(std::string_view(text).substr(1)) < 2.5)
        return {};
    double v = ParseNumber(text);
    if (text.empty() || v == 0) return {};
    if (cable_ == UserDefinedIndex && v != user_.freq) displays_.warning = ClickAgain;
    if (v > 6000 || v < 0.02) {
        // The box goes back to 3.5 and the results follow it, so the window never
        // shows results for a frequency other than the one in the box.
        boxes_.freq = "3.5";
        DoCompute();
        return {BadFrequency};
    }
    DoCompute();
    return {};
}

std::vector<Message> Calculator::setLength(const std::string& text) {
    boxes_.length = text;
    if (std::any_of(text.begin(), text.end(), [](char c) { return c == 'w' || c == 'W'; })) {
        double wavelengths = ParseNumber(std::string_view(text).substr(0, text.size() - 1));
        double perWavelength =
            (unitWord_ == 'M' ? common::WavelengthMetresMHz : common::WavelengthFeetMHz) *
            line_.vf / freq_;
        return setLength(Format(wavelengths * perWavelength, "###0.000"));
    }
    double v = ParseNumber(text);
    if (v > 9999 || v < 0) {
        std::vector<Message> messages{BadLength};
        setLength("9999");
        return messages;
    }
    DoCompute();
    return {};
}

void Calculator::setResistance(const std::string& text) {
    boxes_.resistance = text;
    DoCompute();
    double v = ParseNumber(text);
    if (v < 0) setResistance(BoxNumber(std::fabs(v)));
}

void Calculator::setReactance(const std::string& text) {
    boxes_.reactance = text;
    DoCompute();
}

std::vector<Message> Calculator::leaveFrequency() {
    // Typing may pass through an empty box or a 0; leaving it so is a bad frequency
    // like any other, not a line of infinite wavelength.
    if (ParseNumber(boxes_.freq) == 0) {
        boxes_.freq = "3.5";
        DoCompute();
        return {BadFrequency};
    }
    return setFrequency(Format(ParseNumber(boxes_.freq), "###0.0##"));
}

void Calculator::leaveLength() {
    if (boxes_.length.empty()) setLength(BoxNumber(EmptyBoxValue));
}

void Calculator::leaveResistance() {
    if (boxes_.resistance.empty()) setResistance(BoxNumber(EmptyBoxValue));
}

void Calculator::leaveReactance() {
    if (boxes_.reactance.empty()) setReactance(BoxNumber(EmptyBoxValue));
}

std::vector<Message> Calculator::setUnit(char unitWord) {
    unitWord = unitWord == 'M' ? 'M' : 'F';
    if (unitWord == unitWord_) return {};
    unitWord_ = unitWord;
    const bool meters = unitWord == 'M';
    displays_.lblUnits = meters ? "Meters" : "Feet";
    displays_.lbldBPer = meters ? "dB/100 Meters" : "dB/100 Feet";
    double length = ParseNumber(boxes_.length);
    length = meters ? length / common::FeetPerMetre : length * common::FeetPerMetre;
    std::vector<Message> messages = setLength(Format(length, "###0.000"));
    DoCompute();
    return messages;
}

void Calculator::setEnd(KnownEnd end) {
    end_ = end;
    displays_.lblInputZ = end == KnownEnd::Load ? "Impedance at Input: " : "Impedance at Load: ";
    DoCompute();
}

void Calculator::setCable(int index) {
    cable_ = index;
    DoCompute();
}

void Calculator::setUserLine(const UserLine& user) {
    user_ = user;
    DoCompute();
}

void Calculator::loadUserCable(UserCableEntry& entry, const UserLine& stored) {
    entry.load(stored, unitWord_, boxes_.freq);
    cable_ = UserDefinedIndex;
    user_ = entry.line();
    displays_.warning = entry.frequencyChanged() ? ClickAgain : "";
    DoCompute();
}

void Calculator::startWithUserCable(UserCableEntry& entry, const UserLine& stored) {
    loadUserCable(entry, stored);
    // At start the line is already described at the box's frequency: nothing to click.
    if (displays_.warning == ClickAgain) displays_.warning.clear();
}

void Calculator::useUserCable(const UserCableEntry& entry) {
    user_ = entry.line();
    DoCompute();
}

TlDefaults Calculator::acceptUserCable(const UserCableEntry& entry,
                                       const std::array<common::Placement, SlotCount>& placements) {
    user_ = entry.stored(ParseNumber(boxes_.freq));
    displays_.warning.clear();
    DoCompute();
    return defaults(placements);
}

void Calculator::applyDefaults(const TlDefaults& d) {
    user_ = d.user;
    boxes_.length = d.lengthFeet;
    boxes_.freq = d.freq;
    boxes_.reactance = d.reactance;
    cable_ = d.cableIndex;
    setUnit(d.unitWord);
    setResistance(d.resistance); // a stored negative resistance goes by the typed rule
}

TlDefaults Calculator::defaults(const std::array<common::Placement, SlotCount>& placements) const {
    TlDefaults d;
    d.unitWord = unitWord_;
    d.user = user_;
    d.placements = placements;
    d.lengthFeet = unitWord_ == 'F'
                       ? boxes_.length
                       : Format(ParseNumber(boxes_.length) * common::FeetPerMetre, "####.000");
    d.cableIndex = cable_;
    d.freq = boxes_.freq;
    d.resistance = boxes_.resistance;
    d.reactance = boxes_.reactance;
    return d;
}

} // namespace kavlo
