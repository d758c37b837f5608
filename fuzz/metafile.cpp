// libFuzzer harness: the helper's drawing of a metafile, on any bytes.
#include "helper/metafiletosvg.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    metafile::toSvg(data, size);
    return 0;
}
