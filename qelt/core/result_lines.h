#pragma once
// The five result lines of the main window: frequency, gain, F/R (or F/B), feed
// impedance and SWR at the band's low edge, centre and high edge. The lines are shown
// in Arial, where a digit is as wide as two blanks, and each value is right-aligned in
// its column by the number of blanks before it.
#include "analysis.h"

#include <string>

namespace qelt {

struct ResultLines {
    std::string freq = "Freq:";
    std::string gain = "Gain: ";
    std::string ratio = "F/R: ";
    std::string impedance = "Z: ";
    std::string swr = "SWR: ";
};

ResultLines FormatResultLines(const Sweep& sweep, Ratio ratio);

// "R - j |X|" or "R + j X", as the match dialog shows the feed point.
std::string FeedPointText(float r, float x);

} // namespace qelt
