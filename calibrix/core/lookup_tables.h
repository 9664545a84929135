#pragma once
// The assembler source of the meter's lookup tables: for every 10-bit ADC value ADRES
// the packed power of dBm = Slope x ADRES + Intercept, as four low-byte and four
// high-byte tables of retlw lines, each table holding the ADRES values with the same
// two lowest bits.
#include "number_style.h"

#include "common/result.h"

#include <string>
#include <vector>

namespace calibrix {

enum class Channel { Forward, Reflected };

struct Calibration {
    std::string slope; // as typed; it also goes into the heading
    std::string intercept;
    Channel channel = Channel::Forward;
};

inline constexpr int AdresCount = 1024;

// Every line of the source, or the message that stopped the construction.
common::Result<std::vector<std::string>> ConstructTables(const Calibration& calibration,
                                                         const NumberStyle& style);

} // namespace calibrix
