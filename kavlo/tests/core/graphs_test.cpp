#include "kavlo/core/graphs.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace kavlo;

namespace {

Calculator Rg213At14MHz() {
    Calculator c;
    c.setCable(17);
    c.setFrequency("14");
    c.leaveFrequency();
    return c;
}

} // namespace

TEST(AlongLineGraph, MatchedLoadFallsByTheLineLoss) {
    Calculator c = Rg213At14MHz();
    c.setResistance(BoxNumber(c.line().r0));
    c.setReactance(BoxNumber(c.line().x0));
    const AlongLineGraph g = BuildAlongLineGraph(c, 1500, GraphKind::VoltageCurrent);
    const double matchedLoss = c.line().atten; // dB in 100 ft
    EXPECT_NEAR(g.v[200] / g.v[0], std::pow(10, -matchedLoss / 20), 1e-5);
    EXPECT_NEAR(g.i[200] / g.i[0], std::pow(10, -matchedLoss / 20), 1e-5);
    // 1500 W into 50 ohm.
    EXPECT_NEAR(g.v[0], std::sqrt(1500 * 50.0), 0.5);
    for (int k = 1; k < GraphPoints; ++k) {
        EXPECT_LT(g.v[k], g.v[k - 1]);
        EXPECT_NEAR(g.rs[k], c.line().r0, 1e-3);
        EXPECT_NEAR(g.xs[k], c.line().x0, 1e-3);
    }
    EXPECT_EQ(g.vMaxAt, 0);
    EXPECT_EQ(g.position[200], 100);
    EXPECT_DOUBLE_EQ(g.position[100], 50);
}

TEST(AlongLineGraph, ShortedQuarterWaveHasItsCurrentMaximumAtTheLoad) {
    Calculator c = Rg213At14MHz();
    c.setLength("0.25w");
    c.setResistance("0");
    const AlongLineGraph g = BuildAlongLineGraph(c, 100, GraphKind::VoltageCurrent);
    EXPECT_EQ(g.iMaxAt, g.position[200]);
    EXPECT_EQ(g.vMaxAt, 0);
    EXPECT_GT(g.i[200], 50 * g.i[0]);
    EXPECT_GT(g.v[0], 50 * g.v[200]);
    // Looking into a shorted quarter wave: a high resistance at the input, a short at the end.
    const AlongLineGraph z = BuildAlongLineGraph(c, 100, GraphKind::ResistanceReactance);
    EXPECT_GT(z.rs[0], 1000);
    EXPECT_LT(std::hypot(z.rs[200], z.xs[200]), 0.01);
}

TEST(AlongLineGraph, ImpedanceAtTheInputIsTheCalculatorsOne) {
    Calculator c = Rg213At14MHz();
    c.setResistance("120");
    c.setReactance("-75");
    const AlongLineGraph g = BuildAlongLineGraph(c, 1500, GraphKind::ResistanceReactance);
    // The window computes with the loss per 100 ft as shown (0.78), the graph with the
    // line's own figure.
    EXPECT_NEAR(g.rs[0], c.solution().rFar, 1e-3);
    EXPECT_NEAR(g.xs[0], c.solution().xFar, 1e-3);
    EXPECT_NEAR(g.rs[200], 120, 1e-6);
    EXPECT_NEAR(g.xs[200], -75, 1e-6);

    // Entered at the input, the load is the one the window shows.
    c.setEnd(KnownEnd::Input);
    const AlongLineGraph fromInput = BuildAlongLineGraph(c, 1500, GraphKind::ResistanceReactance);
    EXPECT_NEAR(fromInput.rs[0], 120, 0.05);
    EXPECT_NEAR(fromInput.xs[0], -75, 0.05);
    EXPECT_EQ(fromInput.texts.txtLoad.rfind("Load: " + c.displays().txtImpedIn + "   SWR = ", 0),
              0u);
}

TEST(AlongLineGraph, TextsAxesAndMetres) {
    Calculator c = Rg213At14MHz();
    AlongLineGraph g = BuildAlongLineGraph(c, 1500, GraphKind::VoltageCurrent);
    EXPECT_EQ(g.texts.txtPower, "At 1500 W");
    EXPECT_EQ(g.texts.txtCable, " RG-213 (Belden 8267)");
    EXPECT_EQ(g.texts.txtFreq, "14.0 MHz");
    EXPECT_EQ(g.texts.txtTotalLoss, "Total Loss: 0.780 dB");
    EXPECT_EQ(g.texts.txtLoad, "Load: 50 + j 0   SWR = 1.01");
    EXPECT_EQ(g.texts.txtMaxVoltAt, "at 0.0 Feet");
    EXPECT_EQ(g.caption, "Kavlo, Voltage/Current Graph Along Line");
    EXPECT_EQ(g.bottomTitle, "Length, in Feet, from Transmitter");
    EXPECT_EQ(g.leftTitle, "Current, Amps");
    EXPECT_EQ(g.rightTitle, "Voltage, Volts");
    EXPECT_EQ(g.rightCurve().values, &g.v);
    EXPECT_EQ(g.lengthShown, 100);

    c.setUnit('M');
    c.setReactance("-12.5");
    g = BuildAlongLineGraph(c, 0, GraphKind::ResistanceReactance);
    EXPECT_EQ(g.caption, "Kavlo, Series Resistance & Reactance Along Line");
    EXPECT_EQ(g.bottomTitle, "Length, in Meters, from Transmitter");
    EXPECT_EQ(g.leftTitle, "Reactance, Ohms");
    EXPECT_EQ(g.rightTitle, "Resistance, Ohms");
    EXPECT_EQ(g.rightCurve().values, &g.rs);
    EXPECT_DOUBLE_EQ(g.lengthShown, 30.48);
    EXPECT_DOUBLE_EQ(g.shownPosition[200], 30.48);
    EXPECT_EQ(g.texts.txtLoad.substr(0, 20), "Load: 50 - j 12.5   ");
    EXPECT_EQ(g.texts.txtPower, "At 0 W");
    // No power: no voltage or current, but the impedance is still there.
    EXPECT_EQ(g.vMax, 0);
    EXPECT_EQ(g.texts.txtMaxVolt, ".0 V");
    EXPECT_NEAR(g.rs[200], 50, 1e-6);
}
