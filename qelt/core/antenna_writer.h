#pragma once
// The antenna file the analyser writes (Save As): the title line, the band, the element
// count with the unit, the diameter lines where the taper schedule changes and one line
// per element, in fields of nine characters, inches or millimetres; then a trailer the
// reader ignores, with the match data and the lines of the file the antenna came from.
#include "antenna.h"
#include "units.h"

#include <string>
#include <vector>

namespace qelt {

// The chosen path, with ".QELT" added when its name has no extension.
std::string WithQeltExtension(const std::string& path);

// Lines 1 to the last element line. `fileName` is the name the file is saved under
// (upper-cased in the title line); the band is the frequency dialog's, in MHz.
std::vector<std::string> AntennaFileLines(const std::string& fileName, const Antenna& antenna,
                                          double freqLow, double freqHigh, Units units);

// The captions of the trailer's lines that are read back (saved_design.h).
inline const char* const MatchFrequencyCaption = "Match frequency: ";
inline const char* const CableCaption = "Cable Z0: ";
inline const char* const HeightCaption = "Antenna height: ";
inline const char* const OriginalFileCaption = "Original file name: ";

// What the trailer records.
struct FileTrailer {
    double matchFrequency = 0; // MHz
    double tipLength = 0;      // inches
    double cableZ0 = 50;
    double heightFeet = 0; // 0: free space
    Units units = Units::English;
    // The network in force: its two input lines and its two result lines; none without.
    std::vector<std::string> network;
    std::string sourcePath;
    // The source file, its title line included; only its lines that begin with a number
    // other than 0 are kept.
    std::vector<std::string> sourceLines;
};
std::vector<std::string> TrailerLines(const FileTrailer& trailer);

// One input of the network as the trailer has it: "Gamma rod diameter:  0.25 inches".
std::string NetworkInputLine(const std::string& caption, double inches, Units units);

} // namespace qelt
