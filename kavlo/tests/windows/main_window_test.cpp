#include "window_test_fixture.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace kavlo;

namespace {

class MainWindowTest : public kavlo::testing::KavloWindowTest {
protected:
    QColor textColour(const char* box) {
        return control<QLineEdit>(box)->palette().color(QPalette::Text);
    }
};

TEST_F(MainWindowTest, StartsWithTheFormDefaultsWhenThereIsNoDefaultsFile) {
    open();
    EXPECT_EQ(control<QComboBox>("cboPickCable")->count(), 34);
    EXPECT_EQ(control<QComboBox>("cboPickCable")->currentText(), " RG-8A (Belden 8237)");
    EXPECT_EQ(text("txtFreq"), "3.5");
    EXPECT_EQ(text("txtLength"), "100.000");
    EXPECT_EQ(text("txtResistance"), "50");
    EXPECT_TRUE(control<QRadioButton>("optFeet")->isChecked());
    EXPECT_TRUE(control<QRadioButton>("optLoad")->isChecked());
    EXPECT_EQ(text("txtVF"), " .66");
    EXPECT_EQ(control<QLabel>("lblInputZ")->text(), "Impedance at Input: ");
    EXPECT_EQ(textColour("txtLoadSWR"), QColor(0, 0, 255));
    EXPECT_FALSE(control<QLabel>("LblWarning")->isVisibleTo(window.get()));
}

TEST_F(MainWindowTest, EditsRecomputeAndRulesRewriteTheBoxes) {
    open();
    control<QComboBox>("cboPickCable")->setCurrentIndex(17);
    type("txtFreq", "14");
    EXPECT_EQ(text("txtZ0"), "50.0 - j 0.33");
    EXPECT_EQ(text("txtLoadSWR"), "1.01");
    EXPECT_EQ(text("txtImpedIn"), "50.27 - j 0.43");

    type("txtLength", "0.25w");
    EXPECT_EQ(text("txtLength"), "11.592");

    type("txtResistance", "-75");
    EXPECT_EQ(text("txtResistance"), "75");

    type("txtFreq", "3,5");
    EXPECT_NEAR(window->calculator().line().wavelength, 983.57104 * 0.66 / 3.5, 0.01);
    leave("txtFreq");
    EXPECT_EQ(text("txtFreq"), "3.5");

    type("txtReactance", "");
    leave("txtReactance");
    EXPECT_EQ(text("txtReactance"), "1E-05");
}

TEST_F(MainWindowTest, OutOfRangeEntriesShowTheMessagesAndPutBackAValue) {
    open();
    type("txtFreq", "6001");
    ASSERT_EQ(scripted.messages.size(), 1);
    EXPECT_EQ(scripted.messages[0], "Enter frequency more than 20 kHz, less than 6000 MHz");
    EXPECT_EQ(scripted.messageTitles[0], "Bad Frequency!");
    EXPECT_EQ(text("txtFreq"), "3.5");

    type("txtLength", "10000");
    ASSERT_EQ(scripted.messages.size(), 2);
    EXPECT_EQ(scripted.messages[1], "Length should be < 9999");
    EXPECT_EQ(scripted.messageTitles[1], "Bad Length!");
    EXPECT_EQ(text("txtLength"), "9999");
}

TEST_F(MainWindowTest, UnitsAndEndSwitchLabelsAndConvertTheLength) {
    open();
    control<QRadioButton>("optMeters")->setChecked(true);
    EXPECT_EQ(text("txtLength"), "30.480");
    EXPECT_EQ(control<QLabel>("lblUnits")->text(), "Meters");
    EXPECT_EQ(control<QLabel>("lbldBPer")->text(), "dB/100 Meters");

    control<QRadioButton>("optInput")->setChecked(true);
    EXPECT_EQ(control<QLabel>("lblInputZ")->text(), "Impedance at Load: ");
    EXPECT_EQ(control<QLabel>("lblRho")->text(), "Rho at Input: ");
}

TEST_F(MainWindowTest, DamagedDefaultsFilesNeverStopTheWindow) {
    for (std::string content :
         {std::string(), std::string("M\n"), std::string("\x01\xff garbage;;::,,\n", 18),
          std::string(5000, 'x')}) {
        writeDefaults(content);
        open();
        EXPECT_EQ(text("txtFreq"), "3.5");
        EXPECT_EQ(control<QComboBox>("cboPickCable")->currentIndex(), 3);
        window.reset(); // closes without the frame: nothing is saved
    }
}

TEST_F(MainWindowTest, DefaultsFileIsReadAtStartAndWrittenOnceAtExit) {
    writeDefaults("m\n 50\n 0\n 1\n .66\n 1000\n7.000\n 300; 200:6456,8484\n"
                  "6825;-15:6468,8484\n 0; 0:6444:8460\n 0; 0:6444,8460\n 0; 0:6456,8460\n"
                  "328.084\n 17\n14\n50\n0\n");
    open();
    EXPECT_TRUE(control<QRadioButton>("optMeters")->isChecked());
    EXPECT_EQ(control<QComboBox>("cboPickCable")->currentIndex(), 17);
    EXPECT_EQ(text("txtLength"), "100.000");
    EXPECT_EQ(text("txtFreq"), "14");

    type("txtResistance", "75");
    scripted.answers.push_back(false);
    press("cmdQuit");
    EXPECT_EQ(scripted.questions.back(), "Are you sure you want to Exit?");
    EXPECT_EQ(savedDefaults()[15], "50"); // a No keeps the window and the file

    scripted.answers.push_back(true);
    press("cmdQuit");
    std::vector<std::string> lines = savedDefaults();
    ASSERT_EQ(lines.size(), 17u);
    EXPECT_EQ(lines[0], "M");
    EXPECT_EQ(lines[6], "7.000"); // the stored attenuation keeps its own frequency
    EXPECT_EQ(lines[13], " 17");
    EXPECT_EQ(lines[15], "75");

    writeDefaults("changed since\n");
    window->close(); // the frame closing after the quit does not write again
    EXPECT_EQ(savedDefaults()[0], "changed since");
}

TEST_F(MainWindowTest, ClosingByTheFrameSavesTheSettings) {
    open();
    type("txtFreq", "7.1");
    window->close();
    std::vector<std::string> lines = savedDefaults();
    ASSERT_EQ(lines.size(), 17u);
    EXPECT_EQ(lines[14], "7.1");
}

TEST_F(MainWindowTest, PrintAsksFirstAndReportsAFailedPrinter) {
    open();
    scripted.answers = {false, true, true};
    scripted.printResults = {common::PrintResult::Printed, common::PrintResult::Failed};
    press("cmdPrint");
    EXPECT_EQ(scripted.printedCount, 0);
    EXPECT_EQ(scripted.questions.back(), "Are you sure you want to print? ");
    press("cmdPrint");
    EXPECT_EQ(scripted.printedCount, 1);
    EXPECT_TRUE(scripted.messages.isEmpty());
    press("cmdPrint");
    ASSERT_EQ(scripted.messages.size(), 1);
    EXPECT_EQ(scripted.messages[0], "Printer problem. ");
    EXPECT_FALSE(window->autoFillBackground()); // the screen gets its own background back
}

TEST_F(MainWindowTest, HelpOpensTheDocumentBesideTheProgram) {
    open();
    press("cmdHelp");
    ASSERT_EQ(scripted.openedDocuments.size(), 1);
    EXPECT_TRUE(scripted.openedDocuments[0].endsWith("/KAVLO.PDF"));
    scripted.openResults.push_back(common::OpenResult::NotFound);
    press("cmdHelp");
    ASSERT_EQ(scripted.messages.size(), 1);
    EXPECT_EQ(scripted.messages[0], "KAVLO.PDF or Adobe Reader not available.");
}

} // namespace

TEST_F(MainWindowTest, EveryResultFitsItsBoxAndTheWindowKeepsItsSize) {
    open();
    window->show();
    const QSize size = window->size();
    // The 600-ohm line near a quarter wave long, nearly shorted: a fifth of a megohm.
    control<QComboBox>("cboPickCable")->setCurrentIndex(32);
    type("txtLength", "0.2503w");
    type("txtResistance", "0.01");
    EXPECT_EQ(text("txtImpedIn"), "154750.60 - j 121527.00");
    for (const char* longest : {"", "1e400"}) {
        if (*longest) type("txtResistance", longest);
        for (QLineEdit* box : window->findChildren<QLineEdit*>()) {
            const int room =
                box->width() - 2 * box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) - 4;
            EXPECT_LE(box->fontMetrics().horizontalAdvance(box->text()), room)
                << box->objectName().toStdString() << " clips " << box->text().toStdString();
        }
    }
    EXPECT_EQ(window->size(), size);

    // The warning comes and goes without moving anything.
    control<QComboBox>("cboPickCable")->setCurrentIndex(33);
    type("txtFreq", "14");
    EXPECT_TRUE(control<QLabel>("LblWarning")->isVisible());
    EXPECT_EQ(window->size(), size);

    control<QRadioButton>("optMeters")->setChecked(true);
    const QPoint unitAt = control<QLabel>("lblUnits")->mapTo(window.get(), QPoint(0, 0));
    const QPoint boxEnd =
        control<QLineEdit>("txtLength")
            ->mapTo(window.get(), QPoint(control<QLineEdit>("txtLength")->width(), 0));
    EXPECT_GE(unitAt.x() - boxEnd.x(), 4) << "the unit stands clear of the length box";
}
