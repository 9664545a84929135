#pragma once
// The window that cuts profiles from elevation data, without the window: the elevation
// data, the station's place, the azimuths, the length and spacing and the folder the
// profiles go to; what they read as; and its two actions, putting the profiles in the
// slots and rating every azimuth.
#include "azimuth_rating.h"

#include "common/control_text.h"

#include <array>
#include <string>
#include <vector>

namespace brisco {

struct TerrainCutTexts {
    std::string txtDem; // a file of elevation data or a folder of tiles
    std::string txtQth; // LAT,LON or a locator
    std::string txtAzimuth = "0:350:10";
    std::string txtLength, txtSpacing; // feet; empty for the defaults
    std::string txtProfilesOut;        // where the AZnnn.PRO files go
    std::string lblPlace;              // the place as read, or why it cannot be
    std::string lblPoints;             // the points as cut, or why they cannot be
    std::string lblAzimuths;           // how many azimuths, or why none
};

inline const std::array<common::ControlText<TerrainCutTexts>, 9> TerrainCutWindowTexts{{
    {"txtDem", &TerrainCutTexts::txtDem},
    {"txtQth", &TerrainCutTexts::txtQth},
    {"txtAzimuth", &TerrainCutTexts::txtAzimuth},
    {"txtLength", &TerrainCutTexts::txtLength},
    {"txtSpacing", &TerrainCutTexts::txtSpacing},
    {"txtProfilesOut", &TerrainCutTexts::txtProfilesOut},
    {"lblPlace", &TerrainCutTexts::lblPlace},
    {"lblPoints", &TerrainCutTexts::lblPoints},
    {"lblAzimuths", &TerrainCutTexts::lblAzimuths},
}};

class TerrainCut {
public:
    // `profilesFolder`: where the profiles go until the user names another.
    explicit TerrainCut(const std::string& profilesFolder);

    void setDem(const std::string& text);
    void setQth(const std::string& text);
    void setAzimuth(const std::string& text);
    void setLength(const std::string& text);
    void setSpacing(const std::string& text);
    void setProfilesOut(const std::string& text) { texts_.txtProfilesOut = text; }

    const TerrainCutTexts& texts() const { return texts_; }

    // Every azimuth's profile, or the first reason one cannot be cut.
    common::Result<std::vector<CutProfile>> Cut() const;
    // The profiles written into the profiles folder, the first four put in slots 1..4 (a
    // slot without heights takes slot 1's antennas); what to tell the user.
    std::vector<Message> PutInSlots(Assessment& assessment) const;
    // Every stack of the assessment rated at every azimuth; needs a statistics file.
    AzimuthRating RateAll(const Assessment& assessment, const EngineSource& engine,
                          const std::function<void(int)>& progress = {}) const;

private:
    void describe();
    common::Result<ProfileSpacing> spacing() const;

    TerrainCutTexts texts_;
};

} // namespace brisco
