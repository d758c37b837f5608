#include "helper/metafiletosvg.h"

#include "platform/metafile.h"

#include <cstdlib>
#include <vector>

#include <emf2svg.h>
#include <libwmf/api.h>
#include <libwmf/svg.h>

namespace metafile {

using platform::metafile::Header;
using platform::metafile::Kind;

namespace {

std::string wmfToSvg(const unsigned char* data, size_t size, const Header& header)
{
    wmfAPI* api = nullptr;
    wmfAPI_Options options{};
    options.function = wmf_svg_function;
    // Quiet: a damaged file is expected here, and the program only needs to
    // know that it could not be drawn.
    const unsigned long flags = WMF_OPT_FUNCTION | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
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

std::string emfToSvg(const unsigned char* data, size_t size, const Header& header)
{
    generatorOptions options{};
    options.nameSpace = const_cast<char*>("");
    options.svgDelimiter = true;
    options.emfplus = true;
    options.imgWidth = header.width;
    options.imgHeight = header.height;
    std::vector<char> bytes(data, data + size);
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
