#pragma once
// Windows metafiles as picture files: how one is recognised by its first
// bytes, and the picture's own size its header declares. Shared by the
// program, which only recognises them, and by the helper program that draws
// them (which links the metafile libraries, so the program never loads
// them); this header needs nothing but the standard library.
#include <cstddef>
#include <cstdint>

namespace platform::metafile {

enum class Kind { None, Wmf, PlaceableWmf, Emf };

// Enough bytes to recognise any of the kinds.
constexpr size_t HeaderBytes = 88;
// The helper's name, beside the program.
constexpr const char* HelperName = "orvalis-metafile";
// Bounds on what the helper reads, makes and may spend: a hostile file
// must neither take the program's memory nor keep it waiting.
constexpr size_t MaxFileBytes = 16 * 1024 * 1024;
constexpr size_t MaxSvgBytes = 8 * 1024 * 1024; // an enhanced metafile's drawing as SVG
constexpr uint64_t MaxPixels = 4096 * 4096;
// The helper is given the file and the size to draw it at (0 0: its own
// size), and writes the picture drawn: its width and height, 32 bits each
// in the machine's order, then its rows of premultiplied ARGB32 pixels as
// QImage keeps them.
constexpr size_t PictureHeaderBytes = 8;
// The program waits for the helper with its window frozen (once per file
// change): a button's picture is drawn in milliseconds, and a file that keeps
// the helper busy for longer than this is hostile or broken.
constexpr int TimeLimitMs = 2000;
// The largest own size, in pixels a side, that is believed.
constexpr int MaxSide = 20000;
// The address space one helper may take. A window starts a helper for
// each of its buttons' metafiles, up to five at once: together they stay
// under 1.3 GB. A button's picture takes about 80 MB of it (Qt, the
// fonts, one worker thread); a file that needs more than the rest is
// shown as the button's own picture.
constexpr uint64_t MaxHelperBytes = 256 * 1024 * 1024;

struct Header {
    Kind kind = Kind::None;
    // The own size in pixels at 96 per inch; 0 x 0 for a metafile without
    // a placeable header, whose size is only known by playing it.
    int width = 0, height = 0;
};

namespace detail {
inline uint32_t u16(const unsigned char* p) { return p[0] | p[1] << 8; }
inline uint32_t u32(const unsigned char* p) { return u16(p) | u16(p + 2) << 16; }
inline int32_t s16(const unsigned char* p) { return static_cast<int16_t>(u16(p)); }
inline int32_t s32(const unsigned char* p) { return static_cast<int32_t>(u32(p)); }

// The standard header every Windows metafile has: in memory or on disk,
// nine words long, version 1 or 3.
inline bool standardHeader(const unsigned char* p, size_t size)
{
    return size >= 18 && (u16(p) == 1 || u16(p) == 2) && u16(p + 2) == 9
           && (u16(p + 4) == 0x0100 || u16(p + 4) == 0x0300);
}

// An extent of `unitsPerInch` to the inch as pixels at 96 per inch; 0 when
// that is not a believable size.
inline int pixels(int64_t extent, int64_t unitsPerInch)
{
    if (extent <= 0 || unitsPerInch <= 0)
        return 0;
    const int64_t px = (extent * 96 + unitsPerInch / 2) / unitsPerInch;
    return px < 1 ? 1 : px > MaxSide ? 0 : static_cast<int>(px);
}
} // namespace detail

// The kind and own size of a metafile from its first bytes (at most
// HeaderBytes are looked at). A metafile whose header declares no size or
// an unbelievable one is Kind::None.
inline Header readHeader(const unsigned char* p, size_t size)
{
    using namespace detail;
    Header h;
    if (size >= 22 + 18 && u32(p) == 0x9AC6CDD7u) {
        // Placeable: bounds in logical units, and how many make an inch.
        const int w = pixels(int64_t(s16(p + 10)) - s16(p + 6), u16(p + 14));
        const int hgt = pixels(int64_t(s16(p + 12)) - s16(p + 8), u16(p + 14));
        if (w && hgt && standardHeader(p + 22, size - 22))
            h = {Kind::PlaceableWmf, w, hgt};
    } else if (standardHeader(p, size)) {
        h.kind = Kind::Wmf;
    } else if (size >= 88 && u32(p) == 1 && u32(p + 40) == 0x464D4520u && u32(p + 4) >= 88) {
        // Enhanced: the frame in hundredths of a millimetre, edges included.
        const int w = pixels(int64_t(s32(p + 32)) - s32(p + 24), 2540);
        const int hgt = pixels(int64_t(s32(p + 36)) - s32(p + 28), 2540);
        if (w && hgt)
            h = {Kind::Emf, w, hgt};
    }
    return h;
}

} // namespace platform::metafile
