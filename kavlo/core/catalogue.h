#pragma once
// The cable catalogue and the line description derived from it at a frequency.
#include "common/constants.h"

#include <array>
#include <optional>
#include <string_view>

namespace kavlo {

struct CableRow {
    std::string_view listText;
    double a; // attenuation law: dB/100 ft = exp(a ln(f) + b)
    double b;
    float vf;
    float vmax;
    float capPerFoot; // pF per foot
};

constexpr int CatalogueSize = 34;
constexpr int UserDefinedIndex = 33;
extern const std::array<CableRow, CatalogueSize> Catalogue;

// A line the user describes: its numbers as entered, attenuation held per 100 ft at
// the frequency where it was stated.
struct UserLine {
    float r0 = 50;
    float x0 = 0;
    float atten = 1; // dB per 100 ft
    float vf = 0.66f;
    float vmax = 1000;
    double freq = 3.5; // MHz at which atten holds
};

struct LineDescription {
    float r0 = 50;
    float x0 = -0.6f;
    float atten = 0; // dB per 100 ft at the working frequency
    float vf = 0.66f;
    float vmax = 3700;
    float wavelength = 0; // ft
    float capPerFoot = 29.5f;
};

constexpr float FreeSpaceWavelengthFt = static_cast<float>(common::WavelengthFeetMHz);
constexpr float TwoPi = common::TwoPiSingle;

// Sets the description for the cable at `index` and frequency `freq` (MHz).
// An index outside the catalogue (or -1, nothing chosen) leaves it as it was.
void DescribeLine(LineDescription& line, int index, double freq, const UserLine& user);

} // namespace kavlo
