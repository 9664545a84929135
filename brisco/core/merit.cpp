#include "merit.h"

#include "common/number_text.h"

#include <cmath>

namespace brisco {

double FigureOfMerit(const SlotGains& gains, const ElevationStats& stats, int column) {
    double sum = 0;
    for (int angle = 1; angle <= 35; ++angle)
        sum += std::pow(10.0, gains[4 * angle] / 10.0) * stats.at(angle, column) * 0.01;
    return sum == 0 ? 0 : 10 * std::log10(sum);
}

common::Result<int> RatingColumn(const ElevationStats& stats, float frequency,
                                 const std::string& statsName) {
    const std::string band = common::NumberText(frequency) + " MHz";
    const std::string unrated = " No figure of merit is given.";
    if (!HasBandColumn(frequency))
        return common::Result<int>::Failure(statsName + " has no statistics for " + band +
                                            ": its columns are the bands from 80 m to 10 m." +
                                            unrated);
    const int column = BandColumn(frequency);
    for (int angle = 1; angle <= 35; ++angle)
        if (stats.at(angle, column) != 0) return column;
    return common::Result<int>::Failure(statsName + " holds no statistics for the band of " + band +
                                        ": its column " + std::to_string(column) + " is all zero." +
                                        unrated);
}

std::string Enclosed(std::string_view text) {
    std::string out = "\"";
    for (char c : text) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

std::vector<std::string> SlotSection(const SlotReport& r) {
    const std::string frequency = common::NumberText(r.frequency);
    const char* unit = r.units == Units::Meters ? " m" : " feet";
    std::vector<std::string> lines{
        Enclosed(frequency + " MHz    Ants: " + r.heights + unit),
        Enclosed("Brisco: " + r.terrain),
        Enclosed("Antenna: " + r.type),
        Enclosed("  Elev.") + "," + Enclosed(" Gain "),
    };
    for (int angle = 1; angle <= 35; ++angle)
        lines.push_back(common::Format(static_cast<double>(angle), "##") + ", " +
                        common::Format(r.gains[4 * angle], "###.0"));
    if (r.merit)
        lines.push_back(Enclosed("For " + r.merit->first +
                                 ": Figure of Merit = " + common::Format(r.merit->second, "##.0")));
    lines.emplace_back();
    return lines;
}

} // namespace brisco
