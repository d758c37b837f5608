#include "platform/imagecontrol.h"

#include "platform/twips.h"

#include <QFileInfo>
#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

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

QPixmap LoadPicture(const QString& path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return QPixmap();
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    return image.isNull() ? QPixmap() : QPixmap::fromImage(image);
}

} // namespace platform
