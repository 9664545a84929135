#pragma once
// The cases the terrain engine is held to against the full-wave reference: a horizontal
// dipole over every kind of profile a user brings (smooth ground, the samples, cliffs and
// towers near their edge, ridges, ground sampled every 50 to 200 ft, antennas many
// wavelengths up), on the bands from 1.8 to 29.7 MHz, over average soil and salt water.
// The comparison tool runs them all; the tests run a few.
#include <cmath>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "profile_file.h"

namespace vexlo_test {

using Profile = std::vector<std::pair<double, double>>; // feet

struct GroundRow {
    const char* name;
    double dielectric, conductivity;
};
inline constexpr GroundRow averageSoil{"soil", 13.0, 0.005};
inline constexpr GroundRow saltWater{"salt", 80.0, 5000.0};

struct AccuracyCase {
    std::string name;
    Profile profile;
    double mhz, heightFeet;
    GroundRow ground;
};

inline Profile sampledProfile(const std::function<double(double)>& elevation, double step,
                              double length) {
    Profile p;
    for (double x = 0.0; x <= length + 1e-9; x += step) p.push_back({x, elevation(x)});
    return p;
}

// The sample profiles of the terrain program, by file name.
inline Profile sampleFile(const std::string& name) {
    return readProfileFile(TEST_DATA_DIR "/../brisco/samples/" + name);
}

// A cliff of 'drop' feet 'at' feet in front of the tower, its face vertical, level ground
// on both sides out to 10,000 ft.
inline Profile cliff(double drop, double at) {
    return {{0.0, 500.0}, {at, 500.0}, {at, 500.0 - drop}, {10000.0, 500.0 - drop}};
}

inline double rollingGround(double x) {
    return 600.0 + 50.0 * std::sin(2.0 * 3.14159265358979 * x / 6000.0 + 0.6) +
           20.0 * std::sin(2.0 * 3.14159265358979 * x / 2500.0 + 2.1);
}
inline double roundedHilltop(double x) {
    return 500.0 + 300.0 * std::exp(-std::pow(x / 3000.0, 2));
}
// A valley before a ridge 250 ft above the tower's ground, 6000 ft out.
inline double valleyThenRidge(double x) {
    return 500.0 - 120.0 * std::exp(-std::pow((x - 2500.0) / 1200.0, 2)) +
           250.0 * std::exp(-std::pow((x - 6000.0) / 700.0, 2));
}

// The typical height of a dipole on each band, feet.
struct Band {
    double mhz, heightFeet;
};
inline const std::vector<Band>& bands() {
    static const std::vector<Band> b{{1.8, 60.0},  {3.6, 70.0},  {7.1, 100.0},
                                     {14.2, 70.0}, {21.2, 60.0}, {29.7, 50.0}};
    return b;
}

struct NamedProfile {
    std::string name;
    Profile profile;
};

// Every terrain of the accuracy table.
inline std::vector<NamedProfile> tableTerrains() {
    return {
        {"FLAT.PRO", sampleFile("FLAT.PRO")},
        {"UPHILL.PRO", sampleFile("UPHILL.PRO")},
        {"DOWNHILL.PRO", sampleFile("DOWNHILL.PRO")},
        {"RIDGE.PRO", sampleFile("RIDGE.PRO")},
        {"VALLEY.PRO", sampleFile("VALLEY.PRO")},
        {"HILLTOP.PRO", sampleFile("HILLTOP.PRO")},
        {"ROLLING.PRO", sampleFile("ROLLING.PRO")},
        {"rolling every 50 ft", sampledProfile(rollingGround, 50.0, 7400.0)},
        {"rolling every 200 ft", sampledProfile(rollingGround, 200.0, 7400.0)},
        {"hilltop every 50 ft", sampledProfile(roundedHilltop, 50.0, 7400.0)},
        {"valley and ridge", sampledProfile(valleyThenRidge, 100.0, 10000.0)},
        {"cliff 50 ft at 60 ft", cliff(50.0, 60.0)},
        {"cliff 100 ft at 500 ft", cliff(100.0, 500.0)},
        {"cliff 200 ft at 800 ft", cliff(200.0, 800.0)},
        {"cliff 500 ft at 60 ft", cliff(500.0, 60.0)},
        {"cliff 500 ft at 2000 ft", cliff(500.0, 2000.0)},
        {"slope 300 ft at 500 ft", {{0.0, 500.0}, {500.0, 500.0}, {673.2, 200.0}, {8000.0, 200.0}}},
        {"dip and wall", {{0.0, 100.0}, {100.0, 95.0}, {101.0, 100.0}, {10000.0, 100.0}}},
    };
}

inline std::vector<AccuracyCase> accuracyCases() {
    std::vector<AccuracyCase> cases;
    for (const NamedProfile& t : tableTerrains())
        for (const GroundRow& g : {averageSoil, saltWater})
            for (const Band& b : bands())
                cases.push_back({t.name, t.profile, b.mhz, b.heightFeet, g});
    // Towers near an edge, and antennas many wavelengths up.
    for (const GroundRow& g : {averageSoil, saltWater}) {
        cases.push_back({"cliff 500 ft at 60 ft", cliff(500.0, 60.0), 7.1, 140.0, g});
        cases.push_back({"cliff 200 ft at 800 ft", cliff(200.0, 800.0), 14.2, 208.0, g});
        for (double height : {35.0, 70.0, 104.0})
            cases.push_back({"valley and ridge", sampledProfile(valleyThenRidge, 100.0, 10000.0),
                             28.4, height, g});
        for (double wavelengths : {4.0, 7.0, 11.0, 15.0})
            cases.push_back({"HILLTOP.PRO", sampleFile("HILLTOP.PRO"), 14.2,
                             wavelengths * 983.57104 / 14.2, g});
        for (double wavelengths : {7.0, 15.0})
            cases.push_back(
                {"RIDGE.PRO", sampleFile("RIDGE.PRO"), 29.7, wavelengths * 983.57104 / 29.7, g});
    }
    return cases;
}

} // namespace vexlo_test
