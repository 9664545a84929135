#include "analyser.h"

#include "antenna_check.h"
#include "antenna_writer.h"
#include "result_lines.h"
#include "tip_search.h"

#include "common/number_text.h"
#include "common/text_file.h"

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

// A number as a box shows it typed: "50", "0.25", "152.4".
std::string boxNumber(double v) {
    std::string text = Format(v, "###0.0##");
    if (text.size() > 2 && text.compare(text.size() - 2, 2, ".0") == 0)
        text.resize(text.size() - 2);
    return text;
}

bool positiveNumber(double v) { return v > 0 && std::isfinite(v); }

// The driven element's sections inside its tip, boom to tip, inches.
double innerSections(const Antenna& a) {
    double inner = 0;
    const int driven = a.drivenElement;
    for (int s = 1; s < a.sectionCount[driven - 1]; ++s) inner += a.length(driven, s);
    return inner;
}

const char* networkName(Network n) {
    return n == Network::Gamma ? "Gamma" : n == Network::Hairpin ? "Hairpin" : "None";
}

} // namespace

std::string CentreText(const std::string& low, const std::string& high) {
    return frequencyBox((ParseNumber(low) + ParseNumber(high)) / 2);
}

double LowestHeightFeet(double centreMHz) {
    return 0.2 * common::WavelengthFeetMHzRounded / centreMHz;
}

ViewCaptions CaptionsFor(bool freeSpace) {
    if (freeSpace) return {"E/H-Plane, 0-60 deg.", "E/H-Plane, 0-180 deg.", "E-Plane", "H-Plane"};
    return {"Azim./Elev., 0-60 deg.", "Azim./Elev., 0-180 deg.", "Azimuth", "Elevation"};
}

Analyser::Analyser(Units units) : match_(units) {
    view_.units = units;
    showUnits();
}

common::Result<> Analyser::open(const EngineRoutines& engine, const std::string& path,
                                const SweepProgress& progress) {
    common::Result<Antenna> read = ReadAntennaFile(engine, path);
    if (!read) return common::Result<>::Failure(read.message());
    if (common::Result<> sound = CheckAntenna(read.value()); !sound) return sound;
    // Results no antenna gives leave the antenna that was open, as a file refused does.
    Analyser before = *this;
    sourcePath_ = path;
    loaded_ = std::move(read).value();
    const std::vector<std::string> fileLines =
        common::ReadTextLines(path).value_or(std::vector<std::string>{});
    const std::optional<SavedDesign> saved = ReadSavedDesign(fileLines);
    if (saved) {
        // Saved again, the antenna keeps naming the file it first came from.
        loaded_.title = saved->title;
        originPath_ = saved->sourcePath;
        originLines_ = {loaded_.title};
        originLines_.insert(originLines_.end(), saved->sourceLines.begin(),
                            saved->sourceLines.end());
    } else {
        originPath_ = path;
        originLines_ = fileLines;
    }
    working_ = loaded_;
    band_ = {loaded_.freqLow, loaded_.freqHigh};
    loadedTip_ = drivenTip_ = loaded_.tipLength();
    cableZ0_ = 50;
    heightFeet_ = 0;
    showBand();
    view_.frequency = frequencyBoxes_.lblFreqCentre;
    texts_.lblMatch = "None";
    heightBoxes_.txtHeight = "0";
    showHeight();
    texts_.lblFile = upperCaseName(path);
    polarPattern_.reset();

    // The match starts at the centre of the band the antenna is for.
    match_.reset((band_.low + band_.high) / 2, loadedTip_);
    texts_.lblRestored.clear();
    if (saved) restoreDesign(engine, *saved);
    // Another file compared stays; the design before a change of the last antenna does not.
    if (comparison_ && comparison_->with == CompareWith::Before) comparison_.reset();
    sweep(engine, progress);
    if (common::Result<> possible = CheckAnalysis(working_, sweep_, !freeSpace()); !possible) {
        *this = std::move(before);
        return possible;
    }
    showBoom();
    const SweepPoint& centre = sweep_[CentrePoint];
    const int driven = working_.drivenElement;
    match_.showFeedPoint(centre.resistance, centre.reactance, working_.diameter(driven, 1),
                         working_.diameter(driven, 2));
    history_.start(design());
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
    sweep_ = SweepBand(engine, working_, drivenTip_, limits, static_cast<float>(heightFeet_),
                       match_.swrRule(cableZ0_), progress);
    sweptTip_ = drivenTip_;
    sweptCable_ = cableZ0_;
    chartPattern_.reset();
    chartPatternDegrees_ = 0;
    trouble_.clear();
    for (const SweepPoint& p : sweep_) noteTrouble(p.frequency, p.trouble);
    // An edited antenna no analysis can be trusted for, or figures no antenna gives.
    if (common::Result<> possible = CheckAnalysis(working_, sweep_, !freeSpace());
        trouble_.empty() && !possible)
        trouble_ = possible.message();
    const double takeoff = ElevationDegrees(sweep_[CentrePoint].takeoffIndex);
    texts_.lblPeakElev =
        freeSpace() ? std::string() : "Peak elev. angle: " + Format(takeoff, "## deg.");
    showResults();
    followComparison(engine);
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
    compareAtViewFrequency(engine);
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

common::Result<> Analyser::setHeight(const EngineRoutines& engine, const std::string& typed,
                                     const SweepProgress& progress) {
    const double shown = ParseNumber(typed);
    if (!std::isfinite(shown))
        return common::Result<>::Failure("Enter the height as a number, 0 for free space.");
    if (shown == ParseNumber(heightBoxes_.txtHeight)) return {}; // nothing changed
    const double feet = HeightFeet(shown, units());
    const double centre =
        (ParseNumber(frequencyBoxes_.txtFreqLo) + ParseNumber(frequencyBoxes_.txtFreqHi)) / 2;
    if (feet != 0 && !(feet >= LowestHeightFeet(centre)))
        return common::Result<>::Failure(HeightTooLow);
    heightFeet_ = feet;
    heightBoxes_.txtHeight = typed;
    texts_.lblRestored.clear(); // what the file had is no longer all in force
    showHeight();
    sweep(engine, progress);
    commit("Height");
    return {};
}

common::Result<> Analyser::setBand(const EngineRoutines& engine, const std::string& low,
                                   const std::string& high, const SweepProgress& progress) {
    const double lo = ParseNumber(low), hi = ParseNumber(high);
    if (!positiveNumber(lo) || !positiveNumber(hi))
        return common::Result<>::Failure(
            "Enter the low and high frequencies in MHz, numbers above 0.");
    if (lo > hi)
        return common::Result<>::Failure(
            "The low frequency is above the high frequency. Enter the band from low to high.");
    if (common::Result<> band = CheckBand(lo, hi); !band) return band;
    if (lo == ParseNumber(frequencyBoxes_.txtFreqLo) &&
        hi == ParseNumber(frequencyBoxes_.txtFreqHi))
        return {}; // the band in force: nothing to sweep again
    band_ = {static_cast<float>(lo), static_cast<float>(hi)};
    frequencyBoxes_ = {low, high, CentreText(low, high)};
    sweep(engine, progress);
    commit("Band");
    return {};
}

void Analyser::openMatch() {
    tipAtMatch_ = drivenTip_;
    cableAtMatch_ = cableZ0_;
    match_.open(drivenTip_, loadedTip_);
}

void Analyser::openMatch(const EngineRoutines& engine) {
    const double f = ParseNumber(match_.boxes().txtFreq);
    if (loaded() && f > 0 && std::isfinite(f)) {
        EngineRun run(engine, working_, drivenTip_);
        const FarField field = run.solve(static_cast<float>(f), static_cast<float>(heightFeet_));
        if (field.trouble.empty()) showMatchFeed(field);
    }
    openMatch();
}

void Analyser::showMatchFeed(const FarField& field) {
    const int driven = working_.drivenElement;
    match_.showFeedPoint(field.resistance, field.reactance, working_.diameter(driven, 1),
                         working_.diameter(driven, 2));
}

void Analyser::restoreDesign(const EngineRoutines& engine, const SavedDesign& d) {
    std::vector<std::string> restored;
    std::string failed;
    if (d.cableZ0 > 0 && std::isfinite(d.cableZ0)) {
        cableZ0_ = static_cast<float>(d.cableZ0);
        match_.type(MatchBox::Z0, boxNumber(d.cableZ0));
        restored.push_back("cable Z0 = " + match_.boxes().txtZ0 + " ohms");
    }
    if (d.heightFeet && *d.heightFeet > 0 && std::isfinite(*d.heightFeet)) {
        heightFeet_ = *d.heightFeet;
        heightBoxes_.txtHeight = boxNumber(ShownHeight(heightFeet_, units()));
        showHeight();
        restored.push_back("height " + texts_.lblHeight);
    }
    if (d.matchFrequency > 0 && std::isfinite(d.matchFrequency))
        match_.type(MatchBox::Freq, frequencyBox(d.matchFrequency));
    if (d.network != Network::None) {
        const char* const name = d.network == Network::Gamma ? "gamma" : "hairpin";
        match_.type(MatchBox::Diameter, boxNumber(ShownDimension(d.rodDiameter, units())));
        match_.type(MatchBox::Spacing, boxNumber(ShownDimension(d.rodSpacing, units())));
        match_.choose(d.network);
        const common::Result<MatchEntry> entry = match_.entry();
        const common::Result<> designed =
            entry ? designAt(engine, entry.value()) : common::Result<>::Failure(entry.message());
        if (designed) {
            match_.accept();
            texts_.lblMatch = d.network == Network::Gamma ? "Gamma" : "Hairpin";
            restored.insert(restored.begin(),
                            std::string(name) + " match at " + match_.boxes().txtFreq + " MHz");
        } else {
            match_.choose(Network::None);
            failed = std::string("; its ") + name + " match could not be designed again" +
                     (designed.message().empty() ? "" : ": " + designed.message());
        }
    }
    texts_.lblRestored = "Restored from the file: ";
    for (std::size_t i = 0; i < restored.size(); ++i)
        texts_.lblRestored += (i ? ", " : "") + restored[i];
    texts_.lblRestored += failed + ".";
}

common::Result<> Analyser::adjustDriven(const EngineRoutines& engine,
                                        const SweepProgress& progress) {
    common::Result<MatchEntry> entry = match_.entry();
    if (!entry) return common::Result<>::Failure(entry.message());
    const MatchEntry& e = entry.value();
    const Network network = match_.choice();
    if (network == Network::None)
        return common::Result<>::Failure(
            "Choose the gamma or hairpin match to adjust the driven element for.");
    // The tip may go from nearly nothing to what gives the element a half-length of
    // 0.35 wavelength, well past resonance.
    const double inner = innerSections(working_);
    const double wavelength = common::WavelengthInchesMHz / e.frequency;
    const double highest = 0.35 * wavelength - inner;
    const double lowest = std::min(0.01 * e.tip, highest / 100);
    const float height = static_cast<float>(heightFeet_);
    const float frequency = static_cast<float>(e.frequency);
    auto feed = [&](double tip) {
        EngineRun run(engine, working_, static_cast<float>(tip));
        const FarField f = run.solve(frequency, height);
        return TipFeed{f.resistance, f.reactance, f.trouble};
    };
    common::Result<TipFound> found = SearchTip(feed, network, e.z0, e.tip, lowest, highest);
    working_.setTipLength(drivenTip_); // the search's last tip is not the one in force
    if (!found) return common::Result<>::Failure(found.message());
    match_.showAdjustedTip(found.value().tip, e.tip, inner + found.value().tip);
    return computeMatch(engine, progress);
}

common::Result<> Analyser::computeMatch(const EngineRoutines& engine,
                                        const SweepProgress& progress) {
    common::Result<MatchEntry> entry = match_.entry();
    if (!entry) return common::Result<>::Failure(entry.message());
    const MatchEntry& e = entry.value();
    drivenTip_ = static_cast<float>(e.tip);
    cableZ0_ = static_cast<float>(e.z0);
    if (match_.choice() == Network::None) {
        sweep(engine, progress);
        return {};
    }
    return designAt(engine, e);
}

common::Result<> Analyser::designAt(const EngineRoutines& engine, const MatchEntry& e) {
    EngineRun run(engine, working_, drivenTip_);
    const FarField f = run.solve(static_cast<float>(e.frequency), static_cast<float>(heightFeet_));
    trouble_.clear();
    noteTrouble(f.frequency, f.trouble);
    if (!trouble_.empty()) return common::Result<>::Failure(trouble_);
    showMatchFeed(f);
    const int driven = working_.drivenElement;
    return match_.design(e, f.resistance, f.reactance, working_.diameter(driven, 1),
                         working_.diameter(driven, 2));
}

common::Result<> Analyser::acceptMatch(const EngineRoutines& engine,
                                       const SweepProgress& progress) {
    if (!match_.acceptEnabled())
        return common::Result<>::Failure("Compute the match before accepting it.");
    common::Result<MatchEntry> entry = match_.entry();
    if (!entry) return common::Result<>::Failure(entry.message());
    drivenTip_ = static_cast<float>(entry.value().tip);
    cableZ0_ = static_cast<float>(entry.value().z0);
    match_.accept();
    texts_.lblRestored.clear();
    const Network n = match_.network();
    texts_.lblMatch = n == Network::Gamma ? "Gamma" : n == Network::Hairpin ? "Hairpin" : "None";
    // Accepting what is in force, as last swept, changes nothing.
    if (!history_.started() || !SameDesign(design(), history_.current()) ||
        sweptTip_ != drivenTip_ || sweptCable_ != cableZ0_)
        sweep(engine, progress);
    commit("Match");
    return {};
}

void Analyser::cancelMatch(const EngineRoutines& engine, const SweepProgress& progress) {
    match_.cancel();
    drivenTip_ = tipAtMatch_;
    cableZ0_ = cableAtMatch_;
    working_.setTipLength(drivenTip_);
    // A sweep Compute ran with another tip or cable is run again without them.
    if (sweptTip_ != drivenTip_ || sweptCable_ != cableZ0_) sweep(engine, progress);
}

ElementGrid Analyser::elementGrid() const {
    return ElementGrid(working_, drivenTip_, loaded_, loadedTip_, units());
}

bool Analyser::applyElements(const EngineRoutines& engine, const ElementGrid& grid,
                             const SweepProgress& progress, const std::string& what) {
    if (!changedBy(grid)) return false;
    working_ = grid.antenna();
    drivenTip_ = grid.tipLength();
    match_.open(drivenTip_, loadedTip_);
    showBoom();
    sweep(engine, progress);
    commit(what);
    return true;
}

bool Analyser::changedBy(const ElementGrid& grid) const {
    Antenna inForce = working_;
    inForce.setTipLength(drivenTip_);
    return !(grid.antenna() == inForce && grid.tipLength() == drivenTip_);
}

Design Analyser::design() const {
    Design d{working_, drivenTip_,  frequencyBoxes_.txtFreqLo, frequencyBoxes_.txtFreqHi,
             band_,    heightFeet_, heightBoxes_.txtHeight,    units(),
             cableZ0_, match_};
    d.antenna.setTipLength(drivenTip_);
    return d;
}

void Analyser::commit(const std::string& what) { history_.commit(design(), what); }

bool Analyser::applyDesign(const EngineRoutines& engine, const Design& d, const std::string& what,
                           const SweepProgress& progress) {
    if (SameDesign(d, design())) return false;
    restore(d);
    sweep(engine, progress);
    commit(what);
    return true;
}

bool Analyser::undo(const EngineRoutines& engine, const SweepProgress& progress) {
    if (!history_.canUndo()) return false;
    restore(history_.undo());
    sweep(engine, progress);
    return true;
}

bool Analyser::redo(const EngineRoutines& engine, const SweepProgress& progress) {
    if (!history_.canRedo()) return false;
    restore(history_.redo());
    sweep(engine, progress);
    return true;
}

// Everything the design holds, shown in the unit in force.
void Analyser::restore(const Design& d) {
    working_ = d.antenna;
    drivenTip_ = d.drivenTip;
    frequencyBoxes_ = {d.freqLow, d.freqHigh, CentreText(d.freqLow, d.freqHigh)};
    band_ = d.band;
    heightBoxes_.txtHeight = d.heightUnits == units()
                                 ? d.heightText
                                 : Format(ShownHeight(d.heightFeet, units()), "##0.0");
    heightFeet_ = d.heightFeet;
    showHeight();
    cableZ0_ = d.cableZ0;
    const std::string unitWord = match_.boxes().lblUnits;
    match_ = d.match;
    if (match_.boxes().lblUnits != unitWord) match_.switchUnits(units(), drivenTip_, loadedTip_);
    texts_.lblMatch = networkName(match_.network());
    showBoom();
}

common::Result<> Analyser::saveAs(const std::string& chosen, Units layout) {
    const std::string path = WithQeltExtension(chosen);
    Antenna antenna = working_;
    antenna.setTipLength(drivenTip_);
    std::vector<std::string> lines = AntennaFileLines(
        path.substr(path.find_last_of('/') + 1), antenna, ParseNumber(frequencyBoxes_.txtFreqLo),
        ParseNumber(frequencyBoxes_.txtFreqHi), layout);
    FileTrailer trailer;
    trailer.matchFrequency = ParseNumber(match_.boxes().txtFreq);
    trailer.tipLength = drivenTip_;
    trailer.cableZ0 = cableZ0_;
    trailer.units = layout;
    trailer.network = match_.networkLines(layout);
    trailer.heightFeet = heightFeet_;
    trailer.sourcePath = originPath_;
    trailer.sourceLines = originLines_; // as read when the antenna was opened
    const std::vector<std::string> after = TrailerLines(trailer);
    lines.insert(lines.end(), after.begin(), after.end());
    if (common::Result<> written = common::WriteFileAtomically(path, common::JoinLines(lines));
        !written)
        return common::Result<>::Failure("The antenna could not be saved: " + written.message() +
                                         ". A file of that name is as it was.");
    texts_.lblFile = upperCaseName(path);
    return {};
}

common::Result<> Analyser::exportNec(const EngineRoutines& engine, const std::string& path,
                                     NecElements form) {
    EngineRun run(engine, working_, drivenTip_);
    const std::vector<NecElement> elements =
        form == NecElements::Equivalent
            ? EquivalentElements(working_, run.equivalentHalfLength(), run.equivalentDiameter())
            : TaperedElements(working_);
    NecRun necRun;
    necRun.title = working_.titleText();
    necRun.drivenElement = working_.drivenElement;
    necRun.freqLow = ParseNumber(frequencyBoxes_.txtFreqLo);
    necRun.freqHigh = ParseNumber(frequencyBoxes_.txtFreqHi);
    necRun.heightFeet = heightFeet_;
    necRun.form = form;
    if (common::Result<> written = common::WriteFileAtomically(path, NecDeck(elements, necRun));
        !written)
        return common::Result<>::Failure("The NEC deck could not be written: " + written.message() +
                                         ".");
    return {};
}

FrequencyChart Analyser::frequencyChart() const {
    return MakeFrequencyChart(sweep_, view_.ratio, band_);
}

PatternTexts Analyser::patternTexts(const Pattern& pattern) const {
    return MakePatternTexts(pattern, view_.ratio, texts_.lblHeight);
}

void Analyser::showUnits() {
    texts_.lblView = UnitsCaption(units());
    heightBoxes_.lblUnits = units() == Units::English ? "feet" : "meters";
}

// Every box and label that shows a length is shown again in the new unit, from the
// values in feet and inches, so switching back gives the same texts.
void Analyser::switchUnits(Units units) {
    view_.units = units;
    showUnits();
    heightBoxes_.txtHeight = Format(ShownHeight(heightFeet_, units), "##0.0");
    showHeight();
    match_.switchUnits(units, drivenTip_, loadedTip_);
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
