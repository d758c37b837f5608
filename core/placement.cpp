#include "core/placement.h"

#include "core/orvl_mod.h"
#include "platform/form.h"
#include "platform/twips.h"

#include <cmath>

namespace {
int halfOfRounded(double difference)
{
    // The sizes were single-precision values; nearbyint rounds halves to even.
    const double rounded = std::nearbyint(static_cast<float>(difference));
    return static_cast<int>(rounded / 2); // toward zero
}
} // namespace

QPoint placementPosition(double screenWidth, double screenHeight, double windowWidth, double windowHeight,
                         int topOffset, QPoint origin)
{
    return origin +
           QPoint(halfOfRounded(screenWidth - windowWidth), halfOfRounded(screenHeight - windowHeight) - topOffset);
}

void placeForm(platform::Form& form, int width, int height, int topOffset)
{
    QSize size(width, height);
    if (width > 0 && height > 0)
        form.SetSizeTwips(width, height);
    else if (form.window())
        size = platform::outerSizeTwips(form.window());
    // The usable area of the primary screen, wherever the desktop puts it
    // (a monitor to its left moves its origin).
    const QRect screen = platform::screenAreaTwips();
    const QPoint at = placementPosition(screen.width(), screen.height(), size.width(), size.height(), topOffset,
                                        screen.topLeft());
    ORVL_MOD::FormLeft = at.x();
    ORVL_MOD::FormTop = at.y();
    form.MoveTwips(ORVL_MOD::FormLeft, ORVL_MOD::FormTop);
}
