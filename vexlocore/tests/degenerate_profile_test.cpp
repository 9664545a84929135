// Profiles and arguments that make no sense: finite gains, no crash, no read or write past
// the caller's arrays.
#include <sys/mman.h>
#include <unistd.h>

#include <cstring>

#include "engine_call.h"

using namespace vexlo_test;

namespace {

// N values placed so that the page after the last one is inaccessible: any access past
// the array ends the test program.
template <typename T, std::size_t N> class Guarded {
public:
    Guarded() {
        const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
        size_ = (sizeof(T) * N + page - 1) / page * page + page;
        base_ = static_cast<char*>(
            mmap(nullptr, size_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
        mprotect(base_ + size_ - page, page, PROT_NONE);
        data_ = reinterpret_cast<T*>(base_ + size_ - page - sizeof(T) * N);
        std::memset(data_, 0, sizeof(T) * N);
    }
    ~Guarded() { munmap(base_, size_); }
    T* data() { return data_; }
    T& operator[](std::size_t i) { return data_[i]; }

private:
    char* base_;
    std::size_t size_;
    T* data_;
};

void expectFinite(const Call& c) {
    SCOPED_TRACE(::testing::Message() << c.profile.size() << " points");
    expectAllFinite(c.run());
    Call off = c;
    off.diffractionOff = 1;
    expectAllFinite(off.run());
}

TEST(DegenerateProfile, SinglePointIsFlatGroundAtItsElevation) {
    Call single, flat;
    single.profile = {{0.0, 500.0}};
    flat.profile = {{0.0, 500.0}, {2000.0, 500.0}};
    const auto a = single.run(), b = flat.run();
    // The same ground, sampled differently: the march over it converges, not bit for bit.
    // Below 1.5 degrees the answer hangs on the curved earth kilometres out, followed in
    // pieces that differ between the two.
    for (int k = firstComparedIndex; k < 140; ++k) EXPECT_NEAR(a[k], b[k], 0.1);
}

TEST(DegenerateProfile, AllZerosIsFlatGround) {
    Call zeros, flat;
    zeros.profile = {};
    expectFinite(zeros);
    const auto a = zeros.run(), b = flat.run();
    for (int k = firstComparedIndex; k < 140; ++k) EXPECT_NEAR(a[k], b[k], 0.1);
}

TEST(DegenerateProfile, VerticalStepsUpDownAndAtTheTower) {
    Call c;
    c.heights = {100.0f, 50.0f, 0.0f, 0.0f};
    c.profile = {{0.0, 0.0}, {500.0, 0.0}, {500.0, 200.0}, {3000.0, 200.0}};
    expectFinite(c);
    c.profile = {{0.0, 200.0}, {500.0, 200.0}, {500.0, 0.0}, {3000.0, 0.0}};
    expectFinite(c);
    c.profile = {{0.0, 0.0}, {0.0, 300.0}, {1000.0, 300.0}}; // antennas against a cliff
    expectFinite(c);
    c.profile = {{0.0, 0.0}, {400.0, 0.0}, {400.0, 300.0}, {400.0, 100.0}, {900.0, 100.0}};
    expectFinite(c); // a wall
}

TEST(DegenerateProfile, OneHundredFiftyPointsOfRoughTerrain) {
    Call c;
    c.heights = {140.0f, 100.0f, 60.0f, 30.0f};
    c.phases = {1, -1, 1, -1};
    c.profile.clear();
    unsigned seed = 12345;
    for (int i = 0; i < 150; ++i) {
        seed = seed * 1103515245u + 12345u;
        c.profile.push_back({i * 60.0, 800.0 + 200.0 * std::sin(i * 0.21) + (seed >> 24) % 40});
    }
    expectFinite(c);
}

TEST(DegenerateProfile, DistancesThatDoNotIncrease) {
    Call c;
    c.profile = {{0.0, 0.0}, {1000.0, 50.0}, {500.0, 100.0}, {2000.0, 0.0}, {1500.0, 80.0}};
    expectFinite(c);
    c.profile = {{0.0, 0.0}, {-100.0, 50.0}, {-200.0, 100.0}};
    expectFinite(c);
    c.profile = {{0.0, 0.0}, {100.0, 0.0}, {100.0, 0.0}, {100.0, 0.0}};
    expectFinite(c);
}

TEST(DegenerateProfile, NonsenseNumbersGiveTheFloorOrFiniteGains) {
    Call c;
    c.profile = {{0.0, NAN}, {INFINITY, 10.0}, {500.0, 1e30}, {800.0, -20.0}};
    expectFinite(c);
    for (float f : {0.0f, -14.0f, NAN, INFINITY}) {
        Call bad;
        bad.frequency = f;
        for (float g : bad.run()) EXPECT_EQ(g, -30.0f);
    }
    Call ground;
    ground.dielectric = NAN;
    ground.conductivity = -5.0f;
    expectFinite(ground);
    Call high;
    high.frequency = 300.0f;
    high.heights = {2000.0f, 0.0f, 0.0f, 0.0f};
    expectFinite(high);
}

TEST(DegenerateProfile, AnAntennaAFewFeetUpAtOneEightMegahertzIsNotLostToTheFloor) {
    // Low in wavelengths, the starting field's waves that die away reach far; their ground
    // coefficient must not overflow into a result that is the floor everywhere.
    Call c;
    c.type = 1;
    c.frequency = 1.8f;
    c.heights = {5.0f, 0.0f, 0.0f, 0.0f};
    c.profile.clear();
    for (int i = 0; i < 50; ++i)
        c.profile.push_back(
            {100.0 * i, 500.0 + 120.0 * std::sin(i / 17.0) + 60.0 * std::sin(i / 6.1 + 1.0)});
    const auto gains = c.run();
    expectAllFinite(gains);
    EXPECT_GT(gains[139], -20.0f);
}

TEST(DegenerateProfile, ABoomLongerThanTheGroundBeforeItAllowsStaysPhysical) {
    // An eight-element Yagi for 160 m 10 ft up on VALLEY.PRO's slope: its rear elements
    // reach below the ground behind the tower. Over salt water the gain stays within what
    // such an antenna over a perfect ground could give.
    Call c;
    c.type = 7;
    c.frequency = 1.85f;
    c.heights = {10.0f, 0.0f, 0.0f, 0.0f};
    c.dielectric = 80.0f;
    c.conductivity = 5000.0f;
    c.profile = sampleProfile("VALLEY.PRO");
    for (int16_t off : {0, 1}) {
        c.diffractionOff = off;
        const auto gains = c.run();
        expectAllFinite(gains);
        EXPECT_LT(*std::max_element(gains.begin(), gains.end()), 12.0f + 6.0f + 2.0f);
    }
}

TEST(DegenerateProfile, NothingIsReadOrWrittenPastTheArrays) {
    Guarded<float, 151> distance, elevation;
    Guarded<float, 4> heights;
    Guarded<int16_t, 4> phases;
    Guarded<float, 140> gains;
    // Every distance non-zero: the profile runs to the very last entry.
    for (int i = 1; i < 151; ++i) {
        distance[i] = i * 50.0f;
        elevation[i] = 100.0f + 30.0f * (i % 7);
    }
    for (int i = 0; i < 4; ++i) {
        heights[i] = 40.0f + 30.0f * i;
        phases[i] = 1;
    }
    float frequency = 14.2f, dielectric = 13.0f, conductivity = 0.005f, logAngle = 5.0f;
    int16_t type = 7, off = 0, log = 0;
    ASSERT_NE(engine(), nullptr);
    engine()(distance.data(), elevation.data(), heights.data(), &frequency, &dielectric,
             &conductivity, &type, &off, &log, &logAngle, gains.data(), phases.data());
    for (int k = 0; k < 140; ++k) EXPECT_TRUE(std::isfinite(gains[k]));
}

TEST(DegenerateProfile, MissingArgumentsDoNotCrash) {
    std::array<float, 140> gains;
    gains.fill(1.0f);
    engine()(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
             nullptr, gains.data(), nullptr);
    for (float g : gains) EXPECT_EQ(g, -30.0f);
    engine()(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
             nullptr, nullptr, nullptr);
}

} // namespace
