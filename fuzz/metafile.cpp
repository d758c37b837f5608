// libFuzzer harness: a metafile's drawing as the helper makes it, on any
// bytes: played or converted, then painted at a button's size.
#include "platform/metafiledraw.h"

#include <QGuiApplication>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    metafile::draw(data, size, QSize(40, 30), [] {});
    return 0;
}
