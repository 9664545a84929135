#include "brisco/windows/azimuth_rating_window.h"
#include "brisco/windows/band_summary_window.h"
#include "brisco/windows/clickable_box.h"
#include "brisco/windows/main_window.h"
#include "brisco/windows/terrain_cut_dialog.h"

#include "common/qt/polar_chart.h"
#include "common/qt/testing/gui_test.h"
#include "elevation_tiles.h"

#include <QLabel>
#include <QTableWidget>

#include <filesystem>

using namespace brisco;
using brisco::fixtures::TestFolder;
using common::testing::Press;
using common::testing::Scripted;
using common::testing::Type;

namespace {

// Made-up gains: the first antenna's height over ten, less a dB for each 10 ft the
// profile's end rises over the tower's ground.
EngineSource madeUpEngine() {
    return []() -> common::Result<TerrainEngine> {
        return TerrainEngine([](const EngineCall& c, SlotGains& gains) {
            const int n = c.profile.pointCount();
            const float rise = c.profile.Elevation[n] - c.profile.Elevation[1];
            for (int k = 1; k <= GainCount; ++k)
                gains[k] = c.stack.AntennaHeight[0] / 10 - rise / 10;
        });
    };
}

class ElevationWindowsTest : public ::testing::Test {
protected:
    ElevationWindowsTest() {
        std::filesystem::copy_file(std::string(TEST_DATA_DIR "/samples/HOPS.PRN"),
                                   folder.file("HOPS.PRN"));
        std::filesystem::create_directory(folder.file("dem"));
        // Rising 1 m every post (about 62 m) to the east, level north and south.
        fixtures::WriteHgt(tiles, "N51W001.hgt", 51, -1, 1201,
                           [](double, double lo) { return 50 + (lo + 1) * 1200; });
        window = std::make_unique<frmBrisco>(folder.path(), madeUpEngine());
        window->model().chooseStatistics(folder.file("HOPS.PRN"));
        window->showModel();
        Press(window.get(), "cmdTerrainCut");
        cut = &window->terrainCutDialog();
    }
    void fill(const QString& azimuths) {
        Type(cut, "txtDem", QString::fromStdString(tiles.path()));
        Type(cut, "txtQth", "IO91sm");
        Type(cut, "txtAzimuth", azimuths);
        Type(cut, "txtLength", "2000");
        Type(cut, "txtProfilesOut", QString::fromStdString(folder.file("cut")));
    }

    TestFolder folder, tiles;
    common::ScriptedDesktop& scripted = Scripted();
    std::unique_ptr<frmBrisco> window;
    frmTerrainCut* cut = nullptr;
};

} // namespace

TEST_F(ElevationWindowsTest, TheDialogReadsBackWhatIsTyped) {
    EXPECT_TRUE(cut->isVisible());
    fill("0:270:90");
    EXPECT_EQ(cut->lblPlace->text(), "51.5208 N, 0.4583 W");
    EXPECT_EQ(cut->lblAzimuths->text(), "4 azimuths");
    EXPECT_EQ(cut->lblPoints->text(), "150 points, one every 13.4 ft, out to 2000 ft");
    Type(cut, "txtSpacing", "1000");
    EXPECT_EQ(cut->lblPoints->text(), "3 points, one every 1000.0 ft, out to 2000 ft");
    Type(cut, "txtQth", "IO91sz");
    EXPECT_NE(cut->lblPlace->text().indexOf("character 6"), -1);
    Type(cut, "txtAzimuth", "east");
    EXPECT_NE(cut->lblAzimuths->text().indexOf("START:STOP:STEP"), -1);
}

TEST_F(ElevationWindowsTest, ProfilesGoIntoTheSlotsWithSlotOnesAntennas) {
    fill("0:300:60"); // six azimuths: four slots
    Press(cut, "cmdSlots");
    ASSERT_EQ(scripted.messages.size(), 1);
    EXPECT_EQ(scripted.messages[0].toStdString(), "6 profiles are written in " +
                                                      folder.file("cut") +
                                                      ". The first four are in the slots.");
    const Assessment& a = window->assessment();
    EXPECT_EQ(a.terrain(0), "AZ000.PRO");
    EXPECT_EQ(a.terrain(3), "AZ180.PRO");
    EXPECT_EQ(a.heights(3), "100");
    EXPECT_EQ(window->txtTerrain[1]->text(), "AZ060.PRO");
    EXPECT_TRUE(std::filesystem::exists(folder.file("cut/AZ300.PRO")));
    // Refused without the data.
    Type(cut, "txtDem", "");
    Press(cut, "cmdSlots");
    EXPECT_EQ(scripted.messages.back(), "Choose the elevation data: a file or a folder of tiles.");
}

TEST_F(ElevationWindowsTest, EveryAzimuthRatedDrawnTabledAndSaved) {
    window->model().applyHeights({{{"", "100"}, {"Dipole", "50"}, {}, {}}});
    fill("0:270:90");
    Press(cut, "cmdRate");
    EXPECT_TRUE(scripted.messages.isEmpty()) << scripted.messages.join("\n").toStdString();
    frmAzimuths& az = window->azimuthWindow();
    ASSERT_TRUE(az.isVisible());
    // The flat row and four azimuths. 2000 ft east at 51.52 N is 0.00878 degrees of
    // longitude, 10.5 m (34.6 ft) up the slope: slot 1 10 - 3.5 dBi, slot 2 west 5 + 3.5.
    ASSERT_EQ(az.grdAzimuths->rowCount(), 5);
    EXPECT_EQ(az.grdAzimuths->columnCount(), 7);
    EXPECT_EQ(az.grdAzimuths->item(0, 0)->text(), "Flat");
    EXPECT_EQ(az.grdAzimuths->item(2, 0)->text(), "90");
    EXPECT_EQ(az.grdAzimuths->item(2, 2)->text(), "6.5");
    EXPECT_EQ(az.grdAzimuths->item(4, 5)->text(), "8.5");
    // One closed curve a stack, the flat figure as its circle.
    EXPECT_EQ(az.TChart1->points(0).x.size(), 5u);
    EXPECT_TRUE(az.TChart1->isSeriesVisible(2));
    EXPECT_FALSE(az.TChart1->isSeriesVisible(4));
    EXPECT_DOUBLE_EQ(az.TChart1->points(1).y.front(), az.TChart1->points(1).y.back());

    scripted.fileChoices.push_back(
        {common::FileChoice::Status::Chosen, QString::fromStdString(folder.file("AZ.csv"))});
    Press(&az, "cmdSave");
    const std::vector<std::string> csv = folder.lines("AZ.csv");
    ASSERT_EQ(csv.size(), 5u);
    EXPECT_EQ(csv[0], "Azimuth,FigureOfMerit,MaxGainDBi,PeakAngle,FigureOfMerit 2,MaxGainDBi 2,"
                      "PeakAngle 2");
    Press(&az, "cmdPrint");
    EXPECT_EQ(scripted.questions.back(), "Are you sure you want to print? ");

    // A tile that is missing is named.
    Type(cut, "txtQth", "IO92sm");
    Press(cut, "cmdRate");
    ASSERT_FALSE(scripted.messages.isEmpty());
    EXPECT_NE(scripted.messages.back().indexOf("N52W001.hgt is missing"), -1);
}

TEST_F(ElevationWindowsTest, EveryBandAtOnce) {
    window->model().chooseTerrain(0, folder.write("A.PRO", "0 0\n1000 0\n"));
    window->model().chooseTerrain(2, folder.write("B.PRO", "0 0\n1000 20\n"));
    window->model().applyHeights({{{"", "100"}, {}, {"", "100"}, {}}});
    Press(window.get(), "cmdBands");
    frmBands& bands = window->bandsWindow();
    ASSERT_TRUE(bands.isVisible());
    ASSERT_EQ(bands.grdBands->rowCount(), 2);
    EXPECT_EQ(bands.grdBands->columnCount(), 9);
    EXPECT_TRUE(bands.grdBands->item(1, 4)->text().endsWith("(-2.0)"))
        << bands.grdBands->item(1, 4)->text().toStdString();
    EXPECT_EQ(window->txtFreq->text(), "14.2"); // the frequency box as it was
}
