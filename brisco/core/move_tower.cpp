#include "move_tower.h"

#include "common/number_text.h"

#include <cmath>
#include <utility>

namespace brisco {

MoveDistance ReadMoveDistance(const std::string& text) {
    MoveDistance m;
    m.distance = common::ParseNumber(text);
    m.boxText = text;
    if (!std::isfinite(m.distance) || std::fabs(m.distance) > 1e7) {
        m.usable = false;
        m.message = UnusableMove;
        return m;
    }
    if (m.distance == 0) {
        m.distance = 0.1;
        m.boxText = "0.1";
    } else if (m.distance < 0) {
        m.message = NegativeMove;
        m.distance = -m.distance;
        m.boxText = common::NumberText(m.distance);
    }
    return m;
}

std::string SuggestedMoveName(const std::string& path) {
    return path.substr(0, path.size() >= 4 ? path.size() - 4 : 0) + "-1.PRO";
}

std::vector<std::string> MovedProfile(const TerrainProfile& p, double moveFeet) {
    const float base = p.Elevation[1];
    std::vector<std::pair<float, float>> points{{0.0f, base}, {static_cast<float>(moveFeet), base}};
    for (int j = 2; j <= p.pointCount(); ++j)
        points.emplace_back(static_cast<float>(moveFeet + p.Distance[j]), p.Elevation[j]);
    return WriteTerrainProfile(points);
}

} // namespace brisco
