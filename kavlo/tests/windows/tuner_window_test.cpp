#include "window_test_fixture.h"

#include "kavlo/windows/along_line_graph_window.h"
#include "kavlo/windows/tuner_result_window.h"
#include "kavlo/windows/tuner_window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

using namespace kavlo;

namespace {

class TunerWindowTest : public kavlo::testing::KavloWindowTest {
protected:
    // RG-213 at 14 MHz, 100 ft, into 200 ohm: the tuner sees 22.70 - j 28.44 ohm.
    frmTuner* openTuner() {
        open();
        control<QComboBox>("cboPickCable")->setCurrentIndex(17);
        type("txtFreq", "14");
        type("txtResistance", "200");
        press("cmdTuner");
        return window->tunerSetup;
    }
    void design(const char* network) {
        press(network, window->tunerSetup);
        press("cmdDrawTuner", window->tunerSetup);
    }
    // What the result page must show: the model's page for the same line and setup.
    TunerPage expectedPage() {
        TunerSetup setup = window->tunerSetup->setup();
        return setup.design(TunerLoadOf(window->calculator())).result->page;
    }
};

TEST_F(TunerWindowTest, SetupPageRules) {
    frmTuner* page = openTuner();
    EXPECT_TRUE(page->isVisible());
    EXPECT_EQ(page->windowTitle(), "Tuner Selection, Kavlo");
    EXPECT_EQ(control<QLabel>("lblTunerLoad", page)->text(),
              "Impedance at the line input: 22.70 - j 28.44 ohms at 14.0 MHz");

    type("txtCoilQ", "10", page);
    EXPECT_TRUE(scripted.messages.isEmpty()) << "judged when the box is left, not at each key";
    leave("txtCoilQ", page);
    ASSERT_EQ(scripted.messages.size(), 1);
    EXPECT_EQ(scripted.messages[0], "Minimum coil Q is 15 -- Changing back to default 200.");
    EXPECT_EQ(scripted.messageTitles[0], "Kavlo, Tuner");
    EXPECT_EQ(text("txtCoilQ", page), "200");
    type("txtCapQ", "14", page);
    leave("txtCapQ", page);
    EXPECT_EQ(scripted.messages.back(),
              "Minimum capacitor Q is 15 -- Changing back to default 1000.");
    EXPECT_EQ(text("txtCapQ", page), "1000");

    press("optPiNet", page);
    EXPECT_TRUE(control<QLineEdit>("txtPiCap", page)->isVisible());
    EXPECT_FALSE(control<QLineEdit>("txtTeeCap", page)->isVisible());
    type("txtPiCap", "0", page);
    leave("txtPiCap", page);
    EXPECT_EQ(text("txtPiCap", page), "500");
    // Select all, Backspace and 250, key by key: the box holds what was typed.
    auto* piCap = control<QLineEdit>("txtPiCap", page);
    piCap->selectAll();
    auto key = [piCap](Qt::Key k, const QString& t) {
        QKeyEvent event(QEvent::KeyPress, k, Qt::NoModifier, t);
        QApplication::sendEvent(piCap, &event);
    };
    key(Qt::Key_Backspace, "");
    EXPECT_EQ(piCap->text(), "");
    key(Qt::Key_2, "2");
    key(Qt::Key_5, "5");
    key(Qt::Key_0, "0");
    leave("txtPiCap", page);
    EXPECT_EQ(text("txtPiCap", page), "250");
    press("optTeeNet", page);
    EXPECT_FALSE(control<QLineEdit>("txtPiCap", page)->isVisible());
    EXPECT_TRUE(control<QLineEdit>("txtTeeCap", page)->isVisible());
    type("txtTeeCap", "", page);
    EXPECT_EQ(text("txtTeeCap", page), "");
    leave("txtTeeCap", page);
    EXPECT_EQ(text("txtTeeCap", page), "100");

    // The main window's line changing shows at once on the setup page.
    type("txtResistance", "50");
    EXPECT_EQ(control<QLabel>("lblTunerLoad", page)->text().left(36),
              "Impedance at the line input: 50.27 -");
}

TEST_F(TunerWindowTest, LAndPiOnTheFirstPageTeeOnTheSecond) {
    openTuner();
    design("optLNet2");
    TunerResultWindow* first = window->tunerFirst;
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(window->tunerSetup->isVisible());
    const TunerPage expected = expectedPage();
    for (const auto& entry : TunerPageTexts) {
        auto* shown = first->findChild<QWidget*>(entry.control);
        ASSERT_TRUE(shown) << entry.control;
        const QString t = qobject_cast<QLabel*>(shown) ? qobject_cast<QLabel*>(shown)->text()
                                                       : qobject_cast<QLineEdit*>(shown)->text();
        EXPECT_EQ(t.toStdString(), expected.*entry.text) << entry.control;
    }
    EXPECT_EQ(control<QLabel>("lblNetwork", first)->text(), "High-Pass L-Network");
    EXPECT_EQ(control<QLabel>("lblPart1", first)->text(), "C1");
    EXPECT_EQ(text("txtValue3", first), "N/A");
    // The test folder has no pictures: the frame shows the network's title instead.
    EXPECT_EQ(control<QLabel>("picNetwork", first)->text(), "High-Pass L-Network");

    press("cmdBack", first);
    EXPECT_FALSE(first->isVisible());
    EXPECT_TRUE(window->tunerSetup->isVisible());
    design("optPiNet");
    EXPECT_EQ(control<QLabel>("lblNetwork", first)->text(), "Low-Pass Pi-Network");
    EXPECT_EQ(control<QLabel>("lblPart3", first)->text(), "C3");

    press("cmdBack", first);
    design("optTeeNet");
    TunerResultWindow* second = window->tunerSecond;
    EXPECT_TRUE(second->isVisible());
    EXPECT_FALSE(first->isVisible());
    EXPECT_EQ(second->objectName(), "frmTuner2");
    EXPECT_EQ(control<QLabel>("lblNetwork", second)->text(), "High-Pass Tee-Network");
    EXPECT_EQ(text("txtValue3", second), "100.0 pF");

    press("cmdContinue", second);
    EXPECT_TRUE(window->graphWindow->isVisible());
    EXPECT_EQ(text("txtPower", window->graphWindow), "At 1500 W");
}

TEST_F(TunerWindowTest, OpenResultPageFollowsTheLine) {
    openTuner();
    design("optLNet2");
    TunerResultWindow* page = window->tunerFirst;
    type("txtResistance", "300");
    EXPECT_EQ(control<QLabel>("lblAtLoad", page)->text().left(16), "At load: 300.00+");
    EXPECT_EQ(control<QLabel>("lblNetwork", page)->text(), "High-Pass L-Network");
    // A load the network cannot match: the page says so and keeps no old figures.
    control<QRadioButton>("optInput")->setChecked(true);
    type("txtResistance", "0");
    EXPECT_EQ(control<QLabel>("lblNetwork", page)->text(), "This network won't work.");
    EXPECT_EQ(text("txtValue1", page), "");
    EXPECT_EQ(control<QLabel>("picNetwork", page)->text(), "") << "no old schematic";
    EXPECT_TRUE(scripted.messages.isEmpty()) << "no message boxes while the user types";
}

TEST_F(TunerWindowTest, RefusalKeepsTheSetupPage) {
    openTuner();
    // 50 - j50 ohm at the line input: no low-pass L takes it to 50 ohm.
    control<QRadioButton>("optInput")->setChecked(true);
    type("txtResistance", "50");
    type("txtReactance", "-50");
    design("optLNet1");
    ASSERT_EQ(scripted.messages.size(), 1);
    EXPECT_EQ(scripted.messages[0], "Choose another network");
    EXPECT_EQ(scripted.messageTitles[0], "Kavlo, Tuner");
    EXPECT_TRUE(window->tunerSetup->isVisible());
    EXPECT_FALSE(window->tunerFirst->isVisible());
}

TEST_F(TunerWindowTest, ResultPagePrintsWithoutItsButtons) {
    openTuner();
    design("optLNet2");
    TunerResultWindow* page = window->tunerFirst;
    scripted.answers = {true};
    press("cmdPrint", page);
    EXPECT_EQ(scripted.questions.back(), "Are you sure you want to print? ");
    ASSERT_EQ(scripted.printedCount, 1);
    EXPECT_TRUE(control<QWidget>("cmdPrint", page)->isVisible()) << "back on screen afterwards";
}

TEST_F(TunerWindowTest, PagePlacesAreKept) {
    openTuner();
    window->tunerSetup->move(150, 120);
    design("optLNet2");
    window->tunerFirst->move(300, 90);
    window->close();
    const std::vector<std::string> lines = savedDefaults();
    ASSERT_EQ(lines.size(), 17u);
    EXPECT_EQ(lines[9], " 2250; 1800:6444:8460");
    EXPECT_EQ(lines[10], " 4500; 1350:6444,8460");
    EXPECT_FALSE(window->tunerFirst->isVisible()) << "the pages close with the main window";
}

} // namespace
