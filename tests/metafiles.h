#pragma once
// Small metafiles written byte by byte. Used by the tests, and by the
// fuzzing harness as its first inputs.
#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace metafiles {

inline void put16(std::string& s, uint32_t v) { s += char(v & 0xFF), s += char(v >> 8 & 0xFF); }
inline void put32(std::string& s, uint32_t v) { put16(s, v & 0xFFFF), put16(s, v >> 16); }

// The records of a Windows metafile: each its size in words, its function
// and its parameter words.
struct WmfRecords {
    std::string bytes;
    uint32_t largest = 0;

    WmfRecords& operator()(uint16_t function, const std::vector<uint16_t>& words)
    {
        const uint32_t size = 3 + uint32_t(words.size());
        largest = std::max(largest, size);
        put32(bytes, size);
        put16(bytes, function);
        for (uint16_t w : words)
            put16(bytes, w);
        return *this;
    }
};

// The whole file: the records ended, after the standard header declaring
// `objects` objects; with a placeable header, `unitsPerInch` and the
// picture's bounds (from 0, 0) come first.
inline std::string wmfFile(WmfRecords records, uint16_t objects, bool placeable, uint16_t unitsPerInch = 96,
                           int16_t right = 100, int16_t bottom = 50)
{
    records(0x0000, {}); // end
    std::string s;
    if (placeable) { // key, handle, bounds, units per inch, reserved, then the checksum of these words
        const uint16_t head[] = {0xCDD7, 0x9AC6, 0, 0, 0, uint16_t(right), uint16_t(bottom), unitsPerInch, 0, 0};
        uint16_t sum = 0;
        for (uint16_t w : head)
            put16(s, w), sum ^= w;
        put16(s, sum);
    }
    // Type, header words, version, size in words, objects, largest record, unused.
    const uint32_t size = uint32_t(9 + records.bytes.size() / 2);
    for (uint32_t w : {1u, 9u, 0x0300u, size & 0xFFFF, size >> 16, uint32_t(objects), records.largest & 0xFFFF,
                       records.largest >> 16, 0u})
        put16(s, w);
    return s + records.bytes;
}

// A colour as the two words of a COLORREF.
inline std::vector<uint16_t> colorref(uint32_t rgb)
{
    const uint32_t ref = (rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16;
    return {uint16_t(ref & 0xFFFF), uint16_t(ref >> 16)};
}

inline std::vector<uint16_t> operator+(std::vector<uint16_t> a, const std::vector<uint16_t>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Bytes as the words a record carries them in, the last one padded.
inline std::vector<uint16_t> words(const std::string& bytes)
{
    std::vector<uint16_t> w;
    for (size_t i = 0; i < bytes.size(); i += 2)
        w.push_back(uint16_t(uint8_t(bytes[i]) | (i + 1 < bytes.size() ? uint8_t(bytes[i + 1]) << 8 : 0)));
    return w;
}

// A red rectangle over the picture (100 x 50 logical units), in a
// Windows metafile; with a placeable header, `unitsPerInch` and the
// picture's bounds come first.
inline std::string wmf(bool placeable, uint16_t unitsPerInch = 96, int16_t right = 100, int16_t bottom = 50)
{
    WmfRecords r;
    r(0x020B, {0, 0});                                   // window origin
    r(0x020C, {uint16_t(bottom), uint16_t(right)});      // window extent
    r(0x02FC, {0, 0x00FF, 0x0000, 0});                   // solid red brush
    r(0x012D, {0});                                      // select it
    r(0x041B, {uint16_t(bottom), uint16_t(right), 0, 0}); // rectangle
    return wmfFile(r, 1, placeable, unitsPerInch, right, bottom);
}

// Colours of the drawing below, none of them a colour with an SVG name.
enum Colour : uint32_t {
    Blue = 0x1F4FD0,
    Yellow = 0xF5D742,
    Crimson = 0xC8326E,
    Green = 0x3A9A5B,
    Ink = 0x203A74,
    Hatch = 0x802020,
    Ground = 0xF0E0D0, // the background colour
};

// A drawing as programs write them, 200 x 100 units drawn at 1 unit a
// pixel, in the given background mode (1 transparent, 2 opaque), in the
// order Windows draws it:
// - with no outline, a Blue rectangle (10,10)-(60,50), a Yellow ellipse
//   in (70,10)-(130,50) and a Crimson triangle (140,50) (170,10) (195,50);
// - a square (150,60)-(195,95) of Hatch crossed lines;
// - a Green line 10 wide with round ends, (10,75) to (90,75);
// - "Km" in bold type 20 high, Ink, its top left at (110,65), drawn after
//   the state is saved.
// The thick pen is made right after the mapping mode is set, before
// anything is drawn.
inline std::string drawing(uint16_t backgroundMode)
{
    WmfRecords r;
    r(0x020C, {100, 200});         // window extent
    r(0x020B, {0, 0});             // window origin
    r(0x0103, {8});                // mapping mode: anisotropic
    r(0x0102, {backgroundMode});   // background mode
    r(0x0201, colorref(Ground));   // background colour
    r(0x02FA, std::vector<uint16_t>{0, 10, 0} + colorref(Green)); // object 0: the thick pen
    r(0x02FA, std::vector<uint16_t>{5, 0, 0, 0, 0});              // object 1: no pen
    r(0x012D, {1});
    const auto fill = [&r](uint32_t colour, uint16_t style = 0, uint16_t hatch = 0) {
        r(0x02FC, std::vector<uint16_t>{style} + colorref(colour) + std::vector<uint16_t>{hatch}); // object 2
        r(0x012D, {2});
    };
    const auto drop = [&r] { r(0x01F0, {2}); };
    fill(Blue), r(0x041B, {50, 60, 10, 10}), drop();                     // rectangle: bottom, right, top, left
    fill(Yellow), r(0x0418, {50, 130, 10, 70}), drop();                  // ellipse
    fill(Crimson), r(0x0324, {3, 140, 50, 170, 10, 195, 50}), drop();    // polygon
    fill(Hatch, 2, 4), r(0x041B, {95, 195, 60, 150}), drop();            // hatched: HS_CROSS
    r(0x012D, {0}), r(0x0214, {75, 10}), r(0x0213, {75, 90}), r(0x012D, {1}); // move, line
    // Font: height, width, escapement, orientation, weight, then italic,
    // underline, strike-out, character set, precisions, quality, pitch
    // and family, and the face's name.
    std::string font;
    for (uint16_t w : {uint16_t(-20), uint16_t(0), uint16_t(0), uint16_t(0), uint16_t(700)})
        put16(font, w);
    font += std::string(8, '\0') + "DejaVu Sans" + '\0';
    r(0x02FB, words(font)); // object 2
    r(0x012D, {2});
    r(0x0209, colorref(Ink)); // text colour
    r(0x012E, {0});            // top left
    r(0x001E, {});             // the state saved: the new one keeps the colours and modes
    r(0x0521, std::vector<uint16_t>{2} + words("Km") + std::vector<uint16_t>{65, 110});
    r(0x0127, {uint16_t(-1)}); // and restored
    return wmfFile(r, 3, true, 96, 200, 100);
}

// A bitmap of 2 x 2 pixels as a metafile holds one (a header, then its rows
// from the bottom up): Blue, White above Red, Green.
inline std::vector<uint16_t> dib()
{
    std::string b;
    for (uint32_t v : {40u, 2u, 2u})
        put32(b, v);
    put16(b, 1), put16(b, 24); // planes, bits per pixel
    for (int i = 0; i < 6; ++i)
        put32(b, 0);
    // Each row blue, green, red a pixel, padded to four bytes.
    b += std::string("\x00\x00\xFF\x00\xFF\x00\0\0", 8);
    b += std::string("\xFF\x00\x00\xFF\xFF\xFF\0\0", 8);
    return words(b);
}

// Each kind of drawing a metafile has, on 100 x 100 units, most of it
// where a test can find it:
// - Yellow: a pie, the quarter of (0,0)-(40,40) from its right to its top;
// - Crimson: a chord, the upper half of (50,0)-(90,40);
// - the bitmap stretched over (60,60)-(100,100);
// - with the raster operation that draws nothing, a Green square
//   (0,60)-(40,100), then, clipped to (0,45)-(20,55), a Blue one
//   (0,45)-(40,55), and nothing outside the clip;
// - a black pen 3 wide selected, the state saved, the pen deleted and its
//   place in the table taken by an empty pen; a Blue triangle (5,95)
//   (20,65) (35,95) without outline; the state restored, and the black pen
//   draws the triangle's base;
// - elsewhere an arc, a rounded rectangle, two polygons as one, a pixel, a
//   patterned block, a dashed polyline, a pattern brush made of the bitmap
//   and a turned text in a box of its own.
inline std::string everything()
{
    WmfRecords r;
    r(0x020C, {100, 100}), r(0x020B, {0, 0}), r(0x0103, {8});
    r(0x02FA, {5, 0, 0, 0, 0}), r(0x012D, {0});                                     // object 0: no pen
    r(0x02FC, std::vector<uint16_t>{0} + colorref(Yellow) + std::vector<uint16_t>{0}), r(0x012D, {1}); // object 1
    r(0x081A, {0, 20, 20, 40, 40, 40, 0, 0});                                        // pie
    r(0x01F0, {1});
    r(0x02FC, std::vector<uint16_t>{0} + colorref(Crimson) + std::vector<uint16_t>{0}), r(0x012D, {1});
    r(0x0830, {20, 50, 20, 90, 40, 90, 0, 50});                                      // chord
    r(0x0F43, std::vector<uint16_t>{0x0020, 0x00CC, 0, 2, 2, 0, 0, 40, 40, 60, 60} + dib()); // stretched bitmap
    // The shapes that go with the others, for their drawing's sake.
    r(0x02FA, std::vector<uint16_t>{1, 1, 0} + colorref(Ink)), r(0x012D, {2});         // object 2: dashed pen
    r(0x0817, {50, 42, 50, 58, 58, 58, 42, 42});                                     // arc
    r(0x061C, {6, 6, 58, 98, 42, 62});                                               // rounded rectangle
    r(0x0538, {2, 3, 3, 42, 42, 46, 42, 44, 46, 48, 42, 52, 42, 50, 46});             // two polygons
    r(0x0325, {3, 44, 48, 50, 52, 56, 48});                                          // polyline
    r(0x041F, colorref(Hatch) + std::vector<uint16_t>{50, 50});                      // pixel
    r(0x0142, std::vector<uint16_t>{5, 0} + dib()), r(0x012D, {3});                   // object 3: pattern brush
    r(0x041B, {58, 58, 42, 42});
    r(0x061D, {0x0021, 0x00F0, 4, 4, 44, 44});                                       // patterned block
    std::string font;
    for (uint16_t w : {uint16_t(-8), uint16_t(0), uint16_t(450), uint16_t(450), uint16_t(400)})
        put16(font, w);
    font += std::string(8, '\0') + "Liberation Serif" + '\0';
    r(0x02FB, words(font)), r(0x012D, {4});                                            // object 4
    r(0x0102, {2}), r(0x012E, {6 | 24});                                             // opaque; centre, baseline
    r(0x0A32, std::vector<uint16_t>{56, 50, 2, 6, 42, 42, 58, 58} + words("Ab"));      // in its box, clipped
    r(0x01F0, {1}), r(0x02FC, std::vector<uint16_t>{0} + colorref(Green) + std::vector<uint16_t>{0}), r(0x012D, {1});
    r(0x0104, {11}), r(0x041B, {100, 40, 60, 0}), r(0x0104, {13});                  // nothing drawn
    r(0x01F0, {1}), r(0x02FC, std::vector<uint16_t>{0} + colorref(Blue) + std::vector<uint16_t>{0}), r(0x012D, {1});
    r(0x001E, {}), r(0x0416, {55, 20, 45, 0});                                       // save; clip
    r(0x041B, {55, 40, 45, 0});
    r(0x0127, {uint16_t(-1)});                                                       // restore
    r(0x02FA, std::vector<uint16_t>{0, 3, 0} + colorref(0)), r(0x012D, {5});          // object 5: black pen
    r(0x001E, {}), r(0x01F0, {5});                                                   // save; delete it
    r(0x02FA, {5, 0, 0, 0, 0}), r(0x012D, {5});                                      // object 5: no pen
    r(0x0324, {3, 5, 95, 20, 65, 35, 95});                                           // a triangle
    r(0x0127, {uint16_t(-1)}), r(0x0325, {2, 5, 95, 35, 95});                        // restore; its base
    return wmfFile(r, 6, true, 96, 100, 100);
}

// The records that make a solid or hatched brush, a pen and a font (with
// its height, weight and face), in the order Windows reads their words.
inline std::vector<uint16_t> brushWords(uint32_t colour, uint16_t style = 0, uint16_t hatch = 0)
{
    return std::vector<uint16_t>{style} + colorref(colour) + std::vector<uint16_t>{hatch};
}
inline std::vector<uint16_t> penWords(uint16_t style, uint16_t width, uint32_t colour)
{
    return std::vector<uint16_t>{style, width, 0} + colorref(colour);
}
inline std::vector<uint16_t> fontWords(int16_t height, uint16_t weight = 400, const char* face = "DejaVu Sans")
{
    std::string font;
    for (uint16_t w : {uint16_t(height), uint16_t(0), uint16_t(0), uint16_t(0), weight})
        put16(font, w);
    return words(font + std::string(8, '\0') + face + '\0');
}

// A picture of 100 x 100 units, the y axis down (MM_ANISOTROPIC): the
// start of the files below.
inline WmfRecords hundredUnits()
{
    WmfRecords r;
    r(0x020C, {100, 100}), r(0x020B, {0, 0}), r(0x0103, {8});
    return r;
}

// Each figure in a place of its own, on 100 x 100 units (drawn at 200 x
// 200, two pixels a unit), so that a test sees each drawn as it should be:
// - top row, each in 20 x 20 units: a Crimson block (PATBLT) in (2,2)-(18,18);
//   two Blue triangles as one figure, the second in the lower right of
//   (20,0)-(40,20); the bitmap as a pattern brush in (42,2)-(58,18); an
//   open Ink V (62,2) (70,18) (78,2), 2 units wide, a Yellow brush
//   selected; the upper half of the circle in (82,2)-(98,18) as an arc, the
//   same;
// - second row: a Crimson rectangle (2,22)-(18,38) with corners rounded 6
//   units; a Blue five-pointed star round (30,30), its middle filled as
//   WINDING fills it; a dashed Ink line (42,30) to (58,30); a Yellow block
//   (62,22)-(78,38) and the bitmap combined with it by SRCAND; a Hatch
//   cross hatch in (82,22)-(98,38);
// - texts in DejaVu Sans 12 units high, Ink in cells of Ground: "Km"
//   centred on (50,42); "MMM" bold from (2,56); "Km" by ExtTextOut without
//   options from (60,56); "Km" right-aligned at (48,70) after a SAVEDC;
//   and a Crimson bullet 30 units high from (60,66), its colour restored
//   before the SAVEDC that precedes it.
inline std::string figures()
{
    WmfRecords r = hundredUnits();
    // Object 0 the pen, 1 the brush, 2 the font: each made anew in its place.
    const auto pen = [&r](uint16_t style, uint16_t width, uint32_t colour) {
        r(0x01F0, {0}), r(0x02FA, penWords(style, width, colour)), r(0x012D, {0});
    };
    const auto brush = [&r](uint32_t colour, uint16_t style = 0, uint16_t hatch = 0) {
        r(0x01F0, {1}), r(0x02FC, brushWords(colour, style, hatch)), r(0x012D, {1});
    };
    const auto font = [&r](int16_t height, uint16_t weight = 400) {
        r(0x01F0, {2}), r(0x02FB, fontWords(height, weight)), r(0x012D, {2});
    };
    pen(5, 0, 0); // none
    brush(Crimson), r(0x061D, {0x0021, 0x00F0, 16, 16, 2, 2}); // PATBLT: height, width, top, left
    brush(Blue), r(0x0538, {2, 3, 3, 22, 2, 30, 2, 22, 10, 38, 18, 30, 18, 38, 10});
    r(0x01F0, {1}), r(0x0142, std::vector<uint16_t>{5, 0} + dib()), r(0x012D, {1}), r(0x041B, {18, 58, 2, 42});
    pen(0, 2, Ink), brush(Yellow);
    r(0x0325, {3, 62, 2, 70, 18, 78, 2});          // polyline
    r(0x0817, {10, 82, 10, 98, 18, 98, 2, 82});    // arc: end, start, bottom, right, top, left
    pen(5, 0, 0), brush(Crimson), r(0x061C, {12, 12, 38, 18, 22, 2}); // rounded: corner height, width, box
    brush(Blue), r(0x0106, {2});                   // WINDING
    r(0x0324, {5, 30, 21, 35, 38, 21, 27, 39, 27, 25, 38});
    r(0x0106, {1});
    pen(1, 1, Ink), r(0x0214, {30, 42}), r(0x0213, {30, 58}); // PS_DASH: move, line
    pen(5, 0, 0), brush(Yellow), r(0x061D, {0x0021, 0x00F0, 16, 16, 22, 62});
    r(0x0F43, std::vector<uint16_t>{0x00C6, 0x0088, 0, 2, 2, 0, 0, 16, 16, 22, 62} + dib()); // SRCAND
    brush(Hatch, 2, 4), r(0x041B, {38, 98, 22, 82}); // HS_CROSS, transparent gaps
    // The texts.
    r(0x0102, {2}), r(0x0201, colorref(Ground)), r(0x0209, colorref(Ink)), font(-12);
    r(0x012E, {6}), r(0x0521, std::vector<uint16_t>{2} + words("Km") + std::vector<uint16_t>{42, 50}); // TA_CENTER
    r(0x012E, {0}), font(-12, 700), r(0x0521, std::vector<uint16_t>{3} + words("MMM") + std::vector<uint16_t>{56, 2});
    font(-12), r(0x0A32, std::vector<uint16_t>{56, 60, 2, 0} + words("Km")); // no options, no box
    r(0x012E, {2}), r(0x001E, {}), r(0x0521, std::vector<uint16_t>{2} + words("Km") + std::vector<uint16_t>{70, 48});
    r(0x0127, {uint16_t(-1)}), r(0x012E, {0});
    r(0x0102, {1}), font(-30), r(0x0209, colorref(Crimson)), r(0x001E, {}), r(0x0209, colorref(Green));
    r(0x0127, {uint16_t(-1)}), r(0x001E, {});
    r(0x0521, std::vector<uint16_t>{1} + words("\x95") + std::vector<uint16_t>{66, 60}), r(0x0127, {uint16_t(-1)});
    return wmfFile(r, 3, true, 96, 100, 100);
}

// Files on 100 x 100 units that juggle the object table and the saved
// states, each filling the whole picture with the brush it ends with.
// The start: the mapping, and a red brush selected (object 0).
inline WmfRecords redSelected()
{
    WmfRecords r = hundredUnits();
    r(0x02FC, brushWords(0xFF0000)), r(0x012D, {0});
    return r;
}
inline std::string filled(WmfRecords r, uint16_t objects)
{
    r(0x041B, {100, 100, 0, 0});
    return wmfFile(r, objects, true, 96, 100, 100);
}

// A Crimson bullet, 30 units high, from (60,66) (its middle near pixel
// (137,165) at 200 x 200), in a font that the file deletes and then makes
// `next` in its place (a pen, or a region): Windows never selected the
// font, as the player does, and shows the text.
inline std::string fontDeletedThen(uint16_t next)
{
    WmfRecords r = hundredUnits();
    r(0x0102, {1}), r(0x0209, colorref(Crimson));
    r(0x02FB, fontWords(-30)), r(0x01F0, {0});
    if (next == 0x02FA)
        r(next, penWords(0, 1, 0x414243));
    else // a region of one rectangle, (10,10)-(60,60)
        r(next, {0, 6, 0, 0, 34, 1, 2, 10, 10, 60, 60, 2, 10, 60, 10, 60, 2});
    r(0x0521, std::vector<uint16_t>{1} + words("\x95") + std::vector<uint16_t>{66, 60});
    return wmfFile(r, 1, true, 96, 100, 100);
}

// A pattern brush of a bitmap of the device's own, 8 x 8 in a checker of
// `bits` a pixel (1: the text colour, Crimson, where a pixel is clear, and
// the background colour, Yellow, where it is set, the first pixel set; 4:
// colours of the device's palette); then a red and a blue brush (objects 1
// and 2), `selected` selected, and then the pattern brush where
// `thenPattern`; a font made and deleted.
inline std::string patternBrush(uint16_t bits, uint16_t selected, bool thenPattern)
{
    WmfRecords r = redSelected();
    r(0x0209, colorref(Crimson)), r(0x0201, colorref(Yellow));
    const uint16_t rowBytes = bits == 1 ? 2 : 4;
    std::vector<uint16_t> pattern = {0, 8, 8, rowBytes, uint16_t(0x0001 | bits << 8), 0, 0};
    pattern.resize(pattern.size() + 9); // ignored
    for (int row = 0; row < 8; ++row)
        for (int w = 0; w < rowBytes / 2; ++w)
            pattern.push_back(bits == 1 ? (row % 2 ? 0x5555 : 0xAAAA) : 0x1234);
    r(0x01F0, {0}), r(0x01F9, pattern); // object 0; the red deleted, still selected
    r(0x02FC, brushWords(0xFF0000)), r(0x02FC, brushWords(0x0000FF)), r(0x012D, {selected});
    if (thenPattern)
        r(0x012D, {0});
    r(0x02FB, fontWords(-10)), r(0x01F0, {3});
    return filled(r, 4);
}

// Red saved at level 1, blue at level 2, green selected; then RESTOREDC
// with each of `levels`.
inline std::string restored(std::initializer_list<int16_t> levels)
{
    WmfRecords r = redSelected();
    r(0x001E, {}), r(0x02FC, brushWords(0x0000FF)), r(0x012D, {1});
    r(0x001E, {}), r(0x02FC, brushWords(0x00FF00)), r(0x012D, {2});
    for (int16_t n : levels)
        r(0x0127, {uint16_t(n)});
    return filled(r, 3);
}

// 1,023 pens each selected, deleted and kept by a saved state, then red
// and blue brushes selected in turn `selections` times, red last.
inline std::string manySelections(int selections)
{
    WmfRecords r = hundredUnits();
    for (int i = 0; i < 1023; ++i)
        r(0x02FA, penWords(0, 1, uint32_t(i))), r(0x012D, {0}), r(0x01F0, {0}), r(0x001E, {});
    r(0x02FC, brushWords(0xFF0000)), r(0x02FC, brushWords(0x0000FF));
    for (int i = selections; i > 0; --i)
        r(0x012D, {uint16_t(1 - i % 2)});
    return filled(r, 2);
}

// A dashed Ink line one unit wide through 65,535 points, zig-zagging across
// (5,5)-(95,95).
inline std::string dashedZigzag()
{
    WmfRecords r = hundredUnits();
    r(0x02FA, penWords(1, 1, Ink)), r(0x012D, {0});
    std::vector<uint16_t> points = {65535};
    for (int i = 0; i < 65535; ++i)
        points.push_back(i % 2 ? 95 : 5), points.push_back(uint16_t(5 + i / 2 % 91));
    r(0x0325, points);
    return wmfFile(r, 1, true, 96, 100, 100);
}

// Files on 100 x 100 units whose records Windows fails or stops at, or that
// lean on what is kept of the objects and saved states. Each starts with no
// pen (object 0) and, where `red`, a red brush selected (object 1); "TL",
// "TR", "BR" are rectangles over the top left, top right and bottom right
// quarters.
inline WmfRecords noPen(bool red = true)
{
    WmfRecords r = hundredUnits();
    r(0x02FA, {5, 0, 0, 0, 0}), r(0x012D, {0});
    if (red)
        r(0x02FC, brushWords(0xFF0000)), r(0x012D, {1});
    return r;
}
inline WmfRecords& quarter(WmfRecords& r, char which)
{
    return which == 'L'   ? r(0x041B, {50, 50, 0, 0})
           : which == 'R' ? r(0x041B, {50, 100, 0, 50})
                          : r(0x041B, {100, 100, 50, 50});
}
// A region of one rectangle, (10,10)-(60,60).
inline std::vector<uint16_t> regionWords()
{
    return {0, 6, 0, 0, 34, 1, 2, 10, 10, 60, 60, 2, 10, 60, 10, 60, 2};
}
// A pattern brush of the device's own bitmap, 8 x 8 at `bits` a pixel,
// every bit set.
inline std::vector<uint16_t> devicePattern(uint16_t bits)
{
    const uint16_t rowBytes = bits == 1 ? 2 : 4;
    std::vector<uint16_t> pattern = {0, 8, 8, rowBytes, uint16_t(0x0001 | bits << 8), 0, 0};
    pattern.resize(pattern.size() + 9 + 8 * rowBytes / 2, 0xFFFF);
    std::fill(pattern.begin() + 7, pattern.begin() + 16, 0); // ignored
    return pattern;
}
// Windows fails a record that names an object of another kind than its
// own: SELECTPALETTE (0x0234) of a brush or a pen, a region record of a pen,
// a region filled with a pen.
inline std::string wrongKind(char which)
{
    WmfRecords r = noPen();
    switch (which) {
    case 'b': // a green brush made (2), "selected" as a palette; a blue one made
        r(0x02FC, brushWords(0x00FF00)), r(0x0234, {2}), quarter(r, 'L');
        r(0x02FC, brushWords(0x0000FF)), quarter(r, 'R');
        return wmfFile(r, 4, true, 96, 100, 100);
    case 'd': // the same, the red brush deleted and a region made in its place
        r(0x02FC, brushWords(0x00FF00)), r(0x0234, {2}), r(0x01F0, {1}), r(0x06FF, regionWords());
        quarter(r, 'L'), r(0x02FC, brushWords(0x0000FF)), quarter(r, 'B');
        return wmfFile(r, 4, true, 96, 100, 100);
    case 'p': { // a blue pen 10 wide (0) and a red brush (1) selected; a yellow pen (2)
        WmfRecords q = hundredUnits();
        q(0x02FA, penWords(0, 10, 0x0000FF)), q(0x012D, {0}), q(0x02FC, brushWords(0xFF0000)), q(0x012D, {1});
        q(0x02FA, penWords(0, 1, 0xFFFF00)), q(0x0234, {2}), q(0x02FA, penWords(0, 1, 0x00FF00));
        q(0x041B, {80, 80, 20, 20});
        return wmfFile(q, 4, true, 96, 100, 100);
    }
    case 'c': // clip to the pen
        quarter(r, 'L'), r(0x012C, {0}), quarter(r, 'B');
        return wmfFile(r, 2, true, 96, 100, 100);
    case 'f': // fill the pen with the red brush
        quarter(r, 'L'), r(0x0228, {0, 1}), quarter(r, 'B');
        return wmfFile(r, 2, true, 96, 100, 100);
    default: // fill and frame a region (2) with the pen
        r(0x06FF, regionWords()), r(0x0228, {2, 0}), r(0x0429, {2, 0, 1, 1}), quarter(r, 'B');
        return wmfFile(r, 3, true, 96, 100, 100);
    }
}

// A red square (0,0)-(40,40); a record of function 0 and four words, at
// which Windows stops; then green and blue squares at (60,60)-(100,100) and
// `saves` SAVEDC records after them.
inline std::string endedEarly(int saves)
{
    WmfRecords r = noPen();
    r(0x041B, {40, 40, 0, 0}), r(0x0000, {0});
    r(0x02FC, brushWords(0x00FF00)), r(0x012D, {2}), r(0x041B, {100, 100, 60, 60});
    r(0x02FC, brushWords(0x0000FF)), r(0x012D, {3}), r(0x041B, {100, 100, 60, 60});
    for (int i = 0; i < saves; ++i)
        r(0x001E, {});
    return wmfFile(r, 4, true, 96, 100, 100);
}

// A background colour set by a record of `words` words, then 100 SAVEDC and
// the red brush's fill.
inline std::string longStateRecord(size_t words)
{
    WmfRecords r = noPen();
    std::vector<uint16_t> colour = colorref(0x00FF00);
    colour.resize(words, 0x1234);
    r(0x0201, colour);
    for (int i = 0; i < 100; ++i)
        r(0x001E, {});
    return filled(r, 2);
}

// A pattern brush of set bits (2) selected, then the text colour red and,
// where `background`, the background colour blue; its fill.
inline std::string setBitsPattern(bool background)
{
    WmfRecords r = noPen(false);
    r(0x01F9, devicePattern(1)), r(0x012D, {1}), r(0x0209, colorref(0xFF0000));
    if (background)
        r(0x0201, colorref(0x0000FF));
    return filled(r, 2);
}

// Files that lean on what is kept of objects and states, each filled by
// the brush it ends with; a red brush selected first (object 0).
inline std::string kept(char which)
{
    WmfRecords r = redSelected();
    switch (which) {
    case 'm': // 300 blue brushes past the one place declared: red
        for (int i = 0; i < 300; ++i)
            r(0x02FC, brushWords(0x0000FF));
        return filled(r, 1);
    case 'r': // saved; blue (1), saved; green (2); restored; yellow made: blue
        r(0x001E, {}), r(0x02FC, brushWords(0x0000FF)), r(0x012D, {1});
        r(0x001E, {}), r(0x02FC, brushWords(0x00FF00)), r(0x012D, {2});
        r(0x0127, {uint16_t(-1)}), r(0x02FC, brushWords(0xFFFF00));
        return filled(r, 4);
    case 'l': // blue (1) and yellow (2) made and deleted; green takes 1, selected
        r(0x02FC, brushWords(0x0000FF)), r(0x02FC, brushWords(0xFFFF00)), r(0x01F0, {1}), r(0x01F0, {2});
        r(0x02FC, brushWords(0x00FF00)), r(0x012D, {1});
        return filled(r, 3);
    case 'u': // a 4-bit pattern brush (1) made and deleted; green takes 1, selected
        r(0x01F9, devicePattern(4)), r(0x01F0, {1}), r(0x02FC, brushWords(0x00FF00)), r(0x012D, {1});
        return filled(r, 2);
    default: { // a blue brush selected and deleted; green takes its place; the region filled with it
        WmfRecords q = hundredUnits();
        q(0x02FC, brushWords(0x0000FF)), q(0x012D, {0}), q(0x01F0, {0}), q(0x02FC, brushWords(0x00FF00));
        q(0x06FF, regionWords()), q(0x0228, {1, 0});
        return wmfFile(q, 2, true, 96, 100, 100);
    }
    }
}

// A black pen 6 wide selected (0) and saved; deleted, a no pen made in its
// place and a red pen (1) made; restored: a line across y = 50.
inline std::string penKeptBySavedState()
{
    WmfRecords r = hundredUnits();
    r(0x02FA, penWords(0, 6, 0)), r(0x012D, {0}), r(0x001E, {}), r(0x01F0, {0});
    r(0x02FA, {5, 0, 0, 0, 0}), r(0x02FA, penWords(0, 1, 0xFF0000)), r(0x0127, {uint16_t(-1)});
    r(0x0214, {50, 0}), r(0x0213, {50, 100});
    return wmfFile(r, 2, true, 96, 100, 100);
}

// 66,000 rounds of deleting the selected pen, making one and selecting
// it, after `saves` SAVEDC and before RESTOREDC(-saves); then the red fill.
inline std::string penRounds(int saves)
{
    WmfRecords r = hundredUnits();
    r(0x02FA, penWords(0, 1, 0)), r(0x012D, {0});
    for (int i = 0; i < saves; ++i)
        r(0x001E, {});
    for (int i = 0; i < 66000; ++i)
        r(0x01F0, {0}), r(0x02FA, penWords(0, 1, 0)), r(0x012D, {0});
    if (saves)
        r(0x0127, {uint16_t(-saves)});
    r(0x02FC, brushWords(0xFF0000)), r(0x012D, {1});
    return filled(r, 2);
}

// "iiiiiiii" 12 units high from (10,40), in a proportional font made where
// a monospaced one was deleted.
inline std::string fontInFreedPlace()
{
    WmfRecords r = hundredUnits();
    r(0x02FB, fontWords(-12, 400, "DejaVu Sans Mono")), r(0x02FB, fontWords(-12, 400, "DejaVu Serif"));
    r(0x01F0, {0}), r(0x02FB, fontWords(-12, 400, "DejaVu Sans")), r(0x012D, {0});
    r(0x0521, std::vector<uint16_t>{8} + words("iiiiiiii") + std::vector<uint16_t>{40, 10});
    return wmfFile(r, 2, true, 96, 100, 100);
}

// A bitmap of two pixels, 8 bits a pixel, with one colour, Yellow: the
// second pixel's index is past its colour table. Stretched over the whole
// of 100 x 100 units.
inline std::string indexPastColours()
{
    std::string b;
    for (uint32_t v : {40u, 2u, 1u, 0x00080001u, 0u, 4u, 0u, 0u, 1u, 0u, uint32_t(Yellow), 0x0000C800u})
        put32(b, v);
    WmfRecords r = hundredUnits();
    r(0x0F43, std::vector<uint16_t>{0x0020, 0x00CC, 0, 1, 2, 0, 0, 100, 100, 0, 0} + words(b));
    return wmfFile(r, 1, true, 96, 100, 100);
}

// Two tricks of programs that write metafiles, on 200 x 100 units:
// - a Blue square (0,0)-(100,100) made of two triangles that meet on its
//   diagonal from (100,0) to (0,100);
// - a red ellipse in (100,0)-(200,100) cut out of a red block by raster
//   operations: the block drawn combined with what is there (XOR), the
//   ellipse in black, the block combined again.
inline std::string abutting()
{
    WmfRecords r;
    r(0x020C, {100, 200}), r(0x020B, {0, 0});
    r(0x02FA, {5, 0, 0, 0, 0}), r(0x012D, {0}); // object 0: no pen
    const auto brush = [&r](uint32_t colour) {
        r(0x02FC, std::vector<uint16_t>{0} + colorref(colour) + std::vector<uint16_t>{0}), r(0x012D, {1});
    };
    brush(Blue);
    r(0x0324, {3, 0, 0, 100, 0, 0, 100}), r(0x0324, {3, 100, 0, 100, 100, 0, 100});
    const auto block = [&r, &brush] {
        r(0x01F0, {1}), brush(0xFF0000), r(0x0104, {7}), r(0x041B, {100, 200, 0, 100}), r(0x0104, {13});
    };
    block();
    r(0x01F0, {1}), brush(0x000000), r(0x0418, {100, 200, 0, 100});
    block();
    return wmfFile(r, 2, true, 96, 200, 100);
}

// The records of an enhanced metafile: each its type, size and values.
struct EmfRecords {
    std::string bytes;
    uint32_t count = 0;

    EmfRecords& operator()(uint32_t type, std::initializer_list<uint32_t> values)
    {
        put32(bytes, type);
        put32(bytes, 8 + 4 * uint32_t(values.size()));
        for (uint32_t v : values)
            put32(bytes, v);
        ++count;
        return *this;
    }
};

// The whole file: its header, whose frame is `frameRight` by `frameBottom`
// hundredths of a millimetre (100 x 50 pixels by default), then the
// records, ended.
inline std::string emfFile(EmfRecords records, int32_t frameRight = 2646, int32_t frameBottom = 1323)
{
    records(14, {0, 16, 20}); // end
    // Header record: type, size, bounds, frame, signature, version, file
    // size, records, handles (and a reserved word), then the description's
    // length and place, palette, device size in pixels and in millimetres.
    std::string s;
    for (uint32_t v : {1u, 88u, 0u, 0u, 99u, 49u, 0u, 0u, uint32_t(frameRight), uint32_t(frameBottom), 0x464D4520u,
                       0x10000u, uint32_t(88 + records.bytes.size()), records.count + 1, 2u, 0u, 0u, 0u, 96u * 10,
                       96u * 10, 254u, 254u})
        put32(s, v);
    return s + records.bytes;
}

// The red rectangle in an enhanced metafile.
inline std::string emf(int32_t frameRight = 2646, int32_t frameBottom = 1323)
{
    EmfRecords r;
    r(39, {1, 0, 0x000000FF, 0}); // solid red brush
    r(37, {1});                   // select it
    r(43, {0, 0, 99, 49});        // rectangle
    return emfFile(r, frameRight, frameBottom);
}

// A red rectangle (0,0)-(49,49) and a text "Km" at (10,60) in an enhanced
// metafile of 100 x 100 pixels.
inline std::string emfWithText()
{
    EmfRecords r;
    r(39, {1, 0, 0x000000FF, 0}), r(37, {1}), r(43, {0, 0, 49, 49});
    // EXTTEXTOUTW: bounds, graphics mode, scales, then the text: its
    // reference point, length, place, options, box, place of its advances;
    // the text in UTF-16, and the advances.
    r(84, {0, 0, 0, 0, 1, 0, 0, 10, 60, 2, 76, 0, 0, 0, 0xFFFFFFFF, 0xFFFFFFFF, 80, 0x006D004B, 12, 12});
    return emfFile(r, 2646, 2646);
}

// A red V (10,10) (50,40) (90,10), three pixels wide, stroked as a path,
// closed by the file or left open.
inline std::string emfStrokedPath(bool closed)
{
    EmfRecords r;
    r(38, {1, 0, 3, 0, 0x000000FF}); // pen: solid, 3 wide, red
    r(37, {1});
    r(59, {});                        // begin the path
    r(27, {10, 10});                  // move
    r(54, {50, 40}), r(54, {90, 10}); // lines
    if (closed)
        r(61, {});                    // close the figure
    r(60, {});                        // end the path
    r(64, {0, 0, 0, 0});              // stroke it
    return emfFile(r);
}

// A bitmap of 8 x 8 pixels compressed by runs of `bits` (4 or 8) a pixel,
// of three colours: 0 Yellow, 1 Blue, 2 Crimson. From the bottom row up:
// Blue, Crimson, Blue, Crimson, then a jump to the second row's seventh
// pixel; two Blue; the row's end; a row of Crimson; the bitmap's end.
// Every pixel skipped is Yellow.
inline std::vector<uint16_t> runLengthDib(uint16_t bits)
{
    std::string b;
    for (uint32_t v : {40u, 8u, 8u})
        put32(b, v);
    put16(b, 1), put16(b, bits);
    const std::string runs = bits == 8 ? std::string("\0\3\1\2\1\0" "\1\2" "\0\2\2\1" "\2\1" "\0\0" "\10\2" "\0\1", 20)
                                       : std::string("\0\3\x12\x10" "\1\x20" "\0\2\2\1" "\2\x11" "\0\0" "\10\x22" "\0\1", 18);
    for (uint32_t v : {bits == 8 ? 1u : 2u, uint32_t(runs.size()), 0u, 0u, 3u, 0u}) // compression, size, used colours
        put32(b, v);
    for (uint32_t rgb : {uint32_t(Yellow), uint32_t(Blue), uint32_t(Crimson)})
        put32(b, rgb); // blue, green, red, unused
    return words(b + runs);
}

// On 100 x 100 units, the compressed bitmap stretched over the left half,
// and the right half filled with it as a pattern brush, without outline.
inline std::string runLengthBitmaps(uint16_t bits)
{
    WmfRecords r = hundredUnits();
    r(0x0F43, std::vector<uint16_t>{0x0020, 0x00CC, 0, 8, 8, 0, 0, 100, 50, 0, 0} + runLengthDib(bits));
    r(0x02FA, {5, 0, 0, 0, 0}), r(0x012D, {0});
    r(0x0142, std::vector<uint16_t>{5, 0} + runLengthDib(bits)), r(0x012D, {1});
    r(0x041B, {100, 100, 0, 50});
    return wmfFile(r, 2, true, 96, 100, 100);
}

} // namespace metafiles
