#pragma once
// A window whose place the defaults file keeps (the output graph, the terrain plot): when
// the user closes it, it hands back where it stood, unless its left edge is off the screen
// (at 0 only the frame's close counts it as on the screen), and hides.
#include "common/qt/window_placement.h"

#include <QCloseEvent>
#include <QWidget>

#include <functional>

namespace brisco {

class PlacedWindow : public QWidget {
    Q_OBJECT
public:
    using Remember = std::function<void(const common::Placement&)>;
    explicit PlacedWindow(Remember remember)
        : QWidget(nullptr, Qt::Window), remember_(std::move(remember)) {}

protected:
    // The window's own Close or Cancel button.
    void closeByButton() {
        remember(false);
        hide();
    }
    void closeEvent(QCloseEvent* event) override {
        remember(true);
        event->accept();
    }

private:
    void remember(bool evenAtZero) {
        const common::Placement placed = common::PlacementOf(this);
        if (placed.left > 0 || (evenAtZero && placed.left == 0)) remember_(placed);
    }
    Remember remember_;
};

} // namespace brisco
