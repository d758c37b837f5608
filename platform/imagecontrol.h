#pragma once
// The image control of a designed window: a picture without a border that
// is scaled to its box, never takes the focus, and reports mouse down, up
// and click. A label, which has no mouse signals, gets them from a
// MouseReporter.
#include <QList>
#include <QObject>
#include <QPair>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <QWidget>
#include <functional>

namespace platform {

// Reports the mouse on a control as forms name it: MouseDown and MouseUp for
// any button, and Click when the left button is released over the control
// it was pressed on. A second press of a double click counts as a press but
// gives no second Click.
class MouseReporter : public QObject {
    Q_OBJECT
public:
    explicit MouseReporter(QWidget* control);

signals:
    void MouseDown();
    void MouseUp();
    void Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool leftPressed_ = false;
};

class ImageControl : public QWidget {
    Q_OBJECT
public:
    explicit ImageControl(QWidget* parent = nullptr);

    void setPicture(const QPixmap& picture);
    // A picture drawn only when it is first needed, so a window full of
    // pictures comes up without waiting for all of them.
    void setPicture(std::function<QPixmap()> source);
    const QPixmap& picture() const;

    // Place and size in twips. The designed place is kept in twips, so a
    // control moved by a few twips and back returns exactly, although a
    // pixel is 15 twips.
    void setTwipsGeometry(int left, int top, int width, int height);
    void MoveTwips(int left, int top);
    int Left() const { return left_; }
    int Top() const { return top_; }

    MouseReporter* mouse() const { return mouse_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    mutable QPixmap picture_;
    mutable std::function<QPixmap()> source_;
    MouseReporter* mouse_;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
};

// A picture file (bitmap, icon, metafile, or any other format the system
// reads) as a picture; a null pixmap for anything that is not a regular,
// readable picture file. Devices and pipes are never opened: reading one
// could block forever. Given the size it is shown at (in device pixels), a
// larger picture is decoded at that size, and a metafile is drawn at it.
QPixmap LoadPicture(const QString& path, QSize shown = QSize());
// The pictures of several files, each with the size it is shown at. The
// metafiles among them are drawn side by side, so that a bad one keeps the
// caller waiting for one time limit at most, however many there are.
QList<QPixmap> LoadPictures(const QList<QPair<QString, QSize>>& files);

} // namespace platform
