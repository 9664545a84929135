// The uniform equivalent of tapered elements.

#include "engine_library.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace yoruk_test;

namespace {

struct Equivalent {
    float halfLength, diameter;
};

// One element of the given sections (boom first), as element `index` of a table.
Equivalent Reduce(const std::vector<std::pair<float, float>>& sections, int index = 1) {
    std::array<float, 500> length{}, diameter{};
    std::array<int16_t, 50> count{};
    for (int i = 0; i < index; ++i) {
        count[i] = static_cast<int16_t>(sections.size());
        for (std::size_t s = 0; s < sections.size(); ++s) {
            length[i + 50 * s] = sections[s].first;
            diameter[i + 50 * s] = sections[s].second;
        }
    }
    std::array<float, 50> half{}, dia{};
    const bool spare = index < 50;
    if (spare) half[index] = -1; // beyond ElementCount: untouched
    int16_t n = static_cast<int16_t>(index);
    Engine().efflen4(&n, length.data(), diameter.data(), half.data(), dia.data(), count.data());
    if (spare) {
        EXPECT_EQ(half[index], -1);
    }
    return {half[index - 1], dia[index - 1]};
}

} // namespace

TEST(Efflen4, SingleSectionPassesThrough) {
    const Equivalent e = Reduce({{123.456f, 0.789f}});
    EXPECT_EQ(e.halfLength, 123.456f);
    EXPECT_EQ(e.diameter, 0.789f);
    EXPECT_EQ(Status().code, YORUK_OK);
}

TEST(Efflen4, UniformSectionsKeepTheirLength) {
    const Equivalent e = Reduce({{100, 1}, {100, 1}});
    EXPECT_EQ(e.halfLength, 200.0f);
    EXPECT_NEAR(e.diameter, 1.0024f, 0.0001f);
}

TEST(Efflen4, TaperShortensTheEquivalent) {
    const Equivalent e = Reduce({{48, 1.25f}, {48, 1.0f}, {100, 0.75f}}, 50);
    EXPECT_NEAR(e.halfLength, 190.88f, 0.01f);
    EXPECT_NEAR(196 / e.halfLength, 1.0268f, 0.0001f);
    EXPECT_NEAR(e.diameter, 0.921f, 0.001f);
    const Equivalent reversed = Reduce({{100, 0.75f}, {48, 1.0f}, {48, 1.25f}});
    EXPECT_GT(std::fabs(reversed.halfLength - e.halfLength), 1.0f);
}

TEST(Efflen4, ZeroLengthIsNumericalTrouble) {
    const Equivalent e = Reduce({{0, 1}, {0, 1}});
    EXPECT_FALSE(std::isfinite(e.halfLength));
    EXPECT_EQ(Status().code, YORUK_NUMERICAL_TROUBLE);
}
