// frmQelt headless, driven by control name with the scripted desktop: the defaults
// file, the two states, opening and its failures, the View dialog, print, help, exit.
#include "main_window_fixture.h"

#include "qelt/windows/main_chart.h"
#include "qelt/windows/polar_plot_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QProgressBar>
#include <QPushButton>

#include <dlfcn.h>
#include <filesystem>

namespace {

const char* const AnalysisButtons[] = {"cmdElements", "cmdSaveAs", "cmdExportNec", "cmdView",
                                       "cmdMatch",    "cmdHeight", "cmdFreq",      "cmdPrint"};

} // namespace

TEST_F(MainWindowTest, FirstStartWritesTheFiveDefaultsAndEnds) {
    frmQelt w(folderPath(), SUITE_DIR);
    EXPECT_TRUE(w.ended());
    ASSERT_EQ(scripted.messages.size(), 1);
    EXPECT_EQ(scripted.messages[0], "Writing new QELT.DEF. Please start Qelt again.");
    EXPECT_EQ(savedDefaults(),
              (std::vector<std::string>{"60;48", "3768;2088:6456,8484", "84;2088:6456,8484",
                                        "feet, inches", folderPath() + "/QeltAnts"}));
}

TEST_F(MainWindowTest, AFolderThatCannotBeWrittenDoesNotStopTheStart) {
    frmQelt w(folderPath() + "/no such folder", SUITE_DIR);
    EXPECT_FALSE(w.ended()) << "a start that could never succeed would loop";
    ASSERT_EQ(scripted.messages.size(), 1);
    EXPECT_TRUE(scripted.messages[0].startsWith("QELT.DEF could not be written in "));
    EXPECT_TRUE(scripted.messages[0].endsWith("Qelt carries on with its defaults."));
}

TEST_F(MainWindowTest, DamagedDefaultsFilesNeverStopTheStart) {
    for (std::string content : {std::string(), std::string("x\n;;;\n:::,,,\n\n"),
                                std::string("\x01\xff\x00garbage", 11)}) {
        writeDefaults(content);
        start();
        EXPECT_FALSE(window->ended());
        EXPECT_TRUE(scripted.messages.isEmpty());
    }
}

TEST_F(MainWindowTest, NoAntennaStateThenLoaded) {
    start();
    EXPECT_TRUE(enabled("cmdFile"));
    EXPECT_TRUE(enabled("cmdQuit"));
    EXPECT_TRUE(enabled("cmdHelp"));
    for (const char* name : AnalysisButtons) EXPECT_FALSE(enabled(name)) << name;
    EXPECT_TRUE(control<QLabel>("lblStart")->isVisibleTo(window.get()));
    EXPECT_EQ(label("lblStart"), "Open an existing file to start");
    EXPECT_EQ(control<QPushButton>("cmdView")->toolTip(),
              "Choose dimensional units, F/R or F/B patterns or Azimuth/Elevation graphs");
    EXPECT_EQ(control<QLabel>("lblF1")->font().family(), "Arial");

    QList<int> progress;
    QObject::connect(control<QProgressBar>("ProgressBar1"), &QProgressBar::valueChanged,
                     [&progress](int v) { progress << v; });
    ChooseFile(Sample("2EL20M.QELT"));
    press("cmdFile");
    ASSERT_EQ(scripted.fileRequests.size(), 1);
    EXPECT_EQ(scripted.fileRequests[0].title, "Select existing antenna file");
    EXPECT_EQ(scripted.fileRequests[0].filter,
              "Yagi Files (*.QELT)|*.QELT|All Yagi Files (*.QELT, *.YAG)|*.QELT;*.YAG");
    EXPECT_EQ(scripted.fileRequests[0].folder, SUITE_DIR "/QeltAnts");
    EXPECT_TRUE(scripted.messages.isEmpty()) << scripted.messages.join("\n").toStdString();

    for (const char* name : AnalysisButtons) EXPECT_TRUE(enabled(name)) << name;
    EXPECT_FALSE(control<QLabel>("lblStart")->isVisibleTo(window.get()));
    EXPECT_EQ(progress.mid(progress.indexOf(2)), (QList<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    EXPECT_FALSE(control<QProgressBar>("ProgressBar1")->isVisibleTo(window.get()));
    EXPECT_EQ(label("lblFile"), "2EL20M.QELT");
    EXPECT_EQ(label("lblEleBoom"), "2 ele., boom = 9.8 feet");
    EXPECT_EQ(label("lblF1"), "Freq:     14.000 MHz       14.175 MHz       14.350 MHz");
    EXPECT_EQ(label("lblF4"), "Z:           29.2 -j 16.6        36.3 -j 1.5         43.2 +j 12.2");
    EXPECT_EQ(window->windowTitle(), "Qelt, Two-element 20 m beam, telescoping tubes");

    MainChart* chart = control<MainChart>("TChart1");
    EXPECT_EQ(chart->title(), "Gain, F/R, SWR");
    EXPECT_EQ(chart->axis(common::Axis::Left).title(), "Gain (dBi), SWR");
    EXPECT_EQ(chart->axis(common::Axis::Left).maximum(), 7) << "6.74 dBi: the integer part of 7.74";
    EXPECT_EQ(chart->axis(common::Axis::Right).title(), "F/R (dB)");
    EXPECT_EQ(chart->axis(common::Axis::Bottom).title(), "MHz");
    EXPECT_EQ(chart->points(0).x.size(), 11u);
    EXPECT_EQ(chart->points(3).y, std::vector<double>(11, 2.0)) << "the SWR 2:1 line";
    window->show(); // a tip needs the chart laid out on the screen
    QApplication::processEvents();
    EXPECT_EQ(chart->tipFor(0, {14.175, 6.4}), "Gain\n14.175 MHz\n6.42 dBi");
    EXPECT_EQ(chart->tipFor(1, {14.175, 10}), "F/R (dB)\n14.175 MHz\n10.95 dB");
    EXPECT_EQ(label("lblGain"), "Gain");
    EXPECT_EQ(label("lblFR"), "F/R");
    EXPECT_EQ(label("lblSWR2"), "SWR: 2:1");
}

TEST_F(MainWindowTest, CancellingOpen) {
    startWith(Sample("3EL15M.QELT"));
    const QString gain = label("lblF2");
    press("cmdFile"); // the scripted dialog answers Cancel
    EXPECT_TRUE(scripted.messages.isEmpty());
    EXPECT_FALSE(window->ended());
    EXPECT_EQ(label("lblF2"), gain);
    EXPECT_EQ(label("lblFile"), "3EL15M.QELT");

    window.reset();
    start();
    press("cmdFile");
    ASSERT_EQ(scripted.messages.size(), 1);
    EXPECT_EQ(scripted.messages[0], "You need to select a file to start. Please start Qelt again.");
    EXPECT_TRUE(window->ended());
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindowTest, AFileWithAnErrorKeepsTheLoadedAntenna) {
    startWith(Sample("5EL10M.QELT"));
    const std::string bad = folderPath() + "/BAD.QELT";
    std::ofstream(bad) << "Broken\n28 28.4 28.8\n5 elements, mm\n25 19\n0 600\n";
    ChooseFile(QString::fromStdString(bad));
    press("cmdFile");
    ASSERT_EQ(scripted.messages.size(), 1);
    EXPECT_EQ(scripted.messages[0], "The file  '" + QString::fromStdString(bad) +
                                        "'  has an error. Examine it with a word processor.\n"
                                        "Line 6: the file ends too early.");
    EXPECT_FALSE(window->ended()) << "unsaved work stays";
    EXPECT_EQ(label("lblFile"), "5EL10M.QELT");
    EXPECT_TRUE(enabled("cmdView"));

    // A file the engine reads but cannot solve is loaded, and the user is told.
    const std::string far = folderPath() + "/FAR.QELT";
    std::ofstream(far) << "Far\n14 14.1 14.2\n2 elements\n1\n0 99999999999\n100 200\n";
    ChooseFile(QString::fromStdString(far));
    press("cmdFile");
    ASSERT_EQ(scripted.messages.size(), 2);
    EXPECT_TRUE(scripted.messages[1].startsWith("The engine could not analyse this antenna at "
                                                "14.000 MHz.\nThe geometry is not finite"));
    EXPECT_EQ(label("lblFile"), "FAR.QELT");
}

TEST_F(MainWindowTest, AFileWithAnErrorAndNothingLoadedShutsDown) {
    start();
    window->OpenFile("/dev/zero"); // as qelt FILE opens it
    ASSERT_EQ(scripted.messages.size(), 1);
    EXPECT_TRUE(scripted.messages[0].startsWith("The file  '/dev/zero'  has an error."));
    EXPECT_TRUE(window->ended());
    EXPECT_EQ(savedDefaults().size(), 5u);
}

TEST_F(MainWindowTest, AMissingEngineIsSaidAndTheProgramCarriesOn) {
    // Only a process that has not loaded the engine yet can miss it.
    if (void* loaded = dlopen("libyoruk.so", RTLD_NOW | RTLD_NOLOAD)) {
        dlclose(loaded);
        GTEST_SKIP() << "the engine is already loaded in this process";
    }
    writeDefaults("60;48\n");
    window = std::make_unique<frmQelt>(folderPath(), QString::fromStdString(folderPath()));
    ChooseFile(Sample("2EL20M.QELT"));
    press("cmdFile");
    ASSERT_EQ(scripted.messages.size(), 1);
    EXPECT_TRUE(
        scripted.messages[0].startsWith("The engine library libyoruk.so could not be loaded."));
    EXPECT_FALSE(window->ended());
    EXPECT_FALSE(enabled("cmdFile"));
    EXPECT_FALSE(enabled("cmdView"));
    EXPECT_TRUE(enabled("cmdQuit"));
}

TEST_F(MainWindowTest, ViewDialogCaptionsRatioAndUnits) {
    startWith(Sample("3EL15M.QELT"));
    press("cmdView");
    frmView* view = window->ViewDialog;
    EXPECT_EQ(view->windowTitle(), "View, other choices");
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(Control<QRadioButton>(view, "optAzi1")->text(), "E/H-Plane, 0-60 deg.");
    EXPECT_EQ(Control<QRadioButton>(view, "optAzi2")->text(), "E/H-Plane, 0-180 deg.");
    EXPECT_EQ(Control<QCheckBox>(view, "chkAz")->text(), "E-Plane");
    EXPECT_EQ(Control<QCheckBox>(view, "chkElev")->text(), "H-Plane");
    EXPECT_EQ(Control<QLineEdit>(view, "txtF0")->text(), "21.225");
    EXPECT_EQ(Control<QLineEdit>(view, "txtF0")->toolTip(),
              "Frequency for Azimuth/ Elevation graph");
    EXPECT_EQ(Control<QPushButton>(view, "cmdEscape")->text(), "&Cancel");
    EXPECT_TRUE(Control<QRadioButton>(view, "optGFS")->isChecked());

    Control<QRadioButton>(view, "optFB")->setChecked(true);
    Control<QRadioButton>(view, "optMeters")->setChecked(true);
    Press(view, "cmdOK");
    EXPECT_FALSE(view->isVisible());
    EXPECT_EQ(label("lblView"), "meters, mm");
    EXPECT_TRUE(label("lblF3").startsWith("F/B:"));
    EXPECT_EQ(label("lblFR"), "F/B");
    EXPECT_EQ(label("lblEleBoom"), "3 ele., boom = 4.3 m");
    MainChart* chart = control<MainChart>("TChart1");
    EXPECT_EQ(chart->title(), "Gain, F/B, SWR");
    EXPECT_EQ(chart->axis(common::Axis::Right).title(), "F/B (dB)");

    // Cancel changes nothing.
    press("cmdView");
    Control<QRadioButton>(view, "optFeet")->setChecked(true);
    Press(view, "cmdEscape");
    EXPECT_EQ(label("lblView"), "meters, mm");
}

TEST_F(MainWindowTest, RectangularPatternOnTheMainChart) {
    startWith(Sample("3EL15M.QELT"));
    chooseView("optAzi1");
    MainChart* chart = control<MainChart>("TChart1");
    EXPECT_TRUE(chart->title().startsWith("E/H-Plane, 21.225 MHz, Peak = 7.6 dBi"));
    EXPECT_EQ(chart->axis(common::Axis::Left).title(), "Gain (dB re Peak)");
    EXPECT_EQ(chart->axis(common::Axis::Bottom).title(), "Deg.");
    EXPECT_EQ(chart->axis(common::Axis::Bottom).maximum(), 60);
    EXPECT_TRUE(label("lblGain").startsWith("E BW: "));
    EXPECT_FALSE(control<QLabel>("lblSWR2")->isVisibleTo(window.get()));
    chooseView("optAzi2");
    EXPECT_EQ(chart->axis(common::Axis::Bottom).maximum(), 180);
    chooseView("optGFS");
    EXPECT_EQ(chart->title(), "Gain, F/R, SWR");
    EXPECT_EQ(label("lblGain"), "Gain");
}

TEST_F(MainWindowTest, PolarPlotsOpenInTheirWindows) {
    startWith(Sample("5EL10M.QELT"));
    chooseView("optPolar", "28.5");
    PolarPlotWindow* polar = window->frmPolar.get();
    EXPECT_TRUE(polar->isVisible());
    EXPECT_EQ(polar->windowTitle(), "Qelt Polar Plot");
    EXPECT_EQ(Control<QLabel>(polar, "lblTitle")->text().toStdString(),
              "E/H-Plane, 28.500 MHz, Peak = 9.7 dBi");
    EXPECT_EQ(Control<QLabel>(polar, "lblMaxGain")->text(), "Max. Gain: 9.7 dBi");
    EXPECT_TRUE(Control<QLabel>(polar, "lblBeamwidth1")->text().startsWith("E BW: "));
    EXPECT_EQ(Control<QLabel>(polar, "lblHeight")->text(), "Free Space");

    chooseView("optMorwen");
    EXPECT_TRUE(window->frmMorwen->isVisible());
    EXPECT_EQ(window->frmMorwen->windowTitle(), "Qelt Morwen Polar Plot");

    // A new antenna: the open plots follow it at its own centre frequency.
    ChooseFile(Sample("2EL20M.QELT"));
    press("cmdFile");
    EXPECT_TRUE(Control<QLabel>(polar, "lblTitle")->text().startsWith("E/H-Plane, 14.175 MHz"));
    EXPECT_TRUE(Control<QLabel>(window->frmMorwen.get(), "lblTitle")
                    ->text()
                    .startsWith("E/H-Plane, 14.175 MHz"));

    // A frequency that is no frequency keeps the dialog open.
    press("cmdView");
    Control<QRadioButton>(window->ViewDialog, "optPolar")->setChecked(true);
    Control<QLineEdit>(window->ViewDialog, "txtF0")->setText("abc");
    Press(window->ViewDialog, "cmdOK");
    EXPECT_EQ(scripted.messages.back(),
              "Enter the frequency of the pattern in MHz, a number above 0.");
    EXPECT_TRUE(window->ViewDialog->isVisible());
}

TEST_F(MainWindowTest, PrintHelpAndExit) {
    startWith(Sample("2EL20M.QELT"));
    scripted.answers = {true};
    press("cmdPrint");
    EXPECT_EQ(scripted.questions.back(), "Are you sure you want to print? ");
    EXPECT_EQ(scripted.printedCount, 1);
    EXPECT_EQ(scripted.printedPages[0].pixelColor(2, 2), QColor(Qt::white)) << "a white page";
    scripted.answers = {true};
    scripted.printResults = {common::PrintResult::Failed};
    press("cmdPrint");
    EXPECT_EQ(scripted.messages.back(), "Printer problem. ");

    press("cmdHelp");
    EXPECT_TRUE(scripted.openedDocuments.back().endsWith("/QELT.PDF"));
    scripted.openResults = {common::OpenResult::NotFound};
    press("cmdHelp");
    EXPECT_EQ(scripted.messages.back(), "QELT.PDF or Adobe Reader not available.");

    scripted.answers = {false};
    press("cmdQuit");
    EXPECT_EQ(scripted.questions.back(), "Are you sure you want to Exit?");
    EXPECT_FALSE(window->ended());
    window->move(150, 90);
    window->frmMorwen->resize(1900, 700); // wider than 95 % of the 1920-pixel screen
    chooseView("optMeters");
    scripted.answers = {true};
    press("cmdQuit");
    EXPECT_TRUE(window->ended());
    const std::vector<std::string> saved = savedDefaults();
    ASSERT_EQ(saved.size(), 5u);
    EXPECT_EQ(saved[0], std::to_string(window->x() * 15) + ";" + std::to_string(window->y() * 15));
    EXPECT_EQ(saved[2], "84;2088:6456,8484") << "kept at its default";
    EXPECT_EQ(saved[3], "meters, mm");
    EXPECT_EQ(saved[4], folderPath() + "/QeltAnts")
        << "the program's own, whatever folder the file named";
}

TEST_F(MainWindowTest, ClosingByTheFrameKeepsTheSettingsOnce) {
    start();
    window->close();
    EXPECT_TRUE(window->ended());
    EXPECT_EQ(savedDefaults().size(), 5u);
    std::remove(defaultsPath().c_str());
    window->close();
    EXPECT_TRUE(savedDefaults().empty()) << "written once";
}

TEST_F(MainWindowTest, AnUnreadableDefaultsFileIsSaidAndKeptUnlessTheUserAgrees) {
    writeDefaults("75;30\n");
    std::filesystem::resize_file(defaultsPath(), common::LargestTextFile + 1);
    start();
    EXPECT_FALSE(window->ended()) << "only a missing file asks for a new start";
    ASSERT_EQ(scripted.messages.size(), 1);
    EXPECT_EQ(scripted.messages[0].toStdString(),
              defaultsPath() + " cannot be read: it is larger than 10 MB. Qelt runs on its "
                               "defaults and leaves the file as it is.");
    window->close();
    ASSERT_EQ(scripted.questions.size(), 1);
    EXPECT_EQ(scripted.questions[0],
              "QELT.DEF could not be read when Qelt started. Replace it with the present "
              "settings?");
    EXPECT_EQ(std::filesystem::file_size(defaultsPath()), common::LargestTextFile + 1);

    window.reset();
    scripted.answers = {true};
    start();
    window->close();
    EXPECT_EQ(savedDefaults().size(), 5u);
}

TEST_F(MainWindowTest, ASecondCopyInTheFolderSavesNothingUnlessTheUserSaysSo) {
    start();
    auto second = std::make_unique<frmQelt>(folderPath(), SUITE_DIR);
    ASSERT_EQ(scripted.questions.size(), 1);
    EXPECT_TRUE(scripted.questions[0].startsWith(
        QString::fromStdString("Qelt is already running in " + folderPath())));
    writeDefaults("the first copy's\n");
    second->close();
    EXPECT_EQ(savedDefaults(), std::vector<std::string>{"the first copy's"});
    window->close();
    EXPECT_EQ(savedDefaults().size(), 5u) << "the first copy keeps its settings";
}
