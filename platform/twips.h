#pragma once
// Window geometry is designed in twips: 1440 to the inch, 15 to a pixel at
// 96 dpi. Every conversion between the two goes through here.
#include <QRect>
#include <QSize>

class QWidget;

namespace platform {

constexpr int TwipsPerPixel = 15;

int twipsToPixels(int twips);
int pixelsToTwips(int pixels);
QRect twipsRect(int left, int top, int width, int height);

// Width and height of the primary screen, in twips.
QSize screenSizeTwips();
// The part of the primary screen that windows may use (without panels), in
// twips of the desktop; it need not begin at 0, 0.
QRect screenAreaTwips();

// Places a child control at a designed position and size, in twips.
void placeTwips(QWidget* w, int left, int top, int width, int height);

// A window's outer (frame) size and position, in twips.
void setOuterSizeTwips(QWidget* window, int width, int height);
QSize outerSizeTwips(const QWidget* window);
void moveOuterTwips(QWidget* window, int left, int top);
QPoint outerPosTwips(const QWidget* window);

} // namespace platform
