#include "vector_path.h"

#include <cstdlib>
#include <cstring>

namespace yoruk {

VectorPath ChosenVectorPath() {
    const char* forced = std::getenv("YORUK_PLAIN");
    if (forced && *forced && std::strcmp(forced, "0") != 0) return VectorPath::Plain;
    // The processor's support for the wide registers, with the system saving them.
    static const bool wide = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return wide ? VectorPath::Wide : VectorPath::Plain;
}

} // namespace yoruk
