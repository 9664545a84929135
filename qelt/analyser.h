#pragma once
// The analyser's main window without the window: the antenna loaded and its working
// copy, the conditions of the analysis (band, height, cable, driven tip, units, View
// choices), the boxes of the dialogs that change them, and every text the windows show.
// The window and qelt-cli both drive this one model.
#include "analysis.h"
#include "charts.h"
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
inline const std::array<common::ControlText<MainTexts>, 10> StateTexts{{
    {"lblStart", &MainTexts::lblStart},
    {"lblHeight", &MainTexts::lblHeight},
    {"lblMatch", &MainTexts::lblMatch},
    {"lblPeakElev", &MainTexts::lblPeakElev},
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
// The height dialog's box, in the unit shown beside it.
struct HeightBoxes {
    std::string txtHeight = "0";
    std::string lblUnits = "feet";
};
// The match dialog's boxes and labels that follow the antenna and the units.
struct MatchBoxes {
    std::string txtFreq = "14.175";
    std::string txtDELength = "52.25";
    std::string lblOrigLen = "(Original tip length = ";
    std::string txtZ0 = "50";
    std::string txtDia = "0.25";
    std::string txtSpacing = "6";
    std::string lblUnits = "inches"; // lblDEUnit, lblDiaUnits and lblSpacingUnits
    std::string lblDEZ = "Feed-point Z: ";
};

class Analyser {
public:
    explicit Analyser(Units units = Units::English);

    // Opens the antenna in `path` as the Open button does: on success the antenna, its
    // working copy and every dialog start again from the file, and the band is swept.
    // On failure the message to show, and nothing has changed.
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

    // A height accepted by the height dialog, typed in the unit shown (0: free space);
    // the band is swept again.
    void setHeight(const EngineRoutines& engine, const std::string& typed,
                   const SweepProgress& progress = {});

    // What the engine reported when the last sweep or pattern could not be computed,
    // with the frequency ("" when it could): the figures shown are then not to be
    // trusted, and the user is told so.
    const std::string& engineTrouble() const { return trouble_; }

    const MainTexts& texts() const { return texts_; }
    const ViewChoices& view() const { return view_; }
    ViewCaptions viewCaptions() const { return CaptionsFor(freeSpace()); }
    const FrequencyBoxes& frequencyBoxes() const { return frequencyBoxes_; }
    const HeightBoxes& heightBoxes() const { return heightBoxes_; }
    const MatchBoxes& matchBoxes() const { return matchBoxes_; }

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
    float loadedTipLength() const { return loadedTip_; }
    float drivenTipLength() const { return drivenTip_; }
    float cableZ0() const { return cableZ0_; }
    double heightFeet() const { return heightFeet_; }
    bool freeSpace() const { return heightFeet_ == 0; }
    Units units() const { return view_.units; }

private:
    Pattern patternAtViewFrequency(const EngineRoutines& engine);
    void noteTrouble(float frequency, const std::string& trouble);
    void showUnits();
    void switchUnits(Units units);
    void showBand();
    void showBoom();
    void showHeight();
    void showResults();

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

    MainTexts texts_;
    FrequencyBoxes frequencyBoxes_;
    HeightBoxes heightBoxes_;
    MatchBoxes matchBoxes_;
};

} // namespace qelt
