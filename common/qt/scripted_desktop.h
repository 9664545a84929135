#pragma once
// A Desktop for tests: answers come from queues set up by the test, and every
// message, question and request is recorded for the test to check.
#include "desktop.h"

#include <QImage>
#include <QStringList>
#include <deque>

class QWidget;

namespace common {

class ScriptedDesktop : public Desktop {
public:
    ScriptedDesktop();
    ~ScriptedDesktop() override;

    // What the next calls return. An empty queue answers No, Cancelled, Printed, Opened.
    std::deque<bool> answers;
    std::deque<FileChoice> fileChoices;
    std::deque<PrintResult> printResults;
    std::deque<OpenResult> openResults;
    QSize screen{1920, 1080};

    // What the program asked for.
    QStringList messages; // texts of message boxes, in order
    QStringList messageTitles;
    QStringList questions; // texts of Yes/No questions
    QList<FileDialogRequest> fileRequests;
    QStringList openedDocuments;
    int printedCount = 0;
    QList<QImage> printedPages; // the image of each window as it went to the printer

    void message(QWidget* parent, const QString& text, const QString& title) override;
    bool askYesNo(QWidget* parent, const QString& text, const QString& title) override;
    FileChoice openFile(QWidget* parent, const FileDialogRequest& request) override;
    FileChoice saveFile(QWidget* parent, const FileDialogRequest& request) override;
    PrintResult printWidget(QWidget* widget) override;
    OpenResult openDocument(const QString& path) override;
    QSize screenSize() override;
};

} // namespace common
