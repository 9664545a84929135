#pragma once
// Driving a program's windows from its command line, so that any of its windows can be
// looked at in a screenshot. In the order given, once the main window shows:
//
//     --type NAME=TEXT     types TEXT into the box NAME
//     --press NAME         clicks the button or option NAME (any other control gets a
//                          mouse click at its centre)
//     --choose NAME=INDEX  picks entry INDEX of the list NAME, as a click would
//     --close NAME         closes the window NAME as its frame's close button would (the
//                          main window: the program keeps its settings and ends)
//
// then "--screenshot-window NAME PATH" saves the image of window NAME and ends the
// program. A control is looked for in the visible windows first; "WINDOW.NAME" names one
// in a given window. An unknown name is reported on standard error and ends the program
// with status 2.
#include <QStringList>

class QWidget;

namespace common {

// The arguments that are none of the above nor "--screenshot PATH", nor their values
// (program name left out): the files a program is asked to open.
QStringList PlainArguments(const QStringList& args);

// Runs the steps of the program's own command line.
void RunScriptOnRequest(QWidget* mainWindow);
// Runs the steps of `args` (a command line, program name first).
void RunScript(QWidget* mainWindow, const QStringList& args);

} // namespace common
