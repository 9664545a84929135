#pragma once
// Random terrain of the kinds that trouble a wave solution: vertical steps up and down,
// narrow dips, thin walls, troughs and steep slopes, some right at the tower, with random
// antennas over every ground row; for the fuzz test and the comparison tool.
#include <algorithm>
#include <random>

#include "engine_runs.h"

namespace vexlo_test {

class RandomCalls {
public:
    explicit RandomCalls(unsigned seed) : random_(seed) {}

    // A profile of up to 150 points, in feet.
    Profile profile() {
        Profile p;
        double x = 0.0, z = uniform(0.0, 2000.0);
        p.push_back({x, z});
        const int features = 1 + static_cast<int>(uniform(0.0, 12.0));
        const double reach = uniform(500.0, 20000.0);
        for (int f = 0; f < features && p.size() < 140; ++f) {
            // Often the first feature is within a few feet of the tower.
            x += f == 0 && uniform(0.0, 1.0) < 0.5 ? uniform(0.0, 100.0)
                                                   : uniform(0.0, reach / features);
            const double size = std::pow(10.0, uniform(0.0, 2.7)); // 1 to 500 ft
            switch (static_cast<int>(uniform(0.0, 5.0))) {
            case 0: // a step up or down
                add(p, x, z);
                z += uniform(0.0, 1.0) < 0.5 ? size : -size;
                add(p, x, z);
                break;
            case 1: { // a dip with steep sides
                const double width = uniform(1.0, 200.0);
                add(p, x, z);
                add(p, x + uniform(0.0, 2.0), z - size);
                add(p, x + width, z - size);
                x += width + uniform(0.0, 2.0);
                add(p, x, z);
                break;
            }
            case 2: { // a thin wall
                add(p, x, z);
                add(p, x, z + size);
                x += uniform(0.0, 20.0);
                add(p, x, z + size);
                add(p, x, z);
                break;
            }
            case 3: { // a trough
                const double width = uniform(50.0, 2000.0);
                add(p, x, z);
                for (int i = 1; i <= 8; ++i)
                    add(p, x + width * i / 8.0, z - size * std::sin(3.14159265 * i / 8.0));
                x += width;
                break;
            }
            default: { // a slope of up to 60 degrees
                const double run = uniform(1.0, 1000.0);
                add(p, x, z);
                x += run;
                z += run * std::tan(uniform(-1.05, 1.05));
                add(p, x, z);
                break;
            }
            }
        }
        add(p, x + uniform(1.0, 5000.0), z);
        return p;
    }

    // A call over a random profile: any ground row, antenna type, one to four antennas.
    EngineArguments call(double lowestMhz = 1.8, double highestMhz = 30.0) {
        EngineArguments a;
        a.profile = profile();
        const GroundRow& g = groundRows()[static_cast<std::size_t>(
            uniform(0.0, static_cast<double>(groundRows().size())))];
        a.dielectric = static_cast<float>(g.dielectric);
        a.conductivity = static_cast<float>(g.conductivity);
        a.type = static_cast<int16_t>(1 + static_cast<int>(uniform(0.0, 7.0)));
        a.frequency =
            static_cast<float>(std::exp(uniform(std::log(lowestMhz), std::log(highestMhz))));
        const int antennas = 1 + static_cast<int>(uniform(0.0, 4.0));
        for (int i = 0; i < 4; ++i) {
            a.heights[i] = i < antennas ? static_cast<float>(uniform(5.0, 400.0)) : 0.0f;
            a.phases[i] = uniform(0.0, 1.0) < 0.2 ? -1 : 1;
        }
        return a;
    }

    double uniform(double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random_);
    }

private:
    static void add(Profile& p, double x, double z) {
        if (p.size() < 150) p.push_back({x, z});
    }
    std::mt19937 random_;
};

} // namespace vexlo_test
