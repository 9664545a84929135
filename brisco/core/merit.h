#pragma once
// Rating a slot: its figure of merit against the elevation statistics of the band, and
// its section of the results file OUT.PRN.
#include "antenna_stack.h"
#include "terrain_files.h"

#include "common/result.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brisco {

constexpr int GainCount = VEXLO_GAINS;              // 0.25 to 35 degrees in quarter degrees
constexpr float GainFloor = -30.0f;                 // what the engine leaves where it has nothing
using SlotGains = std::array<float, GainCount + 1>; // [k]: gain in dBi at k/4 degrees; [0] floor

inline SlotGains FloorGains() {
    SlotGains g;
    g.fill(GainFloor);
    return g;
}

// 10 log10 of the sum over each whole degree 1..35 of the gain as a power ratio weighted
// by the band's share of arrivals at that degree; 0 when the sum is 0.
double FigureOfMerit(const SlotGains& gains, const ElevationStats& stats, int column);

// The column a frequency is rated by, or why it cannot be: the statistics, named
// `statsName`, have no column for its band, or the band's column is all zero.
common::Result<int> RatingColumn(const ElevationStats& stats, float frequency,
                                 const std::string& statsName);
// What a slot's figure of merit reads when the band cannot be rated.
inline const std::string NoBandStatistics = "No band statistics";

// A text as a delimited-record writer writes it: in double quotes, a quote inside doubled.
std::string Enclosed(std::string_view text);

struct SlotReport {
    float frequency = 0; // MHz
    std::string terrain, heights, type;
    Units units = Units::Feet;
    SlotGains gains = FloorGains();
    // The statistics file's name and the slot's figure of merit, when a file is selected.
    std::optional<std::pair<std::string, double>> merit;
};

// The slot's section of OUT.PRN: heading lines, 35 lines of angle and gain, the figure
// of merit when rated, and an empty line.
std::vector<std::string> SlotSection(const SlotReport& report);

} // namespace brisco
