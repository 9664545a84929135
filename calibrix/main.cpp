#include "main_form.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setApplicationName("Calibrix");
    calibrix::MainForm form;
    form.show();

    // --screenshot PATH saves the window's image once it is on screen, then quits.
    QStringList args = app.arguments();
    qsizetype at = args.indexOf("--screenshot");
    if (at > 0 && at + 1 < args.size()) {
        QString path = args[at + 1];
        QTimer::singleShot(500, &form, [&form, path] { QApplication::exit(form.grab().save(path) ? 0 : 1); });
    }
    return app.exec();
}
