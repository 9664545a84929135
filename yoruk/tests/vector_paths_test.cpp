// The engine's wider builds of its inner loops give the plain build's results to the
// bit (so to every printed digit), on the sample antennas and on long beams of the
// tests' own; and YORUK_VECTORS holds the engine to the width it names.

#include "engine_library.h"
#include "vector_path.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

using namespace yoruk_test;
using yoruk::VectorPath;

namespace {

// YORUK_VECTORS for one scope, restored after it.
class HeldTo {
public:
    explicit HeldTo(const char* width) {
        if (const char* old = std::getenv("YORUK_VECTORS")) old_ = old;
        setenv("YORUK_VECTORS", width, 1);
    }
    ~HeldTo() {
        if (old_)
            setenv("YORUK_VECTORS", old_->c_str(), 1);
        else
            unsetenv("YORUK_VECTORS");
    }
    HeldTo(const HeldTo&) = delete;
    HeldTo& operator=(const HeldTo&) = delete;

private:
    std::optional<std::string> old_;
};

VectorPath ProcessorWidest() {
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx512f")) return VectorPath::Avx512;
    if (__builtin_cpu_supports("avx2")) return VectorPath::Avx2;
    return VectorPath::Plain;
}

struct Beam {
    std::string name;
    Uniform antenna;
    float low, high; // MHz
};

// Every sample antenna, the tests' own 50-element file, and beams whose first element
// is thin enough for 300 and 500 self-term intervals, with a dipole and a pair for
// the smallest systems.
std::vector<Beam> Beams() {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(SUITE_DIR "/QeltAnts"))
        files.push_back(entry.path());
    files.push_back(TEST_DATA_DIR "/antennas/50EL20M.QELT");
    std::vector<Beam> beams;
    for (const auto& file : files) {
        Antenna a;
        Read(file.string(), a);
        EXPECT_EQ(Status().code, YORUK_OK) << file << ": " << Status().message;
        beams.push_back({file.filename().string(), UniformOf(a), a.freqLow, a.freqHigh});
    }
    const float low = TestFrequency * 0.98f, high = TestFrequency * 1.02f;
    beams.push_back({"dipole", Dipole(0.25f), low, high});
    beams.push_back({"2 elements", LongYagi(2), low, high});
    beams.push_back({"20 thin elements", LongYagi(20, 0.0007f), low, high});
    beams.push_back({"50 thinner elements", LongYagi(50, 0.0004f), low, high});
    return beams;
}

// Everything the engine gives over 11 frequencies, in free space and 50 ft up, as bits.
std::vector<uint32_t> Sweep(const Beam& beam) {
    std::vector<uint32_t> bits;
    auto add = [&](float v) { bits.push_back(std::bit_cast<uint32_t>(v)); };
    for (int i = 0; i <= 10; ++i) {
        const float f = beam.low + (beam.high - beam.low) * static_cast<float>(i) / 10;
        Point p = Solve(beam.antenna, f);
        for (const float height : {0.0f, 50.0f}) {
            if (height != 0) FarField(beam.antenna, f, height, p);
            for (float v : {p.gain, p.frontToBack, p.resistance, p.reactance, p.frontToRear})
                add(v);
            bits.push_back(static_cast<uint32_t>(p.takeoffIndex));
            bits.push_back(static_cast<uint32_t>(p.rearLobeIndex));
            bits.push_back(static_cast<uint32_t>(p.status));
            for (float v : p.azimuth) add(v);
            for (float v : p.elevation) add(v);
        }
    }
    return bits;
}

} // namespace

TEST(VectorPaths, ChoiceFollowsTheProcessorWithinTheSwitch) {
    // A processor without AVX2 runs the plain loops whatever the switch says.
    for (const char* held : {static_cast<const char*>(nullptr), "", "plain", "avx2", "avx512"})
        EXPECT_EQ(yoruk::ChooseVectorPath(VectorPath::Plain, held), VectorPath::Plain);
    EXPECT_EQ(yoruk::ChooseVectorPath(VectorPath::Avx2, nullptr), VectorPath::Avx2);
    EXPECT_EQ(yoruk::ChooseVectorPath(VectorPath::Avx2, "plain"), VectorPath::Plain);
    EXPECT_EQ(yoruk::ChooseVectorPath(VectorPath::Avx2, "avx512"), VectorPath::Avx2);
    EXPECT_EQ(yoruk::ChooseVectorPath(VectorPath::Avx512, "avx2"), VectorPath::Avx2);
    EXPECT_EQ(yoruk::ChooseVectorPath(VectorPath::Avx512, "plain"), VectorPath::Plain);
    EXPECT_EQ(yoruk::ChooseVectorPath(VectorPath::Avx512, "PLAIN"), VectorPath::Avx512)
        << "only the exact names hold the engine back";
    {
        HeldTo plain("plain");
        EXPECT_EQ(yoruk::ChosenVectorPath(), VectorPath::Plain);
    }
    HeldTo none("");
    EXPECT_EQ(yoruk::ChosenVectorPath(), ProcessorWidest());
}

TEST(VectorPaths, EveryPathGivesThePlainResultsToTheBit) {
    const VectorPath widest = ProcessorWidest();
    if (widest == VectorPath::Plain) GTEST_SKIP() << "the processor has only the plain path";
    struct Wide {
        const char* name;
        VectorPath path;
    };
    const Wide wide[] = {{"avx2", VectorPath::Avx2}, {"avx512", VectorPath::Avx512}};
    for (const Beam& beam : Beams()) {
        SCOPED_TRACE(beam.name);
        std::vector<uint32_t> plain;
        {
            HeldTo held("plain");
            plain = Sweep(beam);
        }
        for (const Wide& w : wide) {
            if (w.path > widest) continue;
            SCOPED_TRACE(w.name);
            HeldTo held(w.name);
            const std::vector<uint32_t> got = Sweep(beam);
            ASSERT_EQ(got.size(), plain.size());
            std::size_t differing = 0, first = got.size();
            for (std::size_t i = 0; i < got.size(); ++i) {
                if (got[i] == plain[i]) continue;
                if (differing++ == 0) first = i;
            }
            // No tolerance: the same bits, NaNs included.
            EXPECT_EQ(differing, 0u)
                << "first at " << first << ": " << std::bit_cast<float>(got[first]) << " against "
                << std::bit_cast<float>(plain[first]);
        }
    }
}
