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
