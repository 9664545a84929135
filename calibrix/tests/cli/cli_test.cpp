#include "calibrix/cli/cli.h"
#include "calibrix/core/lookup_tables.h"

#include "common/text_file.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

using namespace calibrix;

namespace {

struct CliRun {
    int code;
    std::string out, err;
};

CliRun run(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    int code = RunCli(args, out, err);
    return {code, out.str(), err.str()};
}

std::string expected(const Calibration& calibration) {
    return common::JoinLines(ConstructTables(calibration, NumberStyle{}).value());
}

} // namespace

TEST(CalibrixCli, PrintsOrWritesTheTables) {
    CliRun printed = run({"--slope", "0.1", "--intercept", "-43.64", "--reflected"});
    EXPECT_EQ(printed.code, 0);
    EXPECT_EQ(printed.out, expected({"0.1", "-43.64", Channel::Reflected}));

    auto path = std::filesystem::temp_directory_path() / "calibrix_cli_test.txt";
    CliRun written = run({"-o", path.string(), "--intercept", "-40", "--slope", "0.09"});
    EXPECT_EQ(written.code, 0);
    EXPECT_EQ(written.out, "");
    auto lines = common::ReadTextLines(path.string());
    ASSERT_TRUE(lines);
    EXPECT_EQ(common::JoinLines(*lines), expected({"0.09", "-40", Channel::Forward}));
    std::filesystem::remove(path);
}

TEST(CalibrixCli, FailuresExitNonZeroWithAMessage) {
    CliRun slope = run({"--slope", "x", "--intercept", "-43.64"});
    EXPECT_EQ(slope.code, 1);
    EXPECT_EQ(slope.err, "Enter numeric value for slope\n");
    EXPECT_EQ(slope.out, "");
    EXPECT_EQ(run({"--slope", "0.1", "--intercept", "-43,64"}).err,
              "Enter numeric value for Intercept\n");

    CliRun unwritable =
        run({"--slope", "0.1", "--intercept", "-43.64", "-o", "/nonexistent/dir/t.txt"});
    EXPECT_EQ(unwritable.code, 1);
    EXPECT_EQ(unwritable.err.rfind("I/O Error while writing file\n", 0), 0u);

    EXPECT_EQ(run({"--slope", "0.1", "--intercept"}).code, 2);
    EXPECT_EQ(run({"--slope", "0.1", "--intercept", "1", "--colour", "red"}).code, 2);
}
