#pragma once
// Reading and showing numbers the way every program of the suite does.
#include <string>
#include <string_view>

namespace common {

// The leading number of a text: blanks, tabs and line feeds are skipped anywhere
// (so "1 2" reads 12), then an optional sign, digits with one decimal point, an
// optional exponent (E or D), or an &H / &O integer. Reading stops at the first
// character that cannot belong to the number; a text with no number reads 0. A number
// too small for a double ("1e-400") reads 0; one too large ("1e400") reads as an
// infinity of its sign, which marks it refused: every reader of a field turns a
// non-finite value away before it reaches a computation.
double Val(std::string_view text);

// Val that also takes a comma as the decimal separator ("3,5" reads 3.5).
double ParseNumber(std::string_view text);

// A number through a picture mask: "#" an optional digit, "0" a required digit,
// the first "." the decimal point, "," between integer digits asks for thousands
// grouping, anything else is copied. Rounds half away from zero on the value's
// decimal text, 15 significant digits for a double and 7 for a float.
std::string Format(double value, std::string_view mask);
std::string Format(float value, std::string_view mask);

// The runtime's plain print of a number: a leading blank unless negative, no zero
// before the point (" .66", "-.33"), at most 15 (double) or 7 (float) significant
// digits, and exponent form past that range (" 1E-07").
std::string PlainNumber(double value);
std::string PlainNumber(float value);

// PlainNumber without the blank kept for a sign: a number joined into a text ("14.2").
std::string NumberText(double value);
std::string NumberText(float value);

} // namespace common
