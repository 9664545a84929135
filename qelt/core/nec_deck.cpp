#include "nec_deck.h"

#include "common/constants.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace qelt {
namespace {

// Segments about a sixtieth of the shortest wavelength of the band long.
constexpr double SegmentsPerWavelength = 60;

std::string number(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", v);
    return text;
}

int segmentsFor(double length, double segment) {
    return std::max(1, static_cast<int>(std::lround(length / segment)));
}

} // namespace

std::vector<NecElement> TaperedElements(const Antenna& antenna) {
    std::vector<NecElement> elements;
    double along = 0;
    for (int e = 1; e <= antenna.elementCount; ++e) {
        if (e > 1) along += antenna.spacing[e - 2];
        NecElement element{along, {}};
        for (int s = 1; s <= antenna.sectionCount[e - 1]; ++s)
            element.sections.push_back({antenna.length(e, s), antenna.diameter(e, s)});
        elements.push_back(element);
    }
    return elements;
}

std::vector<NecElement> EquivalentElements(const Antenna& antenna,
                                           const std::array<float, MaxElements>& halfLength,
                                           const std::array<float, MaxElements>& diameter) {
    std::vector<NecElement> elements = TaperedElements(antenna);
    for (std::size_t i = 0; i < elements.size(); ++i)
        elements[i].sections = {{halfLength[i], diameter[i]}};
    return elements;
}

std::string NecDeck(const std::vector<NecElement>& elements, const NecRun& run) {
    const double segment =
        common::WavelengthInchesMHz / std::max(run.freqLow, run.freqHigh) / SegmentsPerWavelength;
    const double z = run.heightFeet * 12;
    std::string wires;
    int tag = 0, feedTag = 0, feedSegment = 0;
    auto wire = [&](int segments, double x, double y1, double y2, double diameter) {
        wires += "GW " + std::to_string(++tag) + " " + std::to_string(segments) + " " + number(x) +
                 " " + number(y1) + " " + number(z) + " " + number(x) + " " + number(y2) + " " +
                 number(z) + " " + number(diameter / 2) + "\n";
    };
    for (std::size_t e = 0; e < elements.size(); ++e) {
        const NecElement& element = elements[e];
        if (element.sections.empty()) continue;
        // The centre tube runs across the boom, with an odd number of segments so that
        // one sits at the centre for the source.
        const NecSection& centre = element.sections.front();
        int segments = std::max(3, segmentsFor(2 * centre.length, segment));
        segments += segments % 2 == 0 ? 1 : 0;
        wire(segments, element.position, -centre.length, centre.length, centre.diameter);
        if (static_cast<int>(e) + 1 == run.drivenElement) {
            feedTag = tag;
            feedSegment = (segments + 1) / 2;
        }
        double out = centre.length;
        for (std::size_t s = 1; s < element.sections.size(); ++s) {
            const NecSection& tube = element.sections[s];
            const int n = segmentsFor(tube.length, segment);
            wire(n, element.position, out, out + tube.length, tube.diameter);
            wire(n, element.position, -out, -out - tube.length, tube.diameter);
            out += tube.length;
        }
    }

    const bool overGround = run.heightFeet > 0;
    std::string deck = "CM " + run.title + "\n";
    deck += run.form == NecElements::Equivalent
                ? "CM Each element is the uniform tube equivalent to its tapered sections.\n"
                : "CM Each element is made of its tube sections as built.\n";
    deck += "CM Boom along X, front towards +X, elements along Y; inches, scaled to metres.\n";
    deck += "CM Source at the centre of element " + std::to_string(run.drivenElement) + ".\n";
    deck += overGround ? "CM Over perfect ground, " + number(run.heightFeet) + " feet high.\n"
                       : std::string("CM Free space.\n");
    deck += "CE\n" + wires + "GS 0 0 0.0254\n";
    deck += overGround ? "GE 1\nGN 1\n" : "GE 0\n";
    deck += "EX 0 " + std::to_string(feedTag) + " " + std::to_string(feedSegment) + " 0 1 0\n";
    deck += "FR 0 11 0 0 " + number(run.freqLow) + " " + number((run.freqHigh - run.freqLow) / 10) +
            "\n";
    // Forward and back in free space; over ground the elevation cut forward, from the
    // zenith down to 1 degree above the horizon.
    deck += overGround ? "RP 0 90 1 1000 0 0 1 0\n" : "RP 0 1 2 1000 90 0 0 180\n";
    deck += "EN\n";
    return deck;
}

} // namespace qelt
