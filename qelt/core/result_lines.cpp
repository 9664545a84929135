#include "result_lines.h"

#include "common/number_text.h"

#include <cmath>
#include <initializer_list>
#include <utility>

namespace qelt {
namespace {

using common::Format;

// Blanks before a value by its length in characters; a value shorter than the first
// length listed takes the first count, one longer than the last the last count.
using BlankRule = std::initializer_list<std::pair<std::size_t, int>>;

std::string blanksFor(const std::string& value, BlankRule rule) {
    int blanks = rule.begin()->second;
    for (const auto& [length, count] : rule)
        if (value.size() >= length) blanks = count;
    return std::string(static_cast<std::size_t>(blanks), ' ');
}

std::string blanks(int count) { return std::string(static_cast<std::size_t>(count), ' '); }

// The caption, then the three values, each after the blanks its rule asks for.
std::string line(const std::string& caption, const std::string (&values)[3], BlankRule first,
                 BlankRule later) {
    return caption + blanksFor(values[0], first) + values[0] + blanksFor(values[1], later) +
           values[1] + blanksFor(values[2], later) + values[2];
}

constexpr int Columns[3] = {0, CentrePoint, SweepPoints - 1};

template <typename Shown> void columns(const Sweep& sweep, std::string (&out)[3], Shown shown) {
    for (int c = 0; c < 3; ++c) out[c] = shown(sweep[Columns[c]]);
}

// R, then X with its sign before the j: "36.3 -j 1.5", "43.2 +j 12.2"; a negative X
// keeps its "-j" even when it rounds to ".0".
std::string impedance(const SweepPoint& p) {
    return Format(p.resistance, "####.0 ") + (p.reactance < 0
                                                  ? "-" + Format(-p.reactance, "j ####.0")
                                                  : Format(p.reactance, "+j ####.0"));
}

} // namespace

ResultLines FormatResultLines(const Sweep& sweep, Ratio ratio) {
    ResultLines r;
    std::string v[3];
    columns(sweep, v, [](const SweepPoint& p) { return Format(p.frequency, "###0.000 MHz"); });
    r.freq =
        line("Freq:", v, {{9, 7}, {10, 5}, {11, 4}, {12, 2}}, {{9, 9}, {10, 7}, {11, 5}, {12, 3}});
    columns(sweep, v, [](const SweepPoint& p) { return Format(p.gain, "##0.00 dBi"); });
    r.gain = line("Gain:", v, {{8, 10}, {9, 8}, {10, 7}}, {{8, 12}, {9, 11}, {10, 10}, {11, 9}});
    columns(sweep, v, [ratio](const SweepPoint& p) { return Format(p.ratio(ratio), "##0.00 dB"); });
    r.ratio = line(ratio == Ratio::FrontToBack ? "F/B:" : "F/R:", v, {{8, 11}, {9, 9}, {10, 8}},
                   {{8, 12}, {9, 11}, {10, 10}, {11, 9}});
    columns(sweep, v, impedance);
    r.impedance = "Z:" + blanks(11) + v[0] + blanks(8) + v[1] + blanks(9) + v[2];
    columns(sweep, v, [](const SweepPoint& p) { return Format(p.swr, "##.00:1"); });
    r.swr = "SWR:" + blanks(10) + v[0] + " " + blanks(14) + v[1] + blanks(15) + v[2];
    return r;
}

std::string FeedPointText(float r, float x) {
    return Format(r, "###0.0") + (x < 0 ? " - j " + Format(std::fabs(x), "###0.0 ohms")
                                        : " + j " + Format(x, "###0.0 ohms"));
}

} // namespace qelt
