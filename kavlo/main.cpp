#include "main_window.h"

#include "common/qt/command_line_script.h"
#include "common/qt/form_support.h"

int main(int argc, char** argv) {
    return common::RunProgram(argc, argv, "Kavlo", [] {
        auto window = std::make_unique<kavlo::frmKavlo2>();
        common::RunScriptOnRequest(window.get());
        return window;
    });
}
