#include "vector_path.h"

#include <atomic>
#include <cstdlib>
#include <cstring>

namespace vexlo {
namespace {

// What the processor has, with the system saving its registers.
VectorPath widest() {
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma")) return VectorPath::Avx2;
    return VectorPath::Plain;
}

std::atomic<VectorPath> chosen{VectorPath::Plain};

} // namespace

VectorPath chooseVectorPath(VectorPath widest, const char* held) {
    if (held && std::strcmp(held, "plain") == 0) return VectorPath::Plain;
    return widest;
}

void chooseVectorPathForCall() {
    static const VectorPath processor = widest();
    chosen.store(chooseVectorPath(processor, std::getenv("VEXLO_VECTORS")),
                 std::memory_order_relaxed);
}

VectorPath vectorPath() { return chosen.load(std::memory_order_relaxed); }

} // namespace vexlo
