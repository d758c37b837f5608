#include "platform/modal.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace platform {

namespace {

ModalAnswerer& modalAnswerer()
{
    static ModalAnswerer answerer;
    return answerer;
}

MsgBoxAnswerer& msgBoxAnswerer()
{
    static MsgBoxAnswerer answerer;
    return answerer;
}

// Ends the modal loop when its window is hidden (closing, unloading, Hide).
// It lives no longer than its loop: when the program ends while the window
// is up, every loop ends with it, and the window, still loaded, is hidden
// only when the last windows are destroyed; that hiding must not reach a
// loop that is gone.
class HideWatcher : public QObject {
public:
    HideWatcher(QWidget* w, QEventLoop* loop) : window_(w), loop_(loop) { w->installEventFilter(this); }
    ~HideWatcher() override
    {
        if (window_)
            window_->removeEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Hide)
            loop_->quit();
        return false;
    }

private:
    QPointer<QWidget> window_;
    QEventLoop* loop_;
};

} // namespace

void runModal(QWidget* window, QWidget* owner)
{
    if (!window)
        return;
    QPointer<QWidget> guard(window);
    // Without an owner, the window the user was working in comes back.
    QPointer<QWidget> back(owner ? owner : QApplication::activeWindow());
    // Stacked over its owner without becoming its child: unloading the owner
    // later must not take this window with it.
    if (owner) {
        window->winId();
        owner->winId();
        window->windowHandle()->setTransientParent(owner->windowHandle());
    }
    window->setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    HideWatcher watcher(window, &loop);
    QObject::connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
    window->show();
    window->activateWindow(); // keys go to the modal window, as a user expects
    if (modalAnswerer()) {
        QTimer::singleShot(0, &loop, [guard] {
            if (guard && modalAnswerer())
                modalAnswerer()(guard.data());
        });
    }
    if (guard && guard->isVisible())
        loop.exec(QEventLoop::DialogExec);
    // The owner is the active window again once the modal window is gone.
    if (back && back->isVisible())
        back->activateWindow();
}

void setModalAnswerer(ModalAnswerer answerer)
{
    modalAnswerer() = std::move(answerer);
}

int MsgBox(QWidget* owner, const QString& prompt, int style, const QString& title)
{
    if (msgBoxAnswerer())
        return msgBoxAnswerer()({prompt, style, title});

    QMessageBox box(owner);
    box.setText(prompt);
    box.setWindowTitle(title.isEmpty() ? QApplication::applicationName() : title);
    switch (style & 0x70) {
    case vbCritical: box.setIcon(QMessageBox::Critical); break;
    case vbQuestion: box.setIcon(QMessageBox::Question); break;
    case vbExclamation: box.setIcon(QMessageBox::Warning); break;
    case vbInformation: box.setIcon(QMessageBox::Information); break;
    default: break;
    }
    struct Choice { QMessageBox::StandardButton button; int result; };
    QList<Choice> choices;
    switch (style & 0x7) {
    case vbOKCancel: choices = {{QMessageBox::Ok, vbOK}, {QMessageBox::Cancel, vbCancel}}; break;
    case vbAbortRetryIgnore: choices = {{QMessageBox::Abort, vbAbort}, {QMessageBox::Retry, vbRetry}, {QMessageBox::Ignore, vbIgnore}}; break;
    case vbYesNoCancel: choices = {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}, {QMessageBox::Cancel, vbCancel}}; break;
    case vbYesNo: choices = {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}}; break;
    case vbRetryCancel: choices = {{QMessageBox::Retry, vbRetry}, {QMessageBox::Cancel, vbCancel}}; break;
    default: choices = {{QMessageBox::Ok, vbOK}}; break;
    }
    QMessageBox::StandardButtons buttons;
    for (const Choice& c : choices)
        buttons |= c.button;
    box.setStandardButtons(buttons);
    const int clicked = box.exec();
    for (const Choice& c : choices)
        if (c.button == clicked)
            return c.result;
    // Closed by Escape or the close box: the platform answered Cancel where
    // there was one, else the only button.
    for (const Choice& c : choices)
        if (c.result == vbCancel)
            return vbCancel;
    return choices.first().result;
}

void setMsgBoxAnswerer(MsgBoxAnswerer answerer)
{
    msgBoxAnswerer() = std::move(answerer);
}

} // namespace platform
