#include "main_window.h"

#include "common/qt/form_support.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setApplicationName("Calibrix");
    calibrix::MainForm form;
    form.show();
    common::ScreenshotOnRequest(&form);
    return app.exec();
}
