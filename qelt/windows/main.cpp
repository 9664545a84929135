#include "main_window.h"

#include "common/qt/command_line_script.h"
#include "common/qt/form_support.h"

#include <QCoreApplication>
#include <QTimer>

int main(int argc, char** argv) {
    return common::RunProgram(argc, argv, "Qelt", [] {
        auto window = std::make_unique<qelt::frmQelt>();
        // An antenna file named on the command line opens at start, as the desktop asks.
        const QStringList files = common::PlainArguments(QCoreApplication::arguments());
        if (const QString file = files.value(0); !file.isEmpty() && !window->ended())
            QTimer::singleShot(0, window.get(), [w = window.get(), file] { w->OpenFile(file); });
        return window;
    });
}
