#include "command_line_script.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace common {
namespace {

struct Step {
    QString option, name, value;
};

QWidget* windowNamed(const QString& name) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name) return w;
    return nullptr;
}

// "NAME" in the visible windows first, then in any; "WINDOW.NAME" in that window.
QWidget* controlNamed(const QString& path) {
    const qsizetype dot = path.indexOf('.');
    if (dot > 0) {
        QWidget* window = windowNamed(path.left(dot));
        return window ? window->findChild<QWidget*>(path.mid(dot + 1)) : nullptr;
    }
    for (bool visibleOnly : {true, false})
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (visibleOnly && !w->isVisible()) continue;
            if (w->objectName() == path) return w;
            if (auto* found = w->findChild<QWidget*>(path)) return found;
        }
    return nullptr;
}

[[noreturn]] void fail(const QString& what) {
    std::fprintf(stderr, "%s\n", qPrintable(what));
    std::exit(2);
}

void run(const Step& step) {
    if (step.option == "--screenshot-window") {
        QWidget* window = windowNamed(step.name);
        if (!window) fail("no window named " + step.name);
        QTimer::singleShot(500, window, [window, path = step.value] {
            QCoreApplication::exit(window->grab().save(path) ? 0 : 1);
        });
        return;
    }
    if (step.option == "--close") {
        QWidget* window = windowNamed(step.name);
        if (!window) fail("no window named " + step.name);
        window->close();
        return;
    }
    QWidget* control = controlNamed(step.name);
    if (!control) fail("no control named " + step.name);
    if (step.option == "--type") {
        auto* box = qobject_cast<QLineEdit*>(control);
        if (!box) fail(step.name + " is not a box");
        box->setText(step.value);
        emit box->editingFinished();
    } else if (step.option == "--press") {
        if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            button->click();
            return;
        }
        // Any other control takes the mouse's own click at its centre.
        const QPointF centre = QRectF(control->rect()).center();
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent click(type, centre, control->mapToGlobal(centre), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                              Qt::NoModifier);
            QApplication::sendEvent(control, &click);
        }
    } else {
        auto* list = qobject_cast<QComboBox*>(control);
        if (!list) fail(step.name + " is not a list");
        list->setCurrentIndex(step.value.toInt());
        emit list->activated(list->currentIndex());
    }
}

} // namespace

QStringList PlainArguments(const QStringList& args) {
    QStringList plain;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == "--screenshot-window")
            i += 2;
        else if (a == "--press" || a == "--type" || a == "--choose" || a == "--close" ||
                 a == "--screenshot")
            ++i;
        else
            plain << a;
    }
    return plain;
}

void RunScriptOnRequest(QWidget* mainWindow) {
    RunScript(mainWindow, QCoreApplication::arguments());
}

void RunScript(QWidget* mainWindow, const QStringList& args) {
    std::vector<Step> steps;
    for (qsizetype i = 1; i + 1 < args.size(); ++i) {
        const QString& option = args[i];
        if (option == "--screenshot-window" && i + 2 < args.size()) {
            steps.push_back({option, args[i + 1], args[i + 2]});
            i += 2;
        } else if (option == "--press" || option == "--close") {
            steps.push_back({option, args[++i], {}});
        } else if (option == "--type" || option == "--choose") {
            const QString& pair = args[++i];
            const qsizetype eq = pair.indexOf('=');
            if (eq <= 0) fail(option + " needs NAME=VALUE, not " + pair);
            steps.push_back({option, pair.left(eq), pair.mid(eq + 1)});
        }
    }
    if (steps.empty()) return;
    QTimer::singleShot(0, mainWindow, [steps] {
        for (const Step& step : steps) run(step);
    });
}

} // namespace common
