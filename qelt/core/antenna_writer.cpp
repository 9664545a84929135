#include "antenna_writer.h"

#include "common/number_text.h"

namespace qelt {
namespace {

using common::Format;

constexpr std::size_t FieldWidth = 9;
const std::string DiameterIndent(FieldWidth, ' ');

std::string upperCase(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

// Right-aligned in nine characters, and never run into the field before it.
std::string field(const std::string& number) {
    return std::string(number.size() < FieldWidth ? FieldWidth - number.size() : 1, ' ') + number;
}

// A length or diameter: three decimals of an inch, or one of a millimetre.
std::string dimension(double inches, Units units) {
    return field(units == Units::English ? Format(inches, "0.000")
                                         : Format(ShownDimension(inches, units), "0.0"));
}

// An element's position along the boom. In millimetres it keeps four integer digits,
// as a zero position has them, so that the line never starts with the five blanks that
// make the reader take it for a diameter line.
std::string position(double inches, Units units) {
    return field(units == Units::English ? Format(inches, "0.000")
                                         : Format(ShownDimension(inches, units), "0000.0"));
}

} // namespace

std::string WithQeltExtension(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    const std::string name = path.substr(slash == std::string::npos ? 0 : slash + 1);
    return name.find('.') == std::string::npos ? path + ".QELT" : path;
}

std::vector<std::string> AntennaFileLines(const std::string& fileName, const Antenna& antenna,
                                          double freqLow, double freqHigh, Units units) {
    std::vector<std::string> lines;
    lines.push_back(upperCase(fileName) + ", " + antenna.title);
    lines.push_back(Format(freqLow, "###0.0##") + Format((freqLow + freqHigh) / 2, "   ###0.0##") +
                    Format(freqHigh, "   ###0.0## MHz"));
    lines.push_back(common::PlainNumber(static_cast<double>(antenna.elementCount)) + " elements, " +
                    (units == Units::English ? "inches" : "mm"));
    double along = 0;
    for (int e = 1; e <= antenna.elementCount; ++e) {
        const int sections = antenna.sectionCount[e - 1];
        if (e == 1 || !antenna.sameDiameters(e, e - 1)) {
            std::string diameters = DiameterIndent;
            for (int s = 1; s <= sections; ++s)
                diameters += dimension(antenna.diameter(e, s), units);
            lines.push_back(diameters);
        }
        if (e > 1) along += antenna.spacing[e - 2];
        std::string element = position(along, units);
        for (int s = 1; s <= sections; ++s) element += dimension(antenna.length(e, s), units);
        lines.push_back(element);
    }
    return lines;
}

std::string NetworkInputLine(const std::string& caption, double inches, Units units) {
    return caption + Format(ShownDimension(inches, units), " ##0.0##") +
           (units == Units::English ? " inches" : " mm");
}

std::vector<std::string> TrailerLines(const FileTrailer& t) {
    const bool english = t.units == Units::English;
    std::vector<std::string> lines{
        " ",
        MatchFrequencyCaption + Format(t.matchFrequency, "###0.0## MHz"),
        "Driven-element tip: " + Format(ShownDimension(t.tipLength, t.units), "##0.0##") +
            (english ? " inches" : " mm"),
        CableCaption + Format(t.cableZ0, "###.0 ohms"),
        HeightCaption + (t.heightFeet == 0 ? std::string("Free Space")
                                           : Format(ShownHeight(t.heightFeet, t.units), "##0.0##") +
                                                 (english ? " feet" : " m")),
    };
    lines.insert(lines.end(), t.network.begin(), t.network.end());
    lines.push_back(" ");
    lines.push_back(OriginalFileCaption + t.sourcePath);
    // The source's notes and figures: every line after its title that starts with a number.
    for (std::size_t i = 1; i < t.sourceLines.size(); ++i)
        if (common::ParseNumber(t.sourceLines[i]) != 0) lines.push_back(t.sourceLines[i]);
    return lines;
}

} // namespace qelt
