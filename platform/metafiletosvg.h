#pragma once
// Draws a Windows metafile (with or without the placeable header) or an
// enhanced metafile as SVG text, with the libraries made for these formats.
// Only the helper program and the fuzzing harness link this.
#include <cstddef>
#include <string>

namespace metafile {

// The picture as SVG at its own size; empty when the bytes are not a
// metafile that can be drawn.
std::string toSvg(const unsigned char* data, size_t size);

} // namespace metafile
