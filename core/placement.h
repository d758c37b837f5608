#pragma once
// Every window centres itself while it loads: across the screen and a little
// above the vertical centre.
#include <QPoint>

namespace platform { class Form; }

// Left and top, in twips, for a window of the given outer size on a screen
// of the given size, raised by topOffset twips. Each difference is rounded to
// the nearest whole number (halves to even), then halved toward zero. The
// screen's area begins at origin.
QPoint placementPosition(double screenWidth, double screenHeight, double windowWidth, double windowHeight,
                         int topOffset, QPoint origin = QPoint());

// Sets the form's outer size (when width and height are positive), stores
// the position in FormLeft and FormTop and moves the window there.
void placeForm(platform::Form& form, int width, int height, int topOffset);
