// Damaged antenna files: the reader must report them and never write outside
// the caller's record, and whatever it accepts must go through the solution
// without a crash or a hang. Built with YORUK_ASAN this runs many more cases.

#include "engine_library.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

using namespace yoruk_test;

#ifndef YORUK_FUZZ_ITERATIONS
#define YORUK_FUZZ_ITERATIONS 1000
#endif

namespace {

const char* const Seeds[] = {
    "Three element\n14.000 14.175 14.350 MHz\n3 elements, inches\n"
    "         1.250 1.000 0.750\n0 48 48 100\n96 48 48 92\n220 48 48 88\n",
    "SP beam\n7.0 7.1 7.2\n2 elements, feet\nsp 0.1 0.08\n0 10 8\n12 9 8\n",
    "mm\n14000 14175 14350 kHz\n 2 elements, mm\n         25.4   19.1\n"
    "   0000.0   1219.2   3810.0\n   2438.4   1219.2   3556.0\n \nMatch frequency: 14.175 MHz\n",
    "wl\n28.5\n2 elements, w\n0.002\n0 0.5\n0.15 0.48\n",
};

// A caller's array with guard cells on both sides that must stay untouched.
template <typename T> class Guarded {
public:
    explicit Guarded(std::size_t size) : cells_(size + 2 * Guard, Canary()) {}
    T* data() { return cells_.data() + Guard; }
    bool intact() const {
        for (std::size_t i = 0; i < Guard; ++i)
            if (!same(cells_[i]) || !same(cells_[cells_.size() - 1 - i])) return false;
        return true;
    }

private:
    static constexpr std::size_t Guard = 16;
    static T Canary() { return static_cast<T>(-12345); }
    static bool same(T v) { return std::memcmp(&v, &CanaryValue, sizeof v) == 0; }
    static inline const T CanaryValue = Canary();
    std::vector<T> cells_;
};

std::string Mutate(std::string s, std::mt19937& rng) {
    auto pick = [&rng](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n)(rng);
    };
    const char* const pieces[] = {" 0",    " 99999999999", " 51 elements",
                                  "     ", "\t",           ",",
                                  "-",     "KLM",          "1 2 3 4 5 6 7 8 9 10 11 12",
                                  "\r",    "\n",           "\"'",
                                  "W",     "SP",           " 1.5FT",
                                  "..,,",  "\n\n\n"};
    const int edits = 1 + static_cast<int>(pick(7));
    for (int e = 0; e < edits; ++e) {
        const std::size_t at = pick(s.size());
        switch (pick(6)) {
        case 0: // any byte, NUL and high bytes included
            if (!s.empty()) s[std::min(at, s.size() - 1)] = static_cast<char>(pick(255));
            break;
        case 1:
            s.erase(at, pick(20));
            break;
        case 2:
            s.insert(at, pieces[pick(std::size(pieces) - 1)]);
            break;
        case 3:
            s.insert(at, std::string(pick(300), static_cast<char>('0' + pick(9))));
            break;
        case 4:
            s.resize(at);
            break;
        case 5: { // a line repeated, so that more elements than declared may follow
            const std::size_t end = s.find('\n', at);
            if (end != std::string::npos) s.insert(end + 1, s.substr(at, end + 1 - at));
            break;
        }
        default:
            s.insert(at, std::string(pick(40), static_cast<char>(pick(255))));
            break;
        }
    }
    return s;
}

// The analyser's sweep at one frequency on what the reader gave back.
void Solve(int16_t n, Guarded<int16_t>& sections, Guarded<float>& lengths,
           Guarded<float>& diameters, Guarded<float>& spacing, float frequency) {
    Guarded<float> half(50), dia(50), geometry(2500), halfWl(50), azimuth(180), elevation(180);
    int16_t driven = n >= 2 ? 2 : 1;
    Engine().efflen4(&n, lengths.data(), diameters.data(), half.data(), dia.data(),
                     sections.data());
    Engine().setmat(&frequency, &driven, &n, half.data(), dia.data(), spacing.data(),
                    geometry.data(), halfWl.data());
    Engine().yagi3(&n, geometry.data(), halfWl.data());
    float gain, fb, r, x, fr, height = 30;
    int16_t takeoff;
    int32_t rear = 0;
    Engine().fldfac2(&n, geometry.data(), halfWl.data(), &driven, &frequency, azimuth.data(),
                     elevation.data(), &gain, &fb, &r, &x, &height, &takeoff, &fr, &rear);
    EXPECT_TRUE(half.intact() && dia.intact() && geometry.intact() && halfWl.intact() &&
                azimuth.intact() && elevation.intact());
    EXPECT_GE(takeoff, 1);
    EXPECT_LE(takeoff, 180);
}

} // namespace

TEST(ReaderFuzz, DamagedFilesAreReportedAndStayInsideTheRecord) {
    const char* seedText = std::getenv("YORUK_FUZZ_SEED");
    const unsigned seed = seedText ? static_cast<unsigned>(std::strtoul(seedText, nullptr, 10)) : 1;
    std::mt19937 rng(seed);
    const std::string path = WriteFile("FUZZ.QELT", "");
    int accepted = 0;
    for (int iteration = 0; iteration < YORUK_FUZZ_ITERATIONS; ++iteration) {
        const std::string contents =
            Mutate(Seeds[static_cast<std::size_t>(iteration) % std::size(Seeds)], rng);
        WriteFile("FUZZ.QELT", contents);

        Guarded<char> pathBuffer(80), title(50);
        std::memset(pathBuffer.data(), ' ', 80);
        std::memcpy(pathBuffer.data(), path.data(), path.size());
        Guarded<int16_t> sections(50);
        Guarded<float> lengths(500), diameters(500), spacing(50);
        int16_t elements = 0, driven = 0;
        float low = 0, high = 0;
        int32_t w80 = 80, w50 = 50;
        Engine().getdta4(pathBuffer.data(), &w80, title.data(), &w50, &elements, &driven,
                         sections.data(), lengths.data(), diameters.data(), spacing.data(), &low,
                         &high);
        const LastStatus status = Status();
        ASSERT_TRUE(pathBuffer.intact() && title.intact() && sections.intact() &&
                    lengths.intact() && diameters.intact() && spacing.intact())
            << "seed " << seed << ", iteration " << iteration << ":\n"
            << contents;
        ASSERT_TRUE(status.code == YORUK_OK || status.code == YORUK_KLM_FILE ||
                    status.code == YORUK_MALFORMED)
            << status.code << " " << status.message;
        EXPECT_TRUE(status.code != YORUK_MALFORMED || status.line >= 1);
        if (status.code != YORUK_OK) continue;
        ++accepted;
        ASSERT_GE(elements, 1);
        ASSERT_LE(elements, 50);
        for (int e = 0; e < elements; ++e) {
            EXPECT_GE(sections.data()[e], 1);
            EXPECT_LE(sections.data()[e], 9);
        }
        Solve(elements, sections, lengths, diameters, spacing, low);
    }
    EXPECT_GT(accepted, 0) << "the mutations should leave some files readable";
}
