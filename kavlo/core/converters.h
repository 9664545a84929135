#pragma once
// The two impedance entry converters without their dialogs: readings of an antenna
// analyser (SWR and impedance magnitude against 50 ohm) or of a parallel-form noise
// bridge, turned into the series R + jX the main window takes at the line input.

#include "common/control_text.h"
#include "common/message.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace kavlo {

using common::Message;

// What OK writes into the main window's resistance and reactance boxes.
struct ImpedanceEntry {
    std::string resistance, reactance;
    bool operator==(const ImpedanceEntry&) const = default;
};

const Message NoMagnitude{"Please enter a real value for the magnitude of the impedance!", ""};
const Message NegativeMagnitude{"Please enter a positive value for the magnitude of the impedance!",
                                ""};
const Message NoSwrMagnitudeImpedance{
    "No impedance has this SWR and magnitude: the SWR must be at least the minimum SWR "
    "for the magnitude.",
    ""};

// frmAutek, "Calculation of Impedance from Autek".
struct SwrMagnitudeTexts {
    std::string txtAutekSWR = "1.0";
    std::string txtAutekZ = "50";
    std::string txtMinSWR, txtCalcZ;
};
inline const std::array<common::ControlText<SwrMagnitudeTexts>, 4> SwrMagnitudeTextTable{{
    {"txtAutekSWR", &SwrMagnitudeTexts::txtAutekSWR},
    {"txtAutekZ", &SwrMagnitudeTexts::txtAutekZ},
    {"txtMinSWR", &SwrMagnitudeTexts::txtMinSWR},
    {"txtCalcZ", &SwrMagnitudeTexts::txtCalcZ},
}};

class SwrMagnitudeEntry {
public:
    SwrMagnitudeEntry() { compute(); }
    const SwrMagnitudeTexts& texts() const { return texts_; }
    std::vector<Message> setSwr(const std::string& text);
    std::vector<Message> setMagnitude(const std::string& text);
    // OptPositive (inductive) or optNegative (capacitive): the instrument cannot tell.
    void setPositive(bool positive) { positive_ = positive; }
    bool positive() const { return positive_; }
    // OK: the impedance to enter, or the message when the readings give none.
    std::optional<ImpedanceEntry> accept(std::vector<Message>& messages) const;
    double r() const { return r_; }
    double x() const { return x_; } // its magnitude

private:
    std::vector<Message> compute();
    SwrMagnitudeTexts texts_;
    bool positive_ = true;
    bool found_ = false;
    float r_ = 0, x_ = 0;
};

const Message ExtenderTooBig{"Extender can't be that large! Computed resistance is negative.",
                             "Extender Too Big!"};

// frmNB, "Input from Parallel-Form Noise Bridge".
struct NoiseBridgeTexts {
    std::string txtResist = "50";
    std::string txtReact = "0";
    std::string txtExtender = "0";
    std::string txtCompZ;
};
inline const std::array<common::ControlText<NoiseBridgeTexts>, 4> NoiseBridgeTextTable{{
    {"txtResist", &NoiseBridgeTexts::txtResist},
    {"txtReact", &NoiseBridgeTexts::txtReact},
    {"txtExtender", &NoiseBridgeTexts::txtExtender},
    {"txtCompZ", &NoiseBridgeTexts::txtCompZ},
}};

class NoiseBridgeEntry {
public:
    NoiseBridgeEntry() { compute(); }
    const NoiseBridgeTexts& texts() const { return texts_; }
    // The main window's frequency, MHz, which the shunt capacitance is read at.
    std::vector<Message> setFrequency(double freq);
    std::vector<Message> setResistance(const std::string& text);
    std::vector<Message> setCapacitance(const std::string& text);
    std::vector<Message> setExtender(const std::string& text);
    // OK: the impedance to enter; a negative resistance is refused with its message.
    std::optional<ImpedanceEntry> accept(std::vector<Message>& messages) const;
    double r() const { return r_; }
    double x() const { return x_; }

private:
    // The extender message comes when the resistance turns negative, not again at each
    // keystroke while it stays so.
    std::vector<Message> compute();
    NoiseBridgeTexts texts_;
    double freq_ = 3.5;
    float r_ = 0, x_ = 0;
};

} // namespace kavlo
