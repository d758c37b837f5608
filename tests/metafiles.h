#pragma once
// Small metafiles written byte by byte: each fills its picture with one
// colour, over a frame of another. Used by the tests, and by the fuzzing
// harness as its first inputs.
#include <cstdint>
#include <string>

namespace metafiles {

inline void put16(std::string& s, uint32_t v) { s += char(v & 0xFF), s += char(v >> 8 & 0xFF); }
inline void put32(std::string& s, uint32_t v) { put16(s, v & 0xFFFF), put16(s, v >> 16); }

// A red rectangle over the picture (100 x 50 logical units), in a
// Windows metafile; with a placeable header, `unitsPerInch` and the
// picture's bounds come first.
inline std::string wmf(bool placeable, uint16_t unitsPerInch = 96, int16_t right = 100, int16_t bottom = 50)
{
    std::string records;
    auto record = [&records](uint16_t function, std::initializer_list<uint16_t> words) {
        put32(records, 3 + uint32_t(words.size()));
        put16(records, function);
        for (uint16_t w : words)
            put16(records, w);
    };
    record(0x020B, {0, 0});                        // window origin
    record(0x020C, {uint16_t(bottom), uint16_t(right)}); // window extent
    record(0x02FC, {0, 0x00FF, 0x0000, 0});        // solid red brush
    record(0x012D, {0});                           // select it
    record(0x041B, {uint16_t(bottom), uint16_t(right), 0, 0}); // rectangle
    record(0x0000, {});                            // end
    std::string s;
    if (placeable) { // key, handle, bounds, units per inch, reserved, then the checksum of these words
        const uint16_t head[] = {0xCDD7, 0x9AC6, 0, 0, 0, uint16_t(right), uint16_t(bottom), unitsPerInch, 0, 0};
        uint16_t sum = 0;
        for (uint16_t w : head)
            put16(s, w), sum ^= w;
        put16(s, sum);
    }
    // Type, header words, version, size in words, objects, largest record, unused.
    const uint32_t size = uint32_t(9 + records.size() / 2);
    for (uint32_t w : {1u, 9u, 0x0300u, size & 0xFFFF, size >> 16, 1u, 7u, 0u, 0u})
        put16(s, w);
    return s + records;
}

// The same in an enhanced metafile whose frame is `frameRight` by
// `frameBottom` hundredths of a millimetre (100 x 50 pixels by default).
inline std::string emf(int32_t frameRight = 2646, int32_t frameBottom = 1323)
{
    std::string records;
    auto record = [&records](uint32_t type, std::initializer_list<uint32_t> values) {
        put32(records, type);
        put32(records, 8 + 4 * uint32_t(values.size()));
        for (uint32_t v : values)
            put32(records, v);
    };
    record(39, {1, 0, 0x000000FF, 0}); // solid red brush
    record(37, {1});                   // select it
    record(43, {0, 0, 99, 49});        // rectangle
    record(14, {0, 16, 20});           // end
    // Header record: type, size, bounds, frame, signature, version, file
    // size, records, handles (and a reserved word), then the description's
    // length and place, palette, device size in pixels and in millimetres.
    std::string s;
    for (uint32_t v : {1u, 88u, 0u, 0u, 99u, 49u, 0u, 0u, uint32_t(frameRight), uint32_t(frameBottom), 0x464D4520u,
                       0x10000u, uint32_t(88 + records.size()), 5u, 2u, 0u, 0u, 0u, 96u * 10, 96u * 10, 254u, 254u})
        put32(s, v);
    return s + records;
}

} // namespace metafiles
