#include "window_test_fixture.h"

#include "kavlo/windows/along_line_graph_window.h"
#include "kavlo/windows/tuner_window.h"

#include "common/qt/chart.h"

#include <QFile>
#include <QRadioButton>

using namespace kavlo;

namespace {

class GraphWindowTest : public kavlo::testing::KavloWindowTest {
protected:
    frmVolt* graph() {
        press("cmdGraph");
        return window->graphWindow;
    }
};

TEST_F(GraphWindowTest, VoltageAndCurrentForTheTunerPagesPower) {
    open();
    control<QComboBox>("cboPickCable")->setCurrentIndex(17);
    type("txtFreq", "14");
    type("txtTxPwr", "100", window->tunerSetup);
    frmVolt* g = graph();
    EXPECT_TRUE(g->isVisible());
    EXPECT_EQ(g->windowTitle(), "Kavlo, Voltage/Current Graph Along Line");
    EXPECT_EQ(text("txtPower", g), "At 100 W");
    EXPECT_EQ(text("txtCable", g), " RG-213 (Belden 8267)");
    EXPECT_EQ(text("txtTotalLoss", g), "Total Loss: 0.780 dB");
    common::Chart* chart = g->TChart1;
    EXPECT_EQ(chart->axis(common::Axis::Bottom).title(), "Length, in Feet, from Transmitter");
    EXPECT_EQ(chart->axis(common::Axis::Left).title(), "Current, Amps");
    EXPECT_EQ(chart->axis(common::Axis::Right).title(), "Voltage, Volts");
    EXPECT_EQ(chart->axis(common::Axis::Left).mask(), "#,##0.0");
    EXPECT_EQ(chart->color(0), QColor(255, 0, 0));
    EXPECT_EQ(chart->color(1), QColor(0, 255, 0));
    EXPECT_EQ(chart->axis(common::Axis::Bottom).maximum(), 100);
    // The chart holds exactly the model's 201 points.
    EXPECT_EQ(chart->csvText(), AlongLineCsv(g->graph()));
    EXPECT_EQ(chart->points(0).x.size(), 201u);
}

TEST_F(GraphWindowTest, OpenGraphFollowsTheLineAndThePower) {
    open();
    frmVolt* g = graph();
    type("txtFreq", "7");
    EXPECT_EQ(text("txtFreq", g), "7 MHz");
    type("txtTxPwr", "5000", window->tunerSetup);
    EXPECT_EQ(text("txtPower", g), "At 5000 W");
    EXPECT_EQ(g->TChart1->csvText(), AlongLineCsv(g->graph()));
}

TEST_F(GraphWindowTest, ResistanceAndReactanceInMetres) {
    open();
    control<QRadioButton>("optMeters")->setChecked(true);
    control<QRadioButton>("optResisReac")->setChecked(true);
    frmVolt* g = graph();
    EXPECT_EQ(g->windowTitle(), "Kavlo, Series Resistance & Reactance Along Line");
    common::Chart* chart = g->TChart1;
    EXPECT_EQ(chart->axis(common::Axis::Bottom).title(), "Length, in Meters, from Transmitter");
    EXPECT_DOUBLE_EQ(chart->axis(common::Axis::Bottom).maximum(), 30.48);
    EXPECT_EQ(chart->axis(common::Axis::Left).title(), "Reactance, Ohms");
    EXPECT_EQ(chart->axis(common::Axis::Right).title(), "Resistance, Ohms");
    EXPECT_FALSE(chart->isSeriesVisible(0)); // the voltage
    EXPECT_EQ(chart->csvText().substr(0, 58),
              "\"Length, in Meters, from Transmitter\",Resistance (ohm),Rea");
}

TEST_F(GraphWindowTest, LaidOutInProportionToItsSize) {
    open();
    frmVolt* g = graph();
    g->resize(900, 700);
    EXPECT_EQ(g->TChart1->geometry(),
              QRect(8, 40, static_cast<int>(0.75248 * 900), static_cast<int>(0.74397 * 700)));
    EXPECT_EQ(g->Frame1->x(), 900 - 126);
    EXPECT_EQ(g->Frame2->y(), 700 - 64);
}

TEST_F(GraphWindowTest, PrintSaveAndPlace) {
    open();
    frmVolt* g = graph();
    scripted.answers = {true};
    press("cmdPrint", g);
    EXPECT_EQ(scripted.questions.back(), "Are you sure you want to print? ");
    EXPECT_EQ(scripted.printedCount, 1);
    EXPECT_EQ(g->TChart1->penStyle(0), Qt::SolidLine) << "dotted only on paper";

    const QString csv = folder.filePath("line.csv");
    common::testing::ChooseFile(csv);
    press("cmdSaveData", g);
    QFile saved(csv);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll().toStdString(), AlongLineCsv(g->graph()));

    g->move(200, 100);
    g->resize(700, 500);
    press("cmdBack", g);
    EXPECT_FALSE(g->isVisible());
    window->close();
    EXPECT_EQ(savedDefaults()[8], " 3000; 1500:7500,10500");
}

TEST_F(GraphWindowTest, OffTheScreenComesBackToTheDefaultPlace) {
    open();
    frmVolt* g = graph();
    scripted.screen = QSize(100, 100); // the window's left edge beyond the screen's width
    g->move(300, 50);
    window->close();
    EXPECT_EQ(savedDefaults()[8], "6825;-15:6468,8484");
}

} // namespace
