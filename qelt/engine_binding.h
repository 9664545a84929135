#pragma once
// libyoruk.so bound by name at the analyser's first engine call, from the program's
// folder first, then the system's search path; its routines handed to the core.
#include "engine_routines.h"

#include "common/qt/engine_library.h"
#include "common/result.h"

#include <QString>

namespace qelt {

inline const char* const EngineFileName = "libyoruk.so";

class EngineBinding {
public:
    // `folder`: where the program's own copy lies, the program's folder unless named.
    explicit EngineBinding(QString folder = {});

    // The routines, bound at the first call; later calls give the first outcome. A
    // missing library or routine gives the message naming the file and the places
    // looked in.
    common::Result<const EngineRoutines*> routines();

private:
    common::EngineLibrary library_;
    EngineRoutines routines_;
};

} // namespace qelt
