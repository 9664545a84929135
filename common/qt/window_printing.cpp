#include "window_printing.h"

#include "desktop.h"

#include <QPalette>
#include <QWidget>

namespace common {
namespace {

// Turns the window's backgrounds white for as long as it lives.
class WhitePage {
public:
    explicit WhitePage(QWidget* window)
        : window_(window), palette_(window->palette()), autoFill_(window->autoFillBackground()) {
        QPalette paper = palette_;
        for (QPalette::ColorRole role : {QPalette::Window, QPalette::Button, QPalette::Base})
            paper.setColor(role, Qt::white);
        window_->setPalette(paper);
        window_->setAutoFillBackground(true);
    }
    ~WhitePage() {
        window_->setAutoFillBackground(autoFill_);
        window_->setPalette(palette_);
    }
    WhitePage(const WhitePage&) = delete;
    WhitePage& operator=(const WhitePage&) = delete;

private:
    QWidget* window_;
    QPalette palette_;
    bool autoFill_;
};

} // namespace

bool PrintWindow(QWidget* window, const PrintRequest& request) {
    if (!desktop().askYesNo(window, "Are you sure you want to print? ", request.title))
        return false;
    std::vector<QWidget*> hidden;
    for (QWidget* w : request.hidden)
        if (w && w->isVisible()) {
            w->hide();
            hidden.push_back(w);
        }
    if (request.before) request.before();
    PrintResult result;
    {
        WhitePage page(window);
        result = desktop().printWidget(window);
    }
    if (request.after) request.after();
    for (QWidget* w : hidden) w->show();
    if (result == PrintResult::Failed)
        desktop().message(window, "Printer problem. ", request.title);
    return result == PrintResult::Printed;
}

} // namespace common
