#include "form_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QWidget>

namespace common {

namespace {
template <typename Control> bool setIfChanged(QObject* found, const QString& text) {
    auto* control = qobject_cast<Control*>(found);
    if (!control) return false;
    if (control->text() != text) control->setText(text);
    return true;
}
} // namespace

void SetControlText(QWidget* form, const char* control, const std::string& text) {
    QObject* found = form->findChild<QObject*>(control);
    if (!found) {
        qWarning("SetControlText: no control named %s", control);
        return;
    }
    const QString t = QString::fromStdString(text);
    if (setIfChanged<QLineEdit>(found, t) || setIfChanged<QLabel>(found, t) ||
        setIfChanged<QAbstractButton>(found, t))
        return;
    if (auto* group = qobject_cast<QGroupBox*>(found); group && group->title() != t)
        group->setTitle(t);
}

int RunProgram(int& argc, char** argv, const char* name,
               const std::function<std::unique_ptr<QWidget>()>& makeWindow) {
    QApplication app(argc, argv);
    app.setApplicationName(name);
    std::unique_ptr<QWidget> window = makeWindow();
    window->show();
    ScreenshotOnRequest(window.get());
    return app.exec();
}

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
