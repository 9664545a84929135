#pragma once
// What the terrain plot shows: the profiles of the ticked slots in feet or metres and,
// when asked, each slot's antennas as markers above its tower base.
#include "assessment.h"

#include "common/control_text.h"

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace brisco {

struct PlotTexts {
    std::string lblTerr1, lblTerr2, lblTerr3, lblTerr4;
    std::string lblHt1, lblHt2, lblHt3, lblHt4;
};

inline const std::array<common::ControlText<PlotTexts>, 8> PlotWindowTexts{{
    {"lblTerr1", &PlotTexts::lblTerr1},
    {"lblHt1", &PlotTexts::lblHt1},
    {"lblTerr2", &PlotTexts::lblTerr2},
    {"lblHt2", &PlotTexts::lblHt2},
    {"lblTerr3", &PlotTexts::lblTerr3},
    {"lblHt3", &PlotTexts::lblHt3},
    {"lblTerr4", &PlotTexts::lblTerr4},
    {"lblHt4", &PlotTexts::lblHt4},
}};

struct PlotCurve {
    std::vector<double> x, y;                        // the profile, display units
    std::vector<std::pair<double, double>> antennas; // (distance, height above sea level)
};

struct TerrainPlot {
    std::string leftTitle, bottomTitle;
    std::array<std::optional<PlotCurve>, SlotCount> curves; // the ticked slots that have a profile
    PlotTexts texts;
    std::array<std::string, SlotCount> curveNames; // as the output graph names them
    std::vector<Message> messages;
};

TerrainPlot PlotTerrain(const Assessment& assessment);

} // namespace brisco
