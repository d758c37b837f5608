#include "platform/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace platform {

int twipsToPixels(int twips)
{
    return static_cast<int>(std::lround(twips / double(TwipsPerPixel)));
}

int pixelsToTwips(int pixels)
{
    return pixels * TwipsPerPixel;
}

QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

QSize screenSizeTwips()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return QSize(0, 0);
    const QSize px = screen->geometry().size();
    return QSize(pixelsToTwips(px.width()), pixelsToTwips(px.height()));
}

QRect screenAreaTwips()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return QRect();
    const QRect px = screen->availableGeometry();
    return QRect(pixelsToTwips(px.x()), pixelsToTwips(px.y()), pixelsToTwips(px.width()),
                 pixelsToTwips(px.height()));
}

void placeTwips(QWidget* w, int left, int top, int width, int height)
{
    w->setGeometry(twipsRect(left, top, width, height));
}

// The frame is known only once the window has been shown; before that the
// outer size is taken as the client size, and the form corrects it after
// showing (see Form::Show).
static QMargins frameMargins(const QWidget* window)
{
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    return QMargins(client.left() - frame.left(), client.top() - frame.top(),
                    frame.right() - client.right(), frame.bottom() - client.bottom());
}

void setOuterSizeTwips(QWidget* window, int width, int height)
{
    const QMargins m = frameMargins(window);
    window->resize(twipsToPixels(width) - m.left() - m.right(),
                   twipsToPixels(height) - m.top() - m.bottom());
}

QSize outerSizeTwips(const QWidget* window)
{
    const QSize px = window->frameGeometry().size();
    return QSize(pixelsToTwips(px.width()), pixelsToTwips(px.height()));
}

void moveOuterTwips(QWidget* window, int left, int top)
{
    window->move(twipsToPixels(left), twipsToPixels(top));
}

QPoint outerPosTwips(const QWidget* window)
{
    const QPoint px = window->frameGeometry().topLeft();
    return QPoint(pixelsToTwips(px.x()), pixelsToTwips(px.y()));
}

} // namespace platform
