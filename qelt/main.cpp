#include "main_window.h"

#include "common/qt/form_support.h"

#include <QCoreApplication>
#include <QTimer>

namespace {

// The first argument that is neither an option nor an option's value: an antenna file
// to open at start, as the desktop passes it.
QString FileToOpen() {
    const QStringList args = QCoreApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == "--screenshot") {
            ++i;
            continue;
        }
        if (!args[i].startsWith("--")) return args[i];
    }
    return {};
}

} // namespace

int main(int argc, char** argv) {
    return common::RunProgram(argc, argv, "Qelt", [] {
        auto window = std::make_unique<qelt::frmQelt>();
        if (const QString file = FileToOpen(); !file.isEmpty() && !window->ended())
            QTimer::singleShot(0, window.get(), [w = window.get(), file] { w->OpenFile(file); });
        return window;
    });
}
