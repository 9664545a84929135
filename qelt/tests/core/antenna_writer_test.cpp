// Save As: the layout line by line, and every sample antenna and a long tapered beam of
// our own saved in inches and in millimetres and read back by the engine's reader, which
// must give the same geometry and the same sweep within the rounding of the format.
#include "engine_for_tests.h"

#include "qelt/core/analyser.h"
#include "qelt/core/antenna_writer.h"

#include "common/text_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>

using namespace qelt;
using qelt_test::Engine;
using qelt_test::Opened;
using qelt_test::Sample;
using qelt_test::WriteAntenna;

namespace {

std::vector<std::string> FileLines(const std::string& path) {
    return common::ReadTextLines(path).value_or(std::vector<std::string>{});
}

std::string Folder() {
    const std::string path = WriteAntenna("x", "");
    return path.substr(0, path.find_last_of('/'));
}

// A 50-element beam for 23 cm with a taper schedule that changes three times, the
// driven element 41 mm from the reflector, and lengths that are not whole thousandths.
std::string LongTaperedBeam() {
    char line[160];
    std::string text = "Fifty elements for 1296 MHz, tapered\n1290 1296 1302 MHz\n50 elements, "
                       "inches\n0.25 0.1875 0.125\n";
    double position = 0;
    for (int e = 1; e <= 50; ++e) {
        if (e == 21 || e == 41) {
            std::snprintf(line, sizeof line, "      %.4f %.4f %.4f\n", 0.25 - 0.01 * (e / 20),
                          0.1875 - 0.01 * (e / 20), 0.125 - 0.01 * (e / 20));
            text += line;
        }
        const double half = e == 1 ? 2.3137 : e == 2 ? 2.1911 : 2.1 - 0.00713 * e;
        std::snprintf(line, sizeof line, "%.5f 0.5 0.50021 %.5f\n", position, half - 1.00021);
        text += line;
        position += e == 1 ? 1.6142 : 1.9 + 0.0377 * std::min(e, 20);
    }
    return text;
}

void ExpectSameGeometry(const Antenna& a, const Antenna& b, double tolerance) {
    ASSERT_EQ(a.elementCount, b.elementCount);
    for (int e = 1; e <= a.elementCount; ++e) {
        ASSERT_EQ(a.sectionCount[e - 1], b.sectionCount[e - 1]) << "element " << e;
        for (int s = 1; s <= a.sectionCount[e - 1]; ++s) {
            EXPECT_NEAR(a.length(e, s), b.length(e, s), tolerance) << e << "/" << s;
            EXPECT_NEAR(a.diameter(e, s), b.diameter(e, s), tolerance) << e << "/" << s;
        }
        // A spacing is the difference of two rounded positions.
        if (e > 1) {
            EXPECT_NEAR(a.spacing[e - 2], b.spacing[e - 2], 2 * tolerance) << e;
        }
    }
}

// The antenna with every length, diameter and position rounded as the file holds them.
Antenna Rounded(Antenna a, Units units) {
    auto round = [units](double inches) {
        return static_cast<float>(units == Units::English ? std::round(inches * 1000) / 1000
                                                          : std::round(inches * 254) / 254);
    };
    for (float& v : a.sectionLength) v = round(v);
    for (float& v : a.sectionDiameter) v = round(v);
    double along = 0;
    for (int e = 1; e < a.elementCount; ++e) {
        const double next = along + a.spacing[e - 1];
        a.spacing[e - 1] = round(next) - round(along);
        along = next;
    }
    return a;
}

} // namespace

TEST(AntennaWriter, LayoutInInchesAndMillimetres) {
    Analyser a = Opened(Sample("2EL20M.QELT"));
    const std::string inches = Folder() + "/Beam.QELT";
    ASSERT_TRUE(a.saveAs(inches, Units::English).ok());
    std::vector<std::string> lines = FileLines(inches);
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(lines[0],
              "BEAM.QELT, Two-element 20 m beam, telescoping tubes" + std::string(10, ' '));
    EXPECT_EQ(lines[1], "14.0   14.175   14.35 MHz");
    EXPECT_EQ(lines[2], " 2 elements, inches");
    EXPECT_EQ(lines[3], "             1.250    1.000    0.875");
    EXPECT_EQ(lines[4], "    0.000   48.000   48.000  116.000");
    EXPECT_EQ(lines[5], "  117.000   48.000   48.000  101.000") << "the same schedule";
    EXPECT_EQ(a.texts().lblFile, "BEAM.QELT");

    const std::string mm = Folder() + "/beam-mm";
    ASSERT_TRUE(a.saveAs(mm, Units::Metric).ok());
    lines = FileLines(mm + ".QELT");
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(lines[2], " 2 elements, mm");
    EXPECT_EQ(lines[3], "              31.8     25.4     22.2");
    EXPECT_EQ(lines[4], "   0000.0   1219.2   1219.2   2946.4");
    EXPECT_EQ(lines[5], "   2971.8   1219.2   1219.2   2565.4");
}

TEST(AntennaWriter, ElementLinesNeverLookLikeDiameterLines) {
    Antenna a;
    a.elementCount = 3;
    a.drivenElement = 2;
    a.title = std::string(50, ' ');
    for (int e = 1; e <= 3; ++e) {
        a.sectionCount[e - 1] = 1;
        a.length(e, 1) = 2;
        a.diameter(e, 1) = e == 3 ? 0.1f : 0.125f;
    }
    a.spacing = {0.15f, 1.2f}; // 3.8 mm, then 30.5 mm further
    for (Units units : {Units::English, Units::Metric}) {
        const std::vector<std::string> lines = AntennaFileLines("T.QELT", a, 1296, 1296, units);
        ASSERT_EQ(lines.size(), 8u) << "a diameter line where the schedule changes";
        for (int i : {4, 5, 7}) EXPECT_NE(lines[i].substr(0, 5), "     ") << lines[i];
        for (int i : {3, 6}) EXPECT_EQ(lines[i].substr(0, 9), std::string(9, ' ')) << lines[i];
    }
    EXPECT_EQ(AntennaFileLines("T", a, 1296, 1296, Units::Metric)[5], "   0003.8     50.8");
    // A number too long for its field still stands apart from the one before it.
    a.spacing[0] = 12345.678f;
    EXPECT_EQ(AntennaFileLines("T", a, 1296, 1296, Units::English)[5], " 12345.678    2.000");
}

TEST(AntennaWriter, TrailerKeepsTheMatchAndTheSourcesNumberedLines) {
    FileTrailer t;
    t.matchFrequency = 14.175;
    t.tipLength = 101;
    t.units = Units::Metric;
    t.network = {"n1", "n2", "n3", "n4"};
    t.sourcePath = "/ants/OLD.YAG";
    t.sourceLines = {"14 title with a number", "14.0 14.35", "a note", "",
                     "0 first element",        "  2.5 rest"};
    EXPECT_EQ(TrailerLines(t),
              (std::vector<std::string>{
                  " ", "Match frequency: 14.175 MHz", "Driven-element tip: 2565.4 mm",
                  "Cable Z0: 50.0 ohms", "Antenna height: Free Space", "n1", "n2", "n3", "n4", " ",
                  "Original file name: /ants/OLD.YAG", "14.0 14.35", "  2.5 rest"}));
    t.heightFeet = 35;
    EXPECT_EQ(TrailerLines(t)[4], "Antenna height: 10.668 m");
    t.units = Units::English;
    EXPECT_EQ(TrailerLines(t)[4], "Antenna height: 35.0 feet");
    EXPECT_EQ(NetworkInputLine("Gamma rod diameter: ", 0.25, Units::English),
              "Gamma rod diameter:  0.25 inches");
    EXPECT_EQ(NetworkInputLine("Gamma rod spacing: ", 6, Units::Metric),
              "Gamma rod spacing:  152.4 mm");
}

TEST(AntennaWriter, NamesWithoutAnExtensionGetQelt) {
    EXPECT_EQ(WithQeltExtension("/a/b/BEAM"), "/a/b/BEAM.QELT");
    EXPECT_EQ(WithQeltExtension("/a.d/beam"), "/a.d/beam.QELT");
    EXPECT_EQ(WithQeltExtension("/a/beam.qelt"), "/a/beam.qelt");
}

TEST(AntennaWriter, RoundTripGivesTheSameAntennaAndSweep) {
    std::vector<std::string> antennas(std::begin(qelt_test::Samples), std::end(qelt_test::Samples));
    for (std::string& name : antennas) name = Sample(name);
    antennas.push_back(WriteAntenna("LONG.QELT", LongTaperedBeam()));
    for (const std::string& path : antennas) {
        const Analyser original = Opened(path);
        for (Units units : {Units::English, Units::Metric}) {
            SCOPED_TRACE(path + (units == Units::English ? " in inches" : " in mm"));
            Analyser saver = Opened(path);
            const std::string copy = Folder() + "/COPY.QELT";
            ASSERT_TRUE(saver.saveAs(copy, units).ok());
            const Analyser back = Opened(copy);
            // Three decimals of an inch, or one of a millimetre, and single precision.
            const double rounding = units == Units::English ? 0.0005 : 0.05 / 25.4;
            ExpectSameGeometry(original.working(), back.working(), rounding + 1e-4);
            EXPECT_EQ(back.frequencyBoxes().txtFreqLo, original.frequencyBoxes().txtFreqLo);
            EXPECT_EQ(back.frequencyBoxes().txtFreqHi, original.frequencyBoxes().txtFreqHi);
            // The sweep read back is the sweep of the antenna rounded as the file has it.
            Antenna rounded = Rounded(original.working(), units);
            const Sweep expected =
                SweepBand(Engine(), rounded, rounded.tipLength(), original.band(), 0,
                          [](float, float r, float x) { return SwrOnCable(r, x, 50); });
            for (int i = 0; i < SweepPoints; ++i) {
                const SweepPoint &p = expected[i], &q = back.lastSweep()[i];
                EXPECT_NEAR(p.gain, q.gain, 0.001) << i;
                EXPECT_NEAR(p.frontToRear, q.frontToRear, 0.01) << i;
                EXPECT_NEAR(p.resistance, q.resistance, 0.001 * p.resistance) << i;
                EXPECT_NEAR(p.reactance, q.reactance, 0.01) << i;
                EXPECT_NEAR(p.swr, q.swr, 0.001) << i;
            }
        }
    }
}

TEST(AntennaWriter, AFailedWriteIsSaidAndChangesNothing) {
    Analyser a = Opened(Sample("3EL15M.QELT"));
    common::Result<> saved = a.saveAs(Folder() + "/no such folder/BEAM.QELT", Units::English);
    ASSERT_FALSE(saved.ok());
    EXPECT_EQ(saved.message().rfind("The antenna could not be saved: cannot write ", 0), 0u);
    EXPECT_EQ(a.texts().lblFile, "3EL15M.QELT");
    // A folder in the way of the file is left as it is.
    const std::string folder = Folder() + "/IN THE WAY.QELT";
    std::filesystem::create_directories(folder + "/inside");
    EXPECT_FALSE(a.saveAs(folder, Units::English).ok());
    EXPECT_TRUE(std::filesystem::is_directory(folder + "/inside"));
}
