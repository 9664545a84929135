#pragma once
// The linear solution of the impedance matrix.

#include "engine.h"

namespace yoruk {

// Gauss-Jordan elimination with row pivoting, in place: the right-hand side becomes
// the solution, the matrix is used up. False on a zero pivot.
bool Eliminate(VectorPath path, int unknowns, MatrixPart& re, MatrixPart& im, UnknownValues& rhsRe,
               UnknownValues& rhsIm);

} // namespace yoruk
