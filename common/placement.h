#pragma once
// A window placement line of the defaults files: "Left;Top:Height,Width" in twips.
#include <optional>
#include <string>
#include <string_view>

namespace common {

struct Placement {
    double left = 0;
    double top = 0;
    std::optional<double> height; // only when the line has a comma
    std::optional<double> width;
};

// Splits at the first ";", ":" and ",". A line without a comma yields only Left and Top.
Placement ParsePlacement(std::string_view line);

// A placement line of a defaults file as the programs take it: nothing when the line has
// no ";" or its Left or Top is not a number a screen could hold (a million twips or more
// either way), so a damaged line keeps its default. Height and Width only when the line
// gives both and both are such numbers above 0.
std::optional<Placement> ReadPlacementLine(std::string_view line);

// "Left;Top" with the runtime's plain print of each number, the start of every line.
std::string PlacementPrefix(double left, double top);

} // namespace common
