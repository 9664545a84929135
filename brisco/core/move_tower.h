#pragma once
// Moving the tower of slot 1 back over level ground: the distance as the tool reads it,
// the suggested name of the new profile and the new profile itself.
#include "assessment.h"
#include "terrain_files.h"

#include <optional>
#include <string>
#include <vector>

namespace brisco {

const Message NoTerrainToMove{"You must have specified a Terrain File 1 in main window", ""};
const Message NegativeMove{"Only positive values will work for distance -- Brisco is forcing "
                           "distance to be a positive value.",
                           ""};
const Message UnusableMove{"Enter the distance to move the tower back, in feet (meters).", ""};

struct MoveDistance {
    double distance = 0;            // in the units of the options window
    std::string boxText;            // what TxtMove shows afterwards
    std::optional<Message> message; // a negative distance is turned round, with a word
    bool usable = true;             // false for a distance that is not a number at all
};

// Zero moves 0.1; a negative distance moves its size.
MoveDistance ReadMoveDistance(const std::string& text);

// Slot 1's path without its last four characters (the extension), then "-1.PRO".
std::string SuggestedMoveName(const std::string& path);

// The new profile in feet: the new base at 0 and the old base at `moveFeet`, both at the
// old base's elevation, then every later point of the old profile moved back.
std::vector<std::string> MovedProfile(const TerrainProfile& profile, double moveFeet);

} // namespace brisco
