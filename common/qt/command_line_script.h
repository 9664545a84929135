#pragma once
// Driving a program's windows from its command line, so that any of its windows can be
// looked at in a screenshot. In the order given, once the main window shows:
//
//     --type NAME=TEXT     types TEXT into the box NAME
//     --press NAME         clicks the button or option NAME
//     --choose NAME=INDEX  picks entry INDEX of the list NAME, as a click would
//
// then "--screenshot-window NAME PATH" saves the image of window NAME and ends the
// program. A control is looked for in the visible windows first; "WINDOW.NAME" names one
// in a given window. An unknown name is reported on standard error and ends the program
// with status 2.
class QWidget;

namespace common {

void RunScriptOnRequest(QWidget* mainWindow);

} // namespace common
