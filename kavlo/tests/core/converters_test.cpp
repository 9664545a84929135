#include "kavlo/core/converters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>

using namespace kavlo;

namespace {

SwrMagnitudeEntry Reading(const char* swr, const char* magnitude) {
    SwrMagnitudeEntry a;
    a.setSwr(swr);
    a.setMagnitude(magnitude);
    return a;
}

} // namespace

TEST(SwrMagnitudeEntry, ReadingsOfPureResistancesAndTheImpossiblePair) {
    SwrMagnitudeEntry matched = Reading("1", "50");
    EXPECT_EQ(matched.texts().txtMinSWR, "1.0");
    EXPECT_EQ(matched.texts().txtCalcZ, "50.0 +/- j 0.0");

    SwrMagnitudeEntry twoToOne = Reading("2", "100");
    EXPECT_EQ(twoToOne.texts().txtMinSWR, "2.0");
    EXPECT_FLOAT_EQ(twoToOne.r(), 100);
    EXPECT_FLOAT_EQ(twoToOne.x(), 0);

    SwrMagnitudeEntry impossible = Reading("1.5", "80");
    EXPECT_EQ(impossible.texts().txtMinSWR, "1.6");
    EXPECT_EQ(impossible.texts().txtCalcZ, "");
    std::vector<Message> messages;
    EXPECT_FALSE(impossible.accept(messages));
    EXPECT_EQ(messages, std::vector<Message>{NoSwrMagnitudeImpedance});
}

TEST(SwrMagnitudeEntry, SignIsTheUsersChoice) {
    // 30 + j40 against 50 ohm: |Z| = 50, rho = 0.5, SWR 3.
    SwrMagnitudeEntry a = Reading("3", "50");
    EXPECT_EQ(a.texts().txtCalcZ, "30.0 +/- j 40.0");
    std::vector<Message> messages;
    EXPECT_EQ(a.accept(messages), (ImpedanceEntry{"30.00", "40.00"}));
    a.setPositive(false);
    EXPECT_EQ(a.accept(messages), (ImpedanceEntry{"30.00", "-40.00"}));
    EXPECT_TRUE(messages.empty());
}

TEST(SwrMagnitudeEntry, MagnitudeOfZeroAsksForARealValue) {
    SwrMagnitudeEntry a;
    EXPECT_EQ(a.setMagnitude("0"), std::vector<Message>{NoMagnitude});
    EXPECT_EQ(NoMagnitude.text, "Please enter a real value for the magnitude of the impedance!");
    EXPECT_EQ(a.texts().txtCalcZ, "");
    EXPECT_TRUE(a.setMagnitude("").empty()); // retyping
    EXPECT_TRUE(a.setMagnitude("7,5").empty());
    EXPECT_EQ(a.texts().txtMinSWR, "6.7");
}

TEST(NoiseBridgeEntry, ParallelReadingsBecomeSeries) {
    NoiseBridgeEntry nb;
    nb.setResistance("100");
    nb.setCapacitance("0");
    EXPECT_EQ(nb.texts().txtCompZ, "100.00 + j 0.00");

    // 100 ohm across 100 pF at 14 MHz, worked out as a parallel circuit.
    nb.setFrequency(14);
    nb.setCapacitance("100");
    const std::complex<double> zc(0, -1 / (2 * M_PI * 14e6 * 100e-12));
    const std::complex<double> z = 100.0 * zc / (100.0 + zc);
    EXPECT_NEAR(nb.r(), z.real(), 1e-3);
    EXPECT_NEAR(nb.x(), z.imag(), 1e-3);
    EXPECT_EQ(nb.texts().txtCompZ, "56.38 - j 49.59");
    // A negative capacitance reading is an inductive shunt.
    nb.setCapacitance("-100");
    EXPECT_EQ(nb.texts().txtCompZ, "56.38 + j 49.59");
    std::vector<Message> messages;
    EXPECT_EQ(nb.accept(messages), (ImpedanceEntry{"56.38", "49.59"}));
}

TEST(NoiseBridgeEntry, ExtenderLargerThanTheResistance) {
    NoiseBridgeEntry nb;
    nb.setResistance("100");
    EXPECT_EQ(nb.setExtender("120"), std::vector<Message>{ExtenderTooBig});
    EXPECT_EQ(ExtenderTooBig.title, "Extender Too Big!");
    EXPECT_EQ(nb.texts().txtCompZ, "-20.00 + j 0.00");
    // Said once, not at every keystroke while it stays negative.
    EXPECT_TRUE(nb.setResistance("10").empty());
    EXPECT_TRUE(nb.setResistance("1000").empty());
    EXPECT_EQ(nb.setResistance("1").size(), 1u);
    std::vector<Message> messages;
    EXPECT_FALSE(nb.accept(messages));
    EXPECT_EQ(messages, std::vector<Message>{ExtenderTooBig});
}

TEST(SwrMagnitudeEntry, ANegativeMagnitudeIsRefused) {
    SwrMagnitudeEntry a = Reading("2", "100");
    EXPECT_EQ(a.setMagnitude("-100"), std::vector<Message>{NegativeMagnitude});
    EXPECT_EQ(a.texts().txtMinSWR, "") << "no minimum SWR of -0.5";
    EXPECT_EQ(a.texts().txtCalcZ, "");
    std::vector<Message> messages;
    EXPECT_FALSE(a.accept(messages));
    EXPECT_EQ(a.setMagnitude("1e400"), std::vector<Message>{NegativeMagnitude});
}
