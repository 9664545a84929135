#include "vector_path.h"

#include <cstdlib>
#include <cstring>

namespace yoruk {

namespace {

// What the processor has, with the system saving its registers.
VectorPath Widest() {
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx512f")) return VectorPath::Avx512;
    if (__builtin_cpu_supports("avx2")) return VectorPath::Avx2;
    return VectorPath::Plain;
}

} // namespace

VectorPath ChooseVectorPath(VectorPath widest, const char* held) {
    VectorPath limit = VectorPath::Avx512;
    if (held && std::strcmp(held, "plain") == 0) limit = VectorPath::Plain;
    if (held && std::strcmp(held, "avx2") == 0) limit = VectorPath::Avx2;
    return widest < limit ? widest : limit;
}

VectorPath ChosenVectorPath() {
    static const VectorPath widest = Widest();
    return ChooseVectorPath(widest, std::getenv("YORUK_VECTORS"));
}

} // namespace yoruk
