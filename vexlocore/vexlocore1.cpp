// The exported entry point: reads the caller's arguments defensively (no pointer is
// trusted to be set, no array read past its size, no value assumed sane) and fills the
// gains.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "diagnostic_log.h"
#include "elevation_response.h"
#include "terrain.h"
#include "vector_path.h"
#include "vexlocore_abi.h"

#include "common/constants.h"

namespace {

using namespace vexlo;

static_assert(VEXLO_PROFILE_POINTS == profileEntries);
static_assert(VEXLO_GAINS == gainCount);

constexpr double highestAntennaFeet = VEXLO_HIGHEST_ANTENNA_FEET;

double valueOr(const float* p, double fallback) {
    return p && std::isfinite(*p) ? static_cast<double>(*p) : fallback;
}

Installation readInstallation(const float* heights, const float* frequency, const float* dielectric,
                              const float* conductivity, const int16_t* type,
                              const int16_t* diffractionOff, const int16_t* phase) {
    Installation in;
    in.frequencyMHz = valueOr(frequency, 0.0);
    in.dielectric = valueOr(dielectric, 1.0);
    in.conductivity = valueOr(conductivity, 0.0);
    in.antennaType = type && *type >= 1 && *type <= 7 ? *type : 4;
    in.diffraction = !(diffractionOff && *diffractionOff == 1);
    for (int i = 0; heights && i < VEXLO_ANTENNAS; ++i) {
        const double h = heights[i];
        if (!std::isfinite(h) || h <= 0.0 || h > highestAntennaFeet) continue;
        in.antennas.push_back({i + 1, h * common::MetresPerFoot, phase && phase[i] < 0 ? -1 : 1});
    }
    return in;
}

// Why the engine will not compute these arguments, or nothing: a frequency past its range,
// or a profile point (as the terrain reads them, up to the first zero distance after the
// first) farther or higher than any real terrain.
std::string refusal(const float* distance, const float* elevation, const Installation& in) {
    char why[160];
    if (in.frequencyMHz > double(VEXLO_HIGHEST_MHZ)) {
        std::snprintf(why, sizeof why, "refused: %g MHz is above %d MHz", in.frequencyMHz,
                      VEXLO_HIGHEST_MHZ);
        return why;
    }
    for (int i = 1; distance && elevation && i < VEXLO_PROFILE_POINTS; ++i) {
        const double d = distance[i], e = elevation[i];
        if (i > 1 && d == 0.0) break;
        if (!std::isfinite(d) || !std::isfinite(e)) continue;
        if (std::fabs(d) > double(VEXLO_FARTHEST_FEET) ||
            std::fabs(e) > double(VEXLO_HIGHEST_ELEVATION_FEET)) {
            std::snprintf(why, sizeof why,
                          "refused: profile point %d (%g ft, %g ft) is beyond %d ft away or %d "
                          "ft up or down",
                          i, d, e, VEXLO_FARTHEST_FEET, VEXLO_HIGHEST_ELEVATION_FEET);
            return why;
        }
    }
    return {};
}

int logIndex(const float* logAngle) {
    const double angle = valueOr(logAngle, 0.25);
    return static_cast<int>(std::clamp(std::round(angle * 4.0), 1.0, double(gainCount))) - 1;
}

// The log lies where the program sends it, or beside the program that loaded the engine.
std::string logPath() {
    if (const char* sent = std::getenv(VEXLO_LOG_FOLDER); sent && *sent)
        return (std::filesystem::path(sent) / "TEST4.PRN").string();
    std::error_code error;
    std::filesystem::path folder = std::filesystem::read_symlink("/proc/self/exe", error);
    folder = error ? std::filesystem::current_path(error) : folder.parent_path();
    return (folder / "TEST4.PRN").string();
}

} // namespace

extern "C" __attribute__((visibility("default"))) void
VexloCore1(const float* Distance, const float* Elevation, const float* AntennaHeight,
           const float* Frequency, const float* Dielectric, const float* Conductivity,
           const int16_t* AntennaType, const int16_t* DiffractionOff, const int16_t* LogFlag,
           const float* LogAngle, float* GainN, const int16_t* Phase) {
    if (!GainN) return;
    vexlo::chooseVectorPathForCall();
    const Installation in = readInstallation(AntennaHeight, Frequency, Dielectric, Conductivity,
                                             AntennaType, DiffractionOff, Phase);
    const bool logging = LogFlag && *LogFlag == 1;
    LoggedAngle logged;
    logged.index = logIndex(LogAngle);
    logged.note = refusal(Distance, Elevation, in);
    if (logged.note.empty()) {
        const Terrain terrain = Distance && Elevation ? Terrain::fromProfile(Distance, Elevation)
                                                      : Terrain(std::vector<Point>{});
        const auto gains = elevationResponse(terrain, in, logging ? &logged : nullptr);
        std::copy(gains.begin(), gains.end(), GainN);
    } else {
        std::fill(GainN, GainN + VEXLO_GAINS, static_cast<float>(gainFloorDbi));
    }
    if (logging) appendDiagnosticLog(logPath(), in, logged);
}
