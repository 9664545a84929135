#include "placement.h"

#include "number_text.h"

#include <cmath>

namespace common {

Placement ParsePlacement(std::string_view line) {
    Placement p;
    size_t semi = line.find(';');
    size_t colon = line.find(':', semi == std::string_view::npos ? 0 : semi + 1);
    size_t comma = line.find(',', colon == std::string_view::npos ? 0 : colon + 1);
    p.left = Val(line.substr(0, semi));
    if (semi == std::string_view::npos) return p;
    p.top = Val(line.substr(semi + 1, colon == std::string_view::npos ? std::string_view::npos
                                                                      : colon - semi - 1));
    if (colon == std::string_view::npos || comma == std::string_view::npos) return p;
    p.height = Val(line.substr(colon + 1, comma - colon - 1));
    p.width = Val(line.substr(comma + 1));
    return p;
}

std::optional<Placement> ReadPlacementLine(std::string_view line) {
    auto onScreen = [](double twips) { return std::isfinite(twips) && std::fabs(twips) < 1e6; };
    if (line.find(';') == std::string_view::npos) return std::nullopt;
    Placement p = ParsePlacement(line);
    if (!onScreen(p.left) || !onScreen(p.top)) return std::nullopt;
    if (!p.height || !p.width || !onScreen(*p.height) || !onScreen(*p.width) || *p.height <= 0 ||
        *p.width <= 0)
        p.height = p.width = std::nullopt;
    return p;
}

std::string PlacementPrefix(double left, double top) {
    return PlainNumber(left) + ";" + PlainNumber(top);
}

} // namespace common
