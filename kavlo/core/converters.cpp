#include "converters.h"

#include "common/constants.h"
#include "common/number_text.h"

#include <algorithm>
#include <cmath>

namespace kavlo {

using common::Format;
using common::ParseNumber;

namespace {

// The analyser's reference resistance.
constexpr double ReadingZ0 = 50;
// No shunt reactance: the bridge's capacitance dial at 0.
constexpr double NoShuntReactance = 100000000;

ImpedanceEntry entryOf(double r, double x) { return {Format(r, "###0.00"), Format(x, "###0.00")}; }

} // namespace

std::vector<Message> SwrMagnitudeEntry::setSwr(const std::string& text) {
    texts_.txtAutekSWR = text;
    return compute();
}

std::vector<Message> SwrMagnitudeEntry::setMagnitude(const std::string& text) {
    texts_.txtAutekZ = text;
    return compute();
}

std::vector<Message> SwrMagnitudeEntry::compute() {
    const double s = ParseNumber(texts_.txtAutekSWR);
    const double m = ParseNumber(texts_.txtAutekZ);
    found_ = false;
    texts_.txtCalcZ.clear();
    if (m == 0) {
        texts_.txtMinSWR.clear();
        // An emptied box is the user about to type a new magnitude.
        return texts_.txtAutekZ.empty() ? std::vector<Message>{} : std::vector{NoMagnitude};
    }
    // No impedance has a negative magnitude; its minimum SWR would read below 0.
    if (!(m > 0) || !std::isfinite(m)) {
        texts_.txtMinSWR.clear();
        return {NegativeMagnitude};
    }
    const double minimum = std::max(m / ReadingZ0, ReadingZ0 / m);
    texts_.txtMinSWR = Format(minimum, "#0.0");
    // A pure resistance reads exactly its minimum SWR; only a lower SWR has no impedance.
    if (minimum > s) return {};
    const double rho2 = std::pow((s - 1) / (s + 1), 2);
    const double r = (m * m + 2500) * (1 - rho2) / (100 * (1 + rho2));
    r_ = static_cast<float>(r);
    x_ = static_cast<float>(std::sqrt(std::max(0.0, m * m - r * r)));
    found_ = true;
    texts_.txtCalcZ = Format(r_, "###0.0") + " +/- j " + Format(x_, "###0.0");
    return {};
}

std::optional<ImpedanceEntry> SwrMagnitudeEntry::accept(std::vector<Message>& messages) const {
    if (!found_) {
        messages.push_back(NoSwrMagnitudeImpedance);
        return std::nullopt;
    }
    return entryOf(r_, positive_ ? x_ : -x_);
}

std::vector<Message> NoiseBridgeEntry::setFrequency(double freq) {
    freq_ = freq;
    return compute();
}

std::vector<Message> NoiseBridgeEntry::setResistance(const std::string& text) {
    texts_.txtResist = text;
    return compute();
}

std::vector<Message> NoiseBridgeEntry::setCapacitance(const std::string& text) {
    texts_.txtReact = text;
    return compute();
}

std::vector<Message> NoiseBridgeEntry::setExtender(const std::string& text) {
    texts_.txtExtender = text;
    return compute();
}

std::vector<Message> NoiseBridgeEntry::compute() {
    const bool wasNegative = r_ < 0;
    const double rp = ParseNumber(texts_.txtResist);
    const double c = ParseNumber(texts_.txtReact);
    const double extender = ParseNumber(texts_.txtExtender);
    const double xp =
        c == 0 ? NoShuntReactance : -1 / (common::TwoPiReactance * freq_ * c * 0.000001);
    const double q = rp / xp;
    r_ = static_cast<float>(rp / (1 + q * q) - extender);
    x_ = static_cast<float>(rp * q / (1 + q * q));
    texts_.txtCompZ =
        Format(r_, "###0.00") + (x_ < 0 ? " - j " : " + j ") + Format(std::fabs(x_), "###0.00");
    if (r_ < 0 && !wasNegative) return {ExtenderTooBig};
    return {};
}

std::optional<ImpedanceEntry> NoiseBridgeEntry::accept(std::vector<Message>& messages) const {
    if (r_ < 0) {
        messages.push_back(ExtenderTooBig);
        return std::nullopt;
    }
    return entryOf(r_, x_);
}

} // namespace kavlo
