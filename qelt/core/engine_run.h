#pragma once
// The engine's calling order, kept in one place: a file read (GETDTA4, then YSTATUS),
// and an analysis that reduces the tapered elements once (EFFLEN4) and then solves
// any number of frequencies (SETMAT, YAGI3, FLDFAC2 at each).
#include "antenna.h"
#include "engine_routines.h"

#include "common/result.h"

#include <array>
#include <cstdint>
#include <string>

namespace qelt {

constexpr int PatternPoints = YORUK_PATTERN_POINTS;
using PatternValues = std::array<float, PatternPoints>; // dB below the reference, 1 degree apart

inline const char* const KlmMessage = "Sorry, I don't do KLM antennas yet.";

// "The file  '<path>'  has an error. Examine it with a word processor."
std::string FileErrorMessage(const std::string& path);

// The antenna in the file, or the message for the user: the KLM notice, or the file
// error followed on a second line by what the engine found ("Line 5: ...").
common::Result<Antenna> ReadAntennaFile(const EngineRoutines& engine, const std::string& path);

// What FLDFAC2 gives for one frequency.
struct FarField {
    float frequency = 0;
    PatternValues azimuth{};   // element plane, dB below forward
    PatternValues elevation{}; // normal plane: below forward, or below the peak over ground
    float gain = 0;            // dBi: free space, or the elevation peak over ground
    float frontToBack = 0;
    float frontToRear = 0; // 1000 when no rear lobe qualifies
    float resistance = 0;
    float reactance = 0;
    int16_t takeoffIndex = 1;
    int32_t rearLobeIndex = 0;
    // What the engine reported when it could not solve this frequency ("" when it
    // could): the numbers above are then not to be trusted.
    std::string trouble;
};

// One analysis of the working copy. Construction is the common preparation of every
// driver: the driven element's tip set to `drivenTip`, then EFFLEN4 once.
class EngineRun {
public:
    EngineRun(const EngineRoutines& engine, Antenna& working, float drivenTip);

    // SETMAT, YAGI3 and FLDFAC2 at one frequency (MHz) and height (feet; 0 free space).
    FarField solve(float frequency, float heightFeet);

    // EFFLEN4's uniform equivalent of each element: half-length and diameter, inches.
    const std::array<float, MaxElements>& equivalentHalfLength() const {
        return equivalentHalfLength_;
    }
    const std::array<float, MaxElements>& equivalentDiameter() const { return equivalentDiameter_; }

private:
    // The engine's report of the call just made, kept in `trouble` unless one is there.
    void noteStatus(std::string& trouble) const;

    const EngineRoutines& engine_;
    Antenna& antenna_;
    std::array<float, MaxElements> equivalentHalfLength_{};
    std::array<float, MaxElements> equivalentDiameter_{};
    std::array<float, MaxElements * MaxElements> geometry_{};
    std::array<float, MaxElements> halfLengthWl_{};
    int32_t rearLobeIndex_ = 0; // kept between points, as the engine leaves it when none
    std::string preparation_;   // EFFLEN4's report, which holds for every frequency
};

} // namespace qelt
