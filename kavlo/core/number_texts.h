#pragma once
// How Kavlo's windows turn numbers into text beyond the plain masks.
#include <string>
#include <string_view>

namespace kavlo {

// A result too large for its box, or not finite at all, reads as one of these instead
// of as a misleading number.
inline constexpr double LargestShown = 1e6;
inline constexpr const char* TooLarge = "too large";
inline constexpr const char* Overflow = "overflow";

// A result through its mask, or the text that says why there is no number to show.
std::string Shown(double value, std::string_view mask, double largest = LargestShown);

// How a number is put into a box or a message by the program: the runtime's text of
// it, no blank.
std::string BoxNumber(double value);
std::string BoxNumber(float value); // to the 7 digits of a single
// "r + j x" or "r - j x", each through "###0.00" (Shown).
std::string ImpedanceText(double r, double x);

} // namespace kavlo
