// Smooth terrain sampled every 200, 100 and 50 ft: the answer follows the terrain, not its
// sampling, changes smoothly with the angle, and never exceeds what a dipole can reach.
#include <functional>

#include "engine_call.h"

using namespace vexlo_test;

namespace {

struct Shape {
    const char* name;
    std::function<double(double)> elevation; // feet, of the distance in feet
};

class Resampled : public ::testing::TestWithParam<Shape> {};

std::array<float, 140> sampled(const Shape& shape, double step, int16_t type) {
    Call c;
    c.type = type;
    c.heights = {70.0f, 0.0f, 0.0f, 0.0f};
    c.profile.clear();
    // 7400 ft: as far as 149 points every 50 ft go, the same extent for every sampling.
    for (double x = 0.0; x <= 7400.0 + 1e-9; x += step)
        c.profile.push_back({x, shape.elevation(x)});
    return c.run();
}

TEST_P(Resampled, AgreesWithinOneDecibelStepsLessThanTwoAndStaysBelowTheDipoleLimit) {
    for (int16_t type : {1, 7}) {
        const std::array<std::array<float, 140>, 3> runs{sampled(GetParam(), 200.0, type),
                                                         sampled(GetParam(), 100.0, type),
                                                         sampled(GetParam(), 50.0, type)};
        float peak = -30.0f;
        for (const auto& run : runs)
            peak = std::max(peak, *std::max_element(run.begin(), run.end()));
        const auto strong = [&](int k) {
            for (const auto& run : runs)
                if (run[k] < peak - 15.0f) return false;
            return true;
        };
        for (int k = 0; k < 140; ++k) {
            if (type == 1) {
                for (const auto& run : runs) EXPECT_LE(run[k], 10.2f) << "at " << degreesAt(k);
            }
            if (!strong(k)) continue;
            const auto [low, high] = std::minmax({runs[0][k], runs[1][k], runs[2][k]});
            EXPECT_LE(high - low, 1.0f) << "type " << type << " at " << degreesAt(k);
            // Below a degree the field may rise steeply out of the terrain's shadow, as the
            // full-wave answer does.
            if (k + 1 < 140 && degreesAt(k) >= 1.0 && strong(k + 1)) {
                for (const auto& run : runs)
                    EXPECT_LE(std::fabs(run[k + 1] - run[k]), 2.0f)
                        << "type " << type << " at " << degreesAt(k);
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Terrain, Resampled,
    ::testing::Values(Shape{"Hilltop",
                            [](double x) {
                                return 500.0 + 300.0 * std::exp(-std::pow(x / 3000.0, 2));
                            }},
                      Shape{"Ridge",
                            [](double x) {
                                return 500.0 + 150.0 * std::exp(-std::pow((x - 3000.0) / 600.0, 2));
                            }},
                      Shape{"Valley",
                            [](double x) {
                                return 800.0 -
                                       300.0 * std::exp(-std::pow((x - 4000.0) / 1500.0, 2));
                            }},
                      Shape{"Rolling",
                            [](double x) {
                                return 600.0 + 50.0 * std::sin(2.0 * pi * x / 6000.0 + 0.6) +
                                       20.0 * std::sin(2.0 * pi * x / 2500.0 + 2.1);
                            }}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
