#pragma once
// The terrain engine, libvexlocore.so, as the window and brisco-cli use it: looked for in
// the program's folder, then on the system's library path, bound by name at the first
// computation and kept loaded. A library that cannot be bound is a message, not an end.
#include "terrain_engine.h"

#include <string>

namespace brisco {

// `folder` is where the program's own copy lies; empty means the program's folder.
EngineSource LibraryEngine(const std::string& folder = {});

} // namespace brisco
