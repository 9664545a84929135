// The engine against the full-wave reference, the profile solved as an impedance surface:
// within 1.5 dB rms and 3 dB at worst from 1 to 35 degrees wherever the reference is within
// 15 dB of its peak. A horizontal dipole, whose pattern in the profile's plane is that of
// the reference's line source; 7.1 MHz keeps each reference solution within a second.
#include "engine_call.h"
#include "reference/full_wave.h"

using namespace vexlo_test;

namespace {

struct ReferenceCase {
    const char* name;
    std::vector<std::pair<double, double>> profile; // feet
    double mhz, heightFeet;
};

class AgainstReference : public ::testing::TestWithParam<ReferenceCase> {};

TEST_P(AgainstReference, WithinOneAndAHalfDecibelsRmsAndThreeAtWorst) {
    const ReferenceCase& c = GetParam();
    ASSERT_GE(c.profile.size(), 2u);
    Call call;
    call.type = 1;
    call.frequency = static_cast<float>(c.mhz);
    call.heights = {static_cast<float>(c.heightFeet), 0.0f, 0.0f, 0.0f};
    call.profile = c.profile;
    const auto gains = call.run();

    vexlo_reference::Problem problem;
    for (const auto& [d, e] : c.profile) problem.profile.push_back({d, e});
    problem.sources = {{c.heightFeet, 1.0}};
    problem.frequencyMHz = c.mhz;
    std::vector<double> angles, engine;
    for (int k = 3; k < 140; ++k) { // 1 to 35 degrees
        angles.push_back(degreesAt(k));
        engine.push_back(gains[k]);
    }
    const auto solution = vexlo_reference::solve(problem, angles);
    ASSERT_LT(solution.residual, 1e-3) << "the reference did not converge";
    std::vector<double> reference;
    for (const auto& f : solution.factor) reference.push_back(vexlo_reference::dipoleGainDbi(f));

    const Agreement a = agreement(angles, engine, reference);
    EXPECT_GT(a.compared, 60);
    EXPECT_LE(a.rms, 1.5);
    EXPECT_LE(std::fabs(a.worst), 3.0) << "at " << a.worstAngle;
    RecordProperty("rms_db", std::to_string(a.rms));
    RecordProperty("worst_db", std::to_string(a.worst) + " at " + std::to_string(a.worstAngle));
}

std::vector<std::pair<double, double>> hilltop() {
    std::vector<std::pair<double, double>> p;
    for (double x = 0.0; x <= 10000.0; x += 100.0)
        p.push_back({x, 500.0 + 300.0 * std::exp(-std::pow(x / 3000.0, 2))});
    return p;
}

INSTANTIATE_TEST_SUITE_P(
    Samples, AgainstReference,
    ::testing::Values(ReferenceCase{"Flat", sampleProfile("FLAT.PRO"), 7.1, 100.0},
                      ReferenceCase{"Uphill", sampleProfile("UPHILL.PRO"), 7.1, 100.0},
                      ReferenceCase{"Downhill", sampleProfile("DOWNHILL.PRO"), 7.1, 100.0},
                      ReferenceCase{"Ridge", sampleProfile("RIDGE.PRO"), 7.1, 100.0},
                      ReferenceCase{"Valley", sampleProfile("VALLEY.PRO"), 7.1, 100.0},
                      ReferenceCase{"RidgeInMetres", sampleProfile("RIDGE-M.PRO"), 7.1, 100.0},
                      ReferenceCase{"ValleyInMetres", sampleProfile("VALLEY-M.PRO"), 7.1, 100.0},
                      ReferenceCase{"Hilltop", sampleProfile("HILLTOP.PRO"), 7.1, 100.0},
                      ReferenceCase{"Rolling", sampleProfile("ROLLING.PRO"), 7.1, 100.0}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Shapes, AgainstReference,
    ::testing::Values(
        // The rounded hilltop as first reported, 70 ft up at 14.2 MHz.
        ReferenceCase{"HilltopOnTwenty", hilltop(), 14.2, 70.0},
        // A cliff 500 ft in front of the tower, falling 300 ft at 60 degrees.
        ReferenceCase{
            "Cliff", {{0.0, 500.0}, {500.0, 500.0}, {673.2, 200.0}, {8000.0, 200.0}}, 7.1, 100.0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CurvedEarth, LowAnglesOverLevelGroundFollowTheFullWaveAnswer) {
    // Level ground on the 4/3 earth, 197 ft up at 7.1 MHz: from 1 to 3 degrees the
    // reflection comes from up to 11,000 ft out, where the curved earth has moved the answer
    // off the flat closed form by a tenth of a dB or so. The reference models the ground to
    // 19,000 ft; its own answer there moves by a few tenths with that length.
    const std::vector<std::pair<double, double>> profile{
        {0.0, 250.0}, {500.0, 250.0}, {3000.0, 250.0}};
    Call call;
    call.type = 1;
    call.frequency = 7.1f;
    call.heights = {197.0f, 0.0f, 0.0f, 0.0f};
    call.profile = profile;
    const auto gains = call.run();
    vexlo_reference::Problem problem;
    for (const auto& [d, e] : profile) problem.profile.push_back({d, e});
    problem.sources = {{197.0, 1.0}};
    problem.frequencyMHz = 7.1;
    problem.beyondFeet = 16000.0;
    std::vector<double> angles;
    for (int k = 3; k <= 11; ++k) angles.push_back(degreesAt(k));
    const auto solution = vexlo_reference::solve(problem, angles);
    for (std::size_t i = 0; i < angles.size(); ++i)
        EXPECT_NEAR(gains[3 + i], vexlo_reference::dipoleGainDbi(solution.factor[i]), 0.35)
            << "at " << angles[i];
}

} // namespace
