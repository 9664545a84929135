#pragma once
// The antennas of one terrain slot: their type and the one to four stacked heights the
// user writes as "120/90*/60/30" ("*" drives that antenna out of phase).
#include "common/result.h"
#include "vexlocore/vexlocore_abi.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace brisco {

enum class Units { Feet, Meters };
// "feet" or "meters", as the unit labels and the defaults file spell it.
const char* UnitWord(Units units);
// " ft" or " m", after a heights text on the graph and in the results file.
const char* HeightSuffix(Units units);

constexpr int StackSize = VEXLO_ANTENNAS;

struct AntennaType {
    std::int16_t code;
    const char* name;
};
// Code 7 is the eight-element Yagi; there is no seven-element type.
inline constexpr std::array<AntennaType, 7> AntennaTypes{{
    {1, "Dipole"},
    {2, "2-Ele."},
    {3, "3-Ele."},
    {4, "4-Ele."},
    {5, "5-Ele."},
    {6, "6-Ele."},
    {7, "8-Ele."},
}};

// The name of a type code; empty for 0 (no type chosen) or a code outside the table.
std::string TypeName(std::int16_t code);
// The code of a type name, blanks around it ignored; nothing for an unknown name.
std::optional<std::int16_t> TypeCode(std::string_view name);
// The engine computes a slot without a type as a four-element Yagi.
inline std::int16_t EngineType(std::int16_t code) { return code == 0 ? 4 : code; }

struct AntennaStack {
    std::array<float, StackSize> AntennaHeight{}; // feet above the tower base; 0 = absent
    std::array<std::int16_t, StackSize> Phase{1, 1, 1, 1};
};

// Reads a heights text in the given units into feet and phases. More than four heights
// cannot be computed and are refused with a message naming the text.
common::Result<AntennaStack> ParseHeights(std::string_view text, Units units);

// A stack the engine can compute: at least one antenna, every height above the ground and
// no higher than the engine takes. The message names the text as the user wrote it.
common::Result<> CheckComputable(const AntennaStack& stack, std::string_view text);

// Keeps only digits, "." (or "," read as one) and "*": what a height cell of the heights
// dialog may hold.
std::string RemoveBlank(std::string_view text);

// The heights text of four dialog cells: as many leading cells as are all non-zero.
std::string HeightsText(const std::array<std::string, StackSize>& cells);

// A dialog cell for one antenna: whole feet, or metres to a tenth, "*" when out of phase.
std::string HeightCell(float feet, std::int16_t phase, Units units);

// The heights text of a stack written in other units: "####.0" metres or "###0" feet,
// as many leading antennas as are all present, their "*" kept.
std::string ConvertedHeightsText(const AntennaStack& stack, Units to);

} // namespace brisco
