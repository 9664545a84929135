#pragma once
// A message box a core asks its window to show: its text and its title (empty for the
// program's own name). The command-line companions print the text on standard error.
#include <string>

namespace common {

struct Message {
    std::string text;
    std::string title;
    bool operator==(const Message&) const = default;
};

} // namespace common
