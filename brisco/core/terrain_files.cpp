#include "terrain_files.h"

#include "common/constants.h"
#include "common/number_text.h"
#include "common/text_file.h"
#include "common/trimmed.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <filesystem>

namespace brisco {
namespace {

// Profile fields: characters below "-" separate, everything from "-" up belongs to a field.
bool isSeparator(char c) { return static_cast<unsigned char>(c) < 45; }

bool isUnitsLine(const std::string& line) {
    return line.find_first_of("FfmM") != std::string::npos;
}
bool selectsFeet(const std::string& line) {
    return (!line.empty() && line[0] == 'f') || line.find('F') != std::string::npos;
}

// A units line meant as one: a single word such as "Feet" or "meters".
bool isUnitsWord(const std::string& line) {
    const std::string word = common::Trimmed(line);
    return std::all_of(word.begin(), word.end(),
                       [](char c) { return std::isalpha(static_cast<unsigned char>(c)); });
}

// The distance field of a data line: from the first field character to the separator
// that ends it; the line stores no point when no separator follows the field.
struct DistanceField {
    size_t start = 0, end = 0;
    bool followed = false;
};
DistanceField distanceField(const std::string& line) {
    DistanceField f;
    while (f.start < line.size() && isSeparator(line[f.start])) ++f.start;
    f.end = f.start;
    while (f.end < line.size() && !isSeparator(line[f.end])) ++f.end;
    f.followed = f.end < line.size();
    return f;
}

// Whether blanks part two numbers in an elevation text, which is read as one.
bool holdsSeveralNumbers(std::string_view text) {
    int numbers = 0;
    bool inWord = false;
    for (size_t k = 0; k < text.size(); ++k) {
        const bool blank = text[k] == ' ' || text[k] == '\t';
        if (!blank && !inWord && std::isdigit(static_cast<unsigned char>(text[k]))) ++numbers;
        if (!blank && !inWord && k + 1 < text.size() && std::strchr("+-.", text[k]) &&
            std::isdigit(static_cast<unsigned char>(text[k + 1])))
            ++numbers;
        inWord = !blank;
    }
    return numbers > 1;
}

// Stores the point of a data line when its first field is followed by a separator; the
// whole rest of the line after that one separator is the elevation.
bool storePoint(const std::string& line, bool meters, TerrainProfile& p, int i) {
    const auto [start, end, followed] = distanceField(line);
    if (!followed) return false;
    auto feet = [meters](std::string_view text) {
        double v = common::ParseNumber(text);
        // Metres over the foot as the profile keeps it, in single precision.
        return static_cast<float>(meters ? v / static_cast<float>(common::MetresPerFoot) : v);
    };
    p.Distance[i] = feet(std::string_view(line).substr(start, end - start));
    p.Elevation[i] = feet(std::string_view(line).substr(end + 1));
    return true;
}

// A text file never holds a NUL byte: one that does is not a profile or a statistics
// file, however many numbers its bytes happen to spell.
bool isBinary(const std::vector<std::string>& lines) {
    for (const std::string& line : lines)
        if (line.find('\0') != std::string::npos) return true;
    return false;
}

// Whether a line from `from` on would have given a point the full arrays cannot take.
bool dropsPoints(const std::vector<std::string>& lines, size_t from) {
    TerrainProfile scratch;
    for (size_t at = from; at < lines.size(); ++at)
        if (storePoint(lines[at], false, scratch, 1)) return true;
    return false;
}

} // namespace

int TerrainProfile::pointCount() const {
    for (int i = 2; i < ProfileSize; ++i)
        if (Distance[i] == 0) return i - 1;
    return MostProfilePoints;
}

common::Result<> CheckProfileReach(const ProfileRead& read) {
    const TerrainProfile& p = read.profile;
    for (int i = 1; i <= p.pointCount(); ++i) {
        const bool far = std::fabs(p.Distance[i]) > double(VEXLO_FARTHEST_FEET);
        if (!far && std::fabs(p.Elevation[i]) <= double(VEXLO_HIGHEST_ELEVATION_FEET)) continue;
        const std::string where = "The point on line " + std::to_string(read.line[i]) + " (" +
                                  common::Format(p.Distance[i], "0") + " ft, " +
                                  common::Format(p.Elevation[i], "0") + " ft) ";
        return common::Result<>::Failure(
            where +
            (far ? "lies farther than the terrain engine reaches, " +
                       std::to_string(int(VEXLO_FARTHEST_FEET)) + " ft (about 95 miles)."
                 : "lies higher or lower than any ground, beyond " +
                       std::to_string(int(VEXLO_HIGHEST_ELEVATION_FEET)) + " ft from sea level.") +
            " Shorten the profile, or check its units and numbers.");
    }
    return {};
}

common::Result<ProfileRead> ParseTerrainProfile(const std::vector<std::string>& lines) {
    ProfileRead read;
    bool meters = false;
    int i = 1;
    for (size_t at = 0; at < lines.size(); ++at) {
        const std::string* line = &lines[at];
        if (isUnitsLine(*line)) {
            if (!selectsFeet(*line)) meters = true; // once in metres, the rest is too
            if (!read.wordyUnitsLine && !isUnitsWord(*line)) {
                read.wordyUnitsLine = static_cast<int>(at) + 1;
                read.wordyUnitsMeters = meters;
            }
            if (++at == lines.size())
                return common::Result<ProfileRead>::Failure("a units line ends the file");
            line = &lines[at]; // the next line is data, whatever it holds
        }
        read.line[i] = static_cast<int>(at) + 1;
        if (storePoint(*line, meters, read.profile, i)) {
            ++read.stored;
            read.hasPoint[i] = true;
            if (!read.splitElevationLine &&
                holdsSeveralNumbers(std::string_view(*line).substr(distanceField(*line).end + 1)))
                read.splitElevationLine = read.line[i];
        }
        if (++i > MostProfilePoints) {
            read.truncated = dropsPoints(lines, at + 1);
            break;
        }
    }
    return read;
}

common::Result<ProfileRead> ReadTerrainProfile(const std::string& path) {
    const common::TextFile file = common::ReadTextFile(path);
    if (file.state == common::FileState::Missing)
        return common::Result<ProfileRead>::Failure("The terrain file " + path +
                                                    " cannot be read. It may have been moved, "
                                                    "renamed or deleted.");
    // A folder, a device, a pipe, a file no profile is as large as: the reader says which.
    if (file.state == common::FileState::Unreadable)
        return common::Result<ProfileRead>::Failure("The terrain file " + file.message);
    common::Result<ProfileRead> read = ParseTerrainProfile(file.lines);
    // A profile without a single point would be computed as level ground at sea level.
    if (!read || read.value().stored == 0 || isBinary(file.lines))
        return common::Result<ProfileRead>::Failure(ProfileErrorMessage(path));
    return read;
}

std::string SlotTitle(int slot, const std::string& fileName) {
    return "File " + std::to_string(slot) + ": " + fileName;
}

std::vector<std::string> WriteTerrainProfile(const std::vector<std::pair<float, float>>& points) {
    std::vector<std::string> lines;
    lines.reserve(points.size());
    for (auto [distance, elevation] : points)
        lines.push_back(common::Format(distance, "####.0  ") + common::Format(elevation, "####.0"));
    return lines;
}

namespace {

// The comma-delimited items of a header line, quoted items unquoted, blanks trimmed.
std::vector<std::string> headerItems(const std::string& line) {
    std::vector<std::string> items;
    std::string item;
    bool quoted = false;
    auto finish = [&] {
        items.push_back(common::Trimmed(item));
        item.clear();
    };
    for (char c : line) {
        if (c == '"')
            quoted = !quoted;
        else if (c == ',' && !quoted)
            finish();
        else
            item.push_back(c);
    }
    finish();
    return items;
}

bool isHeading(const std::string& line) {
    for (const std::string& item : headerItems(line))
        if (item.rfind("Elev", 0) == 0) return true;
    return false;
}

bool isBlank(char c) { return c == ' '; }

// Whether the fixed five-character fields of a row start or end inside a run of text.
bool cutThrough(const std::string& row) {
    for (size_t from = 8; from <= 57; from += 7) {
        auto inText = [&row](size_t a) {
            return a + 1 < row.size() && !isBlank(row[a]) && !isBlank(row[a + 1]);
        };
        if (inText(from - 1) || inText(from + 4)) return true;
    }
    return false;
}

// The signs of a misread: a row holding a tab or text the fields cut through, a band
// whose shares do not come to about 100 %.
std::vector<std::string> statisticsMisreads(const std::vector<std::string>& lines, size_t heading,
                                            const ElevationStats& stats) {
    std::vector<std::string> found;
    for (int angle = 1; angle <= 35; ++angle) {
        const std::string& row = lines[heading + angle];
        if (row.find('\t') != std::string::npos || cutThrough(row)) {
            found.push_back("Line " + std::to_string(heading + angle + 1) +
                            " holds a tab or text that the fixed columns of five characters "
                            "(from characters 9, 16, 23, 30, 37, 44, 51 and 58) cut through.");
            break;
        }
    }
    static const char* const bands[] = {"80", "40", "30", "20", "17", "15", "12", "10"};
    for (int column = 1; column <= 8; ++column) {
        double sum = 0;
        for (int angle = 1; angle <= 35; ++angle) sum += stats.at(angle, column);
        if (sum != 0 && (sum < 90 || sum > 110))
            found.push_back("The " + std::string(bands[column - 1]) + " m column sums to " +
                            common::NumberText(sum) + " %, not about 100 %.");
    }
    return found;
}

} // namespace

common::Result<ElevationStats> ParseElevationStats(const std::vector<std::string>& lines) {
    using Failure = common::Result<ElevationStats>;
    size_t heading = 0;
    while (heading < lines.size() && !isHeading(lines[heading])) ++heading;
    if (heading + 35 >= lines.size()) return Failure::Failure("no heading or too few rows");
    ElevationStats stats;
    for (int angle = 1; angle <= 35; ++angle) {
        const std::string& row = lines[heading + angle];
        for (int column = 1; column <= 8; ++column) {
            size_t from = 8 + 7 * static_cast<size_t>(column - 1); // 0-based
            std::string field = from < row.size() ? row.substr(from, 5) : "";
            double v = common::ParseNumber(field);
            if (!std::isfinite(v) || v < 0)
                return Failure::Failure("row " + std::to_string(angle) + " holds " + field);
            stats.percent[angle][column] = v;
        }
    }
    stats.misreads = statisticsMisreads(lines, heading, stats);
    return stats;
}

common::Result<ElevationStats> ReadElevationStats(const std::string& path) {
    const common::TextFile file = common::ReadTextFile(path);
    if (file.state == common::FileState::Unreadable)
        return common::Result<ElevationStats>::Failure("The elevation statistics file " +
                                                       file.message);
    common::Result<ElevationStats> stats =
        file.state == common::FileState::Read && !isBinary(file.lines)
            ? ParseElevationStats(file.lines)
            : common::Result<ElevationStats>::Failure("cannot be read");
    if (!stats) return common::Result<ElevationStats>::Failure(FileErrorMessage(path));
    return stats;
}

int BandColumn(double f) {
    if (2 < f && f < 4) return 1;
    if (4 < f && f < 8) return 2;
    if (8 < f && f < 11) return 3;
    if (11 < f && f < 15) return 4;
    if (15 < f && f < 20) return 5;
    if (20 < f && f < 24) return 6;
    if (24 < f && f < 27) return 7;
    return 8;
}

bool HasBandColumn(double f) { return 2 < f && f < 30; }

std::string FileErrorMessage(const std::string& path) {
    return "The file  '" + path + "'  has an error. Examine it with a word processor.";
}

std::string ProfileErrorMessage(const std::string& path) {
    return "The file " + path + " has an error -- It probably includes a height line." +
           " Examine it with a word processor.";
}

std::string FileNameOf(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

} // namespace brisco
