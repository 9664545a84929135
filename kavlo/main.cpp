#include "main_window.h"

#include "common/qt/form_support.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setApplicationName("Kavlo");
    kavlo::frmKavlo2 window;
    window.show();
    common::ScreenshotOnRequest(&window);
    return app.exec();
}
