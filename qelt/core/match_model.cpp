#include "match_model.h"

#include "antenna_writer.h"
#include "result_lines.h"
#include "tip_search.h"

#include "common/number_text.h"

#include <cmath>

namespace qelt {
namespace {

using common::Format;

// A number above 0 in the box, or nothing.
std::optional<double> positive(const std::string& text) {
    const double v = common::ParseNumber(text);
    return v > 0 && std::isfinite(v) ? std::optional<double>(v) : std::nullopt;
}

} // namespace

MatchModel::MatchModel(Units units) : units_(units) { showUnits(); }

bool MatchModel::acceptEnabled() const {
    return choice_ == Network::None || (computed_ && computed_->network == choice_);
}

void MatchModel::showUnits() {
    const bool english = units_ == Units::English;
    boxes_.txtDia = english ? "0.25" : "6.35";
    boxes_.txtSpacing = english ? "6" : "152.4";
    boxes_.lblUnits = english ? "inches" : "mm";
}

void MatchModel::showTip(float tip, const char* tipMask, float loadedTip, const char* labelMask) {
    boxes_.txtDELength = Format(ShownDimension(tip, units_), tipMask);
    boxes_.lblOrigLen =
        "(Original tip length = " + Format(ShownDimension(loadedTip, units_), labelMask);
}

void MatchModel::reset(double centreMHz, float loadedTip) {
    const bool english = units_ == Units::English;
    showTip(loadedTip, english ? "##0.0##" : "###0.0##", loadedTip,
            english ? "##0.0## inches)" : "###0.0## mm)");
    boxes_.txtZ0 = "50";
    boxes_.txtFreq = Format(centreMHz, "###0.000");
    choice_ = Network::None;
    computed_.reset();
    accepted_.reset();
    feed_.reset();
    boxes_.lblDEZ = "Feed-point Z: ";
    boxes_.lblAdjusted.clear();
    showResults();
}

void MatchModel::open(float tip, float loadedTip) {
    const bool english = units_ == Units::English;
    showTip(tip, english ? "##0.0##" : "###0.0##", loadedTip,
            english ? "##0.0## inches)" : "###0.0## mm)");
    choice_ = network();
    computed_ = accepted_;
    boxes_.lblAdjusted.clear();
    showResults();
    opened_ = boxes_;
}

void MatchModel::switchUnits(Units units, float tip, float loadedTip) {
    units_ = units;
    showUnits();
    const bool english = units == Units::English;
    showTip(tip, english ? "##0.0##" : "##0.0#", loadedTip,
            english ? "###0.0## inches)" : "###0.0# mm)");
    showResults();
}

void MatchModel::type(MatchBox box, const std::string& text) {
    std::string MatchBoxes::*const fields[] = {&MatchBoxes::txtFreq, &MatchBoxes::txtDELength,
                                               &MatchBoxes::txtZ0, &MatchBoxes::txtDia,
                                               &MatchBoxes::txtSpacing};
    std::string& field = boxes_.*fields[static_cast<int>(box)];
    if (field == text) return;
    field = text;
    if (box == MatchBox::Tip) boxes_.lblAdjusted.clear(); // a tip of the user's own
    // The design shown was computed from other boxes.
    computed_.reset();
    showResults();
}

void MatchModel::choose(Network network) {
    choice_ = network;
    showResults();
}

common::Result<MatchEntry> MatchModel::entry() const {
    using Failure = common::Result<MatchEntry>;
    MatchEntry e;
    const std::optional<double> f = positive(boxes_.txtFreq), tip = positive(boxes_.txtDELength),
                                z0 = positive(boxes_.txtZ0);
    if (!f) return Failure::Failure("Enter the match frequency in MHz, a number above 0.");
    if (!tip) return Failure::Failure("Enter the driven-element tip length, a number above 0.");
    if (!z0) return Failure::Failure("Enter the cable impedance in ohms, a number above 0.");
    e.frequency = *f;
    e.tip = DimensionInches(*tip, units_);
    e.z0 = *z0;
    if (choice_ == Network::None) return e;
    const std::optional<double> d = positive(boxes_.txtDia), s = positive(boxes_.txtSpacing);
    if (!d || !s) return Failure::Failure("Enter the rod diameter and spacing, numbers above 0.");
    e.rodDiameter = DimensionInches(*d, units_);
    e.rodSpacing = DimensionInches(*s, units_);
    return e;
}

void MatchModel::showFeedPoint(float r, float x, float d1, float d2) {
    boxes_.lblDEZ = "Feed-point Z:     " + FeedPointText(r, x);
    feed_ = Feed{r, x, d1, d2};
    showNeeds();
}

void MatchModel::showAdjustedTip(double tip, double before, double halfLength) {
    const bool english = units_ == Units::English;
    const char* const mask = english ? "##0.0##" : "###0.0##";
    const char* const unit = english ? " inches" : " mm";
    boxes_.txtDELength = Format(ShownDimension(tip, units_), mask);
    boxes_.lblAdjusted =
        "Driven element adjusted: tip " + Format(ShownDimension(before, units_), mask) + " -> " +
        boxes_.txtDELength + unit + ", half-length " +
        Format(ShownDimension(halfLength, units_), english ? "###0.0##" : "####0.0") + unit;
    computed_.reset();
    showResults();
}

void MatchModel::showNeeds() {
    NeedTexts t;
    const std::optional<double> z0 = positive(boxes_.txtZ0);
    if (feed_ && z0) {
        double stepUp = 0;
        const std::optional<double> d = positive(boxes_.txtDia), s = positive(boxes_.txtSpacing);
        if (choice_ == Network::Gamma && d && s && feed_->d1 > 0)
            if (common::Result<GammaLine> line = GammaRodLine(
                    feed_->d1, feed_->d2, DimensionInches(*d, units_), DimensionInches(*s, units_)))
                stepUp = line.value().stepUp;
        t = NeedTextsFor(choice_, feed_->r, feed_->x, *z0, stepUp);
    }
    boxes_.lblNeed = t.need;
    boxes_.lblAssumes = t.assumes;
}

common::Result<> MatchModel::design(const MatchEntry& e, float r, float x, float d1, float d2) {
    MatchDesign d;
    d.network = choice_;
    d.rodDiameter = e.rodDiameter;
    d.rodSpacing = e.rodSpacing;
    if (choice_ == Network::Hairpin) {
        common::Result<HairpinDesign> h =
            DesignHairpin(r, e.z0, e.frequency, e.rodDiameter, e.rodSpacing);
        if (!h) return common::Result<>::Failure(h.message());
        d.hairpin = h.value();
    } else if (choice_ == Network::Gamma) {
        common::Result<GammaLine> line = GammaRodLine(d1, d2, e.rodDiameter, e.rodSpacing);
        if (!line) return common::Result<>::Failure(line.message());
        common::Result<GammaDesign> g = GammaMatch(r, x, e.z0, e.frequency, line.value());
        if (!g) return common::Result<>::Failure(g.message());
        d.gamma = g.value();
    }
    computed_ = d;
    showResults();
    return {};
}

void MatchModel::accept() {
    if (choice_ == Network::None)
        accepted_.reset();
    else if (acceptEnabled())
        accepted_ = computed_;
    opened_ = boxes_;
}

void MatchModel::cancel() {
    boxes_ = opened_;
    choice_ = network();
    computed_ = accepted_;
    showResults();
}

void MatchModel::showResults() {
    const RodCaptions captions = RodCaptionsFor(choice_);
    boxes_.lblDia = captions.diameter;
    boxes_.lblSpacing = captions.spacing;
    MatchResultTexts texts;
    if (computed_ && computed_->network == choice_)
        texts = choice_ == Network::Hairpin ? HairpinTexts(computed_->hairpin, units_)
                                            : GammaTexts(computed_->gamma, units_);
    boxes_.lblLength = texts.length;
    boxes_.lblReac = texts.reactance;
    showNeeds();
}

SwrRule MatchModel::swrRule(float z0) const {
    if (!accepted_) return [z0](float, float r, float x) { return SwrOnCable(r, x, z0); };
    const MatchDesign d = *accepted_;
    if (d.network == Network::Hairpin)
        return [z0, d](float f, float r, float x) {
            return static_cast<float>(HairpinSwr(f, r, x, z0, d.hairpin));
        };
    return [z0, d](float f, float r, float x) {
        return static_cast<float>(GammaThrough(f, r, x, z0, d.gamma).swr);
    };
}

std::vector<std::string> MatchModel::networkLines(Units layout) const {
    if (!accepted_) return {};
    const MatchDesign& d = *accepted_;
    const RodCaptions captions = RodCaptionsFor(d.network);
    const MatchResultTexts results = d.network == Network::Hairpin ? HairpinTexts(d.hairpin, layout)
                                                                   : GammaTexts(d.gamma, layout);
    return {NetworkInputLine(captions.diameter, d.rodDiameter, layout),
            NetworkInputLine(captions.spacing, d.rodSpacing, layout), results.length,
            results.reactance};
}

} // namespace qelt
