#include "defaults_file.h"

#include "common/number_text.h"
#include "common/text_file.h"
#include "common/trimmed.h"

#include <cctype>
#include <cmath>
#include <cstring>
#include <optional>

namespace kavlo {
namespace {

// A line that holds one number and nothing else.
std::optional<double> numberLine(const std::string& line) {
    std::string t = common::Trimmed(line);
    if (t.empty()) return std::nullopt;
    bool digit = false;
    for (char c : t) {
        if (std::isdigit(static_cast<unsigned char>(c)))
            digit = true;
        else if (!std::strchr("+-.,Ee", c))
            return std::nullopt;
    }
    if (!digit) return std::nullopt;
    double v = common::ParseNumber(t);
    if (!std::isfinite(v)) return std::nullopt;
    return v;
}

const std::string* lineAt(const std::vector<std::string>& lines, int number) {
    return number <= static_cast<int>(lines.size()) ? &lines[number - 1] : nullptr;
}

void readUserLine(const std::vector<std::string>& lines, UserLine& user) {
    auto number = [&](int n) -> std::optional<double> {
        const std::string* l = lineAt(lines, n);
        return l ? numberLine(*l) : std::nullopt;
    };
    if (auto v = number(2)) user.r0 = static_cast<float>(*v);
    if (auto v = number(3)) user.x0 = static_cast<float>(*v);
    if (auto v = number(4)) user.atten = static_cast<float>(*v);
    if (auto v = number(5)) user.vf = static_cast<float>(*v);
    if (auto v = number(6)) user.vmax = static_cast<float>(*v);
    if (auto v = number(7); v && *v > 0) user.freq = *v;
}

std::string placementText(const common::Placement& p, const char* fixedSize) {
    return common::PlacementPrefix(p.left, p.top) + fixedSize;
}

// Line 9, the one placement with a size; the default place is written as it stands.
std::string graphLine(const common::Placement& graph) {
    const common::Placement home = TlDefaults::DefaultPlacements()[GraphSlot];
    if (graph.left == home.left && graph.top == home.top && graph.height == home.height &&
        graph.width == home.width)
        return "6825;-15:6468,8484";
    return common::PlacementPrefix(graph.left, graph.top) + ":" +
           common::PlainNumber(graph.height.value_or(*home.height)).substr(1) + "," +
           common::PlainNumber(graph.width.value_or(*home.width)).substr(1);
}

} // namespace

std::array<common::Placement, SlotCount> TlDefaults::DefaultPlacements() {
    return {{{1200, 600, {}, {}},
             {6825, -15, 6468, 8484},
             {1500, 900, {}, {}},
             {1500, 900, {}, {}},
             {1500, 900, {}, {}}}};
}

common::Placement GraphPlacementToKeep(const common::Placement& graph, double screenWidthTwips) {
    if (graph.left < screenWidthTwips) return graph;
    return TlDefaults::DefaultPlacements()[GraphSlot];
}

TlDefaults ParseTlDefaults(const std::vector<std::string>& lines, TlDefaults d) {
    if (const std::string* l = lineAt(lines, 1)) {
        std::string word = common::Trimmed(*l);
        d.unitWord = word == "F" || word == "f" ? 'F' : 'M';
    }
    readUserLine(lines, d.user);
    for (int slot = 0; slot < SlotCount; ++slot)
        if (const std::string* l = lineAt(lines, 8 + slot))
            if (auto p = common::ReadPlacementLine(*l)) {
                d.placements[slot].left = p->left;
                d.placements[slot].top = p->top;
                if (slot == GraphSlot && p->height) {
                    d.placements[slot].height = p->height;
                    d.placements[slot].width = p->width;
                }
            }
    if (const std::string* l = lineAt(lines, 13))
        if (auto v = numberLine(*l); v && *v >= 0 && *v <= 9999) d.lengthFeet = common::Trimmed(*l);
    if (const std::string* l = lineAt(lines, 14))
        if (auto v = numberLine(*l); v && *v == std::floor(*v) && *v >= 0 && *v < CatalogueSize)
            d.cableIndex = static_cast<int>(*v);
    if (const std::string* l = lineAt(lines, 15))
        if (auto v = numberLine(*l); v && *v >= 0.02 && *v <= 6000) d.freq = common::Trimmed(*l);
    if (const std::string* l = lineAt(lines, 16))
        if (numberLine(*l)) d.resistance = common::Trimmed(*l);
    if (const std::string* l = lineAt(lines, 17))
        if (numberLine(*l)) d.reactance = common::Trimmed(*l);
    return d;
}

std::vector<std::string> FormatTlDefaults(const TlDefaults& d) {
    using common::PlainNumber;
    const auto& p = d.placements;
    return {std::string(1, d.unitWord),
            PlainNumber(d.user.r0),
            PlainNumber(d.user.x0),
            PlainNumber(d.user.atten),
            PlainNumber(d.user.vf),
            PlainNumber(d.user.vmax),
            common::Format(d.user.freq, "####.000"),
            placementText(p[MainSlot], ":6456,8484"),
            graphLine(p[GraphSlot]),
            placementText(p[TunerSetupSlot], ":6444:8460"),
            placementText(p[TunerFirstSlot], ":6444,8460"),
            placementText(p[TunerSecondSlot], ":6456,8460"),
            d.lengthFeet,
            PlainNumber(static_cast<double>(d.cableIndex)),
            d.freq,
            d.resistance,
            d.reactance};
}

common::Result<> WriteTlDefaults(const std::string& path, const TlDefaults& defaults) {
    return common::WriteFileAtomically(path, common::JoinLines(FormatTlDefaults(defaults)));
}

common::Result<> SaveTlDefaults(const std::string& path, TlDefaults current) {
    if (auto existing = common::ReadTextLines(path)) readUserLine(*existing, current.user);
    return WriteTlDefaults(path, current);
}

} // namespace kavlo
