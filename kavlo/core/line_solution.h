#pragma once
// Exact solution of a uniform lossy line with complex hyperbolic functions.
#include "catalogue.h"

namespace kavlo {

enum class KnownEnd { Load, Input }; // where the given impedance is

struct LineSolution {
    double swrFar = 0, swrNear = 0; // SWR at the other end and at the known end
    double rFar = 0, xFar = 0;      // impedance at the other end
    double totalLoss = 0;           // power into the input over power into the load, dB
    double rhoNear = 0;             // reflection magnitude at the known end
    double vMag = 0, vPhase = 0;    // RMS volts and degrees at the position
    double iMag = 0, iPhase = 0;    // RMS amperes and degrees at the position
};

// matchedLoss in dB for the whole line, length and position in feet from the input,
// r + jx the known impedance, power the watts into the line input.
LineSolution CalcZ(const LineDescription& line, double matchedLoss, double length, double position,
                   double r, double x, KnownEnd end, double power);

// |(Z - Z0*) / (Z + Z0)|, the power-wave reflection against the line's complex Z0: below 1
// for every passive load, and the usual reflection where Z0 is real.
double ReflectionMagnitude(const LineDescription& line, double r, double x);

} // namespace kavlo
