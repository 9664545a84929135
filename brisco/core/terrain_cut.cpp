#include "terrain_cut.h"

#include "common/cli_options.h"
#include "common/number_text.h"

#include <algorithm>
#include <cmath>

namespace brisco {
namespace {

using common::Result;

// A box of feet: empty for the default, else a number.
Result<std::optional<double>> feet(const std::string& text, const char* what) {
    if (text.find_first_not_of(" \t") == std::string::npos) return std::optional<double>();
    if (std::optional<double> v = common::NumberValue(text)) return std::optional<double>(*v);
    return Result<std::optional<double>>::Failure(std::string("The ") + what + " \"" + text +
                                                  "\" is not a number of feet.");
}

} // namespace

TerrainCut::TerrainCut(const std::string& profilesFolder) {
    texts_.txtProfilesOut = profilesFolder;
    describe();
}

void TerrainCut::setDem(const std::string& text) { texts_.txtDem = text; }
void TerrainCut::setQth(const std::string& text) {
    texts_.txtQth = text;
    describe();
}
void TerrainCut::setAzimuth(const std::string& text) {
    texts_.txtAzimuth = text;
    describe();
}
void TerrainCut::setLength(const std::string& text) {
    texts_.txtLength = text;
    describe();
}
void TerrainCut::setSpacing(const std::string& text) {
    texts_.txtSpacing = text;
    describe();
}

Result<ProfileSpacing> TerrainCut::spacing() const {
    Result<std::optional<double>> length = feet(texts_.txtLength, "length");
    if (!length) return Result<ProfileSpacing>::Failure(length.message());
    Result<std::optional<double>> step = feet(texts_.txtSpacing, "spacing");
    if (!step) return Result<ProfileSpacing>::Failure(step.message());
    return ChooseSpacing(length.value(), step.value());
}

void TerrainCut::describe() {
    if (texts_.txtQth.find_first_not_of(" \t") == std::string::npos) {
        texts_.lblPlace = "Enter latitude,longitude or a locator.";
    } else {
        Result<Place> place = ReadPlace(texts_.txtQth);
        texts_.lblPlace = place ? PlaceText(place.value()) : place.message();
    }
    Result<ProfileSpacing> s = spacing();
    texts_.lblPoints = s ? std::to_string(s.value().points) + " points, one every " +
                               common::Format(s.value().spacingFeet, "0.0") + " ft, out to " +
                               common::Format(s.value().lengthFeet, "0") + " ft"
                         : s.message();
    Result<std::vector<double>> azimuths = ReadAzimuths(texts_.txtAzimuth);
    texts_.lblAzimuths = azimuths ? (azimuths.value().size() == 1
                                         ? std::string("1 azimuth")
                                         : std::to_string(azimuths.value().size()) + " azimuths")
                                  : azimuths.message();
}

Result<std::vector<CutProfile>> TerrainCut::Cut() const {
    using Cuts = Result<std::vector<CutProfile>>;
    if (texts_.txtDem.find_first_not_of(" \t") == std::string::npos)
        return Cuts::Failure("Choose the elevation data: a file or a folder of tiles.");
    if (texts_.txtQth.find_first_not_of(" \t") == std::string::npos)
        return Cuts::Failure("Enter the station's place: latitude,longitude or a locator.");
    Result<Place> place = ReadPlace(texts_.txtQth);
    if (!place) return Cuts::Failure(place.message());
    Result<std::vector<double>> azimuths = ReadAzimuths(texts_.txtAzimuth);
    if (!azimuths) return Cuts::Failure(azimuths.message());
    Result<ProfileSpacing> steps = spacing();
    if (!steps) return Cuts::Failure(steps.message());
    Result<ElevationData> data = ElevationData::Open(texts_.txtDem);
    if (!data) return Cuts::Failure(data.message());
    std::vector<CutProfile> profiles;
    for (double azimuth : azimuths.value()) {
        Result<CutProfile> cut =
            CutTerrainProfile(data.value(), place.value(), azimuth, steps.value());
        if (!cut) return Cuts::Failure(cut.message());
        profiles.push_back(std::move(cut).value());
    }
    return profiles;
}

std::vector<Message> TerrainCut::PutInSlots(Assessment& a) const {
    Result<std::vector<CutProfile>> profiles = Cut();
    if (!profiles) return {{profiles.message(), "Brisco"}};
    Result<std::vector<std::string>> paths = WriteProfiles(texts_.txtProfilesOut, profiles.value());
    if (!paths) return {{paths.message(), "Brisco"}};
    std::array<HeightsColumn, SlotCount> columns;
    const size_t slots = std::min<size_t>(SlotCount, paths.value().size());
    for (size_t n = 0; n < slots; ++n) {
        const int slot = static_cast<int>(n);
        a.chooseTerrain(slot, paths.value()[n]);
        columns[n] = a.heights(slot).empty() ? HeightsColumn{a.type(0), a.heights(0)}
                                             : HeightsColumn{a.type(slot), a.heights(slot)};
    }
    for (size_t n = slots; n < SlotCount; ++n)
        columns[n] = {a.type(static_cast<int>(n)), a.heights(static_cast<int>(n))};
    a.applyHeights(columns);
    const size_t count = paths.value().size();
    std::string text = std::to_string(count) + (count == 1 ? " profile is" : " profiles are") +
                       " written in " + texts_.txtProfilesOut + ".";
    if (count > SlotCount) text += " The first four are in the slots.";
    return {{text, "Brisco"}};
}

AzimuthRating TerrainCut::RateAll(const Assessment& a, const EngineSource& engine,
                                  const std::function<void(int)>& progress) const {
    AzimuthRating rating;
    if (a.texts().txtElevFile.empty()) {
        rating.messages.push_back(
            {"Choose an elevation statistics file: every azimuth is rated by its figure of merit.",
             "Brisco"});
        return rating;
    }
    Result<std::vector<CutProfile>> profiles = Cut();
    if (!profiles) {
        rating.messages.push_back({profiles.message(), "Brisco"});
        return rating;
    }
    return RateAzimuths(a, profiles.value(), engine, progress);
}

} // namespace brisco
