#include "common/cli_options.h"

#include <gtest/gtest.h>

using common::CliOption;
using common::ParseCliOptions;

namespace {
constexpr CliOption KnownOptions[] = {{"--freq", true}, {"--slot", true}, {"--csv"}, {"-o", true}};
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
    EXPECT_FALSE(ParseCliOptions({"--freq=14"}, KnownOptions));
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
