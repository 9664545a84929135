#include "user_cable.h"

#include "number_texts.h"

#include "common/constants.h"
#include "common/number_text.h"

#include <cmath>

namespace kavlo {

using common::Format;
using common::ParseNumber;

std::string UserLineFault(const UserLine& line) {
    if (!(line.r0 > 0) || !std::isfinite(line.r0)) return "R0 must be more than 0";
    if (!(line.vf > 0)) return "Velocity factor must be more than 0";
    if (!(line.vf <= 1)) return "Velocity factor must be 1 or less";
    if (!(line.atten >= 0) || !std::isfinite(line.atten)) return "Attenuation must not be negative";
    return {};
}

void UserCableEntry::load(const UserLine& stored, char unitWord, const std::string& freqText) {
    unitWord_ = unitWord;
    storedFreq_ = stored.freq;
    const bool meters = unitWord == 'M';
    const double newFreq = ParseNumber(freqText);
    const double atten = stored.atten * std::sqrt(newFreq / stored.freq);
    texts_.txtR0 = Format(stored.r0, "###0.000");
    texts_.txtX0 = BoxNumber(stored.x0);
    texts_.txtVF = Format(stored.vf, "0.000");
    texts_.txtVMax = BoxNumber(stored.vmax);
    texts_.txtAtten100 = Format(meters ? atten * common::FeetPerMetre : atten, "#0.000");
    texts_.txtOldFreq = Format(stored.freq, "####.000");
    texts_.txtNewFreq = freqText;
    texts_.lblSX0.clear();
    texts_.lblAtten =
        meters ? "Enter Attenuation, dB/100 Meters: " : "Enter Attenuation, dB/100 Feet: ";
    frequencyChanged_ = newFreq != stored.freq;
}

std::vector<Message> UserCableEntry::computeX0() {
    const double vf = ParseNumber(texts_.txtVF);
    const double freq = ParseNumber(texts_.txtNewFreq);
    if (!(vf > 0) || !(freq > 0)) return {CannotComputeX0};
    const double wavelength = common::WavelengthFeetMHzX0 * vf / freq;
    double atten = ParseNumber(texts_.txtAtten100);
    if (unitWord_ == 'M') atten /= common::FeetPerMetre;
    const double alpha = common::NepersPerDecibel * atten / 100;
    const double beta = common::TwoPiLine / wavelength;
    const double x0 = -ParseNumber(texts_.txtR0) * alpha / beta;
    texts_.lblSX0 = Shown(x0, "#0.000");
    texts_.txtX0 = texts_.lblSX0;
    return {};
}

UserLine UserCableEntry::line() const {
    UserLine l;
    l.r0 = static_cast<float>(ParseNumber(texts_.txtR0));
    l.x0 = static_cast<float>(ParseNumber(texts_.txtX0));
    const double atten = ParseNumber(texts_.txtAtten100);
    l.atten = static_cast<float>(unitWord_ == 'M' ? atten / common::FeetPerMetre : atten);
    l.vf = static_cast<float>(ParseNumber(texts_.txtVF));
    l.vmax = static_cast<float>(common::Val(texts_.txtVMax));
    l.freq = storedFreq_;
    return l;
}

UserLine UserCableEntry::stored(double freq) const {
    UserLine l = line();
    const double atten = ParseNumber(texts_.txtAtten100);
    l.atten = static_cast<float>(unitWord_ == 'M' ? atten / common::FeetPerMetreLoss : atten);
    l.vmax = static_cast<float>(ParseNumber(texts_.txtVMax));
    l.freq = freq;
    return l;
}

} // namespace kavlo
