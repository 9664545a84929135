#pragma once
// The analyser's two unit systems: English (height in feet, dimensions in inches) and
// metric (height in metres, dimensions in millimetres), named as the units label shows
// them. The core keeps feet and inches; only what is shown or typed is converted.
#include "common/constants.h"

namespace qelt {

enum class Units { English, Metric };

inline const char* const EnglishCaption = "feet, inches";
inline const char* const MetricCaption = "meters, mm";

inline const char* UnitsCaption(Units units) {
    return units == Units::English ? EnglishCaption : MetricCaption;
}

// A height in the unit shown, and back to feet.
inline double ShownHeight(double feet, Units units) {
    return units == Units::English ? feet : feet * common::MetresPerFoot;
}
inline double HeightFeet(double shown, Units units) {
    return units == Units::English ? shown : shown / common::MetresPerFoot;
}
// A dimension in the unit shown, and back to inches.
inline double ShownDimension(double inches, Units units) {
    return units == Units::English ? inches : inches * common::MillimetresPerInch;
}
inline double DimensionInches(double shown, Units units) {
    return units == Units::English ? shown : shown / common::MillimetresPerInch;
}

} // namespace qelt
