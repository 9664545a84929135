#include "window_test_fixture.h"

#include "kavlo/windows/noise_bridge_dialog.h"
#include "kavlo/windows/swr_magnitude_dialog.h"
#include "kavlo/windows/user_cable_dialog.h"

#include "common/number_text.h"

#include <QLabel>
#include <QRadioButton>

using namespace kavlo;

namespace {

class EntryDialogTest : public kavlo::testing::KavloWindowTest {
protected:
    bool checked(const char* option) { return control<QRadioButton>(option)->isChecked(); }
    void choose(const char* option) { control<QRadioButton>(option)->setChecked(true); }
};

TEST_F(EntryDialogTest, SwrAndMagnitudeEnteredAtTheLineInput) {
    open();
    choose("optAutek");
    frmAutek* d = window->analyser;
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(d->windowTitle(), "Calculation of Impedance from Autek");
    type("txtAutekSWR", "3", d);
    type("txtAutekZ", "50", d);
    EXPECT_EQ(text("txtMinSWR", d), "1.0");
    EXPECT_EQ(text("txtCalcZ", d), "30.0 +/- j 40.0");
    press("optNegative", d);
    press("cmdOK", d);
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(text("txtResistance"), "30.00");
    EXPECT_EQ(text("txtReactance"), "-40.00");
    EXPECT_TRUE(checked("optInput"));
    EXPECT_TRUE(checked("optNormal")) << "the entry option comes back to typing";
    EXPECT_EQ(control<QLabel>("lblInputZ")->text(), "Impedance at Load: ");
    EXPECT_EQ(window->calculator().end(), KnownEnd::Input);
}

TEST_F(EntryDialogTest, SwrAndMagnitudeWithNoImpedanceAndCancel) {
    open();
    choose("optInput");
    choose("optAutek");
    frmAutek* d = window->analyser;
    type("txtAutekSWR", "1.5", d);
    type("txtAutekZ", "80", d);
    press("cmdOK", d);
    ASSERT_EQ(scripted.messages.size(), 1);
    EXPECT_EQ(scripted.messages[0].toStdString(), NoSwrMagnitudeImpedance.text);
    EXPECT_TRUE(d->isVisible()) << "nothing entered, the dialog stays";
    type("txtAutekZ", "0", d);
    EXPECT_EQ(scripted.messages.back(),
              "Please enter a real value for the magnitude of the impedance!");

    press("cmdCancel", d);
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(text("txtResistance"), "50");
    EXPECT_TRUE(checked("optNormal"));
    EXPECT_TRUE(checked("optLoad"));
}

TEST_F(EntryDialogTest, NoiseBridgeAtTheMainWindowsFrequency) {
    open();
    type("txtFreq", "14");
    choose("optNoiseBridge");
    frmNB* d = window->noiseBridge;
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(d->windowTitle(), "Input from Parallel-Form Noise Bridge");
    type("txtResist", "100", d);
    type("txtReact", "100", d);
    EXPECT_EQ(text("txtCompZ", d), "56.38 - j 49.59");

    type("txtExtender", "120", d);
    ASSERT_EQ(scripted.messages.size(), 1);
    EXPECT_EQ(scripted.messages[0],
              "Extender can't be that large! Computed resistance is negative.");
    EXPECT_EQ(scripted.messageTitles[0], "Extender Too Big!");
    press("cmdOK", d);
    EXPECT_TRUE(d->isVisible());

    type("txtExtender", "6.38", d);
    press("cmdOK", d);
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(text("txtResistance"), "50.00");
    EXPECT_EQ(text("txtReactance"), "-49.59");
    EXPECT_TRUE(checked("optInput"));
    EXPECT_TRUE(checked("optNormal"));
}

class UserCableDialogTest : public EntryDialogTest {
protected:
    // A user line of 1 dB per 100 ft stored at 3.5 MHz; the window works at 14 MHz.
    void openAt14MHz(const char* unit = "F") {
        writeDefaults(std::string(unit) +
                      "\n 50\n 0\n 1\n .66\n 1500\n3.500\n 1200; 600:6456,8484\n"
                      "6825;-15:6468,8484\n 1500; 900:6444:8460\n 1500; 900:6444,8460\n"
                      " 1500; 900:6456,8460\n100.000\n 3\n14\n50\n0\n");
        open();
    }
};

TEST_F(UserCableDialogTest, ChoosingTheLineCarriesItsAttenuationToTheFrequency) {
    openAt14MHz();
    chooseCable(UserDefinedIndex);
    frmOtrCable* d = window->userCable;
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(d->windowTitle(), "User-Defined Transmission Line");
    EXPECT_EQ(text("txtAtten100", d), "2.000");
    EXPECT_EQ(text("txtOldFreq", d), "3.500");
    EXPECT_EQ(text("txtNewFreq", d), "14");
    EXPECT_EQ(control<QLabel>("lblAtten", d)->palette().color(QPalette::WindowText),
              QColor(255, 0, 0));
    EXPECT_EQ(control<QLabel>("LblWarning")->text(), "<--Click again");

    type("txtAtten100", "1.0", d);
    press("cmdCompute", d);
    EXPECT_EQ(control<QLabel>("lblSX0", d)->text(), "-0.425");
    EXPECT_EQ(text("txtX0", d), "-0.425");

    press("cmdOK", d);
    EXPECT_FALSE(d->isVisible());
    EXPECT_FALSE(control<QLabel>("LblWarning")->isVisibleTo(window.get()));
    std::vector<std::string> lines = savedDefaults();
    ASSERT_EQ(lines.size(), 17u);
    EXPECT_EQ(lines[2], "-.425");
    EXPECT_EQ(lines[3], " 1");
    EXPECT_EQ(lines[6], "14.000");
    EXPECT_EQ(lines[13], " 33");
    EXPECT_EQ(text("txtMLPer"), "1.0");

    // Chosen again while it is the chosen entry: the dialog opens again.
    chooseCable(UserDefinedIndex);
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(text("txtAtten100", d), "1.000");
}

TEST_F(UserCableDialogTest, OkInMetresStoresPerHundredFeet) {
    openAt14MHz("M");
    chooseCable(UserDefinedIndex);
    frmOtrCable* d = window->userCable;
    EXPECT_EQ(control<QLabel>("lblAtten", d)->text(), "Enter Attenuation, dB/100 Meters: ");
    type("txtAtten100", "3.281", d);
    press("cmdOK", d);
    EXPECT_EQ(common::Format(common::ParseNumber(savedDefaults()[3]), "#0.000"), "1.000");
}

TEST_F(UserCableDialogTest, OkRefusesALineNoCableIs) {
    openAt14MHz();
    const std::vector<std::string> before = savedDefaults();
    chooseCable(UserDefinedIndex);
    frmOtrCable* d = window->userCable;
    type("txtVF", "1.2", d);
    press("cmdOK", d);
    ASSERT_EQ(scripted.messages.size(), 1);
    EXPECT_EQ(scripted.messages[0], "Velocity factor must be 1 or less.");
    EXPECT_TRUE(d->isVisible()) << "the line stays in the dialog to be mended";
    EXPECT_EQ(savedDefaults(), before);
    type("txtVF", ".66", d);
    type("txtAtten100", "-3", d);
    press("cmdOK", d);
    EXPECT_EQ(scripted.messages.back(), "Attenuation must not be negative.");
    d->reject(); // closed by its frame: the boxes still describe the line
    EXPECT_EQ(control<QLabel>("LblWarning")->text(), "Attenuation must not be negative");
    EXPECT_EQ(text("txtTotalLoss"), "") << "no loss of -3 dB shown as a result";
    EXPECT_EQ(savedDefaults(), before);
}

TEST_F(UserCableDialogTest, StartingOnTheUserLineAtAnotherFrequencyRescalesWithoutAClick) {
    openAt14MHz();
    chooseCable(UserDefinedIndex);
    press("cmdOK", window->userCable);
    type("txtFreq", "7");
    window->close(); // keeps the user line stored at 14 MHz
    open();
    EXPECT_EQ(window->calculator().cable(), UserDefinedIndex);
    EXPECT_FALSE(window->userCable->isVisible());
    EXPECT_FALSE(control<QLabel>("LblWarning")->isVisibleTo(window.get()));
    EXPECT_EQ(text("txtMLPer"), "1.414") << "2 dB at 14 MHz carried to 7 MHz";
}

} // namespace
