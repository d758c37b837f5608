#include "platform/imagecontrol.h"

#include "platform/metafile.h"
#include "platform/twips.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QProcess>
#include <QSvgRenderer>

namespace platform {

MouseReporter::MouseReporter(QWidget* control) : QObject(control)
{
    control->installEventFilter(this);
}

bool MouseReporter::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (e->button() == Qt::LeftButton)
            leftPressed_ = event->type() == QEvent::MouseButtonPress;
        emit MouseDown();
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto* e = static_cast<QMouseEvent*>(event);
        const bool click = e->button() == Qt::LeftButton && leftPressed_
                           && static_cast<QWidget*>(watched)->rect().contains(e->position().toPoint());
        if (e->button() == Qt::LeftButton)
            leftPressed_ = false;
        // The control may be gone after either signal: a click can open a
        // screen, and the handler that does so may unload this window.
        QPointer<MouseReporter> self(this);
        emit MouseUp();
        if (click && self)
            emit Click();
        return true;
    }
    default:
        return false;
    }
}

ImageControl::ImageControl(QWidget* parent) : QWidget(parent), mouse_(new MouseReporter(this))
{
    setFocusPolicy(Qt::NoFocus);
}

void ImageControl::setPicture(const QPixmap& picture)
{
    source_ = nullptr;
    picture_ = picture;
    update();
}

void ImageControl::setPicture(std::function<QPixmap()> source)
{
    picture_ = QPixmap();
    source_ = std::move(source);
    update();
}

const QPixmap& ImageControl::picture() const
{
    if (source_) {
        picture_ = source_();
        source_ = nullptr;
    }
    return picture_;
}

void ImageControl::setTwipsGeometry(int left, int top, int width, int height)
{
    width_ = width;
    height_ = height;
    MoveTwips(left, top);
}

void ImageControl::MoveTwips(int left, int top)
{
    left_ = left;
    top_ = top;
    placeTwips(this, left_, top_, width_, height_);
}

void ImageControl::paintEvent(QPaintEvent*)
{
    const QPixmap& shown = picture();
    if (shown.isNull())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawPixmap(rect(), shown);
}

namespace {

// The SVG the helper draws from a metafile; empty when it could not, took
// too long or wrote too much.
QByteArray metafileAsSvg(const QString& path)
{
    QProcess helper;
    helper.setStandardInputFile(QProcess::nullDevice());
    helper.setStandardErrorFile(QProcess::nullDevice());
    helper.start(QCoreApplication::applicationDirPath() + QLatin1Char('/')
                     + QLatin1String(metafile::HelperName),
                 {path});
    QByteArray svg;
    const QDeadlineTimer deadline(metafile::TimeLimitMs);
    bool ok = helper.waitForStarted(metafile::TimeLimitMs);
    while (ok && helper.state() != QProcess::NotRunning) {
        helper.waitForReadyRead(int(deadline.remainingTime()));
        svg += helper.readAllStandardOutput();
        ok = !deadline.hasExpired() && svg.size() <= qsizetype(metafile::MaxSvgBytes);
    }
    if (!ok) {
        helper.kill();
        helper.waitForFinished();
        return {};
    }
    svg += helper.readAllStandardOutput();
    if (helper.exitStatus() != QProcess::NormalExit || helper.exitCode() != 0
        || svg.size() > qsizetype(metafile::MaxSvgBytes))
        return {};
    return svg;
}

QImage drawMetafile(const QString& path, const metafile::Header& header, QSize shown)
{
    QSvgRenderer renderer(metafileAsSvg(path));
    if (!renderer.isValid())
        return {};
    const QSize own = header.width ? QSize(header.width, header.height) : renderer.defaultSize();
    const QSize size = shown.isEmpty() ? own : shown;
    if (size.isEmpty() || size.width() > metafile::MaxSide || size.height() > metafile::MaxSide)
        return {};
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return {};
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(), QSizeF(size)));
    return image;
}

} // namespace

QPixmap LoadPicture(const QString& path, QSize shown)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return QPixmap();
    // Metafiles are known by their first bytes, whatever the file's name.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QPixmap();
    const QByteArray head = file.read(metafile::HeaderBytes);
    file.close();
    const auto header = metafile::readHeader(reinterpret_cast<const unsigned char*>(head.constData()),
                                             size_t(head.size()));
    QImage image;
    if (header.kind != metafile::Kind::None)
        image = drawMetafile(path, header, shown);
    // A plain metafile is known by six bytes only: what the helper cannot
    // draw may still be a picture of another format.
    if (image.isNull()) {
        QImageReader reader(path);
        reader.setAutoTransform(true);
        // Decoded no larger than it is shown: a picture of many megapixels
        // on a small button costs only the button's pixels. Vector pictures
        // are drawn at the shown size whatever size they declare.
        const QSize full = reader.size();
        if (!shown.isEmpty()
            && (!full.isValid() || full.width() > shown.width() || full.height() > shown.height()
                || reader.format().startsWith("svg"))) {
            reader.setScaledSize(reader.transformation() & QImageIOHandler::TransformationRotate90
                                     ? shown.transposed()
                                     : shown);
            // A format that cannot decode at a smaller size is decoded whole
            // first and scaled: an 8000 x 8000 picture takes a short peak of
            // 256 MB, then only the button's pixels.
            reader.setAllocationLimit(512);
        }
        image = reader.read();
    }
    return image.isNull() ? QPixmap() : QPixmap::fromImage(image);
}

} // namespace platform
