#pragma once
// A terrain profile file read plainly, for the tests and the documentation's plots: distance
// and elevation per line, in feet, or in metres after a units line selecting them (a line
// with F, f, m or M in it that neither starts with f nor holds an F).
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace vexlo_test {

inline std::vector<std::pair<double, double>> readProfileFile(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::pair<double, double>> profile;
    double scale = 1.0;
    std::string line;
    while (std::getline(in, line)) {
        if (line.find_first_of("FfMm") != std::string::npos) {
            scale = line.find('F') != std::string::npos || line[0] == 'f' ? 1.0 : 1.0 / 0.3048;
            continue;
        }
        std::istringstream fields(line);
        double d, e;
        if (fields >> d >> e) profile.push_back({d * scale, e * scale});
    }
    return profile;
}

} // namespace vexlo_test
