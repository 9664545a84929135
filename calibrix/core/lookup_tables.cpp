#include "lookup_tables.h"

#include "packed_power.h"

#include <array>
#include <cfloat>
#include <cmath>

namespace calibrix {
namespace {

struct ChannelTexts {
    const char* letter;
    const char* word;
    const char* title;
};

ChannelTexts textsOf(Channel channel) {
    if (channel == Channel::Forward)
        return {"F", "Forward", "; Lookup Table for Forward (Channel 0) Power"};
    return {"R", "Reflected", "; Lookup Table for Reflected (Channel 1) Power"};
}

struct PackedPower {
    float watts = 0;
    std::string word; // "0x" + high byte + low byte
};

std::string overflowMessage(int adres) {
    return "The power at ADRES = " + std::to_string(adres) +
           " is too large for the tables, which hold less than 2^37 W (about 137 GW). "
           "Lower the slope or the intercept.";
}

} // namespace

common::Result<std::vector<std::string>> ConstructTables(const Calibration& calibration,
                                                         const NumberStyle& style) {
    using Lines = common::Result<std::vector<std::string>>;
    std::optional<double> slope = ReadNumber(calibration.slope, style);
    if (!slope) return Lines::Failure("Enter numeric value for slope");
    std::optional<double> intercept = ReadNumber(calibration.intercept, style);
    if (!intercept) return Lines::Failure("Enter numeric value for Intercept");

    // Every word is packed before any line is written, so a calibration the format
    // cannot hold is refused whole, at its lowest ADRES.
    std::array<PackedPower, AdresCount> powers;
    for (int adres = 0; adres < AdresCount; ++adres) {
        double dBm = *slope * adres + *intercept;
        double watts = std::pow(10.0, dBm / 10) * 0.001;
        std::optional<std::string> word;
        if (watts <= FLT_MAX) { // also false for NaN; beyond it single precision has no value
            powers[adres].watts = static_cast<float>(watts);
            word = RealToPacked16(powers[adres].watts);
        }
        if (!word) return Lines::Failure(overflowMessage(adres));
        powers[adres].word = *word;
    }

    ChannelTexts channel = textsOf(calibration.channel);
    std::vector<std::string> lines = {
        ";" + std::string(57, '*'),
        channel.title,
        ";   Calibration dBm = " + calibration.slope + "*ADC + " + calibration.intercept,
        "",
        "",
    };
    for (bool highBytes : {false, true}) {
        for (int t = 0; t < 4; ++t) {
            if (highBytes || t > 0) lines.emplace_back();
            lines.push_back(std::string(channel.letter) +
                            (highBytes ? "HighByteTable" : "LowByteTable") + std::to_string(t));
            for (int adres = t; adres < AdresCount; adres += 4) {
                const PackedPower& p = powers[adres];
                std::string byte = p.word.substr(highBytes ? 2 : 4, 2);
                lines.push_back("     retlw      0x" + byte + "             ; " +
                                (highBytes ? "High" : "Low") +
                                " Byte, ADRES = " + std::to_string(adres) + ", " + channel.word +
                                " Power = " + FormatPower(p.watts, style));
            }
        }
    }
    return lines;
}

} // namespace calibrix
