// The main window's model through the built engine: loading, the dialogs' boxes, units,
// ratio, height and pattern choices, failures that leave the antenna alone.
#include "engine_for_tests.h"

#include "qelt/core/analyser.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <sstream>

using namespace qelt;
using qelt_test::Engine;
using qelt_test::Opened;
using qelt_test::Sample;
using qelt_test::WriteAntenna;

namespace {

ViewChoices Choose(const Analyser& a, Graph graph, Units units, Ratio ratio = Ratio::FrontToRear) {
    ViewChoices v = a.view();
    v.graph = graph;
    v.units = units;
    v.ratio = ratio;
    return v;
}

// The numbers of a result line, in order; "-j" and "+j" give the sign of the next one.
std::vector<double> Numbers(const std::string& line) {
    std::istringstream words(line);
    std::vector<double> numbers;
    double sign = 1;
    for (std::string w; words >> w;) {
        if (w == "-j" || w == "+j") {
            sign = w == "-j" ? -1 : 1;
            continue;
        }
        char* end = nullptr;
        const double v = std::strtod(w.c_str(), &end);
        if (end != w.c_str() && (*end == '\0' || *end == ':')) numbers.push_back(sign * v);
        sign = 1;
    }
    return numbers;
}

// yoruk-sweep's rows for a file: MHz, R, X, SWR on 50 ohms, dBi, F/B, F/R.
std::vector<std::array<double, 7>> EngineToolRows(const std::string& path) {
    std::vector<std::array<double, 7>> rows;
    FILE* pipe = popen((TOOLS_DIR "/yoruk-sweep '" + path + "'").c_str(), "r");
    if (!pipe) return rows;
    char line[256];
    while (std::fgets(line, sizeof line, pipe)) {
        std::array<double, 7> r{};
        if (std::sscanf(line, "%lf %lf %lf %lf %lf %lf %lf", &r[0], &r[1], &r[2], &r[3], &r[4],
                        &r[5], &r[6]) == 7)
            rows.push_back(r);
    }
    pclose(pipe);
    return rows;
}

} // namespace

TEST(Analyser, LoadingFillsTheWindowAndTheDialogs) {
    const Analyser a = Opened(Sample("2EL20M.QELT"));
    EXPECT_TRUE(a.loaded());
    EXPECT_EQ(a.texts().lblFile, "2EL20M.QELT");
    EXPECT_EQ(a.texts().lblEleBoom, "2 ele., boom = 9.8 feet");
    EXPECT_EQ(a.texts().lblHeight, "Free Space");
    EXPECT_EQ(a.texts().lblMatch, "None");
    EXPECT_EQ(a.frequencyBoxes().txtFreqLo, "14.000");
    EXPECT_EQ(a.frequencyBoxes().txtFreqHi, "14.350");
    EXPECT_EQ(a.frequencyBoxes().lblFreqCentre, "14.175");
    EXPECT_EQ(a.view().frequency, "14.175");
    EXPECT_EQ(a.matchBoxes().txtDELength, "101.0");
    EXPECT_EQ(a.matchBoxes().lblOrigLen, "(Original tip length = 101.0 inches)");
    EXPECT_EQ(a.matchBoxes().txtZ0, "50");
    EXPECT_EQ(a.matchBoxes().lblDEZ, "Feed-point Z:     36.3 - j 1.5 ohms");
    EXPECT_EQ(a.texts().lblF1.substr(0, 15), "Freq:     14.00");

    const Analyser metric = Opened(Sample("2EL20M.QELT"), Units::Metric);
    EXPECT_EQ(metric.matchBoxes().txtDELength, "2565.4");
    EXPECT_EQ(metric.matchBoxes().lblOrigLen, "(Original tip length = 2565.4 mm)");
    EXPECT_EQ(metric.texts().lblEleBoom, "2 ele., boom = 3.0 m");
}

TEST(Analyser, ResultLinesAgreeWithTheEngineToolForEverySample) {
    for (const char* name : qelt_test::Samples) {
        SCOPED_TRACE(name);
        const Analyser a = Opened(Sample(name));
        const std::vector<std::array<double, 7>> rows = EngineToolRows(Sample(name));
        ASSERT_EQ(rows.size(), 11u);
        const MainTexts& t = a.texts();
        const std::vector<double> freq = Numbers(t.lblF1), gain = Numbers(t.lblF2),
                                  ratio = Numbers(t.lblF3), z = Numbers(t.lblF4),
                                  swr = Numbers(t.lblF5);
        ASSERT_EQ(freq.size(), 3u);
        ASSERT_EQ(z.size(), 6u);
        for (int c = 0; c < 3; ++c) {
            const std::array<double, 7>& row = rows[c * 5];
            EXPECT_NEAR(freq[c], row[0], 0.0006);
            EXPECT_NEAR(z[2 * c], row[1], 0.051);
            EXPECT_NEAR(z[2 * c + 1], row[2], 0.051);
            EXPECT_NEAR(swr[c], row[3], 0.011);
            EXPECT_NEAR(gain[c], row[4], 0.011);
            EXPECT_NEAR(ratio[c], row[6], 0.011) << "F/R";
        }
    }
}

TEST(Analyser, OneFrequencyFileSweepsThreePercentEachWay) {
    const Analyser a =
        Opened(WriteAntenna("ONE.QELT", "One frequency\n14.175 MHz\n2 elements\n1.0\n"
                                        "0 212\n96 200\n"));
    EXPECT_FLOAT_EQ(a.band().low, 0.97f * 14.175f);
    EXPECT_FLOAT_EQ(a.band().high, 1.03f * 14.175f);
    EXPECT_EQ(a.frequencyBoxes().txtFreqLo, "13.750");
    EXPECT_EQ(a.frequencyBoxes().txtFreqHi, "14.600");
    EXPECT_EQ(a.frequencyBoxes().lblFreqCentre, "14.175");
    EXPECT_FLOAT_EQ(a.lastSweep()[0].frequency, 13.75f);
    EXPECT_FLOAT_EQ(a.lastSweep()[10].frequency, 14.6f);
    EXPECT_NE(a.texts().lblF1.find("13.750 MHz"), std::string::npos) << a.texts().lblF1;
}

TEST(Analyser, FailedLoadsLeaveTheAntennaAlone) {
    Analyser a = Opened(Sample("3EL15M.QELT"));
    const MainTexts before = a.texts();
    const float tip = a.drivenTipLength();
    struct Case {
        std::string path;
        std::string message;
    };
    const std::string klm = WriteAntenna("KLM.YAG", "Big beam\nKLM 14 14.35\n5 elements\n");
    const std::string bad =
        WriteAntenna("BAD.QELT", "t\n14\n2 elements\n1 2 3 4 5 6 7 8 9 10 11\n");
    const std::string missing = WriteAntenna("x", "") + "-missing.QELT";
    const std::string folder = bad.substr(0, bad.rfind('/'));
    const std::string error = "  has an error. Examine it with a word processor.";
    const Case cases[] = {
        {klm, "Sorry, I don't do KLM antennas yet."},
        {bad, "The file  '" + bad + "'" + error + "\nLine 4: more than ten fields."},
        {missing, "The file  '" + missing + "'" + error + "\nThe file cannot be opened."},
        {folder, "The file  '" + folder + "'" + error + "\nThe path is not a file."},
        {"/dev/zero", "The file  '/dev/zero'" + error + "\nThe path is not a file."},
    };
    for (const Case& c : cases) {
        common::Result<> opened = a.open(Engine(), c.path);
        ASSERT_FALSE(opened.ok()) << c.path;
        EXPECT_EQ(opened.message(), c.message);
        EXPECT_EQ(a.texts().lblFile, before.lblFile);
        EXPECT_EQ(a.texts().lblF2, before.lblF2);
        EXPECT_EQ(a.working().elementCount, 3);
        EXPECT_EQ(a.drivenTipLength(), tip);
    }
}

TEST(Analyser, OddAntennasStillAnalyse) {
    // A lone dipole is fed at its only element.
    Analyser a =
        Opened(WriteAntenna("DIPOLE.QELT", "Dipole\n14.0 14.175 14.35\n1 element\n1\n0 195\n"));
    EXPECT_EQ(a.antenna().drivenElement, 1);
    EXPECT_NEAR(a.lastSweep()[CentrePoint].gain, 2.1f, 0.1f);
    EXPECT_EQ(a.texts().lblEleBoom, "1 ele., boom = 0.0 feet");
    // A file deep in a folder tree, past the interface's 80 characters.
    a = Opened(
        WriteAntenna(std::string(90, 'b') + ".QELT", "Far\n14 14.1 14.2\n1 element\n1\n0 195\n"));
    EXPECT_EQ(a.texts().lblFile, std::string(90, 'B') + ".QELT");
}

// Figures the engine could not compute come with its report, not as plain numbers.
TEST(Analyser, WhatTheEngineCannotSolveIsSaid) {
    Analyser a = Opened(Sample("2EL20M.QELT"));
    EXPECT_EQ(a.engineTrouble(), "");
    // The third section has no diameter on the schedule.
    ASSERT_TRUE(a.open(Engine(), WriteAntenna("NODIA.QELT", "t\n14 14.1 14.2\n2 elements\n1 1\n"
                                                            "0 100 100 12\n100 100 100 10\n"))
                    .ok());
    EXPECT_EQ(a.engineTrouble(), "The engine could not analyse this antenna at 14.000 MHz.\n"
                                 "An element has no length or no diameter.");
    ASSERT_TRUE(a.open(Engine(), WriteAntenna("FAR.QELT", "t\n14 14.1 14.2\n2 elements\n1\n"
                                                          "0 99999999999\n100 200\n"))
                    .ok());
    EXPECT_EQ(a.engineTrouble(), "The engine could not analyse this antenna at 14.000 MHz.\n"
                                 "The geometry is not finite or spans more than a million "
                                 "wavelengths.");
    ASSERT_TRUE(a.open(Engine(), Sample("2EL20M.QELT")).ok());
    EXPECT_EQ(a.engineTrouble(), "") << "a sound antenna clears it";
}

TEST(Analyser, SwitchingUnitsConvertsTheBoxesOnceAndBack) {
    Analyser a = Opened(Sample("3EL15M.QELT"));
    ASSERT_TRUE(a.setHeight(Engine(), "30").ok());
    const std::string gain = a.texts().lblF2;
    ASSERT_TRUE(a.applyView(Engine(), Choose(a, Graph::Sweep, Units::Metric)).ok());
    EXPECT_EQ(a.texts().lblView, "meters, mm");
    EXPECT_EQ(a.heightBoxes().txtHeight, "9.1");
    EXPECT_EQ(a.heightBoxes().lblUnits, "meters");
    EXPECT_EQ(a.texts().lblHeight, "9.1 m");
    EXPECT_EQ(a.matchBoxes().txtDELength, "1600.2") << "63 inches";
    EXPECT_EQ(a.matchBoxes().lblOrigLen, "(Original tip length = 1600.2 mm)");
    EXPECT_EQ(a.matchBoxes().txtDia, "6.35");
    EXPECT_EQ(a.matchBoxes().txtSpacing, "152.4");
    EXPECT_EQ(a.matchBoxes().lblUnits, "mm");
    EXPECT_EQ(a.texts().lblEleBoom, "3 ele., boom = 4.3 m");
    EXPECT_EQ(a.texts().lblF2, gain) << "the antenna and its height are the same";

    ASSERT_TRUE(a.applyView(Engine(), Choose(a, Graph::Sweep, Units::English)).ok());
    EXPECT_EQ(a.heightBoxes().txtHeight, "30.0");
    EXPECT_EQ(a.texts().lblHeight, "30.0 feet");
    EXPECT_EQ(a.matchBoxes().txtDELength, "63.0");
    EXPECT_EQ(a.matchBoxes().lblOrigLen, "(Original tip length = 63.0 inches)");
    EXPECT_EQ(a.matchBoxes().txtDia, "0.25");
    EXPECT_EQ(a.matchBoxes().lblUnits, "inches");
    EXPECT_EQ(a.texts().lblEleBoom, "3 ele., boom = 14.0 feet");
    EXPECT_EQ(a.texts().lblF2, gain);
}

TEST(Analyser, HeightFreeSpaceAndMetricHeights) {
    Analyser a = Opened(Sample("5EL10M.QELT"), Units::Metric);
    EXPECT_EQ(a.viewCaptions().optAzi1, "E/H-Plane, 0-60 deg.");
    EXPECT_EQ(a.viewCaptions().chkAz, "E-Plane");
    ASSERT_TRUE(a.setHeight(Engine(), "10").ok());
    EXPECT_DOUBLE_EQ(a.heightFeet(), 10 / 0.3048);
    EXPECT_EQ(a.texts().lblHeight, "10.0 m");
    EXPECT_EQ(a.viewCaptions().optAzi1, "Azim./Elev., 0-60 deg.");
    EXPECT_EQ(a.viewCaptions().optAzi2, "Azim./Elev., 0-180 deg.");
    EXPECT_EQ(a.viewCaptions().chkAz, "Azimuth");
    EXPECT_EQ(a.viewCaptions().chkElev, "Elevation");
    EXPECT_EQ(a.texts().lblPeakElev.rfind("Peak elev. angle: ", 0), 0u);
    EXPECT_GT(a.lastSweep()[0].gain, 14) << "about 6 dB over perfect ground";

    ASSERT_TRUE(a.setHeight(Engine(), "0").ok());
    EXPECT_TRUE(a.freeSpace());
    EXPECT_EQ(a.texts().lblHeight, "Free Space");
    EXPECT_EQ(a.texts().lblPeakElev, "");
    EXPECT_EQ(a.viewCaptions().chkElev, "H-Plane");
    EXPECT_NEAR(a.lastSweep()[0].gain, 9.34f, 0.01f);
}

TEST(Analyser, ARatioChangeShowsAtOnceAndANewSweepTakesTheChartBack) {
    Analyser a = Opened(Sample("3EL15M.QELT"));
    ASSERT_TRUE(
        a.applyView(Engine(), Choose(a, Graph::Rectangular60, Units::English, Ratio::FrontToBack))
            .ok());
    ASSERT_TRUE(a.chartPattern());
    EXPECT_EQ(a.texts().lblF3.substr(0, 4), "F/B:") << "without a sweep";
    EXPECT_EQ(a.texts().lblSWR.rfind("F/B: ", 0), 0u);
    a.sweep(Engine());
    EXPECT_FALSE(a.chartPattern());
    EXPECT_EQ(a.texts().lblGain, "Gain");
    EXPECT_EQ(a.texts().lblFR, "F/B");
}

TEST(Analyser, APatternFrequencyThatIsNoFrequencyIsRefused) {
    Analyser a = Opened(Sample("3EL15M.QELT"));
    for (const char* typed : {"", "abc", "0", "-14"}) {
        ViewChoices v = Choose(a, Graph::MorwenPolar, Units::Metric);
        v.frequency = typed;
        common::Result<> applied = a.applyView(Engine(), v);
        EXPECT_FALSE(applied.ok()) << typed;
        EXPECT_EQ(applied.message(),
                  "Enter the frequency of the pattern in MHz, a number above 0.");
        EXPECT_EQ(a.units(), Units::English) << "nothing applied";
        EXPECT_FALSE(a.polarPattern());
    }
    ViewChoices v = Choose(a, Graph::MorwenPolar, Units::English);
    v.frequency = "21,3";
    EXPECT_TRUE(a.applyView(Engine(), v).ok()) << "a comma is a decimal point";
    EXPECT_FLOAT_EQ(a.polarPattern()->field.frequency, 21.3f);
}
