#pragma once
// Window placements in twips, as the defaults files keep them.
#include "common/placement.h"

class QWidget;

namespace common {

constexpr int TwipsPerPixel = 15;
inline int ToPixels(double twips) { return static_cast<int>(twips / TwipsPerPixel); }
inline double ToTwips(int pixels) { return static_cast<double>(pixels) * TwipsPerPixel; }

// Moves the window to Left, Top; with `withSize`, also resizes it to Height, Width
// when the placement has them. Positions off every screen are pulled back into view.
void ApplyPlacement(QWidget* window, const Placement& placement, bool withSize);

// The window's Left and Top in twips.
double LeftTwips(const QWidget* window);
double TopTwips(const QWidget* window);
// Left, Top, Height and Width in whole twips, as a defaults file keeps a window.
Placement PlacementOf(const QWidget* window);

} // namespace common
