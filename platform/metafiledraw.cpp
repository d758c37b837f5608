#include "platform/metafiledraw.h"

#include "platform/metafile.h"
#include "platform/wmfdevice.h"

#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include <emf2svg.h>

namespace metafile {

using platform::metafile::Header;
using platform::metafile::Kind;

namespace {

// Whether every record of an enhanced metafile lies inside the file and the
// last is its end: the library trusts these sizes and reads past its buffer
// when they lie.
bool emfRecordsHold(const unsigned char* data, size_t size)
{
    using platform::metafile::detail::u32;
    for (size_t offset = 0; size - offset >= 8;) {
        const uint32_t type = u32(data + offset), length = u32(data + offset + 4);
        if (length < 8 || length % 4 || length > size - offset)
            return false;
        if (type == 14) // the end
            return true;
        offset += length;
    }
    return false;
}

// The library ends every outline of a path with a closing segment, even
// where StrokePath leaves the figure open (a zigzag drawn as a triangle).
// The segment it adds (" Z " last in an unfilled path) is taken off; one
// that the file asks for comes before it and stays.
void openStrokedPaths(QByteArray& svg)
{
    static const QByteArray start = "<path d=\"";
    for (qsizetype at = svg.indexOf(start); at >= 0; at = svg.indexOf(start, at + 1)) {
        const qsizetype from = at + start.size(), end = svg.indexOf('"', from), close = svg.indexOf('>', at);
        if (end < 0 || close < end)
            return;
        if (end - from >= 2 && svg.sliced(end - 2, 2) == "Z " && svg.sliced(end, close - end).contains("fill=\"none\""))
            svg.remove(end - 2, 2);
    }
}

// An enhanced metafile becomes SVG through its library, which Qt draws.
QImage drawEmf(const unsigned char* data, size_t size, const Header& header, QSize shown, const FontsNeeded& fontsNeeded)
{
    if (!emfRecordsHold(data, size))
        return {};
    generatorOptions options{};
    options.nameSpace = const_cast<char*>("");
    options.svgDelimiter = true;
    options.emfplus = true;
    options.imgWidth = header.width;
    options.imgHeight = header.height;
    std::vector<char> bytes(data, data + size);
    // The header's description names the program that made the file; the
    // library reads it wherever it is said to be, even past the file, and
    // it draws nothing. Dropped.
    std::fill(bytes.begin() + 60, bytes.begin() + 68, 0);
    char* text = nullptr;
    size_t length = 0;
    const int ok = emf2svg(bytes.data(), bytes.size(), &text, &length, &options);
    QByteArray svg;
    if (ok && text && length <= platform::metafile::MaxSvgBytes)
        svg = QByteArray(text, qsizetype(length));
    std::free(text);
    openStrokedPaths(svg);
    if (svg.contains("<text"))
        fontsNeeded();
    QSvgRenderer renderer(svg);
    if (svg.isEmpty() || !renderer.isValid())
        return {};
    const QSize area = shown.isEmpty() ? QSize(header.width, header.height) : shown;
    if (uint64_t(area.width()) * uint64_t(area.height()) > platform::metafile::MaxPixels)
        return {};
    QImage image(area, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return {};
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(), QSizeF(area)));
    return image;
}

} // namespace

QImage draw(const unsigned char* data, size_t size, QSize shown, const FontsNeeded& fontsNeeded)
{
    if (!data || size > platform::metafile::MaxFileBytes || shown.width() > platform::metafile::MaxSide
        || shown.height() > platform::metafile::MaxSide)
        return {};
    const Header header = platform::metafile::readHeader(data, size);
    switch (header.kind) {
    case Kind::Wmf:
    case Kind::PlaceableWmf:
        return playWmf(data, size, header, shown, fontsNeeded);
    case Kind::Emf:
        return drawEmf(data, size, header, shown, fontsNeeded);
    case Kind::None:
        break;
    }
    return {};
}

} // namespace metafile
