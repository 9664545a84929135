#include "analyser.h"

#include "result_lines.h"

#include "common/number_text.h"

#include <cmath>

namespace qelt {
namespace {

using common::Format;
using common::ParseNumber;

// The file's name without its folder, in upper case as the reader leaves the path.
std::string upperCaseName(const std::string& path) {
    std::string name = path.substr(path.find_last_of('/') + 1);
    for (char& c : name)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return name;
}

std::string frequencyBox(double mhz) { return Format(mhz, "###0.000"); }

} // namespace

ViewCaptions CaptionsFor(bool freeSpace) {
    if (freeSpace) return {"E/H-Plane, 0-60 deg.", "E/H-Plane, 0-180 deg.", "E-Plane", "H-Plane"};
    return {"Azim./Elev., 0-60 deg.", "Azim./Elev., 0-180 deg.", "Azimuth", "Elevation"};
}

Analyser::Analyser(Units units) {
    view_.units = units;
    showUnits();
}

common::Result<> Analyser::open(const EngineRoutines& engine, const std::string& path,
                                const SweepProgress& progress) {
    common::Result<Antenna> read = ReadAntennaFile(engine, path);
    if (!read) return common::Result<>::Failure(read.message());
    loaded_ = std::move(read).value();
    working_ = loaded_;
    band_ = {loaded_.freqLow, loaded_.freqHigh};
    loadedTip_ = drivenTip_ = loaded_.tipLength();
    cableZ0_ = 50;
    heightFeet_ = 0;

    const bool english = units() == Units::English;
    const double tip = ShownDimension(loadedTip_, units());
    matchBoxes_.txtDELength = Format(tip, english ? "##0.0##" : "###0.0##");
    matchBoxes_.lblOrigLen =
        "(Original tip length = " + Format(tip, english ? "##0.0## inches)" : "###0.0## mm)");
    matchBoxes_.txtZ0 = "50";
    showBand();
    view_.frequency = frequencyBoxes_.lblFreqCentre;
    texts_.lblMatch = "None";
    heightBoxes_.txtHeight = "0";
    showHeight();
    texts_.lblFile = upperCaseName(path);
    polarPattern_.reset();

    sweep(engine, progress);
    showBoom();
    const SweepPoint& centre = sweep_[CentrePoint];
    matchBoxes_.lblDEZ = "Feed-point Z:     " + FeedPointText(centre.resistance, centre.reactance);
    return {};
}

void Analyser::sweep(const EngineRoutines& engine, const SweepProgress& progress) {
    if (const Band swept = SweptBand(band_); swept != band_) {
        // A one-frequency file: the band around it goes into the frequency dialog too,
        // which is where the sweep takes its limits from.
        band_ = swept;
        frequencyBoxes_.txtFreqLo = frequencyBox(band_.low);
        frequencyBoxes_.txtFreqHi = frequencyBox(band_.high);
    }
    const Band limits{static_cast<float>(ParseNumber(frequencyBoxes_.txtFreqLo)),
                      static_cast<float>(ParseNumber(frequencyBoxes_.txtFreqHi))};
    const float z0 = cableZ0_;
    sweep_ = SweepBand(
        engine, working_, drivenTip_, limits, static_cast<float>(heightFeet_),
        [z0](float, float r, float x) { return SwrOnCable(r, x, z0); }, progress);
    chartPattern_.reset();
    chartPatternDegrees_ = 0;
    trouble_.clear();
    for (const SweepPoint& p : sweep_) noteTrouble(p.frequency, p.trouble);
    const double takeoff = ElevationDegrees(sweep_[CentrePoint].takeoffIndex);
    texts_.lblPeakElev =
        freeSpace() ? std::string() : "Peak elev. angle: " + Format(takeoff, "## deg.");
    showResults();
}

common::Result<> Analyser::applyView(const EngineRoutines& engine, const ViewChoices& choices,
                                     const SweepProgress& progress) {
    if (choices.graph != Graph::Sweep) {
        const double f = ParseNumber(choices.frequency);
        if (!(f > 0 && std::isfinite(f)))
            return common::Result<>::Failure(
                "Enter the frequency of the pattern in MHz, a number above 0.");
    }
    if (choices.units != units()) switchUnits(choices.units);
    view_ = choices;
    switch (view_.graph) {
    case Graph::Sweep:
        sweep(engine, progress);
        return {};
    case Graph::Rectangular60:
    case Graph::Rectangular180:
        chartPattern_ = patternAtViewFrequency(engine);
        chartPatternDegrees_ = view_.graph == Graph::Rectangular60 ? 60 : 180;
        break;
    case Graph::LinearPolar:
    case Graph::MorwenPolar:
        computePolarPattern(engine);
        break;
    }
    showResults(); // the ratio may have changed
    return {};
}

void Analyser::computePolarPattern(const EngineRoutines& engine) {
    polarPattern_ = patternAtViewFrequency(engine);
}

Pattern Analyser::patternAtViewFrequency(const EngineRoutines& engine) {
    Pattern p = ComputePattern(engine, working_, drivenTip_,
                               static_cast<float>(ParseNumber(view_.frequency)),
                               static_cast<float>(heightFeet_));
    trouble_.clear();
    noteTrouble(p.field.frequency, p.field.trouble);
    return p;
}

void Analyser::noteTrouble(float frequency, const std::string& trouble) {
    if (trouble.empty() || !trouble_.empty()) return;
    trouble_ = "The engine could not analyse this antenna at " + Format(frequency, "###0.000 MHz") +
               ".\n" + trouble;
}

void Analyser::setHeight(const EngineRoutines& engine, const std::string& typed,
                         const SweepProgress& progress) {
    heightFeet_ = HeightFeet(ParseNumber(typed), units());
    heightBoxes_.txtHeight = typed;
    showHeight();
    sweep(engine, progress);
}

FrequencyChart Analyser::frequencyChart() const {
    return MakeFrequencyChart(sweep_, view_.ratio, band_);
}

PatternTexts Analyser::patternTexts(const Pattern& pattern) const {
    return MakePatternTexts(pattern, view_.ratio, texts_.lblHeight);
}

void Analyser::showUnits() {
    const bool english = units() == Units::English;
    texts_.lblView = UnitsCaption(units());
    heightBoxes_.lblUnits = english ? "feet" : "meters";
    matchBoxes_.txtDia = english ? "0.25" : "6.35";
    matchBoxes_.txtSpacing = english ? "6" : "152.4";
    matchBoxes_.lblUnits = english ? "inches" : "mm";
}

// Every box and label that shows a length is shown again in the new unit, from the
// values in feet and inches, so switching back gives the same texts.
void Analyser::switchUnits(Units units) {
    view_.units = units;
    showUnits();
    const bool english = units == Units::English;
    heightBoxes_.txtHeight = Format(ShownHeight(heightFeet_, units), "##0.0");
    showHeight();
    matchBoxes_.txtDELength =
        Format(ShownDimension(drivenTip_, units), english ? "##0.0##" : "##0.0#");
    matchBoxes_.lblOrigLen =
        "(Original tip length = " +
        Format(ShownDimension(loadedTip_, units), english ? "###0.0## inches)" : "###0.0# mm)");
    if (loaded()) showBoom();
}

void Analyser::showBand() {
    frequencyBoxes_.txtFreqLo = frequencyBox(band_.low);
    frequencyBoxes_.txtFreqHi = frequencyBox(band_.high);
    frequencyBoxes_.lblFreqCentre = frequencyBox((band_.low + band_.high) / 2);
}

void Analyser::showBoom() {
    const double feet = working_.boomLength() / 12.0;
    texts_.lblEleBoom =
        std::to_string(working_.elementCount) + " ele., boom = " +
        (units() == Units::English ? Format(feet, "##0.0 feet")
                                   : Format(feet * common::MetresPerFoot, "##0.0 m"));
}

void Analyser::showHeight() {
    texts_.lblHeight = freeSpace() ? "Free Space"
                                   : Format(ShownHeight(heightFeet_, units()),
                                            units() == Units::English ? "##0.0 feet" : "##0.0 m");
}

void Analyser::showResults() {
    const ResultLines lines = FormatResultLines(sweep_, view_.ratio);
    texts_.lblF1 = lines.freq;
    texts_.lblF2 = lines.gain;
    texts_.lblF3 = lines.ratio;
    texts_.lblF4 = lines.impedance;
    texts_.lblF5 = lines.swr;
    if (chartPattern_) {
        const PatternTexts t = patternTexts(*chartPattern_);
        texts_.lblGain = t.beamwidth1;
        texts_.lblFR = t.beamwidth2;
        texts_.lblSWR = t.ratio;
        texts_.lblSWR1.clear();
        texts_.lblSWR2.clear();
        return;
    }
    texts_.lblGain = "Gain";
    texts_.lblFR = view_.ratio == Ratio::FrontToBack ? "F/B" : "F/R";
    texts_.lblSWR = "SWR";
    texts_.lblSWR1 = "SWR: 1:1";
    texts_.lblSWR2 = "SWR: 2:1";
}

} // namespace qelt
