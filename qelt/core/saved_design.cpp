#include "saved_design.h"

#include "antenna.h"
#include "antenna_writer.h"

#include "common/number_text.h"

namespace qelt {
namespace {

bool startsWith(const std::string& text, const std::string& start) {
    return text.compare(0, start.size(), start) == 0;
}

bool blank(const std::string& line) { return line.find_first_not_of(" \t\r") == std::string::npos; }

// A file name a save put in front of the title: no blank or comma in it, then ", ".
std::size_t nameInFront(const std::string& title, bool qeltOnly) {
    const std::size_t comma = title.find(", ");
    if (comma == std::string::npos || comma == 0) return 0;
    const std::string name = title.substr(0, comma);
    if (name.find_first_of(" ,\t") != std::string::npos) return 0;
    if (qeltOnly && (name.size() < 5 || name.compare(name.size() - 5, 5, ".QELT") != 0)) return 0;
    return comma + 2;
}

// A dimension of the trailer ("... 0.25 inches", "... 6.35 mm"), in inches.
double inches(const std::string& line, std::size_t from) {
    const std::string value = line.substr(from);
    const double shown = common::ParseNumber(value);
    const bool mm = value.size() >= 3 && value.compare(value.size() - 3, 3, " mm") == 0;
    return DimensionInches(shown, mm ? Units::Metric : Units::English);
}

} // namespace

std::string SavedTitle(const std::string& line) {
    std::string title;
    if (line.size() >= static_cast<std::size_t>(TitleWidth) + 2 &&
        line.compare(line.size() - TitleWidth - 2, 2, ", ") == 0)
        title = line.substr(line.size() - TitleWidth);
    else // trailing blanks an editor took away
        title = line.substr(nameInFront(line, false));
    // Older saves put their names in front of the title again each time.
    while (const std::size_t skip = nameInFront(title, true)) title.erase(0, skip);
    title.resize(TitleWidth, ' ');
    return title;
}

std::optional<SavedDesign> ReadSavedDesign(const std::vector<std::string>& lines) {
    std::size_t i = 1;
    while (i + 1 < lines.size() &&
           !(blank(lines[i]) && startsWith(lines[i + 1], MatchFrequencyCaption)))
        ++i;
    if (i + 1 >= lines.size()) return std::nullopt;
    SavedDesign d;
    d.title = SavedTitle(lines[0]);
    bool original = false;
    for (++i; i < lines.size() && !original; ++i) {
        const std::string& l = lines[i];
        auto after = [&l](const std::string& caption) {
            return common::ParseNumber(l.substr(caption.size()));
        };
        const RodCaptions gamma = RodCaptionsFor(Network::Gamma),
                          hairpin = RodCaptionsFor(Network::Hairpin);
        if (startsWith(l, MatchFrequencyCaption)) {
            d.matchFrequency = after(MatchFrequencyCaption);
        } else if (startsWith(l, CableCaption)) {
            d.cableZ0 = after(CableCaption);
        } else if (startsWith(l, HeightCaption)) {
            const std::string shown = l.substr(std::string(HeightCaption).size());
            const double h = common::ParseNumber(shown);
            const bool metres = shown.size() >= 2 && shown.compare(shown.size() - 2, 2, " m") == 0;
            d.heightFeet = HeightFeet(h, metres ? Units::Metric : Units::English);
        } else if (startsWith(l, gamma.diameter) || startsWith(l, hairpin.diameter)) {
            d.network = startsWith(l, gamma.diameter) ? Network::Gamma : Network::Hairpin;
            d.rodDiameter = inches(l, l.find(':') + 1);
        } else if (startsWith(l, gamma.spacing) || startsWith(l, hairpin.spacing)) {
            d.rodSpacing = inches(l, l.find(':') + 1);
        } else if (startsWith(l, OriginalFileCaption)) {
            d.sourcePath = l.substr(std::string(OriginalFileCaption).size());
            original = true;
        }
    }
    d.sourceLines.assign(lines.begin() + static_cast<std::ptrdiff_t>(i), lines.end());
    return d;
}

} // namespace qelt
