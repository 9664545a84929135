#include "defaults_file.h"

#include "common/text_file.h"
#include "common/trimmed.h"

#include <cmath>
#include <filesystem>
#include <optional>

namespace qelt {
namespace {

// A sized window's line needs its size too.
std::optional<common::Placement> sizedPlacement(const std::string& line) {
    std::optional<common::Placement> p = common::ReadPlacementLine(line);
    return p && p->height ? p : std::nullopt;
}

std::string twips(double value) { return std::to_string(std::lround(value)); }

} // namespace

QeltDefaults FreshQeltDefaults(const std::string& programFolder) {
    QeltDefaults d;
    d.antennaFolder = common::InFolder(programFolder, AntennaFolderName);
    return d;
}

std::string UsableAntennaFolder(const std::string& programFolder, const std::string& named) {
    std::filesystem::path folder =
        (std::filesystem::path(programFolder) / named).lexically_normal();
    if (!folder.has_filename()) folder = folder.parent_path(); // "folder/", as "folder"
    std::error_code error;
    if (!named.empty() && std::filesystem::is_directory(folder, error)) return folder.string();
    return FreshQeltDefaults(programFolder).antennaFolder;
}

QeltDefaults ParseQeltDefaults(const std::vector<std::string>& lines, QeltDefaults d) {
    auto line = [&lines](std::size_t number) -> std::string {
        return number <= lines.size() ? lines[number - 1] : std::string();
    };
    if (auto p = common::ReadPlacementLine(line(1))) d.main = {p->left, p->top, {}, {}};
    if (auto p = sizedPlacement(line(2))) d.polar = *p;
    if (auto p = sizedPlacement(line(3))) d.morwen = *p;
    if (const std::string units = common::Trimmed(line(4)); !units.empty())
        d.units = units == EnglishCaption ? Units::English : Units::Metric;
    if (const std::string folder = common::Trimmed(line(5)); !folder.empty())
        d.antennaFolder = folder;
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
