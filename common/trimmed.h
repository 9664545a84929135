#pragma once
// A text without the blanks and tabs at either end, as names and lines of the suite's
// files are compared and kept.
#include <string>
#include <string_view>

namespace common {

inline std::string Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

} // namespace common
