#pragma once
// The design a file saved by the analyser keeps after its element lines, read back: the
// title the save put its file name in front of, the match (frequency, network, rods),
// the cable, the height, and the file the antenna first came from with the lines kept
// of it. The engine's reader stops at the last element line and never sees any of it.
#include "matching.h"

#include <optional>
#include <string>
#include <vector>

namespace qelt {

struct SavedDesign {
    std::string title;         // line 1 without the file names saves put in front
    double matchFrequency = 0; // MHz
    double cableZ0 = 50;       // ohms
    Network network = Network::None;
    double rodDiameter = 0, rodSpacing = 0; // inches
    // Files saved before the height was kept have none: free space, as they opened.
    std::optional<double> heightFeet;
    std::string sourcePath;               // "Original file name: "
    std::vector<std::string> sourceLines; // the lines kept of it
};

// The design in a whole file's `lines`, or nothing when they hold no trailer of the
// analyser's (a file of the user's, or one the trailer was cut from).
std::optional<SavedDesign> ReadSavedDesign(const std::vector<std::string>& lines);

// The title in a saved file's first line: the last 50 characters after the name the
// save put in front, and without the names older saves stacked before it
// ("AGAIN.QELT, GAM.QELT, Four-element..." gives "Four-element...").
std::string SavedTitle(const std::string& firstLine);

} // namespace qelt
