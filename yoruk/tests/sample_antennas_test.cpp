// The sample antennas shipped in QeltAnts read cleanly and perform as such
// beams should across their bands.

#include "engine_library.h"

#include <gtest/gtest.h>

#include <complex>
#include <filesystem>

using namespace yoruk_test;

namespace {

struct Expected {
    const char* file;
    int elements;
    float minGain, maxGain, minFrontToBack;
};

} // namespace

TEST(SampleAntennas, SweepLikeTheirDesigns) {
    const Expected samples[] = {
        {"2EL20M.QELT", 2, 6.0f, 7.0f, 9.0f},
        {"3EL15M.QELT", 3, 7.3f, 8.0f, 20.0f},
        {"5EL10M.QELT", 5, 9.2f, 10.0f, 15.0f},
        {"6EL6M.QELT", 6, 10.7f, 11.2f, 14.0f},
    };
    // By their names from the folder itself: the engine takes paths of up to 80 characters.
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(SUITE_DIR "/QeltAnts");
    for (const Expected& e : samples) {
        SCOPED_TRACE(e.file);
        Antenna a;
        Read(e.file, a);
        ASSERT_EQ(Status().code, YORUK_OK) << Status().message;
        ASSERT_EQ(a.elementCount, e.elements);
        const Uniform u = UniformOf(a);
        for (int i = 0; i <= 10; ++i) {
            const float f = a.freqLow + (a.freqHigh - a.freqLow) * static_cast<float>(i) / 10;
            const Point p = Solve(u, f);
            EXPECT_EQ(p.status, YORUK_OK);
            EXPECT_GE(p.gain, e.minGain) << f;
            EXPECT_LE(p.gain, e.maxGain) << f;
            EXPECT_GE(p.frontToBack, e.minFrontToBack) << f;
            const float rho = std::abs((std::complex<float>(p.resistance, p.reactance) - 50.0f) /
                                       (std::complex<float>(p.resistance, p.reactance) + 50.0f));
            EXPECT_LT((1 + rho) / (1 - rho), 2.0f) << f << " MHz: SWR against 50 ohms";
        }
    }
    std::filesystem::current_path(before);
}
