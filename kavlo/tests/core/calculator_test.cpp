#include "kavlo/core/calculator.h"

#include <gtest/gtest.h>

using namespace kavlo;

namespace {
Calculator rg213() {
    Calculator c;
    c.setCable(17);
    c.setFrequency("14");
    return c;
}
} // namespace

TEST(Calculator, StartsWithTheFormDefaults) {
    Calculator c;
    EXPECT_EQ(c.cable(), 3);
    EXPECT_EQ(c.boxes().freq, "3.5");
    EXPECT_EQ(c.boxes().length, "100.000");
    EXPECT_EQ(c.boxes().resistance, "50");
    EXPECT_EQ(c.displays().txtVF, " .66");
    EXPECT_EQ(c.displays().txtVoltage, " 3700");
    EXPECT_EQ(c.displays().lblInputZ, "Impedance at Input: ");
}

TEST(Calculator, Rg213At14MHzDisplays) {
    Calculator c = rg213();
    const Displays& d = c.displays();
    EXPECT_EQ(d.txtZ0, "50.0 - j 0.33");
    EXPECT_EQ(d.txtMLPer, "0.78");
    EXPECT_EQ(d.txtMLTot, "0.780");
    EXPECT_EQ(d.txtLoadSWR, "1.01");
    EXPECT_EQ(d.txtTotalLoss, "0.780");
    EXPECT_EQ(d.txtAddLoss, "0.000");
    EXPECT_EQ(d.txtRho, "0.00332");
    EXPECT_EQ(d.lblRho, "Rho at Load: ");
    EXPECT_EQ(d.txtImpedIn, "50.27 - j 0.43");
    EXPECT_EQ(d.txtWavelen, "2.157");
}

TEST(Calculator, FrequencyRules) {
    Calculator c = rg213();
    EXPECT_EQ(c.setFrequency("3,5"), std::vector<Message>{});
    EXPECT_DOUBLE_EQ(c.line().wavelength, 983.57104f * 0.66f / 3.5f);

    for (const char* bad : {"0.019", "6001"}) {
        c.setFrequency("14");
        EXPECT_EQ(c.setFrequency(bad), std::vector<Message>{BadFrequency}) << bad;
        EXPECT_EQ(BadFrequency.title, "Bad Frequency!");
        EXPECT_EQ(c.boxes().freq, "3.5");
        EXPECT_EQ(c.displays().txtMLPer, "0.364") << "results follow the box";
    }

    int before = c.computeCount();
    EXPECT_TRUE(c.setFrequency("").empty());
    EXPECT_TRUE(c.setFrequency("0").empty());
    EXPECT_TRUE(c.setFrequency(".0").empty()); // still typing
    EXPECT_TRUE(c.setFrequency(",01").empty());
    EXPECT_EQ(c.computeCount(), before);
    EXPECT_EQ(c.setFrequency(".019"), std::vector<Message>{BadFrequency});

    c.setFrequency("14");
    c.leaveFrequency();
    EXPECT_EQ(c.boxes().freq, "14.0");
}

TEST(Calculator, LengthInWavelengthsAndRangeCheck) {
    Calculator c = rg213();
    EXPECT_TRUE(c.setLength("0.25w").empty());
    EXPECT_EQ(c.boxes().length, "11.592");
    EXPECT_TRUE(c.setLength("0.5W").empty());
    EXPECT_EQ(c.boxes().length, "23.184");

    c.setUnit('M');
    c.setLength("0.25w");
    EXPECT_EQ(c.boxes().length, "3.533"); // 0.25 x 299.791848 x .66 / 14

    EXPECT_EQ(c.setLength("10000"), std::vector<Message>{BadLength});
    EXPECT_EQ(c.boxes().length, "9999");
    EXPECT_EQ(c.setLength("-1"), std::vector<Message>{BadLength});
    EXPECT_EQ(c.boxes().length, "9999");
    EXPECT_EQ(c.displays().txtMLTot, "255.874"); // 9999 m of RG-213 at 14 MHz
}

TEST(Calculator, EmptiedBoxesAndNegativeResistance) {
    Calculator c;
    c.setResistance("-75");
    EXPECT_EQ(c.boxes().resistance, "75");
    c.setLength("");
    c.leaveLength();
    EXPECT_EQ(c.boxes().length, "1E-05");
    c.setReactance("");
    c.leaveReactance();
    EXPECT_EQ(c.boxes().reactance, "1E-05");
    c.setResistance("");
    c.leaveResistance();
    EXPECT_EQ(c.boxes().resistance, "1E-05");
    EXPECT_NE(c.displays().txtLoadSWR, "");
}

TEST(Calculator, FeetAndMetersConvertTheLengthAndLabels) {
    Calculator c = rg213();
    c.setUnit('M');
    EXPECT_EQ(c.boxes().length, "30.480");
    EXPECT_EQ(c.displays().lblUnits, "Meters");
    EXPECT_EQ(c.displays().lbldBPer, "dB/100 Meters");
    EXPECT_EQ(c.displays().txtMLPer, "2.559"); // per 100 m, three decimals
    EXPECT_EQ(c.displays().txtMLTot, "0.780"); // the same line, the same loss
    c.setUnit('F');
    EXPECT_EQ(c.boxes().length, "100.000");
    EXPECT_EQ(c.displays().lbldBPer, "dB/100 Feet");
}

TEST(Calculator, InputEndSwapsTheSwrBoxesAndLabels) {
    Calculator c = rg213();
    c.setResistance("100");
    c.setReactance("50");
    std::string loadSwrAtLoad = c.displays().txtLoadSWR;
    std::string inputSwrAtLoad = c.displays().txtInputSWR;
    c.setEnd(KnownEnd::Input);
    EXPECT_EQ(c.displays().lblInputZ, "Impedance at Load: ");
    EXPECT_EQ(c.displays().lblRho, "Rho at Input: ");
    EXPECT_EQ(c.displays().txtInputSWR, loadSwrAtLoad); // the entered end is now the input
    EXPECT_NE(c.displays().txtLoadSWR, inputSwrAtLoad); // loss works the other way
}

TEST(Calculator, ReactiveLoadOnALossyLineReflectsLessThanAll) {
    Calculator c = rg213();
    // With Z0 = 50.01 - j0.33 an inductive load reflects nearly all, never more.
    c.setResistance("0");
    c.setReactance("0.5");
    EXPECT_FALSE(c.displays().loadSwrRed);
    EXPECT_NE(c.displays().txtLoadSWR[0], '-');
}

TEST(Calculator, UserDefinedLineWarnsWhenTheFrequencyLeavesItsOwn) {
    Calculator c;
    c.setUserLine({75, -0.5f, 1.0f, 0.8f, 2000, 3.5});
    c.setCable(UserDefinedIndex);
    EXPECT_EQ(c.displays().txtZ0, "75.0 - j 0.50");
    EXPECT_TRUE(c.displays().warning.empty());
    c.setFrequency("14");
    EXPECT_EQ(c.displays().warning, "<--Click again");
    c.setCable(17);
    EXPECT_TRUE(c.displays().warning.empty());

    c.setUserLine({75, 0, 1.0f, 0, 2000, 3.5});
    c.setCable(UserDefinedIndex);
    EXPECT_FALSE(c.displays().warning.empty()); // a VF of 0 is refused, not divided by
    EXPECT_EQ(c.displays().txtImpedIn, "") << "no result of the last line stays";
    EXPECT_EQ(c.displays().txtLoadSWR, "");
}

TEST(Calculator, LeavingAnEmptiedOrZeroFrequencyIsABadFrequency) {
    for (const char* typed : {"", "0", "0,0"}) {
        Calculator c = rg213();
        EXPECT_TRUE(c.setFrequency(typed).empty()) << "still typing";
        EXPECT_EQ(c.leaveFrequency(), std::vector<Message>{BadFrequency}) << typed;
        EXPECT_EQ(c.boxes().freq, "3.5");
        EXPECT_EQ(c.displays().txtMLPer, "0.364") << "results follow the box";
        EXPECT_TRUE(c.displays().warning.empty());
    }
}

TEST(Calculator, ResultsBeyondTheirBoxesOrBeyondNumbersSaySo) {
    Calculator c;
    c.setCable(16); // RG-174: over 6000 dB of line loss at 6000 MHz over 9999 ft
    c.setFrequency("6000");
    c.setLength("9999");
    EXPECT_EQ(c.displays().txtMLTot, "6392.361");
    EXPECT_EQ(c.displays().txtTotalLoss, Overflow);
    EXPECT_EQ(c.displays().txtImpedIn, Overflow);
    EXPECT_EQ(c.displays().txtPolarDegree, Overflow);

    c = Calculator();
    c.setResistance("1e400");
    for (const std::string* shown : {&c.displays().txtLoadSWR, &c.displays().txtRho,
                                     &c.displays().txtImpedIn, &c.displays().txtPolarZ})
        EXPECT_EQ(*shown, Overflow);

    c = Calculator();
    c.setResistance("0");
    c.setLength("0"); // a short seen straight through: an SWR of millions
    EXPECT_EQ(c.displays().txtLoadSWR, TooLarge);
    EXPECT_EQ(c.displays().txtRho, "1.00000");
}

TEST(Calculator, EveryNumberGoesThroughTheCommaRule) {
    Calculator c = rg213();
    EXPECT_TRUE(c.setLength("0,25w").empty());
    EXPECT_EQ(c.boxes().length, "11.592");
}

TEST(Calculator, StoredNegativeResistanceFollowsTheTypedRule) {
    TlDefaults d;
    d.resistance = "-75";
    Calculator c;
    c.applyDefaults(d);
    EXPECT_EQ(c.boxes().resistance, "75");
    EXPECT_EQ(c.displays().txtLoadSWR, "1.44"); // 75 ohm on RG-8A's 52 ohm
}
