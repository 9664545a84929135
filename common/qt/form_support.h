#pragma once
// Small pieces every form of the suite uses.
#include "common/control_text.h"

#include <functional>
#include <memory>
#include <string>
#include <utility>

class QWidget;

namespace common {

// A control with the name tests and tools find it by.
template <typename Control, typename... Args> Control* Named(const char* name, Args&&... args) {
    auto* control = new Control(std::forward<Args>(args)...);
    control->setObjectName(name);
    return control;
}

// Puts a text into the form's control of that name (a box, a label, a button or a
// group's title); an unchanged text is left alone so no change handler runs for nothing.
void SetControlText(QWidget* form, const char* control, const std::string& text);

// Every text of a window's table into its controls.
template <typename Model, std::size_t N>
void ShowControlTexts(QWidget* form, const std::array<ControlText<Model>, N>& table,
                      const Model& model) {
    for (const ControlText<Model>& entry : table)
        SetControlText(form, entry.control, model.*entry.text);
}

// The main of every window program: the application under the program's name, the
// window made and shown, "--screenshot PATH" honoured, the event loop run.
int RunProgram(int& argc, char** argv, const char* name,
               const std::function<std::unique_ptr<QWidget>()>& makeWindow);

// With "--screenshot PATH" on the command line, saves the window's image once it is
// on screen and ends the program (exit code 1 when the image cannot be written).
// Nothing is saved to the defaults files on that way out.
void ScreenshotOnRequest(QWidget* window);

} // namespace common
