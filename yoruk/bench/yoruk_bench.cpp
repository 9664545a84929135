// The analyser's work per frequency (SETMAT, YAGI3, FLDFAC2) and per band sweep of
// 11 frequencies, for Yagis of 3 to 50 elements, on each vector path the processor
// has; and, for scale, nec2c sweeping the same antennas over the same frequencies.
// Both sweeps report the feed impedance at the centre frequency (counters R and X).

#include "yoruk_abi.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

constexpr float WavelengthInchesMHz = 11802.85f;
constexpr float LowMHz = 14.0f, StepMHz = 0.035f;
constexpr int CentrePoint = 5;

struct Yagi {
    int16_t elements;
    int16_t driven = 2;
    std::array<float, 50> halfLength{}, diameter{}, spacing{};
};

// A 20 m Yagi in inches: reflector, driven element, directors shortening along the boom.
Yagi Design(int elements) {
    const float lambda = WavelengthInchesMHz / 14.175f;
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

float Frequency(int point) { return LowMHz + StepMHz * static_cast<float>(point); }

// The engine's vector paths by the names YORUK_VECTORS takes.
const char* const Paths[] = {"plain", "avx2", "avx512"};

bool Available(int path) {
    __builtin_cpu_init();
    if (path == 2) return __builtin_cpu_supports("avx512f");
    return path == 0 || __builtin_cpu_supports("avx2");
}

void OnePoint(benchmark::State& state) {
    Yagi y = Design(static_cast<int>(state.range(0)));
    Results r;
    for (auto _ : state) Point(y, 14.175f, r);
}

void ElevenFrequencySweep(benchmark::State& state, int path) {
    if (!Available(path)) {
        state.SkipWithError("the processor does not have this path");
        return;
    }
    setenv("YORUK_VECTORS", Paths[path], 1);
    Yagi y = Design(static_cast<int>(state.range(0)));
    Results r;
    float centreR = 0, centreX = 0;
    for (auto _ : state) {
        for (int f = 0; f < 11; ++f) {
            Point(y, Frequency(f), r);
            if (f == CentrePoint) centreR = r.resistance, centreX = r.reactance;
        }
    }
    unsetenv("YORUK_VECTORS");
    state.counters["R"] = centreR;
    state.counters["X"] = centreX;
}

// The antenna as a NEC-2 deck in the analyser's form: inches scaled to metres, about
// 60 segments to the shortest wavelength, an odd count per element with the source at
// the driven element's centre, forward and back patterns.
std::string NecDeck(const Yagi& y) {
    const double segment = WavelengthInchesMHz / Frequency(10) / 60;
    std::ostringstream deck;
    deck << "CM " << y.elements << "-element benchmark Yagi\nCE\n";
    deck.setf(std::ios::fixed);
    deck.precision(4);
    auto segmentsOf = [&](int i) {
        return std::max(3, static_cast<int>(std::lround(2 * y.halfLength[i] / segment))) | 1;
    };
    double along = 0;
    for (int i = 0; i < y.elements; ++i) {
        const double half = y.halfLength[i];
        deck << "GW " << i + 1 << " " << segmentsOf(i) << " " << along << " " << -half << " 0 "
             << along << " " << half << " 0 " << y.diameter[i] / 2 << "\n";
        along += y.spacing[i];
    }
    deck << "GS 0 0 0.0254\nGE 0\nEX 0 " << y.driven << " " << (segmentsOf(y.driven - 1) + 1) / 2
         << " 0 1 0\n";
    deck << "FR 0 11 0 0 " << LowMHz << " " << StepMHz << "\n";
    deck << "RP 0 1 2 1000 90 0 0 180\nEN\n";
    return deck.str();
}

// The feed impedance nec2c reports at the centre frequency.
bool NecFeed(const std::filesystem::path& report, double& r, double& x) {
    std::ifstream in(report);
    std::string line;
    int point = 0;
    while (std::getline(in, line)) {
        if (line.find("ANTENNA INPUT PARAMETERS") == std::string::npos) continue;
        for (int skip = 0; skip < 3 && std::getline(in, line);) ++skip;
        if (point++ != CentrePoint) continue;
        std::istringstream fields(line);
        double v[8];
        for (double& value : v) fields >> value;
        r = v[6], x = v[7];
        return static_cast<bool>(fields);
    }
    return false;
}

double ChildSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           1e-6 * static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
}

// nec2c as an external process on the same antenna and frequencies, in real time; its
// processor time as the counter child_cpu_s.
void NecSweep(benchmark::State& state) {
    const Yagi y = Design(static_cast<int>(state.range(0)));
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("yoruk_bench_nec_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::filesystem::path deck = folder / "yagi.nec", report = folder / "yagi.out";
    std::ofstream(deck) << NecDeck(y);
    const std::string command =
        "nec2c -i '" + deck.string() + "' -o '" + report.string() + "' >/dev/null 2>&1";
    const double childBefore = ChildSeconds();
    for (auto _ : state) {
        const int status = std::system(command.c_str());
        if (status == -1 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("nec2c did not run (it comes with scripts/install-deps)");
            break;
        }
    }
    state.counters["child_cpu_s"] =
        benchmark::Counter(ChildSeconds() - childBefore, benchmark::Counter::kAvgIterations);
    double r = 0, x = 0;
    if (NecFeed(report, r, x)) {
        state.counters["R"] = r;
        state.counters["X"] = x;
    }
    std::filesystem::remove_all(folder);
}

} // namespace

int main(int argc, char** argv) {
    benchmark::RegisterBenchmark("OnePoint", OnePoint)
        ->Arg(3)
        ->Arg(10)
        ->Arg(50)
        ->Unit(benchmark::kMicrosecond);
    for (int path = 0; path < 3; ++path)
        benchmark::RegisterBenchmark(("ElevenFrequencySweep/" + std::string(Paths[path])).c_str(),
                                     ElevenFrequencySweep, path)
            ->Arg(3)
            ->Arg(10)
            ->Arg(20)
            ->Arg(50)
            ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("NecSweep", NecSweep)
        ->Arg(3)
        ->Arg(10)
        ->Arg(20)
        ->Arg(50)
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
