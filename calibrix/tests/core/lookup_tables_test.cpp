#include "calibrix/core/lookup_tables.h"

#include <gtest/gtest.h>

using namespace calibrix;

namespace {

const Calibration Defaults{"0.1", "-43.64", Channel::Forward};

std::vector<std::string> build(const Calibration& calibration) {
    auto source = ConstructTables(calibration, NumberStyle{});
    EXPECT_TRUE(source.ok()) << source.message();
    return source ? source.value() : std::vector<std::string>{};
}

} // namespace

TEST(ConstructTables, DefaultsForward) {
    std::vector<std::string> lines = build(Defaults);
    ASSERT_EQ(lines.size(), 2068u);
    EXPECT_EQ(lines[0], ";*********************************************************");
    EXPECT_EQ(lines[1], "; Lookup Table for Forward (Channel 0) Power");
    EXPECT_EQ(lines[2], ";   Calibration dBm = 0.1*ADC + -43.64");
    EXPECT_EQ(lines[3], "");
    EXPECT_EQ(lines[4], "");
    EXPECT_EQ(lines[5], "FLowByteTable0");
    EXPECT_EQ(lines[6],
              "     retlw      0xCE             ; Low Byte, ADRES = 0, Forward Power = 43.25 nW");

    // Tables follow one another with one empty line between them.
    for (int table = 0; table < 8; ++table) {
        size_t label = 5 + table * 258;
        bool high = table >= 4;
        if (table > 0) {
            EXPECT_EQ(lines[label - 1], "");
        }
        EXPECT_EQ(lines[label], std::string("F") + (high ? "HighByteTable" : "LowByteTable") +
                                    std::to_string(table % 4));
        // Each table holds the ADRES values with its two lowest bits, in order.
        EXPECT_NE(lines[label + 1].find("ADRES = " + std::to_string(table % 4) + ","),
                  std::string::npos);
        EXPECT_NE(lines[label + 256].find("ADRES = " + std::to_string(1020 + table % 4) + ","),
                  std::string::npos);
    }
    EXPECT_EQ(lines[5 + 4 * 258 + 1],
              "     retlw      0x09             ; High Byte, ADRES = 0, Forward Power = 43.25 nW");
    EXPECT_EQ(lines[5 + 3 * 258 + 256],
              "     retlw      0xBD             ; Low Byte, ADRES = 1023, Forward Power = 734.5 W");
    EXPECT_EQ(
        lines.back(),
        "     retlw      0x91             ; High Byte, ADRES = 1023, Forward Power = 734.5 W");
}

TEST(ConstructTables, ReflectedChannelTitleAndLabels) {
    std::vector<std::string> lines = build({"0.1", "-43.64", Channel::Reflected});
    ASSERT_EQ(lines.size(), 2068u);
    EXPECT_EQ(lines[1], "; Lookup Table for Reflected (Channel 1) Power");
    int labels = 0;
    for (const std::string& line : lines) {
        if (line.find("ByteTable") != std::string::npos) {
            EXPECT_EQ(line[0], 'R') << line;
            ++labels;
        }
        if (line.find("retlw") != std::string::npos) {
            EXPECT_NE(line.find(", Reflected Power = "), std::string::npos) << line;
        }
    }
    EXPECT_EQ(labels, 8);
}

TEST(ConstructTables, NonNumericInputsAreRefused) {
    EXPECT_EQ(ConstructTables({"abc", "x", Channel::Forward}, NumberStyle{}).message(),
              "Enter numeric value for slope");
    EXPECT_EQ(ConstructTables({"0.1", "", Channel::Forward}, NumberStyle{}).message(),
              "Enter numeric value for Intercept");
    // The regional decimal point is the one that counts.
    EXPECT_EQ(ConstructTables({"0,1", "-43.64", Channel::Forward}, NumberStyle{}).message(),
              "Enter numeric value for slope");
    EXPECT_TRUE(
        ConstructTables({"0,1", "-43,64", Channel::Forward}, NumberStyle{",", ".", true}).ok());
}

TEST(ConstructTables, PowersBelowTheFormatPackAsZero) {
    // ADRES 0 at -60 dBm is 1e-9 W, below 1.5e-9 W; at -55 dBm it is 3.2e-9 W,
    // above that but below 2^-27 W.
    for (const char* intercept : {"-60", "-55"}) {
        std::vector<std::string> lines = build({"0.1", intercept, Channel::Forward});
        EXPECT_EQ(lines[6].substr(0, 20), "     retlw      0x00") << intercept;
        EXPECT_EQ(lines[5 + 4 * 258 + 1].substr(0, 20), "     retlw      0x00") << intercept;
    }
}

TEST(ConstructTables, PowerTooLargeStopsAtTheFirstAdres) {
    // 1 dBm per step: 2^37 W is 141.4 dBm, so ADRES 142 is the first that cannot be held.
    auto source = ConstructTables({"1", "0", Channel::Forward}, NumberStyle{});
    EXPECT_FALSE(source.ok());
    EXPECT_NE(source.message().find("ADRES = 142 "), std::string::npos) << source.message();
    // At the top of the range: 141.3 dBm fits (exponent field 63), 141.4 dBm does not.
    EXPECT_EQ(build({"0.1", "39", Channel::Forward}).back().substr(0, 20), "     retlw      0xFF");
    EXPECT_NE(ConstructTables({"0.1", "39.1", Channel::Forward}, NumberStyle{})
                  .message()
                  .find("ADRES = 1023 "),
              std::string::npos);

    // Falling calibrations overflow at ADRES 0; a slope beyond all range at ADRES 1.
    EXPECT_NE(ConstructTables({"-1", "200", Channel::Forward}, NumberStyle{})
                  .message()
                  .find("ADRES = 0 "),
              std::string::npos);
    EXPECT_NE(ConstructTables({"1e308", "0", Channel::Forward}, NumberStyle{})
                  .message()
                  .find("ADRES = 1 "),
              std::string::npos);
}
