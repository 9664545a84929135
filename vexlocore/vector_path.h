#pragma once
// Which build of the engine's vector loops runs: the plain one (128-bit SSE2, every x86-64)
// or one for 256-bit AVX2 with fused multiply-adds, where the processor has both. The AVX2
// build contracts products and sums into fused multiply-adds, which round once where the
// plain build rounds twice, so the two differ in the last digits only.
// VEXLO_VECTORS=plain in the environment holds the engine to the plain build (read at
// every call of the engine), so that the builds can be compared on one machine.

namespace vexlo {

enum class VectorPath { Plain, Avx2 };

// The widest the processor has within a VEXLO_VECTORS of `held` (null when unset):
// "plain" holds the engine to the plain build, anything else leaves it the widest.
VectorPath chooseVectorPath(VectorPath widest, const char* held);
// The processor's widest within the environment's VEXLO_VECTORS, kept for the loops.
void chooseVectorPathForCall();
// What the last chooseVectorPathForCall() chose (the plain build before any).
VectorPath vectorPath();

template <typename Loops> [[gnu::flatten]] inline void runPlain(Loops&& loops) { loops(); }
template <typename Loops>
[[gnu::flatten, gnu::target("avx2,fma")]] inline void runAvx2(Loops&& loops) {
    loops();
}

// Runs `loops`, with everything of this file it calls, built for the chosen path.
template <typename Loops> void runVectorLoops(Loops&& loops) {
    if (vectorPath() == VectorPath::Avx2)
        runAvx2(loops);
    else
        runPlain(loops);
}

} // namespace vexlo
