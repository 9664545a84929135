#pragma once
// The Yagi engine's routines as the analyser calls them: one table of entry points of
// libyoruk.so, bound by name by the program (the window or the command-line companion,
// common::BindEngine) and handed to the core, which calls them in the engine's order.
#include "yoruk/yoruk_abi.h"

namespace qelt {

struct EngineRoutines {
    static constexpr const char* FileName = "libyoruk.so";
    yoruk_GETDTA4* GETDTA4 = nullptr;
    yoruk_EFFLEN4* EFFLEN4 = nullptr;
    yoruk_SETMAT* SETMAT = nullptr;
    yoruk_YAGI3* YAGI3 = nullptr;
    yoruk_FLDFAC2* FLDFAC2 = nullptr;
    yoruk_YSTATUS* YSTATUS = nullptr;

    template <typename Visit> void forEachEntry(Visit visit) {
        visit("GETDTA4", GETDTA4);
        visit("EFFLEN4", EFFLEN4);
        visit("SETMAT", SETMAT);
        visit("YAGI3", YAGI3);
        visit("FLDFAC2", FLDFAC2);
        visit("YSTATUS", YSTATUS);
    }
};

} // namespace qelt
