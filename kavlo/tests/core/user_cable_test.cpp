#include "kavlo/core/calculator.h"

#include "common/number_text.h"

#include <gtest/gtest.h>

using namespace kavlo;

namespace {

UserLine StoredAt3_5MHz() {
    UserLine l;
    l.r0 = 50;
    l.x0 = -0.1f;
    l.atten = 1;
    l.vf = 0.66f;
    l.vmax = 1500;
    l.freq = 3.5;
    return l;
}

} // namespace

TEST(UserCableEntry, AttenuationIsCarriedToTheNewFrequency) {
    UserCableEntry e;
    e.load(StoredAt3_5MHz(), 'F', "14");
    EXPECT_EQ(e.texts().txtAtten100, "2.000");
    EXPECT_EQ(e.texts().txtR0, "50.000");
    EXPECT_EQ(e.texts().txtX0, "-.1");
    EXPECT_EQ(e.texts().txtVF, "0.660");
    EXPECT_EQ(e.texts().txtVMax, "1500");
    EXPECT_EQ(e.texts().txtOldFreq, "3.500");
    EXPECT_EQ(e.texts().txtNewFreq, "14");
    EXPECT_EQ(e.texts().lblAtten, "Enter Attenuation, dB/100 Feet: ");
    EXPECT_TRUE(e.frequencyChanged());

    e.load(StoredAt3_5MHz(), 'M', "3.5");
    EXPECT_EQ(e.texts().txtAtten100, "3.281");
    EXPECT_EQ(e.texts().lblAtten, "Enter Attenuation, dB/100 Meters: ");
    EXPECT_FALSE(e.frequencyChanged());
    EXPECT_NEAR(e.line().atten, 1, 1e-4);
}

TEST(UserCableEntry, ComputeX0) {
    UserCableEntry e;
    e.load(StoredAt3_5MHz(), 'F', "14");
    e.texts().txtAtten100 = "1.0";
    EXPECT_TRUE(e.computeX0().empty());
    EXPECT_EQ(e.texts().lblSX0, "-0.425");
    EXPECT_EQ(e.texts().txtX0, "-0.425");
    // The same line described per 100 m.
    e.load(StoredAt3_5MHz(), 'M', "14");
    e.texts().txtAtten100 = "3,2808399";
    e.computeX0();
    EXPECT_EQ(e.texts().lblSX0, "-0.425");

    e.texts().txtVF = std::string("0"); // (a plain literal trips a false GCC 12 warning)
    EXPECT_EQ(e.computeX0(), std::vector<Message>{CannotComputeX0});
}

TEST(UserCableEntry, OkInMetresStoresPerHundredFeet) {
    UserCableEntry e;
    e.load(StoredAt3_5MHz(), 'M', "14");
    e.texts().txtAtten100 = "3.281";
    const UserLine stored = e.stored(14);
    EXPECT_NEAR(stored.atten, 1.000, 0.0001);
    EXPECT_EQ(stored.freq, 14);
    TlDefaults d;
    d.user = stored;
    const std::vector<std::string> lines = FormatTlDefaults(d);
    EXPECT_EQ(common::Format(common::ParseNumber(lines[3]), "#0.000"), "1.000");
    EXPECT_EQ(lines[6], "14.000");
}

TEST(UserCableInCalculator, ChoosingComputingAndAccepting) {
    Calculator c;
    c.setFrequency("14");
    c.leaveFrequency();
    UserCableEntry e;
    c.loadUserCable(e, StoredAt3_5MHz());
    EXPECT_EQ(c.cable(), UserDefinedIndex);
    EXPECT_EQ(c.displays().warning, "<--Click again");
    EXPECT_FLOAT_EQ(c.line().atten, 2); // the boxes describe the line at once
    EXPECT_EQ(c.displays().txtMLPer, "2.0");

    e.texts().txtR0 = "75";
    c.useUserCable(e);
    EXPECT_EQ(c.displays().txtZ0.substr(0, 4), "75.0");

    const TlDefaults d = c.acceptUserCable(e, TlDefaults::DefaultPlacements());
    EXPECT_EQ(c.displays().warning, "");
    EXPECT_EQ(d.user.freq, 14);
    EXPECT_FLOAT_EQ(d.user.r0, 75);
    EXPECT_EQ(d.cableIndex, UserDefinedIndex);
    // Now stored at 14 MHz: another frequency asks to click again.
    c.setFrequency("7");
    EXPECT_EQ(c.displays().warning, "<--Click again");
}

TEST(UserCableInCalculator, StartingWithItAtAnotherFrequencyAsksNoClick) {
    Calculator c;
    c.setFrequency("14");
    c.leaveFrequency();
    UserCableEntry e;
    c.startWithUserCable(e, StoredAt3_5MHz());
    EXPECT_EQ(c.displays().warning, "");
    EXPECT_FLOAT_EQ(c.line().atten, 2); // already rescaled to 14 MHz
}

TEST(UserCableInCalculator, ALineNoCableIsIsRefusedWithItsReason) {
    EXPECT_EQ(UserLineFault(StoredAt3_5MHz()), "");
    struct Case {
        const char* box;
        std::string UserCableTexts::*field;
        const char* text;
        const char* fault;
    };
    const Case cases[] = {
        {"txtR0", &UserCableTexts::txtR0, "0", "R0 must be more than 0"},
        {"txtR0", &UserCableTexts::txtR0, "-50", "R0 must be more than 0"},
        {"txtVF", &UserCableTexts::txtVF, "1.2", "Velocity factor must be 1 or less"},
        {"txtVF", &UserCableTexts::txtVF, "0", "Velocity factor must be more than 0"},
        {"txtAtten100", &UserCableTexts::txtAtten100, "-3", "Attenuation must not be negative"},
    };
    for (const Case& c : cases) {
        Calculator calc;
        UserCableEntry e;
        calc.loadUserCable(e, StoredAt3_5MHz());
        e.texts().*c.field = c.text;
        EXPECT_EQ(UserLineFault(e.line()), c.fault) << c.box << "=" << c.text;
        calc.useUserCable(e);
        EXPECT_EQ(calc.displays().warning, c.fault);
        EXPECT_EQ(calc.displays().txtTotalLoss, "") << "no loss of a line that cannot be";
        EXPECT_EQ(calc.displays().txtMLTot, "");
    }
    // The edge values a cable can have.
    UserLine edge = StoredAt3_5MHz();
    edge.vf = 1;
    edge.atten = 0;
    EXPECT_EQ(UserLineFault(edge), "");
}
