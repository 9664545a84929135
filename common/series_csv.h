#pragma once
// The numbers of a chart as comma-separated text, for the user's own notes and sheets.
#include <string>
#include <string_view>
#include <vector>

namespace common {

// One curve as it was given to a chart. `singleX` and `singleY` remember values computed
// in single precision, so that 7.6f is written 7.6 and not 7.599999904632568.
struct SeriesPoints {
    std::string name;
    std::vector<double> x;
    std::vector<double> y;
    bool singleX = false;
    bool singleY = false;
};

// Series sharing the same x values (exactly) share one x column headed `xTitle`, followed
// by one column per series headed by its name; each further set of x values starts its
// own x column. One row per x, a group that has run out leaves its cells empty, and so
// does a y that is not a finite number. Numbers in their shortest exact form with a "."
// whatever the locale; fields holding a comma, a quote or a line end are quoted. Lines
// end with "\n".
std::string SeriesCsv(std::string_view xTitle, const std::vector<SeriesPoints>& series);

} // namespace common
