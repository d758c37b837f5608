#include "platform/metafiletosvg.h"

#include "platform/metafile.h"

#include <cstddef>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include <emf2svg.h>
#include <libwmf/api.h>
#include <libwmf/svg.h>

namespace metafile {

using platform::metafile::Header;
using platform::metafile::Kind;

namespace {

// The library believes the sizes a file declares and allocates them, up to
// gigabytes; everything it allocates comes out of this budget, and a
// request past it fails as memory running out, which it reports as an error.
struct Budget {
    static constexpr size_t Limit = 256 * 1024 * 1024;
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

std::string wmfToSvg(const unsigned char* data, size_t size, const Header& header)
{
    wmfAPI* api = nullptr;
    Budget budget;
    wmfAPI_Options options{};
    options.function = wmf_svg_function;
    options.context = &budget;
    options.malloc = Budget::allocate;
    options.realloc = Budget::reallocate;
    options.free = Budget::release;
    // Quiet: a damaged file is expected here, and the program only needs to
    // know that it could not be drawn.
    const unsigned long flags = WMF_OPT_FUNCTION | WMF_OPT_ALLOC | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
    if (wmf_api_create(&api, flags, &options) != wmf_E_None) {
        if (api)
            wmf_api_destroy(api);
        return {};
    }
    std::string svg;
    // The library reads through a pointer it does not promise to leave alone.
    std::vector<unsigned char> bytes(data, data + size);
    wmfD_Rect bounds{};
    wmf_svg_t* device = WMF_SVG_GetData(api);
    if (wmf_mem_open(api, bytes.data(), long(bytes.size())) == wmf_E_None
        && wmf_scan(api, 0, &bounds) == wmf_E_None) {
        unsigned int width = header.width, height = header.height;
        if (!width || !height) {
            // No placeable header: the size of what the records draw.
            if (wmf_display_size(api, &width, &height, 96, 96) != wmf_E_None)
                width = height = 0;
        }
        if (width > 0 && height > 0 && width <= unsigned(platform::metafile::MaxSide)
            && height <= unsigned(platform::metafile::MaxSide)) {
            device->out = wmf_stream_create(api, nullptr);
            device->bbox = bounds;
            device->width = width;
            device->height = height;
            device->Description = nullptr;
            // Bitmaps in the metafile go into the SVG itself, never into
            // files of their own.
            device->flags |= WMF_SVG_INLINE_IMAGES;
            const bool played = device->out && wmf_play(api, 0, &bounds) == wmf_E_None;
            char* text = nullptr;
            unsigned long length = 0;
            if (device->out)
                wmf_stream_destroy(api, device->out, &text, &length);
            device->out = nullptr;
            if (played && text)
                svg.assign(text, length);
        }
    }
    wmf_api_destroy(api);
    return svg;
}

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

std::string emfToSvg(const unsigned char* data, size_t size, const Header& header)
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
    std::string svg;
    if (ok && text)
        svg.assign(text, length);
    std::free(text);
    return svg;
}

} // namespace

std::string toSvg(const unsigned char* data, size_t size)
{
    if (!data || size > platform::metafile::MaxFileBytes)
        return {};
    const Header header = platform::metafile::readHeader(data, size);
    switch (header.kind) {
    case Kind::Wmf:
    case Kind::PlaceableWmf:
        return wmfToSvg(data, size, header);
    case Kind::Emf:
        return emfToSvg(data, size, header);
    case Kind::None:
        break;
    }
    return {};
}

} // namespace metafile
