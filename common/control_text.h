#pragma once
// One table per window of the texts its model puts on screen, by control name. The
// window shows them (common/qt/form_support.h) and the window's command-line companion
// prints them as "controlName=text", so both always speak of the same controls.
#include <array>
#include <cstddef>
#include <ostream>
#include <string>

namespace common {

template <typename Model> struct ControlText {
    const char* control;
    std::string Model::*text;
};

template <typename Model, std::size_t N>
void PrintControlTexts(std::ostream& out, const std::array<ControlText<Model>, N>& table,
                       const Model& model) {
    for (const ControlText<Model>& entry : table)
        out << entry.control << '=' << model.*entry.text << '\n';
}

} // namespace common
