#pragma once
// SRTM tiles made by the tests: posts a side (1201 at 3, 3601 at 1 arc-second), rows from
// the north, big-endian 16-bit metres, the heights a function of latitude and longitude.
#include "test_folder.h"

#include <cmath>
#include <cstdint>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace brisco::fixtures {

inline std::string WriteHgt(const TestFolder& folder, const std::string& name, int south, int west,
                            int posts, const std::function<double(double, double)>& height) {
    std::vector<char> bytes(size_t(posts) * posts * 2);
    for (int r = 0; r < posts; ++r)
        for (int c = 0; c < posts; ++c) {
            const double latitude = south + 1 - double(r) / (posts - 1);
            const double longitude = west + double(c) / (posts - 1);
            const auto v = static_cast<std::int16_t>(std::lround(height(latitude, longitude)));
            const size_t at = (size_t(r) * posts + c) * 2;
            bytes[at] = static_cast<char>((v >> 8) & 0xff);
            bytes[at + 1] = static_cast<char>(v & 0xff);
        }
    const std::string path = folder.file(name);
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    return path;
}

} // namespace brisco::fixtures
