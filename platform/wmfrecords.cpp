#include "platform/wmfrecords.h"

#include "platform/metafile.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <queue>
#include <utility>

namespace metafile {

namespace {

using platform::metafile::detail::s16;
using platform::metafile::detail::u16;
using platform::metafile::detail::u32;

using Record = std::vector<unsigned char>;

// The records met here, by their functions.
enum : uint32_t {
    SaveDc = 0x001E,
    SetBkMode = 0x0102,
    SetMapMode = 0x0103,
    SetRop2 = 0x0104,
    SetPolyFillMode = 0x0106,
    SetStretchBltMode = 0x0107,
    SetTextCharExtra = 0x0108,
    RestoreDc = 0x0127,
    InvertRegion = 0x012A,
    PaintRegion = 0x012B,
    SelectClipRegion = 0x012C,
    SelectObject = 0x012D,
    SetTextAlign = 0x012E,
    DeleteObject = 0x01F0,
    SetBkColor = 0x0201,
    SetTextColor = 0x0209,
    SetTextJustification = 0x020A,
    SetWindowExt = 0x020C,
    FillRegion = 0x0228,
    SelectPalette = 0x0234,
    FrameRegion = 0x0429,
    PatBlt = 0x061D,
    BitBlt = 0x0922,
    DibBitBlt = 0x0940,
    StretchBlt = 0x0B23,
    DibStretchBlt = 0x0B41,
    StretchDib = 0x0F43,
    CreatePalette = 0x00F7,
    DibCreatePatternBrush = 0x0142,
    CreatePatternBrush = 0x01F9,
    CreatePen = 0x02FA,
    CreateFont = 0x02FB,
    CreateBrush = 0x02FC,
    CreateRegion = 0x06FF,
};

enum class Kind : uint8_t { Free, Pen, Brush, Font, Palette, Region };

// What a record makes in the object table; Free for one that makes nothing.
Kind made(uint32_t function)
{
    switch (function) {
    case CreatePen: return Kind::Pen;
    case CreateBrush:
    case CreatePatternBrush:
    case DibCreatePatternBrush: return Kind::Brush;
    case CreateFont: return Kind::Font;
    case CreatePalette: return Kind::Palette;
    case CreateRegion: return Kind::Region;
    default: return Kind::Free;
    }
}

// Whether a record's raster operation makes what it draws depend on what is
// already there: SETROP2's for lines and fills (all but black, white, the
// pen, its inverse and nothing), or a block transfer's, which each give
// first (all but the source, its inverse, the brush, black, white and the
// destination left as it is).
bool combines(uint32_t function, const unsigned char* params, size_t words)
{
    if (function == SetRop2 && words >= 1) {
        const uint32_t rop = u16(params);
        return rop != 1 && rop != 4 && rop != 11 && rop != 13 && rop != 16;
    }
    if ((function == PatBlt || function == BitBlt || function == DibBitBlt || function == StretchBlt
         || function == DibStretchBlt || function == StretchDib)
        && words >= 2) {
        const uint32_t rop = u32(params);
        return rop != 0x00CC0020 && rop != 0x00330008 && rop != 0x00F00021 && rop != 0x00000042 && rop != 0x00FF0062
               && rop != 0x00AA0029;
    }
    return false;
}

// Whether a record sets a part of the context that the player forgets at
// SAVEDC, rather than keeping it for the new state as Windows does: the
// number of its words that the player reads, 0 for any other record.
size_t forgottenAtSave(uint32_t function)
{
    switch (function) {
    case SetBkMode:
    case SetRop2:
    case SetPolyFillMode:
    case SetStretchBltMode:
    case SetTextCharExtra:
    case SetTextAlign:
        return 1;
    case SetBkColor:
    case SetTextColor:
    case SetTextJustification:
        return 2;
    default:
        return 0;
    }
}

// The objects a context holds, as the player holds them: for pens,
// brushes, fonts and palettes the player's slot of each (-1 for its own
// default), and whether the file selected it, so that Windows' context
// holds it too. The player selects each pen, brush and font as it makes
// it, which Windows does not: where the file has selected none of that
// kind yet, the player's context holds the one made last.
struct Selected {
    enum Part { Pen, Brush, Font, Palette, Parts };
    std::array<int, Parts> slot{-1, -1, -1, -1};
    std::array<bool, Parts> chosen{};
};

std::optional<Selected::Part> partOf(Kind kind)
{
    switch (kind) {
    case Kind::Pen: return Selected::Pen;
    case Kind::Brush: return Selected::Brush;
    case Kind::Font: return Selected::Font;
    case Kind::Palette: return Selected::Palette;
    default: return std::nullopt; // a region selected is a copy for clipping
    }
}

// What SAVEDC keeps: the parts of the context as last set, and the objects.
struct Saved {
    std::vector<std::pair<uint32_t, Record>> state;
    Selected selected;
};

Record record(uint32_t function, std::initializer_list<uint16_t> params)
{
    Record r;
    const uint32_t words = 3 + uint32_t(params.size());
    for (uint32_t v : {words & 0xFFFF, words >> 16, function})
        r.push_back(v & 0xFF), r.push_back(v >> 8 & 0xFF);
    for (uint16_t v : params)
        r.push_back(v & 0xFF), r.push_back(v >> 8);
    return r;
}

void setSize(Record& r)
{
    const size_t words = r.size() / 2;
    for (size_t i = 0; i < 4; ++i)
        r[i] = static_cast<unsigned char>(words >> (8 * i));
}

void setParam(Record& r, size_t index, int value)
{
    r[6 + 2 * index] = static_cast<unsigned char>(value & 0xFF);
    r[7 + 2 * index] = static_cast<unsigned char>(value >> 8 & 0xFF);
}

// A pattern brush made of a monochrome bitmap of the device's own
// (CREATEPATTERNBRUSH), which the player does not make, as the same pattern
// in a bitmap of two colours (DIBCREATEPATTERNBRUSH), marked so that the
// device draws its clear bits in the text colour and its set bits in the
// background colour current at each figure. None for bitmaps of other kinds.
std::optional<Record> patternAsDib(const Record& r)
{
    const unsigned char* p = r.data() + 6; // the bitmap's header, 18 bytes ignored, its rows
    const size_t bytes = r.size() - 6;
    if (bytes < 32)
        return std::nullopt;
    const uint32_t width = u16(p + 2), height = u16(p + 4), rowBytes = u16(p + 6);
    if (p[8] != 1 || p[9] != 1 || !width || !height || rowBytes < (width + 15) / 16 * 2
        || rowBytes * height > bytes - 32)
        return std::nullopt;
    Record dib = record(DibCreatePatternBrush, {5, 0}); // BS_DIBPATTERN, DIB_RGB_COLORS
    const auto put32 = [&dib](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            dib.push_back(v >> (8 * i) & 0xFF);
    };
    // One plane, one bit a pixel, the mark as its resolution; black and white.
    for (uint32_t v : {40u, width, height, 0x00010001u, 0u, 0u, MonochromePatternMark, MonochromePatternMark, 2u, 0u,
                       0u, 0xFFFFFFu})
        put32(v);
    const uint32_t dibRow = (width + 31) / 32 * 4;
    for (uint32_t row = height; row-- > 0;) { // from the bottom up
        const unsigned char* bits = p + 32 + row * rowBytes;
        dib.insert(dib.end(), bits, bits + std::min(rowBytes, dibRow));
        dib.insert(dib.end(), dibRow - std::min(rowBytes, dibRow), 0);
    }
    setSize(dib);
    return dib;
}

// The places of an object table: Windows and the player both give a new
// object the lowest free one.
class Places {
public:
    int take()
    {
        if (freed_.empty())
            return next_++;
        const int place = freed_.top();
        freed_.pop();
        return place;
    }
    void give(int place) { freed_.push(place); }
    bool full(int size) const { return freed_.empty() && next_ >= size; }
    int used() const { return next_; } // the most ever taken at once

private:
    std::priority_queue<int, std::vector<int>, std::greater<>> freed_;
    int next_ = 0;
};

// A place in the player's table.
struct Slot {
    Kind kind = Kind::Free;
    bool deleted = false; // by the file, while a context still held it
    uint32_t holders = 0; // the contexts, current and saved, that hold it
};

// A file's object that has no place in the player's table: a pattern
// brush made of a bitmap of the device's own (the player makes nothing).
constexpr int Unplayed = -2;

// Plays the records through, as Windows keeps the context and its objects,
// and writes them out for the player.
class Rewriter {
public:
    Rewriter(size_t size, size_t declaredObjects)
        : size_(size), fileSlots_(declaredObjects, -1), declared_(int(declaredObjects))
    {
    }

    WmfRecords out;
    size_t slots() const { return size_t(slotPlaces_.used()); }
    size_t largest() const { return largest_; } // in words
    void take(uint32_t function, Record r);

private:
    // The three mends (see take()).
    void mendMapping(uint32_t function, const Record& r);
    void mendSaving(uint32_t function, Record& r, bool& keep);
    void mendObjects(uint32_t function, Record& r, bool& keep);
    void make(uint32_t function, Kind kind, bool& keep);

    void write(const Record& r)
    {
        out.bytes.insert(out.bytes.end(), r.begin(), r.end());
        largest_ = std::max(largest_, r.size() / 2);
    }
    // Adds a record the file did not have, within a bound: a file of
    // nothing but SAVEDC records must not grow tenfold.
    void repeat(const Record& r)
    {
        if (out.bytes.size() + r.size() <= size_ + platform::metafile::MaxFileBytes)
            write(r);
    }
    // The player's slot for the file's object `index`; -1 for none.
    int slotOf(size_t index) const { return index < fileSlots_.size() ? fileSlots_[index] : -1; }
    // A context takes or lets go of an object; one that the file deleted
    // is deleted once nothing holds it, after the record that let it go.
    void hold(int slot)
    {
        if (slot >= 0)
            ++slots_[size_t(slot)].holders;
    }
    void letGo(int slot)
    {
        if (slot >= 0 && --slots_[size_t(slot)].holders == 0 && slots_[size_t(slot)].deleted)
            unheld_.push_back(slot);
    }
    void letGo(const Selected& s)
    {
        for (int slot : s.slot)
            letGo(slot);
    }
    void select(Selected::Part part, int slot, bool chosen)
    {
        hold(slot);
        letGo(current_.slot[part]);
        current_.slot[part] = slot;
        current_.chosen[part] = chosen;
    }
    void release(int slot)
    {
        slots_[size_t(slot)] = Slot();
        slotPlaces_.give(slot);
    }
    void deleteUnheld();

    size_t size_;
    size_t largest_ = 0;
    Record extent_;
    std::vector<std::pair<uint32_t, Record>> state_; // as last set, in the order first set
    std::vector<Saved> saved_;
    Selected current_;
    std::vector<int> fileSlots_; // the file's object table: the player's slot of each
    int declared_;
    Places filePlaces_, slotPlaces_;
    std::vector<Slot> slots_; // the player's table
    std::vector<int> unheld_; // deleted by the file, and now let go
};

void Rewriter::take(uint32_t function, Record r)
{
    out.combines = out.combines || combines(function, r.data() + 6, r.size() / 2 - 3);
    if (function == CreatePatternBrush)
        if (auto dib = patternAsDib(r)) {
            function = DibCreatePatternBrush;
            r = std::move(*dib);
        }
    bool keep = true;
    mendObjects(function, r, keep);
    mendSaving(function, r, keep);
    if (keep && function == RestoreDc) {
        // The player goes back one level a record.
        for (int levels = -s16(r.data() + 6); levels > 0; --levels)
            write(record(RestoreDc, {uint16_t(-1)}));
    } else if (keep) {
        write(r);
        mendMapping(function, r);
    }
    if (keep && function == SaveDc)
        for (const auto& [f, set] : state_)
            repeat(set);
    // A pen, brush or font made while the file has one of its kind
    // selected: the player selects the new one, Windows keeps the old.
    if (const auto part = keep ? partOf(made(function)) : std::nullopt;
        part && *part != Selected::Palette && current_.chosen[*part])
        write(record(SelectObject, {uint16_t(current_.slot[*part])}));
    deleteUnheld();
}

// The player works out the size of a logical unit again when the window's
// extent is set, but not when the mapping mode is: a pen made after
// SETMAPMODE and before the next drawing would get the old mapping's width
// (an 8-pixel line drawn half a pixel wide). The last extent is repeated
// after each SETMAPMODE.
void Rewriter::mendMapping(uint32_t function, const Record& r)
{
    if (function == SetWindowExt) {
        out.setsWindow = true;
        extent_ = r;
    } else if (function == SetMapMode && !extent_.empty()) {
        repeat(extent_);
    }
}

// SAVEDC gives the player's new state the default text alignment, colours,
// background mode, fill mode and raster operation (text placed by its
// baseline would be placed by its top): what was set is repeated after it
// (in take()). RESTOREDC goes back to a level saved, as Windows counts it:
// back from the last state saved where it is negative, from the first
// where it is positive. The player goes back one level whatever it says.
void Rewriter::mendSaving(uint32_t function, Record& r, bool& keep)
{
    if (const size_t read = forgottenAtSave(function)) {
        // Kept as the player reads it: a record of millions of words more
        // would be copied at every SAVEDC.
        Record kept(r.begin(), r.begin() + std::ptrdiff_t(std::min(r.size(), 6 + 2 * read)));
        setSize(kept);
        const auto same = std::find_if(state_.begin(), state_.end(), [&](const auto& s) { return s.first == function; });
        if (same != state_.end())
            same->second = std::move(kept);
        else
            state_.emplace_back(function, std::move(kept));
    } else if (function == SaveDc) {
        keep = saved_.size() < 1024;
        if (keep) {
            saved_.push_back({state_, current_});
            for (int slot : current_.slot)
                hold(slot);
        }
    } else if (function == RestoreDc) {
        const int n = r.size() >= 8 ? s16(r.data() + 6) : 0;
        const long level = n < 0 ? long(saved_.size()) + n : n - 1; // the state's place in saved_
        keep = n != 0 && level >= 0 && level < long(saved_.size());
        if (!keep)
            return;
        setParam(r, 0, -int(saved_.size() - size_t(level)));
        for (size_t i = size_t(level) + 1; i < saved_.size(); ++i)
            letGo(saved_[i].selected);
        letGo(current_);
        state_ = std::move(saved_[size_t(level)].state);
        current_ = saved_[size_t(level)].selected;
        saved_.resize(size_t(level));
    }
}

// Windows keeps an object that is deleted while selected (now, or in a
// state saved) until it is no longer selected, and the file may make a new
// object in its place in the table meanwhile; the player's state points at
// the place, so a state restored would take the new object for the old (a
// shape outlined with the pen made after it). The player's table is kept
// apart from the file's: an object its contexts still hold keeps its place
// there until they let it go, and each record names the player's place.
void Rewriter::mendObjects(uint32_t function, Record& r, bool& keep)
{
    const size_t params = r.size() / 2 - 3;
    if (const Kind kind = made(function); kind != Kind::Free) {
        make(function, kind, keep);
        return;
    }
    // The records that name objects: the kind of each they name first
    // (Free: any kind).
    std::array<Kind, 2> kinds{};
    size_t named = 1;
    switch (function) {
    case SelectObject:
    case DeleteObject:
        break;
    case SelectPalette:
        kinds = {Kind::Palette};
        break;
    case SelectClipRegion:
    case InvertRegion:
    case PaintRegion:
        kinds = {Kind::Region};
        break;
    case FillRegion:
    case FrameRegion:
        kinds = {Kind::Region, Kind::Brush};
        named = 2;
        break;
    default:
        return;
    }
    if (params < named)
        return;
    const size_t index = u16(r.data() + 6); // the file's, of the first named
    const int slot = slotOf(index);
    if (function == DeleteObject && slot == Unplayed) {
        fileSlots_[index] = -1;
        filePlaces_.give(int(index));
    }
    const auto fits = [&](int slot, Kind kind) {
        const Kind is = slots_[size_t(slot)].kind;
        return kind == Kind::Free ? function != SelectObject || is != Kind::Palette : is == kind;
    };
    for (size_t i = 0; i < named; ++i) {
        const int each = slotOf(u16(r.data() + 6 + 2 * i));
        // No such object, or one of another kind (SELECTOBJECT never
        // selects a palette): Windows fails the record and nothing changes.
        // One the player has not: the brush stays as it was.
        keep = keep && each >= 0 && fits(each, kinds[i]);
        if (each >= 0)
            setParam(r, i, each);
    }
    if (!keep)
        return;
    if (function == SelectObject || function == SelectPalette) {
        if (const auto part = partOf(slots_[size_t(slot)].kind))
            select(*part, slot, true);
    } else if (function == DeleteObject) {
        fileSlots_[index] = -1;
        filePlaces_.give(int(index));
        keep = slots_[size_t(slot)].holders == 0;
        if (keep)
            release(slot);
        else
            slots_[size_t(slot)].deleted = true;
    }
}

// A record that makes an object: the file's lowest free place, and the
// player's. The player selects a pen, brush or font it makes.
void Rewriter::make(uint32_t function, Kind kind, bool& keep)
{
    keep = !filePlaces_.full(declared_); // a full table makes nothing
    if (!keep)
        return;
    const int index = filePlaces_.take();
    if (function == CreatePatternBrush) {
        fileSlots_[size_t(index)] = Unplayed;
        keep = false;
        return;
    }
    const int slot = slotPlaces_.take();
    if (size_t(slot) == slots_.size())
        slots_.emplace_back();
    slots_[size_t(slot)].kind = kind;
    fileSlots_[size_t(index)] = slot;
    if (const auto part = partOf(kind); part && *part != Selected::Palette && !current_.chosen[*part])
        select(*part, slot, false);
}

// Objects deleted by the file are deleted in the player once nothing holds
// them.
void Rewriter::deleteUnheld()
{
    for (int slot : unheld_) {
        write(record(DeleteObject, {uint16_t(slot)}));
        release(slot);
    }
    unheld_.clear();
}

} // namespace

WmfRecords prepareRecords(const unsigned char* p, size_t size, size_t headerAt)
{
    size_t at = headerAt + 2 * size_t(u16(p + headerAt + 2)); // after the standard header
    Rewriter rewriter(size, u16(p + headerAt + 10));
    WmfRecords& out = rewriter.out;
    out.bytes.reserve(size);
    out.bytes.assign(p, p + at);
    while (size - at >= 6 && at < size) {
        const uint32_t words = u32(p + at);
        const uint32_t function = u16(p + at + 4);
        if (function == 0) {
            // Windows plays up to the first record of function 0, whatever
            // its size; the player stops only at one of three words, and
            // would play what follows without the mends.
            const Record end = record(0, {});
            out.bytes.insert(out.bytes.end(), end.begin(), end.end());
            at = size;
            break;
        }
        if (words < 3 || words > (size - at) / 2)
            break; // a file cut short stays so: the player fails it
        rewriter.take(function, Record(p + at, p + at + 2 * size_t(words)));
        at += 2 * size_t(words);
    }
    out.bytes.insert(out.bytes.end(), p + at, p + size);
    // The header's size of the whole in words, its number of objects (the
    // player's table may need more places than the file's) and its largest
    // record (a pattern brush grows when its bitmap is rewritten).
    if (rewriter.slots() > 0xFFFF)
        return {};
    const size_t words = (out.bytes.size() - headerAt) / 2;
    const size_t largest = std::max<size_t>(u32(p + headerAt + 12), rewriter.largest());
    for (int i = 0; i < 4; ++i) {
        out.bytes[headerAt + 6 + i] = static_cast<unsigned char>(words >> (8 * i));
        out.bytes[headerAt + 12 + i] = static_cast<unsigned char>(largest >> (8 * i));
    }
    const size_t objects = std::max<size_t>(u16(p + headerAt + 10), rewriter.slots());
    out.bytes[headerAt + 10] = static_cast<unsigned char>(objects & 0xFF);
    out.bytes[headerAt + 11] = static_cast<unsigned char>(objects >> 8);
    return std::move(out);
}

} // namespace metafile
