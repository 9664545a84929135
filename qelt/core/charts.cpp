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

// The SWR curve up to SwrChartTop, broken where it goes above, with the marks.
void clipSwr(const Sweep& sweep, Curve& curve, Curve& marks) {
    const float top = SwrChartTop;
    auto point = [](Curve& c, float x, float y) {
        c.x.push_back(x);
        c.y.push_back(y);
    };
    auto above = [top](float swr) { return !(swr <= top); }; // NaN counts as off the chart
    for (std::size_t i = 0; i < sweep.size(); ++i) {
        const SweepPoint& p = sweep[i];
        if (i > 0) {
            const SweepPoint& before = sweep[i - 1];
            if (above(before.swr) != above(p.swr) && std::isfinite(before.swr) &&
                std::isfinite(p.swr)) {
                const float at = before.frequency + (p.frequency - before.frequency) *
                                                        (top - before.swr) / (p.swr - before.swr);
                point(curve, at, top);
                point(marks, at, top);
            }
        }
        if (!above(p.swr)) {
            point(curve, p.frequency, p.swr);
        } else {
            if (curve.y.empty() || !std::isnan(curve.y.back()))
                point(curve, p.frequency, std::numeric_limits<float>::quiet_NaN());
            if (i == 0 || i + 1 == sweep.size()) point(marks, p.frequency, top);
        }
    }
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
        for (Curve* curve : {&c.gain, &c.ratio, &c.swrTwoToOne}) curve->x.push_back(p.frequency);
        c.gain.y.push_back(p.gain);
        c.ratio.y.push_back(p.ratio(ratio));
        c.swrTwoToOne.y.push_back(2.0f);
    }
    clipSwr(sweep, c.swr, c.swrOffChart);
    // The left axis carries the gain, the SWR as drawn and the 2:1 line.
    std::vector<float> left = c.gain.y;
    left.insert(left.end(), c.swr.y.begin(), c.swr.y.end());
    left.push_back(2.0f);
    left.insert(left.end(), c.swrOffChart.y.begin(), c.swrOffChart.y.end());
    c.leftMaximum = maximumAbove(left, c.leftMaximum);
    c.leftMinimum = minimumBelow({&c.gain.y, &c.swr.y});
    c.rightMaximum = maximumAbove(c.ratio.y, c.rightMaximum);
    c.rightMinimum = minimumBelow({&c.ratio.y});
    // The frequencies swept, which are the band's unless the dialog's boxes differ.
    c.bottomMinimum = band.low;
    c.bottomMaximum = band.high;
    for (float f : c.gain.x)
        if (std::isfinite(f)) {
            c.bottomMinimum = std::min(c.bottomMinimum, static_cast<double>(f));
            c.bottomMaximum = std::max(c.bottomMaximum, static_cast<double>(f));
        }
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
