// One terrain-engine call as the terrain program makes it for a slot: 150 profile
// points of rolling ground, a stack of four antennas, diffraction on.
#include "../vexlocore_abi.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>

namespace {

struct Slot {
    std::array<float, VEXLO_PROFILE_POINTS> distance{}, elevation{};
    std::array<float, VEXLO_ANTENNAS> heights{30, 60, 90, 120};
    std::array<int16_t, VEXLO_ANTENNAS> phases{1, 1, 1, 1};
    float frequency = 14.2f, dielectric = 13, conductivity = 0.005f, logAngle = 5;
    int16_t type = 5, diffractionOff = 0, logFlag = 0;

    Slot() {
        for (int i = 1; i <= 150; ++i) {
            float d = 100.0f * static_cast<float>(i - 1);
            distance[i] = d;
            // Hills of a few hundred feet at a few thousand feet apart.
            elevation[i] = 500 + 120 * std::sin(d / 1700) + 60 * std::sin(d / 610 + 1);
        }
    }
    void run(std::array<float, VEXLO_GAINS>& gains) {
        gains.fill(-30);
        VexloCore1(distance.data(), elevation.data(), heights.data(), &frequency, &dielectric,
                   &conductivity, &type, &diffractionOff, &logFlag, &logAngle, gains.data(),
                   phases.data());
    }
};

void FourAntennasOver150Points(benchmark::State& state) {
    Slot slot;
    std::array<float, VEXLO_GAINS> gains;
    for (auto _ : state) {
        slot.run(gains);
        benchmark::DoNotOptimize(gains.data());
    }
}
BENCHMARK(FourAntennasOver150Points)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
