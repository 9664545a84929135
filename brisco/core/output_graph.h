#pragma once
// What the output graph shows after a computation: the four gain curves from 0 to 34
// degrees, the band's elevation statistics as bars, the axis limits and the labels of
// every slot. The window draws it; brisco-cli prints its labels.
#include "merit.h"

#include "common/control_text.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace brisco {

// The right end of the angle axis the main window offers ("Max. Elev. Angle").
enum class MaxAngle { None, Deg20, Deg25, Deg34 };

constexpr int GraphPoints = 137; // 0 to 34 degrees in quarter degrees
constexpr int SlotCount = 4;

// A label shows when its text is not empty.
struct GraphTexts {
    std::string lblFreq;
    std::string lblTerr1, lblTerr2, lblTerr3, lblTerr4;
    std::string lblHt1, lblHt2, lblHt3, lblHt4;
    std::string lblAntType1, lblAntType2, lblAntType3, lblAntType4;
    std::string txtMaxGain;
    std::string lblStatFile;
    std::string lblFOM1, lblFOM2, lblFOM3, lblFOM4;
};

inline const std::array<common::ControlText<GraphTexts>, 19> GraphWindowTexts{{
    {"lblFreq", &GraphTexts::lblFreq},         {"lblTerr1", &GraphTexts::lblTerr1},
    {"lblHt1", &GraphTexts::lblHt1},           {"lblAntType1", &GraphTexts::lblAntType1},
    {"lblFOM1", &GraphTexts::lblFOM1},         {"lblTerr2", &GraphTexts::lblTerr2},
    {"lblHt2", &GraphTexts::lblHt2},           {"lblAntType2", &GraphTexts::lblAntType2},
    {"lblFOM2", &GraphTexts::lblFOM2},         {"lblTerr3", &GraphTexts::lblTerr3},
    {"lblHt3", &GraphTexts::lblHt3},           {"lblAntType3", &GraphTexts::lblAntType3},
    {"lblFOM3", &GraphTexts::lblFOM3},         {"lblTerr4", &GraphTexts::lblTerr4},
    {"lblHt4", &GraphTexts::lblHt4},           {"lblAntType4", &GraphTexts::lblAntType4},
    {"lblFOM4", &GraphTexts::lblFOM4},         {"txtMaxGain", &GraphTexts::txtMaxGain},
    {"lblStatFile", &GraphTexts::lblStatFile},
}};

// The labels of one slot, by slot (0..3).
struct GraphSlotLabels {
    std::string GraphTexts::*terrain;
    std::string GraphTexts::*height;
    std::string GraphTexts::*type;
    std::string GraphTexts::*merit;
};
inline constexpr std::array<GraphSlotLabels, SlotCount> GraphSlots{{
    {&GraphTexts::lblTerr1, &GraphTexts::lblHt1, &GraphTexts::lblAntType1, &GraphTexts::lblFOM1},
    {&GraphTexts::lblTerr2, &GraphTexts::lblHt2, &GraphTexts::lblAntType2, &GraphTexts::lblFOM2},
    {&GraphTexts::lblTerr3, &GraphTexts::lblHt3, &GraphTexts::lblAntType3, &GraphTexts::lblFOM3},
    {&GraphTexts::lblTerr4, &GraphTexts::lblHt4, &GraphTexts::lblAntType4, &GraphTexts::lblFOM4},
}};

// One slot as the computation left it.
struct GraphSlot {
    std::string terrain, heights, type; // the main window's texts; no terrain: not in use
    SlotGains gains = FloorGains();
    double merit = 0;
};

struct GraphInputs {
    float frequency = 0;
    Units units = Units::Feet;
    MaxAngle maxAngle = MaxAngle::None;
    std::array<GraphSlot, SlotCount> terrains;
    std::string statsName; // empty: no statistics file selected
    ElevationStats stats;
    int column = 8; // 0: the band cannot be rated, no bars and no figure of merit
};

struct OutputGraph {
    std::array<float, GraphPoints> AngleX{};
    std::array<std::array<float, GraphPoints>, SlotCount> GraphGain;
    std::vector<std::pair<double, double>> statBars; // (degrees, percent) at 1..34 when rated
    double MaxGain = 0;                              // never below 0
    double angleMax = 34, gainMin = -20, gainMax = 0;
    GraphTexts texts;
    std::array<std::string, SlotCount> curveNames;
};

OutputGraph ShowOutputGraph(const GraphInputs& in);

// The names the curves of the graph and the terrain plot go by in tips and saved data: each
// slot's profile file, "Slot N" for a slot without one, and the slot added where two slots
// hold files of the same name.
std::array<std::string, SlotCount> CurveNames(const std::array<std::string, SlotCount>& terrains);

} // namespace brisco
