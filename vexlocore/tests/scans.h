#pragma once
// Scans of the engine over height or frequency: the answer should move smoothly, so each
// step from one call to the next should be what the steps on either side of it lead one to
// expect (a cubic through the two steps before and the two after). The irregular part of a
// step is how far it departs from that.
#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "engine_runs.h"

namespace vexlo_test {

struct Irregularity {
    double largest = 0.0; // dB
    double at = 0.0;      // the scanned value where that step starts
    double angle = 0.0;   // degrees
    int above = 0;        // steps departing by more than half a dB
    int aboveOne = 0;     // and by more than one
};

// Runs the engine at every value in turn (each call's arguments from 'argumentsAt') and
// measures the steps at the angles from 1 degree up where the field is within 10 dB of the
// call's peak in all six calls around the step.
inline Irregularity scan(VexloCore1Function entry, const std::vector<double>& values,
                         const std::function<EngineArguments(double)>& argumentsAt) {
    std::vector<Gains> runs;
    std::vector<float> peaks;
    for (double v : values) {
        runs.push_back(runEngine(entry, argumentsAt(v)));
        peaks.push_back(*std::max_element(runs.back().begin(), runs.back().end()));
    }
    Irregularity r;
    for (std::size_t i = 2; i + 3 < runs.size(); ++i)
        for (int k = 3; k < 140; ++k) {
            bool strong = true;
            for (std::size_t j = i - 2; j <= i + 3; ++j) strong &= runs[j][k] > peaks[j] - 10.0f;
            if (!strong) continue;
            const auto step = [&](std::size_t j) { return double(runs[j + 1][k]) - runs[j][k]; };
            const double expected =
                (-step(i - 2) + 4.0 * step(i - 1) + 4.0 * step(i + 1) - step(i + 2)) / 6.0;
            const double irregular = std::fabs(step(i) - expected);
            if (irregular > 0.5) ++r.above;
            if (irregular > 1.0) ++r.aboveOne;
            if (irregular > r.largest)
                r.largest = irregular, r.at = values[i], r.angle = degreesAt(k);
        }
    return r;
}

inline std::vector<double> steps(double from, double to, double step) {
    std::vector<double> v;
    for (double x = from; x <= to + 1e-9 * step; x += step) v.push_back(x);
    return v;
}

} // namespace vexlo_test
