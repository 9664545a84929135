#include "scripted_desktop.h"

#include <QWidget>

namespace common {
namespace {
template <typename T> T next(std::deque<T>& queue, T otherwise) {
    if (queue.empty()) return otherwise;
    T v = queue.front();
    queue.pop_front();
    return v;
}
} // namespace

ScriptedDesktop::ScriptedDesktop() { setDesktop(this); }
ScriptedDesktop::~ScriptedDesktop() { setDesktop(nullptr); }

void ScriptedDesktop::message(QWidget*, const QString& text, const QString& title) {
    messages << text;
    messageTitles << title;
}

bool ScriptedDesktop::askYesNo(QWidget*, const QString& text, const QString&) {
    questions << text;
    return next(answers, false);
}

FileChoice ScriptedDesktop::openFile(QWidget*, const FileDialogRequest& request) {
    fileRequests << request;
    return next(fileChoices, FileChoice{});
}

FileChoice ScriptedDesktop::saveFile(QWidget*, const FileDialogRequest& request) {
    fileRequests << request;
    return next(fileChoices, FileChoice{});
}

PrintResult ScriptedDesktop::printWidget(QWidget* widget) {
    PrintResult r = next(printResults, PrintResult::Printed);
    if (r == PrintResult::Printed) {
        ++printedCount;
        printedPages << widget->grab().toImage();
    }
    return r;
}

OpenResult ScriptedDesktop::openDocument(const QString& path) {
    openedDocuments << path;
    return next(openResults, OpenResult::Opened);
}

QSize ScriptedDesktop::screenSize() { return screen; }

} // namespace common
