#pragma once
// The options of the command-line companions: "--name value" pairs, plain "--flag"s
// and positional arguments, in any order. Unknown options and missing values are
// refused, so a typing slip never runs with a silently ignored setting.
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace common {

struct CliOption {
    std::string_view name; // with its dashes: "--freq", "-o"
    bool takesValue = false;
};

class CliOptions {
public:
    bool has(std::string_view name) const;
    // The last value given for the option.
    std::optional<std::string> value(std::string_view name) const;
    // Every value given for an option that may repeat, in order.
    std::vector<std::string> values(std::string_view name) const;
    const std::vector<std::string>& positional() const { return positional_; }

    friend std::optional<CliOptions> ParseCliOptions(const std::vector<std::string>& args,
                                                     std::span<const CliOption> known);

private:
    std::vector<std::pair<std::string, std::string>> given_; // name, value ("" for a flag)
    std::vector<std::string> positional_;
};

// Nothing when an option is unknown or lacks its value.
std::optional<CliOptions> ParseCliOptions(const std::vector<std::string>& args,
                                          std::span<const CliOption> known);

// A value that is a whole number from lowest to highest and nothing else.
std::optional<int> WholeNumberValue(std::string_view text, int lowest, int highest);
// A value that is a finite number and nothing else; a comma may be the decimal point.
std::optional<double> NumberValue(std::string text);

// The shortest text that reads back as the same number: the companions' full precision.
std::string ShortestText(double value);
std::string ShortestText(float value);

} // namespace common
