#pragma once
// Plays a Windows metafile (with or without the placeable header) onto an
// image with QPainter, with the meaning Windows gives its records: solid
// fills opaque whatever the background mode, colours exact, pens at their
// width, text placed by the metrics of the font that draws it. libwmf's
// player reads the records and keeps the device context; we draw.
// Only the helper program and the fuzzing harness link this.
#include "platform/metafile.h"
#include "platform/metafiledraw.h"

#include <QImage>
#include <QSize>
#include <cstddef>

namespace metafile {

// The metafile drawn over the whole of an image of `shown`, or of its own
// size when `shown` is empty (the placeable header's, or what its records
// cover). A null image when the bytes are not a metafile that can be drawn.
// `header` is what readHeader() found in these bytes.
QImage playWmf(const unsigned char* data, size_t size, const platform::metafile::Header& header, QSize shown,
               const FontsNeeded& fontsNeeded);

} // namespace metafile
