#pragma once
// The terrain program's data files: terrain profiles (*.PRO), the ground elevation along
// a line away from the tower, and elevation statistics (*.PRN), how often signals arrive
// at each angle on each band. Profiles are held in feet whatever the file used.
#include "common/result.h"
#include "vexlocore/vexlocore_abi.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace brisco {

constexpr int ProfileSize = VEXLO_PROFILE_POINTS; // indices 0..150; points from index 1
constexpr int MostProfilePoints = ProfileSize - 1;

struct TerrainProfile {
    std::array<float, ProfileSize> Distance{};  // feet from the tower base
    std::array<float, ProfileSize> Elevation{}; // feet above sea level
    // The points as the engine sees them: up to the first zero distance after index 1.
    int pointCount() const;
};

struct ProfileRead {
    TerrainProfile profile;
    bool truncated = false; // points followed the 150 the arrays take
    int stored = 0;         // data lines that gave a point
    // What the file's lines became, for the warnings about readings seldom meant.
    std::array<int, ProfileSize> line{};      // the file line (from 1) of each index
    std::array<bool, ProfileSize> hasPoint{}; // the line gave a point
    int wordyUnitsLine = 0;                   // the first units line holding more than a word, or 0
    bool wordyUnitsMeters = false;            // ... and whether the file was in metres from it on
    int splitElevationLine = 0;               // the first line whose elevation held several numbers
};

// The lines of a profile file. Fails only when a units line is the last line, leaving
// no data line in its place.
common::Result<ProfileRead> ParseTerrainProfile(const std::vector<std::string>& lines);
// A file that cannot be read, ends after a units line or holds no point is refused with
// a message naming it.
common::Result<ProfileRead> ReadTerrainProfile(const std::string& path);

// Refuses a profile the terrain engine would refuse (a point beyond its reach, away or up
// or down), naming the point and its line, before the engine gives the floor for it.
common::Result<> CheckProfileReach(const ProfileRead& read);

inline const std::string TruncationWarning =
    "Warning: Brisco is truncating terrain data beyond 149 points.";
// "File N: " and the slot's file name: the title of a message about one slot.
std::string SlotTitle(int slot, const std::string& fileName);

// One line per point, feet, no units line: "####.0  " then "####.0".
std::vector<std::string> WriteTerrainProfile(const std::vector<std::pair<float, float>>& points);

// How often signals arrive at each whole degree 1..35 on each band column 1..8, percent.
struct ElevationStats {
    std::array<std::array<double, 9>, 36> percent{}; // [angle][column], both from 1
    // Signs that the fixed columns misread the file (rows separated by tabs or commas, a
    // title taken for the heading), each naming its line or column; read all the same.
    std::vector<std::string> misreads;
    double at(int angle, int column) const { return percent[angle][column]; }
};

common::Result<ElevationStats> ParseElevationStats(const std::vector<std::string>& lines);
// A file that cannot be read, lacks the "Elev" heading or the 35 rows, or holds a value
// that is not a percentage is refused with FileErrorMessage.
common::Result<ElevationStats> ReadElevationStats(const std::string& path);

// The statistics column of a frequency in MHz (1..8).
int BandColumn(double frequency);
// Whether the frequency lies on a band the eight columns stand for, 80 m to 10 m: the
// table above sends every other frequency, 1.9 or 50.1 MHz, to the 10 m column.
bool HasBandColumn(double frequency);

// "The file  '<path>'  has an error. Examine it with a word processor."
std::string FileErrorMessage(const std::string& path);
// The message for a terrain profile that cannot be used.
std::string ProfileErrorMessage(const std::string& path);

// The name of a file without its folder.
std::string FileNameOf(const std::string& path);

} // namespace brisco
