#include "packed_power.h"

#include <cmath>

namespace calibrix {

char HexDigit(std::int16_t n) {
    if (n <= 9) return static_cast<char>('0' + n);
    if (n <= 15) return static_cast<char>('A' + n - 10);
    return '-';
}

std::optional<std::string> RealToPacked16(float watts) {
    const std::string floor = "0x0000";
    if (watts < 1.5e-9f) return floor;
    // Infinity would halve forever and NaN never normalises.
    if (!std::isfinite(watts)) return std::nullopt;

    float x = watts;
    int b = 127;
    while (x >= 2) {
        x /= 2;
        ++b;
    }
    while (x < 1) {
        x *= 2;
        --b;
    }

    // The firmware's rounding: half a step is added before a round-to-even conversion,
    // so any fraction of a 1/65536 step goes up. Exact in double.
    long f = std::lrint((static_cast<double>(x) - 1) * 65536 + 0.5);
    if (f >= 65536) {
        f = 0;
        ++b;
    }
    long g = f / 64;
    if (f % 64 >= 32 && ++g >= 1024) {
        g = 0;
        ++b;
    }

    int exponent = b - 100;
    // Between 1.5e-9 W and 2^-27 W the exponent field would go negative and the digits
    // would turn into punctuation; the smallest word the meter knows stands in.
    if (exponent < 0) return floor;
    if (exponent > 63) return std::nullopt;

    int h = 4 * exponent;
    std::string text = "0x";
    for (long digit : {h / 16L, h % 16 + g / 256, (g % 256) / 16, g % 16})
        text += HexDigit(static_cast<std::int16_t>(digit));
    return text;
}

} // namespace calibrix
