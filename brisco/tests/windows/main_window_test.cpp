#include "brisco/windows/clickable_box.h"
#include "brisco/windows/heights_window.h"
#include "brisco/windows/main_window.h"
#include "brisco/windows/move_tower_window.h"
#include "brisco/windows/options_window.h"
#include "brisco/windows/output_graph_window.h"
#include "brisco/windows/terrain_plot_window.h"
#include "common/qt/engine_binding.h"

#include "common/number_text.h"
#include "common/qt/chart.h"
#include "common/qt/testing/gui_test.h"
#include "test_folder.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include <cmath>
#include <filesystem>

using namespace brisco;
using brisco::fixtures::TestFolder;
using common::testing::ChooseFile;
using common::testing::Control;
using common::testing::Press;
using common::testing::Scripted;

namespace {

// An engine of made-up gains: 8 dBi, and the first antenna's height in tenths of a dB more.
EngineSource madeUpEngine() {
    return []() -> common::Result<TerrainEngine> {
        return TerrainEngine([](const EngineCall& c, SlotGains& gains) {
            for (int k = 1; k <= GainCount; ++k) gains[k] = 8 + c.stack.AntennaHeight[0] / 100;
        });
    };
}

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() {
        for (const char* name : {"FLAT.PRO", "RIDGE.PRO", "HOPS.PRN"})
            std::filesystem::copy_file(std::string(TEST_DATA_DIR "/samples/") + name,
                                       folder.file(name));
    }
    frmBrisco& open(EngineSource engine = madeUpEngine()) {
        window = std::make_unique<frmBrisco>(folder.path(), std::move(engine));
        return *window;
    }
    QString text(const QString& name) { return common::testing::Text(window.get(), name); }
    void click(const QString& box) { Control<ClickableBox>(window.get(), box)->click(); }
    void choose(const QString& box, const std::string& file) {
        ChooseFile(QString::fromStdString(folder.file(file)));
        click(box);
    }
    std::vector<std::string> results() { return folder.lines("OUT.PRN"); }

    TestFolder folder;
    common::ScriptedDesktop& scripted = Scripted();
    std::unique_ptr<frmBrisco> window;
};

// The sections of OUT.PRN: each starts with the frequency line.
std::vector<size_t> sectionStarts(const std::vector<std::string>& lines) {
    std::vector<size_t> starts;
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].find(" MHz    Ants: ") != std::string::npos) starts.push_back(i);
    return starts;
}

} // namespace

TEST_F(MainWindowTest, FirstStartWritesTheStartUpDefaults) {
    open();
    EXPECT_EQ(folder.lines("VEXLO.DEF"), FallbackDefaultsLines());
    EXPECT_EQ(text("txtFreq"), "14.2");
    EXPECT_EQ(text("txtHeight1"), "100");
    EXPECT_EQ(text("txtType1"), "4-Ele.");
    EXPECT_EQ(text("txtTerrain1"), "");
    EXPECT_TRUE(window->chkTerr[0]->isChecked());
    EXPECT_FALSE(window->ProgressBar1->isVisibleTo(window.get()));
    EXPECT_EQ(window->txtFreq->toolTip(), "Enter new frequency, in MHz (from 2 to 300 MHz)");
    EXPECT_TRUE(scripted.messages.isEmpty());

    Press(window.get(), "cmdCompute");
    EXPECT_EQ(scripted.messages, QStringList{"Please select a first terrain filename."});
    EXPECT_EQ(scripted.messageTitles, QStringList{"Brisco"});
}

TEST_F(MainWindowTest, ComputeRunsTheEngineForEverySlotInUse) {
    open(EngineFrom(common::BindEngine<TerrainRoutines>(SUITE_DIR)));
    choose("txtTerrain1", "FLAT.PRO");
    choose("txtTerrain3", "RIDGE.PRO");
    choose("txtElevFile", "HOPS.PRN");
    ASSERT_EQ(scripted.fileRequests.size(), 3);
    EXPECT_EQ(scripted.fileRequests[0].title, "Select existing terrain profile");
    EXPECT_EQ(scripted.fileRequests[0].filter, "Terrain profiles (*.PRO)|*.PRO");
    EXPECT_EQ(scripted.fileRequests[0].folder, QString::fromStdString(folder.path()));
    EXPECT_EQ(scripted.fileRequests[2].title, "Select elevation-statistic file ");
    EXPECT_EQ(scripted.fileRequests[2].filter, "Elevation statistic files (*.PRN)|*.PRN");
    EXPECT_EQ(scripted.fileRequests[2].fileName, "*.prn");
    EXPECT_EQ(text("txtTerrain3"), "RIDGE.PRO");
    EXPECT_EQ(text("txtSubDir3"), QString::fromStdString(folder.file("RIDGE.PRO")));
    EXPECT_EQ(text("txtElevFile"), "HOPS.PRN");
    window->model().applyHeights({{{"", "100"}, {}, {"", "100"}, {}}});

    std::vector<int> steps;
    QObject::connect(window->ProgressBar1, &QProgressBar::valueChanged,
                     [&](int v) { steps.push_back(v); });
    Press(window.get(), "cmdCompute");
    EXPECT_TRUE(scripted.messages.isEmpty()) << scripted.messages.join("\n").toStdString();
    EXPECT_EQ(steps, (std::vector<int>{1, 2, 4}));
    EXPECT_FALSE(window->ProgressBar1->isVisible());

    std::vector<std::string> out = results();
    std::vector<size_t> starts = sectionStarts(out);
    ASSERT_EQ(starts.size(), 2u);
    // Each section: heading, 35 angles, the figure of merit, and two empty lines.
    common::Result<ElevationStats> hops = ReadElevationStats(folder.file("HOPS.PRN"));
    for (size_t s = 0; s < 2; ++s) {
        const size_t at = starts[s];
        EXPECT_EQ(out[at], "\"14.2 MHz    Ants: 100 feet\"");
        EXPECT_EQ(out[at + 1], s == 0 ? "\"Brisco: FLAT.PRO\"" : "\"Brisco: RIDGE.PRO\"");
        EXPECT_EQ(out[at + 2], s == 0 ? "\"Antenna: 4-Ele.\"" : "\"Antenna: \"");
        EXPECT_EQ(out[at + 3], "\"  Elev.\",\" Gain \"");
        // The merit again, from the gains as the file holds them (to a tenth of a dB).
        SlotGains gains = FloorGains();
        for (int angle = 1; angle <= 35; ++angle) {
            const std::string& line = out[at + 3 + angle];
            ASSERT_EQ(line.substr(0, line.find(',')), std::to_string(angle));
            gains[4 * angle] = static_cast<float>(common::Val(line.substr(line.find(',') + 1)));
        }
        const std::string& rating = out[at + 39];
        const std::string prefix = "\"For HOPS.PRN: Figure of Merit = ";
        ASSERT_EQ(rating.substr(0, prefix.size()), prefix);
        EXPECT_NEAR(common::Val(rating.substr(prefix.size())),
                    FigureOfMerit(gains, hops.value(), 4), 0.1);
        EXPECT_EQ(out[at + 40], "");
        EXPECT_EQ(out[at + 41], "");
    }

    frmGraph& graph = window->graphWindow();
    EXPECT_TRUE(graph.isVisible());
    EXPECT_EQ(graph.windowTitle(), "Output Graph, Brisco");
    EXPECT_EQ(graph.lblFreq->text(), "Freq. = 14.2 MHz");
    EXPECT_TRUE(graph.lblFOM[0]->isVisibleTo(&graph));
    EXPECT_TRUE(graph.lblFOM[2]->isVisibleTo(&graph));
    EXPECT_FALSE(graph.lblTerr[1]->isVisibleTo(&graph));
    EXPECT_EQ(graph.lblHt[2]->text(), "100 ft");
    EXPECT_EQ(graph.TChart1->points(GainSeries(0)).x.size(), 137u);
    EXPECT_DOUBLE_EQ(graph.TChart1->axis(common::Axis::Bottom).maximum(), 34);
    // Curves go by their profile files in tips and saved data.
    EXPECT_NE(graph.TChart1->tipFor(GainSeries(2), {10, 0}).indexOf("RIDGE.PRO"), -1);
    const std::string csv = graph.TChart1->csvText();
    EXPECT_NE(csv.find("FLAT.PRO"), std::string::npos) << csv;
    EXPECT_NE(csv.find("RIDGE.PRO"), std::string::npos) << csv;
    EXPECT_EQ(csv.find("Slot "), std::string::npos) << csv;

    Press(window.get(), "cmdCompute"); // a second run adds its sections
    EXPECT_EQ(sectionStarts(results()).size(), 4u);
}

TEST_F(MainWindowTest, AMissingEngineIsAMessageAndNothingIsWritten) {
    open([] { return common::Result<TerrainEngine>::Failure("The engine library is missing."); });
    choose("txtTerrain1", "FLAT.PRO");
    Press(window.get(), "cmdCompute");
    EXPECT_EQ(scripted.messages, QStringList{"The engine library is missing."});
    EXPECT_TRUE(results().empty());
    EXPECT_FALSE(window->graphWindow().isVisible());
}

TEST_F(MainWindowTest, CancelledPickersOfferToClear) {
    open();
    choose("txtTerrain2", "RIDGE.PRO");
    scripted.answers = {true};
    click("txtTerrain2"); // the dialog is cancelled
    EXPECT_EQ(scripted.questions.last(), "Do you want to clear the terrain and heights?");
    EXPECT_EQ(text("txtTerrain2"), "");
    EXPECT_EQ(text("txtSubDir2"), "");

    choose("txtElevFile", "HOPS.PRN");
    click("txtElevFile"); // cancelled, and No: the choice stays
    EXPECT_EQ(scripted.questions.last(),
              "Do you want to clear the elevation statistics file selection?");
    EXPECT_EQ(text("txtElevFile"), "HOPS.PRN");

    // The results file is refused and the dialog comes again.
    folder.write("OUT.PRN", "");
    ChooseFile(QString::fromStdString(folder.file("OUT.PRN")));
    ChooseFile(QString::fromStdString(folder.file("HOPS.PRN")));
    const qsizetype asked = scripted.fileRequests.size();
    click("txtElevFile");
    EXPECT_EQ(scripted.fileRequests.size(), asked + 2);
    EXPECT_EQ(scripted.messages.last(),
              "OUT.PRN is not valid for elevation statistics file. Choose another.");
    EXPECT_EQ(text("txtElevFile"), "HOPS.PRN");
}

TEST_F(MainWindowTest, ADamagedStatisticsFileSavesAndEnds) {
    open();
    window->show();
    choose("txtTerrain1", "FLAT.PRO");
    folder.write("BAD.PRN", "no heading");
    choose("txtElevFile", "BAD.PRN");
    EXPECT_EQ(scripted.messages.last(), "The file  '" +
                                            QString::fromStdString(folder.file("BAD.PRN")) +
                                            "'  has an error. Examine it with a word processor.");
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(folder.lines("VEXLO.DEF")[7], "FLAT.PRO");

    // The next start keeps the slots and clears only the statistics.
    scripted.messages.clear();
    open();
    EXPECT_EQ(text("txtTerrain1"), "FLAT.PRO");
    EXPECT_EQ(text("txtElevFile"), "");
    ASSERT_EQ(scripted.messages.size(), 1);
    EXPECT_TRUE(scripted.messages[0].contains("BAD.PRN"));
}

TEST_F(MainWindowTest, ExitAndFrameCloseKeepTheSettings) {
    open();
    choose("txtTerrain1", "FLAT.PRO");
    choose("txtTerrain4", "RIDGE.PRO");
    window->txtFreq->setText("21,2");
    Press(window.get(), "cmdExit"); // No
    EXPECT_EQ(scripted.questions.last(), "Are you sure you want to Exit?");
    EXPECT_EQ(folder.lines("VEXLO.DEF"), FallbackDefaultsLines());

    scripted.answers = {true};
    Press(window.get(), "cmdExit");
    std::vector<std::string> saved = folder.lines("VEXLO.DEF");
    ASSERT_EQ(saved.size(), 20u);
    EXPECT_EQ(saved[1], "21.2 MHz");
    EXPECT_EQ(saved[5], "4,0,0,0");
    EXPECT_EQ(saved[7], "FLAT.PRO");
    EXPECT_EQ(std::vector<std::string>(saved.begin() + 12, saved.begin() + 15),
              (std::vector<std::string>{"", "", ""}));
    EXPECT_EQ(saved[16], "RIDGE.PRO");

    open();
    EXPECT_EQ(text("txtTerrain4"), "RIDGE.PRO");
    EXPECT_EQ(text("txtFreq"), "21.2");
    window->txtFreq->setText("7.1");
    window->close(); // by the frame: no question
    EXPECT_EQ(folder.lines("VEXLO.DEF")[1], "7.1 MHz");
}

TEST_F(MainWindowTest, HeightsDialogWritesTheSlots) {
    open();
    choose("txtTerrain1", "FLAT.PRO");
    choose("txtTerrain3", "RIDGE.PRO");
    click("txtHeight1");
    frmNewHeights& dialog = window->heightsDialog();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.windowTitle(), "Enter Heights/Antenna Type");
    EXPECT_EQ(dialog.txtHt[0][0]->text(), "100");
    EXPECT_EQ(dialog.lblTerrain[2]->text(), "RIDGE.PRO");
    EXPECT_EQ(dialog.cboAnt[0]->currentText(), " 4-Ele.");

    dialog.txtHt[1][0]->setText("90 ft*");
    dialog.txtHt[2][0]->setText("0");
    dialog.txtHt[3][0]->setText("60");
    dialog.cboAnt[0]->setCurrentIndex(0);
    Press(&dialog, "cmdCopy1");
    EXPECT_EQ(dialog.cmdCopy[2]->text(), "to");
    EXPECT_FALSE(dialog.cmdCopy[0]->isEnabled());
    Press(&dialog, "cmdCopy3");
    EXPECT_EQ(dialog.cmdCopy[2]->text(), "Copy");
    EXPECT_EQ(dialog.txtHt[1][2]->text(), "90 ft*");
    Press(&dialog, "cmdOK");
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(text("txtHeight1"), "100/90*");
    EXPECT_EQ(text("txtType1"), "Dipole");
    EXPECT_EQ(text("txtHeight3"), "100/90*");
    EXPECT_EQ(text("txtType3"), "Dipole");

    click("txtType3");
    dialog.txtHt[0][2]->setText("55");
    Press(&dialog, "cmdCancel");
    EXPECT_EQ(text("txtHeight3"), "100/90*");
    click("txtType3"); // opened again: the slot as it is, not the cancelled edit
    EXPECT_EQ(dialog.txtHt[0][2]->text(), "100");
}

TEST_F(MainWindowTest, OptionsSwitchUnitsDiffractionAndTheLog) {
    open();
    choose("txtTerrain1", "FLAT.PRO");
    Press(window.get(), "cmdOptions");
    frmOptions& options = window->optionsWindow();
    EXPECT_EQ(options.windowTitle(), "Options, Brisco");
    EXPECT_EQ(options.cboEarth->count(), 9);
    EXPECT_EQ(options.cboEarth->currentText(), "5, 13 (Average Soil)");
    EXPECT_FALSE(options.txtLogAngle->isVisibleTo(&options));

    QMouseEvent twice(QEvent::MouseButtonDblClick, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(options.lblOptForm, &twice);
    EXPECT_TRUE(window->assessment().options().logFlag);
    EXPECT_TRUE(options.txtLogAngle->isVisibleTo(&options));

    options.optMeters->setChecked(true);
    options.optDiffOff->setChecked(true);
    options.cboEarth->setCurrentIndex(8);
    Press(&options, "cmdOK");
    EXPECT_FALSE(options.isVisible());
    EXPECT_EQ(text("txtHeight1"), "30.5");
    EXPECT_EQ(window->lblFeet[2]->text(), "meters");
    EXPECT_EQ(window->lblDiffraction->text(), "OFF");
    EXPECT_EQ(window->lblGround->text(), "5000, 80 (Salt Water)  ");
    EXPECT_TRUE(window->assessment().options().logFlag); // OK leaves the switch alone
}

TEST_F(MainWindowTest, ClearingTheDefaultsFileEndsTheProgram) {
    open();
    window->show();
    choose("txtTerrain1", "FLAT.PRO");
    Press(window.get(), "cmdOptions");
    scripted.answers = {true};
    Press(&window->optionsWindow(), "cmdClear");
    EXPECT_EQ(scripted.questions.last(),
              "This will delete VEXLO.DEF starting file. Are you sure you want to do this?");
    EXPECT_EQ(scripted.messages.last(), "Writing new DEF. Please start Brisco again.");
    EXPECT_EQ(folder.lines("VEXLO.DEF"), ClearedDefaultsLines());
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(window->optionsWindow().isVisible());
}

TEST_F(MainWindowTest, MoveTowerPutsTheNewProfileIntoSlotTwo) {
    folder.write("SITE.PRO", "0 500\n50 505\n");
    open();
    choose("txtTerrain1", "SITE.PRO");
    Press(window.get(), "cmdOptions");
    frmOptions& options = window->optionsWindow();
    options.optMeters->setChecked(true);
    Press(&options, "CmdMove");
    frmMove& move = window->moveWindow();
    EXPECT_EQ(move.windowTitle(), "Move Tower");
    EXPECT_EQ(move.lblFile1->text(), "SITE.PRO");
    EXPECT_EQ(move.lblFeet->text(), "Meters");

    move.TxtMove->setText("-50");
    ChooseFile(QString::fromStdString(folder.file("SITE-1.PRO")));
    Press(&move, "cmdOK");
    EXPECT_EQ(scripted.messages.last(), "Only positive values will work for distance -- Brisco "
                                        "is forcing distance to be a positive value.");
    EXPECT_EQ(move.TxtMove->text(), "50");
    const common::FileDialogRequest& save = scripted.fileRequests.last();
    EXPECT_EQ(save.title, "Save terrain profile to (suggested) filename");
    EXPECT_EQ(save.filter, "Terrain Files (*.PRO)|*.PRO");
    EXPECT_EQ(save.fileName, QString::fromStdString(folder.file("SITE-1.PRO")));
    EXPECT_EQ(folder.lines("SITE-1.PRO"),
              (std::vector<std::string>{".0  500.0", "164.0  500.0", "214.0  505.0"}));
    EXPECT_EQ(text("txtTerrain2"), "SITE-1.PRO");
    EXPECT_EQ(text("txtHeight2"), text("txtHeight1"));
    EXPECT_FALSE(move.isVisible());

    // Cancelled: asked whether to give up; No shows the dialog again.
    scripted.answers = {false, true};
    Press(&move, "cmdOK");
    EXPECT_EQ(scripted.questions.last(), "Are you sure you want to exit?");
    EXPECT_EQ(scripted.questions.size(), 2);
}

TEST_F(MainWindowTest, PlotShowsTheTickedProfilesAndAntennas) {
    open();
    choose("txtTerrain1", "FLAT.PRO");
    choose("txtTerrain2", "RIDGE.PRO");
    window->chkTerr[1]->setChecked(true);
    window->chkShowHts->setChecked(true);
    Press(window.get(), "cmdPlotTerr");
    frmPlot& plot = window->plotWindow();
    EXPECT_TRUE(plot.isVisible());
    EXPECT_EQ(plot.TChart2->axis(common::Axis::Left).title(), "Height, feet ASL");
    EXPECT_GT(plot.TChart2->points(TerrainSeries(1)).x.size(), 10u);
    ASSERT_EQ(plot.TChart2->points(AntennaSeries(0, 0)).y.size(), 1u);
    EXPECT_DOUBLE_EQ(plot.TChart2->points(AntennaSeries(0, 0)).y[0], 600);
    EXPECT_TRUE(plot.TChart2->points(AntennaSeries(1, 0)).y.empty()); // slot 2 has no heights
    EXPECT_EQ(plot.lblTerr[1]->text(), "RIDGE.PRO");
}

// A desktop that looks at the window at the moment it goes to the printer.
struct PrintWatcher : common::ScriptedDesktop {
    std::function<void()> atPrint;
    common::PrintResult printWidget(QWidget* widget) override {
        atPrint();
        return ScriptedDesktop::printWidget(widget);
    }
};

TEST_F(MainWindowTest, GraphPrintsDottedCurvesAndRemembersItsPlace) {
    open();
    choose("txtTerrain1", "FLAT.PRO");
    choose("txtTerrain2", "RIDGE.PRO");
    window->model().applyHeights({{{"", "100"}, {"", "70"}, {}, {}}});
    Press(window.get(), "cmdCompute");
    frmGraph& graph = window->graphWindow();
    {
        PrintWatcher printer;
        printer.answers = {true};
        Qt::PenStyle slot1 = Qt::NoPen, slot2 = Qt::NoPen;
        QString label;
        printer.atPrint = [&] {
            slot1 = graph.TChart1->penStyle(GainSeries(0));
            slot2 = graph.TChart1->penStyle(GainSeries(1));
            label = graph.lblHt[1]->text();
        };
        Press(&graph, "cmdPrint");
        EXPECT_EQ(printer.questions, QStringList{"Are you sure you want to print? "});
        ASSERT_EQ(printer.printedCount, 1);
        EXPECT_EQ(slot1, Qt::SolidLine);
        EXPECT_EQ(slot2, Qt::DotLine);
        EXPECT_EQ(label, "70 ft dots");
        EXPECT_EQ(graph.TChart1->penStyle(GainSeries(1)), Qt::SolidLine);
        EXPECT_EQ(graph.lblHt[1]->text(), "70 ft");
    }
    common::setDesktop(&scripted);

    scripted.openResults = {common::OpenResult::NoViewer};
    ChooseFile("/usr/bin/viewer");
    Press(&graph, "cmdOut");
    EXPECT_TRUE(scripted.openedDocuments.last().endsWith("OUT.PRN"));
    EXPECT_EQ(scripted.startedPrograms.last(),
              "/usr/bin/viewer " + QString::fromStdString(folder.file("OUT.PRN")));

    graph.move(-200, 40);
    Press(&graph, "cmdClose");
    EXPECT_FALSE(graph.isVisible());
    scripted.answers = {true};
    Press(window.get(), "cmdExit");
    EXPECT_EQ(folder.lines("VEXLO.DEF")[3], "24;36:6672,8472");
}

TEST_F(MainWindowTest, HelpOpensTheDocumentOrAsksForAProgram) {
    open();
    scripted.openResults = {common::OpenResult::NotFound};
    Press(window.get(), "cmdHelp");
    EXPECT_EQ(scripted.messages.last(), "BRISCO.PDF or Adobe Reader not available.");
    EXPECT_EQ(scripted.openedDocuments.last(), QString::fromStdString(folder.file("BRISCO.PDF")));
}

TEST_F(MainWindowTest, DamagedDefaultsFilesNeverStopTheWindow) {
    std::string noise(3000, '\0');
    for (size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<char>(i * 97 % 256);
    for (const std::string& content : {std::string("meters\n"), noise, std::string("\n\n\n")}) {
        folder.write("VEXLO.DEF", content);
        open();
        choose("txtTerrain1", "FLAT.PRO");
        Press(window.get(), "cmdCompute");
        EXPECT_TRUE(window->graphWindow().isVisible());
    }
}

TEST_F(MainWindowTest, AnUnreadableDefaultsFileIsSaidAndKeptUnlessTheUserAgrees) {
    folder.write("VEXLO.DEF", "meters\n21.2 MHz\n");
    std::filesystem::resize_file(folder.file("VEXLO.DEF"), common::LargestTextFile + 1);
    open();
    ASSERT_EQ(scripted.messages.size(), 1);
    EXPECT_EQ(scripted.messages[0].toStdString(),
              folder.file("VEXLO.DEF") + " cannot be read: it is larger than 10 MB. Brisco runs "
                                         "on its defaults and leaves the file as it is.");
    EXPECT_EQ(text("txtHeight1"), "100") << "the start-up file's slot";
    window->close();
    EXPECT_EQ(scripted.questions.value(0),
              "VEXLO.DEF could not be read when Brisco started. Replace it with the present "
              "settings?");
    EXPECT_EQ(std::filesystem::file_size(folder.file("VEXLO.DEF")), common::LargestTextFile + 1);

    scripted.answers = {true};
    open();
    window->close();
    EXPECT_EQ(folder.lines("VEXLO.DEF").size(), 20u);
}

TEST_F(MainWindowTest, ASecondCopyInTheFolderKeepsOffTheFirstsFiles) {
    open();
    choose("txtTerrain1", "FLAT.PRO");
    Press(window.get(), "cmdCompute");
    const std::vector<std::string> firstResults = results();
    ASSERT_FALSE(firstResults.empty());

    auto second = std::make_unique<frmBrisco>(folder.path(), madeUpEngine());
    ASSERT_EQ(scripted.questions.size(), 1);
    EXPECT_TRUE(scripted.questions[0].startsWith(
        QString::fromStdString("Brisco is already running in " + folder.path())));
    EXPECT_EQ(results(), firstResults) << "the second start empties nothing";
    ChooseFile(QString::fromStdString(folder.file("RIDGE.PRO")));
    Control<ClickableBox>(second.get(), "txtTerrain1")->click();
    Press(second.get(), "cmdCompute");
    EXPECT_EQ(results(), firstResults);
    const std::vector<std::string> defaults = folder.lines("VEXLO.DEF");
    second->close();
    EXPECT_EQ(folder.lines("VEXLO.DEF"), defaults);
}
