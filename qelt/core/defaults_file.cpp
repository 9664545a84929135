#include "defaults_file.h"

#include "common/text_file.h"

#include <cmath>
#include <optional>

namespace qelt {
namespace {

bool sensible(double twips) { return std::isfinite(twips) && std::fabs(twips) < 1e6; }

// A placement line with its ";" (and, for a sized window, its ":" and ","), whose
// numbers are of a size a screen can hold.
std::optional<common::Placement> placementLine(const std::string& line, bool sized) {
    if (line.find(';') == std::string::npos) return std::nullopt;
    const common::Placement p = common::ParsePlacement(line);
    if (!sensible(p.left) || !sensible(p.top)) return std::nullopt;
    if (!sized) return common::Placement{p.left, p.top, {}, {}};
    if (!p.height || !p.width || !sensible(*p.height) || !sensible(*p.width) || *p.height <= 0 ||
        *p.width <= 0)
        return std::nullopt;
    return p;
}

std::string trimmed(const std::string& s) {
    const std::size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

std::string twips(double value) { return std::to_string(std::lround(value)); }

} // namespace

QeltDefaults FreshQeltDefaults(const std::string& programFolder) {
    QeltDefaults d;
    d.antennaFolder = common::InFolder(programFolder, AntennaFolderName);
    return d;
}

QeltDefaults ParseQeltDefaults(const std::vector<std::string>& lines, QeltDefaults d) {
    auto line = [&lines](std::size_t number) -> std::string {
        return number <= lines.size() ? lines[number - 1] : std::string();
    };
    if (auto p = placementLine(line(1), false)) d.main = *p;
    if (auto p = placementLine(line(2), true)) d.polar = *p;
    if (auto p = placementLine(line(3), true)) d.morwen = *p;
    if (const std::string units = trimmed(line(4)); !units.empty())
        d.units = units == EnglishCaption ? Units::English : Units::Metric;
    if (const std::string folder = trimmed(line(5)); !folder.empty()) d.antennaFolder = folder;
    return d;
}

std::string PlacementLine(const common::Placement& p) {
    std::string line = twips(p.left) + ";" + twips(p.top);
    if (p.height && p.width) line += ":" + twips(*p.height) + "," + twips(*p.width);
    return line;
}

std::vector<std::string> FormatQeltDefaults(const QeltDefaults& d) {
    return {PlacementLine(d.main), PlacementLine(d.polar), PlacementLine(d.morwen),
            UnitsCaption(d.units), d.antennaFolder};
}

common::Result<> WriteQeltDefaults(const std::string& path, const QeltDefaults& defaults) {
    return common::WriteFileAtomically(path, common::JoinLines(FormatQeltDefaults(defaults)));
}

} // namespace qelt
