#pragma once
// The assembler source of the meter's lookup tables: for every 10-bit ADC value ADRES
// the packed power of dBm = Slope x ADRES + Intercept, as four low-byte and four
// high-byte tables of retlw lines, each table holding the ADRES values with the same
// two lowest bits.
#include "number_style.h"

#include <string>
#include <vector>

namespace calibrix {

enum class Channel { Forward, Reflected };

struct Calibration {
    std::string slope; // as typed; it also goes into the heading
    std::string intercept;
    Channel channel = Channel::Forward;
};

struct TableSource {
    std::vector<std::string> lines; // all of the source when message is empty
    std::string message;            // what stopped the construction
    bool built() const { return message.empty(); }
};

inline constexpr int AdresCount = 1024;

TableSource ConstructTables(const Calibration& calibration, const NumberStyle& style);

} // namespace calibrix
