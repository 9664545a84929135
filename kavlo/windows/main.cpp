#include "main_window.h"

#include "common/qt/command_line_script.h"
#include "common/qt/form_support.h"

#include <QCoreApplication>
#include <QTimer>

int main(int argc, char** argv) {
    return common::RunProgram(argc, argv, "Kavlo", [] {
        auto window = std::make_unique<kavlo::frmKavlo2>();
        // A load file named on the command line opens in the sweep window at start.
        const QStringList files = common::PlainArguments(QCoreApplication::arguments());
        if (const QString file = files.value(0); !file.isEmpty())
            QTimer::singleShot(0, window.get(),
                               [w = window.get(), file] { w->openLoadFile(file); });
        return window;
    });
}
