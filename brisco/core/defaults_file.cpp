#include "defaults_file.h"

#include "common/number_text.h"

#include <cmath>
#include <optional>

namespace brisco {
namespace {

const char* const FirstLines[] = {
    "feet", "14.2", "1296;1296:5976,8472", "24;36:6672,8472", "3948;3060:5736,8316", "4,0,0,0"};

std::vector<std::string> withEmptyLines(std::vector<std::string> lines, size_t total) {
    lines.resize(total);
    return lines;
}

// A placement line needs all four numbers to be used.
void readPlacement(const std::string& line, common::Placement& into) {
    if (std::optional<common::Placement> p = common::ReadPlacementLine(line); p && p->height)
        into = *p;
}

// Names, paths and heights are plain text; control characters mean a damaged line.
bool readText(const std::string& line, std::string& into) {
    for (char c : line)
        if (static_cast<unsigned char>(c) < 32 && c != '\t') return false;
    into = line;
    return true;
}

std::string plain(double v) { return common::NumberText(static_cast<float>(v)); }

} // namespace

VexloDefaults ParseVexloDefaults(const std::vector<std::string>& lines, VexloDefaults d) {
    auto line = [&](size_t number) -> const std::string* {
        return number <= lines.size() ? &lines[number - 1] : nullptr;
    };
    if (const std::string* l = line(1)) {
        if (*l == "feet") d.units = Units::Feet;
        if (*l == "meters") d.units = Units::Meters;
    }
    if (const std::string* l = line(2)) {
        double f = common::Val(*l);
        if (std::isfinite(f) && f > 0 && f < 1e6) d.frequency = static_cast<float>(f);
    }
    if (const std::string* l = line(3)) readPlacement(*l, d.main);
    if (const std::string* l = line(4)) readPlacement(*l, d.graph);
    if (const std::string* l = line(5)) readPlacement(*l, d.plot);
    if (const std::string* l = line(6)) {
        for (int n = 0; n < SlotCount; ++n) {
            size_t at = 2 * static_cast<size_t>(n);
            if (at >= l->size()) break;
            double code = common::Val(l->substr(at, 1));
            d.typeCodes[n] = code >= 1 && code <= 7 ? static_cast<std::int16_t>(code) : 0;
        }
    }
    for (int n = 0; n < SlotCount; ++n) {
        size_t first = 7 + 3 * static_cast<size_t>(n);
        if (const std::string* l = line(first)) readText(*l, d.terrains[n].path);
        if (const std::string* l = line(first + 1)) readText(*l, d.terrains[n].name);
        if (const std::string* l = line(first + 2)) readText(*l, d.terrains[n].heights);
    }
    if (const std::string* l = line(19)) readText(*l, d.statsPath);
    if (const std::string* l = line(20)) readText(*l, d.statsName);
    return d;
}

std::string PlacementLine(const common::Placement& p) {
    return plain(p.left) + ";" + plain(p.top) + ":" + plain(p.height.value_or(0)) + "," +
           plain(p.width.value_or(0));
}

common::Placement KeptPlacement(const common::Placement& window, const common::Placement& fallback,
                                double screenWidthTwips) {
    const float screen = static_cast<float>(0.999 * screenWidthTwips);
    return screen >= window.width.value_or(0) && window.left > 0 ? window : fallback;
}

std::vector<std::string> FormatVexloDefaults(const VexloDefaults& d) {
    std::string codes;
    for (int n = 0; n < SlotCount; ++n) {
        if (n) codes += ',';
        codes += std::to_string(d.typeCodes[n]);
    }
    std::vector<std::string> lines{UnitWord(d.units),     common::Format(d.frequency, "####.0 MHz"),
                                   PlacementLine(d.main), PlacementLine(d.graph),
                                   PlacementLine(d.plot), codes};
    for (const SlotLines& slot : d.terrains)
        lines.insert(lines.end(), {slot.path, slot.name, slot.heights});
    lines.push_back(d.statsPath);
    lines.push_back(d.statsName);
    return lines;
}

std::vector<std::string> FallbackDefaultsLines() {
    std::vector<std::string> lines(std::begin(FirstLines), std::end(FirstLines));
    lines.insert(lines.end(), {"", "", "100"});
    return withEmptyLines(std::move(lines), 22);
}

std::vector<std::string> ClearedDefaultsLines() {
    return withEmptyLines({std::begin(FirstLines), std::end(FirstLines)}, VexloLineCount);
}

} // namespace brisco
