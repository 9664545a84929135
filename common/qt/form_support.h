#pragma once
// Small pieces every form of the suite uses.
#include <utility>

class QWidget;

namespace common {

// A control with the name tests and tools find it by.
template <typename Control, typename... Args> Control* Named(const char* name, Args&&... args) {
    auto* control = new Control(std::forward<Args>(args)...);
    control->setObjectName(name);
    return control;
}

// With "--screenshot PATH" on the command line, saves the window's image once it is
// on screen and ends the program (exit code 1 when the image cannot be written).
// Nothing is saved to the defaults files on that way out.
void ScreenshotOnRequest(QWidget* window);

} // namespace common
