// The analyser's work per frequency (SETMAT, YAGI3, FLDFAC2) and per band
// sweep of 11 frequencies, for Yagis of 3, 10 and 50 elements.

#include "yoruk_abi.h"

#include <benchmark/benchmark.h>

#include <array>

namespace {

struct Yagi {
    int16_t elements;
    int16_t driven = 2;
    std::array<float, 50> halfLength{}, diameter{}, spacing{};
};

// A 20 m Yagi in inches: reflector, driven element, directors shortening along the boom.
Yagi Design(int elements) {
    const float lambda = 11802.85f / 14.175f;
    Yagi y{static_cast<int16_t>(elements)};
    for (int i = 0; i < elements; ++i) {
        const float wl = i == 0 ? 0.252f : i == 1 ? 0.238f : 0.226f - 0.0004f * i;
        y.halfLength[i] = wl * lambda;
        y.diameter[i] = 0.75f + 0.25f * static_cast<float>(i == 0);
        y.spacing[i] = i + 1 < elements ? (i == 0 ? 0.18f : 0.25f) * lambda : 0;
    }
    return y;
}

struct Results {
    std::array<float, 2500> geometry;
    std::array<float, 50> halfLengthWl;
    std::array<float, 180> azimuth, elevation;
    float gain, frontToBack, resistance, reactance, frontToRear;
    int16_t takeoff;
    int32_t rearLobe = 0;
};

void Point(Yagi& y, float frequency, Results& r) {
    float height = 0;
    SETMAT(&frequency, &y.driven, &y.elements, y.halfLength.data(), y.diameter.data(),
           y.spacing.data(), r.geometry.data(), r.halfLengthWl.data());
    YAGI3(&y.elements, r.geometry.data(), r.halfLengthWl.data());
    FLDFAC2(&y.elements, r.geometry.data(), r.halfLengthWl.data(), &y.driven, &frequency,
            r.azimuth.data(), r.elevation.data(), &r.gain, &r.frontToBack, &r.resistance,
            &r.reactance, &height, &r.takeoff, &r.frontToRear, &r.rearLobe);
    benchmark::DoNotOptimize(r.gain);
    benchmark::ClobberMemory();
}

void OnePoint(benchmark::State& state) {
    Yagi y = Design(static_cast<int>(state.range(0)));
    Results r;
    for (auto _ : state) Point(y, 14.175f, r);
}

void ElevenFrequencySweep(benchmark::State& state) {
    Yagi y = Design(static_cast<int>(state.range(0)));
    Results r;
    for (auto _ : state)
        for (int f = 0; f < 11; ++f) Point(y, 14.0f + 0.035f * static_cast<float>(f), r);
}

} // namespace

BENCHMARK(OnePoint)->Arg(3)->Arg(10)->Arg(50)->Unit(benchmark::kMicrosecond);
BENCHMARK(ElevenFrequencySweep)->Arg(3)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
