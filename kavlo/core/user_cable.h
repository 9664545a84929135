#pragma once
// The user-defined line's dialog without its window: the boxes filled from TL.DEF with
// the attenuation carried to the working frequency, the suggested X0, and the line the
// boxes describe.
#include "catalogue.h"

#include "common/control_text.h"
#include "common/message.h"

#include <array>
#include <string>
#include <vector>

namespace kavlo {

using common::Message;

struct UserCableTexts {
    std::string txtR0, txtX0, txtVF, txtVMax, txtAtten100, txtOldFreq, txtNewFreq;
    std::string lblSX0;
    std::string lblAtten = "Enter Attenuation, dB/100 Feet: ";
};
inline const std::array<common::ControlText<UserCableTexts>, 9> UserCableTextTable{{
    {"txtR0", &UserCableTexts::txtR0},
    {"txtX0", &UserCableTexts::txtX0},
    {"txtVF", &UserCableTexts::txtVF},
    {"txtVMax", &UserCableTexts::txtVMax},
    {"txtAtten100", &UserCableTexts::txtAtten100},
    {"txtOldFreq", &UserCableTexts::txtOldFreq},
    {"txtNewFreq", &UserCableTexts::txtNewFreq},
    {"lblSX0", &UserCableTexts::lblSX0},
    {"lblAtten", &UserCableTexts::lblAtten},
}};

// What makes a user-defined line one no cable is: R0 not above 0, a velocity factor not
// above 0 or above 1, a negative attenuation. "" for a line that can be.
std::string UserLineFault(const UserLine& line);

const Message CannotComputeX0{"Enter a velocity factor and a new frequency above 0 to compute X0.",
                              ""};

class UserCableEntry {
public:
    // Fills the boxes from the stored line, for the main window's unit word and frequency
    // box: the stored attenuation is carried to the new frequency as the square root of
    // the frequency ratio.
    void load(const UserLine& stored, char unitWord, const std::string& freqText);

    const UserCableTexts& texts() const { return texts_; }
    UserCableTexts& texts() { return texts_; } // the boxes as the user edits them
    // The working frequency is not the one the attenuation was stored at: the caption is
    // drawn red and the main window asks to click again.
    bool frequencyChanged() const { return frequencyChanged_; }

    // "Compute X0": the X0 a line of this R0, VF and attenuation has.
    std::vector<Message> computeX0();

    // The line the boxes describe, for the calculator; its frequency stays the stored one
    // until OK stores the line again.
    UserLine line() const;
    // The line as OK stores it in TL.DEF, at the main window's frequency `freq`.
    UserLine stored(double freq) const;

private:
    UserCableTexts texts_;
    char unitWord_ = 'F';
    double storedFreq_ = 3.5;
    bool frequencyChanged_ = false;
};

} // namespace kavlo
