#pragma once
// What no real antenna has: elements that overlap or touch, a band that is no band, and
// results outside what an antenna can give (a feed-point resistance or SWR below what
// a passive antenna shows, a gain above what its elements allow). Each refusal says
// what in the antenna is wrong, so the user knows what to mend.
#include "analysis.h"
#include "antenna.h"

#include "common/result.h"

namespace qelt {

// The highest frequency the analyser takes: its result lines show four integer digits.
constexpr double HighestMHz = 9999.999;

// A band's edges: numbers above 0, the low one not above the high one, at most HighestMHz.
common::Result<> CheckBand(double low, double high);

// The antenna as read or edited: its band, and no two elements closer, centre to
// centre, than half the sum of their thickest tubes.
common::Result<> CheckAntenna(const Antenna& antenna);

// The largest gain, dBi, `elements` parallel elements can give: N squared times the gain
// of the best single centre-fed element (1.25 wavelengths, 5.2 dBi), and the doubling
// of the field a ground reflection adds at most.
double MostGainDbi(int elements, bool overGround);

// The sweep's points as a real antenna of `elements` elements could give them.
common::Result<> CheckSweep(const Sweep& sweep, int elements, bool overGround);

// Both: the antenna swept, then its sweep.
common::Result<> CheckAnalysis(const Antenna& antenna, const Sweep& sweep, bool overGround);

} // namespace qelt
