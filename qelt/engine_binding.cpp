#include "engine_binding.h"

namespace qelt {

EngineBinding::EngineBinding(QString folder) : library_(EngineFileName, std::move(folder)) {}

common::Result<const EngineRoutines*> EngineBinding::routines() {
    const bool first = !library_.bound();
    common::Result<> bound =
        library_.bind({"GETDTA4", "EFFLEN4", "SETMAT", "YAGI3", "FLDFAC2", "YSTATUS"});
    if (!bound) return common::Result<const EngineRoutines*>::Failure(bound.message());
    if (first) {
        routines_.GETDTA4 = library_.entry<yoruk_GETDTA4>("GETDTA4");
        routines_.EFFLEN4 = library_.entry<yoruk_EFFLEN4>("EFFLEN4");
        routines_.SETMAT = library_.entry<yoruk_SETMAT>("SETMAT");
        routines_.YAGI3 = library_.entry<yoruk_YAGI3>("YAGI3");
        routines_.FLDFAC2 = library_.entry<yoruk_FLDFAC2>("FLDFAC2");
        routines_.YSTATUS = library_.entry<yoruk_YSTATUS>("YSTATUS");
    }
    return &routines_;
}

} // namespace qelt
