#pragma once
// The meter firmware's 16-bit floating-point power word: a 6-bit exponent E and a
// 10-bit fraction M, P = (1 + M/1024) x 2^(E - 27), written "0x" + four hex digits.
#include <cstdint>
#include <optional>
#include <string>

namespace calibrix {

// One hex digit of the packed text. 0..9 give '0'..'9' (and negative n the characters
// below '0'), 10..15 give 'A'..'F', anything above 15 gives '-'.
char HexDigit(std::int16_t n);

// The packed text of a power in watts. Powers below 2^-27 W pack as "0x0000", the
// format's floor; nothing when the power is too large for the exponent field (2^37 W
// or more after rounding) or not a number at all.
std::optional<std::string> RealToPacked16(float watts);

} // namespace calibrix
