#pragma once
// The analysis drivers: the band sweep at eleven frequencies and the pattern at one,
// with the figures they derive (SWR on the cable, half-power beamwidths).
#include "engine_run.h"

#include <array>
#include <functional>
#include <string>

namespace qelt {

enum class Ratio { FrontToRear, FrontToBack };

constexpr int SweepPoints = 11;

struct SweepPoint {
    float frequency = 0;
    float gain = 0;
    float frontToBack = 0;
    float frontToRear = 0;
    int32_t rearIndex = 0;
    float resistance = 0;
    float reactance = 0;
    float swr = 0;
    int16_t takeoffIndex = 1;
    std::string trouble; // the engine's report when it could not solve this point

    float ratio(Ratio which) const {
        return which == Ratio::FrontToBack ? frontToBack : frontToRear;
    }
};
// Band low, then ten equal steps to band high; point 6 is the centre.
using Sweep = std::array<SweepPoint, SweepPoints>;
constexpr int CentrePoint = 5; // 0-based

// SWR on a cable of impedance `cableZ0` fed straight from the feed point r + jx.
float SwrOnCable(float r, float x, float cableZ0);

// The SWR of one sweep point: the plain mismatch, or through a matching network.
using SwrRule = std::function<float(float frequency, float r, float x)>;
// Told the number (1..11) of each point as it is done.
using SweepProgress = std::function<void(int point)>;

struct Band {
    float low = 0;
    float high = 0;
    bool operator==(const Band&) const = default;
};
// A file that names one frequency is swept from 3 % below it to 3 % above.
Band SweptBand(Band file);

// The sweep of the working copy with the driven tip set to `drivenTip`.
Sweep SweepBand(const EngineRoutines& engine, Antenna& working, float drivenTip, Band band,
                float heightFeet, const SwrRule& swr, const SweepProgress& progress = {});

struct Pattern {
    FarField field;
    bool overGround = false;
    int elementBeamwidth = 0; // degrees, in the plane of the elements
    int normalBeamwidth = 0;  // degrees, normal plane in free space or elevation over ground
};

Pattern ComputePattern(const EngineRoutines& engine, Antenna& working, float drivenTip,
                       float frequency, float heightFeet);

// Twice the first index (1-based) more than 3 dB down; 360 when none is.
int HalfPowerBeamwidth(const PatternValues& pattern);
// From the first index within 3 dB of the peak to the first above the takeoff index
// more than 3 dB down (or the end of the pattern when none is).
int ElevationBeamwidth(const PatternValues& elevation, int takeoffIndex);

} // namespace qelt
