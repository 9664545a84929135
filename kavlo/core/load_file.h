#pragma once
// Loads measured over a band: a Touchstone file (.s1p, or port 1 of a .s2p) or the CSV of
// frequency, R and X an antenna analyser saves, read into impedances against frequency.
// Every fault is reported with the file's name and the line it is on.
#include "common/result.h"

#include <complex>
#include <string>
#include <vector>

namespace kavlo {

struct LoadPoint {
    double freq = 0; // MHz
    double r = 0, x = 0;
    int line = 0; // in the file, counted from 1; 0 for a typed impedance
};

struct LoadList {
    std::string name;        // the file, as the user gave it; empty for a typed impedance
    std::string description; // what was read: "Touchstone, S in MA against 50 ohm, GHz"
    std::vector<LoadPoint> points;
};

enum class LoadFileKind { Touchstone1, Touchstone2, Csv };

// The kind a file is read as, from its extension: .s1p and .s2p (any case) are Touchstone,
// anything else the analyser's CSV; a .s3p or wider is refused.
common::Result<LoadFileKind> LoadFileKindOf(const std::string& path);

// Touchstone (version 1): '!' starts a comment; the option line "# <unit> <parameter>
// <format> R <ohms>" in any order and case, each item optional, defaults "# GHz S MA R 50";
// units Hz, kHz, MHz, GHz; parameters S, Z, Y (Z and Y normalised to R); formats RI, MA,
// DB. A record is the frequency and 2 numbers (one port) or 8 (two ports, N11 N21 N12
// N22), split over lines as the writer likes. Of two ports, the impedance is the one
// seen into port 1 with port 2 ended in R. Noise data after the network data (a
// frequency not above the last) end the reading.
common::Result<LoadList> ParseTouchstone(const std::vector<std::string>& lines, int ports,
                                         const std::string& name);

// The analyser's CSV: frequency, R, X on each line, separated by commas (or semicolons
// or tabs, and then a comma is a decimal point), more columns ignored, blank lines and lines
// starting with '!' or '#' skipped. A first line that does not start with a number is the heading;
// the frequency is in MHz unless the heading's first field names Hz, kHz or GHz.
common::Result<LoadList> ParseAnalyserCsv(const std::vector<std::string>& lines,
                                          const std::string& name);

// Reads the file at `path` by its kind.
common::Result<LoadList> ReadLoadFile(const std::string& path);

// The impedances as a one-port Touchstone file: "# MHz S RI R <ref>", a record a line.
struct TouchstonePoint {
    double freq; // MHz
    std::complex<double> z;
};
std::string TouchstoneS1p(const std::vector<TouchstonePoint>& points, double ref,
                          const std::vector<std::string>& comments);

} // namespace kavlo
