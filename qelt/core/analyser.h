#pragma once
// The analyser's main window without the window: the antenna loaded and its working
// copy, the conditions of the analysis (band, height, cable, driven tip, units, View
// choices), the boxes of the dialogs that change them, and every text the windows show.
// The window and qelt-cli both drive this one model.
#include "analysis.h"
#include "charts.h"
#include "comparison.h"
#include "design_history.h"
#include "element_grid.h"
#include "match_model.h"
#include "nec_deck.h"
#include "result_lines.h"
#include "saved_design.h"
#include "units.h"

#include "common/control_text.h"
#include "common/result.h"

#include <array>
#include <optional>
#include <string>

namespace qelt {

// What the View dialog asks for on OK.
enum class Graph { Sweep, Rectangular60, Rectangular180, LinearPolar, MorwenPolar };

struct ViewChoices {
    Ratio ratio = Ratio::FrontToRear;
    Units units = Units::English;
    Graph graph = Graph::Sweep;
    bool azimuth = true;   // chkAz: the element-plane cut of the polar plots
    bool elevation = true; // chkElev: the normal-plane (elevation) cut
    std::string frequency; // txtF0, MHz as typed
};

// The View dialog's captions that follow the height: plane words in free space,
// azimuth and elevation over ground.
struct ViewCaptions {
    std::string optAzi1, optAzi2, chkAz, chkElev;
};
ViewCaptions CaptionsFor(bool freeSpace);

// The main window's labels.
struct MainTexts {
    std::string lblStart = "Open an existing file to start";
    std::string lblFile;
    std::string lblEleBoom;
    std::string lblHeight = "Free Space";
    std::string lblMatch = "None";
    std::string lblPeakElev; // over ground only
    std::string lblRestored; // what an opened file's saved design put back in force
    std::string lblView = EnglishCaption;
    std::string lblF1 = "Freq:", lblF2 = "Gain: ", lblF3 = "F/R: ", lblF4 = "Z: ", lblF5 = "SWR: ";
    // The chart's legends: the sweep's curves, or a pattern's beamwidths and ratio.
    std::string lblGain = "Gain", lblFR = "F/R", lblSWR = "SWR";
    std::string lblSWR1 = "SWR 1:1", lblSWR2 = "SWR 2:1";
};

// The antenna and its sweep, as qelt-cli prints them too.
inline const std::array<common::ControlText<MainTexts>, 7> ResultTexts{{
    {"lblFile", &MainTexts::lblFile},
    {"lblEleBoom", &MainTexts::lblEleBoom},
    {"lblF1", &MainTexts::lblF1},
    {"lblF2", &MainTexts::lblF2},
    {"lblF3", &MainTexts::lblF3},
    {"lblF4", &MainTexts::lblF4},
    {"lblF5", &MainTexts::lblF5},
}};
// The rest of the main window's labels.
inline const std::array<common::ControlText<MainTexts>, 11> StateTexts{{
    {"lblStart", &MainTexts::lblStart},
    {"lblHeight", &MainTexts::lblHeight},
    {"lblMatch", &MainTexts::lblMatch},
    {"lblPeakElev", &MainTexts::lblPeakElev},
    {"lblRestored", &MainTexts::lblRestored},
    {"lblView", &MainTexts::lblView},
    {"lblGain", &MainTexts::lblGain},
    {"lblFR", &MainTexts::lblFR},
    {"lblSWR", &MainTexts::lblSWR},
    {"lblSWR1", &MainTexts::lblSWR1},
    {"lblSWR2", &MainTexts::lblSWR2},
}};

// The pattern windows' texts (and the pattern lines of qelt-cli).
inline const std::array<common::ControlText<PatternTexts>, 7> PatternTextTable{{
    {"lblTitle", &PatternTexts::title},
    {"lblMaxGain", &PatternTexts::maxGain},
    {"lblBeamwidth1", &PatternTexts::beamwidth1},
    {"lblBeamwidth2", &PatternTexts::beamwidth2},
    {"lblRatio", &PatternTexts::ratio},
    {"lblHeight", &PatternTexts::height},
    {"lblPeakAngle", &PatternTexts::peakAngle},
}};

// The frequency dialog's boxes: the band the sweep runs over.
struct FrequencyBoxes {
    std::string txtFreqLo, txtFreqHi, lblFreqCentre;
};
inline const std::array<common::ControlText<FrequencyBoxes>, 3> FrequencyTextTable{{
    {"txtFreqLo", &FrequencyBoxes::txtFreqLo},
    {"txtFreqHi", &FrequencyBoxes::txtFreqHi},
    {"lblFreqCentre", &FrequencyBoxes::lblFreqCentre},
}};
// The centre the frequency dialog shows for two edges as typed.
std::string CentreText(const std::string& low, const std::string& high);
// The height dialog's box, in the unit shown beside it.
struct HeightBoxes {
    std::string txtHeight = "0";
    std::string lblUnits = "feet";
};
inline const std::array<common::ControlText<HeightBoxes>, 2> HeightTextTable{{
    {"txtHeight", &HeightBoxes::txtHeight},
    {"lblUnits", &HeightBoxes::lblUnits},
}};
inline const char* const HeightTooLow =
    "The height is too low. Specify height above 0.2 wavelength, please.";
// The lowest height above ground, in feet, that the analysis takes at `centreMHz`.
double LowestHeightFeet(double centreMHz);
class Analyser {
public:
    explicit Analyser(Units units = Units::English);

    // Opens the antenna in `path` as the Open button does: on success the antenna, its
    // working copy and every dialog start again from the file, and the band is swept.
    // A file the analyser saved also brings back its title as it was before the save put
    // the file's name in front, its match, cable impedance and height, said in
    // lblRestored. On failure the message to show, and nothing has changed.
    common::Result<> open(const EngineRoutines& engine, const std::string& path,
                          const SweepProgress& progress = {});
    bool loaded() const { return loaded_.drivenElement > 0; }

    // The frequency sweep over the frequency dialog's band, with the chart and result
    // lines that follow it.
    void sweep(const EngineRoutines& engine, const SweepProgress& progress = {});

    // The View dialog's OK: the unit switch, the ratio, and the sweep or the pattern
    // chosen. A pattern frequency that is not a number above 0 is refused with a message
    // and nothing changes.
    common::Result<> applyView(const EngineRoutines& engine, const ViewChoices& choices,
                               const SweepProgress& progress = {});
    // The pattern of the polar plots again, at the View dialog's frequency, for an open
    // plot to follow a changed antenna or height.
    void computePolarPattern(const EngineRoutines& engine);

    // The height dialog's OK, the height typed in the unit shown (0: free space): a
    // changed height is swept; one below 0.2 wavelength at the band's centre is refused
    // with a message and the previous height stays.
    common::Result<> setHeight(const EngineRoutines& engine, const std::string& typed,
                               const SweepProgress& progress = {});

    // The frequency dialog's OK: the two edges as typed become the band, swept again.
    // Edges that are not numbers above 0, or a low edge above the high one, are refused.
    common::Result<> setBand(const EngineRoutines& engine, const std::string& low,
                             const std::string& high, const SweepProgress& progress = {});

    // The match dialog: opened by the Match button, its boxes typed, a network chosen,
    // Compute (the tip and cable impedance put in force, then a design at the match
    // frequency, or the sweep without a network), Accept (the network in force, swept)
    // and Cancel (the network, tip and cable of the dialog's opening, swept again when
    // Compute had swept without them).
    void openMatch();
    // The same, with the feed point at the match frequency computed again for the
    // antenna, tip, cable and height in force, so that it is never one of before.
    void openMatch(const EngineRoutines& engine);
    void typeMatch(MatchBox box, const std::string& text) { match_.type(box, text); }
    void chooseNetwork(Network network) { match_.choose(network); }
    common::Result<> computeMatch(const EngineRoutines& engine, const SweepProgress& progress = {});
    common::Result<> acceptMatch(const EngineRoutines& engine, const SweepProgress& progress = {});
    // Adjust driven element: the tip lengthened or shortened until the feed point at the
    // match frequency has what the network chosen needs (tip_search.h), put in the tip
    // box, and the network designed on it as Compute does. A tip no length of the
    // element reaches is refused and nothing changes.
    common::Result<> adjustDriven(const EngineRoutines& engine, const SweepProgress& progress = {});
    void cancelMatch(const EngineRoutines& engine, const SweepProgress& progress = {});

    // The element editor on the working copy, and its OK: the antenna as edited, swept.
    // An OK that changed nothing sweeps nothing (false). `what` names the step in the
    // history: the editor's "Elements", or "Optimiser" for the design it found.
    ElementGrid elementGrid() const;
    bool applyElements(const EngineRoutines& engine, const ElementGrid& grid,
                       const SweepProgress& progress = {}, const std::string& what = "Elements");
    // Whether the editor's grid holds another antenna than the working copy.
    bool changedBy(const ElementGrid& grid) const;

    // The design in force: the working copy and the conditions of its analysis.
    Design design() const;
    // `design` put in force as an accepted change named `what` (as the optimiser hands
    // its result over), swept and kept in the history; false, and nothing swept, when it
    // is the design in force already.
    bool applyDesign(const EngineRoutines& engine, const Design& design, const std::string& what,
                     const SweepProgress& progress = {});
    // Every accepted change since the file was opened, and stepping through them: the
    // design one step back or forward put in force and swept (false when there is none).
    const DesignHistory& history() const { return history_; }
    bool undo(const EngineRoutines& engine, const SweepProgress& progress = {});
    bool redo(const EngineRoutines& engine, const SweepProgress& progress = {});

    // Compare (analyser_compare.cpp): a second antenna swept over the band in force
    // beside the design in force, followed through every later sweep until cleared:
    // another antenna file (at the height in force, on a 50-ohm cable without a network),
    // or the design before the last change (its own height, cable and network). A file
    // that cannot be read or analysed is refused with the reason, and the comparison
    // there was stays.
    common::Result<> compareWithFile(const EngineRoutines& engine, const std::string& path);
    common::Result<> compareWithBefore(const EngineRoutines& engine);
    void clearComparison();
    const std::optional<Comparison>& comparison() const { return comparison_; }
    // Its result lines and chart curves, as the design's own are made.
    ResultLines comparisonLines() const;
    FrequencyChart comparisonChart() const;

    // Save As: the working copy in the analyser's layout, inches or millimetres, written
    // whole or not at all; on success the main window names the new file.
    common::Result<> saveAs(const std::string& path, Units layout);
    // The working copy as a NEC-2 deck of the band at the height in force.
    common::Result<> exportNec(const EngineRoutines& engine, const std::string& path,
                               NecElements form = NecElements::Equivalent);

    // What the engine reported when the last sweep or pattern could not be computed,
    // with the frequency ("" when it could): the figures shown are then not to be
    // trusted, and the user is told so.
    const std::string& engineTrouble() const { return trouble_; }

    const MainTexts& texts() const { return texts_; }
    const ViewChoices& view() const { return view_; }
    ViewCaptions viewCaptions() const { return CaptionsFor(freeSpace()); }
    const FrequencyBoxes& frequencyBoxes() const { return frequencyBoxes_; }
    const HeightBoxes& heightBoxes() const { return heightBoxes_; }
    const MatchModel& match() const { return match_; }
    const MatchBoxes& matchBoxes() const { return match_.boxes(); }

    const Sweep& lastSweep() const { return sweep_; }
    FrequencyChart frequencyChart() const;
    // The pattern the main chart shows in place of the sweep, if any, and over which angle.
    const std::optional<Pattern>& chartPattern() const { return chartPattern_; }
    int chartPatternDegrees() const { return chartPatternDegrees_; }
    // The pattern of the polar plots, once one has been asked for.
    const std::optional<Pattern>& polarPattern() const { return polarPattern_; }
    PatternTexts patternTexts(const Pattern& pattern) const;

    const Antenna& antenna() const { return loaded_; }
    const Antenna& working() const { return working_; }
    Band band() const { return band_; }
    float drivenTipLength() const { return drivenTip_; }
    float cableZ0() const { return cableZ0_; }
    double heightFeet() const { return heightFeet_; }
    bool freeSpace() const { return heightFeet_ == 0; }
    Units units() const { return view_.units; }

private:
    // The design in force becomes a step of the history, when it is a change.
    void commit(const std::string& what);
    void restore(const Design& design);
    common::Result<> compareWith(const EngineRoutines& engine, Comparison comparison);
    // The comparison swept again when the band or the height it follows has moved, and
    // its pattern at the View dialog's frequency.
    void followComparison(const EngineRoutines& engine);
    void compareAtViewFrequency(const EngineRoutines& engine);
    Band sweptLimits() const;
    Pattern patternAtViewFrequency(const EngineRoutines& engine);
    void noteTrouble(float frequency, const std::string& trouble);
    void showUnits();
    void switchUnits(Units units);
    void showBand();
    void showBoom();
    void showHeight();
    void showResults();
    // The feed point at the match frequency for the tip in force, shown in the dialog.
    void showMatchFeed(const FarField& field);
    // The feed point at the entry's match frequency, and the network chosen designed on it.
    common::Result<> designAt(const EngineRoutines& engine, const MatchEntry& entry);
    // The cable, height and match a saved file kept, in force before the first sweep.
    void restoreDesign(const EngineRoutines& engine, const SavedDesign& design);

    std::string sourcePath_; // the file the antenna was read from
    // The file a saved trailer names as the antenna's first source, and the lines it
    // keeps of it: the file opened itself unless that is one the analyser saved.
    std::string originPath_;
    std::vector<std::string> originLines_;
    Antenna loaded_;  // as read from the file
    Antenna working_; // what the analysis and the editors work on
    Band band_;       // FreqLow, FreqHigh
    float loadedTip_ = 0;
    float drivenTip_ = 0;
    float cableZ0_ = 50;
    double heightFeet_ = 0;
    ViewChoices view_;
    Sweep sweep_{};
    std::optional<Pattern> chartPattern_;
    int chartPatternDegrees_ = 0;
    std::optional<Pattern> polarPattern_;
    std::string trouble_;
    float tipAtMatch_ = 0, cableAtMatch_ = 50; // when the match dialog was opened
    float sweptTip_ = 0, sweptCable_ = 50;     // what the last sweep was run with

    MainTexts texts_;
    FrequencyBoxes frequencyBoxes_;
    HeightBoxes heightBoxes_;
    MatchModel match_;
    DesignHistory history_;
    std::optional<Comparison> comparison_;
};

} // namespace qelt
