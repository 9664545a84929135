#include "series_csv.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace common {
namespace {

std::string field(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string number(double value, bool single) {
    if (!std::isfinite(value)) return {};
    if (value == 0) return "0"; // no "-0" in a sheet
    char text[32];
    auto end = single ? std::to_chars(text, text + sizeof text, static_cast<float>(value)).ptr
                      : std::to_chars(text, text + sizeof text, value).ptr;
    return std::string(text, end);
}

struct Group {
    const std::vector<double>* x;
    bool single;
    std::vector<const SeriesPoints*> members;
};

} // namespace

std::string SeriesCsv(std::string_view xTitle, const std::vector<SeriesPoints>& series) {
    std::vector<Group> groups;
    for (const SeriesPoints& s : series) {
        auto same =
            std::find_if(groups.begin(), groups.end(), [&](const Group& g) { return *g.x == s.x; });
        if (same == groups.end())
            groups.push_back({&s.x, s.singleX, {&s}});
        else
            same->members.push_back(&s);
    }

    std::vector<std::string> header;
    size_t rows = 0;
    for (const Group& g : groups) {
        header.push_back(field(xTitle));
        for (const SeriesPoints* s : g.members) header.push_back(field(s->name));
        rows = std::max(rows, g.x->size());
    }
    auto line = [](const std::vector<std::string>& cells) {
        std::string text;
        for (size_t i = 0; i < cells.size(); ++i) text += (i ? "," : "") + cells[i];
        return text + '\n';
    };

    std::string csv = line(header);
    for (size_t row = 0; row < rows; ++row) {
        std::vector<std::string> cells;
        for (const Group& g : groups) {
            const bool has = row < g.x->size();
            cells.push_back(has ? number((*g.x)[row], g.single) : "");
            for (const SeriesPoints* s : g.members)
                cells.push_back(has && row < s->y.size() ? number(s->y[row], s->singleY) : "");
        }
        csv += line(cells);
    }
    return csv;
}

} // namespace common
