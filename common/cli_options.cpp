#include "cli_options.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace common {

bool CliOptions::has(std::string_view name) const {
    return std::any_of(given_.begin(), given_.end(),
                       [&](const auto& g) { return g.first == name; });
}

std::optional<std::string> CliOptions::value(std::string_view name) const {
    std::vector<std::string> all = values(name);
    if (all.empty()) return std::nullopt;
    return all.back();
}

std::vector<std::string> CliOptions::values(std::string_view name) const {
    std::vector<std::string> all;
    for (const auto& [n, v] : given_)
        if (n == name) all.push_back(v);
    return all;
}

std::optional<int> WholeNumberValue(std::string_view text, int lowest, int highest) {
    int value = 0;
    const char* end = text.data() + text.size();
    auto [stop, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || stop != end || value < lowest || value > highest) return std::nullopt;
    return value;
}

std::optional<double> NumberValue(std::string text) {
    std::replace(text.begin(), text.end(), ',', '.');
    double value = 0;
    const char* end = text.data() + text.size();
    auto [stop, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || stop != end || !std::isfinite(value)) return std::nullopt;
    return value;
}

namespace {
template <typename Number> std::string shortest(Number value) {
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, end);
}
} // namespace

std::string ShortestText(double value) { return shortest(value); }
std::string ShortestText(float value) { return shortest(value); }

} // namespace common
