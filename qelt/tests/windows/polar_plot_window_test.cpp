// The polar-plot windows: what they draw, their side frame, Close and Print, and the
// placements kept in QELT.DEF.
#include "qelt/windows/main_window.h"
#include "qelt/windows/polar_plot_window.h"

#include "common/qt/testing/gui_test.h"
#include "common/qt/window_placement.h"

#include <QLabel>
#include <QPushButton>

using namespace qelt;
using common::testing::Control;
using common::testing::Press;
using common::testing::Scripted;

namespace {

Pattern Cardioid(bool overGround) {
    Pattern p;
    p.overGround = overGround;
    for (int i = 0; i < PatternPoints; ++i) {
        p.field.azimuth[i] = static_cast<float>(i) / 6;
        p.field.elevation[i] = static_cast<float>(std::abs(i - 14)) / 3;
    }
    p.field.frequency = 14.175f;
    p.field.gain = overGround ? 12.4f : 6.4f;
    p.field.takeoffIndex = 15;
    p.elementBeamwidth = 60;
    p.normalBeamwidth = 30;
    return p;
}

ViewChoices Both() { return ViewChoices{}; }

} // namespace

TEST(PolarPlotWindow, DrawsTheChosenCutsWithTheirTexts) {
    PolarPlotWindow w(PolarScale::Linear);
    const Pattern free = Cardioid(false);
    w.plot(free, MakePatternTexts(free, Ratio::FrontToRear, "Free Space"), Both());
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.TChart1->points(0).x.size(), 360u) << "E-plane all round";
    EXPECT_TRUE(w.TChart1->isSeriesVisible(0));
    EXPECT_TRUE(w.TChart1->isSeriesVisible(1));
    EXPECT_FALSE(w.TChart1->isSeriesVisible(2));
    EXPECT_EQ(w.TChart1->axis(common::PolarAxis::Radial).tickLabels().back(), "0")
        << "the rings read in dB below the peak";
    EXPECT_FALSE(w.lblPeakAngle->isVisibleTo(&w));

    ViewChoices azimuthOnly;
    azimuthOnly.elevation = false;
    const Pattern ground = Cardioid(true);
    w.plot(ground, MakePatternTexts(ground, Ratio::FrontToRear, "33.0 feet"), azimuthOnly);
    EXPECT_FALSE(w.TChart1->isSeriesVisible(0));
    EXPECT_TRUE(w.TChart1->isSeriesVisible(2)) << "the azimuth cut";
    EXPECT_FALSE(w.TChart1->isSeriesVisible(3)) << "the elevation cut was not asked for";
    EXPECT_EQ(w.lblHeight->text(), "Height: 33.0 feet");
    EXPECT_EQ(w.lblPeakAngle->text(), "Peak elev. angle: 15 deg.");
    EXPECT_TRUE(w.lblPeakAngle->isVisibleTo(&w));
}

TEST(PolarPlotWindow, ResizeKeepsTheProportions) {
    PolarPlotWindow w(PolarScale::Linear);
    w.resize(800, 600);
    w.show();
    EXPECT_EQ(w.TChart1->width(), static_cast<int>(0.74189 * 800));
    EXPECT_EQ(w.TChart1->height(), static_cast<int>(0.81659 * 600));
    EXPECT_EQ(w.frmFrame1->x(), 800 - common::ToPixels(1932));
}

TEST(PolarPlotWindow, CloseHidesAndPrintHidesTheButtonsOnAWhitePage) {
    PolarPlotWindow w(PolarScale::Morwen);
    EXPECT_EQ(w.TChart1->text(0), "-3") << "the grid's scale";
    const Pattern free = Cardioid(false);
    w.plot(free, MakePatternTexts(free, Ratio::FrontToRear, "Free Space"), Both());
    Scripted().answers = {true};
    Press(&w, "cmdPrint");
    EXPECT_EQ(Scripted().questions.back(), "Are you sure you want to print? ");
    ASSERT_EQ(Scripted().printedPages.size(), 1);
    const QImage page = Scripted().printedPages[0];
    const QPoint button = w.cmdPrint->geometry().center() + w.frmFrame1->pos();
    EXPECT_EQ(page.pixelColor(button), QColor(Qt::white)) << "no button on paper";
    EXPECT_TRUE(w.cmdPrint->isVisible()) << "back on the screen";
    Scripted().answers = {true};
    Scripted().printResults = {common::PrintResult::Failed};
    Press(&w, "cmdPrint");
    EXPECT_EQ(Scripted().messages.back(), "Printer problem. ");
    Press(&w, "cmdClose");
    EXPECT_FALSE(w.isVisible());
}

TEST(PolarPlotWindow, PlacementsAndTheScreenWidthRule) {
    PolarPlotWindow w(PolarScale::Linear);
    Scripted().screen = {1920, 1080};
    w.place({1500, 3000, 7500, 9000});
    const common::Placement fallback{3768, 2088, 6456, 8484};
    common::Placement kept = w.placement(fallback);
    EXPECT_EQ(kept.left, 1500);
    EXPECT_EQ(*kept.width, 9000);
    EXPECT_EQ(*kept.height, 7500);

    w.resize(1900, 700); // wider than 95 % of the screen
    kept = w.placement(fallback);
    EXPECT_EQ(kept.left, 3768);
    EXPECT_EQ(*kept.width, 8484);

    Scripted().screen = {800, 600};
    w.place({0, 0, 30000, 30000});
    EXPECT_LE(w.width(), 800) << "a stored size larger than the screen is brought within it";
    EXPECT_LE(w.height(), 600);
}
