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

#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

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

// One picture file being loaded, open from the first look at it to the
// last; a metafile has its helper running.
struct Loading {
    QString path;
    QSize shown;
    std::unique_ptr<QFile> file;
    std::unique_ptr<QProcess> helper;
    QByteArray drawn;
};

// The most a helper may write: the picture at the size asked for, or at
// the largest own size.
qsizetype mostDrawn(QSize shown)
{
    const uint64_t pixels = shown.isEmpty() ? metafile::MaxPixels : uint64_t(shown.width()) * uint64_t(shown.height());
    return qsizetype(metafile::PictureHeaderBytes + 4 * std::min<uint64_t>(pixels, metafile::MaxPixels));
}

// The helper drawing a metafile at the size it is shown; null when it
// could not start.
std::unique_ptr<QProcess> startHelper(const QString& path, QSize shown)
{
    auto helper = std::make_unique<QProcess>();
    helper->setStandardInputFile(QProcess::nullDevice());
    helper->setStandardErrorFile(QProcess::nullDevice());
    helper->start(QCoreApplication::applicationDirPath() + QLatin1Char('/')
                      + QLatin1String(metafile::HelperName),
                  {path, QString::number(shown.isEmpty() ? 0 : shown.width()),
                   QString::number(shown.isEmpty() ? 0 : shown.height())});
    if (!helper->waitForStarted(metafile::TimeLimitMs))
        return nullptr;
    return helper;
}

// Reads what every helper writes until each has ended, all within one time
// limit: several metafiles keep the caller waiting no longer than one. A
// helper that fails, takes too long or writes too much leaves no picture.
void collectHelpers(std::vector<Loading>& loads)
{
    const QDeadlineTimer deadline(metafile::TimeLimitMs);
    for (bool waiting = true; waiting;) {
        waiting = false;
        for (Loading& load : loads) {
            if (!load.helper || load.helper->state() == QProcess::NotRunning)
                continue;
            // A short wait on each in turn: none is left with a full pipe.
            load.helper->waitForReadyRead(int(std::clamp<qint64>(deadline.remainingTime(), 0, 20)));
            load.drawn += load.helper->readAllStandardOutput();
            if (deadline.hasExpired() || load.drawn.size() > mostDrawn(load.shown)) {
                load.helper->kill();
                load.helper->waitForFinished();
                load.helper.reset();
            } else {
                waiting = true;
            }
        }
    }
    for (Loading& load : loads) {
        if (!load.helper)
            continue;
        load.drawn += load.helper->readAllStandardOutput();
        if (load.helper->exitStatus() != QProcess::NormalExit || load.helper->exitCode() != 0
            || load.drawn.size() > mostDrawn(load.shown))
            load.drawn.clear();
        load.helper.reset();
    }
}

// The picture the helper drew: exactly the size asked for, or an own size
// within bounds, and all its pixels.
QImage drawMetafile(const Loading& load)
{
    if (load.drawn.size() < qsizetype(metafile::PictureHeaderBytes))
        return {};
    uint32_t side[2];
    std::memcpy(side, load.drawn.constData(), sizeof side);
    const QSize size(int(std::min<uint32_t>(side[0], metafile::MaxSide)),
                     int(std::min<uint32_t>(side[1], metafile::MaxSide)));
    if (size.isEmpty() || QSize(side[0], side[1]) != size || (!load.shown.isEmpty() && size != load.shown)
        || load.drawn.size() != qsizetype(metafile::PictureHeaderBytes) + 4 * qsizetype(size.width()) * size.height())
        return {};
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return {};
    const char* pixels = load.drawn.constData() + metafile::PictureHeaderBytes;
    for (int y = 0; y < size.height(); ++y)
        std::memcpy(image.scanLine(y), pixels + qsizetype(y) * 4 * size.width(), 4 * size_t(size.width()));
    return image;
}

// The file at path, open for reading, when it is a regular file; nothing
// otherwise. Opened without waiting and checked once open: a pipe put in
// the file's place after a look at its name could otherwise block forever.
std::unique_ptr<QFile> openRegularFile(const QString& path)
{
    if (path.isEmpty())
        return nullptr;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat info {};
    auto file = std::make_unique<QFile>();
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || ::fcntl(fd, F_SETFL, O_RDONLY) != 0
        || !file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return nullptr;
    }
    return file;
}

QImage readPicture(QFile* file, const QString& path, QSize shown)
{
    // The name's extension is a first guess at the format, as when a
    // reader opens the file by name; the content decides.
    QImageReader reader(file, QFileInfo(path).suffix().toLower().toLatin1());
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
    return reader.read();
}

} // namespace

QPixmap LoadPicture(const QString& path, QSize shown)
{
    return LoadPictures({{path, shown}}).front();
}

QList<QPixmap> LoadPictures(const QList<QPair<QString, QSize>>& files)
{
    std::vector<Loading> loads;
    for (const auto& [path, shown] : files) {
        Loading& load = loads.emplace_back(Loading{path, shown, openRegularFile(path), nullptr, {}});
        if (!load.file)
            continue;
        // Metafiles are known by their first bytes, whatever the file's name.
        const QByteArray head = load.file->read(metafile::HeaderBytes);
        if (metafile::readHeader(reinterpret_cast<const unsigned char*>(head.constData()), size_t(head.size())).kind
            != metafile::Kind::None)
            load.helper = startHelper(path, shown);
    }
    collectHelpers(loads);
    QList<QPixmap> pictures;
    for (const Loading& load : loads) {
        QImage image;
        if (load.file) {
            image = drawMetafile(load);
            // A plain metafile is known by six bytes only: what the helper
            // cannot draw may still be a picture of another format.
            if (image.isNull() && load.file->seek(0))
                image = readPicture(load.file.get(), load.path, load.shown);
        }
        pictures.append(image.isNull() ? QPixmap() : QPixmap::fromImage(image));
    }
    return pictures;
}

} // namespace platform
