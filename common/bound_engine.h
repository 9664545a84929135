#pragma once
// A program's engine routines as its core receives them: a call that binds the engine
// library the first time and then gives the same table of entry points, or the message
// saying why it cannot (common/qt/engine_binding.h makes one). The library stays loaded
// until the program ends, so the table may be kept.
#include "common/result.h"

#include <functional>

namespace common {

template <typename Routines> using BoundEngine = std::function<Result<Routines>()>;

} // namespace common
