#pragma once
// The records of a Windows metafile as libwmf's player is given them:
// rewritten where the player departs from what Windows does, each time by
// saying in records what Windows would have done, so that the player's own
// reading is left as it is. Only the helper program and the fuzzing harness
// link this.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace metafile {

struct WmfRecords {
    // The whole file as the player reads it; empty where it cannot be read.
    std::vector<unsigned char> bytes;
    // Whether the records set the window's extent (the player keeps a
    // default extent that cannot be told from a set one)...
    bool setsWindow = false;
    // ...and whether a raster operation combines what is drawn with what
    // is already there.
    bool combines = false;
};

// The horizontal and vertical resolution that marks the bitmap of a pattern
// brush made of a monochrome bitmap: Windows draws such a brush in the text
// and background colours current when a figure is drawn, not in colours of
// its own. No resolution is drawn by.
constexpr uint32_t MonochromePatternMark = 0x4F524D4B;

// The file of `size` bytes whose standard header starts at `headerAt` (22,
// after a placeable header; 0 without one).
WmfRecords prepareRecords(const unsigned char* data, size_t size, size_t headerAt);

} // namespace metafile
