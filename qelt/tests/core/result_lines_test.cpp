// The result lines: values, captions and the blanks that right-align each column.
#include "qelt/core/result_lines.h"

#include <gtest/gtest.h>

using namespace qelt;

namespace {

Sweep Points(std::initializer_list<SweepPoint> three) {
    Sweep s{};
    const int at[3] = {0, CentrePoint, SweepPoints - 1};
    int i = 0;
    for (const SweepPoint& p : three) s[at[i++]] = p;
    return s;
}

std::string Blanks(int n) { return std::string(static_cast<std::size_t>(n), ' '); }

SweepPoint At(float frequency, float gain = 6, float ratio = 20, float r = 50, float x = 0,
              float swr = 1) {
    SweepPoint p;
    p.frequency = frequency;
    p.gain = gain;
    p.frontToRear = ratio;
    p.frontToBack = ratio + 1;
    p.resistance = r;
    p.reactance = x;
    p.swr = swr;
    return p;
}

} // namespace

TEST(ResultLines, FrequencyBlanksByValueLength) {
    // 9, 10, 11 and 12 characters: "7.000 MHz" ... "1296.000 MHz".
    ResultLines r = FormatResultLines(Points({At(7), At(14.175f), At(144)}), Ratio::FrontToRear);
    EXPECT_EQ(r.freq, "Freq:" + Blanks(7) + "7.000 MHz" + Blanks(7) + "14.175 MHz" + Blanks(5) +
                          "144.000 MHz");
    r = FormatResultLines(Points({At(14), At(1296), At(7.1f)}), Ratio::FrontToRear);
    EXPECT_EQ(r.freq, "Freq:" + Blanks(5) + "14.000 MHz" + Blanks(3) + "1296.000 MHz" + Blanks(9) +
                          "7.100 MHz");
    r = FormatResultLines(Points({At(144), At(1296), At(1296)}), Ratio::FrontToRear);
    EXPECT_EQ(r.freq.substr(0, 9 + 11), "Freq:" + Blanks(4) + "144.000 MHz");
    r = FormatResultLines(Points({At(1296), At(1296), At(1296)}), Ratio::FrontToRear);
    EXPECT_EQ(r.freq.substr(0, 7 + 12), "Freq:" + Blanks(2) + "1296.000 MHz");
}

TEST(ResultLines, GainAndRatioBlanksByValueLength) {
    ResultLines r = FormatResultLines(
        Points({At(14, 6.74f, 9.55f), At(14, 16.5f, 25.82f), At(14, -106.5f, 1000)}),
        Ratio::FrontToRear);
    EXPECT_EQ(r.gain, "Gain:" + Blanks(10) + "6.74 dBi" + Blanks(11) + "16.50 dBi" + Blanks(9) +
                          "-106.50 dBi");
    // "9.55 dB" is shorter than any length the rule names: it takes the shortest's blanks.
    EXPECT_EQ(r.ratio, "F/R:" + Blanks(11) + "9.55 dB" + Blanks(12) + "25.82 dB" + Blanks(10) +
                           "1000.00 dB");
    r = FormatResultLines(Points({At(14, 16.5f, 125), At(14, 106.5f), At(14, 6)}),
                          Ratio::FrontToBack);
    EXPECT_EQ(r.gain.substr(0, 5 + 8 + 9), "Gain:" + Blanks(8) + "16.50 dBi");
    EXPECT_EQ(r.ratio.substr(0, 4 + 9 + 9), "F/B:" + Blanks(9) + "126.00 dB") << "F/B is shown";
    r = FormatResultLines(Points({At(14, 106.5f, 999), At(14), At(14)}), Ratio::FrontToRear);
    EXPECT_EQ(r.gain.substr(0, 5 + 7 + 10), "Gain:" + Blanks(7) + "106.50 dBi");
    EXPECT_EQ(r.ratio.substr(0, 4 + 9 + 9), "F/R:" + Blanks(9) + "999.00 dB");
}

TEST(ResultLines, ImpedanceAndSwr) {
    const ResultLines r = FormatResultLines(
        Points({At(14, 6, 20, 29.24f, -16.62f, 1.98f), At(14, 6, 20, 46.82f, -0.03f, 1.07f),
                At(14, 6, 20, 43.16f, 0, 12.345f)}),
        Ratio::FrontToRear);
    EXPECT_EQ(r.impedance, "Z:" + Blanks(11) + "29.2 -j 16.6" + Blanks(8) + "46.8 -j .0" +
                               Blanks(9) + "43.2 +j .0");
    EXPECT_EQ(r.swr,
              "SWR:" + Blanks(10) + "1.98:1 " + Blanks(14) + "1.07:1" + Blanks(15) + "12.35:1");
}

TEST(FeedPointText, SignOfTheReactance) {
    EXPECT_EQ(FeedPointText(36.3f, -1.54f), "36.3 - j 1.5 ohms");
    EXPECT_EQ(FeedPointText(43.16f, 12.19f), "43.2 + j 12.2 ohms");
    EXPECT_EQ(FeedPointText(50, 0), "50.0 + j 0.0 ohms");
}
