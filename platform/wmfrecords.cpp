#include "platform/wmfrecords.h"

#include "platform/metafile.h"

#include <algorithm>
#include <cstdint>
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
// SAVEDC, rather than keeping it for the new state as Windows does.
bool forgottenAtSave(uint32_t function)
{
    switch (function) {
    case SetBkMode:
    case SetRop2:
    case SetPolyFillMode:
    case SetStretchBltMode:
    case SetTextCharExtra:
    case SetTextAlign:
    case SetBkColor:
    case SetTextColor:
    case SetTextJustification:
        return true;
    default:
        return false;
    }
}

// The objects a context holds selected, by their slots in the player's table.
struct Selected {
    int pen = -1, brush = -1, font = -1, palette = -1;
    bool holds(int slot) const { return slot == pen || slot == brush || slot == font || slot == palette; }
};

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

void setParam(Record& r, size_t index, int value)
{
    r[6 + 2 * index] = static_cast<unsigned char>(value & 0xFF);
    r[7 + 2 * index] = static_cast<unsigned char>(value >> 8 & 0xFF);
}

// Plays the records through, as Windows keeps the context and its objects,
// and writes them out for the player.
class Rewriter {
public:
    Rewriter(size_t size, size_t declaredObjects) : size_(size), fileSlots_(declaredObjects, -1) {}

    WmfRecords out;
    size_t slots() const { return slots_.size(); }
    void take(uint32_t function, Record r);

private:
    // The three mends (see take()).
    void mendMapping(uint32_t function, const Record& r);
    void mendSaving(uint32_t function, Record& r, bool& keep);
    void mendObjects(uint32_t function, Record& r, bool& keep);

    // Adds a record the file did not have, within a bound: a file of
    // nothing but SAVEDC records must not grow tenfold.
    void repeat(const Record& r)
    {
        if (out.bytes.size() + r.size() <= size_ + platform::metafile::MaxFileBytes)
            out.bytes.insert(out.bytes.end(), r.begin(), r.end());
    }
    // The player's slot for the file's object `index`; -1 for none.
    int slotOf(size_t index) const { return index < fileSlots_.size() ? fileSlots_[index] : -1; }
    bool held(int slot) const
    {
        return current_.holds(slot)
               || std::any_of(saved_.begin(), saved_.end(), [slot](const Saved& s) { return s.selected.holds(slot); });
    }
    void releaseUnheld();

    size_t size_;
    Record extent_;
    std::vector<std::pair<uint32_t, Record>> state_; // as last set, in the order first set
    std::vector<Saved> saved_;
    Selected current_;
    std::vector<int> fileSlots_; // the file's object table: the player's slot of each
    std::vector<Kind> slots_;     // the player's table
    std::vector<int> doomed_;     // deleted by the file while still selected
};

void Rewriter::take(uint32_t function, Record r)
{
    out.combines = out.combines || combines(function, r.data() + 6, r.size() / 2 - 3);
    bool keep = true;
    mendObjects(function, r, keep);
    mendSaving(function, r, keep);
    if (!keep)
        return;
    out.bytes.insert(out.bytes.end(), r.begin(), r.end());
    mendMapping(function, r);
    if (function == SaveDc)
        for (const auto& [f, set] : state_)
            repeat(set);
    if (function == SelectObject || function == SelectPalette || function == RestoreDc)
        releaseUnheld();
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
// (in take()). RESTOREDC is kept as the player counts it: back from the
// last state saved.
void Rewriter::mendSaving(uint32_t function, Record& r, bool& keep)
{
    if (forgottenAtSave(function)) {
        const auto same = std::find_if(state_.begin(), state_.end(), [&](const auto& s) { return s.first == function; });
        if (same != state_.end())
            same->second = r;
        else
            state_.emplace_back(function, r);
    } else if (function == SaveDc) {
        keep = saved_.size() < 1024;
        if (keep)
            saved_.push_back({state_, current_});
    } else if (function == RestoreDc) {
        // Counted back from the last, or from the first.
        const int n = r.size() >= 8 ? s16(r.data() + 6) : 0;
        const size_t kept = n < 0 ? saved_.size() - std::min<size_t>(saved_.size(), size_t(-n)) : size_t(n) - 1;
        keep = n != 0 && kept < saved_.size();
        if (keep) {
            state_ = saved_[kept].state;
            current_ = saved_[kept].selected;
            setParam(r, 0, -int(saved_.size() - kept));
            saved_.resize(kept);
        }
    }
}

// Windows keeps an object that is deleted while selected (now, or in a
// state saved) until it is no longer selected, and the file may make a new
// object in its place in the table meanwhile; the player's state points at
// the place, so a state restored would take the new object for the old (a
// shape outlined with the pen made after it). The player's table is kept
// apart from the file's: an object still selected keeps its place there
// until it is let go, and each record names the player's place.
void Rewriter::mendObjects(uint32_t function, Record& r, bool& keep)
{
    const size_t params = r.size() / 2 - 3;
    if (const Kind kind = made(function); kind != Kind::Free) {
        const auto file = std::find(fileSlots_.begin(), fileSlots_.end(), -1);
        keep = file != fileSlots_.end(); // a full table makes nothing
        if (!keep)
            return;
        auto slot = std::find(slots_.begin(), slots_.end(), Kind::Free);
        if (slot == slots_.end())
            slot = slots_.insert(slots_.end(), kind);
        *slot = kind;
        *file = int(slot - slots_.begin());
        return;
    }
    // The records that name objects, and how many they name first.
    size_t named = 0;
    switch (function) {
    case SelectObject:
    case SelectPalette:
    case DeleteObject:
    case SelectClipRegion:
    case InvertRegion:
    case PaintRegion:
        named = 1;
        break;
    case FillRegion:
    case FrameRegion:
        named = 2;
        break;
    default:
        return;
    }
    if (params < named)
        return;
    const size_t index = u16(r.data() + 6); // the file's, of the first named
    const int slot = slotOf(index);
    for (size_t i = 0; i < named; ++i) {
        const int each = slotOf(u16(r.data() + 6 + 2 * i));
        keep = keep && each >= 0; // no such object: Windows does nothing
        if (each >= 0)
            setParam(r, i, each);
    }
    if (!keep)
        return;
    if (function == SelectObject || function == SelectPalette) {
        switch (slots_[size_t(slot)]) {
        case Kind::Pen: current_.pen = slot; break;
        case Kind::Brush: current_.brush = slot; break;
        case Kind::Font: current_.font = slot; break;
        case Kind::Palette: current_.palette = slot; break;
        default: break; // a region selected is a copy for clipping
        }
    } else if (function == DeleteObject) {
        fileSlots_[index] = -1;
        keep = !held(slot);
        if (keep)
            slots_[size_t(slot)] = Kind::Free;
        else
            doomed_.push_back(slot);
    }
}

// Objects deleted while selected are deleted once nothing selects them.
void Rewriter::releaseUnheld()
{
    std::erase_if(doomed_, [this](int slot) {
        if (held(slot))
            return false;
        const Record deletion = record(DeleteObject, {uint16_t(slot)});
        out.bytes.insert(out.bytes.end(), deletion.begin(), deletion.end());
        slots_[size_t(slot)] = Kind::Free;
        return true;
    });
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
        if (function == 0 || words < 3 || words > (size - at) / 2)
            break;
        rewriter.take(function, Record(p + at, p + at + 2 * size_t(words)));
        at += 2 * size_t(words);
    }
    out.bytes.insert(out.bytes.end(), p + at, p + size);
    // The header's size of the whole in words, and its number of objects:
    // the player's table may need more places than the file's.
    if (rewriter.slots() > 0xFFFF)
        return {};
    const size_t words = (out.bytes.size() - headerAt) / 2;
    for (int i = 0; i < 4; ++i)
        out.bytes[headerAt + 6 + i] = static_cast<unsigned char>(words >> (8 * i));
    const size_t objects = std::max<size_t>(u16(p + headerAt + 10), rewriter.slots());
    out.bytes[headerAt + 10] = static_cast<unsigned char>(objects & 0xFF);
    out.bytes[headerAt + 11] = static_cast<unsigned char>(objects >> 8);
    return std::move(out);
}

} // namespace metafile
