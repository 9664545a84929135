#pragma once
// Which build of the engine's inner loops runs: the plain one (128-bit SSE2, every
// x86-64), or a wider one (256-bit AVX2, 512-bit AVX-512) where the processor has it.
// All give the same results to the bit: every vectorised loop works element by
// element, no sum changes its order, and the engine is built without fused
// multiply-adds (which round once where the plain loops round twice).
// YORUK_VECTORS=plain (or avx2) in the environment holds the engine to that width,
// so that the builds can be compared on one machine.

#include <type_traits>

namespace yoruk {

enum class VectorPath { Plain, Avx2, Avx512 };

// The widest the processor has, within YORUK_VECTORS. Asked again at every solution,
// so that a caller may switch between them.
VectorPath ChosenVectorPath();
// The same for a processor whose widest is `widest` and a YORUK_VECTORS of `held`
// (null when unset): "plain" or "avx2" hold the engine to that width, anything else
// leaves it the widest.
VectorPath ChooseVectorPath(VectorPath widest, const char* held);

// The widest loops work on this many floats at once; the fill's points and the matrix
// rows come in whole vectors of it, so that no loop of any path runs a scalar tail.
constexpr int VectorFloats = 16;
constexpr int Padded(int count, int floats = VectorFloats) {
    return (count + floats - 1) / floats * floats;
}

// The loops get their path's vector width, in floats, as a constant.
template <int Floats> using Width = std::integral_constant<int, Floats>;

template <typename Loops> [[gnu::flatten]] inline auto RunPlain(Loops&& loops) {
    return loops(Width<4>{});
}
template <typename Loops> [[gnu::flatten, gnu::target("avx2")]] inline auto RunAvx2(Loops&& loops) {
    return loops(Width<8>{});
}
template <typename Loops>
[[gnu::flatten, gnu::target("avx512f,prefer-vector-width=512")]] inline auto
RunAvx512(Loops&& loops) {
    return loops(Width<16>{});
}

// Runs `loops`, with everything it calls, built for the chosen path.
template <typename Loops> auto Run(VectorPath path, Loops&& loops) {
    switch (path) {
    case VectorPath::Avx512:
        return RunAvx512(loops);
    case VectorPath::Avx2:
        return RunAvx2(loops);
    case VectorPath::Plain:
        break;
    }
    return RunPlain(loops);
}

} // namespace yoruk
