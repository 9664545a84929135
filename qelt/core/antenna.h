#pragma once
// A Yagi as the analyser holds it: the record the reader fills and the working copy
// the analysis and the editors change. Lengths and diameters in inches, frequencies
// in MHz; the section tables are column-major with the element index running fastest,
// as the engine takes them.
#include "yoruk/yoruk_abi.h"

#include <array>
#include <cstdint>
#include <string>

namespace qelt {

constexpr int MaxElements = YORUK_MAX_ELEMENTS;
constexpr int MaxSections = YORUK_MAX_SECTIONS;
constexpr int TitleWidth = YORUK_TITLE_WIDTH;

struct Antenna {
    std::string title = std::string(TitleWidth, ' '); // line 1, blank-padded to 50
    int16_t elementCount = 0;
    int16_t drivenElement = 0; // 1-based; 0 while no antenna is loaded
    std::array<int16_t, MaxElements> sectionCount{};
    std::array<float, MaxElements * MaxSections> sectionLength{};
    std::array<float, MaxElements * MaxSections> sectionDiameter{};
    std::array<float, MaxElements> spacing{}; // element i to i + 1
    float freqLow = 0;
    float freqHigh = 0;

    // Section `section` of element `element`, both counted from 1.
    float& length(int element, int section) { return sectionLength[at(element, section)]; }
    float length(int element, int section) const { return sectionLength[at(element, section)]; }
    float& diameter(int element, int section) { return sectionDiameter[at(element, section)]; }
    float diameter(int element, int section) const { return sectionDiameter[at(element, section)]; }

    // The driven element's outermost section, the tip the match dialog trims.
    float tipLength() const;
    void setTipLength(float inches);
    // From the first element to the last.
    float boomLength() const;
    // True when two elements have the same nine section diameters: one taper schedule.
    bool sameDiameters(int element, int other) const;
    // The title without its padding.
    std::string titleText() const;

    bool operator==(const Antenna&) const = default;

private:
    bool hasTip() const;
    static int at(int element, int section) { return element - 1 + MaxElements * (section - 1); }
};

} // namespace qelt
