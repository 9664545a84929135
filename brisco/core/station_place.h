#pragma once
// Where a station stands and which ways its profiles run: latitude and longitude in
// degrees or a Maidenhead locator, one azimuth or a range of them, and the length and
// spacing of each profile.
#include "common/result.h"

#include <optional>
#include <string>
#include <vector>

namespace brisco {

struct Place {
    double latitude = 0;  // degrees, north positive
    double longitude = 0; // degrees, east positive
};

// The centre of the square a Maidenhead locator of 4, 6, 8 or 10 characters names
// ("JO01", "IO91wm", "IO91wm42", "IO91wm42ab"); letters in either case.
common::Result<Place> DecodeLocator(const std::string& locator);
// "51.5208 N, 0.1250 W"
std::string PlaceText(const Place& place);

// "LAT,LON" in degrees (a blank or a semicolon may part them too; south and west
// negative) or a locator.
common::Result<Place> ReadPlace(const std::string& text);

// One azimuth "DEG" or a range "START:STOP:STEP", in degrees from north, each brought into
// 0..360. A range whose stop lies below its start runs through north (300:60:30); a range
// round the whole circle gives north once.
common::Result<std::vector<double>> ReadAzimuths(const std::string& text);

// The file a profile cut at an azimuth is written to: AZ045.PRO, AZ022.5.PRO.
std::string ProfileFileName(double azimuth);

struct ProfileSpacing {
    double lengthFeet = 0;
    double spacingFeet = 0;
    int points = 0; // the tower base and one point every spacing out to the length
};
// By default a point every 100 ft: 150 points (what a profile holds) follow the ground
// out to 14900 ft, where the low angles of HF are shaped. Spread out to the engine's
// farthest point, 150 points would lie 3356 ft apart and miss the ground near the tower.
constexpr double DefaultSpacingFeet = 100;
// The profile's length and spacing from what was given: by default 150 points every
// 100 ft; a length alone is cut into 150 points, a spacing alone runs 150 points or to
// the terrain engine's farthest point.
common::Result<ProfileSpacing> ChooseSpacing(std::optional<double> lengthFeet,
                                             std::optional<double> spacingFeet);

} // namespace brisco
