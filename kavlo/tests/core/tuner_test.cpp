#include "kavlo/core/tuner.h"

#include "common/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <map>
#include <vector>

using namespace kavlo;
using Complex = std::complex<double>;

namespace {

// An independent check of a designed network: its parts are put into a netlist and the
// node voltages found by nodal analysis, with a 1 A source into the input node.
struct Branch {
    int from, to; // node numbers, 0 is ground
    Complex z;
};

struct Netlist {
    std::vector<Branch> branches;
    int nodes = 1; // the input is node 1
    std::vector<int> partBranch;
    int loadBranch = -1;
};

// How each network is built, source side first; kept here rather than taken from the
// design so that a part put in the wrong place is caught.
const std::map<NetworkShape, std::vector<Connection>> Topology = {
    {NetworkShape::HighPassShuntAtLoad, {Connection::Series, Connection::Shunt}},
    {NetworkShape::HighPassShuntAtInput, {Connection::Shunt, Connection::Series}},
    {NetworkShape::LowPassShuntAtLoad, {Connection::Series, Connection::Shunt}},
    {NetworkShape::LowPassShuntAtInput, {Connection::Shunt, Connection::Series}},
    {NetworkShape::Pi, {Connection::Shunt, Connection::Series, Connection::Shunt}},
    {NetworkShape::Tee, {Connection::Series, Connection::Shunt, Connection::Series}},
};
bool StrayCounted(NetworkShape s) {
    return s == NetworkShape::HighPassShuntAtInput || s == NetworkShape::LowPassShuntAtInput ||
           s == NetworkShape::Tee;
}

Netlist Build(const TunerDesign& d, Complex load, double freq) {
    Netlist n;
    const auto& topology = Topology.at(d.shape);
    EXPECT_EQ(d.parts.size(), topology.size());
    int node = 1;
    for (size_t k = 0; k < d.parts.size(); ++k) {
        const TunerPart& p = d.parts[k];
        const Complex z(std::fabs(p.reactance) / p.q, p.reactance);
        n.partBranch.push_back(static_cast<int>(n.branches.size()));
        if (topology[k] == Connection::Series) {
            n.branches.push_back({node, node + 1, z});
            ++node;
        } else {
            n.branches.push_back({node, 0, z});
        }
    }
    n.nodes = node;
    n.loadBranch = static_cast<int>(n.branches.size());
    n.branches.push_back({node, 0, load});
    if (StrayCounted(d.shape))
        n.branches.push_back({node, 0, Complex(0, -1 / (2 * M_PI * d.strayFarads * freq * 1e6))});
    return n;
}

// Node voltages for a current `source` into node 1.
std::vector<Complex> Solve(const Netlist& n, Complex source) {
    const int size = n.nodes;
    std::vector<std::vector<Complex>> y(size, std::vector<Complex>(size + 1));
    for (const Branch& b : n.branches) {
        const Complex g = 1.0 / b.z;
        for (int a : {b.from, b.to})
            if (a > 0) y[a - 1][a - 1] += g;
        if (b.from > 0 && b.to > 0) {
            y[b.from - 1][b.to - 1] -= g;
            y[b.to - 1][b.from - 1] -= g;
        }
    }
    y[0][size] = source;
    for (int c = 0; c < size; ++c) { // Gaussian elimination, partial pivoting
        int pivot = c;
        for (int r = c + 1; r < size; ++r)
            if (std::abs(y[r][c]) > std::abs(y[pivot][c])) pivot = r;
        std::swap(y[c], y[pivot]);
        for (int r = 0; r < size; ++r)
            if (r != c) {
                const Complex f = y[r][c] / y[c][c];
                for (int k = c; k <= size; ++k) y[r][k] -= f * y[c][k];
            }
    }
    std::vector<Complex> v(size + 1); // v[0] is ground
    for (int r = 0; r < size; ++r) v[r + 1] = y[r][size] / y[r][r];
    return v;
}

struct Independent {
    Complex zin;
    std::vector<Complex> partCurrent, partVoltage;
    double powerIn = 0, powerToLoad = 0, powerLost = 0;
};

// The circuit driven with `vin` across its input.
Independent Check(const TunerDesign& d, Complex load, double freq, Complex vin) {
    const Netlist n = Build(d, load, freq);
    const std::vector<Complex> unit = Solve(n, 1.0);
    Independent r;
    r.zin = unit[1];
    const Complex iin = vin / r.zin;
    std::vector<Complex> v = Solve(n, iin);
    auto across = [&](const Branch& b) { return v[b.from] - v[b.to]; };
    r.powerIn = (vin * std::conj(iin)).real();
    for (int k : n.partBranch) {
        const Branch& b = n.branches[k];
        const Complex i = across(b) / b.z;
        r.partCurrent.push_back(i);
        r.partVoltage.push_back(across(b));
        r.powerLost += std::norm(i) * b.z.real();
    }
    const Branch& l = n.branches[n.loadBranch];
    r.powerToLoad = std::norm(across(l) / l.z) * l.z.real();
    return r;
}

struct GridCase {
    TunerChoice choice;
    double r, x, freq;
};

std::vector<GridCase> Grid() {
    std::vector<GridCase> cases;
    for (TunerChoice c :
         {TunerChoice::LowPassL, TunerChoice::HighPassL, TunerChoice::Pi, TunerChoice::Tee})
        for (double f : {1.8, 7.1, 28.5})
            for (double r : {3.0, 12.5, 35.0, 75.0, 180.0, 600.0, 2500.0})
                for (double x : {-900.0, -150.0, -20.0, 0.0, 40.0, 250.0, 1200.0})
                    cases.push_back({c, r, x, f});
    return cases;
}

TunerRequest Request(const GridCase& g, double coilQ, double capQ) {
    TunerRequest r;
    r.choice = g.choice;
    r.r = g.r;
    r.x = g.x;
    r.freq = g.freq;
    r.coilQ = coilQ;
    r.capQ = capQ;
    return r;
}

} // namespace

// The window's test drives the Q boxes and the capacitor boxes by name; here, the edges.
TEST(TunerSetupRules, BoxesThatGoBackToTheirDefaults) {
    TunerSetup setup;
    setup.setCapQ("15");
    EXPECT_TRUE(setup.leaveCapQ().empty());
    // Designing with a low Q says so, corrects the box and designs with the default.
    setup.setCoilQ("1,5");
    TunerLoad load;
    load.r = 200;
    TunerOutcome out = setup.design(load);
    EXPECT_EQ(out.messages, std::vector<Message>{CoilQTooLow});
    EXPECT_EQ(setup.boxes().coilQ, "200");
    ASSERT_TRUE(out.result);
    EXPECT_EQ(out.result->design.parts[0].q, 200);

    for (const char* bad : {"-3", "abc", "0,0", ""}) {
        setup.setPiCap(bad);
        setup.setTeeCap(bad);
        EXPECT_EQ(setup.boxes().piCap, bad) << "kept while the user types";
        setup.leavePiCap();
        EXPECT_EQ(setup.boxes().piCap, "500") << bad;
        setup.leaveTeeCap();
        EXPECT_EQ(setup.boxes().teeCap, "100") << bad;
    }
    // Design Tuner judges them too.
    setup.setPiCap("0");
    setup.design(load);
    EXPECT_EQ(setup.boxes().piCap, "500");
    setup.setTeeCap("47,5");
    EXPECT_EQ(setup.boxes().teeCap, "47,5");
}

TEST(TunerSetupRules, ImpossibleSetupValuesAreRefusedBeforeDesigning) {
    TunerSetup setup;
    setup.setTxPwr("-5");
    EXPECT_FALSE(setup.design(TunerLoad{}).result);
    setup.setTxPwr("1500");
    setup.setTunerR("0");
    TunerOutcome out = setup.design(TunerLoad{});
    EXPECT_FALSE(out.result);
    ASSERT_EQ(out.messages.size(), 1u);
    EXPECT_EQ(out.messages[0].title, "Kavlo, Tuner");
}

TEST(TunerBandwidth, QOfTwoAtFourteenMegahertz) {
    Bandwidth b = CalcPBW(2, 14);
    EXPECT_NEAR(b.pbw15, 20.41, 0.01);
    EXPECT_NEAR(b.pbw20, 35.36, 0.01);
    EXPECT_EQ(b.text, "Eff. Q = 2.0    1.5:1 SWR BW = 2857.7 kHz (20.4%)  2:1 SWR BW = Large");
    EXPECT_EQ(CalcPBW(10, 14).text,
              "Eff. Q = 10.0    1.5:1 SWR BW = 571.5 kHz (4.1%) and 2:1 SWR BW = 989.9 kHz (7.1%)");
    EXPECT_EQ(CalcPBW(1, 14).text, "Eff. Q = 1.0    1.5:1 SWR BW = Large,  2:1 SWR BW = Large");
}

TEST(TunerLNetwork, WorkedLowPassMatchOfTwoHundredOhms) {
    // 200 ohm to 50 ohm: Q = sqrt(3), shunt reactance 200 / Q across the load, series
    // reactance 50 Q.
    TunerRequest r;
    r.r = 200;
    r.freq = 14;
    auto d = DesignTuner(r);
    ASSERT_TRUE(d) << d.message();
    EXPECT_EQ(d.value().shape, NetworkShape::LowPassShuntAtLoad);
    EXPECT_EQ(d.value().parts[0].label(), "L1");
    EXPECT_EQ(d.value().parts[1].label(), "C2");
    EXPECT_NEAR(d.value().parts[0].reactance, 50 * std::sqrt(3.0), 1e-6);
    // A load with no reactance counts as 10 Mohm of parallel reactance.
    EXPECT_NEAR(d.value().parts[1].reactance, -200 / std::sqrt(3.0), 2e-3);
    EXPECT_NEAR(InductanceUH(d.value().parts[0].reactance, 14), 0.9845, 1e-4);
    EXPECT_NEAR(CapacitancePF(d.value().parts[1].reactance, 14), 98.45, 0.01);
    EXPECT_NEAR(d.value().qeff, std::sqrt(3.0), 1e-4);
}

TEST(TunerLNetwork, TheLoadDecidesTheArrangement) {
    TunerRequest r;
    r.choice = TunerChoice::HighPassL;
    r.r = 10;
    EXPECT_EQ(DesignTuner(r).value().shape, NetworkShape::HighPassShuntAtInput);
    r.r = 300;
    EXPECT_EQ(DesignTuner(r).value().shape, NetworkShape::HighPassShuntAtLoad);
    // A load on the tuner's resistance circle whose series resistance is lower still
    // takes the arrangement with the shunt element at the input.
    r.choice = TunerChoice::LowPassL;
    r.r = 25;
    r.x = 25;
    auto onCircle = DesignTuner(r);
    ASSERT_TRUE(onCircle) << onCircle.message();
    EXPECT_EQ(onCircle.value().shape, NetworkShape::LowPassShuntAtInput);
}

TEST(TunerLNetwork, TheOtherArrangementMatchesWhenTheFirstCannot) {
    // The input of 100 ft of RG-213 at 14 MHz ending in 200 ohm, and a short vertical,
    // and loads whose shunt reactance is of the wrong kind for a shunt part across them.
    Calculator calc;
    calc.setCable(17);
    calc.setFrequency("14");
    calc.setLength("100");
    calc.setResistance("200");
    const TunerLoad rg213 = TunerLoadOf(calc);
    struct Case {
        TunerChoice choice;
        double r, x, freq;
    };
    using enum TunerChoice;
    for (const Case& c : {Case{LowPassL, rg213.r, rg213.x, 14}, Case{LowPassL, 2, -500, 1.8},
                          Case{HighPassL, 10, 300, 3.5}, Case{LowPassL, 10, -300, 3.5}}) {
        const GridCase g{c.choice, c.r, c.x, c.freq};
        auto d = DesignTuner(Request(g, 1e12, 1e12));
        ASSERT_TRUE(d) << c.r << " j" << c.x << ": " << d.message();
        EXPECT_TRUE(d.value().shape == NetworkShape::LowPassShuntAtInput ||
                    d.value().shape == NetworkShape::HighPassShuntAtInput);
        const Independent circuit = Check(d.value(), Complex(c.r, c.x), c.freq, 1.0);
        EXPECT_NEAR(circuit.zin.real(), 50, 0.05) << c.r << " j" << c.x;
        EXPECT_NEAR(circuit.zin.imag(), 0, 0.05) << c.r << " j" << c.x;
    }
    // With the setup page's Qs and no stray capacitance, the parts one would build for
    // the RG-213 line.
    TunerSetup setup;
    setup.setStrayC("0");
    TunerOutcome built = setup.design(rg213);
    ASSERT_TRUE(built.result);
    const TunerDesign& d = built.result->design;
    EXPECT_NEAR(CapacitancePF(d.parts[0].reactance, 14), 249, 0.5);
    EXPECT_NEAR(InductanceUH(d.parts[1].reactance, 14), 0.606, 0.0005);
    EXPECT_EQ(built.result->page.txtValue2, "0.606 uH");
    const Independent lossy = Check(d, Complex(rg213.r, rg213.x), 14, 1.0);
    EXPECT_NEAR(std::abs(lossy.zin), 50, 0.2);
}

TEST(TunerRefusals, EachSaysWhy) {
    struct Case {
        TunerChoice choice;
        double r, x, freq, tunerR, piCap, teeCap;
        const char* message;
    };
    using enum TunerChoice;
    const Case cases[] = {
        {LowPassL, 50.005, 0, 3.5, 50, 500, 100,
         "Such an L-network load won't work -- too close to 50 ohms"},
        {HighPassL, 37.496, 0, 3.5, 37.5, 500, 100,
         "Such an L-network load won't work -- too close to 37.5 ohms"},
        {HighPassL, 0, 0, 3.5, 50, 500, 100, "This network won't work."},
        // Its own shunt capacitance is all a low-pass network needs across this load; the
        // input arrangement cannot take its 50 ohms either.
        {LowPassL, 50, -50, 3.5, 50, 500, 100, "Choose another network"},
        // A tiny series reactance would need more than 99999 pF.
        {HighPassL, 49.98, 0, 1.8, 50, 500, 100,
         "  Series capacitor greater than 99999 pF. Try another network."},
        {Pi, 0.05, 0, 3.5, 50, 500, 100, "The pi-network will not match this impedance. "},
        {Pi, 1, 201, 3.5, 50, 500, 100, "The pi-network will not match this impedance. "},
        {Pi, 0, 0, 3.5, 50, 500, 100, "The pi-network will not match this impedance. "},
        {Pi, 5000, 0, 3.5, 50, 1, 100, "Try a larger shunt output capacitor."},
        {Tee, 20, 0, 28, 50, 500, 100000,
         "Can't match this impedance -- use a smaller output capacitor."},
    };
    for (const Case& c : cases) {
        TunerRequest r;
        r.choice = c.choice;
        r.r = c.r;
        r.x = c.x;
        r.freq = c.freq;
        r.tunerR = c.tunerR;
        r.piCapPF = c.piCap;
        r.teeCapPF = c.teeCap;
        auto d = DesignTuner(r);
        ASSERT_FALSE(d) << c.message;
        EXPECT_EQ(d.message(), c.message);
    }
}

TEST(TunerCircuit, LosslessDesignsPresentTheTunerResistance) {
    std::map<NetworkShape, int> matched;
    for (const GridCase& g : Grid()) {
        TunerRequest request = Request(g, 1e12, 1e12);
        auto d = DesignTuner(request);
        if (!d) continue;
        ++matched[d.value().shape];
        const Complex load(g.r, g.x);
        const Independent circuit = Check(d.value(), load, g.freq, 1.0);
        EXPECT_NEAR(circuit.zin.real(), 50, 0.05)
            << InfoOf(d.value().shape).title << " " << g.r << " j" << g.x << " " << g.freq;
        EXPECT_NEAR(circuit.zin.imag(), 0, 0.05)
            << InfoOf(d.value().shape).title << " " << g.r << " j" << g.x << " " << g.freq;
    }
    for (int s = 0; s < ShapeCount; ++s)
        EXPECT_GE(matched[static_cast<NetworkShape>(s)], 10)
            << InfoOf(static_cast<NetworkShape>(s)).title << " shape " << s;
}

TEST(TunerCircuit, PowerBalancesAndTheTableIsThatOfTheCircuit) {
    int checked = 0;
    for (const GridCase& g : Grid()) {
        TunerRequest request = Request(g, 200, 1000);
        auto d = DesignTuner(request);
        if (!d) continue;
        ++checked;
        const TunerOperation op = SolveTuner(d.value(), g.r, g.x, g.freq, 1500);
        EXPECT_NEAR(op.powerIn, op.powerToLoad + op.powerLost, 1.5);
        EXPECT_NEAR(op.powerIn, 1500, 1e-6);

        const Independent circuit = Check(d.value(), Complex(g.r, g.x), g.freq, op.vin);
        EXPECT_NEAR(circuit.powerIn, 1500, 1.5);
        EXPECT_NEAR(circuit.powerToLoad, op.powerToLoad, 1.5);
        EXPECT_NEAR(std::abs(circuit.zin - op.inputImpedance), 0, 1e-6 * std::abs(circuit.zin));
        EXPECT_NEAR(std::abs(op.vin.imag()), 0, 1e-9);
        ASSERT_EQ(op.parts.size(), circuit.partCurrent.size());
        for (size_t k = 0; k < op.parts.size(); ++k) {
            const double i = std::abs(circuit.partCurrent[k]);
            const double v = std::abs(circuit.partVoltage[k]);
            EXPECT_NEAR(std::abs(op.parts[k].current), i, 1e-3 * i + 1e-9);
            EXPECT_NEAR(std::abs(op.parts[k].voltage), v, 1e-3 * v + 1e-9);
        }
    }
    EXPECT_GT(checked, 300);
}

TEST(TunerPageTexts, LowPassLResultPage) {
    TunerSetup setup;
    TunerLoad load;
    load.r = 200;
    load.x = 0;
    load.freq = 14;
    load.loadR = 180;
    load.loadX = -35;
    load.loadSwr = 3.75;
    load.lineLoss = 0.5;
    TunerOutcome out = setup.design(load);
    ASSERT_TRUE(out.result);
    const TunerPage& p = out.result->page;
    EXPECT_EQ(p.lblNetwork, "Low-Pass L-Network");
    EXPECT_EQ(p.lblAtLoad,
              "At load: 180.00 - j 35.00 ohms = 183.4 ohms, at -11.0 degrees    Load SWR = 3.75");
    EXPECT_EQ(p.lblFreq, "14.0 MHz");
    EXPECT_EQ(p.lblLength, "100.000 feet");
    EXPECT_EQ(p.txtCStray, "10");
    EXPECT_EQ(p.lblAtPower, "At 1500 W:");
    EXPECT_EQ(p.lblPart1, "L1");
    EXPECT_EQ(p.txtValue1, "0.985 uH");
    EXPECT_EQ(p.txtQ1, "200");
    EXPECT_EQ(p.txtReact1, "86.603");
    EXPECT_EQ(p.lblPart2, "C2");
    EXPECT_EQ(p.txtValue2, "98.5 pF");
    EXPECT_EQ(p.txtQ2, "1000");
    EXPECT_EQ(p.lblPart3, "");
    for (const std::string& cell :
         {p.txtValue3, p.txtQ3, p.txtReact3, p.txtVpk3, p.txtIrms3, p.txtPdiss3})
        EXPECT_EQ(cell, "N/A");

    // 1500 W into about 50 ohm: 273.9 V at the input; the coil carries the load's current.
    const TunerOperation& op = out.result->operation;
    EXPECT_NEAR(std::abs(op.vin), std::sqrt(1500 * 50.0), 2.5);
    EXPECT_EQ(p.txtVin.substr(p.txtVin.size() - 13), " at 0.00 deg.");
    EXPECT_EQ(p.txtIrms1, common::Format(std::abs(op.parts[0].current), "####0.0 A"));
    EXPECT_EQ(p.txtVpk2,
              common::Format(std::sqrt(2.0) * std::abs(op.parts[1].voltage), "####### V"));
    const double lost = op.powerLost;
    EXPECT_EQ(p.lblPowerLost, "Estimated power lost in tuner for 1500 W input:   " +
                                  common::Format(lost, "######") + " W (" +
                                  common::Format(-10 * std::log10(1 - lost / 1500), "#0.0#") +
                                  " dB = " + common::Format(100 * lost / 1500, "#0.0") + "% lost)");
    EXPECT_EQ(p.lblLineLoss.substr(0, 49), "Transmission-line loss = 0.5 dB.  Total loss = 0.");
    EXPECT_NEAR(out.result->powerToAntenna, (1500 - lost) * std::pow(10, -0.05), 1e-6);
}

TEST(TunerPageTexts, OutputPhaseTakesThePhaseTypedOnTheSetupPage) {
    TunerSetup setup;
    TunerLoad load;
    load.r = 200;
    load.freq = 14;
    auto phaseOf = [](const std::string& text) {
        return common::Val(text.substr(text.find(" at ") + 4));
    };
    const double shift = phaseOf(setup.design(load).result->page.txtVout);
    EXPECT_LT(shift, 0); // a low-pass network delays
    setup.setPhase("350");
    EXPECT_NEAR(phaseOf(setup.design(load).result->page.txtVout), shift - 10, 0.006);
    setup.setPhase("-200");
    EXPECT_NEAR(phaseOf(setup.design(load).result->page.txtVout), shift + 160, 0.006);
}
