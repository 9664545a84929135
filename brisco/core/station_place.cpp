#include "station_place.h"

#include "terrain_files.h"

#include "common/cli_options.h"
#include "common/number_text.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

namespace brisco {
namespace {

using common::Result;

// Each pair of a locator halves (letters A..R, then x..) or tenths (digits) the square
// before it: longitude first, latitude second.
struct LocatorPair {
    char first;
    int divisions;
};
constexpr LocatorPair LocatorPairs[] = {{'A', 18}, {'0', 10}, {'A', 24}, {'0', 10}, {'A', 24}};

std::string trimmed(const std::string& text) {
    size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos) return {};
    size_t end = text.find_last_not_of(" \t");
    return text.substr(begin, end - begin + 1);
}

} // namespace

Result<Place> DecodeLocator(const std::string& text) {
    const std::string locator = trimmed(text);
    const auto refused = [&](const std::string& why) {
        return Result<Place>::Failure("The locator \"" + locator + "\" " + why);
    };
    if (locator.size() < 4 || locator.size() > 10 || locator.size() % 2 != 0)
        return refused("must have 4, 6, 8 or 10 characters (JO01, IO91wm, IO91wm42).");
    double longitude = -180, latitude = -90;
    double width = 360, height = 180; // of the square named so far
    for (size_t pair = 0; pair < locator.size() / 2; ++pair) {
        const LocatorPair& kind = LocatorPairs[pair];
        width /= kind.divisions;
        height /= kind.divisions;
        for (int half = 0; half < 2; ++half) {
            const char c = static_cast<char>(
                std::toupper(static_cast<unsigned char>(locator[2 * pair + half])));
            const int index = c - kind.first;
            if (index < 0 || index >= kind.divisions) {
                const char last = static_cast<char>(kind.first + kind.divisions - 1);
                return refused("holds \"" + std::string(1, locator[2 * pair + half]) +
                               "\" at character " + std::to_string(2 * pair + half + 1) +
                               ": that place takes " + std::string(1, kind.first) + ".." +
                               std::string(1, last) + ".");
            }
            (half == 0 ? longitude : latitude) += index * (half == 0 ? width : height);
        }
    }
    return Place{latitude + height / 2, longitude + width / 2};
}

std::string PlaceText(const Place& p) {
    return common::Format(std::fabs(p.latitude), "0.0000") + (p.latitude < 0 ? " S, " : " N, ") +
           common::Format(std::fabs(p.longitude), "0.0000") + (p.longitude < 0 ? " W" : " E");
}

Result<Place> ReadPlace(const std::string& text) {
    const std::string place = trimmed(text);
    size_t cut = place.find_first_of(",;");
    if (cut == std::string::npos) cut = place.find_first_of(" \t");
    if (cut == std::string::npos) return DecodeLocator(place);
    const std::optional<double> latitude = common::NumberValue(trimmed(place.substr(0, cut)));
    const std::optional<double> longitude = common::NumberValue(trimmed(place.substr(cut + 1)));
    if (!latitude || !longitude)
        return Result<Place>::Failure("The place \"" + place +
                                      "\" is neither latitude,longitude in degrees (51.5,-0.12) "
                                      "nor a locator (IO91wm).");
    if (std::fabs(*latitude) > 90 || std::fabs(*longitude) > 180)
        return Result<Place>::Failure("The latitude must lie within -90..90 degrees and the "
                                      "longitude within -180..180: \"" +
                                      place + "\".");
    return Place{*latitude, *longitude};
}

Result<std::vector<double>> ReadAzimuths(const std::string& text) {
    const std::string azimuths = trimmed(text);
    const auto refused = [&]() {
        return Result<std::vector<double>>::Failure(
            "The azimuth \"" + azimuths +
            "\" is neither one azimuth in degrees (45) nor START:STOP:STEP (0:350:10).");
    };
    const auto around = [](double a) {
        a = std::fmod(a, 360.0);
        return a < 0 ? a + 360 : a;
    };
    std::vector<std::string> parts;
    for (size_t start = 0;;) {
        size_t colon = azimuths.find(':', start);
        parts.push_back(trimmed(azimuths.substr(start, colon - start)));
        if (colon == std::string::npos) break;
        start = colon + 1;
    }
    std::vector<std::optional<double>> values;
    for (const std::string& part : parts) values.push_back(common::NumberValue(part));
    if (std::any_of(values.begin(), values.end(), [](auto& v) { return !v; })) return refused();
    if (values.size() == 1) return std::vector<double>{around(*values[0])};
    if (values.size() != 3) return refused();
    const double start = *values[0], step = *values[2];
    double stop = *values[1];
    if (!(step > 0) || step > 360)
        return Result<std::vector<double>>::Failure(
            "The azimuth step must be more than 0 and at most 360 degrees.");
    if (stop < start) stop += 360 * std::ceil((start - stop) / 360);
    const double count = std::floor((stop - start) / step + 1e-9) + 1;
    if (count > 3600)
        return Result<std::vector<double>>::Failure(
            "The azimuth range gives more than 3600 azimuths: take a larger step.");
    std::vector<double> list;
    for (int i = 0; i < int(count); ++i) {
        double a = around(start + i * step);
        if (std::fabs(a - 360) < 1e-9) a = 0;
        const bool again = std::any_of(list.begin(), list.end(), [a](double b) {
            return std::fabs(a - b) < 1e-9 || std::fabs(std::fabs(a - b) - 360) < 1e-9;
        });
        if (!again) list.push_back(a);
    }
    return list;
}

std::string ProfileFileName(double azimuth) {
    double whole = std::floor(azimuth + 1e-9);
    double fraction = azimuth - whole;
    char name[32];
    std::snprintf(name, sizeof name, "AZ%03d", static_cast<int>(whole));
    std::string text = name;
    if (fraction > 1e-9) {
        std::string tail = common::Format(fraction, "0.###");
        text += tail.substr(tail.find('.'));
    }
    return text + ".PRO";
}

Result<ProfileSpacing> ChooseSpacing(std::optional<double> length, std::optional<double> spacing) {
    const double reach = VEXLO_FARTHEST_FEET;
    const int most = MostProfilePoints; // 150, the tower base among them
    if ((length && !(*length > 0)) || (spacing && !(*spacing > 0)))
        return Result<ProfileSpacing>::Failure(
            "The profile's length and spacing must be more than 0 ft.");
    if (length && *length > reach)
        return Result<ProfileSpacing>::Failure(
            "The profile's length must be at most " + std::to_string(int(reach)) +
            " ft (about 95 miles), as far as the terrain engine reaches.");
    ProfileSpacing s;
    if (length && spacing) {
        const int points = static_cast<int>(std::floor(*length / *spacing + 1e-9)) + 1;
        if (points > most)
            return Result<ProfileSpacing>::Failure(
                "A profile holds at most " + std::to_string(most) + " points: a " +
                common::ShortestText(*length) + " ft profile needs a spacing of at least " +
                common::Format(*length / (most - 1), "0.0") + " ft.");
        if (points < 2)
            return Result<ProfileSpacing>::Failure(
                "The spacing must not exceed the profile's length.");
        s = {(points - 1) * *spacing, *spacing, points};
    } else if (length) {
        s = {*length, *length / (most - 1), most};
    } else if (spacing) {
        const int points =
            std::min(most, static_cast<int>(std::floor(reach / *spacing + 1e-9)) + 1);
        if (points < 2)
            return Result<ProfileSpacing>::Failure(
                "The spacing must not exceed the terrain engine's reach of " +
                std::to_string(int(reach)) + " ft.");
        s = {(points - 1) * *spacing, *spacing, points};
    } else {
        s = {DefaultSpacingFeet * (most - 1), DefaultSpacingFeet, most};
    }
    return s;
}

} // namespace brisco
