#pragma once
// What the charts draw, as numbers and texts: the frequency chart of a sweep, the
// pattern cuts on the rectangular chart, and the two polar plots with the grid of the
// logarithmic one. The windows only hand these to the chart component.
#include "analysis.h"

#include <string>
#include <vector>

namespace qelt {

// Single precision, as the engine computes: the charts' saved data read so too.
struct Curve {
    std::vector<float> x;
    std::vector<float> y;
};

// The SWR is drawn up to this; above it the curve leaves the chart, marked where it does.
inline constexpr float SwrChartTop = 10;

// Gain (red, left axis), the ratio (lime, right axis), SWR (black, left axis) and the
// SWR 2:1 reference line against frequency. The axes take in every curve drawn.
struct FrequencyChart {
    std::string title;                         // "Gain, F/R, SWR" or "Gain, F/B, SWR"
    std::string leftTitle = "Gain (dBi), SWR"; //
    double leftMinimum = 0, leftMaximum = 1;   // integer part of (top gain or SWR drawn + 1)
    std::string rightTitle;                    // "F/R (dB)" or "F/B (dB)"
    double rightMinimum = 0, rightMaximum = 1; // the maximum: integer part of (top ratio + 1)
    std::string bottomTitle = "MHz";
    double bottomMinimum = 0, bottomMaximum = 1; // the frequencies swept
    // `swr` holds the points up to SwrChartTop, the points where it crosses that top, and
    // a break (NaN) for every run above it; `swrOffChart` marks each crossing at the top,
    // and an end of the band where the SWR is above it.
    Curve gain, ratio, swr, swrTwoToOne, swrOffChart;
};

FrequencyChart MakeFrequencyChart(const Sweep& sweep, Ratio ratio, Band band);

// The texts that go with a pattern, wherever it is drawn.
struct PatternTexts {
    std::string title;      // "E/H-Plane, 14.175 MHz, Peak = 7.6 dBi"
    std::string maxGain;    // "Max. Gain: 7.6 dBi"
    std::string beamwidth1; // "E BW: 64 Deg." or "Az BW: 64 Deg."
    std::string beamwidth2; // "H BW: 118 Deg." or "El BW: 23 Deg."
    std::string ratio;      // "F/R: 25.8 dB"
    std::string height;     // "Free Space" or "Height: 33.0 feet"
    std::string peakAngle;  // over ground "Peak elev. angle: 14 deg."
};

// `heightText` is the main window's height label ("Free Space", "33.0 feet").
PatternTexts MakePatternTexts(const Pattern& pattern, Ratio ratio, const std::string& heightText);

// The elevation angle, in degrees, of a pattern index over ground. The ground factor,
// which shapes the elevation pattern over ground, is evaluated at i degrees for index i.
inline int ElevationDegrees(int index) { return index; }

// The rectangular pattern: gain relative to the peak (dB, 0 at the peak) against the
// angle from forward, from 0 up to `lastDegree` (60 or 180).
struct RectangularPattern {
    Curve first;         // element plane (E-plane, azimuth)
    Curve second;        // normal plane (H-plane), or elevation over ground
    double bottom = -40; // dB, the lowest level worth showing, a multiple of 10
};
RectangularPattern MakeRectangularPattern(const Pattern& pattern, int lastDegree);

// A polar cut: x is the direction in degrees counter-clockwise from forward, which
// points to the right, and y the radius. Cuts symmetrical about the boom (every cut in
// free space, the azimuth cut over ground) go all round; the elevation cut over ground
// spans the upper half, from the forward horizon over the zenith to the back.
struct PolarCuts {
    Curve elementPlane;
    Curve normalPlane;
};

// Linear in dB: radius 100 at the peak, 100 + (dB below the peak), 0 at the centre.
PolarCuts MakeLinearPolar(const Pattern& pattern);

// The logarithmic grid: each 2 dB below the peak shrinks the radius by 0.89, so the
// level v = 100 + dB sits at radius 0.89^(-v/2).
double MorwenRadius(double level);
PolarCuts MakeMorwenPolar(const Pattern& pattern);

struct GridCircle {
    double decibels; // below the peak (0, -3, ..., -40), or the centre ring
    Curve circle;    // 361 points, one per whole degree from 0 to 360
};
// The peak and 3, 6, 9, 12, 18, 24, 30 and 40 dB below it, then the centre ring at
// radius 0.89.
std::vector<GridCircle> MorwenGrid();

} // namespace qelt
