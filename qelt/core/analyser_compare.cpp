// The analyser's Compare: a second antenna beside the design in force, followed through
// every later sweep until it is put away.
#include "analyser.h"
#include "antenna_check.h"
#include "result_lines.h"

#include "common/number_text.h"

namespace qelt {
namespace {

// The file's name without its folder, upper-cased as the main window names files.
std::string shownName(const std::string& path) {
    std::string name = path.substr(path.find_last_of('/') + 1);
    for (char& c : name)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return name;
}

} // namespace

common::Result<> Analyser::compareWithFile(const EngineRoutines& engine, const std::string& path) {
    common::Result<Antenna> read = ReadAntennaFile(engine, path);
    if (!read) return common::Result<>::Failure(read.message());
    if (common::Result<> sound = CheckAntenna(read.value()); !sound) return sound;
    Comparison c;
    c.name = shownName(path);
    c.with = CompareWith::File;
    c.design.antenna = std::move(read).value();
    c.design.drivenTip = c.design.antenna.tipLength();
    c.design.match = MatchModel(units());
    return compareWith(engine, std::move(c));
}

common::Result<> Analyser::compareWithBefore(const EngineRoutines& engine) {
    const Design* before = history_.previous();
    if (!before)
        return common::Result<>::Failure("Nothing has changed since the file was opened: there "
                                         "is no design before a change to compare with.");
    Comparison c;
    c.name = "Before " + history_.currentName();
    c.with = CompareWith::Before;
    c.design = *before;
    return compareWith(engine, std::move(c));
}

common::Result<> Analyser::compareWith(const EngineRoutines& engine, Comparison c) {
    SweepComparison(engine, c, sweptLimits(), heightFeet_);
    for (const SweepPoint& p : c.sweep)
        if (!p.trouble.empty())
            return common::Result<>::Failure("The engine could not analyse " + c.name + " at " +
                                             common::Format(p.frequency, "###0.000 MHz") + ".\n" +
                                             p.trouble);
    if (common::Result<> possible =
            CheckAnalysis(c.design.antenna, c.sweep, c.heightFeet(heightFeet_) != 0);
        !possible)
        return common::Result<>::Failure(c.name + ": " + possible.message());
    comparison_ = std::move(c);
    return {};
}

void Analyser::clearComparison() { comparison_.reset(); }

Band Analyser::sweptLimits() const {
    return {static_cast<float>(common::ParseNumber(frequencyBoxes_.txtFreqLo)),
            static_cast<float>(common::ParseNumber(frequencyBoxes_.txtFreqHi))};
}

void Analyser::followComparison(const EngineRoutines& engine) {
    if (!comparison_) return;
    const Band limits = sweptLimits();
    if (comparison_->sweptLimits != limits ||
        comparison_->sweptHeight != comparison_->heightFeet(heightFeet_))
        SweepComparison(engine, *comparison_, limits, heightFeet_);
}

void Analyser::compareAtViewFrequency(const EngineRoutines& engine) {
    if (!comparison_) return;
    Design& d = comparison_->design;
    comparison_->pattern = ComputePattern(engine, d.antenna, d.drivenTip,
                                          static_cast<float>(common::ParseNumber(view_.frequency)),
                                          static_cast<float>(comparison_->heightFeet(heightFeet_)));
}

ResultLines Analyser::comparisonLines() const {
    return comparison_ ? FormatResultLines(comparison_->sweep, view_.ratio) : ResultLines{};
}

FrequencyChart Analyser::comparisonChart() const {
    return comparison_ ? MakeFrequencyChart(comparison_->sweep, view_.ratio, band_)
                       : FrequencyChart{};
}

} // namespace qelt
