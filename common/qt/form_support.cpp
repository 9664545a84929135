#include "form_support.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace common {

void ScreenshotOnRequest(QWidget* window) {
    QStringList args = QCoreApplication::arguments();
    qsizetype at = args.indexOf("--screenshot");
    if (at <= 0 || at + 1 >= args.size()) return;
    QString path = args[at + 1];
    // Half a second lets the window settle its layout and fonts first.
    QTimer::singleShot(
        500, window, [window, path] { QCoreApplication::exit(window->grab().save(path) ? 0 : 1); });
}

} // namespace common
