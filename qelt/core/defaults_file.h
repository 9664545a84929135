#pragma once
// QELT.DEF, the analyser's defaults file beside the program: five lines.
//   1  main window Left;Top, twips                      "60;48"
//   2  polar-plot window Left;Top:Height,Width, twips   "3768;2088:6456,8484"
//   3  polar-grid window, the same                      "84;2088:6456,8484"
//   4  unit system                                      "feet, inches" (else metric)
//   5  folder of antenna files                          program folder + "/QeltAnts"
#include "units.h"

#include "common/placement.h"
#include "common/result.h"

#include <string>
#include <vector>

namespace qelt {

inline const char* const DefaultsFileName = "QELT.DEF";
inline const char* const AntennaFolderName = "QeltAnts";

struct QeltDefaults {
    common::Placement main{60, 48, {}, {}};
    common::Placement polar{3768, 2088, 6456, 8484};
    common::Placement morwen{84, 2088, 6456, 8484};
    Units units = Units::English;
    std::string antennaFolder;
};

// The five defaults, with the antenna folder beside the program.
QeltDefaults FreshQeltDefaults(const std::string& programFolder);

// The antenna folder a defaults file names, as the program uses it: a relative name is
// in the program folder, and a folder that no longer exists gives way to the program's.
std::string UsableAntennaFolder(const std::string& programFolder, const std::string& named);

// Every line that reads well applied on top of `fresh`; a missing, empty or damaged
// line keeps its default, so a bad file never stops the program.
QeltDefaults ParseQeltDefaults(const std::vector<std::string>& lines, QeltDefaults fresh);

std::vector<std::string> FormatQeltDefaults(const QeltDefaults& defaults);

// "Left;Top", or "Left;Top:Height,Width" when the placement has a size, in whole twips.
std::string PlacementLine(const common::Placement& placement);

// The whole file, atomically: a failed write leaves the previous file as it was.
common::Result<> WriteQeltDefaults(const std::string& path, const QeltDefaults& defaults);

} // namespace qelt
