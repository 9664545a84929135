// The terrain engine as the terrain program calls it: one slot (150 profile points of rolling
// ground, a stack of four five-element antennas, diffraction on, 14.2 MHz unless said), and
// a Compute of four slots over different ground.
#include "../vexlocore_abi.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <functional>

namespace {

struct Slot {
    std::array<float, VEXLO_PROFILE_POINTS> distance{}, elevation{};
    std::array<float, VEXLO_ANTENNAS> heights{30, 60, 90, 120};
    std::array<int16_t, VEXLO_ANTENNAS> phases{1, 1, 1, 1};
    float frequency = 14.2f, dielectric = 13, conductivity = 0.005f, logAngle = 5;
    int16_t type = 5, diffractionOff = 0, logFlag = 0;

    // 150 points 100 ft apart.
    explicit Slot(const std::function<float(float)>& ground) {
        for (int i = 1; i <= 150; ++i) {
            distance[i] = 100.0f * static_cast<float>(i - 1);
            elevation[i] = ground(distance[i]);
        }
    }
    void run(std::array<float, VEXLO_GAINS>& gains) {
        gains.fill(-30);
        VexloCore1(distance.data(), elevation.data(), heights.data(), &frequency, &dielectric,
                   &conductivity, &type, &diffractionOff, &logFlag, &logAngle, gains.data(),
                   phases.data());
    }
};

// Hills of a few hundred feet at a few thousand feet apart.
float rolling(float d) { return 500 + 120 * std::sin(d / 1700) + 60 * std::sin(d / 610 + 1); }

void FourAntennasOver150Points(benchmark::State& state) {
    Slot slot(rolling);
    std::array<float, VEXLO_GAINS> gains;
    for (auto _ : state) {
        slot.run(gains);
        benchmark::DoNotOptimize(gains.data());
    }
}
BENCHMARK(FourAntennasOver150Points)->Unit(benchmark::kMillisecond);

// The same slot at other frequencies (MHz as the argument), and with diffraction off.
void FourAntennasAtFrequency(benchmark::State& state) {
    Slot slot(rolling);
    slot.frequency = static_cast<float>(state.range(0));
    std::array<float, VEXLO_GAINS> gains;
    for (auto _ : state) {
        slot.run(gains);
        benchmark::DoNotOptimize(gains.data());
    }
}
BENCHMARK(FourAntennasAtFrequency)->Arg(2)->Arg(7)->Arg(28)->Arg(54)->Unit(benchmark::kMillisecond);

void FourAntennasDiffractionOff(benchmark::State& state) {
    Slot slot(rolling);
    slot.diffractionOff = 1;
    std::array<float, VEXLO_GAINS> gains;
    for (auto _ : state) {
        slot.run(gains);
        benchmark::DoNotOptimize(gains.data());
    }
}
BENCHMARK(FourAntennasDiffractionOff)->Unit(benchmark::kMillisecond);

void FourSlots(benchmark::State& state) {
    std::array<Slot, 4> slots{
        Slot(rolling),
        Slot([](float d) { return 500 + 300 * std::exp(-(d / 3000) * (d / 3000)); }), // hilltop
        Slot([](float d) {
            return 800 - 300 * std::exp(-((d - 4000) / 1500) * ((d - 4000) / 1500));
        }),
        Slot([](float d) { return 500 + 0.0524f * d; })}; // uphill
    slots[1].type = 7;
    slots[2].type = 1;
    slots[3].heights = {70, 0, 0, 0};
    std::array<float, VEXLO_GAINS> gains;
    for (auto _ : state)
        for (Slot& slot : slots) {
            slot.run(gains);
            benchmark::DoNotOptimize(gains.data());
        }
}
BENCHMARK(FourSlots)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
