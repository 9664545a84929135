#pragma once
// The antenna as a NEC-2 card deck, for a cross-check in any NEC-2 program: one wire
// per element centre and tube section along Y, the boom along X with the reflector at 0
// and the front towards +X, inches scaled to metres by a GS card, the source at the
// centre of the driven element, a sweep of the band at eleven frequencies, and the gain
// forward and backward (in free space) or the forward elevation cut (over perfect ground
// at the analyser's height).
#include "antenna.h"

#include <array>
#include <string>
#include <vector>

namespace qelt {

// What the deck's wires stand for. NEC-2 takes a change of tube diameter along a wire
// poorly, so the engine's uniform equivalent of each element is the one that agrees.
enum class NecElements { Equivalent, Tapered };

struct NecSection {
    double length = 0;   // inches along one half of the element, from the boom out
    double diameter = 0; // inches
};
struct NecElement {
    double position = 0; // inches along the boom from the first element
    std::vector<NecSection> sections;
};

// The elements as built, each half tube by tube.
std::vector<NecElement> TaperedElements(const Antenna& antenna);
// Each element as one uniform tube: the engine's half-lengths and diameters.
std::vector<NecElement> EquivalentElements(const Antenna& antenna,
                                           const std::array<float, MaxElements>& halfLength,
                                           const std::array<float, MaxElements>& diameter);

struct NecRun {
    std::string title;
    int drivenElement = 1;
    double freqLow = 0, freqHigh = 0; // MHz
    double heightFeet = 0;            // 0: free space
    NecElements form = NecElements::Equivalent;
};

std::string NecDeck(const std::vector<NecElement>& elements, const NecRun& run);

} // namespace qelt
