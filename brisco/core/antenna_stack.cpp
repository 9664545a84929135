#include "antenna_stack.h"

#include "common/constants.h"
#include "common/number_text.h"
#include "common/trimmed.h"

#include <cmath>
#include <vector>

namespace brisco {
namespace {

constexpr float MetresPerFootSingle = static_cast<float>(common::MetresPerFoot);

constexpr float HighestAntennaFeet = VEXLO_HIGHEST_ANTENNA_FEET;

const char* const EnterHeights =
    "Enter one to four heights separated by \"/\", for example 120/90*/60/30.";

// How many leading entries are all non-zero: the antennas of a stack end at the first gap.
template <typename IsPresent> int leadingPresent(IsPresent present) {
    int n = 0;
    while (n < StackSize && present(n)) ++n;
    return n;
}

template <typename Piece> std::string joined(int count, Piece piece) {
    std::string text;
    for (int k = 0; k < count; ++k) {
        if (k) text += '/';
        text += piece(k);
    }
    return text;
}

} // namespace

const char* UnitWord(Units units) { return units == Units::Meters ? "meters" : "feet"; }
const char* HeightSuffix(Units units) { return units == Units::Meters ? " m" : " ft"; }

std::string TypeName(std::int16_t code) {
    for (const AntennaType& t : AntennaTypes)
        if (t.code == code) return t.name;
    return {};
}

std::optional<std::int16_t> TypeCode(std::string_view name) {
    std::string wanted = common::Trimmed(name);
    for (const AntennaType& t : AntennaTypes)
        if (wanted == t.name) return t.code;
    return std::nullopt;
}

common::Result<AntennaStack> ParseHeights(std::string_view text, Units units) {
    std::vector<std::string_view> pieces;
    size_t start = 0;
    for (size_t slash; (slash = text.find('/', start)) != std::string_view::npos; start = slash + 1)
        pieces.push_back(text.substr(start, slash - start));
    pieces.push_back(text.substr(start));
    if (pieces.size() > StackSize)
        return common::Result<AntennaStack>::Failure(
            "The heights " + std::string(text) + " name more than four antennas. " + EnterHeights);

    AntennaStack stack;
    for (size_t k = 0; k < pieces.size(); ++k) {
        stack.AntennaHeight[k] = static_cast<float>(common::ParseNumber(pieces[k]));
        // A single antenna has nothing to be out of phase with.
        if (pieces.size() > 1 && pieces[k].find('*') != std::string_view::npos) stack.Phase[k] = -1;
        if (units == Units::Meters) stack.AntennaHeight[k] /= MetresPerFootSingle;
    }
    return stack;
}

common::Result<> CheckComputable(const AntennaStack& stack, std::string_view text) {
    bool present = false;
    for (float h : stack.AntennaHeight) {
        if (!std::isfinite(h) || h < 0 || h > HighestAntennaFeet)
            return common::Result<>::Failure(
                "The heights " + std::string(text) + " put an antenna below the ground or above " +
                std::to_string(int(VEXLO_HIGHEST_ANTENNA_FEET)) + " ft. " + EnterHeights);
        present = present || h > 0;
    }
    if (present) return {};
    return common::Result<>::Failure((text.empty() ? std::string("No antenna heights are given. ")
                                                   : "The heights " + std::string(text) +
                                                         " give no antenna above the ground. ") +
                                     EnterHeights);
}

std::string RemoveBlank(std::string_view text) {
    std::string kept;
    // A comma stays: every number the program reads takes it for the decimal point.
    for (char c : text)
        if ((c >= '0' && c <= '9') || c == '.' || c == ',' || c == '*') kept.push_back(c);
    return kept;
}

std::string HeightsText(const std::array<std::string, StackSize>& cells) {
    int count = leadingPresent([&](int k) { return common::ParseNumber(cells[k]) != 0; });
    return joined(count, [&](int k) { return cells[k]; });
}

std::string HeightCell(float feet, std::int16_t phase, Units units) {
    std::string cell = units == Units::Meters
                           ? common::Format(feet * common::MetresPerFoot, "##0.0")
                           : common::Format(feet, "###0");
    return phase == -1 ? cell + "*" : cell;
}

std::string ConvertedHeightsText(const AntennaStack& stack, Units to) {
    int count = leadingPresent([&](int k) { return stack.AntennaHeight[k] > 0; });
    return joined(count, [&](int k) {
        float feet = stack.AntennaHeight[k];
        std::string text =
            to == Units::Meters
                ? common::Trimmed(common::Format(feet * common::MetresPerFoot, "####.0"))
                : common::Trimmed(common::Format(feet, "###0"));
        return stack.Phase[k] == -1 ? text + "*" : text;
    });
}

} // namespace brisco
