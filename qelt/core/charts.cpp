#include "charts.h"

#include "common/number_text.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace qelt {
namespace {

using common::Format;

// The axis maximum over a curve: the integer part of its top value + 1.
double maximumAbove(const std::vector<float>& values, double otherwise) {
    double top = -std::numeric_limits<double>::infinity();
    for (double v : values)
        if (std::isfinite(v)) top = std::max(top, v);
    return std::isfinite(top) ? std::floor(top + 1) : otherwise;
}

// 0, or lower when a curve dips below it.
double minimumBelow(std::initializer_list<const std::vector<float>*> curves) {
    double bottom = 0;
    for (const std::vector<float>* values : curves)
        for (double v : *values)
            if (std::isfinite(v)) bottom = std::min(bottom, std::floor(v));
    return bottom;
}

using Radius = double (*)(float decibelsDown);

double relative(float down) { return -static_cast<double>(down); }
double linearRadius(float down) { return down > 100 ? 0.0 : 100.0 - down; }
double morwenRadius(float down) { return MorwenRadius(100.0 - down); }

// Index i at i - 1 degrees from forward, up to `lastDegree`.
Curve fromForward(const PatternValues& pattern, Radius value, int lastDegree) {
    Curve c;
    for (int a = 0; a < PatternPoints && a <= lastDegree; ++a) {
        c.x.push_back(static_cast<float>(a));
        c.y.push_back(static_cast<float>(value(pattern[a])));
    }
    return c;
}

// A cut symmetrical about the boom, from forward round the left side and back by the
// right; 180 degrees itself is not sampled.
Curve allRound(const PatternValues& pattern, Radius radius) {
    Curve c = fromForward(pattern, radius, PatternPoints);
    for (int a = PatternPoints - 1; a >= 0; --a) {
        c.x.push_back(static_cast<float>(360 - a));
        c.y.push_back(c.y[a]);
    }
    return c;
}

// The elevation cut over ground: index i at i degrees above the forward horizon.
Curve upperHalf(const PatternValues& pattern, Radius radius, int lastDegree = PatternPoints) {
    Curve c;
    for (int i = 1; i <= PatternPoints && ElevationDegrees(i) <= lastDegree; ++i) {
        c.x.push_back(static_cast<float>(ElevationDegrees(i)));
        c.y.push_back(static_cast<float>(radius(pattern[i - 1])));
    }
    return c;
}

PolarCuts polarCuts(const Pattern& p, Radius radius) {
    return {allRound(p.field.azimuth, radius), p.overGround ? upperHalf(p.field.elevation, radius)
                                                            : allRound(p.field.elevation, radius)};
}

} // namespace

FrequencyChart MakeFrequencyChart(const Sweep& sweep, Ratio ratio, Band band) {
    FrequencyChart c;
    const bool fb = ratio == Ratio::FrontToBack;
    c.title = fb ? "Gain, F/B, SWR" : "Gain, F/R, SWR";
    c.rightTitle = fb ? "F/B (dB)" : "F/R (dB)";
    for (const SweepPoint& p : sweep) {
        for (Curve* curve : {&c.gain, &c.ratio, &c.swr, &c.swrTwoToOne})
            curve->x.push_back(p.frequency);
        c.gain.y.push_back(p.gain);
        c.ratio.y.push_back(p.ratio(ratio));
        c.swr.y.push_back(p.swr);
        c.swrTwoToOne.y.push_back(2.0f);
    }
    c.leftMaximum = maximumAbove(c.gain.y, c.leftMaximum);
    c.leftMinimum = minimumBelow({&c.gain.y, &c.swr.y});
    c.rightMaximum = maximumAbove(c.ratio.y, c.rightMaximum);
    c.rightMinimum = minimumBelow({&c.ratio.y});
    c.bottomMinimum = band.low;
    c.bottomMaximum = band.high;
    return c;
}

PatternTexts MakePatternTexts(const Pattern& p, Ratio ratio, const std::string& heightText) {
    const FarField& f = p.field;
    const bool ground = p.overGround;
    const bool fb = ratio == Ratio::FrontToBack;
    PatternTexts t;
    t.title = (ground ? "Azim./Elev., " : "E/H-Plane, ") + Format(f.frequency, "###0.000 MHz") +
              ", Peak = " + Format(f.gain, "#0.0 dBi");
    t.maxGain = "Max. Gain: " + Format(f.gain, "##.0 dBi");
    const double bw1 = p.elementBeamwidth, bw2 = p.normalBeamwidth;
    t.beamwidth1 = ground ? "Az BW: " + Format(bw1, "## Deg.") : "E BW: " + Format(bw1, "### Deg.");
    t.beamwidth2 = (ground ? "El BW: " : "H BW: ") + Format(bw2, "### Deg.");
    t.ratio = (fb ? "F/B: " : "F/R: ") + Format(fb ? f.frontToBack : f.frontToRear, "##.0") + " dB";
    t.height = ground ? "Height: " + heightText : heightText;
    if (ground)
        t.peakAngle = "Peak elev. angle: " +
                      Format(static_cast<double>(ElevationDegrees(f.takeoffIndex)), "## deg.");
    return t;
}

RectangularPattern MakeRectangularPattern(const Pattern& p, int lastDegree) {
    RectangularPattern r;
    r.first = fromForward(p.field.azimuth, relative, lastDegree);
    r.second = p.overGround ? upperHalf(p.field.elevation, relative, lastDegree)
                            : fromForward(p.field.elevation, relative, lastDegree);
    const double lowest = minimumBelow({&r.first.y, &r.second.y});
    r.bottom = std::clamp(std::floor(lowest / 10) * 10, -40.0, -10.0);
    return r;
}

double MorwenRadius(double level) { return std::exp(std::log(0.89) * (-level / 2)); }

PolarCuts MakeLinearPolar(const Pattern& pattern) { return polarCuts(pattern, linearRadius); }
PolarCuts MakeMorwenPolar(const Pattern& pattern) { return polarCuts(pattern, morwenRadius); }

std::vector<GridCircle> MorwenGrid() {
    std::vector<GridCircle> grid;
    for (double level : {100.0, 97.0, 94.0, 91.0, 88.0, 82.0, 76.0, 70.0, 60.0, -2.0}) {
        GridCircle g{level - 100, {}};
        for (int degree = 0; degree <= 360; ++degree) {
            g.circle.x.push_back(static_cast<float>(degree));
            g.circle.y.push_back(static_cast<float>(MorwenRadius(level)));
        }
        grid.push_back(std::move(g));
    }
    return grid;
}

} // namespace qelt
