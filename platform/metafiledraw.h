#pragma once
// Draws a Windows metafile (with or without the placeable header) or an
// enhanced metafile as an image, with the libraries made for these formats.
// Only the helper program and the fuzzing harness link this.
#include <QImage>
#include <QSize>
#include <cstddef>
#include <functional>

namespace metafile {

// Called before the first text is measured or drawn: Qt's fonts need an
// application object, and making one reads the whole font configuration
// (milliseconds that a picture without text need not wait).
using FontsNeeded = std::function<void()>;

// The picture drawn over the whole of an image of `shown`, or of its own
// size when `shown` is empty; a null image when the bytes are not a
// metafile that can be drawn.
QImage draw(const unsigned char* data, size_t size, QSize shown, const FontsNeeded& fontsNeeded);

} // namespace metafile
