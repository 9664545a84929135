#include "antenna_check.h"

#include "common/number_text.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace qelt {
namespace {

using common::Format;
using common::NumberText;

common::Result<> refuse(const std::string& message) { return common::Result<>::Failure(message); }

std::string megahertz(double f) { return Format(f, "###0.000") + " MHz"; }

float thickest(const Antenna& a, int element) {
    float d = 0;
    for (int s = 1; s <= a.sectionCount[element - 1]; ++s) d = std::max(d, a.diameter(element, s));
    return d;
}

} // namespace

common::Result<> CheckBand(double low, double high) {
    if (!(low > 0) || !(high > 0) || !std::isfinite(low) || !std::isfinite(high))
        return refuse("The band edges must be frequencies above 0 MHz.");
    if (low > high)
        return refuse("The band runs from " + megahertz(low) + " down to " + megahertz(high) +
                      ": its high edge is below its low edge.");
    if (high > HighestMHz)
        return refuse("The band reaches " + NumberText(high) +
                      " MHz, above any the analyser takes (" + megahertz(HighestMHz) + ").");
    return {};
}

common::Result<> CheckAntenna(const Antenna& a) {
    if (common::Result<> band = CheckBand(a.freqLow, a.freqHigh); !band)
        return refuse(band.message() + " Correct the band line of the file (low, centre, high).");
    float position = 0;
    std::vector<float> positions;
    for (int e = 0; e < a.elementCount; ++e) {
        positions.push_back(position);
        position += a.spacing[static_cast<size_t>(e)];
    }
    for (int i = 1; i <= a.elementCount; ++i)
        for (int j = i + 1; j <= a.elementCount; ++j) {
            const double apart = std::fabs(positions[i - 1] - positions[j - 1]);
            const double touching = (thickest(a, i) + thickest(a, j)) / 2;
            if (apart <= touching)
                return refuse("Elements " + std::to_string(i) + " and " + std::to_string(j) +
                              (apart < touching ? " overlap" : " touch") + ": they are " +
                              Format(apart, "###0.0##") +
                              " inches apart, centre to centre, and their tubes " +
                              Format(touching * 2, "###0.0##") +
                              " inches thick together. Space them further apart.");
        }
    return {};
}

double MostGainDbi(int elements, bool overGround) {
    const double bestElement = std::pow(10.0, 5.2 / 10);
    return 10 * std::log10(bestElement * elements * elements) + (overGround ? 6.02 : 0);
}

common::Result<> CheckSweep(const Sweep& sweep, int elements, bool overGround) {
    for (const SweepPoint& p : sweep) {
        if (!p.trouble.empty()) continue; // the engine has said what went wrong there
        const std::string at = "At " + megahertz(p.frequency) + " the analysis gives ";
        if (!std::isfinite(p.resistance) || !std::isfinite(p.reactance) || !(p.resistance > 0))
            return refuse(at + "a feed-point resistance of " + Format(p.resistance, "###0.0") +
                          " ohms, which no antenna has: look for elements that cross or are "
                          "far too close, or a band far from the elements' lengths.");
        if (!std::isfinite(p.swr) || !(p.swr >= 0.999f))
            return refuse(at + "an SWR of " + Format(p.swr, "###0.00") +
                          ":1, which no antenna has: look for elements that cross or are far "
                          "too close, or a band far from the elements' lengths.");
        const double most = MostGainDbi(elements, overGround);
        if (!std::isfinite(p.gain) || p.gain > most)
            return refuse(at + Format(p.gain, "##0.00 dBi") + ", more than " +
                          std::to_string(elements) + " elements can give (at most " +
                          Format(most, "#0.0 dBi") +
                          "): an element is far longer or shorter than the band asks.");
    }
    return {};
}

common::Result<> CheckAnalysis(const Antenna& antenna, const Sweep& sweep, bool overGround) {
    if (common::Result<> sound = CheckAntenna(antenna); !sound) return sound;
    return CheckSweep(sweep, antenna.elementCount, overGround);
}

} // namespace qelt
