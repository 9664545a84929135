#pragma once
// The platform services the windows use: message boxes, questions, file dialogs,
// printing, opening documents and the screen size. No window calls QMessageBox,
// QFileDialog or QPrinter itself; tests replace the service with ScriptedDesktop.
#include "common/message.h"

#include <QSize>
#include <QString>

#include <vector>

class QWidget;

namespace common {

struct FileChoice {
    enum class Status { Chosen, Cancelled };
    Status status = Status::Cancelled;
    QString path;
    bool chosen() const { return status == Status::Chosen; }
};

struct FileDialogRequest {
    QString title;
    QString folder;   // starting folder; empty for the dialog's own choice
    QString fileName; // initial file name
    QString filter;   // "Text files (*.txt)|*.txt" style: description|pattern pairs
};

enum class PrintResult { Printed, Cancelled, Failed };
// NoViewer: the desktop has no program for the document's type.
enum class OpenResult { Opened, NotFound, NoViewer };

class Desktop {
public:
    virtual ~Desktop() = default;
    // Modal OK box; an empty title means the program's own name.
    virtual void message(QWidget* parent, const QString& text, const QString& title = {}) = 0;
    // Modal Yes/No question; true for Yes.
    virtual bool askYesNo(QWidget* parent, const QString& text, const QString& title) = 0;
    virtual FileChoice openFile(QWidget* parent, const FileDialogRequest& request) = 0;
    virtual FileChoice saveFile(QWidget* parent, const FileDialogRequest& request) = 0;
    // The widget's image on the default printer, or in a PDF file when there is none.
    virtual PrintResult printWidget(QWidget* widget) = 0;
    // Opens a document with the desktop's viewer for it.
    virtual OpenResult openDocument(const QString& path) = 0;
    // Starts `program` on a document, on its own; false when it cannot be started.
    virtual bool startProgram(const QString& program, const QString& document) = 0;
    virtual QSize screenSize() = 0;
};

// The service in force: the Qt one unless a test has put another in place.
Desktop& desktop();
// Puts a service in place (nullptr goes back to the Qt one); the caller keeps ownership.
void setDesktop(Desktop* replacement);

// A core's messages, one message box after another.
void ShowMessages(QWidget* parent, const std::vector<Message>& messages);

// Converts "desc|pattern|desc|pattern" to Qt's "desc (pattern);;..." form.
QString QtFilter(const QString& pipeFilter);

// Opens the program's help document beside the program; a missing document shows
// "<NAME> or Adobe Reader not available.", one the desktop has no viewer for is opened
// with a program the user picks.
void OpenHelpDocument(QWidget* parent, const QString& documentName);
// Opens a document the same way. With `chooseProgram`, a document the desktop has no
// viewer for is opened with a program the user picks.
void OpenDocument(QWidget* parent, const QString& path, bool chooseProgram);

} // namespace common
