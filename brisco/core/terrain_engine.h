#pragma once
// The terrain engine as the compute driver calls it: the twelve arguments of one call and
// the gains it fills. The window and brisco-cli bind libvexlocore.so to it
// (common::BindEngine); tests put their own engines in its place.
#include "antenna_stack.h"
#include "merit.h"
#include "terrain_files.h"

#include "common/bound_engine.h"

#include <cstdint>
#include <functional>

namespace brisco {

struct EngineCall {
    TerrainProfile profile;
    AntennaStack stack;
    float Frequency = 0;    // MHz
    float Dielectric = 13;  // relative dielectric constant of the ground
    float Conductivity = 0; // siemens per metre
    std::int16_t AntennaType = 4;
    std::int16_t DiffractionOff = 0;
    std::int16_t LogFlag = 0;
    float LogAngle = 5; // degrees
};

// Fills gains[1..140]; entries it leaves alone stay at the floor.
using TerrainEngine = std::function<void(const EngineCall&, SlotGains& gains)>;
// The engine, bound when the first computation needs it, or why it cannot be.
using EngineSource = std::function<common::Result<TerrainEngine>()>;

// The library's entry point behind a TerrainEngine.
inline TerrainEngine EngineFromEntry(VexloCore1Function entry) {
    return [entry](const EngineCall& c, SlotGains& gains) {
        entry(c.profile.Distance.data(), c.profile.Elevation.data(), c.stack.AntennaHeight.data(),
              &c.Frequency, &c.Dielectric, &c.Conductivity, &c.AntennaType, &c.DiffractionOff,
              &c.LogFlag, &c.LogAngle, &gains[1], c.stack.Phase.data());
    };
}

// The library's one routine, as common::BindEngine binds it.
struct TerrainRoutines {
    static constexpr const char* FileName = "libvexlocore.so";
    VexloCore1Function VexloCore1 = nullptr;
    template <typename Visit> void forEachEntry(Visit visit) { visit("VexloCore1", VexloCore1); }
};

// The bound library as the compute driver's engine.
inline EngineSource EngineFrom(common::BoundEngine<TerrainRoutines> library) {
    return [library = std::move(library)]() -> common::Result<TerrainEngine> {
        common::Result<TerrainRoutines> routines = library();
        if (!routines) return common::Result<TerrainEngine>::Failure(routines.message());
        return EngineFromEntry(routines.value().VexloCore1);
    };
}

} // namespace brisco
