#pragma once
// Sine and cosine together, inline and branch-free so that the loops of the
// matrix fill vectorise. Single-precision accuracy (about one unit in the last
// place) for arguments up to some thousands of radians.

#include <cmath>

namespace yoruk {

inline void SinCos(float x, float& sine, float& cosine) {
    const float ax = std::fabs(x);
    const int n = static_cast<int>(ax * 0.63661977f + 0.5f); // nearest quarter turn
    const float q = static_cast<float>(n);
    // pi/2 in three parts so that ax - q pi/2 is exact.
    float y = ax - q * 1.5703125f;
    y -= q * 4.837512969970703125e-4f;
    y -= q * 7.54978995489188216e-8f;
    const float z = y * y;
    const float s = ((-1.9515295891e-4f * z + 8.3321608736e-3f) * z - 1.6666654611e-1f) * z * y + y;
    const float c =
        ((2.443315711809948e-5f * z - 1.388731625493765e-3f) * z + 4.166664568298827e-2f) * z * z -
        0.5f * z + 1.0f;
    const bool odd = (n & 1) != 0;
    float rs = odd ? c : s;
    float rc = odd ? s : c;
    rs = (n & 2) ? -rs : rs;
    rc = ((n + 1) & 2) ? -rc : rc;
    sine = x < 0 ? -rs : rs;
    cosine = rc;
}

} // namespace yoruk
