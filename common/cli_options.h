#pragma once
// The options of the command-line companions, each companion's table of them, and what a
// command line gave (read by common/qt/command_line.h).
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace common {

struct CliOption {
    std::string_view name; // with its dashes: "--freq", "-o"
    bool takesValue = false;
    std::string_view valueName = {};   // in --help: "--freq MHZ"
    std::string_view description = {}; // in --help
};

class CliOptions {
public:
    bool has(std::string_view name) const;
    // The last value given for the option.
    std::optional<std::string> value(std::string_view name) const;
    // Every value given for an option that may repeat, in order.
    std::vector<std::string> values(std::string_view name) const;
    const std::vector<std::string>& positional() const { return positional_; }

    // Filled in the order given ("" the value of a flag).
    void give(std::string name, std::string value) {
        given_.emplace_back(std::move(name), std::move(value));
    }
    void givePositional(std::string argument) { positional_.push_back(std::move(argument)); }

private:
    std::vector<std::pair<std::string, std::string>> given_; // name, value ("" for a flag)
    std::vector<std::string> positional_;
};

// A value that is a whole number from lowest to highest and nothing else.
std::optional<int> WholeNumberValue(std::string_view text, int lowest, int highest);
// A value that is a finite number and nothing else; a comma may be the decimal point.
std::optional<double> NumberValue(std::string text);

// The shortest text that reads back as the same number: the companions' full precision.
std::string ShortestText(double value);
std::string ShortestText(float value);

} // namespace common
