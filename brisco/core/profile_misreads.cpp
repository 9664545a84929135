#include "profile_misreads.h"

namespace brisco {
namespace {

std::string lineText(int line) { return "Line " + std::to_string(line); }

// A point that does not lie beyond the farthest before it is left out of the computation.
int firstStepBack(const ProfileRead& read) {
    const TerrainProfile& p = read.profile;
    float farthest = p.Distance[1];
    for (int i = 2; i <= p.pointCount(); ++i) {
        if (p.Distance[i] < farthest) return read.line[i];
        farthest = p.Distance[i];
    }
    return 0;
}

} // namespace

std::vector<std::string> ProfileMisreads(const ProfileRead& read) {
    std::vector<std::string> found;
    if (read.wordyUnitsLine)
        found.push_back(lineText(read.wordyUnitsLine) +
                        " holds a letter F or M among other words, so it was read as a units "
                        "line (" +
                        (read.wordyUnitsMeters ? "meters" : "feet") +
                        ") and the line after it as a point.");
    const TerrainProfile& p = read.profile;
    const int end = p.pointCount() + 1;
    int after = 0;
    for (int i = end + 1; i < ProfileSize; ++i)
        if (read.hasPoint[i]) ++after;
    if (end < ProfileSize && after > 0)
        found.push_back(lineText(read.line[end]) +
                        (read.hasPoint[end] ? " is a point at distance 0" : " holds no point") +
                        ", which ends the profile: the " + std::to_string(after) +
                        (after == 1 ? " point after it is" : " points after it are") +
                        " left out.");
    if (int line = firstStepBack(read))
        found.push_back(lineText(line) +
                        " steps back towards the tower: the computation leaves such points out, "
                        "the terrain plot draws them.");
    if (read.splitElevationLine)
        found.push_back(lineText(read.splitElevationLine) +
                        " holds more than one number after the distance; they were read "
                        "together as one elevation.");
    return found;
}

std::vector<common::Message> ProfileMessages(const ProfileRead& read, int slot,
                                             const std::string& fileName) {
    std::vector<common::Message> messages;
    const std::string title = SlotTitle(slot, fileName);
    if (read.truncated) messages.push_back({TruncationWarning, title});
    std::string text;
    for (const std::string& misread : ProfileMisreads(read))
        text += (text.empty() ? "" : "\n") + misread;
    if (!text.empty())
        messages.push_back({"The profile may not be read as you meant.\n" + text, title});
    return messages;
}

} // namespace brisco
