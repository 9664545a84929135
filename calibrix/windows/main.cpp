#include "main_window.h"

#include "common/qt/form_support.h"

int main(int argc, char** argv) {
    return common::RunProgram(argc, argv, "Calibrix",
                              [] { return std::make_unique<calibrix::MainForm>(); });
}
