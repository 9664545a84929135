#include "element_grid.h"

#include "common/number_text.h"

#include <algorithm>

namespace qelt {
ElementGrid::ElementGrid(const Antenna& working, float tip, const Antenna& loaded, float loadedTip,
                         Units units)
    : edited_(working), tip_(tip), loaded_(loaded), loadedTip_(loadedTip), units_(units) {
    edited_.setTipLength(tip);
    layRows();
}

void ElementGrid::layRows() {
    rows_.clear();
    rows_.push_back({Kind::Header, 0, 0});
    std::size_t schedule = 0; // the diameter row in force
    for (int e = 1; e <= edited_.elementCount; ++e) {
        if (e == 1 || !edited_.sameDiameters(e, e - 1)) {
            schedule = rows_.size();
            rows_.push_back({Kind::Diameters, e, e});
        }
        rows_[schedule].lastElement = e;
        rows_.push_back({Kind::Element, e, e});
    }
}

std::string ElementGrid::caption() const {
    return edited_.titleText() + ", Element Taper and Boom Spacing";
}

ElementGrid::Quantity ElementGrid::quantity(int row, int column) const {
    if (row <= 0 || row >= rowCount() || column <= 0 || column >= Columns) return Quantity::None;
    const Row& r = rows_[row];
    const int section = column - 1;
    if (r.kind == Kind::Diameters) {
        int sections = 0;
        for (int e = r.element; e <= r.lastElement; ++e)
            sections = std::max<int>(sections, edited_.sectionCount[e - 1]);
        return column >= 2 && section <= sections ? Quantity::Diameter : Quantity::None;
    }
    if (column == 1) return r.element > 1 ? Quantity::Spacing : Quantity::None;
    return section <= edited_.sectionCount[r.element - 1] ? Quantity::Length : Quantity::None;
}

bool ElementGrid::isTip(const Row& row, int section) const {
    return row.kind == Kind::Element && row.element == edited_.drivenElement &&
           section == edited_.sectionCount[row.element - 1];
}

double ElementGrid::value(const Antenna& a, float tip, int row, int column) const {
    const Row& r = rows_[row];
    const int section = column - 1;
    switch (quantity(row, column)) {
    case Quantity::Diameter:
        return a.diameter(r.element, section);
    case Quantity::Spacing:
        return a.spacing[r.element - 2];
    case Quantity::Length:
        return isTip(r, section) ? tip : a.length(r.element, section);
    case Quantity::None:
        break;
    }
    return 0;
}

std::string ElementGrid::shown(Quantity q, double inches) const {
    const bool english = units_ == Units::English;
    const char* mask = q == Quantity::Diameter  ? (english ? "##0.0##" : "##0.0")
                       : q == Quantity::Spacing ? (english ? "####0.0##" : "####0.0")
                                                : (english ? "###0.0##" : "###0.0");
    return common::Format(ShownDimension(inches, units_), mask);
}

std::string ElementGrid::text(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= Columns) return {};
    const Row& r = rows_[row];
    if (r.kind == Kind::Header) {
        if (column == 0) return units_ == Units::English ? "Inches" : "mm";
        if (column == 1) return "Spacing";
        return "Dia " + std::to_string(column - 1);
    }
    if (column == 0) {
        if (r.kind == Kind::Diameters) return "Diameter";
        if (r.element == edited_.drivenElement) return "Driver";
        if (r.element == 1) return "Reflector";
        return "Dir " + std::to_string(r.element - edited_.drivenElement);
    }
    const Quantity q = quantity(row, column);
    return q == Quantity::None ? std::string() : shown(q, value(edited_, tip_, row, column));
}

bool ElementGrid::editable(int row, int column) const {
    return quantity(row, column) != Quantity::None;
}

ElementGrid::CellTexts ElementGrid::cellTexts(int row, int column) const {
    const Quantity q = quantity(row, column);
    if (q == Quantity::None) return {{}, {}, boomText()};
    // An element or a section the file did not have has no original.
    const Row& r = rows_[row];
    const bool inFile =
        r.element <= loaded_.elementCount &&
        (q == Quantity::Spacing || column - 1 <= loaded_.sectionCount[r.element - 1]);
    return {inFile ? shown(q, value(loaded_, loadedTip_, row, column)) : std::string(),
            text(row, column), boomText()};
}

bool ElementGrid::change(int row, int column, const std::string& typed) {
    const Quantity q = quantity(row, column);
    const double entered = common::ParseNumber(typed);
    if (q == Quantity::None || !(entered > 0) || entered == common::ParseNumber(text(row, column)))
        return false;
    // Nothing a saved file's ten-character fields could not hold (25 km and more).
    const double largest = 1000000;
    const float inches = static_cast<float>(DimensionInches(entered, units_));
    if (!(inches < largest)) return false;
    const Row& r = rows_[row];
    const int section = column - 1;
    switch (q) {
    case Quantity::Diameter:
        for (int e = r.element; e <= r.lastElement; ++e) edited_.diameter(e, section) = inches;
        break;
    case Quantity::Spacing:
        edited_.spacing[r.element - 2] = inches;
        break;
    case Quantity::Length:
        edited_.length(r.element, section) = inches;
        if (isTip(r, section)) tip_ = inches;
        break;
    case Quantity::None:
        break;
    }
    return true;
}

std::string ElementGrid::boomText() const { return shown(Quantity::Spacing, edited_.boomLength()); }

} // namespace qelt
