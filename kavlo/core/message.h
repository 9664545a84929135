#pragma once
// A message box the model asks the window to show: its text and its title (empty for
// the program's own name).
#include <string>

namespace kavlo {

struct Message {
    std::string text;
    std::string title;
    bool operator==(const Message&) const = default;
};

} // namespace kavlo
