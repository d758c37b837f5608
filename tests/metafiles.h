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
    if (placeable) {
        std::string head;
        put32(head, 0x9AC6CDD7);
        put16(head, 0);
        for (int16_t v : {int16_t(0), int16_t(0), right, bottom})
            put16(head, uint16_t(v));
        put16(head, unitsPerInch);
        put32(head, 0);
        uint16_t sum = 0;
        for (size_t i = 0; i < head.size(); i += 2)
            sum ^= uint16_t(uint8_t(head[i]) | uint8_t(head[i + 1]) << 8);
        put16(head, sum);
        s = head;
    }
    put16(s, 1);
    put16(s, 9);
    put16(s, 0x0300);
    put32(s, uint32_t(9 + records.size() / 2));
    put16(s, 1);
    put32(s, 7);
    put16(s, 0);
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
    std::string s;
    put32(s, 1);
    put32(s, 88);
    for (uint32_t v : {0u, 0u, 99u, 49u, 0u, 0u, uint32_t(frameRight), uint32_t(frameBottom)})
        put32(s, v);
    put32(s, 0x464D4520);
    put32(s, 0x10000);
    put32(s, uint32_t(88 + records.size()));
    put32(s, 5);
    put16(s, 2);
    put16(s, 0);
    for (uint32_t v : {0u, 0u, 0u, 96u * 10, 96u * 10, 254u, 254u})
        put32(s, v);
    return s + records;
}

} // namespace metafiles
