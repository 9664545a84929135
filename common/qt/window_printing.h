#pragma once
// Printing a window the way every form of the suite does: a Yes/No question first, the
// window's image on a white background (buttons that make no sense on paper out of
// sight), then the screen as it was; a failure says "Printer problem. ". With no printer
// on the desktop the page goes into a PDF file the user names.
#include <QString>

#include <functional>
#include <vector>

class QWidget;

namespace common {

struct PrintRequest {
    QString title;                // title of the question and of the failure message
    std::vector<QWidget*> hidden; // out of sight while printing, shown again afterwards
    std::function<void()> before; // what the page shows differently (dotted curves ...)
    std::function<void()> after;  // undoes `before`
};

// True when the page was printed (or written to the PDF file).
bool PrintWindow(QWidget* window, const PrintRequest& request);

} // namespace common
