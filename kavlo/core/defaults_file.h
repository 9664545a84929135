#pragma once
// TL.DEF, the calculator's defaults file: seventeen lines, one value a line.
#include "catalogue.h"
#include "common/placement.h"
#include "common/result.h"

#include <array>
#include <string>
#include <vector>

namespace kavlo {

enum WindowSlot { MainSlot, GraphSlot, TunerSetupSlot, TunerFirstSlot, TunerSecondSlot, SlotCount };

struct TlDefaults {
    char unitWord = 'F'; // line 1: 'F' feet, 'M' meters
    UserLine user;       // lines 2-7
    std::array<common::Placement, SlotCount> placements = DefaultPlacements(); // lines 8-12
    std::string lengthFeet = "100.000";                                        // line 13
    int cableIndex = 3;                                                        // line 14
    std::string freq = "3.5";                                                  // line 15
    std::string resistance = "50";                                             // line 16
    std::string reactance = "0";                                               // line 17

    static std::array<common::Placement, SlotCount> DefaultPlacements();
};

constexpr int TlLineCount = 17;

// The graph window's placement as line 9 keeps it: a window whose Left is off the
// right edge of the screen comes back at the default place and size.
common::Placement GraphPlacementToKeep(const common::Placement& graph, double screenWidthTwips);

// Applies every line of the file that reads well on top of `defaults`; a missing,
// short or damaged line keeps the default, so a bad file never stops the program.
TlDefaults ParseTlDefaults(const std::vector<std::string>& lines, TlDefaults defaults = {});

// The seventeen lines of the file.
std::vector<std::string> FormatTlDefaults(const TlDefaults& d);

// Writes all seventeen lines over the file at `path`; the old file survives a failed write.
common::Result<> WriteTlDefaults(const std::string& path, const TlDefaults& defaults);

// Writes the defaults over the file at `path`, keeping the user-defined line (lines
// 2-7) of the file that is there when it reads well, since the user-cable dialog owns
// it. The old file survives a failed write.
common::Result<> SaveTlDefaults(const std::string& path, TlDefaults current);

} // namespace kavlo
