#include "platform/wmfdevice.h"

#include "platform/metafile.h"
#include "platform/wmfrecords.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QImageReader>
#include <QPainter>
#include <QPainterPath>
#include <QStringDecoder>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <numeric>
#include <optional>
#include <unordered_map>
#include <vector>

// After Qt's headers: libwmf's names for Windows' constants are macros.
#include <libwmf/api.h>
#include <libwmf/macro.h>

namespace metafile {

namespace {

using platform::metafile::detail::u16;
using platform::metafile::detail::u32;

// libwmf believes the sizes a file declares and allocates them, up to
// gigabytes; everything it allocates comes out of this budget, and a
// request past it fails as memory running out, which it reports as an error.
// Files as programs write them take well under a megabyte; the budget, the
// bitmaps' (Device::MostBitmapBytes) and the drawing's image fit in the
// helper's address space (platform::metafile::MaxHelperBytes) beside Qt.
struct Budget {
    static constexpr size_t Limit = 48 * 1024 * 1024;
    static constexpr size_t Head = alignof(std::max_align_t);
    size_t used = 0;

    static void* allocate(void* context, size_t size)
    {
        return reallocate(context, nullptr, size);
    }
    static void* reallocate(void* context, void* mem, size_t size)
    {
        auto* budget = static_cast<Budget*>(context);
        char* block = mem ? static_cast<char*>(mem) - Head : nullptr;
        const size_t old = block ? *reinterpret_cast<size_t*>(block) : 0;
        if (size > Limit - (budget->used - old))
            return nullptr;
        block = static_cast<char*>(std::realloc(block, Head + size));
        if (!block)
            return nullptr;
        budget->used = budget->used - old + size;
        *reinterpret_cast<size_t*>(block) = size;
        return block + Head;
    }
    static void release(void* context, void* mem)
    {
        if (!mem)
            return;
        char* block = static_cast<char*>(mem) - Head;
        static_cast<Budget*>(context)->used -= *reinterpret_cast<size_t*>(block);
        std::free(block);
    }
};

// What is drawn on, and how the picture's area is known.
struct Device {
    // The picture's size. It is drawn several times as large, without
    // smoothing edges, then scaled down: figures that meet leave no seam
    // between them, as with Windows, and edges come out smooth.
    QSize size;
    QImage image;
    QPainter painter;
    // The window the file's records set, where they set one: Windows maps
    // it onto the rectangle the picture is played into.
    bool setsWindow = false;
    // Otherwise the placeable header's bounds, in logical units...
    bool placeable = false;
    int left = 0, top = 0, right = 0, bottom = 0;
    // ...or, for a plain metafile, what its records cover (device units).
    wmfD_Rect covered{};
    // Raster operations that combine with what is there are drawn as such
    // (see playWmf).
    bool combining = false;
    // The most points of one figure: many lower the scale (see playOnto).
    int figurePoints = 0;
    // Text is placed by the device itself while playing (see stringWidth).
    bool playing = false;
    const FontsNeeded* fontsNeeded = nullptr;
    // The face name of each font the player made, as it gave it to us: a
    // font's own pointer to it is not read later, when the player may have
    // deleted the font, or made another object in its place.
    std::unordered_map<const wmfFont*, QByteArray> faces;
    // The bitmaps read and not yet freed, and what they hold: a file of
    // many small compressed bitmaps of great size must not take gigabytes.
    std::vector<std::unique_ptr<QImage>> bitmaps;
    qsizetype bitmapBytes = 0;
    static constexpr qsizetype MostBitmapBytes = 32 * 1024 * 1024;
};

// Marks a bitmap read for a pattern brush that takes the colours of the
// context it is drawn in (see MonochromePatternMark).
const QString MonochromeKey = QStringLiteral("monochrome pattern");

Device& device(wmfAPI* api)
{
    return *static_cast<Device*>(api->device_data);
}

QColor colour(const wmfRGB& c)
{
    return QColor(c.r, c.g, c.b);
}

// libwmf's device units are logical units times the context's pixel size,
// counted from the window's origin. The mapping from them onto the image,
// which is the picture's area; none where that area is empty or absurd.
std::optional<QTransform> toImage(const Device& d, const wmfDC* dc)
{
    double x0 = 0, y0 = 0, w = 0, h = 0;
    const int mode = dc->map_mode;
    // Where the player maps a placeable file by its units to the inch (its
    // own mode 9), the pixel size it keeps is unsigned and the window's
    // extent turns the axis.
    const auto unit = [mode](double pixel, S32 extent) { return mode == 9 && extent < 0 ? -std::abs(pixel) : pixel; };
    const double ux = unit(dc->pixel_width, dc->Window.width), uy = unit(dc->pixel_height, dc->Window.height);
    // The fixed mapping modes (MM_LOMETRIC to MM_TWIPS) ignore the window's extent.
    if (d.setsWindow && (mode < 2 || mode > 6)) {
        w = dc->Window.width * ux;
        h = dc->Window.height * uy;
    } else if (d.placeable) {
        x0 = (double(d.left) - dc->Window.Ox) * ux;
        y0 = (double(d.top) - dc->Window.Oy) * uy;
        w = (double(d.right) - d.left) * ux;
        h = (double(d.bottom) - d.top) * uy;
    } else {
        x0 = d.covered.TL.x;
        y0 = d.covered.TL.y;
        w = double(d.covered.BR.x) - d.covered.TL.x;
        h = double(d.covered.BR.y) - d.covered.TL.y;
    }
    const double sx = d.size.width() / w, sy = d.size.height() / h;
    if (!std::isfinite(sx) || !std::isfinite(sy) || !std::isfinite(x0 * sx) || !std::isfinite(y0 * sy)
        || sx == 0 || sy == 0)
        return std::nullopt;
    return QTransform(sx, 0, 0, sy, -x0 * sx, -y0 * sy);
}

QPointF at(const QTransform& t, wmfD_Coord p)
{
    return t.map(QPointF(p.x, p.y));
}

// Coordinates beyond this many image sizes are not drawn: nothing there
// is visible, and the rasterizer's arithmetic is not meant for them.
bool sane(const Device& d, const QRectF& r)
{
    const double far = 64.0 * std::max(d.size.width(), d.size.height());
    return std::isfinite(r.left()) && std::isfinite(r.top()) && std::isfinite(r.right()) && std::isfinite(r.bottom())
           && std::abs(r.left()) < far && std::abs(r.top()) < far && std::abs(r.right()) < far
           && std::abs(r.bottom()) < far;
}

// How the context's raster operation changes a colour drawn: none where it
// draws nothing. Those that combine it with what is already there do so
// as it is put down (see compositionOf).
std::optional<QColor> throughRop(const wmfDC* dc, QColor c)
{
    switch (dc->ROPmode) {
    case R2_NOP:
        return std::nullopt;
    case R2_BLACK:
        return QColor(Qt::black);
    case R2_WHITE:
        return QColor(Qt::white);
    case R2_NOTCOPYPEN:
        return QColor(255 - c.red(), 255 - c.green(), 255 - c.blue());
    default:
        return c;
    }
}

// How the context's raster operation puts lines and fills over what is
// there, where it combines with it (see playWmf).
QPainter::CompositionMode compositionOf(const Device& d, const wmfDC* dc)
{
    if (!d.combining)
        return QPainter::CompositionMode_SourceOver;
    switch (dc->ROPmode) {
    case R2_NOTMERGEPEN: return QPainter::RasterOp_NotSourceAndNotDestination;
    case R2_MASKNOTPEN: return QPainter::RasterOp_NotSourceAndDestination;
    case R2_MASKPENNOT: return QPainter::RasterOp_SourceAndNotDestination;
    case R2_NOT: return QPainter::RasterOp_NotDestination;
    case R2_XORPEN: return QPainter::RasterOp_SourceXorDestination;
    case R2_NOTMASKPEN: return QPainter::RasterOp_NotSourceOrNotDestination;
    case R2_MASKPEN: return QPainter::RasterOp_SourceAndDestination;
    case R2_NOTXORPEN: return QPainter::RasterOp_NotSourceXorDestination;
    case R2_MERGENOTPEN: return QPainter::RasterOp_NotSourceOrDestination;
    case R2_MERGEPENNOT: return QPainter::RasterOp_SourceOrNotDestination;
    case R2_MERGEPEN: return QPainter::RasterOp_SourceOrDestination;
    default: return QPainter::CompositionMode_SourceOver;
    }
}

// The same for a block transfer's raster operation (with its source or
// with the brush); SourceOver for those that do not combine.
QPainter::CompositionMode compositionOf(const Device& d, U32 rop)
{
    if (!d.combining)
        return QPainter::CompositionMode_SourceOver;
    switch (rop) {
    case SRCPAINT: return QPainter::RasterOp_SourceOrDestination;
    case SRCAND: return QPainter::RasterOp_SourceAndDestination;
    case SRCINVERT:
    case PATINVERT: return QPainter::RasterOp_SourceXorDestination;
    case SRCERASE: return QPainter::RasterOp_SourceAndNotDestination;
    case NOTSRCERASE: return QPainter::RasterOp_NotSourceAndNotDestination;
    case MERGEPAINT: return QPainter::RasterOp_NotSourceOrDestination;
    case DSTINVERT: return QPainter::RasterOp_NotDestination;
    default: return QPainter::CompositionMode_SourceOver;
    }
}

// One of the bitmaps we read, or null: the player leaves other pointers in
// a brush made without a bitmap.
const QImage* bitmap(const Device& d, const void* data)
{
    for (const auto& image : d.bitmaps)
        if (image.get() == data)
            return image->isNull() ? nullptr : image.get();
    return nullptr;
}

QBrush brushOf(const Device& d, const wmfDC* dc)
{
    const wmfBrush* b = dc->brush;
    if (!b || b->lbStyle == BS_NULL)
        return Qt::NoBrush;
    const std::optional<QColor> c = throughRop(dc, colour(b->lbColor));
    if (!c)
        return Qt::NoBrush;
    switch (b->lbStyle) {
    case BS_HATCHED: {
        // Lines a pixel wide, 8 pixels apart, as Windows draws them; the
        // gaps are clear, for the background to fill (see useBackground()).
        QImage tile(8, 8, QImage::Format_ARGB32_Premultiplied);
        tile.fill(Qt::transparent);
        const U16 hatch = b->lbHatch;
        for (int i = 0; i < 8; ++i) {
            if (hatch == HS_HORIZONTAL || hatch == HS_CROSS)
                tile.setPixel(i, 3, c->rgba());
            if (hatch == HS_VERTICAL || hatch == HS_CROSS)
                tile.setPixel(3, i, c->rgba());
            if (hatch == HS_FDIAGONAL || hatch == HS_DIAGCROSS)
                tile.setPixel(i, i, c->rgba());
            if (hatch == HS_BDIAGONAL || hatch == HS_DIAGCROSS)
                tile.setPixel(7 - i, i, c->rgba());
        }
        return hatch <= HS_DIAGCROSS ? QBrush(tile) : QBrush(*c);
    }
    case BS_PATTERN:
    case BS_DIBPATTERN:
    case BS_DIBPATTERNPT:
    case BS_PATTERN8X8:
    case BS_DIBPATTERN8X8:
        if (const QImage* pattern = bitmap(d, b->bmp.data)) {
            if (pattern->text(MonochromeKey).isEmpty())
                return QBrush(*pattern);
            // Its clear bits came black and its set bits white, in
            // whichever order the reader keeps its colours.
            QImage inked = *pattern;
            for (int i = 0; i < 2; ++i)
                inked.setColor(i, colour(qGray(inked.color(i)) < 128 ? dc->textcolor : dc->bgcolor).rgb());
            return QBrush(inked);
        }
        return QBrush(*c);
    default:
        return QBrush(*c);
    }
}

// The pen in image pixels. Windows never draws a line thinner than a pixel,
// and draws dashes and dots only with pens one logical unit wide.
QPen penOf(const Device& d, const wmfDC* dc, double scale)
{
    const wmfPen* p = dc->pen;
    if (!p || WMF_PEN_STYLE(p) == PS_NULL)
        return Qt::NoPen;
    const std::optional<QColor> c = throughRop(dc, colour(p->lopnColor));
    if (!c)
        return Qt::NoPen;
    const double most = 4.0 * std::max(d.size.width(), d.size.height());
    const double width = std::clamp(std::abs(p->width * scale), 1.0, most);
    QPen pen(*c, std::isfinite(width) ? width : 1.0);
    switch (WMF_PEN_ENDCAP(p)) {
    case PS_ENDCAP_SQUARE:
        pen.setCapStyle(Qt::SquareCap);
        break;
    case PS_ENDCAP_FLAT:
        pen.setCapStyle(Qt::FlatCap);
        break;
    default:
        pen.setCapStyle(Qt::RoundCap);
    }
    switch (WMF_PEN_JOIN(p)) {
    case PS_JOIN_BEVEL:
        pen.setJoinStyle(Qt::BevelJoin);
        break;
    case PS_JOIN_MITER:
        pen.setJoinStyle(Qt::MiterJoin);
        // Windows' default of 10 times the width, from the inner corner;
        // Qt counts from the line's middle.
        pen.setMiterLimit(5);
        break;
    default:
        pen.setJoinStyle(Qt::RoundJoin);
    }
    const double logical = dc->pixel_width ? std::abs(p->width / dc->pixel_width) : 0;
    if (logical <= 1.0 + 1e-6) {
        switch (WMF_PEN_STYLE(p)) {
        case PS_DASH:
            pen.setStyle(Qt::DashLine);
            break;
        case PS_DOT:
            pen.setStyle(Qt::DotLine);
            break;
        case PS_DASHDOT:
            pen.setStyle(Qt::DashDotLine);
            break;
        case PS_DASHDOTDOT:
            pen.setStyle(Qt::DashDotDotLine);
            break;
        case PS_ALTERNATE:
            pen.setDashPattern({1, 1});
            break;
        default:
            break;
        }
    }
    return pen;
}

// The background mode decides only whether the gaps of hatched brushes and
// styled pens are filled, with the background colour; a solid fill is
// always opaque.
void useBackground(QPainter& painter, const wmfDC* dc)
{
    painter.setBackgroundMode(WMF_DC_OPAQUE(dc) ? Qt::OpaqueMode : Qt::TransparentMode);
    painter.setBackground(colour(dc->bgcolor));
}

// Qt bounds the dashes of a styled pen by the figure's size on the picture,
// not by its length: a zig-zag of thousands of points in a small square
// would be stroked dash by dash, in gigabytes. Past this many dashes a
// figure's styled pen is drawn solid.
constexpr double MostDashes = 10000;

// The figure's drawing, with the context's pen and brush set, where what it
// covers (`box`, without the pen) reaches the picture. Qt fills a figure
// with the brush, then outlines it with the pen, as Windows does. `outline`
// is the pen's path's length.
template <class Drawing>
void draw(Device& d, const wmfDC* dc, const QTransform& t, const QRectF& box, double outline, Drawing drawing,
          bool fill = true)
{
    QPen pen = penOf(d, dc, t.m11());
    const double reach = pen.style() == Qt::NoPen ? 0 : pen.widthF() * 5; // a miter's tip included
    const QRectF bounds = box.adjusted(-reach, -reach, reach, reach);
    // A figure wholly outside the picture costs nothing (files of many
    // thousands of shapes are common).
    if (!sane(d, bounds) || !bounds.intersects(QRectF(QPointF(), d.size)))
        return;
    if (pen.style() != Qt::SolidLine && pen.style() != Qt::NoPen) {
        const QList<qreal> dashes = pen.dashPattern();
        const double period = std::accumulate(dashes.begin(), dashes.end(), 0.0) * pen.widthF();
        if (!(outline <= MostDashes * period))
            pen.setStyle(Qt::SolidLine);
    }
    useBackground(d.painter, dc);
    d.painter.setBrush(fill ? brushOf(d, dc) : QBrush());
    d.painter.setPen(pen);
    d.painter.setCompositionMode(compositionOf(d, dc));
    drawing(d.painter);
    d.painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

// A path in image pixels, filled where it is a closed figure.
void draw(Device& d, const wmfDC* dc, const QTransform& t, const QPainterPath& path, bool fill)
{
    draw(d, dc, t, path.controlPointRect(), path.length(), [&path](QPainter& p) { p.drawPath(path); }, fill);
}

// A figure's bounding box in image pixels; drawn inside it by a pen of
// PS_INSIDEFRAME, which keeps the whole line within the box.
QRectF box(const Device& d, const wmfDC* dc, const QTransform& t, wmfD_Coord tl, wmfD_Coord br)
{
    QRectF r = QRectF(at(t, tl), at(t, br)).normalized();
    if (dc->pen && WMF_PEN_STYLE(dc->pen) == PS_INSIDEFRAME) {
        const double inset = penOf(d, dc, t.m11()).widthF() / 2;
        r.adjust(inset, inset, -inset, -inset);
        if (!r.isValid())
            r = QRectF(r.center(), QSizeF());
    }
    return r;
}

// --- The device's functions, as libwmf's player calls them ----------------

void noDevice(wmfAPI*) {}
void noUserData(wmfAPI*, wmfUserData_t*) {}
// Flood fills depend on what the screen showed before; they are left out.
void noFlood(wmfAPI*, wmfFlood_t*) {}

void drawPixel(wmfAPI* api, wmfDrawPixel_t* p)
{
    Device& d = device(api);
    const auto t = toImage(d, p->dc);
    const auto c = t ? throughRop(p->dc, colour(p->color)) : std::nullopt;
    if (!c)
        return;
    const QPointF corner = at(*t, p->pt);
    const QSizeF size(std::max(1.0, std::abs(p->pixel_width * t->m11())),
                      std::max(1.0, std::abs(p->pixel_height * t->m22())));
    const QRectF r(corner, size);
    if (sane(d, r))
        d.painter.fillRect(r, *c);
}

// Arcs: the player gives the bounding box and the two points, relative to
// its centre, between which the arc runs clockwise on the device.
enum class ArcKind { Open, Pie, Chord, Ellipse };

void drawArc(wmfAPI* api, const wmfDrawArc_t* a, ArcKind kind)
{
    Device& d = device(api);
    const auto t = toImage(d, a->dc);
    if (!t)
        return;
    const QRectF r = box(d, a->dc, *t, a->TL, a->BR);
    if (!sane(d, r))
        return;
    if (kind == ArcKind::Ellipse) {
        const double rx = r.width() / 2, ry = r.height() / 2; // its length, nearly
        const double around = M_PI * (3 * (rx + ry) - std::sqrt((3 * rx + ry) * (rx + 3 * ry)));
        draw(d, a->dc, *t, r, around, [&r](QPainter& p) { p.drawEllipse(r); });
        return;
    }
    // Angles on the ellipse's own circle, counter-clockwise in the image as
    // Qt counts them; a mapping that mirrors one axis turns the direction.
    const double rx = std::max(r.width() / 2, 1e-9), ry = std::max(r.height() / 2, 1e-9);
    const auto angle = [&](wmfD_Coord rel) {
        const QPointF v = t->map(QPointF(rel.x, rel.y)) - t->map(QPointF(0, 0));
        return std::atan2(-v.y() / ry, v.x() / rx) * 180 / M_PI;
    };
    const double start = angle(a->start), end = angle(a->end);
    const bool mirrored = (t->m11() < 0) != (t->m22() < 0);
    double sweep = mirrored ? end - start : start - end;
    sweep = std::fmod(sweep + 720, 360);
    if (sweep == 0)
        sweep = 360; // the same point twice: the whole ellipse
    sweep = mirrored ? sweep : -sweep;
    QPainterPath figure;
    // A pie's edges run from the centre; a chord closes the arc's two ends.
    if (kind == ArcKind::Pie)
        figure.moveTo(r.center());
    else
        figure.arcMoveTo(r, start);
    figure.arcTo(r, start, sweep);
    if (kind != ArcKind::Open)
        figure.closeSubpath();
    draw(d, a->dc, *t, figure, kind != ArcKind::Open);
}

void drawPie(wmfAPI* api, wmfDrawArc_t* a) { drawArc(api, a, ArcKind::Pie); }
void drawChord(wmfAPI* api, wmfDrawArc_t* a) { drawArc(api, a, ArcKind::Chord); }
void drawOpenArc(wmfAPI* api, wmfDrawArc_t* a) { drawArc(api, a, ArcKind::Open); }
void drawEllipse(wmfAPI* api, wmfDrawArc_t* a) { drawArc(api, a, ArcKind::Ellipse); }

void drawLine(wmfAPI* api, wmfDrawLine_t* l)
{
    Device& d = device(api);
    if (const auto t = toImage(d, l->dc)) {
        QPainterPath path(at(*t, l->from));
        path.lineTo(at(*t, l->to));
        draw(d, l->dc, *t, path, false);
    }
}

QPolygonF polygonOf(const QTransform& t, const wmfD_Coord* pt, U16 count)
{
    QPolygonF polygon;
    polygon.reserve(count);
    for (U16 i = 0; i < count; ++i)
        polygon << at(t, pt[i]);
    return polygon;
}

Qt::FillRule fillRule(const wmfDC* dc)
{
    return WMF_DC_POLYFILL(dc) == WINDING ? Qt::WindingFill : Qt::OddEvenFill;
}

// An open line through the points, or a closed figure filled as the fill
// mode says.
void drawPoints(wmfAPI* api, const wmfPolyLine_t* l, bool closed)
{
    Device& d = device(api);
    const auto t = toImage(d, l->dc);
    if (!t || !l->pt || l->count < 2)
        return;
    QPainterPath path;
    path.setFillRule(fillRule(l->dc));
    path.addPolygon(polygonOf(*t, l->pt, l->count));
    if (closed)
        path.closeSubpath();
    draw(d, l->dc, *t, path, closed);
}

void drawPolyline(wmfAPI* api, wmfPolyLine_t* l) { drawPoints(api, l, false); }
void drawPolygon(wmfAPI* api, wmfPolyLine_t* l) { drawPoints(api, l, true); }

// Several polygons filled as one figure: where they overlap, the fill
// mode decides.
void drawPolyPolygon(wmfAPI* api, wmfPolyPoly_t* p)
{
    Device& d = device(api);
    const auto t = toImage(d, p->dc);
    if (!t || !p->pt || !p->count)
        return;
    QPainterPath path;
    path.setFillRule(fillRule(p->dc));
    for (U16 i = 0; i < p->npoly; ++i) {
        if (!p->pt[i] || p->count[i] < 2)
            continue;
        path.addPolygon(polygonOf(*t, p->pt[i], p->count[i]));
        path.closeSubpath();
    }
    draw(d, p->dc, *t, path, true);
}

void drawRectangle(wmfAPI* api, wmfDrawRectangle_t* r)
{
    Device& d = device(api);
    const auto t = toImage(d, r->dc);
    if (!t)
        return;
    const QRectF rect = box(d, r->dc, *t, r->TL, r->BR);
    QPainterPath path;
    // Width and height are the axes of the rounded corners' ellipses.
    const double rx = std::abs(r->width * t->m11()) / 2, ry = std::abs(r->height * t->m22()) / 2;
    if (rx > 0 && ry > 0 && std::isfinite(rx) && std::isfinite(ry))
        path.addRoundedRect(rect, std::min(rx, rect.width() / 2), std::min(ry, rect.height() / 2));
    else
        path.addRect(rect);
    draw(d, r->dc, *t, path, true);
}

// A block filled by a raster operation with the brush (PatBlt).
void ropDraw(wmfAPI* api, wmfROP_Draw_t* r)
{
    Device& d = device(api);
    const auto t = toImage(d, r->dc);
    if (!t)
        return;
    const QRectF rect = QRectF(at(*t, r->TL), at(*t, r->BR)).normalized();
    if (!sane(d, rect))
        return;
    switch (r->ROP) {
    case BLACKNESS:
        d.painter.fillRect(rect, Qt::black);
        break;
    case WHITENESS:
        d.painter.fillRect(rect, Qt::white);
        break;
    case 0x00AA0029: // the destination as it is
        break;
    default:
        if (r->ROP == DSTINVERT && !d.combining)
            break;
        useBackground(d.painter, r->dc);
        d.painter.setCompositionMode(compositionOf(d, r->ROP));
        d.painter.fillRect(rect, r->ROP == DSTINVERT ? QBrush(Qt::black) : brushOf(d, r->dc));
        d.painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
}

// A bitmap compressed by runs of 8 or 4 bits a pixel (BI_RLE8, BI_RLE4) as
// the same bitmap uncompressed. Its escapes may skip pixels (the rest of a
// row, the rest of the bitmap, or a jump ahead): these keep index 0. Qt
// would leave them as whatever its memory held, and the picture would
// change from one run to the next. Runs past the bitmap's edges are cut
// off. Empty where the bitmap is not one of these, or too large.
QByteArray expandRuns(const unsigned char* dib, size_t length, uint32_t headerSize, uint32_t colours)
{
    const int32_t width = int32_t(u32(dib + 4)), height = int32_t(u32(dib + 8));
    const uint32_t bits = u16(dib + 14), compression = u32(dib + 16);
    const size_t start = size_t(headerSize) + colours;
    if (!((compression == 1 && bits == 8) || (compression == 2 && bits == 4)) || width <= 0 || height <= 0
        || start > length)
        return {};
    const size_t rowBytes = (size_t(width) * bits + 31) / 32 * 4;
    if (rowBytes * size_t(height) > size_t(Device::MostBitmapBytes))
        return {};
    QByteArray out(qsizetype(start + rowBytes * size_t(height)), '\0');
    std::copy(dib, dib + start, out.data());
    for (int i = 0; i < 4; ++i) { // uncompressed now, and the rows' size
        out[16 + i] = 0;
        out[20 + i] = char(rowBytes * size_t(height) >> (8 * i) & 0xFF);
    }
    auto* rows = reinterpret_cast<unsigned char*>(out.data()) + start;
    const auto put = [&](size_t x, size_t y, unsigned index) {
        if (x >= size_t(width) || y >= size_t(height))
            return;
        unsigned char& b = rows[y * rowBytes + (bits == 8 ? x : x / 2)];
        b = bits == 8 ? index : x % 2 ? (b & 0xF0) | index : (b & 0x0F) | index << 4;
    };
    size_t x = 0, y = 0;
    for (size_t at = start; at + 2 <= length && y < size_t(height);) {
        const unsigned count = dib[at], value = dib[at + 1];
        at += 2;
        if (count) { // a run of one index (RLE8), or of two taking turns (RLE4)
            for (unsigned i = 0; i < count; ++i, ++x)
                put(x, y, bits == 8 ? value : i % 2 ? value & 0x0F : value >> 4);
        } else if (value == 0) { // the row's end
            x = 0, ++y;
        } else if (value == 1) { // the bitmap's end
            break;
        } else if (value == 2) { // a jump right and up
            if (at + 2 > length)
                break;
            x += dib[at], y += dib[at + 1];
            at += 2;
        } else { // so many indexes as they are, padded to a word
            const size_t bytes = bits == 8 ? value : (value + 1) / 2;
            if (bytes > length - at)
                break;
            for (unsigned i = 0; i < value; ++i, ++x)
                put(x, y, bits == 8 ? dib[at + i] : i % 2 ? dib[at + i / 2] & 0x0F : dib[at + i / 2] >> 4);
            at += bytes + bytes % 2;
        }
    }
    return out;
}

// A device-independent bitmap as the metafile holds it: a header, its
// colours and its rows, without the file header a bitmap file starts with.
// Qt reads it once that header is put in front.
QImage readDib(const unsigned char* dib, long length)
{
    if (!dib || length < 16)
        return {};
    const uint32_t headerSize = u32(dib);
    uint32_t colours = 0, bits = 0, compression = 0;
    if (headerSize == 12) { // the old core header: three-byte colours
        bits = u16(dib + 10);
        colours = bits <= 8 ? (1u << bits) * 3 : 0;
    } else if (headerSize >= 40 && length >= 40) {
        bits = u16(dib + 14);
        compression = u32(dib + 16);
        const uint32_t used = u32(dib + 32);
        colours = (bits <= 8 ? (used && used < (1u << bits) ? used : 1u << bits) : used) * 4;
        if (compression == 3 && headerSize == 40) // BI_BITFIELDS: three masks follow
            colours += 12;
    } else {
        return {};
    }
    QByteArray expanded;
    if (compression == 1 || compression == 2) {
        expanded = expandRuns(dib, size_t(length), headerSize, colours);
        if (expanded.isEmpty())
            return {};
        dib = reinterpret_cast<const unsigned char*>(expanded.constData());
        length = long(expanded.size());
    }
    QByteArray file("BM", 2);
    const uint32_t offset = 14 + headerSize + colours;
    const uint32_t words[] = {uint32_t(14 + length), 0, offset};
    for (uint32_t w : words)
        for (int i = 0; i < 4; ++i)
            file += char(w >> (8 * i) & 0xFF);
    file.append(reinterpret_cast<const char*>(dib), length);
    QBuffer buffer(&file);
    QImageReader reader(&buffer, "bmp");
    QImage image = reader.read();
    // Qt's painting reads an index's colour without a bound, and the reader
    // leaves indexes past a short colour table as they are: those are black.
    if (const int indexes = image.depth() <= 8 ? 1 << image.depth() : 0; image.colorCount() < indexes) {
        QList<QRgb> table = image.colorTable();
        table.resize(indexes, qRgb(0, 0, 0));
        image.setColorTable(table);
    }
    return image;
}

void bmpRead(wmfAPI* api, wmfBMP_Read_t* r)
{
    Device& d = device(api);
    r->bmp = {0, 0, nullptr};
    QImage image = readDib(r->buffer, r->length);
    if (image.isNull() || image.width() > 0xFFFF || image.height() > 0xFFFF
        || image.sizeInBytes() > Device::MostBitmapBytes - d.bitmapBytes)
        return;
    if (r->length >= 40 && u32(r->buffer) >= 40 && u16(r->buffer + 14) == 1 && image.colorCount() == 2
        && u32(r->buffer + 24) == MonochromePatternMark && u32(r->buffer + 28) == MonochromePatternMark)
        image.setText(MonochromeKey, QStringLiteral("1"));
    d.bitmapBytes += image.sizeInBytes();
    d.bitmaps.push_back(std::make_unique<QImage>(std::move(image)));
    const QImage& kept = *d.bitmaps.back();
    r->bmp = {static_cast<U16>(kept.width()), static_cast<U16>(kept.height()), d.bitmaps.back().get()};
}

void bmpFree(wmfAPI* api, wmfBMP* bmp)
{
    Device& d = device(api);
    std::erase_if(d.bitmaps, [&](const auto& image) {
        const bool freed = image.get() == bmp->data;
        d.bitmapBytes -= freed ? image->sizeInBytes() : 0;
        return freed;
    });
    bmp->data = nullptr;
}

// A bitmap (or the part of it cropped) placed at the point, each of its
// pixels the size the player gives.
void bmpDraw(wmfAPI* api, wmfBMP_Draw_t* b)
{
    Device& d = device(api);
    const auto t = toImage(d, b->dc);
    const QImage* image = bitmap(d, b->bmp.data);
    if (!t || !image || !b->crop.w || !b->crop.h)
        return;
    const QPointF from = at(*t, b->pt);
    const QPointF to = t->map(QPointF(b->pt.x + b->crop.w * b->pixel_width, b->pt.y + b->crop.h * b->pixel_height));
    if (!sane(d, QRectF(from, to)) || from.x() == to.x() || from.y() == to.y())
        return;
    QImage shown = image->copy(b->crop.x, b->crop.y, b->crop.w, b->crop.h);
    switch (b->type) {
    case BLACKNESS:
        shown.fill(Qt::black);
        break;
    case WHITENESS:
        shown.fill(Qt::white);
        break;
    case NOTSRCCOPY:
        shown.invertPixels();
        break;
    case DSTINVERT:
        if (!d.combining)
            return;
        break;
    case 0x00AA0029:
        return;
    default:
        break;
    }
    // Drawn through a mapping of its own: a negative size mirrors it. A
    // bitmap made larger keeps its pixels square, as Windows stretches it;
    // made smaller, it is smoothed rather than losing rows.
    d.painter.save();
    d.painter.setRenderHint(QPainter::SmoothPixmapTransform,
                            std::abs(to.x() - from.x()) < b->crop.w || std::abs(to.y() - from.y()) < b->crop.h);
    d.painter.setTransform(QTransform((to.x() - from.x()) / b->crop.w, 0, 0, (to.y() - from.y()) / b->crop.h,
                                      from.x(), from.y()),
                           true);
    d.painter.setCompositionMode(compositionOf(d, b->type));
    d.painter.drawImage(QPointF(0, 0), shown);
    d.painter.restore();
}

QString decode(const wmfFont* f, const char* text)
{
    // The character set a font names tells how its text is written.
    const char* name = "windows-1252";
    switch (f->lfCharSet) {
    case 128: name = "Shift_JIS"; break;
    case 129: name = "windows-949"; break;
    case 134: name = "GBK"; break;
    case 136: name = "Big5"; break;
    case 161: name = "windows-1253"; break;
    case 162: name = "windows-1254"; break;
    case 163: name = "windows-1258"; break;
    case 177: name = "windows-1255"; break;
    case 178: name = "windows-1256"; break;
    case 186: name = "windows-1257"; break;
    case 204: name = "windows-1251"; break;
    case 222: name = "windows-874"; break;
    case 238: name = "windows-1250"; break;
    default: break;
    }
    QStringDecoder decoder(name);
    if (!decoder.isValid())
        decoder = QStringDecoder("windows-1252");
    return decoder.isValid() ? QString(decoder(QByteArrayView(text))) : QString::fromLatin1(text);
}

// The font a metafile names, as fontconfig finds it: the family by name,
// or one of its kind where the name is not installed.
QFont fontOf(const Device& d, const wmfFont* f)
{
    const auto face = d.faces.find(f);
    QFont font(face != d.faces.end() ? decode(f, face->second.constData()) : QString());
    switch (f->lfPitchAndFamily & 0xF0) {
    case 0x10: font.setStyleHint(QFont::Serif); break;      // FF_ROMAN
    case 0x20: font.setStyleHint(QFont::SansSerif); break;  // FF_SWISS
    case 0x30: font.setStyleHint(QFont::TypeWriter); break; // FF_MODERN
    case 0x40: font.setStyleHint(QFont::Cursive); break;    // FF_SCRIPT
    case 0x50: font.setStyleHint(QFont::Decorative); break; // FF_DECORATIVE
    default: break;
    }
    font.setWeight(f->lfWeight ? QFont::Weight(std::clamp(int(f->lfWeight), 1, 1000)) : QFont::Normal);
    font.setItalic(f->lfItalic);
    font.setUnderline(f->lfUnderline);
    font.setStrikeOut(f->lfStrikeOut);
    // Drawn at a picture's scale, not a screen's pixel grid.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// Each font the player makes is mapped: its face name is kept.
void mapFont(wmfAPI* api, wmfFont* f)
{
    device(api).faces[f] = f->lfFaceName ? QByteArray(f->lfFaceName) : QByteArray();
}

// The width of a text in a font one point high. The player uses it for the
// picture's extent, which a plain metafile's size comes from; and while
// playing, to move the text's reference point for its alignment, which we
// do ourselves with the same font that draws it. Then it is left at 0.
float stringWidth(wmfAPI* api, wmfFont* f, char* text)
{
    Device& d = device(api);
    if (d.playing || !f || !text)
        return 0;
    (*d.fontsNeeded)();
    QFont font = fontOf(d, f);
    font.setPixelSize(1000);
    return float(QFontMetricsF(font).horizontalAdvance(decode(f, text)) / 1000);
}

void drawText(wmfAPI* api, wmfDrawText_t* t)
{
    Device& d = device(api);
    const wmfDC* dc = t->dc;
    const wmfFont* f = dc->font;
    const auto m = toImage(d, dc);
    if (!m || !f || !t->str || !*t->str)
        return;
    const double angle = WMF_TEXT_ANGLE(f); // counter-clockwise
    const U16 align = WMF_DC_TEXTALIGN(dc);
    const bool top = (align & TA_BASELINE) == 0, bottom = (align & TA_BASELINE) == TA_BOTTOM;
    // The player puts a top-aligned text's baseline the whole font height
    // below its reference point; undone, so that the font's own ascent is.
    QPointF reference(t->pt.x, t->pt.y);
    if (top)
        reference -= QPointF(std::sin(angle), std::cos(angle)) * t->font_height;
    const QPointF origin = m->map(reference);
    // The height in image pixels, by the vertical scale, as Windows sizes fonts.
    const double pixels = std::abs(t->font_height * m->m22());
    if (!std::isfinite(pixels) || pixels < 0.05 || pixels > 16.0 * std::max(d.size.width(), d.size.height())
        || !sane(d, QRectF(origin, QSizeF())))
        return;
    (*d.fontsNeeded)();
    QFont font = fontOf(d, f);
    font.setPointSizeF(pixels * 72 / d.image.logicalDpiY());
    const QString text = decode(f, t->str);
    const QFontMetricsF metrics(font, &d.image);
    const double width = metrics.horizontalAdvance(text);
    const double x = (align & TA_CENTER) == TA_CENTER ? -width / 2 : (align & TA_RIGHT) ? -width : 0;
    const double y = top ? metrics.ascent() : bottom ? -metrics.descent() : 0;

    d.painter.save();
    // The rectangle ExtTextOut gives: filled with the background colour,
    // and the text clipped to it, as its options ask.
    const QRectF given = QRectF(at(*m, t->TL), at(*m, t->BR)).normalized();
    if (sane(d, given)) {
        if (t->flags & ETO_OPAQUE)
            d.painter.fillRect(given, colour(dc->bgcolor));
        if (t->flags & ETO_CLIPPED)
            d.painter.setClipRect(given, Qt::IntersectClip);
    }
    d.painter.translate(origin);
    d.painter.rotate(-angle * 180 / M_PI);
    // The cell is filled here; Qt's own background, as the last figure
    // left it, would fill it again in that figure's background colour.
    d.painter.setBackgroundMode(Qt::TransparentMode);
    if (WMF_DC_OPAQUE(dc))
        d.painter.fillRect(QRectF(x, y - metrics.ascent(), width, metrics.height()), colour(dc->bgcolor));
    d.painter.setFont(font);
    d.painter.setPen(colour(dc->textcolor));
    d.painter.drawText(QPointF(x, y), text);
    d.painter.restore();
}

// A region's rectangles in image pixels; given a border's thickness, only
// a border of it inside each.
QPainterPath rectangles(const QTransform& t, const wmfPolyRectangle_t* r, QSizeF border = QSizeF())
{
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    for (unsigned i = 0; r->TL && r->BR && i < r->count; ++i) {
        const QRectF outer = QRectF(at(t, r->TL[i]), at(t, r->BR[i])).normalized();
        path.addRect(outer);
        const QRectF inner = outer.adjusted(border.width(), border.height(), -border.width(), -border.height());
        if (!border.isEmpty() && inner.isValid())
            path.addRect(inner);
    }
    return path;
}

void fillWithBrush(Device& d, const wmfDC* dc, const QPainterPath& path)
{
    const QBrush brush = brushOf(d, dc);
    if (sane(d, path.boundingRect()) && brush.style() != Qt::NoBrush) {
        useBackground(d.painter, dc);
        d.painter.setCompositionMode(compositionOf(d, dc));
        d.painter.fillPath(path, brush);
        d.painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
}

void regionPaint(wmfAPI* api, wmfPolyRectangle_t* r)
{
    Device& d = device(api);
    if (const auto t = toImage(d, r->dc))
        fillWithBrush(d, r->dc, rectangles(*t, r));
}

void regionFrame(wmfAPI* api, wmfPolyRectangle_t* r)
{
    Device& d = device(api);
    if (const auto t = toImage(d, r->dc))
        fillWithBrush(d, r->dc, rectangles(*t, r, QSizeF(std::abs(r->width * t->m11()), std::abs(r->height * t->m22()))));
}

// The clipping region, whole each time it changes; none without rectangles.
void regionClip(wmfAPI* api, wmfPolyRectangle_t* r)
{
    Device& d = device(api);
    const auto t = toImage(d, r->dc);
    if (!t || r->count == 0) {
        d.painter.setClipping(false);
        return;
    }
    QPainterPath path = rectangles(*t, r);
    if (!sane(d, path.boundingRect()))
        path = QPainterPath();
    d.painter.setClipPath(path);
}

void install(wmfAPI* api)
{
    auto* functions = static_cast<wmfFunctionReference*>(wmf_malloc(api, sizeof(wmfFunctionReference)));
    auto* fonts = static_cast<wmfFontData*>(wmf_malloc(api, sizeof(wmfFontData)));
    if (!functions || !fonts)
        return;
    *functions = {noDevice,     noDevice,      noDevice,      noDevice,       noFlood,
                  noFlood,      drawPixel,     drawPie,       drawChord,      drawOpenArc,
                  drawEllipse,  drawLine,      drawPolyline,  drawPolygon,    drawPolyPolygon,
                  drawRectangle, ropDraw,      bmpDraw,       bmpRead,        bmpFree,
                  drawText,     noUserData,    noUserData,    noUserData,     noUserData,
                  regionFrame,  regionPaint,   regionClip};
    *fonts = {mapFont, stringWidth, nullptr};
    api->function_reference = functions;
    api->font_data = fonts;
}

// What Qt needs to draw a figure grows with its points times the scale it
// is drawn at: a line through 65,535 points takes some 300 MB drawn four
// times as large. A figure of more points than this divided by the scale
// lowers the picture's scale.
constexpr int MostScaledPoints = 65536;

// The most points of one figure (a polyline, a polygon or a polypolygon)
// among the records of the file whose standard header starts at `headerAt`:
// half its record's parameter words, at most.
int mostFigurePoints(const std::vector<unsigned char>& bytes, size_t headerAt)
{
    if (bytes.size() < headerAt + 18)
        return 0;
    size_t most = 0;
    for (size_t at = headerAt + 2 * size_t(u16(bytes.data() + headerAt + 2)); at + 6 <= bytes.size();) {
        const size_t words = u32(bytes.data() + at);
        if (words < 3 || words > (bytes.size() - at) / 2)
            break;
        const uint32_t function = u16(bytes.data() + at + 4);
        if (function == 0x0324 || function == 0x0325 || function == 0x0538)
            most = std::max(most, (words - 3) / 2);
        at += 2 * words;
    }
    return int(std::min<size_t>(most, MostScaledPoints));
}

// The records played onto an image several times the picture's size (as
// many as the pixels and the largest figure allow), filled first with
// `ground`; null where the player fails.
QImage playOnto(wmfAPI* api, Device& d, QColor ground)
{
    using platform::metafile::MaxPixels;
    const int most = std::clamp(MostScaledPoints / std::max(d.figurePoints, 1), 1, 4);
    const int scale = std::clamp(int(std::sqrt(double(MaxPixels) / (double(d.size.width()) * d.size.height()))), 1, most);
    // An opaque ground keeps no alpha: raster operations combine colours only.
    d.image = QImage(d.size * scale, ground.alpha() == 255 ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
    if (d.image.isNull())
        return {};
    // 96 to the inch, so that a font's size in points is known in the
    // picture's pixels (the painter scales them to the image's).
    d.image.setDotsPerMeterX(3780);
    d.image.setDotsPerMeterY(3780);
    d.image.fill(ground);
    d.painter.begin(&d.image);
    d.painter.setTransform(QTransform::fromScale(scale, scale));
    const bool played = wmf_play(api, 0, &d.covered) == wmf_E_None;
    d.painter.end();
    QImage drawn = std::exchange(d.image, QImage());
    return played ? drawn : QImage();
}

// A picture whose raster operations combine with what is there is played
// over black and over white, as Windows would play it over a ground of
// each colour. Where the two agree nothing of the ground shows; where they
// differ by the whole ground, nothing was drawn; between, the difference
// tells how much of the ground shows through.
QImage fromGrounds(const QImage& black, const QImage& white)
{
    if (black.isNull() || white.size() != black.size())
        return {};
    QImage picture(black.size(), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < picture.height(); ++y) {
        const auto* b = reinterpret_cast<const QRgb*>(black.constScanLine(y));
        const auto* w = reinterpret_cast<const QRgb*>(white.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            const int shown = (qRed(w[x]) - qRed(b[x]) + qGreen(w[x]) - qGreen(b[x]) + qBlue(w[x]) - qBlue(b[x])) / 3;
            const int alpha = std::clamp(255 - shown, 0, 255);
            out[x] = qRgba(std::min(qRed(b[x]), alpha), std::min(qGreen(b[x]), alpha), std::min(qBlue(b[x]), alpha),
                           alpha);
        }
    }
    return picture;
}

} // namespace

QImage playWmf(const unsigned char* data, size_t size, const platform::metafile::Header& header, QSize shown,
               const FontsNeeded& fontsNeeded)
{
    using namespace platform::metafile;
    if (header.kind != Kind::Wmf && header.kind != Kind::PlaceableWmf)
        return {};
    WmfRecords prepared = prepareRecords(data, size, header.kind == Kind::PlaceableWmf ? 22 : 0);
    if (prepared.bytes.empty())
        return {};
    Device d;
    d.fontsNeeded = &fontsNeeded;
    d.setsWindow = prepared.setsWindow;
    d.combining = prepared.combines;
    d.figurePoints = mostFigurePoints(prepared.bytes, header.kind == Kind::PlaceableWmf ? 22 : 0);
    if (header.kind == Kind::PlaceableWmf) {
        d.placeable = true;
        d.left = detail::s16(data + 6);
        d.top = detail::s16(data + 8);
        d.right = detail::s16(data + 10);
        d.bottom = detail::s16(data + 12);
    }

    Budget budget;
    wmfAPI_Options options{};
    options.function = install;
    options.context = &budget;
    options.malloc = Budget::allocate;
    options.realloc = Budget::reallocate;
    options.free = Budget::release;
    // Quiet: a damaged file is expected here, and only whether it could be
    // drawn matters.
    const unsigned long flags = WMF_OPT_FUNCTION | WMF_OPT_ALLOC | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
    wmfAPI* api = nullptr;
    if (wmf_lite_create(&api, flags, &options) != wmf_E_None || !api->function_reference || !api->font_data) {
        if (api)
            wmf_lite_destroy(api);
        return {};
    }
    api->device_data = &d;
    QImage image;
    if (wmf_mem_open(api, prepared.bytes.data(), long(prepared.bytes.size())) == wmf_E_None
        && wmf_scan(api, 0, &d.covered) == wmf_E_None) {
        unsigned int width = shown.width(), height = shown.height();
        if (shown.isEmpty()) {
            width = header.width;
            height = header.height;
            if ((!width || !height) && wmf_display_size(api, &width, &height, 96, 96) != wmf_E_None)
                width = height = 0;
        }
        if (width > 0 && height > 0 && width <= unsigned(MaxSide) && height <= unsigned(MaxSide)
            && uint64_t(width) * height <= MaxPixels) {
            d.size = QSize(int(width), int(height));
            d.playing = true;
            image = d.combining ? fromGrounds(playOnto(api, d, Qt::black), playOnto(api, d, Qt::white))
                                : playOnto(api, d, Qt::transparent);
            if (!image.isNull() && image.size() != d.size)
                image = image.scaled(d.size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        }
    }
    wmf_lite_destroy(api);
    return image;
}

} // namespace metafile
