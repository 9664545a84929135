#pragma once
// Series and parallel equivalents of an impedance, and its phase angle.
#include "constants.h"

namespace common {

struct ImpedancePair {
    double first = 0;  // R or Rp
    double second = 0; // X or Xp
};

// With S = R^2 + X^2: Rp = |S / R| (0 when S = 0), Xp = S / X (1e7 when X = 0).
ImpedancePair SeriesToParallel(double r, double x);
// With S = Rp^2 + Xp^2: R = Rp Xp^2 / S, X = Rp^2 Xp / S.
ImpedancePair ParallelToSeries(double rp, double xp);

// Angle of Re + j Im in radians, in the quadrant convention the calculators share:
// a negative real number gives -pi.
double PhaseAngle(double re, double im);

// Radians to degrees with the pi the displayed angles use.
inline double ToDegrees(double radians) { return radians * 180.0 / PiDegrees; }

} // namespace common
