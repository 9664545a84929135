// Compare on the main window: another file or the design before the last change beside
// the design, on the chart, in the compared lines and on the polar plots, and put away.
#include "main_window_fixture.h"

#include "qelt/windows/element_dialogs.h"
#include "qelt/windows/main_chart.h"
#include "qelt/windows/polar_plot_window.h"
#include "qelt/windows/sweep_dialogs.h"

#include <QAction>
#include <QGroupBox>
#include <QPushButton>
#include <QTableWidget>

using common::testing::Type;

TEST_F(MainWindowTest, AnotherFileIsDrawnBesideTheDesign) {
    startWith(Sample("4EL20M.YAG"));
    chooseView("optPolar", "14.175");
    EXPECT_FALSE(control<QGroupBox>("fraCompared")->isVisible());
    ChooseFile(Sample("2EL20M.QELT"));
    window->findChild<QAction*>("mnuCompareFile")->trigger();
    EXPECT_TRUE(scripted.messages.isEmpty()) << scripted.messages.join("\n").toStdString();
    EXPECT_FALSE(control<QGroupBox>("fraCompared")->isHidden());
    EXPECT_EQ(label("lblCompare"), "2EL20M.QELT");
    EXPECT_EQ(label("lblC1"), label("lblF1")) << "swept over the same band";
    EXPECT_TRUE(label("lblC2").startsWith("Gain:"));
    EXPECT_NE(label("lblC2"), label("lblF2"));
    EXPECT_EQ(label("lblCompareLegend"), "Dashed: 2EL20M.QELT");
    MainChart* chart = window->TChart1;
    ASSERT_EQ(chart->seriesCount(), 12) << "three compared curves after the design's nine";
    const int gain = 9;
    EXPECT_TRUE(chart->isSeriesVisible(gain));
    EXPECT_EQ(chart->points(gain).x.size(), 11u);
    EXPECT_EQ(chart->penStyle(gain), Qt::DashLine);
    EXPECT_TRUE(Control<QLabel>(window->frmPolar.get(), "lblCompared")
                    ->text()
                    .startsWith("2EL20M.QELT, peak "));

    // It follows the design through a change, and is put away.
    press("cmdHeight");
    Type(window->HeightDialog, "txtHeight", "50");
    Press(window->HeightDialog, "cmdOK");
    EXPECT_EQ(label("lblC1"), label("lblF1"));
    window->findChild<QAction*>("mnuCompareNone")->trigger();
    EXPECT_TRUE(control<QGroupBox>("fraCompared")->isHidden());
    EXPECT_FALSE(chart->isSeriesVisible(gain));
    EXPECT_FALSE(Control<QLabel>(window->frmPolar.get(), "lblCompared")->isVisible());
}

TEST_F(MainWindowTest, TheDesignBeforeTheLastChange) {
    startWith(Sample("2EL20M.QELT"));
    const QString opened = label("lblF4");
    window->findChild<QAction*>("mnuCompareBefore")->trigger();
    ASSERT_EQ(scripted.messages.size(), 1);
    EXPECT_EQ(scripted.messages[0], "Nothing has changed since the file was opened: there is no "
                                    "design before a change to compare with.");
    EXPECT_TRUE(control<QGroupBox>("fraCompared")->isHidden());

    press("cmdElements");
    emit window->ElementsDialog->MSFlexGrid1->cellClicked(2, 3);
    Type(window->ElementsDialog->ChangeCell, "txtNewDim", "97");
    Press(window->ElementsDialog->ChangeCell, "cmdOK");
    Press(window->ElementsDialog, "cmdOK");
    window->findChild<QAction*>("mnuCompareBefore")->trigger();
    EXPECT_EQ(label("lblCompare"), "Before Elements");
    EXPECT_EQ(label("lblC4"), opened);
}
