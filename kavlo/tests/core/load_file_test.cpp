#include "kavlo/core/load_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <sstream>
#include <string>

using namespace kavlo;
using Complex = std::complex<double>;
using common::Result;

namespace {

// An independent writer of Touchstone files from known impedances: the network is a tee of
// series Za at port 1, Zc across, series Zb at port 2, whose impedance into port 1 with
// port 2 ended in R is Za + Zc || (Zb + R) in closed form.
struct Tee {
    Complex za, zb, zc;
    Complex z11() const { return za + zc; }
    Complex z22() const { return zb + zc; }
    Complex input(double ref) const { return za + zc * (zb + ref) / (zc + zb + ref); }
};

std::string number(double v) {
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", v);
    return text;
}

std::string pair(Complex c, const std::string& format) {
    if (format == "RI") return number(c.real()) + " " + number(c.imag());
    const double angle = std::arg(c) * 180 / std::numbers::pi;
    if (format == "MA") return number(std::abs(c)) + " " + number(angle);
    return number(20 * std::log10(std::abs(c))) + " " + number(angle);
}

// N11 N21 N12 N22 of the tee in the parameter, normalised as version 1 has it.
std::vector<Complex> parameters(const Tee& t, char parameter, double ref, int ports) {
    const Complex z11 = t.z11() / ref, z12 = t.zc / ref, z22 = t.z22() / ref;
    if (ports == 1) {
        const Complex zin = t.input(ref) / ref;
        if (parameter == 'Z') return {zin};
        if (parameter == 'Y') return {1.0 / zin};
        return {(zin - 1.0) / (zin + 1.0)};
    }
    if (parameter == 'Z') return {z11, z12, z12, z22};
    const Complex det = z11 * z22 - z12 * z12;
    if (parameter == 'Y') return {z22 / det, -z12 / det, -z12 / det, z11 / det};
    // S = (z - 1)(z + 1)^-1 of the 2 x 2 normalised matrix.
    const Complex a = z11 + 1.0, d = z22 + 1.0, den = a * d - z12 * z12;
    const Complex s11 = ((z11 - 1.0) * d - z12 * z12) / den;
    const Complex s21 = 2.0 * z12 / den;
    const Complex s22 = ((z22 - 1.0) * a - z12 * z12) / den;
    return {s11, s21, s21, s22};
}

struct Case {
    const char* unit;
    double perMHz; // the file's frequency unit in MHz
    char parameter;
    const char* format;
    double ref;
    int ports;
};

const Tee Tees[] = {
    {{5, 40}, {1, -3}, {20, -300}},
    {{120, -800}, {0.5, 2}, {3000, 900}},
    {{0.2, 0}, {10, 10}, {1e4, 0}},
};
const double Frequencies[] = {1.8, 3.65, 14.2, 432.1};

std::string touchstoneText(const Case& c, bool optionLine) {
    std::ostringstream out;
    out << "! written by the test's own generator\n";
    if (optionLine) {
        // The items in a different order and case for each parameter.
        std::string unit = c.unit, param(1, c.parameter), format = c.format,
                    ref = "R " + number(c.ref);
        if (c.parameter == 'Z')
            out << "#  " << format << " r " << number(c.ref) << " " << unit << " z  ! options\n";
        else if (c.parameter == 'Y')
            out << "# " << ref << "\t" << param << " " << unit << " " << format << "\n";
        else
            out << "# " << unit << " " << param << " " << format << " " << ref << "\n";
        out << "# Hz Z RI R 1\n"; // a second option line counts for nothing
    }
    int k = 0;
    for (double f : Frequencies) {
        const std::vector<Complex> n = parameters(Tees[k++ % 3], c.parameter, c.ref, c.ports);
        out << number(f / c.perMHz);
        for (std::size_t p = 0; p < n.size(); ++p)
            // Two ports' records are split after N21 every other frequency.
            out << ((p == 2 && k % 2) ? "\n  " : " ") << pair(n[p], c.format);
        out << "   ! frequency " << k << "\n\n";
    }
    return out.str();
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

void expectRecovered(const LoadList& list, const Case& c) {
    ASSERT_EQ(list.points.size(), std::size(Frequencies));
    for (std::size_t k = 0; k < list.points.size(); ++k) {
        const Complex want = Tees[k % 3].input(c.ref);
        const LoadPoint& p = list.points[k];
        EXPECT_NEAR(p.freq, Frequencies[k], 1e-12 * Frequencies[k]);
        EXPECT_NEAR(p.r, want.real(), 1e-8 * std::abs(want) + 1e-12);
        EXPECT_NEAR(p.x, want.imag(), 1e-8 * std::abs(want) + 1e-12);
    }
}

Result<LoadList> parse(const std::string& text, int ports = 1) {
    return ParseTouchstone(linesOf(text), ports, "ant.s1p");
}

std::string failure(const Result<LoadList>& read) {
    return read ? std::string("read") : read.message();
}

} // namespace

TEST(Touchstone, RecoversKnownImpedancesInEveryOptionCombination) {
    const std::pair<const char*, double> units[] = {
        {"Hz", 1e-6}, {"kHz", 1e-3}, {"MHZ", 1}, {"ghz", 1000}};
    int cases = 0;
    for (const auto& [unit, perMHz] : units)
        for (char parameter : {'S', 'Z', 'Y'})
            for (const char* format : {"RI", "MA", "DB"})
                for (double ref : {50.0, 75.0, 12.5})
                    for (int ports : {1, 2}) {
                        const Case c{unit, perMHz, parameter, format, ref, ports};
                        SCOPED_TRACE(touchstoneText(c, true));
                        const Result<LoadList> read = parse(touchstoneText(c, true), ports);
                        ASSERT_TRUE(read) << read.message();
                        expectRecovered(read.value(), c);
                        ++cases;
                    }
    EXPECT_EQ(cases, 216);
}

TEST(Touchstone, WithoutAnOptionLineReadsGhzSMagnitudeAngleAgainst50) {
    for (int ports : {1, 2}) {
        const Case c{"GHz", 1000, 'S', "MA", 50, ports};
        const Result<LoadList> read = parse(touchstoneText(c, false), ports);
        ASSERT_TRUE(read) << read.message();
        expectRecovered(read.value(), c);
        EXPECT_NE(read.value().description.find("S in MA against 50 ohm, frequencies in GHz"),
                  std::string::npos);
    }
}

TEST(Touchstone, TwoPortNoiseDataAfterTheNetworkDataAreLeftOut) {
    const Case c{"MHz", 1, 'S', "RI", 50, 2};
    const std::string text =
        touchstoneText(c, true) + "! noise\n1.0 1.5 0.3 40 0.2\n2.0 1.6 0.3 45 0.2\n";
    const Result<LoadList> read = parse(text, 2);
    ASSERT_TRUE(read) << read.message();
    expectRecovered(read.value(), c);
}

TEST(Touchstone, ItsOwnOnePortFileReadsBack) {
    const std::vector<TouchstonePoint> points{{3.5, {50, 0}}, {7, {12.5, -300}}, {14, {900, 4000}}};
    const std::string text = TouchstoneS1p(points, 75, {"from Kavlo"});
    EXPECT_EQ(text.substr(0, 30), "! from Kavlo\n# MHz S RI R 75\n3");
    const Result<LoadList> read = parse(text);
    ASSERT_TRUE(read);
    for (std::size_t k = 0; k < points.size(); ++k) {
        EXPECT_DOUBLE_EQ(read.value().points[k].freq, points[k].freq);
        EXPECT_NEAR(read.value().points[k].r, points[k].z.real(), 1e-9 * std::abs(points[k].z));
        EXPECT_NEAR(read.value().points[k].x, points[k].z.imag(), 1e-9 * std::abs(points[k].z));
    }
}

TEST(Touchstone, BadFilesNameTheFileAndLine) {
    const std::pair<std::string, std::string> cases[] = {
        {"# MHz S RI\n3.5 0.1 zero\n", "ant.s1p line 2: \"zero\" is not a number"},
        {"# MHz S RI R\n", "ant.s1p line 1: R must be followed by a reference resistance"},
        {"# MHz S RI R -50\n", "ant.s1p line 1: R must be followed"},
        {"# MHz Q RI\n", "ant.s1p line 1: \"Q\" is not an option"},
        {"# MHz H RI\n", "ant.s1p line 1: hybrid parameters (H) are not read"},
        {"[Version] 2.0\n", "ant.s1p line 1: keywords in brackets belong to Touchstone 2.0"},
        {"# MHz S RI\n3.5 0.1 0\n3.5 0.2 0\n", "line 3: the frequency 3.5 MHz is not above"},
        {"# MHz S RI\n0 0.1 0\n", "line 2: the frequency 0 is not above 0"},
        {"# GHz S RI\n1e308 0.1 0\n", "line 2: the frequency 1e+308 is too large"},
        {"# MHz S RI\n3.5 0.1\n", "line 2: the record is cut short: 3 numbers expected, 2 found"},
        {"# MHz S MA\n3.5 1.2 30\n", "line 2: at 3.5 MHz the load's resistance is -"},
        {"# MHz S RI\n3.5 1 0\n", "line 2: at 3.5 MHz the load is an open circuit"},
        {"3.5 0.1 0\n# MHz S RI\n", "line 2: the # option line must come before the data"},
        {"! nothing\n", "ant.s1p: the file holds no data"},
        {"# MHz S RI\n3.5 1e999 0\n", "line 2: \"1e999\" is not a number"},
    };
    for (const auto& [text, message] : cases)
        EXPECT_NE(failure(parse(text)).find(message), std::string::npos)
            << text << " gave " << failure(parse(text));
}

TEST(Touchstone, FileKindsByExtension) {
    EXPECT_EQ(LoadFileKindOf("a.S1P").value(), LoadFileKind::Touchstone1);
    EXPECT_EQ(LoadFileKindOf("dir.s2p/b.s2p").value(), LoadFileKind::Touchstone2);
    EXPECT_EQ(LoadFileKindOf("sweep.csv").value(), LoadFileKind::Csv);
    EXPECT_EQ(LoadFileKindOf("sweep.txt").value(), LoadFileKind::Csv);
    EXPECT_EQ(LoadFileKindOf("amp.s4p").message(),
              "amp.s4p: only one- and two-port Touchstone files (.s1p, .s2p) are read");
    const Result<LoadList> missing = ReadLoadFile("/nonexistent/ant.s1p");
    ASSERT_FALSE(missing);
    EXPECT_NE(missing.message().find("/nonexistent/ant.s1p"), std::string::npos);
}

TEST(AnalyserCsv, WithOrWithoutHeadingUnitsFromTheHeading) {
    const auto read = [](const std::string& text) {
        return ParseAnalyserCsv(linesOf(text), "scan.csv");
    };
    const Result<LoadList> plain = read("3.5,50.2,-3.1\n\n3.6, 48 , 2.5,1.07\n");
    ASSERT_TRUE(plain) << plain.message();
    ASSERT_EQ(plain.value().points.size(), 2u);
    EXPECT_EQ(plain.value().points[1].freq, 3.6);
    EXPECT_EQ(plain.value().points[1].r, 48);
    EXPECT_EQ(plain.value().points[1].x, 2.5);
    EXPECT_EQ(plain.value().points[1].line, 3);

    const Result<LoadList> hz = read("\"Frequency (Hz)\";R;X\n3500000;50;0\n4000000;60;10\n");
    ASSERT_TRUE(hz) << hz.message();
    EXPECT_DOUBLE_EQ(hz.value().points[1].freq, 4);
    EXPECT_EQ(read("Freq GHz,R,X\n1.2,50,0\n").value().points[0].freq, 1200);
    EXPECT_EQ(read("kHz\tR\tX\n1800\t50\t0\n").value().points[0].freq, 1.8);
    const Result<LoadList> decimalCommas = read("MHz;R;X\n3,55;50,2;-3,1\n");
    ASSERT_TRUE(decimalCommas) << decimalCommas.message();
    EXPECT_EQ(decimalCommas.value().points[0].freq, 3.55);
    EXPECT_EQ(decimalCommas.value().points[0].r, 50.2);
    EXPECT_EQ(decimalCommas.value().points[0].x, -3.1);
    EXPECT_EQ(read("Frequency,R,X\n14.1,50,0\n").value().points[0].freq, 14.1);
}

TEST(AnalyserCsv, BadLinesAreNamed) {
    const auto message = [](const std::string& text) {
        return failure(ParseAnalyserCsv(linesOf(text), "scan.csv"));
    };
    EXPECT_EQ(message("MHz,R,X\n3.5,50\n"),
              "scan.csv line 2: frequency, R and X expected, separated by commas");
    EXPECT_EQ(message("3.5,50,0\nMHz,R,X\n"), "scan.csv line 2: \"MHz\" is not a number");
    EXPECT_EQ(message("3.5,-5,0\n").substr(0, 46),
              "scan.csv line 1: at 3.5 MHz the load's resista");
    EXPECT_EQ(message("3.6,50,0\n3.5,50,0\n"),
              "scan.csv line 2: the frequency 3.5 MHz is not above the one before, 3.6 MHz");
    EXPECT_EQ(message("MHz,R,X\n"), "scan.csv: the file holds no data");
}
