#include "analysis.h"

#include <cmath>

namespace qelt {

float SwrOnCable(float r, float x, float cableZ0) {
    const double rho = std::sqrt(((r - cableZ0) * (r - cableZ0) + x * x) /
                                 ((r + cableZ0) * (r + cableZ0) + x * x));
    return static_cast<float>((1 + rho) / (1 - rho));
}

Band SweptBand(Band file) {
    if (file.low != file.high) return file;
    return {0.97f * file.low, 1.03f * file.low};
}

Sweep SweepBand(const EngineRoutines& engine, Antenna& working, float drivenTip, Band band,
                float heightFeet, const SwrRule& swr, const SweepProgress& progress) {
    EngineRun run(engine, working, drivenTip);
    const float step = (band.high - band.low) / 10;
    Sweep sweep;
    for (int i = 0; i < SweepPoints; ++i) {
        const FarField f = run.solve(band.low + static_cast<float>(i) * step, heightFeet);
        SweepPoint& p = sweep[i];
        p.frequency = f.frequency;
        p.gain = f.gain;
        p.frontToBack = f.frontToBack;
        p.frontToRear = f.frontToRear;
        p.rearIndex = f.rearLobeIndex;
        p.resistance = f.resistance;
        p.reactance = f.reactance;
        p.takeoffIndex = f.takeoffIndex;
        p.trouble = f.trouble;
        p.swr = swr(f.frequency, f.resistance, f.reactance);
        if (progress) progress(i + 1);
    }
    return sweep;
}

int HalfPowerBeamwidth(const PatternValues& pattern) {
    for (int i = 0; i < PatternPoints; ++i)
        if (pattern[i] > 3.0f) return 2 * (i + 1);
    return 360;
}

int ElevationBeamwidth(const PatternValues& elevation, int takeoffIndex) {
    int lower = 0;
    while (lower < PatternPoints && !(elevation[lower] < 3.0f)) ++lower;
    int upper = std::max(takeoffIndex, 0);
    while (upper < PatternPoints && !(elevation[upper] > 3.0f)) ++upper;
    return std::max(upper - lower, 0);
}

Pattern ComputePattern(const EngineRoutines& engine, Antenna& working, float drivenTip,
                       float frequency, float heightFeet) {
    EngineRun run(engine, working, drivenTip);
    Pattern p;
    p.field = run.solve(frequency, heightFeet);
    p.overGround = heightFeet != 0;
    p.elementBeamwidth = HalfPowerBeamwidth(p.field.azimuth);
    p.normalBeamwidth = p.overGround ? ElevationBeamwidth(p.field.elevation, p.field.takeoffIndex)
                                     : HalfPowerBeamwidth(p.field.elevation);
    return p;
}

} // namespace qelt
