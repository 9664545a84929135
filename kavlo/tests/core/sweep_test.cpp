#include "kavlo/core/smith.h"
#include "kavlo/core/sweep.h"
#include "kavlo/core/tuner.h"
#include "kavlo/core/tuner_circuit.h"

#include "common/cli_options.h"
#include "common/number_text.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace kavlo;
using Complex = std::complex<double>;

namespace {

LoadList fileLoads() {
    LoadList list{"ant.csv", "CSV", {}};
    list.points = {{1.8, 5.65, 43.27, 2}, {3.7, 10, 50, 3}, {14.2, 20, -500, 4}, {28.5, 300, 0, 5}};
    return list;
}

// The single-frequency calculator at the point's frequency with its impedance typed in.
Calculator typedAt(Calculator c, const LoadPoint& p) {
    c.setFrequency(common::ShortestText(p.freq));
    c.setResistance(common::ShortestText(p.r));
    c.setReactance(common::ShortestText(p.x));
    return c;
}

} // namespace

TEST(Sweep, EachFrequencyAsTheCalculatorComputesIt) {
    for (int cable : {16, 3, 30}) {
        Calculator c;
        c.setCable(cable);
        c.setUnit('M');
        c.setLength("37");
        std::optional<std::vector<SweepPoint>> atLoad;
        for (bool input : {false, true}) {
            c.setEnd(input ? KnownEnd::Input : KnownEnd::Load);
            // With the input known, the inputs the loads gave, which must lead back to them.
            LoadList loads = fileLoads();
            if (input)
                for (std::size_t k = 0; k < loads.points.size(); ++k) {
                    loads.points[k].r = (*atLoad)[k].inputR;
                    loads.points[k].x = (*atLoad)[k].inputX;
                }
            const common::Result<std::vector<SweepPoint>> swept = SweepLine(c, loads);
            ASSERT_TRUE(swept) << swept.message();
            for (std::size_t k = 0; k < loads.points.size(); ++k) {
                const LoadPoint& load = loads.points[k];
                const Calculator one = typedAt(c, load);
                const LineSolution& s = one.solution();
                const SweepPoint& p = swept.value()[k];
                EXPECT_EQ(p.freq, load.freq);
                EXPECT_DOUBLE_EQ(p.totalLoss, s.totalLoss);
                EXPECT_DOUBLE_EQ(input ? p.loadR : p.inputR, s.rFar);
                EXPECT_DOUBLE_EQ(input ? p.loadX : p.inputX, s.xFar);
                EXPECT_EQ(input ? p.inputR : p.loadR, load.r); // the known end as typed
                EXPECT_DOUBLE_EQ(input ? p.swrLoad : p.swrInput, s.swrFar);
                EXPECT_DOUBLE_EQ(input ? p.swrInput : p.swrLoad, s.swrNear);
                if (input) {
                    const SweepPoint& there = (*atLoad)[k];
                    EXPECT_NEAR(p.loadR, there.loadR, 1e-6 * std::abs(there.loadR + there.loadX));
                    EXPECT_NEAR(p.loadX, there.loadX, 1e-6 * std::abs(there.loadR + there.loadX));
                    EXPECT_NEAR(p.totalLoss, there.totalLoss, 1e-9);
                }
            }
            atLoad = swept.value();
        }
    }
}

TEST(Sweep, RefusesFrequenciesTheCalculatorDoesNotTakeAndInputsNoLoadGives) {
    LoadList loads = fileLoads();
    loads.points[2].freq = 7000;
    const auto swept = SweepLine(Calculator(), loads);
    ASSERT_FALSE(swept);
    EXPECT_EQ(
        swept.message(),
        "ant.csv line 4: the frequency 7000 MHz is outside the calculator's 0.02 to 6000 MHz");

    // 37 m of RG-174 at 1.8 MHz: no passive load shows 5.65 + j 43.27 at its input (the
    // calculator computes a load of -152.73 - j 75.30 ohm).
    Calculator c;
    c.setCable(16);
    c.setUnit('M');
    c.setLength("37");
    c.setEnd(KnownEnd::Input);
    const auto refused = SweepLine(c, fileLoads());
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.message(),
              "ant.csv line 2: at 1.800 MHz no load gives 5.65 + j 43.27 ohm at the input of "
              "this line (the load would have a resistance of -152.73 ohm); are the cable and "
              "the length right?");
}

TEST(Sweep, CsvAndTouchstoneOfTheInput) {
    const auto swept = SweepLine(Calculator(), TypedBand(50, 0, 3.5, 4, 3));
    ASSERT_TRUE(swept);
    const std::string csv = SweepCsv(swept.value());
    EXPECT_EQ(csv.substr(0, csv.find('\n')),
              "MHz,LoadR,LoadX,InputR,InputX,SWRLoad,SWRInput,TotalLossDB");
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 4);
    EXPECT_EQ(csv.substr(csv.find('\n') + 1, 12), "3.5,50,0,50.");
    const auto read = ParseTouchstone({"# MHz S RI R 50", "3.5 0 0"}, 1, "x");
    ASSERT_TRUE(read);
    const std::string s1p = SweepS1p(swept.value(), 50, {});
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; (end = s1p.find('\n', at)) != std::string::npos; at = end + 1)
        lines.push_back(s1p.substr(at, end - at));
    const auto back = ParseTouchstone(lines, 1, "x");
    ASSERT_TRUE(back) << back.message();
    EXPECT_NEAR(back.value().points[1].r, swept.value()[1].inputR, 1e-9);
    EXPECT_NEAR(back.value().points[1].x, swept.value()[1].inputX, 1e-9);
}

TEST(Sweep, WindowModelJudgesTheBandAndSummarises) {
    Calculator c;
    SweepModel m;
    m.setFrom("4");
    m.setTo("3.5");
    EXPECT_EQ(m.compute(c).at(0).text, BadBand.text);
    EXPECT_TRUE(m.points().empty());
    m.setFrom("3.5");
    m.setTo("4");
    m.setPoints("1");
    EXPECT_EQ(m.compute(c).at(0).text, BadPointCount.text);
    m.setPoints("11");
    c.setReactance("40");
    EXPECT_TRUE(m.compute(c).empty());
    ASSERT_EQ(m.points().size(), 11u);
    EXPECT_EQ(m.points().back().freq, 4);
    EXPECT_EQ(m.displays().lblSource, "Load at the load: 50.00 + j 40.00 ohm as typed");
    EXPECT_EQ(m.displays().lblLine, "RG-8A (Belden 8237), 100.000 Feet");
    EXPECT_EQ(m.displays().lblBest.substr(0, 26), "Lowest SWR at the input: 2");
    EXPECT_EQ(m.openFile("/nonexistent.s1p").size(), 1u);
    EXPECT_FALSE(m.fromFile());
}

TEST(Smith, PointsAreTheClosedFormReflection) {
    for (double ref : {50.0, 75.0, 300.0})
        for (Complex z : {Complex(50, 0), Complex(5.65, 43.27), Complex(2000, -900)}) {
            const Complex gamma = ReflectionOf(z.real(), z.imag(), ref);
            const Complex want = (z - ref) / (z + ref);
            EXPECT_NEAR(std::abs(gamma - want), 0, 1e-15);
            const double rho = std::abs(want);
            EXPECT_NEAR(SwrOf(gamma), (1 + rho) / (1 - rho), 1e-9);
        }
    EXPECT_TRUE(std::isinf(SwrOf({1, 0})));
}

TEST(Smith, LinePathRunsFromTheLoadToTheInputSpirallingIn) {
    Calculator c;
    c.setCable(16); // RG-174, lossy
    c.setFrequency("1.8");
    c.setResistance("5.65");
    c.setReactance("43.27");
    c.setUnit('M');
    const std::vector<SmithPoint> path = LinePath(c, 50);
    ASSERT_EQ(path.size(), static_cast<std::size_t>(LinePathPoints));
    EXPECT_EQ(path.front().position, 0);
    EXPECT_NEAR(path.back().position, common::ParseNumber(c.boxes().length), 1e-9);
    EXPECT_EQ(path.front().r, 5.65);
    EXPECT_DOUBLE_EQ(path.back().r, c.solution().rFar);
    EXPECT_DOUBLE_EQ(path.back().x, c.solution().xFar);
    for (const SmithPoint& p : path)
        EXPECT_NEAR(std::abs(p.gamma - (Complex(p.r, p.x) - 50.0) / (Complex(p.r, p.x) + 50.0)), 0,
                    1e-15);
    // Against the line's own Z0 the reflection shrinks as exp(-2 alpha d): the loss spiral.
    const Complex z0(c.line().r0, c.line().x0);
    auto rhoOf = [z0](const SmithPoint& p) {
        return std::abs((Complex(p.r, p.x) - z0) / (Complex(p.r, p.x) + z0));
    };
    const double alphaLength = c.matchedLoss() * std::log(10.0) / 20;
    for (int k = 0; k < LinePathPoints; k += 20)
        EXPECT_NEAR(rhoOf(path[k]),
                    rhoOf(path[0]) * std::exp(-2 * alphaLength * k / (LinePathPoints - 1)), 1e-9);
    const std::string csv = SmithCsv(path);
    EXPECT_EQ(csv.substr(0, 29), "Position,R,X,GammaRe,GammaIm\n");
    EXPECT_EQ(csv.substr(29, 7), "0,5.65,");
}

TEST(Smith, TunerPathEndsOnWhatTheTransmitterSees) {
    Calculator c;
    c.setCable(17);
    c.setFrequency("14");
    c.setResistance("200");
    for (TunerChoice choice :
         {TunerChoice::LowPassL, TunerChoice::HighPassL, TunerChoice::Pi, TunerChoice::Tee}) {
        TunerSetup setup;
        setup.choose(choice);
        const TunerLoad load = TunerLoadOf(c);
        const TunerOutcome outcome = setup.design(load);
        ASSERT_TRUE(outcome.result);
        const TunerDesign& design = outcome.result->design;
        const std::vector<SmithPoint> path = TunerPath(design, load.r, load.x, load.freq, 50);
        const Complex seen = SolveTuner(design, load.r, load.x, load.freq, 1).inputImpedance;
        EXPECT_EQ(path.front().r, load.r);
        EXPECT_NEAR(path.back().r, seen.real(), 1e-9 * std::abs(seen));
        EXPECT_NEAR(path.back().x, seen.imag(), 1e-9 * std::abs(seen));
        EXPECT_NEAR(path.back().position, design.parts.size() + (design.strayAcrossLoad ? 1 : 0),
                    1e-12);
        SmithModel m;
        m.build(c, design, {});
        EXPECT_EQ(m.curve(SmithCurve::Tuner).size(), path.size());
        EXPECT_EQ(m.tip(SmithCurve::Tuner, 0).substr(0, 18), "At the line input\n");
        // The last step passes the part at the transmitter's side, the first one listed.
        EXPECT_EQ(m.tip(SmithCurve::Tuner, path.size() - 1).substr(0, 11),
                  "Through " + design.parts.front().label() + "\n");
        EXPECT_EQ(m.displays().lblTuner.substr(0, 13), "Tuner input: ");
    }
}

TEST(Smith, ModelReferenceAndCurves) {
    Calculator c;
    c.setReactance("40");
    SmithModel m;
    m.setRef("0");
    EXPECT_EQ(m.leaveRef().at(0).text, BadReference.text);
    EXPECT_EQ(m.boxes().ref, "50");
    m.setRef("75");
    EXPECT_TRUE(m.leaveRef().empty());
    const auto swept = SweepLine(c, TypedBand(50, 40, 3.5, 4, 5));
    m.build(c, std::nullopt, swept.value());
    EXPECT_EQ(m.curve(SmithCurve::Load).size(), 1u);
    EXPECT_EQ(m.curve(SmithCurve::Sweep).size(), 5u);
    EXPECT_TRUE(m.curve(SmithCurve::Tuner).empty());
    EXPECT_DOUBLE_EQ(m.swrRadius(), std::abs(ReflectionOf(50, 40, 75)));
    EXPECT_EQ(m.displays().lblLoad.substr(0, 45), "Load: 50.00 + j 40.00 ohm, reflection 0.359 a");
    EXPECT_NE(m.csv().find("Swept load\nPosition,R,X"), std::string::npos);
    EXPECT_EQ(m.tip(SmithCurve::Line, 200),
              "100.0 ft from the load\n3.500 MHz\nR " +
                  Shown(m.curve(SmithCurve::Line)[200].r, "###0.00") + ", X " +
                  Shown(m.curve(SmithCurve::Line)[200].x, "###0.00") + " ohm\nSWR " +
                  Shown(SwrOf(m.curve(SmithCurve::Line)[200].gamma), "###0.00") + " (75 ohm)");
    EXPECT_EQ(m.tip(SmithCurve::Sweep, 4).substr(0, 10), "4.000 MHz\n");
}
