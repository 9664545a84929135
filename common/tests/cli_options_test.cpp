#include "common/cli_options.h"
#include "common/qt/command_line.h"

#include <gtest/gtest.h>

#include <sstream>

using common::CliOption;
using common::ParseCliOptions;

namespace {
constexpr CliOption KnownOptions[] = {{"--freq", true, "MHZ", "the frequency"},
                                      {"--slot", true},
                                      {"--csv", false, {}, "points as CSV"},
                                      {"-o", true, "FILE"},
                                      {"--x", true}};
}

TEST(CliOptions, ValuesFlagsRepeatsAndPositionalsInAnyOrder) {
    auto o = ParseCliOptions({"ANT.QELT", "--slot", "A:1:2", "--csv", "--freq", "-14", "--slot",
                              "B:3:4", "--freq", "14.2"},
                             KnownOptions);
    ASSERT_TRUE(o);
    EXPECT_TRUE(o->has("--csv"));
    EXPECT_FALSE(o->has("-o"));
    EXPECT_EQ(o->value("--freq"), "14.2"); // the last one counts
    EXPECT_EQ(o->value("-o"), std::nullopt);
    EXPECT_EQ(o->values("--slot"), (std::vector<std::string>{"A:1:2", "B:3:4"}));
    EXPECT_EQ(o->positional(), std::vector<std::string>{"ANT.QELT"});
    // A value that looks like a number with a sign is a value, not an option.
    EXPECT_EQ(ParseCliOptions({"--freq", "-.5"}, KnownOptions)->value("--freq"), "-.5");
}

TEST(CliOptions, UnknownOptionsAndMissingValuesAreRefused) {
    EXPECT_FALSE(ParseCliOptions({"--colour", "red"}, KnownOptions));
    EXPECT_FALSE(ParseCliOptions({"--csv", "--freq"}, KnownOptions));
    EXPECT_FALSE(ParseCliOptions({"--csv=yes"}, KnownOptions)) << "a flag takes no value";
    std::string why;
    EXPECT_FALSE(ParseCliOptions({"--freq"}, KnownOptions, &why));
    EXPECT_NE(why.find("freq"), std::string::npos) << why;
}

TEST(CliOptions, AValueMayFollowAnEqualsSignAndAOneLetterNameTwoDashes) {
    auto o =
        ParseCliOptions({"--freq=14.2", "--x", "-50", "-o", "out.txt", "--slot=A:1"}, KnownOptions);
    ASSERT_TRUE(o);
    EXPECT_EQ(o->value("--freq"), "14.2");
    EXPECT_EQ(o->value("--x"), "-50");
    EXPECT_EQ(o->value("-o"), "out.txt");
    EXPECT_EQ(o->values("--slot"), std::vector<std::string>{"A:1"});
}

TEST(CliOptions, HelpDescribesEveryOptionAndVersionNamesTheSuite) {
    const auto read = [](std::vector<std::string> args, std::string& out, std::string& err) {
        std::ostringstream o, e;
        auto r = common::ReadCommandLine(args, KnownOptions, "usage: test [options]\n", o, e);
        out = o.str();
        err = e.str();
        return std::holds_alternative<int>(r) ? std::get<int>(r) : -1;
    };
    std::string out, err;
    EXPECT_EQ(read({"--help"}, out, err), 0);
    EXPECT_EQ(out.rfind("usage: test [options]\n", 0), 0u) << out;
    for (const char* line : {"  --freq MHZ    the frequency\n", "  --slot VALUE\n",
                             "  --csv         points as CSV\n", "  -o FILE\n", "  --version  "})
        EXPECT_NE(out.find(line), std::string::npos) << line << " in\n" << out;
    EXPECT_EQ(read({"--csv", "-h"}, out, err), 0);
    EXPECT_EQ(read({"--version"}, out, err), 0);
    EXPECT_EQ(out, "hf-antenna-suite " SUITE_VERSION "\n");
    EXPECT_EQ(read({"--colour"}, out, err), 2);
    EXPECT_EQ(err, "usage: test [options]\n");
    EXPECT_EQ(read({"--csv"}, out, err), -1) << "the options to run with";
}

TEST(CliOptions, NumberValuesAreNumbersAndNothingElse) {
    using common::NumberValue;
    using common::WholeNumberValue;
    EXPECT_EQ(WholeNumberValue("7", 1, 7), 7);
    EXPECT_EQ(WholeNumberValue("0", 0, 8), 0);
    for (const char* refused : {"8", "-1", "x3", "3x", "3.0", " 3", ""})
        EXPECT_EQ(WholeNumberValue(refused, 0, 7), std::nullopt) << refused;
    EXPECT_EQ(NumberValue("12,5"), 12.5);
    EXPECT_EQ(NumberValue("-1e3"), -1000);
    for (const char* refused : {"tall", "12m", "", "1e999", "nan", "1,2,3"})
        EXPECT_EQ(NumberValue(refused), std::nullopt) << refused;
    EXPECT_EQ(common::ShortestText(0.1), "0.1");
    EXPECT_EQ(common::ShortestText(0.1f), "0.1");
    EXPECT_EQ(common::ShortestText(1.0 / 3), "0.3333333333333333");
}
