#include "kavlo/core/catalogue.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace kavlo;

namespace {
LineDescription at(int index, double freq, UserLine user = {}) {
    LineDescription line;
    DescribeLine(line, index, freq, user);
    return line;
}
} // namespace

TEST(Catalogue, ListTextsInOrderEachWithALeadingBlank) {
    ASSERT_EQ(Catalogue.size(), 34u);
    EXPECT_EQ(Catalogue[0].listText, " RG-6 (Belden 8215)");
    EXPECT_EQ(Catalogue[3].listText, " RG-8A (Belden 8237)");
    EXPECT_EQ(Catalogue[17].listText, " RG-213 (Belden 8267)");
    EXPECT_EQ(Catalogue[32].listText, " 600-Ohm Open-Wire Ladder Line, #12 Wire");
    EXPECT_EQ(Catalogue[33].listText, " User-Defined Transmission Line");
    for (const auto& row : Catalogue) EXPECT_EQ(row.listText[0], ' ');
}

TEST(Catalogue, CharacteristicImpedanceOfEveryRowMatchesItsCheckColumn) {
    const double z0[] = {75.1, 50.0, 49.2, 52.2, 50.6, 50.0, 50.0, 75.3,  75.1,  50.0,  49.2,
                         50.0, 75.3, 75.1, 89.7, 50.1, 50.0, 50.0, 52.2,  50.0,  50.5,  50.0,
                         50.2, 75.2, 50.2, 75.2, 50.0, 50.1, 49.9, 300.0, 402.7, 402.7, 599.9};
    for (int i = 0; i < 33; ++i) EXPECT_NEAR(at(i, 14).r0, z0[i], 0.05) << "row " << i;
}

TEST(LineDescription, WorkedExamples) {
    LineDescription rg213 = at(17, 14);
    EXPECT_NEAR(rg213.atten, 0.780, 0.0005);
    EXPECT_NEAR(rg213.r0, 50.01, 0.005);
    EXPECT_NEAR(rg213.wavelength, 46.37, 0.005);
    EXPECT_NEAR(rg213.x0, -0.33, 0.005);

    EXPECT_NEAR(at(16, 1).atten, std::exp(0.33), 1e-5); // the one positive b
    EXPECT_NEAR(at(16, 1).atten, 1.391, 0.0005);

    LineDescription openWire = at(32, 14);
    EXPECT_NEAR(openWire.atten, 0.0691, 0.00005);
    EXPECT_NEAR(openWire.r0, 599.9, 0.05);
    EXPECT_NEAR(openWire.x0, -0.49, 0.005);
}

TEST(LineDescription, UserDefinedLineIsTakenAsEntered) {
    UserLine user{75, 1.5f, 2, 0.8f, 5000, 7};
    LineDescription line = at(33, 14, user);
    EXPECT_EQ(line.r0, 75);
    EXPECT_EQ(line.x0, 1.5f);
    EXPECT_EQ(line.atten, 2);
    EXPECT_EQ(line.vmax, 5000);
    EXPECT_NEAR(line.wavelength, 983.57104 * 0.8 / 14, 1e-4);
    EXPECT_FLOAT_EQ(line.capPerFoot, 0.00001f);
}

TEST(LineDescription, PositionsOutsideTheListLeaveItUnchanged) {
    LineDescription line = at(17, 14);
    LineDescription before = line;
    DescribeLine(line, -1, 3.5, {});
    DescribeLine(line, 34, 3.5, {});
    EXPECT_EQ(line.r0, before.r0);
    EXPECT_EQ(line.atten, before.atten);
    EXPECT_EQ(line.wavelength, before.wavelength);
}
