// The antenna-file reader and its number and character routines.

#include "engine_library.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

using namespace yoruk_test;

namespace {

float Parse(const char* text, const char* unit = "IN ", float designFrequency = 14.0f,
            std::string* fieldAfter = nullptr) {
    char field[10];
    std::memset(field, ' ', sizeof field);
    std::memcpy(field, text, std::strlen(text));
    char code[3];
    std::memcpy(code, unit, 3);
    int32_t fieldWidth = 10, codeWidth = 3;
    float value = -1;
    Engine().numparse(field, &fieldWidth, &value, &designFrequency, code, &codeWidth);
    if (fieldAfter) *fieldAfter = std::string(field, 10);
    return value;
}

Antenna ReadText(const std::string& contents) {
    Antenna a;
    Read(WriteFile("ANT.QELT", contents), a);
    return a;
}

const char* ThreeElementHeader = "Test beam\n14.000 14.175 14.350 MHz\n3 elements, inches\n";

} // namespace

TEST(Numparse, DecimalSeparatorsSignsAndSuffixes) {
    EXPECT_FLOAT_EQ(Parse("12,5"), 12.5f);
    EXPECT_FLOAT_EQ(Parse("12.5"), 12.5f);
    EXPECT_FLOAT_EQ(Parse("-3.5"), 3.5f);
    EXPECT_FLOAT_EQ(Parse("14.175"), 14.175f);
    EXPECT_FLOAT_EQ(Parse("0"), 0);
    EXPECT_FLOAT_EQ(Parse("elements"), 0);
    std::string after;
    EXPECT_FLOAT_EQ(Parse("1.5ft", "IN ", 14, &after), 18.0f);
    EXPECT_EQ(after, "1.5FT     ") << "the suffix is upper-cased in place";
    EXPECT_FLOAT_EQ(Parse("1'"), 12.0f);
    EXPECT_FLOAT_EQ(Parse("12\"", "FT "), 12.0f);
    EXPECT_FLOAT_EQ(Parse("12IN", "'  "), 12.0f);
    EXPECT_NEAR(Parse("38MM"), 1.496063f, 1e-6f);
    EXPECT_NEAR(Parse("2.54CM"), 1.0f, 1e-6f);
    EXPECT_NEAR(Parse("2M"), 78.74f, 1e-4f);
    EXPECT_NEAR(Parse("0.25W", "IN ", 14.0f), 0.25f * 11802.85f / 14.0f, 1e-3f);
    EXPECT_FLOAT_EQ(Parse("12 FT"), 12.0f) << "a blank ends the number and there is no suffix";
}

TEST(Numparse, FileUnitsAndSuffixOverride) {
    EXPECT_FLOAT_EQ(Parse("1.5", "FT "), 18.0f);
    EXPECT_NEAR(Parse("25.4", "MM "), 1.0f, 1e-6f);
    EXPECT_NEAR(Parse("1", "M  "), 39.37f, 1e-5f);
    EXPECT_NEAR(Parse("2.54", "CM "), 1.0f, 1e-6f);
    // A suffix wins over any file unit.
    EXPECT_FLOAT_EQ(Parse("3IN", "CM "), 3.0f);
    EXPECT_NEAR(Parse("1M", "CM "), 39.37f, 1e-5f);
    EXPECT_NEAR(Parse("10MM", "FT "), 10 / 25.4f, 1e-6f);
}

TEST(Getdta4, ReadsTheRecordAndUpperCasesThePath) {
    const std::string path =
        WriteFile("beam.qelt", std::string(ThreeElementHeader) + "         1.250 1.000 0.750\n"
                                                                 "0 48 48 100\r\n"
                                                                 "96 48 48 92\n"
                                                                 "220 48 48 88");
    Antenna a;
    a.sectionCount[3] = 99; // beyond ElementCount: left alone
    char buffer[80];
    std::memset(buffer, ' ', 80);
    std::memcpy(buffer, path.data(), path.size());
    int32_t w80 = 80, w50 = 50;
    Engine().getdta4(buffer, &w80, a.title.data(), &w50, &a.elementCount, &a.drivenElement,
                     a.sectionCount.data(), a.sectionLength.data(), a.sectionDiameter.data(),
                     a.spacing.data(), &a.freqLow, &a.freqHigh);
    EXPECT_EQ(Status().code, YORUK_OK);
    std::string upper = path;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(std::string(buffer, path.size()), upper);
    EXPECT_EQ(a.titleText(), "Test beam");
    EXPECT_EQ(a.elementCount, 3);
    EXPECT_EQ(a.drivenElement, 2);
    EXPECT_FLOAT_EQ(a.freqLow, 14.0f);
    EXPECT_FLOAT_EQ(a.freqHigh, 14.35f);
    for (int e = 1; e <= 3; ++e) {
        EXPECT_EQ(a.sectionCount[e - 1], 3);
        EXPECT_FLOAT_EQ(a.diameter(e, 1), 1.25f);
        EXPECT_FLOAT_EQ(a.diameter(e, 3), 0.75f);
    }
    EXPECT_FLOAT_EQ(a.length(1, 3), 100);
    EXPECT_FLOAT_EQ(a.length(3, 3), 88);
    EXPECT_FLOAT_EQ(a.spacing[0], 96);
    EXPECT_FLOAT_EQ(a.spacing[1], 124);
    EXPECT_FLOAT_EQ(a.spacing[2], 0);
    EXPECT_EQ(a.sectionCount[3], 99);
}

TEST(Getdta4, FrequencyLines) {
    const char* rest = "1 element\n1.0\n0 100\n";
    Antenna a = ReadText(std::string("t\n14.175 MHz\n") + rest);
    EXPECT_FLOAT_EQ(a.freqLow, 14.175f);
    EXPECT_FLOAT_EQ(a.freqHigh, 14.175f);
    a = ReadText(std::string("t\n14.175\n") + rest);
    EXPECT_FLOAT_EQ(a.freqHigh, 14.175f);
    a = ReadText(std::string("t\n14000 14175 14350 kHz\n") + rest);
    EXPECT_FLOAT_EQ(a.freqLow, 14.0f);
    EXPECT_FLOAT_EQ(a.freqHigh, 14.35f);
    a = ReadText(std::string("t\n0.144 0.145 0.146 GHz\n") + rest);
    EXPECT_FLOAT_EQ(a.freqLow, 144.0f);
    // Two numbers and a unit word: the word is the upper frequency.
    a = ReadText(std::string("t\n14.0 14.35 MHz\n") + rest);
    EXPECT_FLOAT_EQ(a.freqLow, 14.0f);
    EXPECT_FLOAT_EQ(a.freqHigh, 0.0f);
}

TEST(Getdta4, LengthUnitsAndSpacingMode) {
    Antenna a = ReadText("t\n14.1\n2 elements, feet\n0.08333333\n0 1.5\n5 1.5FT 6IN\n");
    EXPECT_FLOAT_EQ(a.length(1, 1), 18.0f);
    EXPECT_FLOAT_EQ(a.length(2, 1), 18.0f) << "1.5FT in a feet file";
    EXPECT_FLOAT_EQ(a.length(2, 2), 6.0f);
    EXPECT_NEAR(a.diameter(1, 1), 1.0f, 1e-5f);
    EXPECT_FLOAT_EQ(a.spacing[0], 60.0f);

    a = ReadText("t\n14.1\n2 elements, mm\n25.4 12.7\n0 2540\n1016 2540 254\n");
    EXPECT_NEAR(a.length(1, 1), 100.0f, 1e-3f);
    EXPECT_NEAR(a.diameter(2, 2), 0.5f, 1e-6f);
    EXPECT_NEAR(a.spacing[0], 40.0f, 1e-4f);

    a = ReadText("t\n14.1\n2 elements, cm\n2.54\n0 254\n101.6 254\n");
    EXPECT_NEAR(a.length(2, 1), 100.0f, 1e-3f);
    a = ReadText("t\n14.1\n2 elements, metres\n0.0254\n0 2.54\n1.016 2.54\n");
    EXPECT_NEAR(a.length(2, 1), 100.0f, 1e-3f);

    // SP: the first field is the spacing from the previous element.
    a = ReadText("t\n14.1\n3 elements, inches\nsp 1.0 0.5\n999 100 10\n80 100 10\n120 100 10\n");
    EXPECT_FLOAT_EQ(a.diameter(1, 1), 1.0f);
    EXPECT_FLOAT_EQ(a.diameter(1, 2), 0.5f);
    EXPECT_FLOAT_EQ(a.spacing[0], 80);
    EXPECT_FLOAT_EQ(a.spacing[1], 120);
    EXPECT_FLOAT_EQ(a.spacing[2], 0);
}

TEST(Getdta4, WavelengthFilesHalveFullElements) {
    // FD = 14.142 MHz: a wavelength is 834.6 inches.
    Antenna a = ReadText("t\n14.142\n2 elements, wavelengths\n0.001\n0 0.48\n0.2 0.24\n");
    const float lambda = 11802.85f / 14.142f;
    EXPECT_NEAR(a.length(1, 1), 0.24f * lambda, 0.01f);
    EXPECT_NEAR(a.length(1, 1), 200.3f, 0.05f);
    EXPECT_NEAR(a.length(2, 1), 0.24f * lambda, 0.01f);
    EXPECT_NEAR(a.spacing[0], 0.2f * lambda, 0.01f);
    EXPECT_NEAR(a.diameter(1, 1), 0.001f * lambda, 1e-4f);
    // Only wavelength files halve.
    a = ReadText("t\n14.142\n1 element\n1\n0 900\n");
    EXPECT_FLOAT_EQ(a.length(1, 1), 900);
}

TEST(Getdta4, ZeroSectionsDiameterLinesAndDescendingPositions) {
    Antenna a = ReadText(std::string(ThreeElementHeader) + "1.5 1.25 1.0 0.75\n"
                                                           "300 0 0 100 50\n"
                                                           "     0.5 0.4\n"
                                                           "150 60 40\n"
                                                           "\t0.3\n"
                                                           "0 90\n");
    EXPECT_EQ(a.sectionCount[0], 2);
    EXPECT_FLOAT_EQ(a.length(1, 1), 100);
    EXPECT_FLOAT_EQ(a.length(1, 2), 50);
    EXPECT_FLOAT_EQ(a.diameter(1, 1), 1.0f) << "diameter 3 of the schedule";
    EXPECT_FLOAT_EQ(a.diameter(1, 2), 0.75f);
    EXPECT_EQ(a.sectionCount[1], 2);
    EXPECT_FLOAT_EQ(a.diameter(2, 1), 0.5f);
    EXPECT_FLOAT_EQ(a.diameter(2, 2), 0.4f);
    EXPECT_EQ(a.sectionCount[2], 1);
    EXPECT_FLOAT_EQ(a.diameter(3, 1), 0.3f);
    EXPECT_FLOAT_EQ(a.spacing[0], 150);
    EXPECT_FLOAT_EQ(a.spacing[1], 150);
}

TEST(Getdta4, AnalyserMillimetreLayoutReadsBack) {
    Antenna a = ReadText("BEAM.QELT, Two element                                        \n"
                         "14.0   14.175   14.35 MHz\n"
                         " 2 elements, mm\n"
                         "         25.4   19.1\n"
                         "   0000.0   1219.2   3810.0\n"
                         "   2438.4   1219.2   3556.0\n"
                         " \n"
                         "Match frequency: 14.175 MHz\n");
    EXPECT_EQ(Status().code, YORUK_OK);
    EXPECT_EQ(a.titleText(), "BEAM.QELT, Two element");
    EXPECT_EQ(a.elementCount, 2);
    EXPECT_NEAR(a.length(1, 2) * 25.4f, 3810.0f, 0.05f);
    EXPECT_NEAR(a.diameter(1, 2) * 25.4f, 19.1f, 0.05f);
    EXPECT_NEAR(a.spacing[0] * 25.4f, 2438.4f, 0.05f);
}

TEST(Getdta4, MissingAndKlmFiles) {
    Antenna a;
    a.elementCount = 7;
    a.freqLow = 3.5f;
    a.sectionLength[0] = 5;
    Read(WriteFile("none", "") + ".missing", a);
    EXPECT_EQ(Status().code, YORUK_FILE_NOT_FOUND);
    EXPECT_EQ(a.elementCount, 7);
    EXPECT_EQ(a.freqLow, 3.5f);
    EXPECT_EQ(a.sectionLength[0], 0);
    EXPECT_EQ(a.drivenElement, 2);

    a = ReadText("Big KLM beam\nKLM 14.0 14.35\n5 elements\n");
    const LastStatus s = Status();
    EXPECT_EQ(s.code, YORUK_KLM_FILE);
    EXPECT_EQ(s.message, "Sorry, I don't do KLM antennas yet.");
    EXPECT_EQ(a.titleText(), "Big KLM beam");
    a = ReadText("t\ndual 14 21\n");
    EXPECT_EQ(Status().code, YORUK_KLM_FILE);
}

TEST(Getdta4, MalformedFilesNameTheirLine) {
    struct Case {
        const char* contents;
        int line;
    };
    const Case cases[] = {
        {"", 1},
        {"t\n", 2},
        {"t\n14\n0 elements\n1\n0 100\n", 3},
        {"t\n14\n51 elements\n1\n0 100\n", 3},
        {"t\n14\n2 elements\n1\n0 100\n", 6},
        {"t\n14\n1 element\n1\n0 1 2 3 4 5 6 7 8 9 10\n", 5},
        {"t\n14\n1 element\n1 2 3 4 5 6 7 8 9 10 11\n0 1\n", 4},
        {"t\n14\n1 element\n1\n     1 2 3 4 5 6 7 8 9 10\n0 1 2 3 4 5 6 7 8 9\n", 5},
        {"t\n14\n1 element\n1\n0 0 0\n", 5},
    };
    for (const Case& c : cases) {
        ReadText(c.contents);
        const LastStatus s = Status();
        EXPECT_EQ(s.code, YORUK_MALFORMED) << c.contents;
        EXPECT_EQ(s.line, c.line) << c.contents;
        EXPECT_EQ(s.message.rfind("Line " + std::to_string(c.line) + ": ", 0), 0u) << s.message;
    }
}

// Files as they turn up on old disks and in mail: an end-of-file mark, stray control
// characters, line ends of every kind.
TEST(Getdta4, OldAndOddFilesRead) {
    using namespace std::string_literals;
    const std::string body = "14.0 14.175 14.35\n2 elements, inches\n1.0\n0 100\n80 96";
    struct Case {
        const char* what;
        std::string contents;
        std::string title;
    };
    const Case cases[] = {
        {"end-of-file mark after the last line", "Old beam\r\n" + body + "\r\n\x1a", "Old beam"},
        {"end-of-file mark ending the last line", "Old beam\n" + body + "\x1a", "Old beam"},
        {"CR-only line ends",
         "Mac beam\r14.0 14.175 14.35\r2 elements, inches\r1.0\r0 100\r80 96\r", "Mac beam"},
        {"stray control characters",
         "Odd\x07 beam\n14.0\x01"
         "14.175\t14.35\n2\x1b"
         "elements, inches\n1.0\n0\0"
         "100\n80\x0b"
         "96\n"s,
         "Odd\x07 beam"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Antenna a = ReadText(c.contents);
        ASSERT_EQ(Status().code, YORUK_OK) << Status().message;
        EXPECT_EQ(a.titleText(), c.title);
        EXPECT_EQ(a.elementCount, 2);
        EXPECT_FLOAT_EQ(a.freqHigh, 14.35f);
        EXPECT_FLOAT_EQ(a.length(1, 1), 100);
        EXPECT_FLOAT_EQ(a.length(2, 1), 96);
        EXPECT_FLOAT_EQ(a.spacing[0], 80);
    }
}

// Whatever the file's unit, a length with a suffix is in the suffix's unit.
TEST(Getdta4, SuffixesOverrideTheFileUnit) {
    Antenna a = ReadText("t\n14.1\n1 element, feet\n1\n0 10MM 2IN 1FT 1M\n");
    ASSERT_EQ(Status().code, YORUK_OK);
    EXPECT_NEAR(a.length(1, 1), 10 / 25.4f, 1e-5f) << "not 120 inches";
    EXPECT_FLOAT_EQ(a.length(1, 2), 2);
    EXPECT_FLOAT_EQ(a.length(1, 3), 12);
    EXPECT_NEAR(a.length(1, 4), 39.37f, 1e-4f);
}

// A folder, a device or a pipe is refused at once; none of them may hang the reader.
TEST(Getdta4, PathsThatAreNotFilesAreRefused) {
    const std::string file = WriteFile("BEAM.QELT", "t\n14\n1 element\n1\n0 100\n");
    const std::string folder = file.substr(0, file.rfind('/'));
    const std::string fifo = folder + "/PIPE.QELT";
    ::unlink(fifo.c_str());
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {folder, std::string("/dev/zero"), fifo}) {
        Antenna a;
        Read(path, a);
        const LastStatus s = Status();
        EXPECT_EQ(s.code, YORUK_FILE_NOT_FOUND) << path;
        EXPECT_EQ(s.message, "The path is not a file.") << path;
    }
    ::unlink(fifo.c_str());
}

TEST(Getdta4, PathsLongerThanTheInterfaceWidth) {
    const std::string name = std::string(90, 'x') + ".qelt";
    const std::string path = WriteFile(name, "Far away\n14\n1 element\n1\n0 100\n");
    ASSERT_GT(path.size(), 80u);
    Antenna a;
    Read(path, a);
    ASSERT_EQ(Status().code, YORUK_OK) << Status().message;
    EXPECT_EQ(a.titleText(), "Far away");
}
