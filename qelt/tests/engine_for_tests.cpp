#include "engine_for_tests.h"

#include "common/qt/engine_binding.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace qelt_test {

const qelt::EngineRoutines& Engine() {
    static const qelt::EngineRoutines routines = [] {
        common::Result<qelt::EngineRoutines> bound =
            common::BindEngine<qelt::EngineRoutines>(SUITE_DIR)();
        EXPECT_TRUE(bound.ok()) << bound.message();
        return bound ? bound.value() : qelt::EngineRoutines{};
    }();
    return routines;
}

qelt::Analyser Opened(const std::string& path, qelt::Units units) {
    qelt::Analyser a(units);
    common::Result<> opened = a.open(Engine(), path);
    EXPECT_TRUE(opened.ok()) << opened.message();
    return a;
}

std::string Sample(const std::string& name) { return SUITE_DIR "/QeltAnts/" + name; }

std::string WriteAntenna(const std::string& name, const std::string& contents) {
    const auto* test = testing::UnitTest::GetInstance()->current_test_info();
    const std::filesystem::path dir =
        std::filesystem::path(testing::TempDir()) /
        (std::string("qelt_") + test->test_suite_name() + "_" + test->name());
    std::filesystem::create_directories(dir);
    const std::string path = (dir / name).string();
    std::ofstream(path, std::ios::binary) << contents;
    return path;
}

} // namespace qelt_test
