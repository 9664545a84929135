#pragma once
// The built engine library, loaded by name and called through its C interface
// exactly as the analyser does.

#include "yoruk_abi.h"

#include <array>
#include <string>

namespace yoruk_test {

struct Library {
    yoruk_GETDTA4* getdta4;
    yoruk_NUMPARSE* numparse;
    yoruk_UCASE* ucase;
    yoruk_EFFLEN4* efflen4;
    yoruk_SETMAT* setmat;
    yoruk_YAGI3* yagi3;
    yoruk_FLDFAC2* fldfac2;
    yoruk_YSTATUS* ystatus;
};

// Loads SUITE_DIR/libyoruk.so once; fails the test when a routine is missing.
const Library& Engine();

struct LastStatus {
    int code = -1;
    int line = -1;
    std::string message; // trailing blanks removed
};
LastStatus Status();

// The analyser's antenna record.
struct Antenna {
    std::array<char, 50> title{};
    int16_t elementCount = 0;
    int16_t drivenElement = 0;
    std::array<int16_t, 50> sectionCount{};
    std::array<float, 500> sectionLength{};
    std::array<float, 500> sectionDiameter{};
    std::array<float, 50> spacing{};
    float freqLow = 0;
    float freqHigh = 0;

    float length(int element, int section) const {
        return sectionLength[element - 1 + 50 * (section - 1)];
    }
    float diameter(int element, int section) const {
        return sectionDiameter[element - 1 + 50 * (section - 1)];
    }
    std::string titleText() const;
};

// Writes `contents` to a file of this test's own and returns its path.
std::string WriteFile(const std::string& name, const std::string& contents);

// GETDTA4 on `path` into `antenna` (which keeps what the reader leaves alone).
void Read(const std::string& path, Antenna& antenna);

// Uniform elements for SETMAT, in inches.
struct Uniform {
    int16_t elementCount = 1;
    int16_t drivenElement = 1;
    std::array<float, 50> halfLength{};
    std::array<float, 50> diameter{};
    std::array<float, 50> spacing{};
};

struct Point {
    std::array<float, 2500> geometry{};
    std::array<float, 50> halfLengthWl{};
    std::array<float, 180> azimuth{};
    std::array<float, 180> elevation{};
    float gain = 0, frontToBack = 0, resistance = 0, reactance = 0, frontToRear = 0;
    int16_t takeoffIndex = 0;
    int32_t rearLobeIndex = -7; // as the caller set it
    int status = -1;            // after FLDFAC2
};

// The uniform equivalent of a read antenna, by EFFLEN4.
Uniform UniformOf(Antenna& antenna);

// SETMAT, YAGI3 and FLDFAC2 at one frequency (MHz) and height (feet).
Point Solve(const Uniform& antenna, float frequency, float height = 0);
// FLDFAC2 alone, again, on the geometry of `point`.
void FarField(const Uniform& antenna, float frequency, float height, Point& point);

// A long Yagi at 14 MHz: reflector, driven element and directors shortening along the
// boom, all of the given diameter in wavelengths.
Uniform LongYagi(int elements, float diameterWl = 0.004f);

// A dipole of half-length h and diameter 0.001, in wavelengths, at 14 MHz.
Uniform Dipole(float halfLengthWl, float diameterWl = 0.001f);
constexpr float TestFrequency = 14.0f;
constexpr float TestWavelength = 11802.85f / TestFrequency;

} // namespace yoruk_test
