#include "window_placement.h"

#include "desktop.h"

#include <QWidget>
#include <algorithm>

namespace common {

void ApplyPlacement(QWidget* window, const Placement& placement, bool withSize) {
    if (withSize && placement.height && placement.width && *placement.height > 0 &&
        *placement.width > 0)
        window->resize(ToPixels(*placement.width), ToPixels(*placement.height));
    QSize screen = desktop().screenSize();
    int x = std::clamp(ToPixels(placement.left), 0, std::max(0, screen.width() - 100));
    int y = std::clamp(ToPixels(placement.top), 0, std::max(0, screen.height() - 100));
    window->move(x, y);
}

double LeftTwips(const QWidget* window) { return ToTwips(window->x()); }
double TopTwips(const QWidget* window) { return ToTwips(window->y()); }

Placement PlacementOf(const QWidget* window) {
    return {LeftTwips(window), TopTwips(window), ToTwips(window->height()),
            ToTwips(window->width())};
}

} // namespace common
