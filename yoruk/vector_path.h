#pragma once
// Which build of the engine's inner loops runs: the plain one, built for every x86-64,
// or the wide one (256-bit AVX2) where the processor has it. Both give the same
// results to the bit, since every vectorised loop works element by element and no
// sum changes its order; YORUK_PLAIN=1 in the environment forces the plain loops, so
// that the two can be compared on one machine.

namespace yoruk {

enum class VectorPath { Plain, Wide };

// Asked again at every solution, so a caller may switch between them.
VectorPath ChosenVectorPath();

template <typename Loops> [[gnu::flatten]] inline auto RunPlain(Loops&& loops) { return loops(); }

// No FMA: a fused multiply-add rounds once where the plain loops round twice, and the
// last bits would differ.
template <typename Loops> [[gnu::flatten, gnu::target("avx2")]] inline auto RunWide(Loops&& loops) {
    return loops();
}

// Runs `loops`, with everything it calls, built for the chosen path.
template <typename Loops> auto Run(VectorPath path, Loops&& loops) {
    return path == VectorPath::Wide ? RunWide(loops) : RunPlain(loops);
}

} // namespace yoruk
