#pragma once
// Every azimuth rated: each stack of the main window (slot 1 and every other slot with
// heights) over the profile cut at each azimuth, its figure of merit, strongest gain and
// the angle of it; and the same stacks over flat ground as the reference.
#include "assessment.h"
#include "elevation_profiles.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace brisco {

struct StackRating {
    std::optional<double> merit; // dB; none without a statistics file for the band
    float maxGain = GainFloor;   // dBi
    float peakAngle = 0;         // degrees, where the gain is strongest (the lowest such)
};

struct AzimuthRow {
    double azimuth = 0;
    std::array<StackRating, SlotCount> stacks;
};

struct AzimuthRating {
    bool computed = false;
    std::vector<Message> messages;           // each said once
    std::array<bool, SlotCount> stack{};     // the slots rated
    std::vector<AzimuthRow> rows;            // in the order of the profiles
    std::array<StackRating, SlotCount> flat; // over level ground at the station's height
};

// Slot 1 and every other slot whose heights box is not empty.
std::array<bool, SlotCount> RatedStacks(const Assessment& assessment);
// How a stack is named in a table, a curve and CSV: "1: 120/90 ft 4-Ele.".
std::string StackName(const Assessment& assessment, int slot);

StackRating RateGains(const SlotGains& gains, const std::optional<double>& merit);

// The stacks over every profile, with the frequency, ground and statistics of the
// assessment; `progress` is told how many profiles are done. Stops at the first
// computation that stops, with its message.
AzimuthRating RateAzimuths(const Assessment& assessment, const std::vector<CutProfile>& profiles,
                           const EngineSource& engine,
                           const std::function<void(int)>& progress = {});

// "Azimuth,FigureOfMerit,MaxGainDBi,PeakAngle", the three columns again for each further
// stack (" 2" ... after their names), then a line per azimuth; an unrated figure of merit
// is left empty.
std::vector<std::string> AzimuthRatingCsv(const AzimuthRating& rating);

} // namespace brisco
