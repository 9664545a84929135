#pragma once
// The match dialog without the window: its boxes (match frequency, driven-element tip,
// cable impedance, rod diameter and spacing), the network chosen, the design last
// computed and the one accepted, and every text the dialog shows. The main window's
// model runs the engine for it and sweeps through the accepted network.
#include "analysis.h"
#include "matching.h"
#include "units.h"

#include "common/control_text.h"
#include "common/result.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace qelt {

struct MatchBoxes {
    std::string txtFreq = "14.175";
    std::string txtDELength = "52.25";
    std::string lblOrigLen = "(Original tip length = ";
    std::string txtZ0 = "50";
    std::string txtDia = "0.25";
    std::string txtSpacing = "6";
    std::string lblUnits = "inches"; // lblDEUnit, lblDiaUnits and lblSpacingUnits
    std::string lblDia = "Gamma rod diameter: ";
    std::string lblSpacing = "Gamma rod spacing: ";
    std::string lblDEZ = "Feed-point Z: ";
    std::string lblNeed;     // the reactance the network needs, and how far the feed is
    std::string lblAssumes;  // what the network's design takes for granted
    std::string lblAdjusted; // the driven element's new tip, after Adjust
    std::string lblLength;   // the design's length
    std::string lblReac;     // its inductance or capacitance
};

// The dialog's texts by control name, for the window and qelt-cli alike.
inline const std::array<common::ControlText<MatchBoxes>, 17> MatchTextTable{{
    {"txtFreq", &MatchBoxes::txtFreq},
    {"txtDELength", &MatchBoxes::txtDELength},
    {"lblDEUnit", &MatchBoxes::lblUnits},
    {"lblOrigLen", &MatchBoxes::lblOrigLen},
    {"txtZ0", &MatchBoxes::txtZ0},
    {"lblDia", &MatchBoxes::lblDia},
    {"txtDia", &MatchBoxes::txtDia},
    {"lblDiaUnits", &MatchBoxes::lblUnits},
    {"lblSpacing", &MatchBoxes::lblSpacing},
    {"txtSpacing", &MatchBoxes::txtSpacing},
    {"lblSpacingUnits", &MatchBoxes::lblUnits},
    {"lblDEZ", &MatchBoxes::lblDEZ},
    {"lblNeed", &MatchBoxes::lblNeed},
    {"lblAssumes", &MatchBoxes::lblAssumes},
    {"lblAdjusted", &MatchBoxes::lblAdjusted},
    {"lblLength", &MatchBoxes::lblLength},
    {"lblReac", &MatchBoxes::lblReac},
}};

enum class MatchBox { Freq, Tip, Z0, Diameter, Spacing };

// The boxes as numbers: MHz, inches and ohms.
struct MatchEntry {
    double frequency = 0;
    double tip = 0;
    double z0 = 0;
    double rodDiameter = 0;
    double rodSpacing = 0;
};

struct MatchDesign {
    Network network = Network::None;
    HairpinDesign hairpin;
    GammaDesign gamma;
    double rodDiameter = 0, rodSpacing = 0; // inches, as entered
};

class MatchModel {
public:
    explicit MatchModel(Units units = Units::English);

    const MatchBoxes& boxes() const { return boxes_; }
    // The option selected in the dialog, and the network in force on the main window.
    Network choice() const { return choice_; }
    Network network() const { return accepted_ ? accepted_->network : Network::None; }
    // Accept takes no network at all, or a design of the network chosen computed from
    // the boxes as they stand.
    bool acceptEnabled() const;

    // A new antenna: no network, a 50-ohm cable, the match at the band's centre, the
    // tip as loaded.
    void reset(double centreMHz, float loadedTip);
    // The dialog opened, its tip box showing the tip in force: the boxes as they stand
    // are what Cancel comes back to.
    void open(float tip, float loadedTip);
    void type(MatchBox box, const std::string& text);
    void choose(Network network);
    // The boxes as numbers, or the message that says which is not one.
    common::Result<MatchEntry> entry() const;
    // The feed point in force at the match frequency, on a driven element whose first
    // two sections are `d1` and `d2` thick: the dialog says what the network chosen
    // needs of it.
    void showFeedPoint(float r, float x, float d1 = 0, float d2 = 0);
    // Adjust's new tip in the tip box, with the line that says what it was; the
    // driven element is `halfLength` inches from the boom to the new tip.
    void showAdjustedTip(double tip, double before, double halfLength);
    // The chosen network designed for the feed point r + jx; a refusal leaves the
    // previous design and the Accept button as they were.
    common::Result<> design(const MatchEntry& entry, float r, float x, float d1, float d2);
    void accept();
    void cancel();
    void switchUnits(Units units, float tip, float loadedTip);

    // The SWR of a sweep point on a `z0` cable through the network in force.
    SwrRule swrRule(float z0) const;
    // The network's lines of a saved file's trailer, in the file's unit; none without
    // a network.
    std::vector<std::string> networkLines(Units layout) const;

private:
    void showUnits();
    void showTip(float tip, const char* tipMask, float loadedTip, const char* labelMask);
    void showResults();
    void showNeeds();

    struct Feed {
        float r, x, d1, d2;
    };
    std::optional<Feed> feed_; // the feed point shown

    Units units_;
    MatchBoxes boxes_;
    MatchBoxes opened_; // the boxes when the dialog was opened
    Network choice_ = Network::None;
    std::optional<MatchDesign> computed_; // from the boxes as they stand
    std::optional<MatchDesign> accepted_;
};

} // namespace qelt
