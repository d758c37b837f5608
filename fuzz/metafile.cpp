// libFuzzer harness: a metafile's drawing as the program gets it, on any
// bytes. The helper's conversion to SVG, then, in the program's own
// process, Qt's reading of that SVG and its painting at a button's size.
#include "platform/metafiletosvg.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
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
    const std::string svg = metafile::toSvg(data, size);
    if (svg.empty())
        return 0;
    QSvgRenderer renderer(QByteArray::fromRawData(svg.data(), qsizetype(svg.size())));
    if (renderer.isValid()) {
        QImage image(40, 30, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(&painter, QRectF(0, 0, 40, 30));
    }
    return 0;
}
