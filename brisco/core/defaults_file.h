#pragma once
// VEXLO.DEF, the terrain program's defaults file: units, frequency, window placements,
// antenna types, the four terrain slots and the statistics file, one value a line.
#include "antenna_stack.h"
#include "output_graph.h"

#include "common/placement.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace brisco {

struct SlotLines {
    std::string path, name, heights;
};

struct VexloDefaults {
    Units units = Units::Feet;
    float frequency = 14.2f; // MHz
    common::Placement main{1296, 1296, 5976, 8472};
    common::Placement graph{24, 36, 6672, 8472};
    common::Placement plot{3948, 3060, 5736, 8316};
    std::array<std::int16_t, SlotCount> typeCodes{4, 0, 0, 0};
    std::array<SlotLines, SlotCount> terrains{{{"", "", "100"}, {}, {}, {}}};
    std::string statsPath, statsName;
};

constexpr int VexloLineCount = 20;

// Applies every line that reads well on top of `defaults`; a line that is missing or
// damaged keeps its default, so a bad file never stops the program. Only "feet" and
// "meters" in line 1 change the units.
VexloDefaults ParseVexloDefaults(const std::vector<std::string>& lines,
                                 VexloDefaults defaults = {});

// The twenty lines of the file. The graph and plot placements are written as given;
// WindowPlacementLine decides whether a window's own placement may be kept.
std::vector<std::string> FormatVexloDefaults(const VexloDefaults& d);

// Left;Top:Height,Width, each the plain text of its number.
std::string PlacementLine(const common::Placement& p);

// A graph or plot window's placement as the file keeps it: its own when it lies on the
// screen (its left edge positive, its width within the screen's), else the default.
common::Placement KeptPlacement(const common::Placement& window, const common::Placement& fallback,
                                double screenWidthTwips);

// The file written when VEXLO.DEF is missing at start-up (22 lines: slot 1 at 100 ft).
std::vector<std::string> FallbackDefaultsLines();
// The file "Clear VEXLO.DEF" writes (20 lines, no slot).
std::vector<std::string> ClearedDefaultsLines();

} // namespace brisco
