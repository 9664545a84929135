// The terrain engine as the terrain program calls it: one slot (150 profile points of rolling
// ground, a stack of four five-element antennas, diffraction on, 14.2 MHz unless said), and
// a Compute of four slots over different ground. Run with --dump-gains FILE to write every
// case's gains, --compare OLD NEW to compare two such files.
#include "../vexlocore_abi.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
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

// A 500 ft drop from 100 to 200 ft out (points 100 ft apart): the ground near the tower is
// solved whole there (MHz as the argument).
void FourAntennasAtADropAtTheTower(benchmark::State& state) {
    Slot slot([](float d) { return d > 150 ? 0.0f : 500.0f; });
    slot.frequency = static_cast<float>(state.range(0));
    std::array<float, VEXLO_GAINS> gains;
    for (auto _ : state) {
        slot.run(gains);
        benchmark::DoNotOptimize(gains.data());
    }
}
BENCHMARK(FourAntennasAtADropAtTheTower)
    ->Arg(2)
    ->Arg(7)
    ->Arg(14)
    ->Arg(28)
    ->Unit(benchmark::kMillisecond);

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

std::array<Slot, 4> fourSlots() {
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
    return slots;
}

void FourSlots(benchmark::State& state) {
    std::array<Slot, 4> slots = fourSlots();
    std::array<float, VEXLO_GAINS> gains;
    for (auto _ : state)
        for (Slot& slot : slots) {
            slot.run(gains);
            benchmark::DoNotOptimize(gains.data());
        }
}
BENCHMARK(FourSlots)->Unit(benchmark::kMillisecond);

// The gains of every case above, one line of 140 a case, for comparing an engine change's
// answers with those before it (compare two files with --compare).
int dumpGains(const char* path) {
    FILE* out = std::fopen(path, "w");
    if (!out) return std::perror(path), 1;
    std::array<float, VEXLO_GAINS> gains;
    auto write = [&](const char* name, Slot& slot) {
        slot.run(gains);
        std::fprintf(out, "%s", name);
        for (float g : gains) std::fprintf(out, " %.6f", g);
        std::fprintf(out, "\n");
    };
    char name[32];
    for (float f : {14.2f, 2.0f, 7.0f, 28.0f, 54.0f}) {
        Slot slot(rolling);
        slot.frequency = f;
        std::snprintf(name, sizeof name, "%.1fMHz", f);
        write(name, slot);
    }
    for (float f : {2.0f, 7.0f, 14.0f, 28.0f}) {
        Slot drop([](float d) { return d > 150 ? 0.0f : 500.0f; });
        drop.frequency = f;
        std::snprintf(name, sizeof name, "drop%.0fMHz", f);
        write(name, drop);
    }
    Slot off(rolling);
    off.diffractionOff = 1;
    write("off", off);
    auto slots = fourSlots();
    for (int i = 0; i < 4; ++i) {
        std::snprintf(name, sizeof name, "slot%d", i + 1);
        write(name, slots[i]);
    }
    return std::fclose(out) == 0 ? 0 : 1;
}

// The largest difference in dB between two files of dumpGains(), by case.
int compareGains(const char* before, const char* after) {
    FILE* a = std::fopen(before, "r");
    FILE* b = std::fopen(after, "r");
    if (!a || !b) return std::fprintf(stderr, "cannot open the gain files\n"), 1;
    char nameA[64], nameB[64];
    double worst = 0.0;
    while (std::fscanf(a, "%63s", nameA) == 1 && std::fscanf(b, "%63s", nameB) == 1) {
        double caseWorst = 0.0;
        for (int k = 0; k < VEXLO_GAINS; ++k) {
            double x = 0, y = 0;
            if (std::fscanf(a, "%lf", &x) != 1 || std::fscanf(b, "%lf", &y) != 1)
                return std::fprintf(stderr, "short line in %s\n", nameA), 1;
            caseWorst = std::max(caseWorst, std::fabs(x - y));
        }
        std::printf("%-12s %.6f dB\n", nameA, caseWorst);
        worst = std::max(worst, caseWorst);
    }
    std::printf("largest      %.6f dB\n", worst);
    std::fclose(a);
    std::fclose(b);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--dump-gains") == 0) return dumpGains(argv[2]);
    if (argc == 4 && std::strcmp(argv[1], "--compare") == 0) return compareGains(argv[2], argv[3]);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
