#pragma once
// A fresh folder per test for the files the terrain program reads and writes.
#include "common/text_file.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace brisco::fixtures {

class TestFolder {
public:
    TestFolder() {
        std::random_device random;
        path_ = std::filesystem::temp_directory_path() /
                ("brisco-test-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(path_);
    }
    ~TestFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    std::string path() const { return path_.string(); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    std::string write(const std::string& name, const std::string& content) const {
        std::ofstream(file(name), std::ios::binary) << content;
        return file(name);
    }
    std::vector<std::string> lines(const std::string& name) const {
        return common::ReadTextLines(file(name)).value_or(std::vector<std::string>{});
    }

private:
    std::filesystem::path path_;
};

// Statistics rows in the file's fixed columns: eight 5-character fields from position 9.
inline std::string StatsRow(int angle, const std::vector<double>& columns) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%4d    ", angle);
    std::string row = buf;
    for (double v : columns) {
        std::snprintf(buf, sizeof buf, "%5.1f  ", v);
        row += buf;
    }
    return row;
}

// A statistics file whose first `rows` rows hold `value` in `column` (1..8), all else 0.
inline std::string StatsFile(int column, double value, int rows = 35) {
    std::string text = "Made-up statistics\nElev   80m 40m 30m 20m 17m 15m 12m 10m\n";
    for (int angle = 1; angle <= 35; ++angle) {
        std::vector<double> values(8, 0.0);
        if (angle <= rows) values[column - 1] = value;
        text += StatsRow(angle, values) + "\n";
    }
    return text;
}

} // namespace brisco::fixtures
