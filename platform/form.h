#pragma once
// A form: one object for the whole run that holds the form's variables, and
// a window with its controls that exists only while the form is loaded.
// Loading builds the window afresh from its design and runs Form_Load;
// unloading destroys the window while the object and its variables stay.
#include <QMainWindow>
#include <QPointer>
#include <QString>

class QCloseEvent;

namespace platform {

class Form;

// The window of a loaded form; it hands the toolkit's events to its form.
class FormWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit FormWindow(Form* form);
    Form* form() const { return form_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    Form* form_;
};

class Form {
public:
    // How an unload was started, as Form_QueryUnload is told.
    enum UnloadMode { vbFormControlMenu = 0, vbFormCode = 1 };

    explicit Form(const QString& name);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Builds the window and runs Form_Load, unless the form is loaded.
    void Load();
    // Loads when needed, then shows the window modeless.
    void Show();
    // Loads when needed, then shows the window modal; returns once it has
    // been hidden or unloaded.
    void ShowModal(Form* owner = nullptr);
    void Hide();
    // Unloads by code: Form_QueryUnload is told vbFormCode and may cancel.
    void Unload();

    bool IsLoaded() const { return !window_.isNull(); }
    // The window while loaded, else nullptr.
    QMainWindow* window() const { return window_.data(); }
    const QString& name() const { return name_; }

    // Sets the outer (frame) size and position in twips; they are applied
    // again once the window is shown and its frame is known.
    void SetSizeTwips(int width, int height);
    void MoveTwips(int left, int top);

    // Destroys every loaded window without running any form code: the end
    // of the program, and of each test.
    static void UnloadAll();

protected:
    // Creates the designed window: its controls, menus and their signals.
    virtual void build(QMainWindow* window) = 0;
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_QueryUnload(int& Cancel, int UnloadMode)
    {
        (void)Cancel;
        (void)UnloadMode;
    }

private:
    friend class FormWindow;
    void onClose(QCloseEvent* event);
    void onActivate();
    void destroyWindow(bool now);
    void applyGeometry();

    QString name_;
    QPointer<FormWindow> window_;
    bool activatedSinceShow_ = false;
    int outerWidth_ = -1, outerHeight_ = -1;
    int outerLeft_ = 0, outerTop_ = 0;
    bool moved_ = false;
};

// The one instance of a form class, created on first use.
template <class F>
F& the()
{
    static F instance;
    return instance;
}

} // namespace platform
