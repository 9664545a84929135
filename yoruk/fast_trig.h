#pragma once
// Sine and cosine together, inline and branch-free so that the loops of the
// matrix fill vectorise. Single-precision accuracy (about one unit in the last
// place) for arguments up to some thousands of radians.

#include <bit>
#include <cmath>
#include <cstdint>

namespace yoruk {

// For x >= 0, as distances give, with no sign of x to follow.
inline void SinCosNonNegative(float x, float& sine, float& cosine) {
    const int n = static_cast<int>(x * 0.63661977f + 0.5f); // nearest quarter turn
    const float q = static_cast<float>(n);
    // pi/2 in three parts so that x - q pi/2 is exact.
    float y = x - q * 1.5703125f;
    y -= q * 4.837512969970703125e-4f;
    y -= q * 7.54978995489188216e-8f;
    const float z = y * y;
    const float s = ((-1.9515295891e-4f * z + 8.3321608736e-3f) * z - 1.6666654611e-1f) * z * y + y;
    const float c =
        ((2.443315711809948e-5f * z - 1.388731625493765e-3f) * z + 4.166664568298827e-2f) * z * z -
        0.5f * z + 1.0f;
    const bool odd = (n & 1) != 0;
    // The quadrant's signs by flipping sign bits, which vectorises better than a choice.
    const auto flip = [](float v, int bit) {
        return std::bit_cast<float>(std::bit_cast<uint32_t>(v) ^
                                    (static_cast<uint32_t>(bit) << 30));
    };
    sine = flip(odd ? c : s, n & 2);
    cosine = flip(odd ? s : c, (n + 1) & 2);
}

inline void SinCos(float x, float& sine, float& cosine) {
    float s;
    SinCosNonNegative(std::fabs(x), s, cosine);
    sine = x < 0 ? -s : s;
}

} // namespace yoruk
