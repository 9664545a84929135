// The engine's AVX2 build of its vector loops gives the plain build's gains but for the
// roundings of fused multiply-adds, over flat ground, a cliff, a ridge and with diffraction
// off; VEXLO_VECTORS holds the engine to the plain build; and the phasor the vector loops
// share turns to the right quarter at any angle, and their exp is right over its range.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <numbers>
#include <optional>
#include <string>

#include "engine_call.h"
#include "unit_phasor.h"
#include "vector_path.h"

using namespace vexlo_test;
using vexlo::VectorPath;

namespace {

// VEXLO_VECTORS for one scope, restored after it.
class HeldTo {
public:
    explicit HeldTo(const char* width) {
        if (const char* old = std::getenv("VEXLO_VECTORS")) old_ = old;
        setenv("VEXLO_VECTORS", width, 1);
    }
    ~HeldTo() {
        if (old_)
            setenv("VEXLO_VECTORS", old_->c_str(), 1);
        else
            unsetenv("VEXLO_VECTORS");
    }
    HeldTo(const HeldTo&) = delete;
    HeldTo& operator=(const HeldTo&) = delete;

private:
    std::optional<std::string> old_;
};

} // namespace

TEST(VectorPaths, ChoiceFollowsTheProcessorWithinTheSwitch) {
    // A processor without AVX2 runs the plain loops whatever the switch says.
    for (const char* held : {static_cast<const char*>(nullptr), "", "plain", "avx2", "wide"})
        EXPECT_EQ(vexlo::chooseVectorPath(VectorPath::Plain, held), VectorPath::Plain);
    EXPECT_EQ(vexlo::chooseVectorPath(VectorPath::Avx2, nullptr), VectorPath::Avx2);
    EXPECT_EQ(vexlo::chooseVectorPath(VectorPath::Avx2, "avx2"), VectorPath::Avx2);
    EXPECT_EQ(vexlo::chooseVectorPath(VectorPath::Avx2, ""), VectorPath::Avx2);
    EXPECT_EQ(vexlo::chooseVectorPath(VectorPath::Avx2, "plain"), VectorPath::Plain);
}

TEST(VectorPaths, WideAndPlainBuildsGiveTheSameGains) {
    std::vector<std::pair<std::string, Call>> calls;
    Call flat;
    flat.heights = {30, 60, 90, 120};
    flat.type = 5;
    calls.push_back({"flat, four Yagis", flat});
    Call cliff;
    cliff.type = 1;
    cliff.profile = {{0, 100}, {500, 100}, {501, 0}, {20000, 0}};
    cliff.heights = {140, 0, 0, 0};
    cliff.frequency = 7.1f;
    calls.push_back({"cliff, 7.1 MHz", cliff});
    Call ridge;
    ridge.profile = {{0, 0}, {3000, 0}, {6000, 250}, {9000, 0}, {20000, 0}};
    ridge.heights = {60, 0, 0, 0};
    ridge.frequency = 28.4f;
    calls.push_back({"ridge, 28.4 MHz", ridge});
    Call off = cliff;
    off.diffractionOff = 1;
    calls.push_back({"cliff, diffraction off", off});
    for (const auto& [name, call] : calls) {
        Gains plain;
        {
            HeldTo held("plain");
            plain = call.run();
        }
        const Gains wide = call.run();
        double worst = 0.0;
        for (int k = 0; k < 140; ++k)
            worst = std::max(worst, double(std::fabs(wide[k] - plain[k])));
        EXPECT_LT(worst, 1e-3) << name;
    }
}

TEST(UnitPhasor, RightInEveryQuarterTurnAndFarOut) {
    // Angles on and about every quarter turn, negative ones, and far out to 1e7 radians.
    for (double base : {0.0, 1.0, -1.0, 1e3, -1e3, 1e7, -1e7})
        for (int quarter = -8; quarter <= 8; ++quarter)
            for (double off : {0.0, 1e-9, -1e-9, 0.3, -0.3, 0.78, -0.78}) {
                const double a = base + quarter * std::numbers::pi / 2.0 + off;
                double re, im;
                vexlo::unitPhasor(a, re, im);
                const double tolerance = std::fabs(a) > 1e5 ? 1e-9 : 1e-13;
                EXPECT_NEAR(re, std::cos(a), tolerance) << a;
                EXPECT_NEAR(im, std::sin(a), tolerance) << a;
            }
}

TEST(RealExp, RightOverItsRangeAndHeldAtItsEnds) {
    // From -700 to 700 in small steps (every power of two of the range and the rests
    // between), and exact at 0.
    double worst = 0.0;
    for (double x = -700.0; x <= 700.0; x += 0.0137) {
        const double expected = std::exp(x);
        worst = std::max(worst, std::fabs(vexlo::realExp(x) - expected) / expected);
    }
    EXPECT_LT(worst, 1e-14);
    EXPECT_EQ(vexlo::realExp(0.0), 1.0);
    EXPECT_NEAR(vexlo::realExp(-1e-300), 1.0, 1e-16);
    // Past the range: held at exp(-+700), never a wrong power of two.
    EXPECT_DOUBLE_EQ(vexlo::realExp(-5000.0), std::exp(-700.0));
    EXPECT_DOUBLE_EQ(vexlo::realExp(-1e300), std::exp(-700.0));
    EXPECT_DOUBLE_EQ(vexlo::realExp(800.0), std::exp(700.0));
}
