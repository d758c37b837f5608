#include "platform/form.h"

#include "platform/modal.h"
#include "platform/twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <algorithm>
#include <vector>

namespace platform {

namespace {
std::vector<Form*>& allForms()
{
    static std::vector<Form*> forms;
    return forms;
}

// The form window that was last activated: returning to it from another
// program is not an activation of the form.
QPointer<FormWindow>& lastActivated()
{
    static QPointer<FormWindow> w;
    return w;
}
} // namespace

FormWindow::FormWindow(Form* form) : form_(form)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
}

void FormWindow::closeEvent(QCloseEvent* event)
{
    form_->onClose(event);
}

bool FormWindow::event(QEvent* event)
{
    const bool handled = QMainWindow::event(event);
    if (event->type() == QEvent::WindowActivate)
        form_->onActivate();
    return handled;
}

Form::Form(const QString& name) : name_(name)
{
    allForms().push_back(this);
}

Form::~Form()
{
    auto& forms = allForms();
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
    if (window_ && QCoreApplication::instance())
        delete window_.data();
}

void Form::Load()
{
    if (IsLoaded())
        return;
    window_ = new FormWindow(this);
    window_->setObjectName(name_);
    outerWidth_ = outerHeight_ = -1;
    moved_ = false;
    build(window_);
    Form_Load();
}

void Form::Show()
{
    Load();
    if (!window_)
        return; // Form_Load unloaded it again
    const bool wasVisible = window_->isVisible();
    if (!wasVisible)
        activatedSinceShow_ = false;
    window_->show();
    applyGeometry();
    window_->raise();
    window_->activateWindow();
}

void Form::ShowModal(Form* owner)
{
    Load();
    if (!window_)
        return;
    activatedSinceShow_ = false;
    QPointer<FormWindow> w = window_;
    // Geometry is corrected as soon as the window is up, before the loop
    // hands control to the user.
    QMetaObject::invokeMethod(w, [this, w] { if (w == window_) applyGeometry(); }, Qt::QueuedConnection);
    runModal(w, owner ? owner->window() : nullptr);
}

void Form::Hide()
{
    if (window_)
        window_->hide();
}

void Form::Unload()
{
    if (!IsLoaded())
        return;
    int cancel = 0;
    Form_QueryUnload(cancel, vbFormCode);
    if (cancel || !IsLoaded())
        return;
    destroyWindow(false);
}

void Form::onClose(QCloseEvent* event)
{
    int cancel = 0;
    Form_QueryUnload(cancel, vbFormControlMenu);
    if (!IsLoaded()) {
        event->accept(); // the handler unloaded the form itself
        return;
    }
    if (cancel) {
        event->ignore();
        return;
    }
    event->accept();
    destroyWindow(false);
}

void Form::onActivate()
{
    FormWindow* w = window_.data();
    if (!w)
        return;
    const bool fromOurs = lastActivated() != w;
    lastActivated() = w;
    if (activatedSinceShow_ && !fromOurs)
        return;
    activatedSinceShow_ = true;
    Form_Activate();
}

void Form::destroyWindow(bool now)
{
    FormWindow* w = window_.data();
    window_ = nullptr;
    if (!w)
        return;
    w->hide();
    if (now)
        delete w;
    else
        w->deleteLater(); // we may be inside one of its own handlers
}

void Form::SetSizeTwips(int width, int height)
{
    outerWidth_ = width;
    outerHeight_ = height;
    if (window_)
        setOuterSizeTwips(window_, width, height);
}

void Form::MoveTwips(int left, int top)
{
    outerLeft_ = left;
    outerTop_ = top;
    moved_ = true;
    if (window_)
        moveOuterTwips(window_, left, top);
}

void Form::applyGeometry()
{
    if (!window_)
        return;
    if (outerWidth_ >= 0)
        setOuterSizeTwips(window_, outerWidth_, outerHeight_);
    if (moved_)
        moveOuterTwips(window_, outerLeft_, outerTop_);
    // Applied once: a window the user moves afterwards keeps its place.
    outerWidth_ = -1;
    moved_ = false;
}

void Form::UnloadAll()
{
    for (Form* f : allForms())
        f->destroyWindow(true);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace platform
