#pragma once
// Numbers as the user's regional settings write them, passed in so the tables do not
// depend on where they are built.
#include <optional>
#include <string>
#include <string_view>

namespace calibrix {

struct NumberStyle {
    std::string decimalPoint = ".";
    std::string groupSeparator; // empty: digits are not grouped
    bool leadingZero = true;    // "0.5" rather than ".5"
};

// The number a text holds in this style: blanks around it, an optional sign, integer
// digits (grouped in threes when the separator is used), the decimal point and
// fraction digits, an optional exponent. Nothing when the text is anything else or the
// number is out of double range.
std::optional<double> ReadNumber(std::string_view text, const NumberStyle& style);

// A number written with "." as decimal point and "," between groups, in this style.
std::string InStyle(std::string_view plain, const NumberStyle& style);

// A power in watts for the table comments: W, mW, uW or nW, with 1 decimal from 100
// up, 2 from 10 up and 3 below, in this style, followed by the unit.
std::string FormatPower(double watts, const NumberStyle& style);

} // namespace calibrix
