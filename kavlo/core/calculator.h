#pragma once
// The calculator window's behaviour without the window: the box texts, the rules
// that accept, rewrite or refuse each edit, and the recomputation that fills every
// result box. The window and kavlo-cli both drive this one model.
#include "catalogue.h"
#include "defaults_file.h"
#include "line_solution.h"
#include "number_texts.h"
#include "user_cable.h"

#include "common/control_text.h"
#include "common/impedance.h"
#include "common/message.h"

#include <string>
#include <vector>

namespace kavlo {

using common::Message;

const Message BadFrequency{"Enter frequency more than 20 kHz, less than 6000 MHz",
                           "Bad Frequency!"};
const Message BadLength{"Length should be < 9999", "Bad Length!"};
// LblWarning when the user-defined line's attenuation is of another frequency.
inline constexpr const char* ClickAgain = "<--Click again";

// The texts the user types.
struct Boxes {
    std::string freq = "3.5";
    std::string length = "100.000";
    std::string resistance = "50";
    std::string reactance = "0";
};

// Everything the window shows as a result.
struct Displays {
    std::string txtZ0 = "50 - j 0.60";
    std::string txtMLPer, txtVF, txtVoltage, txtMLTot, txtWavelen;
    std::string txtLoadSWR, txtInputSWR, txtRho, txtAddLoss, txtTotalLoss;
    std::string txtImpedIn, txtPolarZ, txtPolarDegree;
    std::string lblInputZ = "Impedance at Input: ";
    std::string lblRho = "Rho at Load: ";
    std::string lblUnits = "Feet";
    std::string lbldBPer = "dB/100 Feet";
    std::string warning; // LblWarning; empty when hidden
    bool loadSwrRed = false, inputSwrRed = false, impedInRed = false;
};

// The boxes and displays by control name, for the window and kavlo-cli alike.
inline const std::array<common::ControlText<Boxes>, 4> BoxTexts{{
    {"txtFreq", &Boxes::freq},
    {"txtLength", &Boxes::length},
    {"txtResistance", &Boxes::resistance},
    {"txtReactance", &Boxes::reactance},
}};
inline const std::array<common::ControlText<Displays>, 19> DisplayTexts{{
    {"txtZ0", &Displays::txtZ0},           {"txtMLPer", &Displays::txtMLPer},
    {"lbldBPer", &Displays::lbldBPer},     {"txtVF", &Displays::txtVF},
    {"txtVoltage", &Displays::txtVoltage}, {"txtMLTot", &Displays::txtMLTot},
    {"txtAddLoss", &Displays::txtAddLoss}, {"txtTotalLoss", &Displays::txtTotalLoss},
    {"txtLoadSWR", &Displays::txtLoadSWR}, {"txtInputSWR", &Displays::txtInputSWR},
    {"lblRho", &Displays::lblRho},         {"txtRho", &Displays::txtRho},
    {"lblInputZ", &Displays::lblInputZ},   {"txtImpedIn", &Displays::txtImpedIn},
    {"txtPolarZ", &Displays::txtPolarZ},   {"txtPolarDegree", &Displays::txtPolarDegree},
    {"txtWavelen", &Displays::txtWavelen}, {"lblUnits", &Displays::lblUnits},
    {"LblWarning", &Displays::warning},
}};

// The line at one frequency as the calculator computes with it.
struct LineAtFrequency {
    LineDescription line;
    std::string attenText;  // the attenuation as txtMLPer shows it, which the loss is worked from
    double lengthFt = 0;    // the length box's line
    double matchedLoss = 0; // dB
    std::string fault;      // why there is no line to compute with; empty when there is one
};

class Calculator {
public:
    Calculator(); // starts with RG-8A, 3.5 MHz, 100 ft, 50 ohm at the load, computed

    // Edits of the boxes, as the user types them; each returns the messages to show.
    // A rule may rewrite a box (read it back from boxes()).
    std::vector<Message> setFrequency(const std::string& text);
    std::vector<Message> setLength(const std::string& text);
    void setResistance(const std::string& text);
    void setReactance(const std::string& text);

    // Leaving a box.
    std::vector<Message> leaveFrequency();
    void leaveLength();
    void leaveResistance();
    void leaveReactance();

    std::vector<Message> setUnit(char unitWord); // 'F' or 'M'
    void setEnd(KnownEnd end);
    void setCable(int index);
    void setUserLine(const UserLine& user);

    // The user-defined line: choosing it fills its dialog's boxes from the stored line
    // (and asks to click again when the frequency is not the stored one); the boxes then
    // describe the line, and OK stores them with the working frequency.
    void loadUserCable(UserCableEntry& entry, const UserLine& stored);
    // The same from TL.DEF at start, where the line is described at the box's frequency
    // without a click.
    void startWithUserCable(UserCableEntry& entry, const UserLine& stored);
    void useUserCable(const UserCableEntry& entry);
    // Returns what TL.DEF is to hold, the placements given.
    TlDefaults acceptUserCable(const UserCableEntry& entry,
                               const std::array<common::Placement, SlotCount>& placements);

    // Starts from a defaults file's settings; placements are the window's business.
    void applyDefaults(const TlDefaults& defaults);
    // The settings to keep, with the given placements.
    TlDefaults defaults(const std::array<common::Placement, SlotCount>& placements) const;

    void DoCompute();

    // The chosen line and length at `freq` MHz, worked out as DoCompute works them out.
    LineAtFrequency lineAt(double freq) const;

    const Boxes& boxes() const { return boxes_; }
    const Displays& displays() const { return displays_; }
    const LineDescription& line() const { return line_; }
    const LineSolution& solution() const { return solution_; }
    double matchedLoss() const { return matchedLoss_; }
    double freq() const { return freq_; } // MHz, as the last computation read it
    // The impedance at the other end of the line rebuilt from its polar display, as the
    // tuner and the graphs take it.
    common::ImpedancePair farImpedanceShown() const;
    // The impedance as typed into the resistance and reactance boxes.
    common::ImpedancePair enteredImpedance() const;
    const UserLine& userLine() const { return user_; }
    char unitWord() const { return unitWord_; }
    KnownEnd end() const { return end_; }
    int cable() const { return cable_; }
    int computeCount() const { return computeCount_; }

private:
    Boxes boxes_;
    Displays displays_;
    LineDescription line_;
    LineSolution solution_;
    UserLine user_;
    char unitWord_ = 'F';
    KnownEnd end_ = KnownEnd::Load;
    int cable_ = 3;
    double freq_ = 3.5;
    double matchedLoss_ = 0;
    double txPower_ = 1500; // watts; the tuner pages set it
    int computeCount_ = 0;
};

} // namespace kavlo
